#include "core/shell/expdata.h"

#include <gtest/gtest.h>

#include <cmath>

#include "builders.h"
#include "core/shell/error.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

Declare WithPoints(std::initializer_list<MeasuredValues> values)
{
    std::vector<ExpPunkt> points;
    for (const MeasuredValues& v : values) points.push_back(MeasuredPoint(v));
    Declare d;
    SetMeasuredPoints(d, points);
    return d;
}

Declare WithTemperatures(std::initializer_list<double> temps)
{
    Declare d;
    d.ExpPunkte.assign(temps.size() + 1, ExpPunkt{});
    int i = 0;
    for (double T : temps) d.ExpPunkte[++i].T = T;
    d.AnzahlPunkte = i;
    return d;
}

// Sentinel values in every range position, to see which ones a routine writes.
void FillSentinels(AchsenInfo& a)
{
    for (int i = 0; i < 32; ++i) a[i] = 1000.0f + static_cast<float>(i);
}

constexpr double kTol = 1e-4;

// ---- DeleteExpData --------------------------------------------------------------

TEST(ExpData, DeleteClearsTheNamedFieldsOnly)
{
    Declare d = WithPoints(
        {{.t = 1, .A = 2, .B = 3, .C = 4, .P = 5, .Q = 6, .T = 300, .k = 0.5, .lambda = 0.7f, .excluded = true},
         {.t = 2, .A = 1, .B = 1, .C = 1, .P = 1, .Q = 1, .T = 310, .k = 0.6, .lambda = 0.8f}});
    d.ExpPunkte[1].res3 = 9;
    d.DateiName = "x.KV3";
    d.DatenGeaendert = true;
    DeleteExpData(d);
    EXPECT_EQ(d.AnzahlPunkte, 0);
    EXPECT_EQ(d.DateiName, "");
    EXPECT_FALSE(d.DatenGeaendert);
    const ExpPunkt& p = d.ExpPunkte[1];
    EXPECT_EQ(p.exclude, 0);
    EXPECT_EQ(p.t, 0);
    EXPECT_EQ(p.c[1], 0);
    EXPECT_EQ(p.c[2], 0);
    EXPECT_EQ(p.k, 0);
    EXPECT_EQ(p.T, 0);
    // The other fields keep their values.
    EXPECT_EQ(p.c[3], 4);
    EXPECT_EQ(p.c[5], 6);
    EXPECT_FLOAT_EQ(p.lambda, 0.7f);
    EXPECT_FLOAT_EQ(p.res3, 9);
}

TEST(ExpData, CountBeyondTheTableIsRefusedWithoutChanges)
{
    Declare d = WithPoints({{.t = 1, .A = 2}});
    d.AnzahlPunkte = 5;
    d.DateiName = "keep";
    EXPECT_THROW(DeleteExpData(d), KinError);
    EXPECT_EQ(d.DateiName, "keep");
    EXPECT_EQ(d.ExpPunkte[1].t, 1);
    EXPECT_THROW(AnalyzeExpData(d), KinError);
    d.AnzahlPunkte = -1;
    EXPECT_THROW(CalcExpDataRanges(d, -1), KinError);
}

// ---- AnalyzeExpData ---------------------------------------------------------------

TEST(ExpData, AnalyzeWithoutPointsClearsEverything)
{
    Declare d;
    d.ExpPunkte.assign(1, ExpPunkt{});
    d.ctDaten = d.kTDaten = d.ctTDaten = d.LambdaDaten = true;
    d.AnzahlTemperaturen = 7;
    d.tMaxExp = 12;
    d.Lambda0 = 3;
    d.LambdaUnendlich = 5;
    AnalyzeExpData(d);
    EXPECT_FALSE(d.ctDaten);
    EXPECT_FALSE(d.kTDaten);
    EXPECT_FALSE(d.ctTDaten);
    EXPECT_FALSE(d.LambdaDaten);
    EXPECT_EQ(d.AnzahlTemperaturen, 0);
    EXPECT_EQ(d.tMaxExp, 0);
    EXPECT_EQ(d.Lambda0, 0);
    EXPECT_EQ(d.Temperaturen.size(), 2u);
}

