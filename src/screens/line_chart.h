// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the line charts of the calculator screens share: numbers in the
// user's locale, a legend at the bottom that draws each entry as its line and
// hides or shows a line on a click, a tooltip with the thickness and value of
// the point under the mouse, and "Save picture..." with hidden lines left out.
// Each chart adds its own axes and lines between beginChart() and showChart().

#include <initializer_list>

#include <QChartView>
#include <QColor>
#include <QString>

class QLineSeries;
class QValueAxis;

namespace termiva {

class LineChartView : public QChartView {
    Q_OBJECT

public:
    explicit LineChartView(QWidget* parent = nullptr);

    // The picture of the chart (PNG or SVG by the name), hidden lines left out.
    bool savePicture(const QString& path);

    // The tooltip for the mouse at `position` (view coordinates): the nearest
    // shown point's thickness and value within a few pixels, else empty.
    QString toolTipAt(const QPoint& position) const;

protected:
    // A new chart, not yet shown, whose x axis is the insulation thickness.
    QChart* beginChart();
    // The new chart in place of the previous one, its legend clickable.
    void showChart();

    // A value axis in the screens' chart fonts, its labels in `colour`.
    static QValueAxis* Axis(const QString& title, const QColor& colour);
    // Widens the axes to round tick values, whatever the curves' extremes.
    void roundTicks(std::initializer_list<QValueAxis*> axes) const;

    // A line on the x axis and `yAxis`; its points tell their value in
    // `unit` (a line without a unit tells nothing).
    QLineSeries* addLine(const QString& name, const QString& unit, const QColor& colour,
                         Qt::PenStyle style, QValueAxis* yAxis);

    void mouseMoveEvent(QMouseEvent* event) override;

    QChart* chart_ = nullptr;
    QValueAxis* xAxis_ = nullptr;

private:
    void connectLegend();
    void styleLegend(bool leaveOutHidden);
};

} // namespace termiva
