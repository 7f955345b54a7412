// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/workbook_chart_view.h"

#include "files/diagram_export.h"
#include "screens/control_names.h"
#include "screens/field_texts.h"
#include "screens/screen_style.h"
#include "text/nice_ticks.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include <QChart>
#include <QFile>
#include <QGraphicsLayout>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QValueAxis>

namespace termiva {
namespace {

// Series past the template's six, whose style the workbook does not give.
const std::array<QColor, 4> kMoreColours = {QColor(0x1f, 0x77, 0xb4), QColor(0x8c, 0x56, 0x4b),
                                            QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22)};

constexpr int kMaxTicks = 8;
constexpr int kMarkerPixels = 9;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor SeriesColour(const files::ChartSeries& series, std::size_t index) {
    if (series.colour)
        return QColor::fromRgb(*series.colour);
    if (index < files::kDiagramSeriesStyles.size())
        return QColor::fromRgb(files::kDiagramSeriesStyles[index].colour);
    return kMoreColours[(index - files::kDiagramSeriesStyles.size()) % kMoreColours.size()];
}

std::string SeriesMarker(const files::ChartSeries& series, std::size_t index) {
    if (!series.marker.empty())
        return series.marker;
    if (index < files::kDiagramSeriesStyles.size())
        return std::string(files::kDiagramSeriesStyles[index].marker);
    return "circle";
}

// The marker drawn at every point: the chart part's symbol in the series'
// colour. Symbols the chart library has no shape for become circles.
QImage MarkerImage(const std::string& symbol, const QColor& colour) {
    constexpr int size = 32;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour.darker(140), 2));
    painter.setBrush(colour);
    const QRectF box(3, 3, size - 6, size - 6);
    const QPointF c = box.center();
    const double r = box.width() / 2;
    if (symbol == "square") {
        painter.drawRect(box.adjusted(2, 2, -2, -2));
    } else if (symbol == "diamond") {
        painter.drawPolygon(QPolygonF{
            {c.x(), box.top()}, {box.right(), c.y()}, {c.x(), box.bottom()}, {box.left(), c.y()}});
    } else if (symbol == "triangle") {
        painter.drawPolygon(
            QPolygonF{{c.x(), box.top()}, {box.right(), box.bottom()}, {box.left(), box.bottom()}});
    } else if (symbol == "star") {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double angle = -M_PI / 2 + i * M_PI / 5;
            const double radius = i % 2 ? r * 0.45 : r;
            star << QPointF(c.x() + radius * std::cos(angle), c.y() + radius * std::sin(angle));
        }
        painter.drawPolygon(star);
    } else if (symbol == "x" || symbol == "plus") {
        painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
        const double d = symbol == "x" ? r * 0.75 : r;
        if (symbol == "x") {
            painter.drawLine(QPointF(c.x() - d, c.y() - d), QPointF(c.x() + d, c.y() + d));
            painter.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));
        } else {
            painter.drawLine(QPointF(c.x() - d, c.y()), QPointF(c.x() + d, c.y()));
            painter.drawLine(QPointF(c.x(), c.y() - d), QPointF(c.x(), c.y() + d));
        }
    } else {
        painter.drawEllipse(box.adjusted(2, 2, -2, -2));
    }
    return image;
}

// A linear scale over [low, high] with the report chart's round ticks,
// starting at zero as a spreadsheet's automatic scale does unless the values
// lie far from it.
struct Scale {
    double min;
    double max;
    double step;
    int decimals;
};

Scale NiceScale(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || low > high) {
        low = 0;
        high = 1;
    }
    if (low > 0 && low < high * 5 / 6)
        low = 0;
    if (high < 0 && high > low * 5 / 6)
        high = 0;
    const std::vector<double> ticks = text::NiceTicks(low, high, kMaxTicks);
    const double step = ticks[1] - ticks[0];
    return {ticks.front(), ticks.back(), step, text::TickDecimals(step)};
}

// A point on the very edge of the plot would be cut in half by it: the range
// reaches a little past such a point, with the ticks still on round values.
void ApplyScale(QValueAxis* axis, double low, double high) {
    const Scale scale = NiceScale(low, high);
    const double edge = (scale.max - scale.min) * 0.03;
    const bool finite = std::isfinite(low) && std::isfinite(high);
    // Fixed ticks while the range changes: the old interval over the new
    // range could ask for many thousands of ticks.
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(finite && low < scale.min + edge ? scale.min - edge : scale.min,
                   finite && high > scale.max - edge ? scale.max + edge : scale.max);
    axis->setTickAnchor(scale.min);
    axis->setTickInterval(scale.step);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
}

