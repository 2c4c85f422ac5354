#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "builders.h"
#include "core/chart/exppoints.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

Declare WithPoints(const std::vector<ExpPunkt>& pts, int code, float xMin, float xMax, float yMin, float yMax)
{
    Declare d;
    SetMeasuredPoints(d, pts);
    d.DiagrammTyp = static_cast<std::int16_t>(code);
    d.Diagramm.xMin = xMin;
    d.Diagramm.xMax = xMax;
    d.Diagramm.yMin = yMin;
    d.Diagramm.yMax = yMax;
    return d;
}

std::vector<int> Indices(const std::vector<ExpPlotPoint>& set)
{
    std::vector<int> v;
    for (const ExpPlotPoint& p : set) v.push_back(p.index);
    return v;
}

} // namespace

TEST(ExperPunkte, ConcentrationCodesOneSetPerSpeciesHeld)
{
    // A and P measured, B to Q not; 0.7 rounds down in single precision, so the
    // top point lies exactly on yMax only when compared as the ranges are (single)
    const std::vector<ExpPunkt> pts = {CtPoint({.t = 0, .A = 0.7, .P = 0}),
                                       CtPoint({.t = 5, .A = 0.4, .P = 0.3, .excluded = true}),
                                       CtPoint({.t = 10, .A = 0.2, .P = 0.5}), CtPoint({.t = 30, .A = 0.1, .P = 0.6})};
    for (int code : {2, 4, 20, -1, -9, 100}) {
        Declare d = WithPoints(pts, code, 0, 10, 0, 0.7f);
        bool inside = false;
        const ExpPointSets s = CalcExperPunkte(d, inside);
        EXPECT_TRUE(inside) << code;
        EXPECT_EQ(Indices(s.set[1]), (std::vector<int>{1, 2, 3})) << code; // t = 30 is clipped
        EXPECT_EQ(Indices(s.set[4]), (std::vector<int>{1, 2, 3})) << code; // c(P) = 0 at t = 0 is a value
        for (int k : {2, 3, 5, 6, 7}) EXPECT_TRUE(s.set[static_cast<std::size_t>(k)].empty()) << code << " set " << k;
        ASSERT_EQ(s.set[1].size(), 3u);
        EXPECT_EQ(s.set[1][1], (ExpPlotPoint{5, 0.4, 2, true})) << code; // excluded points are shown
        EXPECT_EQ(s.set[4][2], (ExpPlotPoint{10, 0.5, 3, false})) << code;
    }
}

TEST(ExperPunkte, InsideFlagAndClipping)
{
    const std::vector<ExpPunkt> pts = {CtPoint({.t = 0, .A = 1.0, .P = 0}), CtPoint({.t = 5, .A = 0.5, .P = 0}),
                                       CtPoint({.t = 10, .A = 0.25, .P = 0})};
    struct Case {
        const char* name;
        float xMin, xMax, yMin, yMax;
        std::vector<int> setA;
    } cases[] = {
        {"all inside, limits included", 0, 10, 0.25f, 1.0f, {1, 2, 3}},
        {"x window cuts both ends", 1, 9, 0, 2, {2}},
        {"y window cuts", 0, 10, 0.3f, 0.9f, {2}},
        {"all above", 0, 10, 2, 3, {}},
        {"all right of the points", 20, 30, 0, 2, {}},
        {"inverted window", 10, 0, 0, 2, {}},
    };
    for (const Case& c : cases) {
        Declare d = WithPoints(pts, 2, c.xMin, c.xMax, c.yMin, c.yMax);
        bool inside = true; // set false on entry
        const ExpPointSets s = CalcExperPunkte(d, inside);
        EXPECT_EQ(Indices(s.set[1]), c.setA) << c.name;
        EXPECT_EQ(inside, !c.setA.empty()) << c.name;
    }
}

