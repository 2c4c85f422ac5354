#include <gtest/gtest.h>

#include <string>

#include "core/chart/titles.h"
#include "core/shell/startup.h"

using namespace kinhom;

namespace {

Declare Fresh()
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    return d;
}

bool StartsWith(const std::string& s, const std::string& p) { return s.rfind(p, 0) == 0; }
bool EndsWith(const std::string& s, const std::string& p)
{
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

} // namespace

TEST(Titles, LambdaSecondOrderHeaderOfModel3IsTheKnownText)
{
    Declare d = Fresh();
    d.ModellNr = 3;
    d.DiagrammTyp = -11;
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.Titel, "evaluation of lambda-data according to 2nd order: 2A => P");
    EXPECT_EQ(d.Diagramm.xTitel, "t/s");
    EXPECT_EQ(d.KurvenZuZeichnen, 1);
    // A + B => P with equal start concentrations uses the same plot.
    d.ModellNr = 4;
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.Titel, "evaluation of lambda-data according to 2nd order: A + B => P");
}

TEST(Titles, ModelAndRateChartsNameTheModelAndUseTheCurrentTimeUnit)
{
    // model, species curves, the model's name as the header shows it
    const struct { int model; int curves; const char* name; } models[] = {
        {1, 2, "A => P (n = 0)"}, {2, 2, "A => P (n = 1)"}, {3, 2, "2A => P (n = 2)"},
        {4, 3, "A + B => P (n = 2)"}, {5, 2, "A => P (autocatalysis)"}, {6, 3, "A => C => P"},
        {7, 4, "A + B => C; A + C => P"}, {8, 2, "A <=> P"}, {9, 4, "A + B => C => P"},
        {10, 4, "E + S <=> ES => P + E"}, {11, 3, "A => P; A => Q"}, {12, 3, "A + B <=> 2P"},
        {13, 4, "A + B => C <=> P"}, {14, 3, "A => C <=> P"}, {15, 3, "A <=> C => P"},
        {16, 3, "A => P + Q (autocatalysis P)"}, {17, 3, "A + B <=> P"}, {18, 4, "A + B <=> C => P"},
        {20, 2, "A => P, n-th order (n = 1.50)"},
    };
    for (const char* unit : {"s", "min", "h", "d", "a"}) {
        Declare d = Fresh();
        d.Zeiteinheit = unit;
        d.Ordnung = 1.5f;
        for (const auto& m : models) {
            d.ModellNr = static_cast<std::int16_t>(m.model);
            d.DiagrammTyp = static_cast<std::int16_t>(m.model);
            SetDiagramTitles(d);
            EXPECT_EQ(d.Diagramm.Titel, std::string("simulation of the concentrations: ") + m.name);
            EXPECT_EQ(d.Diagramm.xTitel, std::string("t/") + unit);
            EXPECT_EQ(d.Diagramm.yTitel, "c/(mol/l)");
            EXPECT_EQ(d.KurvenZuZeichnen, m.curves) << m.model;

            d.DiagrammTyp = static_cast<std::int16_t>(m.model + 50);
            SetDiagramTitles(d);
            EXPECT_EQ(d.Diagramm.Titel, std::string("simulation of the reaction rates: ") + m.name);
            EXPECT_EQ(d.Diagramm.xTitel, std::string("t/") + unit);
            EXPECT_EQ(d.Diagramm.yTitel, std::string("r/(mol/(l*") + unit + "))");
            EXPECT_EQ(d.KurvenZuZeichnen, m.curves) << m.model + 50;
        }
    }
}

TEST(Titles, EveryCodeInUseHasHeaderAndAxisTitlesAndOneCurve)
{
    Declare d = Fresh();
    d.Zeiteinheit = "min";
    d.TangenteSpalte = 1;
    const struct { int code; const char* x; const char* y; } cases[] = {
        {-1, "t/min", "c/(mol/l)"},
        {-2, "T/K", "k"},
        {-3, "1/T / (1/K)", "ln k"},
        {-4, "1/T / (1/K)", "ln(k/T)"},
        {-5, "t/min", "ln c(A)"},
        {-6, "t/min", "1/c(A) / (l/mol)"},
        {-7, "t/min", "t/U / min"},
        {-8, "t/min", "ln(c(A)/c(B))"},
        {-9, "t/min", "c/(mol/l)"},
        {-10, "t/min", "ln(lambda(inf) - lambda)"},
        {-11, "t/min", "lambda(inf)/(lambda(inf) - lambda)"},
        {100, "t/min", "c(A)/(mol/l)"},
    };
    for (const auto& c : cases) {
        d.DiagrammTyp = static_cast<std::int16_t>(c.code);
        d.KurvenZuZeichnen = 7;
        SetDiagramTitles(d);
        EXPECT_FALSE(d.Diagramm.Titel.empty()) << c.code;
        EXPECT_EQ(d.Diagramm.xTitel, c.x) << c.code;
        EXPECT_EQ(d.Diagramm.yTitel, c.y) << c.code;
        EXPECT_EQ(d.KurvenZuZeichnen, 1) << c.code;
    }
    // Codes without a chart kind: no titles, one pending curve.
    for (int code : {0, 19, 69, 71}) {
        d.DiagrammTyp = static_cast<std::int16_t>(code);
        SetDiagramTitles(d);
        EXPECT_EQ(d.Diagramm.Titel, "") << code;
        EXPECT_EQ(d.KurvenZuZeichnen, 1) << code;
    }
}

