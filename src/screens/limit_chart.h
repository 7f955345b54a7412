// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart of the thickness for a limit screen: surface temperature and
// heat loss over the insulation thickness, each limit as a dashed line of its
// own, and the answer. A click on a legend entry hides or shows its line; a
// point under the mouse tells its thickness and value.

#include "engine/thickness_limit.h"

#include <optional>
#include <vector>

#include <QChartView>
#include <QString>

class QLineSeries;
class QValueAxis;

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

class LimitChartView : public QChartView {
    Q_OBJECT

public:
    explicit LimitChartView(QWidget* parent = nullptr);

    void draw(const ThicknessLimitInput& input, const ThicknessLimitResult& result,
              const LimitChartTexts& texts);

    // The picture of the chart (PNG or SVG by the name), hidden lines left out.
    bool savePicture(const QString& path);

    // The tooltip for the mouse at `position` (view coordinates): the nearest
    // shown point's thickness and value within a few pixels, else empty.
    QString toolTipAt(const QPoint& position) const;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QLineSeries* addLine(const QString& name, const QString& unit, const QColor& colour,
                         Qt::PenStyle style, QValueAxis* yAxis);
    void connectLegend();
    void styleLegend(bool leaveOutHidden);

    QChart* chart_ = nullptr;
    QValueAxis* xAxis_ = nullptr;
};

} // namespace termiva
