// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/economics.h"
#include "expect_digits.h"
#include "test_data.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace termiva {
namespace {

using test_data::WorkedEconomicsLosses;
using test_data::WorkedEconomicsTerms;

EconomicsInput PipeCase() {
    EconomicsInput in;
    in.object = test_data::SinglePipe();
    in.length = 100;
    in.terms = WorkedEconomicsTerms();
    in.candidates = {{100, 66}, {20, 25}, {50, 40}, {150, 95}, {75, 52}};
    return in;
}

TEST(Economics, WorkedCheckWithTheLossesGiven) {
    EXPECT_DIGITS(AnnuityFactor(6, 10), "0.135868");
    EXPECT_DIGITS(PresentWorthFactor(6, 3, 10), "8.3188");
    // The closed form, which the term-by-term sum must equal.
    EXPECT_NEAR(PresentWorthFactor(6, 3, 10), (1 - std::pow(1.03 / 1.06, 10)) / 0.03, 1e-12);

    const auto r = EconomicsOfLosses(WorkedEconomicsTerms(), WorkedEconomicsLosses());
    ASSERT_TRUE(r) << r.error().message;
    ASSERT_EQ(r->rows.size(), 6u);
    const char* lcc[] = {"221835", "25183", "21747", "20359", "20280", "20771"};
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_DIGITS(r->rows[k].lifeCycleCost, lcc[k]) << k;
    EXPECT_EQ(r->economic, 4u);
    EXPECT_FALSE(r->economicIsBare);
    EXPECT_FALSE(r->economicIsThickest);

    const EconomicsRow& best = r->rows[4];
    EXPECT_DIGITS(best.annualCo2, "6.6436"); // 37 W/m: 29.6 MWh/a of heat, 32.89 of fuel
    EXPECT_DIGITS(best.annualSavings, "25022.22");
    EXPECT_DIGITS(*best.payback, "0.2638");
    EXPECT_DIGITS(best.co2Avoided, "1010.9");
    EXPECT_NEAR(best.netPresentValue, r->rows[0].lifeCycleCost - best.lifeCycleCost, 1e-9);
    EXPECT_DIGITS(best.equivalentAnnualCost, "2755.38");
    EXPECT_FALSE(r->rows[0].payback);

    // A tie goes to the thinner.
    std::vector<EconomicsLoss> rows = WorkedEconomicsLosses();
    rows[3].heatLoss = rows[4].heatLoss;
    rows[3].installedCost = rows[4].installedCost;
    EXPECT_EQ(EconomicsOfLosses(WorkedEconomicsTerms(), rows)->economic, 3u);
}

TEST(Economics, RatesAtTheirSpecialValues) {
    // i = g: every year's energy cost is worth 1/(1+i) today.
    EXPECT_NEAR(PresentWorthFactor(5, 5, 20), 20 / 1.05, 1e-12);
    // i = 0: no discounting, the annuity is the cost spread evenly.
    EXPECT_EQ(PresentWorthFactor(0, 0, 12), 12);
    EXPECT_EQ(AnnuityFactor(0, 8), 1.0 / 8);
    // Nearly equal rates, where the closed form loses its digits.
    EXPECT_NEAR(PresentWorthFactor(3 + 1e-10, 3, 10), 10 / 1.03, 1e-9);

    const auto r = EconomicsOfLosses({8000, 50, 1, 202, 10, 0, 0}, WorkedEconomicsLosses());
    ASSERT_TRUE(r) << r.error().message;
    const EconomicsRow& row = r->rows[1];
    EXPECT_EQ(row.annualFuel, row.annualHeat);
    EXPECT_NEAR(row.lifeCycleCost, 3000 + 48 * 50 * 10, 1e-9);
    EXPECT_NEAR(row.equivalentAnnualCost, row.lifeCycleCost / 10, 1e-9);
}

TEST(Economics, TheThickestCandidateIsFlagged) {
    // Cheap insulation: the thickest candidate wins, and the list may stop too early.
    const auto r = EconomicsOfLosses(WorkedEconomicsTerms(), WorkedEconomicsLosses(0.01));
    ASSERT_TRUE(r);
    EXPECT_EQ(r->economic, 5u);
    EXPECT_TRUE(r->economicIsThickest);
    EXPECT_FALSE(r->economicIsBare);
}

TEST(Economics, PipeChainReadsTheSinglePipeColumnsExactly) {
    const auto r = Economics(PipeCase()); // the candidates in another order
    ASSERT_TRUE(r) << r.error().message;
    // The test data's own columns: tins 20, 50, 75, 100, 150.
    const SinglePipeResult check = *SinglePipeHeatLoss(test_data::SinglePipe());
    ASSERT_EQ(r->rows.size(), 6u);
    for (std::size_t k = 0; k < 6; ++k) {
        const EconomicsLoss& loss = r->rows[k].loss;
        EXPECT_EQ(loss.point.HeatLoss, check.HeatLoss[k]) << k;
        EXPECT_EQ(loss.point.Tsurface, check.Tsurface[k]) << k;
        EXPECT_EQ(loss.heatLoss, check.HeatLoss[k] * 100);
    }
    EXPECT_EQ(r->rows[4].loss.installedCost, 66 * 100);
    EXPECT_GT(r->economic, 0u); // so that the answer row is one of those above
}

TEST(Economics, VesselChainReadsTheVesselColumnsAndPricesTheOuterArea) {
    for (int shape = 1; shape <= 3; ++shape) {
        SCOPED_TRACE(shape);
        const VesselInput vessel = test_data::Vessel(shape); // tins 20, 50, 75, 100
        EconomicsInput in;
        in.object = vessel;
        in.terms = WorkedEconomicsTerms();
        in.candidates = {{20, 20}, {50, 30}, {75, 40}, {100, 50}};
        const auto r = Economics(in);
        ASSERT_TRUE(r) << r.error().message;
        const VesselResult check = *VesselHeatLoss(vessel);
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(r->rows[k].loss.heatLoss, check.HeatLoss[k]) << k;
            EXPECT_EQ(r->rows[k].loss.point.Tsurface, check.Tsurface[k]) << k;
        }
        EXPECT_EQ(r->rows[1].loss.installedCost, 20 * VesselOuterArea(vessel));
    }
    // 2 (HL + HW + LW) of the 1.2 x 1.8 x 0.8 m box.
    EXPECT_DIGITS(VesselOuterArea(test_data::Vessel(1)), "9.12");
}

