// The "Diagram Settings" panel: its controls and their layout.

#include "ui/chart/fratabs.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/chart/designeffects.h"
#include "ui/chart/panelwidgets.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

constexpr int kSwatchSize = 14;

QRadioButton* Option(const QString& caption, const char* array, int index, QWidget* parent, QButtonGroup* group)
{
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(QString("%1_%2").arg(array).arg(index));
    group->addButton(o, index);
    return o;
}

QButtonGroup* Group(const char* name, QObject* parent)
{
    auto* g = new QButtonGroup(parent);
    g->setObjectName(QString("grp_") + name);
    g->setExclusive(true);
    return g;
}

QLineEdit* SpacingEdit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(90);
    return e;
}

QGroupBox* GroupBox(const QString& title, QWidget* parent)
{
    auto* g = new QGroupBox(title, parent);
    return g;
}

QWidget* NewPage(QVBoxLayout*& layout)
{
    auto* p = new QWidget;
    layout = new QVBoxLayout(p);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    return p;
}

} // namespace

// ---- up-down -------------------------------------------------------------------------------

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent)
{
    up_ = new QToolButton(this);
    up_->setObjectName("up");
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setObjectName("down");
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(18, 11);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(up_);
    l->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, Guarded([this] { stepUp(); }));
    connect(down_, &QToolButton::clicked, this, Guarded([this] { stepDown(); }));
}

void UpDownControl::setRange(int min, int max)
{
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    setValue(value_);
}

void UpDownControl::setValue(int v)
{
    v = std::clamp(v, min_, max_);
    if (v == value_) return;
    value_ = v;
    emit valueChanged(value_);
}

// ---- colour buttons ------------------------------------------------------------------------

void SetButtonColor(QPushButton* button, Rgb color)
{
    if (!button) return;
    button->setProperty("rgb", static_cast<uint>(color.packed()));
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(QColor(color.r, color.g, color.b));
    QPainter p(&swatch);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(0, 0, kSwatchSize - 1, kSwatchSize - 1);
    p.end();
    button->setIcon(QIcon(swatch));
    button->setIconSize(QSize(kSwatchSize, kSwatchSize));
}

Rgb ButtonColor(const QPushButton* button)
{
    if (!button) return {};
    return Rgb::fromPacked(button->property("rgb").toUInt());
}

// ---- the panel -------------------------------------------------------------------------------

FraTabs::FraTabs(QWidget* parent) : QFrame(parent)
{
    QVBoxLayout* body = PanelFrame(this, "fraTabs", "Diagram Settings", caption);

    tabDesign = new QTabWidget(this);
    tabDesign->setObjectName("tabDesign");
    tabDesign->setUsesScrollButtons(false); // every page's tab in view: the panel is as wide as its tabs
    tabDesign->addTab(buildFramePage(), "Frame");
    tabDesign->addTab(buildMarginsPage(), "Margins");
    tabDesign->addTab(buildScalingPage(), "Scaling");
    tabDesign->addTab(buildNumberingPage(), "Numbering");
    tabDesign->addTab(buildOriginPage(), "Origin");
    tabDesign->addTab(buildGridColoursPage(), "Grid and Colours");
    body->addWidget(tabDesign, 1);

    cmdTabs_OK = PanelButton("Close", "cmdTabs_OK", this);
    body->addWidget(cmdTabs_OK, 0, Qt::AlignRight);
    hide();
}

int FraTabs::addPage(QWidget* page, const QString& caption)
{
    const int index = tabDesign->addTab(page, caption);
    adjustSize();
    return index;
}

std::array<QLineEdit*, 6> FraTabs::spacingBoxes() const
{
    return {txtXGridValue, txtYGridValue, txtXTickValue, txtYTickValue, txtXZiffValue, txtYZiffValue};
}

