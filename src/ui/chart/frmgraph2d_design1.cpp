// The chart window's design of curves, point sets and texts: the curve panel
// fraKurven and the point panel fraPunkte (frakurven.h), the text panel
// fraSchrift and the labels and legend page of the Diagram Settings
// (fraschrift.h), the Design menu, and the right click on the chart that opens
// the panel of what lies under the mouse. What each control does to the chart is
// a design effect of core/chart/designeffects.h.
//
// The window keeps what the controls of each curve tab and point tab hold in
// KurvenTab and PunkteTab (the drawing pass and the editing commands write
// there); the panels show those values. A control's handler writes the value
// there first and then into the chart, so that a panel refreshed while it is
// open never shows an old value.

#include <algorithm>
#include <optional>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>

#include "core/chart/chartcontent.h"
#include "ui/shell/qtext.h"
#include "core/chart/curveexport.h"
#include "core/chart/designeffects.h"
#include "core/shell/numtext.h"
#include "ui/chart/chartview.h"
#include "ui/chart/frakurven.h"
#include "ui/chart/fraschrift.h"
#include "ui/chart/fratabs.h"
#include "ui/chart/panelwidgets.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

char LocaleDecimalSign() { return App::localeDecimalSign() == QStringLiteral(",") ? ',' : '.'; }

constexpr Rgb kBlack = RGB(0, 0, 0);
constexpr Rgb kLabelBackground = RGB(240, 240, 240);

// The colour dialog, started from a colour; nothing when it is cancelled.
std::optional<Rgb> AskColor(Rgb initial)
{
    const std::optional<QColor> chosen = app().services().chooseColor(QColor(initial.r, initial.g, initial.b));
    if (!chosen || !chosen->isValid()) return std::nullopt; // Cancel changes nothing
    return RGB(chosen->red(), chosen->green(), chosen->blue());
}

// The font dialog, preset with name, size, italic and bold of a font; nothing
// when it is cancelled.
std::optional<FontSpec> AskFont(const FontSpec& current)
{
    QFont initial(Q(current.Name));
    if (current.Size > 0) initial.setPointSizeF(current.Size);
    initial.setItalic(current.Italic);
    initial.setBold(current.Bold);
    const std::optional<QFont> chosen = app().services().chooseFont(initial);
    if (!chosen) return std::nullopt;
    FontSpec f;
    f.Name = S(chosen->family());
    f.Size = static_cast<float>(chosen->pointSizeF() > 0 ? chosen->pointSizeF() : current.Size);
    f.Italic = chosen->italic();
    f.Bold = chosen->bold();
    return f;
}

// The chart writes a line break as CR LF; the text box as LF.
QString BoxText(const std::string& chartText)
{
    QString t = Q(chartText);
    t.replace("\r\n", "\n");
    t.replace('\r', '\n');
    return t;
}

std::string ChartText(const QString& boxText)
{
    QString t = boxText;
    t.replace('\n', "\r\n");
    return S(t);
}

// Sets a box's text without running its handler, and only when it differs (so
// that a box being typed in keeps its caret).
void ShowText(QLineEdit* box, const QString& text)
{
    if (box->text() == text) return;
    const QSignalBlocker block(box);
    box->setText(text);
}

void ShowChecked(QCheckBox* box, bool checked)
{
    const QSignalBlocker block(box);
    box->setChecked(checked);
}

void ShowIndex(QComboBox* list, int index)
{
    const QSignalBlocker block(list);
    list->setCurrentIndex(index);
}

void ShowScroll(QScrollBar* bar, int min, int max, int value)
{
    const QSignalBlocker block(bar);
    bar->setRange(min, std::max(min, max));
    bar->setValue(value);
}

void ShowUpDown(UpDownControl* upDown, int value)
{
    const QSignalBlocker block(upDown);
    upDown->setValue(value);
}

// Esc closes a panel while it (or one of its controls) has the focus.
void EscapeClicks(QWidget* panel, QPushButton* close)
{
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(esc, &QShortcut::activated, close, Guarded([close] { close->click(); }));
}

// Runs handler(index) whenever an option of the group becomes selected.
template <class F>
void OnSelected(QButtonGroup* group, QObject* context, F handler)
{
    QObject::connect(group, &QButtonGroup::idToggled, context, Guarded([handler](int id, bool checked) {
        if (checked) handler(id);
    }));
}

} // namespace

// ---- building and connecting -----------------------------------------------------------------

