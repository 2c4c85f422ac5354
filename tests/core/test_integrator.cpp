#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/kinetics/integrator.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/startup.h"
#include "kinetics_fixture.h"

using namespace kinhom;

namespace {

// The integrator is driven directly here, so the state carries the table step
// (200 steps up to tEnde) as well.
Declare Modell(int model, float tEnde = 100)
{
    Declare d = test::Modell(model, tEnde);
    d.Zeitschritt = static_cast<double>(tEnde) / 200;
    return d;
}

void Markieren(Declare& d, double wert)
{
    for (auto* v : {&d.SimT, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ})
        std::fill(v->begin(), v->end(), wert);
}

} // namespace

TEST(Integrator, ToleranceTest)
{
    struct Fall {
        double R, Y;
        bool genau;
    };
    const Fall faelle[] = {
        {101, 99, true},              // exactly 1 % of |R| + |Y|: accepted
        {101.0001, 99, false},        // just above
        {-101, -99, true},
        {1, -1, false},               // opposite signs
        {4e-7, 5e-7, true},           // both small: not tested (|R| + |Y| < 1e-6)
        {4e-7, 6e-7, false},          // |R| + |Y| = 1e-6 is tested: 20 %
        {0, 0, true},
        {0.5, 0.5, true},
    };
    for (const Fall& f : faelle) {
        const double R[2] = {1.0, f.R}, Y[2] = {1.0, f.Y};
        EXPECT_EQ(SchrittGenauGenug(R, Y, 2), f.genau) << f.R << " " << f.Y;
    }
    // Every species must pass.
    const double R[3] = {1.0, 2.0, 3.0}, Y[3] = {1.0, 2.0, 3.5};
    EXPECT_FALSE(SchrittGenauGenug(R, Y, 3));
    EXPECT_TRUE(SchrittGenauGenug(R, Y, 2));
}

TEST(Integrator, CalmCourseKeepsOneSubstep)
{
    // Every interval costs one trial with 1 and one with 2 substeps (the
    // count 2 is cut to a quarter, 0, which becomes 1): 200·3·4 evaluations.
    for (int model : {7, 9, 10, 13, 14, 15, 18, 20}) {
        Declare d = Modell(model);
        const IntegratorErgebnis erg = IntegriereModell(d, model, d.Zeitschritt);
        ASSERT_FALSE(erg.failed) << model;
        EXPECT_EQ(erg.Zeilen, 201) << model;
        EXPECT_EQ(erg.RHSAuswertungen, 2400) << model;
        EXPECT_EQ(erg.MaxTeilschritte, 2) << model;
        EXPECT_DOUBLE_EQ(d.Zeitschritt, 0.25) << model; // last substep size h = dt/2
    }
}

TEST(Integrator, TimesAreRunningSumsAndRow200IsAlwaysStored)
{
    // 1.2345678e7: the running sum passes t(max) + 1e-8 before row 200.
    for (float tEnde : {0.3f, 100.0f, 7.1f, 1e-9f, 1.2345678e7f, 9.87654e8f}) {
        Declare d = Modell(14, tEnde);
        for (int i = 1; i <= 3; ++i) d.k[i] *= 100.0 / tEnde; // the same course in 200 rows
        Markieren(d, -1.0);
        const double dt = static_cast<double>(tEnde) / 200;
        const IntegratorErgebnis erg = IntegriereModell(d, 14, dt);
        ASSERT_FALSE(erg.failed) << tEnde;
        EXPECT_EQ(erg.Zeilen, 201) << tEnde;
        double t = 0;
        for (std::size_t r = 0; r <= 200; ++r) {
            EXPECT_EQ(d.SimT[r], t) << tEnde << " row " << r;
            t += dt;
        }
        EXPECT_NEAR(d.SimT[200], tEnde, 1e-12 * tEnde);
        EXPECT_NE(d.SimCA[200], -1.0);
    }
    // t(max) = 0: 201 rows at t = 0 holding the start values.
    Declare d = Modell(14, 0);
    const IntegratorErgebnis erg = IntegriereModell(d, 14, 0.0);
    EXPECT_FALSE(erg.failed);
    EXPECT_EQ(erg.Zeilen, 201);
    EXPECT_EQ(d.SimT[200], 0.0);
    EXPECT_EQ(d.SimCA[200], d.c0[1]);
    // A negative t(max) runs backwards, still with rows 0 to 200.
    Declare r = Modell(14, -2);
    const IntegratorErgebnis rueck = IntegriereModell(r, 14, -0.01);
    EXPECT_FALSE(rueck.failed);
    EXPECT_EQ(rueck.Zeilen, 201);
    EXPECT_NEAR(r.SimCA[200], std::exp(0.3), 1e-8);
}