TEST(Titles, EvaluationTitlesFollowTheDataAndTheModel)
{
    Declare d = Fresh();
    // first order, by lambda with and without lambda(0)
    d.Lambda0 = 0;
    EXPECT_EQ(DiagramTitlesFor(d, -10).yTitel, "ln(lambda(inf) - lambda)");
    d.Lambda0 = 0.2;
    EXPECT_EQ(DiagramTitlesFor(d, -10).yTitel, "ln((lambda(inf) - lambda)/(lambda(inf) - lambda(0)))");
    // -5 plots lambda values during a lambda evaluation
    d.LambdaAuswertung = true;
    EXPECT_EQ(DiagramTitlesFor(d, -5).yTitel, DiagramTitlesFor(d, -10).yTitel);
    EXPECT_EQ(DiagramTitlesFor(d, -5).Titel, "evaluation of lambda-data according to 1st order: A => P");
    d.LambdaAuswertung = false;
    EXPECT_EQ(DiagramTitlesFor(d, -5).Titel, "evaluation of c-t data according to 1st order: A => P");
    // second order lambda with lambda(0) is 1/c(A) in l/mol
    EXPECT_TRUE(EndsWith(DiagramTitlesFor(d, -11).yTitel, "/ (l/mol)"));
    // 1/c(A) plot: 2A => P or A + B => P with equal start concentrations
    d.ModellNr = 3;
    EXPECT_EQ(DiagramTitlesFor(d, -6).Titel, "evaluation of c-t data according to 2nd order: 2A => P");
    d.ModellNr = 4;
    EXPECT_EQ(DiagramTitlesFor(d, -6).Titel, "evaluation of c-t data according to 2nd order: A + B => P");
    // the tangent chart names its species
    d.TangenteSpalte = 4;
    EXPECT_EQ(DiagramTitlesFor(d, 100).yTitel, "c(P)/(mol/l)");
    EXPECT_NE(DiagramTitlesFor(d, 100).Titel.find("c(P) - t"), std::string::npos);
}

TEST(Titles, FittingTasksTitleTheModelCurvesAndTheDataChartAlike)
{
    Declare d = Fresh();
    d.ModellNr = 9;
    d.Arbeitsmodus = 1;
    EXPECT_EQ(DiagramTitlesFor(d, 9).Titel, "fitting of k: A + B => C => P");
    EXPECT_EQ(DiagramTitlesFor(d, -9).Titel, DiagramTitlesFor(d, 9).Titel);

    d.ModellNr = 20;
    d.Arbeitsmodus = 2; // the order is fitted, so the header shows none
    EXPECT_EQ(DiagramTitlesFor(d, 20).Titel, "fitting of k and n: A => P, n-th order");

    d.ModellNr = 2;
    d.Arbeitsmodus = 6;
    EXPECT_TRUE(StartsWith(DiagramTitlesFor(d, -9).Titel, "non-isothermal fitting according to 1st order"));
    d.ModellNr = 3;
    d.Arbeitsmodus = 7;
    EXPECT_TRUE(StartsWith(DiagramTitlesFor(d, 3).Titel, "non-isothermal fitting according to 2nd order"));
}

TEST(Titles, MichaelisMentenDiagramInBothNormalisations)
{
    Declare d = Fresh();
    d.ModellNr = 10;
    d.DiagrammTyp = 10;
    d.MMDiagramm = true;
    d.S0max = 0.15f;

    d.MMNormiert = true;
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.xTitel, "S(0)/KM");
    EXPECT_EQ(d.Diagramm.yTitel, "r(P)/r(P),max");
    EXPECT_EQ(d.KurvenZuZeichnen, 1);
    // Nothing stored yet: the window spans the abscissa and the relative rate.
    EXPECT_EQ(d.Diagramm.xMin, 0.0f);
    EXPECT_EQ(d.Diagramm.xMax, 20.0f);
    EXPECT_EQ(d.Diagramm.yMin, 0.0f);
    EXPECT_EQ(d.Diagramm.yMax, 1.0f);

    d.MMNormiert = false;
    d.DiagrammTyp = 60;
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.xTitel, "S(0)/(mol/l)");
    EXPECT_EQ(d.Diagramm.xMax, 0.15f);
    EXPECT_EQ(d.KurvenZuZeichnen, 1);

    // A stored window is used as it is.
    d.AchsenBereiche[28] = 0.1f; // y minimum
    d.AchsenBereiche[29] = 0.9f;
    d.AchsenBereiche[30] = 0.01f; // x minimum
    d.AchsenBereiche[31] = 0.12f;
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.yMin, 0.1f);
    EXPECT_EQ(d.Diagramm.yMax, 0.9f);
    EXPECT_EQ(d.Diagramm.xMin, 0.01f);
    EXPECT_EQ(d.Diagramm.xMax, 0.12f);

    // Without the diagram mode model 10 is its four species course.
    d.MMDiagramm = false;
    d.DiagrammTyp = 10;
    SetDiagramTitles(d);
    EXPECT_EQ(d.KurvenZuZeichnen, 4);
    EXPECT_EQ(d.Diagramm.xTitel, "t/s");
}

TEST(Titles, SetDiagramTitlesLoadsTheStoredWindowOfTheKind)
{
    Declare d = Fresh();
    for (int i = 0; i < 32; ++i) d.AchsenBereiche[i] = static_cast<float>(i) + 0.5f;
    d.ModellNr = 2;
    d.DiagrammTyp = 52; // t pair and r pair
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.xMin, 0.5f);
    EXPECT_EQ(d.Diagramm.xMax, 1.5f);
    EXPECT_EQ(d.Diagramm.yMin, 4.5f);
    EXPECT_EQ(d.Diagramm.yMax, 5.5f);
    d.DiagrammTyp = -8; // maximum first
    SetDiagramTitles(d);
    EXPECT_EQ(d.Diagramm.yMin, 23.5f);
    EXPECT_EQ(d.Diagramm.yMax, 22.5f);
}
