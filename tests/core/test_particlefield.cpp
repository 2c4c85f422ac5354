// The particle field against the binomial expectations of independent
// particles (seeded runs, tolerances from the variance), and the settings check.
#include <cmath>
#include <numeric>

#include <gtest/gtest.h>

#include "core/montecarlo/particlefield.h"

using namespace kinhom;

namespace {

struct Moments {
    double mean = 0;
    double variance = 0;
};

// N(A) after `step` steps over `runs` runs with the seeds 1..runs.
Moments CountAAfter(const MonteCarloSettings& s, int step, int runs)
{
    std::vector<double> v;
    for (int r = 1; r <= runs; ++r) {
        ParticleField f(s, std::uint64_t(r));
        for (int i = 0; i < step; ++i)
            f.Step();
        v.push_back(f.CountA());
    }
    Moments m;
    m.mean = std::accumulate(v.begin(), v.end(), 0.0) / runs;
    for (double x : v)
        m.variance += (x - m.mean) * (x - m.mean);
    m.variance /= runs - 1;
    return m;
}

} // namespace

TEST(ParticleField, FirstOrderDecayFollowsTheBinomialExpectation)
{
    MonteCarloSettings s;  // N = 400, p1 = 0.05
    const int runs = 200;
    const Moments m = CountAAfter(s, 14, runs);
    const double q = std::pow(0.95, 14);
    const double expected = 400 * q;  // 195.1
    EXPECT_NEAR(ExpectedA(s, 14), expected, 1e-9);
    // Within 2 % of the expectation, and within 4 standard errors of the mean.
    const double se = std::sqrt(400 * q * (1 - q) / runs);
    EXPECT_NEAR(m.mean, expected, 0.02 * expected);
    EXPECT_NEAR(m.mean, expected, 4 * se);
    // Each particle decays on its own: the spread is binomial (sample variance
    // of 200 runs has a relative standard error of about 0.1).
    EXPECT_NEAR(m.variance / (400 * q * (1 - q)), 1.0, 0.35);
}

TEST(ParticleField, EquilibriumSettlesAtTheRatioOfTheProbabilities)
{
    MonteCarloSettings s;
    s.mode = MonteCarloMode::Equilibrium;
    s.p1 = 0.1;
    s.p2 = 0.05;
    const int runs = 100;
    const Moments m = CountAAfter(s, 200, runs);
    const double eq = 400.0 / 3.0;
    EXPECT_NEAR(ExpectedA(s, 200), eq, 1e-6);
    const double se = std::sqrt(400 * (1.0 / 3) * (2.0 / 3) / runs);
    EXPECT_NEAR(m.mean, eq, 4 * se);
    // Early on the expected course lies between the start and the equilibrium.
    EXPECT_NEAR(ExpectedA(s, 0), 400.0, 1e-9);
    EXPECT_NEAR(ExpectedA(s, 1), eq + (400 - eq) * 0.85, 1e-9);
}

TEST(ParticleField, CountsHistoryAndChangesAgree)
{
    MonteCarloSettings s;
    s.mode = MonteCarloMode::Equilibrium;
    s.particles = 50;
    s.p1 = 0.3;
    s.p2 = 0.2;
    s.steps = 30;
    ParticleField f(s, 7);
    EXPECT_EQ(f.CountA(), 50);
    EXPECT_EQ(f.HistoryA().size(), 1u);
    bool sawBack = false;
    while (!f.finished()) {
        std::vector<ParticleField::State> before;
        for (int i = 0; i < f.size(); ++i)
            before.push_back(f.state(i));
        f.Step();
        int changed = 0;
        for (int i = 0; i < f.size(); ++i)
            changed += before[std::size_t(i)] != f.state(i);
        EXPECT_EQ(changed, int(f.ChangedLastStep().size()));
        for (int i : f.ChangedLastStep()) {
            EXPECT_NE(before[std::size_t(i)], f.state(i));
            sawBack = sawBack || before[std::size_t(i)] == ParticleField::P;
        }
        int a = 0;
        for (int i = 0; i < f.size(); ++i)
            a += f.state(i) == ParticleField::A;
        EXPECT_EQ(a, f.CountA());
        EXPECT_EQ(f.CountA() + f.CountP(), 50);
        EXPECT_EQ(f.HistoryA().back(), f.CountA());
    }
    EXPECT_EQ(f.StepNumber(), 30);
    EXPECT_EQ(f.HistoryA().size(), 31u);
    EXPECT_TRUE(sawBack) << "in the equilibrium P particles turn back into A";
}

TEST(ParticleField, FirstOrderNeverTurnsBackAndSameSeedRepeatsTheRun)
{
    MonteCarloSettings s;
    s.p1 = 0.2;
    ParticleField f(s, 42), g(s, 42), h(s, 43);
    for (int i = 0; i < 40; ++i) {
        const int before = f.CountA();
        f.Step();
        g.Step();
        h.Step();
        EXPECT_LE(f.CountA(), before);
    }
    EXPECT_EQ(f.HistoryA(), g.HistoryA());
    EXPECT_NE(f.HistoryA(), h.HistoryA());
}

