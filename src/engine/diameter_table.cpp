#include "engine/diameter_table.h"

#include "engine/input_checks.h"
#include "engine/pipe_coefficient.h"

#include <cmath>
#include <string>

namespace termiva {

namespace {

constexpr int kMaxPasses = 100;
constexpr double kTolerance = 0.00001; // W/m

std::optional<CalculationError> CheckInput(const DiameterTableInput& in) {
    if (auto error = detail::CheckFluidAboveAmbient(in.T1, in.Tout))
        return error;
    if (auto error = detail::CheckPositiveConductivity(in.k))
        return error;
    if (auto error = detail::CheckPipeSurface(in.e, in.WC))
        return error;
    for (std::size_t j = 0; j < in.tins.size(); ++j) {
        if (auto error =
                detail::CheckNonNegativeThickness(in.tins[j], "tins" + std::to_string(j + 1)))
            return error;
    }
    return std::nullopt;
}

double StandardDiameter(int i) {
    return i <= 10 ? 10.0 * i : 100.0 * (i - 9);
}

} // namespace

CalculationResult<DiameterTable> ComputeDiameterTable(const DiameterTableInput& input) {
    if (auto error = CheckInput(input))
        return *error;

    const double T1 = input.T1;
    const double Tout = input.Tout;
    const double k = input.k;
    const double e = input.e;
    const double WC = input.WC;

    DiameterTable table;
    // Each thickness carries its loss down the rows: the first pass of a row
    // compares with the same thickness's loss of the row above.
    std::array<double, 5> q{};

    for (int i = 1; i <= 19; ++i) {
        const double D = StandardDiameter(i);
        auto& row = table.rows[static_cast<std::size_t>(i - 1)];

        double Tm = (T1 + Tout) / 2;
        const double h0 = HTChp(Tm, Tout, D, e, WC);
        const double U0 = 1 / (1 / h0);
        const double q0 = (T1 - Tout) * U0 * (3.14 * D / 1000);
        if (!detail::AllFinite({h0, q0}))
            return CalculationError{detail::kNotConverged};
        row[0] = D;
        row[1] = q0;

        for (std::size_t j = 0; j < 5; ++j) {
            const double Dj = D + 2 * input.tins[j];
            double Ts = T1;
            Tm = (T1 + Tout) / 2;
            for (int pass = 1; pass <= kMaxPasses; ++pass) {
                const double qprev = q[j];
                const double hj = HTChp(Tm, Tout, Dj, e, WC);
                const double Uj = 1 / (1 / hj + (Dj / 1000) * std::log(Dj / D) / (2 * k));
                q[j] = (T1 - Tout) * Uj * (3.14 * Dj / 1000);
                Ts = Tout + q[j] / (hj * 3.14 * Dj / 1000);
                Tm = (Ts + Tout) / 2;
                if (!detail::AllFinite({hj, Uj, q[j], Ts}))
                    return CalculationError{detail::kNotConverged};
                if (std::abs(q[j] - qprev) < kTolerance)
                    break;
            }
            row[j + 2] = q[j];
        }
    }
    return table;
}

} // namespace termiva
