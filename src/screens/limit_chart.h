// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart of the thickness for a limit screen: surface temperature and
// heat loss over the insulation thickness, each limit as a dashed line of its
// own, and the answer. A click on a legend entry hides or shows its line; a
// point under the mouse tells its thickness and value.

#include "engine/thickness_limit.h"
#include "screens/line_chart.h"

#include <optional>
#include <vector>

#include <QString>

namespace termiva {

// What the chart shows beside the numbers: the loss axis' title and unit
// ("W/m" or "W"), and the limits as the user typed them (empty when none).
struct LimitChartTexts {
    QString lossTitle;
    QString lossUnit;
    QString surfaceLimit;
    QString lossLimit;
};

// The loss axis' top: a few times the limit, so that the limit and the
// crossing stay readable under a curve that starts far above it, but never
// above the curve's top and always above the curve's lowest point.
double LossAxisTop(const std::vector<ThicknessPoint>& points, std::optional<double> maxLoss);

class LimitChartView : public LineChartView {
    Q_OBJECT

public:
    using LineChartView::LineChartView;

    void draw(const ThicknessLimitInput& input, const ThicknessLimitResult& result,
              const LimitChartTexts& texts);
};

} // namespace termiva
