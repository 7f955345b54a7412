// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/calculator.h"
#include "cases/single_pipe_case.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace termiva::cases {
namespace {

// Each file kind, each extension and each id leads to one calculator.
TEST(Calculator, RegistryFindsEachCalculatorOnce) {
    std::set<std::string_view> ids;
    for (const Calculator& calculator : Calculators())
        EXPECT_TRUE(ids.insert(calculator.id).second) << calculator.id;
    for (InputFileKind kind : files::kInputFileKinds) {
        const Calculator& calculator = CalculatorOf(kind);
        EXPECT_EQ(calculator.kind, kind);
        EXPECT_EQ(FindCalculator(calculator.id), &calculator);
        const std::string file = "case." + std::string(files::FormatOf(kind).defaultExtension);
        EXPECT_EQ(CalculatorOfPath("/tmp/" + file), &calculator) << file;
        EXPECT_EQ(ScreenTitle(kind), calculator.title);
    }
    EXPECT_EQ(CalculatorOfPath("case.txt"), nullptr);
    EXPECT_EQ(FindCalculator("economics")->helpTopic, kEconomicsHelpTopic);
    EXPECT_EQ(FindCalculator("energy"), nullptr);
    EXPECT_EQ(FindCalculator("diameter-table")->kind, std::nullopt);
}

// The test data of every calculator is complete and calculates: each result
// names a result box once, none is empty, nothing is marked.
TEST(Calculator, TestDataCalculatesIntoNamedResults) {
    for (const Calculator& calculator : Calculators()) {
        SCOPED_TRACE(std::string(calculator.id));
        const TestData data = calculator.testData(0, ",");
        // The list entry writes first (the single pipe's diameters), then the texts.
        const int listIndex = std::max(data.listIndex, 0);
        ScreenTexts screen{calculator.kind.value_or(InputFileKind::SinglePipe), listIndex, {}};
        for (const FieldText& text : PipeSizeTexts(listIndex, ","))
            screen.texts[text.field] = text.text;
        for (const FieldText& text : data.texts)
            screen.texts[text.field] = text.text;
        EXPECT_TRUE(calculator.missing(screen).empty());
        const auto results = calculator.results(screen, ",");
        ASSERT_TRUE(results) << results.error().message;
        std::set<std::string> boxes;
        for (const ResultText& value : results->values) {
            EXPECT_TRUE(boxes.insert(value.control).second) << value.control;
            EXPECT_FALSE(value.text.empty()) << value.control;
        }
        EXPECT_FALSE(boxes.empty());
        EXPECT_FALSE(results->marks.any());
        EXPECT_EQ(results->text("Label99"), nullptr);
    }
    ScreenTexts broken{InputFileKind::Vessel, 0, {}};
    EXPECT_FALSE(CalculatorOf(InputFileKind::Vessel).results(broken, "."));
}

// The operating conditions mean the same on every calculator, whatever the
// control; each meaning stands once in a table.
TEST(Calculator, FieldsAreKeyedByMeaning) {
    for (const Calculator& calculator : Calculators()) {
        SCOPED_TRACE(std::string(calculator.id));
        std::vector<FieldId> seen;
        for (const FieldSpec& row : calculator.fields()) {
            EXPECT_EQ(std::count(seen.begin(), seen.end(), row.id), 0);
            seen.push_back(row.id);
        }
        for (FieldId id : {field::FluidTemperature, field::AmbientTemperature, field::Conductivity,
                           field::Emissivity, field::WindCoefficient})
            EXPECT_EQ(std::count(seen.begin(), seen.end(), id), 1);
    }
    const ScreenTexts group{
        InputFileKind::MultiplePipes, -1, {{"Text11", "25"}, {"Text12", "150"}, {"Text13", "30"}}};
    EXPECT_EQ(group.text(field::FluidTemperature), "150");
    EXPECT_EQ(group.text(field::AmbientTemperature), "25");
    EXPECT_EQ(group.text(field::Thickness(1)), "30");
    EXPECT_EQ(group.text(field::Height), "");
    EXPECT_EQ(FindField(InputFileKind::SinglePipe, field::Thickness(5))->name, "Text14");
    EXPECT_EQ(FindField(InputFileKind::Vessel, field::Thickness(5)), nullptr);
}

} // namespace
} // namespace termiva::cases
