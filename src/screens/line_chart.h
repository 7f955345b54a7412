// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the line charts over the insulation thickness share: numbers in the
// user's locale, a legend at the bottom that draws each entry as its line
// and hides or shows a line on a click, a point's thickness and value in its
// tooltip, and "Save picture..." with hidden lines left out. Each chart adds
// its own axes and lines between beginChart() and showChart().

#include "screens/point_tip_chart_view.h"

#include <initializer_list>

#include <QColor>
#include <QString>

class QLineSeries;
class QValueAxis;

namespace termiva {

class LineChartView : public PointTipChartView {
    Q_OBJECT

public:
    explicit LineChartView(QWidget* parent = nullptr);

    // The picture of the chart (PNG or SVG by the name), hidden lines left out.
    bool savePicture(const QString& path);

protected:
    // A new chart, not yet shown, whose x axis (titled `thicknessAxis`) is
    // the insulation thickness.
    QChart* beginChart(const QString& thicknessAxis);
    // The new chart in place of the previous one, its legend clickable.
    void showChart();

    // A value axis in the charts' fonts, its labels in `colour`.
    static QValueAxis* Axis(const QString& title, const QColor& colour);
    // Widens the axes to round tick values, whatever the curves' extremes.
    static void RoundTicks(std::initializer_list<QValueAxis*> axes);

    // A line on the x axis and `yAxis`; its points tell their value in
    // `unit` (a line without a unit tells nothing).
    QLineSeries* addLine(const QString& name, const QString& unit, const QColor& colour,
                         Qt::PenStyle style, QValueAxis* yAxis);

    // A point's thickness and value in its line's unit.
    QString pointTip(int index, QPointF point) const override;

    QChart* chart_ = nullptr;
    QValueAxis* xAxis_ = nullptr;
};

} // namespace termiva
