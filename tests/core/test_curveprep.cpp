#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "builders.h"
#include "core/chart/curveprep.h"
#include "core/kinetics/akima.h"

using namespace kinhom;
using namespace kinhom::test;

// ---- curve slots ---------------------------------------------------------------

TEST(CurveSlots, LowestFreeSlotReuseAndTheLimitOf24)
{
    KurvenSlots frei{};
    frei.fill(false); // stale flags: a count of 0 frees every slot first
    int anzahl = 0;
    int slot = -1;
    for (int expected = 1; expected <= 3; ++expected) {
        ASSERT_TRUE(NextCurveSlot(frei, anzahl, slot));
        EXPECT_EQ(slot, expected);
        EXPECT_EQ(anzahl, expected);
    }
    // curve 2 deleted: the next curve goes into slot 2, not 4
    ReleaseCurveSlot(frei, anzahl, 2);
    EXPECT_EQ(anzahl, 2);
    ReleaseCurveSlot(frei, anzahl, 2); // a second release changes nothing
    EXPECT_EQ(anzahl, 2);
    ASSERT_TRUE(NextCurveSlot(frei, anzahl, slot));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(anzahl, 3);

    for (int expected = 4; expected <= 24; ++expected) {
        ASSERT_TRUE(NextCurveSlot(frei, anzahl, slot));
        EXPECT_EQ(slot, expected);
    }
    EXPECT_EQ(anzahl, 24);
    slot = 7;
    EXPECT_FALSE(NextCurveSlot(frei, anzahl, slot)); // the 25th curve
    EXPECT_EQ(anzahl, 24);
    EXPECT_EQ(slot, 7);
    EXPECT_EQ(NoCurveSlotMessage(), "Maximum 24 curves possible\r\nDelete existing curves");

    // A table without a free slot but a lower count gives no slot and keeps the count.
    KurvenSlots voll{};
    voll.fill(false);
    int count = 5;
    EXPECT_FALSE(NextCurveSlot(voll, count, slot));
    EXPECT_EQ(count, 5);
}

// ---- label placement ------------------------------------------------------------

TEST(LabelPlacement, SlotsOneTo24SpreadAlongTheVisiblePart)
{
    // 201 points at x = 0 .. 200, visible up to xMax = 100: L = 100 (x = 99),
    // so the four places are CLng(83.33 - 18 f): 65, 47, 29, 11.
    std::vector<KurvenPunkt> pts(202);
    pts[0].x = 201;
    for (int i = 1; i <= 201; ++i) pts[i].x = static_cast<float>(i - 1);
    const int places[4] = {65, 47, 29, 11};
    for (int slot = 1; slot <= 24; ++slot)
        EXPECT_EQ(LabelPointIndex(pts, 100.0f, slot), places[(slot - 1) % 4]) << "slot " << slot;

    // Whole curve visible: L = 201 -> 131.32, 95.14, 58.96, 22.78.
    const int whole[4] = {131, 95, 59, 23};
    for (int slot = 1; slot <= 24; ++slot) {
        const int at = LabelPointIndex(pts, 1000.0f, slot);
        EXPECT_EQ(at, whole[(slot - 1) % 4]) << "slot " << slot;
        EXPECT_GE(at, 1);
        EXPECT_LE(at, 201);
    }
    // No point left of xMax: L is the last point (not a stale value, not 0).
    EXPECT_EQ(LabelPointIndex(pts, -5.0f, 1), 131);

    // Any four consecutive slots get four different places.
    for (int first = 1; first <= 21; ++first) {
        std::set<int> at;
        for (int s = first; s < first + 4; ++s) at.insert(LabelPointIndex(pts, 100.0f, s));
        EXPECT_EQ(at.size(), 4u) << "slots " << first << " to " << first + 3;
    }
}

