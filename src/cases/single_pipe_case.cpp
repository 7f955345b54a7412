// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/single_pipe_case.h"

#include "cases/calculator.h"
#include "cases/diameter_table_case.h"
#include "engine/pipe_sizes.h"
#include "text/number_text.h"

namespace termiva::cases {

std::vector<FieldText> PipeSizeTexts(int listIndex, std::string_view decimalSeparator) {
    if (listIndex < 0 || listIndex >= static_cast<int>(kSinglePipeSizes.size()))
        return {};
    const PipeSizeEntry& entry = kSinglePipeSizes[static_cast<std::size_t>(listIndex)];
    const auto textOf = [&](const std::optional<double>& value) {
        return value ? text::ToText(*value, decimalSeparator) : std::string();
    };
    return {{"Text1", textOf(entry.D1)}, {"Text2", textOf(entry.D2)}};
}

CaseResult<SinglePipeResult> CalculateSinglePipe(const ScreenTexts& screen,
                                                 std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    SinglePipeInput input;
    input.D2 = number("Text2");
    const DiameterTableInput conditions = PipeConditions(number);
    static_cast<OperatingConditions&>(input) = conditions;
    input.tins = conditions.tins;
    if (auto error = number.error())
        return *error;
    return FromEngine(SinglePipeHeatLoss(input));
}

SinglePipeTexts SinglePipeResultTexts(const SinglePipeResult& result,
                                      std::string_view decimalSeparator) {
    return FormatLosses(result.HeatLoss, result.Tsurface, kPipeLossPattern, kPipeTemperaturePattern,
                        decimalSeparator);
}

namespace {

CaseResult<ResultTexts> SinglePipeResults(const ScreenTexts& screen,
                                          std::string_view decimalSeparator) {
    const auto result = CalculateSinglePipe(screen, decimalSeparator);
    if (!result)
        return result.error();
    return LossResults(SinglePipeResultTexts(*result, decimalSeparator), result->flags, 18, 24);
}

} // namespace

Calculator SinglePipeCalculator() {
    return {"single-pipe",    InputFileKind::SinglePipe, "SINGLE PIPES",     kSinglePipeHelpTopic,
            SinglePipeFields, RequiredFieldsMissing,     SinglePipeTestData, SinglePipeResults};
}

} // namespace termiva::cases
