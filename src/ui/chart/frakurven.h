#pragma once
// The two floating panels of the chart window that restyle what was drawn:
//
//   fraKurven ("Designing the Curve")            one tab per curve slot (tabKurven,
//                                                 24 tabs "C.1" ... "C.24")
//   fraPunkte ("Designing Experimental Points")  one tab per point set (tabPunkte,
//                                                 "c(A)" ... "c(Q)", "k-T", "man.")
//
// A curve tab holds the curve's style list, colour, line width, its label (text,
// "visible", position along the curve) and its legend text with the legend
// switch; a point tab the set's symbol list, colour, symbol size, legend text,
// legend switch and delete button. Below the curve tabs: the preset colour of
// the next drawing, "Delete Curve" and the two exports of the selected curve.
//
// These classes only build the controls; every control's objectName is its
// control name (cmbKStil_5, chkLegend1_4). The handlers are members of
// frmGraph2D (frmgraph2d_design1.cpp), which owns the panels as
// frmGraph2D::fraKurven and frmGraph2D::fraPunkte. Control arrays are indexed as
// the window indexes them: the curve controls 1 to 24 (chkLegend1 0 to 23), the
// point controls 1 to 7; element 0 is unused where the array starts at 1.

#include <array>

#include <QFrame>
#include <QLabel>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace kinhom {

class UpDownControl;

// A caption label that can be clicked ("  Preset Color").
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class FraKurven : public QFrame {
    Q_OBJECT
public:
    static constexpr int kTabs = 24;

    explicit FraKurven(QWidget* parent = nullptr);

    QLabel* caption = nullptr; // "Designing the Curve" (drags the panel)
    QTabWidget* tabKurven = nullptr;

    // Per curve slot 1..24.
    std::array<QComboBox*, kTabs + 1> cmbKStil{};
    std::array<QPushButton*, kTabs + 1> cmdKurvenFarbe{};
    std::array<QLabel*, kTabs + 1> Label39{};                // line width shown
    std::array<UpDownControl*, kTabs + 1> UpDown1_KBreite{};
    std::array<QLineEdit*, kTabs + 1> txtLabel{};
    std::array<QCheckBox*, kTabs + 1> chkEinzelLabelSichtbar{};
    std::array<QScrollBar*, kTabs + 1> scrShiftLab{};        // label position: point index
    std::array<QLineEdit*, kTabs + 1> txtLegendCurves{};
    std::array<QCheckBox*, kTabs> chkLegend1{};              // 0..23: tab of slot Index + 1

    ClickLabel* Label49 = nullptr;                           // "  Preset Color"
    QPushButton* cmdFarbVorwahl = nullptr;
    QPushButton* cmdDelKurv = nullptr;                       // "Delete Curve"
    QPushButton* cmdClipboard = nullptr;                     // "Curve to Clipboard"
    QPushButton* cmdSaveCurveAsXY = nullptr;                 // "Save Curve to File"
    QPushButton* cmdKurven_OK = nullptr;                     // "Close"
};

class FraPunkte : public QFrame {
    Q_OBJECT
public:
    static constexpr int kTabs = 7;

    explicit FraPunkte(QWidget* parent = nullptr);

    QLabel* caption = nullptr; // "Designing Experimental Points"
    QTabWidget* tabPunkte = nullptr;

    // Per point set 1..7.
    std::array<QComboBox*, kTabs + 1> cmbPunktStil{};
    std::array<QPushButton*, kTabs + 1> cmdPunktFarbe{};
    std::array<QLabel*, kTabs + 1> Label56{};                // symbol size shown
    std::array<UpDownControl*, kTabs + 1> UpDown1_PointSize{};
    std::array<QLineEdit*, kTabs + 1> txtLegendPoints{};
    std::array<QCheckBox*, kTabs + 1> chkLegend2{};          // "legend visible"
    std::array<QPushButton*, kTabs + 1> cmdDelPoints{};      // "Delete Points"

    QPushButton* cmdPunkte_OK = nullptr;                     // "Close"
};

} // namespace kinhom
