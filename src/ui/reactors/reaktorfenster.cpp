#include "ui/reactors/reaktorfenster.h"

#include <cmath>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <exception>

#include "core/kinetics/inputrules.h"
#include "core/kinetics/models.h"
#include "core/reactors/reactors.h"
#include "core/reactors/protocol.h"
#include "core/shell/numtext.h"
#include "core/shell/utilities.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/reactors/frmprotokoll.h"
#include "ui/reactors/reaktorbild.h"
#include "ui/shell/application.h"
#include "ui/shell/guarded.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

const char* const kExecutionNotPossible = "Execution not possible";

QString Zeilenende()
{
    const std::string& crlf = app().declare().CRLF;
    return Q(crlf.empty() ? std::string("\r\n") : crlf);
}

} // namespace

ReaktorFenster::ReaktorFenster(Art art, QWidget* parent) : ModellInputForm(parent), art_(art)
{
    // The controls are created in tab order: model line, input mode, picture,
    // concentrations, rate constants, the reactor's quantities, the extents of
    // reaction and the commands.
    QFont bold = font();
    bold.setBold(true);
    Label7 = NamedLabel("Label7", QString());
    Label7->setFont(bold);
    QGroupBox* fraInput = createInputModes();
    picReaktor = new ReaktorBild(art == Art::Batch  ? ReaktorBild::Art::Batch
                                 : art == Art::Rohr ? ReaktorBild::Art::Rohr
                                                    : ReaktorBild::Art::Kessel,
                                 this);
    QGroupBox* fraKonz = createConcentrations();
    QGroupBox* fraK = createRateConstants();
    QGroupBox* fraReaktor = createReactorFrame();
    createKsi();
    if (art == Art::Kessel) {
        lblZustand = NamedLabel("lblZustand", QString());
        lblZustand->setWordWrap(true);
    }
    QVBoxLayout* commands = createCommands();
    arrange(fraInput, fraKonz, fraK, fraReaktor, commands);
    inputFrames_ = {fraInput, fraKonz, fraK, fraReaktor};
    setConversionCaptions();
}

// The input mode: one option per mode of the window.
QGroupBox* ReaktorFenster::createInputModes()
{
    auto* fraInput = new QGroupBox("Given", this);
    fraInput->setObjectName("fraInput");
    auto* modes = new QVBoxLayout(fraInput);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < modeCount(); ++i) {
        auto* o = new QRadioButton(fraInput);
        NameControl(o, "optInput", i);
        group->addButton(o, i);
        modes->addWidget(o);
        optInput[std::size_t(i)] = o;
        connect(o, &QRadioButton::toggled, this, Guarded([this, i](bool on) {
                    if (on) optInput_Click(i);
                }));
    }
    modes->addStretch(1);
    return fraInput;
}

// Concentrations: start (or feed) and final (or outlet), the final ones locked.
QGroupBox* ReaktorFenster::createConcentrations()
{
    QFont bold = font();
    bold.setBold(true);
    auto* fraKonz = new QGroupBox("Concentrations  c(i) / (mol/l)", this);
    fraKonz->setObjectName("fraKonz");
    auto* konz = new QGridLayout(fraKonz);
    konz->addWidget(new QLabel(art_ == Art::Batch ? "initial" : "inlet", fraKonz), 0, 1);
    konz->addWidget(new QLabel(art_ == Art::Batch ? "final" : "outlet", fraKonz), 0, 3);
    const char* const species[] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        lblStoff[std::size_t(i)] = NamedLabel("lblStoff", species[i], i);
        lblStoff[std::size_t(i)]->setFont(bold);
        Inp[std::size_t(i)] = inputBox("Inp", i);
        lblStoff[std::size_t(i + 5)] = NamedLabel("lblStoff", species[i], i + 5);
        lblStoff[std::size_t(i + 5)]->setFont(bold);
        Inp[std::size_t(i + 5)] = inputBox("Inp", i + 5);
        Inp[std::size_t(i + 5)]->setReadOnly(true);
        konz->addWidget(lblStoff[std::size_t(i)], i + 1, 0, Qt::AlignRight);
        konz->addWidget(Inp[std::size_t(i)], i + 1, 1);
        konz->addWidget(lblStoff[std::size_t(i + 5)], i + 1, 2, Qt::AlignRight);
        konz->addWidget(Inp[std::size_t(i + 5)], i + 1, 3);
    }
    konz->setColumnStretch(4, 1);
    konz->setRowStretch(6, 1);
    return fraKonz;
}