TEST(Integrator, SubstepBoundEndsTheRunAndKeepsTheRowsSoFar)
{
    // A => C <=> P with k1·dt = 10 needs more than 4 substeps at once.
    {
        Declare d = Modell(14);
        d.k[1] = 20;
        Markieren(d, -1.0);
        const IntegratorErgebnis erg = IntegriereModell(d, 14, d.Zeitschritt, 4);
        EXPECT_TRUE(erg.failed);
        EXPECT_EQ(erg.Zeilen, 1);
        EXPECT_NE(erg.Fehlertext.find("more than 4 steps"), std::string::npos) << erg.Fehlertext;
        EXPECT_EQ(d.SimCA[0], 1.0);
        EXPECT_EQ(d.SimT[1], -1.0);
        EXPECT_EQ(d.SimCA[1], -1.0);
    }
    // n = 0.3 needs finer steps only where A runs out (t near 9.5): the rows
    // before it are those of the unbounded run.
    {
        Declare frei = Modell(20);
        frei.Ordnung = 0.3f;
        ASSERT_FALSE(IntegriereModell(frei, 20, frei.Zeitschritt).failed);
        Declare d = Modell(20);
        d.Ordnung = 0.3f;
        Markieren(d, -1.0);
        const IntegratorErgebnis erg = IntegriereModell(d, 20, d.Zeitschritt, 2);
        ASSERT_TRUE(erg.failed);
        EXPECT_GT(erg.Zeilen, 5);
        EXPECT_LT(erg.Zeilen, 201);
        for (std::size_t r = 0; r < 201; ++r) {
            if (static_cast<int>(r) < erg.Zeilen) {
                EXPECT_EQ(d.SimCA[r], frei.SimCA[r]) << r;
                EXPECT_EQ(d.SimCP[r], frei.SimCP[r]) << r;
            } else {
                EXPECT_EQ(d.SimT[r], -1.0) << r;
            }
        }
    }
}

TEST(Integrator, HopelessCoursesFailQuickly)
{
    const long grenze = 4L * (2 * kMaxTeilschritte - 1); // one interval refined to the bound
    // Enzyme binding far too fast for any substep the bound allows.
    {
        Declare d = Modell(10);
        d.k[1] = 1e12;
        d.c0[1] = 1;
        d.c0[2] = 1;
        const IntegratorErgebnis erg = IntegriereModell(d, 10, d.Zeitschritt);
        EXPECT_TRUE(erg.failed);
        EXPECT_EQ(erg.Zeilen, 1);
        EXPECT_LE(erg.RHSAuswertungen, grenze);
        EXPECT_FALSE(erg.Fehlertext.empty());
    }
    // Rates that overflow: the trials are not finite and none is accepted;
    // the run ends at the substep bound.
    {
        Declare d = Modell(7);
        d.k[1] = 1e306;
        const IntegratorErgebnis erg = IntegriereModell(d, 7, d.Zeitschritt);
        EXPECT_TRUE(erg.failed);
        EXPECT_EQ(erg.Zeilen, 1);
        EXPECT_LE(erg.RHSAuswertungen, grenze);
        EXPECT_TRUE(std::isfinite(d.SimCA[0]));
    }
}

TEST(Integrator, StiffCourseIsRefinedUntilStable)
{
    // E + S <=> ES => P + E with enzyme-like constants: early trials with few
    // substeps blow up; finer ones are stable and accurate. The balances hold
    // and the substrate ends up as product.
    Declare d = Modell(10, 200);
    d.k[1] = 1e7;
    d.k[2] = 1e3;
    d.k[3] = 1e2;
    d.c0[1] = 1e-7;
    d.c0[2] = 1e-4;
    const SimulationsErgebnis erg = calc_diagram_function(d, 10);
    ASSERT_FALSE(erg.failed) << erg.Fehlertext;
    EXPECT_EQ(erg.Zeilen, 201);
    EXPECT_GT(erg.MaxTeilschritte, 100);
    for (std::size_t r = 0; r <= 200; ++r) {
        EXPECT_NEAR(d.SimCA[r] + d.SimCC[r], 1e-7, 1e-18);
        EXPECT_NEAR(d.SimCB[r] + d.SimCC[r] + d.SimCP[r], 1e-4, 1e-15);
    }
    // vmax = k3 E0 = 1e-5 per second and KM = 1.1e-4: the substrate is gone
    // long before t = 200.
    EXPECT_NEAR(d.SimCP[200], 1e-4, 1e-9);
}

