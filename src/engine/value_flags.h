// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a user needs to judge a result value beside the number itself. The
// numbers are computed exactly as always; these say when to distrust them.

#include <string>

namespace termiva {

// The air property polynomials follow real air closely up to about 500 °C and
// leave it fast above: the density is 6 % low at 550 °C and negative from about
// 679 °C, the viscosity peaks near 560 °C and is 98 % low at 800 °C. Within
// these limits the convective coefficients stay within about 3 % of accurate
// air data.
inline constexpr double kDensityDataLimit = 550;  // °C, RO
inline constexpr double kPropertyDataLimit = 600; // °C, CP, LAM, MI

// The error of a calculation that failed after evaluating an air property
// beyond its limit: the cause is the temperature, not the iteration.
// "550" for the limit of 550 °C: how the messages, notes and the report name
// the limits.
inline std::string DegreesText(double limit) {
    return std::to_string(static_cast<int>(limit));
}
inline const std::string kBeyondAirDataMessage =
    "The temperatures are beyond the range of the air property data (" +
    DegreesText(kDensityDataLimit) + " °C at the film, " + DegreesText(kPropertyDataLimit) +
    " °C at the surface).";

struct ValueFlags {
    // The pass that produced the value (the last pass of its iteration; the one
    // evaluation for a bare surface) evaluated RO above kDensityDataLimit or
    // CP, LAM or MI above kPropertyDataLimit.
    bool outsideAirData = false;
    // Vessels only: the heat balance of the reported pair was not closed to
    // 0.1 W, or 0.1 W is more than 1 % of the reported loss (a loss below
    // 10 W), so the stopping test is too coarse for the value.
    bool approximate = false;
    // Vessels only: outside loss minus conducted heat at the reported surface
    // temperature, W (0 for the bare vessel).
    double imbalance = 0;

    bool any() const { return outsideAirData || approximate; }
};

} // namespace termiva
