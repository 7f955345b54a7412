// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/single_pipe.h"
#include "expect_digits.h"
#include "test_data.h"

#include <gtest/gtest.h>
#include <string>

namespace termiva {
namespace {

TEST(SinglePipe, TestData) {
    const auto r = SinglePipeHeatLoss(test_data::SinglePipe());
    ASSERT_TRUE(r.has_value()) << r.error().message;
    const char* loss[] = {"225.216", "49.552", "32.425", "27.392", "24.502", "21.181"};
    const char* surface[] = {"143", "40.30", "28.58", "25.64", "24.15", "22.66"};
    const int passes[] = {0, 12, 10, 10, 9, 8};
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DIGITS(r->HeatLoss[i], loss[i]);
        EXPECT_DIGITS(r->Tsurface[i], surface[i]);
        EXPECT_EQ(r->passes[i], passes[i]);
    }
    EXPECT_EQ(r->Tsurface[0], 143);
    for (const ValueFlags& f : r->flags)
        EXPECT_FALSE(f.any());
}

// A bare pipe at 800 °C is computed as always but marked: its surface is far
// beyond the air data. The insulated surfaces stay well below 600 °C; their
// first passes (surface guessed at T1) do not count. A thickness of 0 keeps
// the surface at T1 on its last pass too.
TEST(SinglePipe, ValuesBeyondTheAirDataAreFlagged) {
    SinglePipeInput in = test_data::SinglePipe();
    in.D2 = 100;
    in.T1 = 800;
    in.tins = {20, 50, 0, 100, 150};
    const auto r = SinglePipeHeatLoss(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_DIGITS(r->HeatLoss[0], "30153.0");
    EXPECT_DIGITS(r->HeatLoss[1], "868.864");
    const bool outside[] = {true, false, false, true, false, false};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(r->flags[i].outsideAirData, outside[i]) << i;
        EXPECT_FALSE(r->flags[i].approximate) << i;
    }
}

// Near 825 °C the polynomials make the Prandtl number negative: the
// arithmetic fails, and the message names the temperatures as the cause.
TEST(SinglePipe, FailureBeyondTheAirDataSaysSo) {
    SinglePipeInput in = test_data::SinglePipe();
    in.T1 = 900;
    const auto r = SinglePipeHeatLoss(in);
    ASSERT_FALSE(r.has_value());
    EXPECT_EQ(r.error().message, kBeyondAirDataMessage);
}

// A radiating surface over a cold ambient settles slowly: three cases reach
// the limit of 100 passes and keep their last pass; one converges after 79.
TEST(SinglePipe, PassLimit) {
    const SinglePipeInput in{{800, -50, 0.3, 1, 0.01}, 114.3, {30, 0, 20, 50, 100}};
    const auto r = SinglePipeHeatLoss(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    const int passes[] = {0, 100, 2, 100, 100, 79};
    const char* loss[] = {"27182.24", "2420.683", "27182.24", "3091.773", "1805.414", "1260.738"};
    for (std::size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r->passes[i], passes[i]);
        EXPECT_DIGITS(r->HeatLoss[i], loss[i]);
    }
}

TEST(SinglePipe, ZeroThicknessReproducesTheBarePipe) {
    SinglePipeInput in = test_data::SinglePipe();
    in.tins[2] = 0;
    const auto r = SinglePipeHeatLoss(in);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->passes[3], 2);
    EXPECT_NEAR(r->HeatLoss[3], r->HeatLoss[0], 1e-12 * r->HeatLoss[0]);
    EXPECT_NEAR(r->Tsurface[3], 143, 1e-12 * 143);
}

TEST(SinglePipe, CasesAreIndependentOfTheirOrder) {
    SinglePipeInput in = test_data::SinglePipe();
    in.tins = {150, 100, 75, 50, 20};
    const auto reversed = SinglePipeHeatLoss(in);
    const auto forward = SinglePipeHeatLoss(test_data::SinglePipe());
    ASSERT_TRUE(reversed.has_value() && forward.has_value());
    for (std::size_t i = 1; i <= 5; ++i) {
        EXPECT_EQ(reversed->HeatLoss[i], forward->HeatLoss[6 - i]);
        EXPECT_EQ(reversed->Tsurface[i], forward->Tsurface[6 - i]);
    }
}

TEST(SinglePipe, InputsOutsideTheDomain) {
    struct Row {
        const char* name;
        void (*change)(SinglePipeInput&);
        std::string message;
    };
    const Row rows[] = {
        {"T1 = Tout", [](SinglePipeInput& in) { in.T1 = in.Tout; },
         "Fluid temperature must be higher than ambient temperature."},
        {"T1 < Tout", [](SinglePipeInput& in) { in.T1 = 10; },
         "Fluid temperature must be higher than ambient temperature."},
        {"D2 = 0", [](SinglePipeInput& in) { in.D2 = 0; },
         "Pipe outside diameter must be greater than 0."},
        // With k = 0 the arithmetic would quietly give a loss of 0.
        {"k = 0", [](SinglePipeInput& in) { in.k = 0; },
         "Insulation thermal conductivity must be greater than 0."},
        {"negative tins4", [](SinglePipeInput& in) { in.tins[3] = -5; },
         "Insulation thickness tins4 must not be negative."},
        {"negative e", [](SinglePipeInput& in) { in.e = -0.5; },
         "Emissivity must not be negative."},
        {"negative WC", [](SinglePipeInput& in) { in.WC = -1; },
         "Wind coefficient must not be negative."},
        {"e = WC = 0",
         [](SinglePipeInput& in) {
             in.e = 0;
             in.WC = 0;
         },
         "Emissivity and wind coefficient must not both be 0."},
        {"overflowing thickness", [](SinglePipeInput& in) { in.tins[0] = 1e308; },
         "The calculation did not converge."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SinglePipeInput in = test_data::SinglePipe();
        row.change(in);
        const auto r = SinglePipeHeatLoss(in);
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error().message, row.message);
    }
}

} // namespace
} // namespace termiva