TEST(LabelPlacement, ClampedToTheCurvesPoints)
{
    EXPECT_EQ(LabelPointIndex(3, 3, 4), 1);  // 2.5 - 2.16 = 0.34 rounds to 0 -> point 1
    EXPECT_EQ(LabelPointIndex(1, 1, 1), 1);
    EXPECT_EQ(LabelPointIndex(0, 0, 1), 0);  // no point, no place
    std::vector<KurvenPunkt> empty(1);
    EXPECT_EQ(LabelPointIndex(empty, 1.0f, 1), 0);
    // A count larger than the buffer is not read beyond it.
    std::vector<KurvenPunkt> shortBuf(3);
    shortBuf[0].x = 500;
    shortBuf[1].x = 0;
    shortBuf[2].x = 1;
    EXPECT_EQ(LabelPointIndex(shortBuf, 10.0f, 1), 1);
}

// ---- species courses ------------------------------------------------------------

namespace {

// A simulated table whose columns are told apart by their values: c of slot s
// at row i is s + i/1000, its rate -(s + i/1000); t = i/2.
Declare SimulatedRun(int model)
{
    Declare d;
    d.ModellNr = static_cast<std::int16_t>(model);
    d.DiagrammTyp = static_cast<std::int16_t>(model);
    d.SimAnzahl = 200;
    d.KurvenPunkte.assign(2001, KurvenPunkt{});
    std::vector<double>* conc[6] = {nullptr, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ};
    std::vector<float>* rate[6] = {nullptr, &d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ};
    d.SimT.assign(201, 0.0);
    for (int s = 1; s <= 5; ++s) {
        conc[s]->assign(201, 0.0);
        rate[s]->assign(201, 0.0f);
    }
    for (int i = 0; i <= 200; ++i) {
        d.SimT[i] = i / 2.0;
        for (int s = 1; s <= 5; ++s) {
            (*conc[s])[i] = s + i / 1000.0;
            (*rate[s])[i] = static_cast<float>(-(s + i / 1000.0));
        }
    }
    d.Diagramm.xMin = 0;
    d.Diagramm.xMax = 100;
    d.Diagramm.yMin = 0;
    d.Diagramm.yMax = 10;
    return d;
}

// Value of the species column as SimulatedRun builds it.
float Expected(int species, int row, bool rate)
{
    const double v = species + row / 1000.0;
    return static_cast<float>(rate ? -v : v);
}

} // namespace

TEST(CurvePrep, SpeciesOrderOfEveryModelGroup)
{
    // concentration code -> species in drawing order (1 A, 2 B, 3 C, 4 P, 5 Q)
    const struct { int code; std::vector<int> order; } groups[] = {
        {1, {1, 4}}, {2, {1, 4}}, {3, {1, 4}}, {5, {1, 4}}, {8, {1, 4}}, {20, {1, 4}},
        {4, {1, 2, 4}}, {12, {1, 2, 4}}, {17, {1, 2, 4}},
        {6, {1, 3, 4}}, {14, {1, 3, 4}}, {15, {1, 3, 4}},
        {7, {1, 2, 3, 4}}, {9, {1, 2, 3, 4}}, {10, {1, 2, 3, 4}}, {13, {1, 2, 3, 4}}, {18, {1, 2, 3, 4}},
        {11, {1, 4, 5}}, {16, {1, 4, 5}},
    };
    for (const auto& g : groups) {
        const int n = static_cast<int>(g.order.size());
        for (int code : {g.code, g.code + 50}) {
            for (int k = n; k >= 1; --k) EXPECT_EQ(CurveSpecies(code, k), g.order[n - k]) << code << " " << k;
            EXPECT_EQ(CurveSpecies(code, n + 1), 0) << code;
            EXPECT_EQ(CurveSpecies(code, 0), 0) << code;
        }
    }
    for (int code : {0, 19, 69, 100, -5, 21, 71}) EXPECT_EQ(CurveSpecies(code, 1), 0) << code;
}

