#include "ui/kinetics/frmkinmodel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/kinetics/halflife.h"
#include "core/kinetics/inputrules.h"
#include "core/kinetics/models.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/dataedit/datagrid.h"
#include "ui/dataedit/frmdatedit.h"
#include "ui/kinetics/frmmatrix.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/kinetics/kinnotifyui.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/mdikin.h"
#include "ui/shell/modellinputform.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

// The captions of the model options by option index (= model number, 0 = model 20).
const char* const kModelCaptions[19] = {
    "n-th-order reaction A => P",
    "0th-order reaction A => P",
    "1st-order reaction A => P",
    "2nd-order reaction 2A => P",
    "2nd-order reaction A+B => P",
    "autocatalysis A => P",
    "consecutive 1st-order reaction A => C => P",
    "concurrent consecutive 2nd-order reaction",
    "reversible 1st-order reaction  A <=> P",
    "consecutive 2nd-order reaction  A + B => C => P",
    "MICHAELIS-MENTEN mechanism (enzyme reaction)",
    "competing reactions  A => P; A => Q",
    "reversible 2nd-order reaction  A + B <=> 2P",
    "consecutive 2nd-order reaction with equilibrium ",
    "consecutive 1st-order reaction with equilibrium  A => C <=> P",
    "consecutive 1st-order reaction with equilibrium A <=> C => P",
    "autocatalysis A => P + Q   (Catalyst = P)",
    "reversible 2nd-order reaction  A + B <=> P",
    "consecutive 2nd-order reaction with equilibrium ",
};

// Single reactions in the first group, the others below "Complicated Reactions".
const int kSimpleOrder[] = {1, 2, 3, 4, 0, 5, 16};
const int kComplicatedOrder[] = {8, 17, 12, 11, 6, 14, 15, 9, 13, 18, 7, 10};

const char* const kTimeUnitCaptions[5] = {"s", "min", "h", "d", "a"};

// The index 0 to 4 of a time-unit text (trailing blanks removed); -1 when
// the text names no unit.
int TimeUnitIndex(std::string unit)
{
    while (!unit.empty() && unit.back() == ' ')
        unit.pop_back();
    for (int i = 0; i < 5; ++i)
        if (unit == kTimeUnitCaptions[i])
            return i;
    return -1;
}

// A guard that marks the model choice as running (an option set selected by
// the choice itself must not start it again).
struct Running {
    bool& flag;
    bool old;
    explicit Running(bool& f) : flag(f), old(f) { flag = true; }
    ~Running() { flag = old; }
};

} // namespace

frmKinModel::frmKinModel(QWidget* parent) : KinWidget(parent)
{
    setObjectName(names::frmKinModel);
    setWindowTitle("kinetic model");

    buildModelOptions();
    buildSimplePanel();
    QFrame* complicated = buildComplicatedPanel();
    buildTimeUnitPanel();
    arrangePanels(complicated);
    setOptionFonts(-1);
}

// The options of the models, with the second lines of the complicated reactions.
void frmKinModel::buildModelOptions()
{
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 19; ++i) {
        auto* o = new QRadioButton(QString::fromLatin1(kModelCaptions[i]));
        o->setObjectName(QString("optTyp_%1").arg(i));
        group->addButton(o, i);
        optTyp[std::size_t(i)] = o;
        connect(o, &QRadioButton::toggled, this, Guarded([this, i](bool on) {
            if (on && !inModelChoice_)
                optTyp_Click(i);
        }));
    }

    auto secondLine = [](const char* name, const char* text) {
        auto* l = new QLabel(QString::fromLatin1(text));
        l->setObjectName(name);
        l->setContentsMargins(22, 0, 0, 2);
        return l;
    };
    lbl7 = secondLine("lbl7", "A + B => C          A + C => P");
    lbl10 = secondLine("lbl10", "E  + S <=> ES => P + E ");
    lbl13 = secondLine("lbl13", "A + B => C <=> P");
    lbl18 = secondLine("lbl18", "A + B <=> C => P ");
}

