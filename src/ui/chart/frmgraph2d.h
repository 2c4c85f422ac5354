#pragma once
// frmGraph2D ("2D Diagram"): the chart window. One instance, a child of the main
// window, built around the chart (model Chart2D, drawn by ChartView Chart2D1)
// with the status line StatusBar2 below it, a menu bar of its own and floating
// panels (coordinates, print/save image, curve resolution).
//
// How other windows get a chart:
//
//   Declare& d = app().declare();
//   d.DiagrammTyp = d.ModellNr;          // the diagram code and its data ...
//   // ... the simulation has filled SimT, SimCA ... (or the measured data exist)
//   frmGraph2D& g = SetDiagramTitles();  // titles, axis window, KurvenZuZeichnen;
//                                        // loads and shows the chart window
//   g.DrawCurves();                      // an open window draws now; a window that
//                                        // this call loaded has drawn in its
//                                        // Form_Load already (nothing is pending
//                                        // then, so the press changes nothing)
//
// To discard the old curves first, unload the window (app().unload<frmGraph2D>())
// before calling SetDiagramTitles: the fresh window then draws on loading.
//
// The drawing pass (cmdDraw_Click) draws KurvenZuZeichnen curves, one per pass
// step, each into the lowest free of the 24 curve slots (series 1 to 24 of chart
// group 1); the measured points go into the seven point sets of chart group 2.
// Evaluation codes (-11 to -3) write their result into the status line.

#include <array>
#include <string>
#include <vector>

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>

#include "core/chart/curveprep.h"
#include "core/shell/rgb.h"
#include "ui/shell/kinform.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPainter;
class QPushButton;
class QSlider;
class QStatusBar;

// The window's ui tests (tests/ui), which look at its internals.
class TestFrmGraph2D;
class TestDesign1;
class TestDesign2;
class TestEditing;
class TestEvalTools;
class TestKeys;

namespace kinhom {

namespace test {
class ChartFixture;
}

class Chart2D;
class ChartView;
class FraTabs;
class FraKurven;
class FraPunkte;
class FraSchrift;
class FraLabelLegend;
struct DesignTarget;
class frmGraph2D;

// The title routine of the chart window: for d.DiagrammTyp it loads the stored
// axis window of the code's kind into d.Diagramm, writes the header and the axis
// titles, sets d.KurvenZuZeichnen (the model's species count for the model and
// rate codes, 1 for every other code) and shows the chart window, loading it when
// it is not loaded (a freshly loaded window draws in its Form_Load). Returns the
// window.
frmGraph2D& SetDiagramTitles();

class frmGraph2D : public KinWidget {
    Q_OBJECT
public:
    explicit frmGraph2D(QWidget* parent = nullptr);
    ~frmGraph2D() override;

    // ---- window handlers ----------------------------------------------------------
    void Form_Load() override;
    int HelpContextID() const override { return 10510; }
    void Form_Activate() override;
    void Form_Resize() override;
    // Never cancels; remembers the window's left position in GrafikLinks.
    void Form_QueryUnload(int& Cancel, UnloadMode mode) override;

    // ==== What other windows ask of the chart window ==========================================
    // The tangent, fitting, XY editor and simulation windows and the main window's menus
    // use only these (and SetDiagramTitles above, which sets the titles and the axis
    // window and shows the window; app().unload<frmGraph2D>() discards the chart).
    // Everything else is the window's own.

