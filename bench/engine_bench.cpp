#include "engine/diameter_table.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/vessel.h"

#include <benchmark/benchmark.h>

namespace termiva {
namespace {

SinglePipeInput SinglePipeTestData() {
    SinglePipeInput in;
    in.D2 = 26.9;
    in.T1 = 143;
    in.Tout = 20;
    in.e = 0.95;
    in.WC = 1;
    in.k = 0.07;
    in.tins = {20, 50, 75, 100, 150};
    return in;
}

VesselInput VesselTestData(int shape) {
    VesselInput in;
    in.shape = shape;
    in.L = 1.2;
    in.H = 1.8;
    in.W = 0.8;
    in.T1 = 150;
    in.Tout = 20;
    in.k = 0.05;
    in.e = 1;
    in.WC = 1;
    in.tins = {20, 50, 75, 100};
    return in;
}

PipeGroupInput PipeGroupTestData() {
    PipeGroupInput in;
    in.Tout = 25;
    in.T1 = 150;
    in.delta = 25;
    in.k = 0.05;
    in.e = 0.9;
    in.WC = 1;
    const struct {
        std::size_t row;
        double L, valves, flanges;
    } used[] = {{2, 78, 25, 14}, {4, 28, 14, 6}, {7, 24, 8, 8}};
    for (const auto& u : used) {
        in.rows[u.row].used = true;
        in.rows[u.row].L = u.L;
        in.rows[u.row].valves = u.valves;
        in.rows[u.row].flanges = u.flanges;
    }
    return in;
}

void BM_SinglePipe(benchmark::State& state) {
    const SinglePipeInput in = SinglePipeTestData();
    for (auto _ : state)
        benchmark::DoNotOptimize(SinglePipeHeatLoss(in));
}
BENCHMARK(BM_SinglePipe);

void BM_Vessel(benchmark::State& state) {
    const VesselInput in = VesselTestData(static_cast<int>(state.range(0)));
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
    const PipeGroupInput in = PipeGroupTestData();
    for (auto _ : state)
        benchmark::DoNotOptimize(PipeGroupHeatLoss(in));
}
BENCHMARK(BM_PipeGroup);

void BM_DiameterTable(benchmark::State& state) {
    const DiameterTableInput in{143, 20, 0.07, 0.95, 1, {20, 50, 75, 100, 150}};
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeDiameterTable(in));
}
BENCHMARK(BM_DiameterTable);

} // namespace
} // namespace termiva
