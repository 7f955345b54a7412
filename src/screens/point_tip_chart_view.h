// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the chart views share: the point nearest the mouse tells its values in
// a tooltip, a click on a legend entry hides or shows its series, and a
// hidden series keeps its entry (greyed and struck through) so that a click
// brings it back, or is left out of the legend of a picture.

#include <functional>

#include <QChartView>
#include <QPointF>
#include <QString>

namespace termiva {

class PointTipChartView : public QChartView {
    Q_OBJECT

public:
    explicit PointTipChartView(QWidget* parent = nullptr);
    PointTipChartView(QChart* chart, QWidget* parent);

    // The tooltip for the mouse at `position` (view coordinates): that of the
    // nearest shown point within a few pixels, else empty.
    QString toolTipAt(const QPoint& position) const;

protected:
    // The tooltip of `point` of the chart's series `index`; an empty text
    // leaves the point out.
    virtual QString pointTip(int index, QPointF point) const = 0;

    // A click on an entry of the chart's legend runs `clicked` with the index
    // of its series. Run again after each new chart.
    void connectLegend(const std::function<void(int)>& clicked);
    // Shown entries in the text colour, hidden ones greyed and struck
    // through; `leaveOutHidden` (for a picture) takes hidden ones out.
    void styleLegend(bool leaveOutHidden);

    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace termiva
