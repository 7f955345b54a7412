#include "screens/workbook_chart_view.h"

#include "screens/screen_common.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <QChart>
#include <QFile>
#include <QGraphicsLayout>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QValueAxis>

namespace termiva {
namespace {

// Distinct colours for the series, cycled past ten: the default chart theme
// has five and repeats the first for the sixth series.
const std::array<QColor, 10> kSeriesColours = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e),
                                               QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                               QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                               QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                               QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};

constexpr int kMaxTicks = 8;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A linear scale over [low, high] with round tick steps (1, 2, 2.5 or 5 times
// a power of ten), starting at zero as a spreadsheet's automatic scale does
// unless the values lie far from it.
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
    if (high == low) {
        const double pad = low == 0 ? 1 : std::abs(low) / 10;
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / (kMaxTicks - 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / magnitude;
    double nice = 10;
    for (double candidate : {1.0, 2.0, 2.5, 5.0}) {
        if (fraction <= candidate) {
            nice = candidate;
            break;
        }
    }
    const double step = nice * magnitude;
    int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    if (nice == 2.5 && step < 10)
        ++decimals;
    return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step,
            decimals};
}

void ApplyScale(QValueAxis* axis, double low, double high) {
    const Scale scale = NiceScale(low, high);
    axis->setRange(scale.min, scale.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(scale.min);
    axis->setTickInterval(scale.step);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(scale.decimals));
}

QValueAxis* MakeAxis(const std::string& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(FromUtf8(title));
    axis->setTitleVisible(!title.empty());
    axis->setTitleFont(ScreenFont(9, true));
    axis->setLabelsFont(ScreenFont(8));
    axis->setMinorTickCount(0);
    return axis;
}

} // namespace

WorkbookChartView::WorkbookChartView(QWidget* parent) : QChartView(parent) {
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
    draw();
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

// Builds a new chart from data_; the previous chart goes with it.
void WorkbookChartView::draw() {
    auto* chart = new QChart;
    // The user's decimal separator, and like every number on the screens no
    // thousands separator.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    chart->setLocalizeNumbers(true);
    chart->setLocale(locale);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(12, 12, 12 + rightMargin_, 12));
    chart->setTitle(FromUtf8(data_.title));
    chart->setTitleFont(ScreenFont(11, true));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(ScreenFont(8));
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->legend()->setVisible(!data_.series.empty());

    auto* xAxis = MakeAxis(data_.xAxisTitle);
    auto* yAxis = MakeAxis(data_.yAxisTitle);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    constexpr double kNone = std::numeric_limits<double>::infinity();
    double xLow = kNone, xHigh = -kNone, yLow = kNone, yHigh = -kNone;
    for (std::size_t i = 0; i < data_.series.size(); ++i) {
        const files::ChartSeries& source = data_.series[i];
        auto* series = new QLineSeries;
        series->setName(FromUtf8(source.name));
        series->setPen(QPen(kSeriesColours[i % kSeriesColours.size()], 2));
        series->setPointsVisible(true);
        series->setMarkerSize(4);
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(source.points.size()));
        for (const auto& [x, y] : source.points) {
            points.append(QPointF(x, y));
            xLow = std::min(xLow, x);
            xHigh = std::max(xHigh, x);
            yLow = std::min(yLow, y);
            yHigh = std::max(yHigh, y);
        }
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    ApplyScale(xAxis, xLow, xHigh);
    ApplyScale(yAxis, yLow, yHigh);

    QChart* previous = this->chart();
    setChart(chart);
    delete previous;
}

} // namespace termiva
