// The chart window's floating panels (coordinates, print/save image, curve
// resolution), the single-point button and the design effects that the load
// applies.

#include "ui/chart/frmgraph2d.h"
#include "ui/shell/qtext.h"
#include "ui/chart/panelwidgets.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>

#include "core/chart/axisstore.h"
#include "core/chart/chartcontent.h"
#include "core/chart/designeffects.h"
#include "core/chart/exppoints.h"
#include "core/shell/filenames.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/chart/chartoutput.h"
#include "ui/chart/chartview.h"
#include "ui/chart/fratabs.h"
#include "ui/kinetics/frmgraphcalc.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

constexpr double kPixelsPerCm = 96.0 / 2.54;

QPushButton* Button(const QString& caption, const char* name, QWidget* parent)
{
    return PanelButton(caption, QString(name), parent);
}

QLineEdit* Box(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaximumWidth(110);
    return e;
}

// A floating panel: a raised frame with a caption bar that drags it, hidden
// until its menu item shows it.
QFrame* Panel(const char* name, const QString& caption, QWidget* parent, QVBoxLayout*& body, QLabel*& title)
{
    auto* f = new QFrame(parent);
    body = PanelFrame(f, QString(name), caption, title);
    f->hide();
    return f;
}

} // namespace

void frmGraph2D::buildPanels()
{
    QVBoxLayout* body = nullptr;
    QLabel* title = nullptr;

    // Coordinates.
    fraCoordInput = Panel("fraCoordInput", "Coord. of the Diagram", this, body, title);
    title->installEventFilter(this);
    fraCoordInput->installEventFilter(this);
    auto* grid = new QGridLayout;
    const char* captions[5] = {"", "x(min)", "x(max)", "y(min)", "y(max)"};
    for (int i = 1; i <= 4; ++i) {
        coord[static_cast<std::size_t>(i)] = Box("coord", fraCoordInput);
        coord[static_cast<std::size_t>(i)]->setObjectName(QString("coord_%1").arg(i));
        coord[static_cast<std::size_t>(i)]->installEventFilter(this);
        grid->addWidget(new QLabel(captions[i], fraCoordInput), i - 1, 0);
        grid->addWidget(coord[static_cast<std::size_t>(i)], i - 1, 1);
    }
    body->addLayout(grid);
    cmdCoord_OK = Button("OK", "cmdCoord_OK", fraCoordInput);
    cmdCoord_Esc = Button("Cancel", "cmdCoord_Esc", fraCoordInput);
    auto* row = new QHBoxLayout;
    row->addWidget(cmdCoord_OK);
    row->addWidget(cmdCoord_Esc);
    body->addLayout(row);
    connect(cmdCoord_OK, &QPushButton::clicked, this, Guarded([this] { cmdCoord_OK_Click(); }));
    connect(cmdCoord_Esc, &QPushButton::clicked, this, Guarded([this] { cmdCoord_Esc_Click(); }));

    // Print / save image.
    fraPrintIt = Panel("fraPrintIt", "Print/Save Image", this, body, title);
    title->installEventFilter(this);
    fraPrintIt->installEventFilter(this);
    txtTop_in_cm = Box("txtTop_in_cm", fraPrintIt);
    txtLeft_in_cm = Box("txtLeft_in_cm", fraPrintIt);
    txtHeight_in_cm = Box("txtHeight_in_cm", fraPrintIt);
    txtWidth_in_cm = Box("txtWidth_in_cm", fraPrintIt);
    auto* pgrid = new QGridLayout;
    pgrid->addWidget(new QLabel("Position on the page:", fraPrintIt), 0, 0, 1, 2);
    pgrid->addWidget(new QLabel("top (cm)", fraPrintIt), 1, 0);
    pgrid->addWidget(txtTop_in_cm, 1, 1);
    pgrid->addWidget(new QLabel("left (cm)", fraPrintIt), 2, 0);
    pgrid->addWidget(txtLeft_in_cm, 2, 1);
    pgrid->addWidget(new QLabel("Size of the diagram:", fraPrintIt), 3, 0, 1, 2);
    pgrid->addWidget(new QLabel("height (cm)", fraPrintIt), 4, 0);
    pgrid->addWidget(txtHeight_in_cm, 4, 1);
    pgrid->addWidget(new QLabel("width (cm)", fraPrintIt), 5, 0);
    pgrid->addWidget(txtWidth_in_cm, 5, 1);
    body->addLayout(pgrid);
    cmdPrintIt = Button("Print", "cmdPrintIt", fraPrintIt);
    cmdSaveImage = Button("Save Image ...", "cmdSaveImage", fraPrintIt);
    cmdSaveImage->setToolTip("PNG or BMP image, SVG vector image or PDF document");
    cmdPrint_Esc = Button("Cancel", "cmdPrint_Esc", fraPrintIt);
    auto* prow = new QHBoxLayout;
    prow->addWidget(cmdPrintIt);
    prow->addWidget(cmdSaveImage);
    prow->addWidget(cmdPrint_Esc);
    body->addLayout(prow);
    connect(cmdPrintIt, &QPushButton::clicked, this, Guarded([this] { cmdPrintIt_Click(); }));
    connect(cmdSaveImage, &QPushButton::clicked, this, Guarded([this] { cmdSaveImage_Click(); }));
    connect(cmdPrint_Esc, &QPushButton::clicked, this, Guarded([this] { cmdPrint_Esc_Click(); }));

    // Curve resolution.
    fraResolution = Panel("fraResolution", "Curve resolution", this, body, title);
    title->installEventFilter(this);
    fraResolution->installEventFilter(this);
    auto* hint = new QLabel("Points of spline curves\nacross the x range:", fraResolution);
    body->addWidget(hint);
    Slider1_PunktDichte = new QSlider(Qt::Horizontal, fraResolution);
    Slider1_PunktDichte->setObjectName("Slider1_PunktDichte");
    Slider1_PunktDichte->setRange(50, 400);
    Slider1_PunktDichte->setSingleStep(20);
    Slider1_PunktDichte->setPageStep(50);
    Slider1_PunktDichte->setValue(PunktDichte);
    Slider1_PunktDichte->setMinimumWidth(160);
    Label54 = new QLabel(QString::number(PunktDichte), fraResolution);
    Label54->setObjectName("Label54");
    Label54->setMinimumWidth(30);
    auto* srow = new QHBoxLayout;
    srow->addWidget(Slider1_PunktDichte, 1);
    srow->addWidget(Label54);
    body->addLayout(srow);
    cmdResolution_OK = Button("Close", "cmdResolution_OK", fraResolution);
    body->addWidget(cmdResolution_OK, 0, Qt::AlignRight);
    connect(Slider1_PunktDichte, &QSlider::valueChanged, this, Guarded([this] { Slider1_PunktDichte_Change(); }));
    connect(cmdResolution_OK, &QPushButton::clicked, this, Guarded([this] { cmdResolution_OK_Click(); }));

    // Esc closes the panel that holds the focus.
    const std::pair<QFrame*, QPushButton*> cancels[] = {
        {fraCoordInput, cmdCoord_Esc}, {fraPrintIt, cmdPrint_Esc}, {fraResolution, cmdResolution_OK}};
    for (auto [panel, cancel] : cancels) {
        auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), panel);
        esc->setContext(Qt::WidgetWithChildrenShortcut);
        QPushButton* button = cancel;
        connect(esc, &QShortcut::activated, button, Guarded([button] { button->click(); }));
    }
}

