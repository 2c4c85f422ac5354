#include "ui/kinetics/frmpreparetimediagram.h"

#include <cmath>
#include <exception>

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/kinetics/inputrules.h"
#include "core/kinetics/simulation.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/kinetics/frmsimtabelle.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/kinetics/simchart.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"

namespace kinhom {

namespace {

const char* const kExecutionNotPossible = "Execution not possible";

// Sets a flag of the shared state for the duration of a call.
struct FlagDuring {
    bool& flag;
    explicit FlagDuring(bool& f) : flag(f) { flag = true; }
    ~FlagDuring() { flag = false; }
    FlagDuring(const FlagDuring&) = delete;
    FlagDuring& operator=(const FlagDuring&) = delete;
};

} // namespace

frmPrepareTimeDiagram::frmPrepareTimeDiagram(QWidget* parent) : ModellInputForm(parent)
{
    setObjectName(names::frmPrepareTimeDiagram);
    setWindowTitle("Diagram: Concentration vs. Time");

    Label7 = NamedLabel("Label7", QString());
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);

    buildConcentrationPanel(bold);
    buildRatePanel();
    buildTimePanel();
    buildMichaelisPanel();
    buildCommands();
    arrangePanels();
}

QLineEdit* frmPrepareTimeDiagram::inputBox(int index)
{
    QLineEdit* e = NumberBox("Inp", index, 96);
    connect(e, &QLineEdit::textChanged, this, Guarded([this, index] { Inp_Change(index); }));
    return e;
}

// Start concentrations.
void frmPrepareTimeDiagram::buildConcentrationPanel(const QFont& bold)
{
    Rahmen4 = new QGroupBox("Specification of initial ", this);
    Rahmen4->setObjectName("Rahmen4");
    Label1 = NamedLabel("Label1", " conc.  [c(i)(0)] = mol/l");
    auto* conc = new QGridLayout(Rahmen4);
    conc->addWidget(Label1, 0, 0, 1, 3);
    const char* species[] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        lblStoff[std::size_t(i)] = NamedLabel("lblStoff", species[i], i);
        lblStoff[std::size_t(i)]->setFont(bold);
        conc->addWidget(lblStoff[std::size_t(i)], i + 1, 0, Qt::AlignRight);
        conc->addWidget(inputBox(i), i + 1, 1);
    }
    conc->setColumnStretch(2, 1);
    conc->setRowStretch(6, 1);

    // Boxes that only the shared layout of the input windows has.
    for (int i : {5, 6, 7, 8, 9, 13})
        inputBox(i)->hide();
    for (int i = 5; i <= 9; ++i) {
        lblStoff[std::size_t(i)] = NamedLabel("lblStoff", species[i - 5], i);
        lblStoff[std::size_t(i)]->hide();
    }
}

void frmPrepareTimeDiagram::buildRatePanel()
{
    Rahmen5 = new QGroupBox("Specification of the rate constant(s)", this);
    Rahmen5->setObjectName("Rahmen5");
    auto* rates = new QGridLayout(Rahmen5);
    const char* captions[] = {"k1/", "k2/", "k3/"};
    QLabel** units[] = {&unit1, &unit2, &unit3};
    for (int j = 0; j < 3; ++j) {
        Bz[std::size_t(5 + j)] = NamedLabel("Bz", captions[j], 5 + j);
        *units[j] = NamedLabel(QString("unit%1").arg(j + 1).toLatin1().constData(), "(1/s)");
        rates->addWidget(Bz[std::size_t(5 + j)], j, 0, Qt::AlignRight);
        rates->addWidget(inputBox(10 + j), j, 1);
        rates->addWidget(*units[j], j, 2);
    }
    lblMichaelisK = NamedLabel("lblMichaelisK", "Michaelis constant");
    lblMichaelisK->setVisible(false);
    rates->addWidget(lblMichaelisK, 3, 0, 1, 3);
    rates->setColumnStretch(2, 1);
    rates->setRowStretch(4, 1);
}

