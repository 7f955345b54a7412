// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/diameter_table.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/vessel.h"
#include "test_data.h"

#include <benchmark/benchmark.h>

namespace termiva {
namespace {

void BM_SinglePipe(benchmark::State& state) {
    const SinglePipeInput in = test_data::SinglePipe();
    for (auto _ : state)
        benchmark::DoNotOptimize(SinglePipeHeatLoss(in));
}
BENCHMARK(BM_SinglePipe);

void BM_Vessel(benchmark::State& state) {
    const VesselInput in = test_data::Vessel(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(VesselHeatLoss(in));
}
BENCHMARK(BM_Vessel)->ArgName("shape")->DenseRange(1, 3);

// A case the secant cannot finish: its first step lands far above T1 and the
// heat balance is solved by bracketing.
void BM_VesselBracketed(benchmark::State& state) {
    VesselInput in;
    in.shape = 3;
    in.H = 2.33;
    in.W = 0.32;
    in.T1 = 599.2;
    in.Tout = 20;
    in.k = 0.05;
    in.e = 0.3;
    in.WC = 1;
    in.tins = {285, 285, 285, 285};
    for (auto _ : state)
        benchmark::DoNotOptimize(VesselHeatLoss(in));
}
BENCHMARK(BM_VesselBracketed);

void BM_PipeGroup(benchmark::State& state) {
    const PipeGroupInput in = test_data::PipeGroup();
    for (auto _ : state)
        benchmark::DoNotOptimize(PipeGroupHeatLoss(in));
}
BENCHMARK(BM_PipeGroup);

void BM_DiameterTable(benchmark::State& state) {
    const DiameterTableInput in = test_data::DiameterTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeDiameterTable(in));
}
BENCHMARK(BM_DiameterTable);

} // namespace
} // namespace termiva
