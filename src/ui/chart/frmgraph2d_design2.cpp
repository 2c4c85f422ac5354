// The chart window's "Diagram Settings" panel fraTabs (fratabs.h): its handlers,
// the part of the window's load that gives its controls their start state, and
// the automatic or manual spacing of grid lines, ticks and numbers. What each
// control does to the chart is a design effect of core/chart/designeffects.h.

#include <memory>
#include <optional>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>

#include "core/chart/designeffects.h"
#include "ui/shell/qtext.h"
#include "core/shell/numtext.h"
#include "ui/chart/chartview.h"
#include "ui/chart/fratabs.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

Axis& AxisOf(Chart2D& c, AxisId id) { return c.ChartArea().Axes(id); }

// Runs handler(index) whenever an option of the group becomes selected, by the
// user or by code.
template <class F>
void OnSelected(QButtonGroup* group, QObject* context, F handler)
{
    QObject::connect(group, &QButtonGroup::idToggled, context, Guarded([handler](int id, bool checked) {
        if (checked) handler(id);
    }));
}

} // namespace

// ---- the panel and its connections ------------------------------------------------------------

void frmGraph2D::buildDiagramSettings()
{
    fraTabs = new FraTabs(this);
    FraTabs* t = fraTabs;
    t->caption->installEventFilter(this);
    t->installEventFilter(this);

    mnuDesignMore->setEnabled(true);
    connect(mnuDesignMore, &QAction::triggered, this, Guarded([this] { mnuDesignMore_Click(); }));
    connect(t->cmdTabs_OK, &QPushButton::clicked, this, Guarded([this] { cmdTabs_OK_Click(); }));
    // Esc closes the panel while it holds the focus.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), t);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, t->cmdTabs_OK, Guarded([b = t->cmdTabs_OK] { b->click(); }));

    // Frames.
    OnSelected(t->grpFrameType, this, [this](int i) { optFrameType_Click(i); });
    connect(t->UpDownRBreite, &UpDownControl::valueChanged, this, Guarded([this] { UpDownRBreite_Change(); }));
    OnSelected(t->grpSM, this, [this](int i) { optSM_Click(i); });
    connect(t->chkDiaFrame, &QCheckBox::toggled, this, Guarded([this] { chkDiaFrame_Click(); }));

    // Margins.
    connect(t->chkAutoRand, &QCheckBox::toggled, this, Guarded([this] { chkAutoRand_Click(); }));
    connect(t->scrHL, &QScrollBar::valueChanged, this, Guarded([this] { scrHL_Change(); }));
    connect(t->scrHR, &QScrollBar::valueChanged, this, Guarded([this] { scrHR_Change(); }));
    connect(t->scrHO, &QScrollBar::valueChanged, this, Guarded([this] { scrHO_Change(); }));
    connect(t->scrHU, &QScrollBar::valueChanged, this, Guarded([this] { scrHU_Change(); }));

    // Scaling. A click on the option that is already selected runs its handler
    // again (so "manual" re-opens the boxes after the log buttons or the
    // coordinates dialog made the spacings automatic).
    OnSelected(t->grpScaling, this, [this](int i) { optScaling_Click(i); });
    auto wasChecked = std::make_shared<bool>(false);
    connect(t->grpScaling, &QButtonGroup::idPressed, this,
            Guarded([t, wasChecked](int id) { *wasChecked = t->optScaling[static_cast<std::size_t>(id)]->isChecked(); }));
    connect(t->grpScaling, &QButtonGroup::idClicked, this, Guarded([this, wasChecked](int id) {
        if (*wasChecked) optScaling_Click(id);
        *wasChecked = false;
    }));
    connect(t->txtXGridValue, &QLineEdit::textChanged, this, Guarded([this] { txtXGridValue_Change(); }));
    connect(t->txtYGridValue, &QLineEdit::textChanged, this, Guarded([this] { txtYGridValue_Change(); }));
    connect(t->txtXTickValue, &QLineEdit::textChanged, this, Guarded([this] { txtXTickValue_Change(); }));
    connect(t->txtYTickValue, &QLineEdit::textChanged, this, Guarded([this] { txtYTickValue_Change(); }));
    connect(t->txtXZiffValue, &QLineEdit::textChanged, this, Guarded([this] { txtXZiffValue_Change(); }));
    connect(t->txtYZiffValue, &QLineEdit::textChanged, this, Guarded([this] { txtYZiffValue_Change(); }));
    connect(t->cmdXLog, &QPushButton::clicked, this, Guarded([this] { cmdXLog_Click(); }));
    connect(t->cmdYLog, &QPushButton::clicked, this, Guarded([this] { cmdYLog_Click(); }));

    // Numbering and origin.
    OnSelected(t->grpXZiffern, this, [this](int i) { optXZiffern_Click(i); });
    OnSelected(t->grpYZiffern, this, [this](int i) { optYZiffern_Click(i); });
    OnSelected(t->grpStandardOrigin, this, [this](int i) { optStandardOrigin_Click(i); });
    OnSelected(t->grpXOrigin, this, [this](int i) { optXOrigin_Click(i); });
    OnSelected(t->grpYOrigin, this, [this](int i) { optYOrigin_Click(i); });
    connect(t->txtXOrigin, &QLineEdit::textChanged, this, Guarded([this] { txtXOrigin_Change(); }));
    connect(t->txtYOrigin, &QLineEdit::textChanged, this, Guarded([this] { txtYOrigin_Change(); }));

    // Grid and colours.
    OnSelected(t->grp1Gitter, this, [this](int i) { opt1Gitter_Click(i); });
    OnSelected(t->grp2Gitter, this, [this](int i) { opt2Gitter_Click(i); });
    connect(t->cmdGitterFarbe, &QPushButton::clicked, this, Guarded([this] { cmdGitterFarbe_Click(); }));
    connect(t->cmdRandCol_out, &QPushButton::clicked, this, Guarded([this] { cmdRandCol_out_Click(); }));
    connect(t->cmdRandCol_in, &QPushButton::clicked, this, Guarded([this] { cmdRandCol_in_Click(); }));
    connect(t->cmdColor_in, &QPushButton::clicked, this, Guarded([this] { cmdColor_in_Click(); }));
    connect(t->cmdFullBlack, &QPushButton::clicked, this, Guarded([this] { cmdFullBlack_Click(); }));
    connect(t->cmdFullWhite, &QPushButton::clicked, this, Guarded([this] { cmdFullWhite_Click(); }));
    connect(t->cmdRandColGrau, &QPushButton::clicked, this, Guarded([this] { cmdRandColGrau_Click(); }));
}

