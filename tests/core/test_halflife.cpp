#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/kinetics/halflife.h"
#include "core/shell/error.h"
#include "core/shell/startup.h"

using namespace kinhom;

namespace {

struct Recorder : KinNotify {
    struct Box {
        std::string text, title;
        int icon;
    };
    std::vector<Box> boxes;
    int beeps = 0;
    std::vector<int> captions;
    void message(const std::string& text, const std::string& title, int icon) override
    {
        boxes.push_back({text, title, icon});
    }
    void beep() override { ++beeps; }
    void captionsChanged(int neu) override { captions.push_back(neu); }
    int conversions = 0;
    double factor = 0;
    void rateConstantsConverted(double f) override
    {
        ++conversions;
        factor = f;
    }
};

const std::string kNotA = "c(A) = c(A)(0)/2 can not be reached under this equilibrium conditions ";
const std::string kNotB = "c(B) = c(B)(0)/2 can not be reached under this equilibrium conditions ";

// The time at which a falling course f(t) reaches the value ziel, by bisection.
double Crossing(const std::function<double(double)>& f, double ziel, double tHi)
{
    double lo = 0, hi = tHi;
    while (f(hi) > ziel) hi *= 2;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (f(mid) > ziel ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

struct Call {
    int code;
    double A0, B0, P0, k1, k2;
    int modell = 0;
};

float HalbA(const Call& c, Recorder& r)
{
    Declare d;
    d.DiagrammTyp = static_cast<std::int16_t>(c.code);
    d.ModellNr = static_cast<std::int16_t>(c.modell);
    d.c0 = {0, c.A0, c.B0, 0, c.P0, 0};
    d.k = {0, c.k1, c.k2, 0};
    return FuHalbwertszeitA(d, c.A0, c.B0, c.P0, c.k1, c.k2, r);
}

float HalbB(const Call& c, Recorder& r)
{
    Declare d;
    d.DiagrammTyp = static_cast<std::int16_t>(c.code);
    d.ModellNr = static_cast<std::int16_t>(c.modell);
    d.c0 = {0, c.A0, c.B0, 0, c.P0, 0};
    d.k = {0, c.k1, c.k2, 0};
    return FuHalbwertszeitB(d, c.A0, c.B0, c.P0, c.k1, c.k2, r);
}

// A + B => P: A(t) = (A0 - B0) A0 / (A0 - B0 exp(-(A0 - B0) k t)), B = A - (A0 - B0)
double CourseAplusB_A(double A0, double B0, double k, double t)
{
    const double diff = A0 - B0;
    return diff * A0 / (A0 - B0 * std::exp(-diff * k * t));
}

// The reversible second-order reactions: with the rate law
// dx/dt = a (x - alpha)(x - beta), the time to reach the extent x is
// t(x) = ln[(x - alpha) beta / ((x - beta) alpha)] / (a (alpha - beta)).
long double TimeToExtent(long double a, long double b, long double c, long double x)
{
    const long double w = std::sqrt(b * b - 4 * a * c);
    const long double alpha = (-b + w) / (2 * a), beta = (-b - w) / (2 * a);
    return std::log(std::fabs((x - alpha) * beta / ((x - beta) * alpha))) / (a * (alpha - beta));
}

// rate polynomial a x^2 + b x + c of A + B <=> P (zweiP false) or A + B <=> 2P
void RatePoly(bool zweiP, double A0, double B0, double P0, double k1, double k2, long double& a, long double& b,
              long double& c)
{
    const long double A = A0, B = B0, P = P0, K1 = k1, K2 = k2;
    if (zweiP) {
        a = K1 - 4 * K2;
        b = -(K1 * (A + B) + 4 * K2 * P);
        c = K1 * A * B - K2 * P * P;
    } else {
        a = K1;
        b = -(K1 * (A + B) + K2);
        c = K1 * A * B - K2 * P;
    }
}

// the equilibrium extent by bisection on the net rate between the bounds that
// keep every concentration non-negative
double Equilibrium(bool zweiP, double A0, double B0, double P0, double k1, double k2)
{
    auto rate = [&](double x) {
        const double p = zweiP ? P0 + 2 * x : P0 + x;
        return k1 * (A0 - x) * (B0 - x) - k2 * (zweiP ? p * p : p);
    };
    double lo = zweiP ? -P0 / 2 : -P0, hi = std::min(A0, B0);
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (rate(mid) > 0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

} // namespace

TEST(FuHalbwertszeitA, ClosedFormsAgainstTheCourses)
{
    const double ln2 = std::log(2.0);
    struct Fall {
        Call c;
        double expect;
    };
    const Fall faelle[] = {
        {{2, 1, 0, 0, 0.15, 0}, 4.62098},
        {{52, 1, 0, 0, 0.15, 0}, ln2 / 0.15},
        {{-5, 1, 0, 0, 0.02, 0}, ln2 / 0.02},
        // zeroth order: A0 - k t = A0 / 2
        {{1, 2.0, 0, 0, 0.015, 0}, 2.0 / 2 / 0.015},
        {{51, 0.5, 0, 0, 0.1, 0}, 2.5},
        // 2A => P: 1/A = 1/A0 + 2 k t
        {{3, 0.8, 0, 0, 0.25, 0}, 1.0 / (2 * 0.25 * 0.8)},
        {{53, 0.8, 0, 0, 0.25, 0}, 1.0 / (2 * 0.25 * 0.8)},
        {{-6, 0.8, 0, 0, 0.25, 0, 3}, 1.0 / (2 * 0.25 * 0.8)},
        // 1/c plot of A + B => P with equal start concentrations: 1/A = 1/A0 + k t
        {{-6, 0.8, 0.8, 0, 0.25, 0, 4}, 1.0 / (0.25 * 0.8)},
        // A + B => P
        {{4, 1, 1, 0, 0.5, 0}, 2.0},
        {{4, 1, 2, 0, 0.5, 0}, Crossing([](double t) { return CourseAplusB_A(1, 2, 0.5, t); }, 0.5, 1)},
        {{54, 0.3, 0.2, 0, 1.5, 0}, Crossing([](double t) { return CourseAplusB_A(0.3, 0.2, 1.5, t); }, 0.15, 1)},
        {{9, 2, 1.5, 0, 0.1, 0}, Crossing([](double t) { return CourseAplusB_A(2, 1.5, 0.1, t); }, 1, 1)},
        {{-8, 1, 3, 0, 0.2, 0}, Crossing([](double t) { return CourseAplusB_A(1, 3, 0.2, t); }, 0.5, 1)},
        // close start concentrations approach the equal-concentration limit
        {{59, 1, 1 + 1e-9, 0, 0.5, 0}, 2.0},
        // autocatalysis: A = (A0 + P0) / (1 + P0/A0 exp((A0 + P0) k t))
        {{5, 1, 0, 0.002, 0.15, 0},
         Crossing([](double t) { return 1.002 / (1 + 0.002 * std::exp(1.002 * 0.15 * t)); }, 0.5, 1)},
        {{66, 0.4, 0, 0.05, 2, 0},
         Crossing([](double t) { return 0.45 / (1 + 0.05 / 0.4 * std::exp(0.45 * 2 * t)); }, 0.2, 1)},
        // competing first-order reactions
        {{11, 1, 0, 0, 0.15, 0.05}, ln2 / 0.2},
        {{61, 1, 0, 0, 0.15, 0.05}, ln2 / 0.2},
        // reversible first order: A = Ae + (A0 - Ae) exp(-(k1 + k2) t)
        {{8, 1, 0, 0, 0.5, 0.1}, std::log(2.5) / 0.6},
        {{58, 1, 0, 0.2, 0.5, 0.1},
         Crossing([](double t) { return 0.2 + 0.8 * std::exp(-0.6 * t); }, 0.5, 1)},
        // no half-life of A for these codes
        {{7, 1, 1, 0, 0.15, 0.05}, 0},
        {{10, 1, 5, 0, 0.15, 0.1}, 0},
        {{0, 1, 1, 0, 0.15, 0.05}, 0},
        {{-1, 1, 1, 0, 0.15, 0.05}, 0},
        {{100, 1, 1, 0, 0.15, 0.05}, 0},
        {{20, 1, 0, 0, 0.15, 0}, 0},
    };
    for (const Fall& f : faelle) {
        Recorder r;
        const float t = HalbA(f.c, r);
        EXPECT_NEAR(t, f.expect, 2e-6 * std::max(1.0, f.expect)) << "code " << f.c.code << " A0 " << f.c.A0;
        EXPECT_EQ(r.beeps, 0) << f.c.code;
        EXPECT_TRUE(r.boxes.empty()) << f.c.code;
    }
}

TEST(FuHalbwertszeitA, SharedRateConstantOfTheConsecutiveReaction)
{
    Declare d;
    d.DiagrammTyp = 6;
    d.k = {0, 0.3, 0.1, 0};
    Recorder r;
    EXPECT_NEAR(FuHalbwertszeitA(d, 1, 0, 0, 99.0, 0.1, r), std::log(2.0) / 0.3, 1e-6);
    d.DiagrammTyp = 56;
    EXPECT_NEAR(FuHalbwertszeitA(d, 1, 0, 0, 99.0, 0.1, r), std::log(2.0) / 0.3, 1e-6);
}

TEST(FuHalbwertszeitB, ClosedFormsAndCodesWithoutB)
{
    struct Fall {
        Call c;
        double expect;
        int beeps;
    };
    // B(t) = A(t) - (A0 - B0)
    auto courseB = [](double A0, double B0, double k) {
        return [=](double t) { return CourseAplusB_A(A0, B0, k, t) - (A0 - B0); };
    };
    const Fall faelle[] = {
        {{4, 1, 1, 0, 0.5, 0}, 2.0, 0},
        {{4, 1, 0.5, 0, 0.5, 0}, Crossing(courseB(1, 0.5, 0.5), 0.25, 1), 0},
        {{59, 0.3, 0.5, 0, 2, 0}, Crossing(courseB(0.3, 0.5, 2), 0.25, 1), 0},
        {{-8, 2, 1, 0, 0.1, 0}, Crossing(courseB(2, 1, 0.1), 0.5, 1), 0},
        {{4, 1, 2, 0, 0.5, 0}, 0, 1},   // A runs out before B is halved
        {{9, 1, 2.5, 0, 0.5, 0}, 0, 1},
        {{2, 1, 1, 0, 0.5, 0}, 0, 1},   // no half-life of B: beep
        {{8, 1, 0, 0, 0.5, 0.1}, 0, 1},
        {{-5, 1, 0, 0, 0.5, 0.1}, 0, 1},
        {{0, 1, 0, 0, 0.5, 0.1}, 0, 1},
    };
    for (const Fall& f : faelle) {
        Recorder r;
        const float t = HalbB(f.c, r);
        EXPECT_NEAR(t, f.expect, 2e-6 * std::max(1.0, f.expect)) << "code " << f.c.code << " B0 " << f.c.B0;
        EXPECT_EQ(r.beeps, f.beeps) << f.c.code;
        EXPECT_TRUE(r.boxes.empty()) << f.c.code;
    }
}

TEST(FuHalbwertszeitA, TooLittleBBeepsAndGivesZero)
{
    Recorder r;
    EXPECT_EQ(HalbA({4, 1, 0.5, 0, 0.5, 0}, r), 0.0f);
    EXPECT_EQ(r.beeps, 1);
    EXPECT_EQ(HalbA({-8, 1, 0.2, 0, 0.5, 0}, r), 0.0f);
    EXPECT_EQ(r.beeps, 2);
    EXPECT_TRUE(r.boxes.empty());
}

// Faults that have no value: the error box with the routine's title and -1,
// never a number that is not finite.
TEST(FuHalbwertszeit, RunTimeFaultsTakeTheErrorPath)
{
    struct Fall {
        const char* was;
        Call c;
        bool fuerB;
    };
    const Fall faelle[] = {
        {"A + B <=> 2P with K = 4", {12, 1, 1, 0, 0.4, 0.1}, false},
        {"A + B <=> 2P with K = 4, B", {62, 1, 1, 0, 0.4, 0.1}, true},
        {"reversible first order with k2 = 0", {8, 1, 0, 0, 0.5, 0}, false},
        {"A + B <=> P with k2 = 0", {17, 1, 1, 0, 0.5, 0}, false},
        {"first order with k1 = 0", {2, 1, 0, 0, 0, 0}, false},
        {"zeroth order with k1 = 0", {1, 1, 0, 0, 0, 0}, false},
        {"2A => P with A0 = 0", {3, 0, 0, 0, 0.5, 0}, false},
        {"autocatalysis without seed", {5, 1, 0, 0, 0.15, 0}, false},
        {"autocatalysis with a negative seed", {16, 1, 0, -0.5, 0.15, 0}, false},
        {"A + B => P with A0 = B0 = 0", {4, 0, 0, 0, 0.5, 0}, false},
        {"A + B => P, B, with A0 = 0", {4, 0, 0.5, 0, 0.5, 0}, true},
        {"half-life beyond the single range", {2, 1, 0, 0, 1e-300, 0}, false},
        {"competing reactions with k1 + k2 = 0", {11, 1, 0, 0, 0.2, -0.2}, false},
    };
    for (const Fall& f : faelle) {
        Recorder r;
        const float t = f.fuerB ? HalbB(f.c, r) : HalbA(f.c, r);
        EXPECT_EQ(t, -1.0f) << f.was;
        ASSERT_EQ(r.boxes.size(), 1u) << f.was;
        EXPECT_EQ(r.boxes[0].title, f.fuerB ? "Message from FuHalbwertszeitB" : "Message from FuHalbwertszeitA")
            << f.was;
        EXPECT_EQ(r.boxes[0].icon, KinNotify::Critical);
        EXPECT_FALSE(r.boxes[0].text.empty());
    }
}

TEST(FuHalbwertszeit, HalfBeyondTheEquilibriumShowsTheMessage)
{
    struct Fall {
        Call c;
        bool fuerB;
    };
    const Fall faelle[] = {
        {{8, 1, 0, 0, 0.1, 0.5}, false},
        {{58, 1, 0, 0, 0.2, 0.2}, false},   // equilibrium exactly at A0/2
        // A0 = B0 = 0.1, k1 = 1, k2 = 0.1: the equilibrium extent is about
        // 0.038, so A never falls to 0.05
        {{17, 0.1, 0.1, 0, 1, 0.1}, false},
        {{17, 0.1, 0.1, 0, 1, 0.1}, true},
        {{17, 1, 0.5, 0, 0.15, 0.01}, false}, // B is used up before A is halved
        {{12, 1, 0.5, 0, 0.15, 0.01}, false},
        {{62, 1, 1, 0, 2, 1}, true},
    };
    for (const Fall& f : faelle) {
        Recorder r;
        const float t = f.fuerB ? HalbB(f.c, r) : HalbA(f.c, r);
        EXPECT_EQ(t, -1.0f) << f.c.code;
        ASSERT_EQ(r.boxes.size(), 1u) << f.c.code;
        EXPECT_EQ(r.boxes[0].text, f.fuerB ? kNotB : kNotA);
        EXPECT_EQ(r.boxes[0].title, "Execution not possible");
        EXPECT_EQ(r.boxes[0].icon, KinNotify::Critical);
    }
}

// The Newton iteration of the reversible second-order reactions against the
// time at which the closed-form course reaches half the start concentration.
TEST(FuHalbwertszeit, ReversibleSecondOrderAgainstTheCourse)
{
    struct Fall {
        Call c;
        bool fuerB;
    };
    const Fall faelle[] = {
        {{17, 1, 1, 0, 1, 0.1}, false},
        {{17, 1, 0.8, 0.1, 0.5, 0.05}, false},
        {{67, 1, 0.5, 0, 0.15, 0.01}, true},
        {{17, 0.1, 0.1, 0, 10, 0.1}, false},
        {{17, 0.3, 0.1, 0, 10, 0.1}, true},
        {{17, 0.01, 0.01, 0, 1, 0.001}, false},
        {{12, 1, 1, 0, 1, 0.01}, false},
        {{62, 1, 0.5, 0, 0.15, 0.01}, true},
        {{12, 0.1, 0.1, 0, 1, 0.01}, false},
        {{12, 0.1, 0.1, 0, 1, 0.1}, true},
        {{12, 0.1, 0.2, 0.02, 10, 0.1}, false},
        {{62, 0.01, 0.01, 0, 1, 0.001}, true},
        // half-lives far below the iteration's start time
        {{12, 1, 1, 0, 10, 1}, false},
        {{12, 1, 1, 0, 10, 1}, true},
        {{62, 1, 1, 0, 1000, 1}, false},
        {{12, 1, 10, 0, 100, 100}, false}, // k1 < 4 k2
        {{17, 1, 1, 0, 100, 0.1}, false},
        {{67, 2, 1, 0.1, 1000, 1}, true},
        // K close to 4: a = k1 - 4 k2 nearly vanishes and one root grows large
        {{12, 1, 10, 0, 4 * (1 + 1e-6), 1}, false},
        {{12, 1, 10, 0, 4 * (1 - 1e-6), 1}, false},
        {{62, 10, 1, 0.1, 400 * (1 + 1e-12), 100}, true},
        {{62, 10, 1, 0.1, 400 * (1 - 1e-12), 100}, true},
    };
    for (const Fall& f : faelle) {
        const bool zweiP = f.c.code == 12 || f.c.code == 62;
        long double a, b, c;
        RatePoly(zweiP, f.c.A0, f.c.B0, f.c.P0, f.c.k1, f.c.k2, a, b, c);
        const double halb = (f.fuerB ? f.c.B0 : f.c.A0) / 2;
        const double expect = static_cast<double>(TimeToExtent(a, b, c, halb));
        Recorder r;
        const float t = f.fuerB ? HalbB(f.c, r) : HalbA(f.c, r);
        EXPECT_TRUE(r.boxes.empty()) << f.c.code << " A0=" << f.c.A0 << (r.boxes.empty() ? "" : r.boxes[0].text);
        EXPECT_NEAR(t, expect, 2e-6 * expect) << "code " << f.c.code << " A0=" << f.c.A0 << " B=" << f.fuerB;
    }
}

// The reference formula of the test itself, against a plain Runge-Kutta
// integration of the rate law.
TEST(FuHalbwertszeit, ReferenceCourseMatchesIntegration)
{
    const double A0 = 0.1, B0 = 0.2, P0 = 0.02, k1 = 10, k2 = 0.1;
    auto rate = [&](double x) { return k1 * (A0 - x) * (B0 - x) - k2 * (P0 + 2 * x) * (P0 + 2 * x); };
    const double h = 1e-4;
    double x = 0, t = 0;
    while (true) {
        const double r1 = rate(x), r2 = rate(x + h / 2 * r1), r3 = rate(x + h / 2 * r2), r4 = rate(x + h * r3);
        const double xn = x + h / 6 * (r1 + 2 * r2 + 2 * r3 + r4);
        if (xn >= A0 / 2) {
            t += h * (A0 / 2 - x) / (xn - x);
            break;
        }
        x = xn;
        t += h;
    }
    long double a, b, c;
    RatePoly(true, A0, B0, P0, k1, k2, a, b, c);
    EXPECT_NEAR(static_cast<double>(TimeToExtent(a, b, c, A0 / 2)), t, 1e-6 * t);
}

// The roots r1 > r2 of a x^2 + b x + c (the rate law of the extent).
void Roots(long double a, long double b, long double c, double& r1, double& r2)
{
    const long double w = std::sqrt(b * b - 4 * a * c);
    const long double x1 = (-b + w) / (2 * a), x2 = (-b - w) / (2 * a);
    r1 = static_cast<double>(std::max(x1, x2));
    r2 = static_cast<double>(std::min(x1, x2));
}

// Random start values and constants: every half-life that the course reaches is
// returned as the time at which it reaches half the start concentration, also
// where the Newton iteration alone fails (a half-life far below its start
// time); the equilibrium message comes exactly when half the start
// concentration lies beyond the equilibrium.
TEST(FuHalbwertszeit, ReversibleSecondOrderFindsEveryReachableHalfLife)
{
    std::mt19937 rng(20240607);
    std::uniform_real_distribution<double> u(-1.5, 1.5);
    int ok = 0, gerettet = 0, nichtErreichbar = 0;
    double maxNewton = 0, maxGerettet = 0;
    for (int i = 0; i < 4000; ++i) {
        const bool zweiP = i % 2 == 0;
        const bool fuerB = (i / 2) % 2 == 1;
        Call c{zweiP ? 12 : 17, std::pow(10, u(rng)), std::pow(10, u(rng)), i % 3 == 0 ? std::pow(10, u(rng) - 1) : 0,
               std::pow(10, u(rng)), std::pow(10, u(rng) - 1)};
        if (zweiP && std::fabs(c.k1 - 4 * c.k2) < 1e-3 * c.k1) continue;
        const double xe = Equilibrium(zweiP, c.A0, c.B0, c.P0, c.k1, c.k2);
        const double halb = (fuerB ? c.B0 : c.A0) / 2;
        if (std::fabs(xe - halb) < 1e-9 * halb) continue;
        const std::string fall = "code " + std::to_string(c.code) + " A0=" + std::to_string(c.A0) +
                                 " B0=" + std::to_string(c.B0) + " P0=" + std::to_string(c.P0) +
                                 " k1=" + std::to_string(c.k1) + " k2=" + std::to_string(c.k2) +
                                 (fuerB ? " B" : " A");
        Recorder r;
        const float t = fuerB ? HalbB(c, r) : HalbA(c, r);
        if (!(xe > halb)) {
            EXPECT_EQ(t, -1.0f) << fall;
            ASSERT_EQ(r.boxes.size(), 1u) << fall;
            EXPECT_EQ(r.boxes[0].text, fuerB ? kNotB : kNotA) << fall;
            EXPECT_EQ(r.boxes[0].title, "Execution not possible") << fall;
            ++nichtErreichbar;
            continue;
        }
        EXPECT_TRUE(r.boxes.empty()) << fall << ": " << (r.boxes.empty() ? "" : r.boxes[0].text);
        ASSERT_GT(t, 0.0f) << fall;
        long double a, b, cc;
        RatePoly(zweiP, c.A0, c.B0, c.P0, c.k1, c.k2, a, b, cc);
        const double expect = static_cast<double>(TimeToExtent(a, b, cc, halb));
        const double rel = std::fabs(t - expect) / expect;
        // would the Newton iteration alone have failed here?
        double r1, r2;
        Roots(a, b, cc, r1, r2);
        bool newtonAllein = true;
        try {
            HalbwertszeitNewton(static_cast<double>(a), r1, r2, halb, zweiP ? 0.5f : 0.1f,
                                zweiP ? (fuerB ? 1e-8 : 1e-7) : 1e-6, zweiP && fuerB ? 201 : 101);
        } catch (const KinError&) {
            newtonAllein = false;
        }
        if (newtonAllein) {
            // the Newton iteration stops once its step is below 1e-6 of t
            EXPECT_LT(rel, 2e-6) << fall;
            maxNewton = std::max(maxNewton, rel);
            ++ok;
        } else {
            // the enclosure resolves the time to single precision
            EXPECT_LT(rel, 2e-7) << fall;
            maxGerettet = std::max(maxGerettet, rel);
            ++gerettet;
        }
    }
    EXPECT_GT(ok, 1000);
    EXPECT_GT(gerettet, 300);
    EXPECT_GT(nichtErreichbar, 300);
    std::printf("half-lives by Newton: %d (largest relative deviation %.2e), found where Newton fails: %d "
                "(%.2e), beyond the equilibrium: %d\n",
                ok, maxNewton, gerettet, maxGerettet, nichtErreichbar);
}

TEST(HalbwertszeitNewton, ConvergesOrReportsExhaustion)
{
    // A + B <=> P with A0 = B0 = 1, P0 = 0, k1 = 1, k2 = 0.1: roots of
    // x^2 - 2.1 x + 1
    const double w = std::sqrt(2.1 * 2.1 / 4 - 1);
    const double r1 = 1.05 + w, r2 = 1.05 - w;
    long double a, b, c;
    RatePoly(false, 1, 1, 0, 1, 0.1, a, b, c);
    const double expect = static_cast<double>(TimeToExtent(a, b, c, 0.5));
    EXPECT_NEAR(HalbwertszeitNewton(1.0, r1, r2, 0.5, 0.1f, 1e-6, 101), expect, 1e-6 * expect);
    // too few iterations to meet the test
    EXPECT_THROW(HalbwertszeitNewton(1.0, r1, r2, 0.5, 0.1f, 1e-6, 2), KinError);
}

// The Newton result stands wherever it converges; where it fails, the
// enclosure gives the crossing instead of an error.
TEST(HalbwertszeitVerlauf, KeepsNewtonAndEnclosesWhereItFails)
{
    double r1, r2;
    long double a, b, c;
    // Where the iteration converges its t is returned as it is, even where
    // it lies a few units in the last place from the enclosed crossing.
    struct Fall {
        double A0, B0, P0, k1, k2;
    };
    int abweichend = 0;
    for (const Fall& f : {Fall{1, 1, 0, 1, 0.1}, Fall{1, 0.8, 0.1, 0.5, 0.05}, Fall{0.1, 0.1, 0, 10, 0.1},
                          Fall{0.3, 0.5, 0, 2, 0.3}, Fall{0.01, 0.01, 0, 1, 0.001}, Fall{2, 3, 0.5, 0.7, 0.02}}) {
        RatePoly(false, f.A0, f.B0, f.P0, f.k1, f.k2, a, b, c);
        Roots(a, b, c, r1, r2);
        const float newton = HalbwertszeitNewton(f.k1, r1, r2, f.A0 / 2, 0.1f, 1e-6, 101);
        EXPECT_EQ(HalbwertszeitVerlauf(f.k1, r1, r2, f.A0 / 2, 0.1f, 1e-6, 101), newton) << f.A0 << " " << f.k1;
        if (newton != HalbwertszeitBisektion(f.k1, r1, r2, f.A0 / 2, 0.1f)) ++abweichend;
    }
    EXPECT_GT(abweichend, 0) << "no case tells the two methods apart";

    RatePoly(false, 1, 1, 0, 1, 0.1, a, b, c);
    Roots(a, b, c, r1, r2);
    const double langsam = static_cast<double>(TimeToExtent(a, b, c, 0.5));
    // the iteration exhausted: the crossing all the same
    EXPECT_NEAR(HalbwertszeitVerlauf(1.0, r1, r2, 0.5, 0.1f, 1e-6, 2), langsam, 2e-7 * langsam);

    // A + B <=> 2P, A0 = B0 = 1, k1 = 1000, k2 = 1: the half-life is about
    // 1e-3, and from t = 0.5 the forward difference finds no slope
    RatePoly(true, 1, 1, 0, 1000, 1, a, b, c);
    Roots(a, b, c, r1, r2);
    const double schnell = static_cast<double>(TimeToExtent(a, b, c, 0.5));
    EXPECT_THROW(HalbwertszeitNewton(996, r1, r2, 0.5, 0.5f, 1e-7, 101), KinError);
    const float t = HalbwertszeitVerlauf(996, r1, r2, 0.5, 0.5f, 1e-7, 101);
    EXPECT_EQ(t, HalbwertszeitBisektion(996, r1, r2, 0.5, 0.5f));
    EXPECT_NEAR(t, schnell, 2e-7 * schnell);
}

// The enclosure alone: the crossing to single precision from a start far
// below, at or far above it, for time scales over many decades and for both
// signs of a (A + B <=> 2P with k1 below 4 k2 approaches the larger root).
TEST(HalbwertszeitBisektion, SinglePrecisionFromAnyStart)
{
    struct Fall {
        bool zweiP;
        double A0, B0, P0, k1, k2;
    };
    const Fall faelle[] = {
        {false, 1, 1, 0, 1, 0.1},
        {false, 1, 0.8, 0.1, 1e6, 1e4},
        {false, 0.01, 0.02, 0, 1e-4, 1e-7},
        {true, 1, 1, 0, 10, 1},
        {true, 0.1, 0.2, 0.02, 1e9, 1e7},
        {true, 1, 10, 0, 100, 100},      // a < 0
        {true, 1, 10, 0.5, 1e-3, 1e-3},  // a < 0, slow
    };
    for (const Fall& f : faelle) {
        long double a, b, c;
        RatePoly(f.zweiP, f.A0, f.B0, f.P0, f.k1, f.k2, a, b, c);
        double r1, r2;
        Roots(a, b, c, r1, r2);
        const double halb = f.A0 / 2;
        const double expect = static_cast<double>(TimeToExtent(a, b, c, halb));
        for (float t0 : {1e-9f, 0.5f, 1e9f}) {
            const float t = HalbwertszeitBisektion(static_cast<double>(a), r1, r2, halb, t0);
            EXPECT_NEAR(t, expect, 1.2e-7 * expect) << "k1=" << f.k1 << " k2=" << f.k2 << " t0=" << t0;
        }
    }
    // half the start concentration beyond the limit of the course: no time
    // exists (equilibrium extents about 0.613 and 0.754)
    for (const Fall& f : {faelle[3], faelle[5]}) {
        long double a, b, c;
        RatePoly(f.zweiP, f.A0, f.B0, f.P0, f.k1, f.k2, a, b, c);
        double r1, r2;
        Roots(a, b, c, r1, r2);
        EXPECT_THROW(HalbwertszeitBisektion(static_cast<double>(a), r1, r2, 0.8, 0.5f), KinError) << f.k1;
    }
}

TEST(HalbwertszeitMarke, NumericalModelsUseTheSimulatedValues)
{
    Declare d;
    d.HalbwertszeitA = 12.5f;
    d.HalbwertszeitB = 7.25f;
    d.c0 = {0, 1, 0.5, 0, 0, 0};
    d.k = {0, 0.15, 0.05, 0};
    Recorder r;
    for (int m : {7, 9, 10, 13, 18}) {
        d.ModellNr = static_cast<std::int16_t>(m);
        d.DiagrammTyp = static_cast<std::int16_t>(m);
        EXPECT_EQ(HalbwertszeitMarke(d, false, r), 12.5f) << m;
        EXPECT_EQ(HalbwertszeitMarke(d, true, r), 7.25f) << m;
    }
    for (int m : {14, 15, 20}) {
        d.ModellNr = static_cast<std::int16_t>(m);
        d.DiagrammTyp = static_cast<std::int16_t>(m);
        EXPECT_EQ(HalbwertszeitMarke(d, false, r), 12.5f) << m;
        const int beeps = r.beeps;
        EXPECT_EQ(HalbwertszeitMarke(d, true, r), 0.0f) << m; // no B: the closed-form routine beeps
        EXPECT_EQ(r.beeps, beeps + 1);
    }
}

TEST(HalbwertszeitMarke, ChartsOfMeasuredDataUseTheirStartConcentrations)
{
    Declare d;
    d.ModellNr = 4;
    d.c0 = {0, 5, 5, 0, 0, 0};
    d.c0Exp[1] = 1.0f;
    d.c0Exp[2] = 2.0f;
    d.k = {0, 0.5, 0, 0};
    Recorder r;
    d.DiagrammTyp = -8;
    const double expect = Crossing([](double t) { return CourseAplusB_A(1, 2, 0.5, t); }, 0.5, 1);
    EXPECT_NEAR(HalbwertszeitMarke(d, false, r), expect, 1e-6 * expect);
    d.DiagrammTyp = 4; // the simulated chart uses c0
    EXPECT_NEAR(HalbwertszeitMarke(d, false, r), 1.0 / 0.5 / 5, 1e-7);
}

TEST(SetZeiteinheit, ConvertsMeasuredTimesAndRateConstants)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.ExpPunkte.resize(4);
    d.ExpPunkte[1].t = 7200;
    d.ExpPunkte[2].t = 90;
    d.ExpPunkte[3].t = 55; // beyond AnzahlPunkte: not a measured point
    d.AnzahlPunkte = 2;
    d.k = {0, 0.001, 0.5, 2e-4};
    d.tEnde = 100;
    d.Reaktionszeit = 30;
    Recorder r;
    SetZeiteinheit(d, 2, 0, r);
    EXPECT_EQ(d.Zeiteinheit, "h");
    EXPECT_NEAR(d.ExpPunkte[1].t, 2.0, 1e-12);
    EXPECT_NEAR(d.ExpPunkte[2].t, 0.025, 1e-15);
    EXPECT_EQ(d.ExpPunkte[3].t, 55);
    EXPECT_NEAR(d.k[1], 3.6, 1e-12);
    EXPECT_NEAR(d.k[2], 1800, 1e-9);
    EXPECT_NEAR(d.k[3], 0.72, 1e-12);
    EXPECT_EQ(d.tEnde, 100.0f);
    EXPECT_EQ(d.Reaktionszeit, 30.0);
    EXPECT_EQ(r.captions, std::vector<int>{2});

    // hours -> years -> seconds comes back to the start
    SetZeiteinheit(d, 4, 2, r);
    EXPECT_EQ(d.Zeiteinheit, "a");
    EXPECT_NEAR(d.ExpPunkte[1].t, 2.0 / 8760, 1e-15);
    SetZeiteinheit(d, 0, 4, r);
    EXPECT_EQ(d.Zeiteinheit, "s");
    EXPECT_NEAR(d.ExpPunkte[1].t, 7200, 1e-9);
    EXPECT_NEAR(d.k[1], 0.001, 1e-15);

    // the same unit changes no number
    const auto punkte = d.ExpPunkte;
    const auto k = d.k;
    SetZeiteinheit(d, 1, 1, r);
    EXPECT_EQ(d.Zeiteinheit, "min");
    EXPECT_EQ(d.ExpPunkte, punkte);
    EXPECT_EQ(d.k, k);
    EXPECT_EQ(r.captions.back(), 1);

    // an index outside 0 to 4 converts nothing and keeps the text
    SetZeiteinheit(d, 7, 0, r);
    EXPECT_EQ(d.Zeiteinheit, "min");
    EXPECT_EQ(d.ExpPunkte, punkte);
    EXPECT_EQ(d.k, k);
}

// The rate constants kept from a project are converted with the current ones,
// and the windows hear of a conversion only when one took place.
TEST(SetZeiteinheit, ConvertsTheProjectsRateConstantsAndTellsTheWindows)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.k = {0, 0.07, 0.02, 0};
    d.FileRateConstants = d.k;
    d.FileRateConstantsModel = 6;
    Recorder r;
    SetZeiteinheit(d, 1, 0, r);
    EXPECT_NEAR(d.FileRateConstants[1], 4.2, 1e-12);
    EXPECT_NEAR(d.FileRateConstants[2], 1.2, 1e-12);
    EXPECT_EQ(d.FileRateConstantsModel, 6);
    EXPECT_EQ(r.conversions, 1);
    SetZeiteinheit(d, 1, 1, r);
    SetZeiteinheit(d, 9, 1, r);
    EXPECT_EQ(r.conversions, 1);
    EXPECT_NEAR(d.FileRateConstants[1], 4.2, 1e-12);
}

TEST(SetZeiteinheit, EveryUnitText)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    Recorder r;
    const char* texts[] = {"s", "min", "h", "d", "a"};
    for (int i = 0; i < 5; ++i) {
        SetZeiteinheit(d, i, i, r);
        EXPECT_EQ(d.Zeiteinheit, texts[i]);
    }
}
