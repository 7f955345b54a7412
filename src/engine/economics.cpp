// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/economics.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

namespace termiva {

namespace {

// Each check is written so that a NaN fails it.
std::optional<CalculationError> CheckTerms(const EconomicsTerms& t) {
    if (!(t.hours > 0 && t.hours <= kMaxOperatingHours))
        return CalculationError{"Operating hours must be greater than 0 and at most 8784 h/a."};
    if (!(t.price >= 0))
        return CalculationError{"Energy price must not be negative."};
    if (!(t.efficiency > 0 && t.efficiency <= 1))
        return CalculationError{
            "Efficiency of the heat supply must be greater than 0 and at most 1."};
    if (!(t.co2Factor >= 0))
        return CalculationError{"CO2 emission factor must not be negative."};
    if (!(t.life >= 1 && t.life <= kMaxServiceLife && t.life == std::floor(t.life)))
        return CalculationError{"Service life must be a whole number of years from 1 to 100."};
    if (!(t.interest > -100 && t.interest <= 100))
        return CalculationError{"Interest rate must be greater than -100 % and at most 100 %."};
    if (!(t.escalation > -100 && t.escalation <= 100))
        return CalculationError{
            "Energy price escalation must be greater than -100 % and at most 100 %."};
    return std::nullopt;
}

std::optional<CalculationError> CheckCandidates(const std::vector<EconomicsCandidate>& list) {
    if (list.empty())
        return CalculationError{"Give at least one candidate thickness."};
    for (std::size_t k = 0; k < list.size(); ++k) {
        const std::string name = "candidate " + std::to_string(k + 1);
        if (!(list[k].thickness > 0))
            return CalculationError{"The thickness of " + name + " must be greater than 0."};
        if (!(list[k].cost >= 0))
            return CalculationError{"The installed cost of " + name + " must not be negative."};
        for (std::size_t j = 0; j < k; ++j) {
            if (list[j].thickness == list[k].thickness)
                return CalculationError{"Candidate " + std::to_string(k + 1) +
                                        " repeats the thickness of candidate " +
                                        std::to_string(j + 1) + "."};
        }
    }
    return std::nullopt;
}

bool AllFinite(const EconomicsRow& r) {
    for (double v : {r.annualHeat, r.annualFuel, r.annualCost, r.annualCo2, r.annualSavings,
                     r.lifeCycleCost, r.netPresentValue, r.insulationAnnualCost, r.energyAnnualCost,
                     r.equivalentAnnualCost, r.co2Avoided, r.loss.installedCost}) {
        if (!std::isfinite(v))
            return false;
    }
    return !r.payback || std::isfinite(*r.payback);
}

// The loss of one thickness (0 bare) of the object, as its own calculation
// gives it.
CalculationResult<ThicknessPoint> PointOf(const EconomicsInput& input, double thickness) {
    if (const auto* pipe = std::get_if<SinglePipeInput>(&input.object)) {
        const auto c = SinglePipeAtThickness(*pipe, thickness);
        if (!c)
            return c.error();
        return ThicknessPoint{thickness, c->HeatLoss, c->Tsurface, c->flags};
    }
    const auto c = VesselAtThickness(std::get<VesselInput>(input.object), thickness);
    if (!c)
        return c.error();
    return ThicknessPoint{thickness, c->HeatLoss, c->Tsurface, c->flags};
}

} // namespace

double PresentWorthFactor(double interest, double escalation, int life) {
    const double i = interest / 100;
    const double ratio = (1 + escalation / 100) / (1 + i);
    double sum = 0;
    double term = 1 / (1 + i); // (1+g)^(t-1) / (1+i)^t
    for (int t = 1; t <= life; ++t) {
        sum += term;
        term *= ratio;
    }
    return sum;
}

double AnnuityFactor(double interest, int life) {
    return 1 / PresentWorthFactor(interest, 0, life);
}

CalculationResult<EconomicsResult> EconomicsOfLosses(const EconomicsTerms& terms,
                                                     const std::vector<EconomicsLoss>& rows) {
    if (auto error = CheckTerms(terms))
        return *error;
    const int n = static_cast<int>(terms.life);
    EconomicsResult r;
    r.presentWorthFactor = PresentWorthFactor(terms.interest, terms.escalation, n);
    r.annuityFactor = AnnuityFactor(terms.interest, n);
    r.life = n;
    r.rows.reserve(rows.size());
    for (const EconomicsLoss& loss : rows) {
        EconomicsRow row;
        row.loss = loss;
        row.annualHeat = loss.heatLoss * terms.hours / 1e6;
        row.annualFuel = row.annualHeat / terms.efficiency;
        row.annualCost = row.annualFuel * terms.price;
        row.annualCo2 = row.annualFuel * terms.co2Factor / 1000;
        row.lifeCycleCost = loss.installedCost + row.annualCost * r.presentWorthFactor;
        row.insulationAnnualCost = loss.installedCost * r.annuityFactor;
        row.energyAnnualCost = row.annualCost * r.presentWorthFactor * r.annuityFactor;
        row.equivalentAnnualCost = row.lifeCycleCost * r.annuityFactor;
        r.rows.push_back(row);
    }
    if (r.rows.empty())
        return r;
    const EconomicsRow& bare = r.rows.front();
    for (EconomicsRow& row : r.rows) {
        row.annualSavings = bare.annualCost - row.annualCost;
        if (row.annualSavings > 0)
            row.payback = row.loss.installedCost / row.annualSavings;
        row.netPresentValue = row.annualSavings * r.presentWorthFactor - row.loss.installedCost;
        row.co2Avoided = (bare.annualCo2 - row.annualCo2) * n;
    }
    for (std::size_t k = 0; k < r.rows.size(); ++k) {
        if (!AllFinite(r.rows[k]))
            return CalculationError{"The costs are too large to compute."};
        if (r.rows[k].lifeCycleCost < r.rows[r.economic].lifeCycleCost)
            r.economic = k;
    }
    r.economicIsBare = r.economic == 0;
    r.economicIsThickest = r.rows.size() > 1 && r.economic == r.rows.size() - 1;
    return r;
}

CalculationResult<EconomicsResult> Economics(const EconomicsInput& input) {
    const bool isPipe = std::holds_alternative<SinglePipeInput>(input.object);
    const auto bare = PointOf(input, 0);
    if (!bare)
        return bare.error();
    if (isPipe && !(input.length > 0))
        return CalculationError{"Pipe length must be greater than 0."};
    if (auto error = CheckTerms(input.terms))
        return *error;
    if (auto error = CheckCandidates(input.candidates))
        return *error;

    const double size =
        isPipe ? input.length : VesselOuterArea(std::get<VesselInput>(input.object));
    const double perUnit = isPipe ? input.length : 1;
    std::vector<std::size_t> order(input.candidates.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return input.candidates[a].thickness < input.candidates[b].thickness;
    });

    std::vector<EconomicsLoss> losses;
    losses.reserve(order.size() + 1);
    losses.push_back({*bare, bare->HeatLoss * perUnit, 0});
    for (std::size_t k : order) {
        const EconomicsCandidate& c = input.candidates[k];
        const auto p = PointOf(input, c.thickness);
        if (!p)
            return p.error();
        losses.push_back({*p, p->HeatLoss * perUnit, c.cost * size});
    }
    auto r = EconomicsOfLosses(input.terms, losses);
    if (!r)
        return r;
    EconomicsResult result = *r;
    result.coveredSize = size;
    return result;
}

} // namespace termiva
