#include "core/shell/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

using namespace kinhom;

namespace {

struct SingleCase {
    float v;
    const char* str;
};

TEST(NumText, SingleTexts)
{
    const SingleCase cases[] = {
        {1.5f, " 1.5"},
        {-1.0f, "-1"},
        {0.0f, " 0"},
        {-0.0f, " 0"},                 // negative zero has no minus sign
        {0.15f, " 0.15"},              // 0.1500000059604645 rounds to 7 digits
        {1.0f / 3.0f, " 0.3333333"},
        {2.0f / 3.0f, " 0.6666667"},
        {123.456f, " 123.456"},
        {-0.5f, "-0.5"},
        {100.0f, " 100"},
        {1.5e-5f, " 1.5E-05"},
        {-2.5e-10f, "-2.5E-10"},
        {12345678.0f, " 1.234568E+07"},
        {9999999.0f, " 9999999"},      // largest below the exponent threshold
        {1e7f, " 1E+07"},
        {1e-4f, " 0.0001"},            // just below 1e-4 in binary, 0.0001 when rounded
        {9.9999e-5f, " 9.9999E-05"},
        {0.001f, " 0.001"},
        {3.4e38f, " 3.4E+38"},
        {1.2e-38f, " 1.2E-38"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.str);
        EXPECT_EQ(StrSingle(c.v), c.str);
        // The general form is the same text without the leading blank.
        const std::string gen = c.str[0] == ' ' ? std::string(c.str + 1) : std::string(c.str);
        EXPECT_EQ(GenSingle(c.v), gen);
    }
}

struct DoubleCase {
    double v;
    const char* str;
};

TEST(NumText, DoubleTexts)
{
    const DoubleCase cases[] = {
        {0.15, " 0.15"},
        {0.1 + 0.2, " 0.3"},           // 0.30000000000000004 to 15 digits
        {1.0 / 3.0, " 0.333333333333333"},
        {2.0 / 3.0, " 0.666666666666667"},
        {-123456.789, "-123456.789"},
        {123456789.0, " 123456789"},
        {12345678.0, " 12345678"},     // Double keeps the fixed form up to 1e15
        {999999999999999.0, " 999999999999999"},
        {1e15, " 1E+15"},
        {999999999999999.9, " 1E+15"}, // rounds up into the exponent form
        {1e-5, " 1E-05"},
        {0.0001, " 0.0001"},
        {1e100, " 1E+100"},
        {-1e-300, "-1E-300"},
        {-0.0, " 0"},
        {1.0 / 7.0 * 1e20, " 1.42857142857143E+19"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.str);
        EXPECT_EQ(StrDouble(c.v), c.str);
    }
}

TEST(NumText, GeneralFormTakesTheDecimalSign)
{
    EXPECT_EQ(GenSingle(0.75f, ','), "0,75");
    EXPECT_EQ(GenSingle(-1.5e-5f, ','), "-1,5E-05");
    EXPECT_EQ(GenSingle(12.0f, ','), "12");
    EXPECT_EQ(GenDouble(3.25, ','), "3,25");
    EXPECT_EQ(GenDouble(1.25e20, ','), "1,25E+20");
}

TEST(NumText, NonFiniteValuesAreNamed)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(StrSingle(inf), " Inf");
    EXPECT_EQ(StrSingle(-inf), "-Inf");
    EXPECT_EQ(StrDouble(std::nan("")), " NaN");
    EXPECT_EQ(GenDouble(-std::numeric_limits<double>::infinity()), "-Inf");
}

struct ValCase {
    const char* text;
    double value;
};

