// The chart window: construction, menus, Form_Load, Form_Activate, Form_Resize,
// Form_QueryUnload and the title routine. The drawing pass and the point sets
// are in frmgraph2d_draw.cpp, the floating panels and the design effects in
// frmgraph2d_panels.cpp.

#include "ui/chart/frmgraph2d.h"
#include "ui/shell/qtext.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/chart/chartcontent.h"
#include "core/chart/chartplacement.h"
#include "core/chart/designeffects.h"
#include "core/chart/exppoints.h"
#include "core/chart/titles.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/numtext.h"
#include "ui/chart/chartview.h"
#include "ui/chart/fratabs.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/frmphantom.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

QAction* Item(QMenu* menu, const QString& caption, const char* name, bool enabled = true)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setEnabled(enabled);
    return a;
}

} // namespace

// ---- the title routine -------------------------------------------------------------------

frmGraph2D& SetDiagramTitles()
{
    App& a = app();
    SetDiagramTitles(a.declare());
    if (frmGraph2D* g = a.find<frmGraph2D>()) {
        g->Show();
        return *g;
    }
    return a.show<frmGraph2D>();
}

// ---- construction ------------------------------------------------------------------------

frmGraph2D::frmGraph2D(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmGraph2D);
    setWindowTitle("2D Diagram");
    KurveFrei.fill(true);

    Chart2D1 = new ChartView(this);
    Chart2D1->setObjectName("Chart2D1");

    fraTop = new QWidget(this);
    fraTop->setObjectName("fraTop");
    cmdDraw = new QPushButton("Draw curve", fraTop);
    cmdDraw->setObjectName("cmdDraw");
    cmdDraw->hide();
    cmdSingleCalc = new QPushButton("Single-Point Calculator", fraTop);
    cmdSingleCalc->setObjectName("cmdSingleCalc");
    cmdSingleCalc->setToolTip("Concentrations of the species at one time");
    cmbSep = new QComboBox(fraTop);
    cmbSep->setObjectName("cmbSep");
    cmbSep->setToolTip("Delimiter of the curve export");
    auto* top = new QHBoxLayout(fraTop);
    top->setContentsMargins(4, 2, 4, 2);
    top->addWidget(cmdSingleCalc);
    top->addStretch(1);
    top->addWidget(cmbSep);

    StatusBar2 = new QStatusBar(this);
    StatusBar2->setObjectName("StatusBar2");
    StatusBar2->setSizeGripEnabled(false);
    StatusBar2Text = new QLabel(StatusBar2);
    StatusBar2Text->setObjectName("StatusBar2Text");
    StatusBar2Text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StatusBar2->addWidget(StatusBar2Text, 1);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    menuBar->setNativeMenuBar(false);
    buildMenus();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(fraTop);
    layout->addWidget(Chart2D1, 1);
    layout->addWidget(StatusBar2);

    buildPanels();
    buildDiagramSettings();
    buildDesign1();

    connect(cmdDraw, &QPushButton::clicked, this, Guarded([this] { cmdDraw_Click(); }));
    connect(cmdSingleCalc, &QPushButton::clicked, this, Guarded([this] { cmdSingleCalc_Click(); }));
    connect(cmbSep, &QComboBox::currentIndexChanged, this, Guarded([this] { cmbSep_Click(); }));
    connectEditing();
    connectManual();
}

frmGraph2D::~frmGraph2D() = default;

Chart2D& frmGraph2D::chart() { return Chart2D1->chart(); }
const Chart2D& frmGraph2D::chart() const { return Chart2D1->chart(); }

QString frmGraph2D::statusText() const { return StatusBar2Text->text(); }
void frmGraph2D::setStatusText(const QString& text) { StatusBar2Text->setText(text); }