void frmGraph2D::buildDesign1()
{
    fraKurven = new FraKurven(this);
    fraPunkte = new FraPunkte(this);
    fraSchrift = new FraSchrift(this);
    fraLabelLegend = new FraLabelLegend;
    fraTabs->addPage(fraLabelLegend, "Labels and Legend");

    // The panels are dragged by their caption or frame (eventFilter).
    for (QFrame* f : std::initializer_list<QFrame*>{fraKurven, fraPunkte, fraSchrift}) f->installEventFilter(this);
    fraKurven->caption->installEventFilter(this);
    fraPunkte->caption->installEventFilter(this);
    fraSchrift->caption->installEventFilter(this);
    EscapeClicks(fraKurven, fraKurven->cmdKurven_OK);
    EscapeClicks(fraPunkte, fraPunkte->cmdPunkte_OK);
    EscapeClicks(fraSchrift, fraSchrift->cmdSchriftFertig);

    // Curve tabs.
    FraKurven* k = fraKurven;
    for (int i = 1; i <= kMaxKurven; ++i) {
        connect(k->cmbKStil[At(i)], &QComboBox::currentIndexChanged, this, Guarded([this, i](int index) {
            KurvenTab[At(i)].cmbKStil = index;
            cmbKStil_Click(i);
        }));
        connect(k->cmdKurvenFarbe[At(i)], &QPushButton::clicked, this, Guarded([this, i] { cmdKurvenFarbe_Click(i); }));
        connect(k->UpDown1_KBreite[At(i)], &UpDownControl::valueChanged, this, Guarded([this, i] { UpDown1_KBreite_Change(i); }));
        connect(k->txtLabel[At(i)], &QLineEdit::textChanged, this, Guarded([this, i] { txtLabel_Change(i); }));
        connect(k->chkEinzelLabelSichtbar[At(i)], &QCheckBox::toggled, this,
                Guarded([this, i] { chkEinzelLabelSichtbar_Click(i); }));
        connect(k->scrShiftLab[At(i)], &QScrollBar::valueChanged, this, Guarded([this, i] { scrShiftLab_Change(i); }));
        connect(k->txtLegendCurves[At(i)], &QLineEdit::textChanged, this, Guarded([this, i] { txtLegendCurves_Change(i); }));
        connect(k->chkLegend1[At(i - 1)], &QCheckBox::toggled, this, Guarded([this, i] { chkLegend1_Click(i - 1); }));
    }
    connect(k->Label49, &ClickLabel::clicked, this, Guarded([this] { Label49_Click(); }));
    connect(k->cmdFarbVorwahl, &QPushButton::clicked, this, Guarded([this] { cmdFarbVorwahl_Click(); }));
    connect(k->cmdDelKurv, &QPushButton::clicked, this, Guarded([this] { cmdDelKurv_Click(); }));
    connect(k->cmdClipboard, &QPushButton::clicked, this, Guarded([this] { cmdClipboard_Click(); }));
    connect(k->cmdSaveCurveAsXY, &QPushButton::clicked, this, Guarded([this] { cmdSaveCurveAsXY_Click(); }));
    connect(k->cmdKurven_OK, &QPushButton::clicked, this, Guarded([this] { cmdKurven_OK_Click(); }));

    // Point tabs.
    FraPunkte* p = fraPunkte;
    for (int j = 1; j <= kPunktSaetze; ++j) {
        connect(p->cmbPunktStil[At(j)], &QComboBox::currentIndexChanged, this, Guarded([this, j](int index) {
            PunkteTab[At(j)].cmbPunktStil = index;
            cmbPunktStil_Click(j);
        }));
        connect(p->cmdPunktFarbe[At(j)], &QPushButton::clicked, this, Guarded([this, j] { cmdPunktFarbe_Click(j); }));
        connect(p->UpDown1_PointSize[At(j)], &UpDownControl::valueChanged, this,
                Guarded([this, j] { UpDown1_PointSize_Change(j); }));
        connect(p->txtLegendPoints[At(j)], &QLineEdit::textChanged, this, Guarded([this, j] { txtLegendPoints_Change(j); }));
        connect(p->chkLegend2[At(j)], &QCheckBox::toggled, this, Guarded([this, j] { chkLegend2_Click(j); }));
        connect(p->cmdDelPoints[At(j)], &QPushButton::clicked, this, Guarded([this, j] { cmdDelPoints_Click(j); }));
    }
    connect(p->cmdPunkte_OK, &QPushButton::clicked, this, Guarded([this] { cmdPunkte_OK_Click(); }));

    // Text panel.
    FraSchrift* s = fraSchrift;
    connect(s->schrift, &QPlainTextEdit::textChanged, this, Guarded([this] { schrift_Change(); }));
    connect(s->VScroll1, &QScrollBar::valueChanged, this, Guarded([this] { VScroll1_Change(); }));
    connect(s->HScroll1, &QScrollBar::valueChanged, this, Guarded([this] { HScroll1_Change(); }));
    connect(s->cmdSchriftHFarbe, &QPushButton::clicked, this, Guarded([this] { cmdSchriftHFarbe_Click(); }));
    connect(s->cmdFont, &QPushButton::clicked, this, Guarded([this] { cmdFont_Click(); }));
    connect(s->chkTextFrame, &QCheckBox::toggled, this, Guarded([this] { chkTextFrame_Click(); }));
    connect(s->cmdSchriftFertig, &QPushButton::clicked, this, Guarded([this] { cmdSchriftFertig_Click(); }));
    OnSelected(s->grpOrientYAxText, this, [this](int i) { optOrientYAxText_Click(i); });
    OnSelected(s->grpOrientYAxZiff, this, [this](int i) { optOrientYAxZiff_Click(i); });

    // Labels and legend.
    FraLabelLegend* l = fraLabelLegend;
    connect(l->chkLabelNotVisible, &QCheckBox::toggled, this, Guarded([this] { chkLabelNotVisible_Click(); }));
    connect(l->chkLabelFrame, &QCheckBox::toggled, this, Guarded([this] { chkLabelFrame_Click(); }));
    connect(l->cmdLabelFColor, &QPushButton::clicked, this, Guarded([this] { cmdLabelFColor_Click(); }));
    connect(l->cmdLabelBColor, &QPushButton::clicked, this, Guarded([this] { cmdLabelBColor_Click(); }));
    connect(l->cmdFontLabel, &QPushButton::clicked, this, Guarded([this] { cmdFontLabel_Click(); }));
    connect(l->chkLegend, &QCheckBox::toggled, this, Guarded([this] { chkLegend_Click(); }));
    connect(l->chkLegFrame, &QCheckBox::toggled, this, Guarded([this] { chkLegFrame_Click(); }));
    connect(l->chkLegTransparent, &QCheckBox::toggled, this, Guarded([this](bool checked) {
        chkLegTransparent = checked;
        chkLegTransparent_Click();
    }));
    connect(l->cmdLegBColor, &QPushButton::clicked, this, Guarded([this] { cmdLegBColor_Click(); }));
    connect(l->cmdLegFColor, &QPushButton::clicked, this, Guarded([this] { cmdLegFColor_Click(); }));
    connect(l->cmdLegFont, &QPushButton::clicked, this, Guarded([this] { cmdLegFont_Click(); }));
    OnSelected(l->grpLegOrient, this, [this](int i) { optLegOrient_Click(i); });
    connect(l->scrlegV, &QScrollBar::valueChanged, this, Guarded([this] { scrlegV_Change(); }));
    connect(l->scrLegH, &QScrollBar::valueChanged, this, Guarded([this] { scrLegH_Change(); }));

    // Menus.
    connect(mnuDesign, &QMenu::aboutToShow, this, Guarded([this] { mnuDesign_Click(); }));
    connect(mnuKurvenDesign, &QAction::triggered, this, Guarded([this] { mnuKurvenDesign_Click(); }));
    connect(mnuPunktDesign, &QAction::triggered, this, Guarded([this] { mnuPunktDesign_Click(); }));
    for (int e = 1; e <= 5; ++e) {
        mnuTextDesign[At(e)]->setEnabled(true);
        connect(mnuTextDesign[At(e)], &QAction::triggered, this, Guarded([this, e] { mnuTextDesign_Click(e); }));
    }
    mnuAddText->setEnabled(true);
    connect(mnuAddText, &QAction::triggered, this, Guarded([this] { mnuAddText_Click(); }));
    // The Diagram Settings show the legend's place as it is now.
    connect(mnuDesignMore, &QAction::triggered, this, Guarded([this] { showLabelLegendPage(); }));

    // The chart's mouse.
    connect(Chart2D1, &ChartView::chartMousePressed, this,
            Guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers m, QPointF pos) { Chart2D1_MouseDown(b, m, pos); }));
    connect(Chart2D1, &ChartView::chartMouseMoved, this,
            Guarded([this](Qt::MouseButtons b, Qt::KeyboardModifiers, QPointF pos) { Chart2D1_MouseMove(b, pos); }));
    connect(Chart2D1, &ChartView::chartMouseReleased, this,
            Guarded([this](Qt::MouseButton b, Qt::KeyboardModifiers, QPointF pos) { Chart2D1_MouseUp(b, pos); }));

    // While a panel is open it follows what the drawing pass and the editing
    // commands change.
    QPointer<frmGraph2D> self(this);
    chart().addListener([self] {
        if (!self) return;
        if (self->fraKurven->isVisible()) self->showCurveTabs();
        if (self->fraPunkte->isVisible()) self->showPointTabs();
    });
}

