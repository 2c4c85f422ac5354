#include "ui/reactors/reaktorfenster.h"

#include <cmath>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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

QString Zahl(double v) { return Q(StrSingle(static_cast<float>(v))); }

QString Zeilenende()
{
    const std::string& crlf = app().declare().CRLF;
    return Q(crlf.empty() ? std::string("\r\n") : crlf);
}

bool NichtPositiv(double v) { return !(v > 0) || !std::isfinite(v); }

} // namespace

ReaktorFenster::ReaktorFenster(Art art, QWidget* parent) : ModellInputForm(parent), art_(art)
{
    const bool fluss = art != Art::Batch;
    auto label = [this](const char* name, const QString& text, int index = -1) { return NamedLabel(name, text, index); };
    auto box = [this](const char* name, int index = -1) {
        QLineEdit* e = NumberBox(name, index, 100);
        connect(e, &QLineEdit::textChanged, this, Guarded([this] {
                    if (!filling_) setResultValid(false);
                }));
        return e;
    };
    QFont bold = font();
    bold.setBold(true);

    Label7 = label("Label7", QString());
    Label7->setFont(bold);

    // Input mode.
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

    picReaktor = new ReaktorBild(art == Art::Batch  ? ReaktorBild::Art::Batch
                                 : art == Art::Rohr ? ReaktorBild::Art::Rohr
                                                    : ReaktorBild::Art::Kessel,
                                 this);

    // Concentrations: start (or feed) and final (or outlet).
    auto* fraKonz = new QGroupBox("Concentrations  c(i) / (mol/l)", this);
    fraKonz->setObjectName("fraKonz");
    auto* konz = new QGridLayout(fraKonz);
    konz->addWidget(new QLabel(art == Art::Batch ? "initial" : "inlet", fraKonz), 0, 1);
    konz->addWidget(new QLabel(art == Art::Batch ? "final" : "outlet", fraKonz), 0, 3);
    const char* const species[] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        lblStoff[std::size_t(i)] = label("lblStoff", species[i], i);
        lblStoff[std::size_t(i)]->setFont(bold);
        Inp[std::size_t(i)] = box("Inp", i);
        lblStoff[std::size_t(i + 5)] = label("lblStoff", species[i], i + 5);
        lblStoff[std::size_t(i + 5)]->setFont(bold);
        Inp[std::size_t(i + 5)] = box("Inp", i + 5);
        Inp[std::size_t(i + 5)]->setReadOnly(true);
        konz->addWidget(lblStoff[std::size_t(i)], i + 1, 0, Qt::AlignRight);
        konz->addWidget(Inp[std::size_t(i)], i + 1, 1);
        konz->addWidget(lblStoff[std::size_t(i + 5)], i + 1, 2, Qt::AlignRight);
        konz->addWidget(Inp[std::size_t(i + 5)], i + 1, 3);
    }
    konz->setColumnStretch(4, 1);
    konz->setRowStretch(6, 1);

    // Rate constants.
    auto* fraK = new QGroupBox("Rate constant(s)", this);
    fraK->setObjectName("fraK");
    auto* rates = new QGridLayout(fraK);
    QLabel** units[] = {&unit1, &unit2, &unit3};
    for (int j = 0; j < 3; ++j) {
        Bz[std::size_t(5 + j)] = label("Bz", QString("k%1").arg(j + 1), 5 + j);
        Inp[std::size_t(10 + j)] = box("Inp", 10 + j);
        *units[j] = label(QString("unit%1").arg(j + 1).toLatin1().constData(), "/(1/s)");
        rates->addWidget(Bz[std::size_t(5 + j)], j, 0, Qt::AlignRight);
        rates->addWidget(Inp[std::size_t(10 + j)], j, 1);
        rates->addWidget(*units[j], j, 2);
    }
    rates->setColumnStretch(2, 1);
    rates->setRowStretch(3, 1);

    // The reactor's own quantities.
    auto* fraReaktor = new QGroupBox(art == Art::Batch ? "Batch reactor" : "Reactor and flow", this);
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
        txtV = box("txtV");
        zeile(label("lblV", "V / m^3"), txtV, nullptr);
        txtVPunkt = box("txtVPunkt");
        lblVPunktInput = label("lblVPunktInput", "V* /m^3/s");
        zeile(lblVPunktInput, txtVPunkt, nullptr);
        if (art == Art::Rohr) {
            txtQuerschnitt = box("txtQuerschnitt");
            txtQuerschnitt->setToolTip("cross-section of the tube; 0: no length is computed");
            zeile(label("lblQuerschnitt", "cross-section / m^2"), txtQuerschnitt, nullptr);
            txtLaenge = box("txtLaenge");
            txtLaenge->setReadOnly(true);
            zeile(label("lblLaenge", "length l / m"), txtLaenge, nullptr);
        }
    }
    // Controls of the shared layout that this window does not use: Inp(13),
    // and the volume-flow caption of the batch reactor.
    Inp[13] = box("Inp", 13);
    Inp[13]->hide();
    if (!fluss) {
        lblVPunktInput = label("lblVPunktInput", QString());
        lblVPunktInput->hide();
    }
    Inp[14] = box("Inp", 14);
    lblTau = label("lblTau", fluss ? "tau = V/V*  /" : "t /");
    lblZeitEinheit = label("lblZeitEinheit", "s");
    zeile(lblTau, Inp[14], lblZeitEinheit);
    txtUmsatz = box("txtUmsatz");
    lblUmsatz = label("lblUmsatz", "U(A) =");
    zeile(lblUmsatz, txtUmsatz, nullptr);
    lblGrenze = label("lblGrenze", QString());
    lblGrenze->setWordWrap(true);
    reaktor->addWidget(lblGrenze, row++, 0, 1, 3);
    reaktor->setColumnStretch(2, 1);
    reaktor->setRowStretch(row, 1);

    // Extents of reaction.
    cmdShowKsi = new QPushButton("Extent of reaction  ksi", this);
    cmdShowKsi->setObjectName("cmdShowKsi");
    cmdShowKsi->setEnabled(false);
    cmdShowKsi->installEventFilter(this);
    auto* ksi = new QGroupBox("ksi / (mol/l)", this);
    ksi->setObjectName("fraKsi");
    fraKsi = ksi;
    auto* ksiLayout = new QVBoxLayout(ksi);
    lblTextKsi_1 = label("lblTextKsi_1", QString());
    lblTextKsi_2 = label("lblTextKsi_2", QString());
    ksiLayout->addWidget(lblTextKsi_1);
    ksiLayout->addWidget(lblTextKsi_2);
    ksi->hide();

    if (art == Art::Kessel) {
        lblZustand = label("lblZustand", QString());
        lblZustand->setWordWrap(true);
    }

    // Commands.
    cmdCalc = new QPushButton("Calculate", this);
    cmdCalc->setObjectName("cmdCalc");
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
    for (QPushButton* b : {cmdCalc, cmdProtokoll, cmdShowProt, cmdHelp, cmdClose, cmdShowKsi})
        b->setAutoDefault(true);
    connect(cmdCalc, &QPushButton::clicked, this, Guarded([this] { cmdCalc_Click(); }));
    connect(cmdShowKsi, &QPushButton::clicked, this, Guarded([this] { cmdShowKsi_Click(); }));
    connect(cmdProtokoll, &QPushButton::clicked, this, Guarded([this] { cmdProtokoll_Click(); }));
    connect(cmdShowProt, &QPushButton::clicked, this, Guarded([this] { cmdShowProt_Click(); }));
    connect(cmdHelp, &QPushButton::clicked, this, Guarded([this] { app().services().showHelp(HelpContextID()); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));

    auto* commands = new QVBoxLayout;
    commands->addWidget(cmdCalc);
    commands->addWidget(cmdProtokoll);
    commands->addWidget(cmdShowProt);
    commands->addStretch(1);
    commands->addWidget(cmdHelp);
    commands->addWidget(cmdClose);

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
    setConversionCaptions();
}