// Whole decades around the positive values.
void ApplyLogScale(QLogValueAxis* axis, double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || low <= 0 || high < low) {
        low = 1;
        high = 10;
    }
    double min = std::pow(10.0, std::floor(std::log10(low)));
    double max = std::pow(10.0, std::ceil(std::log10(high)));
    if (max <= min)
        max = min * 10;
    axis->setRange(min, max);
    const int decimals = std::clamp(-static_cast<int>(std::floor(std::log10(min))), 0, 6);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

template <class Axis> Axis* MakeAxis() {
    auto* axis = new Axis;
    axis->setTitleFont(ScreenFont(9, true));
    axis->setLabelsFont(ScreenFont(8));
    axis->setMinorTickCount(0);
    return axis;
}

void SetAxisTitle(QAbstractAxis* axis, const std::string& title) {
    axis->setTitleText(FromUtf8(title));
    axis->setTitleVisible(!title.empty());
}

} // namespace

// The chart, its axes and legend are made once; each load replaces only the
// series and texts.
WorkbookChartView::WorkbookChartView(QWidget* parent) : PointTipChartView(new QChart, parent) {
    NameControl(this, QStringLiteral("OLE1"));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setMinimumSize(320, 240);
    errorLabel_ = new QLabel(viewport());
    errorLabel_->setObjectName(QStringLiteral("OLE1Error"));
    errorLabel_->setAlignment(Qt::AlignCenter);
    errorLabel_->setWordWrap(true);
    errorLabel_->setMargin(24);
    errorLabel_->setFont(ScreenFont(9));
    errorLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    errorLabel_->hide();

    QChart* chart = this->chart();
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(12, 12, 12, 12));
    chart->setTitleFont(ScreenFont(11, true));
    // Beside the plot, where the thicknesses in the names have room.
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setFont(ScreenFont(8));
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->legend()->setVisible(false);
    chart->setLocalizeNumbers(true);

    xAxis_ = MakeAxis<QValueAxis>();
    yAxis_ = MakeAxis<QValueAxis>();
    logAxis_ = MakeAxis<QLogValueAxis>();
    logAxis_->setBase(10);
    logAxis_->setMinorTickCount(8);
    logAxis_->setParent(this);
    logXAxis_ = MakeAxis<QLogValueAxis>();
    logXAxis_->setBase(10);
    logXAxis_->setMinorTickCount(8);
    logXAxis_->setParent(this);
    chart->addAxis(xAxis_, Qt::AlignBottom);
    chart->addAxis(yAxis_, Qt::AlignLeft);
}

std::optional<QString> WorkbookChartView::load(const QString& path) {
    path_ = path;
    auto chart = files::ReadWorkbookChart(QFile::encodeName(path).toStdString());
    if (!chart) {
        data_ = {};
        showError(FromUtf8(chart.error().message));
        return error_;
    }
    data_ = std::move(chart).value();
    error_.clear();
    errorLabel_->hide();
    draw();
    return std::nullopt;
}

void WorkbookChartView::setLabels(const QString& title,
                                  const QHash<QString, QString>& nameSuffixes) {
    title_ = title;
    nameSuffixes_ = nameSuffixes;
}

void WorkbookChartView::setRightMargin(int pixels) {
    if (pixels == rightMargin_)
        return;
    rightMargin_ = pixels;
    QMargins margins = chart()->margins();
    margins.setRight(12 + rightMargin_);
    chart()->setMargins(margins);
}

void WorkbookChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    errorLabel_->setGeometry(viewport()->rect());
}

void WorkbookChartView::showError(const QString& message) {
    error_ = message;
    draw();
    errorLabel_->setText(QStringLiteral("The chart cannot be shown.\n\n%1").arg(message));
    errorLabel_->setGeometry(viewport()->rect());
    errorLabel_->show();
}

QLineSeries* WorkbookChartView::seriesAt(int index) const {
    const auto list = chart()->series();
    return index >= 0 && index < list.size() ? static_cast<QLineSeries*>(list.at(index)) : nullptr;
}

