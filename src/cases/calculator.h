// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A calculator described once: its input file kind, title, field table,
// required check, test data, calculation with its result texts and its help
// topic. The registry lists every calculator; the main window, the report,
// `termiva FILE` and termiva-calc look one up here instead of asking which
// kind of file or screen they hold. The report content is looked up by the
// calculator's id in src/report.

#include "cases/case_fields.h"
#include "cases/case_reader.h"
#include "cases/case_records.h"
#include "cases/result_marks.h"
#include "engine/value_flags.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

// Help topics, as the help file's anchors "topic<N>" number them.
inline constexpr int kMainWindowHelpTopic = 1;
inline constexpr int kChartScreenHelpTopic = 2;
inline constexpr int kSinglePipeHelpTopic = 3;
inline constexpr int kMultiplePipesHelpTopic = 4;
inline constexpr int kVesselHelpTopic = 5;
inline constexpr int kThicknessLimitHelpTopic = 6;
inline constexpr int kEconomicsHelpTopic = 7;

// One result as its screen shows it: the result box's control name
// ("Label18", "Label16(13)"), its text and what marks it.
struct ResultText {
    std::string control;
    std::string text;
    ValueFlags flags;
};

// Every result a calculation gives, in screen order, and the marks of the
// whole calculation.
struct ResultTexts {
    std::vector<ResultText> values;
    Marks marks;

    // The text of the result box `control`; nothing when the calculation did
    // not fill it (a pipe row left out).
    const std::string* text(std::string_view control) const;
};

struct Calculator {
    std::string_view id; // "single-pipe", "vessel", "multiple-pipes", "thickness-limit",
                         // "economics", "diameter-table"
    // The input file kind; none for a calculation without a file of its own
    // (the diameter table takes the single pipe's).
    std::optional<InputFileKind> kind;
    std::string_view title;
    int helpTopic;
    const std::vector<FieldSpec>& (*fields)();
    // The required check on texts: the control names "Please input value!"
    // is shown for, in order.
    std::vector<std::string> (*missing)(const ScreenTexts& screen);
    // "Input test data" with the list as it stands.
    TestData (*testData)(int listIndex, std::string_view decimalSeparator);
    // "Calculation" on texts that passed the required check: the results as
    // the screen shows them.
    CaseResult<ResultTexts> (*results)(const ScreenTexts& screen,
                                       std::string_view decimalSeparator);
};

// "Label18" for 18: the name of a result box.
std::string LabelName(int number);

// Loss and surface temperature columns (bare first) as the result boxes
// Label<firstLoss>... and Label<firstTemperature>... show them.
template <std::size_t N>
ResultTexts LossResults(const LossTexts<N>& texts, const std::array<ValueFlags, N>& flags,
                        int firstLoss, int firstTemperature) {
    ResultTexts results;
    for (std::size_t i = 0; i < N; ++i)
        results.values.push_back(
            {LabelName(firstLoss + static_cast<int>(i)), texts.heatLoss[i], flags[i]});
    for (std::size_t i = 0; i < N; ++i)
        results.values.push_back({LabelName(firstTemperature + static_cast<int>(i)),
                                  texts.surfaceTemperature[i], flags[i]});
    for (const ValueFlags& value : flags)
        results.marks.add(value);
    return results;
}

// The calculators, each described in its case unit.
Calculator SinglePipeCalculator();
Calculator VesselCalculator();
Calculator PipeGroupCalculator();
Calculator ThicknessLimitCalculator();
Calculator DiameterTableCalculator();
// Its candidate table travels in ScreenTexts as the cells "Table1(r,c)".
Calculator EconomicsCalculator();

// Every calculator, in menu order.
const std::vector<Calculator>& Calculators();

// The calculator of an id, of a file kind, of a file name's extension;
// nullptr for none.
const Calculator* FindCalculator(std::string_view id);
const Calculator& CalculatorOf(InputFileKind kind);
const Calculator* CalculatorOfPath(std::string_view path);

} // namespace termiva::cases
