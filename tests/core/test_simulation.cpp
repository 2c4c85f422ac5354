#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iostream>

#include "core/kinetics/akima.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/shell/startup.h"
#include "kinetics_fixture.h"

using namespace kinhom;
using kinhom::test::Modell;

namespace {

const std::vector<double>& Spalte(const Declare& d, int slot)
{
    const std::vector<double>* s[6] = {nullptr, &d.SimCA, &d.SimCB, &d.SimCC, &d.SimCP, &d.SimCQ};
    return *s[slot];
}

// Largest deviation of a column from an exact course, relative to `bezug`.
double GroessterFehler(const Declare& d, int slot, const std::function<double(double)>& exakt,
                       double bezug)
{
    double f = 0;
    for (std::size_t i = 0; i <= 200; ++i)
        f = std::max(f, std::fabs(Spalte(d, slot)[i] - exakt(d.SimT[i])) / bezug);
    return f;
}

// The spline tables of a completed run as a set-up right after the run builds
// them: the tables dimensioned and cleared, the nodes from the stored rows, one
// set-up per column in use with the smoothing factor of the run.
Declare BuiltAtOnce(const Declare& run, float smoothing)
{
    Declare d = run;
    const int n = 201;
    AkimaTabellenDimensionieren(d, n);
    for (std::size_t i = 0; i < 201; ++i) {
        d.AkimaX[i + 1] = d.SimT[i];
        for (int s = 1; s <= 5; ++s) d.AkimaYRoh(static_cast<std::size_t>(s), i + 1) = d.SimC(s)[i];
    }
    for (int s = 1; s <= 5; ++s)
        if (d.Stoffmuster[static_cast<std::size_t>(s - 1)] == '1') {
            EXPECT_EQ(AkimaSplineBerechnen(d, s, n, smoothing), AkimaStatus::Ok) << s;
        }
    return d;
}

void ExpectSameTables(const Declare& a, const Declare& b, const std::string& label)
{
    EXPECT_EQ(a.AkimaX, b.AkimaX) << label;
    EXPECT_TRUE(a.AkimaYRoh == b.AkimaYRoh) << label;
    EXPECT_TRUE(a.AkimaY == b.AkimaY) << label;
    EXPECT_TRUE(a.AkimaT == b.AkimaT) << label;
    EXPECT_TRUE(a.AkimaC == b.AkimaC) << label;
    EXPECT_TRUE(a.AkimaD == b.AkimaD) << label;
    EXPECT_EQ(a.AkimaQuelle, b.AkimaQuelle) << label;
}

void Berichten(const std::string& was, double fehler)
{
    std::cout << "[ measured ] " << was << ": largest error / A0 = " << fehler << "\n";
}

} // namespace

