// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart of the thickness for a limit screen: surface temperature and
// heat loss over the insulation thickness, each limit as a dashed line of its
// own, and the answer. A click on a legend entry hides or shows its line; a
// point under the mouse tells its thickness and value.

#include "cases/thickness_limit_case.h"
#include "engine/thickness_limit.h"
#include "screens/point_tip_chart_view.h"

#include <optional>
#include <vector>

#include <QString>

class QLineSeries;
class QValueAxis;

namespace termiva {

// The loss axis' top: a few times the limit, so that the limit and the
// crossing stay readable under a curve that starts far above it, but never
// above the curve's top and always above the curve's lowest point.
double LossAxisTop(const std::vector<ThicknessPoint>& points, std::optional<double> maxLoss);

class LimitChartView : public PointTipChartView {
    Q_OBJECT

public:
    explicit LimitChartView(QWidget* parent = nullptr);

    void draw(const ThicknessLimitInput& input, const ThicknessLimitResult& result,
              const cases::ThicknessLimitChartTexts& texts);

    // The picture of the chart (PNG or SVG by the name), hidden lines left out.
    bool savePicture(const QString& path);

protected:
    // A point's thickness and value; the answer's line has none.
    QString pointTip(int index, QPointF point) const override;

private:
    QLineSeries* addLine(const QString& name, const QString& unit, const QColor& colour,
                         Qt::PenStyle style, QValueAxis* yAxis);

    QChart* chart_ = nullptr;
    QValueAxis* xAxis_ = nullptr;
};

} // namespace termiva
