#include "ui/chart/fraschrift.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "ui/chart/panelwidgets.h"

namespace kinhom {

namespace {

// Two exclusive options in a titled frame.
QGroupBox* OptionPair(const QString& title, const char* frameName, const char* optName, const char* first,
                      const char* second, std::array<QRadioButton*, 2>& opts, QButtonGroup*& group, QWidget* parent)
{
    auto* box = Named(new QGroupBox(title, parent), frameName);
    auto* col = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    const char* captions[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        opts[static_cast<std::size_t>(i)] = Named(new QRadioButton(captions[i], box), Indexed(optName, i));
        group->addButton(opts[static_cast<std::size_t>(i)], i);
        col->addWidget(opts[static_cast<std::size_t>(i)]);
    }
    return box;
}

} // namespace

// ---- the text box ------------------------------------------------------------------------------

SchriftBox::SchriftBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setToolTip("Add a new line: <Ctrl><Enter>");
}

void SchriftBox::caretToEnd()
{
    QTextCursor c = textCursor();
    c.movePosition(QTextCursor::End);
    setTextCursor(c);
}

void SchriftBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (event->modifiers() & Qt::ControlModifier) insertPlainText("\n");
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// ---- fraSchrift ---------------------------------------------------------------------------------

FraSchrift::FraSchrift(QWidget* parent) : QFrame(parent)
{
    QVBoxLayout* body = PanelFrame(this, "fraSchrift", "Design Header", caption);
    body->setSpacing(6);

    schrift = Named(new SchriftBox(this), "schrift");
    const int lineHeight = schrift->fontMetrics().lineSpacing();
    schrift->setFixedHeight(lineHeight * 3 + 12);
    schrift->setMinimumWidth(320);
    body->addWidget(schrift);

    // Position of header and additional text: the bar at the left moves the text
    // up and down, the bar below it moves it left and right.
    fraTextShift = Named(new QGroupBox("Position", this), "fraTextShift");
    VScroll1 = Named(new QScrollBar(Qt::Vertical, fraTextShift), "VScroll1");
    VScroll1->setToolTip("top");
    VScroll1->setMinimumHeight(70);
    HScroll1 = Named(new QScrollBar(Qt::Horizontal, fraTextShift), "HScroll1");
    HScroll1->setToolTip("left");
    HScroll1->setMinimumWidth(110);
    auto* shift = new QGridLayout(fraTextShift);
    shift->addWidget(new QLabel("top", fraTextShift), 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    shift->addWidget(VScroll1, 0, 1, Qt::AlignHCenter);
    shift->addWidget(new QLabel("left", fraTextShift), 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    shift->addWidget(HScroll1, 1, 1);

    Label60 = Named(new QLabel("Backgr. Color", this), "Label60");
    cmdSchriftHFarbe = PanelButton(QString(), "cmdSchriftHFarbe", this);
    cmdSchriftHFarbe->setToolTip("Background color of the header or the additional text");
    cmdFont = PanelButton("Font/Color", "cmdFont", this);
    chkTextFrame = Named(new QCheckBox("framed", this), "chkTextFrame");
    auto* look = new QGridLayout;
    look->addWidget(Label60, 0, 0);
    look->addWidget(cmdSchriftHFarbe, 0, 1);
    look->addWidget(cmdFont, 1, 0, 1, 2);
    look->addWidget(chkTextFrame, 2, 0, 1, 2);
    look->setRowStretch(3, 1);

    auto* middle = new QHBoxLayout;
    middle->addWidget(fraTextShift);
    middle->addLayout(look, 1);
    body->addLayout(middle);

    fraYText = OptionPair("Y-Axis Text", "fraYText", "optOrientYAxText", "horiz. top", "vertical", optOrientYAxText,
                          grpOrientYAxText, this);
    fraYZiff = OptionPair("Y-Numbers", "fraYZiff", "optOrientYAxZiff", "horizontal", "vertical", optOrientYAxZiff,
                          grpOrientYAxZiff, this);
    auto* orient = new QHBoxLayout;
    orient->addWidget(fraYText, 1);
    orient->addWidget(fraYZiff, 1);
    body->addLayout(orient);

    cmdSchriftFertig = PanelButton("Close", "cmdSchriftFertig", this);
    body->addWidget(cmdSchriftFertig, 0, Qt::AlignRight);
    hide();
}

// ---- the labels and legend page ---------------------------------------------------------------------

FraLabelLegend::FraLabelLegend(QWidget* parent) : QWidget(parent)
{
    setObjectName("fraLabelLegend");

    fraLabels = Named(new QGroupBox("Curve labels", this), "fraLabels");
    chkLabelNotVisible = Named(new QCheckBox("all invisible", fraLabels), "chkLabelNotVisible");
    chkLabelFrame = Named(new QCheckBox("framed", fraLabels), "chkLabelFrame");
    cmdLabelFColor = PanelButton("Text Color", "cmdLabelFColor", fraLabels);
    cmdLabelBColor = PanelButton("Backgr. Color", "cmdLabelBColor", fraLabels);
    cmdFontLabel = PanelButton("Font/Color", "cmdFontLabel", fraLabels);
    auto* lab = new QVBoxLayout(fraLabels);
    lab->addWidget(chkLabelNotVisible);
    lab->addWidget(chkLabelFrame);
    lab->addWidget(cmdLabelFColor);
    lab->addWidget(cmdLabelBColor);
    lab->addWidget(cmdFontLabel);
    lab->addStretch(1);

    fraLegend = Named(new QGroupBox("Legend", this), "fraLegend");
    chkLegend = Named(new QCheckBox("visible", fraLegend), "chkLegend");
    chkLegend->setToolTip(" Legend visible only if at least for one curve a legend-text exists ");
    chkLegend->setChecked(true); // a new chart shows its legend
    chkLegFrame = Named(new QCheckBox("with frame", fraLegend), "chkLegFrame");
    chkLegTransparent = Named(new QCheckBox("transparent", fraLegend), "chkLegTransparent");
    cmdLegBColor = PanelButton("Background", "cmdLegBColor", fraLegend);
    cmdLegFColor = PanelButton("Text Color", "cmdLegFColor", fraLegend);
    cmdLegFont = PanelButton("Font", "cmdLegFont", fraLegend);
    grpLegOrient = new QButtonGroup(fraLegend);
    optLegOrient[0] = Named(new QRadioButton("horizontal", fraLegend), "optLegOrient_0");
    optLegOrient[1] = Named(new QRadioButton("vertical", fraLegend), "optLegOrient_1");
    grpLegOrient->addButton(optLegOrient[0], 0);
    grpLegOrient->addButton(optLegOrient[1], 1);
    scrLegH = Named(new QScrollBar(Qt::Horizontal, fraLegend), "scrLegH");
    scrlegV = Named(new QScrollBar(Qt::Vertical, fraLegend), "scrlegV");
    scrLegH->setMinimumWidth(120);
    scrLegH->setToolTip("left position of the legend");
    scrlegV->setMinimumHeight(90);
    scrlegV->setToolTip("top position of the legend");

    // The legend's place, laid out as the text panel's: the upright bar moves it
    // up and down, the bar below it left and right.
    auto* place = Named(new QGroupBox("Position", fraLegend), "fraLegPosition");
    scrLegH->setParent(place);
    scrlegV->setParent(place);
    auto* shift = new QGridLayout(place);
    shift->addWidget(new QLabel("top", place), 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    shift->addWidget(scrlegV, 0, 1, Qt::AlignHCenter);
    shift->addWidget(new QLabel("left", place), 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    shift->addWidget(scrLegH, 1, 1);

    auto* leg = new QGridLayout(fraLegend);
    leg->addWidget(chkLegend, 0, 0);
    leg->addWidget(chkLegFrame, 1, 0);
    leg->addWidget(chkLegTransparent, 2, 0);
    leg->addWidget(optLegOrient[0], 0, 1);
    leg->addWidget(optLegOrient[1], 1, 1);
    leg->addWidget(cmdLegBColor, 3, 0);
    leg->addWidget(cmdLegFColor, 3, 1);
    leg->addWidget(cmdLegFont, 4, 0);
    leg->addWidget(place, 0, 2, 6, 1);
    leg->setRowStretch(5, 1);

    auto* row = new QHBoxLayout(this);
    row->addWidget(fraLabels);
    row->addWidget(fraLegend, 1);
}

} // namespace kinhom