// The closed-form models against their textbook courses, written out here in
// the plain form (well conditioned for these constants).
TEST(Simulation, ClosedFormsFollowTheTextbookCourses)
{
    struct Fall {
        int model;
        double A0, B0, C0, P0, Q0, k1, k2;
        std::function<void(double t, double* c)> kurs; // fills the model's slots
    };
    const Fall faelle[] = {
        {1, 1.0, 0, 0, 0.1, 0, 0.004, 0,
         [](double t, double* c) { c[1] = 1.0 - 0.004 * t; c[4] = 0.1 + 0.004 * t; }},
        {2, 0.8, 0, 0, 0.1, 0, 0.15, 0,
         [](double t, double* c) { c[1] = 0.8 * std::exp(-0.15 * t); c[4] = 0.1 + 0.8 - c[1]; }},
        {3, 0.8, 0, 0, 0.1, 0, 0.15, 0,
         [](double t, double* c) { c[1] = 0.8 / (1 + 2 * 0.15 * 0.8 * t); c[4] = 0.1 + (0.8 - c[1]) / 2; }},
        {4, 1.0, 0.5, 0, 0.1, 0, 0.15, 0,
         [](double t, double* c) {
             const double E = std::exp(0.15 * t * (1.0 - 0.5));
             const double x = 1.0 * 0.5 * (1 - E) / (0.5 - 1.0 * E);
             c[1] = 1.0 - x; c[2] = 0.5 - x; c[4] = 0.1 + x;
         }},
        {5, 1.0, 0, 0, 0.002, 0.3, 0.15, 0,
         [](double t, double* c) {
             const double E = std::exp(0.15 * t * 1.002);
             const double x = 1.0 * 0.002 * (E - 1) / (1.0 + 0.002 * E);
             c[1] = 1.0 - x; c[4] = 0.002 + x; c[5] = 0.3 + x;
         }},
        {16, 1.0, 0, 0, 0.002, 0.3, 0.15, 0,
         [](double t, double* c) {
             const double E = std::exp(0.15 * t * 1.002);
             const double x = 1.0 * 0.002 * (E - 1) / (1.0 + 0.002 * E);
             c[1] = 1.0 - x; c[4] = 0.002 + x; c[5] = 0.3 + x;
         }},
        {6, 1.0, 0, 0.1, 0.05, 0, 0.15, 0.1,
         [](double t, double* c) {
             c[1] = std::exp(-0.15 * t);
             c[3] = 0.15 / (0.1 - 0.15) * (std::exp(-0.15 * t) - std::exp(-0.1 * t)) + 0.1 * std::exp(-0.1 * t);
             c[4] = 1.0 - c[1] - c[3] + 0.1 + 0.05;
         }},
        {8, 1.0, 0, 0, 0.3, 0, 0.5, 0.1,
         [](double t, double* c) {
             const double x = (0.5 * 1.0 - 0.1 * 0.3) * (1 - std::exp(-0.6 * t)) / 0.6;
             c[1] = 1.0 - x; c[4] = 0.3 + x;
         }},
        {11, 1.0, 0, 0, 0.1, 0.2, 0.15, 0.05,
         [](double t, double* c) {
             c[1] = std::exp(-0.2 * t);
             c[4] = 0.1 + 0.15 / 0.2 * (1 - c[1]);
             c[5] = 0.2 + 0.05 / 0.2 * (1 - c[1]);
         }},
        {12, 1.0, 0.5, 0, 0.1, 0, 0.15, 0.01,
         [](double t, double* c) {
             const double q = 0.15 * 1.0 * 0.5 - 0.01 * 0.1 * 0.1;
             const double p = -0.15 * 1.0 - 0.15 * 0.5 - 4 * 0.01 * 0.1;
             const double a = 0.15 - 4 * 0.01;
             const double D = p * p / (4 * a * a) - q / a;
             const double x1 = -p / (2 * a) + std::sqrt(D), x2 = -p / (2 * a) - std::sqrt(D);
             const double E = std::exp(-a * (x1 - x2) * t);
             const double x = x1 * x2 * (1 - E) / (x1 - x2 * E);
             c[1] = 1.0 - x; c[2] = 0.5 - x; c[4] = 0.1 + 2 * x;
         }},
        {17, 1.0, 0.5, 0, 0.1, 0, 0.15, 0.01,
         [](double t, double* c) {
             const double q = (0.15 * 1.0 * 0.5 - 0.01 * 0.1) / 0.15;
             const double p = (-0.15 * 1.0 - 0.15 * 0.5 - 0.01) / 0.15;
             const double D = p * p / 4 - q;
             const double x1 = -p / 2 + std::sqrt(D), x2 = -p / 2 - std::sqrt(D);
             const double E = std::exp(-0.15 * (x1 - x2) * t);
             const double x = x1 * x2 * (1 - E) / (x1 - x2 * E);
             c[1] = 1.0 - x; c[2] = 0.5 - x; c[4] = 0.1 + x;
         }},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE("model " + std::to_string(f.model));
        Declare d = Modell(f.model);
        const double c0[6] = {0, f.A0, f.B0, f.C0, f.P0, f.Q0};
        for (int s = 1; s <= 5; ++s) d.c0[s] = c0[s];
        d.k[1] = f.k1;
        d.k[2] = f.k2;
        const SimulationsErgebnis erg = calc_diagram_function(d, f.model);
        ASSERT_FALSE(erg.failed) << erg.Fehlertext;
        EXPECT_EQ(erg.Zeilen, 201);
        EXPECT_EQ(d.SimAnzahl, 200);
        for (std::size_t i : {0u, 1u, 37u, 100u, 200u}) {
            const double t = d.SimT[i];
            EXPECT_DOUBLE_EQ(t, i * 0.5);
            double c[6] = {-1, -1, -1, -1, -1, -1};
            f.kurs(t, c);
            for (int s = 1; s <= 5; ++s) {
                if (c[s] == -1) continue; // not a slot of the model
                EXPECT_NEAR(Spalte(d, s)[i], c[s], 1e-12 * std::max(1.0, std::fabs(c[s])))
                    << "slot " << s << " row " << i;
            }
        }
        // The stored rates are the rate law at the stored concentrations.
        double dc[6] = {0, 0, 0, 0, 0, 0}, c[6] = {0, 0, 0, 0, 0, 0};
        for (int s = 1; s <= 5; ++s) c[s] = Spalte(d, s)[60];
        CalcRates(f.model, dc, d.k.data(), c, d.Ordnung);
        const std::vector<float>* raten[6] = {nullptr, &d.SimRA, &d.SimRB, &d.SimRC, &d.SimRP, &d.SimRQ};
        EXPECT_EQ((*raten[1])[60], static_cast<float>(dc[1]));
        EXPECT_EQ((*raten[4])[60], static_cast<float>(dc[4]));
        // cAktuell holds the last row.
        EXPECT_EQ(d.cAktuell[1], d.SimCA[200]);
        EXPECT_EQ(d.cAktuell[4], d.SimCP[200]);
    }
}

