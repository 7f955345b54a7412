// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vessel.h"

#include "engine/input_checks.h"
#include "engine/rounded_pi.h"
#include "engine/vessel_coefficients.h"

#include <cmath>
#include <optional>
#include <string>

namespace termiva {

namespace {

constexpr double kBalanceTolerance = 0.1; // W
constexpr int kMaxSecantSteps = 1000;     // the history holds T[0..1000]
constexpr int kMaxBracketSteps = 1000;
// Below a loss of kBalanceTolerance / kCoarseShare the stopping test allows
// more than this share of the loss as error.
constexpr double kCoarseShare = 0.01;

// The outer dimensions of one case (bare, or under one thickness), m, and the
// areas and characteristic lengths that follow from them.
struct Geometry {
    int shape;
    double L;
    double H;
    double W; // the diameter D for the cylinders
    double A; // whole outer area, m²
};

Geometry MakeGeometry(int shape, double L, double H, double W) {
    Geometry g{shape, L, H, W, 0};
    switch (shape) {
    case ShapeNumber(VesselShape::Rectangular):
        g.A = 2 * (H * L + H * W + L * W);
        break;
    case ShapeNumber(VesselShape::HorizontalCylinder):
        g.A = 2 * kPi * std::pow(W, 2) / 4 + kPi * W * L;
        break;
    default:
        g.A = kPi * W * H + 2 * kPi * std::pow(W, 2) / 4;
        break;
    }
    return g;
}

struct OutsideHeat {
    double q;            // W
    bool outsideAirData; // of any surface's coefficient
};

// Heat given off by all outer surfaces at the surface temperature Ts.
OutsideHeat OutsideLoss(const Geometry& g, double Ts, double Tout, double e, double WC) {
    const double dT = Ts - Tout;
    switch (g.shape) {
    case ShapeNumber(VesselShape::Rectangular): {
        const double LcHor = g.L * g.W / (2 * (g.L + g.W));
        VesselCoefficientTerms walls{}, top{}, bottom{};
        const double qWalls =
            dT * HTCver(Ts, g.H, Tout, e, WC, &walls) * (2 * (g.H * g.W + g.H * g.L));
        const double qTop = dT * HTChor_top(Ts, LcHor, Tout, e, WC, &top) * (g.L * g.W);
        const double qBottom = dT * HTChor_down(Ts, LcHor, Tout, e, WC, &bottom) * (g.L * g.W);
        return {qBottom + (qTop + qWalls),
                walls.outsideAirData || top.outsideAirData || bottom.outsideAirData};
    }
    case ShapeNumber(VesselShape::HorizontalCylinder): {
        const double D = g.W;
        VesselCoefficientTerms shell{}, ends{};
        const double qShell = dT * HTChor_c(Ts, D, Tout, e, WC, &shell) * (kPi * D * g.L);
        const double qEnds =
            dT * HTCver(Ts, D, Tout, e, WC, &ends) * (2 * kPi * std::pow(D, 2) / 4);
        return {qEnds + qShell, shell.outsideAirData || ends.outsideAirData};
    }
    default: {
        const double D = g.W;
        VesselCoefficientTerms shell{}, top{}, bottom{};
        const double qShell = dT * HTCver(Ts, g.H, Tout, e, WC, &shell) * (kPi * D * g.H);
        const double qTop =
            dT * HTChor_top(Ts, D / 4, Tout, e, WC, &top) * (kPi * std::pow(D, 2) / 4);
        const double qBottom =
            dT * HTChor_down(Ts, D / 4, Tout, e, WC, &bottom) * (kPi * std::pow(D, 2) / 4);
        return {qBottom + (qTop + qShell),
                shell.outsideAirData || top.outsideAirData || bottom.outsideAirData};
    }
    }
}

// The heat balance of one insulated case: outside loss against the heat
// conducted through the insulation, treated as a flat layer whose area is the
// mean of the bare and the insulated outer areas.
struct Balance {
    const Geometry& outer;
    double A0;    // bare outer area, m²
    double delta; // insulation thickness, m
    double T1;
    double Tout;
    double k;
    double e;
    double WC;
    // Set by every evaluation beyond the air data, never cleared.
    bool& beyondAirData;

