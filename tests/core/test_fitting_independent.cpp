// Fits checked against an optimum the program had no part in: the measured
// points come from the integrated rate laws written below, and the best rate
// constant is found here by a search of our own over the sum of squares of the
// same closed form. A fit that recovers its own simulation would pass whatever
// rate law the simulation used; this one fails when the program's rate law
// differs from the textbook one (a lost factor 2 in 2A => P doubles its k).

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "builders.h"
#include "core/evaluation/fitting.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/expdata.h"
#include "core/shell/startup.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

using Real = long double;

// c(A) and c(P) at time t from the integrated rate law, with c(A)(0) = a0 and
// c(P)(0) = 0.
struct Conc {
    Real A;
    Real P;
};
using RateLaw = std::function<Conc(Real k, Real a0, Real t)>;

// A => P, d[A]/dt = -k A.
Conc FirstOrder(Real k, Real a0, Real t)
{
    const Real a = a0 * std::exp(-k * t);
    return {a, a0 - a};
}

// 2A => P, d[A]/dt = -2 k A^2, d[P]/dt = k A^2.
Conc SecondOrder2A(Real k, Real a0, Real t)
{
    const Real a = a0 / (1 + 2 * k * a0 * t);
    return {a, (a0 - a) / 2};
}

struct Series {
    int model;
    RateLaw law;
    double kTrue; // the constant the points are made with
    double a0;
    std::vector<double> times;
};

// Fixed relative errors put on the points, so that the best k is not the one
// the points were made with and the search below has something to find.
constexpr std::array<double, 8> kErrors = {0.021, -0.013, 0.008, -0.024, 0.017, -0.006, 0.012, -0.019};

std::vector<ExpPunkt> Points(const Series& s)
{
    std::vector<ExpPunkt> points;
    for (std::size_t i = 0; i < s.times.size(); ++i) {
        const Conc c = s.law(s.kTrue, s.a0, s.times[i]);
        const double eA = kErrors[i % kErrors.size()], eP = kErrors[(i + 3) % kErrors.size()];
        points.push_back(CtPoint({.t = s.times[i], .A = double(c.A) * (1 + eA), .P = double(c.P) * (1 + eP)}));
    }
    return points;
}

// Sum of squares of c(A) and c(P) over the points for the constant k.
Real Ssq(const Series& s, const std::vector<ExpPunkt>& points, Real k)
{
    Real sum = 0;
    for (const ExpPunkt& p : points) {
        const Conc c = s.law(k, s.a0, p.t);
        sum += (p.c[1] - c.A) * (p.c[1] - c.A) + (p.c[4] - c.P) * (p.c[4] - c.P);
    }
    return sum;
}

// The k of least sum of squares: a scan over two decades around the true k on a
// log scale, then golden-section search in the scan's best interval.
Real BestK(const Series& s, const std::vector<ExpPunkt>& points)
{
    const Real lo = std::log(Real(s.kTrue) / 10), hi = std::log(Real(s.kTrue) * 10);
    const int steps = 2000;
    const Real h = (hi - lo) / steps;
    int best = 0;
    for (int i = 1; i <= steps; ++i)
        if (Ssq(s, points, std::exp(lo + i * h)) < Ssq(s, points, std::exp(lo + best * h))) best = i;
    EXPECT_GT(best, 0);
    EXPECT_LT(best, steps); // an inner minimum
    Real a = lo + (best - 1) * h, b = lo + (best + 1) * h;
    const Real g = (std::sqrt(Real(5)) - 1) / 2;
    Real x1 = b - g * (b - a), x2 = a + g * (b - a);
    Real f1 = Ssq(s, points, std::exp(x1)), f2 = Ssq(s, points, std::exp(x2));
    while (b - a > 1e-14L) {
        if (f1 < f2) {
            b = x2, x2 = x1, f2 = f1;
            x1 = b - g * (b - a), f1 = Ssq(s, points, std::exp(x1));
        } else {
            a = x1, x1 = x2, f1 = f2;
            x2 = a + g * (b - a), f2 = Ssq(s, points, std::exp(x2));
        }
    }
    return std::exp((a + b) / 2);
}

FitResult ProgramFit(const Series& s, const std::vector<ExpPunkt>& points, double start)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.Arbeitsmodus = 1;
    d.ModellNr = static_cast<std::int16_t>(s.model);
    SetStoffMuster(d, s.model);
    d.tEnde = static_cast<float>(s.times.back());
    LoadMeasuredPoints(d, points);
    FitProblem p = MakeFitProblem(d, 1);
    p.c0 = {0, s.a0, 0, 0, 0, 0};
    p.species = {false, true, false, false, true, false}; // A and P, as Ssq
    p.p[1].value = start;
    return MarquardtNashFitting(d, p);
}

} // namespace

TEST(FittingIndependent, ReachesTheOptimumOfTheTextbookRateLaw)
{
    const std::vector<double> times = {1, 2, 3, 5, 7, 10, 14, 19, 25, 32, 40, 50};
    const Series cases[] = {
        {2, FirstOrder, 0.08, 1.0, times},
        {3, SecondOrder2A, 0.05, 0.8, times},
    };
    for (const Series& s : cases) {
        SCOPED_TRACE("model " + std::to_string(s.model));
        const std::vector<ExpPunkt> points = Points(s);
        const Real k = BestK(s, points);
        // The errors move the optimum away from the constant the points came from.
        EXPECT_GT(std::abs(double(k) / s.kTrue - 1), 1e-4);
        for (double start : {s.kTrue / 20, s.kTrue * 20}) {
            const FitResult r = ProgramFit(s, points, start);
            ASSERT_TRUE(FitSucceeded(r.status)) << r.statusText;
            EXPECT_EQ(r.points, 2 * int(times.size()));
            EXPECT_NEAR(r.value[1] / double(k), 1.0, 1e-6) << "program k " << r.value[1] << ", optimum " << double(k);
            EXPECT_NEAR(r.SSQ / double(Ssq(s, points, k)), 1.0, 1e-6);
        }
    }
}
