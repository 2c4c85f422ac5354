#include "core/evaluation/fitting.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "core/evaluation/optimiser.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/closedforms.h"
#include "core/kinetics/integrator.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/numtext.h"
#include "core/shell/stopwatch.h"

namespace kinhom {

namespace {

const char* const kSlotName[6] = {"", "A", "B", "C", "P", "Q"};

// The optimiser works on x = kOffset + ln(p) (log scale) or kOffset + p. The
// offset keeps x far from 0, so the relative difference step of the numeric
// derivatives is about the same absolute step (1e-4) everywhere.
constexpr double kOffset = 1000.0;
constexpr double kRelativeStep = 1e-7;
// A free parameter whose column of the Jacobian is below this share of the
// size of the observations moves nothing the fit can see.
constexpr double kResponseFloor = 1e-8;
// Half width of the search box of one pass of the optimiser (optimiser's scale:
// two decades of a positive parameter, 4.6 of the order).
constexpr double kStageWidth = 4.6;
// A search is restarted from its result (at most kRestarts times) while the
// restart lowers the sum of squares by more than this share.
constexpr int kRestarts = 4;
constexpr double kRestartGain = 1e-9;
// Scaled starts begin only within this share of the time bound.
constexpr double kExtraShare = 0.5;
// Searches from scaled starts that end in a result, at most.
constexpr std::size_t kScaledFits = 3;

// The activation energy is searched on a linear scale in units of R*300 K:
// ln k(T) = ln A - EA/(R T) is then linear in the optimiser's two variables,
// and the long valley of A against EA is straight. 0 for the other slots.
double LinearUnit(const FitProblem& p, int slot)
{
    return TaskMode::IsNonIsothermal(p.mode) && slot == 2 ? kFitGasR * 300.0 : 0.0;
}

// The optimiser's variable of a slot's value and back.
double ToInternal(const FitProblem& p, int slot, double v)
{
    if (const double u = LinearUnit(p, slot); u > 0) return kOffset + v / u;
    return kOffset + (p.p[static_cast<std::size_t>(slot)].logScale ? std::log(v) : v);
}
// The value is held within the slot's bounds: the optimiser keeps x within
// their images, but the way back may round past them.
double FromInternal(const FitProblem& p, int slot, double x)
{
    const FitParam& f = p.p[static_cast<std::size_t>(slot)];
    double v = x - kOffset;
    if (const double u = LinearUnit(p, slot); u > 0)
        v *= u;
    else if (f.logScale)
        v = std::exp(v);
    return f.lower <= f.upper ? std::clamp(v, f.lower, f.upper) : v;
}
// d value / d variable at the value v.
double InternalSlope(const FitProblem& p, int slot, double v)
{
    if (const double u = LinearUnit(p, slot); u > 0) return u;
    return p.p[static_cast<std::size_t>(slot)].logScale ? v : 1.0;
}

// One measured value taken into the sum of squares.
struct Beobachtung {
    int punkt = 0;   // index into ExpPunkte
    int serie = 0;   // temperature series (modes 6, 7), else 0
    int stoff = 0;   // species slot 1..5
    double t = 0;
    double y = 0;
};

bool SpeciesInModel(const Declare& d, int s)
{
    return d.Stoffmuster.size() >= static_cast<std::size_t>(s) && d.Stoffmuster[static_cast<std::size_t>(s - 1)] == '1';
}

// The model, evaluated at the measured points for a set of parameter values.
class FitModel {
public:
    FitModel(const Declare& d, const FitProblem& p) : work_(d), p_(p)
    {
        work_.Arbeitsmodus = static_cast<std::uint8_t>(p.mode);
        work_.ModellNr = static_cast<std::int16_t>(p.model);
        work_.MMDiagramm = false;
        // The species of the model itself (the chart's load sets the patterns of
        // its diagram code).
        SetStoffMuster(work_, p.model);
        for (int s = 1; s <= 5; ++s) work_.c0[static_cast<std::size_t>(s)] = p.c0[static_cast<std::size_t>(s)];
        numerisch_ = IstNumerischesModell(p.model);
        const int anzahl = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);

        if (TaskMode::IsNonIsothermal(p.mode)) {
            const int serien = std::min<int>(d.AnzahlTemperaturen, static_cast<int>(d.Temperaturen.size()) - 1);
            for (int j = 1; j <= serien; ++j) {
                serieT_.push_back(d.Temperaturen[static_cast<std::size_t>(j)]);
                serieC0_.push_back(SeriesStartConcA(d, j, p.c0[1]));
                startPunkt_.push_back(StartPoint(d, j));
            }
        }

        double tMax = 0;
        for (int i = 1; i <= anzahl; ++i) {
            const ExpPunkt& e = d.ExpPunkte[static_cast<std::size_t>(i)];
            if (e.exclude != 0 || !(e.t >= 0) || !std::isfinite(e.t)) continue;
            int serie = 0;
            if (TaskMode::IsNonIsothermal(p.mode)) {
                serie = SeriesOfPoint(d, e);
                if (serie == 0 || serie > static_cast<int>(serieT_.size())) continue;
                // The point the series starts from fits itself whatever the parameters.
                if (startPunkt_[static_cast<std::size_t>(serie - 1)] == i) continue;
            }
            for (int s = 1; s <= 5; ++s) {
                if (!p.species[static_cast<std::size_t>(s)] || !SpeciesInModel(work_, s)) continue;
                if (!std::isfinite(e.c[s])) continue;
                obs_.push_back({i, serie, s, e.t, e.c[s]});
                tMax = std::max(tMax, e.t);
            }
        }
        std::stable_sort(obs_.begin(), obs_.end(),
                         [](const Beobachtung& a, const Beobachtung& b) { return a.serie < b.serie; });

