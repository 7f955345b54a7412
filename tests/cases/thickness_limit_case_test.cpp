// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/single_pipe_case.h"
#include "cases/thickness_limit_case.h"
#include "cases/vessel_case.h"

#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

ScreenTexts LimitScreen(int listIndex, std::string_view separator) {
    ScreenTexts screen{InputFileKind::ThicknessLimit, listIndex, {}};
    for (const FieldText& text : ThicknessLimitTestData(listIndex, separator).texts)
        screen.texts[text.field] = text.text;
    return screen;
}

// The pipe test data: 12.4 mm for a 50 oC surface, shown as the single pipe
// screen shows a 12.4 mm column.
TEST(ThicknessLimitCase, PipeTestDataReadsAsTheSinglePipeScreen) {
    for (std::string_view separator : {".", ","}) {
        SCOPED_TRACE(separator);
        const auto result = CalculateThicknessLimit(LimitScreen(0, separator), separator);
        ASSERT_TRUE(result) << result.error().message;
        const ThicknessLimitTexts texts =
            ThicknessLimitResultTexts(*result, LimitObject::Pipe, separator);
        const bool point = separator == ".";
        EXPECT_EQ(texts.surfaceThickness, point ? "12.4" : "12,4");
        EXPECT_EQ(texts.lossThickness, "-");
        EXPECT_EQ(texts.governing, "Surface temperature");
        EXPECT_EQ(texts.thickness, point ? "12.4" : "12,4");
        EXPECT_EQ(texts.standardThickness, point ? "20.0" : "20,0");

        ScreenTexts single{InputFileKind::SinglePipe, 0, {}};
        for (const FieldText& text : TestDataOf(InputFileKind::SinglePipe, separator).texts)
            single.texts[text.field] = text.text;
        single.texts["Text2"] = point ? "26.9" : "26,9";
        single.texts["Text10"] = texts.thickness;
        single.texts["Text11"] = texts.standardThickness;
        const auto column = CalculateSinglePipe(single, separator);
        ASSERT_TRUE(column) << column.error().message;
        const SinglePipeTexts shown = SinglePipeResultTexts(*column, separator);
        EXPECT_EQ(texts.heatLoss, shown.heatLoss[1]);
        EXPECT_EQ(texts.surfaceTemperature, shown.surfaceTemperature[1]);
        EXPECT_EQ(texts.standardHeatLoss, shown.heatLoss[2]);
        EXPECT_EQ(texts.standardSurfaceTemperature, shown.surfaceTemperature[2]);
    }
}

TEST(ThicknessLimitCase, VesselShapesReadAsTheVesselScreen) {
    for (int listIndex = 1; listIndex <= 3; ++listIndex) {
        SCOPED_TRACE(listIndex);
        const auto result = CalculateThicknessLimit(LimitScreen(listIndex, ","), ",");
        ASSERT_TRUE(result) << result.error().message;
        const ThicknessLimitTexts texts =
            ThicknessLimitResultTexts(*result, static_cast<LimitObject>(listIndex), ",");
        EXPECT_EQ(texts.governing, "Heat loss");

        ScreenTexts vessel{InputFileKind::Vessel, listIndex - 1, {}};
        for (const FieldText& text : TestDataOf(InputFileKind::Vessel, ",").texts)
            vessel.texts[text.field] = text.text;
        vessel.texts["Text10"] = texts.thickness;
        const auto column = CalculateVessel(vessel, ",");
        ASSERT_TRUE(column) << column.error().message;
        EXPECT_EQ(texts.heatLoss, VesselResultTexts(*column, ",").heatLoss[1]);
        EXPECT_EQ(texts.surfaceTemperature, VesselResultTexts(*column, ",").surfaceTemperature[1]);
    }
}

