#include "engine/single_pipe.h"

#include "engine/input_checks.h"
#include "engine/pipe_coefficient.h"

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
    if (auto error = detail::CheckPipeSurface(in.e, in.WC))
        return error;
    for (std::size_t i = 0; i < in.tins.size(); ++i) {
        if (auto error =
                detail::CheckNonNegativeThickness(in.tins[i], "tins" + std::to_string(i + 1)))
            return error;
    }
    return std::nullopt;
}

// The pipe under one thickness: the surface temperature and the outside
// coefficient depend on each other, so the heat balance is repeated until the
// loss per metre settles. tins = 0 gives the bare pipe to within rounding.
CalculationResult<SinglePipeCase> InsulatedCase(const SinglePipeInput& in, double tins) {
    const double D2 = in.D2;
    const double T1 = in.T1;
    const double Tout = in.Tout;
    const double D3 = tins * 2 + D2;
    SinglePipeCase c{0, T1, 0};
    double Tm = (T1 + Tout) / 2;
    int n = 1;
    while (n <= kMaxPasses) {
        const double qold = c.HeatLoss;
        const double h = HTChp(Tm, Tout, D3, in.e, in.WC);
        const double K = 1 / (1 / h + (D3 / 1000) * std::log(D3 / D2) / (2 * in.k));
        c.HeatLoss = (T1 - Tout) * K * (D3 * 3.14 / 1000);
        c.Tsurface = c.HeatLoss / (h * (D3 * 3.14 / 1000)) + Tout;
        Tm = (Tout + c.Tsurface) / 2;
        if (!detail::AllFinite({h, K, c.HeatLoss, c.Tsurface}))
            return CalculationError{detail::kNotConverged};
        if (std::abs(qold - c.HeatLoss) < kTolerance)
            break;
        ++n;
    }
    // Without convergence the values of the last pass stand.
    c.passes = n > kMaxPasses ? kMaxPasses : n;
    return c;
}

// The bare surface is taken at the fluid temperature.
CalculationResult<SinglePipeCase> BareCase(const SinglePipeInput& in) {
    const double Tm = (in.T1 + in.Tout) / 2;
    const double h0 = HTChp(Tm, in.Tout, in.D2, in.e, in.WC);
    const double K0 = 1 / (1 / h0);
    const double loss = (in.T1 - in.Tout) * K0 * (in.D2 * 3.14 / 1000);
    if (!detail::AllFinite({h0, loss}))
        return CalculationError{detail::kNotConverged};
    return SinglePipeCase{loss, in.T1, 0};
}

} // namespace

CalculationResult<SinglePipeResult> SinglePipeHeatLoss(const SinglePipeInput& input) {
    if (auto error = CheckInput(input))
        return *error;

    SinglePipeResult r;
    const auto bare = BareCase(input);
    if (!bare)
        return bare.error();
    r.HeatLoss[0] = bare->HeatLoss;
    r.Tsurface[0] = bare->Tsurface;

    for (std::size_t i = 1; i <= 5; ++i) {
        const auto c = InsulatedCase(input, input.tins[i - 1]);
        if (!c)
            return c.error();
        r.HeatLoss[i] = c->HeatLoss;
        r.Tsurface[i] = c->Tsurface;
        r.passes[i] = c->passes;
    }
    return r;
}

CalculationResult<SinglePipeCase> SinglePipeAtThickness(const SinglePipeInput& input, double tins) {
    SinglePipeInput checked = input;
    checked.tins.fill(tins);
    if (auto error = CheckInput(checked))
        return *error;
    return tins == 0 ? BareCase(input) : InsulatedCase(input, tins);
}

} // namespace termiva
