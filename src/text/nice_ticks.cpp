// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/nice_ticks.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace termiva::text {

std::vector<double> NiceTicks(double low, double high, int count) {
    if (!std::isfinite(low) || !std::isfinite(high))
        return {0, 1};
    if (high < low)
        std::swap(low, high);
    if (high - low < std::abs(high) * 1e-12 || high == low) {
        const double pad = low == 0 ? 1 : std::abs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    // Of the round steps that give between two thirds and one and a half times
    // `count` ticks, the one whose axis runs least past the data (an axis
    // ends at the data's round bound: 25, not 26), then the one whose number
    // of ticks comes nearest to `count`, then the larger step.
    const double rough = (high - low) / std::max(count - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    double bestPast = std::numeric_limits<double>::infinity();
    long best = std::numeric_limits<long>::max();
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        const double candidate = factor * power;
        const double first = std::floor(low / candidate + 1e-9);
        const double last = std::ceil(high / candidate - 1e-9);
        const long ticks = std::lround(last - first) + 1;
        const bool inRange = 3 * ticks >= 2L * count && 2 * ticks <= 3L * count;
        const double past =
            inRange ? ((low - first * candidate) + (last * candidate - high)) / (high - low) : 1e9;
        const bool better =
            past < bestPast - 1e-9 || (past <= bestPast + 1e-9 && std::abs(ticks - count) <= best);
        if (better) {
            bestPast = std::min(bestPast, past);
            best = std::abs(ticks - count);
            step = candidate;
        }
    }
    std::vector<double> ticks;
    const double first = std::floor(low / step + 1e-9);
    for (double k = first; ticks.size() < 100; k += 1) {
        ticks.push_back(k * step);
        if (k * step >= high - step * 1e-9)
            break;
    }
    return ticks;
}

int TickDecimals(double step) {
    return std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
}

} // namespace termiva::text