// Form_Load step 3: where the panels first appear (below the menu bar).
void frmGraph2D::placeDesign1Panels(int menuHeight)
{
    fraKurven->move(0, menuHeight + TwipsToPixels(300));
    fraSchrift->move(0, menuHeight + TwipsToPixels(1500));
    fraPunkte->move(0, menuHeight);
}

// Form_Load step 5 for curve slot i: the colour button in the preset colour, the
// style list on "Curve solid" (its handler applies it), line width "1", the slot
// free and its tab without caption and unavailable.
void frmGraph2D::loadCurveTab(int i)
{
    if (i < 1 || i > kMaxKurven) return;
    const Declare& d = app().declare();
    CurveTab& t = KurvenTab[At(i)];
    t = CurveTab{};
    t.cmdKurvenFarbe = d.Vorwahlfarbe;
    t.Label39 = "1";
    t.caption.clear();
    t.available = false;
    KurveFrei[At(i)] = true;
    showCurveTab(i);
    fraKurven->cmbKStil[At(i)]->setCurrentIndex(1);
}

// Form_Load step 6 for point set j: symbol size "6", the preset colour, the
// symbol list on the set's start symbol (dots, circles, triangles ...).
void frmGraph2D::loadPointTab(int j)
{
    if (j < 1 || j > kPunktSaetze) return;
    const Declare& d = app().declare();
    PointTab& p = PunkteTab[At(j)];
    p = PointTab{};
    p.Label56 = "6";
    p.cmdPunktFarbe = d.Vorwahlfarbe;
    showPointTab(j);
    fraPunkte->cmbPunktStil[At(j)]->setCurrentIndex(StartPointStyle(j));
}

