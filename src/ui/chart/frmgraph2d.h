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
//   g.cmdDraw->click();                  // an open window draws now; a window that
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
#include <vector>

#include <QPoint>
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

namespace kinhom {

class Chart2D;
class ChartView;
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
    void Form_Activate() override;
    void Form_Resize() override;
    // Never cancels; remembers the window's left position in GrafikLinks.
    void Form_QueryUnload(int& Cancel, UnloadMode mode) override;

    // ---- public procedures of the chart window ---------------------------------------
    // The drawing pass: the handler of the (hidden) button cmdDraw ("Draw curve").
    // Other windows press cmdDraw->click().
    void cmdDraw_Click();
    // Writes a prepared curve (record 0 x = count) as series `slot` of the curve
    // group in the preset colour and shows its label.
    void zeichneKurve(int slot, const std::vector<KurvenPunkt>& points);
    // The measured points of the current diagram code into the point sets of
    // group 2, clipped to the axis window; `inside` becomes true when at least
    // one point lies inside it.
    void zeigeExperPunkte(bool& inside);
    // Deletes curve n (1 to 24) or, with n = 0, all curves; frees their slots.
    void DeleteCurves(int n);
    // Add > Experimental points: checks that the measured data fit the diagram,
    // then shows them.
    void mnuAddPunkte_Click();
    // The separator list: Trennzeichen := ";", "," or Tab by list position.
    void cmbSep_Click();
    // Shows the single-point calculator (positive diagram codes).
    void cmdSingleCalc_Click();
    // Hides every floating panel.
    void HideDesignFrames();

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

    // ---- design effects that the load applies ---------------------------------------------
    void opt1Gitter_Click(int Index);
    void opt2Gitter_Click(int Index);
    void cmdFullWhite_Click();
    void optScaling_Click(int Index);
    void chkLegTransparent_Click();
    void cmbKStil_Click(int Index);
    void cmbPunktStil_Click(int Index);

    // ---- state ------------------------------------------------------------------------------
    Chart2D& chart();
    const Chart2D& chart() const;
    // The text of the status line.
    QString statusText() const;
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
    // The spacing boxes of the axis settings (grid X, grid Y, tick X, tick Y,
    // numbering X, numbering Y) as text.
    std::array<QString, 6> SpacingText{};
    bool chkLegTransparent = false;
    int optScaling = -1;

    // ---- controls (objectName = control name) ---------------------------------------------
    ChartView* Chart2D1 = nullptr;
    QStatusBar* StatusBar2 = nullptr;
    QLabel* StatusBar2Text = nullptr;
    QWidget* fraTop = nullptr;         // strip above the chart
    QPushButton* cmdDraw = nullptr;    // "Draw curve", hidden; pressed by other windows
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
    void SetAxesMinMax();
    void setupChartContent(bool wideScreen);
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
};

} // namespace kinhom
