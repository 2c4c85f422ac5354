#pragma once
// The test data every test builds: measured points (c-t, k-T, lambda-t, or all
// values at once), the measured-point table of a state, and the curves of a
// chart.
//
// Each builder takes a small struct written with designated initialisers, so
// that every value is named where it is written and a swapped pair does not
// compile (the designators must follow the order of the fields):
//
//     KTPoint({.T = 300, .k = 0.1})
//     CtPoint({.t = 5, .A = 0.6, .P = 0.4, .excluded = true})
//     SetCurve(chart, {.group = 1, .series = 2, .x = {0, 10}, .y = {1, 0}})
//
// Only the core library: usable from the core and window tests, the benchmarks
// and the fuzz targets.

#include <random>
#include <vector>

#include "core/chart/chart2d.h"
#include "core/kinetics/calcattime.h"
#include "core/kinetics/simulation.h"
#include "core/shell/declare.h"
#include "core/shell/expdata.h"

namespace kinhom::test {

// A measured point with every value it can hold: the time, the concentrations
// of A, B, C, P and Q, the temperature in K, the rate constant, lambda, and
// whether it is excluded from the evaluations. For points of one kind the
// builders below name only what that kind has.
struct MeasuredValues {
    double t = 0;
    double A = 0;
    double B = 0;
    double C = 0;
    double P = 0;
    double Q = 0;
    double T = 0;
    double k = 0;
    double lambda = 0;
    bool excluded = false;
};

inline ExpPunkt MeasuredPoint(const MeasuredValues& v)
{
    ExpPunkt p;
    p.t = v.t;
    p.c[1] = v.A;
    p.c[2] = v.B;
    p.c[3] = v.C;
    p.c[4] = v.P;
    p.c[5] = v.Q;
    p.T = v.T;
    p.k = v.k;
    p.lambda = static_cast<float>(v.lambda);
    p.exclude = v.excluded ? -1 : 0;
    return p;
}

// A measured c-t point: the time and the concentrations of A, B, C, P and Q.
struct CtValues {
    double t = 0;
    double A = 0;
    double B = 0;
    double C = 0;
    double P = 0;
    double Q = 0;
    bool excluded = false;
};

inline ExpPunkt CtPoint(const CtValues& v)
{
    return MeasuredPoint({.t = v.t, .A = v.A, .B = v.B, .C = v.C, .P = v.P, .Q = v.Q, .excluded = v.excluded});
}

// A measured k-T couple: the temperature in K and the rate constant there.
struct KTValues {
    double T = 0;
    double k = 0;
};

inline ExpPunkt KTPoint(const KTValues& v) { return MeasuredPoint({.T = v.T, .k = v.k}); }

// A measured lambda-t point (lambda proportional to a concentration), with the
// concentration of A where it is known (the start).
struct LambdaValues {
    double t = 0;
    double lambda = 0;
    double A = 0;
};

inline ExpPunkt LambdaPoint(const LambdaValues& v) { return MeasuredPoint({.t = v.t, .A = v.A, .lambda = v.lambda}); }

// Puts the points into the state's measured-point table (record 0 stays empty)
// and sets their number; nothing else of the state changes.
inline void SetMeasuredPoints(Declare& d, const std::vector<ExpPunkt>& points)
{
    d.ExpPunkte.assign(1, ExpPunkt{});
    d.ExpPunkte.insert(d.ExpPunkte.end(), points.begin(), points.end());
    d.AnzahlPunkte = static_cast<int>(points.size());
}

// Loads the points as reading a data file does: the table, then the analysis
// of what was measured and the start concentrations taken from the data.
inline void LoadMeasuredPoints(Declare& d, const std::vector<ExpPunkt>& points)
{
    SetMeasuredPoints(d, points);
    AnalyzeExpData(d);
    GetStartConcFromData(d);
}

// Measured points read off the simulated courses of `sim` (calc_diagram_function
// already run): the species marked "1" in `species` (A, B, C, P, Q) at `count`
// times from 0 to tMax, each value given seeded 1 % noise, at temperature T.
// Empty when a concentration cannot be read off.
inline std::vector<ExpPunkt> NoisyPointsOfCourse(const Declare& sim, const char* species, int count, double tMax,
                                                 unsigned seed, double T = 0)
{
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::vector<ExpPunkt> points;
    for (int i = 0; i < count; ++i) {
        ExpPunkt e;
        e.t = tMax * i / (count - 1);
        e.T = T;
        std::vector<double> c(6, 0.0);
        bool failed = false;
        CalcCAtTime(sim, sim.ModellNr, e.t, c, failed);
        if (failed) return {};
        for (int s = 1; s <= 5; ++s)
            if (species[s - 1] == '1') e.c[s] = c[static_cast<std::size_t>(s)] * (1.0 + noise(rng));
        points.push_back(e);
    }
    return points;
}

// One curve of a chart: its group (1 = curves, 2 = measured points), its
// series in the group and its points.
struct CurveValues {
    int group = 1;
    int series = 1;
    std::vector<double> x = {};
    std::vector<double> y = {};
};

// Writes the curve's points into its series, adding series up to it.
inline void SetCurve(Chart2D& chart, const CurveValues& curve)
{
    ChartData& data = chart.ChartGroups(curve.group).Data();
    if (data.NumSeries() < curve.series) data.setNumSeries(curve.series);
    data.setPoints(curve.series, curve.x.data(), curve.y.data(), static_cast<int>(curve.x.size()));
}

} // namespace kinhom::test