// Form_Load step 8: every curve label's "visible" ticked.
void frmGraph2D::loadLabelControls()
{
    for (int i = 1; i <= kMaxKurven; ++i) fraKurven->chkEinzelLabelSichtbar[At(i)]->setChecked(true);
}

// Form_Load step 9: the legend vertical and framed; its position bars show where
// it stands; its colour buttons black and the remembered background.
void frmGraph2D::loadLegendControls()
{
    FraLabelLegend* l = fraLabelLegend;
    const Chart2D& c = chart();
    l->optLegOrient[1]->setChecked(true);
    l->chkLegFrame->setChecked(true);
    l->scrlegV->setRange(0, std::max(0, c.Height()));
    l->scrLegH->setRange(0, std::max(0, c.Width()));
    l->scrlegV->setValue(c.Legend().Location().Top());
    l->scrLegH->setValue(c.Legend().Location().Left());
    SetButtonColor(l->cmdLegFColor, kBlack);
    SetButtonColor(l->cmdLegBColor, LegendeHintergrund);
}

// Form_Load step 13 (the parts of the texts, labels and legend): Y numbers
// horizontal, Y title vertical, texts unframed, the preset colour, the label
// colour buttons, labels shown and unframed.
void frmGraph2D::loadDesign1Defaults()
{
    FraSchrift* s = fraSchrift;
    FraLabelLegend* l = fraLabelLegend;
    s->optOrientYAxZiff[0]->setChecked(true);
    s->optOrientYAxText[1]->setChecked(true);
    s->chkTextFrame->setChecked(false);
    SetButtonColor(fraKurven->cmdFarbVorwahl, app().declare().Vorwahlfarbe);
    SetButtonColor(l->cmdLabelFColor, kBlack);
    SetButtonColor(l->cmdLabelBColor, kLabelBackground);
    l->chkLabelNotVisible->setChecked(false);
    l->chkLabelFrame->setChecked(false);
}

// ---- what the panels show ---------------------------------------------------------------------------

void frmGraph2D::showCurveTab(int i)
{
    FraKurven* k = fraKurven;
    const Chart2D& c = chart();
    const CurveTab& t = KurvenTab[At(i)];
    {
        const QSignalBlocker block(k->tabKurven);
        k->tabKurven->setTabText(i - 1, t.caption);
        // A free slot's tab is not shown at all: 24 empty tabs say nothing.
        ShowTab(k->tabKurven, i - 1, t.available);
    }
    ShowIndex(k->cmbKStil[At(i)], t.cmbKStil);
    SetButtonColor(k->cmdKurvenFarbe[At(i)], t.cmdKurvenFarbe);
    k->Label39[At(i)]->setText(t.Label39);
    ShowUpDown(k->UpDown1_KBreite[At(i)], static_cast<int>(Val(S(t.Label39))));
    ShowText(k->txtLabel[At(i)], t.txtLabel);
    ShowChecked(k->chkEinzelLabelSichtbar[At(i)], t.chkEinzelLabelSichtbar);
    ShowScroll(k->scrShiftLab[At(i)], 1, c.ChartGroups(1).Data().NumPoints(i), t.scrShiftLab);
    ShowText(k->txtLegendCurves[At(i)], t.txtLegendCurves);
    ShowChecked(k->chkLegend1[At(i - 1)], c.Legend().IsShowing());
}

void frmGraph2D::showCurveTabs()
{
    for (int i = 1; i <= kMaxKurven; ++i) showCurveTab(i);
    SetButtonColor(fraKurven->cmdFarbVorwahl, app().declare().Vorwahlfarbe);
}

void frmGraph2D::showPointTab(int j)
{
    FraPunkte* p = fraPunkte;
    const PointTab& t = PunkteTab[At(j)];
    p->tabPunkte->setTabEnabled(j - 1, t.available);
    ShowIndex(p->cmbPunktStil[At(j)], t.cmbPunktStil);
    SetButtonColor(p->cmdPunktFarbe[At(j)], t.cmdPunktFarbe);
    p->Label56[At(j)]->setText(t.Label56);
    ShowUpDown(p->UpDown1_PointSize[At(j)], static_cast<int>(Val(S(t.Label56))));
    ShowText(p->txtLegendPoints[At(j)], t.txtLegendPoints);
    ShowChecked(p->chkLegend2[At(j)], chart().Legend().IsShowing());
}

void frmGraph2D::showPointTabs()
{
    for (int j = 1; j <= kPunktSaetze; ++j) showPointTab(j);
}

void frmGraph2D::showLabelLegendPage()
{
    FraLabelLegend* l = fraLabelLegend;
    const Chart2D& c = chart();
    ShowChecked(l->chkLegend, c.Legend().IsShowing());
    ShowScroll(l->scrlegV, 0, c.Height(), c.Legend().Location().Top());
    ShowScroll(l->scrLegH, 0, c.Width(), c.Legend().Location().Left());
    SetButtonColor(l->cmdLegBColor, LegendeHintergrund);
}