int ReaktorFenster::HelpContextID() const
{
    switch (art_) {
    case Art::Batch: return 10600;
    case Art::Rohr: return 10610;
    case Art::Kessel: return 10620;
    }
    return 10270;
}

std::int16_t& ReaktorFenster::inputMode()
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
    if (txtV && txtV->text().isEmpty()) txtV->setText(" 10");
    if (txtVPunkt && txtVPunkt->text().isEmpty()) txtVPunkt->setText(" 1");
    if (txtQuerschnitt && txtQuerschnitt->text().isEmpty()) txtQuerschnitt->setText(" 0.1");
    if (txtUmsatz->text().isEmpty()) txtUmsatz->setText(" 0.5");
    // The stirred tank's time box is not written by the model window.
    if (art_ == Art::Kessel && Inp[14]->text().isEmpty()) Inp[14]->setText(" 0");
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
    setEditable();
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

void ReaktorFenster::setResultValid(bool valid)
{
    cmdShowKsi->setEnabled(valid);
    if (!valid) fraKsi->hide();
}

// ---- keys -----------------------------------------------------------------------------------------

bool ReaktorFenster::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cmdShowKsi && event->type() == QEvent::EnabledChange) {
        // A result that may be recorded is one whose extents may be shown;
        // the model window's relabelling withdraws both.
        cmdProtokoll->setEnabled(cmdShowKsi->isEnabled());
        if (!cmdShowKsi->isEnabled()) fraKsi->hide();
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
    case Qt::Key_Escape: cmdClose->click(); return;
    case Qt::Key_F1: cmdHelp->click(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: cmdCalc->click(); return;
    default: ModellInputForm::keyPressEvent(event);
    }
}