// Form_Load step 7 (and the panel's place of step 3): the frame width, the colour
// buttons of the chart area and plot area, the margin scroll bars.
void frmGraph2D::loadDiagramSettings()
{
    FraTabs* t = fraTabs;
    Chart2D& c = chart();
    t->move(0, menuBar->sizeHint().height() + TwipsToPixels(300));

    t->labRBreite->setText("1");
    t->UpDownRBreite->setValue(1);
    ApplyFrameWidth(c, 1);

    const Rgb plot = BackgroundColorOf(c, Background::PlotArea);
    SetButtonColor(t->cmdRandCol_in, plot);
    SetButtonColor(t->cmdColor_in, plot);

    // The scroll bars take the plot area's current margins (their handlers run).
    t->scrHO->setValue(CurrentMargin(c, MarginSide::Top));
    t->scrHU->setValue(CurrentMargin(c, MarginSide::Bottom));
    t->scrHL->setValue(CurrentMargin(c, MarginSide::Left));
    t->scrHR->setValue(CurrentMargin(c, MarginSide::Right));
}

void frmGraph2D::mnuDesignMore_Click()
{
    showDiagramColours();
    showPanel(fraTabs);
    fraTabs->tabDesign->setFocus();
}

void frmGraph2D::cmdTabs_OK_Click() { fraTabs->hide(); }

// The colour buttons show the colours the chart has now.
void frmGraph2D::showDiagramColours()
{
    const Chart2D& c = chart();
    SetButtonColor(fraTabs->cmdRandCol_out, BackgroundColorOf(c, Background::Chart));
    SetButtonColor(fraTabs->cmdRandCol_in, BackgroundColorOf(c, Background::ChartArea));
    SetButtonColor(fraTabs->cmdColor_in, BackgroundColorOf(c, Background::PlotArea));
    SetButtonColor(fraTabs->cmdGitterFarbe, c.ChartArea().Axes(AxisId::X).GridStyle().Color());
}

namespace {

// The colour dialog, started from a colour; nothing when it is cancelled.
std::optional<Rgb> ChooseColor(Rgb initial)
{
    const std::optional<QColor> chosen = app().services().chooseColor(QColor(initial.r, initial.g, initial.b));
    if (!chosen || !chosen->isValid()) return std::nullopt; // Cancel changes nothing
    return RGB(chosen->red(), chosen->green(), chosen->blue());
}

} // namespace

// ---- frames ------------------------------------------------------------------------------------

void frmGraph2D::chkDiaFrame_Click() { ApplyDiagramFrame(chart(), fraTabs->chkDiaFrame->isChecked()); }

