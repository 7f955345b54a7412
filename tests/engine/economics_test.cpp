// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/economics.h"
#include "expect_digits.h"
#include "test_data.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace termiva {
namespace {

EconomicsTerms WorkedTerms() {
    EconomicsTerms t;
    t.hours = 8000;
    t.price = 50;
    t.efficiency = 0.9;
    t.co2Factor = 202;
    t.life = 10;
    t.interest = 6;
    t.escalation = 3;
    return t;
}

// Losses in W/m of a 100 m pipe and costs per m, as the worked check gives them.
std::vector<EconomicsLoss> WorkedLosses() {
    const double L = 100;
    std::vector<EconomicsLoss> rows;
    for (auto [t, q, cost] : {std::array<double, 3>{0, 600, 0},
                              {40, 60, 30},
                              {60, 48, 40},
                              {80, 41, 52},
                              {100, 37, 66},
                              {120, 34, 82}})
        rows.push_back({ThicknessPoint{t, q, 0, {}}, q * L, cost * L});
    return rows;
}

EconomicsInput PipeCase() {
    EconomicsInput in;
    in.object = test_data::SinglePipe();
    in.length = 100;
    in.terms = WorkedTerms();
    in.candidates = {{100, 66}, {20, 25}, {50, 40}, {150, 95}, {75, 52}};
    return in;
}

TEST(Economics, WorkedCheckWithTheLossesGiven) {
    EXPECT_DIGITS(AnnuityFactor(6, 10), "0.135868");
    EXPECT_DIGITS(PresentWorthFactor(6, 3, 10), "8.3188");
    // The closed form, which the term-by-term sum must equal.
    EXPECT_NEAR(PresentWorthFactor(6, 3, 10), (1 - std::pow(1.03 / 1.06, 10)) / 0.03, 1e-12);

    const auto r = EconomicsOfLosses(WorkedTerms(), WorkedLosses());
    ASSERT_TRUE(r) << r.error().message;
    ASSERT_EQ(r->rows.size(), 6u);
    const char* lcc[] = {"221835", "25183", "21747", "20359", "20280", "20771"};
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_DIGITS(r->rows[k].lifeCycleCost, lcc[k]) << k;
    EXPECT_EQ(r->economic, 4u);
    EXPECT_FALSE(r->economicIsBare);
    EXPECT_FALSE(r->economicIsThickest);

    const EconomicsRow& best = r->rows[4];
    EXPECT_DIGITS(best.annualHeat, "29.6");
    EXPECT_DIGITS(best.annualFuel, "32.8889");
    EXPECT_DIGITS(best.annualCost, "1644.44");
    EXPECT_DIGITS(best.annualSavings, "25022.22");
    EXPECT_DIGITS(*best.payback, "0.2638");
    EXPECT_DIGITS(best.co2Avoided, "1010.9");
    EXPECT_NEAR(best.netPresentValue, r->rows[0].lifeCycleCost - best.lifeCycleCost, 1e-9);
    EXPECT_NEAR(best.insulationAnnualCost + best.energyAnnualCost, best.equivalentAnnualCost, 1e-9);
    EXPECT_DIGITS(best.equivalentAnnualCost, "2755.38");
    EXPECT_FALSE(r->rows[0].payback);
    EXPECT_EQ(r->rows[0].co2Avoided, 0);
}

TEST(Economics, RatesAtTheirSpecialValues) {
    // i = g: every year's energy cost is worth 1/(1+i) today.
    EXPECT_NEAR(PresentWorthFactor(5, 5, 20), 20 / 1.05, 1e-12);
    // i = 0: no discounting, the annuity is the cost spread evenly.
    EXPECT_EQ(PresentWorthFactor(0, 0, 12), 12);
    EXPECT_EQ(AnnuityFactor(0, 8), 1.0 / 8);
    // Nearly equal rates, where the closed form loses its digits.
    EXPECT_NEAR(PresentWorthFactor(3 + 1e-10, 3, 10), 10 / 1.03, 1e-9);

    EconomicsTerms t = WorkedTerms();
    t.interest = 0;
    t.escalation = 0;
    t.efficiency = 1;
    const auto r = EconomicsOfLosses(t, WorkedLosses());
    ASSERT_TRUE(r) << r.error().message;
    const EconomicsRow& row = r->rows[1];
    EXPECT_EQ(row.annualFuel, row.annualHeat);
    EXPECT_NEAR(row.lifeCycleCost, 3000 + 48 * 50 * 10, 1e-9);
    EXPECT_NEAR(row.equivalentAnnualCost, row.lifeCycleCost / 10, 1e-9);
}

TEST(Economics, TieGoesToTheThinnerAndTheEndsAreFlagged) {
    std::vector<EconomicsLoss> rows = WorkedLosses();
    rows[3].heatLoss = rows[4].heatLoss;
    rows[3].installedCost = rows[4].installedCost;
    auto r = EconomicsOfLosses(WorkedTerms(), rows);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->rows[3].lifeCycleCost, r->rows[4].lifeCycleCost);
    EXPECT_EQ(r->economic, 3u);

