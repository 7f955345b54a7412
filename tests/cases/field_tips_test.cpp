// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/field_tips.h"

#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

// Every field of every screen has a tip that says what it is and names its unit.
TEST(FieldTips, EveryFieldSaysWhatItIsAndItsUnit) {
    for (const InputFileKind kind : files::kInputFileKinds)
        for (const FieldSpec& field : Fields(kind)) {
            SCOPED_TRACE(std::string(field.caption));
            EXPECT_FALSE(FieldTipOfCaption(field.caption).empty());
            const std::string name =
                std::string(field.name) + (field.requirement == Requirement::RowEntry ? "(1)" : "");
            const std::string tip = FieldTip(kind, name);
            if (!field.unit.empty() && field.unit != "-") {
                EXPECT_NE(tip.find("Unit: " + std::string(field.unit)), std::string::npos);
            }
        }
    EXPECT_NE(FieldTip(InputFileKind::MultiplePipes, "Text3(13)").find("pipe line"),
              std::string::npos);
    EXPECT_NE(FieldTip(InputFileKind::SinglePipe, "Text6").find("aluminium jacketing about 0.1"),
              std::string::npos);
    EXPECT_TRUE(FieldTip(InputFileKind::SinglePipe, "Text99").empty());
    EXPECT_NE(FieldTip(InputFileKind::Economics, "Text10").find("pipe line"), std::string::npos);
    EXPECT_NE(FieldTip(InputFileKind::Economics, "Text17").find("rise"), std::string::npos);
}

} // namespace
} // namespace termiva::cases
