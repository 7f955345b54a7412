// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/pipe_group_case.h"

#include "cases/calculator.h"
#include "text/number_text.h"

namespace termiva::cases {

PipeRowSize PipeRowSizeTexts(int row, std::string_view decimalSeparator) {
    if (row < kFirstPipeRow || row > kLastPipeRow)
        return {};
    const StandardPipe& pipe = kPipeGroupSizes[static_cast<std::size_t>(row - kFirstPipeRow)];
    return {text::Format(pipe.NO, "####0", decimalSeparator),
            text::Format(pipe.OD, "####0.0", decimalSeparator)};
}

CaseResult<PipeGroupResult> CalculatePipeGroup(const ScreenTexts& screen,
                                               std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    PipeGroupInput input; // every row's NO and OD preset: the sizes the table shows
    input.Tout = number("Text11");
    input.T1 = number("Text12");
    input.delta = number("Text13");
    input.k = number("Text14");
    input.e = number("Text15");
    input.WC = number("Text16");
    for (int row = kFirstPipeRow; row <= kLastPipeRow; ++row) {
        PipeRow& pipe = input.rows[static_cast<std::size_t>(row - kFirstPipeRow)];
        pipe.used = !screen.text(RowName("Text3", row)).empty();
        if (!pipe.used)
            continue;
        pipe.L = number(RowName("Text3", row));
        pipe.valves = number(RowName("Text4", row));
        pipe.flanges = number(RowName("Text5", row));
    }
    if (auto error = number.error())
        return *error;
    return FromEngine(PipeGroupHeatLoss(input));
}

PipeGroupTexts PipeGroupResultTexts(const PipeGroupResult& result,
                                    std::string_view decimalSeparator) {
    PipeGroupTexts texts;
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const PipeRowResult& row = result.rows[i];
        if (row.used)
            texts.rows[i] =
                PipeGroupTexts::Row{text::Format(row.Qbare, "####0", decimalSeparator),
                                    text::Format(row.Qins, "####0.0", decimalSeparator)};
    }
    texts.bareTotal = text::Format(result.QbareTotal / 1000, "####0.#0", decimalSeparator);
    texts.insulatedTotal = text::Format(result.QinsTotal / 1000, "####0.#0", decimalSeparator);
    return texts;
}

namespace {

CaseResult<ResultTexts> PipeGroupResults(const ScreenTexts& screen,
                                         std::string_view decimalSeparator) {
    const auto result = CalculatePipeGroup(screen, decimalSeparator);
    if (!result)
        return result.error();
    const PipeGroupTexts texts = PipeGroupResultTexts(*result, decimalSeparator);
    ResultTexts results;
    for (std::size_t i = 0; i < texts.rows.size(); ++i) {
        if (!texts.rows[i])
            continue;
        const int row = kFirstPipeRow + static_cast<int>(i);
        results.values.push_back(
            {RowName("Label16", row), texts.rows[i]->bare, result->rows[i].bareFlags});
        results.values.push_back(
            {RowName("Label17", row), texts.rows[i]->insulated, result->rows[i].insFlags});
    }
    results.values.push_back({"Label20", texts.bareTotal, result->bareTotalFlags});
    results.values.push_back({"Label21", texts.insulatedTotal, result->insTotalFlags});
    results.marks = MarksOf(*result);
    return results;
}

} // namespace

Calculator PipeGroupCalculator() {
    return {"multiple-pipes",     InputFileKind::MultiplePipes,
            "PART OF INSULATION", kMultiplePipesHelpTopic,
            PipeGroupFields,      RequiredFieldsMissing,
            PipeGroupTestData,    PipeGroupResults};
}

} // namespace termiva::cases