// The rate constants k1 to k3 with their captions and units.
QGroupBox* ReaktorFenster::createRateConstants()
{
    auto* fraK = new QGroupBox("Rate constant(s)", this);
    fraK->setObjectName("fraK");
    auto* rates = new QGridLayout(fraK);
    QLabel** units[] = {&unit1, &unit2, &unit3};
    for (int j = 0; j < 3; ++j) {
        Bz[std::size_t(5 + j)] = NamedLabel("Bz", QString("k%1").arg(j + 1), 5 + j);
        Inp[std::size_t(10 + j)] = inputBox("Inp", 10 + j);
        *units[j] = NamedLabel(QString("unit%1").arg(j + 1).toLatin1().constData(), "/(1/s)");
        rates->addWidget(Bz[std::size_t(5 + j)], j, 0, Qt::AlignRight);
        rates->addWidget(Inp[std::size_t(10 + j)], j, 1);
        rates->addWidget(*units[j], j, 2);
    }
    rates->setColumnStretch(2, 1);
    rates->setRowStretch(3, 1);
    return fraK;
}

// The extents of reaction: the button and the hidden frame it shows.
void ReaktorFenster::createKsi()
{
    cmdShowKsi = new QPushButton("Extent of reaction  ksi", this);
    cmdShowKsi->setObjectName("cmdShowKsi");
    cmdShowKsi->setEnabled(false);
    cmdShowKsi->installEventFilter(this);
    auto* ksi = new QGroupBox("ksi / (mol/l)", this);
    ksi->setObjectName("fraKsi");
    fraKsi = ksi;
    auto* ksiLayout = new QVBoxLayout(ksi);
    lblTextKsi_1 = NamedLabel("lblTextKsi_1", QString());
    lblTextKsi_2 = NamedLabel("lblTextKsi_2", QString());
    ksiLayout->addWidget(lblTextKsi_1);
    ksiLayout->addWidget(lblTextKsi_2);
    ksi->hide();
}

// The window's layout: the model line; input mode, picture and commands;
// concentrations beside the rate constants and the reactor's quantities; the
// extents of reaction; the stirred tank's steady state.
void ReaktorFenster::arrange(QGroupBox* fraInput, QGroupBox* fraKonz, QGroupBox* fraK, QGroupBox* fraReaktor,
                             QVBoxLayout* commands)
{
    auto* top = new QHBoxLayout;
    top->addWidget(fraInput, 1);
    top->addWidget(picReaktor, 1);
    top->addLayout(commands);

    auto* middle = new QHBoxLayout;
    middle->addWidget(fraKonz);
    auto* right = new QVBoxLayout;
    right->addWidget(fraK);
    right->addWidget(fraReaktor, 1);
    middle->addLayout(right, 1);

    auto* ksiRow = new QHBoxLayout;
    cmdShowKsi->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ksiRow->addWidget(cmdShowKsi, 0, Qt::AlignTop);
    ksiRow->addWidget(fraKsi, 1);
    ksiRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(Label7);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(ksiRow);
    if (lblZustand) layout->addWidget(lblZustand);
}

QLineEdit* ReaktorFenster::inputBox(const char* name, int index)
{
    QLineEdit* e = NumberBox(name, index, 100);
    connect(e, &QLineEdit::textChanged, this, Guarded([this] {
                if (!filling_) inputsChanged();
            }));
    return e;
}