TEST(CurvePrep, Model9DrawsFourLabelledCoursesOfConcentrationsOrRates)
{
    for (bool rate : {false, true}) {
        Declare d = SimulatedRun(9);
        d.RateDiagramm = rate;
        d.DiagrammTyp = rate ? 59 : 9;
        d.KurvenZuZeichnen = 4;
        const char* labels[4] = {"(A) ", "(B) ", "(C) ", "(P) "};
        const int species[4] = {1, 2, 3, 4};
        for (int pass = 0; pass < 4; ++pass) {
            bool outside = true;
            const CurveOutcome o = PrepareCurveData(d, d.DiagrammTyp, pass + 1, 300, outside);
            ASSERT_EQ(o.kind, CurveOutcome::Kind::Curve);
            EXPECT_TRUE(o.hasLabel);
            EXPECT_EQ(o.label, std::string(rate ? "r" : "c") + labels[pass]);
            EXPECT_EQ(d.KurvenPunkte[0].x, 201.0f);
            EXPECT_EQ(d.KurvenZuZeichnen, 3 - pass);
            for (int row : {0, 57, 200}) {
                EXPECT_EQ(d.KurvenPunkte[row + 1].x, row / 2.0f);
                EXPECT_EQ(d.KurvenPunkte[row + 1].y, Expected(species[pass], row, rate)) << pass << " " << row;
            }
        }
    }
}

TEST(CurvePrep, EnzymeModelLabelsAndModel11Order)
{
    Declare d = SimulatedRun(10);
    d.KurvenZuZeichnen = 4;
    bool outside = true;
    for (const char* label : {"c(E) ", "c(S) ", "c(ES) ", "c(P) "})
        EXPECT_EQ(PrepareCurveData(d, 10, 1, 300, outside).label, label);
    d.RateDiagramm = true;
    d.KurvenZuZeichnen = 4;
    for (const char* label : {"r(E) ", "r(S) ", "r(ES) ", "r(P) "})
        EXPECT_EQ(PrepareCurveData(d, 60, 1, 300, outside).label, label);

    d = SimulatedRun(11);
    d.KurvenZuZeichnen = 3;
    for (int s : {1, 4, 5}) {
        PrepareCurveData(d, 11, 1, 300, outside);
        EXPECT_EQ(d.KurvenPunkte[11].y, Expected(s, 10, false)) << s;
    }
}

TEST(CurvePrep, OnlyTheCourseOfAClearsTheOutsideFlag)
{
    // A wholly above the window, P inside: the flag stays set.
    Declare d = SimulatedRun(2);
    d.Diagramm.yMin = 3.5f;
    d.Diagramm.yMax = 4.5f; // P (4 .. 4.2) lies inside, A (1 .. 1.2) below
    d.KurvenZuZeichnen = 2;
    bool outside = true;
    PrepareCurveData(d, 2, 1, 300, outside);
    EXPECT_TRUE(outside);
    PrepareCurveData(d, 2, 2, 300, outside);
    EXPECT_TRUE(outside);
    // A partly inside (the window's lower edge inclusive) clears it.
    d.Diagramm.yMin = 1.2f;
    d.KurvenZuZeichnen = 2;
    outside = true;
    PrepareCurveData(d, 2, 1, 300, outside);
    EXPECT_FALSE(outside);
}

TEST(CurvePrep, CountsOutsideTheSpeciesAndNothingPending)
{
    Declare d = SimulatedRun(2);
    d.KurvenPunkte[0].x = 55; // a stale curve must not be drawn again
    d.KurvenZuZeichnen = 3;   // more than model 2's two species
    bool outside = true;
    CurveOutcome o = PrepareCurveData(d, 2, 1, 300, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::NoCurve);
    EXPECT_EQ(d.KurvenZuZeichnen, 2);
    EXPECT_EQ(d.KurvenPunkte[0].x, 0.0f);

    d.KurvenZuZeichnen = 0;
    o = PrepareCurveData(d, 2, 1, 300, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::NoCurve);
    EXPECT_EQ(d.KurvenZuZeichnen, 0);

    for (int code : {0, 19, 69, 150}) {
        d.KurvenZuZeichnen = 1;
        o = PrepareCurveData(d, code, 1, 300, outside);
        EXPECT_EQ(o.kind, CurveOutcome::Kind::NoCurve) << code;
        EXPECT_EQ(d.KurvenZuZeichnen, 0) << code;
    }
}

