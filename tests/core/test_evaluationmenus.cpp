#include "core/shell/evaluationmenus.h"

#include <gtest/gtest.h>

#include <cmath>

#include "builders.h"
#include "core/evaluation/tangent.h"
#include "core/kinetics/simulation.h"
#include "core/shell/expdata.h"

using namespace kinhom;
using namespace kinhom::test;

namespace {

Declare WithPoints(std::vector<ExpPunkt> points)
{
    Declare d;
    d.CRLF = "\r\n";
    LoadMeasuredPoints(d, points);
    return d;
}

const char* const kCtData = "No or not enough experimental c-t data\r\nInput data (=> Data / New  exper. data)";

TEST(EvaluationMenus, CtEvaluation)
{
    struct Case {
        std::vector<ExpPunkt> points;
        int index;
        std::string refusal;
        int code;  // when it goes on
        int model; // when it goes on
    };
    const std::vector<ExpPunkt> first = {CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.6065}),
                                         CtPoint({.t = 10, .A = 0.3679})};
    const Case cases[] = {
        {first, 1, "", -5, 2},
        {first, 2, "", -6, 3},
        {{CtPoint({.t = 0, .A = 0.99E-8}),
          CtPoint({.t = 5, .A = 0.5E-8})}, 1, "No initial concentration c(A)(0) found", 0, 0},
        {{CtPoint({.t = 0, .A = 1E-8}), CtPoint({.t = 5, .A = 0.5E-8})}, 1, "", -5, 2},
        {{CtPoint({.t = 0, .A = 1, .B = 1}),
          CtPoint({.t = 5, .A = 0.5, .B = 0.5})}, 3, "", -6, 4}, // equal start concentrations
        {{CtPoint({.t = 0, .A = 1, .B = 1.0000001}),
          CtPoint({.t = 5, .A = 0.5, .B = 0.5})}, 3, "", -8, 4}, // any difference
        {{CtPoint({.t = 0, .A = 1, .B = 0}),
          CtPoint({.t = 5, .A = 0.5, .B = 0})}, 3, "Both initial concentrations c(A)(0) and c(B)(0) are needed.", 0, 0},
        {first, 4, kCtData, 0, 0},                                     // WILKINSON needs four points
        {{CtPoint({.t = 0, .A = 1}), CtPoint({.t = 2, .A = 0.8}), CtPoint({.t = 5, .A = 0.6}),
          CtPoint({.t = 9, .A = 0.4})}, 4, "", -7, 7},
        {{CtPoint({.t = 0, .A = 1}),
          CtPoint({.t = 0, .A = 0.5})}, 1, kCtData, 0, 0}, // all times 0: no c-t data
        {{CtPoint({.t = 5, .A = 1})}, 1, kCtData, 0, 0},
    };
    for (const Case& c : cases) {
        Declare d = WithPoints(c.points);
        d.Arbeitsmodus = 6;
        d.ModellNr = 7;
        d.DiagrammTyp = 99;
        const std::string refusal = CtEvaluationCheck(d, c.index);
        EXPECT_EQ(refusal, c.refusal) << c.index;
        EXPECT_EQ(d.Arbeitsmodus, 0);
        if (!refusal.empty()) {
            EXPECT_EQ(d.DiagrammTyp, 99);
            continue;
        }
        CtEvaluationSetup(d, c.index);
        EXPECT_EQ(d.DiagrammTyp, c.code) << c.index;
        EXPECT_EQ(d.ModellNr, c.model) << c.index;
    }
}

TEST(EvaluationMenus, CtEvaluationSetsTheRangesOfItsPlot)
{
    Declare d = WithPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 10, .A = 0.3679})});
    ASSERT_EQ(CtEvaluationCheck(d, 1), "");
    CtEvaluationSetup(d, 1);
    // ln c(A) from -1 to 0, widened by a twentieth on both sides
    EXPECT_NEAR(d.AchsenBereiche[16], std::log(0.3679) - 0.05 * -std::log(0.3679), 1e-5);
    EXPECT_NEAR(d.AchsenBereiche[1], 10.5, 1e-5);
}

