#pragma once
// The texts of the chart window and how they look:
//
//   fraSchrift       the floating text design panel ("Design Header", "Design
//                    Additional text", "Design X-Axis Annotation", "Design Y-Axis
//                    Annotation"), opened by the text items of the Design menu: the
//                    text box `schrift` (a new line with Ctrl+Enter), the position
//                    scroll bars of header and additional text, their background
//                    colour, the font, the frame, and the orientation of the Y-axis
//                    title and numbers
//   fraLabelLegend   the page "Labels and Legend" of the Diagram Settings panel:
//                    the curve labels (all invisible, framed, colours, font) and the
//                    legend (visible, frame, transparent, colours, font, orientation,
//                    position)
//
// These classes only build the controls; every control's objectName is its
// control name (optOrientYAxText_1). The handlers are members of frmGraph2D
// (frmgraph2d_design1.cpp), which owns the panel as frmGraph2D::fraSchrift and
// the page as frmGraph2D::fraLabelLegend.

#include <array>

#include <QFrame>
#include <QPlainTextEdit>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kinhom {

// The text box of the text panel: Enter alone adds nothing (the texts are
// short); Ctrl+Enter starts a new line.
class SchriftBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SchriftBox(QWidget* parent = nullptr);
    // The caret to the end of the text.
    void caretToEnd();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class FraSchrift : public QFrame {
    Q_OBJECT
public:
    explicit FraSchrift(QWidget* parent = nullptr);

    QLabel* caption = nullptr; // "Design Header" ... (drags the panel)
    SchriftBox* schrift = nullptr;

    QGroupBox* fraTextShift = nullptr;        // "Position"
    QScrollBar* VScroll1 = nullptr;           // top (pixels)
    QScrollBar* HScroll1 = nullptr;           // left (pixels)
    QLabel* Label60 = nullptr;                // "Backgr. Color"
    QPushButton* cmdSchriftHFarbe = nullptr;
    QPushButton* cmdFont = nullptr;           // "Font/Color"
    QCheckBox* chkTextFrame = nullptr;        // "framed"

    QGroupBox* fraYText = nullptr;            // "Y-Axis Text"
    std::array<QRadioButton*, 2> optOrientYAxText{}; // "horiz. top", "vertical"
    QButtonGroup* grpOrientYAxText = nullptr;
    QGroupBox* fraYZiff = nullptr;            // "Y-Numbers"
    std::array<QRadioButton*, 2> optOrientYAxZiff{}; // "horizontal", "vertical"
    QButtonGroup* grpOrientYAxZiff = nullptr;

    QPushButton* cmdSchriftFertig = nullptr;  // "Close"
};

class FraLabelLegend : public QWidget {
    Q_OBJECT
public:
    explicit FraLabelLegend(QWidget* parent = nullptr);

    // Curve labels.
    QGroupBox* fraLabels = nullptr;           // "Curve labels"
    QCheckBox* chkLabelNotVisible = nullptr;  // "all invisible"
    QCheckBox* chkLabelFrame = nullptr;       // "framed"
    QPushButton* cmdLabelFColor = nullptr;    // text colour
    QPushButton* cmdLabelBColor = nullptr;    // background colour
    QPushButton* cmdFontLabel = nullptr;      // "Font/Color"

    // Legend.
    QGroupBox* fraLegend = nullptr;           // "Legend"
    QCheckBox* chkLegend = nullptr;           // "visible"
    QCheckBox* chkLegFrame = nullptr;         // "with frame"
    QCheckBox* chkLegTransparent = nullptr;   // "transparent"
    QPushButton* cmdLegBColor = nullptr;      // "Background"
    QPushButton* cmdLegFColor = nullptr;      // text colour
    QPushButton* cmdLegFont = nullptr;        // "Font"
    std::array<QRadioButton*, 2> optLegOrient{}; // "horizontal", "vertical"
    QButtonGroup* grpLegOrient = nullptr;
    QScrollBar* scrLegH = nullptr;            // left position (pixels)
    QScrollBar* scrlegV = nullptr;            // top position (pixels)
};

} // namespace kinhom
