// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Outside heat transfer coefficients of vessel surfaces, one per orientation.
// TT: surface temperature, °C; Lc: characteristic length, m; Tamb: ambient,
// °C; e: emissivity; WC: wind coefficient. Result in W/(m² K). Defined for
// TT != Tamb and Lc > 0 (HTCver and HTChor_c also need TT > Tamb); outside
// that the result may be NaN, which the vessel calculation reports.

namespace termiva {

// The intermediate numbers of one evaluation.
struct VesselCoefficientTerms {
    double Gr;
    double Pr; // at the film temperature
    double Ra;
    double Prs; // at the surface temperature (HTChor_c only, else 0)
    double Nu;
    double hc; // W/(m² K)
    double hr; // W/(m² K)
    double h;  // W/(m² K)
    // An air property was evaluated beyond its data (value_flags.h).
    bool outsideAirData;
};

// Each function is the one evaluation of its orientation; `terms`, when
// given, receives its intermediate numbers (production reads the air data
// flag there).
double HTChor_top(double TT, double Lc, double Tamb, double e, double WC, // flat, hot side up
                  VesselCoefficientTerms* terms = nullptr);
double HTChor_down(double TT, double Lc, double Tamb, double e, double WC, // flat, hot side down
                   VesselCoefficientTerms* terms = nullptr);
double HTCver(double TT, double Lc, double Tamb, double e, double WC, // vertical surface
              VesselCoefficientTerms* terms = nullptr);
double HTChor_c(double TT, double Lc, double Tamb, double e, double WC, // horizontal cylinder
                VesselCoefficientTerms* terms = nullptr);

} // namespace termiva