TEST(EvaluationMenus, LambdaEvaluation)
{
    struct Case {
        std::vector<ExpPunkt> points;
        double lambdaInf;
        int index;
        std::string refusal;
        std::string noteTitle;
        int code;
    };
    std::vector<ExpPunkt> withZero = {LambdaPoint({.t = 0, .lambda = 0}), LambdaPoint({.t = 5, .lambda = 4}),
                                      LambdaPoint({.t = 10, .lambda = 6})};
    std::vector<ExpPunkt> withStart = {LambdaPoint({.t = 0, .lambda = 1}), LambdaPoint({.t = 5, .lambda = 4}),
                                       LambdaPoint({.t = 10, .lambda = 6})};
    std::vector<ExpPunkt> withA = withStart;
    for (ExpPunkt& p : withA) p.c[1] = p.t == 0 ? 0.1 : 0;
    std::vector<ExpPunkt> withAB = withA;
    withAB[0].c[2] = 0.1;
    std::vector<ExpPunkt> withABDiffering = withA;
    withABDiffering[0].c[2] = 0.2;
    const Case cases[] = {
        {withZero, 10, 1, "", "Evaluation of lambda-data, 1st order", -10}, // lambda(0) = 0: note, then the chart
        {withStart, 10, 1, "", "", -10},
        {withStart, 0, 1,
         "No or not enough experimental lambda data!\r\nInput data (=> Data / New  exper. data)", "", 0},
        {withStart, 0.5E-8, 1, "No value lambda(t = infin.) found", "", 0},
        {withStart, 10, 2, "For a lambda evaluation according to 2nd order\r\nan initial concentration for A has to be available\r\n\r\nNOTE: The initial concentration can also be given as p(A)(0)/kPa, \r\nin this case the rate constant gets the unit [k] = 1/(kPa s).", "", 0},
        {withA, 10, 2, "", "", -11},
        {withA, 10, 3, "For a lambda evaluation the initial concentations\r\nc(A)(0) and c(B)(0) have to be available in this case", "", 0},
        {withABDiffering, 10, 3, "This time only the case c(A)(0) = c(B)(0) is supported.", "", 0},
        {withAB, 10, 3, "", "", -11},
        {{LambdaPoint({.t = 5, .lambda = 4})}, 10, 2, "No or not enough experimental lambda-t data\r\nDo input data in the Data Editor", "", 0},
    };
    for (const Case& c : cases) {
        Declare d = WithPoints(c.points);
        d.LambdaUnendlich = c.lambdaInf;
        AnalyzeExpData(d);
        MenuNote note;
        const std::string refusal = LambdaEvaluationCheck(d, c.index, note);
        EXPECT_EQ(refusal, c.refusal) << c.index << " " << c.lambdaInf;
        EXPECT_EQ(note.title, c.noteTitle) << c.index;
        if (!refusal.empty()) {
            EXPECT_FALSE(d.LambdaAuswertung);
            continue;
        }
        LambdaEvaluationSetup(d, c.index);
        EXPECT_TRUE(d.LambdaAuswertung);
        EXPECT_EQ(d.DiagrammTyp, c.code);
        EXPECT_EQ(d.ModellNr, c.index == 1 ? 2 : c.index + 1);
    }
}

TEST(EvaluationMenus, KTCouples)
{
    struct Case {
        std::vector<ExpPunkt> points;
        int distinct;
        std::string refusal;
    };
    const std::string tooFew = "at least two different couples of k-T values needed!";
    const Case cases[] = {
        {{KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 310, .k = 0.2}), KTPoint({.T = 300, .k = 0.1}),
          KTPoint({.T = 320, .k = 0.4})}, 3, ""},
        {{KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 300, .k = 0.1})}, 1, tooFew},
        {{KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 310, .k = 0}), KTPoint({.T = 320, .k = -0.2}),
          KTPoint({.T = -5, .k = 0.3})}, 1, "First load or input experimental points k - T!"},
        {{KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 310, .k = 0.2}), KTPoint({.T = 320, .k = 0}),
          KTPoint({.T = 0, .k = 0.3})}, 2, ""},
        {{KTPoint({.T = 300, .k = 0.1}),
          KTPoint({.T = 300.0000001, .k = 0.1})}, 2, ""}, // not exactly the same T
        {{}, 0, "First load or input experimental points k - T!"},
    };
    for (const Case& c : cases) {
        Declare d = WithPoints(c.points);
        const auto before = d.ExpPunkte;
        EXPECT_EQ(DistinctKTCouples(d), c.distinct) << c.points.size();
        EXPECT_EQ(KTEvaluationCheck(d), c.refusal) << c.points.size();
        EXPECT_EQ(d.ExpPunkte, before); // counted on a copy
    }
    // k or T not positive in all but one point: kTDaten may still hold from an
    // earlier analysis, the count refuses
    Declare d = WithPoints({KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 310, .k = 0.2})});
    d.ExpPunkte[2].k = 0;
    EXPECT_EQ(KTEvaluationCheck(d), tooFew);

    Declare e = WithPoints({KTPoint({.T = 300, .k = 0.1}), KTPoint({.T = 310, .k = 0.2})});
    KTEvaluationSetup(e, 2);
    EXPECT_EQ(e.DiagrammTyp, -4);
    KTEvaluationSetup(e, 1);
    EXPECT_EQ(e.DiagrammTyp, -3);
    EXPECT_NEAR(e.AchsenBereiche[7], 310 + 0.5, 1e-4); // T range with its margin
}

