// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/limit_chart.h"

#include "cases/thickness_limit_case.h"
#include "screens/chart_picture.h"
#include "screens/screen_style.h"
#include "text/nice_ticks.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>

namespace termiva {
namespace {

const QColor kSurfaceColour{200, 40, 40};
const QColor kLossColour{30, 80, 200};
const QColor kAnswerColour{0, 140, 0};
const QColor kHiddenColour{160, 160, 160};
constexpr double kHoverPixels = 8;
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

LimitChartView::LimitChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
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
                          const LimitChartTexts& texts) {
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
    const QString surfaceUnit = QStringLiteral("oC");

    xAxis_ = Axis(QStringLiteral("Insulation thickness [mm]"), Qt::black);
    xAxis_->setRange(0, end);
    auto* surfaceAxis = Axis(QStringLiteral("Tsurface [oC]"), kSurfaceColour);
    surfaceAxis->setRange(std::min(input.Tout, 0.0),
                          std::max(top, input.maxSurface.value_or(0)) * 1.05);
    auto* lossAxis = Axis(texts.lossTitle, kLossColour);
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

    QLineSeries* surface = addLine(QStringLiteral("Tsurface [oC]"), surfaceUnit, kSurfaceColour,
                                   Qt::SolidLine, surfaceAxis);
    QLineSeries* loss =
        addLine(texts.lossTitle, texts.lossUnit, kLossColour, Qt::SolidLine, lossAxis);
    for (const ThicknessPoint& p : points) {
        surface->append(p.thickness, p.Tsurface);
        loss->append(p.thickness, p.HeatLoss);
    }
    // The limits dashed in their quantity's colour, named with the value typed.
    const auto limit = [&](const std::optional<double>& value, const QString& typed,
                           const QString& unit, const QColor& colour, QValueAxis* axis) {
        if (!value)
            return;
        QLineSeries* line = addLine(QStringLiteral("limit %1 %2").arg(typed, unit), unit, colour,
                                    Qt::DashLine, axis);
        line->append(0, *value);
        line->append(xAxis_->max(), *value);
    };
    limit(input.maxSurface, texts.surfaceLimit, surfaceUnit, kSurfaceColour, surfaceAxis);
    limit(input.maxLoss, texts.lossLimit, texts.lossUnit, kLossColour, lossAxis);
    QLineSeries* answer =
        addLine(QStringLiteral("Answer"), QString(), kAnswerColour, Qt::DotLine, surfaceAxis);
    answer->append(result.answer.thickness, surfaceAxis->min());
    answer->append(result.answer.thickness, surfaceAxis->max());

    QChart* previous = QChartView::chart();
    setChart(chart);
    delete previous;
    connectLegend();
}

void LimitChartView::connectLegend() {
    for (QLegendMarker* marker : chart_->legend()->markers())
        connect(marker, &QLegendMarker::clicked, this, [this, marker] {
            marker->series()->setVisible(!marker->series()->isVisible());
            styleLegend(false);
        });
}

// A hidden line keeps its entry, greyed, to be shown again; a picture
// leaves it out.
void LimitChartView::styleLegend(bool leaveOutHidden) {
    for (QLegendMarker* marker : chart_->legend()->markers()) {
        const bool shown = marker->series()->isVisible();
        marker->setVisible(shown || !leaveOutHidden);
        marker->setLabelBrush(shown ? QBrush(Qt::black) : QBrush(kHiddenColour));
    }
}

bool LimitChartView::savePicture(const QString& path) {
    if (!chart_)
        return false;
    styleLegend(true);
    const bool saved = WritePicture(*this, path, window()->windowTitle());
    styleLegend(false);
    return saved;
}

QString LimitChartView::toolTipAt(const QPoint& position) const {
    if (!chart_)
        return {};
    const QPointF scene = mapToScene(position);
    double best = kHoverPixels;
    QString text;
    for (QAbstractSeries* each : chart_->series()) {
        auto* series = static_cast<QLineSeries*>(each);
        const QString unit = series->property(kUnitProperty).toString();
        if (!series->isVisible() || unit.isEmpty())
            continue;
        for (const QPointF& p : series->points()) {
            const QPointF at = chart_->mapToPosition(p, series);
            const double distance = std::hypot(at.x() - scene.x(), at.y() - scene.y());
            if (distance <= best) {
                best = distance;
                text = QStringLiteral("%1\n%2 mm: %3 %4")
                           .arg(series->name(), Number(p.x()), Number(p.y()), unit);
            }
        }
    }
    return text;
}

void LimitChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QString text = toolTipAt(event->position().toPoint());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

} // namespace termiva
