// The rules the input windows share: species in use, relabelling for a model,
// and the set-up's input checks with their fault lines.

#include "core/kinetics/inputrules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/kinetics/stoffmuster.h"
#include "kinetics_fixture.h"

namespace kinhom {
namespace {

using Lines = std::vector<std::string>;

// A state as the model window leaves it after a model choice.
Declare Chosen(int model, std::uint8_t mode = 0)
{
    Declare d = test::Modell(model);
    d.Arbeitsmodus = mode;
    d.DiagrammTyp = std::int16_t(model);
    SetStoffMuster(d, model);
    return d;
}

TEST(InputRules, SpeciesAndRateConstantsInUse)
{
    Declare d;
    d.Stoffmuster = "10012";
    d.kMuster = "11";
    const bool species[] = {false, true, false, false, true, false, false};
    for (int i = 0; i <= 6; ++i)
        EXPECT_EQ(SpeciesInUse(d, i), species[i]) << i; // "2" is not "in use"
    EXPECT_TRUE(RateConstantInUse(d, 2));
    EXPECT_FALSE(RateConstantInUse(d, 3)) << "a pattern shorter than three";
    EXPECT_FALSE(RateConstantInUse(d, 0));
    EXPECT_STREQ(SpeciesName(10, 3), "ES");
    EXPECT_STREQ(SpeciesName(9, 3), "C");
    EXPECT_STREQ(SpeciesName(10, 6), "");
}

TEST(InputRules, LabelsForEachKindOfModel)
{
    struct Case {
        int model;
        std::uint8_t mode;
        std::array<std::string, 3> captions;
        bool k2, k3;
        const char* speciesB; // label of slot 2
        const char* speciesP; // label of slot 4 ("" = kept)
    };
    const Case cases[] = {
        {2, 0, {"k1", "k2", ""}, false, false, "B", "P"},
        {8, 0, {"k>", "k<", ""}, true, false, "B", "P"},
        {10, 0, {"k>", "k<", "k3"}, true, true, "S", ""},
        {13, 0, {"k1", "k>", "k<"}, true, true, "B", "P"},
        {17, 0, {"k1", "k2", ""}, true, false, "B", "P"},
        {20, 2, {"k1", "n", ""}, true, false, "B", "P"},
        {2, 6, {"Arrhenius-A", "EA", ""}, true, false, "B", "P"}, // EA is fitted too
    };
    for (const Case& c : cases) {
        const Declare d = Chosen(c.model, c.mode);
        const InputWindowLabels l = LabelsForModel(d);
        EXPECT_EQ(l.kCaption, c.captions) << c.model;
        EXPECT_EQ(l.k2, c.k2) << c.model;
        EXPECT_EQ(l.k3, c.k3) << c.model;
        EXPECT_EQ(l.speciesName[2], c.speciesB) << c.model;
        EXPECT_EQ(l.speciesName[4], c.speciesP) << c.model;
        EXPECT_EQ(l.michaelis, c.model == 10);
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(l.species[std::size_t(i)], SpeciesInUse(d, i)) << c.model << " slot " << i;
        EXPECT_EQ(l.ksiTip.empty(), d.EinzelReaktion) << c.model;
    }
}

TEST(InputRules, ModelLineOfModel20CarriesTheOrder)
{
    Declare d = Chosen(20);
    d.Ordnung = 2.5f;
    EXPECT_EQ(ModelLine(d), "kinet. model:  " + d.ModellNamen[20] + " (n = 2.50)");
    d.ModellNr = 9;
    EXPECT_EQ(ModelLine(d), "kinet. model:  " + d.ModellNamen[9]);
    d.ModellNr = 99; // no name, no crash
    EXPECT_EQ(ModelNameWithOrder(d), "");
}

TEST(InputRules, CatalystSeedComesAndGoes)
{
    Declare d = Chosen(16);
    d.c0[4] = 0;
    ApplyCatalystSeed(d, true);
    EXPECT_EQ(d.c0[4], 0.002);
    d.ModellNr = 5;
    d.c0[4] = 0.5;
    ApplyCatalystSeed(d, false); // the C box holds a number: P stays
    EXPECT_EQ(d.c0[4], 0.5);
    d.c0[4] = 0.002;
    d.ModellNr = 2;
    ApplyCatalystSeed(d, true);
    EXPECT_EQ(d.c0[4], 0.0);
    d.c0[4] = 0.0021; // not the seed
    ApplyCatalystSeed(d, true);
    EXPECT_EQ(d.c0[4], 0.0021);
}

TEST(InputRules, RateConstantBoxesFollowTheTaskMode)
{
    Declare d = Chosen(20);
    d.k = {0, 0.1, 0.2, 0.3};
    d.Ordnung = 1.5f;
    d.ArrheniusA = 1e9;
    d.ArrheniusEA = 5e4;
    EXPECT_EQ(RateConstantBoxValues(d), (std::array<double, 3>{0.1, 0.2, 0.3}));
    d.Arbeitsmodus = 2;
    EXPECT_EQ(RateConstantBoxValues(d), (std::array<double, 3>{0.1, 1.5, 0.3}));
    d.Arbeitsmodus = 7;
    EXPECT_EQ(RateConstantBoxValues(d), (std::array<double, 3>{1e9, 5e4, 0.3}));
}

// ---- the set-up's checks -------------------------------------------------------------------

const std::string kA = "- not yet given an initial concentration c(A)(0)";
const std::string kB = "- not yet given an initial concentration c(B)(0)";
const std::string kT = "- specification of time not in order";
const std::string kK1 = "- the rate constant has to be k1 > 0";
const std::string kK2 = "- the rate constant has to be k2 > 0";
const std::string kK3 = "- the rate constant has to be k3 > 0";

// The boxes a model shows, as the model window leaves them.
SetupCheck ShownFor(const Declare& d, bool forTable)
{
    SetupCheck c;
    c.forTable = forTable;
    c.bShown = SpeciesInUse(d, 2);
    c.cShown = SpeciesInUse(d, 3);
    c.pShown = SpeciesInUse(d, 4);
    c.qShown = SpeciesInUse(d, 5);
    c.k2Shown = RateConstantInUse(d, 2);
    c.k3Shown = RateConstantInUse(d, 3);
    return c;
}

TEST(SetupInputFaults, LinesInTheOrderOfTheChecks)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        int model;
        bool table;
        std::uint8_t mode;
        std::vector<double> c0, k;
        float tEnde;
        Lines expected;
    };
    const Case cases[] = {
        {"all empty, Draw", 9, false, 0, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0}, 0, {kA, kB, kT, kK1}},
        {"all empty, Table", 9, true, 0, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0}, 0, {kA, kB, kT, kK1, kK2}},
        {"fitting task, Draw", 9, false, 1, {0, 1, 1, 0, 0, 0}, {0, 1, 0, 0}, 10, {kK2}},
        {"enzyme", 10, false, 0, {0, 1, 0, 0, 0, 0}, {0, 1, 1, 0}, 10,
         {"- not yet given an initial concentration c(S)(0)", kK3}},
        {"autocatalysis, Draw", 16, false, 0, {0, 1, 0, 0, 0, 0}, {0, 1, 0, 0}, 10,
         {"- for autocatalysis a (very small) initial concentation c(P)(0) has to be given"}},
        {"not a number", 4, true, 0, {0, nan, nan, 0, 0, 0}, {0, nan, 0, 0}, 10, {kA, kB, kK1}},
        {"valid", 4, true, 0, {0, 1, 1, 0, 0, 0}, {0, 0.5, 0, 0}, 10, {}},
        // beyond the range of a single-precision number
        {"c(A) too large", 2, false, 0, {0, 1e39, 0, 0, 0, 0}, {0, 1, 0, 0}, 10,
         {"- the initial concentration c(A)(0) is too large"}},
        {"c(S) too large", 10, false, 0, {0, 1, 1e39, 0, 0, 0}, {0, 1, 1, 1}, 10,
         {"- the initial concentration c(S)(0) is too large"}},
        {"c(P) too large, P shown", 16, false, 0, {0, 1, 0, 0, -1e39, 0}, {0, 1, 0, 0}, 10,
         {"- for autocatalysis a (very small) initial concentation c(P)(0) has to be given",
          "- the initial concentration c(P)(0) is too large"}},
        {"c(C) too large, C hidden", 2, false, 0, {0, 1, 0, 1e39, 0, 0}, {0, 1, 0, 0}, 10, {}},
        {"k3 too large", 10, false, 0, {0, 1, 1, 0, 0, 0}, {0, 1, 1, 1e39}, 10,
         {"- the rate constant k3 is too large"}},
        {"k1 infinite", 2, false, 0, {0, 1, 0, 0, 0, 0}, {0, HUGE_VAL, 0, 0}, 10,
         {"- the rate constant k1 is too large"}},
        {"t(max) infinite", 2, false, 0, {0, 1, 0, 0, 0, 0}, {0, 1, 0, 0}, HUGE_VALF, {kT}},
    };
    for (const Case& c : cases) {
        Declare d = Chosen(c.model, c.mode);
        d.c0 = c.c0;
        d.k = c.k;
        d.tEnde = c.tEnde;
        EXPECT_EQ(SetupInputFaults(d, ShownFor(d, c.table)), c.expected) << c.name;
    }
}