    // Draws the KurvenZuZeichnen curves of the shared state's diagram code
    // (DiagrammTyp) into the lowest free slots: presses the hidden Draw button,
    // whose handler is the drawing pass cmdDraw_Click.
    void DrawCurves();
    // Draws the XY editor's points ManuPunkte (record 0 x = count) as a curve of
    // their own in the next free slot: presses the hidden button cmdManuKurve.
    void DrawManualCurve();
    // Draws points (record 0 x = count) as a curve in the next free slot, with
    // text as its legend and label; returns the slot, 0 (after the warning of
    // a full chart) when none is free.
    int DrawOwnCurve(const std::vector<KurvenPunkt>& points, const std::string& text);
    // Gives the curve in slot `slot` (1 to 24) its line colour, on the chart and
    // on the curve panel.
    void SetCurveColour(int slot, Rgb colour);
    // Whether curve slot `slot` holds exactly these points (so a caller can
    // replace its own curve without touching one drawn since in the same slot).
    bool HoldsCurve(int slot, const std::vector<KurvenPunkt>& points) const;
    // Deletes curve n (1 to 24) or, with n = 0, all curves; frees their slots.
    void DeleteCurves(int n);
    // The 24 curve slots (index 1..24): true = free.
    const KurvenSlots& freeSlots() const { return KurveFrei; }
    // The chart as the window shows it, and the text of the status line
    // (evaluation results); read only.
    const Chart2D& shownChart() const { return chart(); }
    QString statusText() const;

private:
    // The window's own ui tests examine its controls and bookkeeping directly.
    friend class test::ChartFixture;
    friend class ::TestFrmGraph2D;
    friend class ::TestDesign1;
    friend class ::TestDesign2;
    friend class ::TestEditing;
    friend class ::TestEvalTools;
    friend class ::TestKeys;

    // ---- the drawing pass and the chart's own procedures -----------------------------------
    // The drawing pass: the handler of the (hidden) button cmdDraw ("Draw curve").
    // Other windows ask for it through DrawCurves.
    void cmdDraw_Click();
    // Writes a prepared curve (record 0 x = count) as series `slot` of the curve
    // group in the preset colour and shows its label.
    void zeichneKurve(int slot, const std::vector<KurvenPunkt>& points);
    // The measured points of the current diagram code into the point sets of
    // group 2, clipped to the axis window; `inside` becomes true when at least
    // one point lies inside it.
    void zeigeExperPunkte(bool& inside);
    // Add > Experimental points: checks that the measured data fit the diagram,
    // then shows them.
    void mnuAddPunkte_Click();
    // The separator list: Trennzeichen := ";", "," or Tab by list position.
    void cmbSep_Click();
    // Shows the single-point calculator (positive diagram codes).
    void cmdSingleCalc_Click();
    // Hides every floating panel.
    void HideDesignFrames();

    // ---- curves from other windows (frmgraph2d_manual.cpp) ------------------------------
    // The XY editor's button: the manual points ManuPunkte (record 0 = count)
    // as a curve of their own in the next free slot.
    void cmdManuKurve_Click();
    // "Manual Curve / Points": opens the XY editor afresh.
    void mnuManuXY_Click();

    // ---- coordinates panel fraCoordInput ("Coord. of the Diagram") ----------------------
    void mnuCoord_Click();
    void cmdCoord_OK_Click();
    void cmdCoord_Esc_Click();
    // The key filter of the four boxes; KeyAscii 0 = the key is dropped.
    void coord_KeyPress(int Index, int& KeyAscii);
    void coord_GotFocus(int Index);

    // ---- print panel fraPrintIt ("Print/Save Image") and resolution panel --------------
    void mnuPrintIt_Click();
    void cmdPrintIt_Click();
    void cmdSaveImage_Click();
    void cmdPrint_Esc_Click();
    void mnuResolution_Click();
    void Slider1_PunktDichte_Change();
    void cmdResolution_OK_Click();

    // ---- menus that open or close ---------------------------------------------------------
    void mnuDelete_Click();
    void mnuMark_Click();
    void mnuBildsenden_Click();
    void mnuHaupt_Click();
    void mnuSubDelKurv_Click(int Index);
    void mnuSubDelPoints_Click(int Index);
    void mnuDelTotal_Click();
    void mnuDelHalbAB_Click();
    void mnuDelLabels_Click();
    void mnuAddLabels_Click();

