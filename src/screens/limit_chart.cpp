// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/limit_chart.h"

#include "cases/thickness_limit_case.h"
#include "screens/chart_picture.h"
#include "screens/field_texts.h"
#include "screens/screen_style.h"
#include "text/nice_ticks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>

namespace termiva {
namespace {

const QColor kSurfaceColour{200, 40, 40};
const QColor kLossColour{30, 80, 200};
const QColor kAnswerColour{0, 140, 0};
constexpr double kLimitsShown = 3; // the loss axis reaches this many limits

const char* const kUnitProperty = "termivaUnit";

QValueAxis* Axis(const QString& title, const QColor& colour) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(ScreenFont(8, true));
    axis->setLabelsFont(ScreenFont(8));
    axis->setLabelsColor(colour);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

QString Number(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', std::abs(value) >= 100 ? 0 : 1);
}

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

LimitChartView::LimitChartView(QWidget* parent) : PointTipChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
}

QLineSeries* LimitChartView::addLine(const QString& name, const QString& unit, const QColor& colour,
                                     Qt::PenStyle style, QValueAxis* yAxis) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setProperty(kUnitProperty, unit);
    // setColor() would thin the line to one pixel.
    series->setPen(QPen(colour, 2, style));
    chart_->addSeries(series);
    series->attachAxis(xAxis_);
    series->attachAxis(yAxis);
    return series;
}

void LimitChartView::draw(const ThicknessLimitInput& input, const ThicknessLimitResult& result,
                          const cases::ThicknessLimitChartTexts& texts) {
    const std::vector<ThicknessPoint> points = cases::ThicknessLimitCurve(input, result);
    auto* chart = new QChart;
    chart_ = chart;
    chart->setLocalizeNumbers(true);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->legend()->setFont(ScreenFont(8));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Each entry drawn as its line, so a dashed limit reads apart from its curve.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->setMargins(QMargins(2, 2, 2, 2));

    double top = 0;
    for (const ThicknessPoint& p : points)
        top = std::max(top, p.Tsurface);
    const double end = points.empty() ? 20 : points.back().thickness;
    const QString surfaceUnit = FromCase(texts.surfaceUnit);
    const QString lossUnit = FromCase(texts.lossUnit);

    xAxis_ = Axis(FromCase(texts.thicknessAxis), Qt::black);
    xAxis_->setRange(0, end);
    auto* surfaceAxis = Axis(FromCase(texts.surface), kSurfaceColour);
    surfaceAxis->setRange(std::min(input.Tout, 0.0),
                          std::max(top, input.maxSurface.value_or(0)) * 1.05);
    auto* lossAxis = Axis(FromCase(texts.loss), kLossColour);
    lossAxis->setRange(0, LossAxisTop(points, input.maxLoss));
    // Round tick values, whatever the curves' extremes.
    for (QValueAxis* axis : {xAxis_, surfaceAxis, lossAxis}) {
        const std::vector<double> ticks =
            text::NiceTicks(axis->min(), axis->max(), axis->tickCount());
        axis->setRange(ticks.front(), ticks.back());
        axis->setTickCount(static_cast<int>(ticks.size()));
    }
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

    QChart* previous = QChartView::chart();
    setChart(chart);
    delete previous;
    connectLegend([this](int index) {
        QAbstractSeries* series = this->chart()->series().at(index);
        series->setVisible(!series->isVisible());
        styleLegend(false);
    });
}

bool LimitChartView::savePicture(const QString& path) {
    if (!chart_)
        return false;
    styleLegend(true);
    const bool saved = WritePicture(*this, path, window()->windowTitle());
    styleLegend(false);
    return saved;
}

QString LimitChartView::pointTip(int index, QPointF point) const {
    const QAbstractSeries* series = chart()->series().at(index);
    const QString unit = series->property(kUnitProperty).toString();
    if (unit.isEmpty())
        return {};
    return QStringLiteral("%1\n%2 mm: %3 %4")
        .arg(series->name(), Number(point.x()), Number(point.y()), unit);
}

} // namespace termiva
