#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "core/kinetics/models.h"

using namespace kinhom;

namespace {

enum { A = 1, B = 2, C = 3, P = 4, Q = 5 };
enum { E = 1, S = 2, ES = 3 };

// The stoichiometric coefficients of every model, typed from the reaction
// equations: nu[model][{species, reaction}] (absent = 0). Model 20 is handled
// apart (its A coefficient is -n).
const std::map<int, std::map<std::pair<int, int>, float>>& Nu()
{
    static const std::map<int, std::map<std::pair<int, int>, float>> nu = {
        {1, {{{A, 1}, -1}, {{P, 1}, 1}}},
        {2, {{{A, 1}, -1}, {{P, 1}, 1}}},
        {3, {{{A, 1}, -2}, {{P, 1}, 1}}},
        {4, {{{A, 1}, -1}, {{B, 1}, -1}, {{P, 1}, 1}}},
        {5, {{{A, 1}, -1}, {{P, 1}, 1}}},
        {6, {{{A, 1}, -1}, {{C, 1}, 1}, {{C, 2}, -1}, {{P, 2}, 1}}},
        {7, {{{A, 1}, -1}, {{B, 1}, -1}, {{C, 1}, 1}, {{A, 2}, -1}, {{C, 2}, -1}, {{P, 2}, 1}}},
        {8, {{{A, 1}, -1}, {{P, 1}, 1}, {{P, 2}, -1}, {{A, 2}, 1}}},
        {9, {{{A, 1}, -1}, {{B, 1}, -1}, {{C, 1}, 1}, {{C, 2}, -1}, {{P, 2}, 1}}},
        {10, {{{E, 1}, -1}, {{S, 1}, -1}, {{ES, 1}, 1}, {{ES, 2}, -1}, {{E, 2}, 1}, {{S, 2}, 1},
              {{ES, 3}, -1}, {{E, 3}, 1}, {{P, 3}, 1}}},
        {11, {{{A, 1}, -1}, {{P, 1}, 1}, {{A, 2}, -1}, {{Q, 2}, 1}}},
        {12, {{{A, 1}, -1}, {{B, 1}, -1}, {{P, 1}, 2}, {{P, 2}, -2}, {{A, 2}, 1}, {{B, 2}, 1}}},
        {13, {{{A, 1}, -1}, {{B, 1}, -1}, {{C, 1}, 1}, {{C, 2}, -1}, {{P, 2}, 1}, {{P, 3}, -1}, {{C, 3}, 1}}},
        {14, {{{A, 1}, -1}, {{C, 1}, 1}, {{C, 2}, -1}, {{P, 2}, 1}, {{P, 3}, -1}, {{C, 3}, 1}}},
        {15, {{{A, 1}, -1}, {{C, 1}, 1}, {{C, 2}, -1}, {{A, 2}, 1}, {{C, 3}, -1}, {{P, 3}, 1}}},
        {16, {{{A, 1}, -1}, {{P, 1}, 1}, {{Q, 1}, 1}}},
        {17, {{{A, 1}, -1}, {{B, 1}, -1}, {{P, 1}, 1}, {{P, 2}, -1}, {{A, 2}, 1}, {{B, 2}, 1}}},
        {18, {{{A, 1}, -1}, {{B, 1}, -1}, {{C, 1}, 1}, {{C, 2}, -1}, {{A, 2}, 1}, {{B, 2}, 1},
              {{C, 3}, -1}, {{P, 3}, 1}}},
    };
    return nu;
}

// Mass-action rates of the reactions 1 to 3 of a model.
void ReactionRates(int model, const double* k, const double* c, double r[4])
{
    r[1] = r[2] = r[3] = 0;
    const double a = c[1], b = c[2], cc = c[3], p = c[4];
    switch (model) {
    case 1: r[1] = k[1]; break;
    case 2: r[1] = k[1] * a; break;
    case 3: r[1] = k[1] * a * a; break;
    case 4: r[1] = k[1] * a * b; break;
    case 5: r[1] = k[1] * a * p; break;
    case 6: r[1] = k[1] * a; r[2] = k[2] * cc; break;
    case 7: r[1] = k[1] * a * b; r[2] = k[2] * a * cc; break;
    case 8: r[1] = k[1] * a; r[2] = k[2] * p; break;
    case 9: r[1] = k[1] * a * b; r[2] = k[2] * cc; break;
    case 10: r[1] = k[1] * c[E] * c[S]; r[2] = k[2] * c[ES]; r[3] = k[3] * c[ES]; break;
    case 11: r[1] = k[1] * a; r[2] = k[2] * a; break;
    case 12: r[1] = k[1] * a * b; r[2] = k[2] * p * p; break;
    case 13: r[1] = k[1] * a * b; r[2] = k[2] * cc; r[3] = k[3] * p; break;
    case 14: r[1] = k[1] * a; r[2] = k[2] * cc; r[3] = k[3] * p; break;
    case 15: r[1] = k[1] * a; r[2] = k[2] * cc; r[3] = k[3] * cc; break;
    case 16: r[1] = k[1] * a * p; break;
    case 17: r[1] = k[1] * a * b; r[2] = k[2] * p; break;
    case 18: r[1] = k[1] * a * b; r[2] = k[2] * cc; r[3] = k[3] * cc; break;
    default: break;
    }
}

} // namespace

