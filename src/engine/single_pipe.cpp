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
    if (auto error = detail::CheckHeatGivingSurface(in.e, in.WC))
        return error;
    for (std::size_t i = 0; i < in.tins.size(); ++i) {
        if (auto error =
                detail::CheckNonNegativeThickness(in.tins[i], "tins" + std::to_string(i + 1)))
            return error;
    }
    return std::nullopt;
}

} // namespace

CalculationResult<SinglePipeResult> SinglePipeHeatLoss(const SinglePipeInput& input) {
    if (auto error = CheckInput(input))
        return *error;

    const double D2 = input.D2;
    const double T1 = input.T1;
    const double Tout = input.Tout;
    const double e = input.e;
    const double WC = input.WC;
    const double k = input.k;

    SinglePipeResult r;

    // The bare surface is taken at the fluid temperature.
    double Tm = (T1 + Tout) / 2;
    const HTChpTerms bare = HTChpDetailed(Tm, Tout, D2, e, WC);
    bool beyondAirData = bare.outsideAirData;
    const double h0 = bare.h;
    const double K0 = 1 / (1 / h0);
    r.HeatLoss[0] = (T1 - Tout) * K0 * (D2 * 3.14 / 1000);
    r.Tsurface[0] = T1;
    r.flags[0].outsideAirData = bare.outsideAirData;
    if (!detail::AllFinite({h0, r.HeatLoss[0]}))
        return detail::Failure(beyondAirData);

    for (std::size_t i = 1; i <= 5; ++i) {
        const double D3 = input.tins[i - 1] * 2 + D2;
        Tm = (T1 + Tout) / 2;
        r.Tsurface[i] = T1;
        r.HeatLoss[i] = 0;
        int n = 1;
        while (n <= kMaxPasses) {
            const double qold = r.HeatLoss[i];
            const HTChpTerms terms = HTChpDetailed(Tm, Tout, D3, e, WC);
            const double h = terms.h;
            // Only the pass that produces the result counts for its flag.
            r.flags[i].outsideAirData = terms.outsideAirData;
            beyondAirData = beyondAirData || terms.outsideAirData;
            const double K = 1 / (1 / h + (D3 / 1000) * std::log(D3 / D2) / (2 * k));
            r.HeatLoss[i] = (T1 - Tout) * K * (D3 * 3.14 / 1000);
            r.Tsurface[i] = r.HeatLoss[i] / (h * (D3 * 3.14 / 1000)) + Tout;
            Tm = (Tout + r.Tsurface[i]) / 2;
            if (!detail::AllFinite({h, K, r.HeatLoss[i], r.Tsurface[i]}))
                return detail::Failure(beyondAirData);
            if (std::abs(qold - r.HeatLoss[i]) < kTolerance)
                break;
            ++n;
        }
        // Without convergence the values of the last pass stand.
        r.passes[i] = n > kMaxPasses ? kMaxPasses : n;
    }
    return r;
}

} // namespace termiva
