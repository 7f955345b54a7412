// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pipe_line.h"

#include "engine/input_checks.h"
#include "engine/pipe_coefficient.h"

#include <cmath>

namespace termiva::detail {

std::optional<CalculationError> CheckConditions(const PipeLineConditions& c) {
    if (auto error = CheckFluidAboveAmbient(c.T1, c.Tout))
        return error;
    if (auto error = CheckPositiveConductivity(c.k))
        return error;
    return CheckHeatGivingSurface(c.e, c.WC);
}

std::optional<BareLine> BareLineLoss(const PipeLineConditions& c, double D, bool& beyondAirData) {
    const double Tm = (c.T1 + c.Tout) / 2;
    HTChpTerms terms{};
    HTChp(Tm, c.Tout, D, c.e, c.WC, &terms);
    beyondAirData = beyondAirData || terms.outsideAirData;
    const double h0 = terms.h;
    const double U0 = 1 / (1 / h0);
    const double q0 = (c.T1 - c.Tout) * U0 * (3.14 * D / 1000);
    if (!AllFinite({h0, q0}))
        return std::nullopt;
    return BareLine{q0, terms.outsideAirData};
}

std::optional<InsulatedLineLoss> InsulatedLoss(const PipeLineConditions& c, double D, double Dins,
                                               double qprev, double tolerance, int maxPasses,
                                               bool& beyondAirData) {
    double Tm = (c.T1 + c.Tout) / 2; // surface guessed at the fluid temperature
    double q = qprev;
    bool lastPassOutside = false;
    int pass = 1;
    for (; pass <= maxPasses; ++pass) {
        qprev = q;
        HTChpTerms terms{};
        HTChp(Tm, c.Tout, Dins, c.e, c.WC, &terms);
        lastPassOutside = terms.outsideAirData;
        beyondAirData = beyondAirData || terms.outsideAirData;
        const double h = terms.h;
        const double U = 1 / (1 / h + (Dins / 1000) * std::log(Dins / D) / (2 * c.k));
        q = (c.T1 - c.Tout) * U * (3.14 * Dins / 1000);
        const double Ts = c.Tout + q / (h * 3.14 * Dins / 1000);
        Tm = (c.Tout + Ts) / 2;
        if (!AllFinite({h, U, q, Ts}))
            return std::nullopt;
        if (std::abs(qprev - q) < tolerance)
            break;
    }
    return InsulatedLineLoss{q, pass > maxPasses ? maxPasses : pass, lastPassOutside};
}

} // namespace termiva::detail