TEST(CurvePrep, NonIsothermalFitDrawsOneCurveLabelledWithTheSlotsTemperature)
{
    Declare d = SimulatedRun(2);
    d.Arbeitsmodus = 6;
    d.Temperaturen = {0, 298.15f, 310.5f};
    d.AnzahlTemperaturen = 2;
    d.KurvenZuZeichnen = 2;
    bool outside = true;
    CurveOutcome o = PrepareCurveData(d, 2, 2, 300, outside);
    ASSERT_EQ(o.kind, CurveOutcome::Kind::Curve);
    EXPECT_EQ(o.label, "T/K = 310.5");
    EXPECT_EQ(d.KurvenZuZeichnen, 0); // one curve per pass
    EXPECT_EQ(d.KurvenPunkte[101].y, Expected(1, 100, false));

    d.Arbeitsmodus = 7;
    d.KurvenZuZeichnen = 1;
    EXPECT_EQ(PrepareCurveData(d, 2, 1, 300, outside).label, "T/K = 298.15");

    // A slot beyond the measured temperatures fails with a description and
    // counts nothing; a stale entry beyond the count is not taken either.
    d.Temperaturen = {0, 298.15f, 310.5f, 320.0f};
    for (int slot : {3, 4, 25}) {
        d.KurvenZuZeichnen = 1;
        o = PrepareCurveData(d, 2, slot, 300, outside);
        EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed) << slot;
        EXPECT_NE(o.fehlerText.find("temperature"), std::string::npos) << o.fehlerText;
        EXPECT_EQ(d.KurvenZuZeichnen, 1);
        EXPECT_EQ(d.KurvenPunkte[0].x, 0.0f);
    }
}

TEST(CurvePrep, MichaelisMentenCurveIsTheUnlabelledRelativeRate)
{
    Declare d = SimulatedRun(10);
    d.MMDiagramm = true;
    d.Diagramm.yMin = 100; // the window misses the curve; the P curve does not warn
    d.Diagramm.yMax = 200;
    d.KurvenZuZeichnen = 1;
    bool outside = true;
    const CurveOutcome o = PrepareCurveData(d, 10, 1, 300, outside);
    ASSERT_EQ(o.kind, CurveOutcome::Kind::Curve);
    EXPECT_TRUE(o.hasLabel);
    EXPECT_EQ(o.label, "");
    EXPECT_FALSE(outside);
    EXPECT_EQ(d.KurvenPunkte[0].x, 201.0f);
    EXPECT_EQ(d.KurvenPunkte[201].y, Expected(4, 200, true)); // SimRP, not SimCP
}

TEST(CurvePrep, ValuesThatAreNotFiniteSinglesFailTheCurve)
{
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
        Declare d = SimulatedRun(4);
        d.SimCB[77] = bad;
        d.KurvenZuZeichnen = 2; // -> B
        bool outside = true;
        const CurveOutcome o = PrepareCurveData(d, 4, 1, 300, outside);
        EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed);
        EXPECT_NE(o.fehlerText.find("c(B)"), std::string::npos) << o.fehlerText;
        EXPECT_EQ(d.KurvenZuZeichnen, 2);
        EXPECT_EQ(d.KurvenPunkte[0].x, 0.0f);
    }
    // A table shorter than the run is a fault, not a read beyond its end.
    Declare d = SimulatedRun(2);
    d.SimCP.resize(100);
    d.KurvenZuZeichnen = 1;
    bool outside = true;
    EXPECT_EQ(PrepareCurveData(d, 2, 1, 300, outside).kind, CurveOutcome::Kind::Failed);
}