// The reactor's own quantities: V, V*, the tube's cross-section and length,
// the time, the conversion and its limit.
QGroupBox* ReaktorFenster::createReactorFrame()
{
    const bool fluss = art_ != Art::Batch;
    auto* fraReaktor = new QGroupBox(art_ == Art::Batch ? "Batch reactor" : "Reactor and flow", this);
    fraReaktor->setObjectName("fraReaktor");
    auto* reaktor = new QGridLayout(fraReaktor);
    int row = 0;
    auto zeile = [&](QLabel* caption, QWidget* field, QLabel* unit) {
        reaktor->addWidget(caption, row, 0, Qt::AlignRight);
        reaktor->addWidget(field, row, 1);
        if (unit) reaktor->addWidget(unit, row, 2);
        ++row;
    };
    if (fluss) {
        txtV = inputBox("txtV");
        zeile(NamedLabel("lblV", "V / m^3"), txtV, nullptr);
        txtVPunkt = inputBox("txtVPunkt");
        lblVPunktInput = NamedLabel("lblVPunktInput", "V* /m^3/s");
        zeile(lblVPunktInput, txtVPunkt, nullptr);
        if (art_ == Art::Rohr) {
            txtQuerschnitt = inputBox("txtQuerschnitt");
            txtQuerschnitt->setToolTip("cross-section of the tube; 0: no length is computed");
            zeile(NamedLabel("lblQuerschnitt", "cross-section / m^2"), txtQuerschnitt, nullptr);
            txtLaenge = inputBox("txtLaenge");
            txtLaenge->setReadOnly(true);
            zeile(NamedLabel("lblLaenge", "length l / m"), txtLaenge, nullptr);
        }
    }
    // Controls of the shared layout that this window does not use: Inp(13),
    // and the volume-flow caption of the batch reactor.
    Inp[13] = inputBox("Inp", 13);
    Inp[13]->hide();
    if (!fluss) {
        lblVPunktInput = NamedLabel("lblVPunktInput", QString());
        lblVPunktInput->hide();
    }
    Inp[14] = inputBox("Inp", 14);
    lblTau = NamedLabel("lblTau", fluss ? "tau = V/V*  /" : "t /");
    lblZeitEinheit = NamedLabel("lblZeitEinheit", "s");
    zeile(lblTau, Inp[14], lblZeitEinheit);
    txtUmsatz = inputBox("txtUmsatz");
    lblUmsatz = NamedLabel("lblUmsatz", "U(A) =");
    zeile(lblUmsatz, txtUmsatz, nullptr);
    lblGrenze = NamedLabel("lblGrenze", QString());
    lblGrenze->setWordWrap(true);
    reaktor->addWidget(lblGrenze, row++, 0, 1, 3);
    reaktor->setColumnStretch(2, 1);
    reaktor->setRowStretch(row, 1);

    return fraReaktor;
}

