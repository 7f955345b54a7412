// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pipe_coefficient.h"

#include "engine/air_properties.h"
#include "engine/value_flags.h"

#include <cmath>

namespace termiva {

double HTChp(double Tm, double Tamb, double Dcar, double e, double WC, HTChpTerms* terms) {
    HTChpTerms t{};
    t.Ts = 2 * Tm - Tamb;

    const double ro = RO(Tm);
    const double cp = CP(Tm);
    const double lam = LAM(Tm);
    const double mi = MI(Tm);

    // The expansion coefficient of the air is taken at the film temperature.
    t.Gr = std::pow(Dcar / 1000, 3) * std::pow(ro, 2) * 9.81 * (1 / (Tm + 273.15)) * (t.Ts - Tamb) /
           std::pow(mi, 2);
    t.Prm = mi * (1000 * cp) / lam;

    const double cps = CP(t.Ts);
    const double lams = LAM(t.Ts);
    const double mis = MI(t.Ts);
    t.Prs = mis * (1000 * cps) / lams;

    t.Nu = 0.5 * std::pow(t.Gr * t.Prm, 0.25) * std::pow(t.Prm / t.Prs, 0.25);
    // The Nusselt number is turned into a coefficient with the conductivity at
    // the surface, not at the film temperature.
    t.hc = t.Nu * WC * lams / (Dcar / 1000);
    t.hr = 5.7 * e * (std::pow((t.Ts + 273.15) / 100, 4) - std::pow((Tamb + 273.15) / 100, 4)) /
           (t.Ts - Tamb);
    t.h = t.hr + t.hc;
    t.outsideAirData =
        Tm > kDensityDataLimit || Tm > kPropertyDataLimit || t.Ts > kPropertyDataLimit;
    if (terms)
        *terms = t;
    return t.h;
}

} // namespace termiva