    // ---- chart editing and files (frmgraph2d_edit.cpp) ----------------------------------
    // "Delete Curve" of the curve panel: deletes the curve of the selected tab
    // (nothing when its caption names no curve).
    void cmdDelKurv_Click();
    // Delete button of point tab Index: mnuSubDelPoints_Click(Index).
    void cmdDelPoints_Click(int Index);
    void mnuDelMarkLabels_Click();
    void mnuDelLegendZeile_Click();
    void mnuDelLegend_Click();
    void mnuAddLegend_Click();
    // Half-life marks of A (E) and B (S): series 26 and 27, the value in the status line.
    void mnuHalbA_Click();
    void mnuHalbB_Click();
    // Diagram files (*.oc2): save the whole chart; load one and rebuild the
    // window's bookkeeping (slots, count, point tabs, menus, axis window).
    void mnuSaveOC2_Click();
    void mnuLoadOC2_Click();
    // The curve of the selected tab of tabKurven: "Curve to Clipboard" (x Tab y
    // per line) and "Save Curve to File" (a curve point file).
    void cmdClipboard_Click();
    void cmdSaveCurveAsXY_Click();

    // ---- design effects that the load applies ---------------------------------------------
    void opt1Gitter_Click(int Index);
    void opt2Gitter_Click(int Index);
    void cmdFullWhite_Click();
    void optScaling_Click(int Index);
    void chkLegTransparent_Click();
    void cmbKStil_Click(int Index);
    void cmbPunktStil_Click(int Index);

    // ---- Diagram Settings panel fraTabs: frame, margins, scaling, numbering, origin,
    //      grid and colours (frmgraph2d_design2.cpp; its controls: fratabs.h) ------------
    FraTabs* fraTabs = nullptr;
    // Design menu "Diagram" (also a right click on the plot area): shows fraTabs.
    void mnuDesignMore_Click();
    void cmdTabs_OK_Click();
    void chkDiaFrame_Click();
    void chkAutoRand_Click();
    void optFrameType_Click(int Index);
    void UpDownRBreite_Change();
    // The chart area's frame: 0 without, 1 3D raised, 2 3D lowered, 3 shadow, 4 normal.
    void optSM_Click(int Index);
    void scrHL_Change();
    void scrHR_Change();
    void scrHO_Change();
    void scrHU_Change();
    void cmdRandCol_out_Click();
    void cmdRandCol_in_Click();
    void cmdColor_in_Click();
    void cmdGitterFarbe_Click();
    void cmdFullBlack_Click();
    void cmdRandColGrau_Click();
    void cmdXLog_Click();
    void cmdYLog_Click();
    void txtXGridValue_Change();
    void txtYGridValue_Change();
    void txtXTickValue_Change();
    void txtYTickValue_Change();
    void txtXZiffValue_Change();
    void txtYZiffValue_Change();
    void optXZiffern_Click(int Index);
    void optYZiffern_Click(int Index);
    void optStandardOrigin_Click(int Index);
    // 0 in the minimum, 1 at zero, 2 in the maximum, 3 at the value in txtXOrigin (txtYOrigin).
    void optXOrigin_Click(int Index);
    void optYOrigin_Click(int Index);
    void txtXOrigin_Change();
    void txtYOrigin_Change();