// ---- the Design menu and the panels ------------------------------------------------------------------

void frmGraph2D::mnuDesign_Click()
{
    const Declare& d = app().declare();
    mnuKurvenDesign->setEnabled(CurveDesignEnabled(d.KurvenAnzahl));
    mnuPunktDesign->setEnabled(PointDesignEnabled(chart(), d.kTDiagramm, d.kTDaten));
}

// The tab of slot i as the chart holds the slot: a free slot's tab unavailable
// with the preset colour; a curve's tab available, captioned "C.i", in the
// curve's colour.
void frmGraph2D::fillCurveTab(int i)
{
    CurveTab& t = KurvenTab[At(i)];
    if (KurveFrei[At(i)]) {
        t.available = false;
        t.cmdKurvenFarbe = app().declare().Vorwahlfarbe;
    } else {
        t.available = true;
        t.cmdKurvenFarbe = chart().ChartGroups(1).Styles(i).LineStyle().Color();
        t.caption = Q(CurveTabCaption(i));
    }
}

void frmGraph2D::mnuKurvenDesign_Click()
{
    Chart2D& c = chart();
    {
        Chart2D::Batch batch(c);
        for (int i = 1; i <= kMaxKurven; ++i) fillCurveTab(i);
        showCurveTabs();
        // The style lists read the curves' patterns; a list whose position
        // changes writes its style back (a pattern the list does not offer
        // becomes "Single points only").
        for (int i = 1; i <= kMaxKurven; ++i)
            if (!KurveFrei[At(i)])
                fraKurven->cmbKStil[At(i)]->setCurrentIndex(
                    CurveStyleListPos(c.ChartGroups(1).Styles(i).LineStyle().Pattern()));
    }
    if (const int first = FirstUsedCurveSlot(KurveFrei); first > 0) fraKurven->tabKurven->setCurrentIndex(first - 1);
    showPanel(fraKurven);
}

void frmGraph2D::mnuPunktDesign_Click()
{
    const Declare& d = app().declare();
    Chart2D& c = chart();
    {
        Chart2D::Batch batch(c);
        for (int j = 1; j <= kPunktSaetze; ++j) {
            const bool held = c.ChartGroups(2).Data().NumPoints(j) > 0;
            PunkteTab[At(j)].cmdPunktFarbe = held ? c.ChartGroups(2).Styles(j).SymbolStyle().Color() : d.Vorwahlfarbe;
        }
    }
    showPanel(fraPunkte);
    Form_Activate();
    showPointTabs();
    // Open on a set that can be designed.
    QTabWidget* tabs = fraPunkte->tabPunkte;
    if (!tabs->isTabEnabled(tabs->currentIndex()))
        for (int j = 0; j < tabs->count(); ++j)
            if (tabs->isTabEnabled(j)) {
                tabs->setCurrentIndex(j);
                break;
            }
}

void frmGraph2D::cmdKurven_OK_Click() { fraKurven->hide(); }

void frmGraph2D::hideDesign1Panels()
{
    for (QFrame* f : std::initializer_list<QFrame*>{fraKurven, fraPunkte, fraSchrift})
        if (f) f->hide();
}

QWidget* frmGraph2D::design1PanelOf(QWidget* w) const
{
    if (!w) return nullptr;
    for (QFrame* f : std::initializer_list<QFrame*>{fraKurven, fraPunkte, fraSchrift})
        if (f && (w == f || w->parentWidget() == f)) return f;
    return nullptr;
}
void frmGraph2D::cmdPunkte_OK_Click() { fraPunkte->hide(); }

// ---- curve and point styles, colours, widths --------------------------------------------------------

void frmGraph2D::cmdKurvenFarbe_Click(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    CurveTab& t = KurvenTab[At(Index)];
    const std::optional<Rgb> col = AskColor(t.cmdKurvenFarbe);
    if (!col) return;
    t.cmdKurvenFarbe = *col;
    SetButtonColor(fraKurven->cmdKurvenFarbe[At(Index)], *col);
    ApplyCurveColor(chart(), Index, *col);
}

void frmGraph2D::cmdPunktFarbe_Click(int Index)
{
    if (Index < 1 || Index > kPunktSaetze) return;
    PointTab& t = PunkteTab[At(Index)];
    const std::optional<Rgb> col = AskColor(t.cmdPunktFarbe);
    if (!col) return;
    t.cmdPunktFarbe = *col;
    SetButtonColor(fraPunkte->cmdPunktFarbe[At(Index)], *col);
    ApplyPointColor(chart(), Index, *col);
}

void frmGraph2D::cmdFarbVorwahl_Click()
{
    Declare& d = app().declare();
    const std::optional<Rgb> col = AskColor(d.Vorwahlfarbe);
    if (!col) return;
    d.Vorwahlfarbe = *col;
    SetButtonColor(fraKurven->cmdFarbVorwahl, d.Vorwahlfarbe);
}

void frmGraph2D::Label49_Click() { cmdFarbVorwahl_Click(); }

void frmGraph2D::UpDown1_KBreite_Change(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    CurveTab& t = KurvenTab[At(Index)];
    t.Label39 = QString::number(fraKurven->UpDown1_KBreite[At(Index)]->value());
    fraKurven->Label39[At(Index)]->setText(t.Label39);
    ApplyCurveWidth(chart(), Index, static_cast<int>(Val(S(t.Label39))));
}