void frmGraph2D::optFrameType_Click(int Index)
{
    const bool framed = ApplyFrameType(chart(), Index);
    fraTabs->UpDownRBreite->setEnabled(framed);
    fraTabs->labRBreite->setEnabled(framed);
    fraTabs->lblFrameWidth->setEnabled(framed);
}

void frmGraph2D::UpDownRBreite_Change()
{
    fraTabs->labRBreite->setText(QString::number(fraTabs->UpDownRBreite->value()));
    const int width = static_cast<int>(Val(fraTabs->labRBreite->text().toStdString()));
    ApplyFrameWidth(chart(), width);
}

void frmGraph2D::optSM_Click(int Index) { ApplyChartAreaFrame(chart(), Index); }

// ---- margins -----------------------------------------------------------------------------------

void frmGraph2D::chkAutoRand_Click()
{
    FraTabs* t = fraTabs;
    const bool manual = !t->chkAutoRand->isChecked();
    for (QLabel* l : t->lb) l->setEnabled(manual);
    for (QScrollBar* s : {t->scrHL, t->scrHR, t->scrHO, t->scrHU}) s->setEnabled(manual);
    t->frRandBreite->setEnabled(manual);
    if (!manual) {
        ApplyAutoBorders(chart());
        return;
    }
    // No margin changes; the bars start from the margins the chart has now, so
    // that moving one changes its margin from there.
    const Chart2D& c = chart();
    const std::pair<QScrollBar*, MarginSide> bars[] = {
        {t->scrHL, MarginSide::Left}, {t->scrHR, MarginSide::Right},
        {t->scrHO, MarginSide::Top},  {t->scrHU, MarginSide::Bottom}};
    for (std::size_t k = 0; k < 4; ++k) {
        const int v = CurrentMargin(c, bars[k].second);
        {
            const QSignalBlocker block(bars[k].first);
            bars[k].first->setValue(v);
        }
        t->lblRandWert[k]->setText(QString::number(v));
    }
}

void frmGraph2D::scrHL_Change() { ApplyMargin(chart(), MarginSide::Left, fraTabs->scrHL->value()); }
void frmGraph2D::scrHR_Change() { ApplyMargin(chart(), MarginSide::Right, fraTabs->scrHR->value()); }
void frmGraph2D::scrHO_Change() { ApplyMargin(chart(), MarginSide::Top, fraTabs->scrHO->value()); }
void frmGraph2D::scrHU_Change() { ApplyMargin(chart(), MarginSide::Bottom, fraTabs->scrHU->value()); }

// ---- colours -----------------------------------------------------------------------------------

void frmGraph2D::cmdRandCol_out_Click()
{
    const std::optional<Rgb> col = ChooseColor(ButtonColor(fraTabs->cmdRandCol_out));
    if (!col) return;
    SetButtonColor(fraTabs->cmdRandCol_out, ApplyBackgroundColor(chart(), Background::Chart, *col));
}

void frmGraph2D::cmdRandCol_in_Click()
{
    const std::optional<Rgb> col = ChooseColor(ButtonColor(fraTabs->cmdRandCol_in));
    if (!col) return;
    SetButtonColor(fraTabs->cmdRandCol_in, ApplyBackgroundColor(chart(), Background::ChartArea, *col));
}

void frmGraph2D::cmdColor_in_Click()
{
    const std::optional<Rgb> col = ChooseColor(ButtonColor(fraTabs->cmdColor_in));
    if (!col) return;
    SetButtonColor(fraTabs->cmdColor_in, ApplyBackgroundColor(chart(), Background::PlotArea, *col));
}

void frmGraph2D::cmdGitterFarbe_Click()
{
    const std::optional<Rgb> col = ChooseColor(chart().ChartArea().Axes(AxisId::X).GridStyle().Color());
    if (!col) return;
    SetButtonColor(fraTabs->cmdGitterFarbe, ApplyGridColor(chart(), *col));
}

void frmGraph2D::cmdFullBlack_Click()
{
    ApplyColorPreset(chart(), ColorPreset::Black, GitterLinienart);
    showDiagramColours();
}

void frmGraph2D::cmdFullWhite_Click()
{
    ApplyColorPreset(chart(), ColorPreset::White, GitterLinienart);
    showDiagramColours();
}

void frmGraph2D::cmdRandColGrau_Click()
{
    ApplyColorPreset(chart(), ColorPreset::Grey, GitterLinienart);
    showDiagramColours();
}

// ---- scaling -----------------------------------------------------------------------------------