TEST(Simulation, OutputStepIsTheSinglePrecisionEndTimeOver200)
{
    Declare d = Modell(2, 0.3f);
    ASSERT_FALSE(calc_diagram_function(d, 2).failed);
    const double dt = static_cast<double>(0.3f) / 200;
    EXPECT_EQ(d.Zeitschritt, dt);
    for (std::size_t i = 0; i <= 200; ++i) EXPECT_EQ(d.SimT[i], static_cast<double>(i) * dt);
}

TEST(Simulation, ZerothOrderStopsWhenAIsUsedUp)
{
    Declare d = Modell(1); // k1 = 0.015, A0 = 1: A is used up at t = 66.7
    d.c0[4] = 0.25;
    ASSERT_FALSE(calc_diagram_function(d, 1).failed);
    for (std::size_t i = 0; i <= 200; ++i) {
        const double t = d.SimT[i];
        if (t <= 1.0 / 0.015 - 1e-9) {
            EXPECT_NEAR(d.SimCA[i], 1.0 - 0.015 * t, 1e-14);
        } else {
            EXPECT_EQ(d.SimCA[i], 0.0) << t;
            EXPECT_EQ(d.SimCP[i], 1.25) << t;
            EXPECT_EQ(d.SimRA[i], -0.015f); // the rate law of order 0 is not clamped
        }
    }
}

TEST(Simulation, UnusedColumnsKeepTheCourseOfAnEarlierRun)
{
    Declare d = Modell(4);
    d.c0[1] = 1.0;
    d.c0[2] = 3.0;
    ASSERT_FALSE(calc_diagram_function(d, 4).failed);
    const std::vector<double> bVon4 = d.SimCB;
    const std::vector<float> rbVon4 = d.SimRB;

    d.c0[2] = 0;
    ASSERT_FALSE(calc_diagram_function(d, 2).failed);
    EXPECT_EQ(d.SimCB[0], 0.0); // row 0 is written for every slot
    for (std::size_t i = 1; i <= 200; ++i) EXPECT_EQ(d.SimCB[i], bVon4[i]);
    EXPECT_EQ(d.SimRB, rbVon4); // rate columns of unused slots are not written
    // The concentration maximum of the axis record comes from the old B course.
    EXPECT_EQ(d.AchsenBereiche[3], static_cast<float>(bVon4[1]));
    EXPECT_GT(d.AchsenBereiche[3], 2.5f);
}

