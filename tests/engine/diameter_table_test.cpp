#include "engine/diameter_table.h"
#include "engine/single_pipe.h"
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
        {"far too hot", [](DiameterTableInput& in) { in.T1 = 1e6; },
         "The calculation did not converge."},
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