        // t(max) of the simulation: the window's, and at least the largest time
        // (as a single that is not below it), so no point is extrapolated.
        float tf = static_cast<float>(tMax);
        if (static_cast<double>(tf) < tMax) tf = std::nextafter(tf, std::numeric_limits<float>::infinity());
        tEnde_ = std::max(tf, p.tEnde);
        if (!(tEnde_ > 0)) tEnde_ = 1;
    }

    int Anzahl() const { return static_cast<int>(obs_.size()); }
    const std::vector<Beobachtung>& Beobachtungen() const { return obs_; }

    // Residuals model - measured at the values (own scale) of slots 1..3.
    // The optimiser and the checks around it ask for the same values more
    // than once (the Jacobian at a start, at a result); each answer costs a
    // simulation, so the last ones are kept.
    bool Residuen(const std::array<double, 4>& v, double* r, std::string* fehler)
    {
        for (const Gemerkt& g : gemerkt_)
            if (g.v == v) {
                std::copy(g.r.begin(), g.r.end(), r);
                return true;
            }
        if (!Berechnen(v, r, fehler)) return false;
        Gemerkt& g = gemerkt_[naechster_++ % gemerkt_.size()];
        g.v = v;
        g.r.assign(r, r + obs_.size());
        return true;
    }

private:
    bool Berechnen(const std::array<double, 4>& v, double* r, std::string* fehler)
    {
        if (TaskMode::IsNonIsothermal(p_.mode)) {
            std::size_t i = 0;
            for (std::size_t j = 0; j < serieT_.size(); ++j) {
                if (i >= obs_.size() || obs_[i].serie != static_cast<int>(j + 1)) continue;
                work_.c0[1] = serieC0_[j];
                work_.k[1] = FitRateConstantAt(v[1], v[2], serieT_[j]);
                if (!std::isfinite(work_.k[1])) return Fehler(fehler, "k(T) is not a finite number.");
                if (!Simulieren(fehler)) return false;
                while (i < obs_.size() && obs_[i].serie == static_cast<int>(j + 1)) {
                    if (!Vergleichen(i, r, fehler)) return false;
                    ++i;
                }
            }
            return true;
        }
        if (p_.mode == TaskMode::FitKAndOrder) {
            work_.k[1] = v[1];
            work_.Ordnung = static_cast<float>(v[2]);
        } else {
            for (int j = 1; j <= 3; ++j)
                if (p_.p[static_cast<std::size_t>(j)].used) work_.k[static_cast<std::size_t>(j)] = v[static_cast<std::size_t>(j)];
        }
        if (!Simulieren(fehler)) return false;
        for (std::size_t i = 0; i < obs_.size(); ++i)
            if (!Vergleichen(i, r, fehler)) return false;
        return true;
    }

    static bool Fehler(std::string* fehler, const std::string& text)
    {
        if (fehler) *fehler = text;
        return false;
    }

    // The point with t = 0 that a series starts from (0: none).
    static int StartPoint(const Declare& d, int serie)
    {
        const int anzahl = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
        for (int i = 1; i <= anzahl; ++i) {
            const ExpPunkt& e = d.ExpPunkte[static_cast<std::size_t>(i)];
            if (e.t < 1e-8 && e.t >= 0 && e.c[1] > 0 && SeriesOfPoint(d, e) == serie) return i;
        }
        return 0;
    }

    // The numerical models need a simulated course to read from; the closed
    // forms are evaluated directly.
    bool Simulieren(std::string* fehler)
    {
        if (!numerisch_) return true;
        work_.tEnde = tEnde_;
        work_.SimAnzahl = kSimIntervals;
        const SimulationsErgebnis erg = calc_diagram_function(work_, p_.model);
        if (erg.failed) return Fehler(fehler, erg.Fehlertext);
        return true;
    }

    bool Vergleichen(std::size_t i, double* r, std::string* fehler)
    {
        const Beobachtung& b = obs_[i];
        // Points come species by species: one evaluation per point.
        if (i == 0 || obs_[i - 1].punkt != b.punkt || obs_[i - 1].serie != b.serie) {
            std::fill(c_.begin(), c_.end(), std::numeric_limits<double>::quiet_NaN());
            bool failed = false;
            std::string text;
            CalcCAtTime(work_, p_.model, b.t, c_, failed, &text);
            if (failed) return Fehler(fehler, text);
        }
        const double m = c_[static_cast<std::size_t>(b.stoff)];
        if (!std::isfinite(m))
            return Fehler(fehler, std::string("The model gives no concentration of ") + kSlotName[b.stoff] +
                                      " at t = " + GenDouble(b.t) + ".");
        r[i] = m - b.y;
        return true;
    }

