// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/diameter_table_case.h"

#include "cases/calculator.h"
#include "text/number_text.h"

namespace termiva::cases {

DiameterTableInput PipeConditions(CaseReader& number) {
    DiameterTableInput input;
    static_cast<OperatingConditions&>(input) = number.conditions();
    for (std::size_t i = 0; i < input.tins.size(); ++i)
        input.tins[i] = number(field::Thickness(static_cast<int>(i) + 1));
    return input;
}

CaseResult<DiameterTable> CalculateDiameterTable(const ScreenTexts& singlePipe,
                                                 std::string_view decimalSeparator) {
    CaseReader number(singlePipe, decimalSeparator);
    const DiameterTableInput input = PipeConditions(number);
    if (auto error = number.error())
        return *error;
    return FromEngine(ComputeDiameterTable(input));
}

DiameterTableTexts TableTexts(const DiameterTable& table, std::string_view decimalSeparator) {
    DiameterTableTexts texts;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        for (std::size_t c = 0; c < table.rows[i].size(); ++c)
            texts[i][c] =
                text::Format(table.rows[i][c], c == 0 ? "####0" : "####0.#0", decimalSeparator);
    }
    return texts;
}

files::DiagramExportData DiagramExportOf(const ScreenTexts& singlePipe,
                                         const DiameterTableTexts& table,
                                         std::string_view decimalSeparator) {
    files::DiagramExportData data;
    data.decimalSeparator = std::string(decimalSeparator);
    data.fluidTemperatureText = singlePipe.text(field::FluidTemperature);
    for (std::size_t j = 0; j < data.thicknessTexts.size(); ++j)
        data.thicknessTexts[j] = singlePipe.text(field::Thickness(static_cast<int>(j) + 1));
    data.table = table;
    return data;
}

namespace {

// The table screen's cells: column c of row i is Text<c+1>(<i+1>).
CaseResult<ResultTexts> DiameterTableResults(const ScreenTexts& screen,
                                             std::string_view decimalSeparator) {
    const auto table = CalculateDiameterTable(screen, decimalSeparator);
    if (!table)
        return table.error();
    const DiameterTableTexts texts = TableTexts(*table, decimalSeparator);
    ResultTexts results;
    for (std::size_t c = 0; c < 7; ++c) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            results.values.push_back(
                {RowName("Text" + std::to_string(c + 1), static_cast<int>(i) + 1), texts[i][c],
                 table->flags[i][c]});
    }
    results.marks = MarksOf(*table);
    return results;
}

} // namespace

// The table has no file of its own: it reads the single pipe's texts.
Calculator DiameterTableCalculator() {
    return {"diameter-table", std::nullopt,          kDiameterTableTitle, kChartScreenHelpTopic,
            SinglePipeFields, RequiredFieldsMissing, SinglePipeTestData,  DiameterTableResults};
}

} // namespace termiva::cases
