// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vessel_coefficients.h"

#include "engine/air_properties.h"
#include "engine/value_flags.h"

#include <cmath>

namespace termiva {

namespace {

constexpr bool kBetaAtFilm = true; // flat horizontal surfaces
constexpr bool kBetaAtSurface = false;

double Radiative(double TT, double Tamb, double e) {
    return e * 5.7 * (std::pow((TT + 273.15) / 100, 4) - std::pow((Tamb + 273.15) / 100, 4)) /
           (TT - Tamb);
}

// The steps every orientation shares: the film properties up to the Rayleigh
// number, then the orientation's own Nusselt number (`nusselt` sets t.Nu and
// returns the conductivity the coefficient is formed with), then the two
// parts. betaAtFilm chooses where the expansion coefficient of the air is
// taken: at the film temperature for flat horizontal surfaces, at the surface
// otherwise.
template <class Nusselt>
double Coefficient(double TT, double Lc, double Tamb, double e, double WC, bool betaAtFilm,
                   VesselCoefficientTerms* terms, Nusselt nusselt) {
    VesselCoefficientTerms t{};
    const double Tm = (TT + Tamb) / 2;
    const double ro = RO(Tm);
    const double cp = CP(Tm);
    const double lam = LAM(Tm);
    const double mi = MI(Tm);
    const double beta = betaAtFilm ? 1 / (Tm + 273.15) : 1 / (TT + 273.15);
    t.Gr = (TT - Tamb) * beta * 9.81 * std::pow(ro, 2) * std::pow(Lc, 3) / std::pow(mi, 2);
    t.Pr = mi * 1000 * cp / lam;
    t.Ra = t.Pr * t.Gr;
    t.outsideAirData = Tm > kDensityDataLimit || Tm > kPropertyDataLimit;
    const double conductivity = nusselt(t, lam);
    t.hc = WC * t.Nu * conductivity / Lc;
    t.hr = Radiative(TT, Tamb, e);
    t.h = t.hr + t.hc;
    if (terms)
        *terms = t;
    return t.h;
}

} // namespace

double HTChor_top(double TT, double Lc, double Tamb, double e, double WC,
                  VesselCoefficientTerms* terms) {
    return Coefficient(TT, Lc, Tamb, e, WC, kBetaAtFilm, terms,
                       [](VesselCoefficientTerms& t, double lam) {
                           // Ra = 1e7 exactly is given to the laminar correlation, the
                           // range it closes in the usual statement of these
                           // correlations (1e4 <= Ra <= 1e7).
                           if (t.Ra > 10000 && t.Ra <= 10000000)
                               t.Nu = 0.54 * std::pow(t.Ra, 0.25);
                           else if (t.Ra > 10000000 && t.Ra < 100000000000)
                               t.Nu = 0.15 * std::pow(t.Ra, 1.0 / 3);
                           else
                               t.Nu = 0;
                           return lam;
                       });
}

double HTChor_down(double TT, double Lc, double Tamb, double e, double WC,
                   VesselCoefficientTerms* terms) {
    return Coefficient(
        TT, Lc, Tamb, e, WC, kBetaAtFilm, terms, [](VesselCoefficientTerms& t, double lam) {
            t.Nu = t.Ra > 100000 && t.Ra < 100000000000 ? 0.27 * std::pow(t.Ra, 0.25) : 0;
            return lam;
        });
}

double HTCver(double TT, double Lc, double Tamb, double e, double WC,
              VesselCoefficientTerms* terms) {
    return Coefficient(
        TT, Lc, Tamb, e, WC, kBetaAtSurface, terms, [](VesselCoefficientTerms& t, double lam) {
            const double X = 1.17 / std::pow(1 + std::pow(0.5 / t.Pr, 9.0 / 16), 8.0 / 27);
            t.Nu = std::pow(std::pow(t.Ra, 1.0 / 6) * (X * 0.331) + 0.825, 2);
            return lam;
        });
}

double HTChor_c(double TT, double Lc, double Tamb, double e, double WC,
                VesselCoefficientTerms* terms) {
    return Coefficient(TT, Lc, Tamb, e, WC, kBetaAtSurface, terms,
                       [TT](VesselCoefficientTerms& t, double) {
                           t.Nu = 0.5 * std::pow(t.Ra, 0.25);
                           const double cps = CP(TT);
                           const double lams = LAM(TT);
                           const double mis = MI(TT);
                           t.Prs = mis * 1000 * cps / lams;
                           // The density at the surface is not used, so only these
                           // three count.
                           t.outsideAirData = t.outsideAirData || TT > kPropertyDataLimit;
                           t.Nu = t.Nu * std::pow(t.Pr / t.Prs, 0.25);
                           // The coefficient is formed with the conductivity at the
                           // surface.
                           return lams;
                       });
}

} // namespace termiva