    // ---- chart design, part one: curves, point sets, texts, labels, legend, right click
    //      (frmgraph2d_design1.cpp; the panels' controls: frakurven.h, fraschrift.h) -----
    FraKurven* fraKurven = nullptr;           // "Designing the Curve"
    FraPunkte* fraPunkte = nullptr;           // "Designing Experimental Points"
    FraSchrift* fraSchrift = nullptr;         // the text design panel
    FraLabelLegend* fraLabelLegend = nullptr; // page "Labels and Legend" of fraTabs
    // The Design menu as it opens: enables "curves" and "Experimental points".
    void mnuDesign_Click();
    // Fill and show the curve panel (on the tab of the first curve) and the point panel.
    void mnuKurvenDesign_Click();
    void mnuPunktDesign_Click();
    void cmdKurven_OK_Click();
    void cmdPunkte_OK_Click();
    void cmdKurvenFarbe_Click(int Index);
    void cmdPunktFarbe_Click(int Index);
    // The preset colour of the next curve or point set (Vorwahlfarbe); Label49 is its caption.
    void cmdFarbVorwahl_Click();
    void Label49_Click();
    void UpDown1_KBreite_Change(int Index);
    void UpDown1_PointSize_Change(int Index);
    void txtLabel_Change(int Index);
    void scrShiftLab_Change(int Index);
    void chkEinzelLabelSichtbar_Click(int Index);
    void chkLabelNotVisible_Click();
    void chkLabelFrame_Click();
    void cmdLabelFColor_Click();
    void cmdLabelBColor_Click();
    void cmdFontLabel_Click();
    void txtLegendCurves_Change(int Index);
    void txtLegendPoints_Change(int Index);
    // The 32 legend boxes: the clicked one shows or hides the legend, all follow.
    void chkLegend_Click();
    void chkLegend1_Click(int Index);
    void chkLegend2_Click(int Index);
    void cmdLegBColor_Click();
    void cmdLegFColor_Click();
    void cmdLegFont_Click();
    void chkLegFrame_Click();
    void optLegOrient_Click(int Index);
    void scrlegV_Change();
    void scrLegH_Change();
    // Text items of the Design menu: 1 header, 2 additional text, 3 X-axis title,
    // 4 Y-axis title, 5 curve labels and legend (opens the curve panel as well).
    void mnuTextDesign_Click(int Index);
    void mnuAddText_Click();
    void schrift_Change();
    void VScroll1_Change();
    void HScroll1_Change();
    void cmdSchriftHFarbe_Click();
    void cmdFont_Click();
    void chkTextFrame_Click();
    void cmdSchriftFertig_Click();
    void optOrientYAxText_Click(int Index);
    void optOrientYAxZiff_Click(int Index);
    // The chart's mouse: a right click opens the panel of what lies under the
    // mouse; a left press on a half-life mark shows its marker text there, and
    // dragging places it.
    void Chart2D1_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, QPointF pos);
    void Chart2D1_MouseMove(Qt::MouseButtons Button, QPointF pos);
    void Chart2D1_MouseUp(Qt::MouseButton Button, QPointF pos);

    // ---- state ------------------------------------------------------------------------------
    Chart2D& chart();
    const Chart2D& chart() const;
    void setStatusText(const QString& text);

    // Window fields.
    KurvenSlots KurveFrei{};   // 1..24, true = slot free
    int KurvenNr = 0;          // slot of the curve being drawn
    int PunktDichte = 300;     // x intervals of a spline across the visible x range
    int PunktSatzNr = 0;
    double RegA = 0;
    double RegB = 0;
    float RegR2 = 0;
    QString FehlerText;
    int FehlerFlag = 0;
    int GitterLinienart = 4;   // line pattern of visible grid lines (4 dotted, 2 solid)
    int GitterModus = 0;       // grid choice 0 to 3
    Rgb LegendeHintergrund;    // legend background restored when it is made opaque
    int TextElement = 0;

    // What the design panels' controls of each curve slot and point set hold (the
    // panels themselves come with the design work; the pass and the load keep the
    // values here). Index 1..24 and 1..7; element 0 unused.
    struct CurveTab {
        bool available = false;       // tab i - 1 of tabKurven
        QString caption;              // its caption
        QString txtLabel;             // label text
        QString txtLegendCurves;      // legend text
        int scrShiftLab = 0;          // point index the label is attached to
        int cmbKStil = -1;            // style list position
        bool chkEinzelLabelSichtbar = true;
        Rgb cmdKurvenFarbe;           // colour button
        QString Label39 = "1";        // line width
    };
    struct PointTab {
        bool available = false;       // tab j - 1 of tabPunkte
        QString txtLegendPoints;
        int cmbPunktStil = -1;
        Rgb cmdPunktFarbe;
        QString Label56 = "6";        // symbol size
    };
    std::array<CurveTab, 25> KurvenTab{};
    std::array<PointTab, 8> PunkteTab{};
    bool chkLegTransparent = false;

