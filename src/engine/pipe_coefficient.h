// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Outside heat transfer coefficient of a horizontal pipe: free convection
// scaled by the wind coefficient, plus radiation.

namespace termiva {

// The intermediate numbers of one evaluation.
struct HTChpTerms {
    double Ts;  // surface temperature, °C
    double Gr;  // Grashof number
    double Prm; // Prandtl number at the film temperature
    double Prs; // Prandtl number at the surface temperature
    double Nu;  // Nusselt number
    double hc;  // convective part, W/(m² K)
    double hr;  // radiative part, W/(m² K)
    double h;   // hc + hr, W/(m² K)
    // An air property was evaluated beyond its data (value_flags.h): at the
    // film temperature for RO, at the film or surface temperature otherwise.
    bool outsideAirData;
};

// Tm: film temperature, °C; Tamb: ambient, °C; Dcar: outside diameter, mm;
// e: emissivity; WC: wind coefficient. Defined for Tm > Tamb and Dcar > 0;
// callers keep to that domain (outside it the result may be NaN).
// Returns h, W/(m² K); `terms`, when given, receives every intermediate
// number (the pipe calculations read the air data flag there).
double HTChp(double Tm, double Tamb, double Dcar, double e, double WC, HTChpTerms* terms = nullptr);

} // namespace termiva