// ---- validation -----------------------------------------------------------------------------------

QString ReaktorFenster::ReadAndCheckInputs()
{
    Declare& d = app().declare();
    for (int j = 1; j <= 3; ++j) d.k[std::size_t(j)] = ReadNumber(Inp[std::size_t(9 + j)]->text());

    const QString nl = Zeilenende();
    QString faults;
    auto fault = [&](const QString& line) { faults += line + nl; };
    const int model = d.ModellNr;
    if (!IsKatalogModell(model)) {
        fault("- first select a kinetic model");
        return faults;
    }
    Konzentrationen c0{};
    for (int i = 1; i <= 5; ++i) c0[std::size_t(i)] = ReadNumber(Inp[std::size_t(i - 1)]->text());

    auto name = [this](int slot) { return lblStoff[std::size_t(slot - 1)]->text(); };
    if (NichtPositiv(c0[1])) fault("- not yet given an initial concentration c(" + name(1) + ")(0)");
    if (!Inp[1]->isHidden() && NichtPositiv(c0[2])) fault("- not yet given an initial concentration c(" + name(2) + ")(0)");
    for (int i = 3; i <= 5; ++i)
        if (!Inp[std::size_t(i - 1)]->isHidden() && (c0[std::size_t(i)] < 0 || !std::isfinite(c0[std::size_t(i)])))
            fault("- the initial concentration c(" + name(i) + ")(0) must not be negative");
    if ((model == 5 || model == 16) && NichtPositiv(c0[4]))
        fault("- for autocatalysis a (very small) initial concentation c(P)(0) has to be given");
    if (model == 20 && (d.Ordnung < 0 || !std::isfinite(d.Ordnung))) fault("- allowed only n > 0");
    if (NichtPositiv(d.k[1])) fault("- the rate constant has to be k1 > 0");
    for (int j = 2; j <= 3; ++j)
        if (!Inp[std::size_t(9 + j)]->isHidden() && (d.k[std::size_t(j)] < 0 || !std::isfinite(d.k[std::size_t(j)])))
            fault(QString("- the rate constant has to be k%1 >= 0").arg(j));

    const int mode = inputMode();
    if (art_ == Art::Batch && mode == 0 && NichtPositiv(ReadNumber(Inp[14]->text())))
        fault("- specification of time not in order");
    if (art_ != Art::Batch) {
        if (mode != 1 && NichtPositiv(ReadNumber(txtV->text()))) fault("- the volume V has to be > 0");
        if (mode != 2 && NichtPositiv(ReadNumber(txtVPunkt->text()))) fault("- the volume flow V* has to be > 0");
        if (txtQuerschnitt) {
            const double q = ReadNumber(txtQuerschnitt->text());
            if (q < 0 || !std::isfinite(q)) fault("- the cross-section has to be > 0 (0: no length)");
        }
    }
    if (mode >= 1 && faults.isEmpty()) {
        // The target must lie below the largest conversion; the message names it.
        const std::string nein = UmsatzPruefen(ReaktorModellAus(d), c0, ReadNumber(txtUmsatz->text()));
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
    const QString faults = ReadAndCheckInputs();
    if (!faults.isEmpty()) {
        app().services().msgBox(faults, MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
        return;
    }
    calculate();
}

void ReaktorFenster::calculate()
{
    Declare& d = app().declare();
    const ReaktorModell m = ReaktorModellAus(d);
    Konzentrationen c0{};
    for (int i = 1; i <= 5; ++i) c0[std::size_t(i)] = ReadNumber(Inp[std::size_t(i - 1)]->text());
    const int mode = inputMode();
    const double U = ReadNumber(txtUmsatz->text());

    FlussErgebnis r;
    {
        BusyCursor busy;
        if (art_ == Art::Batch) {
            static_cast<ReaktorErgebnis&>(r) =
                mode == 0 ? BatchNachZeit(m, c0, ReadNumber(Inp[14]->text())) : BatchNachUmsatz(m, c0, U);
        } else {
            FlussEingabe e;
            e.modus = static_cast<FlussModus>(mode);
            e.V = ReadNumber(txtV->text());
            e.Vpunkt = ReadNumber(txtVPunkt->text());
            e.U = U;
            e.querschnitt = txtQuerschnitt ? ReadNumber(txtQuerschnitt->text()) : 0;
            r = art_ == Art::Rohr ? Rohrreaktor(m, c0, e) : Ruehrkessel(m, c0, e);
        }
    }
    if (!r.ok) {
        setResultValid(false);
        showFailure(art_ == Art::Kessel ? "Error occured" + Zeilenende() + Q(r.Fehlertext) : Q(r.Fehlertext));
        return;
    }

    const bool fluss = art_ != Art::Batch;
    const std::vector<double> zeile = ProtokollZeileAus(c0, r.c, m.k, r.U, r.zeit, r.laenge, fluss ? r.V : 0.0,
                                                        fluss ? r.Vpunkt : 0.0, r.ksi);
    // The boxes and the protocol keep numbers in single precision.
    for (double v : zeile)
        if (!FitsSingle(v)) {
            setResultValid(false);
            showFailure("A result lies beyond the range of the numbers shown (about 3.4E+38)." + Zeilenende() +
                        "Check the units of the inputs.");
            return;
        }

    filling_ = true;
    for (int i = 1; i <= 5; ++i)
        Inp[std::size_t(i + 4)]->setText(Zahl(m.stoffmuster[std::size_t(i - 1)] == '1' ? r.c[std::size_t(i)] : 0.0));
    Inp[14]->setText(Zahl(r.zeit));
    txtUmsatz->setText(Zahl(r.U));
    if (txtV) txtV->setText(Zahl(r.V));
    if (txtVPunkt) txtVPunkt->setText(Zahl(r.Vpunkt));
    if (txtLaenge) txtLaenge->setText(Zahl(r.laenge));
    filling_ = false;

    const GrenzUmsatz g = GrenzUmsatzVon(m, c0);
    QString grenze = QString("largest conversion U(%1),max =").arg(UmsatzName(m.model)) + Zahl(g.U);
    if (g.gleichgewicht) grenze += "  (equilibrium)";
    else if (g.U < 1) grenze += "  (limiting reactant)";
    lblGrenze->setText(grenze);
    setConversionCaptions();
    if (lblZustand)
        lblZustand->setText(r.anlauf > 0
                                ? "Steady state that the tank reaches when it starts full of feed (settled after" +
                                      Zahl(r.anlauf) + " tau)."
                                : "Steady state found by Newton's method from the batch state after tau (the "
                                  "start-up is too fast to follow).");

    d.Umsatz = r.U;
    d.Reaktionszeit = r.zeit;
    d.ksi[1] = r.ksi[1];
    d.ksi[2] = r.ksi[2];
    for (int i = 1; i <= 5; ++i) d.cAktuell[std::size_t(i)] = r.c[std::size_t(i)];
    d.ProtokollZeile = zeile;
    setResultValid(true);
    cmdProtokoll->setEnabled(true);
}

// ---- extents, protocol, closing -------------------------------------------------------------------

void ReaktorFenster::cmdShowKsi_Click()
{
    const Declare& d = app().declare();
    const int n = ReaktionenAnzahl(ReaktorModellAus(d));
    lblTextKsi_1->setText(n == 2 ? "ksi(1) =" + Zahl(d.ksi[1]) : "ksi =" + Zahl(d.ksi[1]));
    lblTextKsi_2->setText("ksi(2) =" + Zahl(d.ksi[2]));
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

} // namespace kinhom
