// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/economics_case.h"
#include "cases/single_pipe_case.h"

#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

EconomicsTexts TestTexts(int listIndex, std::string_view separator) {
    EconomicsTexts texts;
    texts.screen.listIndex = listIndex;
    const EconomicsTestData data = EconomicsTestDataOf(listIndex, separator);
    for (const FieldText& text : data.fields.texts)
        texts.screen.texts[text.field] = text.text;
    texts.candidates = data.candidates;
    return texts;
}

// The worked example's money with its losses given (600 W/m bare; 60, 48, 41,
// 37, 34 W/m) on 100 m of pipe.
EconomicsResult WorkedResult(double costScale = 1) {
    EconomicsTerms t{8000, 50, 0.9, 202, 10, 6, 3};
    std::vector<EconomicsLoss> rows;
    for (auto [th, q, cost] : {std::array<double, 3>{0, 600, 0},
                               {40, 60, 30},
                               {60, 48, 40},
                               {80, 41, 52},
                               {100, 37, 66},
                               {120, 34, 82}})
        rows.push_back({ThicknessPoint{th, q, 60, {}}, q * 100, cost * 100 * costScale});
    return *EconomicsOfLosses(t, rows);
}

TEST(EconomicsCase, VerdictAndTableOfTheWorkedExample) {
    const EconomicsResultTexts texts = EconomicsResultTextsOf(WorkedResult(), 0, "EUR", ".");
    EXPECT_EQ(texts.verdict, "Economic thickness 100 mm: life-cycle cost 20,280 EUR, payback 0.3 "
                             "years, 1,011 t CO2 avoided over 10 years");
    ASSERT_EQ(texts.rows.size(), 6u);
    const EconomicsRowTexts& bare = texts.rows[0];
    EXPECT_EQ(bare.thickness, "Bare");
    EXPECT_EQ(bare.payback, "-");
    EXPECT_EQ(bare.lifeCycleCost, "221,835");
    EXPECT_EQ(bare.annualHeat, "480.00");
    const EconomicsRowTexts& best = texts.rows[4];
    EXPECT_TRUE(best.economic);
    EXPECT_EQ(best.thickness, "100.0");
    EXPECT_EQ(best.annualCost, "1,644");
    EXPECT_EQ(best.annualSavings, "25,022");

    const EconomicsResultTexts comma = EconomicsResultTextsOf(WorkedResult(), 0, "CHF", ",");
    EXPECT_EQ(comma.verdict, "Economic thickness 100 mm: life-cycle cost 20.280 CHF, payback 0,3 "
                             "years, 1.011 t CO2 avoided over 10 years");
    EXPECT_EQ(GroupedAmount(-1234567.5, ","), "-1.234.568");
    EXPECT_EQ(GroupedAmount(999.4, "."), "999");
}

TEST(EconomicsCase, VerdictAtTheEndsOfTheList) {
    EXPECT_EQ(EconomicsResultTextsOf(WorkedResult(0.01), 0, "EUR", ".").verdict,
              "Economic thickness 120 mm: life-cycle cost 12,653 EUR, payback 0.0 years, 1,016 t "
              "CO2 avoided over 10 years (the thickest candidate: a thicker one may cost less)");
    EXPECT_EQ(EconomicsResultTextsOf(WorkedResult(1000), 2, "EUR", ".").verdict,
              "No candidate pays: the bare vessel has the least life-cycle cost, 221,835 EUR over "
              "10 years");
}

TEST(EconomicsCase, TestDataUnderEitherSeparatorReadsTheSinglePipeColumns) {
    for (std::string_view separator : {".", ","}) {
        SCOPED_TRACE(separator);
        EconomicsTexts texts = TestTexts(0, separator);
        EXPECT_TRUE(EconomicsMissing(texts).empty());
        const auto input = EconomicsInputOf(texts, separator);
        ASSERT_TRUE(input) << input.error().message;
        EXPECT_EQ(input->terms.efficiency, 0.9);
        EXPECT_EQ(input->length, 100);
        const auto result = CalculateEconomics(texts, separator);
        ASSERT_TRUE(result) << result.error().message;
        ASSERT_EQ(result->rows.size(), 6u);

        // The 40 mm row reads as the single pipe screen's 40 mm column.
        ScreenTexts single{InputFileKind::SinglePipe, 0, {}};
        for (const FieldText& text : TestDataOf(InputFileKind::SinglePipe, separator).texts)
            single.texts[text.field] = text.text;
        single.texts["Text2"] = separator == "." ? "26.9" : "26,9"; // set by the size list
        single.texts["Text10"] = "40";
        const auto column = CalculateSinglePipe(single, separator);
        ASSERT_TRUE(column) << column.error().message;
        EXPECT_EQ(result->rows[1].loss.point.HeatLoss, column->HeatLoss[1]);
    }
    const auto vessel = CalculateEconomics(TestTexts(3, "."), ".");
    ASSERT_TRUE(vessel) << vessel.error().message;
}

TEST(EconomicsCase, MissingAndInvalidTextsNameTheirFieldOrCell) {
    EconomicsTexts pipe = TestTexts(0, ".");
    pipe.screen.texts["Text10"] = "";
    EXPECT_EQ(EconomicsMissing(pipe), std::vector<std::string>{"Text10"});
    EconomicsTexts vessel = TestTexts(1, ".");
    EXPECT_TRUE(EconomicsMissing(vessel).empty()); // no pipe length for a vessel
    vessel.candidates[2].cost = "";
    EXPECT_EQ(EconomicsMissing(vessel), std::vector<std::string>{"Table1(3,2)"});

    vessel.candidates[2].cost = "1,5"; // the other separator
    vessel.screen.texts[std::string(kCurrencyField)] = "CHF";
    auto r = CalculateEconomics(vessel, ".");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().field, "Table1(3,2)");
    EXPECT_EQ(r.error().message, "Invalid entries, please enter numbers only (Table1(3,2), "
                                 "Installed cost [CHF/m²], candidate 3)");
    EXPECT_EQ(EconomicsFieldCaption(0, "Text12", "CHF"), "Energy price (p) [CHF/MWh]");

    // The engine's own refusal comes through unchanged.
    EconomicsTexts engine = TestTexts(0, ".");
    engine.screen.texts["Text13"] = "90";
    r = CalculateEconomics(engine, ".");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().field, "");
    EXPECT_EQ(r.error().message,
              "Efficiency of the heat supply must be greater than 0 and at most 1.");
}

} // namespace
} // namespace termiva::cases
