#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/reactors/protocol.h"
#include "core/reactors/reactors.h"

using namespace kinhom;

namespace {

Konzentrationen C0(double A, double B = 0, double C = 0, double P = 0, double Q = 0) { return {0, A, B, C, P, Q}; }

// The conversion of the stirred tank's steady state for model 20 solves
// A0 - A = tau k A^n; the bisection here is independent of the solver.
double CstrNthOrderA(double A0, double ktau, double n)
{
    double lo = 0, hi = A0;
    for (int i = 0; i < 200; ++i) {
        const double m = 0.5 * (lo + hi);
        (A0 - m - ktau * std::pow(m, n) > 0 ? lo : hi) = m;
    }
    return 0.5 * (lo + hi);
}

} // namespace

// ---- design equations against closed forms -------------------------------------------------

struct ClosedFormCase {
    const char* name;
    int model;
    double k1, k2;
    Konzentrationen c0;
    double t;        // reaction time = residence time
    double batchU;   // closed form of the batch (and plug flow)
    double tankU;    // closed form of the stirred tank
};

class ClosedForms : public ::testing::TestWithParam<ClosedFormCase> {};

TEST_P(ClosedForms, BatchTubularAndTankMatchTheClosedForms)
{
    const ClosedFormCase& c = GetParam();
    const ReaktorModell m = KatalogReaktor(c.model, c.k1, c.k2);

    const ReaktorErgebnis batch = BatchNachZeit(m, c.c0, c.t);
    ASSERT_TRUE(batch.ok) << batch.Fehlertext;
    EXPECT_NEAR(batch.U, c.batchU, 2e-6);

    // Plug flow with V / V* = t is the batch at t.
    FlussEingabe e;
    e.V = 10 * c.t;
    e.Vpunkt = 10;
    e.querschnitt = 2;
    const FlussErgebnis rohr = Rohrreaktor(m, c.c0, e);
    ASSERT_TRUE(rohr.ok) << rohr.Fehlertext;
    EXPECT_NEAR(rohr.U, c.batchU, 2e-6);
    EXPECT_DOUBLE_EQ(rohr.zeit, c.t);
    EXPECT_DOUBLE_EQ(rohr.laenge, e.V / 2);

    const FlussErgebnis tank = Ruehrkessel(m, c.c0, e);
    ASSERT_TRUE(tank.ok) << tank.Fehlertext;
    EXPECT_NEAR(tank.U, c.tankU, 1e-8);
}

