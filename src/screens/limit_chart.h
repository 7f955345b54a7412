// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart of the thickness for a limit screen: surface temperature and
// heat loss over the insulation thickness, each limit as a dashed line of its
// own, and the answer. A click on a legend entry hides or shows its line; a
// point under the mouse tells its thickness and value.

#include "cases/thickness_limit_case.h"
#include "engine/thickness_limit.h"
#include "screens/line_chart.h"

#include <optional>
#include <vector>

#include <QString>

namespace termiva {

// The loss axis' top: a few times the limit, so that the limit and the
// crossing stay readable under a curve that starts far above it, but never
// above the curve's top and always above the curve's lowest point.
double LossAxisTop(const std::vector<ThicknessPoint>& points, std::optional<double> maxLoss);

class LimitChartView : public LineChartView {
    Q_OBJECT

public:
    using LineChartView::LineChartView;

    void draw(const ThicknessLimitInput& input, const ThicknessLimitResult& result,
              const cases::ThicknessLimitChartTexts& texts);
};

} // namespace termiva
