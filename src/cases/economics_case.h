// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The energy, cost and economic thickness calculator without widgets: its
// object list and fields, the candidate table, the required check, texts ->
// input, results -> texts and its test data.
//
// Controls: Combo1 the object list (kLimitObjects: 0 pipe, 1..3 the vessel
// shapes); Text1..Text9 the object and the common inputs, named and
// captioned as on the thickness for a limit screen; Text10 pipe length (pipe
// only), Text11 hours, Text12 price, Text13 efficiency, Text14 emission
// factor, Text15 service life, Text16 interest, Text17 escalation; Text18 the
// currency (a text of its own); Table1 the candidates, a row each with a
// thickness and an installed cost, its cells named "Table1(r,1)" and
// "Table1(r,2)" (r from 1).

#include "cases/case_fields.h"
#include "cases/case_reader.h"
#include "cases/case_records.h"
#include "cases/result_marks.h"
#include "engine/economics.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

inline constexpr std::string_view kEconomicsTitle = "ENERGY, COST AND ECONOMIC THICKNESS";
inline constexpr std::string_view kEconomicsMenuEntry = "Energy and cost";
inline constexpr std::string_view kEconomicsMoneyFrame = "Operation and costs";
inline constexpr std::string_view kCandidatesFrame = "Candidate thicknesses";
inline constexpr std::string_view kCurrencyField = "Text18";
inline constexpr std::string_view kCurrencyCaption = "Currency";
inline constexpr std::string_view kCandidateTable = "Table1";
inline constexpr std::string_view kResultTable = "Table2";
inline constexpr std::string_view kVerdictLabel = "Label1";
// Shown where the currency text is left blank; the screen offers the
// locale's currency instead.
inline constexpr std::string_view kDefaultCurrency = "EUR";

// The numeric fields Text1..Text17 in screen order, all required where used.
// A caption's "currency" stands for the currency text (EconomicsFieldCaption).
const std::vector<FieldSpec>& EconomicsFields();

// The two cells of a candidate row: thickness (not 0) and installed cost.
const std::array<FieldSpec, 2>& CandidateFields();

// True when the object of list entry `listIndex` uses `controlName`: the
// dimensions as on the thickness for a limit screen, Text10 for the pipe only.
bool EconomicsUsesField(int listIndex, std::string_view controlName);

// The candidate table's column headings: "Thickness [mm]" and "Installed
// cost [EUR/m]" (per m² for a vessel) with the currency text.
std::array<std::string, 2> CandidateHeadings(int listIndex, std::string_view currency);

// The caption of a field, a table cell ("Table1(3,2)", captioned
// "Installed cost [EUR/m], candidate 3") or the currency, for the object of
// `listIndex` and the currency text.
std::string EconomicsFieldCaption(int listIndex, std::string_view controlName,
                                  std::string_view currency);

// The texts of the screen: the fields by control name with the list entry,
// and the candidate table's rows in the order shown.
struct CandidateTexts {
    std::string thickness;
    std::string cost;
};
struct EconomicsTexts {
    ScreenTexts screen; // listIndex and Text1..Text18
    std::vector<CandidateTexts> candidates;

    // The currency text, kDefaultCurrency when blank.
    std::string currency() const;
};

// The same texts as one ScreenTexts (kind Economics), the table's cells
// among the fields by their cell names, as the registry, the input file and
// the report take them; and back.
ScreenTexts ScreenTextsOf(const EconomicsTexts& texts);
EconomicsTexts EconomicsTextsOf(const ScreenTexts& screen);

// The currency text of the screen's Text18, kDefaultCurrency when blank.
std::string EconomicsCurrency(const ScreenTexts& screen);

// "Table1(3,2)": the cost cell of candidate row 3; column 1 thickness, 2 cost.
std::string CandidateCellName(std::size_t row, int column);

// The required check: the first used field that is empty, then the first
// empty cell of the table; none when complete. An empty table is left to the
// calculation, which says so.
std::vector<std::string> EconomicsMissing(const EconomicsTexts& texts);

// The engine input of the texts (only the object's own dimensions are read).
// A text that is not a number names its field or cell.
CaseResult<EconomicsInput> EconomicsInputOf(const EconomicsTexts& texts,
                                            std::string_view decimalSeparator);

// "Calculation" on texts that passed EconomicsMissing.
CaseResult<EconomicsResult> CalculateEconomics(const EconomicsTexts& texts,
                                               std::string_view decimalSeparator);

// The result table's column headings with the currency.
std::array<std::string, 9> EconomicsColumnHeadings(std::string_view currency);

// One row of the result table, bare first. Thickness "###0.0" mm ("Bare" for
// the bare object); loss "#######0.0" W of the whole object; surface
// temperature as the single pipe ("####.0") or vessel ("###0.0") screen shows
// it; MWh/a and t CO2/a "####0.00"; money whole, grouped in thousands
// ("20,280"; "20.280" where the decimal separator is ','); payback "####0.0"
// years, "-" where the row saves nothing.
struct EconomicsRowTexts {
    std::string thickness;
    std::string heatLoss;
    std::string surfaceTemperature;
    std::string annualHeat;
    std::string annualCost;
    std::string annualCo2;
    std::string annualSavings;
    std::string payback;
    std::string lifeCycleCost;
    bool economic = false; // the row of the economic thickness
    bool marked = false;   // its loss carries a mark (result_marks.h)

    // The texts in the columns of EconomicsColumnHeadings.
    std::array<std::string, 9> cells() const;
};
struct EconomicsResultTexts {
    std::vector<EconomicsRowTexts> rows;
    // "Economic thickness 100 mm: life-cycle cost 20,280 EUR, payback 0.3
    // years, 1,011 t CO2 avoided over 10 years", with a second sentence when
    // it is the thickest candidate; the bare object's own sentence when no
    // candidate pays.
    std::string verdict;
};
EconomicsResultTexts EconomicsResultTextsOf(const EconomicsResult& result, int listIndex,
                                            std::string_view currency,
                                            std::string_view decimalSeparator);

// A money amount rounded to whole units and grouped in thousands with the
// separator that is not the decimal one.
std::string GroupedAmount(double value, std::string_view decimalSeparator);

Marks MarksOf(const EconomicsResult& result);

// "Input test data" for the object of `listIndex` (the list stays): the
// thickness for a limit screen's object and common test data, 100 m of pipe,
// 8000 h/a, 50 per MWh, 0.9, 202 kg/MWh, 10 years, 6 %/a, 3 %/a and five
// candidates from 40 to 120 mm.
struct EconomicsTestData {
    TestData fields;
    std::vector<CandidateTexts> candidates;
};
EconomicsTestData EconomicsTestDataOf(int listIndex, std::string_view decimalSeparator);

// "Take inputs" from the thickness for a limit screen: its object and the
// fields of the same meaning (Text1..Text9). From the single pipe and vessel
// screens TakeFromSinglePipe and TakeFromVessel of the limit case serve as
// they are, the controls having the same names.
TestData TakeFromThicknessLimit(const ScreenTexts& limit);

} // namespace termiva::cases