// The simple reactions, with the order box beside the option of model 20.
void frmKinModel::buildSimplePanel()
{
    txtOrdnung = new QLineEdit(" 1.5");
    txtOrdnung->setObjectName("txtOrdnung");
    txtOrdnung->setFixedWidth(52);
    txtOrdnung->setEnabled(false);
    txtOrdnung->installEventFilter(this);
    SelectAllOnFocus(txtOrdnung);
    connect(txtOrdnung, &QLineEdit::textChanged, this, Guarded([this] { txtOrdnung_Change(); }));
    Bez3 = new QLabel("n =");
    Bez3->setObjectName("Bez3");
    Be3 = new QLabel("( n >=  0 )");
    Be3->setObjectName("Be3");

    Rahmen1 = new QGroupBox("Simple Reactions");
    Rahmen1->setObjectName("Rahmen1");
    auto* simple = new QVBoxLayout(Rahmen1);
    simple->setSpacing(1);
    for (int i : kSimpleOrder) {
        if (i == 0) {
            auto* row = new QHBoxLayout;
            row->setSpacing(6);
            row->addWidget(optTyp[0]);
            row->addSpacing(8);
            row->addWidget(Bez3);
            row->addWidget(txtOrdnung);
            row->addWidget(Be3);
            row->addStretch(1);
            simple->addLayout(row);
        } else {
            simple->addWidget(optTyp[std::size_t(i)]);
        }
    }
}

QFrame* frmKinModel::buildComplicatedPanel()
{
    auto secondLineOf = [this](int model) -> QLabel* {
        switch (model) {
        case 7: return lbl7;
        case 10: return lbl10;
        case 13: return lbl13;
        case 18: return lbl18;
        default: return nullptr;
        }
    };
    Bezeichnung2 = new QLabel("Complicated Reactions");
    Bezeichnung2->setObjectName("Bezeichnung2");
    QFont heading = Bezeichnung2->font();
    heading.setBold(true);
    Bezeichnung2->setFont(heading);
    auto* fraComplicated = new QFrame;
    fraComplicated->setObjectName("fraComplicated");
    fraComplicated->setFrameShape(QFrame::StyledPanel);
    auto* complicated = new QVBoxLayout(fraComplicated);
    complicated->setSpacing(1);
    for (int i : kComplicatedOrder) {
        complicated->addWidget(optTyp[std::size_t(i)]);
        if (QLabel* l = secondLineOf(i))
            complicated->addWidget(l);
    }
    return fraComplicated;
}

void frmKinModel::buildTimeUnitPanel()
{
    Frame1 = new QGroupBox("Time Unit");
    Frame1->setObjectName("Frame1");
    auto* units = new QHBoxLayout(Frame1);
    auto* unitGroup = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        auto* o = new QRadioButton(QString::fromLatin1(kTimeUnitCaptions[i]));
        o->setObjectName(QString("optZeit_%1").arg(i));
        unitGroup->addButton(o, i);
        units->addWidget(o);
        optZeit[std::size_t(i)] = o;
        connect(o, &QRadioButton::toggled, this, Guarded([this, i](bool on) {
            if (on)
                optZeit_Click(i);
        }));
    }
    units->addStretch(1);
}

// The note on recalculated times, the matrix command and the layout of all panels.
void frmKinModel::arrangePanels(QFrame* fraComplicated)
{
    lblRecalcTime = new QLabel;
    lblRecalcTime->setObjectName("lblRecalcTime");
    lblRecalcTime->setWordWrap(true);
    QPalette notePalette = lblRecalcTime->palette();
    notePalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    lblRecalcTime->setPalette(notePalette);

    cmdShowMatrix = new QPushButton("Show stoichiometric matrix");
    cmdShowMatrix->setObjectName("cmdShowMatrix");
    connect(cmdShowMatrix, &QPushButton::clicked, this, Guarded([this] { cmdShowMatrix_Click(); }));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Frame1, 1);
    bottom->addWidget(cmdShowMatrix, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(Rahmen1);
    layout->addWidget(Bezeichnung2);
    layout->addWidget(fraComplicated);
    layout->addLayout(bottom);
    layout->addWidget(lblRecalcTime);
}

// ---- load and activation ----------------------------------------------------------------