// ---- spline of measured points (code 100) ---------------------------------------

namespace {

// Measured c(P) on the straight line c = 0.2 + 0.05 t at t = 0, 1, ..., 10;
// the Akima spline reproduces a straight line exactly, also beyond the data.
Declare MeasuredLine(int points)
{
    Declare d;
    d.KurvenPunkte.assign(2001, KurvenPunkt{});
    std::vector<ExpPunkt> line;
    for (double t = 0; t < points; ++t) line.push_back(CtPoint({.t = t, .P = 0.2 + 0.05 * t}));
    SetMeasuredPoints(d, line);
    d.TangenteSpalte = 4;
    d.DiagrammTyp = 100;
    d.Diagramm.xMin = 0;
    d.Diagramm.xMax = 10;
    d.Diagramm.yMin = 0;
    d.Diagramm.yMax = 1;
    d.KurvenZuZeichnen = 1;
    d.AkimaQuelle = 9; // tables of an earlier simulation of model 9
    return d;
}

} // namespace

TEST(CurvePrep, SplineOfMeasuredPointsAtTheCurveResolution)
{
    Declare d = MeasuredLine(11);
    bool outside = true;
    const CurveOutcome o = PrepareCurveData(d, 100, 1, 300, outside);
    ASSERT_EQ(o.kind, CurveOutcome::Kind::Curve) << o.fehlerText;
    EXPECT_FALSE(o.hasLabel);
    EXPECT_FALSE(outside);
    EXPECT_EQ(d.KurvenZuZeichnen, 0);
    EXPECT_EQ(d.AkimaQuelle, kAkimaQuelleMessdaten); // never read as a model's course

    // x = 0, 1/60, 2/60, ... as long as x <= 10: 601 points, the last one at
    // xMax itself although 600 single-precision steps of 1/60 overshoot 10
    const int count = static_cast<int>(d.KurvenPunkte[0].x);
    EXPECT_EQ(count, 601);
    EXPECT_EQ(d.KurvenPunkte[601].x, 10.0f);
    EXPECT_EQ(d.KurvenPunkte[1].x, 0.0f);
    for (int i = 1; i <= count; ++i) {
        const float x = d.KurvenPunkte[i].x;
        EXPECT_NEAR(x, (i - 1) / 60.0, 1e-4) << i;
        EXPECT_NEAR(d.KurvenPunkte[i].y, 0.2 + 0.05 * x, 1e-6) << i;
    }
    EXPECT_LE(d.KurvenPunkte[count].x, 10.0f);
    EXPECT_GT(d.KurvenPunkte[count].x + 1.0f / 60, 10.0f);

    // The sampling starts at x = 0 whatever xMin is, and runs to xMax.
    d = MeasuredLine(11);
    d.Diagramm.xMin = 5;
    d.Diagramm.xMax = 20; // dx = 15/300, step 1/40; beyond the data the line goes on
    PrepareCurveData(d, 100, 1, 300, outside);
    const int n2 = static_cast<int>(d.KurvenPunkte[0].x);
    EXPECT_EQ(n2, 801);
    EXPECT_EQ(d.KurvenPunkte[801].x, 20.0f);
    EXPECT_NEAR(d.KurvenPunkte[n2].y, 0.2 + 0.05 * d.KurvenPunkte[n2].x, 1e-5);
}