void frmGraph2D::buildMenus()
{
    // "&Design ...": the design panels come with the design work; their items stay
    // disabled until then.
    mnuDesign = menuBar->addMenu("&Design ...");
    mnuDesign->setObjectName("mnuDesign");
    mnuKurvenDesign = Item(mnuDesign, "curves", "mnuKurvenDesign", false);
    mnuPunktDesign = Item(mnuDesign, "Experimental points", "mnuPunktDesign", false);
    mnuDesignMore = Item(mnuDesign, "Diagram", "mnuDesignMore", false);
    mnuTxt = mnuDesign->addMenu("Texts");
    mnuTxt->setObjectName("mnuTxt");
    const char* texts[6] = {"", "Designing Header", "Additional text", "X-Axis Annotation", "Y-Axis Annotation",
                            "Curve Label/Legend"};
    for (int i = 1; i <= 5; ++i) {
        mnuTextDesign[i] = Item(mnuTxt, texts[i], "mnuTextDesign", false);
        mnuTextDesign[i]->setObjectName(QString("mnuTextDesign_%1").arg(i));
    }

    // "&Delete ..."
    mnuDelete = menuBar->addMenu("&Delete ...");
    mnuDelete->setObjectName("mnuDelete");
    mnuDelTotal = Item(mnuDelete, "All", "mnuDelTotal");
    mnuDelKurv = mnuDelete->addMenu("curves");
    mnuDelKurv->setObjectName("mnuDelKurv");
    mnuSubDelKurv[0] = Item(mnuDelKurv, "all", "mnuSubDelKurv_0", false);
    for (int i = 1; i <= kMaxKurven; ++i) {
        mnuSubDelKurv[i] = Item(mnuDelKurv, QString("Curve %1").arg(i), "mnuSubDelKurv", false);
        mnuSubDelKurv[i]->setObjectName(QString("mnuSubDelKurv_%1").arg(i));
    }
    mnuDelPoints = mnuDelete->addMenu("Experimental points");
    mnuDelPoints->setObjectName("mnuDelPoints");
    const char* sets[8] = {"all",    "set c(A)", "set c(B)",          "set c(C)",
                           "set c(P)", "set c(Q)", "Punktsatz k - T", "Points \"Add Manually\""};
    for (int j = 0; j <= kPunktSaetze; ++j) {
        mnuSubDelPoints[j] = Item(mnuDelPoints, sets[j], "mnuSubDelPoints", false);
        mnuSubDelPoints[j]->setObjectName(QString("mnuSubDelPoints_%1").arg(j));
    }
    mnuDelHalbAB = Item(mnuDelete, "Mark half-lives", "mnuDelHalbAB", false);
    mnuDelMarkLabels = Item(mnuDelete, "All marker texts", "mnuDelMarkLabels", false);
    mnuDelLegendZeile = Item(mnuDelete, "Selected lines of the legend", "mnuDelLegendZeile", false);
    mnuDelLegend = Item(mnuDelete, "Legend", "mnuDelLegend", false);
    mnuDelLabels = Item(mnuDelete, "All curve labels", "mnuDelLabels", false);

    // "&Add ..."
    mnuMark = menuBar->addMenu("&Add ...");
    mnuMark->setObjectName("mnuMark");
    mnuAddPunkte = Item(mnuMark, "Experimental points", "mnuAddPunkte", false);
    mnuHalbA = Item(mnuMark, "Half-life of A", "mnuHalbA", false);
    mnuHalbB = Item(mnuMark, "Half-life of B", "mnuHalbB", false);
    mnuAddText = Item(mnuMark, "Additional Text", "mnuAddText", false);
    mnuAddLegend = Item(mnuMark, "Legend", "mnuAddLegend", false);
    mnuAddLabels = Item(mnuMark, "All curve labels", "mnuAddLabels", false);
    mnuManuXY = Item(mnuMark, "Manual Curve / Points", "mnuManuXY", false);

    // "  &Image ..."
    mnuBildsenden = menuBar->addMenu("  &Image ...");
    mnuBildsenden->setObjectName("mnuBildsenden");
    mnuPrintIt = Item(mnuBildsenden, "Print/Save Image", "mnuPrintIt");
    mnuSaveOC2 = Item(mnuBildsenden, "... Save as *.OC2 file", "mnuSaveOC2", false);
    mnuLoadOC2 = Item(mnuBildsenden, "... Import (*.OC2)", "mnuLoadOC2", false);

    mnuCoord = menuBar->addAction("C&oordinates");
    mnuCoord->setObjectName("mnuCoord");
    mnuResolution = menuBar->addAction("&Curve resolution");
    mnuResolution->setObjectName("mnuResolution");
    mnuHaupt = menuBar->addAction("to &Main Menu");
    mnuHaupt->setObjectName("mnuHaupt");

    connect(mnuDelete, &QMenu::aboutToShow, this, Guarded([this] { mnuDelete_Click(); }));
    connect(mnuMark, &QMenu::aboutToShow, this, Guarded([this] { mnuMark_Click(); }));
    connect(mnuBildsenden, &QMenu::aboutToShow, this, Guarded([this] { mnuBildsenden_Click(); }));
    connect(mnuDelTotal, &QAction::triggered, this, Guarded([this] { mnuDelTotal_Click(); }));
    for (int i = 0; i <= kMaxKurven; ++i)
        connect(mnuSubDelKurv[i], &QAction::triggered, this, Guarded([this, i] { mnuSubDelKurv_Click(i); }));
    for (int j = 0; j <= kPunktSaetze; ++j)
        connect(mnuSubDelPoints[j], &QAction::triggered, this, Guarded([this, j] { mnuSubDelPoints_Click(j); }));
    connect(mnuDelLabels, &QAction::triggered, this, Guarded([this] { mnuDelLabels_Click(); }));
    connect(mnuAddLabels, &QAction::triggered, this, Guarded([this] { mnuAddLabels_Click(); }));
    connect(mnuAddPunkte, &QAction::triggered, this, Guarded([this] { mnuAddPunkte_Click(); }));
    connect(mnuPrintIt, &QAction::triggered, this, Guarded([this] { mnuPrintIt_Click(); }));
    connect(mnuCoord, &QAction::triggered, this, Guarded([this] { mnuCoord_Click(); }));
    connect(mnuResolution, &QAction::triggered, this, Guarded([this] { mnuResolution_Click(); }));
    connect(mnuHaupt, &QAction::triggered, this, Guarded([this] { mnuHaupt_Click(); }));
}