TEST(ExpData, AnalyzeClassifiesTheData)
{
    struct Case {
        const char* name;
        Declare d;
        bool ct, kT, ctT;
    };
    Case cases[] = {
        {"two c-t points", WithPoints({{.t = 0, .A = 1}, {.t = 5, .A = 0.5}}), true, false, false},
        {"one c-t point", WithPoints({{.t = 0, .A = 1}, {.t = 5, .A = 0}}), false, false, false},
        {"times all 0", WithPoints({{.t = 0, .A = 1, .T = 300, .k = 1}, {.t = 0, .A = 0.5, .T = 310, .k = 2},
                                    {.t = 0, .A = 0.2, .T = 320, .k = 3}}),
         false, true, false},
        {"times cancel in the sum", WithPoints({{.t = -1, .A = 1}, {.t = 1, .A = 0.5}}), false, false, false},
        {"three c-t-T points", WithPoints({{.t = 0, .A = 1, .T = 300}, {.t = 1, .A = 0.5, .T = 300},
                                           {.t = 2, .A = 0.2, .T = 310}}),
         true, false, true},
        {"two c-t-T points",
         WithPoints({{.t = 0, .A = 1, .T = 300}, {.t = 1, .A = 0.5, .T = 300}, {.t = 2, .A = 0.2}}), true,
         false, false},
        {"k-T needs T and k", WithPoints({{.t = 0, .T = 300, .k = 0.1}, {.t = 0, .T = 0, .k = 0.2},
                                          {.t = 0, .T = 310, .k = 0}}),
         false, false, false},
        {"excluded points count",
         WithPoints({{.t = 0, .A = 1, .excluded = true}, {.t = 3, .A = 0.5, .excluded = true}}),
         true, false, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalyzeExpData(c.d);
        EXPECT_EQ(c.d.ctDaten, c.ct);
        EXPECT_EQ(c.d.kTDaten, c.kT);
        EXPECT_EQ(c.d.ctTDaten, c.ctT);
    }
}

TEST(ExpData, AnalyzeTimeSumIsSinglePrecision)
{
    // 1e-50 is not 0 as a double but is 0 in single precision.
    Declare d = WithPoints({{.t = 1e-50, .A = 1}, {.t = 1e-50, .A = 0.5}});
    AnalyzeExpData(d);
    EXPECT_FALSE(d.ctDaten);
}

TEST(ExpData, AnalyzeLambdaPresenceAndMaximumTime)
{
    Declare d = WithPoints({{.t = 0, .B = 0.2, .lambda = 2.0f, .excluded = true}, // excluded: not lambda(0)
                            {.t = 0, .P = 0.1, .lambda = 3.0f},
                            {.t = 7.5, .lambda = 4.0f},
                            {.t = 2, .lambda = 5.0f}});
    d.LambdaUnendlich = 10;
    double tMax = -1;
    bool ct, kT, ctT, lam;
    int nT = -1;
    AnalyzeExpData(d, ct, kT, ctT, nT, tMax, lam);
    EXPECT_TRUE(lam);
    EXPECT_DOUBLE_EQ(tMax, 7.5);
    EXPECT_DOUBLE_EQ(d.Lambda0, 3.0);
    const bool expected[6] = {false, false, true, false, true, false};
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(d.DatenVorhanden[s], expected[s]) << s;

    d.LambdaUnendlich = 0;
    AnalyzeExpData(d);
    EXPECT_FALSE(d.LambdaDaten);
}

TEST(ExpData, DistinctTemperatures)
{
    struct Case {
        const char* name;
        Declare d;
        std::vector<float> temps;
    };
    Case cases[] = {
        {"0.005 then 0.015 apart", WithTemperatures({300, 300.005, 300.02}), {300, 300.02f}},
        {"a chain of 0.008 steps", WithTemperatures({300, 300.008, 300.016}), {300}},
        {"unsorted with repeats", WithTemperatures({310, 300, 305, 300, 310}), {300, 305, 310}},
        {"points without temperature", WithTemperatures({0, 0, 320, 0, 330}), {320, 330}},
        {"negative values are no temperatures", WithTemperatures({-5, 290}), {290}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalyzeExpData(c.d);
        ASSERT_EQ(c.d.AnzahlTemperaturen, static_cast<int>(c.temps.size()));
        for (std::size_t i = 0; i < c.temps.size(); ++i) EXPECT_FLOAT_EQ(c.d.Temperaturen[i + 1], c.temps[i]);
    }
}

TEST(ExpData, ThirtyTemperaturesAreCountedAsTwentyFour)
{
    Declare d;
    d.ExpPunkte.assign(31, ExpPunkt{});
    for (int i = 1; i <= 30; ++i) d.ExpPunkte[i].T = 400 - i; // descending, 371 to 399
    d.AnzahlPunkte = 30;
    AnalyzeExpData(d);
    EXPECT_EQ(d.AnzahlTemperaturen, 24);
    ASSERT_EQ(d.Temperaturen.size(), 31u);
    EXPECT_FLOAT_EQ(d.Temperaturen[1], 370);
    EXPECT_FLOAT_EQ(d.Temperaturen[30], 399);
}

// ---- CalcExpDataRanges --------------------------------------------------------------

// Three points with cA0 = 1; the third is excluded and still counts.
Declare RangeData()
{
    Declare d = WithPoints({{.t = 0, .A = 1.0, .B = 0.5, .T = 300, .k = 0.01},
                            {.t = 10, .A = 0.5, .B = 0.25, .C = 0.1, .Q = 0.7, .T = 310, .k = 0.02},
                            {.t = 20, .A = 0.25, .B = 0.125, .T = 320, .k = 0.04, .excluded = true}});
    d.c0Exp[1] = 1.0f;
    return d;
}

TEST(ExpData, RangesOfEveryQuantity)
{
    Declare d = RangeData();
    FillSentinels(d.AchsenBereiche);
    CalcExpDataRanges(d, -5, true);
    const AchsenInfo& a = d.AchsenBereiche;
    // Hand-computed: extremes, then the margins of a twentieth.
    const double lnk1 = std::log(0.01), lnk3 = std::log(0.04);
    const double lnkT1 = std::log(0.01 / 300), lnkT3 = std::log(0.04 / 320);
    const double e = (4.0 - 1.0) / 20; // margin of the 1/c(A) pair, used by ln k for code -5
    const double dInvT = (1.0 / 300 - 1.0 / 320) / 20;
    const double expected[24] = {
        0, 21,                                  // t: 20 + 1
        0, 1.0,                                 // c: no margin
        1004, 1005,                             // r: untouched
        299, 321,                               // T: 300..320, margin 1
        -0.002, 0.042,                          // k: 0..0.04, margin 0.002
        1.0 / 320 - dInvT, 1.0 / 300 + dInvT,   // 1/T
        lnk1 - e, lnk3 + e,                     // ln k
        lnkT1 - e, lnkT3 + e,                   // ln(k/T)
        std::log(0.25) - std::log(4.0) / 20, std::log(4.0) / 20, // ln c(A): -1.386..0
        1 - e, 4 + e,                           // 1/c(A)
        80.0 / 3 + (80.0 / 3 - 20) / 20, 20 - (80.0 / 3 - 20) / 20, // t/U: 20 and 26.67, max first
        std::log(2.0), std::log(2.0),           // ln(cA/cB) = ln 2 everywhere: no margin
    };
    for (int i = 0; i < 24; ++i) EXPECT_NEAR(a[i], expected[i], kTol * std::max(1.0, std::fabs(expected[i]))) << i;
    for (int i = 24; i < 32; ++i) EXPECT_EQ(a[i], 1000.0f + static_cast<float>(i)) << i;
}

TEST(ExpData, LnKMarginFollowsTheCode)
{
    for (int code : {-3, -4}) {
        Declare d = RangeData();
        CalcExpDataRanges(d, code);
        const double e = code == -3 ? (std::log(0.04) - std::log(0.01)) / 20
                                    : (std::log(0.04 / 320) - std::log(0.01 / 300)) / 20;
        const AchsenInfo& a = d.AchsenBereiche;
        EXPECT_NEAR(a[12], std::log(0.01) - e, kTol) << code;
        EXPECT_NEAR(a[13], std::log(0.04) + e, kTol) << code;
        EXPECT_NEAR(a[14], std::log(0.01 / 300) - e, kTol) << code;
        EXPECT_NEAR(a[15], std::log(0.04 / 320) + e, kTol) << code;
    }
}

TEST(ExpData, NonNegativeCodeLeavesTheRanges)
{
    for (int code : {0, 2, 52, 100}) {
        Declare d = RangeData();
        FillSentinels(d.AchsenBereiche);
        const AchsenInfo before = d.AchsenBereiche;
        CalcExpDataRanges(d, code);
        EXPECT_EQ(d.AchsenBereiche, before) << code;
    }
}

TEST(ExpData, TaskModeFixesTheConcentrationMaximum)
{
    Declare d = RangeData();
    d.Arbeitsmodus = 6;
    CalcExpDataRanges(d, -1);
    EXPECT_FLOAT_EQ(d.AchsenBereiche[3], 1.0f);
    d.ExpPunkte[2].c[5] = 7; // larger than 1: still 1
    CalcExpDataRanges(d, -1);
    EXPECT_FLOAT_EQ(d.AchsenBereiche[3], 1.0f);
    d.Arbeitsmodus = 7;
    d.c0Exp[1] = 2.5f;
    CalcExpDataRanges(d, -1);
    EXPECT_FLOAT_EQ(d.AchsenBereiche[3], 2.5f);
}

TEST(ExpData, PairsWithoutValuesKeepTheirStartValues)
{
    // One point at t = 0 with only c(B): no conversion, no ln(cA/cB), no T, no k.
    Declare d = WithPoints({{.t = 0, .B = 0.4}});
    d.c0Exp[1] = 1.0f;
    CalcExpDataRanges(d, -7);
    const AchsenInfo& a = d.AchsenBereiche;
    // Code -7: 0 and 100000 before the margin (0 - 100000)/20 = -5000.
    EXPECT_FLOAT_EQ(a[20], -5000);
    EXPECT_FLOAT_EQ(a[21], 105000);
    // Code -8: -100000 and 100000, margin -10000.
    EXPECT_FLOAT_EQ(a[22], -110000);
    EXPECT_FLOAT_EQ(a[23], 110000);
    // T: 10000 and 0, margin -500.
    EXPECT_FLOAT_EQ(a[6], 10500);
    EXPECT_FLOAT_EQ(a[7], -500);
    EXPECT_FLOAT_EQ(a[3], 0.4f);
}

TEST(ExpData, CodeMinus7MarginWhenThePairIsOneValue)
{
    // One point with a conversion: t/U = 10 / 0.5 = 20 is both maximum and
    // minimum, so the margin is a twentieth of the maximum. The point at t = 0
    // has a conversion but no t/U.
    Declare d = WithPoints({{.t = 10, .A = 0.5}, {.t = 0, .A = 0.8}});
    d.c0Exp[1] = 1.0f;
    CalcExpDataRanges(d, -7);
    EXPECT_FLOAT_EQ(d.AchsenBereiche[20], 21);
    EXPECT_FLOAT_EQ(d.AchsenBereiche[21], 19);
}

TEST(ExpData, PointWithoutLnCACBCountsForEverythingElse)
{
    // The second point has c(A) = 0 but c(B) > 0: ln(c(A)/c(B)) has no value.
    Declare d = WithPoints({{.t = 1, .A = 0.8, .B = 0.2}, {.t = 30, .B = 0.9}, {.t = 2, .A = 0.6, .B = 0.3}});
    d.c0Exp[1] = 1.0f;
    CalcExpDataRanges(d, -8);
    const AchsenInfo& a = d.AchsenBereiche;
    const double hi = std::log(4.0), lo = std::log(2.0), m = (hi - lo) / 20;
    EXPECT_NEAR(a[22], hi + m, kTol);
    EXPECT_NEAR(a[23], lo - m, kTol);
    EXPECT_FLOAT_EQ(a[1], 31.5f); // its time still counts
    EXPECT_FLOAT_EQ(a[3], 0.9f);  // and its c(B)
}

TEST(ExpData, InverseTemperatureMinimumStopsAtZero)
{
    // 1/T = 100 and 1: the margin 4.95 would take the minimum below 0.
    Declare d = WithPoints({{.t = 0, .T = 0.01}, {.t = 0, .T = 1}});
    CalcExpDataRanges(d, -1);
    EXPECT_EQ(d.AchsenBereiche[10], 0.0f);
    EXPECT_NEAR(d.AchsenBereiche[11], 104.95, kTol * 100);
}

// ---- CalcScaleCt and the lambda plots -------------------------------------------------

TEST(ExpData, TangentChartRanges)
{
    Declare d = WithPoints({{.t = 4, .A = 1, .B = 0.2}, {.t = 8, .A = 0.5, .B = 0.6}});
    FillSentinels(d.AchsenBereiche);
    CalcScaleCt(d, 2);
    const AchsenInfo& a = d.AchsenBereiche;
    EXPECT_FLOAT_EQ(a[0], 0);
    EXPECT_FLOAT_EQ(a[1], 8.4f);
    EXPECT_FLOAT_EQ(a[2], 0);
    EXPECT_FLOAT_EQ(a[3], 0.63f);
    EXPECT_FLOAT_EQ(a[4], 1004); // untouched
    EXPECT_THROW(CalcScaleCt(d, 6), KinError);
    EXPECT_THROW(CalcScaleCt(d, -1), KinError);
}

// Lambda points 2, 5, 8 at t = 0, 5, 10 and, where asked, one at lambda(inf).
Declare LambdaData(double lambdaInf, double lambda0, bool withInfPoint)
{
    Declare d = WithPoints({{.t = 0, .lambda = 2.0f}, {.t = 5, .lambda = 5.0f},
                            {.t = 10, .lambda = 8.0f}, {.t = 12, .lambda = 10.0f}});
    if (!withInfPoint) d.AnzahlPunkte = 3;
    d.LambdaUnendlich = lambdaInf;
    d.Lambda0 = lambda0;
    return d;
}

void ExpectLambdaRange(const AchsenInfo& a, int minPos, int maxPos, double lo, double hi)
{
    const double dy = (hi - lo) / 5;
    EXPECT_NEAR(a[maxPos], hi + dy, kTol);
    EXPECT_NEAR(a[minPos], lo - 0.3 * dy, kTol);
}

TEST(ExpData, FirstOrderLambdaRanges)
{
    {
        SCOPED_TRACE("lambda(0) not given: ln(10 - lambda)");
        Declare d = LambdaData(10, 0, true); // the point at lambda(inf) has no logarithm
        CalcScaleLambda1(d);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[1], 12.6f); // its time still counts
        ExpectLambdaRange(d.AchsenBereiche, 24, 25, std::log(2.0), std::log(8.0));
    }
    {
        SCOPED_TRACE("lambda(0) = 2: ln((10 - lambda)/8)");
        Declare d = LambdaData(10, 2, false);
        CalcScaleLambda1(d);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[1], 10.5f);
        ExpectLambdaRange(d.AchsenBereiche, 24, 25, std::log(0.25), 0.0);
    }
    {
        SCOPED_TRACE("lambda(0) = lambda(inf): no point has a value");
        Declare d = LambdaData(10, 10, false);
        CalcScaleLambda1(d);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[1], 10.5f);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[25], -14000); // -10000 + (-20000)/5
        EXPECT_FLOAT_EQ(d.AchsenBereiche[24], 11200);  // 10000 - 0.3 * (-4000)
    }
}

TEST(ExpData, SecondOrderLambdaRanges)
{
    {
        SCOPED_TRACE("lambda(0) not given: 10/(10 - lambda)");
        Declare d = LambdaData(10, 0, true);
        FillSentinels(d.AchsenBereiche);
        CalcScaleLambda2(d);
        ExpectLambdaRange(d.AchsenBereiche, 26, 27, 1.25, 5.0);
        EXPECT_EQ(d.AchsenBereiche[24], 1024.0f); // the first-order pair is untouched
    }
    {
        SCOPED_TRACE("lambda(0) = 2, cA0 = 0.5: (8/(10 - lambda))/0.5");
        Declare d = LambdaData(10, 2, true);
        d.c0Exp[1] = 0.5f;
        CalcScaleLambda2(d);
        ExpectLambdaRange(d.AchsenBereiche, 26, 27, 2.0, 8.0);
    }
    {
        SCOPED_TRACE("lambda(0) given, no cA0: every value stays 0");
        Declare d = LambdaData(10, 2, true);
        CalcScaleLambda2(d);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[26], 0);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[27], 0);
        EXPECT_FLOAT_EQ(d.AchsenBereiche[1], 12.6f);
    }
}

} // namespace
