// Time per automatic fit: one rate constant of a closed-form model (A => P,
// 20 points) and two rate constants of a numerically integrated model
// (A + B => C => P, c(A) and c(C) at 40 times), the latter also from a start a
// hundred times above the truth (restarts and scaled starts at work). The
// data carry 1 % noise from a fixed seed; each fit starts from the same values.

#include <benchmark/benchmark.h>


#include "core/evaluation/fitting.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/expdata.h"
#include "core/shell/startup.h"
#include "builders.h"

using namespace kinhom;
using kinhom::test::NoisyPointsOfCourse;
using kinhom::test::SetMeasuredPoints;

namespace {

Declare Data(int model, double k1, double k2, const char* species, int count, double tMax)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.Arbeitsmodus = TaskMode::FitK;
    d.ModellNr = static_cast<std::int16_t>(model);
    ApplyModelDefaults(d, model);
    SetStoffMuster(d, model);
    d.c0[1] = d.c0[2] = 1;
    d.k[1] = k1;
    d.k[2] = k2;
    d.tEnde = static_cast<float>(tMax);
    d.SimAnzahl = kSimIntervals;
    calc_diagram_function(d, model);
    SetMeasuredPoints(d, NoisyPointsOfCourse(d, species, count, tMax, 1));
    AnalyzeExpData(d);
    return d;
}

void Fit(benchmark::State& state, const Declare& d, std::array<double, 4> start)
{
    FitProblem p = MakeFitProblem(d, 1);
    for (int j = 1; j <= 3; ++j) p.p[static_cast<std::size_t>(j)].value = start[static_cast<std::size_t>(j)];
    FitResult r;
    for (auto _ : state) {
        r = MarquardtNashFitting(d, p);
        benchmark::DoNotOptimize(r.SSQ);
    }
    if (!FitSucceeded(r.status)) state.SkipWithError(r.statusText.c_str());
    state.counters["iterations"] = r.iterations;
    state.counters["values"] = r.points;
}

void BM_FitClosedFormOneConstant(benchmark::State& state)
{
    const Declare d = Data(2, 0.15, 0, "10000", 20, 20);
    Fit(state, d, {0, 0.05, 0, 0});
}
BENCHMARK(BM_FitClosedFormOneConstant)->Unit(benchmark::kMillisecond);

void BM_FitNumericalTwoConstants(benchmark::State& state)
{
    const Declare d = Data(9, 0.3, 0.05, "10100", 40, 60);
    Fit(state, d, {0, 0.1, 0.1, 0});
}
BENCHMARK(BM_FitNumericalTwoConstants)->Unit(benchmark::kMillisecond);

void BM_FitNumericalFarStart(benchmark::State& state)
{
    const Declare d = Data(9, 0.3, 0.05, "10100", 40, 60);
    Fit(state, d, {0, 30, 5, 0});
}
BENCHMARK(BM_FitNumericalFarStart)->Unit(benchmark::kMillisecond);

} // namespace
