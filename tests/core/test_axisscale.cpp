// Axis scaling: automatic spacings, numbered values, number texts, sound windows.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/chart/axisscale.h"

using namespace kinhom;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

AxisScale Scale(double min, double max, bool log = false)
{
    AxisScaleInput in;
    in.min = min;
    in.max = max;
    in.log = log;
    return ComputeAxisScale(in);
}

// True when v is 1, 2 or 5 times a power of ten.
bool IsNiceStep(double v)
{
    const double e = std::floor(std::log10(v) + 1e-9);
    const double m = v / std::pow(10.0, e);
    return std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9;
}

} // namespace

TEST(AxisScale, AutomaticSpacingOfTheTypicalWindows)
{
    struct Case {
        double min, max;
        bool log;
        double spacing;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {0, 1, false, 0.2, {"0", "0.2", "0.4", "0.6", "0.8", "1"}},
        {0, 100, false, 20, {"0", "20", "40", "60", "80", "100"}},
        {-3.7, 12.2, false, 2, {"-2", "0", "2", "4", "6", "8", "10", "12"}},
        {1e-6, 3e-6, false, 5e-7, {"1E-06", "1.5E-06", "2E-06", "2.5E-06", "3E-06"}},
        {1, 1e5, true, 1, {"1", "10", "100", "1000", "10000", "1E+05"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << (c.log ? " log" : ""));
        const AxisScale s = Scale(c.min, c.max, c.log);
        EXPECT_DOUBLE_EQ(s.min, c.min);
        EXPECT_DOUBLE_EQ(s.max, c.max);
        EXPECT_NEAR(s.numSpacing, c.spacing, c.spacing * 1e-12);
        // automatic tick and grid spacings follow the numbering
        EXPECT_DOUBLE_EQ(s.tickSpacing, s.numSpacing);
        EXPECT_DOUBLE_EQ(s.gridSpacing, s.numSpacing);
        EXPECT_EQ(s.numberTexts, c.texts);
        ASSERT_EQ(s.numbers.size(), c.texts.size());
        EXPECT_EQ(s.grid.size(), c.texts.size());
    }
}

TEST(AxisScale, LogarithmicNumbersAreExactDecadesWithMinorTicksBetween)
{
    const AxisScale s = Scale(1, 1e5, true);
    for (std::size_t i = 0; i < s.numbers.size(); ++i) EXPECT_EQ(s.numbers[i], std::pow(10.0, static_cast<double>(i)));
    // 2..9 in each of the five decades
    EXPECT_EQ(s.minorTicks.size(), 40u);
    EXPECT_DOUBLE_EQ(s.fraction(10), 0.2);
    EXPECT_DOUBLE_EQ(s.fraction(1000), 0.6);
    EXPECT_TRUE(std::isnan(s.fraction(0)));
    EXPECT_TRUE(std::isnan(s.fraction(-3)));
    EXPECT_NEAR(s.valueAt(0.5), std::sqrt(1e5), 1e-6);

    // A window inside one decade is numbered at 1-2-5 values.
    const AxisScale in = Scale(1.5, 8, true);
    EXPECT_EQ(in.numbers, (std::vector<double>{2, 5}));
    // Many decades: whole multiples of decades, at most ten numbers.
    const AxisScale wide = Scale(1e-30, 1e30, true);
    EXPECT_DOUBLE_EQ(wide.numSpacing, 10);
    EXPECT_EQ(wide.numberTexts.front(), "1E-30");
    EXPECT_EQ(wide.numberTexts.back(), "1E+30");
}

// For any window the automatic numbering is a 1-2-5 step with 4 to 10 numbers.
TEST(AxisScale, AutomaticNumberingIsAlwaysNiceAndModerate)
{
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) / static_cast<double>(1u << 24);
    };
    for (int i = 0; i < 2000; ++i) {
        const double mag = std::pow(10.0, std::floor(next() * 24) - 12);
        const double a = (next() * 2 - 1) * mag;
        const double b = a + (0.01 + next() * 10) * mag;
        const AxisScale s = Scale(a, b);
        SCOPED_TRACE(testing::Message() << a << ".." << b);
        ASSERT_TRUE(IsNiceStep(s.numSpacing)) << s.numSpacing;
        ASSERT_GE(s.numbers.size(), 4u);
        ASSERT_LE(s.numbers.size(), 10u);
        for (double v : s.numbers) ASSERT_TRUE(s.contains(v));
        // the texts of neighbouring numbers differ
        for (std::size_t k = 1; k < s.numberTexts.size(); ++k) ASSERT_NE(s.numberTexts[k], s.numberTexts[k - 1]);
    }
}