void frmGraph2D::optScaling_Click(int Index)
{
    if (Index != 0 && Index != 1) return;
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    const std::array<QLineEdit*, 6> boxes = fraTabs->spacingBoxes();
    manualScaling_ = Index == 1;
    for (QLineEdit* box : boxes) box->setEnabled(manualScaling_);
    if (manualScaling_) {
        // Grid and tick spacings are set from here on; the grid boxes' numbers
        // are taken now, ticks and numbers when their boxes are edited.
        ApplyManualScaling(c, fraTabs->txtXGridValue->text().toStdString(),
                          fraTabs->txtYGridValue->text().toStdString());
        return;
    }
    const std::array<double, 6> v = ApplyAutomaticScaling(c);
    for (std::size_t b = 0; b < 6; ++b) boxes[b]->setText(Q(SpacingBoxText(v[b]))); // each runs its handler
}

void frmGraph2D::spacingBoxChanged(int box)
{
    QLineEdit* e = fraTabs->spacingBoxes()[static_cast<std::size_t>(box)];
    const std::string typed = e->text().toStdString();
    const std::string text = ApplySpacingBox(chart(), SpacingBox(box), typed, manualScaling_);
    if (text != typed) {
        // "," becomes "." in the box, where the caret was.
        const QSignalBlocker block(e);
        const int caret = e->cursorPosition();
        e->setText(Q(text));
        e->setCursorPosition(caret);
    }
}

void frmGraph2D::txtXGridValue_Change() { spacingBoxChanged(static_cast<int>(SpacingBox::GridX)); }
void frmGraph2D::txtYGridValue_Change() { spacingBoxChanged(static_cast<int>(SpacingBox::GridY)); }
void frmGraph2D::txtXZiffValue_Change() { spacingBoxChanged(static_cast<int>(SpacingBox::NumX)); }
void frmGraph2D::txtYZiffValue_Change() { spacingBoxChanged(static_cast<int>(SpacingBox::NumY)); }

void frmGraph2D::txtXTickValue_Change()
{
    spacingBoxChanged(static_cast<int>(SpacingBox::TickX));
    txtXZiffValue_Change();
}

void frmGraph2D::txtYTickValue_Change()
{
    spacingBoxChanged(static_cast<int>(SpacingBox::TickY));
    txtYZiffValue_Change();
}

void frmGraph2D::cmdXLog_Click()
{
    InvertLogX(chart());
    optScaling_Click(1);
    optScaling_Click(0);
}

void frmGraph2D::cmdYLog_Click()
{
    InvertLogY(chart());
    optScaling_Click(0);
}

// ---- numbering and origin ------------------------------------------------------------------------

void frmGraph2D::optXZiffern_Click(int Index) { ApplyNumberingPlacement(AxisOf(chart(), AxisId::X), Index); }
void frmGraph2D::optYZiffern_Click(int Index) { ApplyNumberingPlacement(AxisOf(chart(), AxisId::Y), Index); }

void frmGraph2D::optStandardOrigin_Click(int Index)
{
    FraTabs* t = fraTabs;
    if (Index == 0) {
        Chart2D& c = chart();
        ApplyStandardOrigin(c);
        t->txtXOrigin->setText(Q(StrDouble(AxisOf(c, AxisId::X).Origin())));
        t->txtYOrigin->setText(Q(StrDouble(AxisOf(c, AxisId::Y).Origin())));
        // The manual options show the placement the axes now have.
        t->optXOrigin[0]->setChecked(true);
        t->optYOrigin[0]->setChecked(true);
        t->fraXOrigin->hide();
        t->fraYOrigin->hide();
    } else if (Index == 1) {
        t->fraXOrigin->show();
        t->fraYOrigin->show();
    }
}

void frmGraph2D::optXOrigin_Click(int Index)
{
    ApplyOriginChoice(AxisOf(chart(), AxisId::X), Index, fraTabs->txtXOrigin->text().toStdString());
}

void frmGraph2D::optYOrigin_Click(int Index)
{
    ApplyOriginChoice(AxisOf(chart(), AxisId::Y), Index, fraTabs->txtYOrigin->text().toStdString());
}

void frmGraph2D::originBoxChanged(QLineEdit* box, bool xAxis)
{
    const std::string typed = box->text().toStdString();
    const std::string text = ApplyOriginText(AxisOf(chart(), xAxis ? AxisId::X : AxisId::Y), typed);
    if (text != typed) {
        const QSignalBlocker block(box);
        const int caret = box->cursorPosition();
        box->setText(Q(text));
        box->setCursorPosition(caret);
    }
}

void frmGraph2D::txtXOrigin_Change() { originBoxChanged(fraTabs->txtXOrigin, true); }
void frmGraph2D::txtYOrigin_Change() { originBoxChanged(fraTabs->txtYOrigin, false); }

} // namespace kinhom