// ---- Form_Load ---------------------------------------------------------------------------

void frmGraph2D::Form_Load()
{
    BusyCursor busy;
    // 1. Screen, counters, menus.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenPx = screen ? screen->size() : QSize(1024, 768);
    resetCounters();
    // 2.
    const QSize size = placeWindow(screenPx);
    // 3.-10. The chart's content layout, start styles and texts, in one batch.
    loadChartContent(screenPx.width() >= 800, size);
    // 11.
    loadPointDensity();
    // 12. Menus that have nothing to act on yet. (The half-life items are
    // enabled by diagram code with their captions, step 14.)
    for (QAction* m : {mnuDelLabels, mnuDelHalbAB, mnuDelLegend, mnuDelLegendZeile, mnuHalbA, mnuHalbB})
        m->setEnabled(false);
    // 13.
    loadDesignDefaults();
    // 14.
    loadHalfLifeMenu();
    // 15.
    loadAxisWindow();
    // 16.
    Declare& d = app().declare();
    SetStoffMuster(d, d.DiagrammTyp);
    mnuAddPunkte->setEnabled(d.AnzahlPunkte != 0);
    // 17.
    firstDrawing();
    // 18. (the busy cursor ends with this handler; the window registry runs
    // Form_Activate whenever the window becomes the active child)
}

// Form_Load step 1: no curves yet, the first slot next, the point density.
void frmGraph2D::resetCounters()
{
    app().declare().KurvenAnzahl = 0;
    KurvenNr = 0;
    mnuDelPoints->setEnabled(false);
    PunktDichte = 300;
}

// Form_Load step 2: at GrafikLinks in the simulation mode, at the right edge
// in every fitting mode, sized and kept inside the main window's client area
// (the screen's size stands in while that area is not laid out yet). Returns
// the window's width and height (twips).
QSize frmGraph2D::placeWindow(QSize screenPx)
{
    const Declare& d = app().declare();
    QSize area = screenPx;
    if (QMdiArea* mdi = app().mdiArea()) {
        const QSize viewport = mdi->viewport()->size();
        if (viewport.width() >= 100 && viewport.height() >= 100) area = viewport;
    }
    const ChartWindowPlace p =
        PlaceChartWindow(PixelsToTwips(area.width()), PixelsToTwips(area.height()), d.Arbeitsmodus, d.GrafikLinks);
    Move(p.left, p.top, p.width, p.height);
    return {p.width, p.height};
}