TEST(AxisScale, NumberTexts)
{
    struct Case {
        std::vector<double> values;
        double spacing;
        bool log;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {{0, 0.25, 0.5, 0.75, 1}, 0.25, false, {"0", "0.25", "0.5", "0.75", "1"}},
        {{-0.4, -0.2, -2.7755575615628914e-17, 0.2}, 0.2, false, {"-0.4", "-0.2", "0", "0.2"}},
        {{0, 2e7, 4e7}, 2e7, false, {"0", "2E+07", "4E+07"}},
        {{0.001, 0.002}, 0.001, false, {"0.001", "0.002"}},
        {{0, 2e-5, 4e-5}, 2e-5, false, {"0", "2E-05", "4E-05"}},
        {{1500, 2000, 2500}, 500, false, {"1500", "2000", "2500"}},
        {{0.001, 0.01, 0.1, 1, 10, 1e4, 1e5}, 1, true, {"0.001", "0.01", "0.1", "1", "10", "10000", "1E+05"}},
        {{1e-4, 2e-4, 5e-4}, 1, true, {"1E-04", "0.0002", "0.0005"}},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatAxisNumbers(c.values, c.spacing, c.log), c.texts);
    EXPECT_EQ(ShortNumber(0.5), "0.5");
    EXPECT_EQ(ShortNumber(1e-6), "1E-06");
    EXPECT_EQ(ShortNumber(1.5e7), "1.5E+07");
    EXPECT_EQ(ShortNumber(-12345), "-12345");
}

// Degenerate windows are shown as the nearest sound window, at once.
TEST(AxisScale, SoundWindowOfDegenerateInput)
{
    struct Case {
        double min, max;
        bool log;
        double smallestPositive;
        double wantMin, wantMax;
    };
    const Case cases[] = {
        {0, 1, false, 0, 0, 1},                      // already sound
        {kNaN, kNaN, false, 0, 0, 1},                // nothing usable
        {-kInf, kInf, false, 0, 0, 1},
        {kNaN, 5, false, 0, 4.5, 5.5},               // one limit missing: around the other
        {5, 2, false, 0, 2, 5},                      // inverted: turned round
        {3, 3, false, 0, 2.7, 3.3},                  // empty: widened by a tenth
        {0, 0, false, 0, -1, 1},
        {-1e308, 1e308, false, 0, -1e300, 1e300},    // beyond range: pulled back
        {0, 100, true, 0.5, 0.1, 100},               // log from 0: decade of the smallest positive point
        {0, 100, true, 0, 0.1, 100},                 // log from 0 without data: three decades
        {-10000, 10000, true, 1e-300, 1e-8, 10000},  // never more than twelve decades
        {-5, -1, true, 0, 1, 10},                    // log without a positive part
        {kNaN, kNaN, true, 0, 1, 10},
        {5, 5, true, 0, 1, 10},                      // empty log window: its decade
        {100, 100, true, 0, 100, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << (c.log ? " log" : ""));
        const AxisWindow w = SoundWindow(c.min, c.max, c.log, c.smallestPositive);
        EXPECT_NEAR(w.min, c.wantMin, std::fabs(c.wantMin) * 1e-12);
        EXPECT_NEAR(w.max, c.wantMax, std::fabs(c.wantMax) * 1e-12);
    }
    // A window too narrow for the precision of a double is widened as well.
    const AxisWindow narrow = SoundWindow(1e10, 1e10 + 1e-6, false);
    EXPECT_GT(narrow.max - narrow.min, 1e8);
}