TEST(ThicknessLimitCase, RequiredFieldsFollowTheObject) {
    ScreenTexts screen = LimitScreen(0, ".");
    EXPECT_TRUE(ThicknessLimitMissing(screen).empty());
    // The limits may be empty; the vessel dimensions are not the pipe's.
    screen.texts["Text10"] = "";
    EXPECT_TRUE(ThicknessLimitMissing(screen).empty());
    screen.texts["Text1"] = "";
    EXPECT_EQ(ThicknessLimitMissing(screen), std::vector<std::string>{"Text1"});
    screen.listIndex = 3; // vertical cylinder: H and D
    EXPECT_EQ(ThicknessLimitMissing(screen), std::vector<std::string>{"Text3"});
    screen.texts["Text3"] = "2";
    EXPECT_EQ(ThicknessLimitMissing(screen), std::vector<std::string>{"Text4"});
    screen.texts["Text4"] = "1";
    screen.texts["Text12"] = "";
    EXPECT_EQ(ThicknessLimitMissing(screen), std::vector<std::string>{"Text12"});

    EXPECT_EQ(LimitFieldCaption(0, "Text11"), "Maximum heat loss [W/m]");
    EXPECT_EQ(LimitFieldCaption(2, "Text11"), "Maximum heat loss [W]");
    EXPECT_EQ(LimitFieldCaption(1, "Text4"), "Width of Vessel (W) [m]");
    EXPECT_EQ(LimitFieldCaption(3, "Text4"), "Diameter of Vessel (D) [m]");
}

// The shared helpers know the screen: title, required check, messages,
// records.
TEST(ThicknessLimitCase, SharedHelpers) {
    EXPECT_EQ(ScreenTitle(InputFileKind::ThicknessLimit), "INSULATION THICKNESS FOR A LIMIT");
    ScreenTexts screen = LimitScreen(2, ",");
    screen.texts.erase("Text2");
    ASSERT_EQ(MissingFields(screen), std::vector<std::string>{"Text2"});
    EXPECT_EQ(MissingValueMessage(screen, "Text11"),
              "Please input value! (Text11, Maximum heat loss [W])");
    screen.texts["Text2"] = "1,2";
    const files::InputRecord record = RecordOf(screen);
    EXPECT_EQ(record.listIndex, 2);
    ASSERT_EQ(record.fields.size(), 12u);
    EXPECT_EQ(record.fields[0], "");
    EXPECT_EQ(record.fields[1], "1,2");
    EXPECT_EQ(record.fields[11], DefaultStandardListText());
    const ScreenTexts loaded = LoadScreen(InputFileKind::ThicknessLimit, record, ",");
    for (const auto& [name, text] : screen.texts)
        EXPECT_EQ(loaded.text(name), text) << name;
}

TEST(ThicknessLimitCase, StandardList) {
    EXPECT_EQ(DefaultStandardListText(), "20 25 30 40 50 60 70 80 90 100 120 140 160 180 200");
    EXPECT_EQ(*ParseStandardList("30; 20,25.5  40", "."), (std::vector<double>{20, 25.5, 30, 40}));
    EXPECT_EQ(*ParseStandardList("30;20 25,5", ","), (std::vector<double>{20, 25.5, 30}));
    EXPECT_EQ(ParseStandardList("20 0 30", ".").error(),
              "Standard thicknesses [mm]: \"0\" is not a thickness greater than 0.");
    EXPECT_EQ(ParseStandardList("20 abc", ".").error(),
              "Standard thicknesses [mm]: \"abc\" is not a thickness greater than 0.");
    EXPECT_EQ(ParseStandardList(" ; ", ".").error(),
              "Standard thicknesses [mm]: give at least one thickness.");
}

// A list saved under one separator reads as the same thicknesses under the
// other; where nothing tells which separator wrote it, it is refused.
TEST(ThicknessLimitCase, StandardListAcrossSeparators) {
    const auto loaded = [](std::string_view text, std::string_view separator) {
        auto list = StandardListAsLoaded(text, separator);
        return list ? list.value() : "refused: " + list.error().message;
    };
    EXPECT_EQ(loaded("12,5 15 17,5 20", "."), "12.5 15 17.5 20");
    EXPECT_EQ(loaded("12.5 15 17.5 20", ","), "12,5 15 17,5 20");
    EXPECT_EQ(loaded("20,25,30", ","), "20;25;30");
    EXPECT_EQ(loaded("12.5, 15", ","), "12,5; 15");
    for (std::string_view same : {"20 25 30", "12,5 15", "20, 25, 30", "20;30,5"})
        EXPECT_EQ(loaded(same, ","), same);
    for (std::string_view same : {"20 25 30", "12.5, 15", "20,25,30", "abc"})
        EXPECT_EQ(loaded(same, "."), same);
    for (std::string_view separator : {".", ","})
        EXPECT_EQ(loaded("20,25", separator),
                  "refused: Standard thicknesses [mm]: \"20,25\" is two thicknesses where the "
                  "decimal separator is \".\" and one where it is \",\": separate the thicknesses "
                  "by blanks.");
}

