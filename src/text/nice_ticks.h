// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Round tick values for a chart axis, shared by the screens' charts and the
// report's chart so that both label an axis alike.

#include <vector>

namespace termiva::text {

// Round tick values covering [low, high]: steps of 1, 2 or 5 times a power of
// ten, about `count` of them; the first tick is at or below `low`, the last at
// or above `high`, the step chosen so that the axis runs as little past
// [low, high] as it can. A flat or empty range still gives two ticks.
std::vector<double> NiceTicks(double low, double high, int count);

// The decimals a tick label needs to show every tick of `step` exactly.
int TickDecimals(double step);

} // namespace termiva::text