INSTANTIATE_TEST_SUITE_P(
    Models, ClosedForms,
    ::testing::Values(
        // A => P: U = 1 - e^-kt; tank k tau / (1 + k tau).
        ClosedFormCase{"first_order", 2, 0.1, 0, C0(1), 10, 1 - std::exp(-1.0), 0.5},
        // 2A => P with dc(A)/dt = -2 k c(A)^2: batch 2kc0t/(1 + 2kc0t); tank from
        // c0 - c = 2 k tau c^2.
        ClosedFormCase{"second_order_2A", 3, 0.1, 0, C0(1), 10, 2.0 / 3.0, 0.5},
        // A <=> P: batch k1/(k1+k2) (1 - e^-(k1+k2)t); tank k1 tau / (1 + (k1+k2) tau).
        ClosedFormCase{"reversible", 8, 0.1, 0.05, C0(1), 10, 0.1 / 0.15 * (1 - std::exp(-1.5)), 0.4},
        // Zeroth order: k1 t / c0 in both, capped at 1.
        ClosedFormCase{"zeroth_order", 1, 0.05, 0, C0(2), 10, 0.25, 0.25},
        ClosedFormCase{"zeroth_order_used_up", 1, 0.5, 0, C0(2), 10, 1.0, 1.0},
        // A + B => P, equal start: batch k c0 t / (1 + k c0 t); tank c0 - c = k tau c^2.
        ClosedFormCase{"second_order_AB", 4, 0.2, 0, C0(1, 1), 5, 0.5, (3 - std::sqrt(5.0)) / 2},
        // n-th order (integrated numerically), n = 1.5: c^-0.5 = c0^-0.5 + 0.5 k t.
        ClosedFormCase{"nth_order", 20, 0.1, 0, C0(1), 10, 1 - 1 / std::pow(1.5, 2), 1 - CstrNthOrderA(1, 1, 1.5)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reactors, ConsecutiveReactionGivesBothExtentsInTheTank)
{
    // A => C => P: c(A) = c0/(1 + k1 tau), c(C) = k1 tau c(A)/(1 + k2 tau).
    const ReaktorModell m = KatalogReaktor(6, 0.2, 0.1);
    const ReaktorErgebnis r = RuehrkesselNachTau(m, C0(1), 10);
    ASSERT_TRUE(r.ok) << r.Fehlertext;
    const double A = 1 / 3.0, C = 2 * A / 2;
    EXPECT_NEAR(r.c[1], A, 1e-10);
    EXPECT_NEAR(r.c[3], C, 1e-10);
    EXPECT_NEAR(r.c[4], 1 - A - C, 1e-10);
    EXPECT_EQ(ReaktionenAnzahl(m), 2);
    EXPECT_NEAR(r.ksi[1], 1 - A, 1e-10);
    EXPECT_NEAR(r.ksi[2], 1 - A - C, 1e-10);
}

TEST(Reactors, NumericalModelKeepsItsBalancesAndExtents)
{
    // A + B => C => P (integrated): A + C + P and B + C + P stay constant.
    const ReaktorModell m = KatalogReaktor(9, 0.15, 0.1);
    for (bool tank : {false, true}) {
        const ReaktorErgebnis r = tank ? RuehrkesselNachTau(m, C0(1, 0.8), 7) : BatchNachZeit(m, C0(1, 0.8), 7);
        ASSERT_TRUE(r.ok) << r.Fehlertext;
        EXPECT_NEAR(r.c[1] + r.c[3] + r.c[4], 1.0, 1e-6);
        EXPECT_NEAR(r.c[2] + r.c[3] + r.c[4], 0.8, 1e-6);
        EXPECT_NEAR(r.ksi[1], 1 - r.c[1], 1e-6);
        EXPECT_NEAR(r.ksi[2], r.c[4], 1e-6);
        EXPECT_EQ(r.c[5], 0.0); // Q is not part of the model
    }
}

TEST(Reactors, ExtentOfTheNthOrderReactionFollowsTheCoefficientOfA)
{
    const ReaktorModell m = KatalogReaktor(20, 0.1, 0, 0, 1.5f);
    const ReaktorErgebnis r = BatchNachZeit(m, C0(1), 10);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(ReaktionenAnzahl(m), 1);
    EXPECT_NEAR(r.ksi[1], -(r.c[1] - 1) / 1.5, 1e-12);
    EXPECT_EQ(r.ksi[2], 0.0);
    // A reversible pair counts as one reaction.
    EXPECT_EQ(ReaktionenAnzahl(KatalogReaktor(8, 0.1, 0.05)), 1);
    EXPECT_EQ(ReaktionenAnzahl(KatalogReaktor(10, 1, 0.1, 0.01)), 2);
}

// ---- target conversions -------------------------------------------------------------------------

TEST(Reactors, TargetConversionGivesTimeVolumeAndFlow)
{
    const ReaktorModell m = KatalogReaktor(2, 0.1);

    const ReaktorErgebnis batch = BatchNachUmsatz(m, C0(1), 0.5);
    ASSERT_TRUE(batch.ok) << batch.Fehlertext;
    EXPECT_NEAR(batch.zeit, std::log(2.0) / 0.1, 1e-8);
    EXPECT_NEAR(batch.U, 0.5, 1e-10);

    FlussEingabe e;
    e.modus = FlussModus::VolumenAusUmsatz;
    e.U = 0.5;
    e.Vpunkt = 1;
    const FlussErgebnis tankV = Ruehrkessel(m, C0(1), e);
    ASSERT_TRUE(tankV.ok) << tankV.Fehlertext;
    EXPECT_NEAR(tankV.V, 10.0, 1e-8);

    e.modus = FlussModus::StromAusUmsatz;
    e.V = 10;
    const FlussErgebnis tankF = Ruehrkessel(m, C0(1), e);
    ASSERT_TRUE(tankF.ok);
    EXPECT_NEAR(tankF.Vpunkt, 1.0, 1e-9);

    const FlussErgebnis rohrF = Rohrreaktor(m, C0(1), e);
    ASSERT_TRUE(rohrF.ok);
    EXPECT_NEAR(rohrF.Vpunkt, 10 / (std::log(2.0) / 0.1), 1e-8);

    // Zeroth order reaches U = 1 in finite time: t = c0 / k1.
    const ReaktorErgebnis zero = BatchNachUmsatz(KatalogReaktor(1, 0.05), C0(2), 1.0);
    ASSERT_TRUE(zero.ok) << zero.Fehlertext;
    EXPECT_NEAR(zero.zeit, 40.0, 1e-8);
}

TEST(Reactors, LimitsOfTheConversion)
{
    struct Case {
        int model;
        double k1, k2, k3;
        Konzentrationen c0;
        double limit;
        bool equilibrium;
    };
    const Case cases[] = {
        {8, 0.1, 0.05, 0, C0(1), 2.0 / 3.0, true},
        {4, 0.1, 0, 0, C0(1, 0.4), 0.4, false},     // B is the limiting reactant
        {4, 0.1, 0, 0, C0(1, 2), 1.0, false},
        {7, 0.1, 0.1, 0, C0(1, 0.3), 0.6, false},   // each B takes two A
        {17, 0.1, 0.1, 0, C0(1, 1), 1 - (std::sqrt(5.0) - 1) / 2, true}, // (1-x)^2 = x
        {5, 0.1, 0, 0, C0(1), 0.0, false},          // no catalyst seed
        {2, 0.1, 0, 0, C0(1), 1.0, false},
    };
    for (const Case& c : cases) {
        const GrenzUmsatz g = GrenzUmsatzVon(KatalogReaktor(c.model, c.k1, c.k2, c.k3), c.c0);
        EXPECT_NEAR(g.U, c.limit, 1e-9) << "model " << c.model;
        EXPECT_EQ(g.gleichgewicht, c.equilibrium) << "model " << c.model;
    }
    // Model 12 A + B <=> 2P: the equilibrium satisfies k1 A B = k2 P^2.
    const GrenzUmsatz g12 = GrenzUmsatzVon(KatalogReaktor(12, 0.15, 0.01), C0(1, 0.5));
    const double x = g12.U;
    EXPECT_NEAR(0.15 * (1 - x) * (0.5 - x), 0.01 * 4 * x * x, 1e-12);
    // The batch approaches the equilibrium after a long time.
    const ReaktorErgebnis lang = BatchNachZeit(KatalogReaktor(12, 0.15, 0.01), C0(1, 0.5), 2000);
    ASSERT_TRUE(lang.ok);
    EXPECT_NEAR(lang.U, x, 1e-6);
}

TEST(Reactors, TargetsAtOrBeyondTheLimitAreRefusedWithTheLimit)
{
    const ReaktorModell rev = KatalogReaktor(8, 0.1, 0.05);
    for (double U : {0.7, 2.0 / 3.0, 0.0, -0.1}) {
        const ReaktorErgebnis b = BatchNachUmsatz(rev, C0(1), U);
        EXPECT_FALSE(b.ok) << U;
        EXPECT_NE(b.Fehlertext.find("0.6666667"), std::string::npos) << b.Fehlertext;
        EXPECT_NE(b.Fehlertext.find("equilibrium"), std::string::npos) << b.Fehlertext;
        EXPECT_FALSE(RuehrkesselNachUmsatz(rev, C0(1), U).ok);
    }
    const ReaktorErgebnis ab = BatchNachUmsatz(KatalogReaktor(4, 0.1), C0(1, 0.4), 0.5);
    EXPECT_FALSE(ab.ok);
    EXPECT_NE(ab.Fehlertext.find("limiting reactant"), std::string::npos) << ab.Fehlertext;
    // First order approaches U = 1 but never reaches it; zeroth order does.
    EXPECT_FALSE(BatchNachUmsatz(KatalogReaktor(2, 0.1), C0(1), 1.0).ok);
    EXPECT_TRUE(UmsatzPruefen(KatalogReaktor(1, 0.1), C0(1), 1.0).empty());
    // Just below the equilibrium is found.
    const ReaktorErgebnis nah = BatchNachUmsatz(rev, C0(1), 0.66);
    ASSERT_TRUE(nah.ok) << nah.Fehlertext;
    EXPECT_NEAR(nah.U, 0.66, 1e-9);
}

// ---- the stirred tank's steady state ----------------------------------------------------------------

TEST(Reactors, AutocatalyticTankReachesTheStateOfTheStartUp)
{
    // A => P with r = k1 A P, feed A = 1, seed P = 0.002, k1 tau = 10. The balance
    // k tau A^2 - (1 + k tau S) A + A0 = 0 (S = A0 + P0) has the roots 0.0998
    // (A tank full of feed ignites and settles there) and 1.0022 (P < 0, which a
    // Newton step from the feed would find).
    const ReaktorModell m = KatalogReaktor(5, 1.0);
    const double S = 1.002, ktau = 10;
    const double root = ((1 + ktau * S) - std::sqrt((1 + ktau * S) * (1 + ktau * S) - 4 * ktau)) / (2 * ktau);
    const ReaktorErgebnis r = RuehrkesselNachTau(m, C0(1, 0, 0, 0.002), 10);
    ASSERT_TRUE(r.ok) << r.Fehlertext;
    EXPECT_NEAR(r.c[1], root, 1e-10);
    EXPECT_NEAR(r.c[4], S - root, 1e-10);
    EXPECT_GT(r.anlauf, 0.0);

    // Without a seed nothing reacts: the seed is asked for, as the windows do.
    const ReaktorErgebnis leer = RuehrkesselNachTau(m, C0(1), 10);
    EXPECT_FALSE(leer.ok);
    EXPECT_NE(leer.Fehlertext.find("c(P)(0) has to be given"), std::string::npos) << leer.Fehlertext;

    // Below ignition (k tau S < 1) the seed is washed out: A stays near the feed.
    const ReaktorErgebnis aus = RuehrkesselNachTau(m, C0(1, 0, 0, 0.002), 0.5);
    ASSERT_TRUE(aus.ok);
    EXPECT_LT(aus.U, 0.01);
}

TEST(Reactors, FastReactionInTheTankStillGivesItsSteadyState)
{
    // k tau = 1e8: far too stiff for the start-up; c(A) = c0 / (1 + k tau).
    const ReaktorErgebnis r = RuehrkesselNachTau(KatalogReaktor(2, 1e7), C0(1), 10);
    ASSERT_TRUE(r.ok) << r.Fehlertext;
    EXPECT_NEAR(r.c[1], 1 / (1 + 1e8), 1e-14);
}

TEST(Reactors, FaultyInputsGiveMessagesNotNumbers)
{
    const ReaktorModell m = KatalogReaktor(2, 0.1);
    EXPECT_FALSE(BatchNachZeit(m, C0(1), -1).ok);
    EXPECT_FALSE(BatchNachZeit(m, C0(1), std::nan("")).ok);
    EXPECT_FALSE(RuehrkesselNachTau(m, C0(1), 0).ok);
    FlussEingabe e;
    e.V = 1;
    e.Vpunkt = 0;
    const FlussErgebnis f = Rohrreaktor(m, C0(1), e);
    EXPECT_FALSE(f.ok);
    EXPECT_FALSE(f.Fehlertext.empty());
    // A time whose k * t leaves the range of the numbers is refused by name.
    const ReaktorErgebnis lang = BatchNachZeit(m, C0(1), 1e60);
    EXPECT_FALSE(lang.ok);
    EXPECT_NE(lang.Fehlertext.find("too long"), std::string::npos) << lang.Fehlertext;
    // A course that overflows is reported, not returned.
    const ReaktorErgebnis big = BatchNachZeit(KatalogReaktor(5, 1), C0(1e300, 0, 0, 1e300), 1);
    EXPECT_FALSE(big.ok);
    EXPECT_FALSE(big.Fehlertext.empty());
}

TEST(Reactors, ProtocolRowHoldsTheTwentyValuesInOrderAndLeavesUnusedOnesEmpty)
{
    // A => C => P uses A, C, P, k1 and k2.
    const ReaktorModell m = KatalogReaktor(6, 0.1, 0.2, 0.3);
    FlussErgebnis r;
    r.c = C0(6, 7, 8, 9, 10);
    r.U = 0.5;
    r.zeit = 11;
    r.laenge = 12;
    r.V = 13;
    r.Vpunkt = 14;
    r.ksi = {0, 15, 16};
    const auto z = ProtokollZeileAus(m, C0(1, 2, 3, 4, 5), r);
    ASSERT_EQ(z.size(), 20u);
    const double E = kProtEmptyField;
    const double expected[20] = {1, E, 3, 4, E, 6, E, 8, 9, E, 0.1, 0.2, E, 0.5, 11, 12, 13, 14, 15, 16};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(IsProtEmptyField(z[std::size_t(i)]), IsProtEmptyField(expected[i])) << i;
        if (!IsProtEmptyField(expected[i])) {
            EXPECT_EQ(z[std::size_t(i)], expected[i]) << i;
        }
    }
    // A first-order model records k1 only, whatever k2 holds.
    const auto firstOrder = ProtokollZeileAus(KatalogReaktor(2, 0.1, 0.2), C0(1), r);
    EXPECT_EQ(firstOrder[10], 0.1);
    EXPECT_TRUE(IsProtEmptyField(firstOrder[11]) && IsProtEmptyField(firstOrder[12]));
}

// ---- reached limits, inputs that cannot be carried ----------------------------------------------

TEST(Reactors, FullConversionBelowFirstOrderTakesTheTimeOfTheRateLaw)
{
    // n = 0.5: c(A) reaches 0 at t = c0^(1-n) / ((1-n) k) = 20 (c0 = 1, k = 0.1).
    const ReaktorModell m = KatalogReaktor(20, 0.1, 0, 0, 0.5f);
    const ReaktorErgebnis b = BatchNachUmsatz(m, C0(1), 1.0);
    ASSERT_TRUE(b.ok) << b.Fehlertext;
    EXPECT_NEAR(b.zeit, 20.0, 20e-6);
    EXPECT_EQ(b.U, 1.0);
    EXPECT_EQ(b.c[1], 0.0);
    EXPECT_EQ(b.c[4], 1.0);
    // c0 = 4, k = 0.5: 4^0.5 / (0.5 * 0.5) = 8; the tube's volume follows.
    FlussEingabe e;
    e.modus = FlussModus::VolumenAusUmsatz;
    e.U = 1;
    e.Vpunkt = 2;
    const FlussErgebnis rohr = Rohrreaktor(KatalogReaktor(20, 0.5, 0, 0, 0.5f), C0(4), e);
    ASSERT_TRUE(rohr.ok) << rohr.Fehlertext;
    EXPECT_NEAR(rohr.V, 16.0, 16e-6);
    // The stirred tank works at its outlet state, where the rate vanishes with
    // c(A): U = 1 is approached there, never reached.
    const FlussErgebnis tank = Ruehrkessel(m, C0(1), e);
    EXPECT_FALSE(tank.ok);
    EXPECT_NE(tank.Fehlertext.find("never reached"), std::string::npos) << tank.Fehlertext;
}

TEST(Reactors, InputsThatCannotBeCarriedAreRefusedNotComputed)
{
    // A start concentration below single precision (a denormal double) with P
    // present gave a conversion of -inf as success.
    const ReaktorModell m17 = KatalogReaktor(17, 0.15, 0.2);
    const Konzentrationen tiny = C0(4.94e-324, 1, 0, 1);
    const ReaktorErgebnis tank = RuehrkesselNachTau(m17, tiny, 10);
    EXPECT_FALSE(tank.ok);
    EXPECT_EQ(tank.Fehlertext, "- the initial concentration c(A)(0) is too small");
    EXPECT_FALSE(BatchNachZeit(m17, tiny, 10).ok);

    struct Case {
        ReaktorModell m;
        Konzentrationen c0;
        std::vector<std::string> faults;
    };
    const Case cases[] = {
        {KatalogReaktor(2, 0.1), C0(1), {}},
        {KatalogReaktor(2, 0.1, -5), C0(1, -1), {}}, // B and k2 are not in use
        {KatalogReaktor(4, 0, 0, 0), C0(0, 1e39),
         {"- not yet given an initial concentration c(A)(0)", "- the initial concentration c(B)(0) is too large",
          "- the rate constant has to be k1 > 0"}},
        {KatalogReaktor(6, 1e-39, -1), C0(1, 0, -2),
         {"- the initial concentration c(C)(0) must not be negative", "- the rate constant k1 is too small",
          "- the rate constant has to be k2 >= 0"}},
        {KatalogReaktor(16, 1), C0(1),
         {"- for autocatalysis a (very small) initial concentation c(P)(0) has to be given"}},
        {KatalogReaktor(10, 1, 1, 1), C0(1, std::nan("")), {"- not yet given an initial concentration c(S)(0)"}},
        {KatalogReaktor(20, 0.1, 0, 0, -1), C0(1), {"- allowed only n > 0"}},
        {KatalogReaktor(0, 0.1), C0(1), {"- first select a kinetic model"}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReactorInputFaults(c.m, c.c0), c.faults) << c.m.model;
    // A species outside the model takes no part, whatever its box holds: it
    // came back as a NaN or negative outlet concentration of a success.
    const ReaktorErgebnis outside = RuehrkesselNachTau(KatalogReaktor(1, 0.1), C0(1, -1, 0, 0, std::nan("")), 5);
    ASSERT_TRUE(outside.ok) << outside.Fehlertext;
    EXPECT_EQ(outside.c[2], 0.0);
    EXPECT_EQ(outside.c[5], 0.0);
    EXPECT_NEAR(outside.U, 0.5, 1e-12);

    // The reactor's own quantities: > 0 (a cross-section of 0 gives no length)
    // and carried; a denormal volume flow made tau = V / V* lose its digits.
    FlussEingabe q;
    q.modus = FlussModus::VolumenAusUmsatz; // V is a result
    q.V = -1;
    q.Vpunkt = 2.7e-319;
    q.querschnitt = 0;
    EXPECT_EQ(ReactorQuantityFaults(q, true, 0), std::vector<std::string>{"- the volume flow V* is too small"});
    q.modus = FlussModus::VolumenUndStrom;
    q.Vpunkt = 1e39;
    q.querschnitt = -1;
    EXPECT_EQ(ReactorQuantityFaults(q, true, 0),
              (std::vector<std::string>{"- the volume V has to be > 0", "- the volume flow V* is too large",
                                        "- the cross-section has to be > 0 (0: no length)"}));
    EXPECT_EQ(ReactorQuantityFaults(q, false, 0), std::vector<std::string>{"- specification of time not in order"});
    q.modus = FlussModus::VolumenAusUmsatz; // the batch's time is a result
    EXPECT_TRUE(ReactorQuantityFaults(q, false, 0).empty());
    q.Vpunkt = 2.7e-319;
    q.querschnitt = 0;
    const FlussErgebnis tinyFlow = Ruehrkessel(KatalogReaktor(2, 0.1), C0(1), q);
    EXPECT_FALSE(tinyFlow.ok);
    EXPECT_EQ(tinyFlow.V, 0.0);

    // Results that the boxes and the protocol cannot carry are refused, and a
    // refusal carries no values.
    FlussEingabe e;
    e.modus = FlussModus::VolumenAusUmsatz;
    e.U = 0.5;
    e.Vpunkt = 1e38;
    e.querschnitt = 1;
    const FlussErgebnis f = Rohrreaktor(KatalogReaktor(2, 0.1), C0(1), e);
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.Fehlertext.rfind("A result lies beyond the range", 0), 0u) << f.Fehlertext;
    EXPECT_EQ(f.V, 0.0);
    EXPECT_EQ(f.Vpunkt, 0.0);
    EXPECT_EQ(f.laenge, 0.0);
    EXPECT_EQ(f.zeit, 0.0);
    e.modus = FlussModus::VolumenUndStrom;
    e.V = 1e39; // a residence time beyond the range of k * t
    e.Vpunkt = 1;
    const FlussErgebnis lang = Rohrreaktor(KatalogReaktor(2, 0.1), C0(1), e);
    EXPECT_FALSE(lang.ok);
    EXPECT_EQ(lang.V, 0.0);
    EXPECT_EQ(lang.Vpunkt, 0.0);
}

// ---- stopping --------------------------------------------------------------------------------------

TEST(Reactors, CancelFlagAndTimeBoundEndTheSearchWithoutAResult)
{
    // The enzyme tank for a conversion near 1 searches for seconds.
    const ReaktorModell m = KatalogReaktor(10, 1.24, 5.31, 8.0);
    const Konzentrationen feed = C0(0.69, 1.85, 1.15, 1.42);
    FlussEingabe e;
    e.modus = FlussModus::VolumenAusUmsatz;
    e.U = 0.99999;
    e.Vpunkt = 7.43;

    std::atomic<bool> cancel{true};
    ReactorControl control;
    control.cancel = &cancel;
    const FlussErgebnis cancelled = Ruehrkessel(m, feed, e, control);
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(cancelled.stop, ReactorStop::Cancelled);
    EXPECT_EQ(cancelled.Fehlertext, "The calculation was stopped.");
    EXPECT_EQ(cancelled.V, 0.0);
    EXPECT_EQ(cancelled.U, 0.0);

    cancel = false;
    control.timeLimitSeconds = 0.05;
    const FlussErgebnis timedOut = Ruehrkessel(m, feed, e, control);
    EXPECT_FALSE(timedOut.ok);
    EXPECT_EQ(timedOut.stop, ReactorStop::TimeLimit);
    EXPECT_NE(timedOut.Fehlertext.find("0.05 s"), std::string::npos) << timedOut.Fehlertext;
    EXPECT_EQ(timedOut.V, 0.0);

    // A batch search is stopped as well; a calculation within its bound is not.
    const ReaktorErgebnis batch = BatchNachUmsatz(KatalogReaktor(9, 0.15, 0.1), C0(1, 1), 0.9, control);
    EXPECT_TRUE(batch.ok || batch.stop == ReactorStop::TimeLimit);
    cancel = true;
    EXPECT_EQ(BatchNachUmsatz(KatalogReaktor(9, 0.15, 0.1), C0(1, 1), 0.9, control).stop, ReactorStop::Cancelled);
    EXPECT_EQ(RuehrkesselNachTau(KatalogReaktor(5, 1.0), C0(1, 0, 0, 0.002), 10, control).stop,
              ReactorStop::Cancelled);
    cancel = false;
    control.timeLimitSeconds = kReactorTimeLimitSeconds;
    EXPECT_EQ(BatchNachUmsatz(KatalogReaktor(2, 0.1), C0(1), 0.5, control).stop, ReactorStop::None);
}
