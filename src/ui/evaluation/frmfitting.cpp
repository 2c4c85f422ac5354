#include "ui/evaluation/frmfitting.h"

#include <cmath>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "core/evaluation/fitstart.h"
#include "core/kinetics/inputrules.h"
#include "core/kinetics/simulation.h"
#include "core/shell/numtext.h"
#include "core/shell/unitlabels.h"
#include "core/shell/utilities.h"
#include "ui/chart/frmgraph2d.h"
#include "ui/kinetics/inputkeys.h"
#include "ui/shell/application.h"
#include "ui/shell/formnames.h"
#include "ui/shell/guarded.h"
#include "ui/shell/qtext.h"

namespace kinhom {

namespace {

const char* const kExecutionNotPossible = "Execution not possible";
const char* const kFitTitle = " k-Fitting manual / automatic";
const char* const kFitStopped = "The fit was stopped; the values are unchanged.";
// Help page of the window.
constexpr int kHelpFitting = 10700;
// Slider: 1000 steps; a logarithmic one spans two decades either side of its
// centre, the order's slider 0 to the order's upper limit.
constexpr int kSliderSteps = 1000;
constexpr double kSliderDecades = 2.0;

bool Shown(const QWidget* w) { return w && !w->isHidden(); }

// Sets a flag for the length of a scope.
struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
};

} // namespace

frmFitting::frmFitting(QWidget* parent) : ModellInputForm(parent)
{
    setObjectName(names::frmFitting);
    setWindowTitle(kFitTitle);

    Label7 = NamedLabel("Label7", QString());
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);

    BuildConcentrationPanel(bold);
    BuildParameterPanel();

    lblSSQ = NamedLabel("lblSSQ", "SSQ =");
    txtErgebnis = new QPlainTextEdit(this);
    txtErgebnis->setObjectName("txtErgebnis");
    txtErgebnis->setReadOnly(true);
    txtErgebnis->setMinimumHeight(110);
    txtErgebnis->setTabChangesFocus(true);

    QGridLayout* commands = BuildCommands();
    ArrangePanels(commands);
    SetTabChain();
}

QLineEdit* frmFitting::InputBox(int index)
{
    QLineEdit* e = NumberBox("Inp", index, 112);
    if (index >= 10 && index <= 12)
        connect(e, &QLineEdit::textChanged, this, Guarded([this, index] { Inp_Change(index); }));
    connect(e, &QLineEdit::textEdited, this, Guarded([this, index] { Inp_Edited(index); }));
    return e;
}

// Start concentrations and the species of the sum of squares.
void frmFitting::BuildConcentrationPanel(const QFont& bold)
{
    fraKonz = new QGroupBox("Initial conc.  [c(i)(0)] = mol/l", this);
    fraKonz->setObjectName("fraKonz");
    auto* conc = new QGridLayout(fraKonz);
    const char* species[] = {"A", "B", "C", "P", "Q"};
    conc->addWidget(new QLabel("in SSQ", fraKonz), 0, 2);
    for (int i = 0; i < 5; ++i) {
        lblStoff[std::size_t(i)] = NamedLabel("lblStoff", species[i], i);
        lblStoff[std::size_t(i)]->setFont(bold);
        conc->addWidget(lblStoff[std::size_t(i)], i + 1, 0, Qt::AlignRight);
        conc->addWidget(InputBox(i), i + 1, 1);
        auto* chk = new QCheckBox(this);
        NameControl(chk, "chkConcFQS", i + 1);
        chk->setToolTip(QString("take the measured c(%1) into the sum of squares").arg(species[i]));
        chkConcFQS[std::size_t(i + 1)] = chk;
        // A tick by the user redraws; ShowModel ticks them for the model without a redraw.
        connect(chk, &QCheckBox::clicked, this, Guarded([this] { Redraw(); }));
        conc->addWidget(chk, i + 1, 2, Qt::AlignHCenter);
    }
    conc->setColumnStretch(3, 1);
}