TEST(Integrator, NegativeComponentsAreIntegratedLikeAnyOther)
{
    // A => C => P (model 14 without back reaction) with a negative start
    // value of C: every component follows the exact course, also P, which
    // comes after the negative one in the state.
    Declare d = Modell(14);
    d.k[3] = 0;
    d.c0[3] = -0.2;
    d.c0[4] = 0.05;
    const IntegratorErgebnis erg = IntegriereModell(d, 14, d.Zeitschritt);
    ASSERT_FALSE(erg.failed);
    for (std::size_t r = 0; r <= 200; ++r) {
        const double t = d.SimT[r];
        const double A = std::exp(-0.15 * t);
        const double C = 0.15 / (0.1 - 0.15) * (std::exp(-0.15 * t) - std::exp(-0.1 * t)) - 0.2 * std::exp(-0.1 * t);
        const double P = 1.0 - A - C - 0.2 + 0.05;
        EXPECT_NEAR(d.SimCA[r], A, 1e-7);
        EXPECT_NEAR(d.SimCC[r], C, 1e-7);
        EXPECT_NEAR(d.SimCP[r], P, 1e-7);
    }
    EXPECT_LT(d.SimCC[2], 0.0);
}

TEST(Integrator, HalfLifeOfTheSecondColumnAsStored)
{
    // Models 14, 15 and 20 store C or P in the second column; it is tested
    // against c0(2)/2 like B. A => C => P (model 15 without back reaction)
    // from C0 = 1 with a trace of A: C falls below c0(2)/2 = 0.5 near ln 2 / k3.
    {
        Declare d = Modell(15);
        d.k[2] = 0;
        d.k[3] = 0.1;
        d.c0[1] = 1e-3;
        d.c0[2] = 1.0;
        d.c0[3] = 1.0;
        ASSERT_FALSE(IntegriereModell(d, 15, d.Zeitschritt).failed);
        std::size_t r = 1;
        while (r <= 200 && !(d.SimCC[r] < 0.5)) ++r;
        ASSERT_LE(r, 200u);
        const double t = d.SimT[r - 1] + (0.5 - d.SimCC[r - 1]) * (d.SimT[r] - d.SimT[r - 1]) /
                                             (d.SimCC[r] - d.SimCC[r - 1]);
        EXPECT_FLOAT_EQ(d.HalbwertszeitB, static_cast<float>(t));
        EXPECT_NEAR(d.HalbwertszeitB, std::log(2.0) / 0.1, 0.05);
    }
    // A column that starts below c0(2)/2 (a product from 0, an old start value
    // of B from another model) passes the test at row 1: the time where the
    // line through rows 0 and 1 reaches c0(2)/2.
    for (int model : {14, 20}) {
        Declare d = Modell(model);
        d.c0[2] = 1.0;
        d.HalbwertszeitB = 0;
        ASSERT_FALSE(IntegriereModell(d, model, d.Zeitschritt).failed);
        const double c1 = d.SimCB[1];
        ASSERT_GT(c1, 0.0) << model;
        EXPECT_FLOAT_EQ(d.HalbwertszeitB, static_cast<float>(0.5 + (0.5 - c1) * (0 - 0.5) / (0 - c1)))
            << model;
        EXPECT_GT(d.HalbwertszeitA, 0.0f) << model;
    }
    // With c0(2) = 0 a course that never goes below zero has no half-life there.
    for (int model : {14, 15, 20}) {
        Declare d = Modell(model);
        d.c0[2] = 0;
        ASSERT_FALSE(IntegriereModell(d, model, d.Zeitschritt).failed);
        EXPECT_EQ(d.HalbwertszeitB, 0.0f) << model;
    }
    EXPECT_FALSE(IstNumerischesModell(2));
    EXPECT_FALSE(IstNumerischesModell(19));
    EXPECT_EQ(IntegratorZustandsgroesse(15), 3);
    EXPECT_EQ(IntegratorZustandsgroesse(20), 2);
    EXPECT_EQ(IntegratorZustandsgroesse(18), 4);
}