// End time.
void frmPrepareTimeDiagram::buildTimePanel()
{
    Rahmen6 = new QGroupBox("Time Axis", this);
    Rahmen6->setObjectName("Rahmen6");
    auto* time = new QHBoxLayout(Rahmen6);
    Bz8 = NamedLabel("Bz", "t(max)/", 8);
    unit4 = NamedLabel("unit4", "s");
    time->addWidget(Bz8);
    time->addWidget(inputBox(14));
    time->addWidget(unit4);
    time->addStretch(1);
}

// The Michaelis-Menten panel of the enzyme model.
void frmPrepareTimeDiagram::buildMichaelisPanel()
{
    auto* mm = new QFrame(this);
    mm->setObjectName("fraMichaelis");
    mm->setFrameShape(QFrame::StyledPanel);
    fraMichaelis = mm;
    cmdMMdiagram = new QPushButton("Diagram  r(P)_=_Fu(S(0)) ", mm);
    cmdMMdiagram->setObjectName("cmdMMdiagram");
    cmdMMdiagram->setToolTip("...dependence of the the rate of reaction on the substrate concentration ");
    cmdMichaelisListe = new QPushButton("Table", mm);
    cmdMichaelisListe->setObjectName("cmdMichaelisListe");
    lblS0max = new QLabel("S(0),max/(mol/l) =", mm);
    lblS0max->setObjectName("lblS0max");
    txtS0max = new QLineEdit(mm);
    txtS0max->setObjectName("txtS0max");
    txtS0max->setFixedWidth(80);
    chkNormiert = new QCheckBox("x-axis normalized", mm);
    chkNormiert->setObjectName("chkNormiert");
    chkNormiert->setToolTip(" equation r(P)/r(P),max = Fu(S(0)) ");
    auto* mmLayout = new QGridLayout(mm);
    mmLayout->addWidget(cmdMMdiagram, 0, 0);
    mmLayout->addWidget(cmdMichaelisListe, 0, 1);
    mmLayout->addWidget(chkNormiert, 0, 2, 1, 2);
    mmLayout->addWidget(lblS0max, 1, 0, Qt::AlignRight);
    mmLayout->addWidget(txtS0max, 1, 1);
    mmLayout->setColumnStretch(3, 1);
    mm->setVisible(false);
    connect(cmdMMdiagram, &QPushButton::clicked, this, Guarded([this] { cmdMMdiagram_Click(); }));
    connect(cmdMichaelisListe, &QPushButton::clicked, this, Guarded([this] { cmdMichaelisListe_Click(); }));
    connect(chkNormiert, &QCheckBox::toggled, this, Guarded([this] { chkNormiert_Click(); }));
    connect(txtS0max, &QLineEdit::textChanged, this, Guarded([this] { txtS0max_Change(); }));
}

