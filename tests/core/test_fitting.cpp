// The fitting of rate parameters on synthetic data with 1 % Gaussian noise
// from a fixed seed: recovery across models and modes, fixed parameters and
// bounds, and every status that ends a fit without a result.

#include <atomic>
#include <cmath>

#include <gtest/gtest.h>

#include "builders.h"
#include "core/evaluation/fitting.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/integrator.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/expdata.h"
#include "core/shell/startup.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

struct Truth {
    double k1 = 0, k2 = 0, k3 = 0;
    float n = 0;
};

// A state for the model in the task mode, with the model's defaults.
Declare State(int model, int mode)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.Arbeitsmodus = static_cast<std::uint8_t>(mode);
    d.ModellNr = static_cast<std::int16_t>(model);
    ApplyModelDefaults(d, model);
    SetStoffMuster(d, model);
    d.tEnde = 10;
    d.AnzahlPunkte = 0;
    d.ExpPunkte.assign(1, ExpPunkt{});
    return d;
}

void AddPoint(Declare& d, const ExpPunkt& point)
{
    d.ExpPunkte.push_back(point);
    d.AnzahlPunkte = static_cast<int>(d.ExpPunkte.size()) - 1;
}

// Points of the species in `species` at `count` times from 0 to tMax, computed
// by the program's own simulation with the true values and given 1 % noise.
void Synthesize(Declare& d, const Truth& truth, const std::array<double, 6>& c0, const char* species, int count,
                double tMax, unsigned seed, double T = 0)
{
    Declare w = d;
    for (int s = 1; s <= 5; ++s) w.c0[s] = c0[static_cast<std::size_t>(s)];
    w.k[1] = truth.k1;
    w.k[2] = truth.k2;
    w.k[3] = truth.k3;
    w.Ordnung = truth.n;
    w.tEnde = static_cast<float>(tMax);
    w.SimAnzahl = kSimIntervals;
    ASSERT_FALSE(calc_diagram_function(w, w.ModellNr).failed);
    const std::vector<ExpPunkt> points = NoisyPointsOfCourse(w, species, count, tMax, seed, T);
    ASSERT_EQ(static_cast<int>(points.size()), count); // every concentration could be read off
    for (const ExpPunkt& e : points) AddPoint(d, e);
    AnalyzeExpData(d);
}

FitProblem Problem(const Declare& d, int mode, std::array<double, 4> start, const std::array<double, 6>& c0)
{
    FitProblem p = MakeFitProblem(d, mode);
    for (int j = 1; j <= 3; ++j) p.p[static_cast<std::size_t>(j)].value = start[static_cast<std::size_t>(j)];
    p.c0 = c0;
    return p;
}

void ExpectRecovered(const FitResult& r, int slot, double truth)
{
    const double se = r.stdError[static_cast<std::size_t>(slot)];
    EXPECT_GT(se, 0) << "slot " << slot;
    EXPECT_NEAR(r.value[static_cast<std::size_t>(slot)], truth, 3 * se) << "slot " << slot;
    // The uncertainty is that of 1 % noise, not of a fit that went nowhere.
    EXPECT_LT(se, 0.1 * std::fabs(truth)) << "slot " << slot;
}

// Model 9, c(A) and c(C) observed at 40 times from 0 to 60 s.
Declare Model9Data(unsigned seed = 7)
{
    Declare d = State(9, 1);
    Synthesize(d, {0.3, 0.05, 0, 0}, {0, 1, 1, 0, 0, 0}, "10100", 40, 60, seed);
    return d;
}

// Model 2 over 300, 310 and 320 K, 15 times up to 60 s each, from c(A) = 1.
Declare ArrheniusData(int model, int mode)
{
    Declare d = State(model, mode);
    unsigned seed = 11;
    for (double T : {300.0, 310.0, 320.0}) {
        const double k = FitRateConstantAt(1e9, 60000, T);
        Synthesize(d, {k, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, "10000", 15, 60, seed++, T);
    }
    return d;
}

} // namespace

// ---- recovery -----------------------------------------------------------------------------

struct RecoveryCase {
    const char* name;
    int model, mode;
    std::array<double, 4> truth, start;
};

