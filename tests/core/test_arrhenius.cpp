#include <gtest/gtest.h>

#include <cmath>

#include "core/evaluation/arrhenius.h"
#include "core/shell/error.h"
#include "core/shell/startup.h"

using namespace kinhom;

TEST(Arrhenius, HandValues)
{
    // k = 1e10 exp(-50000/(8.314462618*300)) = 19.70 1/s
    EXPECT_NEAR(ArrheniusK(1e10, 50000, 300), 19.70, 0.005);
    // EA = 0 gives A itself
    EXPECT_DOUBLE_EQ(ArrheniusK(123.0, 0, 500), 123.0);
    // k = (kB T/h) exp(-20/R) exp(-80000/(R*298.15)) = 5.410e-3 1/s
    EXPECT_NEAR(EyringK(80000, -20, 298.15), 5.410e-3, 0.0005e-3);
    // dH = dS = 0 gives kB T/h
    EXPECT_NEAR(EyringK(0, 0, 300), 1.380649e-23 * 300 / 6.62607015e-34, 1e3);
}

TEST(Arrhenius, RefusalsInsteadOfInfOrNaN)
{
    struct Case {
        double (*f)(double, double, double);
        double a, b, T;
    } cases[] = {
        {ArrheniusK, 1e10, 50000, 0},
        {ArrheniusK, 1e10, 50000, -300},
        {ArrheniusK, 1e10, 50000, NAN},
        {ArrheniusK, 0, 50000, 300},        // A = 0
        {ArrheniusK, -5, 50000, 300},       // A < 0
        {ArrheniusK, 1e300, -5e6, 300},     // overflow
        {ArrheniusK, 1e10, 5e7, 1},         // underflow
        {ArrheniusK, 1e10, INFINITY, 300},
        {EyringK, 80000, -20, 0},
        {EyringK, -8e6, 0, 300},            // overflow
        {EyringK, 80000, NAN, 300},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(c.f(c.a, c.b, c.T), KinError) << c.a << " " << c.b << " " << c.T;
    }
    // a large but representable k is computed
    EXPECT_TRUE(std::isfinite(ArrheniusK(1e280, -1e5, 300)));
}

TEST(Arrhenius, TimeUnitConversion)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    EXPECT_DOUBLE_EQ(KInTimeUnit(d, 2.0, 0), 2.0);
    EXPECT_DOUBLE_EQ(KInTimeUnit(d, 2.0, 1), 120.0);
    EXPECT_DOUBLE_EQ(KInTimeUnit(d, 1.0, 4), 31536000.0);
    EXPECT_THROW(KInTimeUnit(d, 1.0, 5), KinError);
    EXPECT_THROW(KInTimeUnit(d, 1e305, 4), KinError);
    EXPECT_EQ(TimeUnitText(2), "h");
}

TEST(Arrhenius, ResultTextHasFourSignificantDigits)
{
    struct Case {
        double k;
        const char* text;
    } cases[] = {
        {19.6993, "19.70"},   {5.4104e-3, "0.005410"}, {9.99996, "10.00"}, {1.5e-7, "1.500E-07"},
        {12345678, "1.235E+07"}, {99999.4, "1.000E+05"}, {1, "1.000"}, {0, "0"},
    };
    for (const Case& c : cases) EXPECT_EQ(KText(c.k), c.text) << c.k;
}