    Declare work_;
    const FitProblem& p_;
    bool numerisch_ = false;
    float tEnde_ = 0;
    std::vector<Beobachtung> obs_;
    std::vector<double> serieT_, serieC0_;
    std::vector<int> startPunkt_;
    std::vector<double> c_ = std::vector<double>(6, 0.0);
    struct Gemerkt {
        std::array<double, 4> v{std::numeric_limits<double>::quiet_NaN()}; // NaN: empty
        std::vector<double> r;
    };
    std::array<Gemerkt, 16> gemerkt_{};
    std::size_t naechster_ = 0;
};

// The fit's status and text once its stop watch has stopped it.
FitStatus StopStatus(const StopWatch& uhr)
{
    return uhr.Reason() == StopReason::Cancelled ? FitStatus::Cancelled : FitStatus::TimeLimit;
}

std::string StopText(const StopWatch& uhr, const char* what)
{
    if (uhr.Reason() == StopReason::Cancelled) return std::string("The ") + what + " was stopped; the values are unchanged.";
    return std::string("The ") + what + " was stopped after " + GenDouble(uhr.TimeLimit()) +
           " s; the values are unchanged.";
}

// The residual function the optimiser sees: one variable per parameter in use.
struct Kosten {
    FitModel* modell;
    const FitProblem* problem;
    std::vector<int> slots;  // slot of each variable
    std::string* letzterFehler;
    StopWatch* uhr;

    bool operator()(const double* x, double* r) const
    {
        if (uhr->Stopped()) return false;
        std::array<double, 4> v{};
        for (int j = 1; j <= 3; ++j) v[static_cast<std::size_t>(j)] = problem->p[static_cast<std::size_t>(j)].value;
        for (std::size_t b = 0; b < slots.size(); ++b) {
            const FitParam& p = problem->p[static_cast<std::size_t>(slots[b])];
            v[static_cast<std::size_t>(slots[b])] = p.fixed ? p.value : FromInternal(*problem, slots[b], x[b]);
        }
        return modell->Residuen(v, r, letzterFehler);
    }
};

// Cholesky inverse of a small symmetric matrix; -1 on success, else the index
// of the column that is (numerically) dependent on the others.
int InvertSymmetric(std::vector<double>& a, int n)
{
    std::vector<double> l(static_cast<std::size_t>(n * n), 0.0);
    auto A = [&](int i, int j) -> double& { return a[static_cast<std::size_t>(i * n + j)]; };
    auto L = [&](int i, int j) -> double& { return l[static_cast<std::size_t>(i * n + j)]; };
    for (int j = 0; j < n; ++j) {
        double s = A(j, j);
        for (int k = 0; k < j; ++k) s -= L(j, k) * L(j, k);
        if (!(s > 1e-12 * A(j, j)) || !(A(j, j) > 0)) return j;
        L(j, j) = std::sqrt(s);
        for (int i = j + 1; i < n; ++i) {
            double t = A(i, j);
            for (int k = 0; k < j; ++k) t -= L(i, k) * L(j, k);
            L(i, j) = t / L(j, j);
        }
    }
    // inverse of L, then (L^-1)^T L^-1
    std::vector<double> li(static_cast<std::size_t>(n * n), 0.0);
    auto LI = [&](int i, int j) -> double& { return li[static_cast<std::size_t>(i * n + j)]; };
    for (int i = 0; i < n; ++i) {
        LI(i, i) = 1.0 / L(i, i);
        for (int j = 0; j < i; ++j) {
            double s = 0;
            for (int k = j; k < i; ++k) s -= L(i, k) * LI(k, j);
            LI(i, j) = s / L(i, i);
        }
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double s = 0;
            for (int k = std::max(i, j); k < n; ++k) s += LI(k, i) * LI(k, j);
            A(i, j) = s;
        }
    return -1;
}

std::string SlotText(const FitProblem& p, int slot) { return FitParamName(p.mode, p.model, slot); }

// A result that keeps the start values.
FitResult Ergebnis(const FitProblem& p, FitStatus status, std::string text, int slot = 0, int iterations = 0)
{
    FitResult r;
    r.status = status;
    r.statusText = std::move(text);
    r.slot = slot;
    r.iterations = iterations;
    for (int j = 1; j <= 3; ++j) r.value[static_cast<std::size_t>(j)] = p.p[static_cast<std::size_t>(j)].value;
    return r;
}

// The simulation failed: what it said, after `was`.
FitResult Gescheitert(const FitProblem& p, const std::string& was, const std::string& fehler, int iterations = 0)
{
    FitResult r = Ergebnis(p, FitStatus::SimulationFailed, was + fehler, 0, iterations);
    r.fehlerText = fehler;
    return r;
}

std::string NoResponseText(const FitProblem& p, int slot, bool atStart)
{
    return "The model does not respond to " + SlotText(p, slot) +
           (atStart ? " at the start values, so nothing can move. Try other start values."
                    : " near the result: it is not determined by these data.");
}

double Quadratsumme(const std::vector<double>& r)
{
    double ssq = 0;
    for (double v : r) ssq += v * v;
    return ssq;
}

// Why a sum of squares is no number: the measured values are too large.
std::string UeberlaufText(const FitModel& modell)
{
    double groesste = 0;
    for (const Beobachtung& b : modell.Beobachtungen()) groesste = std::max(groesste, std::fabs(b.y));
    return "The sum of squares is too large to be computed: the measured values reach" + StrDouble(groesste) +
           ". Enter the concentrations in a larger unit (smaller numbers).";
}

// Column norms of a Jacobian.
std::vector<double> ColumnNorms(const OptimiserJacobian& j)
{
    std::vector<double> n(static_cast<std::size_t>(j.cols), 0.0);
    for (int r = 0; r < j.rows; ++r)
        for (int c = 0; c < j.cols; ++c) n[static_cast<std::size_t>(c)] += j.At(r, c) * j.At(r, c);
    for (double& v : n) v = std::sqrt(v);
    return n;
}

} // namespace

