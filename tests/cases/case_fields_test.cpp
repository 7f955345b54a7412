// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_fields.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace termiva::cases {
namespace {

constexpr InputFileKind kKinds[] = {InputFileKind::SinglePipe, InputFileKind::Vessel,
                                    InputFileKind::MultiplePipes};

ScreenTexts Filled(InputFileKind kind, int listIndex = 0) {
    ScreenTexts screen{kind, listIndex, {}};
    for (const FieldSpec& field : Fields(kind)) {
        if (field.requirement == Requirement::Required)
            screen.texts[std::string(field.name)] = "1";
    }
    return screen;
}

// Every field a file keeps has a caption, and only those fields are in the table.
TEST(CaseFields, TableCoversExactlyTheFieldsOfTheFile) {
    for (InputFileKind kind : kKinds) {
        const files::InputFileFormat& format = files::FormatOf(kind);
        std::set<std::string> named(format.fieldNames.begin(), format.fieldNames.end());
        named.insert(format.diameterFieldNames.begin(), format.diameterFieldNames.end());
        std::size_t rowEntries = 0;
        for (const std::string& name : named) {
            const FieldSpec* field = FindField(kind, name);
            ASSERT_NE(field, nullptr) << name;
            EXPECT_FALSE(field->caption.empty()) << name;
            rowEntries += field->requirement == Requirement::RowEntry;
        }
        EXPECT_EQ(rowEntries, kind == InputFileKind::MultiplePipes ? 39u : 0u);
        EXPECT_EQ(FindField(kind, "Text99"), nullptr);
    }
    EXPECT_EQ(FindField(InputFileKind::MultiplePipes, "Text3"), nullptr); // only as Text3(r)
}

TEST(CaseFields, CaptionsAsTheScreensShowThem) {
    ScreenTexts vessel{InputFileKind::Vessel, 0, {}};
    EXPECT_EQ(Caption(vessel, "Text1"), "Lenght (L) [m]");
    EXPECT_EQ(Caption(vessel, "Text3"), "Width of Vessel (W) [m]");
    vessel.listIndex = 2;
    EXPECT_EQ(Caption(vessel, "Text3"), "Diameter of Vessel (D) [m]");

    const ScreenTexts pipes{InputFileKind::MultiplePipes, -1, {}};
    EXPECT_EQ(Caption(pipes, "Text13"), "Thickness of Insulation (delta)  [mm]");
    EXPECT_EQ(Caption(pipes, "Text4(15)"), "Number of Valves, NO 32 [mm]");
    EXPECT_EQ(Caption(pipes, "Text3(25)"), "Lenght of Pipes [m], NO 310 [mm]");
}

// Required fields stop at the first empty one in screen order; pipe rows
// are checked only once the common fields are complete, each naming its
// first empty entry.
TEST(CaseFields, MissingFieldsInTheOrderOfTheCheck) {
    ScreenTexts single = Filled(InputFileKind::SinglePipe);
    EXPECT_TRUE(MissingFields(single).empty());
    single.texts.erase("Text11");
    single.texts["Text6"] = "";
    EXPECT_EQ(MissingFields(single), std::vector<std::string>{"Text6"});

    ScreenTexts vessel = Filled(InputFileKind::Vessel, 1);
    vessel.texts.erase("Text2"); // hidden for a horizontal cylinder, still required
    EXPECT_EQ(MissingFields(vessel), std::vector<std::string>{"Text2"});
    EXPECT_EQ(MissingValueMessage(vessel, "Text2"),
              "Please input value! (Text2, Heigth of Vessel (H) [m])");

    ScreenTexts pipes = Filled(InputFileKind::MultiplePipes);
    pipes.texts["Text4(14)"] = "2";                            // valves without length
    pipes.texts["Text3(16)"] = "5";                            // length without the others
    pipes.texts["Text3(18)"] = pipes.texts["Text4(18)"] = "1"; // flanges missing
    pipes.texts["Text3(19)"] = pipes.texts["Text4(19)"] = pipes.texts["Text5(19)"] = "1";
    EXPECT_EQ(MissingFields(pipes),
              (std::vector<std::string>{"Text3(14)", "Text4(16)", "Text5(18)"}));
    pipes.texts.erase("Text16");
    EXPECT_EQ(MissingFields(pipes), std::vector<std::string>{"Text16"});
}

TEST(CaseFields, VesselShapesUseTheirDimensions) {
    EXPECT_TRUE(VesselUsesField(0, "Text1") && VesselUsesField(0, "Text2"));
    EXPECT_TRUE(VesselUsesField(1, "Text1") && !VesselUsesField(1, "Text2"));
    EXPECT_TRUE(!VesselUsesField(2, "Text1") && VesselUsesField(2, "Text2"));
    EXPECT_FALSE(VesselUsesField(3, "Text3"));
    EXPECT_TRUE(VesselUsesField(2, "Text4"));
}

} // namespace
} // namespace termiva::cases
