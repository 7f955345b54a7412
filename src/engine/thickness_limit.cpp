// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/thickness_limit.h"

#include "engine/single_pipe.h"
#include "engine/vessel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace termiva {

namespace {

constexpr int kMaxTenths = 10000; // 1000 mm in 0.1 mm steps

// Thicknesses are tenths of a millimetre counted as integers and divided once,
// so that 12.3 mm is the same double as the text "12.3" typed into a screen.
double Thickness(int tenths) {
    return tenths / 10.0;
}

bool Holds(const ThicknessPoint& p, Governing limit, double value) {
    // Written so that a NaN fails.
    const double x = limit == Governing::Surface ? p.Tsurface : p.HeatLoss;
    return x <= value;
}

std::string Fixed(double value, int decimals, char separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text(buffer);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

// Every tenth is computed at most once; the scan asks for each of them.
class Evaluator {
public:
    explicit Evaluator(const ThicknessLimitInput& input) : input_(input), points_(kMaxTenths + 1) {}

    CalculationResult<ThicknessPoint> At(int tenths) {
        std::optional<ThicknessPoint>& cached = points_[static_cast<std::size_t>(tenths)];
        if (cached)
            return *cached;
        auto p = ThicknessLimitPoint(input_, Thickness(tenths));
        if (p) {
            cached = *p;
            ++evaluations_;
        }
        return p;
    }
    const std::optional<ThicknessPoint>& known(int tenths) const {
        return points_[static_cast<std::size_t>(tenths)];
    }
    int evaluations() const { return evaluations_; }

private:
    const ThicknessLimitInput& input_;
    std::vector<std::optional<ThicknessPoint>> points_;
    int evaluations_ = 0;
};

// The highest run of the grid on which a condition holds, found from the top
// down: `top` is its highest tenth (-1 while none held yet), `bottom` its
// lowest, known once the tenth below it failed or 0 was reached.
struct Run {
    int top = -1;
    int bottom = -1;
    bool closed() const { return bottom >= 0; }
    void see(int tenths, bool holds) {
        if (closed())
            return;
        if (holds) {
            if (top < 0)
                top = tenths;
            if (tenths == 0)
                bottom = 0;
        } else if (top >= 0) {
            bottom = tenths + 1;
        }
    }
};

struct Limit {
    Governing kind;
    double value;
    Run run;
};

double ValueOf(const ThicknessPoint& p, Governing limit) {
    return limit == Governing::Surface ? p.Tsurface : p.HeatLoss;
}

constexpr int kStep = 10;        // the coarse scan: 1 mm
constexpr int kFineTenths = 200; // every tenth up to 20 mm

// Computes the tenths that decide where the limits hold, so that every other
// tenth lies in a 1 mm step whose interior is on the same side of each limit
// as its two ends. Every tenth is computed up to 20 mm: there the bare
// surface gives way to a thin layer, and a pipe of a few millimetres has its
// whole rise and fall. Above, the curves are smooth on the scale of a
// millimetre; a 1 mm step is filled in unless both ends lie on one side of
// every limit by more than the curve can bend inside the step (its second
// difference around the step). Returns the message of a failed calculation.
std::optional<std::string> Scan(Evaluator& eval, const std::vector<Limit>& limits) {
    for (int tenths = kMaxTenths; tenths >= 0; tenths -= tenths > kFineTenths ? kStep : 1) {
        if (auto p = eval.At(tenths); !p)
            return p.error().message;
    }
    const auto value = [&](int tenths, Governing kind) {
        return ValueOf(*eval.known(tenths), kind);
    };
    const auto bend = [&](int tenths, Governing kind) {
        if (tenths - kStep < kFineTenths || tenths + kStep > kMaxTenths)
            return 0.0;
        return std::fabs(value(tenths - kStep, kind) - 2 * value(tenths, kind) +
                         value(tenths + kStep, kind));
    };
    for (int low = kFineTenths; low < kMaxTenths; low += kStep) {
        const int high = low + kStep;
        bool fill = false;
        for (const Limit& limit : limits) {
            const double a = value(low, limit.kind);
            const double b = value(high, limit.kind);
            // Twice the largest bend nearby, and never less than the rounding
            // of the calculation: a generous margin for the curve inside.
            const double slack =
                2 * std::max({bend(low, limit.kind), bend(high, limit.kind),
                              bend(low - kStep, limit.kind), bend(high + kStep, limit.kind)}) +
                1e-9 * std::max(std::fabs(a), std::fabs(b));
            const bool clearlyHolds = std::max(a, b) + slack <= limit.value;
            const bool clearlyFails = std::min(a, b) - slack > limit.value;
            fill = fill || !(clearlyHolds || clearlyFails);
        }
        for (int tenths = low + 1; fill && tenths < high; ++tenths) {
            if (auto p = eval.At(tenths); !p)
                return p.error().message;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<double> DefaultStandardThicknesses() {
    return {20, 25, 30, 40, 50, 60, 70, 80, 90, 100, 120, 140, 160, 180, 200};
}

CalculationResult<ThicknessPoint> ThicknessLimitPoint(const ThicknessLimitInput& input,
                                                      double thickness) {
    if (input.object == LimitObject::Pipe) {
        SinglePipeInput in;
        in.D2 = input.D2;
        static_cast<OperatingConditions&>(in) = input;
        const auto c = SinglePipeAtThickness(in, thickness);
        if (!c)
            return c.error();
        return ThicknessPoint{thickness, c->HeatLoss, c->Tsurface, c->flags};
    }
    VesselInput in;
    in.shape = ShapeNumberOf(input.object);
    in.L = input.L;
    in.H = input.H;
    in.W = input.W;
    static_cast<OperatingConditions&>(in) = input;
    const auto c = VesselAtThickness(in, thickness);
    if (!c)
        return c.error();
    return ThicknessPoint{thickness, c->HeatLoss, c->Tsurface, c->flags};
}

std::string UnmetLimitMessage(const UnmetLimit& unmet, LimitObject object, char separator,
                              const std::string& limitText) {
    const std::string at = std::to_string(static_cast<int>(kMaxLimitThickness));
    // A rounded limit could read as met ("19.999" as "20.0" beside "20.0").
    const auto limit = [&](int decimals) {
        return limitText.empty() ? Fixed(unmet.value, decimals, separator) : limitText;
    };
    if (unmet.limit == Governing::Surface)
        return "No insulation thickness up to " + at +
               " mm keeps the surface temperature at or below " + limit(1) + " oC: at " + at +
               " mm it is " + Fixed(unmet.atMaximum.Tsurface, 1, separator) + " oC.";
    const char* unit = object == LimitObject::Pipe ? " W/m" : " W";
    return "No insulation thickness up to " + at + " mm keeps the heat loss at or below " +
           limit(2) + unit + ": at " + at + " mm it is " +
           Fixed(unmet.atMaximum.HeatLoss, 2, separator) + unit + ".";
}

Expected<ThicknessLimitResult, ThicknessLimitError>
InsulationThicknessForLimit(const ThicknessLimitInput& input) {
    std::vector<Limit> limits;
    if (input.maxSurface)
        limits.push_back({Governing::Surface, *input.maxSurface, {}});
    if (input.maxLoss)
        limits.push_back({Governing::Loss, *input.maxLoss, {}});
    if (limits.empty())
        return ThicknessLimitError{
            "Give a maximum surface temperature, a maximum heat loss or both.", std::nullopt};

    Evaluator eval(input);
    if (auto error = Scan(eval, limits))
        return ThicknessLimitError{*error, std::nullopt};
    Run all;
    for (int tenths = kMaxTenths; tenths >= 0; --tenths) {
        const std::optional<ThicknessPoint>& p = eval.known(tenths);
        if (!p)
            continue;
        bool holdsAll = true;
        for (Limit& limit : limits) {
            const bool holds = Holds(*p, limit.kind, limit.value);
            limit.run.see(tenths, holds);
            holdsAll = holdsAll && holds;
        }
        all.see(tenths, holdsAll);
    }
    const auto top = eval.At(kMaxTenths);
    for (const Limit& limit : limits) {
        if (limit.run.top < 0) {
            const UnmetLimit unmet{limit.kind, limit.value, *top};
            return ThicknessLimitError{UnmetLimitMessage(unmet, input.object, '.'), unmet};
        }
    }
    if (all.top < 0)
        return ThicknessLimitError{"No insulation thickness up to " +
                                       std::to_string(static_cast<int>(kMaxLimitThickness)) +
                                       " mm keeps both limits at once.",
                                   std::nullopt};

    ThicknessLimitResult r;
    const int answer = all.bottom;
    r.metUpTo = Thickness(all.top);
    for (const Limit& limit : limits)
        (limit.kind == Governing::Surface ? r.surfaceThickness : r.lossThickness) =
            Thickness(limit.run.bottom);
    // The limit that fails just under the answer governs it; at 0 mm, the
    // one whose own answer is the larger (both when they are equal).
    std::vector<Governing> governing;
    if (answer > 0) {
        const auto below = eval.At(answer - 1);
        for (const Limit& limit : limits) {
            if (!Holds(*below, limit.kind, limit.value))
                governing.push_back(limit.kind);
        }
    } else {
        const int largest =
            std::max_element(limits.begin(), limits.end(), [](const Limit& x, const Limit& y) {
                return x.run.bottom < y.run.bottom;
            })->run.bottom;
        for (const Limit& limit : limits) {
            if (limit.run.bottom == largest)
                governing.push_back(limit.kind);
        }
    }
    r.governing = governing.size() == 1 ? governing.front() : Governing::Both;
    const auto at = eval.At(answer);
    if (!at)
        return ThicknessLimitError{at.error().message, std::nullopt};
    r.answer = *at;

    std::vector<double> standard = input.standard;
    std::sort(standard.begin(), standard.end());
    // Past metUpTo a standard thickness no longer meets the limits; past
    // 1000 mm nothing was computed, and the curves are taken to go on falling.
    const bool metToTop = all.top == kMaxTenths;
    const auto next = std::find_if(standard.begin(), standard.end(), [&](double t) {
        return t >= r.answer.thickness && (metToTop || t <= r.metUpTo);
    });
    if (next != standard.end()) {
        const auto p = ThicknessLimitPoint(input, *next);
        if (p)
            r.standard = *p;
        else
            r.standardError = p.error().message;
    }
    r.evaluations = eval.evaluations();
    return r;
}

} // namespace termiva
