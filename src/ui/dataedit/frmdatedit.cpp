#include "ui/dataedit/frmdatedit.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/kinetics/halflife.h"
#include "core/kinetics/simulation.h"
#include "core/shell/datafile.h"
#include "core/shell/expdata.h"
#include "core/shell/numtext.h"
#include "core/shell/startup.h"
#include "core/shell/unitlabels.h"
#include "ui/dataedit/datagrid.h"
#include "ui/kinetics/kinnotifyui.h"
#include "ui/shell/application.h"
#include "ui/shell/fileactions.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

// The index of a time-unit text, or -1 when it names none.
int UnitIndex(const std::string& unit)
{
    for (int i = 0; i < 5; ++i)
        if (unit == kZeiteinheiten[i]) return i;
    return -1;
}

// The grid column of each caption index of lblKopf.
constexpr int kKopfColumn[11] = {frmDatedit::colA,      frmDatedit::colB,    frmDatedit::colC, frmDatedit::colP,
                                 frmDatedit::colQ,      frmDatedit::colT,    frmDatedit::colLambda,
                                 frmDatedit::colTemp,   frmDatedit::colK,    frmDatedit::colNr,
                                 frmDatedit::colExclude};

std::vector<GridColumn> Columns(const std::string& unit)
{
    const UnitCaptions u = UnitCaptionsFor(0, unit);
    return {{"No.", CellKind::RowNumber},   {u.lblKopf_5, CellKind::Single}, {"c(A)", CellKind::Double},
            {"c(B)", CellKind::Double},     {"c(C)", CellKind::Double},      {"c(P)", CellKind::Double},
            {"c(Q)", CellKind::Double},     {"lambda", CellKind::Single},    {"T/K", CellKind::Double},
            {"k", CellKind::Double},        {"excl.", CellKind::Exclude}};
}

MDIKIN* MainWindow() { return app().hasMainWindow() ? &app().mainWindow() : nullptr; }

QString FieldText(double v) { return Q(StrDouble(v)).trimmed(); }

} // namespace

frmDatedit::frmDatedit(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmDatedit);
    setWindowTitle("Experimental Data");

    buildDataSetFields();
    buildGrid();
    buildButtons();
    arrangeWidgets();
    setTabChain();
    connectHandlers();
}

// The fields of the whole data set: comment, file name, lambda at infinite time and time unit.
void frmDatedit::buildDataSetFields()
{
    txtKommentar = new QLineEdit(this);
    txtKommentar->setObjectName("txtKommentar");
    txtKommentar->setToolTip("Comment of the data set (first line of its file)");
    txtDateiName = new QLineEdit(this);
    txtDateiName->setObjectName("txtDateiName");
    txtDateiName->setReadOnly(true);
    txtLambdaUnendlich = new QLineEdit(this);
    txtLambdaUnendlich->setObjectName("txtLambdaUnendlich");
    txtLambdaUnendlich->setToolTip("lambda at infinite time, one value for the whole data set (above 0)");
    txtLambdaUnendlich->setMaximumWidth(140);

    auto* fraZeit = new QGroupBox(this);
    fraZeit->setObjectName("Bz1_2");
    Bz1[2] = fraZeit;
    auto* units = new QHBoxLayout(fraZeit);
    units->setContentsMargins(8, 2, 8, 2);
    auto* unitGroup = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        auto* o = new QRadioButton(kZeiteinheiten[i], fraZeit);
        o->setObjectName(QString("optZeit_%1").arg(i));
        unitGroup->addButton(o, i);
        units->addWidget(o);
        optZeit[std::size_t(i)] = o;
        connect(o, &QRadioButton::toggled, this, Guarded([this, i](bool on) {
                    if (on && !showing_) optZeit_Click(i);
                }));
    }
}

void frmDatedit::buildGrid()
{
    Grid = new DataGrid(Columns("s"), kMaxExpPunkte, this);
    Grid->setMessageTitle("Experimental data");
    for (int i = 0; i < 11; ++i) lblKopf[std::size_t(i)] = Grid->horizontalHeaderItem(kKopfColumn[i]);
    Grid->setToolTip(QString());
}