bool FitSucceeded(FitStatus s)
{
    return s == FitStatus::Converged || s == FitStatus::IterationLimit || s == FitStatus::AtBound;
}

bool FitParamOwnUnit(int mode, int slot, std::string& unit)
{
    if (slot != 2 || !(mode == TaskMode::FitKAndOrder || TaskMode::IsNonIsothermal(mode))) return false;
    unit = mode == TaskMode::FitKAndOrder ? "" : "/(J/mol)";
    return true;
}

double FitRateConstantAt(double A, double EA, double T)
{
    if (!(T > 0)) return std::numeric_limits<double>::quiet_NaN();
    return A * std::exp(-EA / (kFitGasR * T));
}

int SeriesOfPoint(const Declare& d, const ExpPunkt& p)
{
    if (!(p.T > 0)) return 0;
    // The whole table: a point of a temperature beyond the 24 that are drawn
    // and fitted belongs to none of them.
    const int serien = static_cast<int>(d.Temperaturen.size()) - 1;
    int best = 0;
    double abstand = std::numeric_limits<double>::infinity();
    for (int j = 1; j <= serien; ++j) {
        const double a = std::fabs(p.T - d.Temperaturen[static_cast<std::size_t>(j)]);
        if (a < abstand) {
            abstand = a;
            best = j;
        }
    }
    return best;
}

double SeriesStartConcA(const Declare& d, int series, double c0A)
{
    const int anzahl = std::min<int>(d.AnzahlPunkte, static_cast<int>(d.ExpPunkte.size()) - 1);
    for (int i = 1; i <= anzahl; ++i) {
        const ExpPunkt& e = d.ExpPunkte[static_cast<std::size_t>(i)];
        if (e.t < 1e-8 && e.t >= 0 && e.c[1] > 0 && SeriesOfPoint(d, e) == series) return e.c[1];
    }
    return c0A;
}

std::string FitParamName(int mode, int model, int slot)
{
    if (TaskMode::IsNonIsothermal(mode)) return slot == 1 ? "A" : "EA";
    if (mode == TaskMode::FitKAndOrder) return slot == 1 ? "k" : "n";
    switch (model) {
    case 8: case 12: return slot == 1 ? "k>" : "k<";
    case 10: case 15: case 18: return slot == 1 ? "k>" : slot == 2 ? "k<" : "k3";
    case 13: case 14: return slot == 1 ? "k1" : slot == 2 ? "k>" : "k<";
    default: return "k" + std::to_string(slot);
    }
}

FitProblem MakeFitProblem(const Declare& d, int mode)
{
    // The patterns of the model in this mode.
    Declare muster;
    muster.Arbeitsmodus = static_cast<std::uint8_t>(mode);
    SetStoffMuster(muster, d.ModellNr);
    FitProblem p;
    p.mode = mode;
    p.model = d.ModellNr;
    p.tEnde = d.tEnde;
    for (int s = 1; s <= 5; ++s) {
        p.c0[static_cast<std::size_t>(s)] = d.c0[static_cast<std::size_t>(s)];
        p.species[static_cast<std::size_t>(s)] = SpeciesInModel(muster, s) && d.DatenVorhanden[s];
    }
    for (int j = 1; j <= 3; ++j) {
        FitParam& f = p.p[static_cast<std::size_t>(j)];
        f.lower = kMinPositiveParameter;
        f.upper = kMaxPositiveParameter;
        f.logScale = true;
        f.value = d.k[static_cast<std::size_t>(j)];
    }
    if (mode == TaskMode::FitKAndOrder) {
        p.p[1].used = p.p[2].used = true;
        p.p[2].logScale = false;
        p.p[2].lower = 0;
        p.p[2].upper = kMaxFitOrder;
        p.p[2].value = d.Ordnung;
    } else if (TaskMode::IsNonIsothermal(mode)) {
        p.p[1].used = p.p[2].used = true;
        p.p[1].value = d.ArrheniusA;
        p.p[2].value = d.ArrheniusEA;
    } else {
        for (int j = 1; j <= 3; ++j)
            p.p[static_cast<std::size_t>(j)].used = muster.kMuster[static_cast<std::size_t>(j - 1)] == '1';
    }
    return p;
}

bool FitSumOfSquares(const Declare& d, const FitProblem& problem, const std::array<double, 4>& values,
                     double& ssq, int& points, std::string& fehlerText, const FitControl& control)
{
    StopWatch uhr(control.cancel, control.timeLimitSeconds);
    const IntegratorStopTest halt([&uhr] { return uhr.Stopped(); });
    FitModel modell(d, problem);
    points = modell.Anzahl();
    ssq = 0;
    std::vector<double> r(static_cast<std::size_t>(points), 0.0);
    if (points == 0) return true;
    const bool ok = modell.Residuen(values, r.data(), &fehlerText);
    if (uhr.Stopped()) {
        fehlerText = StopText(uhr, "sum of squares");
        return false;
    }
    if (!ok) return false;
    ssq = Quadratsumme(r);
    if (std::isfinite(ssq)) return true;
    fehlerText = UeberlaufText(modell);
    ssq = 0;
    return false;
}