// E + S <=> ES => P + E with a complex that forms fast and reacts on fast: with
// few substeps both trials of an interval can be unstable alike and agree on a
// course below zero. Each species is held to its own scale, the enzyme total
// for E and ES, the substrate total for S and P: no stored concentration may
// be below zero by more than the rounding of it (1e-12 of it), and E + ES = E0
// must hold to 1e-9 relative in every row. The free enzyme is far below the
// substrate, so a bound taken from the largest start value let it go negative.
namespace {

struct EnzymeRun {
    double E0, S0, k1, k2, k3;
    float tEnde;
};

// Runs the case and checks every row; false when the run stopped as too fast.
bool EnzymeCourseSound(const EnzymeRun& run)
{
    Declare d = Modell(10, run.tEnde);
    d.c0[1] = run.E0;
    d.c0[2] = run.S0;
    d.k[1] = run.k1;
    d.k[2] = run.k2;
    d.k[3] = run.k3;
    const SimulationsErgebnis erg = calc_diagram_function(d, 10);
    const std::string label = "k1 = " + std::to_string(run.k1) + ", k3 = " + std::to_string(run.k3) +
        ", t(max) = " + std::to_string(run.tEnde) + ", E0 = " + std::to_string(run.E0);
    if (erg.failed) {
        EXPECT_NE(erg.Fehlertext.find("too fast for this t(max)"), std::string::npos) << label;
        return false;
    }
    EXPECT_EQ(erg.Zeilen, 201) << label;
    int wrongRows = 0;
    for (std::size_t r = 0; r <= 200; ++r) {
        const bool wrong = d.SimCA[r] < -1e-12 * run.E0 || d.SimCC[r] < -1e-12 * run.E0 ||
            d.SimCB[r] < -1e-12 * run.S0 || d.SimCP[r] < -1e-12 * run.S0 ||
            std::fabs(d.SimCA[r] + d.SimCC[r] - run.E0) > 1e-9 * run.E0;
        if (wrong && ++wrongRows == 1)
            ADD_FAILURE() << label << ": row " << r << " E = " << d.SimCA[r] << ", S = " << d.SimCB[r]
                          << ", ES = " << d.SimCC[r] << ", P = " << d.SimCP[r];
    }
    return true;
}

} // namespace

TEST(Integrator, FastEnzymeCoursesNeverStoreNegativeConcentrations)
{
    // k1 from half a litre per mole and second to 1e7; t(max) from 10 ms to
    // 100 s. Runs that need more substeps than the bound stop as too fast.
    int runs = 0, fastRunsDone = 0;
    for (double k1 : {0.5, 2.0, 10.0, 50.0, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7})
        for (double k3 : {1.0, 10.0, 100.0})
            for (float tEnde : {0.01f, 1.0f, 10.0f, 100.0f}) {
                ++runs;
                if (EnzymeCourseSound({0.01, 10, k1, 0.001, k3, tEnde}) && k1 >= 1e3) ++fastRunsDone;
            }
    EXPECT_EQ(runs, 120);
    EXPECT_GE(fastRunsDone, 30);
    // The fastest binding completes in the shortest run.
    EXPECT_TRUE(EnzymeCourseSound({0.01, 10, 1e7, 0.001, 10, 0.01f}));
}

TEST(Integrator, SmallEnzymeAmountStaysAtOrAboveZero)
{
    // E0 = 0.001 beside S0 = 10: the free enzyme fell to -7.9e-9 and ES
    // exceeded E0, within a billionth of S0 but far beyond the rounding of E0.
    EXPECT_TRUE(EnzymeCourseSound({0.001, 10, 1000, 0.1, 0.005, 1.0f}));
}

TEST(Integrator, EnzymeInExcessKeepsTheSubstrateBalance)
{
    // E0 = 1 beside S0 = 1e-12: the complex is a trillionth of the enzyme
    // total. Rebuilt from that total it would carry the total's rounding,
    // which k3 turns into product out of nothing; the balances must hold.
    Declare d = Modell(10, 1000);
    d.c0[1] = 1;
    d.c0[2] = 1e-12;
    d.k[1] = 1e3;
    d.k[2] = 1e-3;
    d.k[3] = 10;
    const SimulationsErgebnis erg = calc_diagram_function(d, 10);
    ASSERT_FALSE(erg.failed) << erg.Fehlertext;
    for (std::size_t r = 0; r <= 200; ++r) {
        EXPECT_NEAR(d.SimCB[r] + d.SimCC[r] + d.SimCP[r], 1e-12, 1e-21) << r;
        EXPECT_NEAR(d.SimCA[r] + d.SimCC[r], 1.0, 1e-15) << r;
        EXPECT_GE(d.SimCC[r], 0.0) << r;
    }
    EXPECT_NEAR(d.SimCP[200], 1e-12, 1e-18);
}

