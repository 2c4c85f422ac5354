#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "builders.h"
#include "core/chart/evaluation.h"
#include "core/evaluation/fitstart.h"
#include "core/shell/evaluationmenus.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

// First-order c(A) points, k = 4.8e-4 per s, from t = 0 to 6200 s, with the
// chart window of the ln c(A) plot.
Declare FirstOrderData()
{
    std::vector<ExpPunkt> points;
    for (int i = 0; i <= 10; ++i) {
        const double t = 620.0 * i;
        points.push_back(CtPoint({.t = t, .A = 0.0123 * std::exp(-4.8e-4 * t)}));
    }
    Declare d;
    SetMeasuredPoints(d, points);
    d.Diagramm.xMin = 0;
    d.Diagramm.xMax = 6200;
    d.Diagramm.yMin = -10;
    d.Diagramm.yMax = 0;
    d.KurvenPunkte.assign(kKurvenPunkteMax + 1, KurvenPunkt{});
    d.ModellNr = 2;
    return d;
}

} // namespace

TEST(FitStart, TheEvaluatedRateConstantLastsWhileThePointsStay)
{
    Declare d = FirstOrderData();
    bool outside = true;
    ASSERT_EQ(PrepareEvaluationCurve(d, -5, outside).kind, EvalOutcome::Kind::Line);
    double k = 0;
    ASSERT_TRUE(EvaluatedRateConstant(d, 2, k));
    EXPECT_NEAR(k, 4.8e-4, 1e-9);
    EXPECT_EQ(k, d.k[1]);
    // It is k1 of the first-order model only.
    EXPECT_FALSE(EvaluatedRateConstant(d, 3, k));
    EXPECT_FALSE(EvaluatedRateConstant(d, 0, k));

    // An edited value, an exclusion, an added point, new (empty) data and
    // converted times each end it.
    std::vector<Declare> changed(5, d);
    changed[0].ExpPunkte[4].c[1] *= 1.01;
    changed[1].ExpPunkte[4].exclude = -1;
    changed[2].ExpPunkte.push_back(changed[2].ExpPunkte[2]);
    changed[2].AnzahlPunkte = 12;
    changed[3].AnzahlPunkte = 0;
    for (int i = 1; i <= 11; ++i)
        changed[4].ExpPunkte[std::size_t(i)].t /= 60;
    for (std::size_t i = 0; i < changed.size(); ++i)
        EXPECT_FALSE(EvaluatedRateConstant(changed[i], 2, k)) << i;
    // Records beyond the points in use do not count.
    Declare spare = d;
    spare.ExpPunkte.push_back(ExpPunkt{});
    EXPECT_TRUE(EvaluatedRateConstant(spare, 2, k));
}

// The 1/c(A) plot (-6) serves 2A => P and A + B => P with equal start
// concentrations: its k1 is kept for the model the evaluation menu set up.
TEST(FitStart, TheSecondOrderPlotFilesItsRateConstantUnderItsModel)
{
    // 2A => P with k = 0.05 l/(mol s): 1/c(A) = 1/c0 + 2 k t.
    std::vector<ExpPunkt> points;
    for (int i = 0; i <= 8; ++i) {
        const double t = 25.0 * i;
        points.push_back(CtPoint({.t = t, .A = 1.0 / (1.0 / 0.5 + 0.1 * t), .B = 1.0 / (1.0 / 0.5 + 0.1 * t)}));
    }
    for (const int index : {2, 3}) {
        Declare d;
        LoadMeasuredPoints(d, points);
        d.KurvenPunkte.assign(kKurvenPunkteMax + 1, KurvenPunkt{});
        ASSERT_EQ(CtEvaluationCheck(d, index), "") << index;
        CtEvaluationSetup(d, index);
        ASSERT_EQ(d.DiagrammTyp, DiagramCode::SecondOrderPlot) << index;
        bool outside = true;
        ASSERT_EQ(PrepareEvaluationCurve(d, d.DiagrammTyp, outside).kind, EvalOutcome::Kind::Line) << index;
        const int model = index == 2 ? 3 : 4;
        const int other = index == 2 ? 4 : 3;
        double k = 0;
        ASSERT_TRUE(EvaluatedRateConstant(d, model, k)) << index;
        EXPECT_NEAR(k, model == 3 ? 0.05 : 0.1, 1e-6) << index;
        EXPECT_FALSE(EvaluatedRateConstant(d, other, k)) << index;
    }
}

TEST(FitStart, StartValuesComeFromTheData)
{
    Declare d = FirstOrderData();
    d.Arbeitsmodus = 1;
    d.c0 = {0, 1, 1, 0, 0, 0};
    d.k[1] = 0.15;
    d.DatenVorhanden[1] = d.DatenVorhanden[2] = true;
    d.c0Exp[1] = 0.0123f;
    d.c0Exp[2] = 0;          // B has no point at t = 0: c0(B) stays
    d.c0Exp[3] = 0.5f;       // no data of C: c0(C) stays
    d.tMaxExp = 6200;
    d.tEnde = 100000;        // the previous data set's
    RememberEvaluatedRateConstant(d, 2, 4.8e-4);

    Declare other = d;
    TakeFitStartValuesFromData(d);
    EXPECT_EQ(d.c0[1], double(0.0123f));
    EXPECT_EQ(d.c0[2], 1.0);
    EXPECT_EQ(d.c0[3], 0.0);
    EXPECT_EQ(d.tEnde, 6200.0f);
    EXPECT_EQ(d.k[1], 4.8e-4);

    // Another model, another task or no valid evaluation keep k1.
    for (int variant = 0; variant < 3; ++variant) {
        Declare e = other;
        if (variant == 0)
            e.ModellNr = 3;
        else if (variant == 1)
            e.Arbeitsmodus = 6;
        else
            e.ExpPunkte[2].c[1] = 0.01;
        TakeFitStartValuesFromData(e);
        EXPECT_EQ(e.k[1], 0.15) << variant;
    }
    // A start concentration beyond single precision is no start value.
    Declare huge = other;
    huge.c0Exp[1] = std::numeric_limits<float>::infinity();
    TakeFitStartValuesFromData(huge);
    EXPECT_EQ(huge.c0[1], 1.0);
}