// Every model's rates equal the sum over its reactions of coefficient times the
// mass-action rate, at three concentration vectors and two sets of constants.
TEST(CalcRates, AllModelsAgreeWithStoichiometryTimesMassActionRates)
{
    const double concs[3][6] = {
        {0, 1.0, 0.5, 0.2, 0.3, 0.1},
        {0, 0.37, 1.9, 0.05, 0.0, 2.2},
        {0, 2.5e-3, 7.0, 1.25, 0.8, 0.0},
    };
    const double ks[2][4] = {{0, 0.15, 0.2, 0.005}, {0, 2.5, 0.7, 1.3}};
    for (const auto& [model, nu] : Nu()) {
        for (const auto& c : concs) {
            for (const auto& k : ks) {
                double r[4];
                ReactionRates(model, k, c, r);
                double dc[6] = {-99, 7, 7, 7, 7, 7};
                CalcRates(model, dc, k, c, 1.5f);
                EXPECT_EQ(dc[0], -99) << "dc(0) must not be written";
                for (int i = 1; i <= 5; ++i) {
                    double expect = 0;
                    for (int j = 1; j <= 3; ++j) {
                        auto it = nu.find({i, j});
                        if (it != nu.end()) expect += it->second * r[j];
                    }
                    EXPECT_NEAR(dc[i], expect, 1e-14 * (1 + std::fabs(expect)))
                        << "model " << model << " slot " << i << " A=" << c[1] << " k1=" << k[1];
                }
            }
        }
    }
}

TEST(CalcRates, NthOrderPowerAndGuard)
{
    const double k[4] = {0, 0.4, 0, 0};
    struct Case { double a; float n; double dA; } cases[] = {
        {1.0, 1.5f, -0.4},                     // A = 1: -k1 whatever n
        {0.25, 1.5f, -0.4 * 0.125},            // 0.25^1.5 = 0.125
        {4.0, 0.5f, -0.4 * 2.0},
        {0.3, 0.0f, -0.4},                     // zeroth order
        {2.0, 3.0f, -0.4 * 8.0},
        {0.0, 1.5f, 0.0},                      // guard: A not > 0
        {-0.1, 0.5f, 0.0},
        {std::numeric_limits<double>::quiet_NaN(), 1.5f, 0.0},
    };
    for (const auto& cs : cases) {
        const double c[6] = {0, cs.a, 3, 3, 3, 3};
        double dc[6] = {0, 9, 9, 9, 9, 9};
        CalcRates(20, dc, k, c, cs.n);
        EXPECT_NEAR(dc[1], cs.dA, 1e-15) << "A=" << cs.a << " n=" << cs.n;
        EXPECT_NEAR(dc[4], -cs.dA, 1e-15);
        EXPECT_EQ(dc[2], 0);
        EXPECT_EQ(dc[3], 0);
        EXPECT_EQ(dc[5], 0);
    }
}

