// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculation_error.h"
#include "engine/operating_conditions.h"
#include "engine/value_flags.h"
#include "engine/vessel_shape.h"

#include <array>

namespace termiva {

struct VesselInput : OperatingConditions {
    int shape = 1;                // ShapeNumber: 1 rectangular, 2 horizontal, 3 vertical cylinder
    double L = 0;                 // length, m (shapes 1, 2)
    double H = 0;                 // height, m (shapes 1, 3)
    double W = 0;                 // width (shape 1) or diameter D (shapes 2, 3), m
    std::array<double, 4> tins{}; // insulation thicknesses tins1..tins4, mm
};

struct VesselResult {
    std::array<double, 5> HeatLoss{}; // W; [0] bare vessel, [i] under tins_i
    std::array<double, 5> Tsurface{}; // °C; [0] is always T1
    std::array<int, 5> steps{};       // residual evaluations of each thickness; [0] is 0
    // True where the secant iteration could not go on (a working value without
    // a real coefficient, two equal residuals, 1000 steps) and the heat balance
    // was solved by bracketing between Tout and T1 instead; steps then counts
    // the secant steps and the bracketing steps together.
    std::array<bool, 5> bracketed{};
    // Of HeatLoss[i] and Tsurface[i] alike. approximate: a bracketed result
    // whose balance stayed at or above 0.1 W, or a loss below 10 W (where the
    // 0.1 W test is more than 1 % of it); imbalance: its remaining residual.
    std::array<ValueFlags, 5> flags{};
};

// A shape other than 1..3 gives a result of zeros. Errors: T1 not above Tout,
// a used dimension not above 0, a thickness not above 0 ("Insulation
// thickness tins2 must be greater than 0."), a negative conductivity,
// emissivity or wind coefficient, e and WC both 0 (no heat leaves the surface),
// a heat balance that has no solution or a non-finite result ("The calculation
// did not converge.", or kBeyondAirDataMessage when an air property was
// evaluated beyond its data on the way). k = 0 is not an error: the surface
// then settles just above the ambient temperature.
CalculationResult<VesselResult> VesselHeatLoss(const VesselInput& input);

// One thickness as VesselHeatLoss computes its column, to the last bit.
struct VesselCase {
    double HeatLoss; // W
    double Tsurface; // °C
    int steps;       // 0 for the bare vessel
    bool bracketed;  // as VesselResult::bracketed
    ValueFlags flags;
};

// The vessel under tins (mm), input.tins ignored; tins = 0 gives the bare
// vessel (entry 0). Errors as VesselHeatLoss ("tins1" for a negative tins),
// and a shape other than 1..3.
CalculationResult<VesselCase> VesselAtThickness(const VesselInput& input, double tins);

// The whole outer area of the bare vessel as the calculation takes it (with
// 3.14 for pi), m². Shapes other than 1 and 2 count as the vertical cylinder.
double VesselOuterArea(const VesselInput& input);

} // namespace termiva
