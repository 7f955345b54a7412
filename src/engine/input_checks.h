// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks and messages shared by the heat loss calculations. Each check is
// written so that a NaN input fails it too.

#include "engine/calculation_error.h"
#include "engine/value_flags.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string>

namespace termiva::detail {

inline constexpr const char* kNotConverged = "The calculation did not converge.";
// Every step converged, but a product or a sum left the finite numbers.
inline constexpr const char* kTooLarge =
    "The results cannot be computed: the numbers are too large to compute.";

// The error of a calculation whose arithmetic left the finite numbers:
// beyondAirData tells whether any evaluation so far went beyond the air data,
// which is then the cause to name.
inline CalculationError Failure(bool beyondAirData) {
    return CalculationError{beyondAirData ? kBeyondAirDataMessage : kNotConverged};
}

inline std::optional<CalculationError> CheckFluidAboveAmbient(double T1, double Tout) {
    if (!(T1 > Tout))
        return CalculationError{"Fluid temperature must be higher than ambient temperature."};
    return std::nullopt;
}

inline std::optional<CalculationError> CheckSurface(double e, double WC) {
    if (!(e >= 0))
        return CalculationError{"Emissivity must not be negative."};
    if (!(WC >= 0))
        return CalculationError{"Wind coefficient must not be negative."};
    return std::nullopt;
}

// A surface with neither radiation nor convection gives off no heat: a pipe's
// insulated surface temperature is 0/0, a vessel's would sit at T1 with no loss.
inline std::optional<CalculationError> CheckHeatGivingSurface(double e, double WC) {
    if (auto error = CheckSurface(e, WC))
        return error;
    if (e == 0 && WC == 0)
        return CalculationError{"Emissivity and wind coefficient must not both be 0."};
    return std::nullopt;
}

inline std::optional<CalculationError> CheckPositiveConductivity(double k) {
    if (!(k > 0))
        return CalculationError{"Insulation thermal conductivity must be greater than 0."};
    return std::nullopt;
}

// name: "tins1".."tins5", as the thickness fields are captioned.
inline std::optional<CalculationError> CheckNonNegativeThickness(double tins,
                                                                 const std::string& name) {
    if (!(tins >= 0))
        return CalculationError{"Insulation thickness " + name + " must not be negative."};
    return std::nullopt;
}

inline bool AllFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

} // namespace termiva::detail