// Form_Load steps 3 to 10, with the chart batched: the panels' places, the
// content layout, the chart area's size with the header centred over it, the
// curve slots and point sets, frame and colours, labels, legend, print boxes
// and the white preset. `size` is the window's size in twips.
void frmGraph2D::loadChartContent(bool wideScreen, QSize size)
{
    const Declare& d = app().declare();
    Chart2D& c = chart();
    c.setIsBatched(true);
    // 3. Panel places are counted from below the menu bar.
    const int menuHeight = menuBar->sizeHint().height();
    fraCoordInput->move(TwipsToPixels(1460), menuHeight + TwipsToPixels(510));
    fraPrintIt->move(0, menuHeight);
    fraResolution->move(TwipsToPixels(1460), menuHeight + TwipsToPixels(510));
    placeDesign1Panels(menuHeight);

    ChartContentOptions o;
    o.vorwahlfarbe = d.Vorwahlfarbe;
    o.wideScreen = wideScreen;
    o.titel = d.Diagramm.Titel;
    o.xTitel = d.Diagramm.xTitel;
    o.yTitel = d.Diagramm.yTitel;
    SetupChartContent(c, o);
    // 4.
    const QSize area = sizeChartArea(size);

    // 5. Curve slots.
    mnuDelKurv->setEnabled(false);
    mnuSubDelKurv[0]->setVisible(true);
    mnuSubDelKurv[0]->setEnabled(false);
    for (int i = 1; i <= kMaxKurven; ++i) {
        mnuSubDelKurv[i]->setVisible(true);
        mnuSubDelKurv[i]->setEnabled(false);
        loadCurveTab(i); // colour, "Curve solid", width 1, slot free, tab unavailable
    }
    // 6. Point sets.
    for (int j = 1; j <= kPunktSaetze; ++j) {
        mnuSubDelPoints[j]->setVisible(true);
        mnuSubDelPoints[j]->setEnabled(false);
        loadPointTab(j); // size 6, colour, the set's start symbol
    }
    // 7.
    GitterLinienart = LinePattern::Dotted;
    loadDiagramSettings(); // frame width, colour buttons, margin scroll bars
    // 8. Every curve label starts visible.
    loadLabelControls();
    // 9. Legend beside the plot area, halfway down.
    c.Legend().Location().setLeft(area.width() - 2);
    c.Legend().Location().setTop(static_cast<int>(std::lround(area.height() / 2.0)));
    LegendeHintergrund = c.ChartArea().PlotArea().Interior().BackgroundColor();
    loadLegendControls(); // vertical, framed, position bars, colour buttons
    // 10. Print position boxes, the white preset.
    txtTop_in_cm->setText(" 3");
    txtLeft_in_cm->setText(" 3.5");
    txtHeight_in_cm->setText(" 10");
    txtWidth_in_cm->setText(" 15");
    cmdFullWhite_Click();
    c.setIsBatched(false);
}

// Form_Load step 4: the chart's size as the window will show it (the view
// follows the widget once it is shown), the chart area's size by the layout
// rule, and the header centred over it. Returns the chart area's size (pixels).
QSize frmGraph2D::sizeChartArea(QSize windowTwips)
{
    Chart2D& c = chart();
    const int chartPxWidth = std::max(1, TwipsToPixels(windowTwips.width()) - 8);
    const int chartPxHeight = std::max(1, TwipsToPixels(windowTwips.height()) - 30 - menuBar->sizeHint().height() -
                                              fraTop->sizeHint().height());
    c.setSize(chartPxWidth, chartPxHeight);
    const ChartSizeRule size = ChartSizeFor(PixelsToTwips(chartPxWidth),
                                            PixelsToTwips(chartPxHeight + StatusBar2->sizeHint().height()),
                                            PixelsToTwips(StatusBar2->sizeHint().height()));
    const int areaWidth = size.areaWidth > 0 ? size.areaWidth : chartPxWidth;
    const int areaHeight = size.areaHeight > 0 ? size.areaHeight : chartPxHeight;
    c.ChartArea().Location().setWidth(areaWidth);
    c.ChartArea().Location().setHeight(areaHeight);
    c.Header().Location().setLeft(CenteredHeaderLeft(areaWidth, c.Header().Location().Width()));
    return {areaWidth, areaHeight};
}