void frmDatedit::buildButtons()
{
    auto button = [this](const char* name, const QString& caption, const QString& tip = {}) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        if (!tip.isEmpty()) b->setToolTip(tip);
        return b;
    };
    cmdLoad = button("cmdLoad", "&Load data file ...", "Replaces the data by those of a data file (*.KV3)");
    cmdAppend = button("cmdAppend", "&Add data from file ...", "Appends the points of a data file (*.KV3)");
    cmdSave = button("cmdSave", "Sa&ve data as ...", "Writes the data to a data file (*.KV3)");
    cmdClipEinfuegen = button(names::cmdClipEinfuegen, "&Paste",
                              "Pastes Tab-separated text rows from the clipboard, starting at the current cell");
    cmdErase = button(names::cmdErase, "D&elete marked lines", "Removes every line that holds a marked cell");
    cmdSort = button("cmdSort", "Sort by &time", "Sorts the points by their time, earliest first");
    cmdOK = button("cmdOK", "OK", "Takes the data for the evaluations and closes the editor");
    cmdOK->setDefault(true);
    cmdClipboard = button(names::cmdClipboard, "Copy");
    cmdClipboard->setVisible(false);
    cmdEraseSelected = button(names::cmdEraseSelected, "Marked cells => 0");
    cmdEraseSelected->setVisible(false);

    lblHinweis = new QLabel("Type into the last line (*) to add a point. Tick \"excl.\" to leave a point out of the "
                            "evaluations. Right-click the grid to copy, paste or delete.",
                            this);
    lblHinweis->setObjectName("lblHinweis");
    lblHinweis->setWordWrap(true);
}

// Layout: the data set's fields, the grid, the buttons.
void frmDatedit::arrangeWidgets()
{
    auto label = [this](int i, const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString("Bz1_%1").arg(i));
        l->setBuddy(buddy);
        Bz1[std::size_t(i)] = l;
        return l;
    };

    auto* top = new QHBoxLayout;
    top->addWidget(label(0, "Comme&nt:", txtKommentar));
    top->addWidget(txtKommentar, 3);
    top->addSpacing(12);
    top->addWidget(label(3, "File:", txtDateiName));
    top->addWidget(txtDateiName, 2);
    auto* second = new QHBoxLayout;
    second->addWidget(Bz1[2]); // the time unit frame
    second->addSpacing(12);
    second->addWidget(label(1, "lam&bda(t = infin.):", txtLambdaUnendlich));
    second->addWidget(txtLambdaUnendlich);
    second->addStretch(1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdLoad, cmdAppend, cmdSave}) buttons->addWidget(b);
    buttons->addSpacing(16);
    for (QPushButton* b : {cmdClipEinfuegen, cmdErase, cmdSort}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addLayout(top);
    layout->addLayout(second);
    layout->addWidget(Grid, 1);
    layout->addWidget(lblHinweis);
    layout->addLayout(buttons);
}

void frmDatedit::setTabChain()
{
    setTabOrder(txtKommentar, txtDateiName);
    setTabOrder(txtDateiName, optZeit[0]);
    setTabOrder(optZeit[0], txtLambdaUnendlich);
    setTabOrder(txtLambdaUnendlich, Grid);
    QWidget* previous = Grid;
    for (QPushButton* b : {cmdLoad, cmdAppend, cmdSave, cmdClipEinfuegen, cmdErase, cmdSort, cmdOK}) {
        setTabOrder(previous, b);
        previous = b;
    }
}

void frmDatedit::connectHandlers()
{
    connect(txtKommentar, &QLineEdit::textChanged, this, Guarded([this] { txtKommentar_Change(); }));
    connect(txtLambdaUnendlich, &QLineEdit::editingFinished, this, Guarded([this] { txtLambdaUnendlich_LostFocus(); }));
    connect(Grid, &DataGrid::edited, this, Guarded([this] { Grid_Edited(); }));
    connect(Grid, &DataGrid::contextMenuRequested, this, Guarded([this](const QPoint& p) { Grid_MouseDown(p); }));
    connect(cmdLoad, &QPushButton::clicked, this, Guarded([this] { cmdLoad_Click(); }));
    connect(cmdAppend, &QPushButton::clicked, this, Guarded([this] { cmdAppend_Click(); }));
    connect(cmdSave, &QPushButton::clicked, this, Guarded([this] { cmdSave_Click(); }));
    connect(cmdOK, &QPushButton::clicked, this, Guarded([this] { cmdOK_Click(); }));
    connect(cmdSort, &QPushButton::clicked, this, Guarded([this] { cmdSort_Click(); }));
    connect(cmdClipboard, &QPushButton::clicked, this, Guarded([this] { cmdClipboard_Click(); }));
    connect(cmdClipEinfuegen, &QPushButton::clicked, this, Guarded([this] { cmdClipEinfuegen_Click(); }));
    connect(cmdEraseSelected, &QPushButton::clicked, this, Guarded([this] { cmdEraseSelected_Click(); }));
    connect(cmdErase, &QPushButton::clicked, this, Guarded([this] { cmdErase_Click(); }));
}