TEST(Fitting, RecoversTheParametersOfEachModelAndMode)
{
    const std::array<double, 6> c0{0, 1, 1, 0, 0, 0};
    const RecoveryCase cases[] = {
        {"A + B => C => P, two constants", 9, 1, {0, 0.3, 0.05, 0}, {0, 0.1, 0.1, 0}},
        {"order n and k of model 20", 20, 2, {0, 0.2, 1.5, 0}, {0, 0.1, 1.0, 0}},
        {"A => P closed form, one constant", 2, 1, {0, 0.15, 0, 0}, {0, 1e-3, 0, 0}},
    };
    for (const RecoveryCase& c : cases) {
        SCOPED_TRACE(c.name);
        Declare d = State(c.model, c.mode);
        if (c.model == 9)
            d = Model9Data();
        else if (c.model == 20)
            Synthesize(d, {c.truth[1], 0, 0, static_cast<float>(c.truth[2])}, c0, "10000", 30, 20, 3);
        else
            Synthesize(d, {c.truth[1], 0, 0, 0}, c0, "10000", 20, 20, 5);
        const FitResult r = MarquardtNashFitting(d, Problem(d, c.mode, c.start, c0));
        ASSERT_EQ(r.status, FitStatus::Converged) << r.statusText << " " << r.value[1] << " " << r.value[2];
        for (int j = 1; j <= 2; ++j)
            if (c.truth[static_cast<std::size_t>(j)] != 0) ExpectRecovered(r, j, c.truth[static_cast<std::size_t>(j)]);
        EXPECT_GT(r.iterations, 0);
        EXPECT_EQ(r.points, c.model == 9 ? 80 : c.model == 20 ? 30 : 20);
    }
}

TEST(Fitting, NonIsothermalFitsRecoverEAAndAFromThreeTemperatures)
{
    for (const auto& [model, mode] : {std::pair{2, 6}, std::pair{3, 7}}) {
        SCOPED_TRACE(mode);
        Declare d = ArrheniusData(model, mode);
        ASSERT_EQ(d.AnzahlTemperaturen, 3);
        const FitResult r = MarquardtNashFitting(d, Problem(d, mode, {0, 1e8, 50000, 0}, {0, 1, 0, 0, 0, 0}));
        ASSERT_EQ(r.status, FitStatus::Converged) << r.statusText;
        ExpectRecovered(r, 1, 1e9);
        ExpectRecovered(r, 2, 60000);
        // The start point of each series is no residual: 3 x 14 values.
        EXPECT_EQ(r.points, 42);
        ASSERT_EQ(r.kAtTemperature.size(), 4u);
        EXPECT_NEAR(r.kAtTemperature[2], FitRateConstantAt(r.value[1], r.value[2], 310), 1e-12);
    }
    Declare d = ArrheniusData(2, 6);

    // A series without a point at t = 0 starts from c0(A) of the window.
    Declare e = ArrheniusData(2, 6);
    for (int i = 1; i <= e.AnzahlPunkte; ++i)
        if (e.ExpPunkte[static_cast<std::size_t>(i)].t == 0) e.ExpPunkte[static_cast<std::size_t>(i)].c[1] = 0;
    EXPECT_EQ(SeriesStartConcA(e, 1, 0.75), 0.75);
    EXPECT_NEAR(SeriesStartConcA(d, 1, 0.75), 1.0, 0.05);

    // Points of temperatures beyond the 24 that are fitted belong to none of them.
    Declare many = ArrheniusData(2, 6);
    const int before = MarquardtNashFitting(many, Problem(many, 6, {0, 1e8, 50000, 0}, {0, 1, 0, 0, 0, 0})).points;
    for (int j = 0; j < 27; ++j) AddPoint(many, MeasuredPoint({.t = 10, .A = 0.5, .T = 400.0 + j}));
    AnalyzeExpData(many);
    ASSERT_EQ(many.AnzahlTemperaturen, 24);
    EXPECT_EQ(SeriesOfPoint(many, many.ExpPunkte[static_cast<std::size_t>(many.AnzahlPunkte)]), 30);
    EXPECT_EQ(MarquardtNashFitting(many, Problem(many, 6, {0, 1e8, 50000, 0}, {0, 1, 0, 0, 0, 0})).points,
              before + 21);
}

