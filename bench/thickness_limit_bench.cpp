// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/thickness_limit.h"
#include "test_data.h"

#include <benchmark/benchmark.h>

namespace termiva {
namespace {

// Goals on the 2-core build machine: a pipe answer within 20 ms, a vessel
// answer within 50 ms.

void BM_ThicknessLimitPipe(benchmark::State& state) {
    const SinglePipeInput pipe = test_data::SinglePipe();
    ThicknessLimitInput in;
    in.D2 = pipe.D2;
    in.T1 = pipe.T1;
    in.Tout = pipe.Tout;
    in.k = pipe.k;
    in.e = pipe.e;
    in.WC = pipe.WC;
    in.maxSurface = 50;
    in.maxLoss = 30;
    in.standard = DefaultStandardThicknesses();
    for (auto _ : state)
        benchmark::DoNotOptimize(InsulationThicknessForLimit(in));
}
BENCHMARK(BM_ThicknessLimitPipe)->Unit(benchmark::kMillisecond);

void BM_ThicknessLimitVessel(benchmark::State& state) {
    const VesselInput vessel = test_data::Vessel(static_cast<int>(state.range(0)));
    ThicknessLimitInput in;
    in.object = static_cast<LimitObject>(vessel.shape);
    in.L = vessel.L;
    in.H = vessel.H;
    in.W = vessel.W;
    in.T1 = vessel.T1;
    in.Tout = vessel.Tout;
    in.k = vessel.k;
    in.e = vessel.e;
    in.WC = vessel.WC;
    in.maxSurface = 50;
    in.maxLoss = 1000;
    in.standard = DefaultStandardThicknesses();
    for (auto _ : state)
        benchmark::DoNotOptimize(InsulationThicknessForLimit(in));
}
BENCHMARK(BM_ThicknessLimitVessel)
    ->ArgName("shape")
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace termiva
