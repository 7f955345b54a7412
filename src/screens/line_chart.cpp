// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/line_chart.h"

#include "screens/chart_picture.h"
#include "screens/screen_common.h"
#include "text/nice_ticks.h"

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

const QColor kHiddenColour{160, 160, 160};
constexpr double kHoverPixels = 8;

const char* const kUnitProperty = "termivaUnit";

QString Number(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', std::abs(value) >= 100 ? 0 : 1);
}

} // namespace

LineChartView::LineChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
}

QChart* LineChartView::beginChart() {
    auto* chart = new QChart;
    chart_ = chart;
    chart->setLocalizeNumbers(true);
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->legend()->setFont(ScreenFont(8));
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Each entry drawn as its line, so a dashed line reads apart from a solid one.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->setMargins(QMargins(2, 2, 2, 2));
    xAxis_ = Axis(QStringLiteral("Insulation thickness [mm]"), Qt::black);
    return chart;
}

void LineChartView::showChart() {
    QChart* previous = QChartView::chart();
    setChart(chart_);
    delete previous;
    connectLegend();
}

QValueAxis* LineChartView::Axis(const QString& title, const QColor& colour) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(ScreenFont(8, true));
    axis->setLabelsFont(ScreenFont(8));
    axis->setLabelsColor(colour);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

void LineChartView::roundTicks(std::initializer_list<QValueAxis*> axes) const {
    for (QValueAxis* axis : axes) {
        const std::vector<double> ticks =
            text::NiceTicks(axis->min(), axis->max(), axis->tickCount());
        axis->setRange(ticks.front(), ticks.back());
        axis->setTickCount(static_cast<int>(ticks.size()));
    }
}

QLineSeries* LineChartView::addLine(const QString& name, const QString& unit, const QColor& colour,
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

void LineChartView::connectLegend() {
    for (QLegendMarker* marker : chart_->legend()->markers())
        connect(marker, &QLegendMarker::clicked, this, [this, marker] {
            marker->series()->setVisible(!marker->series()->isVisible());
            styleLegend(false);
        });
}

// A hidden line keeps its entry, greyed, to be shown again; a picture
// leaves it out.
void LineChartView::styleLegend(bool leaveOutHidden) {
    for (QLegendMarker* marker : chart_->legend()->markers()) {
        const bool shown = marker->series()->isVisible();
        marker->setVisible(shown || !leaveOutHidden);
        marker->setLabelBrush(shown ? QBrush(Qt::black) : QBrush(kHiddenColour));
    }
}

bool LineChartView::savePicture(const QString& path) {
    if (!chart_)
        return false;
    styleLegend(true);
    const bool saved = WritePicture(*this, path, window()->windowTitle());
    styleLegend(false);
    return saved;
}

QString LineChartView::toolTipAt(const QPoint& position) const {
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

void LineChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QString text = toolTipAt(event->position().toPoint());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

} // namespace termiva