// The parameters: value, unit, slider, fixed; then the end time.
void frmFitting::BuildParameterPanel()
{
    fraParameter = new QGroupBox("Parameters", this);
    fraParameter->setObjectName("fraParameter");
    auto* par = new QGridLayout(fraParameter);
    const char* captions[] = {"k1", "k2", "k3"};
    QLabel** units[] = {&unit1, &unit2, &unit3};
    for (int j = 1; j <= 3; ++j) {
        Bz[std::size_t(4 + j)] = NamedLabel("Bz", captions[j - 1], 4 + j);
        *units[j - 1] = NamedLabel(QString("unit%1").arg(j).toLatin1().constData(), "/(1/s)");
        auto* slider = new QSlider(Qt::Horizontal, this);
        NameControl(slider, "scrParameter", j);
        slider->setRange(0, kSliderSteps);
        slider->setToolTip("manual fitting: move to change the parameter; the curves follow");
        scrParameter[std::size_t(j)] = slider;
        connect(slider, &QSlider::valueChanged, this, Guarded([this, j] { scrParameter_Change(j); }));
        auto* fixed = new QCheckBox("fixed", this);
        NameControl(fixed, "chkFixed", j);
        fixed->setToolTip("the automatic fit keeps this value");
        chkFixed[std::size_t(j)] = fixed;
        // A row with the value, and the slider below it.
        const int row = 2 * (j - 1);
        par->addWidget(Bz[std::size_t(4 + j)], row, 0, Qt::AlignRight);
        par->addWidget(InputBox(9 + j), row, 1);
        par->addWidget(*units[j - 1], row, 2);
        par->addWidget(fixed, row, 3, Qt::AlignRight);
        par->addWidget(slider, row + 1, 1, 1, 3);
    }
    lblTmax = NamedLabel("lblTmax", "t(max)/");
    lblZeitEinheit = NamedLabel("lblZeitEinheit", "s");
    par->addWidget(lblTmax, 6, 0, Qt::AlignRight);
    par->addWidget(InputBox(14), 6, 1);
    par->addWidget(lblZeitEinheit, 6, 2);
    par->setColumnStretch(2, 1);
    // The volume-flow caption of the shared layout: the fitting has no flow.
    lblVPunktInput = NamedLabel("lblVPunktInput", QString());
    lblVPunktInput->hide();
}

// One column beside the chart window: parameters, start concentrations,
// commands, the sum of squares and the result of the fit.
void frmFitting::ArrangePanels(QGridLayout* commands)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addWidget(Label7);
    layout->addWidget(fraParameter);
    layout->addWidget(fraKonz);
    layout->addLayout(commands);
    layout->addWidget(lblSSQ);
    layout->addWidget(txtErgebnis, 1);
}