// The command column: Calculate, Stop with the busy bar, Record result,
// Protocol, Help and Close.
QVBoxLayout* ReaktorFenster::createCommands()
{
    cmdCalc = new QPushButton("Calculate", this);
    cmdCalc->setObjectName("cmdCalc");
    cmdStop = new QPushButton("Stop <Esc>", this);
    cmdStop->setObjectName("cmdStop");
    cmdStop->setToolTip("stops the calculation; everything stays as it was");
    cmdStop->setEnabled(false);
    prgBusy = new QProgressBar(this);
    prgBusy->setObjectName("prgBusy");
    prgBusy->setRange(0, 0); // moves while it is shown
    prgBusy->setTextVisible(false);
    prgBusy->setMaximumHeight(12);
    prgBusy->hide();
    cmdProtokoll = new QPushButton("Record result", this);
    cmdProtokoll->setObjectName("cmdProtokoll");
    cmdProtokoll->setToolTip("adds the result to the protocol");
    cmdProtokoll->setEnabled(false);
    cmdShowProt = new QPushButton("Protocol ...", this);
    cmdShowProt->setObjectName("cmdShowProt");
    cmdHelp = new QPushButton("Help", this);
    cmdHelp->setObjectName("cmdHelp");
    cmdClose = new QPushButton("Close <Esc>", this);
    cmdClose->setObjectName("cmdClose");
    for (QPushButton* b : {cmdCalc, cmdStop, cmdProtokoll, cmdShowProt, cmdHelp, cmdClose, cmdShowKsi})
        b->setAutoDefault(true);
    connect(cmdCalc, &QPushButton::clicked, this, Guarded([this] { cmdCalc_Click(); }));
    connect(cmdStop, &QPushButton::clicked, this, Guarded([this] { cmdStop_Click(); }));
    connect(cmdShowKsi, &QPushButton::clicked, this, Guarded([this] { cmdShowKsi_Click(); }));
    connect(cmdProtokoll, &QPushButton::clicked, this, Guarded([this] { cmdProtokoll_Click(); }));
    connect(cmdShowProt, &QPushButton::clicked, this, Guarded([this] { cmdShowProt_Click(); }));
    connect(cmdHelp, &QPushButton::clicked, this, Guarded([this] { app().services().showHelp(HelpContextID()); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));

    auto* commands = new QVBoxLayout;
    commands->addWidget(cmdCalc);
    commands->addWidget(cmdStop);
    commands->addWidget(prgBusy);
    commands->addWidget(cmdProtokoll);
    commands->addWidget(cmdShowProt);
    commands->addStretch(1);
    commands->addWidget(cmdHelp);
    commands->addWidget(cmdClose);

    return commands;
}

ReaktorFenster::~ReaktorFenster() { stopWorkers(); }

int ReaktorFenster::HelpContextID() const
{
    switch (art_) {
    case Art::Batch: return 10600;
    case Art::Rohr: return 10610;
    case Art::Kessel: return 10620;
    }
    return 10270;
}

std::int16_t& ReaktorFenster::inputMode() const
{
    Declare& d = app().declare();
    switch (art_) {
    case Art::Batch: return d.BatchInpSelect;
    case Art::Rohr: return d.RohrInpSelect;
    case Art::Kessel: break;
    }
    return d.ContiCalcSelect;
}

// ---- load and activation --------------------------------------------------------------------

void ReaktorFenster::Form_Load()
{
    if (QWidget* f = frame()) f->resize(f->sizeHint());
    Move(60, 0);
    cmdCalc->setDefault(true);
    std::int16_t& mode = inputMode();
    if (mode < 0 || mode >= modeCount()) mode = 0;
    QRadioButton* o = optInput[std::size_t(mode)];
    if (o->isChecked())
        optInput_Click(mode);
    else
        o->setChecked(true);
    if (txtQuerschnitt && txtQuerschnitt->text().isEmpty()) txtQuerschnitt->setText(" 0.1");
    fillEmptyInputs();
}

void ReaktorFenster::Form_Unload(int& Cancel)
{
    (void)Cancel;
    stopWorkers();
}

void ReaktorFenster::Form_Activate()
{
    app().SetUnitLabels();
    setConversionCaptions();
}

void ReaktorFenster::setConversionCaptions()
{
    // The enzyme model reports the conversion of its substrate S.
    const QString u = QString("U(%1)").arg(UmsatzName(app().declare().ModellNr));
    lblUmsatz->setText(u + " =");
    const QString batchModes[] = {"reaction time t  =>  conversion", u + "  =>  reaction time t"};
    const QString flowModes[] = {"V and V*  =>  conversion", u + " and V*  =>  volume V",
                                 u + " and V  =>  volume flow V*"};
    for (int i = 0; i < modeCount(); ++i)
        optInput[std::size_t(i)]->setText(art_ == Art::Batch ? batchModes[i] : flowModes[i]);
}

// ---- input mode ---------------------------------------------------------------------------------

void ReaktorFenster::optInput_Click(int Index)
{
    if (Index < 0 || Index >= modeCount()) return;
    inputMode() = std::int16_t(Index);
    abandon();
    setEditable();
    // The boxes of a valid result agree with each other in any mode; other
    // numbers in what are now result boxes are no result.
    if (!resultValid_) clearResults();
    fillEmptyInputs();
    setResultValid(false);
}

void ReaktorFenster::setEditable()
{
    const int mode = inputMode();
    const bool umsatzGegeben = mode >= 1;
    auto editable = [](QLineEdit* e, bool on) {
        if (!e) return;
        e->setReadOnly(!on);
        e->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, on ? QColor(Qt::white) : QColor(236, 236, 236));
        e->setPalette(p);
    };
    editable(txtUmsatz, umsatzGegeben);
    if (art_ == Art::Batch) {
        editable(Inp[14], !umsatzGegeben);
    } else {
        editable(Inp[14], false);
        editable(txtV, mode != 1);
        editable(txtVPunkt, mode != 2);
        editable(txtQuerschnitt, true);
        editable(txtLaenge, false);
    }
    for (int i = 5; i <= 9; ++i) editable(Inp[std::size_t(i)], false);
}

