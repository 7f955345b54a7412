// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The smallest insulation thickness that keeps the outside surface
// temperature and/or the heat loss of a pipe or a vessel within a limit.

#include "engine/calculation_error.h"
#include "engine/operating_conditions.h"
#include "engine/value_flags.h"
#include "engine/vessel_shape.h"
#include "support/expected.h"

#include <optional>
#include <string>
#include <vector>

namespace termiva {

struct ThicknessLimitInput : OperatingConditions {
    LimitObject object = LimitObject::Pipe;
    double D2 = 0;                    // pipe outside diameter, mm (pipe)
    double L = 0;                     // vessel length, m (rectangular, horizontal cylinder)
    double H = 0;                     // vessel height, m (rectangular, vertical cylinder)
    double W = 0;                     // vessel width (rectangular) or diameter, m
    std::optional<double> maxSurface; // highest outside surface temperature, °C
    std::optional<double> maxLoss;    // highest heat loss, W/m (pipe) or W (vessel)
    std::vector<double> standard;     // standard thicknesses, mm, ascending
};

// The standard thicknesses offered unless the user types others, mm.
std::vector<double> DefaultStandardThicknesses();

// The loss and surface temperature at one thickness, exactly as the single
// pipe or vessel calculation gives them for that thickness.
struct ThicknessPoint {
    double thickness = 0; // mm
    double HeatLoss = 0;  // W/m (pipe) or W (vessel)
    double Tsurface = 0;  // °C
    // Marked as the single pipe or vessel calculation marks that thickness.
    ValueFlags flags;
};

enum class Governing { Surface, Loss, Both };

struct ThicknessLimitResult {
    std::optional<double> surfaceThickness; // mm the surface limit needs; none when not given
    std::optional<double> lossThickness;    // mm the loss limit needs; none when not given
    Governing governing = Governing::Surface;
    ThicknessPoint answer;                  // where the limits hold from, see below
    double metUpTo = 0;                     // mm: the limits hold from the answer up to here
    std::optional<ThicknessPoint> standard; // the first standard thickness in that range
    // Why the first standard thickness in that range could not be computed
    // (then standard is empty): the answer itself stands.
    std::string standardError;
    int evaluations = 0; // thicknesses computed, for tests and benchmarks
};

// A limit that even the largest thickness does not meet.
struct UnmetLimit {
    Governing limit; // Surface or Loss
    double value;    // the limit
    ThicknessPoint atMaximum;
};

struct ThicknessLimitError {
    std::string message;             // ready for an "Error" box, numbers with '.'
    std::optional<UnmetLimit> unmet; // set when a limit cannot be met
};

inline constexpr double kMaxLimitThickness = 1000; // mm
inline constexpr double kLimitResolution = 0.1;    // mm

// The answer is the lowest thickness of the highest range of the 0.1 mm grid
// from 0 to 1000 mm on which the limits hold at every thickness; the range
// ends at metUpTo. A loss that falls and rises again (a vessel past the loss
// minimum) meets its limit from the answer up to metUpTo only; a curve that
// keeps falling meets it up to 1000 mm, so the answer is the smallest
// thickness from which it holds at every thickness above. The loss of a small
// pipe rises under a thin layer before it falls (critical radius): the bare
// pipe may meet the limit where a thin layer fails it, and the answer is
// above that layer. Nothing is assumed about the shape of either curve: every
// tenth of a millimetre is computed down from 1000 mm to under the highest
// range. A limit holds when the value is at or below it. Each limit alone
// has its own such thickness (surfaceThickness, lossThickness).
//
// Errors: no limit given; a limit met at no thickness (unmet is set); two
// limits never met at one thickness;
// every input error of SinglePipeHeatLoss / VesselHeatLoss.
Expected<ThicknessLimitResult, ThicknessLimitError>
InsulationThicknessForLimit(const ThicknessLimitInput& input);

// The message of an unmet limit with the given decimal separator; the limit
// reads `limitText` (as the user typed it) when that is given.
std::string UnmetLimitMessage(const UnmetLimit& unmet, LimitObject object, char separator,
                              const std::string& limitText = {});

// The loss and surface temperature at one thickness (mm) of the input's object.
CalculationResult<ThicknessPoint> ThicknessLimitPoint(const ThicknessLimitInput& input,
                                                      double thickness);

} // namespace termiva