void frmKinModel::Form_Load()
{
    App& a = app();
    Declare& d = a.declare();

    if (QWidget* f = frame())
        f->resize(f->sizeHint());
    PlaceAtRightEdge();
    // Until the user moves it, the window keeps to the right edge of the
    // working area when that changes size: at start-up the main window is laid
    // out (maximised, or within the screen where no window manager maximises
    // it) only after this load.
    if (QMdiArea* area = a.mdiArea()) area->viewport()->installEventFilter(this);

    txtOrdnung->setText(QString::fromStdString(StrSingle(d.Ordnung)));

    const int unit = std::max(0, TimeUnitIndex(d.Zeiteinheit));
    optZeit[std::size_t(unit)]->setChecked(true);

    // Apply the current model afresh. Rate constants that came from a project
    // or the last session stay while their model is the current one.
    const bool keepFileK = d.FileRateConstantsModel != 0 && d.FileRateConstantsModel == d.ModellNr;
    const int index = d.ModellNr == 20 ? 0 : d.ModellNr;
    if (index >= 0 && index <= 18)
        optTyp_Click(index);
    if (keepFileK) {
        d.FileRateConstantsModel = d.ModellNr;
        for (int j = 1; j <= 3; ++j)
            d.k[std::size_t(j)] = d.FileRateConstants[std::size_t(j)];
        if (ModellInputForm* f = FirstInputWindow())
            f->ShowRateConstants(d);
    }

    a.SetUnitLabels();
    setRecalcNote();
}

void frmKinModel::Form_Activate() { setRecalcNote(); }

void frmKinModel::setRecalcNote()
{
    lblRecalcTime->setText(app().declare().AnzahlPunkte != 0
                               ? "Note: Each changing of the time unit leads to a respective recalculation of the time column."
                               : QString());
}

// ---- the model choice -------------------------------------------------------------------------

ModellInputForm* frmKinModel::FirstInputWindow()
{
    App* a = App::current();
    if (!a)
        return nullptr;
    for (const char* n : names::kInputWindows)
        if (auto* input = dynamic_cast<ModellInputForm*>(a->findForm(QString::fromLatin1(n))))
            return input;
    return nullptr;
}

void frmKinModel::optTyp_Click(int Index)
{
    if (Index < 0 || Index > 18)
        return;
    Running running(inModelChoice_);
    App& a = app();
    Declare& d = a.declare();
    d.FileRateConstantsModel = 0;

    // 1. Model number (option 0 is model 20, whose order is read from the box
    //    with "." as the only decimal sign).
    d.MMDiagramm = false;
    d.ModellNr = std::int16_t(Index == 0 ? 20 : Index);
    if (Index == 0)
        d.Ordnung = ToSingle(ReadNumber(txtOrdnung->text()));

    // 2. Diagram code; a simulation task also gets a start value of t(max).
    if (d.Arbeitsmodus == TaskMode::Simulation) {
        if (d.RateDiagramm) {
            d.DiagrammTyp = std::int16_t(DiagramCode::Rate(d.ModellNr));
            if (d.tEnde == 0)
                d.tEnde = 60;
        } else {
            d.DiagrammTyp = d.ModellNr;
            if (d.tEnde == 0)
                d.tEnde = 100;
        }
    } else if (d.DiagrammTyp != DiagramCode::FittingPoints) {
        d.DiagrammTyp = d.ModellNr;
    }

    // 3. and 4. Patterns and stoichiometric matrix.
    SetStoffMuster(d, d.ModellNr);
    SetStoechiometrie(d.Stoechiometrie, d.ModellNr, d.Ordnung);

    // 5. and 6. Default rate constants, start concentrations that are 0, flags;
    //    the order box takes input only for model 20.
    ApplyModelDefaults(d, d.ModellNr);
    txtOrdnung->setEnabled(d.ModellNr == 20);

    // 7. The first loaded input window shows the new model.
    if (ModellInputForm* f = FirstInputWindow())
        f->ShowModel(d);

    // 8. Fonts of the options.
    setOptionFonts(Index);

    // 9. Unit captions.
    a.SetUnitLabels();

    // 10. An open matrix window shows the new matrix.
    if (a.isLoaded<frmmatrix>()) {
        a.unload<frmmatrix>();
        a.show<frmmatrix>();
    }
}


