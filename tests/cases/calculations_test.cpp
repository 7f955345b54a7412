// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_records.h"
#include "cases/diameter_table_case.h"
#include "cases/pipe_group_case.h"
#include "cases/raised_loss.h"
#include "cases/single_pipe_case.h"
#include "cases/vessel_case.h"

#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

ScreenTexts TestScreen(InputFileKind kind, std::string_view separator) {
    const TestData data = TestDataOf(kind, separator);
    ScreenTexts screen{kind, data.listIndex < 0 ? 0 : data.listIndex, {}};
    for (const FieldText& text : PipeSizeTexts(data.listIndex, separator))
        screen.texts[text.field] = text.text;
    for (const FieldText& text : data.texts)
        screen.texts[text.field] = text.text;
    return screen;
}

// The test data of each screen, from texts to the texts the screen shows.
TEST(CaseCalculations, TestDataGivesTheScreensTexts) {
    for (std::string_view separator : {".", ","}) {
        const auto single =
            CalculateSinglePipe(TestScreen(InputFileKind::SinglePipe, separator), separator);
        ASSERT_TRUE(single) << single.error().message;
        const SinglePipeTexts pipe = SinglePipeResultTexts(*single, separator);
        EXPECT_EQ(pipe.heatLoss[0], separator == "." ? "225.22" : "225,22");
        EXPECT_EQ(pipe.surfaceTemperature[0], separator == "." ? "143.0" : "143,0");

        const auto vessel =
            CalculateVessel(TestScreen(InputFileKind::Vessel, separator), separator);
        ASSERT_TRUE(vessel) << vessel.error().message;
        EXPECT_EQ(VesselResultTexts(*vessel, separator).heatLoss[0],
                  separator == "." ? "19711.7" : "19711,7");

        const auto pipes =
            CalculatePipeGroup(TestScreen(InputFileKind::MultiplePipes, separator), separator);
        ASSERT_TRUE(pipes) << pipes.error().message;
        const PipeGroupTexts group = PipeGroupResultTexts(*pipes, separator);
        EXPECT_TRUE(group.rows[2] && group.rows[4] && group.rows[7]);
        EXPECT_FALSE(group.rows[0]);
        EXPECT_EQ(PipeRowSizeTexts(14, separator).outside, separator == "." ? "33.7" : "33,7");
    }
}

// A text that is not a number names its field; an engine error passes through.
TEST(CaseCalculations, ErrorsNameTheirCause) {
    ScreenTexts screen = TestScreen(InputFileKind::SinglePipe, ".");
    screen.texts["Text4"] = "1,5";
    auto result = CalculateSinglePipe(screen, ".");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().field, "Text4");
    EXPECT_EQ(result.error().message, "Invalid entries, please enter numbers only (Text4, "
                                      "Ambient Temperature (Tout) [oC])");

    screen.texts["Text4"] = "200";
    result = CalculateSinglePipe(screen, ".");
    ASSERT_FALSE(result);
    EXPECT_TRUE(result.error().field.empty());
    EXPECT_EQ(result.error().message, "Fluid temperature must be higher than ambient temperature.");

    // A vessel reads only the dimensions of its shape.
    ScreenTexts vessel = TestScreen(InputFileKind::Vessel, ".");
    vessel.listIndex = 2;
    vessel.texts["Text1"] = "junk";
    EXPECT_TRUE(CalculateVessel(vessel, "."));
}

// An emissivity above 1 is refused on every screen that has one, by its caption.
TEST(CaseCalculations, EmissivityAboveOneIsRefused) {
    const std::string message = "Emissivity of Outside Surface (e) [-] must not be greater than 1.";
    ScreenTexts single = TestScreen(InputFileKind::SinglePipe, ",");
    single.texts["Text6"] = "1,01";
    EXPECT_EQ(CalculateSinglePipe(single, ",").error().field, "Text6");
    EXPECT_EQ(CalculateSinglePipe(single, ",").error().message, message);
    EXPECT_EQ(CalculateDiameterTable(single, ",").error().message, message);
    ScreenTexts vessel = TestScreen(InputFileKind::Vessel, ".");
    vessel.texts["Text7"] = "2";
    EXPECT_EQ(CalculateVessel(vessel, ".").error().message, message);
    ScreenTexts pipes = TestScreen(InputFileKind::MultiplePipes, ".");
    pipes.texts["Text15"] = "1.5";
    EXPECT_EQ(CalculatePipeGroup(pipes, ".").error().message, message);
    single.texts["Text6"] = "1";
    EXPECT_TRUE(CalculateSinglePipe(single, ","));
}

