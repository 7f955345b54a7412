// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator screens' test data as engine inputs, shared by the engine
// tests and the benchmarks.

#include "engine/diameter_table.h"
#include "engine/economics.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/vessel.h"

namespace termiva::test_data {

inline SinglePipeInput SinglePipe() {
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

inline DiameterTableInput DiameterTable() {
    const SinglePipeInput pipe = SinglePipe();
    return DiameterTableInput{{pipe.T1, pipe.Tout, pipe.k, pipe.e, pipe.WC}, pipe.tins};
}

inline VesselInput Vessel(int shape) {
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

// The common conditions of the multiple pipes screen, no row used.
inline PipeGroupInput PipeGroupConditions() {
    PipeGroupInput in;
    in.Tout = 25;
    in.T1 = 150;
    in.delta = 25;
    in.k = 0.05;
    in.e = 0.9;
    in.WC = 1;
    return in;
}

// Marks row `row` (0-based) used with its length, valves and flanges.
inline void UseRow(PipeGroupInput& in, std::size_t row, double L, double valves, double flanges) {
    in.rows[row].used = true;
    in.rows[row].L = L;
    in.rows[row].valves = valves;
    in.rows[row].flanges = flanges;
}

inline PipeGroupInput PipeGroup() {
    PipeGroupInput in = PipeGroupConditions();
    UseRow(in, 2, 78, 25, 14); // NO 32
    UseRow(in, 4, 28, 14, 6);  // NO 50
    UseRow(in, 7, 24, 8, 8);   // NO 100
    return in;
}

// The worked check of the economics: H, p, eta, f, n, i, g.
inline EconomicsTerms WorkedEconomicsTerms() {
    return {8000, 50, 0.9, 202, 10, 6, 3};
}

// Its losses (W/m) and costs (per m, times costScale) on 100 m of pipe.
inline std::vector<EconomicsLoss> WorkedEconomicsLosses(double costScale = 1) {
    const double t[] = {0, 40, 60, 80, 100, 120}, q[] = {600, 60, 48, 41, 37, 34},
                 cost[] = {0, 30, 40, 52, 66, 82};
    std::vector<EconomicsLoss> rows;
    for (std::size_t k = 0; k < 6; ++k)
        rows.push_back({ThicknessPoint{t[k], q[k], 60, {}}, q[k] * 100, cost[k] * 100 * costScale});
    return rows;
}

} // namespace termiva::test_data