TEST(Simulation, ClosedFormsStayAccurateWhereThePlainFormsFail)
{
    // A + B => P with B0 one unit in the last place above A0 follows the
    // course of equal start concentrations, A = A0/(1 + k1 A0 t).
    {
        Declare d = Modell(4);
        d.c0[1] = 0.5;
        d.c0[2] = std::nextafter(0.5, 1.0);
        d.k[1] = 0.375;
        ASSERT_FALSE(calc_diagram_function(d, 4).failed);
        for (std::size_t i = 0; i <= 200; ++i) {
            const double a = 0.5 / (1 + 0.375 * 0.5 * d.SimT[i]);
            EXPECT_NEAR(d.SimCA[i], a, 1e-14);
            EXPECT_NEAR(d.SimCB[i], a, 1e-14);
            EXPECT_NEAR(d.SimCP[i], 0.5 - a, 1e-14);
        }
    }
    // Large k1·t: the extents reach their limits, no overflow.
    struct Grenze {
        int model;
        double A0, B0, P0, Aende, Pende;
    };
    for (const Grenze& g : {Grenze{4, 1.0, 0.6, 0, 0.4, 0.6}, Grenze{4, 0.6, 1.0, 0, 0.0, 0.6},
                            Grenze{5, 1.0, 0, 0.002, 0.0, 1.002}, Grenze{16, 1.0, 0, 0.002, 0.0, 1.002}}) {
        Declare d = Modell(g.model, 1000);
        d.c0[1] = g.A0;
        d.c0[2] = g.B0;
        d.c0[4] = g.P0;
        d.k[1] = 1000;
        const SimulationsErgebnis erg = calc_diagram_function(d, g.model);
        ASSERT_FALSE(erg.failed) << g.model << erg.Fehlertext;
        EXPECT_NEAR(d.SimCA[200], g.Aende, 1e-15) << g.model;
        EXPECT_NEAR(d.SimCP[200], g.Pende, 1e-15) << g.model;
        for (std::size_t i = 0; i <= 200; ++i) EXPECT_TRUE(std::isfinite(d.SimRA[i]));
    }
    // A => C => P with k1 = k2: C = k1 A0 t e^(-k1 t) to full precision.
    {
        Declare d = Modell(6);
        d.k[1] = 0.2;
        d.k[2] = 0.2;
        ASSERT_FALSE(calc_diagram_function(d, 6).failed);
        for (std::size_t i = 1; i <= 200; ++i) {
            const double t = d.SimT[i];
            EXPECT_NEAR(d.SimCC[i] / (0.2 * t * std::exp(-0.2 * t)), 1.0, 1e-14);
        }
    }
    // A => C => P with k2 far below k1 and a long time: finite and correct.
    {
        Declare d = Modell(6, 1e5f);
        d.k[1] = 50;
        d.k[2] = 1e-4;
        ASSERT_FALSE(calc_diagram_function(d, 6).failed);
        const double t = d.SimT[200];
        EXPECT_NEAR(d.SimCC[200], 50 / (50 - 1e-4) * std::exp(-1e-4 * t), 1e-15);
    }
    // Reversible second order without back reaction and A0 = B0: the quotient
    // of the general form is 0/0; the course is that of A + B => P.
    for (int model : {12, 17}) {
        Declare d = Modell(model);
        d.c0[1] = d.c0[2] = 0.8;
        d.c0[4] = 0;
        d.k[1] = 0.15;
        d.k[2] = 0;
        ASSERT_FALSE(calc_diagram_function(d, model).failed) << model;
        for (std::size_t i = 0; i <= 200; ++i) {
            const double a = 0.8 / (1 + 0.15 * 0.8 * d.SimT[i]);
            EXPECT_NEAR(d.SimCA[i], a, 1e-14) << model;
            EXPECT_NEAR(d.SimCB[i], a, 1e-14) << model;
        }
    }
    // A + B <=> 2P with k1 = 4 k2: the quadratic term vanishes and the extent
    // follows dx/dt = p x + q exactly, also for small constants.
    {
        Declare d = Modell(12, 4e6f);
        d.c0[1] = 1.0;
        d.c0[2] = 0.5;
        d.c0[4] = 0.2;
        d.k[1] = 4e-7;
        d.k[2] = 1e-7;
        ASSERT_FALSE(calc_diagram_function(d, 12).failed);
        const double p = -4e-7 * 1.5 - 4 * 1e-7 * 0.2, q = 4e-7 * 0.5 - 1e-7 * 0.04;
        for (std::size_t i = 0; i <= 200; i += 10) {
            const double x = q / p * std::expm1(p * d.SimT[i]);
            EXPECT_NEAR(d.SimCA[i], 1.0 - x, 1e-13);
            EXPECT_NEAR(d.SimCP[i], 0.2 + 2 * x, 1e-13);
        }
    }
}

TEST(Simulation, AxisRangesOfTimeConcentrationAndRate)
{
    Declare d = Modell(2);
    d.c0[1] = 1.0;
    d.c0[4] = 0;
    for (int s = 2; s <= 5; ++s) d.c0[s] = 0;
    // Old contents that a model 2 run does not overwrite and that are below A0.
    std::fill(d.SimCB.begin(), d.SimCB.end(), 0.5);
    ASSERT_FALSE(calc_diagram_function(d, 2).failed);
    const AchsenInfo& a = d.AchsenBereiche;
    EXPECT_EQ(a[0], 0.0f);
    EXPECT_EQ(a[1], 100.0f);
    EXPECT_EQ(a[2], 0.0f);
    EXPECT_EQ(a[3], 1.0f);                         // A0; P stays below it
    EXPECT_NEAR(a[5], 0.15 * 1.05, 1e-7);          // largest rate k1 A0 (P at t = 0), +5 %
    EXPECT_NEAR(a[4], -0.15 - 0.15 * 0.05, 1e-7);  // most negative rate, widened by 5 %

    // Another task mode leaves the record alone.
    Declare e = Modell(2);
    e.Arbeitsmodus = 1;
    for (int i = 0; i < 32; ++i) e.AchsenBereiche[i] = static_cast<float>(i) + 0.5f;
    const AchsenInfo vorher = e.AchsenBereiche;
    ASSERT_FALSE(calc_diagram_function(e, 2).failed);
    EXPECT_EQ(e.AchsenBereiche, vorher);

    // Model numbers outside the catalogue refresh row 0 and the axis pairs only.
    for (int model : {0, 19, 21}) {
        Declare m = Modell(2);
        std::fill(m.SimT.begin(), m.SimT.end(), 9.0);
        std::fill(m.SimCA.begin(), m.SimCA.end(), 9.0);
        std::fill(m.SimCB.begin(), m.SimCB.end(), 9.0);
        const SimulationsErgebnis erg = calc_diagram_function(m, model);
        EXPECT_FALSE(erg.failed);
        EXPECT_EQ(erg.Zeilen, 0);
        EXPECT_EQ(m.SimT[0], 0.0);
        EXPECT_EQ(m.SimCA[0], m.c0[1]);
        EXPECT_EQ(m.SimT[1], 9.0);
        EXPECT_EQ(m.SimCA[200], 9.0);
        EXPECT_EQ(m.AchsenBereiche[1], 100.0f);
        EXPECT_EQ(m.AchsenBereiche[3], 9.0f); // the old rows count
    }
}

