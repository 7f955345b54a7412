// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_records.h"
#include "cases/pipe_group_case.h"
#include "cases/raised_loss.h"
#include "cases/single_pipe_case.h"
#include "cases/vessel_case.h"

#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

ScreenTexts TestScreen(InputFileKind kind) {
    const TestData data = TestDataOf(kind, ",");
    ScreenTexts screen{kind, data.listIndex < 0 ? 0 : data.listIndex, {}};
    for (const FieldText& text : PipeSizeTexts(data.listIndex, ","))
        screen.texts[text.field] = text.text;
    for (const FieldText& text : data.texts)
        screen.texts[text.field] = text.text;
    return screen;
}

// A 1 mm pipe under thin layers loses more than bare: the note names the
// tenth of a millimetre from which the loss is back at the bare one.
TEST(RaisedLoss, ThePipeNoteNamesWhereTheLossFallsBack) {
    ScreenTexts screen = TestScreen(InputFileKind::SinglePipe);
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

// The vessel and the pipe rows say it in their words, the marks' note after.
TEST(RaisedLoss, VesselAndPipeRows) {
    ScreenTexts vessel = TestScreen(InputFileKind::Vessel);
    vessel.texts["Text6"] = "50";
    const auto vesselResult = CalculateVessel(vessel, ",");
    ASSERT_TRUE(vesselResult);
    EXPECT_EQ(VesselRaisedNote(vessel, *vesselResult, ","),
              "Insulation raises the loss of this vessel at every thickness up to 1000 mm.");

    ScreenTexts pipes = TestScreen(InputFileKind::MultiplePipes);
    pipes.texts["Text13"] = "3";
    pipes.texts["Text14"] = "2";
    pipes.texts["Text3(13)"] = "10";
    pipes.texts["Text4(13)"] = "0";
    pipes.texts["Text5(13)"] = "0";
    const auto pipesResult = CalculatePipeGroup(pipes, ",");
    ASSERT_TRUE(pipesResult);
    const std::string note = PipeGroupNote(pipes, *pipesResult, ",");
    EXPECT_EQ(note.rfind("Insulation raises the loss of the pipes NO 20 at every thickness up to "
                         "1000 mm, NO 32 at every thickness up to 1000 mm, NO 50 below ",
                         0),
              0u)
        << note;
    EXPECT_NE(note.find(", NO 100 below 56,2 mm."), std::string::npos) << note;
}

} // namespace
} // namespace termiva::cases
