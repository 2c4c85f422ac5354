#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/evaluation/tangent.h"
#include "core/kinetics/akima.h"
#include "core/shell/error.h"
#include "core/shell/startup.h"

using namespace kinhom;

namespace {

double Round7(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", v);
    return std::stod(buf);
}

// Measured points of one species in column `column`: c(t_i) = f(t_i) at the times given.
template <class F>
Declare Data(const std::vector<double>& times, int column, F f)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.AnzahlPunkte = static_cast<int>(times.size());
    d.ExpPunkte.assign(times.size() + 1, ExpPunkt{});
    for (std::size_t i = 0; i < times.size(); ++i) {
        d.ExpPunkte[i + 1].t = times[i];
        d.ExpPunkte[i + 1].c[column] = f(times[i]);
    }
    return d;
}

std::vector<double> Times(int n, double step = 1)
{
    std::vector<double> t;
    for (int i = 0; i < n; ++i) t.push_back(i * step);
    return t;
}

std::string Refusal(Declare& d, int column, double t)
{
    try {
        TangentAt(d, column, t);
    } catch (const KinError& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(Tangent, FirstOrderCourseGivesTheAnalyticRate)
{
    Declare d = Data(Times(21), 1, [](double t) { return Round7(std::exp(-0.1 * t)); });
    d.Glaettung = 0;
    for (double t : {2.0, 5.0, 7.5, 12.25, 18.0}) {
        SCOPED_TRACE(t);
        const TangentPoint p = TangentAt(d, 1, t);
        const double exact = -0.1 * std::exp(-0.1 * t);
        EXPECT_NEAR(p.rate, exact, 0.02 * std::fabs(exact));
        EXPECT_NEAR(p.c, std::exp(-0.1 * t), 1e-4);
    }
    // at a node the value is the measured one
    EXPECT_DOUBLE_EQ(TangentAt(d, 1, 5).c, Round7(std::exp(-0.5)));
    EXPECT_EQ(d.AkimaQuelle, kAkimaQuelleMessdaten);
}

TEST(Tangent, StraightLineGivesItsSlopeAtEveryTimeAndEnd)
{
    Declare d = Data({0, 0.5, 2, 3, 7}, 4, [](double t) { return 0.2 + 0.03 * t; });
    for (double t : {0.0, 0.25, 2.0, 5.5, 7.0}) {
        const TangentPoint p = TangentAt(d, 4, t);
        EXPECT_NEAR(p.rate, 0.03, 1e-12) << t;
        EXPECT_NEAR(p.c, 0.2 + 0.03 * t, 1e-12) << t;
    }
    const std::vector<KurvenPunkt> line = TangentLine(TangentAt(d, 4, 2), 0, 7);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].x, 2.0f);
    EXPECT_FLOAT_EQ(line[1].y, 0.2f);
    EXPECT_FLOAT_EQ(line[2].y, 0.41f);
}

TEST(Tangent, SmoothingChangesTheSlopeOfNoisyData)
{
    Declare d = Data(Times(15), 1, [](double t) { return 1 - 0.05 * t + ((int(t) % 2) ? 0.02 : -0.02); });
    d.Glaettung = 0;
    const double raw = TangentAt(d, 1, 7.5).rate;
    d.Glaettung = 1.0f;
    const double smooth = TangentAt(d, 1, 7.5).rate;
    EXPECT_LT(std::fabs(smooth + 0.05), std::fabs(raw + 0.05));
}

TEST(Tangent, RefusalsSayWhy)
{
    struct Case {
        std::vector<double> times;
        int column;
        double t;
        const char* expected;
    } cases[] = {
        {{0, 1}, 1, 0.5, "at least 3 measured points are needed; the data hold 2"},
        {{0, 1, 1, 2}, 1, 0.5, "must rise strictly: point 3"},
        {{0, 2, 1, 3}, 2, 0.5, "must rise strictly: point 3"},
        {{0, 1, 2, 3}, 1, 3.5, "from 0 s to 3 s"},
        {{0, 1, 2, 3}, 1, -0.1, "within the range of the measured points"},
        {{0, 1, 2, 3}, 1, NAN, "within the range"},
        {{0, 1, 2, 3}, 0, 1, "No species is chosen"},
        {{0, 1, 2, 3}, 6, 1, "No species is chosen"},
    };
    for (Case& c : cases) {
        Declare d = Data(c.times, c.column >= 1 && c.column <= 5 ? c.column : 1, [](double t) { return 1 / (1 + t); });
        const std::string e = Refusal(d, c.column, c.t);
        EXPECT_NE(e.find(c.expected), std::string::npos) << c.expected << " / " << e;
    }
}

TEST(Tangent, ReplacesTablesOfAnotherCourse)
{
    Declare d = Data(Times(5), 2, [](double t) { return 2 - 0.1 * t; });
    // tables of some other course, built for another column with other nodes
    AkimaTabellenDimensionieren(d, 3);
    for (int i = 1; i <= 3; ++i) {
        d.AkimaX[i] = i * 10;
        d.AkimaYRoh(2, i) = 100.0 * i;
    }
    ASSERT_EQ(AkimaSplineBerechnen(d, 2, 3, 0), AkimaStatus::Ok);
    d.AkimaQuelle = 7;
    EXPECT_NEAR(TangentAt(d, 2, 2).rate, -0.1, 1e-12);
}

TEST(Tangent, RateUnitFollowsTheTimeUnit)
{
    EXPECT_EQ(RateUnit("s"), "mol/(l s)");
    EXPECT_EQ(RateUnit("min"), "mol/(l min)");
}
