// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the heat loss of each insulation thickness costs and emits over the
// service life, and the economic thickness: the one with the least life-cycle
// cost (installed cost plus the present worth of the energy cost).

#include "engine/calculation_error.h"
#include "engine/single_pipe.h"
#include "engine/thickness_limit.h"
#include "engine/vessel.h"

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace termiva {

// The operating and money inputs. Interest and escalation may be 0.
struct EconomicsTerms {
    double hours = 0;      // operating hours per year H, h/a, 0 < H <= 8784
    double price = 0;      // energy price p, currency per MWh of fuel or purchased energy, >= 0
    double efficiency = 0; // efficiency eta of the heat supply, -, 0 < eta <= 1
    double co2Factor = 0;  // emission factor f, kg CO2 per MWh of fuel, >= 0
    double life = 0;       // service life n, years, a whole number 1..100
    double interest = 0;   // interest rate i, %/a, -100 < i <= 100
    double escalation = 0; // energy price escalation g, %/a, -100 < g <= 100
};

inline constexpr double kMaxOperatingHours = 8784; // h/a, a leap year
inline constexpr double kMaxServiceLife = 100;     // years

// A candidate thickness with its installed cost.
struct EconomicsCandidate {
    double thickness = 0; // mm, > 0
    double cost = 0;      // currency per m of pipe or per m² of the vessel's outer surface, >= 0
};

struct EconomicsInput {
    // The object with its physical inputs as the single pipe or vessel
    // calculation takes them (the vessel's shape in VesselInput::shape); the
    // thicknesses tins are not read.
    std::variant<SinglePipeInput, VesselInput> object;
    double length = 0; // pipe length L, m (pipe only; the vessel counts whole)
    EconomicsTerms terms;
    std::vector<EconomicsCandidate> candidates; // in any order
};

// The physical side of one row: what the single pipe or vessel calculation
// gives for the thickness, scaled to the whole object, and its installed cost.
struct EconomicsLoss {
    ThicknessPoint point;     // thickness mm (0 bare); loss W/m (pipe) or W (vessel); marks
    double heatLoss = 0;      // Q, W of the whole object (pipe: W/m × L)
    double installedCost = 0; // I, currency (0 bare)
};

struct EconomicsRow {
    EconomicsLoss loss;
    double annualHeat = 0;           // E = Q·H/10⁶, MWh/a
    double annualFuel = 0;           // F = E/eta, MWh/a
    double annualCost = 0;           // C = F·p, currency/a (the first year's price)
    double annualCo2 = 0;            // M = F·f/1000, t/a
    double annualSavings = 0;        // S = C(bare) - C, currency/a
    std::optional<double> payback;   // I/S, years; none where S <= 0
    double lifeCycleCost = 0;        // LCC = I + C·PWF, currency
    double netPresentValue = 0;      // NPV = S·PWF - I against bare, currency
    double insulationAnnualCost = 0; // I·a, currency/a
    double energyAnnualCost = 0;     // C·PWF·a, currency/a
    double equivalentAnnualCost = 0; // LCC·a, currency/a
    double co2Avoided = 0;           // (M(bare) - M)·n, t over the service life
};

struct EconomicsResult {
    double presentWorthFactor = 0;  // PWF = sum over t = 1..n of (1+g)^(t-1) / (1+i)^t, -
    double annuityFactor = 0;       // a = i(1+i)^n / ((1+i)^n - 1), 1/n for i = 0, per year
    double coveredSize = 0;         // the cost basis: L in m (pipe), outer area in m² (vessel)
    int life = 0;                   // n, years
    std::vector<EconomicsRow> rows; // bare first, then the candidates by thickness
    std::size_t economic = 0;       // the row of least LCC (the thinner on a tie); 0 is bare
    bool economicIsBare = false;
    // The least LCC is the thickest candidate: a thicker one may cost less.
    bool economicIsThickest = false;
};

// The present-worth factor and the capital recovery factor for rates in %/a.
// Both are summed term by term, which equals the closed forms
// [1 - ((1+g)/(1+i))^n] / (i - g) (n/(1+i) for i = g) and 1 / sum (1+i)^-t
// and stays exact where i and g (or i and 0) nearly coincide.
double PresentWorthFactor(double interest, double escalation, int life);
double AnnuityFactor(double interest, int life);

// The money side with the losses given: rows[0] the bare object, then the
// candidates in the order of the result rows. Errors: the terms out of range
// (H, eta, n, i, g, a negative price or emission factor) and a non-finite
// result.
CalculationResult<EconomicsResult> EconomicsOfLosses(const EconomicsTerms& terms,
                                                     const std::vector<EconomicsLoss>& rows);

// The whole chain: each thickness through SinglePipeAtThickness or
// VesselAtThickness, the installed cost per m of pipe or per m² of the area the
// vessel calculation takes for the bare surface, then EconomicsOfLosses.
// Errors: every input error of the single pipe or vessel calculation, a pipe
// length not above 0, no candidate, a candidate thickness not above 0, a
// thickness listed twice, a negative cost (candidates are named by their
// place in the list, from 1), and those of EconomicsOfLosses.
CalculationResult<EconomicsResult> Economics(const EconomicsInput& input);

} // namespace termiva
