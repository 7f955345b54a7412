// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/limit_chart.h"

#include "cases/thickness_limit_case.h"
#include "screens/field_texts.h"

#include <algorithm>
#include <vector>

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

namespace termiva {
namespace {

const QColor kSurfaceColour{200, 40, 40};
const QColor kLossColour{30, 80, 200};
const QColor kAnswerColour{0, 140, 0};
constexpr double kLimitsShown = 3; // the loss axis reaches this many limits

} // namespace

double LossAxisTop(const std::vector<ThicknessPoint>& points, std::optional<double> maxLoss) {
    double top = 0;
    double bottom = points.empty() ? 0 : points.front().HeatLoss;
    for (const ThicknessPoint& p : points) {
        top = std::max(top, p.HeatLoss);
        bottom = std::min(bottom, p.HeatLoss);
    }
    if (maxLoss && *maxLoss > 0)
        top = std::min(top, std::max(kLimitsShown * *maxLoss, 1.5 * bottom));
    return std::max(top, maxLoss.value_or(0)) * 1.05;
}

void LimitChartView::draw(const ThicknessLimitInput& input, const ThicknessLimitResult& result,
                          const cases::ThicknessLimitChartTexts& texts) {
    const std::vector<ThicknessPoint> points = cases::ThicknessLimitCurve(input, result);
    QChart* chart = beginChart(FromCase(texts.thicknessAxis));

    double top = 0;
    for (const ThicknessPoint& p : points)
        top = std::max(top, p.Tsurface);
    const double end = points.empty() ? 20 : points.back().thickness;
    const QString surfaceUnit = FromCase(texts.surfaceUnit);
    const QString lossUnit = FromCase(texts.lossUnit);

    xAxis_->setRange(0, end);
    auto* surfaceAxis = Axis(FromCase(texts.surface), kSurfaceColour);
    surfaceAxis->setRange(std::min(input.Tout, 0.0),
                          std::max(top, input.maxSurface.value_or(0)) * 1.05);
    auto* lossAxis = Axis(FromCase(texts.loss), kLossColour);
    lossAxis->setRange(0, LossAxisTop(points, input.maxLoss));
    RoundTicks({xAxis_, surfaceAxis, lossAxis});
    chart->addAxis(xAxis_, Qt::AlignBottom);
    chart->addAxis(surfaceAxis, Qt::AlignLeft);
    chart->addAxis(lossAxis, Qt::AlignRight);

    QLineSeries* surface =
        addLine(FromCase(texts.surface), surfaceUnit, kSurfaceColour, Qt::SolidLine, surfaceAxis);
    QLineSeries* loss =
        addLine(FromCase(texts.loss), lossUnit, kLossColour, Qt::SolidLine, lossAxis);
    for (const ThicknessPoint& p : points) {
        surface->append(p.thickness, p.Tsurface);
        loss->append(p.thickness, p.HeatLoss);
    }
    // The limits dashed in their quantity's colour.
    const auto limit = [&](const std::optional<double>& value, const std::string& name,
                           const QString& unit, const QColor& colour, QValueAxis* axis) {
        if (!value)
            return;
        QLineSeries* line = addLine(FromCase(name), unit, colour, Qt::DashLine, axis);
        line->append(0, *value);
        line->append(xAxis_->max(), *value);
    };
    limit(input.maxSurface, texts.surfaceLimit, surfaceUnit, kSurfaceColour, surfaceAxis);
    limit(input.maxLoss, texts.lossLimit, lossUnit, kLossColour, lossAxis);
    QLineSeries* answer =
        addLine(FromCase(texts.answer), QString(), kAnswerColour, Qt::DotLine, surfaceAxis);
    answer->append(result.answer.thickness, surfaceAxis->min());
    answer->append(result.answer.thickness, surfaceAxis->max());

    showChart();
}

} // namespace termiva