TEST(Fitting, ExcludedPointsAreLeftOut)
{
    Declare d = Model9Data();
    // Wild values on points that are excluded must not pull the fit.
    for (int i : {5, 12, 30}) {
        d.ExpPunkte[static_cast<std::size_t>(i)].c[1] = 5.0;
        d.ExpPunkte[static_cast<std::size_t>(i)].exclude = -1;
    }
    const FitResult r = MarquardtNashFitting(d, Problem(d, 1, {0, 0.1, 0.1, 0}, {0, 1, 1, 0, 0, 0}));
    ASSERT_EQ(r.status, FitStatus::Converged) << r.statusText;
    EXPECT_EQ(r.points, 74);
    ExpectRecovered(r, 1, 0.3);
    ExpectRecovered(r, 2, 0.05);

    // Only the ticked species enter the sum of squares. c(A) alone does not
    // depend on k2 (C => P): with k2 free that fit cannot start.
    FitProblem onlyA = Problem(d, 1, {0, 0.1, 0.1, 0}, {0, 1, 1, 0, 0, 0});
    onlyA.species[3] = false;
    const FitResult a = MarquardtNashFitting(d, onlyA);
    EXPECT_EQ(a.status, FitStatus::NoResponse) << a.statusText;
    EXPECT_EQ(a.slot, 2);
    onlyA.p[2].fixed = true;
    EXPECT_EQ(MarquardtNashFitting(d, onlyA).points, 37);
}

TEST(Fitting, TheManualSumOfSquaresIsTheFitsAtTheResult)
{
    Declare d = Model9Data();
    const FitProblem p = Problem(d, 1, {0, 0.1, 0.1, 0}, {0, 1, 1, 0, 0, 0});
    const FitResult r = MarquardtNashFitting(d, p);
    ASSERT_EQ(r.status, FitStatus::Converged);
    double ssq = 0, ssqStart = 0;
    int points = 0;
    std::string error;
    ASSERT_TRUE(FitSumOfSquares(d, p, r.value, ssq, points, error)) << error;
    EXPECT_EQ(points, r.points);
    EXPECT_NEAR(ssq, r.SSQ, 1e-12 + 1e-9 * r.SSQ);
    ASSERT_TRUE(FitSumOfSquares(d, p, {0, 0.1, 0.1, 0}, ssqStart, points, error));
    EXPECT_GT(ssqStart, 10 * ssq);
}

// ---- fixed parameters and bounds ---------------------------------------------------------------

TEST(Fitting, AFixedParameterKeepsItsValueExactly)
{
    Declare d = Model9Data();
    FitProblem p = Problem(d, 1, {0, 0.1, 0.0523, 0}, {0, 1, 1, 0, 0, 0});
    p.p[2].fixed = true;
    const FitResult r = MarquardtNashFitting(d, p);
    ASSERT_TRUE(FitSucceeded(r.status)) << r.statusText;
    EXPECT_EQ(r.value[2], 0.0523);
    EXPECT_EQ(r.stdError[2], 0.0);
    EXPECT_EQ(r.freeParameters, 1);
    EXPECT_NEAR(r.value[1], 0.3, 0.03);
}

