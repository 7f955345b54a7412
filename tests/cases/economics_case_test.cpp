// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/calculator.h"
#include "cases/economics_case.h"
#include "test_data.h"

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

// The worked check's money with its losses given.
EconomicsResult WorkedResult(double costScale = 1) {
    return *EconomicsOfLosses(test_data::WorkedEconomicsTerms(),
                              test_data::WorkedEconomicsLosses(costScale));
}

TEST(EconomicsCase, VerdictsAndTableOfTheWorkedExample) {
    const EconomicsResultTexts texts = EconomicsResultTextsOf(WorkedResult(), 0, "EUR", ".");
    EXPECT_EQ(texts.verdict, "Economic thickness 100 mm: life-cycle cost 20,280 EUR, payback 0.3 "
                             "years, 1,011 t CO2 avoided over 10 years");
    ASSERT_EQ(texts.rows.size(), 6u);
    const EconomicsRowTexts& bare = texts.rows[0];
    EXPECT_EQ(bare.thickness, "Bare");
    EXPECT_EQ(bare.payback, "-");
    EXPECT_EQ(bare.lifeCycleCost, "221,835");
    const EconomicsRowTexts& best = texts.rows[4];
    EXPECT_TRUE(best.economic);
    EXPECT_EQ(best.thickness, "100.0");
    EXPECT_EQ(best.annualCost, "1,644");
    EXPECT_EQ(best.annualSavings, "25,022");

    const EconomicsResultTexts comma = EconomicsResultTextsOf(WorkedResult(), 0, "CHF", ",");
    EXPECT_EQ(comma.verdict, "Economic thickness 100 mm: life-cycle cost 20.280 CHF, payback 0,3 "
                             "years, 1.011 t CO2 avoided over 10 years");
    EXPECT_EQ(GroupedAmount(-1234567.5, ","), "-1.234.568");

    EXPECT_EQ(EconomicsResultTextsOf(WorkedResult(0.01), 0, "EUR", ".").verdict,
              "Economic thickness 120 mm: life-cycle cost 12,653 EUR, payback 0.0 years, 1,016 t "
              "CO2 avoided over 10 years (the thickest candidate: a thicker one may cost less)");
    EXPECT_EQ(EconomicsResultTextsOf(WorkedResult(1000), 2, "EUR", ".").verdict,
              "No candidate pays: the bare vessel has the least life-cycle cost, 221,835 EUR over "
              "10 years");
}

TEST(EconomicsCase, TestDataUnderEitherSeparator) {
    for (std::string_view separator : {".", ","}) {
        SCOPED_TRACE(separator);
        const EconomicsTexts texts = TestTexts(0, separator);
        EXPECT_TRUE(EconomicsMissing(texts).empty());
        const auto result = CalculateEconomics(texts, separator);
        ASSERT_TRUE(result) << result.error().message;
        EXPECT_EQ(result->coveredSize, 100);
        EXPECT_EQ(result->rows.size(), 6u);
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
    const auto r = CalculateEconomics(vessel, ".");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().field, "Table1(3,2)");
    EXPECT_EQ(r.error().message, "Invalid entries, please enter numbers only (Table1(3,2), "
                                 "Installed cost [CHF/m²], candidate 3)");
    EXPECT_EQ(EconomicsFieldCaption(0, "Text12", "CHF"), "Energy price (p) [CHF/MWh]");
    // No surface emits more than a black body, here as on the other screens.
    EconomicsTexts bright = TestTexts(0, ".");
    bright.screen.texts["Text8"] = "1.5";
    const auto refused = CalculateEconomics(bright, ".");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, "Emissivity of Outside Surface (e) [-] must not be greater "
                                       "than 1.");
}

// Save and load: the file holds the texts byte for byte under either
// separator, the table after the fields, and loading gives them back.
TEST(EconomicsCase, FileRoundTripUnderEitherSeparator) {
    const InputFileKind kind = InputFileKind::Economics;
    for (std::string_view separator : {".", ","}) {
        SCOPED_TRACE(separator);
        const ScreenTexts screen = ScreenTextsOf(TestTexts(2, separator));
        const std::string bytes = files::ToBytes(kind, RecordOf(screen));
        std::string expected =
            "Insulation energy and cost file\r\n2\r\n\r\n1.2\r\n1.8\r\n0.8\r\n150\r\n"
            "20\r\n0.05\r\n1\r\n1\r\n\r\n8000\r\n50\r\n0.9\r\n202\r\n10\r\n6\r\n3\r\n"
            "\r\n5\r\n40\r\n40\r\n60\r\n50\r\n80\r\n60\r\n100\r\n70\r\n120\r\n80\r\n";
        std::replace(expected.begin(), expected.end(), '.', separator.front());
        EXPECT_EQ(bytes, expected);
        const auto record = files::FromBytes(kind, bytes);
        ASSERT_TRUE(record) << record.error().message;
        std::vector<ChangedField> changed;
        const ScreenTexts loaded = LoadScreen(kind, *record, separator, &changed);
        EXPECT_TRUE(changed.empty());
        EXPECT_EQ(files::ToBytes(kind, RecordOf(loaded)), bytes);
    }
    // A cell the typing filter changes is told by its caption.
    files::InputRecord record = RecordOf(ScreenTextsOf(TestTexts(0, ".")));
    record.table[1][1] = "-40";
    std::vector<ChangedField> changed;
    const ScreenTexts loaded = LoadScreen(kind, record, ".", &changed);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].field, "Table1(2,2)");
    EXPECT_NE(ChangedFieldsMessage(loaded, changed).find("Installed cost [EUR/m], candidate 2"),
              std::string::npos);
}

} // namespace
} // namespace termiva::cases