// ---- load and unload ----------------------------------------------------------------------------

void frmDatedit::Form_Load()
{
    ShowData();
    app().SetUnitLabels();
    if (QWidget* f = frame()) {
        // Every column without a horizontal scroll bar, as far as the main window allows.
        int width = Grid->frameWidth() * 2 + Grid->verticalScrollBar()->sizeHint().width() + 40;
        for (int c = 0; c < Grid->columnCount(); ++c) width += Grid->columnWidth(c);
        int room = 1180;
        if (QMdiArea* area = app().mdiArea(); area && area->isVisible()) room = area->viewport()->width();
        f->resize(std::min(width, room), 600);
    }
    Move(0, 0);
}

void frmDatedit::Form_Unload(int& Cancel)
{
    Cancel = 0;
    // Closed without OK: the rest of the program still learns what the data hold.
    ApplyData();
}

void frmDatedit::ShowData()
{
    const Declare& d = app().declare();
    showing_ = true;
    txtKommentar->setText(Q(d.Kommentar));
    txtLambdaUnendlich->setText(FieldText(d.LambdaUnendlich));
    txtDateiName->setText(Q(d.DateiName));
    txtDateiName->setCursorPosition(0);
    showing_ = false;
    ShowTimeUnit();

    std::vector<GridRow> rows;
    const int n = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
    rows.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 1; i <= n; ++i) rows.push_back(RowOf(d.ExpPunkte[std::size_t(i)], i));
    Grid->setRows(std::move(rows));
    if (Grid->pointCount() > 0) Grid->selectRow(0);
}

GridRow frmDatedit::RowOf(const ExpPunkt& p, int key)
{
    GridRow row{std::vector<double>(kColumns, 0.0), key};
    row.v[colT] = p.t;
    for (int s = 1; s <= 5; ++s) row.v[std::size_t(colA + s - 1)] = p.c[s];
    row.v[colLambda] = p.lambda;
    row.v[colTemp] = p.T;
    row.v[colK] = p.k;
    row.v[colExclude] = p.exclude != 0 ? -1 : 0;
    return row;
}

void frmDatedit::ShowTimeUnit()
{
    const int unit = UnitIndex(app().declare().Zeiteinheit);
    showing_ = true;
    if (unit >= 0) optZeit[std::size_t(unit)]->setChecked(true);
    showing_ = false;
}

void frmDatedit::showEvent(QShowEvent* event)
{
    KinWidget::showEvent(event);
    ShowTimeUnit(); // the model window may have changed the unit meanwhile
}

bool frmDatedit::SetNamedCaption(const QString& name, const QString& text)
{
    if (!name.startsWith("lblKopf_")) return false;
    bool ok = false;
    const int i = name.mid(8).toInt(&ok);
    if (!ok || i < 0 || i >= int(lblKopf.size())) return false;
    lblKopf[std::size_t(i)]->setText(text);
    return true;
}

// ---- the data -------------------------------------------------------------------------------------

void frmDatedit::StoreGrid()
{
    Declare& d = app().declare();
    const std::vector<GridRow>& rows = Grid->table().rows();
    std::vector<ExpPunkt> points(std::max<std::size_t>(rows.size() + 1, 2));
    const int old = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const GridRow& r = rows[i];
        // A row keeps what the grid does not show of its point (res3, res4).
        ExpPunkt p = (r.key >= 1 && r.key <= old) ? d.ExpPunkte[std::size_t(r.key)] : ExpPunkt{};
        p.t = r.v[colT];
        for (int s = 1; s <= 5; ++s) p.c[s] = r.v[std::size_t(colA + s - 1)];
        p.lambda = static_cast<float>(r.v[colLambda]);
        p.T = r.v[colTemp];
        p.k = r.v[colK];
        p.exclude = r.v[colExclude] != 0 ? -1 : 0;
        points[i + 1] = p;
    }
    d.ExpPunkte = std::move(points);
    d.AnzahlPunkte = static_cast<int>(rows.size());
    Grid->renumberKeys();
    d.DatenGeaendert = true;
    ApplyData();
}

void frmDatedit::ApplyData()
{
    Declare& d = app().declare();
    AnalyzeExpData(d);
    GetStartConcFromData(d);
    if (MDIKIN* m = MainWindow()) {
        m->mnuEdit->setEnabled(d.AnzahlPunkte > 0);
        for (int i = 1; i <= 4; ++i) m->mnuctAusw[std::size_t(i)]->setEnabled(true);
        for (int i = 1; i <= 2; ++i) m->mnukT[std::size_t(i)]->setEnabled(true);
    }
}

