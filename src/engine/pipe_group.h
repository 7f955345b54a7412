// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculation_error.h"
#include "engine/value_flags.h"

#include <array>

namespace termiva {

// The 13 standard pipe lines of the group, in row order.
struct StandardPipe {
    double NO; // nominal diameter, mm
    double OD; // outside diameter, mm
};
extern const std::array<StandardPipe, 13> kPipeGroupSizes;

struct PipeRow {
    double NO = 0;      // nominal diameter, mm (display only)
    double OD = 0;      // outside diameter of the bare pipe, mm
    bool used = false;  // false when the row's length entry is empty
    double L = 0;       // length of the line, m
    double valves = 0;  // number of valves (each counts as 1 m of pipe)
    double flanges = 0; // number of flanges (each counts as 0.5 m of pipe)
};

struct PipeGroupInput {
    double Tout = 0;              // ambient temperature, °C
    double T1 = 0;                // fluid temperature, °C
    double delta = 0;             // insulation thickness, mm
    double k = 0;                 // insulation thermal conductivity, W/(m K)
    double e = 0;                 // emissivity, -
    double WC = 0;                // wind coefficient, -
    std::array<PipeRow, 13> rows; // NO and OD preset from kPipeGroupSizes, unused

    PipeGroupInput();
};

struct PipeRowResult {
    bool used = false;
    double Qbare = 0;     // W, valves and flanges included
    double Qins = 0;      // W, valves and flanges included
    int passes = 0;       // passes of the insulated iteration
    ValueFlags bareFlags; // of Qbare
    ValueFlags insFlags;  // of Qins
};

struct PipeGroupResult {
    std::array<PipeRowResult, 13> rows{};
    double QbareTotal = 0;     // W
    double QinsTotal = 0;      // W
    ValueFlags bareTotalFlags; // set where any row's Qbare is flagged
    ValueFlags insTotalFlags;  // set where any row's Qins is flagged
};

// Errors: T1 not above Tout, k not above 0, a negative delta, e or WC, e and
// WC both 0, a used row with OD not above 0 or a negative L, valves or
// flanges, a non-finite intermediate ("The calculation did not converge.", or
// kBeyondAirDataMessage when an air property was evaluated beyond its data).
// Without convergence within 1000 passes the last pass stands.
CalculationResult<PipeGroupResult> PipeGroupHeatLoss(const PipeGroupInput& input);

} // namespace termiva