TEST(Fitting, BoundsStopTheParameterAndSaySo)
{
    Declare d = State(20, 2);
    Synthesize(d, {0.2, 0, 0, 1.5f}, {0, 1, 0, 0, 0, 0}, "10000", 30, 20, 3);
    FitProblem p = Problem(d, 2, {0, 0.1, 1.0, 0}, {0, 1, 0, 0, 0, 0});
    p.p[2].upper = 1.2;
    const FitResult r = MarquardtNashFitting(d, p);
    ASSERT_EQ(r.status, FitStatus::AtBound) << r.statusText;
    EXPECT_EQ(r.slot, 2);
    EXPECT_NEAR(r.value[2], 1.2, 1e-9);
    EXPECT_NE(r.statusText.find("upper bound"), std::string::npos);

    // A result at a bound never lies beyond it, though the way back from the
    // optimiser's log scale rounds.
    Declare fast = State(2, 1);
    Synthesize(fast, {0.15, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, "10000", 20, 20, 5);
    for (double upper : {0.0123, 0.0371, 0.0456, 0.0789, 0.0911, 0.1013, 0.1234}) {
        FitProblem q = Problem(fast, 1, {0, 0.01, 0, 0}, {0, 1, 0, 0, 0, 0});
        q.p[1].upper = upper;
        const FitResult b = MarquardtNashFitting(fast, q);
        ASSERT_EQ(b.status, FitStatus::AtBound) << b.statusText;
        EXPECT_LE(b.value[1], upper);
    }

    // The default bounds of the order are 0 and the documented limit.
    const FitProblem defaults = MakeFitProblem(d, 2);
    EXPECT_EQ(defaults.p[2].lower, 0.0);
    EXPECT_EQ(defaults.p[2].upper, kMaxFitOrder);
    EXPECT_FALSE(defaults.p[2].logScale);
    EXPECT_TRUE(defaults.p[1].logScale);
}

// ---- statuses without a result -----------------------------------------------------------------

TEST(Fitting, FailuresKeepTheStartValuesAndNameTheCause)
{
    struct Case {
        const char* name;
        std::function<void(Declare&, FitProblem&)> setUp;
        FitStatus status;
        const char* says;
    };
    const Case cases[] = {
        {"fewer active values than free parameters + 1",
         [](Declare& d, FitProblem& p) {
             for (int i = 2; i <= d.AnzahlPunkte; ++i) d.ExpPunkte[static_cast<std::size_t>(i)].exclude = -1;
             p.species[3] = false;
         },
         FitStatus::TooFewPoints, "Not enough measured values"},
        {"every parameter fixed", [](Declare&, FitProblem& p) { p.p[1].fixed = p.p[2].fixed = true; },
         FitStatus::NoFreeParameter, "nothing to fit"},
        {"a start value outside its bounds", [](Declare&, FitProblem& p) { p.p[1].value = -1; },
         FitStatus::InvalidInput, "start value of k1"},
        {"a start value the simulation cannot follow", [](Declare&, FitProblem& p) { p.p[1].value = 1e29; },
         FitStatus::SimulationFailed, "simulation failed"},
        {"iteration limit", [](Declare&, FitProblem& p) { p.maxIterations = 1; }, FitStatus::IterationLimit,
         "Max. number of iterations reached."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Declare d = Model9Data();
        FitProblem p = Problem(d, 1, {0, 0.1, 0.1, 0}, {0, 1, 1, 0, 0, 0});
        c.setUp(d, p);
        const FitResult r = MarquardtNashFitting(d, p);
        EXPECT_EQ(r.status, c.status) << r.statusText;
        EXPECT_NE(r.statusText.find(c.says), std::string::npos) << r.statusText;
        for (int j = 1; j <= 3; ++j) EXPECT_TRUE(std::isfinite(r.value[static_cast<std::size_t>(j)]));
        if (!FitSucceeded(r.status)) {
            EXPECT_EQ(r.value[1], p.p[1].value);
            EXPECT_EQ(r.value[2], p.p[2].value);
        }
    }
}

TEST(Fitting, AModelThatDoesNotRespondEndsWithThatStatus)
{
    // Only P is observed and there is no A to turn into P: no rate constant,
    // at the start or decades away, changes anything.
    Declare d = State(2, 1);
    for (int i = 0; i < 10; ++i) AddPoint(d, CtPoint({.t = double(i), .P = 0.01 * (i % 3)}));
    AnalyzeExpData(d);
    FitProblem p = Problem(d, 1, {0, 0.1, 0, 0}, {0, 0, 0, 0, 0, 0});
    p.species[1] = false;
    const FitResult r = MarquardtNashFitting(d, p);
    EXPECT_EQ(r.status, FitStatus::NoResponse) << r.statusText;
    EXPECT_NE(r.statusText.find("at the start values"), std::string::npos) << r.statusText;
    EXPECT_NE(r.statusText.find("Try other start values"), std::string::npos) << r.statusText;
    EXPECT_EQ(r.value[1], 0.1);
}

TEST(Fitting, AStartOnAPlateauIsLeftThroughScaledStarts)
{
    // The start-up defaults A = 100, EA = 100 J/mol: every series has decayed
    // before its first point, so nothing responds at the start; a start
    // decades away does, and the fit follows the long valley of A against EA
    // to the optimum.
    Declare d = ArrheniusData(2, 6);
    const FitProblem p = Problem(d, 6, {0, d.ArrheniusA, d.ArrheniusEA, 0}, {0, 1, 0, 0, 0, 0});
    const FitResult r = MarquardtNashFitting(d, p);
    ASSERT_EQ(r.status, FitStatus::Converged) << r.statusText;
    ExpectRecovered(r, 1, 1e9);
    ExpectRecovered(r, 2, 60000);
}

TEST(Fitting, DataTheModelCannotReachEndWithAStatusNotNaN)
{
    // c(A) rising in a first-order decay.
    Declare d = State(2, 1);
    for (int i = 0; i < 20; ++i) AddPoint(d, CtPoint({.t = double(i), .A = 1.0 + 0.05 * i}));
    AnalyzeExpData(d);
    const FitResult r = MarquardtNashFitting(d, Problem(d, 1, {0, 0.1, 0, 0}, {0, 1, 0, 0, 0, 0}));
    EXPECT_TRUE(r.status == FitStatus::AtBound || r.status == FitStatus::NoResponse) << r.statusText;
    EXPECT_TRUE(std::isfinite(r.value[1]));
    EXPECT_TRUE(std::isfinite(r.SSQ));
}

// ---- stopping and overflow ----------------------------------------------------------------------

TEST(Fitting, AStoppedFitKeepsTheStartValuesAndSaysWhy)
{
    Declare d = Model9Data();
    const FitProblem p = Problem(d, 1, {0, 0.1, 0.1, 0}, {0, 1, 1, 0, 0, 0});
    std::atomic<bool> cancel{true};
    FitControl stop;
    stop.cancel = &cancel;
    FitResult r = MarquardtNashFitting(d, p, stop);
    EXPECT_EQ(r.status, FitStatus::Cancelled);
    EXPECT_EQ(r.statusText, "The fit was stopped; the values are unchanged.");
    EXPECT_EQ(r.value[1], 0.1);
    EXPECT_EQ(r.value[2], 0.1);
    EXPECT_FALSE(FitSucceeded(r.status));

    // The progress callback sees the iterations; cancelling from it ends the fit.
    std::atomic<bool> later{false};
    FitControl fromProgress;
    fromProgress.cancel = &later;
    int calls = 0;
    fromProgress.progress = [&](int, double ssq) {
        EXPECT_TRUE(std::isfinite(ssq));
        if (++calls == 2) later = true;
    };
    r = MarquardtNashFitting(d, p, fromProgress);
    EXPECT_EQ(r.status, FitStatus::Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(r.value[1], 0.1);

    FitControl tight;
    tight.timeLimitSeconds = 1e-9;
    r = MarquardtNashFitting(d, p, tight);
    EXPECT_EQ(r.status, FitStatus::TimeLimit);
    EXPECT_NE(r.statusText.find("was stopped after"), std::string::npos) << r.statusText;
    EXPECT_EQ(r.value[2], 0.1);

    double ssq = -1;
    int points = 0;
    std::string error;
    EXPECT_FALSE(FitSumOfSquares(d, p, {0, 0.1, 0.1, 0}, ssq, points, error, stop));
    EXPECT_EQ(error, "The sum of squares was stopped; the values are unchanged.");
}

TEST(Fitting, AnOverflowingSumOfSquaresGivesAReason)
{
    // Concentrations near 1e154, which the editor and the data file accept:
    // each square is finite, their sum is not.
    Declare d = State(2, 1);
    for (int i = 0; i < 6; ++i) AddPoint(d, CtPoint({.t = double(i), .A = 1e154 * (1 + i)}));
    AnalyzeExpData(d);
    const FitProblem p = Problem(d, 1, {0, 0.1, 0, 0}, {0, 1, 0, 0, 0, 0});
    double ssq = -1;
    int points = 0;
    std::string error;
    EXPECT_FALSE(FitSumOfSquares(d, p, {0, 0.1, 0, 0}, ssq, points, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    const FitResult r = MarquardtNashFitting(d, p);
    EXPECT_FALSE(FitSucceeded(r.status));
    EXPECT_NE(r.statusText.find("too large"), std::string::npos) << r.statusText;
    EXPECT_EQ(r.value[1], 0.1);
}

TEST(Fitting, AStopReachesASlowSimulationBetweenItsIntervals)
{
    // Model 18 at rate constants ten thousand times too large needs thousands
    // of substeps per interval: such a run asks the stop test and ends; a run
    // at ordinary constants never asks.
    Declare d = State(18, 1);
    d.c0[1] = d.c0[2] = 1;
    d.tEnde = 100;
    d.SimAnzahl = kSimIntervals;
    int asked = 0;
    {
        const IntegratorStopTest stop([&asked] { return ++asked > 3; });
        d.k[1] = 0.3;
        d.k[2] = 0.1;
        d.k[3] = 0.05;
        EXPECT_FALSE(calc_diagram_function(d, 18).failed);
        EXPECT_EQ(asked, 0);
        d.k[1] = 3000;
        d.k[2] = 1000;
        d.k[3] = 500;
        const SimulationsErgebnis slow = calc_diagram_function(d, 18);
        EXPECT_TRUE(slow.failed);
        EXPECT_EQ(slow.Fehlertext, kIntegrationStoppedText);
        EXPECT_EQ(asked, 4);
    }
    // Outside the scope nothing is asked.
    asked = 0;
    EXPECT_FALSE(calc_diagram_function(d, 18).failed);
    EXPECT_EQ(asked, 0);
}