std::vector<QLineEdit*> ReaktorFenster::resultBoxes() const
{
    const int mode = inputMode();
    std::vector<QLineEdit*> boxes(Inp.begin() + 5, Inp.begin() + 10);
    if (art_ != Art::Batch || mode == 1) boxes.push_back(Inp[14]);
    if (mode == 0) boxes.push_back(txtUmsatz);
    if (mode == 1 && txtV) boxes.push_back(txtV);
    if (mode == 2 && txtVPunkt) boxes.push_back(txtVPunkt);
    if (txtLaenge) boxes.push_back(txtLaenge);
    return boxes;
}

void ReaktorFenster::fillEmptyInputs()
{
    const QScopedValueRollback<bool> filling(filling_, true);
    const std::vector<QLineEdit*> results = resultBoxes();
    auto fill = [&](QLineEdit* e, const QString& text) {
        if (e && e->text().isEmpty() && std::find(results.begin(), results.end(), e) == results.end())
            e->setText(text);
    };
    fill(txtUmsatz, " 0.5");
    fill(txtV, " 10");
    fill(txtVPunkt, " 1");
    if (art_ == Art::Batch) fill(Inp[14], SingleText(app().declare().Reaktionszeit));
}

void ReaktorFenster::setResultValid(bool valid)
{
    resultValid_ = valid;
    cmdShowKsi->setEnabled(valid);
    if (!valid) fraKsi->hide();
}

void ReaktorFenster::inputsChanged()
{
    abandon();
    clearResults();
    setResultValid(false);
}

void ReaktorFenster::clearResults()
{
    const QScopedValueRollback<bool> filling(filling_, true);
    for (QLineEdit* e : resultBoxes()) e->clear();
    lblGrenze->clear();
    if (lblZustand) lblZustand->clear();
}

// ---- keys -----------------------------------------------------------------------------------------

bool ReaktorFenster::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmdShowKsi && event->type() == QEvent::EnabledChange) {
        // A result that may be recorded is one whose extents may be shown;
        // the model window's relabelling withdraws both, and the results.
        cmdProtokoll->setEnabled(cmdShowKsi->isEnabled());
        if (!cmdShowKsi->isEnabled()) fraKsi->hide();
        if (resultValid_ && !cmdShowKsi->isEnabledTo(this)) inputsChanged();
    }
    if (event->type() == QEvent::KeyPress)
        if (auto* e = qobject_cast<QLineEdit*>(watched)) {
            const int key = KeyAsciiOf(static_cast<QKeyEvent*>(event));
            if (key >= 0 && key != 3 && key != 22) {
                int handled = key;
                if (!NumKeyFilter(handled)) handled = 0;
                if (handled == 13) {
                    cmdCalc->click();
                    return true;
                }
                return FinishKeyPress(e, key, handled);
            }
        }
    return ModellInputForm::eventFilter(watched, event);
}

void ReaktorFenster::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: (worker_.running() ? cmdStop : cmdClose)->click(); return;
    case Qt::Key_F1: cmdHelp->click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: cmdCalc->click(); return;
    default: ModellInputForm::keyPressEvent(event);
    }
}