void frmPrepareTimeDiagram::buildCommands()
{
    cmdDrawctDiagram = new QPushButton("Draw", this);
    cmdDrawctDiagram->setObjectName("cmdDrawctDiagram");
    cmdListe = new QPushButton("Table", this);
    cmdListe->setObjectName("cmdListe");
    chkDelDiagram = new QCheckBox("delete old curves", this);
    chkDelDiagram->setObjectName("chkDelDiagram");
    chkDelDiagram->setChecked(true);
    chkMitPunkten = new QCheckBox("with exper. points", this);
    chkMitPunkten->setObjectName("chkMitPunkten");
    cmdClose = new QPushButton("Close <Esc>", this);
    cmdClose->setObjectName("cmdClose");
    for (QPushButton* b : {cmdMMdiagram, cmdMichaelisListe, cmdDrawctDiagram, cmdListe, cmdClose})
        b->setAutoDefault(true); // Enter presses the button that has the focus
    connect(cmdDrawctDiagram, &QPushButton::clicked, this, Guarded([this] { cmdDrawctDiagram_Click(); }));
    connect(cmdListe, &QPushButton::clicked, this, Guarded([this] { cmdListe_Click(); }));
    connect(chkDelDiagram, &QCheckBox::toggled, this, Guarded([this] { chkDelDiagram_Click(); }));
    connect(chkMitPunkten, &QCheckBox::toggled, this, Guarded([this] { chkMitPunkten_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));

    // The extent-of-reaction controls of the shared layout (reactor windows only).
    auto* ksi = new QFrame(this);
    ksi->setObjectName("fraKsi");
    ksi->hide();
    fraKsi = ksi;
    cmdShowKsi = new QPushButton(this);
    cmdShowKsi->setObjectName("cmdShowKsi");
    cmdShowKsi->hide();
    lblTextKsi_1 = NamedLabel("lblTextKsi_1", QString());
    lblTextKsi_1->hide();
    lblTextKsi_2 = NamedLabel("lblTextKsi_2", QString());
    lblTextKsi_2->hide();
}

void frmPrepareTimeDiagram::arrangePanels()
{
    auto* commands = new QVBoxLayout;
    commands->addWidget(cmdDrawctDiagram);
    commands->addWidget(cmdListe);
    commands->addSpacing(6);
    commands->addWidget(chkDelDiagram);
    commands->addWidget(chkMitPunkten);
    commands->addStretch(1);
    commands->addWidget(cmdClose);

    auto* right = new QVBoxLayout;
    right->addWidget(Rahmen5, 1);
    right->addWidget(Rahmen6);

    auto* middle = new QHBoxLayout;
    middle->addWidget(Rahmen4, 1);
    middle->addLayout(right, 1);
    middle->addLayout(commands);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(Label7);
    layout->addLayout(middle, 1);
    layout->addWidget(fraMichaelis);
}

// ---- load and activation ----------------------------------------------------------------------

void frmPrepareTimeDiagram::Form_Load()
{
    App& a = app();
    Declare& d = a.declare();
    if (QWidget* f = frame()) {
        f->resize(f->sizeHint());
        fittedSize_ = f->size();
    }
    Move(60, 0);
    cmdDrawctDiagram->setDefault(true);
    d.MitPunkten = chkMitPunkten->isChecked();
    chkMitPunkten->setEnabled(!d.RateDiagramm);
}

void frmPrepareTimeDiagram::Form_Activate()
{
    App& a = app();
    Declare& d = a.declare();

    a.SetUnitLabels();
    d.MMDiagramm = false;
    fraMichaelis->setVisible(d.ModellNr == 10);
    chkDelDiagram->setEnabled(d.KurvenAnzahl != 0 && ChartWindowLoaded());
    chkDelDiagram->setChecked(d.AlteKurvenLoeschen);
    chkNormiert->setChecked(d.MMNormiert);
    if (d.ModellNr == 20)
        Label7->setText(QString::fromStdString(ModelLine(d)));

    if (d.RateDiagramm) {
        d.MitPunkten = false;
        chkMitPunkten->setChecked(false);
        setWindowTitle("Diagram/Table Reaction Rate vs. Time");
        cmdDrawctDiagram->setText("Draw r-t diagram");
        cmdDrawctDiagram->setToolTip("...rate of reaction(s) vs. time ");
        cmdListe->setToolTip(" time | rate of reaction(s) ");
    } else {
        setWindowTitle("Diagram/Table Concentration vs. Time");
        cmdDrawctDiagram->setText("Draw c-t diagram");
        cmdDrawctDiagram->setToolTip("...concentration(s) vs. time ");
        cmdListe->setToolTip(" time | concentration(s) ");
        // Measured points can be shown for a species of the model that has data.
        bool withData = false;
        for (int i = 1; i <= 5; ++i)
            if (SpeciesInUse(d, i) && d.DatenVorhanden[i])
                withData = true;
        chkMitPunkten->setEnabled(withData);
    }
    // The box shows the stored value unless it already reads as that value: a
    // refused text (one beyond the number range, say) stays as it was typed.
    const float shown = ToSingle(ReadNumber(txtS0max->text()));
    if (shown != d.S0max)
        txtS0max->setText(QString::fromStdString(StrSingle(d.S0max)));
}

// ---- input boxes ------------------------------------------------------------------------------

void frmPrepareTimeDiagram::Inp_Change(int Index)
{
    if (Index < 10 || Index > 12)
        return;
    // The Michaelis constant of the enzyme model from k>, k< and k3.
    const double k1 = ReadNumber(Inp[10]->text());
    if (!(k1 > 0))
        return;
    const float km = ToSingle((ReadNumber(Inp[11]->text()) + ReadNumber(Inp[12]->text())) / k1);
    app().declare().MichaelisKonstante = km;
    lblMichaelisK->setText("Michaelis constant KM = (k< + k3) / k> =" + QString::fromStdString(StrSingle(km)) +
                           "\n" + "(real range KM = 1E-2...1E-5)");
}

void frmPrepareTimeDiagram::Inp_KeyPress(int Index, int& KeyAscii)
{
    if (KeyAscii == 3 || KeyAscii == 22)
        return;
    if (!NumKeyFilter(KeyAscii)) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii != 13)
        return;
    // Enter goes on to the box of the next index (after the last, to the
    // box of B), when that box can take the focus; otherwise it stays.
    KeyAscii = 0;
    int next = Index + 1;
    if (next == 15)
        next = 1;
    if (next < 0 || next >= int(Inp.size()))
        return;
    QLineEdit* target = Inp[std::size_t(next)];
    if (target && target->isVisible() && target->isEnabled())
        target->setFocus(Qt::TabFocusReason);
}

