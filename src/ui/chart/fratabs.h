#pragma once
// fraTabs ("Diagram Settings"): the chart window's floating panel that sets how
// the chart itself looks. Its tab control tabDesign holds the pages
//
//   0 "Frame"             the chart's frame and its width, the chart area's frame,
//                         "Diagram framed"
//   1 "Margins"           "Borders automatically" and the four margin scroll bars
//   2 "Scaling"           automatic or manual spacing, the six spacing boxes,
//                         logarithmic axes
//   3 "Numbering"         where the X and Y axes carry their numbers
//   4 "Origin"            where the axes cross
//   5 "Grid and Colours"  grid choice, grid line style and colour, background
//                         colours, the three colour presets (the page the window
//                         shows first)
//
// Further pages (the label and legend controls) are added with addPage.
//
// This class only builds the controls; every control's objectName is its control
// name (optFrameType_2, txtXGridValue). The handlers are members of frmGraph2D
// (frmgraph2d_design2.cpp), which owns the panel as frmGraph2D::fraTabs. Option
// arrays are exclusive through their own button group, so that two arrays may
// share a frame.

#include <array>

#include <QFrame>

#include "core/shell/rgb.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;
class QToolButton;

namespace kinhom {

// An up-down control: two small arrow buttons that step a whole number within a
// range. Its value is shown by a label of the caller's (labRBreite).
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);
    int value() const { return value_; }
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    void setRange(int min, int max);
    // Clamped to the range; valueChanged is emitted when the value changes.
    void setValue(int v);
    void stepUp() { setValue(value_ + 1); }
    void stepDown() { setValue(value_ - 1); }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void valueChanged(int value);

private:
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int value_ = 0;
    int min_ = 0;
    int max_ = 100;
};

// A colour button: its caption beside a swatch of the colour it shows.
void SetButtonColor(QPushButton* button, Rgb color);
Rgb ButtonColor(const QPushButton* button);

class FraTabs : public QFrame {
    Q_OBJECT
public:
    explicit FraTabs(QWidget* parent = nullptr);

    // Appends a page to tabDesign; returns its index.
    int addPage(QWidget* page, const QString& caption);

    QLabel* caption = nullptr;          // "Diagram Settings" (drags the panel)
    QTabWidget* tabDesign = nullptr;
    QPushButton* cmdTabs_OK = nullptr;  // "Close"

    // Page indices.
    enum Page { PageFrame = 0, PageMargins, PageScaling, PageNumbering, PageOrigin, PageGridColours };

    // ---- frames ----------------------------------------------------------------------
    // Chart frame: 0 "without", 1 "3D", 2 "normal", 3 "Etched Type".
    std::array<QRadioButton*, 4> optFrameType{};
    QButtonGroup* grpFrameType = nullptr;
    QLabel* lblFrameWidth = nullptr;    // caption "Frame Width"
    QLabel* labRBreite = nullptr;       // the width shown
    UpDownControl* UpDownRBreite = nullptr;
    // Chart area frame: 0 "without", 1 "3D raised", 2 "3D lowered", 3 "Shadow", 4 "normal".
    std::array<QRadioButton*, 5> optSM{};
    QButtonGroup* grpSM = nullptr;
    QCheckBox* chkDiaFrame = nullptr;   // "Diagram framed"

    // ---- margins ---------------------------------------------------------------------
    QCheckBox* chkAutoRand = nullptr;   // "Borders automatically"
    QGroupBox* frRandBreite = nullptr;  // "Change of Width"
    std::array<QLabel*, 5> lb{};        // "left", "right", "top", "bottom", the unit
    QScrollBar* scrHL = nullptr;        // left, right, top (oben), bottom (unten)
    QScrollBar* scrHR = nullptr;
    QScrollBar* scrHO = nullptr;
    QScrollBar* scrHU = nullptr;
    std::array<QLabel*, 4> lblRandWert{}; // the margins in pixels beside the bars (L, R, O, U)

    // ---- scaling ---------------------------------------------------------------------
    std::array<QRadioButton*, 2> optScaling{}; // "automat.", "manual"
    QButtonGroup* grpScaling = nullptr;
    QLineEdit* txtXGridValue = nullptr;
    QLineEdit* txtYGridValue = nullptr;
    QLineEdit* txtXTickValue = nullptr;
    QLineEdit* txtYTickValue = nullptr;
    QLineEdit* txtXZiffValue = nullptr;
    QLineEdit* txtYZiffValue = nullptr;
    QPushButton* cmdXLog = nullptr;     // "  X-Axis"
    QPushButton* cmdYLog = nullptr;     // "  Y-Axis "
    // The six boxes in the order the automatic scaling fills them (grid X, grid Y,
    // tick X, tick Y, numbering X, numbering Y).
    std::array<QLineEdit*, 6> spacingBoxes() const;

    // ---- numbering and origin ----------------------------------------------------------
    // "in the minimum", "at axis", "in the maximum".
    std::array<QRadioButton*, 3> optXZiffern{};
    std::array<QRadioButton*, 3> optYZiffern{};
    QButtonGroup* grpXZiffern = nullptr;
    QButtonGroup* grpYZiffern = nullptr;
    // "autom. in the minimum of axes", "manual".
    std::array<QRadioButton*, 2> optStandardOrigin{};
    QButtonGroup* grpStandardOrigin = nullptr;
    QGroupBox* fraXOrigin = nullptr;    // the manual options of X and of Y
    QGroupBox* fraYOrigin = nullptr;
    // "in X-minimum", "at X = 0", "in X-maximum", "at X =" (Y alike).
    std::array<QRadioButton*, 4> optXOrigin{};
    std::array<QRadioButton*, 4> optYOrigin{};
    QButtonGroup* grpXOrigin = nullptr;
    QButtonGroup* grpYOrigin = nullptr;
    QLineEdit* txtXOrigin = nullptr;
    QLineEdit* txtYOrigin = nullptr;

    // ---- grid and colours ----------------------------------------------------------------
    // "without Grid", "Y-Grid only", "X-Grid only", "Full grid".
    std::array<QRadioButton*, 4> opt1Gitter{};
    QButtonGroup* grp1Gitter = nullptr;
    // "Curve dotted", "solid line".
    std::array<QRadioButton*, 2> opt2Gitter{};
    QButtonGroup* grp2Gitter = nullptr;
    QPushButton* cmdGitterFarbe = nullptr; // "Grid Color"
    QPushButton* cmdRandCol_out = nullptr; // background of the whole chart
    QPushButton* cmdRandCol_in = nullptr;  // background of the chart area
    QPushButton* cmdColor_in = nullptr;    // background of the plot area
    QPushButton* cmdFullBlack = nullptr;   // "Chart Area=Black"
    QPushButton* cmdFullWhite = nullptr;   // "Chart Area=White"
    QPushButton* cmdRandColGrau = nullptr; // "Chart Border=Grey"

private:
    QWidget* buildFramePage();
    QWidget* buildMarginsPage();
    QWidget* buildScalingPage();
    QWidget* buildNumberingPage();
    QWidget* buildOriginPage();
    QWidget* buildGridColoursPage();
};

} // namespace kinhom