// ---- validation -----------------------------------------------------------------------------------

QString ReaktorFenster::ReadAndCheckInputs(ReactorJob& job) const
{
    const Declare& d = app().declare();
    job = ReactorJob{};
    job.m = ReaktorModellAus(d);
    for (int j = 1; j <= 3; ++j) job.m.k[j] = ReadNumber(Inp[std::size_t(9 + j)]->text());
    for (int i = 1; i <= 5; ++i) job.c0[std::size_t(i)] = ReadNumber(Inp[std::size_t(i - 1)]->text());
    job.mode = inputMode();
    job.t = ReadNumber(Inp[14]->text());
    job.e.modus = static_cast<FlussModus>(job.mode);
    job.e.U = ReadNumber(txtUmsatz->text());
    if (txtV) job.e.V = ReadNumber(txtV->text());
    if (txtVPunkt) job.e.Vpunkt = ReadNumber(txtVPunkt->text());
    if (txtQuerschnitt) job.e.querschnitt = ReadNumber(txtQuerschnitt->text());

    const QString nl = Zeilenende();
    QString faults;
    auto fault = [&](const QString& line) { faults += line + nl; };
    for (const std::string& line : ReactorInputFaults(job.m, job.c0)) fault(Q(line));
    if (!IsKatalogModell(job.m.model)) return faults;
    for (const std::string& line : ReactorQuantityFaults(job.e, art_ != Art::Batch, job.t)) fault(Q(line));
    if (job.mode >= 1 && faults.isEmpty()) {
        // The target must lie below the largest conversion; the message names it.
        const std::string nein = UmsatzPruefen(job.m, job.c0, job.e.U, art_ == Art::Kessel);
        if (!nein.empty()) fault(Q(nein));
    }
    return faults;
}

// ---- calculation ----------------------------------------------------------------------------------

