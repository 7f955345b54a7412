// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/thickness_limit_case.h"

#include "cases/calculator.h"
#include "cases/single_pipe_case.h"
#include "cases/vessel_case.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace termiva::cases {

namespace {

const std::vector<FieldSpec> kFields = {
    {field::OutsideDiameter, "Text1", kOutsideDiameterCaption, "mm", kLimitObjectFrame,
     FieldRule::NotZero, Requirement::Required},
    {field::Length, "Text2", kLengthCaption, "m", kLimitObjectFrame, FieldRule::NotZero,
     Requirement::Required},
    {field::Height, "Text3", kHeightCaption, "m", kLimitObjectFrame, FieldRule::NotZero,
     Requirement::Required},
    {field::Width, "Text4", kWidthCaption, "m", kLimitObjectFrame, FieldRule::NotZero,
     Requirement::Required},
    {field::FluidTemperature, "Text5", kConditionCaptions.fluidTemperature, "oC", kInputDataFrame,
     FieldRule::Number, Requirement::Required},
    {field::AmbientTemperature, "Text6", kConditionCaptions.ambientTemperature, "oC",
     kInputDataFrame, FieldRule::Number, Requirement::Required},
    {field::Conductivity, "Text7", kConditionCaptions.conductivity, "W/(m K)", kInputDataFrame,
     FieldRule::Number, Requirement::Required},
    {field::Emissivity, "Text8", kConditionCaptions.emissivity, "-", kInputDataFrame,
     FieldRule::Number, Requirement::Required},
    {field::WindCoefficient, "Text9", kConditionCaptions.wind, "-", kInputDataFrame,
     FieldRule::Number, Requirement::Required},
    {field::SurfaceTemperatureLimit, "Text10", "Maximum surface temperature [oC]", "oC",
     kLimitsFrame, FieldRule::Number, Requirement::Optional},
    {field::HeatLossLimit, "Text11", "Maximum heat loss [W/m]", "W/m", kLimitsFrame,
     FieldRule::Number, Requirement::Optional},
};

bool IsPipe(int listIndex) {
    return listIndex <= 0;
}

bool IsDimension(FieldId id) {
    return id == field::OutsideDiameter || id == field::Length || id == field::Height ||
           id == field::Width;
}

// The fields of `from` (a single pipe or vessel screen) copied to the fields
// of the same meaning; the limits and the list have none there.
TestData TakeInputs(const ScreenTexts& from, int listIndex) {
    TestData data;
    data.listIndex = listIndex;
    for (const FieldSpec& row : kFields) {
        if (const FieldSpec* source = FindField(from.kind, row.id))
            data.texts.push_back({std::string(row.name), from.text(source->name)});
    }
    return data;
}

} // namespace

const std::array<std::string_view, 4> kLimitObjects = {
    "Pipe", "Rectangular", "Horizontal Cylindrical", "Vertical Cylindical"};

const std::vector<FieldSpec>& ThicknessLimitFields() {
    return kFields;
}

bool LimitUsesField(int listIndex, std::string_view controlName) {
    const FieldSpec* row = FindField(InputFileKind::ThicknessLimit, controlName);
    if (!row || !IsDimension(row->id))
        return true;
    // The pipe's and the vessel shapes' own dimensions, as their screens use them.
    if (IsPipe(listIndex))
        return FindField(InputFileKind::SinglePipe, row->id) != nullptr;
    const FieldSpec* vessel = FindField(InputFileKind::Vessel, row->id);
    return vessel && VesselUsesField(listIndex - 1, vessel->name);
}

std::string LimitFieldCaption(int listIndex, std::string_view controlName) {
    if (controlName == "Text4" && listIndex > 1)
        return std::string(kVesselDiameterCaption);
    if (controlName == "Text11" && !IsPipe(listIndex))
        return "Maximum heat loss [W]";
    if (controlName == kStandardListField)
        return std::string(kStandardListCaption);
    for (const FieldSpec& field : kFields) {
        if (field.name == controlName)
            return std::string(field.caption);
    }
    return {};
}

std::vector<std::string> ThicknessLimitMissing(const ScreenTexts& screen) {
    for (const FieldSpec& field : kFields) {
        if (field.requirement == Requirement::Required &&
            LimitUsesField(screen.listIndex, field.name) && screen.text(field.name).empty())
            return {std::string(field.name)};
    }
    if (screen.text(kStandardListField).empty())
        return {std::string(kStandardListField)};
    return {};
}