// A course that needs more substeps than the bound allows is reported as too
// fast for the chosen t(max), also when the last trial overflowed.
TEST(Integrator, SubstepBoundIsReportedAsTooFast)
{
    struct Case {
        int model;
        double k1, k2, k3;
    };
    for (const Case& f : {Case{10, 1e6, 1e3, 10}, Case{7, 1e306, 0.05, 0}}) {
        Declare d = Modell(f.model);
        d.k[1] = f.k1;
        d.k[2] = f.k2;
        d.k[3] = f.k3;
        const SimulationsErgebnis erg = calc_diagram_function(d, f.model);
        ASSERT_TRUE(erg.failed) << f.model;
        EXPECT_NE(erg.Fehlertext.find("more than 16384 steps"), std::string::npos) << erg.Fehlertext;
        EXPECT_NE(erg.Fehlertext.find("too fast for this t(max)"), std::string::npos) << erg.Fehlertext;
    }
}

// The integrator has its own rate equations for its compact state. At random
// states and constants they must equal CalcRates on the slots they stand for,
// CalcRates must be 0 on the other slots, and both must be the sum over the
// model's reactions of stoichiometric coefficient times mass-action rate, the
// rate of reaction j being k_j times the product of its reactants raised to
// their coefficients (from SetStoechiometrie). Model 20's matrix carries the
// order n as the coefficient of A, while its rate law consumes A at the rate
// k1 A^n: its exponent comes from the matrix with n, its coefficients from the
// matrix with n = 1.
TEST(Integrator, OwnRateEquationsEqualCalcRatesAndTheStoichiometry)
{
    std::mt19937 rng(20260);
    std::uniform_real_distribution<double> conc(0.0, 5.0), exponentDist(-3.0, 3.0);
    const float orders[] = {0.5f, 1.0f, 1.5f, 2.0f, 2.7f};
    for (int model : {7, 9, 10, 13, 14, 15, 18, 20}) {
        int slots[4] = {0, 0, 0, 0};
        const int n = IntegratorStateSlots(model, slots);
        ASSERT_EQ(n, IntegratorZustandsgroesse(model));
        for (int trial = 0; trial < 200; ++trial) {
            double c[6] = {0, 0, 0, 0, 0, 0}, k[4] = {0, 0, 0, 0};
            for (int s = 1; s <= 5; ++s) c[s] = trial % 10 == s ? 0.0 : conc(rng);
            for (int j = 1; j <= 3; ++j) k[j] = std::pow(10.0, exponentDist(rng));
            const float order = orders[trial % 5];

            double y[4] = {0, 0, 0, 0}, f[4] = {0, 0, 0, 0};
            for (int i = 0; i < n; ++i) y[i] = c[slots[i]];
            IntegratorDerivative(model, k, order, y, f);
            double dc[6] = {0, 0, 0, 0, 0, 0};
            CalcRates(model, dc, k, c, order);

            Array2<float> nu(6, 4), exponents(6, 4);
            SetStoechiometrie(nu, model, model == 20 ? 1.0f : order);
            SetStoechiometrie(exponents, model, order);
            double expected[6] = {0, 0, 0, 0, 0, 0}, magnitude[6] = {0, 0, 0, 0, 0, 0};
            for (std::size_t j = 1; j <= 3; ++j) {
                double r = k[j];
                bool involved = false;
                for (std::size_t s = 1; s <= 5; ++s) {
                    involved = involved || nu(s, j) != 0;
                    if (exponents(s, j) < 0) r *= std::pow(c[s], -static_cast<double>(exponents(s, j)));
                }
                if (!involved) continue;
                for (std::size_t s = 1; s <= 5; ++s) {
                    expected[s] += nu(s, j) * r;
                    magnitude[s] += std::fabs(nu(s, j) * r);
                }
            }

            const std::string label = "model " + std::to_string(model) + " try " + std::to_string(trial);
            bool inState[6] = {false, false, false, false, false, false};
            for (int i = 0; i < n; ++i) {
                const int s = slots[i];
                inState[s] = true;
                const double tol = 1e-13 * magnitude[s] + 1e-300;
                EXPECT_NEAR(f[i], dc[s], tol) << label << " slot " << s;
                EXPECT_NEAR(dc[s], expected[s], tol) << label << " slot " << s;
            }
            for (int s = 1; s <= 5; ++s)
                if (!inState[s]) {
                    EXPECT_EQ(dc[s], 0.0) << label << " slot " << s;
                    EXPECT_EQ(expected[s], 0.0) << label << " slot " << s;
                }
        }
    }
}
