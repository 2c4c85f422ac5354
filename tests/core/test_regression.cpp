#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/kinetics/regression.h"
#include "core/shell/error.h"

using namespace kinhom;

namespace {

// Points 1..n (element 0 unused, as the callers fill them).
struct Punkte {
    std::vector<float> x{0}, y{0}, w{0};
    void add(double xi, double yi, double wi = 1)
    {
        x.push_back(static_cast<float>(xi));
        y.push_back(static_cast<float>(yi));
        w.push_back(static_cast<float>(wi));
    }
};

struct Ergebnis {
    Array2<double> A = Array2<double>(4, 4); // the chart window's 4 x 4 table
    float s = -7, rel = -7, r2 = -7;         // sentinels: "not written"
    bool failed = false;
};

Ergebnis Fit(const Punkte& p, int np, int mode, int ohneKonstante = 0)
{
    Ergebnis e;
    CalcRegression(p.x, p.y, p.w, np, mode, static_cast<std::int16_t>(ohneKonstante), e.A, e.s, e.rel, e.r2,
                   e.failed);
    return e;
}

double Koeff(const Ergebnis& e, int np, int i) { return e.A(i, np + 1); }

} // namespace

TEST(CalcRegression, ExactLineGivesItsCoefficientsAndAPerfectFit)
{
    Punkte p;
    for (int i = 1; i <= 5; ++i) p.add(i, 2.0 + 3.0 * i);
    const Ergebnis e = Fit(p, 2, 2);
    ASSERT_FALSE(e.failed);
    EXPECT_NEAR(Koeff(e, 2, 1), 2.0, 1e-12);
    EXPECT_NEAR(Koeff(e, 2, 2), 3.0, 1e-12);
    EXPECT_NEAR(e.s, 0.0f, 1e-6);
    EXPECT_NEAR(e.rel, 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(e.r2, 1.0f);
    // the left block is the identity
    EXPECT_NEAR(e.A(1, 1), 1.0, 1e-15);
    EXPECT_NEAR(e.A(2, 2), 1.0, 1e-15);
    EXPECT_NEAR(e.A(1, 2), 0.0, 1e-15);
    EXPECT_NEAR(e.A(2, 1), 0.0, 1e-15);
    // mode 1 is the same straight line
    const Ergebnis e1 = Fit(p, 2, 1);
    EXPECT_NEAR(Koeff(e1, 2, 2), 3.0, 1e-12);
}

// Statistics worked out by hand:
//  (1,1) (2,2) (3,2): slope 1/2, intercept 2/3, SSE 1/6, SST 2/3,
//  s = sqrt(1/6), R^2 = 0.75, relative deviation sqrt(625/3) %.
//  (0,0) (1,2) (2,2) (3,4): slope 1.2, intercept 0.2, SSE 0.8, SST 8,
//  s = sqrt(0.4), R^2 = 0.9; the point with y = 0 adds nothing to SREL = 1825
//  but counts in the divisor: sqrt(1825 / 4).
TEST(CalcRegression, StatisticsAgainstHandCalculation)
{
    struct Fall {
        std::vector<std::pair<double, double>> pts;
        double a, b, s, rel, r2;
    } faelle[] = {
        {{{1, 1}, {2, 2}, {3, 2}}, 2.0 / 3.0, 0.5, std::sqrt(1.0 / 6.0), std::sqrt(625.0 / 3.0), 0.75},
        {{{0, 0}, {1, 2}, {2, 2}, {3, 4}}, 0.2, 1.2, std::sqrt(0.4), std::sqrt(1825.0 / 4.0), 0.9},
    };
    for (const auto& f : faelle) {
        Punkte p;
        for (auto [x, y] : f.pts) p.add(x, y);
        const Ergebnis e = Fit(p, 2, 2);
        ASSERT_FALSE(e.failed);
        EXPECT_NEAR(Koeff(e, 2, 1), f.a, 1e-12);
        EXPECT_NEAR(Koeff(e, 2, 2), f.b, 1e-12);
        EXPECT_NEAR(e.s, f.s, 1e-6);
        EXPECT_NEAR(e.rel, f.rel, 1e-4);
        EXPECT_NEAR(e.r2, f.r2, 1e-6);

        // a wild point with weight 0 changes nothing
        Punkte q = p;
        q.add(1.5, 1000.0, 0.0);
        const Ergebnis g = Fit(q, 2, 2);
        ASSERT_FALSE(g.failed);
        EXPECT_NEAR(Koeff(g, 2, 1), f.a, 1e-12);
        EXPECT_NEAR(Koeff(g, 2, 2), f.b, 1e-12);
        EXPECT_FLOAT_EQ(g.s, e.s);
        EXPECT_FLOAT_EQ(g.rel, e.rel);
        EXPECT_FLOAT_EQ(g.r2, e.r2);
    }
}

TEST(CalcRegression, SingularSystemsAreReportedAndLeaveTheStatistics)
{
    struct Fall {
        const char* name;
        Punkte p;
        int np, mode, ohne;
    };
    std::vector<Fall> faelle;
    {
        Punkte p;
        for (int i = 1; i <= 4; ++i) p.add(i, i, 0.0);
        faelle.push_back({"all weights 0", p, 2, 2, 0});
    }
    faelle.push_back({"no points", Punkte{}, 2, 2, 0});
    {
        Punkte p;
        p.add(2, 1);
        faelle.push_back({"one point, two coefficients", p, 2, 2, 0});
    }
    for (int n : {2, 3, 10, 1000, 30000}) {
        for (double x0 : {0.1, 3.0, 1.0 / 298.15, 1e-7, 12345.678}) {
            Punkte p;
            std::mt19937 rng(static_cast<unsigned>(n));
            std::uniform_real_distribution<double> u(-1, 1);
            for (int i = 0; i < n; ++i) p.add(x0, u(rng));
            faelle.push_back({"all x equal", p, 2, 2, 0});
        }
    }
    {
        Punkte p;
        for (int i = 1; i <= 6; ++i) p.add(i, i * i);
        faelle.push_back({"more coefficients than the mode has", p, 3, 2, 0});
        faelle.push_back({"mode outside 1 to 5", p, 2, 9, 0});
    }
    {
        Punkte p;
        for (int i = 1; i <= 4; ++i) p.add(0.0, i);
        faelle.push_back({"no constant and x = 0 everywhere", p, 1, 2, 1});
    }
    for (const Fall& f : faelle) {
        const Ergebnis e = Fit(f.p, f.np, f.mode, f.ohne);
        EXPECT_TRUE(e.failed) << f.name << " n=" << f.p.x.size() - 1 << " x=" << (f.p.x.size() > 1 ? f.p.x[1] : 0);
        EXPECT_EQ(e.s, -7.0f) << f.name;
        EXPECT_EQ(e.rel, -7.0f) << f.name;
        EXPECT_EQ(e.r2, -7.0f) << f.name;
    }
}

TEST(CalcRegression, TwoPointsGiveTheLineThroughBothAndNoStatistics)
{
    Punkte p;
    p.add(0.5, 4.0);
    p.add(2.5, -1.0);
    p.add(9.0, 9.0, 0.0); // excluded
    const Ergebnis e = Fit(p, 2, 2);
    ASSERT_FALSE(e.failed);
    EXPECT_NEAR(Koeff(e, 2, 2), -2.5, 1e-12);
    EXPECT_NEAR(Koeff(e, 2, 1), 5.25, 1e-12);
    EXPECT_EQ(e.s, 0.0f);
    EXPECT_EQ(e.rel, 0.0f);
    EXPECT_EQ(e.r2, 0.0f);
}

// A weighting that makes the leading entry of the normal matrix 0 while the
// entry below it is not: weights +1 at x = 1 and -1 at x = 0 give
// A = [[0, 1], [1, 1]]; the rows must be exchanged. The solution is the line
// through (0, y2) and (1, y1).
TEST(CalcRegression, ZeroPivotExchangesRows)
{
    Punkte p;
    p.add(1.0, 5.0, 1.0);
    p.add(0.0, 3.0, -1.0);
    const Ergebnis e = Fit(p, 2, 2);
    ASSERT_FALSE(e.failed);
    EXPECT_NEAR(Koeff(e, 2, 1), 3.0, 1e-14);
    EXPECT_NEAR(Koeff(e, 2, 2), 2.0, 1e-14);
    EXPECT_NEAR(e.A(1, 1), 1.0, 1e-15);
    EXPECT_NEAR(e.A(2, 2), 1.0, 1e-15);
    EXPECT_NEAR(e.A(2, 1), 0.0, 1e-15);
}

TEST(CalcRegression, EveryModeReproducesAnExactPolynomialOfItsDegree)
{
    struct Fall {
        int mode, np, ohne;
        std::vector<double> c; // coefficients in basis order
        std::vector<double> basisPotenz;
    } faelle[] = {
        {1, 2, 0, {-1.5, 0.25}, {0, 1}},
        {2, 2, 0, {4.0, -2.0}, {0, 1}},
        {3, 3, 0, {1.0, -2.0, 0.5}, {0, 1, 2}},
        {4, 4, 0, {-3.0, 0.5, 1.25, -0.125}, {0, 1, 2, 3}},
        {5, 5, 0, {2.0, -1.0, 0.75, 0.25, -0.0625}, {0, 1, 2, 3, 4}},
        // without the constant the basis starts at x
        {2, 1, 1, {2.5}, {1}},
        {3, 2, 1, {3.0, -0.5}, {1, 2}},
        {5, 4, 1, {1.0, 0.5, -0.25, 0.125}, {1, 2, 3, 4}},
    };
    for (const auto& f : faelle) {
        Punkte p;
        for (int i = -3; i <= 6; ++i) {
            double y = 0;
            for (std::size_t j = 0; j < f.c.size(); ++j) y += f.c[j] * std::pow(i, f.basisPotenz[j]);
            p.add(i, y);
        }
        Ergebnis e;
        e.A = Array2<double>(); // too small: enlarged by the routine
        CalcRegression(p.x, p.y, p.w, f.np, f.mode, static_cast<std::int16_t>(f.ohne), e.A, e.s, e.rel, e.r2,
                       e.failed);
        ASSERT_FALSE(e.failed) << "mode " << f.mode;
        for (int i = 1; i <= f.np; ++i)
            EXPECT_NEAR(Koeff(e, f.np, i), f.c[i - 1], 1e-9) << "mode " << f.mode << " coefficient " << i;
        EXPECT_NEAR(e.s, 0.0f, 1e-6) << "mode " << f.mode;
        EXPECT_NEAR(e.r2, 1.0f, 1e-6) << "mode " << f.mode;
    }
}

// Points with no spread in y: a fit that reproduces them has R^2 = 1, one that
// cannot (no constant term) has R^2 = 0; never a quotient of two zeros.
TEST(CalcRegression, NoSpreadInY)
{
    Punkte p;
    for (int i = 1; i <= 4; ++i) p.add(i, 0.3);
    const Ergebnis e = Fit(p, 2, 2);
    ASSERT_FALSE(e.failed);
    EXPECT_NEAR(Koeff(e, 2, 1), static_cast<double>(0.3f), 1e-12);
    EXPECT_NEAR(Koeff(e, 2, 2), 0.0, 1e-12);
    EXPECT_EQ(e.r2, 1.0f);
    EXPECT_NEAR(e.s, 0.0f, 1e-7);

    const Ergebnis g = Fit(p, 1, 2, 1); // y = b x only
    ASSERT_FALSE(g.failed);
    EXPECT_EQ(g.r2, 0.0f);
    EXPECT_GT(g.s, 0.0f);

    Punkte z;
    for (int i = 1; i <= 4; ++i) z.add(i, 0.0);
    const Ergebnis h = Fit(z, 2, 2);
    ASSERT_FALSE(h.failed);
    EXPECT_EQ(h.r2, 1.0f);
    EXPECT_EQ(h.rel, 0.0f); // every y is 0: nothing enters the relative deviation
}

// Evaluation plots that are well posed but far from x = 0 must not be taken for
// singular: an Arrhenius plot over 10 K and a quartic over a wide time range.
TEST(CalcRegression, NarrowButSoundDataAreNotSingular)
{
    Punkte arr;
    for (double T = 300; T <= 310; T += 2) arr.add(1.0 / T, 20.0 - 6000.0 / T);
    const Ergebnis e = Fit(arr, 2, 2);
    ASSERT_FALSE(e.failed);
    EXPECT_NEAR(Koeff(e, 2, 2), -6000.0, 6000.0 * 1e-3);
    EXPECT_GT(e.r2, 0.999f);

    Punkte q;
    for (int i = 0; i <= 10; ++i) {
        const double x = 10.0 * i;
        q.add(x, 1.0 + 0.01 * x * x - 1e-6 * x * x * x * x);
    }
    const Ergebnis g = Fit(q, 5, 5);
    ASSERT_FALSE(g.failed);
    EXPECT_NEAR(Koeff(g, 5, 1), 1.0, 1e-3);
    EXPECT_NEAR(Koeff(g, 5, 3), 0.01, 1e-6);
    EXPECT_NEAR(Koeff(g, 5, 5), -1e-6, 1e-9);
}

TEST(CalcRegression, ShortArraysAndBadCoefficientCountsAreErrors)
{
    Punkte p;
    for (int i = 1; i <= 3; ++i) p.add(i, i);
    p.w.pop_back();
    Ergebnis e;
    EXPECT_THROW(CalcRegression(p.x, p.y, p.w, 2, 2, 0, e.A, e.s, e.rel, e.r2, e.failed), KinError);
    p.w.push_back(1);
    EXPECT_THROW(CalcRegression(p.x, p.y, p.w, 0, 2, 0, e.A, e.s, e.rel, e.r2, e.failed), KinError);
    EXPECT_THROW(CalcRegression(p.x, p.y, p.w, 6, 5, 0, e.A, e.s, e.rel, e.r2, e.failed), KinError);
}
