// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pipe_group.h"

#include "engine/input_checks.h"
#include "engine/pipe_line.h"

namespace termiva {

const std::array<StandardPipe, 13> kPipeGroupSizes{{
    {20, 26.9},
    {25, 33.7},
    {32, 42.4},
    {40, 48.3},
    {50, 60.3},
    {65, 76.1},
    {80, 88.9},
    {100, 114.3},
    {125, 139.7},
    {150, 168.3},
    {200, 219.1},
    {250, 273.0},
    {310, 324.0},
}};

PipeGroupInput::PipeGroupInput() {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].NO = kPipeGroupSizes[r].NO;
        rows[r].OD = kPipeGroupSizes[r].OD;
    }
}

namespace {

constexpr int kMaxPasses = 1000;
constexpr double kTolerance = 0.00001; // W/m

std::optional<CalculationError> CheckInput(const PipeGroupInput& in) {
    if (auto error = detail::CheckConditions({in.T1, in.Tout, in.k, in.e, in.WC}))
        return error;
    if (!(in.delta >= 0))
        return CalculationError{"Insulation thickness must not be negative."};
    for (const PipeRow& row : in.rows) {
        if (!row.used)
            continue;
        if (!(row.OD > 0))
            return CalculationError{"Pipe outside diameter must be greater than 0."};
        if (!(row.L >= 0))
            return CalculationError{"Pipe length must not be negative."};
        if (!(row.valves >= 0))
            return CalculationError{"Number of valves must not be negative."};
        if (!(row.flanges >= 0))
            return CalculationError{"Number of flanges must not be negative."};
    }
    return std::nullopt;
}

} // namespace

CalculationResult<PipeGroupResult> PipeGroupHeatLoss(const PipeGroupInput& input) {
    if (auto error = CheckInput(input))
        return *error;

    const detail::PipeLineConditions conditions{input.T1, input.Tout, input.k, input.e, input.WC};
    PipeGroupResult result;
    // Carried from row to row: the first pass of a row compares with the
    // final loss of the previous used row.
    double q1 = 0;
    bool beyondAirData = false;

    for (std::size_t r = 0; r < input.rows.size(); ++r) {
        const PipeRow& row = input.rows[r];
        if (!row.used)
            continue;
        const double D = row.OD;
        const auto bare = detail::BareLineLoss(conditions, D, beyondAirData);
        const auto insulated = bare ? detail::InsulatedLoss(conditions, D, D + 2 * input.delta, q1,
                                                            kTolerance, kMaxPasses, beyondAirData)
                                    : std::nullopt;
        if (!insulated)
            return detail::Failure(beyondAirData);
        q1 = insulated->q;

        const double Leq = row.L + 1 * row.valves + 0.5 * row.flanges;
        PipeRowResult& out = result.rows[r];
        out.used = true;
        out.Qbare = bare->q * Leq;
        out.Qins = q1 * Leq;
        out.passes = insulated->passes;
        out.bareFlags.outsideAirData = bare->outsideAirData;
        out.insFlags.outsideAirData = insulated->outsideAirData;
        result.bareTotalFlags.outsideAirData |= bare->outsideAirData;
        result.insTotalFlags.outsideAirData |= insulated->outsideAirData;
        result.QbareTotal += out.Qbare;
        result.QinsTotal += out.Qins;
        // The losses per metre are finite here: only the lengths can overflow.
        if (!detail::AllFinite({out.Qbare, out.Qins, result.QbareTotal, result.QinsTotal}))
            return CalculationError{detail::kTooLarge};
    }
    return result;
}

} // namespace termiva