// Replaces the series and texts with those of data_.
void WorkbookChartView::draw() {
    QChart* chart = this->chart();
    // The user's decimal separator, and like every number on the screens no
    // thousands separator.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    chart->setLocale(locale);
    chart->removeAllSeries();
    chart->setTitle(data_.title.empty() && !data_.series.empty() ? title_ : FromUtf8(data_.title));
    SetAxisTitle(xAxis_, data_.xAxisTitle);
    SetAxisTitle(yAxis_, data_.yAxisTitle);
    SetAxisTitle(logAxis_, data_.yAxisTitle);
    SetAxisTitle(logXAxis_, data_.xAxisTitle);
    QAbstractAxis* diameterAxis = logScale_ ? static_cast<QAbstractAxis*>(logXAxis_) : xAxis_;
    QAbstractAxis* valueAxis = logScale_ ? static_cast<QAbstractAxis*>(logAxis_) : yAxis_;

    hidden_.resize(data_.series.size(), false);
    for (std::size_t i = 0; i < data_.series.size(); ++i) {
        const files::ChartSeries& source = data_.series[i];
        auto* series = new QLineSeries;
        const QString name = FromUtf8(source.name);
        series->setName(name + nameSuffixes_.value(name));
        const QColor colour = SeriesColour(source, i);
        series->setPen(QPen(colour, 2));
        const std::string marker = SeriesMarker(source, i);
        if (marker != "none") {
            series->setLightMarker(MarkerImage(marker, colour));
            series->setMarkerSize(kMarkerPixels);
        }
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(source.points.size()));
        for (const auto& [x, y] : source.points)
            points.append(QPointF(x, y));
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(diameterAxis);
        series->attachAxis(valueAxis);
        series->setVisible(!hidden_[i]);
    }
    chart->legend()->setVisible(!data_.series.empty());
    connectLegend([this](int index) { setSeriesVisible(index, !isSeriesVisible(index)); });
    fitAxes();
    styleLegend(false);
}

void WorkbookChartView::fitAxes() {
    constexpr double kNone = std::numeric_limits<double>::infinity();
    const bool anyShown = std::find(hidden_.begin(), hidden_.end(), false) != hidden_.end();
    double xLow = kNone, xHigh = -kNone, yLow = kNone, yHigh = -kNone;
    for (std::size_t i = 0; i < data_.series.size(); ++i) {
        if (anyShown && hidden_[i])
            continue;
        for (const auto& [x, y] : data_.series[i].points) {
            if (logScale_ && (x <= 0 || y <= 0))
                continue;
            xLow = std::min(xLow, x);
            xHigh = std::max(xHigh, x);
            yLow = std::min(yLow, y);
            yHigh = std::max(yHigh, y);
        }
    }
    if (logScale_) {
        ApplyLogScale(logXAxis_, xLow, xHigh);
        ApplyLogScale(logAxis_, yLow, yHigh);
    } else {
        ApplyScale(xAxis_, xLow, xHigh);
        ApplyScale(yAxis_, yLow, yHigh);
    }
}

void WorkbookChartView::setHiddenEntriesLeftOut(bool leftOut) {
    styleLegend(leftOut);
}

void WorkbookChartView::setSeriesVisible(int index, bool visible) {
    QLineSeries* series = seriesAt(index);
    if (!series || series->isVisible() == visible)
        return;
    hidden_[static_cast<std::size_t>(index)] = !visible;
    series->setVisible(visible);
    fitAxes();
    styleLegend(false);
    Q_EMIT seriesVisibilityChanged(index, visible);
}

bool WorkbookChartView::isSeriesVisible(int index) const {
    const QLineSeries* series = seriesAt(index);
    return series && series->isVisible();
}

void WorkbookChartView::setLogScale(bool on) {
    if (on == logScale_)
        return;
    logScale_ = on;
    QChart* chart = this->chart();
    const auto swap = [this, chart](QAbstractAxis* from, QAbstractAxis* to, Qt::Alignment side) {
        chart->removeAxis(from);
        from->setParent(this);
        chart->addAxis(to, side);
        for (QAbstractSeries* series : chart->series())
            series->attachAxis(to);
    };
    if (on) {
        swap(yAxis_, logAxis_, Qt::AlignLeft);
        swap(xAxis_, logXAxis_, Qt::AlignBottom);
    } else {
        swap(logAxis_, yAxis_, Qt::AlignLeft);
        swap(logXAxis_, xAxis_, Qt::AlignBottom);
    }
    fitAxes();
}

QString WorkbookChartView::pointText(int index, QPointF point) const {
    const QLineSeries* series = seriesAt(index);
    if (!series)
        return {};
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    const auto title = [](const std::string& text, const char* fallback) {
        return text.empty() ? QString::fromLatin1(fallback) : FromUtf8(text);
    };
    return QStringLiteral("%1\n%2: %3\n%4: %5")
        .arg(series->name(), title(data_.xAxisTitle, "X"), locale.toString(point.x(), 'g', 6),
             title(data_.yAxisTitle, "Y"),
             QString::fromStdString(text::Format(point.y(), "####0.#0", DecimalSeparator())));
}

QString WorkbookChartView::pointTip(int index, QPointF point) const {
    return logScale_ && point.y() <= 0 ? QString() : pointText(index, point);
}

} // namespace termiva