TEST(ParticleField, SettingsAreChecked)
{
    struct Case {
        MonteCarloMode mode;
        int n;
        double p1, p2;
        int steps;
        std::vector<std::string> faults;
    };
    const std::string nLine = "- The number of particles N has to lie between 1 and 10000.";
    const std::string p1Line = "- The probability p1 (A => P) has to lie between 0 and 1 (0 < p1 < 1).";
    const std::string p2Line = "- The probability p2 (P => A) has to lie between 0 and 1 (0 < p2 < 1).";
    const std::string stepLine = "- The number of steps has to lie between 1 and 100000.";
    const auto eq = MonteCarloMode::Equilibrium;
    const auto fo = MonteCarloMode::FirstOrder;
    const Case cases[] = {
        {fo, 400, 0.05, 0.0, 100, {}},              // p2 is not used at first order
        {fo, 1, 0.999, 0.0, 1, {}},
        {fo, 10000, 0.5, 0.0, 100000, {}},
        {fo, 0, 0.05, 0.0, 100, {nLine}},
        {fo, 10001, 0.05, 0.0, 100, {nLine}},
        {fo, 400, 0.0, 0.0, 100, {p1Line}},
        {fo, 400, 1.0, 0.0, 100, {p1Line}},
        {fo, 400, std::nan(""), 0.0, 100, {p1Line}},
        {eq, 400, 0.1, 0.0, 100, {p2Line}},
        {eq, 400, 0.1, 1.5, 100, {p2Line}},
        {eq, 400, 0.7, 0.6, 100, {}},             // oscillating, but a sound chain
        {eq, -3, -1.0, 2.0, 0, {nLine, p1Line, p2Line, stepLine}},
    };
    for (const Case& c : cases) {
        MonteCarloSettings s;
        s.mode = c.mode;
        s.particles = c.n;
        s.p1 = c.p1;
        s.p2 = c.p2;
        s.steps = c.steps;
        EXPECT_EQ(CheckMonteCarloSettings(s), c.faults) << "N = " << c.n << ", p1 = " << c.p1 << ", p2 = " << c.p2;
    }
}

// Every N the window allows, in fields from twice as high as wide to twice as
// wide as high: the rows hold all particles in order, every row at least one
// and none more than one beyond another, so no particle is left alone on an
// extra row; the cells stay about square (at most twice as wide as high or
// high as wide, beyond that only for rows of one or two particles).
TEST(ParticleField, EveryAllowedCountFillsAFullRectangle)
{
    for (double aspect : {0.5, 1.0, 1.1, 1.6, 2.0}) {
        double widest = 1, widestFrom10 = 1;
        for (int n = 1; n <= kMonteCarloMaxParticles; ++n) {
            const FieldLayout l = LayOutField(n, aspect);
            ASSERT_GE(l.rows, 1) << n;
            ASSERT_LE(l.rows, n) << n;
            ASSERT_EQ(FieldRowStart(l, 0), 0) << n;
            ASSERT_EQ(FieldRowStart(l, l.rows), n) << n;
            int shortest = n, longest = 0;
            for (int r = 0; r < l.rows; ++r) {
                const int length = FieldRowStart(l, r + 1) - FieldRowStart(l, r);
                shortest = std::min(shortest, length);
                longest = std::max(longest, length);
                // Cell width over cell height in a field of height 1.
                const double cell = aspect / length * l.rows;
                widest = std::max({widest, cell, 1 / cell});
                if (n >= 10) widestFrom10 = std::max({widestFrom10, cell, 1 / cell});
            }
            ASSERT_GE(shortest, 1) << n << " at " << aspect;
            ASSERT_LE(longest - shortest, 1) << n << " at " << aspect;
        }
        EXPECT_LE(widestFrom10, 2.0 + 1e-12) << aspect;
        EXPECT_LE(widest, 2.5) << aspect;
    }
}

TEST(ParticleField, CountsWithAnAboutSquareGridAreExactGrids)
{
    struct Case {
        int n;
        double aspect;
        int rows;
    };
    // 21 in a square field: rows of 4, 4, 4, 4 and 5 (it was 5 rows of 5 with
    // one particle alone on the last). 401 is prime: rows of 20 and 21.
    for (const Case& c : {Case{400, 1.0, 20}, Case{400, 1.1, 20}, Case{400, 0.8, 20}, Case{10000, 1.2, 100},
                          Case{1000, 1.6, 25}, Case{500, 1.25, 20}, Case{21, 1.0, 5}, Case{401, 1.0, 20},
                          Case{1, 1.0, 1}, Case{2, 2.0, 1}, Case{2, 0.5, 2}, Case{50, 2.0, 5}}) {
        const FieldLayout l = LayOutField(c.n, c.aspect);
        EXPECT_EQ(l.rows, c.rows) << c.n << " at " << c.aspect;
        const bool exact = c.n % c.rows == 0;
        for (int r = 0; exact && r < l.rows; ++r)
            EXPECT_EQ(FieldRowStart(l, r), r * (c.n / c.rows)) << c.n;
    }
    // An area without size lays out as a square one.
    EXPECT_EQ(LayOutField(400, 0.0).rows, 20);
    EXPECT_EQ(LayOutField(400, std::nan("")).rows, 20);
    EXPECT_EQ(LayOutField(0, 1.0).rows, 0);
}
