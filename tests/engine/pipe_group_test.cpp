// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/pipe_group.h"
#include "expect_digits.h"
#include "test_data.h"

#include <gtest/gtest.h>
#include <string>

namespace termiva {
namespace {

// The sizes of the 13 lines as the multiple pipes screen lists them, written
// out here rather than taken from the table the code uses.
TEST(PipeGroup, RowsPresetWithTheStandardSizes) {
    const double NO[13] = {20, 25, 32, 40, 50, 65, 80, 100, 125, 150, 200, 250, 310};
    const double OD[13] = {26.9,  33.7,  42.4,  48.3,  60.3,  76.1, 88.9,
                           114.3, 139.7, 168.3, 219.1, 273.0, 324.0};
    const PipeGroupInput in;
    for (std::size_t r = 0; r < 13; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(in.rows[r].NO, NO[r]);
        EXPECT_EQ(in.rows[r].OD, OD[r]);
        EXPECT_EQ(kPipeGroupSizes[r].NO, NO[r]);
        EXPECT_EQ(kPipeGroupSizes[r].OD, OD[r]);
        EXPECT_FALSE(in.rows[r].used);
    }
}

TEST(PipeGroup, TestData) {
    const auto r = PipeGroupHeatLoss(test_data::PipeGroup());
    ASSERT_TRUE(r.has_value()) << r.error().message;
    struct Row {
        std::size_t index;
        double Leq;
        const char* q0;
        const char* q1;
        const char* Qbare;
        const char* Qins;
    };
    const Row rows[] = {
        {2, 110, "339.00", "44.513", "37290", "4896.4"},
        {4, 45, "461.26", "56.831", "20757", "2557.4"},
        {7, 36, "810.86", "92.894", "29191", "3344.2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        const PipeRowResult& out = r->rows[row.index];
        EXPECT_TRUE(out.used);
        EXPECT_DIGITS(out.Qbare / row.Leq, row.q0);
        EXPECT_DIGITS(out.Qins / row.Leq, row.q1);
        EXPECT_DIGITS(out.Qbare, row.Qbare);
        EXPECT_DIGITS(out.Qins, row.Qins);
        EXPECT_EQ(out.passes, 9);
    }
    int used = 0;
    for (const PipeRowResult& out : r->rows)
        used += out.used ? 1 : 0;
    EXPECT_EQ(used, 3);
    EXPECT_DIGITS(r->QbareTotal / 1000, "87.24");
    EXPECT_DIGITS(r->QinsTotal / 1000, "10.80");
    EXPECT_FALSE(r->bareTotalFlags.any());
    EXPECT_FALSE(r->insTotalFlags.any());
    for (const PipeRowResult& out : r->rows)
        EXPECT_FALSE(out.bareFlags.any() || out.insFlags.any());
}

// The bare line at 800 °C is marked, the insulated one (surface far below
// 600 °C) is not; each total carries the marks of its column.
TEST(PipeGroup, ValuesBeyondTheAirDataAreFlagged) {
    PipeGroupInput in = test_data::PipeGroup();
    in.T1 = 800;
    const auto r = PipeGroupHeatLoss(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    for (std::size_t row : {2u, 4u, 7u}) {
        EXPECT_TRUE(r->rows[row].bareFlags.outsideAirData) << row;
        EXPECT_FALSE(r->rows[row].insFlags.outsideAirData) << row;
    }
    EXPECT_TRUE(r->bareTotalFlags.outsideAirData);
    EXPECT_FALSE(r->insTotalFlags.outsideAirData);

    in.T1 = 900;
    const auto failed = PipeGroupHeatLoss(in);
    ASSERT_FALSE(failed.has_value());
    EXPECT_EQ(failed.error().message, kBeyondAirDataMessage);
}

// A radiating line over a cold ambient settles slowly: more than 100 passes,
// fewer than the limit of 1000.
TEST(PipeGroup, SlowRowsRunPastAHundredPasses) {
    PipeGroupInput in;
    in.Tout = -50;
    in.T1 = 800;
    in.delta = 30;
    in.k = 0.3;
    in.e = 1;
    in.WC = 0.01;
    test_data::UseRow(in, 7, 1, 0, 0); // OD 114.3
    const auto r = PipeGroupHeatLoss(in);
    ASSERT_TRUE(r.has_value()) << r.error().message;
    EXPECT_EQ(r->rows[7].passes, 155);
    EXPECT_DIGITS(r->rows[7].Qins, "2420.687");
}

TEST(PipeGroup, ValvesAndFlangesCountAsLength) {
    PipeGroupInput fittings = test_data::PipeGroupConditions();
    test_data::UseRow(fittings, 4, 0, 2, 2); // Leq = 3 m
    PipeGroupInput halfValve = test_data::PipeGroupConditions();
    test_data::UseRow(halfValve, 4, 1, 0.5, 0); // Leq = 1.5 m
    PipeGroupInput metre = test_data::PipeGroupConditions();
    test_data::UseRow(metre, 4, 1, 0, 0);
    const auto a = PipeGroupHeatLoss(fittings);
    const auto b = PipeGroupHeatLoss(halfValve);
    const auto m = PipeGroupHeatLoss(metre);
    ASSERT_TRUE(a.has_value() && b.has_value() && m.has_value());
    EXPECT_GT(a->rows[4].Qins, 0);
    EXPECT_DOUBLE_EQ(a->rows[4].Qbare, 3 * m->rows[4].Qbare);
    EXPECT_DOUBLE_EQ(a->rows[4].Qins, 3 * m->rows[4].Qins);
    EXPECT_DOUBLE_EQ(b->rows[4].Qbare, 1.5 * m->rows[4].Qbare);
}

TEST(PipeGroup, NoUsedRow) {
    const auto r = PipeGroupHeatLoss(test_data::PipeGroupConditions());
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->QbareTotal, 0);
    EXPECT_EQ(r->QinsTotal, 0);
    for (const PipeRowResult& out : r->rows)
        EXPECT_FALSE(out.used);
}

TEST(PipeGroup, ZeroThicknessReproducesTheBareLine) {
    PipeGroupInput in = test_data::PipeGroup();
    in.delta = 0;
    const auto r = PipeGroupHeatLoss(in);
    ASSERT_TRUE(r.has_value());
    for (std::size_t row : {2u, 4u, 7u})
        EXPECT_NEAR(r->rows[row].Qins, r->rows[row].Qbare, 1e-12 * r->rows[row].Qbare);
}

// With no insulation a row's first pass reproduces the bare loss; when the
// previous used row has the same diameter that first pass already matches the
// carried loss, even across a skipped row.
TEST(PipeGroup, FirstPassComparesWithThePreviousUsedRow) {
    PipeGroupInput in = test_data::PipeGroupConditions();
    in.delta = 0;
    test_data::UseRow(in, 0, 10, 0, 0);
    in.rows[1].L = 5; // left unused
    test_data::UseRow(in, 2, 10, 0, 0);
    in.rows[2].OD = in.rows[0].OD;
    const auto r = PipeGroupHeatLoss(in);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->rows[0].passes, 2);
    EXPECT_FALSE(r->rows[1].used);
    EXPECT_EQ(r->rows[2].passes, 1);
}

TEST(PipeGroup, InputsOutsideTheDomain) {
    struct Row {
        const char* name;
        void (*change)(PipeGroupInput&);
        std::string message;
    };
    const Row rows[] = {
        {"T1 = Tout", [](PipeGroupInput& in) { in.T1 = in.Tout; },
         "Fluid temperature must be higher than ambient temperature."},
        {"k = 0", [](PipeGroupInput& in) { in.k = 0; },
         "Insulation thermal conductivity must be greater than 0."},
        {"negative delta", [](PipeGroupInput& in) { in.delta = -1; },
         "Insulation thickness must not be negative."},
        {"e = WC = 0",
         [](PipeGroupInput& in) {
             in.e = 0;
             in.WC = 0;
         },
         "Emissivity and wind coefficient must not both be 0."},
        {"OD = 0", [](PipeGroupInput& in) { in.rows[4].OD = 0; },
         "Pipe outside diameter must be greater than 0."},
        {"negative length", [](PipeGroupInput& in) { in.rows[7].L = -1; },
         "Pipe length must not be negative."},
        {"negative valves", [](PipeGroupInput& in) { in.rows[7].valves = -1; },
         "Number of valves must not be negative."},
        {"negative flanges", [](PipeGroupInput& in) { in.rows[2].flanges = -1; },
         "Number of flanges must not be negative."},
        {"overflowing length", [](PipeGroupInput& in) { in.rows[2].L = 1e308; },
         "The results cannot be computed: the numbers are too large to compute."},
        {"overflowing total",
         [](PipeGroupInput& in) {
             for (PipeRow& pipe : in.rows) {
                 pipe.used = true;
                 pipe.L = 1e307;
             }
         },
         "The results cannot be computed: the numbers are too large to compute."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PipeGroupInput in = test_data::PipeGroup();
        row.change(in);
        const auto r = PipeGroupHeatLoss(in);
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error().message, row.message);
    }
}

} // namespace
} // namespace termiva
