#include "ui/evaluation/frmcalctangente.h"

#include <algorithm>
#include <cmath>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "core/evaluation/tangent.h"
#include "core/shell/error.h"
#include "core/shell/fieldline.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

constexpr int kZeitSchritte = 1000; // positions of the time slider
constexpr const char* kTitel = "Calculating Rate of Reaction ";
// The tangent is drawn over a fifth of the measured time range on each side.
constexpr double kTangentHalfWidth = 0.2;

QLabel* ValueLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(200);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

frmCalcTangente::frmCalcTangente(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmCalcTangente);
    setWindowTitle(kTitel);

    lblSpezies = new QLabel(this);
    lblSpezies->setObjectName("lblSpezies");
    QFont bold = lblSpezies->font();
    bold.setBold(true);
    lblSpezies->setFont(bold);

    lblGlaettung = new QLabel("Smoothin&g:", this);
    lblGlaettung->setObjectName("lblGlaettung");
    scrGlaettung = new QSlider(Qt::Horizontal, this);
    scrGlaettung->setObjectName("scrGlaettung");
    scrGlaettung->setRange(0, 200);
    scrGlaettung->setSingleStep(5);
    scrGlaettung->setPageStep(20);
    scrGlaettung->setToolTip("0: the spline passes through every measured point");
    lblGlaettung->setBuddy(scrGlaettung);
    lblGlaettungWert = new QLabel("0.00", this);
    lblGlaettungWert->setObjectName("lblGlaettungWert");
    lblGlaettungWert->setMinimumWidth(40);

    lblZeit = new QLabel("&Time t =", this);
    lblZeit->setObjectName("lblZeit");
    txtZeit = new QLineEdit(this);
    txtZeit->setObjectName("txtZeit");
    txtZeit->setFixedWidth(110);
    lblZeit->setBuddy(txtZeit);
    SelectAllOnFocus(txtZeit);
    InstallKeyPress(txtZeit, [](int& KeyAscii) {
        if (!NumKeyFilter(KeyAscii)) KeyAscii = 0;
    });
    lblZeitUnit = new QLabel(this);
    lblZeitUnit->setObjectName("lblZeitUnit");
    scrZeit = new QSlider(Qt::Horizontal, this);
    scrZeit->setObjectName("scrZeit");
    scrZeit->setRange(0, kZeitSchritte);
    scrZeit->setSingleStep(5);
    scrZeit->setPageStep(50);
    scrZeit->setToolTip("Time within the range of the measured points");
    lblBereich = new QLabel(this);
    lblBereich->setObjectName("lblBereich");
    QFont small = lblBereich->font();
    small.setItalic(true);
    lblBereich->setFont(small);

    lblC = new QLabel(this);
    lblC->setObjectName("lblC");
    lblCWert = ValueLabel(this, "lblCWert");
    lblRate = new QLabel(this);
    lblRate->setObjectName("lblRate");
    lblRateWert = ValueLabel(this, "lblRateWert");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(lblGlaettung, 0, 0);
    grid->addWidget(scrGlaettung, 0, 1, 1, 2);
    grid->addWidget(lblGlaettungWert, 0, 3);
    grid->addWidget(lblZeit, 1, 0);
    grid->addWidget(txtZeit, 1, 1);
    grid->addWidget(lblZeitUnit, 1, 2);
    grid->addWidget(scrZeit, 2, 1, 1, 3);
    grid->addWidget(lblBereich, 3, 1, 1, 3);
    grid->addWidget(lblC, 4, 0);
    grid->addWidget(lblCWert, 4, 1, 1, 3);
    grid->addWidget(lblRate, 5, 0);
    grid->addWidget(lblRateWert, 5, 1, 1, 3);
    grid->setColumnStretch(2, 1);

    cmdBerechnen = new QPushButton("Calc&ulate", this);
    cmdBerechnen->setObjectName("cmdBerechnen");
    cmdBerechnen->setDefault(true);
    cmdClose = new QPushButton("Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setToolTip("Close this window <Esc>");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdBerechnen);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(lblSpezies);
    layout->addSpacing(4);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(scrGlaettung, &QSlider::valueChanged, this, Guarded([this] { scrGlaettung_Change(); }));
    connect(scrZeit, &QSlider::valueChanged, this, Guarded([this] { scrZeit_Change(); }));
    connect(txtZeit, &QLineEdit::returnPressed, cmdBerechnen, &QPushButton::click);
    connect(cmdBerechnen, &QPushButton::clicked, this, Guarded([this] { cmdBerechnen_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));
    QWidget* const order[] = {scrGlaettung, txtZeit, scrZeit, cmdBerechnen, cmdClose};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmCalcTangente::Form_Load()
{
    const Declare& d = app().declare();
    const std::string species = SpeciesConcText(d.TangenteSpalte);
    lblSpezies->setText(Q("Rate of reaction from the points " + species + " - t"));
    lblC->setText(Q(species + " ="));
    lblRate->setText(Q("d" + species + "/dt ="));
    lblZeitUnit->setText(Q(d.Zeiteinheit));

    const TimeRange range = MeasuredTimeRange(d);
    lblBereich->setText(Q("measured from t =" + StrDouble(range.tMin) + " " + d.Zeiteinheit + " to t =" +
                          StrDouble(range.tMax) + " " + d.Zeiteinheit));
    scrZeit->setEnabled(d.AnzahlPunkte >= 2 && range.tMax > range.tMin);
    settingTime_ = true;
    scrGlaettung->setValue(static_cast<int>(std::lround(d.Glaettung * 200)));
    lblGlaettungWert->setText(Q(FormatPattern(d.Glaettung, "0.00")));
    scrZeit->setValue(0);
    txtZeit->setText(Q(GenDouble(range.tMin)));
    settingTime_ = false;
    clearResults();

    // At the bottom left of the main window's working area: the chart window
    // opens to the right of its left edge and high up, so the tangent window
    // hides as little of the curve as it can.
    QWidget* f = frame();
    if (f) f->resize(f->sizeHint().expandedTo(QSize(480, 0)));
    QMdiArea* area = app().mdiArea();
    const int areaHeight = area && area->isVisible() ? area->viewport()->height() : 0;
    Move(0, std::max(0, PixelsToTwips(areaHeight) - Height()));
}

void frmCalcTangente::clearResults()
{
    lblCWert->clear();
    lblRateWert->clear();
}

void frmCalcTangente::scrGlaettung_Change()
{
    App& a = app();
    Declare& d = a.declare();
    d.Glaettung = static_cast<float>(scrGlaettung->value()) / 200.0f;
    lblGlaettungWert->setText(Q(FormatPattern(d.Glaettung, "0.00")));
    if (settingTime_) return;
    if (frmGraph2D* g = a.find<frmGraph2D>(); g && d.DiagrammTyp == DiagramCode::Tangent) {
        d.KurvenZuZeichnen = 1;
        g->DeleteCurves(0);
        tangentSlot_ = 0; // deleted with every other curve
        g->DrawCurves();
    }
    if (!lblCWert->text().isEmpty()) cmdBerechnen_Click();
}

void frmCalcTangente::scrZeit_Change()
{
    if (settingTime_) return;
    const TimeRange range = MeasuredTimeRange(app().declare());
    const double t = range.tMin + (range.tMax - range.tMin) * scrZeit->value() / kZeitSchritte;
    settingTime_ = true;
    txtZeit->setText(Q(GenDouble(t)));
    settingTime_ = false;
    BerechneTangente(scrZeit->value() == kZeitSchritte ? range.tMax : t);
}

void frmCalcTangente::cmdBerechnen_Click()
{
    std::string text = S(txtZeit->text());
    std::replace(text.begin(), text.end(), ',', '.');
    double t = 0;
    std::string why;
    if (!ParseDoubleField(text, t, why)) {
        clearResults();
        removeTangent();
        app().services().msgBox(Q("Please enter the time t as a number (" + why + ")."), MsgButtons::OK,
                                MsgIcon::Exclamation, kTitel);
        return;
    }
    if (BerechneTangente(t)) {
        // the slider follows a typed time
        const TimeRange range = MeasuredTimeRange(app().declare());
        if (range.tMax > range.tMin) {
            settingTime_ = true;
            scrZeit->setValue(static_cast<int>(std::lround((t - range.tMin) / (range.tMax - range.tMin) * kZeitSchritte)));
            settingTime_ = false;
        }
    }
}

bool frmCalcTangente::BerechneTangente(double t)
{
    App& a = app();
    Declare& d = a.declare();
    TangentPoint p;
    try {
        p = TangentAt(d, d.TangenteSpalte, t);
    } catch (const KinError& e) {
        clearResults();
        removeTangent();
        a.services().msgBox(Q(e.description()), MsgButtons::OK, MsgIcon::Exclamation, kTitel);
        return false;
    }
    lblCWert->setText(Q(GenSingle(static_cast<float>(p.c)) + " mol/l"));
    lblRateWert->setText(Q(GenSingle(static_cast<float>(p.rate)) + " " + RateUnit(d.Zeiteinheit)));

    const TimeRange range = MeasuredTimeRange(d);
    const double half = kTangentHalfWidth * (range.tMax - range.tMin);
    const double x0 = std::max(static_cast<double>(d.Diagramm.xMin), t - half);
    const double x1 = std::min(static_cast<double>(d.Diagramm.xMax), t + half);
    drawTangent(TangentLine(p, std::min(x0, t), std::max(x1, t)));
    return true;
}

void frmCalcTangente::drawTangent(const std::vector<KurvenPunkt>& line)
{
    removeTangent();
    frmGraph2D* g = app().find<frmGraph2D>();
    if (!g) return;
    tangentSlot_ = g->DrawOwnCurve(line, "tangent");
    if (tangentSlot_ == 0) return;
    tangentLine_ = line;
    // red, so that the tangent stands out from the spline
    g->SetCurveColour(tangentSlot_, RGB(255, 0, 0));
}

void frmCalcTangente::removeTangent()
{
    if (tangentSlot_ == 0) return;
    App* a = App::current();
    frmGraph2D* g = a ? a->find<frmGraph2D>() : nullptr;
    // Only the tangent itself: the user may have deleted it and drawn another
    // curve into its slot since.
    if (g && g->HoldsCurve(tangentSlot_, tangentLine_)) g->DeleteCurves(tangentSlot_);
    tangentSlot_ = 0;
    tangentLine_.clear();
}

void frmCalcTangente::cmdClose_Click() { Unload(); }

void frmCalcTangente::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdClose->click();
        return;
    }
    KinWidget::keyPressEvent(event);
}

} // namespace kinhom
