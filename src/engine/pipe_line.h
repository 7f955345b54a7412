// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The loss per metre of a horizontal pipe line, bare and under insulation, as
// the pipe group and the standard diameter table compute it. (The single pipe
// calculation keeps its own order of operations and bound.)

#include "engine/calculation_error.h"
#include "engine/operating_conditions.h"

#include <optional>

namespace termiva::detail {

using PipeLineConditions = OperatingConditions;

// The conditions both calculations need: a fluid warmer than the air, an
// insulation that conducts, a surface that gives off heat.
std::optional<CalculationError> CheckConditions(const PipeLineConditions& c);

// Every evaluation of HTChp that goes beyond the air data sets
// `beyondAirData`; it is never cleared, so a calculation's failure can name
// that cause.

struct BareLine {
    double q;            // W/m
    bool outsideAirData; // of its one evaluation
};

// The bare pipe of outside diameter D (mm): its surface at the fluid
// temperature, no iteration. Nothing when the arithmetic leaves the finite
// numbers.
std::optional<BareLine> BareLineLoss(const PipeLineConditions& c, double D, bool& beyondAirData);

struct InsulatedLineLoss {
    double q;            // W/m
    int passes;          // at most maxPasses
    bool outsideAirData; // of the last pass
};

// The pipe of outside diameter D (mm) under insulation up to Dins (mm): the
// surface temperature is iterated until two passes differ by less than
// `tolerance` W/m or `maxPasses` passes have run. `qprev` is what the first
// pass compares with. Nothing when the arithmetic leaves the finite numbers.
std::optional<InsulatedLineLoss> InsulatedLoss(const PipeLineConditions& c, double D, double Dins,
                                               double qprev, double tolerance, int maxPasses,
                                               bool& beyondAirData);

} // namespace termiva::detail
