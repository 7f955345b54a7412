// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/diameter_table.h"

#include "engine/input_checks.h"
#include "engine/pipe_line.h"

#include <string>

namespace termiva {

namespace {

constexpr int kMaxPasses = 100;
constexpr double kTolerance = 0.00001; // W/m

std::optional<CalculationError> CheckInput(const DiameterTableInput& in) {
    if (auto error = detail::CheckConditions(in))
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

    const detail::PipeLineConditions& conditions = input;
    DiameterTable table;
    // Each thickness carries its loss down the rows: the first pass of a row
    // compares with the same thickness's loss of the row above.
    std::array<double, 5> q{};
    bool beyondAirData = false;

    for (int i = 1; i <= 19; ++i) {
        const double D = StandardDiameter(i);
        auto& row = table.rows[static_cast<std::size_t>(i - 1)];
        auto& flags = table.flags[static_cast<std::size_t>(i - 1)];
        const auto bare = detail::BareLineLoss(conditions, D, beyondAirData);
        if (!bare)
            return detail::Failure(beyondAirData);
        row[0] = D;
        row[1] = bare->q;
        flags[1].outsideAirData = bare->outsideAirData;

        for (std::size_t j = 0; j < 5; ++j) {
            const auto insulated = detail::InsulatedLoss(conditions, D, D + 2 * input.tins[j], q[j],
                                                         kTolerance, kMaxPasses, beyondAirData);
            if (!insulated)
                return detail::Failure(beyondAirData);
            q[j] = insulated->q;
            row[j + 2] = q[j];
            flags[j + 2].outsideAirData = insulated->outsideAirData;
            table.passes[static_cast<std::size_t>(i - 1)][j] = insulated->passes;
        }
    }
    return table;
}

} // namespace termiva