TEST(EvaluationMenus, NewExpDataEmptiesTheTableAndWhatItHeld)
{
    // Data of every kind: c-t-T points, k-T points and lambda readings.
    std::vector<ExpPunkt> points;
    for (int i = 0; i < 4; ++i) {
        ExpPunkt p = CtPoint({.t = 5.0 * i, .A = 1.0 / (1 + i), .B = 0.5});
        p.T = 300 + 10 * i;
        p.k = 0.01 * (i + 1);
        p.lambda = 10.0f - float(i);
        points.push_back(p);
    }
    Declare d = WithPoints(points);
    d.LambdaUnendlich = 3;
    AnalyzeExpData(d);
    ASSERT_TRUE(d.ctDaten && d.ctTDaten && d.kTDaten && d.LambdaDaten && d.DatenVorhanden[1]);
    d.DateiName = "x.KV3";
    d.Kommentar = "kept";
    d.DatenGeaendert = true;

    NewExpData(d);
    EXPECT_EQ(d.AnzahlPunkte, 0);
    ASSERT_EQ(d.ExpPunkte.size(), 2u);
    EXPECT_EQ(d.ExpPunkte[1], ExpPunkt{});
    EXPECT_EQ(d.LambdaUnendlich, 0);
    EXPECT_EQ(d.DateiName, "");
    EXPECT_EQ(d.Kommentar, "kept");
    EXPECT_TRUE(d.DatenGeaendert);
    EXPECT_FALSE(d.ctDaten || d.ctTDaten || d.kTDaten || d.LambdaDaten);
    EXPECT_EQ(d.AnzahlTemperaturen, 0);
    EXPECT_EQ(d.c0Exp[1], 0.0f);

    // Every evaluation refuses with its own text instead of charting nothing.
    MenuNote note;
    EXPECT_EQ(CtEvaluationCheck(d, 1), "No or not enough experimental c-t data\r\nInput data (=> Data / New  exper. data)");
    EXPECT_EQ(LambdaEvaluationCheck(d, 1, note),
              "No or not enough experimental lambda data!\r\nInput data (=> Data / New  exper. data)");
    EXPECT_EQ(KTEvaluationCheck(d), "First load or input experimental points k - T!");
    for (int column = 1; column <= 5; ++column) {
        EXPECT_FALSE(d.DatenVorhanden[column]);
        EXPECT_EQ(TangentCheck(d, column), "First load or input experimental points " + SpeciesConcText(column) + " - t!");
    }
}

TEST(EvaluationMenus, TangentNeedsPointsOfItsSpecies)
{
    Declare d = WithPoints({CtPoint({.t = 0, .A = 1}), CtPoint({.t = 5, .A = 0.5}), CtPoint({.t = 10, .A = 0.25})});
    EXPECT_EQ(TangentCheck(d, 1), "");
    EXPECT_EQ(TangentCheck(d, 2), "First load or input experimental points c(B) - t!");
    // The table counts, not an older analysis of it.
    d.DatenVorhanden[2] = true;
    EXPECT_EQ(TangentCheck(d, 2), "First load or input experimental points c(B) - t!");
    d.AnzahlPunkte = 0;
    EXPECT_EQ(TangentCheck(d, 1), "First load or input experimental points c(A) - t!");
}

} // namespace