    // ---- controls (objectName = control name) ---------------------------------------------
    ChartView* Chart2D1 = nullptr;
    QStatusBar* StatusBar2 = nullptr;
    QLabel* StatusBar2Text = nullptr;
    QWidget* fraTop = nullptr;         // strip above the chart
    QPushButton* cmdDraw = nullptr;    // "Draw curve", hidden; pressed by DrawCurves
    QPushButton* cmdManuKurve = nullptr; // hidden; pressed by DrawManualCurve
    QPushButton* cmdSingleCalc = nullptr;
    QComboBox* cmbSep = nullptr;

    QFrame* fraCoordInput = nullptr;
    std::array<QLineEdit*, 5> coord{}; // 1..4: x(min), x(max), y(min), y(max)
    QPushButton* cmdCoord_OK = nullptr;
    QPushButton* cmdCoord_Esc = nullptr;

    QFrame* fraPrintIt = nullptr;
    QLineEdit* txtTop_in_cm = nullptr;
    QLineEdit* txtLeft_in_cm = nullptr;
    QLineEdit* txtHeight_in_cm = nullptr;
    QLineEdit* txtWidth_in_cm = nullptr;
    QPushButton* cmdPrintIt = nullptr;
    QPushButton* cmdSaveImage = nullptr;
    QPushButton* cmdPrint_Esc = nullptr;

    QFrame* fraResolution = nullptr;
    QSlider* Slider1_PunktDichte = nullptr;
    QLabel* Label54 = nullptr;
    QPushButton* cmdResolution_OK = nullptr;

    // Menus.
    QMenuBar* menuBar = nullptr;
    QMenu* mnuDesign = nullptr;
    QAction* mnuKurvenDesign = nullptr;
    QAction* mnuPunktDesign = nullptr;
    QAction* mnuDesignMore = nullptr;
    QMenu* mnuTxt = nullptr;
    std::array<QAction*, 6> mnuTextDesign{}; // 1..5
    QMenu* mnuDelete = nullptr;
    QAction* mnuDelTotal = nullptr;
    QMenu* mnuDelKurv = nullptr;
    std::array<QAction*, 25> mnuSubDelKurv{}; // 0 = all, 1..24
    QMenu* mnuDelPoints = nullptr;
    std::array<QAction*, 8> mnuSubDelPoints{}; // 0 = all, 1..7
    QAction* mnuDelHalbAB = nullptr;
    QAction* mnuDelMarkLabels = nullptr;
    QAction* mnuDelLegendZeile = nullptr;
    QAction* mnuDelLegend = nullptr;
    QAction* mnuDelLabels = nullptr;
    QMenu* mnuMark = nullptr;
    QAction* mnuAddPunkte = nullptr;
    QAction* mnuHalbA = nullptr;
    QAction* mnuHalbB = nullptr;
    QAction* mnuAddText = nullptr;
    QAction* mnuAddLegend = nullptr;
    QAction* mnuAddLabels = nullptr;
    QAction* mnuManuXY = nullptr;
    QMenu* mnuBildsenden = nullptr;
    QAction* mnuPrintIt = nullptr;
    QAction* mnuSaveOC2 = nullptr;
    QAction* mnuLoadOC2 = nullptr;
    QAction* mnuCoord = nullptr;
    QAction* mnuResolution = nullptr;
    QAction* mnuHaupt = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildPanels();
    void connectManual();      // cmdManuKurve and "Manual Curve / Points"
    void SetAxesMinMax();
    // The steps of Form_Load.
    void resetCounters();
    QSize placeWindow(QSize screenPixels);
    void loadChartContent(bool wideScreen, QSize size);
    QSize sizeChartArea(QSize windowTwips);
    void loadPointDensity();
    void loadDesignDefaults();
    void loadHalfLifeMenu();
    void loadAxisWindow();
    void firstDrawing();
    void showPanel(QFrame* panel);
    QPoint keptInside(const QWidget* panel, QPoint p) const;
    void updateSingleCalcEnabled();
    // The print boxes as centimetres; false (after a message) when they do not
    // give a position and a size on paper.
    bool printRect(double& leftCm, double& topCm, double& widthCm, double& heightCm);
    // Paints the chart into a rectangle given in centimetres on a paint device.
    void paintAt(QPainter& painter, double leftCm, double topCm, double widthCm, double heightCm);
    bool passRunning_ = false;
    // Dragging of a floating panel.
    QWidget* dragPanel_ = nullptr;
    QPoint dragStart_;

