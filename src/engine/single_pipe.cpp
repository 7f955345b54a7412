// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/single_pipe.h"

#include "engine/input_checks.h"
#include "engine/pipe_coefficient.h"
#include "engine/rounded_pi.h"

#include <cmath>
#include <string>

namespace termiva {

namespace {

constexpr int kMaxPasses = 100;
constexpr double kTolerance = 1e-07; // W/m

std::optional<CalculationError> CheckInput(const SinglePipeInput& in) {
    if (auto error = detail::CheckFluidAboveAmbient(in.T1, in.Tout))
        return error;
    if (!(in.D2 > 0))
        return CalculationError{"Pipe outside diameter must be greater than 0."};
    if (auto error = detail::CheckPositiveConductivity(in.k))
        return error;
    if (auto error = detail::CheckHeatGivingSurface(in.e, in.WC))
        return error;
    for (std::size_t i = 0; i < in.tins.size(); ++i) {
        if (auto error =
                detail::CheckNonNegativeThickness(in.tins[i], "tins" + std::to_string(i + 1)))
            return error;
    }
    return std::nullopt;
}

// The bare surface is taken at the fluid temperature. beyondAirData collects
// whether any pass so far left the air data, for the message of a failure.
CalculationResult<SinglePipeCase> BareCase(const SinglePipeInput& in, bool& beyondAirData) {
    const double Tm = (in.T1 + in.Tout) / 2;
    HTChpTerms bare{};
    HTChp(Tm, in.Tout, in.D2, in.e, in.WC, &bare);
    beyondAirData = beyondAirData || bare.outsideAirData;
    const double h0 = bare.h;
    const double K0 = 1 / (1 / h0);
    SinglePipeCase c{(in.T1 - in.Tout) * K0 * (in.D2 * kPi / 1000), in.T1, 0, {}};
    c.flags.outsideAirData = bare.outsideAirData;
    if (!detail::AllFinite({h0, c.HeatLoss}))
        return detail::Failure(beyondAirData);
    return c;
}

// The pipe under one thickness: the surface temperature and the outside
// coefficient depend on each other, so the heat balance is repeated until the
// loss per metre settles. tins = 0 gives the bare pipe to within rounding.
CalculationResult<SinglePipeCase> InsulatedCase(const SinglePipeInput& in, double tins,
                                                bool& beyondAirData) {
    const double D2 = in.D2;
    const double T1 = in.T1;
    const double Tout = in.Tout;
    const double D3 = tins * 2 + D2;
    SinglePipeCase c{0, T1, 0, {}};
    double Tm = (T1 + Tout) / 2;
    int n = 1;
    while (n <= kMaxPasses) {
        const double qold = c.HeatLoss;
        HTChpTerms terms{};
        HTChp(Tm, Tout, D3, in.e, in.WC, &terms);
        const double h = terms.h;
        // Only the pass that produces the result counts for its flag.
        c.flags.outsideAirData = terms.outsideAirData;
        beyondAirData = beyondAirData || terms.outsideAirData;
        const double K = 1 / (1 / h + (D3 / 1000) * std::log(D3 / D2) / (2 * in.k));
        c.HeatLoss = (T1 - Tout) * K * (D3 * kPi / 1000);
        c.Tsurface = c.HeatLoss / (h * (D3 * kPi / 1000)) + Tout;
        Tm = (Tout + c.Tsurface) / 2;
        if (!detail::AllFinite({h, K, c.HeatLoss, c.Tsurface}))
            return detail::Failure(beyondAirData);
        if (std::abs(qold - c.HeatLoss) < kTolerance)
            break;
        ++n;
    }
    // Without convergence the values of the last pass stand.
    c.passes = n > kMaxPasses ? kMaxPasses : n;
    return c;
}

} // namespace

CalculationResult<SinglePipeResult> SinglePipeHeatLoss(const SinglePipeInput& input) {
    if (auto error = CheckInput(input))
        return *error;

    SinglePipeResult r;
    bool beyondAirData = false;
    const auto bare = BareCase(input, beyondAirData);
    if (!bare)
        return bare.error();
    r.HeatLoss[0] = bare->HeatLoss;
    r.Tsurface[0] = bare->Tsurface;
    r.flags[0] = bare->flags;

    for (std::size_t i = 1; i <= 5; ++i) {
        const auto c = InsulatedCase(input, input.tins[i - 1], beyondAirData);
        if (!c)
            return c.error();
        r.HeatLoss[i] = c->HeatLoss;
        r.Tsurface[i] = c->Tsurface;
        r.passes[i] = c->passes;
        r.flags[i] = c->flags;
    }
    return r;
}

CalculationResult<SinglePipeCase> SinglePipeAtThickness(const SinglePipeInput& input, double tins) {
    SinglePipeInput checked = input;
    checked.tins.fill(tins);
    if (auto error = CheckInput(checked))
        return *error;
    bool beyondAirData = false;
    auto bare = BareCase(input, beyondAirData);
    if (!bare || tins == 0)
        return bare;
    return InsulatedCase(input, tins, beyondAirData);
}

} // namespace termiva
