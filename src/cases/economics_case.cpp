// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/economics_case.h"

#include "cases/thickness_limit_case.h"
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace termiva::cases {

namespace {

constexpr std::string_view kMoney = kEconomicsMoneyFrame;
constexpr Requirement kRequired = Requirement::Required;
constexpr std::size_t kSharedFields = 9; // Text1..Text9, as on the limit screen

const std::vector<FieldSpec> kOwnFields = {
    {{Meaning::PipeLength},
     "Text10",
     "Pipe length (L) [m]",
     "m",
     kMoney,
     FieldRule::NotZero,
     kRequired},
    {{Meaning::OperatingHours},
     "Text11",
     "Operating hours per year (H) [h/a]",
     "h/a",
     kMoney,
     FieldRule::NotZero,
     kRequired},
    {{Meaning::EnergyPrice},
     "Text12",
     "Energy price (p) [currency/MWh]",
     "currency/MWh",
     kMoney,
     FieldRule::Number,
     kRequired},
    {{Meaning::Efficiency},
     "Text13",
     "Efficiency of the heat supply (eta) [-]",
     "-",
     kMoney,
     FieldRule::NotZero,
     kRequired},
    {{Meaning::EmissionFactor},
     "Text14",
     "CO2 emission factor (f) [kg/MWh]",
     "kg/MWh",
     kMoney,
     FieldRule::Number,
     kRequired},
    {{Meaning::ServiceLife},
     "Text15",
     "Service life (n) [years]",
     "years",
     kMoney,
     FieldRule::NotZero,
     kRequired},
    {{Meaning::InterestRate},
     "Text16",
     "Interest rate (i) [%/a]",
     "%/a",
     kMoney,
     FieldRule::Number,
     kRequired},
    {{Meaning::PriceEscalation},
     "Text17",
     "Energy price escalation (g) [%/a]",
     "%/a",
     kMoney,
     FieldRule::Number,
     kRequired},
};

const std::vector<FieldSpec> kFields = [] {
    const std::vector<FieldSpec>& limit = ThicknessLimitFields();
    std::vector<FieldSpec> fields(limit.begin(), limit.begin() + kSharedFields);
    fields.insert(fields.end(), kOwnFields.begin(), kOwnFields.end());
    return fields;
}();

const std::array<FieldSpec, 2> kCandidateFields = {{
    {field::Thickness(0), "Table1", "Thickness [mm]", "mm", kCandidatesFrame, FieldRule::NotZero,
     kRequired},
    {{Meaning::InstalledCost},
     "Table1",
     "Installed cost [currency/m]",
     "currency/m",
     kCandidatesFrame,
     FieldRule::Number,
     kRequired},
}};

bool IsPipe(int listIndex) {
    return listIndex <= 0;
}

bool IsShared(std::string_view controlName) {
    const auto end = kFields.begin() + kSharedFields;
    return std::any_of(kFields.begin(), end,
                       [&](const FieldSpec& f) { return f.name == controlName; });
}

// Costs of a vessel are per m² of its outer surface.
std::string WithCurrency(std::string_view caption, int listIndex, std::string_view currency) {
    std::string text(caption);
    if (!IsPipe(listIndex)) {
        if (const auto at = text.find("currency/m]"); at != std::string::npos)
            text.replace(at, 11, "currency/m²]");
    }
    if (const auto at = text.find("currency"); at != std::string::npos)
        text.replace(at, 8, currency);
    return text;
}

// "Table1(3,2)" -> row 3, column 2.
std::optional<std::pair<std::size_t, int>> ParseCell(std::string_view name) {
    const std::string prefix = std::string(kCandidateTable) + "(";
    if (name.substr(0, prefix.size()) != prefix || name.back() != ')')
        return std::nullopt;
    const std::string_view inner = name.substr(prefix.size(), name.size() - prefix.size() - 1);
    const auto comma = inner.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    std::size_t row = 0;
    int column = 0;
    const auto r = std::from_chars(inner.data(), inner.data() + comma, row);
    const auto c = std::from_chars(inner.data() + comma + 1, inner.data() + inner.size(), column);
    if (r.ec != std::errc{} || c.ec != std::errc{} || row < 1 || column < 1 || column > 2)
        return std::nullopt;
    return std::make_pair(row, column);
}

// Reads texts as numbers, remembering the first that is not one.
class Reader {
public:
    Reader(const EconomicsTexts& texts, std::string_view separator)
        : texts_(texts), separator_(separator) {}

    double operator()(std::string_view text, const std::string& name) {
        const std::optional<double> value = text::ToDouble(text, separator_);
        if (!value && !failed_)
            failed_ = CaseError{
                name, std::string(kInvalidEntries) + " (" + name + ", " +
                          EconomicsFieldCaption(texts_.screen.listIndex, name, texts_.currency()) +
                          ")"};
        return value.value_or(0);
    }
    double operator()(std::string_view controlName) {
        return (*this)(texts_.screen.text(controlName), std::string(controlName));
    }
    const std::optional<CaseError>& error() const { return failed_; }

private:
    const EconomicsTexts& texts_;
    std::string_view separator_;
    std::optional<CaseError> failed_;
};

std::string Years(int n) {
    return std::to_string(n) + (n == 1 ? " year" : " years");
}

} // namespace

const std::vector<FieldSpec>& EconomicsFields() {
    return kFields;
}

const std::array<FieldSpec, 2>& CandidateFields() {
    return kCandidateFields;
}

bool EconomicsUsesField(int listIndex, std::string_view controlName) {
    if (controlName == "Text10")
        return IsPipe(listIndex);
    return LimitUsesField(listIndex, controlName);
}

std::string EconomicsFieldCaption(int listIndex, std::string_view controlName,
                                  std::string_view currency) {
    if (IsShared(controlName))
        return LimitFieldCaption(listIndex, controlName);
    if (controlName == kCurrencyField)
        return std::string(kCurrencyCaption);
    if (const auto cell = ParseCell(controlName))
        return WithCurrency(kCandidateFields[static_cast<std::size_t>(cell->second - 1)].caption,
                            listIndex, currency) +
               ", candidate " + std::to_string(cell->first);
    for (const FieldSpec& field : kOwnFields) {
        if (field.name == controlName)
            return WithCurrency(field.caption, listIndex, currency);
    }
    return {};
}

std::string EconomicsTexts::currency() const {
    const std::string& text = screen.text(kCurrencyField);
    if (text.find_first_not_of(" \t") == std::string::npos)
        return std::string(kDefaultCurrency);
    return text;
}

std::string CandidateCellName(std::size_t row, int column) {
    return std::string(kCandidateTable) + "(" + std::to_string(row) + "," + std::to_string(column) +
           ")";
}

std::vector<std::string> EconomicsMissing(const EconomicsTexts& texts) {
    for (const FieldSpec& field : kFields) {
        if (EconomicsUsesField(texts.screen.listIndex, field.name) &&
            texts.screen.text(field.name).empty())
            return {std::string(field.name)};
    }
    for (std::size_t r = 0; r < texts.candidates.size(); ++r) {
        if (texts.candidates[r].thickness.empty())
            return {CandidateCellName(r + 1, 1)};
        if (texts.candidates[r].cost.empty())
            return {CandidateCellName(r + 1, 2)};
    }
    return {};
}

CaseResult<EconomicsInput> EconomicsInputOf(const EconomicsTexts& texts,
                                            std::string_view decimalSeparator) {
    Reader number(texts, decimalSeparator);
    const int listIndex = std::clamp(texts.screen.listIndex, 0, 3);
    const auto used = [&](std::string_view name) {
        return EconomicsUsesField(listIndex, name) ? number(name) : 0.0;
    };
    EconomicsInput input;
    if (IsPipe(listIndex)) {
        SinglePipeInput pipe;
        pipe.D2 = number("Text1");
        pipe.T1 = number("Text5");
        pipe.Tout = number("Text6");
        pipe.k = number("Text7");
        pipe.e = number("Text8");
        pipe.WC = number("Text9");
        input.object = pipe;
        input.length = number("Text10");
    } else {
        VesselInput vessel;
        vessel.shape = ShapeNumberOfObjectListIndex(listIndex);
        vessel.L = used("Text2");
        vessel.H = used("Text3");
        vessel.W = number("Text4");
        vessel.T1 = number("Text5");
        vessel.Tout = number("Text6");
        vessel.k = number("Text7");
        vessel.e = number("Text8");
        vessel.WC = number("Text9");
        input.object = vessel;
    }
    EconomicsTerms& t = input.terms;
    t.hours = number("Text11");
    t.price = number("Text12");
    t.efficiency = number("Text13");
    t.co2Factor = number("Text14");
    t.life = number("Text15");
    t.interest = number("Text16");
    t.escalation = number("Text17");
    for (std::size_t r = 0; r < texts.candidates.size(); ++r) {
        const CandidateTexts& row = texts.candidates[r];
        const double thickness = number(row.thickness, CandidateCellName(r + 1, 1));
        const double cost = number(row.cost, CandidateCellName(r + 1, 2));
        input.candidates.push_back({thickness, cost});
    }
    if (number.error())
        return *number.error();
    return input;
}

CaseResult<EconomicsResult> CalculateEconomics(const EconomicsTexts& texts,
                                               std::string_view decimalSeparator) {
    auto input = EconomicsInputOf(texts, decimalSeparator);
    if (!input)
        return input.error();
    return FromEngine(Economics(*input));
}

std::array<std::string, 9> EconomicsColumnHeadings(std::string_view currency) {
    const std::string c(currency);
    return {"Thickness [mm]",
            "Heat loss [W]",
            std::string(kTsurfaceHeading),
            "Heat [MWh/a]",
            "Energy cost [" + c + "/a]",
            "CO2 [t/a]",
            "Savings [" + c + "/a]",
            "Payback [years]",
            "Life-cycle cost [" + c + "]"};
}

std::string GroupedAmount(double value, std::string_view decimalSeparator) {
    std::string plain = text::Format(value, "####0", decimalSeparator);
    const std::string group = decimalSeparator == "," ? "." : ",";
    const std::size_t first = plain.find_first_of("0123456789");
    if (first == std::string::npos)
        return plain;
    std::string digits = plain.substr(first);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, group);
    return plain.substr(0, first) + digits;
}

