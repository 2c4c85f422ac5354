#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/kinetics/akima.h"

using namespace kinhom;

namespace {

// Tables for one set of points in column `spalte`.
struct Tabellen {
    std::vector<double> X;
    Array2<double> YRoh, D, C, T, Y;
    int n = 0;

    Tabellen(const std::vector<double>& x, const std::vector<double>& y, int spalte = 2)
    {
        n = static_cast<int>(x.size());
        AkimaTabellenDimensionieren(n, X, YRoh, D, C, T, Y);
        for (int i = 1; i <= n; ++i) {
            X[i] = x[i - 1];
            YRoh(spalte, i) = y[i - 1];
        }
    }
    AkimaStatus Aufbauen(int spalte = 2, float glaettung = 0)
    {
        return AkimaSplineBerechnen(spalte, n, glaettung, X, YRoh, D, C, T, Y);
    }
    double Wert(double x, int mode = 0, int spalte = 2) const
    {
        return AkimaWert(mode, spalte, x, n, X, D, C, T, Y).value();
    }
};

} // namespace

TEST(Akima, PointsOnALineGiveTheLineEverywhereAlsoOutside)
{
    // Uneven spacing; n = 3 is the smallest set, where the extension uses all
    // three points at both ends.
    for (const std::vector<double>& x :
         {std::vector<double>{0.0, 0.5, 2.0}, std::vector<double>{-1.0, 0.0, 0.3, 1.7, 2.0, 4.5, 9.0}}) {
        std::vector<double> y;
        for (double xi : x) y.push_back(2.5 * xi - 1.0);
        Tabellen tab(x, y);
        ASSERT_EQ(tab.Aufbauen(), AkimaStatus::Ok);
        for (int i = 1; i <= tab.n; ++i) EXPECT_NEAR(tab.T(2, i), 2.5, 1e-12);
        for (double xs = x.front() - 3; xs <= x.back() + 3; xs += 0.0625) {
            EXPECT_NEAR(tab.Wert(xs), 2.5 * xs - 1.0, 1e-11) << xs;
            EXPECT_NEAR(tab.Wert(xs, 1), 2.5, 1e-11) << xs;
        }
    }
}

TEST(Akima, TwoStraightStretchesMeetWithTheMeanSlope)
{
    // Slope 1 up to x = 3, slope 4 after it: at the meeting node the two
    // neighbouring slopes on each side agree, so the node slope is (1 + 4)/2.
    const std::vector<double> x{0, 1, 2, 3, 4, 5, 6};
    std::vector<double> y;
    for (double xi : x) y.push_back(xi <= 3 ? xi : 3 + 4 * (xi - 3));
    Tabellen tab(x, y);
    ASSERT_EQ(tab.Aufbauen(), AkimaStatus::Ok);
    EXPECT_DOUBLE_EQ(tab.T(2, 4), 2.5);
    // Away from the bend the straight stretches are kept.
    EXPECT_NEAR(tab.T(2, 2), 1.0, 1e-12);
    EXPECT_NEAR(tab.T(2, 6), 4.0, 1e-12);
    EXPECT_NEAR(tab.Wert(0.5), 0.5, 1e-12);
    EXPECT_NEAR(tab.Wert(5.5), 3 + 4 * 2.5, 1e-12);
}

TEST(Akima, NodesAreExactAndTheCurveIsSmoothAtThem)
{
    const std::vector<double> x{0, 0.7, 1.1, 2.0, 3.5, 3.6, 5.0, 8.0};
    const std::vector<double> y{1, 0.4, 0.9, -0.3, 2.0, 2.2, 0.0, 0.5};
    Tabellen tab(x, y);
    ASSERT_EQ(tab.Aufbauen(), AkimaStatus::Ok);
    const int n = tab.n;
    for (int i = 1; i <= n; ++i) {
        EXPECT_EQ(tab.Wert(x[i - 1]), y[i - 1]) << i;   // exact at every node
        EXPECT_EQ(tab.Wert(x[i - 1], 1), tab.T(2, i));  // slope t_i there
        EXPECT_EQ(tab.Y(2, i), y[i - 1]);
        EXPECT_EQ(tab.YRoh(2, i), y[i - 1]);            // raw ordinates kept
        EXPECT_EQ(tab.X[i], x[i - 1]);
    }
    // Each piece ends where the next begins, with the same slope.
    for (int i = 1; i < n; ++i) {
        const double h = x[i] - x[i - 1];
        EXPECT_NEAR(AkimaPolynom(2, i, h, tab.D, tab.C, tab.T, tab.Y), y[i], 1e-12);
        EXPECT_NEAR(AkimaAbleitung(2, i, h, tab.D, tab.C, tab.T, tab.Y), tab.T(2, i + 1), 1e-11);
    }
    // Straight continuation with the end slopes outside the nodes.
    EXPECT_NEAR(tab.Wert(10.0), y[7] + tab.T(2, n) * 2.0, 1e-12);
    EXPECT_NEAR(tab.Wert(-1.0), y[0] - tab.T(2, 1), 1e-12);
    EXPECT_EQ(tab.Wert(-1.0, 1), tab.T(2, 1));
    EXPECT_EQ(tab.Wert(8.0, 1), tab.T(2, n));
}

