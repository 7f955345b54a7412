// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/result_marks.h"

#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

TEST(ResultMarks, NoteNamesEachKindOnce) {
    Marks marks;
    EXPECT_EQ(marks.note(), "");
    marks.add({true, false, 0});
    marks.add({true, false, 0});
    EXPECT_EQ(marks.note(), kOutsideAirDataNote);
    marks.add({false, true, 0.02});
    EXPECT_EQ(marks.note(), std::string(kOutsideAirDataNote) + " " + kApproximateNote);
}

// The explanation tells a balance closed on a tiny loss from one left open,
// with the imbalance in the user's separator.
TEST(ResultMarks, ExplanationOfOneValue) {
    EXPECT_EQ(MarkExplanation({}, "."), "");
    EXPECT_EQ(MarkExplanation({false, true, 0.0137}, ","),
              "Approximate: a loss below 10 W is known to no better than 0.1 W (heat balance "
              "open by 0,01 W).");
    EXPECT_EQ(MarkExplanation({true, true, -0.3619}, "."),
              "Computed with air properties beyond 550 °C (film) / 600 °C (surface): can be far "
              "off.\nApproximate: the heat balance could not be closed; -0.36 W remain.");
}

} // namespace
} // namespace termiva::cases
