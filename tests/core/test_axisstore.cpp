#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/chart/axisstore.h"

using namespace kinhom;

namespace {

constexpr float kSentinel = -99.5f;
// Distinct limits so that every misplaced value shows.
constexpr float kXMin = 1.25f, kXMax = 2.5f, kYMin = -3.75f, kYMax = 4.5f;

DiagrammInfo Window()
{
    DiagrammInfo w;
    w.xMin = kXMin;
    w.xMax = kXMax;
    w.yMin = kYMin;
    w.yMax = kYMax;
    return w;
}

AchsenInfo Filled()
{
    AchsenInfo a;
    for (int i = 0; i < 32; ++i) a[i] = kSentinel;
    return a;
}

struct Case {
    int code;
    std::map<int, float> written; // position -> value after SaveAxisScales
};

// The positions of every code family as the program keeps them.
const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {-2, {{6, kXMin}, {7, kXMax}, {8, kYMin}, {9, kYMax}}},
        {-3, {{10, kXMin}, {11, kXMax}, {12, kYMin}, {13, kYMax}}},
        {-4, {{10, kXMin}, {11, kXMax}, {14, kYMin}, {15, kYMax}}},
        {-5, {{0, kXMin}, {1, kXMax}, {16, kYMin}, {17, kYMax}}},
        {-6, {{0, kXMin}, {1, kXMax}, {18, kYMin}, {19, kYMax}}},
        {-7, {{0, kXMin}, {1, kXMax}, {20, kYMax}, {21, kYMin}}}, // maximum first
        {-8, {{0, kXMin}, {1, kXMax}, {22, kYMax}, {23, kYMin}}}, // maximum first
        {-10, {{0, kXMin}, {1, kXMax}, {24, kYMin}, {25, kYMax}}},
        {-11, {{0, kXMin}, {1, kXMax}, {26, kYMin}, {27, kYMax}}},
        {-9, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {-1, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {1, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {10, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {18, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {20, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {100, {{0, kXMin}, {1, kXMax}, {2, kYMin}, {3, kYMax}}},
        {51, {{0, kXMin}, {1, kXMax}, {4, kYMin}, {5, kYMax}}},
        {60, {{0, kXMin}, {1, kXMax}, {4, kYMin}, {5, kYMax}}},
        {69, {{0, kXMin}, {1, kXMax}, {4, kYMin}, {5, kYMax}}},
        {70, {{0, kXMin}, {1, kXMax}, {4, kYMin}, {5, kYMax}}},
        // codes without a stored window
        {0, {}}, {19, {}}, {21, {}}, {50, {}}, {71, {}}, {99, {}}, {101, {}}, {-12, {}},
    };
    return cases;
}

} // namespace

TEST(AxisStore, SaveWritesExactlyTheCodesPositionsAndLoadReadsThemBack)
{
    const AxisKindContext ctx; // task mode 0, no Michaelis-Menten diagram
    for (const Case& c : Cases()) {
        AchsenInfo a = Filled();
        SaveAxisScales(c.code, a, Window(), ctx);
        for (int i = 0; i < 32; ++i) {
            const auto it = c.written.find(i);
            EXPECT_EQ(a[i], it == c.written.end() ? kSentinel : it->second)
                << "code " << c.code << " position " << i;
        }

        DiagrammInfo back;
        back.xMin = back.xMax = back.yMin = back.yMax = 7.0f;
        back.Titel = "kept";
        LoadAxisScales(c.code, a, back, ctx);
        if (c.written.empty()) {
            EXPECT_EQ(back.xMin, 7.0f) << c.code;
            EXPECT_EQ(back.yMax, 7.0f) << c.code;
        } else {
            EXPECT_EQ(back.xMin, kXMin) << c.code;
            EXPECT_EQ(back.xMax, kXMax) << c.code;
            EXPECT_EQ(back.yMin, kYMin) << c.code;
            EXPECT_EQ(back.yMax, kYMax) << c.code;
        }
        EXPECT_EQ(back.Titel, "kept");
    }
}

TEST(AxisStore, LoadReadsTheMaximumFirstPairsOfWilkinsonAndUnequalSecondOrder)
{
    // Ranges as the measured-data analysis leaves them: -7 and -8 maximum first.
    AchsenInfo a = Filled();
    a[0] = 0;
    a[1] = 21;
    a[20] = 130;
    a[21] = 12;
    a[22] = 0.8f;
    a[23] = -0.4f;
    DiagrammInfo w;
    LoadAxisScales(-7, a, w, AxisKindContext{});
    EXPECT_EQ(w.yMin, 12);
    EXPECT_EQ(w.yMax, 130);
    LoadAxisScales(-8, a, w, AxisKindContext{});
    EXPECT_EQ(w.yMin, -0.4f);
    EXPECT_EQ(w.yMax, 0.8f);
    EXPECT_EQ(w.xMax, 21);
}

TEST(AxisStore, MichaelisMentenDiagramUsesItsOwnPositions)
{
    AxisKindContext ctx;
    ctx.MMDiagramm = true;
    ctx.ModellNr = 10;
    for (int code : {10, 60}) {
        AchsenInfo a = Filled();
        SaveAxisScales(code, a, Window(), ctx);
        // 28 y minimum, 29 y maximum, 30 x minimum, 31 x maximum
        EXPECT_EQ(a[28], kYMin);
        EXPECT_EQ(a[29], kYMax);
        EXPECT_EQ(a[30], kXMin);
        EXPECT_EQ(a[31], kXMax);
        for (int i = 0; i < 28; ++i) EXPECT_EQ(a[i], kSentinel) << code << " " << i;
        DiagrammInfo back;
        LoadAxisScales(code, a, back, ctx);
        EXPECT_EQ(back.xMin, kXMin);
        EXPECT_EQ(back.xMax, kXMax);
        EXPECT_EQ(back.yMin, kYMin);
        EXPECT_EQ(back.yMax, kYMax);
    }
    // The flag alone does not make another model's chart a Michaelis-Menten one,
    // and model 10 without the flag is its concentration chart.
    ctx.ModellNr = 9;
    AchsenInfo a = Filled();
    SaveAxisScales(9, a, Window(), ctx);
    EXPECT_EQ(a[3], kYMax);
    EXPECT_EQ(a[31], kSentinel);
    ctx.ModellNr = 10;
    ctx.MMDiagramm = false;
    a = Filled();
    SaveAxisScales(10, a, Window(), ctx);
    EXPECT_EQ(a[2], kYMin);
    EXPECT_EQ(a[28], kSentinel);
}

TEST(AxisStore, NonIsothermalTaskModesOverwriteTheConcentrationMaximum)
{
    struct Mode {
        std::uint8_t arbeitsmodus;
        float expectedPos3ForKT; // after saving the k-T code -2, which owns no c position
    };
    for (const Mode m : {Mode{0, kSentinel}, Mode{1, kSentinel}, Mode{2, kSentinel}, Mode{6, 1.0f}, Mode{7, 0.37f}}) {
        AxisKindContext ctx;
        ctx.Arbeitsmodus = m.arbeitsmodus;
        ctx.c0ExpA = 0.37f;

        AchsenInfo a = Filled();
        SaveAxisScales(-2, a, Window(), ctx);
        EXPECT_EQ(a[3], m.expectedPos3ForKT) << int(m.arbeitsmodus);

        // A c-t code stores yMax first and the task mode then replaces it.
        a = Filled();
        SaveAxisScales(2, a, Window(), ctx);
        const float expected = m.arbeitsmodus == 6 ? 1.0f : m.arbeitsmodus == 7 ? 0.37f : kYMax;
        EXPECT_EQ(a[3], expected) << int(m.arbeitsmodus);
        EXPECT_EQ(a[2], kYMin);

        // Even a code without positions gets the overwrite.
        a = Filled();
        SaveAxisScales(0, a, Window(), ctx);
        EXPECT_EQ(a[3], m.arbeitsmodus >= 6 ? expected : kSentinel);
    }
}

TEST(AxisStore, SharedStateOverloadsUseTheCurrentContext)
{
    Declare d;
    d.Arbeitsmodus = 7;
    d.c0Exp[1] = 0.02f;
    d.Diagramm = Window();
    SaveAxisScales(d, -3);
    EXPECT_EQ(d.AchsenBereiche[10], kXMin);
    EXPECT_EQ(d.AchsenBereiche[13], kYMax);
    EXPECT_EQ(d.AchsenBereiche[3], 0.02f);

    d.Diagramm = DiagrammInfo{};
    LoadAxisScales(d, -3);
    EXPECT_EQ(d.Diagramm.xMax, kXMax);
    EXPECT_EQ(d.Diagramm.yMin, kYMin);
}