void frmGraph2D::UpDown1_PointSize_Change(int Index)
{
    if (Index < 1 || Index > kPunktSaetze) return;
    PointTab& t = PunkteTab[At(Index)];
    t.Label56 = QString::number(fraPunkte->UpDown1_PointSize[At(Index)]->value());
    fraPunkte->Label56[At(Index)]->setText(t.Label56);
    ApplyPointSize(chart(), Index, static_cast<int>(Val(S(t.Label56))));
}

// ---- curve labels ------------------------------------------------------------------------------------

void frmGraph2D::txtLabel_Change(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    CurveTab& t = KurvenTab[At(Index)];
    t.txtLabel = fraKurven->txtLabel[At(Index)]->text();
    chart().ChartLabels(Index).setText(S(t.txtLabel));
}

void frmGraph2D::scrShiftLab_Change(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    CurveTab& t = KurvenTab[At(Index)];
    t.scrShiftLab = fraKurven->scrShiftLab[At(Index)]->value();
    ApplyCurveLabelPoint(chart(), Index, t.scrShiftLab);
}

void frmGraph2D::chkEinzelLabelSichtbar_Click(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    CurveTab& t = KurvenTab[At(Index)];
    t.chkEinzelLabelSichtbar = fraKurven->chkEinzelLabelSichtbar[At(Index)]->isChecked();
    ChartLabel& label = chart().ChartLabels(Index);
    label.setIsShowing(t.chkEinzelLabelSichtbar);
    // Unticking never disables the menu item: other labels may still show.
    if (label.IsShowing()) mnuDelLabels->setEnabled(true);
}

void frmGraph2D::chkLabelNotVisible_Click()
{
    const bool hide = fraLabelLegend->chkLabelNotVisible->isChecked();
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    ApplyCurveLabelsShown(c, !hide);
    // Hiding clears the single "visible" boxes; showing leaves them as they are.
    if (hide)
        for (int i = 1; i <= kMaxKurven; ++i) fraKurven->chkEinzelLabelSichtbar[At(i)]->setChecked(false);
    mnuDelLabels->setEnabled(!hide);
}

void frmGraph2D::chkLabelFrame_Click() { ApplyCurveLabelFrame(chart(), fraLabelLegend->chkLabelFrame->isChecked()); }

void frmGraph2D::cmdLabelFColor_Click()
{
    QPushButton* b = fraLabelLegend->cmdLabelFColor;
    const std::optional<Rgb> col = AskColor(ButtonColor(b));
    if (!col) return;
    ApplyCurveLabelColor(chart(), *col, true);
    SetButtonColor(b, *col);
}

void frmGraph2D::cmdLabelBColor_Click()
{
    QPushButton* b = fraLabelLegend->cmdLabelBColor;
    const std::optional<Rgb> col = AskColor(ButtonColor(b));
    if (!col) return;
    ApplyCurveLabelColor(chart(), *col, false);
    SetButtonColor(b, *col);
}

void frmGraph2D::cmdFontLabel_Click()
{
    // Cancel changes no font; the batch (none is open yet) stays closed.
    const std::optional<FontSpec> f = AskFont(chart().ChartLabels(1).Font());
    if (!f) return;
    ApplyCurveLabelFont(chart(), *f);
}

// ---- legend texts and the legend ---------------------------------------------------------------------

void frmGraph2D::txtLegendCurves_Change(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    CurveTab& t = KurvenTab[At(Index)];
    t.txtLegendCurves = fraKurven->txtLegendCurves[At(Index)]->text();
    SeriesLabelList& legend = chart().ChartGroups(1).SeriesLabels();
    while (legend.Count() < Index) legend.Add("");
    legend.setItem(Index, S(t.txtLegendCurves));
}

void frmGraph2D::txtLegendPoints_Change(int Index)
{
    if (Index < 1 || Index > kPunktSaetze) return;
    PointTab& t = PunkteTab[At(Index)];
    t.txtLegendPoints = fraPunkte->txtLegendPoints[At(Index)]->text();
    SeriesLabelList& legend = chart().ChartGroups(2).SeriesLabels();
    while (legend.Count() < Index) legend.Add("");
    legend.setItem(Index, S(t.txtLegendPoints));
}

void frmGraph2D::chkLegend_Click() { legendBoxClicked(fraLabelLegend->chkLegend->isChecked()); }

void frmGraph2D::chkLegend1_Click(int Index)
{
    if (Index < 0 || Index >= kMaxKurven) return;
    legendBoxClicked(fraKurven->chkLegend1[At(Index)]->isChecked());
}

void frmGraph2D::chkLegend2_Click(int Index)
{
    if (Index < 1 || Index > kPunktSaetze) return;
    legendBoxClicked(fraPunkte->chkLegend2[At(Index)]->isChecked());
}

