#include <gtest/gtest.h>

#include <cmath>

#include "core/kinetics/akima.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/startup.h"

using namespace kinhom;

namespace {

Declare Modell(int model, const char* stoffmuster, float tEnde = 100)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.ModellNr = static_cast<std::int16_t>(model);
    ApplyModelDefaults(d, model);
    d.Stoffmuster = stoffmuster;
    d.tEnde = tEnde;
    return d;
}

const std::vector<double>& Spalte(const Declare& d, int slot)
{
    const std::vector<double>* s[6] = {nullptr, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ};
    return *s[slot];
}

} // namespace

TEST(CalcCAtTime, ClosedFormsGiveTheTableValuesAndTheStartValuesAtZero)
{
    struct Fall {
        int model;
        const char* muster; // the slots of the model's course (5 also writes Q = Q0 + x)
    };
    const Fall faelle[] = {{1, "10010"}, {2, "10010"}, {3, "10010"}, {4, "11010"}, {5, "10011"},
                           {6, "10110"}, {8, "10010"}, {11, "10011"}, {12, "11010"},
                           {16, "10011"}, {17, "11010"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE("model " + std::to_string(f.model));
        Declare d = Modell(f.model, f.muster);
        const double start[6] = {0, 0.9, 0.6, 0.05, 0.02, 0.03};
        for (int s = 1; s <= 5; ++s) d.c0[s] = start[s];
        ASSERT_FALSE(calc_diagram_function(d, f.model).failed);
        for (std::size_t row : {0u, 3u, 77u, 200u}) {
            std::vector<double> c(6, -5.0);
            bool failed = true;
            CalcCAtTime(d, f.model, d.SimT[row], c, failed);
            ASSERT_FALSE(failed);
            for (int s = 1; s <= 5; ++s) {
                if (f.muster[s - 1] == '1')
                    EXPECT_EQ(c[s], Spalte(d, s)[row]) << "slot " << s << " row " << row;
                else
                    EXPECT_EQ(c[s], -5.0) << "slot " << s; // not a slot of the model
                if (row == 0 && f.muster[s - 1] == '1') {
                    EXPECT_EQ(c[s], start[s]);
                }
            }
        }
    }
}

TEST(CalcCAtTime, ReversibleFirstOrderAgreesWithTheTableAlsoWithProductOrWithoutBackReaction)
{
    struct Fall {
        double P0, k2;
    };
    for (const Fall& f : {Fall{0, 0.1}, Fall{0.4, 0.1}, Fall{0.2, 0.0}, Fall{0, 0.0}}) {
        Declare d = Modell(8, "10010");
        d.c0[1] = 1.0;
        d.c0[4] = f.P0;
        d.k[1] = 0.5;
        d.k[2] = f.k2;
        ASSERT_FALSE(calc_diagram_function(d, 8).failed);
        for (std::size_t row = 0; row <= 200; row += 7) {
            std::vector<double> c(6, 0.0);
            bool failed = true;
            CalcCAtTime(d, 8, d.SimT[row], c, failed);
            ASSERT_FALSE(failed) << f.P0 << " " << f.k2;
            EXPECT_EQ(c[1], d.SimCA[row]);
            EXPECT_EQ(c[4], d.SimCP[row]);
            // x = (k1 A0 - k2 P0)(1 - e^-(k1 + k2)t)/(k1 + k2)
            const double s = 0.5 + f.k2, t = d.SimT[row];
            const double x = (0.5 - f.k2 * f.P0) * (1 - std::exp(-s * t)) / s;
            EXPECT_NEAR(c[1], 1.0 - x, 1e-13);
        }
    }
}

TEST(CalcCAtTime, NumericalModelsReadTheSplineOfTheirOwnRun)
{
    // A => C <=> P without back reaction is A => C => P; between the nodes the
    // spline of the simulated course stays close to the exact course.
    Declare d = Modell(14, "10110");
    d.k[3] = 0;
    ASSERT_FALSE(calc_diagram_function(d, 14).failed);
    for (double t : {0.0, 0.25, 3.3, 17.77, 64.1, 99.9, 100.0}) {
        std::vector<double> c(6, -5.0);
        bool failed = true;
        CalcCAtTime(d, 14, t, c, failed);
        ASSERT_FALSE(failed) << t;
        const double A = std::exp(-0.15 * t);
        const double C = 0.15 / (0.1 - 0.15) * (std::exp(-0.15 * t) - std::exp(-0.1 * t));
        EXPECT_NEAR(c[1], A, 1e-4) << t;
        EXPECT_NEAR(c[3], C, 1e-4) << t;
        EXPECT_NEAR(c[4], 1 - A - C, 1e-4) << t;
        EXPECT_EQ(c[2], -5.0); // not marked in the pattern
        EXPECT_EQ(c[5], -5.0);
    }
    // At the nodes the table values themselves.
    std::vector<double> c(6, 0.0);
    bool failed = true;
    CalcCAtTime(d, 14, d.SimT[40], c, failed);
    EXPECT_EQ(c[1], d.SimCA[40]);

    // Evaluation patterns (marks "2") write nothing and do not fail.
    d.Stoffmuster = "00002";
    std::vector<double> e(6, -5.0);
    CalcCAtTime(d, 14, 5.0, e, failed);
    EXPECT_FALSE(failed);
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(e[s], -5.0);
}

TEST(CalcCAtTime, NumericalModelFailsWithoutACompletedRunOfThatModel)
{
    std::vector<double> c(6, -5.0);
    bool failed = false;
    std::string text;

    // Tables never built.
    Declare leer = Modell(7, "11110");
    CalcCAtTime(leer, 7, 5.0, c, failed, &text);
    EXPECT_TRUE(failed);
    EXPECT_FALSE(text.empty());

    // Built by a run of another numerical model.
    Declare d = Modell(9, "11110");
    ASSERT_FALSE(calc_diagram_function(d, 9).failed);
    failed = false;
    CalcCAtTime(d, 9, 5.0, c, failed);
    EXPECT_FALSE(failed);
    failed = false;
    CalcCAtTime(d, 7, 5.0, c, failed);
    EXPECT_TRUE(failed);

    // A later closed-form run does not touch the tables of model 9.
    ASSERT_FALSE(calc_diagram_function(d, 2).failed);
    CalcCAtTime(d, 9, 5.0, c, failed);
    EXPECT_FALSE(failed);

    // Built from measured points (the tangent chart).
    d.AkimaQuelle = kAkimaQuelleMessdaten;
    CalcCAtTime(d, 9, 5.0, c, failed);
    EXPECT_TRUE(failed);

    // A run of the same model that failed.
    Declare e = Modell(7, "11110");
    ASSERT_FALSE(calc_diagram_function(e, 7).failed);
    e.k[1] = 1e306;
    ASSERT_TRUE(calc_diagram_function(e, 7).failed);
    std::vector<double> vorher(6, -5.0);
    c = vorher;
    CalcCAtTime(e, 7, 5.0, c, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(c, vorher);

    // t(max) = 0: the run stands, but no spline can be laid through one time.
    Declare z = Modell(7, "11110", 0.0f);
    ASSERT_FALSE(calc_diagram_function(z, 7).failed);
    CalcCAtTime(z, 7, 0.0, c, failed);
    EXPECT_TRUE(failed);
}

TEST(CalcCAtTime, NothingIsComputedInTheMichaelisMentenModeOrForUnknownModels)
{
    Declare d = Modell(10, "11110");
    ASSERT_FALSE(calc_diagram_function(d, 10).failed);
    d.MMDiagramm = true;
    std::vector<double> c(6, -5.0);
    bool failed = true;
    CalcCAtTime(d, 10, 5.0, c, failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(c, std::vector<double>(6, -5.0));
    for (int model : {0, 19, 21}) {
        CalcCAtTime(d, model, 5.0, c, failed);
        EXPECT_FALSE(failed);
        EXPECT_EQ(c, std::vector<double>(6, -5.0));
    }
}

TEST(CalcCAtTime, FaultsSetFailed)
{
    // 2A => P with a negative constant: 1 + 2 k1 A0 t = 0 at t = 50.
    Declare d = Modell(3, "10010");
    d.k[1] = -0.01;
    std::vector<double> c(6, -5.0);
    bool failed = false;
    CalcCAtTime(d, 3, 50.0, c, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(c[1], -5.0);
    CalcCAtTime(d, 3, 10.0, c, failed);
    EXPECT_FALSE(failed);
    EXPECT_NEAR(c[1], 1.0 / (1 - 0.2), 1e-14);

    // No room for the five species.
    std::vector<double> kurz(3, 0.0);
    CalcCAtTime(d, 3, 10.0, kurz, failed);
    EXPECT_TRUE(failed);
}