    // Cheap insulation: the thickest candidate wins, and the list may stop too early.
    rows = WorkedLosses();
    for (auto& row : rows)
        row.installedCost /= 100;
    r = EconomicsOfLosses(WorkedTerms(), rows);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->economic, 5u);
    EXPECT_TRUE(r->economicIsThickest);
    EXPECT_FALSE(r->economicIsBare);
}

TEST(Economics, PipeChainReadsTheSinglePipeColumnsExactly) {
    EconomicsInput in = PipeCase();
    const auto r = Economics(in);
    ASSERT_TRUE(r) << r.error().message;

    SinglePipeInput pipe = test_data::SinglePipe(); // tins 20, 50, 75, 100, 150
    const SinglePipeResult check = *SinglePipeHeatLoss(pipe);
    ASSERT_EQ(r->rows.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        const EconomicsLoss& loss = r->rows[k].loss;
        EXPECT_EQ(loss.point.thickness, k == 0 ? 0 : pipe.tins[k - 1]);
        EXPECT_EQ(loss.point.HeatLoss, check.HeatLoss[k]) << k;
        EXPECT_EQ(loss.point.Tsurface, check.Tsurface[k]) << k;
        EXPECT_EQ(loss.point.flags.outsideAirData, check.flags[k].outsideAirData);
        EXPECT_EQ(loss.heatLoss, check.HeatLoss[k] * 100);
    }
    EXPECT_EQ(r->coveredSize, 100);
    EXPECT_EQ(r->rows[4].loss.installedCost, 66 * 100);
    const EconomicsRow& answer = r->rows[r->economic];
    EXPECT_GT(r->economic, 0u);
    EXPECT_EQ(answer.loss.point.HeatLoss, check.HeatLoss[r->economic]);
}

TEST(Economics, VesselChainReadsTheVesselColumnsAndPricesTheOuterArea) {
    for (int shape = 1; shape <= 3; ++shape) {
        SCOPED_TRACE(shape);
        const VesselInput vessel = test_data::Vessel(shape); // tins 20, 50, 75, 100
        EconomicsInput in;
        in.object = vessel;
        in.terms = WorkedTerms();
        in.candidates = {{20, 20}, {50, 30}, {75, 40}, {100, 50}};
        const auto r = Economics(in);
        ASSERT_TRUE(r) << r.error().message;
        const VesselResult check = *VesselHeatLoss(vessel);
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(r->rows[k].loss.heatLoss, check.HeatLoss[k]) << k;
            EXPECT_EQ(r->rows[k].loss.point.Tsurface, check.Tsurface[k]) << k;
            EXPECT_EQ(r->rows[k].loss.point.flags.approximate, check.flags[k].approximate);
        }
        EXPECT_EQ(r->rows[1].loss.installedCost, 20 * VesselOuterArea(vessel));
    }
    // 2 (HL + HW + LW) of the 1.2 x 1.8 x 0.8 m box.
    EXPECT_DIGITS(VesselOuterArea(test_data::Vessel(1)), "9.12");
}