QWidget* FraTabs::buildFramePage()
{
    QVBoxLayout* l = nullptr;
    QWidget* page = NewPage(l);

    // The frame of the whole chart and its width.
    QGroupBox* chartFrame = GroupBox("Frame of the Chart", page);
    chartFrame->setObjectName("fraFrameType");
    auto* g = new QGridLayout(chartFrame);
    grpFrameType = Group("optFrameType", this);
    const char* types[4] = {"without", "3D", "normal", "Etched Type"};
    for (int i = 0; i < 4; ++i) {
        optFrameType[static_cast<std::size_t>(i)] = Option(types[i], "optFrameType", i, chartFrame, grpFrameType);
        g->addWidget(optFrameType[static_cast<std::size_t>(i)], i % 2, i / 2);
    }
    auto* width = new QHBoxLayout;
    lblFrameWidth = new QLabel("Frame Width", chartFrame);
    lblFrameWidth->setObjectName("lblFrameWidth");
    labRBreite = new QLabel("1", chartFrame);
    labRBreite->setObjectName("labRBreite");
    labRBreite->setFrameShape(QFrame::StyledPanel);
    labRBreite->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labRBreite->setFixedWidth(32);
    UpDownRBreite = new UpDownControl(chartFrame);
    UpDownRBreite->setObjectName("UpDownRBreite");
    UpDownRBreite->setRange(kMinFrameWidth, kMaxFrameWidth);
    UpDownRBreite->setToolTip("Width of the chart's frame in pixels");
    width->addWidget(lblFrameWidth);
    width->addSpacing(8);
    width->addWidget(labRBreite);
    width->addWidget(UpDownRBreite);
    width->addStretch(1);
    g->addLayout(width, 2, 0, 1, 2);
    l->addWidget(chartFrame);

    // The frame of the chart area.
    QGroupBox* areaFrame = GroupBox("Frame of the Chart Area", page);
    areaFrame->setObjectName("fraSM");
    auto* a = new QGridLayout(areaFrame);
    grpSM = Group("optSM", this);
    for (int i = 0; i < 5; ++i) {
        optSM[static_cast<std::size_t>(i)] = Option(kChartAreaFrameItems[i], "optSM", i, areaFrame, grpSM);
        a->addWidget(optSM[static_cast<std::size_t>(i)], i % 3, i / 3);
    }
    l->addWidget(areaFrame);

    chkDiaFrame = new QCheckBox("Diagram framed", page);
    chkDiaFrame->setObjectName("chkDiaFrame");
    chkDiaFrame->setToolTip("A frame around the plot area");
    l->addWidget(chkDiaFrame);
    l->addStretch(1);
    return page;
}

