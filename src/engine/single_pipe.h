// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculation_error.h"
#include "engine/operating_conditions.h"
#include "engine/value_flags.h"

#include <array>

namespace termiva {

struct SinglePipeInput : OperatingConditions {
    double D2 = 0;                // outside diameter of the pipe, mm
    std::array<double, 5> tins{}; // insulation thicknesses tins1..tins5, mm
};

struct SinglePipeResult {
    std::array<double, 6> HeatLoss{};  // W/m; [0] bare pipe, [i] under tins_i
    std::array<double, 6> Tsurface{};  // °C; [0] is always T1
    std::array<int, 6> passes{};       // passes of each insulated case (1..100); [0] is 0
    std::array<ValueFlags, 6> flags{}; // of HeatLoss[i] and Tsurface[i] alike
};

// Errors: T1 not above Tout, D2 or k not above 0, a negative thickness
// ("Insulation thickness tins2 must not be negative."), a negative e or WC, e
// and WC both 0 (no outside coefficient at all), a non-finite intermediate
// ("The calculation did not converge.", or kBeyondAirDataMessage when an air
// property was evaluated beyond its data on the way). Without convergence within 100
// passes the values of the last pass stand, as passes[i] = 100 shows.
CalculationResult<SinglePipeResult> SinglePipeHeatLoss(const SinglePipeInput& input);

// One thickness as SinglePipeHeatLoss computes its column, to the last bit.
struct SinglePipeCase {
    double HeatLoss; // W/m
    double Tsurface; // °C
    int passes;      // 0 for the bare pipe
    ValueFlags flags;
};

// The pipe under tins (mm), input.tins ignored. tins = 0 gives the bare
// column (entry 0), not the iterated one, so that the bare pipe reads the same
// as on the screen. Errors as SinglePipeHeatLoss ("tins1" for tins).
CalculationResult<SinglePipeCase> SinglePipeAtThickness(const SinglePipeInput& input, double tins);

} // namespace termiva
