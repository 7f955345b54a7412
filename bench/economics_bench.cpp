// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/economics.h"
#include "test_data.h"

#include <benchmark/benchmark.h>

namespace termiva {
namespace {

// Goals on the 2-core build machine: a pipe with 15 candidates within 20 ms,
// a vessel within 50 ms.

EconomicsInput WithTerms(EconomicsInput in) {
    in.terms = test_data::WorkedEconomicsTerms();
    for (double t : DefaultStandardThicknesses())
        in.candidates.push_back({t, 10 + t / 2});
    return in;
}

void BM_EconomicsPipe(benchmark::State& state) {
    EconomicsInput in;
    in.object = test_data::SinglePipe();
    in.length = 100;
    in = WithTerms(in);
    for (auto _ : state)
        benchmark::DoNotOptimize(Economics(in));
}
BENCHMARK(BM_EconomicsPipe)->Unit(benchmark::kMillisecond);

void BM_EconomicsVessel(benchmark::State& state) {
    EconomicsInput in;
    in.object = test_data::Vessel(static_cast<int>(state.range(0)));
    in = WithTerms(in);
    for (auto _ : state)
        benchmark::DoNotOptimize(Economics(in));
}
BENCHMARK(BM_EconomicsVessel)->ArgName("shape")->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace termiva