    // ---- Diagram Settings panel (frmgraph2d_design2.cpp) --------------------------------
    void buildDiagramSettings();   // constructor: the panel and its connections
    void loadDiagramSettings();    // Form_Load step 7
    void showDiagramColours();     // the colour buttons show the chart's colours
    void spacingBoxChanged(int box);
    void originBoxChanged(QLineEdit* box, bool xAxis);
    bool manualScaling_ = false;   // "manual" spacing: the six boxes are open

    // ---- chart editing and files (frmgraph2d_edit.cpp) ----------------------------------
    // Connects and enables the editing and file items of the menus (constructor).
    void connectEditing();
    // Captions and enabling of the two half-life items for the diagram code (Form_Load).
    void SetHalfLifeMenu();
    void halfLifeMark(bool speziesB);
    // The caption of the selected tab of tabKurven ("" when there is none).
    QString selectedCurveTabCaption() const;
    // Tab i - 1 of tabKurven (tabPunkte) available or not, in KurvenTab (PunkteTab) and on the panel.
    void setCurveTabAvailable(int slot, bool available);
    void setPointTabAvailable(int set, bool available);
    // The legend boxes, and the curves' "visible" label boxes, ticked or cleared
    // (each box that changes runs its handler).
    void setLegendBoxes(bool checked);
    void setLabelBoxes(bool checked);
    // After a diagram file is loaded: the panels' boxes of the curves and point
    // sets show what the chart now holds.
    void refreshTabsFromChart();

    // ---- chart design, part one (frmgraph2d_design1.cpp) ---------------------------------
    void buildDesign1();                   // constructor: the panels and their connections
    void placeDesign1Panels(int menuHeight); // Form_Load step 3
    void loadCurveTab(int i);              // Form_Load step 5, curve slot i
    void loadPointTab(int j);              // Form_Load step 6, point set j
    void loadLabelControls();              // Form_Load step 8
    void loadLegendControls();             // Form_Load step 9
    void loadDesign1Defaults();            // Form_Load step 13
    // KurvenTab[i] from the slot's state and the chart (its tab's availability,
    // caption and colour).
    void fillCurveTab(int i);
    // The panels show what KurvenTab and PunkteTab hold (no handler runs).
    void showCurveTab(int i);
    void showCurveTabs();
    void showPointTab(int j);
    void showPointTabs();
    void showLabelLegendPage();
    void legendBoxClicked(bool v);
    bool placeMarkerText(int label, QPointF pos);
    void openDesignFor(const DesignTarget& target);
    void hideDesign1Panels();              // part of HideDesignFrames
    // The panel (fraKurven, fraPunkte, fraSchrift) that w is or whose caption
    // w is, for dragging; null otherwise.
    QWidget* design1PanelOf(QWidget* w) const;
    bool legendCascade_ = false;
    int markerDrag_ = 0;                   // marker text (26, 27) being placed
};

} // namespace kinhom