std::string DefaultStandardListText() {
    std::string text;
    for (double t : DefaultStandardThicknesses()) {
        if (!text.empty())
            text += ' ';
        text += text::ToText(t, ".");
    }
    return text;
}

Expected<std::vector<double>, std::string> ParseStandardList(std::string_view text,
                                                             std::string_view decimalSeparator) {
    const bool commaSeparates = decimalSeparator != ",";
    const auto isSeparator = [&](char c) {
        return c == ' ' || c == '\t' || c == ';' || (commaSeparates && c == ',');
    };
    std::vector<double> values;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !isSeparator(text[end]))
            ++end;
        const std::string_view item = text.substr(i, end - i);
        const std::optional<double> value = text::ToDouble(item, decimalSeparator);
        if (!value || !(*value > 0))
            return std::string(kStandardListCaption) + ": \"" + std::string(item) +
                   "\" is not a thickness greater than 0.";
        values.push_back(*value);
        i = end;
    }
    if (values.empty())
        return std::string(kStandardListCaption) + ": give at least one thickness.";
    std::sort(values.begin(), values.end());
    return values;
}

namespace {

bool PartsThicknesses(char c) {
    return c == ' ' || c == '\t' || c == ';';
}

// Each thickness between blanks or ';' read with the user's separator.
std::string ThicknessesWithSeparator(std::string_view text, std::string_view decimalSeparator) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (PartsThicknesses(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !PartsThicknesses(text[end]))
            ++end;
        out += text::WithUserSeparator(text.substr(i, end - i), decimalSeparator);
        i = end;
    }
    return out;
}

} // namespace

CaseResult<std::string> StandardListAsLoaded(std::string_view fileText,
                                             std::string_view decimalSeparator) {
    if (decimalSeparator != "." && decimalSeparator != ",")
        return std::string(fileText);
    const auto asPoint = ParseStandardList(fileText, ".");
    const auto asComma = ParseStandardList(fileText, ",");
    std::string_view savedUnder;
    if (asPoint && asComma) {
        if (asPoint.value() == asComma.value())
            return std::string(fileText);
        if (std::none_of(fileText.begin(), fileText.end(), PartsThicknesses))
            return CaseError{std::string(kStandardListField),
                             std::string(kStandardListCaption) + ": \"" + std::string(fileText) +
                                 "\" is two thicknesses where the decimal separator is \".\" and "
                                 "one where it is \",\": separate the thicknesses by blanks."};
        savedUnder = ",";
    } else if (asPoint) {
        savedUnder = ".";
    } else if (asComma) {
        savedUnder = ",";
    } else {
        return std::string(fileText);
    }
    if (savedUnder == decimalSeparator)
        return std::string(fileText);
    if (decimalSeparator == ".")
        return ThicknessesWithSeparator(fileText, ".");
    // Saved under ".": its commas part thicknesses, as only blanks and ';' do under ",".
    std::string text(fileText);
    std::replace(text.begin(), text.end(), ',', ';');
    return ThicknessesWithSeparator(text, ",");
}

CaseResult<ThicknessLimitInput> ThicknessLimitInputOf(const ScreenTexts& screen,
                                                      std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    ThicknessLimitInput input;
    const int listIndex = screen.listIndex;
    input.object = LimitObjectOfListIndex(listIndex);
    const auto used = [&](std::string_view name) {
        return LimitUsesField(listIndex, name) ? number(name) : 0.0;
    };
    input.D2 = used("Text1");
    input.L = used("Text2");
    input.H = used("Text3");
    input.W = used("Text4");
    static_cast<OperatingConditions&>(input) = number.conditions();
    const auto limit = [&](std::string_view name) -> std::optional<double> {
        if (screen.text(name).empty())
            return std::nullopt;
        return number(name);
    };
    input.maxSurface = limit("Text10");
    input.maxLoss = limit("Text11");
    if (auto error = number.error())
        return *error;
    auto standard = ParseStandardList(screen.text(kStandardListField), decimalSeparator);
    if (!standard)
        return CaseError{std::string(kStandardListField), standard.error()};
    input.standard = std::move(standard).value();
    return input;
}

