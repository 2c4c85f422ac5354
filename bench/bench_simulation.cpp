// Time per simulation run (201 rows) of every model at its default constants
// with t(max) = 100, and of a stiff enzyme case. Counters: right-hand-side
// evaluations of the integrator per run and the largest substep count.
// A numerical run leaves its splines to the first reader; the runs followed
// by one concentration at a time (as the fitting does) include building them.

#include <benchmark/benchmark.h>

#include "core/kinetics/calcattime.h"
#include "core/kinetics/models.h"
#include "core/kinetics/simulation.h"
#include "core/kinetics/stoffmuster.h"
#include "core/shell/startup.h"

using namespace kinhom;

namespace {

Declare Vorbereiten(int model)
{
    Declare d;
    SetStartupValues(d, "/tmp", ".");
    d.ModellNr = static_cast<std::int16_t>(model);
    ApplyModelDefaults(d, model);
    if ((model == 5 || model == 16) && d.c0[4] == 0) d.c0[4] = 0.002;
    SetStoffMuster(d, model);
    d.tEnde = 100;
    return d;
}

void Lauf(benchmark::State& state, Declare& d, int model)
{
    SimulationsErgebnis erg;
    for (auto _ : state) {
        erg = calc_diagram_function(d, model);
        benchmark::DoNotOptimize(d.SimCA.data());
        benchmark::ClobberMemory();
    }
    if (erg.failed) state.SkipWithError(erg.Fehlertext.c_str());
    state.counters["rhs_per_run"] = static_cast<double>(erg.RHSAuswertungen);
    state.counters["max_substeps"] = erg.MaxTeilschritte;
}

void BM_Simulation(benchmark::State& state)
{
    const int model = static_cast<int>(state.range(0));
    Declare d = Vorbereiten(model);
    Lauf(state, d, model);
}
BENCHMARK(BM_Simulation)
    ->ArgName("model")
    ->DenseRange(1, 18)
    ->Arg(20)
    ->Unit(benchmark::kMicrosecond);

void BM_SimulationThenConcentrationAtTime(benchmark::State& state)
{
    const int model = static_cast<int>(state.range(0));
    Declare d = Vorbereiten(model);
    std::vector<double> c(6, 0.0);
    bool failed = false;
    for (auto _ : state) {
        const SimulationsErgebnis erg = calc_diagram_function(d, model);
        CalcCAtTime(d, model, 37.5, c, failed);
        benchmark::DoNotOptimize(c.data());
        benchmark::ClobberMemory();
        if (erg.failed || failed) {
            state.SkipWithError("the run or the reading failed");
            break;
        }
    }
}
BENCHMARK(BM_SimulationThenConcentrationAtTime)
    ->ArgName("model")
    ->Args({7})->Args({9})->Args({10})->Args({13})->Args({14})->Args({15})->Args({18})->Args({20})
    ->Unit(benchmark::kMicrosecond);

// E + S <=> ES => P + E with enzyme-like constants: the complex ES settles
// within about a millisecond while the substrate is used up over minutes.
void BM_SimulationStiffEnzyme(benchmark::State& state)
{
    Declare d = Vorbereiten(10);
    d.k[1] = 1e7;
    d.k[2] = 1e3;
    d.k[3] = 1e2;
    d.c0[1] = 1e-7; // E
    d.c0[2] = 1e-4; // S
    d.c0[3] = 0;
    d.c0[4] = 0;
    d.tEnde = 200;
    Lauf(state, d, 10);
}
BENCHMARK(BM_SimulationStiffEnzyme)->Unit(benchmark::kMillisecond);

} // namespace