TEST(Akima, IntervalSearchAgreesWithAWalkFromTheFirstNode)
{
    std::mt19937 zufall(7);
    std::uniform_real_distribution<double> schritt(0.01, 1.0), wert(-5, 5);
    std::vector<double> x{0.0}, y{wert(zufall)};
    for (int i = 1; i < 120; ++i) {
        x.push_back(x.back() + schritt(zufall));
        y.push_back(wert(zufall));
    }
    Tabellen tab(x, y);
    ASSERT_EQ(tab.Aufbauen(), AkimaStatus::Ok);
    std::uniform_real_distribution<double> stelle(x.front(), x.back());
    for (int probe = 0; probe < 2000; ++probe) {
        const double xs = probe < 120 ? x[static_cast<std::size_t>(probe)] : stelle(zufall);
        if (xs >= x.back()) continue;
        int j = 1;
        while (!(tab.X[j] <= xs && xs < tab.X[j + 1])) j += (xs >= tab.X[j + 1]) ? 1 : -1;
        const double dx = xs - tab.X[j];
        EXPECT_EQ(tab.Wert(xs), AkimaPolynom(2, j, dx, tab.D, tab.C, tab.T, tab.Y));
        EXPECT_EQ(tab.Wert(xs, 1), AkimaAbleitung(2, j, dx, tab.D, tab.C, tab.T, tab.Y));
    }
}

TEST(Akima, SmoothingReplacesTheOrdinatesAndKeepsTheAbscissae)
{
    // Alternating values on equal spacing 1. With factor 1 the weights of the
    // neighbours one and two places away are 1 - 1/3 and 1 - 2/3, three places
    // away 0; in the interior the mean of +1 between -1s is
    // (1 - 2·(2/3) + 2·(1/3)) / (1 + 2·(2/3) + 2·(1/3)) = 1/9.
    std::vector<double> x, y;
    for (int i = 0; i < 15; ++i) {
        x.push_back(i);
        y.push_back(i % 2 == 0 ? 1.0 : -1.0);
    }
    Tabellen tab(x, y);
    ASSERT_EQ(tab.Aufbauen(2, 1.0f), AkimaStatus::Ok);
    for (int i = 1; i <= tab.n; ++i) EXPECT_EQ(tab.X[i], x[static_cast<std::size_t>(i - 1)]);
    for (int i = 5; i <= 11; ++i)
        EXPECT_NEAR(tab.YRoh(2, i), (i % 2 == 1 ? 1.0 : -1.0) / 9.0, 1e-14) << i;
    // The spline now runs through the smoothed values, not the raw points.
    EXPECT_NEAR(tab.Wert(6.0), 1.0 / 9.0, 1e-14);
    EXPECT_GT(std::fabs(tab.Wert(6.0) - 1.0), 0.5);

    // A larger factor gives the neighbours more weight: with 2 the weights are
    // 8/9 and 5/9, and the ripple is (9 - 16 + 10)/(9 + 16 + 10) = 3/35.
    Tabellen staerker(x, y);
    ASSERT_EQ(staerker.Aufbauen(2, 2.0f), AkimaStatus::Ok);
    EXPECT_NEAR(staerker.YRoh(2, 8), -3.0 / 35.0, 1e-14);

    // Equally spaced points on a line stay on it.
    std::vector<double> gerade;
    for (double xi : x) gerade.push_back(0.5 * xi + 2);
    Tabellen linie(x, gerade);
    ASSERT_EQ(linie.Aufbauen(2, 2.0f), AkimaStatus::Ok);
    for (int i = 1; i <= linie.n; ++i) EXPECT_NEAR(linie.YRoh(2, i), gerade[static_cast<std::size_t>(i - 1)], 1e-12);
}