void frmDatedit::Grid_Edited() { StoreGrid(); }

void frmDatedit::Grid_MouseDown(const QPoint& globalPos)
{
    if (MDIKIN* m = MainWindow()) m->mnuEdit1->popup(globalPos);
}

void frmDatedit::txtKommentar_Change()
{
    if (showing_) return;
    Declare& d = app().declare();
    d.Kommentar = S(txtKommentar->text());
    d.DatenGeaendert = true;
}

void frmDatedit::txtLambdaUnendlich_LostFocus()
{
    Declare& d = app().declare();
    double v = 0;
    std::string why;
    const bool number = ReadCellText(S(txtLambdaUnendlich->text()), CellKind::Double, v, why);
    if (!number || !LambdaUnendlichAccepted(v, why)) {
        app().services().msgBox(Q((number ? why : "lambda(t = infin.): " + why + ".") + d.CRLF +
                                  "The field keeps its previous value."),
                                MsgButtons::OK, MsgIcon::Critical, "Experimental data");
        txtLambdaUnendlich->setText(FieldText(d.LambdaUnendlich));
        return;
    }
    if (v == d.LambdaUnendlich) return;
    d.LambdaUnendlich = v;
    d.DatenGeaendert = true;
    ApplyData();
}

void frmDatedit::optZeit_Click(int Index)
{
    Declare& d = app().declare();
    const int old = UnitIndex(d.Zeiteinheit);
    if (old >= 0) d.ZeiteinheitIndex = static_cast<std::int16_t>(old);
    const bool converts = Index != d.ZeiteinheitIndex && d.AnzahlPunkte > 0;
    KinNotifyUi notify;
    SetZeiteinheit(d, Index, d.ZeiteinheitIndex, notify);
    if (converts) d.DatenGeaendert = true;
    ShowData();
}

// ---- the buttons ------------------------------------------------------------------------------------

void frmDatedit::cmdLoad_Click()
{
    // Replacing changed data offers to save them first, as the other loads do.
    const Declare& d = app().declare();
    if (d.DatenGeaendert && d.AnzahlPunkte >= 1) {
        bool cancelled = false;
        AskSaveExpData(cancelled);
        if (cancelled) return;
    }
    bool loaded = false, cancelled = false;
    LoadExpDataDlg(false, loaded, cancelled);
    AfterLoad(loaded);
}

void frmDatedit::cmdAppend_Click()
{
    bool loaded = false, cancelled = false;
    LoadExpDataDlg(true, loaded, cancelled);
    AfterLoad(loaded);
}

void frmDatedit::AfterLoad(bool loaded)
{
    if (!loaded) return;
    const Declare& d = app().declare();
    ApplyData();
    ShowData();
    // The reader set the unit's index from the file; selecting it converts
    // nothing, it only brings the captions and the model window along.
    const int index = std::clamp<int>(d.ZeiteinheitIndex, 0, 4);
    if (optZeit[std::size_t(index)]->isChecked()) optZeit_Click(index);
    else optZeit[std::size_t(index)]->setChecked(true);
}

void frmDatedit::cmdSave_Click()
{
    bool notSaved = false;
    SaveExpDataAs(notSaved);
    if (notSaved) return;
    app().declare().DatenGeaendert = false;
    txtDateiName->setText(Q(app().declare().DateiName));
    txtDateiName->setCursorPosition(0);
}

void frmDatedit::cmdOK_Click()
{
    ApplyData();
    Unload();
}

void frmDatedit::cmdSort_Click()
{
    if (Grid->pointCount() > 1) Grid->sortRowsBy(colT);
}

void frmDatedit::cmdClipboard_Click() { Grid->copySelection(); }

void frmDatedit::cmdClipEinfuegen_Click() { Grid->pasteClipboard(); }

void frmDatedit::cmdEraseSelected_Click() { Grid->zeroSelectedCells(); }

void frmDatedit::cmdErase_Click()
{
    Services& s = app().services();
    if (Grid->markedRows().empty()) {
        s.msgBox("No marked item!", MsgButtons::OK, MsgIcon::Exclamation, "Experimental data");
        return;
    }
    const std::string& crlf = app().declare().CRLF;
    if (s.msgBox(Q("The marked line(s) will be removed." + crlf + "Continue?"), MsgButtons::YesNo,
                 MsgIcon::Exclamation, "WARNING") != MsgAnswer::Yes)
        return;
    Grid->removeMarkedRows();
}

} // namespace kinhom
