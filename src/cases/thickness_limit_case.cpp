// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/thickness_limit_case.h"

#include "text/number_text.h"

#include <algorithm>
#include <cmath>

namespace termiva::cases {

namespace {

constexpr std::string_view kObjectFrame = kLimitObjectFrame;
constexpr std::string_view kInputData = kInputDataFrame;
constexpr std::string_view kLimits = kLimitsFrame;
constexpr FieldRule kNumber = FieldRule::Number;
constexpr Requirement kRequired = Requirement::Required;

const std::vector<FieldSpec> kFields = {
    {"Text1", "Pipe outside diameter (D2) [mm]", "mm", kObjectFrame, FieldRule::NotZero, kRequired},
    {"Text2", "Lenght (L) [m]", "m", kObjectFrame, FieldRule::NotZero, kRequired},
    {"Text3", "Heigth of Vessel (H) [m]", "m", kObjectFrame, FieldRule::NotZero, kRequired},
    {"Text4", "Width of Vessel (W) [m]", "m", kObjectFrame, FieldRule::NotZero, kRequired},
    {"Text5", "Fluid Temperature (T1) [oC]", "oC", kInputData, kNumber, kRequired},
    {"Text6", "Ambient Temperature (Tout) [oC]", "oC", kInputData, kNumber, kRequired},
    {"Text7", "Insulation Thermal Conductivity (k) [W/(m K)]", "W/(m K)", kInputData, kNumber,
     kRequired},
    {"Text8", "Emissivity of Outside Surface (e) [-]", "-", kInputData, kNumber, kRequired},
    {"Text9", "Wind Coefficinent (WC) [-]", "-", kInputData, kNumber, kRequired},
    {"Text10", "Maximum surface temperature [oC]", "oC", kLimits, kNumber, Requirement::Optional},
    {"Text11", "Maximum heat loss [W/m]", "W/m", kLimits, kNumber, Requirement::Optional},
};

bool IsPipe(int listIndex) {
    return listIndex <= 0;
}

std::string WithSeparator(std::string_view text, std::string_view separator) {
    std::string result;
    for (char c : text) {
        if (c == '.')
            result += separator;
        else
            result += c;
    }
    return result;
}

struct TestText {
    std::string_view field;
    std::string_view text;
};

const std::vector<TestText> kPipeTestData = {{"Text1", "26.9"}, {"Text5", "143"},  {"Text6", "20"},
                                             {"Text7", "0.07"}, {"Text8", "0.95"}, {"Text9", "1"},
                                             {"Text10", "50"},  {"Text11", ""}};

const std::vector<TestText> kVesselTestData = {
    {"Text2", "1.2"},  {"Text3", "1.8"}, {"Text4", "0.8"}, {"Text5", "150"}, {"Text6", "20"},
    {"Text7", "0.05"}, {"Text8", "1"},   {"Text9", "1"},   {"Text10", ""},   {"Text11", "1000"}};

} // namespace

const std::array<std::string_view, 4> kLimitObjects = {
    "Pipe", "Rectangular", "Horizontal Cylindrical", "Vertical Cylindical"};

const std::vector<FieldSpec>& ThicknessLimitFields() {
    return kFields;
}

bool LimitUsesField(int listIndex, std::string_view controlName) {
    if (controlName == "Text1")
        return IsPipe(listIndex);
    if (controlName == "Text2")
        return listIndex == 1 || listIndex == 2;
    if (controlName == "Text3")
        return listIndex == 1 || listIndex == 3;
    if (controlName == "Text4")
        return !IsPipe(listIndex);
    return true;
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

CaseResult<ThicknessLimitInput> ThicknessLimitInputOf(const ScreenTexts& screen,
                                                      std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    ThicknessLimitInput input;
    const int listIndex = screen.listIndex;
    input.object = static_cast<LimitObject>(std::clamp(listIndex, 0, 3));
    const auto used = [&](std::string_view name) {
        return LimitUsesField(listIndex, name) ? number(name) : 0.0;
    };
    input.D2 = used("Text1");
    input.L = used("Text2");
    input.H = used("Text3");
    input.W = used("Text4");
    input.T1 = number("Text5");
    input.Tout = number("Text6");
    input.k = number("Text7");
    input.e = number("Text8");
    input.WC = number("Text9");
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
    const std::string_view lossPattern = pipe ? "####0.#0" : "#######0.0";
    const std::string_view surfacePattern = pipe ? "####.0" : "###0.0";
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

TestData ThicknessLimitTestData(int listIndex, std::string_view decimalSeparator) {
    TestData data;
    for (const TestText& entry : IsPipe(listIndex) ? kPipeTestData : kVesselTestData)
        data.texts.push_back(
            {std::string(entry.field), WithSeparator(entry.text, decimalSeparator)});
    data.texts.push_back({std::string(kStandardListField), DefaultStandardListText()});
    return data;
}

TestData TakeFromSinglePipe(const ScreenTexts& singlePipe) {
    TestData data;
    data.listIndex = 0;
    const std::array<std::pair<const char*, const char*>, 6> map = {{{"Text2", "Text1"},
                                                                     {"Text3", "Text5"},
                                                                     {"Text4", "Text6"},
                                                                     {"Text5", "Text7"},
                                                                     {"Text6", "Text8"},
                                                                     {"Text7", "Text9"}}};
    for (const auto& [from, to] : map)
        data.texts.push_back({to, singlePipe.text(from)});
    return data;
}

TestData TakeFromVessel(const ScreenTexts& vessel) {
    TestData data;
    data.listIndex = std::clamp(vessel.listIndex, 0, 2) + 1;
    const std::array<std::pair<const char*, const char*>, 8> map = {{{"Text1", "Text2"},
                                                                     {"Text2", "Text3"},
                                                                     {"Text3", "Text4"},
                                                                     {"Text4", "Text5"},
                                                                     {"Text5", "Text6"},
                                                                     {"Text6", "Text7"},
                                                                     {"Text7", "Text8"},
                                                                     {"Text8", "Text9"}}};
    for (const auto& [from, to] : map)
        data.texts.push_back({to, vessel.text(from)});
    return data;
}

} // namespace termiva::cases