TEST(Economics, InsulationThatCostsMoreThanItSavesLeavesThePipeBare) {
    // A 6 mm pipe loses more under a thin layer than bare (critical radius).
    SinglePipeInput small = test_data::SinglePipe();
    small.D2 = 6;
    small.k = 0.2;
    EconomicsInput in = PipeCase();
    in.object = small;
    in.candidates = {{2, 5}, {100, 5000}};
    const auto r = Economics(in);
    ASSERT_TRUE(r) << r.error().message;
    EXPECT_LT(r->rows[1].annualSavings, 0);
    EXPECT_FALSE(r->rows[1].payback);
    EXPECT_GT(r->rows[2].annualSavings, 0);
    ASSERT_TRUE(r->rows[2].payback);
    EXPECT_GT(*r->rows[2].payback, in.terms.life);
    EXPECT_LT(r->rows[2].netPresentValue, 0);
    EXPECT_EQ(r->economic, 0u);
    EXPECT_TRUE(r->economicIsBare);
    EXPECT_FALSE(r->economicIsThickest);
}

TEST(Economics, InputErrors) {
    struct Row {
        const char* name;
        std::function<void(EconomicsInput&)> change;
        const char* message;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {
        {"pipe input", [](auto& in) { std::get<SinglePipeInput>(in.object).T1 = 10; },
         "Fluid temperature must be higher than ambient temperature."},
        {"vessel input",
         [](auto& in) {
             in.object = VesselInput{.shape = 2, .L = 1, .W = 0, .T1 = 150, .k = 0.05, .e = 1};
         },
         "Vessel diameter must be greater than 0."},
        {"length", [](auto& in) { in.length = 0; }, "Pipe length must be greater than 0."},
        {"no hours", [](auto& in) { in.terms.hours = 0; },
         "Operating hours must be greater than 0 and at most 8784 h/a."},
        {"too many hours", [](auto& in) { in.terms.hours = 8785; },
         "Operating hours must be greater than 0 and at most 8784 h/a."},
        {"efficiency 0", [](auto& in) { in.terms.efficiency = 0; },
         "Efficiency of the heat supply must be greater than 0 and at most 1."},
        {"efficiency as %", [](auto& in) { in.terms.efficiency = 90; },
         "Efficiency of the heat supply must be greater than 0 and at most 1."},
        {"price", [](auto& in) { in.terms.price = -1; }, "Energy price must not be negative."},
        {"co2", [](auto& in) { in.terms.co2Factor = -1; },
         "CO2 emission factor must not be negative."},
        {"life 0", [](auto& in) { in.terms.life = 0; },
         "Service life must be a whole number of years from 1 to 100."},
        {"life 2.5", [](auto& in) { in.terms.life = 2.5; },
         "Service life must be a whole number of years from 1 to 100."},
        {"life 101", [](auto& in) { in.terms.life = 101; },
         "Service life must be a whole number of years from 1 to 100."},
        {"interest", [](auto& in) { in.terms.interest = -100; },
         "Interest rate must be greater than -100 % and at most 100 %."},
        {"escalation", [nan](auto& in) { in.terms.escalation = nan; },
         "Energy price escalation must be greater than -100 % and at most 100 %."},
        {"no candidate", [](auto& in) { in.candidates.clear(); },
         "Give at least one candidate thickness."},
        {"repeated", [](auto& in) { in.candidates[3].thickness = 50; },
         "Candidate 4 repeats the thickness of candidate 3."},
        {"negative cost", [](auto& in) { in.candidates[1].cost = -1; },
         "The installed cost of candidate 2 must not be negative."},
        {"zero thickness", [](auto& in) { in.candidates[0].thickness = 0; },
         "The thickness of candidate 1 must be greater than 0."},
        {"overflow", [](auto& in) { in.terms.price = 1e308; },
         "The costs are too large to compute."},
    };
    for (const Row& row : rows) {
        EconomicsInput in = PipeCase();
        row.change(in);
        const auto r = Economics(in);
        ASSERT_FALSE(r) << row.name;
        EXPECT_EQ(r.error().message, row.message) << row.name;
    }
}

} // namespace
} // namespace termiva