// Tab goes through the boxes in the order they are shown.
void frmFitting::SetTabChain()
{
    std::vector<QWidget*> order;
    for (int j = 1; j <= 3; ++j)
        order.insert(order.end(), {Inp[std::size_t(9 + j)], chkFixed[std::size_t(j)], scrParameter[std::size_t(j)]});
    order.push_back(Inp[14]);
    for (int i = 0; i < 5; ++i)
        order.insert(order.end(), {Inp[std::size_t(i)], chkConcFQS[std::size_t(i + 1)]});
    order.insert(order.end(), {cmdFit, cmdStop, cmdDrawNewCurve, cmdHelp, cmdClose, txtErgebnis});
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

// The command buttons in two rows.
QGridLayout* frmFitting::BuildCommands()
{
    cmdFit = new QPushButton("automatic fit", this);
    cmdFit->setObjectName("cmdFit");
    cmdFit->setToolTip("Levenberg-Marquardt fit of the parameters that are not fixed");
    cmdDrawNewCurve = new QPushButton("Draw curve(s)", this);
    cmdDrawNewCurve->setObjectName(names::cmdDrawNewCurve);
    cmdHelp = new QPushButton("Help", this);
    cmdHelp->setObjectName("cmdHelp");
    cmdClose = new QPushButton("Close <Esc>", this);
    cmdClose->setObjectName("cmdClose");
    cmdStop = new QPushButton("Stop <Esc>", this);
    cmdStop->setObjectName("cmdStop");
    cmdStop->setToolTip("stops the running fit or sum of squares; the values stay as they were");
    cmdStop->setEnabled(false);
    for (QPushButton* b : {cmdFit, cmdStop, cmdDrawNewCurve, cmdHelp, cmdClose})
        b->setAutoDefault(true);
    connect(cmdFit, &QPushButton::clicked, this, Guarded([this] { cmdFit_Click(); }));
    connect(cmdStop, &QPushButton::clicked, this, Guarded([this] { cmdStop_Click(); }));
    connect(cmdDrawNewCurve, &QPushButton::clicked, this, Guarded([this] { cmdDrawNewCurve_Click(); }));
    connect(cmdHelp, &QPushButton::clicked, this, Guarded([this] { cmdHelp_Click(); }));
    connect(cmdClose, &QPushButton::clicked, this, Guarded([this] { cmdClose_Click(); }));

    auto* commands = new QGridLayout;
    commands->addWidget(cmdFit, 0, 0);
    commands->addWidget(cmdStop, 0, 1);
    commands->addWidget(cmdDrawNewCurve, 0, 2);
    commands->addWidget(cmdHelp, 1, 0);
    commands->addWidget(cmdClose, 1, 2);
    return commands;
}

// ---- load and activation ----------------------------------------------------------------------

void frmFitting::Form_Load()
{
    Declare& d = app().declare();
    if (QWidget* f = frame())
        f->resize(f->sizeHint().expandedTo(QSize(440, 700)));
    Move(0, 0);
    cmdDrawNewCurve->setDefault(true);
    // The curves reach the last measured point: t(max), which the model
    // window writes into Inp(14) after this load, is at least the data's.
    if (!(d.tEnde >= d.tMaxExp) && std::isfinite(d.tMaxExp))
        d.tEnde = ToSingle(d.tMaxExp);
}

void frmFitting::Form_Unload(int& Cancel)
{
    (void)Cancel;
    job_.stopAndWait();
    fitRunning_ = false;
}

void frmFitting::TakeStartValuesFromData()
{
    Declare& d = app().declare();
    TakeFitStartValuesFromData(d);
    for (int i = 0; i < 5; ++i)
        if (Shown(Inp[std::size_t(i)]))
            Inp[std::size_t(i)]->setText(SingleText(d.c0[std::size_t(i + 1)]));
    Inp[10]->setText(SingleText(RateConstantBoxValues(d)[0]));
    Inp[14]->setText(SingleText(d.tEnde));
}

void frmFitting::Form_Activate()
{
    app().SetUnitLabels();
    for (int j = 1; j <= 3; ++j)
        SyncParameterRow(j);
}

// ---- the parameter rows -------------------------------------------------------------------------

bool frmFitting::LogSlider(int slot) const
{
    return !(app().declare().Arbeitsmodus == TaskMode::FitKAndOrder && slot == 2);
}

void frmFitting::CentreSlider(int slot, double value)
{
    QSlider* s = scrParameter[std::size_t(slot)];
    settingSlider_ = true;
    if (LogSlider(slot)) {
        sliderCentre_[std::size_t(slot)] = value > 0 && std::isfinite(value) ? value : 1.0;
        s->setValue(kSliderSteps / 2);
    } else {
        const double v = std::clamp(std::isfinite(value) ? value : 0.0, 0.0, kMaxFitOrder);
        s->setValue(int(std::lround(v / kMaxFitOrder * kSliderSteps)));
    }
    settingSlider_ = false;
}

double frmFitting::SliderValue(int slot) const
{
    const int pos = scrParameter[std::size_t(slot)]->value();
    if (!LogSlider(slot))
        return kMaxFitOrder * pos / kSliderSteps;
    const double decades = kSliderDecades * (pos - kSliderSteps / 2) / (kSliderSteps / 2);
    return sliderCentre_[std::size_t(slot)] * std::pow(10.0, decades);
}

// The slider and the tick of a parameter follow the visibility of its box,
// which the model window sets.
void frmFitting::SyncParameterRow(int slot)
{
    const bool v = Shown(Inp[std::size_t(9 + slot)]);
    scrParameter[std::size_t(slot)]->setVisible(v);
    chkFixed[std::size_t(slot)]->setVisible(v);
}

void frmFitting::scrParameter_Change(int Index)
{
    if (settingSlider_)
        return;
    {
        // The slider keeps its place while it writes the box.
        Running fromSlider(fromSlider_);
        Inp[std::size_t(9 + Index)]->setText(SingleText(SliderValue(Index)));
    }
    Redraw();
}

void frmFitting::Inp_Change(int Index)
{
    double v = 0;
    if (!fromSlider_ && ValFits(S(Inp[std::size_t(Index)]->text()), v))
        CentreSlider(Index - 9, v);
}

void frmFitting::Inp_Edited(int Index)
{
    (void)Index;
    // Sound inputs redraw; faulty ones leave the SSQ line empty, never showing
    // the sum of other values.
    Redraw();
}

std::array<std::string, 4> frmFitting::Units() const
{
    std::array<std::string, 4> u;
    const QLabel* labels[] = {unit1, unit2, unit3};
    for (int j = 1; j <= 3; ++j)
        u[std::size_t(j)] = Shown(labels[j - 1]) ? S(labels[j - 1]->text()) : std::string();
    return u;
}

// ---- inputs ---------------------------------------------------------------------------------------

QString frmFitting::ReadAndCheckInputs(FitProblem& p) const
{
    const Declare& d = app().declare();
    const int mode = d.Arbeitsmodus;
    p = MakeFitProblem(d, mode);
    for (int i = 1; i <= 5; ++i) {
        p.c0[std::size_t(i)] = Shown(Inp[std::size_t(i - 1)]) ? ReadNumber(Inp[std::size_t(i - 1)]->text()) : 0.0;
        QCheckBox* c = chkConcFQS[std::size_t(i)];
        p.species[std::size_t(i)] = !c->isHidden() && c->isEnabled() && c->isChecked();
    }
    for (int j = 1; j <= 3; ++j) {
        FitParam& f = p.p[std::size_t(j)];
        f.used = f.used && Shown(Inp[std::size_t(9 + j)]);
        f.value = ReadNumber(Inp[std::size_t(9 + j)]->text());
        f.fixed = chkFixed[std::size_t(j)]->isChecked();
    }
    p.tEnde = ToSingle(ReadNumber(Inp[14]->text()));

    const QString nl = Q(d.CRLF.empty() ? std::string("\r\n") : d.CRLF);
    QString faults;
    auto fault = [&](const QString& line) { faults += line + nl; };
    auto bad = [](double v) { return !(v > 0) || !std::isfinite(v); };

    if (bad(p.c0[1]))
        fault("- not yet given an initial concentration c(A)(0)");
    if (Shown(Inp[1]) && bad(p.c0[2]))
        fault(d.ModellNr == 10 ? "- not yet given an initial concentration c(S)(0)"
                               : "- not yet given an initial concentration c(B)(0)");
    if ((p.model == 5 || p.model == 16) && bad(p.c0[4]))
        fault("- for autocatalysis a (very small) initial concentation c(P)(0) has to be given");
    if (bad(p.tEnde))
        fault("- specification of time not in order");
    for (int j = 1; j <= 3; ++j) {
        const FitParam& f = p.p[std::size_t(j)];
        if (!f.used)
            continue;
        const QString name = Q(FitParamName(mode, p.model, j));
        if (mode == TaskMode::FitKAndOrder && j == 2) {
            if (!(f.value >= 0 && f.value <= kMaxFitOrder))
                fault(QString("- the order of reaction has to be 0 <= n <=") + Q(StrDouble(kMaxFitOrder)));
        } else if (TaskMode::IsNonIsothermal(mode) && j == 1) {
            if (bad(f.value))
                fault("- the ARRHENIUS factor has to be A > 0");
        } else if (TaskMode::IsNonIsothermal(mode) && j == 2) {
            if (bad(f.value))
                fault("- the activation energy has to be EA > 0");
        } else if (bad(f.value)) {
            fault("- the rate constant has to be " + name + " > 0");
        }
    }
    if (TaskMode::IsNonIsothermal(mode) && d.AnzahlTemperaturen < 1)
        fault("- no temperatures in the measured data");
    return faults;
}

// ---- drawing ----------------------------------------------------------------------------------------

bool frmFitting::DrawCurves(const FitProblem& p, bool quiet)
{
    App& a = app();
    Declare& d = a.declare();
    Services& services = a.services();
    const bool nonIsothermal = TaskMode::IsNonIsothermal(p.mode);

    // The shared state takes the window's values, as the simulation windows do.
    for (int i = 1; i <= 5; ++i)
        d.c0[std::size_t(i)] = p.c0[std::size_t(i)];
    d.tEnde = p.tEnde;
    d.SimAnzahl = kSimIntervals;
    if (p.mode == TaskMode::FitKAndOrder) {
        d.k[1] = p.p[1].value;
        d.Ordnung = ToSingle(p.p[2].value);
        // The model line names the order the curves are drawn with.
        Label7->setText(Q(ModelLine(d)));
    } else if (nonIsothermal) {
        d.ArrheniusA = p.p[1].value;
        d.ArrheniusEA = p.p[2].value;
    } else {
        for (int j = 1; j <= 3; ++j)
            if (p.p[std::size_t(j)].used)
                d.k[std::size_t(j)] = p.p[std::size_t(j)].value;
    }
    // The window draws the model's courses.
    d.DiagrammTyp = d.ModellNr;
    d.MMDiagramm = false;

    // The curves of the previous redraw go first.
    frmGraph2D* chart = a.find<frmGraph2D>();
    if (chart && chart == drawnOn_)
        for (int slot : drawnSlots_)
            if (slot >= 1 && slot <= kMaxKurven && !chart->freeSlots()[std::size_t(slot)])
                chart->DeleteCurves(slot);
    drawnSlots_.clear();
    KurvenSlots before{};
    before.fill(true);
    if (chart && d.KurvenAnzahl != 0)
        before = chart->freeSlots();

    const int passes = nonIsothermal ? d.AnzahlTemperaturen : 1;
    bool ok = true;
    BusyCursor busy;
    for (int i = 1; i <= passes; ++i) {
        if (nonIsothermal) {
            d.c0[1] = SeriesStartConcA(d, i, p.c0[1]);
            d.k[1] = FitRateConstantAt(p.p[1].value, p.p[2].value, d.Temperaturen[std::size_t(i)]);
        }
        const SimulationsErgebnis result = calc_diagram_function(d, d.ModellNr);
        if (result.failed) {
            ok = false;
            if (!quiet)
                services.msgBox(Q(result.Fehlertext), MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
            break;
        }
        frmGraph2D& g = SetDiagramTitles();
        g.DrawCurves();
        chart = &g;
    }
    if (nonIsothermal)
        d.c0[1] = p.c0[1];

    // Remember the slots this redraw filled.
    if (chart) {
        for (int s = 1; s <= kMaxKurven; ++s)
            if (before[std::size_t(s)] && !chart->freeSlots()[std::size_t(s)])
                drawnSlots_.push_back(s);
        drawnOn_ = chart;
    }
    return ok;
}

// ---- computations off the user-interface thread -------------------------------------------------

namespace {

std::array<double, 4> Values(const FitProblem& p)
{
    std::array<double, 4> v{};
    for (int j = 1; j <= 3; ++j)
        v[std::size_t(j)] = p.p[std::size_t(j)].value;
    return v;
}

} // namespace

bool frmFitting::InputsUnchanged(const FitProblem& problem, const Declare& data) const
{
    const Declare& d = app().declare();
    FitProblem now;
    return ReadAndCheckInputs(now).isEmpty() && now == problem && d.Zeiteinheit == data.Zeiteinheit &&
           SameMeasuredPoints(d, MeasuredPoints(data));
}

void frmFitting::UpdateRunningState()
{
    const bool fit = FitRunning();
    for (QWidget* w : {static_cast<QWidget*>(fraParameter), static_cast<QWidget*>(fraKonz),
                       static_cast<QWidget*>(cmdFit), static_cast<QWidget*>(cmdDrawNewCurve)})
        w->setEnabled(!fit);
    cmdStop->setEnabled(job_.running());
}

void frmFitting::StartSumOfSquares(const FitProblem& p)
{
    auto data = std::make_shared<const Declare>(app().declare());
    // What the boxes show now (after a fit, single-precision texts of the values
    // p holds): the sum is shown only while they still show it.
    FitProblem shown;
    const bool sound = ReadAndCheckInputs(shown).isEmpty();
    lblSSQ->setText("SSQ = ...   (computing)");
    fitRunning_ = false;
    job_.start([this, data, p, shown, sound](const BackgroundJob::Context& c) -> std::function<void()> {
        FitControl control;
        control.cancel = &c.cancel;
        double ssq = 0;
        int points = 0;
        std::string error;
        const bool ok = FitSumOfSquares(*data, p, Values(p), ssq, points, error, control);
        return [this, data, shown, sound, ok, ssq, points, error] {
            UpdateRunningState();
            // Values edited since are not what this sum belongs to.
            if (!sound || !InputsUnchanged(shown, *data)) {
                lblSSQ->setText("SSQ =");
                return;
            }
            ShowSSQ(ok, ssq, points, error);
        };
    });
    UpdateRunningState();
}

void frmFitting::ShowSSQ(bool ok, double ssq, int points, const std::string& error)
{
    if (ok)
        lblSSQ->setText("SSQ =" + SingleText(ssq) + QString("   (%1 measured values)").arg(points));
    else
        lblSSQ->setText("SSQ: " + (error.empty() ? QString("the sum of squares exceeds the number range")
                                                 : Q(error)));
}

void frmFitting::Redraw()
{
    if (FitRunning())
        return;
    FitProblem p;
    if (!ReadAndCheckInputs(p).isEmpty()) {
        job_.cancel();
        UpdateRunningState();
        lblSSQ->setText("SSQ =");
        return;
    }
    DrawCurves(p, true);
    StartSumOfSquares(p);
}

void frmFitting::cmdDrawNewCurve_Click()
{
    if (FitRunning())
        return;
    FitProblem p;
    const QString faults = ReadAndCheckInputs(p);
    if (!faults.isEmpty()) {
        app().services().msgBox(faults, MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
        return;
    }
    DrawCurves(p, false);
    StartSumOfSquares(p);
}

void frmFitting::cmdFit_Click()
{
    App& a = app();
    if (FitRunning())
        return;
    FitProblem p;
    const QString faults = ReadAndCheckInputs(p);
    if (!faults.isEmpty()) {
        a.services().msgBox(faults, MsgButtons::OK, MsgIcon::Critical, kExecutionNotPossible);
        return;
    }
    // A sum of squares still on its way is superseded; its line is computed afresh afterwards.
    ssqBeforeFit_ = job_.running() ? QString() : lblSSQ->text();
    auto data = std::make_shared<const Declare>(a.declare());
    fitRunning_ = true;
    job_.start([this, data, p](const BackgroundJob::Context& c) -> std::function<void()> {
        FitControl control;
        control.cancel = &c.cancel;
        control.progress = [post = c.post, this](int iteration, double ssq) {
            post([this, iteration, ssq] { ShowFitProgress(iteration, ssq); });
        };
        FitResult r = MarquardtNashFitting(*data, p, control);
        return [this, data, p, r = std::move(r)] { FitFinished(r, p, *data); };
    });
    lblSSQ->setText("automatic fit: starting ...");
    UpdateRunningState();
}

void frmFitting::ShowFitProgress(int iteration, double ssq)
{
    lblSSQ->setText(QString("automatic fit: iteration %1,  SSQ =").arg(iteration) + SingleText(ssq));
}

void frmFitting::FitFinished(const FitResult& r, const FitProblem& started, const Declare& data)
{
    App& a = app();
    Declare& d = a.declare();
    fitRunning_ = false;
    UpdateRunningState();
    auto restoreSSQ = [this] {
        FitProblem now;
        if (ssqBeforeFit_.isEmpty() && ReadAndCheckInputs(now).isEmpty())
            StartSumOfSquares(now);
        else
            lblSSQ->setText(ssqBeforeFit_.isEmpty() ? QString("SSQ =") : ssqBeforeFit_);
    };
    txtErgebnis->setPlainText(Q(FitResultText(r, started, data, Units())));
    if (!FitSucceeded(r.status)) {
        // The window keeps its values.
        restoreSSQ();
        a.services().msgBox(Q(r.statusText), MsgButtons::OK, MsgIcon::Exclamation, kFitTitle);
        return;
    }
    if (!InputsUnchanged(started, data)) {
        restoreSSQ();
        a.services().msgBox("The inputs or the measured data changed while the fit ran; its result was not applied.",
                            MsgButtons::OK, MsgIcon::Exclamation, kFitTitle);
        return;
    }
    FitProblem p = started;
    for (int j = 1; j <= 3; ++j) {
        FitParam& f = p.p[std::size_t(j)];
        if (!f.used)
            continue;
        f.value = r.value[std::size_t(j)];
        d.FitParameter[std::size_t(j)] = f.value;
        Inp[std::size_t(9 + j)]->setText(SingleText(f.value));
    }
    DrawCurves(p, false);
    StartSumOfSquares(p);
}

void frmFitting::cmdStop_Click()
{
    if (!job_.running())
        return;
    const bool fit = fitRunning_;
    job_.cancel();
    fitRunning_ = false;
    UpdateRunningState();
    if (fit) {
        lblSSQ->setText(ssqBeforeFit_.isEmpty() ? QString("SSQ =") : ssqBeforeFit_);
        txtErgebnis->setPlainText(kFitStopped);
    } else {
        lblSSQ->setText("SSQ: stopped");
    }
}

bool frmFitting::SetNamedCaption(const QString& name, const QString& text)
{
    (void)text;
    const Declare& d = app().declare();
    if (name != "unit1" || d.Arbeitsmodus != TaskMode::FitKAndOrder)
        return false;
    unit1->setText(Q(MakeUnitTexts(d.Zeiteinheit).Kn));
    return true;
}

void frmFitting::cmdHelp_Click() { app().services().showHelp(HelpContextID()); }

int frmFitting::HelpContextID() const { return kHelpFitting; }

void frmFitting::cmdClose_Click() { Unload(); }

// ---- keys -----------------------------------------------------------------------------------------

bool frmFitting::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    for (int i = 0; i < int(Inp.size()); ++i) {
        QLineEdit* box = Inp[std::size_t(i)];
        if (!box || watched != box)
            continue;
        if ((type == QEvent::ShowToParent || type == QEvent::HideToParent) && i >= 10 && i <= 12)
            SyncParameterRow(i - 9);
        if (type == QEvent::KeyPress) {
            const int key = KeyAsciiOf(static_cast<QKeyEvent*>(event));
            if (key < 0 || key == 3 || key == 22)
                break;
            int handled = key;
            if (!NumKeyFilter(handled))
                handled = 0;
            if (key == 13) {
                // Enter draws.
                cmdDrawNewCurve->click();
                return true;
            }
            return FinishKeyPress(box, key, handled);
        }
        break;
    }
    return ModellInputForm::eventFilter(watched, event);
}

void frmFitting::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // Esc stops a running computation; otherwise it closes the window.
        if (job_.running())
            cmdStop->click();
        else
            cmdClose->click();
        return;
    case Qt::Key_F1:
        cmdHelp->click();
        return;
    default:
        ModellInputForm::keyPressEvent(event);
    }
}

void frmFitting::ShowModel(Declare& d)
{
    ModellInputForm::ShowModel(d);
    for (int i = 1; i <= 5; ++i) {
        QCheckBox* c = chkConcFQS[std::size_t(i)];
        c->setVisible(SpeciesInUse(d, i));
        c->setEnabled(d.DatenVorhanden[i]);
        if (c->isEnabled())
            c->setChecked(true);
    }
}

bool frmFitting::OwnUnitParameter(int j) const
{
    std::string unit;
    return FitParamOwnUnit(app().declare().Arbeitsmodus, j, unit);
}

} // namespace kinhom