void frmGraph2D::showPanel(QFrame* panel)
{
    panel->adjustSize();
    // Keep the panel inside the window.
    panel->move(keptInside(panel, panel->pos()));
    panel->show();
    panel->raise();
    // The panel takes the focus (its first control), so that Esc closes it at once.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && panel->isAncestorOf(focus)) return;
    for (QWidget* w = panel->nextInFocusChain(); w && w != panel; w = w->nextInFocusChain()) {
        if (panel->isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

QPoint frmGraph2D::keptInside(const QWidget* panel, QPoint p) const
{
    // Below the menu bar and inside the window.
    const int top = menuBar->height();
    p.setX(std::clamp(p.x(), 0, std::max(0, width() - panel->width())));
    p.setY(std::clamp(p.y(), top, std::max(top, height() - panel->height())));
    return p;
}

void frmGraph2D::HideDesignFrames()
{
    for (QFrame* f : {fraCoordInput, fraPrintIt, fraResolution}) f->hide();
    if (fraTabs) fraTabs->hide();
    hideDesign1Panels();
}

void frmGraph2D::mnuMark_Click() { HideDesignFrames(); }
void frmGraph2D::mnuBildsenden_Click() { HideDesignFrames(); }

// ---- coordinates --------------------------------------------------------------------------

void frmGraph2D::mnuCoord_Click()
{
    const DiagrammInfo& g = app().declare().Diagramm;
    coord[1]->setText(Q(StrSingle(g.xMin)));
    coord[2]->setText(Q(StrSingle(g.xMax)));
    coord[3]->setText(Q(StrSingle(g.yMin)));
    coord[4]->setText(Q(StrSingle(g.yMax)));
    showPanel(fraCoordInput);
    coord[1]->setFocus();
    coord_GotFocus(1);
}

void frmGraph2D::coord_KeyPress(int Index, int& KeyAscii)
{
    if (KeyAscii == 3 || KeyAscii == 22) return; // Ctrl+C, Ctrl+V
    if (!NumKeyFilter(KeyAscii)) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 13) {
        const int next = Index % 4 + 1;
        coord[static_cast<std::size_t>(next)]->setFocus();
        coord_GotFocus(next);
        KeyAscii = 0;
    }
}

void frmGraph2D::coord_GotFocus(int Index)
{
    if (Index < 1 || Index > 4) return;
    coord[static_cast<std::size_t>(Index)]->selectAll();
}

void frmGraph2D::cmdCoord_Esc_Click() { fraCoordInput->hide(); }

void frmGraph2D::cmdCoord_OK_Click()
{
    App& a = app();
    Declare& d = a.declare();
    double v[5] = {0, 0, 0, 0, 0};
    for (int i = 1; i <= 4; ++i) v[i] = Val(coord[static_cast<std::size_t>(i)]->text().toStdString());
    // The limits are kept in single precision: they are compared as they will be
    // stored, so that two limits that become one Single, or a limit beyond
    // single precision, are refused.
    const bool fit = FitsSingle(v[1]) && FitsSingle(v[2]) && FitsSingle(v[3]) && FitsSingle(v[4]);
    const float x1 = fit ? static_cast<float>(v[1]) : 0.0f;
    const float x2 = fit ? static_cast<float>(v[2]) : 0.0f;
    const float y1 = fit ? static_cast<float>(v[3]) : 0.0f;
    const float y2 = fit ? static_cast<float>(v[4]) : 0.0f;
    if (fit && std::isfinite(x1) && std::isfinite(x2) && std::isfinite(y1) && std::isfinite(y2) && x1 < x2 &&
        y1 < y2) {
        d.Diagramm.xMin = x1;
        d.Diagramm.xMax = x2;
        d.Diagramm.yMin = y1;
        d.Diagramm.yMax = y2;
        fraCoordInput->hide();
        SetAxesMinMax();
        SaveAxisScales(d, d.DiagrammTyp);
    } else {
        const std::string text = fit ? "Lower limit has to smaller than upper limit."
                                     : "Lower limit has to smaller than upper limit." + d.CRLF +
                                           "A limit lies beyond the range of the diagram (+-3.4E+38).";
        a.services().msgBox(Q(text), MsgButtons::OK, MsgIcon::Critical, "INPUT ERROR");
        const DiagrammInfo& g = d.Diagramm;
        coord[1]->setText(Q(StrSingle(g.xMin)));
        coord[2]->setText(Q(StrSingle(g.xMax)));
        coord[3]->setText(Q(StrSingle(g.yMin)));
        coord[4]->setText(Q(StrSingle(g.yMax)));
    }
    for (int index : {1, 0, 1, 0}) optScaling_Click(index);
}

// ---- print / save image ----------------------------------------------------------------------

void frmGraph2D::mnuPrintIt_Click() { showPanel(fraPrintIt); }

void frmGraph2D::cmdPrint_Esc_Click() { fraPrintIt->hide(); }

bool frmGraph2D::printRect(double& leftCm, double& topCm, double& widthCm, double& heightCm)
{
    leftCm = Val(txtLeft_in_cm->text().toStdString());
    topCm = Val(txtTop_in_cm->text().toStdString());
    widthCm = Val(txtWidth_in_cm->text().toStdString());
    heightCm = Val(txtHeight_in_cm->text().toStdString());
    const bool ok = std::isfinite(leftCm) && std::isfinite(topCm) && leftCm >= 0 && topCm >= 0 && leftCm <= 100 &&
                    topCm <= 100 && widthCm > 0 && heightCm > 0 && widthCm <= 100 && heightCm <= 100;
    if (!ok) {
        const Declare& d = app().declare();
        app().services().msgBox(Q("Position and size of the diagram are given in cm:" + d.CRLF +
                                  "top and left from 0 to 100, height and width above 0 up to 100."),
                                MsgButtons::OK, MsgIcon::Critical, "INPUT ERROR");
    }
    return ok;
}

namespace {

// A view of the chart for another size: the places set in pixels follow the
// size, so the arrangement is the one on screen.
std::unique_ptr<ChartView> OutputView(const Chart2D& chart, double widthPx, double heightPx)
{
    auto view = std::make_unique<ChartView>();
    view->chart().assignContent(chart);
    view->chart().setSize(std::max(1, static_cast<int>(std::lround(widthPx))),
                          std::max(1, static_cast<int>(std::lround(heightPx))));
    if (chart.Width() > 0 && chart.Height() > 0)
        ScaleFixedLocations(view->chart(), widthPx / chart.Width(), heightPx / chart.Height());
    return view;
}

// The extension of the image type chosen in the save dialog (PNG, BMP, SVG, PDF).
std::string ImageExtension(int filterIndex)
{
    static const char* const kTypes[] = {".png", ".bmp", ".svg", ".pdf"};
    return kTypes[filterIndex >= 1 && filterIndex <= 4 ? filterIndex - 1 : 0];
}

} // namespace

void frmGraph2D::paintAt(QPainter& painter, double leftCm, double topCm, double widthCm, double heightCm)
{
    const QPaintDevice* device = painter.device();
    const double dpiX = device ? device->logicalDpiX() : 96.0;
    const double dpiY = device ? device->logicalDpiY() : 96.0;
    const std::unique_ptr<ChartView> view = OutputView(chart(), widthCm * kPixelsPerCm, heightCm * kPixelsPerCm);
    painter.save();
    painter.translate(leftCm * dpiX / 2.54, topCm * dpiY / 2.54);
    painter.scale(dpiX / 96.0, dpiY / 96.0);
    view->paint(painter, QRectF(0, 0, widthCm * kPixelsPerCm, heightCm * kPixelsPerCm));
    painter.restore();
}

void frmGraph2D::cmdPrintIt_Click()
{
    double left = 0, top = 0, w = 0, h = 0;
    if (!printRect(left, top, w, h)) return;
    PrintRequest r;
    r.documentName = "KINHOM-3 diagram";
    r.askPrinter = true;
    r.paint = [this, left, top, w, h](QPainter& painter, int page) {
        if (page == 0) paintAt(painter, left, top, w, h);
        return false;
    };
    BusyCursor busy;
    app().services().print(r);
}

void frmGraph2D::cmdSaveImage_Click()
{
    App& a = app();
    FileDialogRequest r;
    r.title = "Save the diagram as image";
    r.folder = Q(a.declare().OC2Pfad);
    r.filter = "PNG image (*.png)|*.png|Bitmap (*.bmp)|*.bmp|SVG vector image (*.svg)|*.svg|"
               "PDF document (*.pdf)|*.pdf";
    r.overwritePrompt = true;
    // The type chosen in the dialog decides the format, and the name ends with
    // its extension ("diagram" as PDF is diagram.pdf).
    const std::optional<FileChoice> chosen = AskFileToWrite(a.services(), r, [](const FileChoice& c) {
        return Q(WithExtension(S(c.path), ImageExtension(c.filterIndex)));
    });
    if (!chosen) return;
    const QString path = chosen->path;
    if (ImageExtension(chosen->filterIndex) == ".pdf") {
        // A PDF page is the diagram, of the size in the panel's boxes.
        double left = 0, top = 0, w = 0, h = 0;
        if (!printRect(left, top, w, h)) return;
        const std::unique_ptr<ChartView> view = OutputView(chart(), w * kPixelsPerCm, h * kPixelsPerCm);
        QString error;
        bool ok = false;
        {
            BusyCursor busy;
            ok = SaveChartPdf(*view, path, w, h, &error);
        }
        if (!ok) a.services().msgBox(error, MsgButtons::OK, MsgIcon::Critical, "message from SaveImage");
        return;
    }
    const QSize size = Chart2D1->isVisible() && Chart2D1->width() > 1 ? Chart2D1->size()
                                                                      : QSize(chart().Width(), chart().Height());
    const std::unique_ptr<ChartView> view = OutputView(chart(), size.width(), size.height());
    QString error;
    bool ok = false;
    {
        BusyCursor busy;
        ok = SaveChartImage(*view, path, size, &error);
    }
    if (!ok) a.services().msgBox(error, MsgButtons::OK, MsgIcon::Critical, "message from SaveImage");
}

// ---- curve resolution -----------------------------------------------------------------------

void frmGraph2D::mnuResolution_Click() { showPanel(fraResolution); }

void frmGraph2D::Slider1_PunktDichte_Change()
{
    PunktDichte = Slider1_PunktDichte->value();
    Label54->setText(QString::number(PunktDichte));
}

void frmGraph2D::cmdResolution_OK_Click() { fraResolution->hide(); }

// ---- single-point calculator --------------------------------------------------------------------

void frmGraph2D::updateSingleCalcEnabled()
{
    // The enzyme model's Michaelis-Menten diagram has no course over time.
    const Declare& d = app().declare();
    cmdSingleCalc->setEnabled(!(d.ModellNr == 10 && d.MMDiagramm));
}

void frmGraph2D::cmdSingleCalc_Click()
{
    frmGraphCalc& calc = app().show<frmGraphCalc>();
    calc.txtX->setFocus();
}

// ---- design effects ----------------------------------------------------------------------------

void frmGraph2D::opt1Gitter_Click(int Index)
{
    if (Index < 0 || Index > 3) return;
    GitterModus = Index;
    ApplyGridChoice(chart(), GitterModus, GitterLinienart);
}

void frmGraph2D::opt2Gitter_Click(int Index)
{
    GitterLinienart = GridLinePatternFor(Index, GitterLinienart);
    opt1Gitter_Click(GitterModus);
}

// (cmdFullWhite_Click and optScaling_Click: with the Diagram Settings panel,
// frmgraph2d_design2.cpp.)

void frmGraph2D::chkLegTransparent_Click() { ApplyLegendTransparency(chart(), chkLegTransparent, LegendeHintergrund); }

void frmGraph2D::cmbKStil_Click(int Index)
{
    if (Index < 1 || Index > kMaxKurven) return;
    ApplyCurveStyle(chart(), Index, KurvenTab[static_cast<std::size_t>(Index)].cmbKStil);
}

void frmGraph2D::cmbPunktStil_Click(int Index)
{
    if (Index < 1 || Index > kPunktSaetze) return;
    ApplyPointStyle(chart(), Index, PunkteTab[static_cast<std::size_t>(Index)].cmbPunktStil);
}

// ---- keys of the coordinate boxes, dragging of the panels ------------------------------------------

bool frmGraph2D::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 1; i <= 4; ++i) {
        if (watched != coord[static_cast<std::size_t>(i)]) continue;
        if (event->type() == QEvent::FocusIn) {
            coord_GotFocus(i);
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        // The same key codes as the other number boxes: Tab, Esc and the
        // arrows have none and are never filtered.
        const int typed = KeyAsciiOf(static_cast<QKeyEvent*>(event));
        if (typed < 0) return false;
        int code = typed;
        coord_KeyPress(i, code);
        return FinishKeyPress(coord[static_cast<std::size_t>(i)], typed, code);
    }

    // Dragging a panel by its caption or its frame.
    QWidget* w = qobject_cast<QWidget*>(watched);
    QWidget* panel = nullptr;
    for (QFrame* f : {fraCoordInput, fraPrintIt, fraResolution})
        if (w && (w == f || w->parentWidget() == f)) panel = f;
    if (w && fraTabs && (w == fraTabs || w->parentWidget() == fraTabs)) panel = fraTabs;
    if (QWidget* f = design1PanelOf(w)) panel = f;
    if (panel) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(event);
            if (m->button() == Qt::LeftButton) {
                dragPanel_ = panel;
                dragStart_ = m->globalPosition().toPoint() - panel->pos();
                return true;
            }
        } else if (event->type() == QEvent::MouseMove && dragPanel_ == panel) {
            auto* m = static_cast<QMouseEvent*>(event);
            panel->move(keptInside(panel, m->globalPosition().toPoint() - dragStart_));
            return true;
        } else if (event->type() == QEvent::MouseButtonRelease && dragPanel_ == panel) {
            dragPanel_ = nullptr;
            return true;
        }
    }
    return KinWidget::eventFilter(watched, event);
}

} // namespace kinhom