void ReaktorFenster::showFailure(const QString& text)
{
    app().services().msgBox(text, MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
}

void ReaktorFenster::cmdCalc_Click()
{
    if (worker_.running()) return; // one calculation at a time
    ReactorJob job;
    const QString faults = ReadAndCheckInputs(job);
    if (!faults.isEmpty()) {
        showFailure(faults);
        return;
    }
    start(job);
}

void ReaktorFenster::cmdStop_Click() { abandon(); }

FlussErgebnis ReaktorFenster::Calculate(Art art, const ReactorJob& job, const ReactorControl& control)
{
    if (art == Art::Batch) {
        FlussErgebnis r;
        static_cast<ReaktorErgebnis&>(r) = job.mode == 0 ? BatchNachZeit(job.m, job.c0, job.t, control)
                                                         : BatchNachUmsatz(job.m, job.c0, job.e.U, control);
        return r;
    }
    return art == Art::Rohr ? Rohrreaktor(job.m, job.c0, job.e, control) : Ruehrkessel(job.m, job.c0, job.e, control);
}

void ReaktorFenster::start(const ReactorJob& job)
{
    const Art art = art_;
    const double limit = timeLimitSeconds;
    worker_.start([this, art, job, limit](const BackgroundJob::Context& c) -> std::function<void()> {
        ReactorControl control;
        control.cancel = &c.cancel;
        control.timeLimitSeconds = limit;
        FlussErgebnis r;
        try {
            r = Calculate(art, job, control);
        } catch (const std::exception& e) {
            r = FlussErgebnis{};
            r.Fehlertext = e.what();
        }
        // Runs in the GUI thread, and only for the run still awaited.
        return [this, job, r] {
            setBusy(false);
            Guarded([&] { showResult(job, r); })();
        };
    });
    setBusy(true);
    cmdStop->setFocus();
}

void ReaktorFenster::abandon()
{
    if (!worker_.running()) return;
    worker_.cancel();
    setBusy(false);
}

void ReaktorFenster::stopWorkers()
{
    abandon();
    worker_.stopAndWait();
}

void ReaktorFenster::setBusy(bool busy)
{
    for (QWidget* w : inputFrames_) w->setEnabled(!busy);
    cmdCalc->setEnabled(!busy);
    cmdStop->setEnabled(busy);
    prgBusy->setVisible(busy);
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void ReaktorFenster::showResult(const ReactorJob& job, const FlussErgebnis& r)
{
    // A failed calculation changes nothing but says why.
    if (!r.ok) {
        if (r.stop != ReactorStop::Cancelled)
            showFailure(art_ == Art::Kessel ? "Error occured" + Zeilenende() + Q(r.Fehlertext) : Q(r.Fehlertext));
        return;
    }
    const ReaktorModell& m = job.m;
    {
        const QScopedValueRollback<bool> filling(filling_, true);
        for (int i = 1; i <= 5; ++i)
            Inp[std::size_t(i + 4)]->setText(SlotInUse(m, i) ? SingleText(r.c[std::size_t(i)]) : QString(" 0"));
        Inp[14]->setText(SingleText(r.zeit));
        txtUmsatz->setText(SingleText(r.U));
        if (txtV) txtV->setText(SingleText(r.V));
        if (txtVPunkt) txtVPunkt->setText(SingleText(r.Vpunkt));
        if (txtLaenge) txtLaenge->setText(SingleText(r.laenge));
    }
    const GrenzUmsatz g = GrenzUmsatzVon(m, job.c0);
    QString grenze = QString("largest conversion U(%1),max =").arg(UmsatzName(m.model)) + SingleText(g.U);
    if (g.gleichgewicht) grenze += "  (equilibrium)";
    else if (g.U < 1) grenze += "  (limiting reactant)";
    lblGrenze->setText(grenze);
    setConversionCaptions();
    if (lblZustand)
        lblZustand->setText(r.anlauf > 0
                                ? "Steady state that the tank reaches when it starts full of feed (settled after" +
                                      SingleText(r.anlauf) + " tau)."
                                : "Steady state found by Newton's method from the batch state after tau (the "
                                  "start-up is too fast to follow).");

    // The rate constants of the result are the shared ones now, kept for the
    // model until another one is picked.
    Declare& d = app().declare();
    for (int j = 1; j <= 3; ++j) d.k[std::size_t(j)] = m.k[j];
    KeepRateConstants(d);
    d.Umsatz = r.U;
    d.Reaktionszeit = r.zeit;
    d.ksi[1] = r.ksi[1];
    d.ksi[2] = r.ksi[2];
    for (int i = 1; i <= 5; ++i) d.cAktuell[std::size_t(i)] = r.c[std::size_t(i)];
    d.ProtokollZeile = ProtokollZeileAus(m, job.c0, r);
    setResultValid(true);
    cmdProtokoll->setEnabled(true);
}

// ---- extents, protocol, closing -------------------------------------------------------------------

void ReaktorFenster::cmdShowKsi_Click()
{
    const Declare& d = app().declare();
    const int n = ReaktionenAnzahl(ReaktorModellAus(d));
    lblTextKsi_1->setText(n == 2 ? "ksi(1) =" + SingleText(d.ksi[1]) : "ksi =" + SingleText(d.ksi[1]));
    lblTextKsi_2->setText("ksi(2) =" + SingleText(d.ksi[2]));
    lblTextKsi_2->setVisible(n == 2);
    fraKsi->show();
}

void ReaktorFenster::cmdProtokoll_Click()
{
    ProtZeileAnhaengen(app().declare());
    cmdProtokoll->setEnabled(false); // one row per result
    frmProtokoll& p = app().show<frmProtokoll>();
    p.Refresh();
    Show(); // the reactor window stays the one to work in
}

void ReaktorFenster::cmdShowProt_Click()
{
    app().show<frmProtokoll>().Refresh();
}

void ReaktorFenster::cmdClose_Click() { Unload(); }

void ReaktorFenster::ShowModelTime(const Declare& d)
{
    Inp[14]->setText(SingleText(d.Reaktionszeit));
}

} // namespace kinhom
