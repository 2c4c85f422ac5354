#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "builders.h"
#include "core/chart/evaluation.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

constexpr double R = 8.3145;

Declare WithPoints(const std::vector<ExpPunkt>& pts, float xMin, float xMax, float yMin, float yMax)
{
    Declare d;
    SetMeasuredPoints(d, pts);
    d.Diagramm.xMin = xMin;
    d.Diagramm.xMax = xMax;
    d.Diagramm.yMin = yMin;
    d.Diagramm.yMax = yMax;
    d.KurvenPunkte.assign(kKurvenPunkteMax + 1, KurvenPunkt{});
    d.k[1] = 0.777; // a value no evaluation below produces
    return d;
}

// The number that follows `prefix` in text (read up to the first character
// that cannot continue it).
double NumberAfter(const std::string& text, const std::string& prefix)
{
    const auto pos = text.find(prefix);
    EXPECT_NE(pos, std::string::npos) << "'" << prefix << "' missing in '" << text << "'";
    if (pos == std::string::npos) return NAN;
    return std::stod(text.substr(pos + prefix.size()));
}

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<ExpPunkt> FirstOrder(double k, double tEnd, double c0 = 1.0)
{
    std::vector<ExpPunkt> v;
    for (double t = 0; t <= tEnd + 1e-9; t += 1) v.push_back(CtPoint({.t = t, .A = c0 * std::exp(-k * t)}));
    return v;
}

} // namespace

TEST(Evaluation, FirstOrderLnCGivesKAndExactFit)
{
    for (int code : {-5, -10}) {
        Declare d = WithPoints(FirstOrder(0.1, 20), 0, 21, -2.5f, 0.5f);
        bool outside = true;
        const EvalOutcome r = PrepareEvaluationCurve(d, code, outside);
        ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
        EXPECT_NEAR(d.k[1], 0.1, 1e-6);
        EXPECT_EQ(r.statusText.rfind("Result: {k} = ", 0), 0u) << r.statusText;
        EXPECT_NEAR(NumberAfter(r.statusText, "Result: {k} = "), 0.1, 1e-6);
        EXPECT_TRUE(EndsWith(r.statusText, "   (R^2 = 1.00000)")) << r.statusText;
        EXPECT_EQ(r.fehlerText, "");
        EXPECT_NEAR(r.RegA, 0.0, 1e-6);
        EXPECT_NEAR(r.RegB, -0.1, 1e-6);
        EXPECT_FALSE(outside);
        EXPECT_TRUE(r.showPoints);
        // the regression arrays hold the 21 points, weight 1
        ASSERT_EQ(d.RegX.size(), 22u);
        EXPECT_FLOAT_EQ(d.RegY[11], static_cast<float>(std::log(std::exp(-0.1 * 10))));
        EXPECT_EQ(d.RegW[21], 1.0f);
    }
}

TEST(Evaluation, LineSpansVisibleRangePlusOneStep)
{
    // points between t = 0 and 5, visible window 2 .. 14
    Declare d = WithPoints(FirstOrder(0.2, 5, 2.0), 2, 14, -10, 10);
    bool outside = true;
    const EvalOutcome r = PrepareEvaluationCurve(d, -5, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line);
    ASSERT_EQ(d.KurvenPunkte[0].x, 122.0f);
    const double a = std::log(2.0), b = -0.2;
    for (int i = 1; i <= 122; ++i) {
        const double x = 2 + (i - 1) * 0.1;
        EXPECT_NEAR(d.KurvenPunkte[i].x, x, 1e-5) << i;
        EXPECT_NEAR(d.KurvenPunkte[i].y, a + b * x, 1e-5) << i;
    }
    EXPECT_NEAR(d.KurvenPunkte[122].x, 14.1, 1e-5);
    EXPECT_FALSE(outside);

    // the same line wholly above the window leaves the outside flag set
    Declare high = WithPoints(FirstOrder(0.2, 5, 2.0), 2, 14, -20, -5);
    outside = true;
    ASSERT_EQ(PrepareEvaluationCurve(high, -5, outside).kind, EvalOutcome::Kind::Line);
    EXPECT_TRUE(outside);
    // an outside flag already cleared by an earlier curve of the pass stays cleared
    outside = false;
    PrepareEvaluationCurve(high, -5, outside);
    EXPECT_FALSE(outside);
}