TEST(Simulation, MichaelisMentenCurve)
{
    Declare d = Modell(10);
    d.MMDiagramm = true;
    d.MMNormiert = true;
    d.MichaelisKonstante = 123.0f; // not used when normalised
    std::fill(d.SimCB.begin(), d.SimCB.end(), 4.0);
    ASSERT_FALSE(calc_diagram_function(d, 10).failed);
    EXPECT_EQ(d.Zeitschritt, 0.1);
    EXPECT_EQ(d.SimRP[0], 0.0f);
    EXPECT_FLOAT_EQ(d.SimRP[200], 20.0f / 21.0f);
    EXPECT_FLOAT_EQ(d.SimRP[10], 1.0f / 2.0f);
    EXPECT_EQ(d.SimCB[1], 4.0); // the courses are not computed
    EXPECT_EQ(d.SimCB[0], d.c0[2]);

    d.MMNormiert = false;
    d.S0max = 0.15f;
    d.MichaelisKonstante = 0.05f;
    ASSERT_FALSE(calc_diagram_function(d, 10).failed);
    EXPECT_NEAR(d.Zeitschritt, 0.00075, 1e-10);
    EXPECT_NEAR(d.SimT[200], 0.15, 1e-7);
    const double x = d.SimT[100] / 0.05f;
    EXPECT_FLOAT_EQ(d.SimRP[100], static_cast<float>(x / (1 + x)));

    d.MichaelisKonstante = 0; // no constant: S0 itself
    ASSERT_FALSE(calc_diagram_function(d, 10).failed);
    EXPECT_FLOAT_EQ(d.SimRP[200], static_cast<float>(d.SimT[200] / (1 + d.SimT[200])));

    // Any other model ignores the switch.
    Declare e = Modell(2);
    e.MMDiagramm = true;
    ASSERT_FALSE(calc_diagram_function(e, 2).failed);
    EXPECT_NEAR(e.SimCA[200], std::exp(-15.0), 1e-15);
}

TEST(Simulation, NumericalModelsAgreeWithExactCourses)
{
    auto erste = [](double A0, double k) { return [=](double t) { return A0 * std::exp(-k * t); }; };
    // A => C => P with constants ka, kb, C0 = 0.
    auto folgeC = [](double A0, double ka, double kb) {
        return [=](double t) { return ka * A0 / (kb - ka) * (std::exp(-ka * t) - std::exp(-kb * t)); };
    };
    // A + B => product with A0 = 1, B0 = 0.5 (extent x).
    auto zweite = [](double k) {
        return [=](double t) {
            const double E = std::exp(k * t * 0.5);
            return 0.5 * (1 - E) / (0.5 - E);
        };
    };
    double schlechtester = 0;

    {   // n-th order with n = 1 is first order.
        Declare d = Modell(20);
        d.Ordnung = 1.0f;
        ASSERT_FALSE(calc_diagram_function(d, 20).failed);
        const double f = GroessterFehler(d, 1, erste(1.0, 0.15), 1.0);
        Berichten("model 20, n = 1, A", f);
        schlechtester = std::max(schlechtester, f);
    }
    for (int model : {14, 15}) {
        // 14 with k3 = 0 and 15 with k2 = 0 are A => C => P.
        Declare d = Modell(model);
        d.k[1] = 0.15;
        d.k[2] = model == 14 ? 0.1 : 0.0;
        d.k[3] = model == 14 ? 0.0 : 0.1;
        ASSERT_FALSE(calc_diagram_function(d, model).failed);
        const double fa = GroessterFehler(d, 1, erste(1.0, 0.15), 1.0);
        const double fc = GroessterFehler(d, 3, folgeC(1.0, 0.15, 0.1), 1.0);
        Berichten("model " + std::to_string(model) + " reduced to A => C => P, A and C", std::max(fa, fc));
        schlechtester = std::max({schlechtester, fa, fc});
    }
    {   // 7 with k2 = 0 is A + B => C.
        Declare d = Modell(7);
        d.c0[1] = 1.0;
        d.c0[2] = 0.5;
        d.k[2] = 0;
        ASSERT_FALSE(calc_diagram_function(d, 7).failed);
        const auto x = zweite(0.15);
        const double fa = GroessterFehler(d, 1, [&](double t) { return 1.0 - x(t); }, 1.0);
        const double fc = GroessterFehler(d, 3, x, 1.0);
        Berichten("model 7, k2 = 0, A and C", std::max(fa, fc));
        schlechtester = std::max({schlechtester, fa, fc});
        for (std::size_t i = 0; i <= 200; ++i) EXPECT_EQ(d.SimCP[i], 0.0);
    }
    {   // 9 with a very large k2: A and B are those of A + B => C whatever k2
        // is, C + P is the extent, and C stays below k1·A·B/k2.
        Declare d = Modell(9);
        d.c0[1] = 1.0;
        d.c0[2] = 0.5;
        d.k[2] = 1e4;
        const SimulationsErgebnis erg = calc_diagram_function(d, 9);
        ASSERT_FALSE(erg.failed) << erg.Fehlertext;
        const auto x = zweite(0.15);
        double f = GroessterFehler(d, 2, [&](double t) { return 0.5 - x(t); }, 1.0);
        for (std::size_t i = 0; i <= 200; ++i) {
            f = std::max(f, std::fabs(d.SimCC[i] + d.SimCP[i] - x(d.SimT[i])));
            EXPECT_LE(std::fabs(d.SimCP[i] - x(d.SimT[i])), 0.15 * 0.5 / 1e4 + 1e-9);
        }
        Berichten("model 9, k2 = 1e4, B and C + P", f);
        schlechtester = std::max(schlechtester, f);
    }
    Berichten("all reductions", schlechtester);
    EXPECT_LT(schlechtester, 1e-7);
}