namespace {

// The end of one search: the free parameters (optimiser's scale) and how it ended.
struct Lauf {
    std::vector<double> x;
    double ssq = std::numeric_limits<double>::infinity();
    bool usable = false;    // a finite sum of squares at x
    bool converged = false; // the optimiser's convergence tests hold at x
    bool edge = false;      // the iterations ran out while the box was still moving
    bool plateau = false;   // not searched: the model does not respond at x
};

// The optimiser's problem over the free parameters, searched from one start
// or several; each search (with its restarts) has the iteration limit, all
// share the stop watch. After each iteration of the optimiser the caller
// hears the sum of squares, and the optimiser ends once the caller cancelled
// or the time is up.
class Suche {
public:
    Suche(OptimiserFactory neu, FitModel& modell, const FitProblem& p, const std::vector<int>& slots, StopWatch& uhr,
          const FitControl& control)
        : p_(p), uhr_(uhr),
          problem_(neu(static_cast<int>(slots.size()), modell.Anzahl(), kRelativeStep,
                       Kosten{&modell, &p, slots, &fehler_, &uhr}))
    {
        double* x = problem_->Parameters();
        for (std::size_t b = 0; b < slots.size(); ++b) {
            const FitParam& f = p.p[static_cast<std::size_t>(slots[b])];
            x[b] = ToInternal(p, slots[b], f.value);
            if (f.fixed) {
                problem_->SetConstant(static_cast<int>(b));
                continue;
            }
            unten_.push_back(ToInternal(p, slots[b], f.lower > 0 || !f.logScale ? f.lower : kMinPositiveParameter));
            oben_.push_back(ToInternal(p, slots[b], f.upper));
            frei_.push_back(static_cast<int>(b));
            freieSlots_.push_back(slots[b]);
        }
        boxUnten_ = unten_;
        boxOben_ = oben_;

        // The tests of a careful reference solver on the parameters' own
        // scales: the optimiser's x carries kOffset, so its relative step test
        // is made tighter by that factor (a step of 1e-8 in ln k).
        so_.functionTolerance = 1e-12;
        so_.gradientTolerance = 1e-14;
        so_.parameterTolerance = 1e-8 / kOffset;
        so_.callback = [this, &control](int iteration, double cost) {
            if (control.progress) control.progress(iterationen_ + iteration, 2.0 * cost);
            return !uhr_.Stopped();
        };
    }
    Suche(const Suche&) = delete;
    Suche& operator=(const Suche&) = delete;

    const std::vector<int>& FreieSlots() const { return freieSlots_; }
    std::vector<double> Start() const
    {
        std::vector<double> x;
        for (int b : frei_) x.push_back(problem_->Parameters()[b]);
        return x;
    }
    int Iterationen() const { return iterationen_; }
    const std::string& Fehler() const { return fehler_; }
    // A new search begins: it may take the problem's iteration limit.
    void NeueSuche() { grenze_ = iterationen_ + p_.maxIterations; }

    // Sum of squares (and the Jacobian when asked) at x; false when the
    // model cannot be evaluated there.
    bool Auswerten(const std::vector<double>& x, double& ssq, OptimiserJacobian* jac)
    {
        Setzen(x);
        fehler_.clear();
        double cost = 0;
        if (!problem_->Evaluate(cost, jac)) return false;
        ssq = 2.0 * cost;
        return true;
    }

    // One search from x: the optimiser searches a box of kStageWidth around
    // the current values (inside the parameters' own bounds) and the box
    // moves on while the best point lies on its edge. Without it, a
    // Gauss-Newton step from where the model barely responds (a rate constant
    // decades too small) can jump into a region where it does not respond at
    // all, and stay there.
    Lauf Laufen(const std::vector<double>& start)
    {
        Lauf l;
        Setzen(start);
        bool amRand = true;
        OptimiserSummary summary;
        double* x = problem_->Parameters();
        while (amRand && iterationen_ < grenze_ && !uhr_.Stopped()) {
            for (std::size_t b = 0; b < frei_.size(); ++b) {
                const double xb = x[frei_[b]];
                boxUnten_[b] = std::max(unten_[b], xb - kStageWidth);
                boxOben_[b] = std::min(oben_[b], xb + kStageWidth);
                problem_->SetBounds(frei_[b], boxUnten_[b], boxOben_[b]);
            }
            so_.maxIterations = grenze_ - iterationen_;
            summary = problem_->Solve(so_);
            iterationen_ += summary.iterations;
            if (summary.end != OptimiserEnd::Convergence) break;
            amRand = false;
            for (std::size_t b = 0; b < frei_.size(); ++b) {
                const double xb = x[frei_[b]], lo = boxUnten_[b], hi = boxOben_[b];
                if ((xb <= lo + 1e-9 && lo > unten_[b]) || (xb >= hi - 1e-9 && hi < oben_[b])) amRand = true;
            }
            // A box that can move no further is a result at the edge: an iteration limit.
            if (amRand && iterationen_ >= grenze_) l.edge = true;
        }
        l.x = Start();
        l.usable = summary.usable && std::isfinite(summary.finalCost);
        l.ssq = l.usable ? 2.0 * summary.finalCost : std::numeric_limits<double>::infinity();
        l.converged = summary.end == OptimiserEnd::Convergence && !l.edge;
        return l;
    }