void frmKinModel::setOptionFonts(int Index)
{
    QFont normal("Arial", 8);
    normal.setBold(false);
    for (QRadioButton* o : optTyp)
        o->setFont(normal);
    for (QLabel* l : {lbl7, lbl10, lbl13, lbl18})
        l->setFont(normal);
    if (Index < 0 || Index > 18)
        return;
    QFont chosen("Arial", 9);
    chosen.setBold(true);
    {
        // Selecting the option from here must not start the choice again.
        Running running(inModelChoice_);
        optTyp[std::size_t(Index)]->setChecked(true);
    }
    optTyp[std::size_t(Index)]->setFont(chosen);
    QFont boldLine = normal;
    boldLine.setBold(true);
    switch (Index) {
    case 7: lbl7->setFont(boldLine); break;
    case 10: lbl10->setFont(boldLine); break;
    case 13: lbl13->setFont(boldLine); break;
    case 18: lbl18->setFont(boldLine); break;
    default: break;
    }
}

// ---- time unit --------------------------------------------------------------------------------

void frmKinModel::optZeit_Click(int Index)
{
    Declare& d = app().declare();
    const int old = TimeUnitIndex(d.Zeiteinheit);
    if (old >= 0)
        d.ZeiteinheitIndex = std::int16_t(old);
    KinNotifyUi notify;
    SetZeiteinheit(d, Index, d.ZeiteinheitIndex, notify);
    for (int i = 0; i < 5; ++i) {
        QFont f = optZeit[std::size_t(i)]->font();
        f.setBold(i == Index);
        optZeit[std::size_t(i)]->setFont(f);
    }
    if (app().isLoaded<frmDatedit>())
        RefreshDatenGrid();
}

void frmKinModel::RefreshDatenGrid()
{
    frmDatedit* editor = app().find<frmDatedit>();
    if (!editor)
        return;
    const Declare& d = app().declare();
    DataGrid& grid = *editor->Grid;
    editor->Hide();
    grid.clearRows();
    const int n = std::min<int>(d.AnzahlPunkte, int(d.ExpPunkte.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        grid.appendRow(frmDatedit::RowOf(d.ExpPunkte[std::size_t(i)], i));
        grid.setExcluded(i - 1, d.ExpPunkte[std::size_t(i)].exclude != 0);
    }
    if (n > 0)
        grid.selectRow(0);
    editor->Show();
}

// ---- order box --------------------------------------------------------------------------------

void frmKinModel::txtOrdnung_Change()
{
    // A pasted comma counts as the decimal sign here.
    QString text = txtOrdnung->text();
    text.replace(',', '.');
    app().declare().Ordnung = ToSingle(ReadNumber(text));
}

void frmKinModel::txtOrdnung_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 3 && KeyAscii != 22 && !NumKeyFilter(KeyAscii))
        KeyAscii = 0;
    // Every key selects model 20 again, which applies its defaults afresh.
    if (optTyp[0]->isChecked())
        optTyp_Click(0);
    else
        optTyp[0]->setChecked(true);
}

void frmKinModel::PlaceAtRightEdge()
{
    // At the top, its right edge 400 twips left of the right edge of the
    // main window's working area. Before the main window is shown the area
    // has no size yet; the screen's width counts then.
    App& a = app();
    QMdiArea* area = a.mdiArea();
    int areaWidth = a.mainWindow().width();
    if (area && area->isVisible())
        areaWidth = area->viewport()->width();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        areaWidth = screen->availableGeometry().width();
    Move(std::max(0, PixelsToTwips(areaWidth) - Width() - 400), 0);
    if (QWidget* f = frame()) placedAt_ = f->pos();
}

bool frmKinModel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        QMdiArea* area = app().mdiArea();
        QWidget* f = frame();
        if (area && watched == area->viewport() && f && f->pos() == placedAt_) PlaceAtRightEdge();
        return KinWidget::eventFilter(watched, event);
    }
    if (watched == txtOrdnung && event->type() == QEvent::KeyPress) {
        const int key = KeyAsciiOf(static_cast<QKeyEvent*>(event));
        if (key >= 0) {
            int handled = key;
            txtOrdnung_KeyPress(handled);
            return FinishKeyPress(txtOrdnung, key, handled);
        }
    }
    return KinWidget::eventFilter(watched, event);
}

void frmKinModel::cmdShowMatrix_Click() { app().show<frmmatrix>(); }

} // namespace kinhom