TEST(Simulation, NumericalModelsKeepTheirMassBalances)
{
    struct Bilanz {
        int model;
        std::vector<int> slots; // sum of these columns is constant
    };
    const Bilanz bilanzen[] = {
        {7, {2, 3, 4}}, {9, {2, 3, 4}}, {10, {1, 3}}, {10, {2, 3, 4}}, {13, {1, 3, 4}},
        {14, {1, 3, 4}}, {15, {1, 3, 4}}, {18, {1, 3, 4}}, {20, {1, 4}},
    };
    for (const Bilanz& b : bilanzen) {
        Declare d = Modell(b.model);
        d.c0[3] = 0.05;
        d.c0[4] = 0.02;
        const SimulationsErgebnis erg = calc_diagram_function(d, b.model);
        ASSERT_FALSE(erg.failed) << b.model << erg.Fehlertext;
        double summe0 = 0;
        for (int s : b.slots) summe0 += Spalte(d, s)[0];
        for (std::size_t i = 0; i <= 200; ++i) {
            double summe = 0;
            for (int s : b.slots) summe += Spalte(d, s)[i];
            EXPECT_NEAR(summe, summe0, 1e-9 * summe0) << "model " << b.model << " row " << i;
        }
    }
}

TEST(Simulation, NthOrderBelowOneUsesAUpInFiniteTime)
{
    for (float n : {0.3f, 0.5f, 0.7f}) {
        Declare d = Modell(20);
        d.Ordnung = n;
        d.c0[4] = 0.1;
        const SimulationsErgebnis erg = calc_diagram_function(d, 20);
        ASSERT_FALSE(erg.failed) << n << erg.Fehlertext;
        const double e = 1.0 - n;
        const auto exakt = [&](double t) { return std::pow(std::max(0.0, 1.0 - e * 0.15 * t), 1.0 / e); };
        const double f = GroessterFehler(d, 1, exakt, 1.0);
        Berichten("model 20, n = " + std::to_string(n), f);
        EXPECT_LT(f, 1e-5) << n;
        for (std::size_t i = 0; i <= 200; ++i) {
            EXPECT_GE(d.SimCA[i], 0.0);
            EXPECT_NEAR(d.SimCA[i] + d.SimCP[i], 1.1, 1e-12);
        }
        // used up at t = 1/((1 - n) k1), well before t(max) = 100
        EXPECT_EQ(d.SimCA[200], 0.0);
        EXPECT_EQ(d.SimRA[200], 0.0f);
    }
}

TEST(Simulation, NumericalRunStoresRatesColumnsHalfLivesAndSplines)
{
    Declare d = Modell(14);
    d.c0[3] = 0.1;
    ASSERT_FALSE(calc_diagram_function(d, 14).failed);
    // Final columns: A, copy of C, C, P, copy of P.
    for (std::size_t i = 0; i <= 200; ++i) {
        EXPECT_EQ(d.SimCB[i], d.SimCC[i]);
        EXPECT_EQ(d.SimCQ[i], d.SimCP[i]);
        const double A = d.SimCA[i], C = d.SimCC[i], P = d.SimCP[i];
        EXPECT_EQ(d.SimRA[i], static_cast<float>(-0.15 * A));
        EXPECT_FLOAT_EQ(d.SimRC[i], static_cast<float>(0.15 * A - 0.1 * C + 0.005 * P));
    }
    EXPECT_EQ(d.cAktuell[1], d.SimCA[200]);
    // Half-life of A: where the straight line between the two rows around it
    // crosses A0/2 (rows 9 and 10 of the exact course).
    const double c9 = std::exp(-0.15 * 4.5), c10 = std::exp(-0.15 * 5.0);
    EXPECT_NEAR(d.HalbwertszeitA, 4.5 + (0.5 - c9) * 0.5 / (c10 - c9), 1e-5);
    EXPECT_EQ(d.HalbwertszeitB, 0.0f); // the second column holds C here
    // Spline tables of the run.
    BuildPendingSplines(d);
    EXPECT_EQ(d.AkimaQuelle, 14);
    EXPECT_EQ(d.AkimaX[0], 201.0);
    for (std::size_t i = 0; i <= 200; i += 25) {
        EXPECT_EQ(d.AkimaX[i + 1], d.SimT[i]);
        EXPECT_EQ(d.AkimaY(3, i + 1), d.SimCC[i]);
    }

    // Model 20: A, copy of P, C0, P, C0.
    Declare e = Modell(20);
    e.c0[3] = 0.3;
    e.c0[4] = 0.1;
    ASSERT_FALSE(calc_diagram_function(e, 20).failed);
    for (std::size_t i = 0; i <= 200; ++i) {
        EXPECT_EQ(e.SimCB[i], e.SimCP[i]);
        EXPECT_EQ(e.SimCC[i], 0.3);
        EXPECT_EQ(e.SimCQ[i], 0.3);
    }
}