EconomicsResultTexts EconomicsResultTextsOf(const EconomicsResult& result, int listIndex,
                                            std::string_view currency,
                                            std::string_view decimalSeparator) {
    const bool pipe = IsPipe(listIndex);
    const std::string_view surfacePattern = pipe ? "####.0" : "###0.0";
    const auto format = [&](double value, std::string_view pattern) {
        return text::Format(value, pattern, decimalSeparator);
    };
    const auto money = [&](double value) { return GroupedAmount(value, decimalSeparator); };
    EconomicsResultTexts texts;
    for (std::size_t k = 0; k < result.rows.size(); ++k) {
        const EconomicsRow& row = result.rows[k];
        EconomicsRowTexts t;
        t.thickness = k == 0 ? std::string("Bare") : format(row.loss.point.thickness, "###0.0");
        t.heatLoss = format(row.loss.heatLoss, "#######0.0");
        t.surfaceTemperature = format(row.loss.point.Tsurface, surfacePattern);
        t.annualHeat = format(row.annualHeat, "####0.00");
        t.annualCost = money(row.annualCost);
        t.annualCo2 = format(row.annualCo2, "####0.00");
        t.annualSavings = money(row.annualSavings);
        t.payback = row.payback ? format(*row.payback, "####0.0") : std::string("-");
        t.lifeCycleCost = money(row.lifeCycleCost);
        t.economic = k == result.economic;
        t.marked = row.loss.point.flags.any();
        texts.rows.push_back(t);
    }
    if (result.rows.empty())
        return texts;

    const EconomicsRow& best = result.rows[result.economic];
    const std::string cost = money(best.lifeCycleCost) + " " + std::string(currency);
    if (result.economicIsBare) {
        texts.verdict = std::string("No candidate pays: the bare ") + (pipe ? "pipe" : "vessel") +
                        " has the least life-cycle cost, " + cost + " over " + Years(result.life);
        return texts;
    }
    texts.verdict = "Economic thickness " +
                    text::ToText(best.loss.point.thickness, decimalSeparator) +
                    " mm: life-cycle cost " + cost + ", payback " +
                    (best.payback ? format(*best.payback, "####0.0") + " years" : "none") + ", " +
                    money(best.co2Avoided) + " t CO2 avoided over " + Years(result.life);
    if (result.economicIsThickest)
        texts.verdict += " (the thickest candidate: a thicker one may cost less)";
    return texts;
}