TEST(NumText, ValReadsTheLeadingNumber)
{
    const ValCase cases[] = {
        {"1.5", 1.5},
        {" 1.5", 1.5},
        {"\t -2.5e3xyz", -2500},
        {"+7", 7},
        {".5", 0.5},
        {"-.5E-2", -0.005},
        {"5.", 5},
        {"00012.5000", 12.5},
        {"1.5.3", 1.5},
        {"1,5", 1},          // the comma is no decimal sign here
        {"12 34", 12},       // a blank ends the number
        {"1e", 1},           // incomplete exponents are not part of the number
        {"1E+", 1},
        {"1e-x", 1},
        {"3E2", 300},
        {"2.5d3", 2.5},      // D exponents are not read
        {"", 0},
        {"   ", 0},
        {"abc", 0},
        {"-", 0},
        {".", 0},
        {"- 5", 0},
        {"inf", 0},
        {"-infinity", 0},
        {"nan", 0},
        {"0x10", 0},
        {"&H10", 0},
        {"1e-400", 0},       // below the smallest double
        {"0e999999999999", 0},
        {"0.000000000000000000000000000000000000000000000000001e51", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(Val(c.text), c.value);
    }
    EXPECT_FALSE(std::signbit(Val("-0")));
}

TEST(NumText, ValOverflowGivesInfinityAndIsRefused)
{
    EXPECT_EQ(Val("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("-1E309"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val("1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Val(std::string(400, '9')), std::numeric_limits<double>::infinity());

    double d = 5;
    EXPECT_FALSE(ValFits("2e308", d));
    EXPECT_TRUE(ValFits("1.7e308", d));
    EXPECT_DOUBLE_EQ(d, 1.7e308);
    EXPECT_TRUE(ValFits("junk", d));
    EXPECT_EQ(d, 0.0);

    float f = 5;
    EXPECT_TRUE(ValFitsSingle("3.4e38", f));
    EXPECT_FLOAT_EQ(f, 3.4e38f);
    EXPECT_FALSE(ValFitsSingle("3.5e38", f));
    EXPECT_EQ(f, 0.0f);
    EXPECT_FALSE(ValFitsSingle("-1e39", f));
    EXPECT_TRUE(ValFitsSingle("1e-50", f)); // underflow is no error: 0
    EXPECT_EQ(f, 0.0f);

    EXPECT_TRUE(FitsSingle(-3.4e38));
    EXPECT_FALSE(FitsSingle(3.5e38));
    EXPECT_FALSE(FitsSingle(std::nan("")));
}

// Every text written reads back as the value it came from: Single values that
// came from decimal numbers of up to seven digits, Double values from up to
// fifteen digits, over the whole range of magnitudes.
TEST(NumText, WrittenTextsReadBack)
{
    std::mt19937 rng(12345);
    std::uniform_int_distribution<long long> digits7(1000000, 9999999);
    std::uniform_int_distribution<long long> digits15(100000000000000LL, 999999999999999LL);
    int checked = 0;
    for (int e = -37; e <= 31; ++e) {
        for (int rep = 0; rep < 40; ++rep) {
            const float f = static_cast<float>(static_cast<double>(digits7(rng)) * std::pow(10.0, e));
            for (const float v : {f, -f}) {
                const std::string s = StrSingle(v);
                ASSERT_EQ(static_cast<float>(Val(s)), v) << s;
                ++checked;
            }
        }
    }
    for (int e = -300; e <= 290; e += 7) {
        for (int rep = 0; rep < 20; ++rep) {
            const double v = std::stod(std::to_string(digits15(rng)) + "e" + std::to_string(e));
            const std::string s = StrDouble(v);
            ASSERT_EQ(Val(s), v) << s;
            ++checked;
        }
    }
    // Small whole numbers and simple fractions, both precisions.
    for (int i = -2000; i <= 2000; ++i) {
        const float f = static_cast<float>(i) / 8.0f;
        ASSERT_EQ(static_cast<float>(Val(StrSingle(f))), f);
        ASSERT_EQ(Val(StrDouble(i / 100.0)), i / 100.0);
        checked += 2;
    }
    EXPECT_GT(checked, 10000);
}

// The largest doubles round up to 15 digits beyond the range; their text is
// rounded toward zero instead, so every finite value written reads back.
TEST(NumText, LargestDoublesAreWrittenSoThatTheyReadBack)
{
    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(StrDouble(max), " 1.79769313486231E+308");
    EXPECT_EQ(GenDouble(-max), "-1.79769313486231E+308");
    EXPECT_EQ(GenDouble(1.7976931348623141e308), "1.79769313486231E+308"); // below: rounded as ever
    EXPECT_EQ(GenDouble(1.79769313486229e308), "1.79769313486229E+308");
    const double near[] = {max, std::nextafter(max, 0.0), 1.7976931348623151e308, 1.797693134862315e308,
                           1.7976931348623e308, std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::denorm_min()};
    for (const double v : near) {
        for (const double x : {v, -v}) {
            double back = 0;
            ASSERT_TRUE(ValFits(GenDouble(x), back)) << GenDouble(x);
            EXPECT_EQ(GenDouble(back), GenDouble(x));
            ASSERT_TRUE(ValFits(StrDouble(x), back)) << StrDouble(x);
        }
    }
    const float fmax = std::numeric_limits<float>::max();
    float f = 0;
    EXPECT_EQ(GenSingle(fmax), "3.402823E+38");
    ASSERT_TRUE(ValFitsSingle(GenSingle(-fmax), f));
}

struct PatternCase {
    double v;
    const char* pattern;
    const char* text;
};

TEST(NumText, FormatPatterns)
{
    const PatternCase cases[] = {
        {3.14159, "#######0.00", "3.14"},
        {0, "#######0.00", "0.00"},
        {12345.678, "#######0.00", "12345.68"},
        {123456789012.345, "#######0.00", "123456789012.35"}, // the integer part is never cut
        {-0.001, "#######0.00", "0.00"},                     // no "-0.00"
        {-0.006, "#######0.00", "-0.01"},
        {2.675, "#####0.00", "2.68"},                        // decimal rounding, half away from zero
        {0.125, "#####0.00", "0.13"},
        {-0.125, "#####0.00", "-0.13"},
        {0.999, "0.00", "1.00"},
        {9.995, "0.00", "10.00"},
        {0.5, "0.00", "0.50"},
        {1.5, "####0.00", "1.50"},
        {-12.25, "####0.0", "-12.3"},
        {0.04, "####0.0", "0.0"},
        {0.05, "####0.0", "0.1"},
        {0.5, ".0", ".5"},
        {2.25, ".0", "2.3"},
        {0, ".0", ".0"},
        {-1.5, ".0", "-1.5"},
        {0.987654321, "0.00000", "0.98765"},
        {0.999996, "0.00000", "1.00000"},
        {1e-6, "0.00000", "0.00000"},
        {12345.678, "0.000000E+00", "1.234568E+04"},
        {0, "0.000000E+00", "0.000000E+00"},
        {-0.001, "0.000000E+00", "-1.000000E-03"},
        {9.9999999e9, "0.000000E+00", "1.000000E+10"},       // rounding carries into the exponent
        {1e-100, "0.000000E+00", "1.000000E-100"},
        {298.15, "####,##", "298.15"},
        {298.5, "####,##", "298.5"},
        {300, "####,##", "300"},
        {300.004, "####,##", "300"},
        {300.02, "####,##", "300.02"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.text);
        EXPECT_EQ(FormatPattern(c.v, c.pattern), c.text);
    }
}

TEST(NumText, FormatPatternsTakeTheDecimalSign)
{
    EXPECT_EQ(FormatPattern(3.14159, "#######0.00", ','), "3,14");
    EXPECT_EQ(FormatPattern(0.5, ".0", ','), ",5");
    EXPECT_EQ(FormatPattern(12345.678, "0.000000E+00", ','), "1,234568E+04");
    EXPECT_EQ(FormatPattern(298.15, "####,##", ','), "298,15");
}

TEST(NumText, FormatPatternOfSingleUsesItsSevenDigits)
{
    // 2.675f is 2.67499995..., but as a Single it reads 2.675.
    EXPECT_EQ(FormatPatternSingle(2.675f, "0.00"), "2.68");
    EXPECT_EQ(FormatPattern(static_cast<double>(2.675f), "0.00"), "2.67");
    EXPECT_EQ(FormatPatternSingle(298.15f, "####,##"), "298.15");
    EXPECT_EQ(FormatPatternSingle(0.1f, "0.000000E+00"), "1.000000E-01");
}

TEST(NumText, FormatPatternRefusesUnknownPatternsAndNamesNonFinite)
{
    EXPECT_THROW(FormatPattern(1.0, ""), std::invalid_argument);
    EXPECT_THROW(FormatPattern(1.0, "abc"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(1.0, "0#.00"), std::invalid_argument);
    EXPECT_THROW(FormatPattern(1.0, "0.00E"), std::invalid_argument);
    EXPECT_EQ(FormatPattern(std::numeric_limits<double>::infinity(), "0.00"), "Inf");
    EXPECT_EQ(FormatPattern(std::nan(""), "0.00"), "NaN");
}

} // namespace
