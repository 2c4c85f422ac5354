#include "core/evaluation/fitting.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>

#include <ceres/ceres.h>

#include "core/kinetics/calcattime.h"
#include "core/kinetics/closedforms.h"
#include "core/kinetics/integrator.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/numtext.h"

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

double ToInternal(const FitParam& p, double v) { return kOffset + (p.logScale ? std::log(v) : v); }
double FromInternal(const FitParam& p, double x) { return p.logScale ? std::exp(x - kOffset) : x - kOffset; }

// One measured value taken into the sum of squares.
struct Beobachtung {
    int punkt = 0;   // index into ExpPunkte
    int serie = 0;   // temperature series (modes 6, 7), else 0
    int stoff = 0;   // species slot 1..5
    double t = 0;
    double y = 0;
};

bool NonIsothermal(int mode) { return mode == 6 || mode == 7; }

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

        if (NonIsothermal(p.mode)) {
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
            if (NonIsothermal(p.mode)) {
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
    bool Residuen(const std::array<double, 4>& v, double* r, std::string* fehler)
    {
        if (NonIsothermal(p_.mode)) {
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
        if (p_.mode == 2) {
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

private:
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
};

// The caller's cancel flag and the time bound, asked between evaluations.
class StopWatch {
public:
    explicit StopWatch(const FitControl& c) : control_(c), start_(std::chrono::steady_clock::now()) {}

    // True once the caller cancelled or the time is up; the reason stays.
    bool Stopped()
    {
        if (status_ != FitStatus::Converged) return true;
        if (control_.cancel && control_.cancel->load(std::memory_order_relaxed))
            status_ = FitStatus::Cancelled;
        else if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count() >
                 control_.timeLimitSeconds)
            status_ = FitStatus::TimeLimit;
        return status_ != FitStatus::Converged;
    }
    FitStatus Status() const { return status_; }
    std::string Text(const char* what) const
    {
        if (status_ == FitStatus::Cancelled) return std::string("The ") + what + " was stopped; the values are unchanged.";
        return std::string("The ") + what + " was stopped after " + GenDouble(control_.timeLimitSeconds) +
               " s; the values are unchanged.";
    }

private:
    const FitControl& control_;
    std::chrono::steady_clock::time_point start_;
    FitStatus status_ = FitStatus::Converged; // Converged: still running
};

// The cost function the optimiser sees: one block of size 1 per parameter in use.
struct Kosten {
    FitModel* modell;
    const FitProblem* problem;
    std::vector<int> slots;  // slot of each parameter block
    std::string* letzterFehler;
    StopWatch* uhr;

    bool operator()(double const* const* x, double* r) const
    {
        if (uhr->Stopped()) return false;
        std::array<double, 4> v{};
        for (int j = 1; j <= 3; ++j) v[static_cast<std::size_t>(j)] = problem->p[static_cast<std::size_t>(j)].value;
        for (std::size_t b = 0; b < slots.size(); ++b) {
            const FitParam& p = problem->p[static_cast<std::size_t>(slots[b])];
            v[static_cast<std::size_t>(slots[b])] = p.fixed ? p.value : FromInternal(p, x[b][0]);
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

// Column norms of a dense Jacobian (rows x cols).
std::vector<double> ColumnNorms(const ceres::CRSMatrix& j)
{
    std::vector<double> n(static_cast<std::size_t>(j.num_cols), 0.0);
    for (int r = 0; r < j.num_rows; ++r)
        for (int k = j.rows[static_cast<std::size_t>(r)]; k < j.rows[static_cast<std::size_t>(r) + 1]; ++k)
            n[static_cast<std::size_t>(j.cols[static_cast<std::size_t>(k)])] +=
                j.values[static_cast<std::size_t>(k)] * j.values[static_cast<std::size_t>(k)];
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
    if (slot != 2 || !(mode == 2 || NonIsothermal(mode))) return false;
    unit = mode == 2 ? "" : "/(J/mol)";
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
    if (NonIsothermal(mode)) return slot == 1 ? "A" : "EA";
    if (mode == 2) return slot == 1 ? "k" : "n";
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
    if (mode == 2) {
        p.p[1].used = p.p[2].used = true;
        p.p[2].logScale = false;
        p.p[2].lower = 0;
        p.p[2].upper = kMaxFitOrder;
        p.p[2].value = d.Ordnung;
    } else if (NonIsothermal(mode)) {
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
    StopWatch uhr(control);
    FitModel modell(d, problem);
    points = modell.Anzahl();
    ssq = 0;
    std::vector<double> r(static_cast<std::size_t>(points), 0.0);
    if (points == 0) return true;
    const bool ok = modell.Residuen(values, r.data(), &fehlerText);
    if (uhr.Stopped()) {
        fehlerText = uhr.Text("sum of squares");
        return false;
    }
    if (!ok) return false;
    for (double v : r) ssq += v * v;
    return std::isfinite(ssq);
}

// Ends the optimiser's run once the caller cancelled or the time is up, and
// reports each iteration's sum of squares to the caller.
class StopCallback : public ceres::IterationCallback {
public:
    StopCallback(StopWatch& uhr, const FitControl& c, int& done) : uhr_(uhr), control_(c), done_(done) {}
    ceres::CallbackReturnType operator()(const ceres::IterationSummary& s) override
    {
        if (control_.progress) control_.progress(done_ + s.iteration, 2.0 * s.cost);
        return uhr_.Stopped() ? ceres::SOLVER_ABORT : ceres::SOLVER_CONTINUE;
    }

private:
    StopWatch& uhr_;
    const FitControl& control_;
    int& done_;
};

FitResult MarquardtNashFitting(const Declare& d, const FitProblem& problem, const FitControl& control)
{
    const FitProblem& p = problem;
    StopWatch uhr(control);
    if (!(p.mode == 1 || p.mode == 2 || NonIsothermal(p.mode)) || !IsKatalogModell(p.model))
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

    // The model must be computable at the start values.
    std::vector<double> r(static_cast<std::size_t>(n), 0.0);
    std::string fehler;
    {
        std::array<double, 4> v{};
        for (int j = 1; j <= 3; ++j) v[static_cast<std::size_t>(j)] = p.p[static_cast<std::size_t>(j)].value;
        if (!modell.Residuen(v, r.data(), &fehler))
            return Gescheitert(p, "The simulation failed at the start values: ", fehler);
    }
    double yNorm = 0;
    for (const Beobachtung& b : modell.Beobachtungen()) yNorm += b.y * b.y;
    yNorm = std::max(std::sqrt(yNorm), std::numeric_limits<double>::min());

    // ---- the problem for the optimiser ------------------------------------------------
    std::array<double, 4> x{};
    std::string letzterFehler;
    ceres::NumericDiffOptions diff;
    diff.relative_step_size = kRelativeStep;
    auto* kosten = new ceres::DynamicNumericDiffCostFunction<Kosten, ceres::CENTRAL>(
        new Kosten{&modell, &p, slots, &letzterFehler, &uhr}, ceres::TAKE_OWNERSHIP, diff);
    std::vector<double*> bloecke, freieBloecke;
    std::vector<int> freieSlots;
    std::vector<double> untereGrenze, obereGrenze; // of the free blocks, optimiser's scale
    for (int j : slots) {
        const FitParam& f = p.p[static_cast<std::size_t>(j)];
        x[static_cast<std::size_t>(j)] = ToInternal(f, f.value);
        kosten->AddParameterBlock(1);
        bloecke.push_back(&x[static_cast<std::size_t>(j)]);
    }
    kosten->SetNumResiduals(n);
    ceres::Problem::Options po;
    ceres::Problem problemC(po);
    problemC.AddResidualBlock(kosten, nullptr, bloecke);
    for (std::size_t b = 0; b < slots.size(); ++b) {
        const FitParam& f = p.p[static_cast<std::size_t>(slots[b])];
        if (f.fixed) {
            problemC.SetParameterBlockConstant(bloecke[b]);
            continue;
        }
        untereGrenze.push_back(ToInternal(f, f.lower > 0 || !f.logScale ? f.lower : kMinPositiveParameter));
        obereGrenze.push_back(ToInternal(f, f.upper));
        freieBloecke.push_back(bloecke[b]);
        freieSlots.push_back(slots[b]);
    }
    ceres::Problem::EvaluateOptions eo;
    eo.parameter_blocks = freieBloecke;

    // Does the model respond to each free parameter at the start?
    {
        ceres::CRSMatrix j;
        if (!problemC.Evaluate(eo, nullptr, nullptr, nullptr, &j)) {
            if (uhr.Stopped()) return Ergebnis(p, uhr.Status(), uhr.Text("fit"));
            return Gescheitert(p, "The simulation failed near the start values: ", letzterFehler);
        }
        const std::vector<double> norm = ColumnNorms(j);
        for (std::size_t c = 0; c < norm.size(); ++c)
            if (!(norm[c] > kResponseFloor * yNorm))
                return Ergebnis(p, FitStatus::NoResponse, NoResponseText(p, freieSlots[c], true), freieSlots[c]);
    }

    ceres::Solver::Options so;
    so.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
    so.linear_solver_type = ceres::DENSE_QR;
    so.function_tolerance = 1e-10;
    so.gradient_tolerance = 1e-12;
    so.parameter_tolerance = 1e-9;
    so.logging_type = ceres::SILENT;
    so.minimizer_progress_to_stdout = false;
    so.num_threads = 1;
    int iterationen = 0;
    StopCallback stopCallback(uhr, control, iterationen);
    so.callbacks.push_back(&stopCallback);

    // The optimiser searches a box of kStageWidth around the current values
    // (inside the parameters' own bounds) and the box moves on while the best
    // point lies on its edge. Without it, a Gauss-Newton step from where the
    // model barely responds (a rate constant decades too small) can jump into
    // a region where it does not respond at all, and stay there.
    const std::size_t m = freieBloecke.size();
    bool amRand = true, grenzeErreicht = false;
    ceres::Solver::Summary summary;
    while (amRand && iterationen < p.maxIterations) {
        for (std::size_t b = 0; b < m; ++b) {
            problemC.SetParameterLowerBound(freieBloecke[b], 0, std::max(untereGrenze[b], *freieBloecke[b] - kStageWidth));
            problemC.SetParameterUpperBound(freieBloecke[b], 0, std::min(obereGrenze[b], *freieBloecke[b] + kStageWidth));
        }
        so.max_num_iterations = p.maxIterations - iterationen;
        ceres::Solve(so, &problemC, &summary);
        iterationen += std::max(0, static_cast<int>(summary.iterations.size()) - 1);
        if (summary.termination_type != ceres::CONVERGENCE) break;
        amRand = false;
        for (std::size_t b = 0; b < m; ++b) {
            const double xb = *freieBloecke[b];
            const double lo = problemC.GetParameterLowerBound(freieBloecke[b], 0);
            const double hi = problemC.GetParameterUpperBound(freieBloecke[b], 0);
            if ((xb <= lo + 1e-9 && lo > untereGrenze[b]) || (xb >= hi - 1e-9 && hi < obereGrenze[b])) amRand = true;
        }
        // A box that can move no further is a result at the edge: an iteration limit.
        if (amRand && iterationen >= p.maxIterations) grenzeErreicht = true;
    }

    if (uhr.Stopped()) return Ergebnis(p, uhr.Status(), uhr.Text("fit"), 0, iterationen);
    FitResult res = Ergebnis(p, FitStatus::Converged, "Converged.");
    res.iterations = iterationen;
    res.points = n;
    res.freeParameters = frei;
    if (summary.termination_type == ceres::FAILURE || summary.termination_type == ceres::USER_FAILURE ||
        !summary.IsSolutionUsable()) {
        return Gescheitert(p, "The fit failed: ", letzterFehler.empty() ? summary.message : letzterFehler,
                           iterationen);
    }

    // ---- the result at the optimum ------------------------------------------------------
    std::array<double, 4> v{};
    for (int j = 1; j <= 3; ++j) {
        const FitParam& f = p.p[static_cast<std::size_t>(j)];
        v[static_cast<std::size_t>(j)] = !f.used || f.fixed ? f.value : FromInternal(f, x[static_cast<std::size_t>(j)]);
        if (!std::isfinite(v[static_cast<std::size_t>(j)]))
            return Ergebnis(p, FitStatus::SimulationFailed, "The fit ended at a value that is not a finite number.", j);
    }
    letzterFehler.clear();
    double cost = 0;
    ceres::CRSMatrix jac;
    if (!problemC.Evaluate(eo, &cost, nullptr, nullptr, &jac))
        return Gescheitert(p, "The simulation failed at the result: ", letzterFehler, iterationen);
    res.value = v;
    res.SSQ = 2.0 * cost;
    if (!std::isfinite(res.SSQ))
        return Ergebnis(p, FitStatus::SimulationFailed, "The sum of squares is not a finite number.");

    const std::vector<double> norm = ColumnNorms(jac);
    for (std::size_t c = 0; c < norm.size(); ++c)
        if (!(norm[c] > kResponseFloor * yNorm))
            return Ergebnis(p, FitStatus::NoResponse, NoResponseText(p, freieSlots[c], false), freieSlots[c],
                            iterationen);

    // Covariance s^2 (J^T J)^-1 on the optimiser's scale.
    const int mf = static_cast<int>(m);
    const auto at = [mf](int r, int c) { return static_cast<std::size_t>(r * mf + c); };
    std::vector<double> jtj(m * m, 0.0);
    for (int row = 0; row < jac.num_rows; ++row) {
        std::vector<double> zeile(m, 0.0);
        for (int k = jac.rows[static_cast<std::size_t>(row)]; k < jac.rows[static_cast<std::size_t>(row) + 1]; ++k)
            zeile[static_cast<std::size_t>(jac.cols[static_cast<std::size_t>(k)])] = jac.values[static_cast<std::size_t>(k)];
        for (int a = 0; a < mf; ++a)
            for (int b = 0; b < mf; ++b)
                jtj[at(a, b)] += zeile[static_cast<std::size_t>(a)] * zeile[static_cast<std::size_t>(b)];
    }
    const int abhaengig = InvertSymmetric(jtj, mf);
    if (abhaengig >= 0) {
        const int slot = freieSlots[static_cast<std::size_t>(abhaengig)];
        return Ergebnis(p, FitStatus::NoResponse, NoResponseText(p, slot, false), slot, iterationen);
    }
    const double s2 = res.SSQ / static_cast<double>(n - frei);
    for (int c = 0; c < mf; ++c) {
        const int slot = freieSlots[static_cast<std::size_t>(c)];
        const FitParam& f = p.p[static_cast<std::size_t>(slot)];
        const double se = std::sqrt(s2 * jtj[at(c, c)]);
        // d p / d x = p on the log scale.
        res.stdError[static_cast<std::size_t>(slot)] = f.logScale ? se * v[static_cast<std::size_t>(slot)] : se;
    }

    if (summary.termination_type == ceres::NO_CONVERGENCE || grenzeErreicht) {
        res.status = FitStatus::IterationLimit;
        res.statusText = "Max. number of iterations reached.";
    }
    for (int slot : freieSlots) {
        const FitParam& f = p.p[static_cast<std::size_t>(slot)];
        const double xi = x[static_cast<std::size_t>(slot)];
        const double lo = ToInternal(f, f.lower > 0 || !f.logScale ? f.lower : kMinPositiveParameter);
        const double hi = ToInternal(f, f.upper);
        const bool unten = xi <= lo + 1e-9, oben = xi >= hi - 1e-9;
        if (unten || oben) {
            res.status = FitStatus::AtBound;
            res.slot = slot;
            res.statusText = "The parameter " + SlotText(p, slot) + " stopped at its " + (unten ? "lower" : "upper") +
                             " bound" + StrDouble(unten ? f.lower : f.upper) + ".";
            break;
        }
    }

    if (NonIsothermal(p.mode)) {
        const int serien = std::min<int>(d.AnzahlTemperaturen, static_cast<int>(d.Temperaturen.size()) - 1);
        res.kAtTemperature.assign(static_cast<std::size_t>(std::max(serien, 0)) + 1, 0.0);
        for (int j = 1; j <= serien; ++j)
            res.kAtTemperature[static_cast<std::size_t>(j)] = FitRateConstantAt(v[1], v[2], d.Temperaturen[static_cast<std::size_t>(j)]);
    }
    return res;
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
    if (NonIsothermal(p.mode))
        for (std::size_t j = 1; j < r.kAtTemperature.size() && j < d.Temperaturen.size(); ++j)
            t += "k(T/K = " + GenSingle(d.Temperaturen[j]) + ") =" +
                 StrSingle(static_cast<float>(r.kAtTemperature[j])) + nl;
    t += "SSQ =" + StrSingle(static_cast<float>(r.SSQ)) + ";  values used: " +
         std::to_string(r.points) + ";  iterations: " + std::to_string(r.iterations) + nl;
    t += r.statusText;
    return t;
}

} // namespace kinhom