TEST(CurvePrep, SplineFailsWithWhatTheDataLack)
{
    bool outside = true;
    // fewer than 3 points
    Declare d = MeasuredLine(2);
    CurveOutcome o = PrepareCurveData(d, 100, 1, 300, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed);
    EXPECT_NE(o.fehlerText.find("at least 3"), std::string::npos) << o.fehlerText;
    EXPECT_EQ(d.KurvenZuZeichnen, 1);
    EXPECT_EQ(d.AkimaQuelle, 9); // tables untouched

    // a time twice, and times falling
    for (double t3 : {1.0, 0.5}) {
        d = MeasuredLine(5);
        d.ExpPunkte[3].t = t3;
        o = PrepareCurveData(d, 100, 1, 300, outside);
        EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed);
        EXPECT_NE(o.fehlerText.find("rise strictly"), std::string::npos) << o.fehlerText;
        EXPECT_NE(o.fehlerText.find("point 3"), std::string::npos) << o.fehlerText;
        EXPECT_EQ(d.KurvenPunkte[0].x, 0.0f);
        EXPECT_EQ(d.AkimaQuelle, 9);
    }

    // more points than the buffer: resolution 400 over an x range of 1 up to 10
    d = MeasuredLine(11);
    d.Diagramm.xMin = 9;
    o = PrepareCurveData(d, 100, 1, 400, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed);
    EXPECT_NE(o.fehlerText.find("2000"), std::string::npos) << o.fehlerText;

    // an empty x range would never end the sampling
    d = MeasuredLine(11);
    d.Diagramm.xMin = 10;
    o = PrepareCurveData(d, 100, 1, 300, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed);
    EXPECT_EQ(d.AkimaQuelle, 9);

    // no species chosen
    d = MeasuredLine(11);
    d.TangenteSpalte = 0;
    EXPECT_EQ(PrepareCurveData(d, 100, 1, 300, outside).kind, CurveOutcome::Kind::Failed);
}

TEST(CurvePrep, SplineWindowLeftOfZeroGivesNoCurve)
{
    Declare d = MeasuredLine(11);
    d.Diagramm.xMin = -10;
    d.Diagramm.xMax = -1;
    bool outside = true;
    const CurveOutcome o = PrepareCurveData(d, 100, 1, 300, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::NoCurve);
    EXPECT_EQ(d.KurvenPunkte[0].x, 0.0f);
    EXPECT_EQ(d.KurvenZuZeichnen, 0);
}

// ---- linearised evaluations through the same frame --------------------------------

TEST(CurvePrep, EvaluationCodesGoThroughTheFrame)
{
    Declare d;
    d.KurvenPunkte.assign(2001, KurvenPunkt{});
    d.RegBasis.assign(6, 0.0);
    std::vector<ExpPunkt> firstOrder;
    for (double t = 0; t <= 20; ++t) firstOrder.push_back(CtPoint({.t = t, .A = std::exp(-0.1 * t)}));
    SetMeasuredPoints(d, firstOrder);
    d.Diagramm.xMin = 0;
    d.Diagramm.xMax = 20;
    d.Diagramm.yMin = -3;
    d.Diagramm.yMax = 0.5f;
    d.KurvenZuZeichnen = 1;
    bool outside = true;
    CurveOutcome o = PrepareCurveData(d, -5, 1, 300, outside);
    ASSERT_EQ(o.kind, CurveOutcome::Kind::Curve) << o.fehlerText;
    EXPECT_EQ(o.statusText.rfind("Result: {k} = ", 0), 0u) << o.statusText;
    EXPECT_NEAR(d.k[1], 0.1, 1e-6);
    EXPECT_EQ(d.KurvenZuZeichnen, 0);
    EXPECT_GT(d.KurvenPunkte[0].x, 100.0f);

    // code -8 without a point at t = 0 fails and counts nothing
    for (int i = 1; i <= 21; ++i) {
        d.ExpPunkte[i].t = i;
        d.ExpPunkte[i].c[2] = 0.5 * std::exp(-0.05 * i);
    }
    d.KurvenZuZeichnen = 1;
    o = PrepareCurveData(d, -8, 1, 300, outside);
    EXPECT_EQ(o.kind, CurveOutcome::Kind::Failed);
    EXPECT_FALSE(o.fehlerText.empty());
    EXPECT_EQ(d.KurvenZuZeichnen, 1);
}
