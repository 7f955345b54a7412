// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vessel_coefficients.h"

#include "engine/air_properties.h"
#include "engine/value_flags.h"

#include <cmath>

namespace termiva {

namespace {

// The steps every orientation shares up to the Rayleigh number. betaAtFilm
// chooses where the expansion coefficient of the air is taken: at the film
// temperature for flat horizontal surfaces, at the surface otherwise.
struct FilmTerms {
    double Tm;
    double lam;
    VesselCoefficientTerms t;
};

FilmTerms Film(double TT, double Lc, double Tamb, bool betaAtFilm) {
    FilmTerms f{};
    f.Tm = (TT + Tamb) / 2;
    const double ro = RO(f.Tm);
    const double cp = CP(f.Tm);
    f.lam = LAM(f.Tm);
    const double mi = MI(f.Tm);
    const double beta = betaAtFilm ? 1 / (f.Tm + 273.15) : 1 / (TT + 273.15);
    f.t.Gr = (TT - Tamb) * beta * 9.81 * std::pow(ro, 2) * std::pow(Lc, 3) / std::pow(mi, 2);
    f.t.Pr = mi * 1000 * cp / f.lam;
    f.t.Ra = f.t.Pr * f.t.Gr;
    f.t.outsideAirData = f.Tm > kDensityDataLimit || f.Tm > kPropertyDataLimit;
    return f;
}

double Radiative(double TT, double Tamb, double e) {
    return e * 5.7 * (std::pow((TT + 273.15) / 100, 4) - std::pow((Tamb + 273.15) / 100, 4)) /
           (TT - Tamb);
}

void Finish(VesselCoefficientTerms& t, double TT, double Lc, double Tamb, double lam, double e,
            double WC) {
    t.hc = WC * t.Nu * lam / Lc;
    t.hr = Radiative(TT, Tamb, e);
    t.h = t.hr + t.hc;
}

} // namespace

VesselCoefficientTerms HTChor_topDetailed(double TT, double Lc, double Tamb, double e, double WC) {
    FilmTerms f = Film(TT, Lc, Tamb, true);
    VesselCoefficientTerms& t = f.t;
    const double Ra = t.Ra;
    // Ra = 1e7 exactly is given to the laminar correlation, the range it
    // closes in the usual statement of these correlations (1e4 <= Ra <= 1e7).
    if (Ra > 10000 && Ra <= 10000000)
        t.Nu = 0.54 * std::pow(Ra, 0.25);
    else if (Ra > 10000000 && Ra < 100000000000)
        t.Nu = 0.15 * std::pow(Ra, 1.0 / 3);
    else
        t.Nu = 0;
    Finish(t, TT, Lc, Tamb, f.lam, e, WC);
    return t;
}

VesselCoefficientTerms HTChor_downDetailed(double TT, double Lc, double Tamb, double e, double WC) {
    FilmTerms f = Film(TT, Lc, Tamb, true);
    VesselCoefficientTerms& t = f.t;
    if (t.Ra > 100000 && t.Ra < 100000000000)
        t.Nu = 0.27 * std::pow(t.Ra, 0.25);
    else
        t.Nu = 0;
    Finish(t, TT, Lc, Tamb, f.lam, e, WC);
    return t;
}

VesselCoefficientTerms HTCverDetailed(double TT, double Lc, double Tamb, double e, double WC) {
    FilmTerms f = Film(TT, Lc, Tamb, false);
    VesselCoefficientTerms& t = f.t;
    const double X = 1.17 / std::pow(1 + std::pow(0.5 / t.Pr, 9.0 / 16), 8.0 / 27);
    t.Nu = std::pow(std::pow(t.Ra, 1.0 / 6) * (X * 0.331) + 0.825, 2);
    Finish(t, TT, Lc, Tamb, f.lam, e, WC);
    return t;
}

VesselCoefficientTerms HTChor_cDetailed(double TT, double Lc, double Tamb, double e, double WC) {
    FilmTerms f = Film(TT, Lc, Tamb, false);
    VesselCoefficientTerms& t = f.t;
    t.Nu = 0.5 * std::pow(t.Ra, 0.25);
    const double cps = CP(TT);
    const double lams = LAM(TT);
    const double mis = MI(TT);
    t.Prs = mis * 1000 * cps / lams;
    // The density at the surface is not used, so only these three count.
    t.outsideAirData = t.outsideAirData || TT > kPropertyDataLimit;
    t.Nu = t.Nu * std::pow(t.Pr / t.Prs, 0.25);
    // The coefficient is formed with the conductivity at the surface.
    Finish(t, TT, Lc, Tamb, lams, e, WC);
    return t;
}

double HTChor_top(double TT, double Lc, double Tamb, double e, double WC) {
    return HTChor_topDetailed(TT, Lc, Tamb, e, WC).h;
}

double HTChor_down(double TT, double Lc, double Tamb, double e, double WC) {
    return HTChor_downDetailed(TT, Lc, Tamb, e, WC).h;
}

double HTCver(double TT, double Lc, double Tamb, double e, double WC) {
    return HTCverDetailed(TT, Lc, Tamb, e, WC).h;
}

double HTChor_c(double TT, double Lc, double Tamb, double e, double WC) {
    return HTChor_cDetailed(TT, Lc, Tamb, e, WC).h;
}

} // namespace termiva