TEST(CalcRates, SpecialCasesAndNumbersOutsideTheCatalogue)
{
    const double k[4] = {0, 1.0, 0.3, 0.05};
    {
        const double c[6] = {0, 1, 0, 0, 0, 0};
        double dc[6];
        CalcRates(3, dc, k, c, 1.5f);
        EXPECT_EQ(dc[1], -2.0);
        EXPECT_EQ(dc[4], 1.0);
    }
    // enzyme: E + ES and S + ES + P are conserved
    for (double e : {0.01, 0.7}) {
        const double c[6] = {0, e, 5.0, 0.3, 1.1, 0};
        double dc[6];
        CalcRates(10, dc, k, c, 1.5f);
        EXPECT_NEAR(dc[E] + dc[ES], 0.0, 1e-15);
        EXPECT_NEAR(dc[S] + dc[ES] + dc[P], 0.0, 1e-15);
        EXPECT_NE(dc[E], 0.0);
    }
    // autocatalysis without the catalyst P does not start
    {
        const double c[6] = {0, 1.0, 0.5, 0.5, 0.0, 0.5};
        double dc[6] = {0, 9, 9, 9, 9, 9};
        CalcRates(16, dc, k, c, 1.5f);
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(dc[i], 0.0) << i;
    }
    // A + B <=> 2P: P is formed twice as fast as A disappears (exactly)
    for (double p : {0.0, 0.4, 3.0}) {
        const double c[6] = {0, 0.8, 0.35, 0, p, 0};
        double dc[6];
        CalcRates(12, dc, k, c, 1.5f);
        EXPECT_EQ(dc[P], -2.0 * dc[A]) << p;
        EXPECT_EQ(dc[B], dc[A]);
    }
    // model 1 does not clamp a negative concentration
    {
        const double c[6] = {0, -0.5, 0, 0, 0, 0};
        double dc[6];
        CalcRates(1, dc, k, c, 1.5f);
        EXPECT_EQ(dc[A], -1.0);
    }
    for (int model : {0, 19, 21, -1, 32767}) {
        const double c[6] = {0, 1, 1, 1, 1, 1};
        double dc[6] = {0, 9, 9, 9, 9, 9};
        CalcRates(model, dc, k, c, 1.5f);
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(dc[i], 0.0) << "model " << model;
    }
    // the vector overload writes the caller's array
    std::vector<double> dcv(6, 5.0), kv = {0, 2.0, 0, 0}, cv = {0, 0.5, 0, 0, 0, 0};
    CalcRates(2, dcv, kv, cv, 1.5f);
    EXPECT_EQ(dcv[A], -1.0);
    EXPECT_EQ(dcv[P], 1.0);
}

TEST(SetStoechiometrie, EveryModelAndTheZeroMatrix)
{
    for (int model = -1; model <= 21; ++model) {
        Array2<float> s(6, 4, 42.0f); // junk everywhere, row and column 0 included
        SetStoechiometrie(s, model, 1.5f);
        const auto it = Nu().find(model);
        for (int i = 1; i <= 5; ++i) {
            for (int j = 1; j <= 3; ++j) {
                float expect = 0;
                if (model == 20) {
                    if (i == A && j == 1) expect = -1.5f;
                    if (i == P && j == 1) expect = 1.0f;
                } else if (it != Nu().end()) {
                    auto e = it->second.find({i, j});
                    if (e != it->second.end()) expect = e->second;
                }
                EXPECT_EQ(s(i, j), expect) << "model " << model << " (" << i << "," << j << ")";
            }
        }
        for (int j = 0; j <= 3; ++j) EXPECT_EQ(s(0, j), 42.0f) << "row 0 is never written";
        for (int i = 0; i <= 5; ++i) EXPECT_EQ(s(i, 0), 42.0f) << "column 0 is never written";
    }
    // the order in force when the model is chosen
    Array2<float> s;
    SetStoechiometrie(s, 20, 0.25f);
    EXPECT_EQ(s(A, 1), -0.25f);
    EXPECT_EQ(s(P, 1), 1.0f);
}