bool frmPrepareTimeDiagram::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        for (int i = 0; i < int(Inp.size()); ++i)
            if (Inp[std::size_t(i)] && watched == Inp[std::size_t(i)]) {
                const int key = KeyAsciiOf(static_cast<QKeyEvent*>(event));
                if (key < 0)
                    break;
                int handled = key;
                Inp_KeyPress(i, handled);
                return FinishKeyPress(Inp[std::size_t(i)], key, handled);
            }
    return ModellInputForm::eventFilter(watched, event);
}

void frmPrepareTimeDiagram::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        cmdClose->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Draw is the default button.
        if (cmdDrawctDiagram->isEnabled())
            cmdDrawctDiagram->click();
        return;
    default:
        ModellInputForm::keyPressEvent(event);
    }
}

bool frmPrepareTimeDiagram::event(QEvent* event)
{
    const bool done = ModellInputForm::event(event);
    if (event->type() == QEvent::LayoutRequest)
        if (QWidget* f = frame(); f && f != this) {
            // The layouts keep the size hints of the frames and of this window
            // from their last pass; after a model choice hid or showed boxes
            // they are renewed here first. That may post one more layout
            // request, which must not renew them again (or the requests would
            // never end); the mark is cleared once the posted events are done.
            if (!ownRequest_) {
                ownRequest_ = true;
                for (QWidget* w : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(Rahmen4),
                                   static_cast<QWidget*>(Rahmen5), static_cast<QWidget*>(Rahmen6), fraMichaelis})
                    w->updateGeometry();
                updateGeometry();
                QMetaObject::invokeMethod(this, [this] { ownRequest_ = false; }, Qt::QueuedConnection);
            }
            const QSize need = f->sizeHint();
            if (f->size() == fittedSize_) {
                // Still the size the window gave itself: it follows the boxes
                // of the model, also back down when the Michaelis-Menten panel
                // of the enzyme model goes away.
                f->resize(need);
                fittedSize_ = f->size();
            } else if (need.width() > f->width() || need.height() > f->height()) {
                // A size the user chose only grows as far as the boxes need.
                f->resize(std::max(need.width(), f->width()), std::max(need.height(), f->height()));
            }
        }
    return done;
}

// ---- check boxes ------------------------------------------------------------------------------

void frmPrepareTimeDiagram::chkDelDiagram_Click() { app().declare().AlteKurvenLoeschen = chkDelDiagram->isChecked(); }

void frmPrepareTimeDiagram::chkMitPunkten_Click() { app().declare().MitPunkten = chkMitPunkten->isChecked(); }

void frmPrepareTimeDiagram::chkNormiert_Click()
{
    const bool normalised = chkNormiert->isChecked();
    txtS0max->setEnabled(!normalised);
    lblS0max->setEnabled(!normalised);
    chkNormiert->setToolTip(normalised ? " normalized equation r(P)/r(P),max = Fu(S(0)/KM) "
                                       : " equation r(P)/r(P),max = Fu(S(0)) ");
}

