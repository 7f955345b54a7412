// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace termiva::report {
namespace {

struct SeriesStyle {
    QColor colour;
    Qt::PenStyle dash;
    int marker; // 0 circle, 1 square, 2 triangle, 3 diamond, 4 cross, 5 x
    bool filled;
};

// Dark tones that stay distinct as greys; dash and marker tell them apart
// where the greys do not.
constexpr std::array<SeriesStyle, 6> kStyles = {{
    {QColor(0, 0, 0), Qt::SolidLine, 0, true},
    {QColor(25, 70, 150), Qt::DashLine, 1, false},
    {QColor(170, 40, 30), Qt::DotLine, 2, true},
    {QColor(30, 120, 50), Qt::DashDotLine, 3, false},
    {QColor(120, 60, 140), Qt::DashDotDotLine, 4, false},
    {QColor(110, 110, 110), Qt::SolidLine, 5, false},
}};

const SeriesStyle& StyleOf(std::size_t series) {
    return kStyles[series % kStyles.size()];
}

void DrawMarker(QPainter& painter, const QPointF& at, const SeriesStyle& style, double size) {
    const double h = size / 2;
    painter.setBrush(style.filled ? QBrush(style.colour) : QBrush(Qt::white));
    switch (style.marker) {
    case 0:
        painter.drawEllipse(at, h, h);
        break;
    case 1:
        painter.drawRect(QRectF(at.x() - h, at.y() - h, size, size));
        break;
    case 2: {
        const QPointF points[3] = {
            {at.x(), at.y() - h}, {at.x() + h, at.y() + h}, {at.x() - h, at.y() + h}};
        painter.drawPolygon(points, 3);
        break;
    }
    case 3: {
        const QPointF points[4] = {
            {at.x(), at.y() - h}, {at.x() + h, at.y()}, {at.x(), at.y() + h}, {at.x() - h, at.y()}};
        painter.drawPolygon(points, 4);
        break;
    }
    case 4:
        painter.drawLine(QPointF(at.x() - h, at.y()), QPointF(at.x() + h, at.y()));
        painter.drawLine(QPointF(at.x(), at.y() - h), QPointF(at.x(), at.y() + h));
        break;
    default:
        painter.drawLine(QPointF(at.x() - h, at.y() - h), QPointF(at.x() + h, at.y() + h));
        painter.drawLine(QPointF(at.x() - h, at.y() + h), QPointF(at.x() + h, at.y() - h));
        break;
    }
}

QString TickText(double value, double step, std::string_view separator) {
    int decimals = 0;
    while (decimals < 6 && std::abs(step * std::pow(10.0, decimals) -
                                    std::round(step * std::pow(10.0, decimals))) > 1e-9)
        ++decimals;
    if (std::abs(value) < step * 1e-9)
        value = 0; // no "-0"
    QString text = QString::number(value, 'f', decimals);
    return text.replace(QLatin1Char('.'),
                        QString::fromUtf8(separator.data(), static_cast<int>(separator.size())));
}

// `count` round ticks covering [low, high], for a right-hand axis whose ticks
// stand on the left axis's grid lines.
std::vector<double> MatchingTicks(double low, double high, std::size_t count) {
    if (count < 2 || !std::isfinite(low) || !std::isfinite(high) || high <= low)
        return NiceTicks(low, high, static_cast<int>(count));
    const double rough = (high - low) / static_cast<double>(count - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double decade : {power, power * 10})
        for (double factor : {1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0}) {
            const double step = factor * decade;
            const double first = std::floor(low / step + 1e-9) * step;
            if (first + step * static_cast<double>(count - 1) >= high - step * 1e-9) {
                std::vector<double> ticks;
                for (std::size_t i = 0; i < count; ++i)
                    ticks.push_back(first + step * static_cast<double>(i));
                return ticks;
            }
        }
    return NiceTicks(low, high, static_cast<int>(count));
}

} // namespace