TEST(ModelDefaults, TableOfFlagsConstantsAndStartConcentrations)
{
    struct Row {
        int model;
        bool einzel, numerisch;
        double k1, k2, k3;
        double c0B, c0S, c0P; // replacement when 0 (0 = none)
    };
    const Row rows[] = {
        {1, true, false, 0.015, 0.2, 0, 0, 0, 0},
        {2, true, false, 0.15, 0.2, 0, 0, 0, 0},
        {3, true, false, 0.15, 0.2, 0, 0, 0, 0},
        {4, true, false, 0.15, 0.2, 0, 1.0, 0, 0},
        {5, true, false, 0.15, 0.2, 0, 0, 0, 0.002},
        {6, false, false, 0.15, 0.1, 0, 0, 0, 0},
        {7, false, true, 0.15, 0.05, 0, 1.0, 0, 0},
        {8, true, false, 0.5, 0.1, 0, 0, 0, 0},
        {9, false, true, 0.15, 0.1, 0, 1.0, 0, 0},
        {10, false, true, 0.15, 0.1, 0.005, 0, 5.0, 0},
        {11, false, false, 0.15, 0.05, 0, 0, 0, 0},
        {12, true, false, 0.15, 0.01, 0, 0.5, 0, 0},
        {13, false, true, 0.15, 0.1, 0.005, 1.0, 0, 0},
        {14, false, true, 0.15, 0.1, 0.005, 0, 0, 0},
        {15, false, true, 0.15, 0.1, 0.005, 0, 0, 0},
        {16, true, false, 0.15, 0.2, 0, 0, 0, 0.002},
        {17, true, false, 0.15, 0.01, 0, 0.5, 0, 0},
        {18, false, true, 0.15, 0.1, 0.005, 1.0, 0, 0},
        {20, true, true, 0.15, 0.2, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        // from an empty state: c0(A) becomes 1, the model's own c0 rules apply
        Declare d;
        d.k = {0, 9, 9, 9};
        d.NumerischesModell = !r.numerisch;
        d.EinzelReaktion = !r.einzel;
        ApplyModelDefaults(d, r.model);
        EXPECT_EQ(d.EinzelReaktion, r.einzel) << r.model;
        EXPECT_EQ(d.NumerischesModell, r.numerisch) << r.model;
        EXPECT_EQ(d.k[1], r.k1) << r.model;
        EXPECT_EQ(d.k[2], r.k2) << r.model;
        EXPECT_EQ(d.k[3], r.k3) << r.model;
        EXPECT_EQ(d.c0[1], 1.0) << r.model;
        EXPECT_EQ(d.c0[2], r.model == 10 ? r.c0S : r.c0B) << r.model;
        EXPECT_EQ(d.c0[3], 0.0) << r.model;
        EXPECT_EQ(d.c0[4], r.c0P) << r.model;
        EXPECT_EQ(d.c0[5], 0.0) << r.model;

        // typed start concentrations survive; only exact zeros are replaced
        Declare t;
        t.c0 = {0, 0.4, 1e-300, 0.7, 0.0021, 0.0};
        ApplyModelDefaults(t, r.model);
        EXPECT_EQ(t.c0[1], 0.4);
        EXPECT_EQ(t.c0[2], 1e-300);
        EXPECT_EQ(t.c0[3], 0.7);
        EXPECT_EQ(t.c0[4], 0.0021);
        EXPECT_EQ(t.c0[5], 0.0);
    }
}

TEST(ModelDefaults, OrderFitTakesTheOrderAsSecondParameter)
{
    Declare d;
    d.Ordnung = 2.5f;
    d.Arbeitsmodus = 2;
    ApplyModelDefaults(d, 20);
    EXPECT_EQ(d.k[2], 2.5);
    d.Arbeitsmodus = 0;
    ApplyModelDefaults(d, 20);
    EXPECT_EQ(d.k[2], 0.2);
    // in the order fit every other model keeps the usual k2
    d.Arbeitsmodus = 2;
    ApplyModelDefaults(d, 2);
    EXPECT_EQ(d.k[2], 0.2);
}

TEST(ModelCatalogue, MembershipAndSpeciesCount)
{
    // species used, counted from the reaction equations
    const int anzahl[21] = {0, 2, 2, 2, 3, 2, 3, 4, 2, 4, 4, 3, 3, 4, 3, 3, 3, 3, 4, 0, 2};
    for (int m = -1; m <= 22; ++m) {
        const bool inKatalog = (m >= 1 && m <= 18) || m == 20;
        EXPECT_EQ(IsKatalogModell(m), inKatalog) << m;
        EXPECT_EQ(ModellSpeziesAnzahl(m), (m >= 0 && m <= 20) ? anzahl[m] : 0) << m;
    }
}