TEST(ExperPunkte, KTCodesUseSetSix)
{
    const std::vector<ExpPunkt> pts = {KTPoint({.T = 300, .k = 0.01}), KTPoint({.T = 320, .k = 0.05}),
                                       KTPoint({.T = 340, .k = 0}), KTPoint({.T = 0, .k = 0.2}),
                                       KTPoint({.T = 360, .k = 0.9})};
    {
        Declare d = WithPoints(pts, -2, 250, 400, 0, 1);
        bool inside = false;
        const ExpPointSets s = CalcExperPunkte(d, inside);
        EXPECT_TRUE(inside);
        EXPECT_TRUE(s.set[1].empty());
        ASSERT_EQ(Indices(s.set[6]), (std::vector<int>{1, 2, 5}));
        EXPECT_EQ(s.set[6][1].x, 320.0);
        EXPECT_EQ(s.set[6][1].y, 0.05);
    }
    const struct {
        int code;
        double (*y)(double T, double k);
    } kinds[] = {
        {-3, [](double, double k) { return std::log(k); }},
        {-4, [](double T, double k) { return std::log(k / T); }},
    };
    for (const auto& kind : kinds) {
        Declare d = WithPoints(pts, kind.code, 0.002f, 0.004f, -20, 5);
        bool inside = false;
        const ExpPointSets s = CalcExperPunkte(d, inside);
        EXPECT_TRUE(inside);
        ASSERT_EQ(Indices(s.set[6]), (std::vector<int>{1, 2, 5})) << kind.code;
        for (const ExpPlotPoint& p : s.set[6]) {
            const ExpPunkt& e = pts[static_cast<std::size_t>(p.index - 1)];
            EXPECT_NEAR(p.x, 1.0 / e.T, 1e-9) << kind.code;
            EXPECT_NEAR(p.y, kind.y(e.T, e.k), 1e-6) << kind.code;
        }
    }
}

TEST(ExperPunkte, EvaluationCodesPlotTheirTransformInSetOne)
{
    const std::vector<ExpPunkt> pts = {CtPoint({.t = 0, .A = 1.0, .P = 0}),
                                       CtPoint({.t = 5, .A = 0.5, .P = 0, .excluded = true}),
                                       CtPoint({.t = 10, .A = 0.25, .P = 0}), CtPoint({.t = 12, .A = 0, .P = 0})};
    {
        Declare d = WithPoints(pts, -5, 0, 10, -2, 0.5f);
        bool inside = false;
        const ExpPointSets s = CalcExperPunkte(d, inside);
        ASSERT_EQ(Indices(s.set[1]), (std::vector<int>{1, 2, 3})); // c(A) = 0 is not plotted
        EXPECT_TRUE(s.set[1][1].excluded);
        EXPECT_NEAR(s.set[1][2].y, std::log(0.25), 1e-6);
        EXPECT_TRUE(s.set[4].empty());
    }
    {
        Declare d = WithPoints(pts, -6, 0, 10, 0, 5);
        bool inside = false;
        const ExpPointSets s = CalcExperPunkte(d, inside);
        ASSERT_EQ(Indices(s.set[1]), (std::vector<int>{1, 2, 3}));
        EXPECT_NEAR(s.set[1][2].y, 4.0, 1e-6);
    }
    {
        // Wilkinson: t = 0 is not plotted; without c(A)(0) no point can be placed
        Declare d = WithPoints(pts, -7, 0, 20, 0, 100);
        d.c0Exp[1] = 1.0f;
        bool inside = false;
        ExpPointSets s = CalcExperPunkte(d, inside);
        ASSERT_EQ(Indices(s.set[1]), (std::vector<int>{2, 3, 4}));
        EXPECT_NEAR(s.set[1][0].y, 10.0, 1e-5); // t/U = 5/0.5
        d.c0Exp[1] = 0;
        s = CalcExperPunkte(d, inside);
        EXPECT_TRUE(s.set[1].empty());
        EXPECT_FALSE(inside);
    }
}

TEST(ExperPunkte, ChartsWithoutMeasuredCounterpartGetNoPoints)
{
    const std::vector<ExpPunkt> pts = {CtPoint({.t = 0, .A = 1.0, .P = 0}), CtPoint({.t = 5, .A = 0.5, .P = 0.5})};
    for (int code : {0, 19, 52, 70, 101, -12}) {
        Declare d = WithPoints(pts, code, 0, 10, 0, 2);
        bool inside = true;
        const ExpPointSets s = CalcExperPunkte(d, inside);
        EXPECT_FALSE(inside) << code;
        for (const auto& set : s.set) EXPECT_TRUE(set.empty()) << code;
    }
    // the Michaelis-Menten diagram of the enzyme model plots rate over S(0)
    Declare d = WithPoints(pts, 10, 0, 10, 0, 2);
    d.ModellNr = 10;
    d.MMDiagramm = true;
    bool inside = true;
    CalcExperPunkte(d, inside);
    EXPECT_FALSE(inside);
    d.MMDiagramm = false;
    CalcExperPunkte(d, inside);
    EXPECT_TRUE(inside);
}