TEST(Economics, InsulationThatCostsMoreThanItSavesLeavesThePipeBare) {
    // A 6 mm pipe loses more under a thin layer than bare (critical radius).
    EconomicsInput in = PipeCase();
    in.object = SinglePipeInput{{.T1 = 143, .Tout = 20, .k = 0.2, .e = 0.95, .WC = 1}, 6, {}};
    in.candidates = {{2, 5}, {100, 5000}};
    const auto r = Economics(in);
    ASSERT_TRUE(r) << r.error().message;
    EXPECT_LT(r->rows[1].annualSavings, 0);
    EXPECT_FALSE(r->rows[1].payback);
    ASSERT_TRUE(r->rows[2].payback);
    EXPECT_GT(*r->rows[2].payback, in.terms.life); // and its NPV is negative
    EXPECT_EQ(r->economic, 0u);
    EXPECT_TRUE(r->economicIsBare);
}

TEST(Economics, InputErrors) {
    using Change = std::function<void(EconomicsInput&)>;
    const std::string hours = "Operating hours must be greater than 0 and at most 8784 h/a.";
    const std::string eta = "Efficiency of the heat supply must be greater than 0 and at most 1.";
    const std::string life = "Service life must be a whole number of years from 1 to 100.";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<Change, std::string> rows[] = {
        {[](auto& in) { std::get<SinglePipeInput>(in.object).T1 = 10; },
         "Fluid temperature must be higher than ambient temperature."},
        {[](auto& in) { in.object = VesselInput{{.T1 = 150, .e = 1}, 2, 1, 0, 0, {}}; },
         "Vessel diameter must be greater than 0."},
        {[](auto& in) { in.length = 0; }, "Pipe length must be greater than 0."},
        {[](auto& in) { in.terms.hours = 8785; }, hours},
        {[](auto& in) { in.terms.efficiency = 0; }, eta},
        {[](auto& in) { in.terms.efficiency = 90; }, eta}, // typed as a percentage
        {[](auto& in) { in.terms.price = -1; }, "Energy price must not be negative."},
        {[](auto& in) { in.terms.co2Factor = -1; }, "CO2 emission factor must not be negative."},
        {[](auto& in) { in.terms.life = 2.5; }, life},
        {[](auto& in) { in.terms.life = 101; }, life},
        {[](auto& in) { in.terms.interest = -100; },
         "Interest rate must be greater than -100 % and at most 100 %."},
        {[nan](auto& in) { in.terms.escalation = nan; },
         "Energy price escalation must be greater than -100 % and at most 100 %."},
        {[](auto& in) { in.candidates.clear(); }, "Give at least one candidate thickness."},
        {[](auto& in) { in.candidates[3].thickness = 50; },
         "Candidate 4 repeats the thickness of candidate 3."},
        {[](auto& in) { in.candidates[1].cost = -1; },
         "The installed cost of candidate 2 must not be negative."},
        {[](auto& in) { in.candidates[0].thickness = 0; },
         "The thickness of candidate 1 must be greater than 0."},
        {[](auto& in) { in.terms.price = 1e308; }, "The costs are too large to compute."},
    };
    for (const auto& [change, message] : rows) {
        EconomicsInput in = PipeCase();
        change(in);
        const auto r = Economics(in);
        ASSERT_FALSE(r) << message;
        EXPECT_EQ(r.error().message, message);
    }
}

} // namespace
} // namespace termiva