TEST(ThicknessLimitCase, AStandardThicknessThatCannotBeComputedShowsWhy) {
    ScreenTexts screen = LimitScreen(0, ",");
    screen.texts[std::string(kStandardListField)] = "5 1e100";
    auto result = CalculateThicknessLimit(screen, ",");
    ASSERT_TRUE(result) << result.error().message;
    const ThicknessLimitTexts texts = ThicknessLimitResultTexts(*result, LimitObject::Pipe, ",");
    EXPECT_EQ(texts.standardThickness + texts.standardHeatLoss + texts.standardSurfaceTemperature,
              "---");
    EXPECT_EQ(texts.standardNote,
              "The next standard thickness could not be computed: " + result.value().standardError);
    EXPECT_FALSE(result.value().standardError.empty());
}

TEST(ThicknessLimitCase, Errors) {
    ScreenTexts screen = LimitScreen(0, ",");
    screen.texts["Text10"] = "";
    auto result = CalculateThicknessLimit(screen, ",");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message,
              "Give a maximum surface temperature, a maximum heat loss or both.");
    // A limit no thickness meets, with the user's separator.
    screen.texts["Text10"] = "20,1";
    result = CalculateThicknessLimit(screen, ",");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message, "No insulation thickness up to 1000 mm keeps the surface "
                                      "temperature at or below 20,1 oC: at 1000 mm it is 20,3 oC.");
    // The limit as typed, not rounded to what would read as met.
    screen.texts["Text10"] = "19,999";
    EXPECT_EQ(CalculateThicknessLimit(screen, ",").error().message,
              "No insulation thickness up to 1000 mm keeps the surface temperature at or below "
              "19,999 oC: at 1000 mm it is 20,3 oC.");
    // A field typed under the other separator names itself.
    screen.texts["Text10"] = "50";
    screen.texts["Text7"] = "0.07";
    result = CalculateThicknessLimit(screen, ",");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().field, "Text7");
    screen.texts["Text7"] = "0,07";
    screen.texts["Text12"] = "20 x";
    result = CalculateThicknessLimit(screen, ",");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().field, "Text12");
}

TEST(ThicknessLimitCase, TakesInputsFromTheOtherScreens) {
    ScreenTexts single{InputFileKind::SinglePipe, 5, {}};
    single.texts = {{"Text1", "50"},   {"Text2", "60.3"}, {"Text3", "143"}, {"Text4", "20"},
                    {"Text5", "0.07"}, {"Text6", "0.95"}, {"Text7", "1"},   {"Text10", "20"}};
    const TestData fromPipe = TakeFromSinglePipe(single);
    EXPECT_EQ(fromPipe.listIndex, 0);
    ASSERT_EQ(fromPipe.texts.size(), 6u);
    EXPECT_EQ(fromPipe.texts[0].field, "Text1");
    EXPECT_EQ(fromPipe.texts[0].text, "60.3");
    EXPECT_EQ(fromPipe.texts[5].field, "Text9");
    EXPECT_EQ(fromPipe.texts[5].text, "1");

    ScreenTexts vessel{InputFileKind::Vessel, 2, {}};
    vessel.texts = {{"Text2", "1.8"}, {"Text3", "0.8"}, {"Text4", "150"}, {"Text8", "1"}};
    const TestData fromVessel = TakeFromVessel(vessel);
    EXPECT_EQ(fromVessel.listIndex, 3);
    EXPECT_EQ(fromVessel.texts[1].field, "Text3");
    EXPECT_EQ(fromVessel.texts[1].text, "1.8");
    EXPECT_EQ(fromVessel.texts[3].field, "Text5");
    EXPECT_EQ(fromVessel.texts[3].text, "150");
}

TEST(ThicknessLimitCase, ChartCurveSpansTwiceTheAnswer) {
    const ScreenTexts screen = LimitScreen(0, ".");
    const auto input = ThicknessLimitInputOf(screen, ".");
    const auto result = CalculateThicknessLimit(screen, ".");
    ASSERT_TRUE(input && result);
    const std::vector<ThicknessPoint> curve = ThicknessLimitCurve(*input, *result);
    ASSERT_EQ(curve.size(), 41u);
    EXPECT_EQ(curve.front().thickness, 0);
    EXPECT_EQ(curve.back().thickness, 25);
}

} // namespace
} // namespace termiva::cases