// The legend boxes all show one state: the clicked box's value shows or hides
// the legend, and every other box follows. A box changed by this cascade runs its
// handler, which finds the work done.
void frmGraph2D::legendBoxClicked(bool v)
{
    if (legendCascade_) return;
    legendCascade_ = true;
    Chart2D& c = chart();
    c.Legend().setIsShowing(v);
    const bool shown = c.Legend().IsShowing();
    mnuDelLegend->setEnabled(shown);
    mnuDelLegendZeile->setEnabled(shown);
    mnuAddLegend->setEnabled(!shown);
    fraLabelLegend->chkLegend->setChecked(v);
    for (QCheckBox* b : fraKurven->chkLegend1) b->setChecked(v);
    for (int j = 1; j <= kPunktSaetze; ++j) fraPunkte->chkLegend2[At(j)]->setChecked(v);
    legendCascade_ = false;
}

void frmGraph2D::cmdLegBColor_Click()
{
    const std::optional<Rgb> col = AskColor(LegendeHintergrund);
    if (!col) return;
    LegendeHintergrund = ApplyLegendBackground(chart(), *col);
    SetButtonColor(fraLabelLegend->cmdLegBColor, LegendeHintergrund);
}

void frmGraph2D::cmdLegFColor_Click()
{
    QPushButton* b = fraLabelLegend->cmdLegFColor;
    const std::optional<Rgb> col = AskColor(ButtonColor(b));
    if (!col) return;
    chart().Legend().Interior().setForegroundColor(*col);
    SetButtonColor(b, *col);
}

void frmGraph2D::cmdLegFont_Click()
{
    const std::optional<FontSpec> f = AskFont(chart().Legend().Font());
    if (!f) return;
    ApplyLegendFont(chart(), *f);
}

void frmGraph2D::chkLegFrame_Click() { ApplyLegendFrame(chart(), fraLabelLegend->chkLegFrame->isChecked()); }

void frmGraph2D::optLegOrient_Click(int Index) { ApplyLegendOrientation(chart(), Index); }

void frmGraph2D::scrlegV_Change() { chart().Legend().Location().setTop(fraLabelLegend->scrlegV->value()); }

void frmGraph2D::scrLegH_Change() { chart().Legend().Location().setLeft(fraLabelLegend->scrLegH->value()); }

// ---- the text panel ------------------------------------------------------------------------------------

void frmGraph2D::mnuTextDesign_Click(int Index)
{
    const TextPanelSetup setup = TextPanelFor(Index);
    if (!setup.known) return;
    TextElement = Index;
    FraSchrift* s = fraSchrift;
    const Chart2D& c = chart();

    // Common steps.
    s->Label60->setEnabled(true);
    s->cmdSchriftHFarbe->setEnabled(true);
    showPanel(s);
    s->VScroll1->setEnabled(true);
    s->HScroll1->setEnabled(true);
    s->fraTextShift->setEnabled(true);
    s->fraYText->setEnabled(false);
    s->fraYZiff->setEnabled(false);
    for (QRadioButton* o : s->optOrientYAxText) o->setEnabled(false);
    for (QRadioButton* o : s->optOrientYAxZiff) o->setEnabled(false);
    s->chkTextFrame->setEnabled(true);

    if (setup.setsCaption) {
        s->caption->setText(Q(setup.caption));
        // Writing the box runs its handler: the element takes the text as shown.
        s->schrift->setPlainText(BoxText(TextElementText(c, Index)));
        if (setup.shiftEnabled) {
            ShowScroll(s->VScroll1, 0, c.Height(), s->VScroll1->value());
            ShowScroll(s->HScroll1, 0, c.Width(), s->HScroll1->value());
            s->VScroll1->setValue(TextElementTop(c, Index).value_or(0));
            s->HScroll1->setValue(TextElementLeft(c, Index).value_or(0));
        } else {
            s->VScroll1->setEnabled(false);
            s->HScroll1->setEnabled(false);
        }
        if (setup.frameEnabled) {
            s->chkTextFrame->setChecked(TextElementFramed(c, Index));
            SetButtonColor(s->cmdSchriftHFarbe, Index == TextElementId::Header
                                                    ? c.Header().Interior().BackgroundColor()
                                                    : c.Footer().Interior().BackgroundColor());
        } else {
            s->chkTextFrame->setEnabled(false);
        }
        if (setup.yOrientationEnabled) {
            s->fraYText->setEnabled(true);
            s->fraYZiff->setEnabled(true);
            for (QRadioButton* o : s->optOrientYAxText) o->setEnabled(true);
            for (QRadioButton* o : s->optOrientYAxZiff) o->setEnabled(true);
        }
        if (!setup.backColorEnabled) {
            s->Label60->setEnabled(false);
            s->cmdSchriftHFarbe->setEnabled(false);
            s->fraTextShift->setEnabled(false);
        }
    }
    s->adjustSize(); // the caption's length changes with the element
    s->schrift->caretToEnd();
    if (s->schrift->isVisible()) s->schrift->setFocus();

    // "Curve Label/Legend": the labels and legend texts are on the curve tabs.
    if (setup.opensCurvePanel) mnuKurvenDesign_Click();
}

void frmGraph2D::mnuAddText_Click() { mnuTextDesign_Click(TextElementId::Footer); }

void frmGraph2D::schrift_Change()
{
    SetTextElementText(chart(), TextElement, ChartText(fraSchrift->schrift->toPlainText()));
}