CaseResult<ThicknessLimitResult> CalculateThicknessLimit(const ScreenTexts& screen,
                                                         std::string_view decimalSeparator) {
    auto input = ThicknessLimitInputOf(screen, decimalSeparator);
    if (!input)
        return input.error();
    auto result = InsulationThicknessForLimit(*input);
    if (!result) {
        const ThicknessLimitError& error = result.error();
        if (error.unmet && !decimalSeparator.empty())
            return CaseError{
                {},
                UnmetLimitMessage(
                    *error.unmet, input->object, decimalSeparator.front(),
                    screen.text(error.unmet->limit == Governing::Surface ? "Text10" : "Text11"))};
        return CaseError{{}, error.message};
    }
    return std::move(result).value();
}

ThicknessLimitTexts ThicknessLimitResultTexts(const ThicknessLimitResult& result,
                                              LimitObject object,
                                              std::string_view decimalSeparator) {
    const bool pipe = object == LimitObject::Pipe;
    const std::string_view lossPattern = pipe ? kPipeLossPattern : kVesselLossPattern;
    const std::string_view surfacePattern =
        pipe ? kPipeTemperaturePattern : kVesselTemperaturePattern;
    const auto thickness = [&](std::optional<double> t) {
        return t ? text::Format(*t, "###0.0", decimalSeparator) : std::string("-");
    };
    ThicknessLimitTexts texts;
    texts.surfaceThickness = thickness(result.surfaceThickness);
    texts.lossThickness = thickness(result.lossThickness);
    switch (result.governing) {
    case Governing::Surface:
        texts.governing = "Surface temperature";
        break;
    case Governing::Loss:
        texts.governing = "Heat loss";
        break;
    case Governing::Both:
        texts.governing = "Both limits";
        break;
    }
    texts.thickness = thickness(result.answer.thickness);
    texts.heatLoss = text::Format(result.answer.HeatLoss, lossPattern, decimalSeparator);
    texts.surfaceTemperature =
        text::Format(result.answer.Tsurface, surfacePattern, decimalSeparator);
    if (result.standard) {
        texts.standardThickness = thickness(result.standard->thickness);
        texts.standardHeatLoss =
            text::Format(result.standard->HeatLoss, lossPattern, decimalSeparator);
        texts.standardSurfaceTemperature =
            text::Format(result.standard->Tsurface, surfacePattern, decimalSeparator);
    } else {
        texts.standardThickness = texts.standardHeatLoss = texts.standardSurfaceTemperature = "-";
        if (!result.standardError.empty())
            texts.standardNote =
                "The next standard thickness could not be computed: " + result.standardError;
    }
    if (result.metUpTo < kMaxLimitThickness)
        texts.range = "The limits are met from " + texts.thickness + " to " +
                      thickness(result.metUpTo) + " mm.";
    return texts;
}

std::vector<ThicknessPoint> ThicknessLimitCurve(const ThicknessLimitInput& input,
                                                const ThicknessLimitResult& result) {
    constexpr int kSteps = 40;
    const double end =
        std::min(kMaxLimitThickness, std::max(20.0, std::ceil(2 * result.answer.thickness)));
    std::vector<ThicknessPoint> points;
    for (int i = 0; i <= kSteps; ++i) {
        if (auto p = ThicknessLimitPoint(input, end * i / kSteps))
            points.push_back(*p);
    }
    return points;
}

Marks MarksOf(const ThicknessLimitResult& result) {
    Marks marks;
    marks.add(result.answer.flags);
    if (result.standard)
        marks.add(result.standard->flags);
    return marks;
}

std::string ThicknessLimitNote(const ThicknessLimitResult& result,
                               std::string_view decimalSeparator) {
    // The range does not depend on the object.
    const std::string range =
        ThicknessLimitResultTexts(result, LimitObject::Pipe, decimalSeparator).range;
    const std::string marks = MarksOf(result).note();
    return range.empty() || marks.empty() ? range + marks : range + " " + marks;
}

ThicknessLimitCaptions ThicknessLimitResultCaptions(int listIndex) {
    const std::string unit = IsPipe(listIndex) ? "[W/m]" : "[W]";
    return {"Thickness for the surface limit [mm]",
            "Thickness for the heat loss limit [mm]",
            "Governing limit",
            "Insulation thickness [mm]",
            "Heat Loss " + unit,
            std::string(kTsurfaceHeading),
            "Next standard thickness [mm]"};
}