QWidget* FraTabs::buildMarginsPage()
{
    QVBoxLayout* l = nullptr;
    QWidget* page = NewPage(l);

    chkAutoRand = new QCheckBox("Borders automatically", page);
    chkAutoRand->setObjectName("chkAutoRand");
    chkAutoRand->setToolTip("The margins around the plot area follow the axis numbering and titles");
    l->addWidget(chkAutoRand);

    frRandBreite = GroupBox("Change of Width", page);
    frRandBreite->setObjectName("frRandBreite");
    auto* g = new QGridLayout(frRandBreite);
    const char* sides[4] = {"left", "right", "top", "bottom"};
    const char* bars[4] = {"scrHL", "scrHR", "scrHO", "scrHU"};
    QScrollBar** targets[4] = {&scrHL, &scrHR, &scrHO, &scrHU};
    for (int i = 0; i < 4; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        lb[k] = new QLabel(sides[i], frRandBreite);
        lb[k]->setObjectName(QString("lb_%1").arg(i));
        auto* bar = new QScrollBar(Qt::Horizontal, frRandBreite);
        bar->setObjectName(bars[i]);
        bar->setRange(0, kMaxMargin);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setMinimumWidth(180);
        *targets[i] = bar;
        lblRandWert[k] = new QLabel("0", frRandBreite);
        lblRandWert[k]->setObjectName(QString("lblRandWert_%1").arg(i));
        lblRandWert[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblRandWert[k]->setMinimumWidth(32);
        g->addWidget(lb[k], i, 0);
        g->addWidget(bar, i, 1);
        g->addWidget(lblRandWert[k], i, 2);
        connect(bar, &QScrollBar::valueChanged, lblRandWert[k], Guarded([label = lblRandWert[k]](int v) {
            label->setText(QString::number(v));
        }));
    }
    lb[4] = new QLabel("Distance of the plot area from the edge of the chart area, in pixels", frRandBreite);
    lb[4]->setObjectName("lb_4");
    lb[4]->setWordWrap(true);
    g->addWidget(lb[4], 4, 0, 1, 3);
    g->setColumnStretch(1, 1);
    l->addWidget(frRandBreite);
    l->addStretch(1);
    return page;
}

QWidget* FraTabs::buildScalingPage()
{
    QVBoxLayout* l = nullptr;
    QWidget* page = NewPage(l);

    QGroupBox* spacing = GroupBox("Spacing of grid, ticks and numbers", page);
    spacing->setObjectName("fraScaling");
    auto* g = new QGridLayout(spacing);
    grpScaling = Group("optScaling", this);
    optScaling[0] = Option("automat.", "optScaling", 0, spacing, grpScaling);
    optScaling[1] = Option("manual", "optScaling", 1, spacing, grpScaling);
    auto* opts = new QHBoxLayout;
    opts->addWidget(optScaling[0]);
    opts->addWidget(optScaling[1]);
    opts->addStretch(1);
    g->addLayout(opts, 0, 0, 1, 3);
    auto* xHead = new QLabel("X-Axis", spacing);
    auto* yHead = new QLabel("Y-Axis", spacing);
    xHead->setAlignment(Qt::AlignCenter);
    yHead->setAlignment(Qt::AlignCenter);
    g->addWidget(xHead, 1, 1);
    g->addWidget(yHead, 1, 2);
    txtXGridValue = SpacingEdit("txtXGridValue", spacing);
    txtYGridValue = SpacingEdit("txtYGridValue", spacing);
    txtXTickValue = SpacingEdit("txtXTickValue", spacing);
    txtYTickValue = SpacingEdit("txtYTickValue", spacing);
    txtXZiffValue = SpacingEdit("txtXZiffValue", spacing);
    txtYZiffValue = SpacingEdit("txtYZiffValue", spacing);
    const char* rows[3] = {"GridSpacing value", "TickSpacing value", "NumbSpacing value"};
    QLineEdit* boxes[3][2] = {
        {txtXGridValue, txtYGridValue}, {txtXTickValue, txtYTickValue}, {txtXZiffValue, txtYZiffValue}};
    for (int r = 0; r < 3; ++r) {
        g->addWidget(new QLabel(rows[r], spacing), r + 2, 0);
        g->addWidget(boxes[r][0], r + 2, 1);
        g->addWidget(boxes[r][1], r + 2, 2);
    }
    auto* hint = new QLabel("On a logarithmic axis the spacings count decades.", spacing);
    hint->setWordWrap(true);
    g->addWidget(hint, 5, 0, 1, 3);
    l->addWidget(spacing);

    QGroupBox* log = GroupBox("logarithmic axes", page);
    log->setObjectName("fraLog");
    auto* h = new QHBoxLayout(log);
    cmdXLog = PanelButton("  X-Axis", "cmdXLog", log);
    cmdYLog = PanelButton("  Y-Axis ", "cmdYLog", log);
    cmdXLog->setToolTip("Switches the X axis between linear and logarithmic");
    cmdYLog->setToolTip("Switches the Y axis between linear and logarithmic");
    h->addWidget(cmdXLog);
    h->addWidget(cmdYLog);
    h->addStretch(1);
    l->addWidget(log);
    l->addStretch(1);
    return page;
}

QWidget* FraTabs::buildNumberingPage()
{
    QVBoxLayout* l = nullptr;
    QWidget* page = NewPage(l);

    QGroupBox* box = GroupBox("Position of axis numbering", page);
    box->setObjectName("fraZiffern");
    auto* g = new QGridLayout(box);
    g->addWidget(new QLabel("X-Axis", box), 0, 0);
    g->addWidget(new QLabel("Y-Axis", box), 0, 1);
    grpXZiffern = Group("optXZiffern", this);
    grpYZiffern = Group("optYZiffern", this);
    const char* places[3] = {"in the minimum", "at axis", "in the maximum"};
    for (int i = 0; i < 3; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        optXZiffern[k] = Option(places[i], "optXZiffern", i, box, grpXZiffern);
        optYZiffern[k] = Option(places[i], "optYZiffern", i, box, grpYZiffern);
        g->addWidget(optXZiffern[k], i + 1, 0);
        g->addWidget(optYZiffern[k], i + 1, 1);
    }
    l->addWidget(box);
    l->addStretch(1);
    return page;
}

QWidget* FraTabs::buildOriginPage()
{
    QVBoxLayout* l = nullptr;
    QWidget* page = NewPage(l);

    QGroupBox* mode = GroupBox("Origin of the axes", page);
    mode->setObjectName("fraOrigin");
    auto* m = new QVBoxLayout(mode);
    grpStandardOrigin = Group("optStandardOrigin", this);
    optStandardOrigin[0] = Option("autom. in the minimum of axes", "optStandardOrigin", 0, mode, grpStandardOrigin);
    optStandardOrigin[1] = Option("manual", "optStandardOrigin", 1, mode, grpStandardOrigin);
    m->addWidget(optStandardOrigin[0]);
    m->addWidget(optStandardOrigin[1]);
    l->addWidget(mode);

    // The manual options of each axis, shown only under "manual"; they keep their
    // room while hidden so that the page does not jump.
    auto* axes = new QHBoxLayout;
    auto build = [this, page](const char* axis, const char* other, const char* array,
                              std::array<QRadioButton*, 4>& opts, QButtonGroup*& group, QLineEdit*& box,
                              const char* boxName) {
        auto* f = new QGroupBox(QString("%1-Axis crosses").arg(other), page);
        auto* g = new QGridLayout(f);
        group = Group(array, this);
        const QString a = axis;
        // The fourth option reads "at X =" on the X side but "at Y = 0" on the Y
        // side, as the program has always named it; the box beside it holds the value.
        const QString captions[4] = {"in " + a + "-minimum", "at " + a + " = 0", "in " + a + "-maximum",
                                     a == "X" ? "at X =" : "at Y = 0"};
        for (int i = 0; i < 4; ++i) {
            opts[static_cast<std::size_t>(i)] = Option(captions[i], array, i, f, group);
            g->addWidget(opts[static_cast<std::size_t>(i)], i, 0);
        }
        opts[3]->setToolTip(QString("The origin at the %1 value in the box").arg(axis));
        box = new QLineEdit(f);
        box->setObjectName(boxName);
        box->setFixedWidth(90);
        box->setToolTip(QString("The %1 value at which the other axis crosses").arg(axis));
        g->addWidget(box, 3, 1);
        QSizePolicy keep = f->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        f->setSizePolicy(keep);
        return f;
    };
    fraXOrigin = build("X", "Y", "optXOrigin", optXOrigin, grpXOrigin, txtXOrigin, "txtXOrigin");
    fraXOrigin->setObjectName("fraXOrigin");
    fraYOrigin = build("Y", "X", "optYOrigin", optYOrigin, grpYOrigin, txtYOrigin, "txtYOrigin");
    fraYOrigin->setObjectName("fraYOrigin");
    axes->addWidget(fraXOrigin);
    axes->addWidget(fraYOrigin);
    l->addLayout(axes);
    l->addStretch(1);
    return page;
}

QWidget* FraTabs::buildGridColoursPage()
{
    QVBoxLayout* l = nullptr;
    QWidget* page = NewPage(l);

    auto* top = new QHBoxLayout;
    QGroupBox* grid = GroupBox("Grid", page);
    grid->setObjectName("fraGitter");
    auto* g = new QVBoxLayout(grid);
    grp1Gitter = Group("opt1Gitter", this);
    const char* choices[4] = {"without Grid", "Y-Grid only", "X-Grid only", "Full grid"};
    for (int i = 0; i < 4; ++i) {
        opt1Gitter[static_cast<std::size_t>(i)] = Option(choices[i], "opt1Gitter", i, grid, grp1Gitter);
        g->addWidget(opt1Gitter[static_cast<std::size_t>(i)]);
    }
    g->addStretch(1);
    top->addWidget(grid);

    QGroupBox* lines = GroupBox("Grid Lines", page);
    lines->setObjectName("fraGitterLinien");
    auto* gl = new QVBoxLayout(lines);
    grp2Gitter = Group("opt2Gitter", this);
    opt2Gitter[0] = Option("Curve dotted", "opt2Gitter", 0, lines, grp2Gitter);
    opt2Gitter[1] = Option("solid line", "opt2Gitter", 1, lines, grp2Gitter);
    gl->addWidget(opt2Gitter[0]);
    gl->addWidget(opt2Gitter[1]);
    cmdGitterFarbe = PanelButton("Grid Color", "cmdGitterFarbe", lines);
    gl->addWidget(cmdGitterFarbe);
    gl->addStretch(1);
    top->addWidget(lines);
    l->addLayout(top);

    QGroupBox* back = GroupBox("Background Colors", page);
    back->setObjectName("fraHintergrund");
    auto* b = new QHBoxLayout(back);
    cmdRandCol_out = PanelButton("Chart", "cmdRandCol_out", back);
    cmdRandCol_out->setToolTip("Background color of the whole chart");
    cmdRandCol_in = PanelButton("Chart Area", "cmdRandCol_in", back);
    cmdRandCol_in->setToolTip("Background color of the chart area (axes, numbers and titles)");
    cmdColor_in = PanelButton("Plot Area", "cmdColor_in", back);
    cmdColor_in->setToolTip("Background color of the plot area inside the axes");
    b->addWidget(cmdRandCol_out);
    b->addWidget(cmdRandCol_in);
    b->addWidget(cmdColor_in);
    l->addWidget(back);

    QGroupBox* presets = GroupBox("Color Presets", page);
    presets->setObjectName("fraPresets");
    auto* p = new QHBoxLayout(presets);
    cmdFullBlack = PanelButton("Chart Area=Black", "cmdFullBlack", presets);
    cmdFullWhite = PanelButton("Chart Area=White", "cmdFullWhite", presets);
    cmdRandColGrau = PanelButton("Chart Border=Grey", "cmdRandColGrau", presets);
    p->addWidget(cmdFullBlack);
    p->addWidget(cmdFullWhite);
    p->addWidget(cmdRandColGrau);
    l->addWidget(presets);
    l->addStretch(1);

    for (QPushButton* c : {cmdGitterFarbe, cmdRandCol_out, cmdRandCol_in, cmdColor_in})
        SetButtonColor(c, RGB(255, 255, 255));
    return page;
}

} // namespace kinhom