void frmGraph2D::VScroll1_Change() { MoveTextElementTop(chart(), TextElement, fraSchrift->VScroll1->value()); }

void frmGraph2D::HScroll1_Change() { MoveTextElementLeft(chart(), TextElement, fraSchrift->HScroll1->value()); }

void frmGraph2D::cmdSchriftHFarbe_Click()
{
    if (TextElement != TextElementId::Header && TextElement != TextElementId::Footer) return;
    const Chart2D& c = chart();
    const Rgb now = TextElement == TextElementId::Header ? c.Header().Interior().BackgroundColor()
                                                         : c.Footer().Interior().BackgroundColor();
    const std::optional<Rgb> col = AskColor(now);
    if (!col) return;
    ApplyTextBackground(chart(), TextElement, *col);
    SetButtonColor(fraSchrift->cmdSchriftHFarbe, *col);
}

void frmGraph2D::cmdFont_Click()
{
    if (TextElement < TextElementId::Header || TextElement > TextElementId::YTitle) return;
    const std::optional<FontSpec> f = AskFont(TextElementFont(chart(), TextElement));
    if (!f) return;
    ApplyTextElementFont(chart(), TextElement, *f);
}

void frmGraph2D::chkTextFrame_Click() { ApplyTextFrame(chart(), TextElement, fraSchrift->chkTextFrame->isChecked()); }

void frmGraph2D::cmdSchriftFertig_Click() { fraSchrift->hide(); }

void frmGraph2D::optOrientYAxText_Click(int Index) { ApplyYTitleOrientation(chart(), Index); }

void frmGraph2D::optOrientYAxZiff_Click(int Index) { ApplyYNumberOrientation(chart(), Index); }

// ---- the chart's mouse -----------------------------------------------------------------------------------

void frmGraph2D::Chart2D1_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPointF pos)
{
    (void)Shift;
    const HitResult hit = Chart2D1->hitTest(pos);
    if (Button == Qt::RightButton) {
        openDesignFor(DesignTargetFor(hit));
        return;
    }
    if (Button == Qt::LeftButton) {
        // A press on a half-life mark shows its marker text there; a press on
        // the text picks it up to be placed elsewhere.
        const int label = MarkerLabelFor(hit);
        if (label != 0 && placeMarkerText(label, pos)) markerDrag_ = label;
    }
}

void frmGraph2D::Chart2D1_MouseMove(Qt::MouseButtons Button, QPointF pos)
{
    if (markerDrag_ != 0 && (Button & Qt::LeftButton)) placeMarkerText(markerDrag_, pos);
}

void frmGraph2D::Chart2D1_MouseUp(Qt::MouseButton Button, QPointF pos)
{
    if (markerDrag_ == 0 || Button != Qt::LeftButton) return;
    placeMarkerText(markerDrag_, pos);
    markerDrag_ = 0;
}

bool frmGraph2D::placeMarkerText(int label, QPointF pos)
{
    const Declare& d = app().declare();
    Chart2D& c = chart();
    // The mark of a marker text is the series of the same number.
    if (c.ChartGroups(1).Data().NumPoints(label) < 1) return false;
    double x = 0, y = 0;
    if (!Chart2D1->dataAt(pos, x, y)) return false;
    const float tau = static_cast<float>(c.ChartGroups(1).Data().X(label, 1));
    PlaceMarkerText(c, label, x, y,
                    HalfLifeMarkerText(tau, label == kHalfLifeSeriesB, d.Zeiteinheit, LocaleDecimalSign()));
    mnuDelMarkLabels->setEnabled(true);
    return true;
}

void frmGraph2D::openDesignFor(const DesignTarget& target)
{
    switch (target.panel) {
    case DesignTarget::Panel::Curves: {
        mnuKurvenDesign_Click();
        FraKurven* k = fraKurven;
        int slot = target.index;
        if (slot >= 1 && k->tabKurven->isTabEnabled(slot - 1))
            k->tabKurven->setCurrentIndex(slot - 1);
        else
            slot = k->tabKurven->currentIndex() + 1;
        if (slot < 1 || slot > kMaxKurven) return;
        if (target.field == DesignTarget::Field::Label) k->txtLabel[At(slot)]->setFocus();
        if (target.field == DesignTarget::Field::Legend) k->txtLegendCurves[At(slot)]->setFocus();
        break;
    }
    case DesignTarget::Panel::Points: {
        mnuPunktDesign_Click();
        FraPunkte* p = fraPunkte;
        if (target.index >= 1 && p->tabPunkte->isTabEnabled(target.index - 1))
            p->tabPunkte->setCurrentIndex(target.index - 1);
        const int set = p->tabPunkte->currentIndex() + 1;
        if (target.field == DesignTarget::Field::Legend && set >= 1 && set <= kPunktSaetze)
            p->txtLegendPoints[At(set)]->setFocus();
        break;
    }
    case DesignTarget::Panel::Text: mnuTextDesign_Click(target.index); break;
    case DesignTarget::Panel::Diagram:
        mnuDesignMore_Click();
        showLabelLegendPage();
        break;
    case DesignTarget::Panel::None: break;
    }
}

} // namespace kinhom