TEST(Akima, UnusableSetsAreReportedAndWriteNothing)
{
    struct Fall {
        std::vector<double> x, y;
        AkimaStatus erwartet;
    };
    const double nan = std::nan("");
    const Fall faelle[] = {
        {{0, 1}, {1, 2}, AkimaStatus::ZuWenigePunkte},
        {{}, {}, AkimaStatus::ZuWenigePunkte},
        {{0, 1, 1, 2}, {1, 2, 3, 4}, AkimaStatus::NichtAufsteigend},   // equal times
        {{0, 2, 1, 3}, {1, 2, 3, 4}, AkimaStatus::NichtAufsteigend},   // not sorted
        {{0, 1, 2, 3}, {1, nan, 3, 4}, AkimaStatus::NichtEndlich},
        {{0, 1, HUGE_VAL, 3}, {1, 2, 3, 4}, AkimaStatus::NichtEndlich},
    };
    for (const Fall& f : faelle) {
        Tabellen tab(f.x, f.y);
        tab.Y.fill(-7.0);
        tab.T.fill(-7.0);
        EXPECT_EQ(tab.Aufbauen(), f.erwartet);
        EXPECT_FALSE(AkimaStatusText(f.erwartet).empty());
        for (int i = 1; i <= tab.n; ++i) {
            EXPECT_EQ(tab.Y(2, i), -7.0);
            EXPECT_EQ(tab.T(2, i), -7.0);
        }
    }
    // Tables dimensioned for fewer points, or a column outside them.
    Tabellen klein({0, 1, 2}, {0, 1, 4});
    EXPECT_EQ(AkimaSplineBerechnen(2, 5, 0, klein.X, klein.YRoh, klein.D, klein.C, klein.T, klein.Y),
              AkimaStatus::TabellenZuKlein);
    EXPECT_EQ(klein.Aufbauen(6), AkimaStatus::TabellenZuKlein);
    EXPECT_EQ(AkimaStatusText(AkimaStatus::Ok), "");
}

TEST(Akima, EvaluationOutsideItsDomainIsEmpty)
{
    Tabellen tab({0, 1, 2, 3}, {0, 1, 4, 9});
    ASSERT_EQ(tab.Aufbauen(), AkimaStatus::Ok);
    EXPECT_FALSE(AkimaWert(2, 2, 1.5, tab.n, tab.X, tab.D, tab.C, tab.T, tab.Y).has_value());
    EXPECT_FALSE(AkimaWert(0, 2, std::nan(""), tab.n, tab.X, tab.D, tab.C, tab.T, tab.Y).has_value());
    EXPECT_FALSE(AkimaWert(0, 6, 1.5, tab.n, tab.X, tab.D, tab.C, tab.T, tab.Y).has_value());
    EXPECT_FALSE(AkimaWert(0, 2, 1.5, 50, tab.X, tab.D, tab.C, tab.T, tab.Y).has_value());
    Declare leer; // tables never dimensioned
    EXPECT_FALSE(AkimaWert(leer, 0, 1, 1.5, 201).has_value());
}

TEST(Akima, ManyPointsBeyondTheOldTableSize)
{
    // 1000 points of a parabola: no fixed limit on the set, and the spline
    // between nodes is close to the smooth curve.
    std::vector<double> x, y;
    for (int i = 0; i < 1000; ++i) {
        x.push_back(i * 0.01);
        y.push_back(x.back() * x.back());
    }
    Tabellen tab(x, y, 5);
    ASSERT_EQ(tab.Aufbauen(5), AkimaStatus::Ok);
    for (double xs = 0.005; xs < 9.9; xs += 0.37) {
        EXPECT_NEAR(tab.Wert(xs, 0, 5), xs * xs, 1e-6);
        EXPECT_NEAR(tab.Wert(xs, 1, 5), 2 * xs, 1e-3);
    }
}
