// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/point_tip_chart_view.h"

#include <cmath>

#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>

namespace termiva {
namespace {

constexpr double kHoverPixels = 8; // how near the mouse a point must be to tell its values
const QColor kHiddenText(160, 160, 160);

} // namespace

PointTipChartView::PointTipChartView(QWidget* parent) : PointTipChartView(new QChart, parent) {}

PointTipChartView::PointTipChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

QString PointTipChartView::toolTipAt(const QPoint& position) const {
    const QPointF scene = mapToScene(position);
    double best = kHoverPixels;
    QString text;
    const auto list = chart()->series();
    for (int i = 0; i < list.size(); ++i) {
        auto* series = static_cast<QLineSeries*>(list.at(i));
        if (!series->isVisible())
            continue;
        for (const QPointF& p : series->points()) {
            const QPointF at = chart()->mapToPosition(p, series);
            const double distance = std::hypot(at.x() - scene.x(), at.y() - scene.y());
            if (distance > best)
                continue;
            if (const QString tip = pointTip(i, p); !tip.isEmpty()) {
                best = distance;
                text = tip;
            }
        }
    }
    return text;
}

void PointTipChartView::connectLegend(const std::function<void(int)>& clicked) {
    for (QLegendMarker* marker : chart()->legend()->markers())
        connect(marker, &QLegendMarker::clicked, this, [this, marker, clicked] {
            clicked(static_cast<int>(chart()->series().indexOf(marker->series())));
        });
}

void PointTipChartView::styleLegend(bool leaveOutHidden) {
    for (QLegendMarker* marker : chart()->legend()->markers()) {
        const bool shown = marker->series()->isVisible();
        marker->setVisible(shown || !leaveOutHidden);
        marker->setLabelBrush(shown ? QBrush(palette().color(QPalette::WindowText))
                                    : QBrush(kHiddenText));
        QFont font = marker->font();
        font.setStrikeOut(!shown);
        marker->setFont(font);
    }
}

void PointTipChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    const QString text = toolTipAt(event->position().toPoint());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

} // namespace termiva