TEST(SetupInputFaults, OrderOfModel20)
{
    Declare d = Chosen(20);
    d.c0[1] = 1;
    d.k[1] = 1;
    d.tEnde = 10;
    d.Ordnung = 0;
    EXPECT_EQ(SetupInputFaults(d, ShownFor(d, false)), Lines{}) << "n = 0 passes";
    d.Ordnung = -1;
    EXPECT_EQ(SetupInputFaults(d, ShownFor(d, false)), Lines{"- allowed only n > 0"});
    d.DiagrammTyp = 70; // the rate task makes no order check
    EXPECT_EQ(SetupInputFaults(d, ShownFor(d, false)), Lines{});
}

// S(0),max is checked only where the Michaelis-Menten chart over S(0) uses it.
TEST(SetupInputFaults, LargestSubstrateOfTheMichaelisMentenChart)
{
    const std::string fault = "- S(0),max has to be > 0 and within the range of numbers";
    struct Case {
        float s0max;
        bool mm, normalised;
        int model;
        bool refused;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {0.15f, true, false, 10, false}, {inf, true, false, 10, true},  {-1, true, false, 10, true},
        {0, true, false, 10, true},      {-1, true, true, 10, false},   {-1, false, false, 10, false},
        {-1, true, false, 9, false},
    };
    for (const Case& c : cases) {
        Declare d = Chosen(c.model);
        d.c0 = {0, 1, 1, 0, 0, 0};
        d.k = {0, 1, 1, 1};
        d.tEnde = 10;
        d.S0max = c.s0max;
        d.MMDiagramm = c.mm;
        d.MMNormiert = c.normalised;
        const Lines lines = SetupInputFaults(d, ShownFor(d, true));
        EXPECT_EQ(lines == Lines{fault}, c.refused) << c.s0max << " " << c.mm << c.normalised << " " << c.model;
        EXPECT_EQ(lines.empty(), !c.refused);
    }
}

TEST(SetupInputFaults, JoinedWithALineBreakAfterEachLine)
{
    EXPECT_EQ(JoinFaultLines({"- a", "- b"}, "\r\n"), "- a\r\n- b\r\n");
    EXPECT_EQ(JoinFaultLines({}, "\r\n"), "");
}

} // namespace
} // namespace kinhom
