#include "ui/dataedit/frmmanuinput.h"

#include <filesystem>

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/dataedit/curvefile.h"
#include "core/shell/filenames.h"
#include "core/shell/textfile.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/dataedit/datagrid.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

constexpr const char* kTitel = "XY Data View / Edit";
constexpr const char* kNoMark = "No marked item!";

QPushButton* Button(QWidget* parent, const QString& caption, const char* name, const QString& tip = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
}

} // namespace

frmManuInput::frmManuInput(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmManuInput);
    setWindowTitle(kTitel);

    Grid = new DataGrid(ManuGridColumns(), kMaxCurveFilePoints, this);
    Grid->setObjectName("Grid");
    Grid->setMessageTitle(kTitel);
    lblDatei = new QLabel(this);
    lblDatei->setObjectName("lblDatei");

    cmdLoad = Button(this, "&Load ...", "cmdLoad", "Load a curve point file (*.XY, *.LRG)");
    cmdSave = Button(this, "S&ave as ...", "cmdSave", "Save the points as a curve point file (*.XY)");
    auto* file = new QGroupBox("File", this);
    auto* fileBox = new QVBoxLayout(file);
    fileBox->addWidget(cmdLoad);
    fileBox->addWidget(cmdSave);

    lblWert = new QLabel("&Value:", this);
    lblWert->setObjectName("lblWert");
    txtWert = new QLineEdit("1", this);
    txtWert->setObjectName("txtWert");
    txtWert->setToolTip("Decimal sign \".\"");
    lblWert->setBuddy(txtWert);
    SelectAllOnFocus(txtWert);
    InstallKeyPress(txtWert, [](int& KeyAscii) {
        // the Ctrl codes (copy, paste, ...) pass; the box itself takes "." only
        if (KeyAscii >= 32 && !ValueBoxKeyAllowed(KeyAscii)) KeyAscii = 0;
    });
    const char* ops[] = {"+", "-", "*", "/"};
    const char* opNames[] = {"cmdRechnen_0", "cmdRechnen_1", "cmdRechnen_2", "cmdRechnen_3"};
    const char* opTips[] = {"Add the value to the marked x or y cells", "Subtract the value from the marked x or y cells",
                            "Multiply the marked x or y cells by the value",
                            "Divide the marked x or y cells by the value"};
    auto* values = new QGroupBox("Marked x or y cells", this);
    auto* valueBox = new QGridLayout(values);
    valueBox->addWidget(lblWert, 0, 0);
    valueBox->addWidget(txtWert, 0, 1, 1, 3);
    for (int i = 0; i < 4; ++i) {
        cmdRechnen[i] = Button(this, QString(ops[i]) + " value", opNames[i], opTips[i]);
        cmdRechnen[i]->setMinimumWidth(40);
        valueBox->addWidget(cmdRechnen[i], 1 + i / 2, 2 * (i % 2), 1, 2);
        const auto op = static_cast<ValueOp>(i);
        connect(cmdRechnen[i], &QPushButton::clicked, this, Guarded([this, op] { cmdRechnen_Click(op); }));
    }

    cmdZeichnen = Button(this, "Draw c&urve", "cmdZeichnen", "Draw the active points into the diagram");
    cmdErase = Button(this, "Delete marked l&ines", "cmdErase");
    cmdClose = Button(this, "Close", "cmdClose", "Close the editor <Esc>");
    cmdClipboard = Button(this, "Copy", names::cmdClipboard);
    cmdClipEinfuegen = Button(this, "Paste", names::cmdClipEinfuegen);
    cmdEraseSelected = Button(this, "Marked cells => 0", names::cmdEraseSelected);
    for (QPushButton* hidden : {cmdClipboard, cmdClipEinfuegen, cmdEraseSelected}) hidden->hide();

    auto* side = new QVBoxLayout;
    side->addWidget(file);
    side->addWidget(values);
    side->addSpacing(8);
    side->addWidget(cmdZeichnen);
    side->addWidget(cmdErase);
    side->addStretch(1);
    side->addWidget(cmdClose);

    auto* left = new QVBoxLayout;
    left->addWidget(lblDatei);
    left->addWidget(Grid, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    connect(Grid, &DataGrid::edited, this, Guarded([this] { gridChanged(); }));
    connect(Grid, &DataGrid::contextMenuRequested, this, Guarded([](const QPoint& pos) {
                app().mainWindow().mnuEdit2->popup(pos);
            }));
    connect(cmdLoad, &QPushButton::clicked, this, Guarded([this] { cmdLoad_Click(); }));
    connect(cmdSave, &QPushButton::clicked, this, Guarded([this] { cmdSave_Click(); }));
    connect(cmdZeichnen, &QPushButton::clicked, this, Guarded([this] { cmdZeichnen_Click(); }));
    connect(cmdErase, &QPushButton::clicked, this, Guarded([this] { cmdErase_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));
    connect(cmdClipboard, &QPushButton::clicked, this, Guarded([this] { cmdClipboard_Click(); }));
    connect(cmdClipEinfuegen, &QPushButton::clicked, this, Guarded([this] { cmdClipEinfuegen_Click(); }));
    connect(cmdEraseSelected, &QPushButton::clicked, this, Guarded([this] { cmdEraseSelected_Click(); }));
}

void frmManuInput::Form_Load()
{
    const Declare& d = app().declare();
    Grid->setRows(ManuRowsFromPoints(StoredXYPoints(d)));
    gridChanged();
    if (QWidget* f = frame()) f->resize(QSize(560, 520));
    Move(200, 200);
    Grid->setCurrentCell(0, kManuColX);
    Grid->setFocus();
}

void frmManuInput::Form_Unload(int& Cancel)
{
    (void)Cancel;
    StoreXYPoints(app().declare(), points());
    // without the editor the pop-up items have nothing to act on
    MDIKIN& m = app().mainWindow();
    m.mnuCopy2->setEnabled(false);
    m.mnuErase2->menuAction()->setEnabled(false);
}

std::vector<KurvenPunkt> frmManuInput::points() const { return ManuPointsFromRows(Grid->table().rows()); }

void frmManuInput::gridChanged()
{
    Declare& d = app().declare();
    StoreXYPoints(d, points());
    MDIKIN& m = app().mainWindow();
    m.mnuCopy2->setEnabled(d.AnzahlXYPunkte >= 1);
    m.mnuErase2->menuAction()->setEnabled(d.AnzahlXYPunkte >= 1);
    showFileName();
}

void frmManuInput::showFileName()
{
    const Declare& d = app().declare();
    const std::string name = FileNameOnly(d.XYDateiName);
    lblDatei->setText(Q("File: " + (name.empty() ? std::string("(none)") : name) + "     Points: " +
                        std::to_string(d.AnzahlXYPunkte)));
}

void frmManuInput::message(const std::string& text, int icon) const
{
    app().services().msgBox(Q(text), MsgButtons::OK, static_cast<MsgIcon>(icon), kTitel);
}

void frmManuInput::cmdLoad_Click()
{
    App& a = app();
    Declare& d = a.declare();
    FileDialogRequest request;
    request.title = "Load curve points";
    request.folder = Q(d.XYPfad);
    request.filter = "Curve point file (*.XY;*.LRG)|*.XY;*.LRG|All files (*.*)|*.*";
    const std::optional<QString> chosen = a.services().openFileName(request);
    if (!chosen) return;
    CurvePointFile file;
    std::string error;
    if (!ReadCurvePointFile(std::filesystem::path(S(*chosen)), file, error)) {
        message("The curve point file was not loaded:" + d.CRLF + error, static_cast<int>(MsgIcon::Critical));
        return;
    }
    Grid->setRows(ManuRowsFromPoints(file.points));
    d.XYTitel = file.title;
    d.XYDateiName = S(*chosen);
    d.XYPfad = std::filesystem::path(d.XYDateiName).parent_path().string();
    gridChanged();
}

void frmManuInput::cmdSave_Click()
{
    App& a = app();
    Declare& d = a.declare();
    const std::vector<KurvenPunkt> pts = points();
    if (pts.empty()) {
        message("There are no points to save.", static_cast<int>(MsgIcon::Exclamation));
        return;
    }
    FileDialogRequest request;
    request.title = "Save curve points";
    request.folder = Q(d.XYPfad);
    request.fileName = Q(FileNameOnly(d.XYDateiName));
    request.filter = "Curve point file (*.XY)|*.XY";
    request.defaultExtension = "XY";
    const std::optional<QString> chosen = a.services().saveFileName(request);
    if (!chosen) return;
    const std::string path = S(*chosen);
    const std::string title =
        !d.XYTitel.empty() ? d.XYTitel : (FileNameOnly(path).empty() ? std::string("XY data") : FileNameOnly(path));
    std::string error;
    if (!WriteTextFileAtomic(std::filesystem::path(path), CurvePointFileContent(title, pts, d.Trennzeichen), error)) {
        message("The curve point file was not saved:" + d.CRLF + error, static_cast<int>(MsgIcon::Critical));
        return;
    }
    d.XYTitel = title;
    d.XYDateiName = path;
    d.XYPfad = std::filesystem::path(path).parent_path().string();
    showFileName();
}

void frmManuInput::cmdRechnen_Click(ValueOp op)
{
    double value = 0;
    std::string error;
    if (!ReadValueBox(S(txtWert->text()), value, error)) {
        message(error, static_cast<int>(MsgIcon::Exclamation));
        return;
    }
    std::vector<std::pair<int, int>> cells;
    for (const QModelIndex& i : Grid->selectionModel()->selectedIndexes()) cells.emplace_back(i.row(), i.column());
    std::vector<GridRow> rows = Grid->table().rows();
    int changed = 0;
    if (!ApplyValueOp(rows, cells, op, value, changed, error)) {
        message(error, static_cast<int>(MsgIcon::Exclamation));
        return;
    }
    if (changed == 0) {
        message(kNoMark, static_cast<int>(MsgIcon::Exclamation));
        return;
    }
    Grid->setRows(std::move(rows));
    // the same cells stay marked, so that a second operation acts on them again
    for (const auto& [r, c] : cells)
        if (QTableWidgetItem* item = Grid->item(r, c)) item->setSelected(true);
    gridChanged();
}

void frmManuInput::cmdZeichnen_Click()
{
    App& a = app();
    Declare& d = a.declare();
    const std::vector<KurvenPunkt> manu = ManuPunkteFrom(points());
    if (manu[0].x < 1) {
        message("There are no active points to draw.", static_cast<int>(MsgIcon::Exclamation));
        return;
    }
    d.ManuPunkte = manu;
    frmGraph2D* g = a.find<frmGraph2D>();
    if (!g) {
        // A chart of its own: an axis window around the points, nothing else drawn.
        d.DiagrammTyp = DiagramCode::None;
        d.KurvenZuZeichnen = 0;
        ManualAxisWindow(d.ManuPunkte, d.Diagramm);
        d.Diagramm.Titel = "Manual Curve / Points";
        d.Diagramm.xTitel = "x";
        d.Diagramm.yTitel = "y";
        g = &a.show<frmGraph2D>();
    } else {
        g->Show();
    }
    g->DrawManualCurve();
}

void frmManuInput::cmdClipboard_Click()
{
    QString text = Grid->selectionText();
    if (text.isEmpty() && Grid->pointCount() > 0)
        text = Q(Grid->table().copyText(0, kManuColX, Grid->pointCount() - 1, kManuColY));
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void frmManuInput::cmdClipEinfuegen_Click() { Grid->pasteClipboard(); }

void frmManuInput::cmdEraseSelected_Click()
{
    if (!Grid->zeroSelectedCells()) message(kNoMark, static_cast<int>(MsgIcon::Exclamation));
}

void frmManuInput::cmdErase_Click()
{
    const std::vector<int> marked = Grid->markedRows();
    if (marked.empty()) {
        message(kNoMark, static_cast<int>(MsgIcon::Exclamation));
        return;
    }
    // Rows go only after a question: all of them, or the marked ones.
    const bool all = static_cast<int>(marked.size()) == Grid->pointCount();
    const std::string question =
        all ? std::string("Delete all lines?")
            : "The marked line(s) will be removed." + app().declare().CRLF + "Continue?";
    if (app().services().msgBox(Q(question), MsgButtons::YesNo, MsgIcon::Question, "WARNING", 2) != MsgAnswer::Yes)
        return;
    if (!all) {
        Grid->removeMarkedRows();
        return;
    }
    Grid->clearRows();
    gridChanged();
}

void frmManuInput::cmdClose_Click() { Unload(); }

void frmManuInput::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdClose->click();
        return;
    }
    KinWidget::keyPressEvent(event);
}

} // namespace kinhom