Marks MarksOf(const EconomicsResult& result) {
    Marks marks;
    for (const EconomicsRow& row : result.rows)
        marks.add(row.loss.point.flags);
    return marks;
}

EconomicsTestData EconomicsTestDataOf(int listIndex, std::string_view decimalSeparator) {
    EconomicsTestData data;
    for (FieldText& entry : ThicknessLimitTestData(listIndex, decimalSeparator).texts) {
        if (IsShared(entry.field))
            data.fields.texts.push_back(std::move(entry));
    }
    const std::array<std::pair<const char*, double>, 8> money = {{{"Text10", 100},
                                                                  {"Text11", 8000},
                                                                  {"Text12", 50},
                                                                  {"Text13", 0.9},
                                                                  {"Text14", 202},
                                                                  {"Text15", 10},
                                                                  {"Text16", 6},
                                                                  {"Text17", 3}}};
    for (const auto& [field, value] : money) {
        if (EconomicsUsesField(listIndex, field))
            data.fields.texts.push_back({field, text::ToText(value, decimalSeparator)});
    }
    const bool pipe = IsPipe(listIndex);
    for (auto [thickness, perMetre, perSquareMetre] : {std::array<double, 3>{40, 30, 40},
                                                       {60, 40, 50},
                                                       {80, 52, 60},
                                                       {100, 66, 70},
                                                       {120, 82, 80}})
        data.candidates.push_back(
            {text::ToText(thickness, decimalSeparator),
             text::ToText(pipe ? perMetre : perSquareMetre, decimalSeparator)});
    return data;
}

TestData TakeFromThicknessLimit(const ScreenTexts& limit) {
    TestData data;
    data.listIndex = std::clamp(limit.listIndex, 0, 3);
    for (std::size_t i = 0; i < kSharedFields; ++i) {
        const std::string name(kFields[i].name);
        data.texts.push_back({name, limit.text(name)});
    }
    return data;
}

} // namespace termiva::cases