TEST(AxisScale, UnusableSpacingsFallBackToTheAutomaticOne)
{
    struct Case {
        double spacing;
        bool usable;
    };
    const Case cases[] = {{0, false},    {-0.1, false}, {kNaN, false}, {kInf, false},
                          {1e-9, false}, {0.0009, false}, {0.001, true}, {0.3, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spacing);
        AxisScaleInput in;
        in.min = 0;
        in.max = 1;
        in.gridSpacing = in.tickSpacing = in.numSpacing = c.spacing;
        in.gridAuto = in.tickAuto = in.numAuto = false;
        const AxisScale s = ComputeAxisScale(in);
        EXPECT_EQ(SpacingUsable(c.spacing, AxisWindow{0, 1}, false), c.usable);
        const double want = c.usable ? c.spacing : 0.2;
        EXPECT_DOUBLE_EQ(s.numSpacing, want);
        EXPECT_DOUBLE_EQ(s.gridSpacing, want);
        EXPECT_LE(s.grid.size(), static_cast<std::size_t>(kMaxAxisLines) + 1);
    }
    // A set numbering spacing is followed by automatic ticks and grid.
    AxisScaleInput in;
    in.min = 0;
    in.max = 1;
    in.numSpacing = 0.25;
    in.numAuto = false;
    const AxisScale s = ComputeAxisScale(in);
    EXPECT_DOUBLE_EQ(s.gridSpacing, 0.25);
    EXPECT_DOUBLE_EQ(s.tickSpacing, 0.25);
    EXPECT_EQ(s.grid, (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    // Set spacings on a logarithmic axis count decades.
    in = AxisScaleInput{};
    in.min = 1;
    in.max = 1e6;
    in.log = true;
    in.gridSpacing = 2;
    in.gridAuto = false;
    EXPECT_EQ(ComputeAxisScale(in).grid, (std::vector<double>{1, 100, 10000, 1e6}));
}

TEST(AxisScale, OriginPlacement)
{
    struct Case {
        double min, max;
        bool log;
        int placement;
        double value;
        double want;
    };
    const Case cases[] = {
        {-2, 8, false, 2, 0, -2},  {-2, 8, false, 3, 0, 8},     {-2, 8, false, 1, 0, 0},
        {2, 8, false, 1, 0, 2},    // zero outside the window: the nearest end
        {-2, 8, false, 4, 3.5, 3.5}, {-2, 8, false, 4, 99, 8}, {-2, 8, false, 4, kNaN, -2},
        {0.1, 100, true, 1, 0, 1}, // "zero" of a logarithmic axis is 1
        {0.1, 100, true, 4, -5, 0.1},
    };
    for (const auto& c : cases) {
        AxisScaleInput in;
        in.min = c.min;
        in.max = c.max;
        in.log = c.log;
        in.originPlacement = c.placement;
        in.originValue = c.value;
        EXPECT_DOUBLE_EQ(ComputeAxisScale(in).origin, c.want) << c.placement << " " << c.value;
    }
}

TEST(AxisScale, AutoWindowWidensDataToWholeSteps)
{
    struct Case {
        double lo, hi;
        bool log;
        double wantMin, wantMax;
    };
    const Case cases[] = {
        {0.13, 0.87, false, 0.1, 0.9},
        {0, 0.97, false, 0, 1},
        {-3.7, 12.2, false, -4, 14},
        {0.003, 47, true, 0.001, 100},
        {kNaN, kNaN, false, 0, 1},
        {2, 2, false, 1.8, 2.2},
    };
    for (const auto& c : cases) {
        const AxisWindow w = AutoWindow(c.lo, c.hi, c.log);
        EXPECT_NEAR(w.min, c.wantMin, 1e-12) << c.lo << ".." << c.hi;
        EXPECT_NEAR(w.max, c.wantMax, 1e-12) << c.lo << ".." << c.hi;
    }
}