void frmPrepareTimeDiagram::txtS0max_Change()
{
    app().declare().S0max = ToSingle(ReadNumber(txtS0max->text()));
}

// ---- validation -------------------------------------------------------------------------------

QString frmPrepareTimeDiagram::ReadAndCheckInputs(bool forTable)
{
    Declare& d = app().declare();
    for (int i = 1; i <= 5; ++i)
        d.c0[std::size_t(i)] = ReadNumber(Inp[std::size_t(i - 1)]->text());
    for (int j = 1; j <= 3; ++j)
        d.k[std::size_t(j)] = ReadNumber(Inp[std::size_t(9 + j)]->text());
    KeepRateConstants(d); // the other input windows show them too
    d.tEnde = ToSingle(ReadNumber(Inp[14]->text()));
    d.SimAnzahl = kSimIntervals;

    SetupCheck check;
    check.forTable = forTable;
    check.bShown = !Inp[1]->isHidden();
    check.cShown = !Inp[2]->isHidden();
    check.pShown = !Inp[3]->isHidden();
    check.qShown = !Inp[4]->isHidden();
    check.k2Shown = !Inp[11]->isHidden();
    check.k3Shown = !Inp[12]->isHidden();
    const std::string nl = d.CRLF.empty() ? std::string("\r\n") : d.CRLF;
    return QString::fromStdString(JoinFaultLines(SetupInputFaults(d, check), nl));
}

bool frmPrepareTimeDiagram::refuse(const QString& faults)
{
    if (faults.isEmpty())
        return false;
    app().services().msgBox(faults, MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
    return true;
}

void frmPrepareTimeDiagram::showFailure(const QString& description)
{
    app().services().msgBox(description, MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
}

// ---- Draw and Table ---------------------------------------------------------------------------

// Runs the simulation under the busy cursor, then `show` (the chart or the
// table). A failed run or a run-time error is shown under "Execution not
// possible", and nothing is drawn or listed.
void frmPrepareTimeDiagram::RunAndShow(bool freshColumns, const std::function<void()>& show)
{
    Declare& d = app().declare();
    try {
        SimulationsErgebnis result;
        {
            BusyCursor busy;
            if (freshColumns) {
                // Fresh, cleared courses: columns of species the model does not
                // compute read 0.
                const std::size_t rows = std::size_t(d.SimAnzahl) + 3;
                for (auto* v : {&d.SimT, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ})
                    v->assign(rows, 0.0);
                for (auto* v : {&d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ})
                    v->assign(rows, 0.0f);
            }
            result = calc_diagram_function(d, d.ModellNr);
        }
        if (result.failed) {
            // An open chart keeps its curves.
            showFailure(QString::fromStdString(result.Fehlertext));
            return;
        }
        show();
    } catch (const std::exception& e) {
        showFailure(QString::fromStdString(e.what()));
    }
}

void frmPrepareTimeDiagram::cmdDrawctDiagram_Click()
{
    if (refuse(ReadAndCheckInputs(false)))
        return;
    RunAndShow(false, [] { DrawSimulationChart(app().declare().AlteKurvenLoeschen); });
}

void frmPrepareTimeDiagram::cmdListe_Click()
{
    if (refuse(ReadAndCheckInputs(true)))
        return;
    RunAndShow(true, [] { app().get<frmSimTabelle>().ShowModal(); });
}

void frmPrepareTimeDiagram::cmdMMdiagram_Click()
{
    Declare& d = app().declare();
    FlagDuring mm(d.MMDiagramm);
    d.MMNormiert = chkNormiert->isChecked();
    cmdDrawctDiagram_Click();
}

void frmPrepareTimeDiagram::cmdMichaelisListe_Click()
{
    FlagDuring mm(app().declare().MMDiagramm);
    cmdListe_Click();
}

void frmPrepareTimeDiagram::cmdClose_Click() { Unload(); }

void frmPrepareTimeDiagram::ShowModel(Declare& d)
{
    const bool michaelis = LabelsForModel(d).michaelis;
    lblMichaelisK->setVisible(michaelis);
    fraMichaelis->setVisible(michaelis);
    ModellInputForm::ShowModel(d);
}

} // namespace kinhom
