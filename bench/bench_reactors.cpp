// Time of the reactor calculations that search: the reaction time of a batch
// for a target conversion (a numerically integrated model) and the volume of a
// stirred tank for a target conversion (each trial a start-up and Newton),
// and one steady state of the autocatalytic tank.

#include <benchmark/benchmark.h>

#include "core/reactors/reactors.h"

using namespace kinhom;

namespace {

const Konzentrationen kFeed{0, 1, 1, 0, 0, 0};

void BatchZeitFuerUmsatz(benchmark::State& state)
{
    const ReaktorModell m = KatalogReaktor(9, 0.15, 0.1);
    for (auto _ : state) benchmark::DoNotOptimize(BatchNachUmsatz(m, kFeed, 0.9).zeit);
}
BENCHMARK(BatchZeitFuerUmsatz)->Unit(benchmark::kMillisecond);

void KesselVolumenFuerUmsatz(benchmark::State& state)
{
    const ReaktorModell m = KatalogReaktor(9, 0.15, 0.1);
    FlussEingabe e;
    e.modus = FlussModus::VolumenAusUmsatz;
    e.U = 0.9;
    e.Vpunkt = 1;
    for (auto _ : state) benchmark::DoNotOptimize(Ruehrkessel(m, kFeed, e).V);
}
BENCHMARK(KesselVolumenFuerUmsatz)->Unit(benchmark::kMillisecond);

void KesselAutokatalyse(benchmark::State& state)
{
    const ReaktorModell m = KatalogReaktor(5, 1.0);
    const Konzentrationen feed{0, 1, 0, 0, 0.002, 0};
    for (auto _ : state) benchmark::DoNotOptimize(RuehrkesselNachTau(m, feed, 10).U);
}
BENCHMARK(KesselAutokatalyse)->Unit(benchmark::kMillisecond);

} // namespace