ThicknessLimitChartTexts ThicknessLimitChartTextsOf(const ScreenTexts& screen) {
    const ThicknessLimitCaptions captions = ThicknessLimitResultCaptions(screen.listIndex);
    ThicknessLimitChartTexts texts;
    texts.thicknessAxis = captions.thickness;
    texts.surface = captions.surfaceTemperature;
    texts.loss = captions.heatLoss;
    texts.surfaceUnit = "oC";
    texts.lossUnit = IsPipe(screen.listIndex) ? "W/m" : "W";
    const auto limit = [&](std::string_view control, const std::string& unit) {
        const std::string& typed = screen.text(control);
        return typed.empty() ? std::string() : "limit " + typed + " " + unit;
    };
    texts.surfaceLimit = limit("Text10", texts.surfaceUnit);
    texts.lossLimit = limit("Text11", texts.lossUnit);
    texts.answer = "Answer";
    return texts;
}

TestData ThicknessLimitTestData(int listIndex, std::string_view decimalSeparator) {
    // The single pipe's or the vessel's test data, as "Take inputs" would copy it.
    ScreenTexts source{
        IsPipe(listIndex) ? InputFileKind::SinglePipe : InputFileKind::Vessel, -1, {}};
    const TestData sourceData = TestDataOf(source.kind, decimalSeparator);
    for (const FieldText& text : PipeSizeTexts(sourceData.listIndex, decimalSeparator))
        source.texts[text.field] = text.text;
    for (const FieldText& text : sourceData.texts)
        source.texts[text.field] = text.text;
    TestData data = TakeInputs(source, -1);
    const std::string pipeLimit = IsPipe(listIndex) ? "50" : "";
    const std::string vesselLimit = IsPipe(listIndex) ? "" : "1000";
    data.texts.push_back({"Text10", pipeLimit});
    data.texts.push_back({"Text11", vesselLimit});
    data.texts.push_back({std::string(kStandardListField), DefaultStandardListText()});
    return data;
}

TestData TakeFromSinglePipe(const ScreenTexts& singlePipe) {
    return TakeInputs(singlePipe, 0);
}

TestData TakeFromVessel(const ScreenTexts& vessel) {
    return TakeInputs(vessel, std::clamp(vessel.listIndex, 0, 2) + 1);
}

ScreenTexts ThicknessLimitTextsOf(const ScreenTexts& singlePipeOrVessel) {
    const TestData taken = singlePipeOrVessel.kind == InputFileKind::SinglePipe
                               ? TakeFromSinglePipe(singlePipeOrVessel)
                               : TakeFromVessel(singlePipeOrVessel);
    ScreenTexts screen{InputFileKind::ThicknessLimit, taken.listIndex, {}};
    for (const FieldText& field : taken.texts)
        screen.texts[field.field] = field.text;
    screen.texts[std::string(kStandardListField)] = DefaultStandardListText();
    return screen;
}

namespace {

CaseResult<ResultTexts> ThicknessLimitResults(const ScreenTexts& screen,
                                              std::string_view decimalSeparator) {
    const auto result = CalculateThicknessLimit(screen, decimalSeparator);
    if (!result)
        return result.error();
    const ThicknessLimitTexts texts = ThicknessLimitResultTexts(
        *result, LimitObjectOfListIndex(screen.listIndex), decimalSeparator);
    const ValueFlags none;
    const ValueFlags& standard = result->standard ? result->standard->flags : none;
    ResultTexts results;
    results.values = {{"Label20", texts.surfaceThickness, none},
                      {"Label21", texts.lossThickness, none},
                      {"Label22", texts.governing, none},
                      {"Label23", texts.thickness, none},
                      {"Label24", texts.heatLoss, result->answer.flags},
                      {"Label25", texts.surfaceTemperature, result->answer.flags},
                      {"Label26", texts.standardThickness, none},
                      {"Label27", texts.standardHeatLoss, standard},
                      {"Label28", texts.standardSurfaceTemperature, standard}};
    results.marks = MarksOf(*result);
    return results;
}

} // namespace

Calculator ThicknessLimitCalculator() {
    return {"thickness-limit",        InputFileKind::ThicknessLimit, kThicknessLimitTitle,
            kThicknessLimitHelpTopic, ThicknessLimitFields,          ThicknessLimitMissing,
            ThicknessLimitTestData,   ThicknessLimitResults};
}

} // namespace termiva::cases
