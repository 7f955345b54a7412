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

class Evaluator {
public:
    explicit Evaluator(const ThicknessLimitInput& input) : input_(input) {}

    CalculationResult<ThicknessPoint> At(int tenths) {
        if (auto it = cache_.find(tenths); it != cache_.end())
            return it->second;
        auto p = ThicknessLimitPoint(input_, Thickness(tenths));
        if (p)
            cache_.emplace(tenths, *p);
        return p;
    }
    int evaluations() const { return static_cast<int>(cache_.size()); }

private:
    const ThicknessLimitInput& input_;
    std::map<int, ThicknessPoint> cache_;
};

struct Limit {
    Governing kind;
    double value;
    int lastFailingMm = -1; // the highest whole millimetre where it fails
    int answer = 0;         // tenths
};

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
        limits.push_back({Governing::Surface, *input.maxSurface});
    if (input.maxLoss)
        limits.push_back({Governing::Loss, *input.maxLoss});
    if (limits.empty())
        return ThicknessLimitError{
            "Give a maximum surface temperature, a maximum heat loss or both.", std::nullopt};

    Evaluator eval(input);
    const auto top = eval.At(kMaxTenths);
    if (!top)
        return ThicknessLimitError{top.error().message, std::nullopt};
    for (const Limit& limit : limits) {
        if (!Holds(*top, limit.kind, limit.value)) {
            const UnmetLimit unmet{limit.kind, limit.value, *top};
            return ThicknessLimitError{UnmetLimitMessage(unmet, input.object, '.'), unmet};
        }
    }

    // Down from the top until every limit has failed once: everything above
    // its last failure holds.
    std::size_t open = limits.size();
    for (int mm = kMaxTenths / 10 - 1; mm >= 0 && open > 0; --mm) {
        const auto p = eval.At(mm * 10);
        if (!p)
            return ThicknessLimitError{p.error().message, std::nullopt};
        for (Limit& limit : limits) {
            if (limit.lastFailingMm < 0 && !Holds(*p, limit.kind, limit.value)) {
                limit.lastFailingMm = mm;
                --open;
            }
        }
    }
    // Inside the step above the last failure, the highest failing tenth.
    for (Limit& limit : limits) {
        if (limit.lastFailingMm < 0)
            continue;
        const int base = limit.lastFailingMm * 10;
        limit.answer = base + 1;
        for (int j = 9; j >= 1; --j) {
            const auto p = eval.At(base + j);
            if (!p)
                return ThicknessLimitError{p.error().message, std::nullopt};
            if (!Holds(*p, limit.kind, limit.value)) {
                limit.answer = base + j + 1;
                break;
            }
        }
    }

    ThicknessLimitResult r;
    int answer = 0;
    for (const Limit& limit : limits) {
        (limit.kind == Governing::Surface ? r.surfaceThickness : r.lossThickness) =
            Thickness(limit.answer);
        answer = std::max(answer, limit.answer);
    }
    if (limits.size() == 2 && limits[0].answer == limits[1].answer)
        r.governing = Governing::Both;
    else
        for (const Limit& limit : limits) {
            if (limit.answer == answer)
                r.governing = limit.kind;
        }
    const auto at = eval.At(answer);
    if (!at)
        return ThicknessLimitError{at.error().message, std::nullopt};
    r.answer = *at;

    std::vector<double> standard = input.standard;
    std::sort(standard.begin(), standard.end());
    const auto next = std::find_if(standard.begin(), standard.end(),
                                   [&](double t) { return t >= r.answer.thickness; });
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