TEST(Simulation, HalfLifeOfBIsClearedWhenBNeverHalves)
{
    Declare d = Modell(9);
    d.c0[1] = 1.0;
    d.c0[2] = 1.0; // B = A = 1/(1 + k1 t): half-life 1/k1 = 6.67
    ASSERT_FALSE(calc_diagram_function(d, 9).failed);
    EXPECT_NEAR(d.HalbwertszeitB, 1 / 0.15, 0.01);
    EXPECT_NEAR(d.HalbwertszeitA, 1 / 0.15, 0.01);

    d.c0[2] = 5.0; // B falls to 4 at most
    ASSERT_FALSE(calc_diagram_function(d, 9).failed);
    EXPECT_EQ(d.HalbwertszeitB, 0.0f);
    EXPECT_GT(d.HalbwertszeitA, 0.0f);

    d.c0[1] = 0; // nothing reacts: no half-life at all
    ASSERT_FALSE(calc_diagram_function(d, 9).failed);
    EXPECT_EQ(d.HalbwertszeitA, 0.0f);
}

TEST(Simulation, FailedRunKeepsTheRowsComputedAndTouchesNothingElse)
{
    Declare d = Modell(3);
    d.k[1] = -0.01; // 1 + 2 k1 A0 t reaches 0 at t = 50 (row 100)
    std::fill(d.SimCA.begin(), d.SimCA.end(), 7.0);
    d.AkimaQuelle = 7;
    for (int i = 0; i < 32; ++i) d.AchsenBereiche[i] = 1.5f;
    const AchsenInfo vorher = d.AchsenBereiche;
    const SimulationsErgebnis erg = calc_diagram_function(d, 3);
    EXPECT_TRUE(erg.failed);
    EXPECT_NE(erg.Fehlertext.find("finite"), std::string::npos) << erg.Fehlertext;
    EXPECT_EQ(erg.Zeilen, 100);
    EXPECT_NEAR(d.SimCA[99], 1.0 / (1 - 0.02 * 49.5), 1e-12);
    EXPECT_EQ(d.SimCA[100], 7.0);
    EXPECT_EQ(d.AchsenBereiche, vorher);
    EXPECT_EQ(d.AkimaQuelle, kAkimaQuelleKeine);

    bool failed = false;
    calc_diagram_function(d, 3, failed);
    EXPECT_TRUE(failed);
    d.k[1] = 0.15;
    calc_diagram_function(d, 3, failed);
    EXPECT_FALSE(failed);

    // Inputs that are not numbers are refused before anything is computed.
    for (int model : {2, 7}) {
        Declare e = Modell(model);
        e.c0[1] = std::nan("");
        EXPECT_TRUE(calc_diagram_function(e, model).failed);
        Declare f = Modell(model);
        f.tEnde = INFINITY;
        EXPECT_TRUE(calc_diagram_function(f, model).failed);
    }
}

TEST(Simulation, LinInterpolAndStartConcentrationsOfTheData)
{
    EXPECT_FLOAT_EQ(LinInterpol(0.5, 4.0, 0.6, 5.0, 0.4), 4.5f);
    EXPECT_FLOAT_EQ(LinInterpol(3.0, 1.0, 1.0, 3.0, 2.0), 5.0f); // beyond the two points

    Declare d;
    SetStartupValues(d, "/tmp", ".");
    for (int i = 1; i <= 5; ++i) d.c0Exp[i] = 9;
    GetStartConcFromData(d); // no data
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(d.c0Exp[i], 0.0f);

    d.ExpPunkte.resize(5);
    d.AnzahlPunkte = 4;
    const double t[5] = {0, 2.0, 1e-8, -1.0, 0.0};
    for (std::size_t p = 1; p <= 4; ++p) {
        d.ExpPunkte[p].t = t[p];
        for (int i = 1; i <= 5; ++i) d.ExpPunkte[p].c[i] = 10.0 * static_cast<double>(p) + i + 0.1;
    }
    d.ExpPunkte[3].exclude = -1; // excluded points count as well
    GetStartConcFromData(d);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(d.c0Exp[i], static_cast<float>(30.0 + i + 0.1)) << i;

    d.ExpPunkte[3].t = 0.5; // record 2 (t = 1e-8) never qualifies: the test is "below"
    GetStartConcFromData(d);
    EXPECT_EQ(d.c0Exp[1], static_cast<float>(41.1));
    d.AnzahlPunkte = 2;
    GetStartConcFromData(d);
    EXPECT_EQ(d.c0Exp[1], 0.0f);
}

