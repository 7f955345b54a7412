// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calculation_error.h"
#include "engine/operating_conditions.h"
#include "engine/value_flags.h"

#include <array>

namespace termiva {

struct DiameterTableInput : OperatingConditions {
    std::array<double, 5> tins{}; // insulation thicknesses, mm
};

// 19 rows of {D [mm], bare loss, loss under tins1..tins5 [W/m]}, D running
// 10, 20, ..., 100, 200, ..., 1000 mm.
struct DiameterTable {
    std::array<std::array<double, 7>, 19> rows{};
    // Of each cell of rows; the diameter column is never flagged.
    std::array<std::array<ValueFlags, 7>, 19> flags{};
    // Passes of the insulated iteration of each row under tins1..tins5 (1..100).
    std::array<std::array<int, 5>, 19> passes{};
};

// Errors: T1 not above Tout, k not above 0, a negative thickness, e or WC, e
// and WC both 0, a non-finite intermediate ("The calculation did not
// converge.", or kBeyondAirDataMessage when an air property was evaluated
// beyond its data). All 19 rows are computed before the table is returned, so an
// error leaves no partial table. Without convergence within 100 passes the
// last pass stands.
CalculationResult<DiameterTable> ComputeDiameterTable(const DiameterTableInput& input);

} // namespace termiva
