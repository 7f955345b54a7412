// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/line_chart.h"

#include "screens/chart_picture.h"
#include "screens/screen_style.h"
#include "text/nice_ticks.h"

#include <cmath>
#include <vector>

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>

namespace termiva {
namespace {

const char* const kUnitProperty = "termivaUnit";

QString Number(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', std::abs(value) >= 100 ? 0 : 1);
}

} // namespace

LineChartView::LineChartView(QWidget* parent) : PointTipChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
}

QChart* LineChartView::beginChart(const QString& thicknessAxis) {
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
    xAxis_ = Axis(thicknessAxis, Qt::black);
    return chart;
}

void LineChartView::showChart() {
    QChart* previous = QChartView::chart();
    setChart(chart_);
    delete previous;
    connectLegend([this](int index) {
        QAbstractSeries* series = this->chart()->series().at(index);
        series->setVisible(!series->isVisible());
        styleLegend(false);
    });
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

void LineChartView::RoundTicks(std::initializer_list<QValueAxis*> axes) {
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

bool LineChartView::savePicture(const QString& path) {
    if (!chart_)
        return false;
    styleLegend(true);
    const bool saved = WritePicture(*this, path, window()->windowTitle());
    styleLegend(false);
    return saved;
}

QString LineChartView::pointTip(int index, QPointF point) const {
    const QAbstractSeries* series = chart()->series().at(index);
    const QString unit = series->property(kUnitProperty).toString();
    if (unit.isEmpty())
        return {};
    return QStringLiteral("%1\n%2 mm: %3 %4")
        .arg(series->name(), Number(point.x()), Number(point.y()), unit);
}

} // namespace termiva