// A run only stores the nodes of its splines; the first reader builds them.
// The tables it then finds are exactly those of a set-up right after the run,
// whatever the tables held before (another run, a spline of measured points
// with another node count), and whatever ran or changed in between (a
// closed-form run, the Michaelis-Menten curve, a new smoothing factor).
TEST(Simulation, SplinesBuiltOnFirstUseEqualThoseBuiltAtOnce)
{
    struct Case {
        int model;
        const char* pattern;
        float smoothing;
    };
    const Case cases[] = {{7, "11110", 0}, {10, "11010", 0}, {14, "10110", 0.5f},
                           {20, "10010", 0}, {18, "01111", 2.0f}};
    for (const Case& f : cases) {
        const std::string label = "model " + std::to_string(f.model);
        Declare d = Modell(f.model);
        d.Glaettung = f.smoothing;
        // Tables left by a spline of 7 measured points, then by a run of
        // another model with every column in use.
        AkimaTabellenDimensionieren(d, 7);
        for (std::size_t i = 1; i <= 7; ++i) {
            d.AkimaX[i] = static_cast<double>(i);
            d.AkimaYRoh(2, i) = 1.0 / static_cast<double>(i);
        }
        ASSERT_EQ(AkimaSplineBerechnen(d, 2, 7, 0), AkimaStatus::Ok);
        ASSERT_FALSE(calc_diagram_function(d, 9).failed);
        BuildPendingSplines(d);

        d.Stoffmuster = f.pattern;
        ASSERT_FALSE(calc_diagram_function(d, f.model).failed) << label;
        const Declare atOnce = BuiltAtOnce(d, f.smoothing);

        Declare readNow = d; // read through the calculator's routine
        readNow.Glaettung = 0.25f;
        Declare readLater = readNow;
        std::vector<double> c(6, 0.0);
        bool failed = true;
        CalcCAtTime(readNow, f.model, 12.5, c, failed);
        EXPECT_FALSE(failed) << label;
        ExpectSameTables(readNow, atOnce, label + " read at once");

        // A closed-form run and the Michaelis-Menten curve in between leave
        // the nodes alone.
        readLater.c0[2] = 0.5;
        ASSERT_FALSE(calc_diagram_function(readLater, 4).failed);
        readLater.MMDiagramm = true;
        ASSERT_FALSE(calc_diagram_function(readLater, 10).failed);
        EXPECT_TRUE(AkimaWert(readLater, 0, 4, 3.0, 201).has_value()) << label;
        ExpectSameTables(readLater, atOnce, label + " read after other runs");
    }

    // A spline of measured points set up after a run replaces its pending
    // set-up: the first reader finds the measured spline.
    Declare d = Modell(9);
    ASSERT_FALSE(calc_diagram_function(d, 9).failed);
    AkimaTabellenDimensionieren(d, 4);
    for (std::size_t i = 1; i <= 4; ++i) {
        d.AkimaX[i] = static_cast<double>(i);
        d.AkimaYRoh(3, i) = 2.0 * static_cast<double>(i);
    }
    ASSERT_EQ(AkimaSplineBerechnen(d, 3, 4, 0), AkimaStatus::Ok);
    d.AkimaQuelle = kAkimaQuelleMessdaten;
    EXPECT_EQ(AkimaWert(d, 0, 3, 2.5, 4), 5.0);
    EXPECT_EQ(d.AkimaY(1, 1), 0.0); // column 1 of the run was never built
    EXPECT_EQ(d.AkimaQuelle, kAkimaQuelleMessdaten);

    // t(max) = 0: the run stands, the spline (nodes at one time) fails when
    // read and the tables are marked as holding no course.
    Declare zeroRun = Modell(9, 0);
    ASSERT_FALSE(calc_diagram_function(zeroRun, 9).failed);
    std::vector<double> c(6, 0.0);
    bool failed = false;
    CalcCAtTime(zeroRun, 9, 0.0, c, failed);
    EXPECT_TRUE(failed);
    EXPECT_EQ(zeroRun.AkimaQuelle, kAkimaQuelleKeine);
}