    // Is x on one of the free parameters' own bounds?
    int AmRand(const std::vector<double>& x, bool& unten) const
    {
        for (std::size_t b = 0; b < x.size(); ++b) {
            unten = x[b] <= unten_[b] + 1e-9;
            if (unten || x[b] >= oben_[b] - 1e-9) return freieSlots_[b];
        }
        return 0;
    }

private:
    void Setzen(const std::vector<double>& x)
    {
        for (std::size_t b = 0; b < frei_.size(); ++b) problem_->Parameters()[frei_[b]] = x[b];
    }

    const FitProblem& p_;
    StopWatch& uhr_;
    int iterationen_ = 0;
    int grenze_ = 0; // iterations at which the current search ends
    std::string fehler_;
    std::unique_ptr<OptimiserProblem> problem_;
    std::vector<int> frei_;            // the free parameters among the problem's
    std::vector<int> freieSlots_;
    std::vector<double> unten_, oben_; // of the free parameters, optimiser's scale
    std::vector<double> boxUnten_, boxOben_; // the current search's box
    OptimiserOptions so_;
};

// Does the model respond to every free parameter, each on its own and all
// together? The index of the first free parameter that it does not respond
// to, or -1. jtj receives (J^T J)^-1 on the optimiser's scale.
int OhneAntwort(const OptimiserJacobian& jac, double yNorm, std::vector<double>& jtj)
{
    const std::vector<double> norm = ColumnNorms(jac);
    for (std::size_t c = 0; c < norm.size(); ++c)
        if (!(norm[c] > kResponseFloor * yNorm)) return static_cast<int>(c);
    const int mf = jac.cols;
    jtj.assign(static_cast<std::size_t>(mf * mf), 0.0);
    for (int row = 0; row < jac.rows; ++row)
        for (int a = 0; a < mf; ++a)
            for (int b = 0; b < mf; ++b) jtj[static_cast<std::size_t>(a * mf + b)] += jac.At(row, a) * jac.At(row, b);
    return InvertSymmetric(jtj, mf);
}

// Searches from start unless the model does not respond there (a plateau,
// where the optimiser would only wander), then restarts from the result
// until a restart finds nothing better: the optimiser can stop on a long,
// flat valley floor whose far end is lower. False when the model cannot be
// evaluated at the start.
bool Durchsuchen(Suche& s, const std::vector<double>& start, double yNorm, StopWatch& uhr, Lauf& best)
{
    double ssq = 0;
    OptimiserJacobian jac;
    std::vector<double> jtj;
    if (!s.Auswerten(start, ssq, &jac)) return false;
    best = Lauf{};
    best.x = start;
    best.ssq = ssq;
    best.usable = std::isfinite(ssq);
    best.plateau = true;
    if (!best.usable || OhneAntwort(jac, yNorm, jtj) >= 0) return true;
    s.NeueSuche();
    best = s.Laufen(start);
    for (int neu = 0; neu < kRestarts && best.usable && !uhr.Stopped(); ++neu) {
        Lauf l = s.Laufen(best.x);
        if (!l.usable) break;
        const bool besser = l.ssq < best.ssq * (1 - kRestartGain);
        if (l.ssq <= best.ssq) best = l;
        if (!besser) break;
    }
    return true;
}

// The parameters that scaled starts move: the rate constants and the
// ARRHENIUS factor, not the order and not the activation energy.
bool Skalierbar(const FitProblem& p, int slot)
{
    return p.p[static_cast<std::size_t>(slot)].logScale && !(TaskMode::IsNonIsothermal(p.mode) && slot == 2);
}

// Starts a few decades around `start` on the log scale (the scalable
// parameters together; one and two decades when the result is not in
// doubt), each evaluated. Those whose sum of squares is below the best
// result's (all of them when the result is in doubt) are searched, the lowest
// first, until kScaledFits searches have ended in a result, and the best
// result is kept; while the time lasts.
void SkalierteStarts(Suche& s, const FitProblem& p, const std::vector<double>& start, double yNorm, Lauf& best,
                     StopWatch& uhr, double timeLimit, bool zweifelhaft)
{
    const std::vector<int>& slots = s.FreieSlots();
    std::vector<std::pair<double, std::vector<double>>> starts;
    const std::vector<int> dekaden =
        zweifelhaft ? std::vector<int>{-1, 1, -2, 2, -3, 3, -4, 4} : std::vector<int>{-2, -1, 1, 2};
    for (int e : dekaden) {
        std::vector<double> x = start;
        for (std::size_t b = 0; b < slots.size(); ++b)
            if (Skalierbar(p, slots[b])) x[b] += e * std::log(10.0);
        double ssq = 0;
        if (x == start || uhr.Stopped()) return;
        if (s.Auswerten(x, ssq, nullptr) && std::isfinite(ssq)) starts.emplace_back(ssq, std::move(x));
    }
    std::stable_sort(starts.begin(), starts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    if (!zweifelhaft) {
        std::size_t below = 0;
        while (below < starts.size() && starts[below].first < best.ssq) ++below;
        starts.resize(below);
    }
    std::size_t gesucht = 0;
    for (const auto& [ssq, x] : starts) {
        if (gesucht == kScaledFits || uhr.Stopped() || uhr.Elapsed() > kExtraShare * timeLimit) return;
        Lauf l;
        if (!Durchsuchen(s, x, yNorm, uhr, l) || !l.usable || l.plateau) continue;
        ++gesucht;
        if (l.ssq < best.ssq) best = l;
    }
}

// The result at the best point found: values, standard errors and status.
// ssq, jac and jtj are those at best.x, stumm what OhneAntwort said there.
FitResult Auswertung(const Declare& d, const FitProblem& p, const Suche& suche, const Lauf& best,
                     const FitModel& modell, double ssq, const std::vector<double>& jtj, int stumm)
{
    const int iterationen = suche.Iterationen();
    const std::vector<int>& freieSlots = suche.FreieSlots();
    const int n = modell.Anzahl();
    const int mf = static_cast<int>(freieSlots.size());
    if (!std::isfinite(ssq)) return Ergebnis(p, FitStatus::SimulationFailed, UeberlaufText(modell), 0, iterationen);

    std::array<double, 4> v{};
    for (int j = 1; j <= 3; ++j) v[static_cast<std::size_t>(j)] = p.p[static_cast<std::size_t>(j)].value;
    for (int c = 0; c < mf; ++c) {
        const int slot = freieSlots[static_cast<std::size_t>(c)];
        v[static_cast<std::size_t>(slot)] = FromInternal(p, slot, best.x[static_cast<std::size_t>(c)]);
        if (!std::isfinite(v[static_cast<std::size_t>(slot)]))
            return Ergebnis(p, FitStatus::SimulationFailed, "The fit ended at a value that is not a finite number.",
                            slot, iterationen);
    }
    // No response where the search never left the start: the start values
    // lie on a plateau; elsewhere the data do not determine the parameter.
    if (stumm >= 0) {
        const int slot = freieSlots[static_cast<std::size_t>(stumm)];
        return Ergebnis(p, FitStatus::NoResponse, NoResponseText(p, slot, best.plateau), slot, iterationen);
    }
    const auto at = [mf](int r, int c) { return static_cast<std::size_t>(r * mf + c); };

    FitResult res = Ergebnis(p, FitStatus::Converged, "Converged.", 0, iterationen);
    res.value = v;
    res.SSQ = ssq;
    res.points = n;
    res.freeParameters = mf;
    const double s2 = ssq / static_cast<double>(n - mf);
    for (int c = 0; c < mf; ++c) {
        const int slot = freieSlots[static_cast<std::size_t>(c)];
        const double se = std::sqrt(s2 * jtj[at(c, c)]);
        res.stdError[static_cast<std::size_t>(slot)] = se * InternalSlope(p, slot, v[static_cast<std::size_t>(slot)]);
    }
    if (!best.converged) {
        res.status = FitStatus::IterationLimit;
        res.statusText = "Max. number of iterations reached.";
    }
    if (bool unten = false; const int slot = suche.AmRand(best.x, unten)) {
        const FitParam& f = p.p[static_cast<std::size_t>(slot)];
        res.status = FitStatus::AtBound;
        res.slot = slot;
        res.statusText = "The parameter " + SlotText(p, slot) + " stopped at its " + (unten ? "lower" : "upper") +
                         " bound" + StrDouble(unten ? f.lower : f.upper) + ".";
    }

    if (TaskMode::IsNonIsothermal(p.mode)) {
        const int serien = std::min<int>(d.AnzahlTemperaturen, static_cast<int>(d.Temperaturen.size()) - 1);
        res.kAtTemperature.assign(static_cast<std::size_t>(std::max(serien, 0)) + 1, 0.0);
        for (int j = 1; j <= serien; ++j)
            res.kAtTemperature[static_cast<std::size_t>(j)] =
                FitRateConstantAt(v[1], v[2], d.Temperaturen[static_cast<std::size_t>(j)]);
    }
    return res;
}

} // namespace

FitResult MarquardtNashFitting(const Declare& d, const FitProblem& problem, const FitControl& control)
{
    const FitProblem& p = problem;
    StopWatch uhr(control.cancel, control.timeLimitSeconds);
    // A slow simulation (huge trial rate constants) ends early once stopped.
    const IntegratorStopTest halt([&uhr] { return uhr.Stopped(); });
    const bool knownMode = p.mode == TaskMode::FitK || p.mode == TaskMode::FitKAndOrder ||
                           p.mode == TaskMode::NonIsothermalFirstOrder || p.mode == TaskMode::NonIsothermalSecondOrder;
    if (!knownMode || !IsKatalogModell(p.model))
        return Ergebnis(p, FitStatus::InvalidInput, "There is no fit for this model and task.");

    // Start values inside their bounds.
    std::vector<int> slots;
    int frei = 0;
    for (int j = 1; j <= 3; ++j) {
        const FitParam& f = p.p[static_cast<std::size_t>(j)];
        if (!f.used) continue;
        if (!std::isfinite(f.value) || f.value < f.lower || f.value > f.upper || (f.logScale && !(f.value > 0)))
            return Ergebnis(p, FitStatus::InvalidInput,
                            "The start value of " + SlotText(p, j) + " must lie between" + StrDouble(f.lower) +
                                " and" + StrDouble(f.upper) + ".",
                            j);
        slots.push_back(j);
        if (!f.fixed) ++frei;
    }
    if (frei == 0)
        return Ergebnis(p, FitStatus::NoFreeParameter, "Every parameter is fixed: there is nothing to fit.");
    for (int s = 1; s <= 5; ++s)
        if (!std::isfinite(p.c0[static_cast<std::size_t>(s)]) || p.c0[static_cast<std::size_t>(s)] < 0)
            return Ergebnis(p, FitStatus::InvalidInput,
                            std::string("The start concentration of ") + kSlotName[s] + " is not valid.");

    FitModel modell(d, p);
    const int n = modell.Anzahl();
    if (n <= frei)
        return Ergebnis(p, FitStatus::TooFewPoints,
                        "Not enough measured values: " + std::to_string(frei) + " free parameter(s) need at least " +
                            std::to_string(frei + 1) + " active values of the chosen species; there are " +
                            std::to_string(n) + ".");

    double yNorm = 0;
    for (const Beobachtung& b : modell.Beobachtungen()) yNorm += b.y * b.y;
    yNorm = std::max(std::sqrt(yNorm), std::numeric_limits<double>::min());

    const OptimiserModule& optimiser = LoadOptimiser();
    if (!optimiser.create) return Ergebnis(p, FitStatus::InvalidInput, optimiser.message);
    Suche suche(optimiser.create, modell, p, slots, uhr, control);
    const std::vector<double> start = suche.Start();

    // The search from the start, then scaled starts: all of them where the
    // search ends in doubt (the start on a plateau where the model does not
    // respond, no convergence, no response at the result, a bound reached),
    // else those one or two decades away that are already lower.
    Lauf best;
    const bool auswertbarAmStart = Durchsuchen(suche, start, yNorm, uhr, best);
    if (uhr.Stopped()) return Ergebnis(p, StopStatus(uhr), StopText(uhr, "fit"), 0, suche.Iterationen());
    if (!auswertbarAmStart) return Gescheitert(p, "The simulation failed at the start values: ", suche.Fehler());
    if (best.plateau && !best.usable) return Ergebnis(p, FitStatus::InvalidInput, UeberlaufText(modell));
    double ssq = 0;
    OptimiserJacobian jac;
    std::vector<double> jtj;
    int stumm = -1;
    bool auswertbar = false;
    auto bewerten = [&] {
        auswertbar = best.usable && suche.Auswerten(best.x, ssq, &jac);
        stumm = auswertbar ? OhneAntwort(jac, yNorm, jtj) : -1;
    };
    bewerten();
    bool unten = false;
    const bool zweifelhaft = !auswertbar || !best.converged || stumm >= 0 || suche.AmRand(best.x, unten) != 0;
    if (!uhr.Stopped()) {
        const std::vector<double> vorher = best.x;
        SkalierteStarts(suche, p, start, yNorm, best, uhr, control.timeLimitSeconds, zweifelhaft);
        if (best.x != vorher) bewerten();
    }

    const int iterationen = suche.Iterationen();
    if (uhr.Stopped()) return Ergebnis(p, StopStatus(uhr), StopText(uhr, "fit"), 0, iterationen);
    if (!best.usable || !auswertbar)
        return Gescheitert(p, "The fit failed: ",
                           suche.Fehler().empty() ? std::string("no usable point was found.") : suche.Fehler(),
                           iterationen);
    return Auswertung(d, p, suche, best, modell, ssq, jtj, stumm);
}

std::string FitResultText(const FitResult& r, const FitProblem& p, const Declare& d,
                          const std::array<std::string, 4>& units)
{
    const std::string nl = d.CRLF.empty() ? std::string("\r\n") : d.CRLF;
    std::string t;
    if (!FitSucceeded(r.status)) return "Fit not possible:" + nl + r.statusText;
    for (int j = 1; j <= 3; ++j) {
        const FitParam& f = p.p[static_cast<std::size_t>(j)];
        if (!f.used) continue;
        t += SlotText(p, j) + " =" + StrSingle(static_cast<float>(r.value[static_cast<std::size_t>(j)]));
        if (f.fixed)
            t += "  (fixed)";
        else
            t += "  +/-" + StrSingle(static_cast<float>(r.stdError[static_cast<std::size_t>(j)]));
        if (!units[static_cast<std::size_t>(j)].empty()) t += "  " + units[static_cast<std::size_t>(j)];
        t += nl;
    }
    if (TaskMode::IsNonIsothermal(p.mode))
        for (std::size_t j = 1; j < r.kAtTemperature.size() && j < d.Temperaturen.size(); ++j)
            t += "k(T/K = " + GenSingle(d.Temperaturen[j]) + ") =" +
                 StrSingle(static_cast<float>(r.kAtTemperature[j])) + nl;
    t += "SSQ =" + StrSingle(static_cast<float>(r.SSQ)) + ";  values used: " +
         std::to_string(r.points) + ";  iterations: " + std::to_string(r.iterations) + nl;
    t += r.statusText;
    return t;
}

} // namespace kinhom