    double Qcond(double Ts) const { return (T1 - Ts) * (A0 + outer.A) / 2 * k / delta; }
    OutsideHeat Qout(double Ts) const {
        const OutsideHeat out = OutsideLoss(outer, Ts, Tout, e, WC);
        beyondAirData = beyondAirData || out.outsideAirData;
        return out;
    }
};

struct CaseResult {
    double HeatLoss;
    double Tsurface;
    int steps;
    bool bracketed;
    double F;            // residual of the reported pair, W
    bool outsideAirData; // of the evaluation of the reported pair
};

// Fallback when the secant cannot go on: the residual is negative at the
// ambient temperature, where no heat leaves the surface, and positive at T1,
// where none is conducted. Regula falsi with the Illinois modification keeps
// the root bracketed; a point where the coefficients have no real result (only
// far above the ambient temperature) counts as lying above the root.
//
// Where a convection correlation changes range the residual jumps, and the
// jump may step over |F| < 0.1 W. The bracket then closes on the jump; once it
// cannot be split any further the surface temperature is known to the last bit
// and the end with the smaller residual is the answer.
std::optional<CaseResult> SolveByBracketing(const Balance& b, int stepsSoFar) {
    struct Point {
        double Ts;
        double q;
        double F;
        bool evaluated;
        bool outsideAirData;
    };
    int steps = stepsSoFar;
    Point lo{b.Tout, 0, -b.Qcond(b.Tout), false, false};
    const OutsideHeat atT1 = b.Qout(b.T1);
    Point hi{b.T1, atT1.q, atT1.q - b.Qcond(b.T1), true, atT1.outsideAirData};
    ++steps;
    // Illinois: a residual kept for a second time in a row counts half.
    double Flo = lo.F;
    double Fhi = hi.F;
    int kept = 0; // +1 when hi was kept by the last step, -1 for lo
    for (int n = 0; n < kMaxBracketSteps; ++n) {
        double x = lo.Ts + (hi.Ts - lo.Ts) / 2;
        if (std::isfinite(Fhi) && Flo < 0 && Fhi > 0) {
            const double xf = (lo.Ts * Fhi - hi.Ts * Flo) / (Fhi - Flo);
            if (xf > lo.Ts && xf < hi.Ts)
                x = xf;
        }
        if (!(x > lo.Ts && x < hi.Ts)) {
            const Point* best = nullptr;
            for (const Point* p : {&lo, &hi}) {
                if (p->evaluated && std::isfinite(p->F) &&
                    (best == nullptr || std::abs(p->F) < std::abs(best->F)))
                    best = p;
            }
            if (best == nullptr)
                return std::nullopt;
            return CaseResult{best->q, best->Ts, steps, true, best->F, best->outsideAirData};
        }
        const OutsideHeat out = b.Qout(x);
        const Point p{x, out.q, out.q - b.Qcond(x), true, out.outsideAirData};
        ++steps;
        if (std::isfinite(p.F) && std::abs(p.F) < kBalanceTolerance)
            return CaseResult{p.q, p.Ts, steps, true, p.F, p.outsideAirData};
        if (std::isnan(p.F) || p.F > 0) {
            hi = p;
            Fhi = p.F;
            if (kept == -1)
                Flo /= 2;
            kept = -1;
        } else {
            lo = p;
            Flo = p.F;
            if (kept == 1)
                Fhi /= 2;
            kept = 1;
        }
    }
    return std::nullopt;
}

std::optional<CaseResult> SolveInsulatedCase(const Balance& b, double bareLoss) {
    double Tprev = b.T1;
    double Fprev = bareLoss;
    double Ts = (b.T1 + b.Tout) / 2;
    for (int j = 1; j <= kMaxSecantSteps; ++j) {
        const OutsideHeat out = b.Qout(Ts);
        const double q = out.q;
        const double F = q - b.Qcond(Ts);
        if (!std::isfinite(q) || !std::isfinite(F))
            return SolveByBracketing(b, j);
        if (std::abs(F) < kBalanceTolerance)
            return CaseResult{q, Ts, j, false, F, out.outsideAirData};
        if (F == Fprev)
            return SolveByBracketing(b, j);
        const double next = Ts - F * (Ts - Tprev) / (F - Fprev);
        Tprev = Ts;
        Fprev = F;
        Ts = next < b.Tout ? b.Tout + 1 : next;
    }
    return SolveByBracketing(b, kMaxSecantSteps);
}

std::optional<CalculationError> CheckDimension(double value, const char* name) {
    if (!(value > 0))
        return CalculationError{std::string("Vessel ") + name + " must be greater than 0."};
    return std::nullopt;
}

std::optional<CalculationError> CheckInput(const VesselInput& in) {
    if (auto error = detail::CheckFluidAboveAmbient(in.T1, in.Tout))
        return error;
    const bool usesL = in.shape == ShapeNumber(VesselShape::Rectangular) ||
                       in.shape == ShapeNumber(VesselShape::HorizontalCylinder);
    const bool usesH = in.shape == ShapeNumber(VesselShape::Rectangular) ||
                       in.shape == ShapeNumber(VesselShape::VerticalCylinder);
    if (usesL) {
        if (auto error = CheckDimension(in.L, "length"))
            return error;
    }
    if (usesH) {
        if (auto error = CheckDimension(in.H, "height"))
            return error;
    }
    if (auto error = CheckDimension(
            in.W, in.shape == ShapeNumber(VesselShape::Rectangular) ? "width" : "diameter"))
        return error;
    // No conductivity at all is a sound input: the surface settles just above
    // the ambient temperature.
    if (!(in.k >= 0))
        return CalculationError{"Insulation thermal conductivity must not be negative."};
    if (auto error = detail::CheckHeatGivingSurface(in.e, in.WC))
        return error;
    for (std::size_t i = 0; i < in.tins.size(); ++i) {
        if (!(in.tins[i] > 0))
            return CalculationError{"Insulation thickness tins" + std::to_string(i + 1) +
                                    " must be greater than 0."};
    }
    return std::nullopt;
}

// One thickness, tins > 0 mm, with the bare loss as the secant's first point.
CalculationResult<CaseResult> InsulatedCase(const VesselInput& in, const Geometry& bare,
                                            double bareLoss, double tins, bool& beyondAirData) {
    const Geometry outer = MakeGeometry(in.shape, in.L + tins * 2 / 1000, in.H + tins * 2 / 1000,
                                        in.W + tins * 2 / 1000);
    const Balance balance{outer, bare.A, tins / 1000, in.T1,        in.Tout,
                          in.k,  in.e,   in.WC,       beyondAirData};
    const std::optional<CaseResult> c = SolveInsulatedCase(balance, bareLoss);
    if (!c || !std::isfinite(c->HeatLoss) || !std::isfinite(c->Tsurface))
        return detail::Failure(beyondAirData);
    return *c;
}

ValueFlags FlagsOf(const CaseResult& c) {
    ValueFlags flags;
    flags.outsideAirData = c.outsideAirData;
    flags.imbalance = c.F;
    // A loss below 10 W is only known to within more than 1 % of itself.
    flags.approximate = !(std::abs(c.F) < kBalanceTolerance) ||
                        kBalanceTolerance > kCoarseShare * std::abs(c.HeatLoss);
    return flags;
}

} // namespace

CalculationResult<VesselResult> VesselHeatLoss(const VesselInput& input) {
    if (input.shape < ShapeNumber(VesselShape::Rectangular) ||
        input.shape > ShapeNumber(VesselShape::VerticalCylinder))
        return VesselResult{};
    if (auto error = CheckInput(input))
        return *error;

    VesselResult r;
    const Geometry bare = MakeGeometry(input.shape, input.L, input.H, input.W);
    const OutsideHeat bareHeat = OutsideLoss(bare, input.T1, input.Tout, input.e, input.WC);
    bool beyondAirData = bareHeat.outsideAirData;
    r.Tsurface[0] = input.T1;
    r.HeatLoss[0] = bareHeat.q;
    r.flags[0].outsideAirData = bareHeat.outsideAirData;
    if (!std::isfinite(r.HeatLoss[0]))
        return detail::Failure(beyondAirData);

    for (std::size_t i = 1; i <= 4; ++i) {
        const auto c = InsulatedCase(input, bare, r.HeatLoss[0], input.tins[i - 1], beyondAirData);
        if (!c)
            return c.error();
        r.HeatLoss[i] = c->HeatLoss;
        r.Tsurface[i] = c->Tsurface;
        r.steps[i] = c->steps;
        r.bracketed[i] = c->bracketed;
        r.flags[i] = FlagsOf(*c);
    }
    return r;
}

CalculationResult<VesselCase> VesselAtThickness(const VesselInput& input, double tins) {
    if (input.shape < ShapeNumber(VesselShape::Rectangular) ||
        input.shape > ShapeNumber(VesselShape::VerticalCylinder))
        return CalculationError{"Unknown vessel shape."};
    VesselInput checked = input;
    // The bare vessel is asked for by 0, which the thickness check refuses.
    checked.tins.fill(tins == 0 ? 1 : tins);
    if (auto error = CheckInput(checked))
        return *error;
    const Geometry bare = MakeGeometry(input.shape, input.L, input.H, input.W);
    const OutsideHeat bareHeat = OutsideLoss(bare, input.T1, input.Tout, input.e, input.WC);
    bool beyondAirData = bareHeat.outsideAirData;
    if (!std::isfinite(bareHeat.q))
        return detail::Failure(beyondAirData);
    if (tins == 0) {
        VesselCase c{bareHeat.q, input.T1, 0, false, {}};
        c.flags.outsideAirData = bareHeat.outsideAirData;
        return c;
    }
    const auto c = InsulatedCase(input, bare, bareHeat.q, tins, beyondAirData);
    if (!c)
        return c.error();
    return VesselCase{c->HeatLoss, c->Tsurface, c->steps, c->bracketed, FlagsOf(*c)};
}

double VesselOuterArea(const VesselInput& input) {
    return MakeGeometry(input.shape, input.L, input.H, input.W).A;
}

} // namespace termiva
