// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/raised_loss.h"

#include "cases/case_reader.h"
#include "cases/pipe_group_case.h"
#include "cases/result_marks.h"
#include "cases/thickness_limit_case.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace termiva::cases {

namespace {

// The object of a single pipe or vessel screen, as the limit calculation takes
// it; nothing where its texts do not read (the calculation has said why).
std::optional<ThicknessLimitInput> ObjectOf(const ScreenTexts& screen,
                                            std::string_view decimalSeparator) {
    auto input = ThicknessLimitInputOf(ThicknessLimitTextsOf(screen), decimalSeparator);
    if (!input)
        return std::nullopt;
    return std::move(input).value();
}

std::string Millimetres(double thickness, std::string_view decimalSeparator) {
    return text::Format(thickness, "###0.0", decimalSeparator) + " mm";
}

// " below 12.3 mm" or " at every thickness up to 1000 mm".
std::string RaisedRange(const std::optional<double>& below, std::string_view decimalSeparator) {
    if (!below)
        return " at every thickness up to " + text::Format(kMaxLimitThickness, "####0", ".") +
               " mm";
    return " below " + Millimetres(*below, decimalSeparator);
}

std::string Joined(const std::string& first, const std::string& second) {
    return first.empty() || second.empty() ? first + second : first + " " + second;
}

// The note of a screen with one bare column and insulated columns under
// tins1, tins2, ...
template <std::size_t N>
std::string ColumnsNote(const ScreenTexts& screen, const std::array<double, N>& loss,
                        std::string_view object, std::string_view decimalSeparator) {
    std::optional<double> raised;
    for (std::size_t i = 1; i < N; ++i) {
        const FieldId tins = field::Thickness(static_cast<int>(i));
        if (loss[i] > loss[0])
            raised = std::max(raised.value_or(0.0),
                              text::ToDouble(screen.text(tins), decimalSeparator).value_or(0));
    }
    if (!raised)
        return {};
    const std::optional<ThicknessLimitInput> input = ObjectOf(screen, decimalSeparator);
    if (!input)
        return {};
    const std::optional<double> below = LossRaisedBelow(*input, *raised, loss[0]);
    return "Insulation raises the loss of this " + std::string(object) +
           RaisedRange(below, decimalSeparator) + ".";
}

} // namespace

std::optional<double> LossRaisedBelow(const ThicknessLimitInput& object, double raised,
                                      double bareLoss) {
    // On the grid in tenths of a millimetre: `above` still raises the loss,
    // `back` no longer does. A loss that rises under a thin layer falls
    // steadily beyond its peak, so halving the step finds where it crosses.
    const auto lowered = [&](long tenths) -> std::optional<bool> {
        auto point = ThicknessLimitPoint(object, static_cast<double>(tenths) * kLimitResolution);
        if (!point)
            return std::nullopt;
        return point->HeatLoss <= bareLoss;
    };
    const long last = std::lround(kMaxLimitThickness / kLimitResolution);
    long above = std::clamp(static_cast<long>(std::floor(raised / kLimitResolution)), 0L, last);
    long back = above;
    while (true) {
        if (back == last)
            return std::nullopt;
        back = std::min(last, std::max(back * 2, back + 1));
        const std::optional<bool> ok = lowered(back);
        if (!ok)
            return std::nullopt;
        if (*ok)
            break;
        above = back;
    }
    while (back - above > 1) {
        const long middle = above + (back - above) / 2;
        const std::optional<bool> ok = lowered(middle);
        if (!ok)
            return std::nullopt;
        (*ok ? back : above) = middle;
    }
    return static_cast<double>(back) * kLimitResolution;
}

std::string SinglePipeRaisedNote(const ScreenTexts& screen, const SinglePipeResult& result,
                                 std::string_view decimalSeparator) {
    return ColumnsNote(screen, result.HeatLoss, "pipe", decimalSeparator);
}

std::string VesselRaisedNote(const ScreenTexts& screen, const VesselResult& result,
                             std::string_view decimalSeparator) {
    return ColumnsNote(screen, result.HeatLoss, "vessel", decimalSeparator);
}

std::string PipeGroupRaisedNote(const ScreenTexts& screen, const PipeGroupResult& result,
                                std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    ThicknessLimitInput pipe;
    static_cast<OperatingConditions&>(pipe) = number.conditions();
    const double delta = number(field::Thickness(1));
    std::string rows;
    int count = 0;
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const PipeRowResult& row = result.rows[i];
        if (!row.used || !(row.Qins > row.Qbare))
            continue;
        // Per metre of the row's pipe, as valves and flanges count as pipe.
        pipe.D2 = kPipeGroupSizes[i].OD;
        auto bare = ThicknessLimitPoint(pipe, 0);
        if (!bare)
            continue;
        const std::optional<double> below = LossRaisedBelow(pipe, delta, bare->HeatLoss);
        rows += std::string(count++ == 0 ? "" : ", ") + "NO " +
                PipeRowSizeTexts(kFirstPipeRow + static_cast<int>(i), decimalSeparator).nominal +
                RaisedRange(below, decimalSeparator);
    }
    if (count == 0)
        return {};
    return "Insulation raises the loss of the pipe" + std::string(count > 1 ? "s " : " ") + rows +
           ".";
}

std::string SinglePipeNote(const ScreenTexts& screen, const SinglePipeResult& result,
                           std::string_view decimalSeparator) {
    return Joined(SinglePipeRaisedNote(screen, result, decimalSeparator), MarksOf(result).note());
}

std::string VesselNote(const ScreenTexts& screen, const VesselResult& result,
                       std::string_view decimalSeparator) {
    return Joined(VesselRaisedNote(screen, result, decimalSeparator), MarksOf(result).note());
}

std::string PipeGroupNote(const ScreenTexts& screen, const PipeGroupResult& result,
                          std::string_view decimalSeparator) {
    return Joined(PipeGroupRaisedNote(screen, result, decimalSeparator), MarksOf(result).note());
}

} // namespace termiva::cases