// Form_Load step 11: the point density of spline curves from its slider.
void frmGraph2D::loadPointDensity()
{
    Slider1_PunktDichte->blockSignals(true);
    Slider1_PunktDichte->setRange(50, 400);
    Slider1_PunktDichte->setSingleStep(20);
    Slider1_PunktDichte->setPageStep(50);
    Slider1_PunktDichte->setValue(PunktDichte);
    Slider1_PunktDichte->blockSignals(false);
    PunktDichte = Slider1_PunktDichte->value();
    Label54->setText(QString::number(PunktDichte));
}

// Form_Load step 13: full dotted grid, no chart frame, a plain frame around the
// chart area, Y title vertical and Y numbers horizontal, plot area framed,
// origins and numbers at the minimum, automatic margins, opaque legend.
void frmGraph2D::loadDesignDefaults()
{
    fraTabs->opt1Gitter[3]->setChecked(true);
    fraTabs->optFrameType[0]->setChecked(true);
    fraTabs->optSM[4]->setChecked(true);
    loadDesign1Defaults(); // Y numbers and title, text frame, label and preset colours
    fraTabs->chkDiaFrame->setChecked(true);
    fraTabs->opt2Gitter[0]->setChecked(true);
    fraTabs->optStandardOrigin[0]->setChecked(true);
    fraTabs->optXZiffern[0]->setChecked(true);
    fraTabs->optYZiffern[0]->setChecked(true);
    fraTabs->chkAutoRand->setChecked(true);
    chkLegTransparent_Click();
    chkLegTransparent_Click();
    fraTabs->tabDesign->setCurrentIndex(FraTabs::PageGridColours);
}

// Form_Load step 14: the half-life captions (E and S for the enzyme model) and
// their enabling by diagram code.
void frmGraph2D::loadHalfLifeMenu()
{
    const bool enzyme = app().declare().ModellNr == 10;
    mnuHalbA->setText(enzyme ? "Half-life of E" : "Half-life of A");
    mnuHalbB->setText(enzyme ? "Half-life of S" : "Half-life of B");
    SetHalfLifeMenu();
}

// Form_Load step 15: the axis window, applied through the coordinates panel;
// automatic spacing.
void frmGraph2D::loadAxisWindow()
{
    const Declare& d = app().declare();
    SetAxesMinMax();
    coord[1]->setText(Q(StrSingle(d.Diagramm.xMin)));
    coord[2]->setText(Q(StrSingle(d.Diagramm.xMax)));
    coord[3]->setText(Q(StrSingle(d.Diagramm.yMin)));
    coord[4]->setText(Q(StrSingle(d.Diagramm.yMax)));
    cmdCoord_OK_Click();
    if (fraTabs->optScaling[0]->isChecked())
        optScaling_Click(0);
    else
        fraTabs->optScaling[0]->setChecked(true); // runs optScaling_Click(0)
}

// Form_Load step 17: the first drawing pass, then the measured points of the
// point charts and, with MitPunkten, of the simulation charts; a warning when
// none lies inside the axis window.
void frmGraph2D::firstDrawing()
{
    App& a = app();
    const Declare& d = a.declare();
    const int code = d.DiagrammTyp;
    const bool pointCode = code == DiagramCode::ConcentrationPoints || code == DiagramCode::RateConstantPoints ||
                           code == DiagramCode::FittingPoints;
    if (!pointCode) cmdDraw_Click();
    if (!pointCode && !(code > 0 && d.AnzahlPunkte >= 1 && d.MitPunkten)) return;
    mnuDelPoints->setEnabled(true);
    bool inside = false;
    zeigeExperPunkte(inside);
    if (inside) return;
    const std::string text = code > 0 ? "all experimental points are outside the diagram coordinates" + d.CRLF +
                                            "Do check whether the experimental points fit to this diagram " + d.CRLF +
                                            "or enlarge the range of the diagram resp."
                                      : "all experimental points are outside the diagram coordinates" + d.CRLF +
                                            "Do enlarge the range of coordinates.";
    a.services().msgBox(Q(text), MsgButtons::OK, MsgIcon::Exclamation, "WARNING");
}