// The diameter table and what "Diagram" exports from it.
TEST(CaseCalculations, DiameterTableAndItsExport) {
    const ScreenTexts screen = TestScreen(InputFileKind::SinglePipe, ",");
    const auto table = CalculateDiameterTable(screen, ",");
    ASSERT_TRUE(table) << table.error().message;
    const DiameterTableTexts texts = TableTexts(*table, ",");
    EXPECT_EQ(texts[0][0], "10");
    EXPECT_EQ(texts[18][0], "1000");
    const files::DiagramExportData exported = DiagramExportOf(screen, texts, ",");
    EXPECT_EQ(exported.fluidTemperatureText, "143");
    EXPECT_EQ(exported.thicknessTexts[4], "150");
    EXPECT_EQ(exported.table[5][3], texts[5][3]);
    EXPECT_EQ(exported.decimalSeparator, ",");
}

// A 1 mm pipe under thin layers loses more than bare: the note names the
// tenth of a millimetre from which the loss is back at the bare one.
TEST(RaisedLoss, ThePipeNoteNamesWhereTheLossFallsBack) {
    ScreenTexts screen = TestScreen(InputFileKind::SinglePipe, ",");
    auto result = CalculateSinglePipe(screen, ",");
    ASSERT_TRUE(result);
    EXPECT_EQ(SinglePipeNote(screen, *result, ","), "");

    screen.texts["Text2"] = "1";
    screen.texts["Text10"] = "5";
    result = CalculateSinglePipe(screen, ",");
    ASSERT_TRUE(result);
    EXPECT_EQ(SinglePipeNote(screen, *result, ","),
              "Insulation raises the loss of this pipe below 15,1 mm.");
    ThicknessLimitInput pipe;
    static_cast<OperatingConditions&>(pipe) = {143, 20, 0.07, 0.95, 1};
    pipe.D2 = 1;
    EXPECT_GT(ThicknessLimitPoint(pipe, 15.0)->HeatLoss, result->HeatLoss[0]);
    EXPECT_LE(ThicknessLimitPoint(pipe, 15.1)->HeatLoss, result->HeatLoss[0]);
    screen.texts["Text5"] = "5"; // no insulation at all
    result = CalculateSinglePipe(screen, ",");
    ASSERT_TRUE(result);
    EXPECT_EQ(SinglePipeRaisedNote(screen, *result, ","),
              "Insulation raises the loss of this pipe at every thickness up to 1000 mm.");
}

// The vessel and the pipe rows say it in their words.
TEST(RaisedLoss, VesselAndPipeRows) {
    ScreenTexts vessel = TestScreen(InputFileKind::Vessel, ",");
    vessel.texts["Text6"] = "50";
    EXPECT_EQ(VesselRaisedNote(vessel, *CalculateVessel(vessel, ","), ","),
              "Insulation raises the loss of this vessel at every thickness up to 1000 mm.");
    ScreenTexts pipes = TestScreen(InputFileKind::MultiplePipes, ",");
    pipes.texts["Text13"] = "3";
    pipes.texts["Text14"] = "2";
    const std::string note = PipeGroupNote(pipes, *CalculatePipeGroup(pipes, ","), ",");
    EXPECT_EQ(note.rfind("Insulation raises the loss of the pipes NO 32 at every thickness up to "
                         "1000 mm, NO 50 below ",
                         0),
              0u)
        << note;
    EXPECT_NE(note.find(", NO 100 below 56,2 mm."), std::string::npos) << note;
}

} // namespace
} // namespace termiva::cases
