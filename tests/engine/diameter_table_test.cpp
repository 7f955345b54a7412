// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/diameter_table.h"
#include "engine/single_pipe.h"
#include "expect_digits.h"
#include "test_data.h"

#include <gtest/gtest.h>
#include <string>

namespace termiva {
namespace {

TEST(DiameterTable, StandardDiameterSeries) {
    const auto t = ComputeDiameterTable(test_data::DiameterTable());
    ASSERT_TRUE(t.has_value()) << t.error().message;
    const double D[19] = {10,  20,  30,  40,  50,  60,  70,  80,  90,  100,
                          200, 300, 400, 500, 600, 700, 800, 900, 1000};
    for (std::size_t i = 0; i < 19; ++i) {
        EXPECT_EQ(t->rows[i][0], D[i]);
        // Thicker insulation, smaller loss; larger pipe, larger loss.
        for (std::size_t c = 2; c < 7; ++c)
            EXPECT_LT(t->rows[i][c], t->rows[i][c - 1]);
        if (i > 0) {
            EXPECT_GT(t->rows[i][1], t->rows[i - 1][1]);
        }
    }
}

// The test data's table, computed independently of this code from the
// method's description (tests/engine/reference/diameter_table.py), at the
// digits the table screen shows, with the passes of every iteration.
TEST(DiameterTable, TestDataComputedIndependently) {
    struct Row {
        double D;
        const char* loss[6]; // bare, tins1..tins5, W/m
        int passes[5];
    };
    const Row rows[19] = {
        {10, {"96.43", "29.20", "21.33", "18.81", "17.30", "15.48"}, {9, 8, 7, 7, 6}},
        {20, {"174.41", "41.62", "28.23", "24.20", "21.85", "19.11"}, {9, 8, 7, 7, 7}},
        {30, {"247.52", "53.03", "34.23", "28.75", "25.62", "22.05"}, {9, 8, 8, 7, 7}},
        {40, {"317.79", "64.01", "39.82", "32.93", "29.04", "24.66"}, {10, 8, 8, 7, 7}},
        {50, {"386.11", "74.76", "45.19", "36.89", "32.25", "27.08"}, {10, 8, 8, 7, 7}},
        {60, {"452.96", "85.36", "50.41", "40.71", "35.33", "29.36"}, {10, 8, 8, 7, 7}},
        {70, {"518.65", "95.85", "55.52", "44.42", "38.30", "31.56"}, {10, 9, 8, 8, 7}},
        {80, {"583.38", "106.26", "60.56", "48.06", "41.20", "33.69"}, {10, 9, 8, 8, 7}},
        {90, {"647.30", "116.61", "65.55", "51.65", "44.05", "35.76"}, {10, 9, 8, 8, 7}},
        {100, {"710.51", "126.91", "70.49", "55.19", "46.85", "37.79"}, {10, 9, 8, 8, 7}},
        {200, {"1317.25", "228.41", "118.65", "89.30", "73.56", "56.81"}, {10, 9, 8, 8, 7}},
        {300, {"1896.56", "328.48", "165.85", "122.45", "99.28", "74.80"}, {10, 9, 9, 8, 8}},
        {400, {"2459.96", "427.78", "212.67", "155.24", "124.62", "92.39"}, {11, 9, 9, 8, 8}},
        {500, {"3012.39", "526.57", "259.27", "187.83", "149.77", "109.78"}, {11, 9, 9, 8, 8}},
        {600, {"3556.56", "624.96", "305.74", "220.31", "174.81", "127.04"}, {11, 9, 9, 8, 8}},
        {700, {"4094.18", "723.04", "352.10", "252.71", "199.77", "144.23"}, {11, 10, 9, 8, 8}},
        {800, {"4626.40", "820.86", "398.37", "285.05", "224.68", "161.36"}, {11, 10, 9, 8, 8}},
        {900, {"5154.06", "918.46", "444.59", "317.34", "249.55", "178.45"}, {11, 10, 9, 9, 8}},
        {1000, {"5677.78", "1015.87", "490.74", "349.60", "274.39", "195.52"}, {11, 10, 9, 9, 8}},
    };
    const auto t = ComputeDiameterTable(test_data::DiameterTable());
    ASSERT_TRUE(t.has_value()) << t.error().message;
    for (std::size_t i = 0; i < 19; ++i) {
        SCOPED_TRACE(rows[i].D);
        EXPECT_EQ(t->rows[i][0], rows[i].D);
        for (std::size_t c = 0; c < 6; ++c)
            EXPECT_DIGITS(t->rows[i][c + 1], rows[i].loss[c]);
        for (std::size_t j = 0; j < 5; ++j)
            EXPECT_EQ(t->passes[i][j], rows[i].passes[j]) << "tins" << j + 1;
        for (const ValueFlags& f : t->flags[i])
            EXPECT_FALSE(f.any());
    }
}

// A difference of 0.0001 °C makes every loss a few 1e-5 W/m: the first pass
// of a row then already reproduces the loss carried from the row above within
// the bound and ends the iteration. The first row compares with 0 and needs a
// second pass.
TEST(DiameterTable, FirstPassComparesWithTheRowAbove) {
    DiameterTableInput in = test_data::DiameterTable();
    in.T1 = in.Tout + 0.0001;
    const auto t = ComputeDiameterTable(in);
    ASSERT_TRUE(t.has_value()) << t.error().message;
    for (std::size_t i = 0; i < 10; ++i) {
        SCOPED_TRACE(t->rows[i][0]);
        for (std::size_t j = 0; j < 5; ++j) {
            EXPECT_GT(t->rows[i][j + 2], 1e-5);
            EXPECT_EQ(t->passes[i][j], i == 0 ? 2 : 1);
        }
    }
}

// A radiating pipe over a cold ambient settles slowly: the iteration stops at
// 100 passes with the last pass standing (the pipe group goes on to 155).
TEST(DiameterTable, PassLimit) {
    const DiameterTableInput in{{800, -50, 0.3, 1, 0.01}, {30, 30, 30, 30, 30}};
    const auto t = ComputeDiameterTable(in);
    ASSERT_TRUE(t.has_value()) << t.error().message;
    for (std::size_t j = 0; j < 5; ++j)
        EXPECT_EQ(t->passes[0][j], 100);
    EXPECT_DIGITS(t->rows[0][2], "584.451");
}

// At 800 °C every bare cell is marked, and a thickness of 0 (surface at T1 on
// every pass); the insulated surfaces stay below the limits.
TEST(DiameterTable, ValuesBeyondTheAirDataAreFlagged) {
    DiameterTableInput in = test_data::DiameterTable();
    in.T1 = 800;
    in.tins[0] = 0;
    const auto t = ComputeDiameterTable(in);
    ASSERT_TRUE(t.has_value()) << t.error().message;
    for (std::size_t i = 0; i < 19; ++i) {
        SCOPED_TRACE(t->rows[i][0]);
        EXPECT_FALSE(t->flags[i][0].outsideAirData);
        EXPECT_TRUE(t->flags[i][1].outsideAirData);
        EXPECT_TRUE(t->flags[i][2].outsideAirData);
        for (std::size_t c = 3; c < 7; ++c)
            EXPECT_FALSE(t->flags[i][c].outsideAirData) << c;
    }
}

// Each row is the single pipe calculation at that diameter, up to the looser
// convergence bound of the table.
TEST(DiameterTable, RowsAgreeWithTheSinglePipe) {
    const auto t = ComputeDiameterTable(test_data::DiameterTable());
    ASSERT_TRUE(t.has_value());
    for (std::size_t i : {0u, 9u, 10u, 18u}) {
        SCOPED_TRACE(i);
        const auto& row = t->rows[i];
        SinglePipeInput p;
        p.D2 = row[0];
        p.T1 = 143;
        p.Tout = 20;
        p.e = 0.95;
        p.WC = 1;
        p.k = 0.07;
        p.tins = test_data::DiameterTable().tins;
        const auto s = SinglePipeHeatLoss(p);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(row[1], s->HeatLoss[0]);
        for (std::size_t j = 1; j <= 5; ++j)
            EXPECT_NEAR(row[j + 1], s->HeatLoss[j], 1e-4);
    }
}

TEST(DiameterTable, ZeroThicknessReproducesTheBarePipe) {
    DiameterTableInput in = test_data::DiameterTable();
    in.tins[4] = 0;
    const auto t = ComputeDiameterTable(in);
    ASSERT_TRUE(t.has_value());
    for (const auto& row : t->rows)
        EXPECT_NEAR(row[6], row[1], 1e-12 * row[1]);
}

TEST(DiameterTable, InputsOutsideTheDomain) {
    struct Row {
        const char* name;
        void (*change)(DiameterTableInput&);
        std::string message;
    };
    const Row rows[] = {
        {"T1 = Tout", [](DiameterTableInput& in) { in.T1 = in.Tout; },
         "Fluid temperature must be higher than ambient temperature."},
        {"k = 0", [](DiameterTableInput& in) { in.k = 0; },
         "Insulation thermal conductivity must be greater than 0."},
        {"negative tins3", [](DiameterTableInput& in) { in.tins[2] = -1; },
         "Insulation thickness tins3 must not be negative."},
        {"negative WC", [](DiameterTableInput& in) { in.WC = -1; },
         "Wind coefficient must not be negative."},
        {"e = WC = 0",
         [](DiameterTableInput& in) {
             in.e = 0;
             in.WC = 0;
         },
         "Emissivity and wind coefficient must not both be 0."},
        {"far too hot", [](DiameterTableInput& in) { in.T1 = 1e6; }, kBeyondAirDataMessage},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DiameterTableInput in = test_data::DiameterTable();
        row.change(in);
        const auto t = ComputeDiameterTable(in);
        ASSERT_FALSE(t.has_value());
        EXPECT_EQ(t.error().message, row.message);
    }
}

} // namespace
} // namespace termiva