void PaintChart(QPainter& painter, const QRectF& area, const ReportChart& chart, double mm,
                std::string_view decimalSeparator) {
    painter.save();
    QFont font(QStringLiteral("DejaVu Sans"), 8);
    font.setStyleStrategy(QFont::PreferNoShaping);
    QFont titleFont = font;
    titleFont.setPointSizeF(10);
    titleFont.setBold(true);
    const QFontMetricsF metrics(font, painter.device());
    const double line = metrics.height();

    // Both y axes start at 0 or below (heat losses, temperatures over the ambient).
    double xMin = std::numeric_limits<double>::infinity();
    double xMax = -xMin, yMin = 0, yMax = -xMin, rMin = 0, rMax = -xMin;
    bool hasRight = false;
    for (const ReportSeries& series : chart.series) {
        hasRight = hasRight || series.rightAxis;
        double& low = series.rightAxis ? rMin : yMin;
        double& high = series.rightAxis ? rMax : yMax;
        for (const auto& [x, y] : series.points) {
            xMin = std::min(xMin, x);
            xMax = std::max(xMax, x);
            low = std::min(low, y);
            high = std::max(high, y);
        }
    }
    if (!std::isfinite(xMin)) {
        xMin = 0;
        xMax = 1;
    }
    if (!std::isfinite(yMax))
        yMax = 1;
    if (!std::isfinite(rMax))
        rMax = 1;
    const std::vector<double> xTicks = NiceTicks(xMin, xMax, 8);
    // A logarithmic axis runs over whole decades of the values above 0.
    double positiveMin = std::numeric_limits<double>::infinity();
    if (chart.logarithmic)
        for (const ReportSeries& series : chart.series)
            for (const auto& point : series.points)
                if (point.second > 0 && !series.rightAxis)
                    positiveMin = std::min(positiveMin, point.second);
    const bool logarithmic = chart.logarithmic && std::isfinite(positiveMin) && yMax > 0;
    std::vector<double> yTicks;
    if (logarithmic) {
        for (double e = std::floor(std::log10(positiveMin) + 1e-9);
             yTicks.empty() || yTicks.back() < yMax * (1 - 1e-9); e += 1)
            yTicks.push_back(std::pow(10.0, e));
        if (yTicks.size() < 2)
            yTicks.push_back(yTicks.back() * 10);
    } else {
        yTicks = NiceTicks(yMin, yMax, 8);
    }
    const std::vector<double> rTicks = hasRight ? MatchingTicks(rMin, rMax, yTicks.size()) : yTicks;

    // Legend: as many columns as fit, under the plot.
    double legendItem = 0;
    for (const ReportSeries& series : chart.series)
        legendItem =
            std::max(legendItem, metrics.horizontalAdvance(QString::fromStdString(series.name)));
    legendItem += 16 * mm;
    const int columns = std::max(1, std::min<int>(static_cast<int>(chart.series.size()),
                                                  static_cast<int>(area.width() / legendItem)));
    const int legendRows = (static_cast<int>(chart.series.size()) + columns - 1) / columns;
    const double legendHeight = legendRows * line * 1.4;

    const auto labelWidth = [&](const std::vector<double>& ticks) {
        double width = 0;
        for (double t : ticks)
            width = std::max(width,
                             metrics.horizontalAdvance(TickText(
                                 t, ticks.size() > 1 ? ticks[1] - ticks[0] : 1, decimalSeparator)));
        return width;
    };
    const auto yLabel = [&](double t) {
        if (!logarithmic)
            return TickText(t, yTicks.size() > 1 ? yTicks[1] - yTicks[0] : 1, decimalSeparator);
        return TickText(t, std::min(t, 1.0), decimalSeparator);
    };
    double yLabelWidth = 0;
    for (double t : yTicks)
        yLabelWidth = std::max(yLabelWidth, metrics.horizontalAdvance(yLabel(t)));
    const double rLabelWidth = hasRight ? labelWidth(rTicks) : 0;
    const double titleHeight =
        chart.title.empty() ? 0 : QFontMetricsF(titleFont, painter.device()).height() * 1.5;
    const QRectF plot(area.left() + line * 1.6 + yLabelWidth + 2 * mm,
                      area.top() + titleHeight + line * 0.5, 0, 0);
    QRectF plotRect = plot;
    plotRect.setRight(area.right() - (hasRight ? line * 1.6 + rLabelWidth + 2 * mm : 4 * mm));
    plotRect.setBottom(area.bottom() - legendHeight - line * 3.2);

    const double xStep = xTicks.size() > 1 ? xTicks[1] - xTicks[0] : 1;
    const double x0 = xTicks.front(), x1 = xTicks.back();
    const double y0 = yTicks.front(), y1 = yTicks.back();
    const double rStep = rTicks.size() > 1 ? rTicks[1] - rTicks[0] : 1;
    const double r0 = rTicks.front(), r1 = rTicks.back();
    const auto toPoint = [&](double x, double y, bool right = false) {
        double low = right ? r0 : y0, high = right ? r1 : y1;
        if (logarithmic && !right) {
            // Values at or below 0 have no place on it: they sit below the axis.
            y = y > 0 ? std::log10(y) : std::log10(low) - 1;
            low = std::log10(low);
            high = std::log10(high);
        }
        return QPointF(plotRect.left() + (x - x0) / (x1 - x0) * plotRect.width(),
                       plotRect.bottom() - (y - low) / (high - low) * plotRect.height());
    };

    painter.setRenderHint(QPainter::Antialiasing);
    if (!chart.title.empty()) {
        painter.setFont(titleFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), area.top(), area.width(), titleHeight),
                         Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.title));
    }

    // Grid and tick labels.
    painter.setFont(font);
    const QPen gridPen(QColor(200, 200, 200), 0.15 * mm);
    const QPen axisPen(Qt::black, 0.25 * mm);
    for (double t : xTicks) {
        const QPointF p = toPoint(t, y0);
        painter.setPen(gridPen);
        painter.drawLine(p, QPointF(p.x(), plotRect.top()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(p.x() - 15 * mm, p.y() + 1 * mm, 30 * mm, line),
                         Qt::AlignHCenter | Qt::AlignTop, TickText(t, xStep, decimalSeparator));
    }
    for (double t : yTicks) {
        const QPointF p = toPoint(x0, t);
        painter.setPen(gridPen);
        painter.drawLine(p, QPointF(plotRect.right(), p.y()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(p.x() - 2 * mm - yLabelWidth, p.y() - line / 2, yLabelWidth, line),
                         Qt::AlignRight | Qt::AlignVCenter, yLabel(t));
    }
    if (logarithmic) {
        // Fainter lines at 2 to 9 times each decade.
        painter.setPen(QPen(QColor(225, 225, 225), 0.1 * mm));
        for (std::size_t d = 0; d + 1 < yTicks.size(); ++d)
            for (int m = 2; m <= 9; ++m) {
                const QPointF p = toPoint(x0, yTicks[d] * m);
                painter.drawLine(p, QPointF(plotRect.right(), p.y()));
            }
    }
    if (hasRight) {
        for (double t : rTicks) {
            const QPointF p = toPoint(x1, t, true);
            painter.drawText(QRectF(p.x() + 2 * mm, p.y() - line / 2, rLabelWidth, line),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             TickText(t, rStep, decimalSeparator));
        }
    }
    painter.setPen(axisPen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plotRect);

    // Axis titles.
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(plotRect.left(), plotRect.bottom() + line * 1.3, plotRect.width(), line * 1.2),
        Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.xAxisTitle));
    painter.save();
    painter.translate(area.left(), plotRect.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plotRect.height() / 2, 0, plotRect.height(), line * 1.2),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.yAxisTitle));
    painter.restore();
    if (hasRight) {
        painter.save();
        painter.translate(area.right(), plotRect.center().y());
        painter.rotate(90);
        painter.drawText(QRectF(-plotRect.height() / 2, 0, plotRect.height(), line * 1.2),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QString::fromStdString(chart.rightAxisTitle));
        painter.restore();
    }

    // Series.
    const double markerSize = 1.6 * mm;
    painter.save();
    painter.setClipRect(plotRect.adjusted(-markerSize, -markerSize, markerSize, markerSize));
    for (std::size_t s = 0; s < chart.series.size(); ++s) {
        const SeriesStyle& style = StyleOf(s);
        QPen pen(style.colour, 0.35 * mm, style.dash, Qt::FlatCap, Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        QPainterPath path;
        for (std::size_t i = 0; i < chart.series[s].points.size(); ++i) {
            const auto& [x, y] = chart.series[s].points[i];
            const QPointF at = toPoint(x, y, chart.series[s].rightAxis);
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        painter.drawPath(path);
        painter.setPen(QPen(style.colour, 0.25 * mm));
        for (const auto& [x, y] : chart.series[s].points)
            DrawMarker(painter, toPoint(x, y, chart.series[s].rightAxis), style, markerSize);
    }
    painter.restore();

    // Legend.
    const double legendTop = area.bottom() - legendHeight;
    const double columnWidth = area.width() / columns;
    for (std::size_t s = 0; s < chart.series.size(); ++s) {
        const SeriesStyle& style = StyleOf(s);
        const int row = static_cast<int>(s) / columns;
        const int column = static_cast<int>(s) % columns;
        const double left = area.left() + column * columnWidth + 4 * mm;
        const double middle = legendTop + row * line * 1.4 + line * 0.7;
        painter.setPen(QPen(style.colour, 0.35 * mm, style.dash, Qt::FlatCap));
        painter.drawLine(QPointF(left, middle), QPointF(left + 10 * mm, middle));
        painter.setPen(QPen(style.colour, 0.25 * mm));
        DrawMarker(painter, QPointF(left + 5 * mm, middle), style, markerSize);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left + 12 * mm, middle - line / 2, columnWidth - 16 * mm, line),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(chart.series[s].name));
    }
    painter.restore();
}

} // namespace termiva::report