// ---- Form_Activate -------------------------------------------------------------------------

void frmGraph2D::Form_Activate()
{
    const Declare& d = app().declare();

    // 1.
    mnuAddPunkte->setEnabled(d.AnzahlPunkte != 0);
    cmdSingleCalc->setVisible(d.DiagrammTyp > 0);
    if (d.DiagrammTyp > DiagramCode::RateOffset) mnuAddPunkte->setEnabled(false);

    // 2. Point tabs.
    if (!d.kTDiagramm) {
        for (int i = 1; i <= 5; ++i)
            if (d.Stoffmuster.size() >= static_cast<std::size_t>(i) &&
                d.Stoffmuster[static_cast<std::size_t>(i - 1)] == '1' && d.DatenVorhanden[i])
                PunkteTab[i].available = true;
    } else {
        PunkteTab[6].available = true;
    }
    PunkteTab[7].available = chart().ChartGroups(2).Data().NumPoints(7) >= 1;

    // 3. The single-point calculator needs the species courses over time.
    updateSingleCalcEnabled();

    // 4. The separator list; selecting its item sets the separator.
    cmbSep->blockSignals(true);
    cmbSep->clear();
    cmbSep->addItem("Delimiter Semicolon");
    cmbSep->addItem("Delimiter Comma");
    cmbSep->addItem("Delimiter Tab");
    cmbSep->setCurrentIndex(-1);
    cmbSep->blockSignals(false);
    int index = 0;
    if (d.Trennzeichen == ",")
        index = 1;
    else if (d.Trennzeichen == "\t")
        index = 2;
    cmbSep->setCurrentIndex(index);
}

void frmGraph2D::cmbSep_Click()
{
    Declare& d = app().declare();
    switch (cmbSep->currentIndex()) {
    case 0: d.Trennzeichen = ";"; break;
    case 1: d.Trennzeichen = ","; break;
    case 2: d.Trennzeichen = "\t"; break;
    default: break;
    }
}

// ---- Form_Resize ----------------------------------------------------------------------------

void frmGraph2D::Form_Resize()
{
    if (!Chart2D1 || !StatusBar2) return;
    // The room of the chart and the status line below the menu bar and the strip.
    const int roomWidth = PixelsToTwips(width());
    const int roomHeight = PixelsToTwips(height() - menuBar->height() - fraTop->height());
    const ChartSizeRule r = ChartSizeFor(roomWidth, roomHeight, PixelsToTwips(StatusBar2->height()));
    Chart2D& c = chart();
    Chart2D::Batch batch(c);
    Chart2D1->setVisible(r.chartWidth > 0 && r.chartHeight > 0);
    if (r.areaWidth >= 0) {
        c.ChartArea().Location().setWidth(r.areaWidth);
        c.Legend().Location().setLeft(r.legendLeft);
    }
    if (r.areaHeight >= 0) {
        c.ChartArea().Location().setHeight(r.areaHeight);
        c.Legend().Location().setTop(r.legendTop);
    }
}

// ---- Form_QueryUnload -----------------------------------------------------------------------

void frmGraph2D::Form_QueryUnload(int& Cancel, UnloadMode mode)
{
    (void)mode;
    Cancel = 0;
    App& a = app();
    a.services().setMousePointer(kPointerDefault);
    a.declare().GrafikLinks = Left();
}

// ---- small handlers ------------------------------------------------------------------------

void frmGraph2D::SetAxesMinMax() { ApplyAxisWindow(chart(), app().declare().Diagramm); }

void frmGraph2D::mnuHaupt_Click()
{
    if (frmPhantom* p = app().find<frmPhantom>()) {
        p->Show();
        p->setFocus();
    }
}

} // namespace kinhom