TEST(Evaluation, SecondOrderRateConstants)
{
    const double k = 0.05, c0 = 0.5;
    struct Case {
        const char* name;
        int code;
        bool equalStart;
        double slopeFactor; // -d(1/c)/dt = slopeFactor * k
    } cases[] = {
        {"2A => P", -6, false, 2.0},
        {"A + B => P, equal start", -6, true, 1.0},
    };
    for (const Case& c : cases) {
        std::vector<ExpPunkt> pts;
        for (double t = 0; t <= 40; t += 4) {
            const double a = 1.0 / (1.0 / c0 + c.slopeFactor * k * t);
            pts.push_back(CtPoint({.t = t, .A = a, .B = c.equalStart ? a : 0}));
        }
        Declare d = WithPoints(pts, 0, 40, 0, 10);
        d.GleicheStartkonz = c.equalStart;
        bool outside = true;
        const EvalOutcome r = PrepareEvaluationCurve(d, c.code, outside);
        ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << c.name;
        EXPECT_NEAR(d.k[1], k, 1e-6) << c.name;
        EXPECT_NEAR(NumberAfter(r.statusText, "Result: {k} = "), k, 1e-6) << c.name;
        EXPECT_TRUE(EndsWith(r.statusText, "   (R^2 = 1.00000)")) << r.statusText;
    }

    // A + B => P with unequal start concentrations: with D = A0 - B0,
    // A/B = (A0/B0) exp(D k t) and A - B = D.
    const double A0 = 0.2, B0 = 0.1, k8 = 0.3, D = A0 - B0;
    std::vector<ExpPunkt> pts;
    for (double t = 0; t <= 50; t += 5) {
        const double B = D / (A0 / B0 * std::exp(D * k8 * t) - 1.0);
        pts.push_back(CtPoint({.t = t, .A = B + D, .B = B}));
    }
    Declare d = WithPoints(pts, 0, 50, 0, 3);
    bool outside = true;
    const EvalOutcome r = PrepareEvaluationCurve(d, -8, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
    EXPECT_NEAR(d.k[1], k8, 1e-5);
    EXPECT_NEAR(NumberAfter(r.statusText, "Result: {k} = "), k8, 1e-5);
    EXPECT_NEAR(r.RegA, std::log(A0 / B0), 1e-6);
}

TEST(Evaluation, WilkinsonPlotGivesOrderAndRateConstant)
{
    // n-th order: c^(1-n) = c0^(1-n) + (n-1) k t, small conversions (U <= 5 %)
    const double n = 1.5, k = 0.01, c0 = 1.0;
    std::vector<ExpPunkt> pts;
    for (double t = 0; t <= 5.0 + 1e-9; t += 0.5)
        pts.push_back(CtPoint({.t = t, .A = std::pow(std::pow(c0, 1 - n) + (n - 1) * k * t, 1.0 / (1 - n))}));
    Declare d = WithPoints(pts, 0, 5, 90, 110);
    d.c0Exp[1] = static_cast<float>(c0);
    bool outside = true;
    const EvalOutcome r = PrepareEvaluationCurve(d, -7, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
    EXPECT_EQ(r.statusText.rfind("Result: n = 1.5;  k = ", 0), 0u) << r.statusText;
    EXPECT_NEAR(NumberAfter(r.statusText, ";  k = "), k, k * 1e-3);
    EXPECT_NEAR(r.RegA, k, k * 1e-3);
    EXPECT_EQ(d.k[1], 0.777); // the shared rate constant is not changed
    EXPECT_EQ(d.RegX.size(), 11u); // t = 0 never enters
}

TEST(Evaluation, ArrheniusGivesActivationEnergyAndFactor)
{
    const double EA = 50000, A = 1e10;
    std::vector<ExpPunkt> pts;
    for (double T = 300; T <= 400; T += 10) pts.push_back(KTPoint({.T = T, .k = A * std::exp(-EA / (R * T))}));
    pts.push_back(KTPoint({.T = 350, .k = 0}));   // no rate constant: skipped
    pts.push_back(KTPoint({.T = 0, .k = 0.5}));   // no temperature: skipped
    Declare d = WithPoints(pts, 0.0024f, 0.0034f, -20, 20);
    bool outside = true;
    const EvalOutcome r = PrepareEvaluationCurve(d, -3, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
    EXPECT_EQ(r.statusText.rfind("Result: EA/ (kJ/mol) = 50.00;  A = ", 0), 0u) << r.statusText;
    EXPECT_NEAR(NumberAfter(r.statusText, ";  A = ") / A, 1.0, 1e-3);
    EXPECT_TRUE(EndsWith(r.statusText, "   (R^2 = 1.00000)")) << r.statusText;
    EXPECT_NEAR(r.RegB, 50.0, 1e-3);
    EXPECT_EQ(d.RegX.size(), 12u);
    EXPECT_EQ(d.k[1], 0.777);

    // the locale's decimal sign reaches the formatted numbers
    Declare dc = WithPoints(pts, 0.0024f, 0.0034f, -20, 20);
    const EvalOutcome rc = PrepareEvaluationCurve(dc, -3, outside, ',');
    EXPECT_EQ(rc.statusText.rfind("Result: EA/ (kJ/mol) = 50,00;  A = ", 0), 0u) << rc.statusText;
    EXPECT_TRUE(EndsWith(rc.statusText, "   (R^2 = 1,00000)")) << rc.statusText;
}

TEST(Evaluation, EyringGivesActivationEnthalpyAndEntropy)
{
    const double kB = 1.38066e-23, h = 6.62618e-34;
    const double H = 60000, S = -20; // J/mol, J/(mol K)
    std::vector<ExpPunkt> pts;
    for (double T = 290; T <= 360; T += 7)
        pts.push_back(KTPoint({.T = T, .k = kB * T / h * std::exp(S / R) * std::exp(-H / (R * T))}));
    Declare d = WithPoints(pts, 0.0027f, 0.0035f, -40, 40);
    bool outside = true;
    const EvalOutcome r = PrepareEvaluationCurve(d, -4, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
    EXPECT_EQ(r.statusText,
              "Result: h#/(kJ/mol) = 60.00;  s#/(J/mol*K) = -20.0NOTE: s# is correct only if unit [t] = s "
              "for k    (R^2 = 1.00000)");
    EXPECT_NEAR(r.RegB, 60.0, 1e-3);
    EXPECT_NEAR(r.RegA, -20.0, 1e-2);
}

TEST(Evaluation, FirstOrderLambdaPlots)
{
    // lambda = linf - (linf - l0) exp(-k t)
    const double k = 0.2, linf = 2.0, l0 = 0.5;
    auto data = [&](double tFrom) {
        std::vector<ExpPunkt> v;
        for (double t = tFrom; t <= 10; t += 1)
            v.push_back(LambdaPoint({.t = t, .lambda = linf - (linf - l0) * std::exp(-k * t)}));
        return v;
    };
    // with lambda(0): no extrapolation text
    Declare d = WithPoints(data(0), 0, 10, -3, 1);
    d.LambdaAuswertung = true;
    d.LambdaUnendlich = linf;
    d.Lambda0 = l0;
    bool outside = true;
    EvalOutcome r = PrepareEvaluationCurve(d, -10, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
    EXPECT_NEAR(d.k[1], k, 1e-4);
    EXPECT_EQ(r.statusText.find("lambda(0)"), std::string::npos) << r.statusText;
    EXPECT_TRUE(EndsWith(r.statusText, "   (R^2 = 1.00000)")) << r.statusText;

    // without lambda(0) (no point at t = 0): lambda(0) is extrapolated from the intercept
    Declare e = WithPoints(data(1), 0, 10, -3, 1);
    e.LambdaAuswertung = true;
    e.LambdaUnendlich = linf;
    r = PrepareEvaluationCurve(e, -5, outside);
    ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
    EXPECT_NEAR(e.k[1], k, 1e-4);
    EXPECT_EQ(r.fehlerText.rfind(", lambda(0), extrapol. = ", 0), 0u) << r.fehlerText;
    EXPECT_NEAR(NumberAfter(r.statusText, ", lambda(0), extrapol. = "), l0, 1e-4);
    EXPECT_NE(r.statusText.find(r.fehlerText + "   (R^2 = 1.00000)"), std::string::npos) << r.statusText;
}

TEST(Evaluation, SecondOrderLambdaPlots)
{
    const double c0 = 0.5, k = 0.05, linf = 1.0;
    // 2A => P with lambda(0): y = 1/c, slope 2k, k(1) = b / 2
    {
        const double l0 = 0.2;
        std::vector<ExpPunkt> pts;
        for (double t = 0; t <= 30; t += 3) {
            const double c = 1.0 / (1.0 / c0 + 2 * k * t);
            pts.push_back(LambdaPoint({.t = t, .lambda = linf + (l0 - linf) * c / c0}));
        }
        Declare d = WithPoints(pts, 0, 30, 0, 10);
        d.ModellNr = 3;
        d.LambdaUnendlich = linf;
        d.Lambda0 = l0;
        d.c0Exp[1] = static_cast<float>(c0);
        bool outside = true;
        const EvalOutcome r = PrepareEvaluationCurve(d, -11, outside);
        ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
        EXPECT_NEAR(d.k[1], k, 1e-4);
        EXPECT_NEAR(NumberAfter(r.statusText, "Result: {k} = "), k, 1e-4);
    }
    // A + B => P without lambda(0) (lambda proportional to the product):
    // y = c0/c = 1 + k c0 t, k(1) = b / (c0 a)
    {
        std::vector<ExpPunkt> pts;
        for (double t = 0; t <= 30; t += 3) {
            const double c = 1.0 / (1.0 / c0 + k * t);
            pts.push_back(LambdaPoint({.t = t, .lambda = linf * (1 - c / c0)}));
        }
        Declare d = WithPoints(pts, 0, 30, 0, 10);
        d.ModellNr = 4;
        d.LambdaUnendlich = linf;
        d.c0Exp[1] = static_cast<float>(c0);
        bool outside = true;
        const EvalOutcome r = PrepareEvaluationCurve(d, -11, outside);
        ASSERT_EQ(r.kind, EvalOutcome::Kind::Line) << r.fehlerText;
        EXPECT_EQ(d.RegX.size(), 11u); // lambda = 0 at t = 0 is not taken
        EXPECT_NEAR(d.k[1], k, 1e-4);
        EXPECT_NEAR(r.RegA, 1.0, 1e-4);
    }
}

TEST(Evaluation, ExcludedPointDoesNotMoveTheLine)
{
    std::vector<ExpPunkt> pts = FirstOrder(0.1, 20);
    Declare ref = WithPoints(pts, 0, 21, -3, 1);
    bool outside = true;
    const EvalOutcome r0 = PrepareEvaluationCurve(ref, -5, outside);

    ExpPunkt outlier = CtPoint({.t = 18, .A = 5.0}); // off the middle, so it would tilt the line
    outlier.exclude = -1;
    pts.insert(pts.begin() + 5, outlier);
    Declare d = WithPoints(pts, 0, 21, -3, 1);
    const EvalOutcome r1 = PrepareEvaluationCurve(d, -5, outside);
    ASSERT_EQ(r1.kind, EvalOutcome::Kind::Line);
    EXPECT_EQ(r1.statusText, r0.statusText);
    EXPECT_EQ(d.k[1], ref.k[1]);
    for (int i = 0; i <= 122; ++i) EXPECT_EQ(d.KurvenPunkte[i], ref.KurvenPunkte[i]) << i;
    EXPECT_EQ(d.RegW[6], 0.0f); // it stays in the arrays with weight 0
    EXPECT_FLOAT_EQ(d.RegY[6], static_cast<float>(std::log(5.0)));

    // the same point active does move it
    d.ExpPunkte[6].exclude = 0;
    PrepareEvaluationCurve(d, -5, outside);
    EXPECT_GT(std::fabs(d.k[1] - ref.k[1]), 1e-3);
}

TEST(Evaluation, FaultsEndInTheErrorPath)
{
    struct Case {
        const char* name;
        int code;
        std::vector<ExpPunkt> pts;
        double lambdaInf, lambda0;
        float c0;
        const char* cause; // part of the description
    };
    const Case cases[] = {
        {"-8 without a point at t = 0", -8, {CtPoint({.t = 1, .A = 0.2, .B = 0.1}),
                                             CtPoint({.t = 2, .A = 0.15, .B = 0.05}),
                                             CtPoint({.t = 3, .A = 0.12, .B = 0.02})}, 0, 0, 0,
         "t = 0"},
        {"-8 with equal start concentrations", -8, {CtPoint({.t = 0, .A = 0.1, .B = 0.1}),
                                                    CtPoint({.t = 1, .A = 0.08, .B = 0.08}),
                                                    CtPoint({.t = 2, .A = 0.06, .B = 0.06})}, 0, 0, 0,
         "c(A)(0) equals c(B)(0)"},
        {"-7 with U = 0", -7, {CtPoint({.t = 0, .A = 1.0}), CtPoint({.t = 1, .A = 0.9}), CtPoint({.t = 2, .A = 1.0}),
                               CtPoint({.t = 3, .A = 0.8})}, 0, 0, 1.0f, "conversion U"},
        {"-7 without c(A)(0)", -7, {CtPoint({.t = 1, .A = 0.9}), CtPoint({.t = 2, .A = 0.8})}, 0, 0, 0.0f, "c(A)(0)"},
        {"-10 lambda at lambda(inf)", -10, {LambdaPoint({.t = 1, .lambda = 0.5}), LambdaPoint({.t = 2, .lambda = 2.0}),
                                            LambdaPoint({.t = 3, .lambda = 1.0})}, 2.0, 0, 0,
         "Logarithm"},
        {"-10 lambda beyond lambda(inf)", -10, {LambdaPoint({.t = 1, .lambda = 0.5}),
                                                LambdaPoint({.t = 2, .lambda = 2.5})}, 2.0, 0, 0, "Logarithm"},
        {"-10 lambda(0) = lambda(inf)", -10, {LambdaPoint({.t = 1, .lambda = 0.5}),
                                              LambdaPoint({.t = 2, .lambda = 1.0})}, 2.0, 2.0, 0, "lambda(0)"},
        {"-11 lambda at lambda(inf)", -11, {LambdaPoint({.t = 1, .lambda = 0.5}),
                                            LambdaPoint({.t = 2, .lambda = 2.0})}, 2.0, 0, 0.5f, "lambda(inf)"},
        {"-11 without c(A)(0)", -11, {LambdaPoint({.t = 1, .lambda = 0.5}),
                                      LambdaPoint({.t = 2, .lambda = 1.0})}, 2.0, 0.2, 0.0f, "c(A)(0)"},
        {"-11 intercept times c(A)(0) = 0", -11, {LambdaPoint({.t = 1, .lambda = 0.5}),
                                                  LambdaPoint({.t = 2, .lambda = 1.0})}, 2.0, 0, 0.0f, "c(A)(0)"},
        {"-6 beyond single precision", -6, {CtPoint({.t = 1, .A = 1e-300}),
                                            CtPoint({.t = 2, .A = 0.5})}, 0, 0, 0, "Overflow"},
    };
    for (const Case& c : cases) {
        Declare d = WithPoints(c.pts, 0, 10, -10, 10);
        d.LambdaAuswertung = true;
        d.LambdaUnendlich = c.lambdaInf;
        d.Lambda0 = c.lambda0;
        d.c0Exp[1] = c.c0;
        d.KurvenPunkte[0].x = 7; // an earlier curve's count
        bool outside = true;
        const EvalOutcome r = PrepareEvaluationCurve(d, c.code, outside);
        EXPECT_EQ(r.kind, EvalOutcome::Kind::Failed) << c.name << ": " << r.statusText;
        EXPECT_NE(r.fehlerText.find(c.cause), std::string::npos) << c.name << ": " << r.fehlerText;
        EXPECT_EQ(r.statusText, "") << c.name;
        EXPECT_FALSE(r.showPoints) << c.name;
        EXPECT_EQ(d.k[1], 0.777) << c.name;
        EXPECT_EQ(d.KurvenPunkte[0].x, 7.0f) << c.name;
        EXPECT_TRUE(outside) << c.name;
    }
}

TEST(Evaluation, NoLineWhenActivePointsDoNotDetermineOne)
{
    std::vector<ExpPunkt> allExcluded = FirstOrder(0.1, 5);
    for (ExpPunkt& p : allExcluded) p.exclude = -1;
    std::vector<ExpPunkt> oneActive = FirstOrder(0.1, 5);
    for (std::size_t i = 1; i < oneActive.size(); ++i) oneActive[i].exclude = -1;
    struct Case {
        const char* name;
        int code;
        std::vector<ExpPunkt> pts;
        std::size_t taken;
    } cases[] = {
        {"no point passes", -6, {CtPoint({.t = 1, .A = 0}), CtPoint({.t = 2, .A = -1})}, 0},
        {"every point excluded", -5, allExcluded, 6},
        {"one active point", -5, oneActive, 6},
        {"one temperature", -3, {KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 300, .k = 0.12}),
                                 KTPoint({.T = 300, .k = 0.11})}, 3},
        {"no rate constants", -4, {KTPoint({.T = 300, .k = 0}), KTPoint({.T = 310, .k = 0})}, 0},
    };
    for (const Case& c : cases) {
        // an earlier evaluation leaves its regression arrays and curve behind
        Declare d = WithPoints(FirstOrder(0.1, 20), 0, 21, -3, 1);
        bool outside = true;
        ASSERT_EQ(PrepareEvaluationCurve(d, -5, outside).kind, EvalOutcome::Kind::Line);
        const double kBefore = d.k[1];

        d.ExpPunkte.assign(1, ExpPunkt{});
        d.ExpPunkte.insert(d.ExpPunkte.end(), c.pts.begin(), c.pts.end());
        d.AnzahlPunkte = static_cast<int>(c.pts.size());
        outside = true;
        const EvalOutcome r = PrepareEvaluationCurve(d, c.code, outside);
        EXPECT_EQ(r.kind, EvalOutcome::Kind::NoLine) << c.name;
        EXPECT_EQ(r.statusText, "No evaluation possible: the active points do not determine a straight line")
            << c.name;
        EXPECT_EQ(d.KurvenPunkte[0].x, 0.0f) << c.name;
        EXPECT_EQ(d.k[1], kBefore) << c.name;
        EXPECT_EQ(d.RegX.size(), c.taken + 1) << c.name; // nothing stale
        EXPECT_FALSE(outside) << c.name;
    }
}

TEST(Evaluation, OnlyEvaluationCodesAreEvaluated)
{
    for (int code : {-11, -10, -8, -7, -6, -5, -4, -3}) EXPECT_TRUE(IsEvaluationCode(code)) << code;
    for (int code : {-12, -9, -2, -1, 0, 2, 52, 100}) EXPECT_FALSE(IsEvaluationCode(code)) << code;
    Declare d = WithPoints(FirstOrder(0.1, 5), 0, 5, -1, 1);
    EXPECT_TRUE(SelectEvaluationPoints(d, -1).points.empty());
}
