// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The report's chart: axes with round tick values (a second y axis on the right
// for series read against it), a grid, one polyline with
// markers per series and a legend under the plot, as vector graphics. Series
// differ by dash pattern and marker as well as by grey level, so they stay
// apart on a black and white printout.

#include "report/report_document.h"

#include <string_view>
#include <vector>

#include <QRectF>

class QPainter;

namespace termiva::report {

// Round tick values covering [low, high]: steps of 1, 2 or 5 times a power of
// ten, about `count` of them; the first tick is at or below `low`, the last at
// or above `high`, the step chosen so that the axis runs as little past
// [low, high] as it can. A flat or empty range still gives two ticks.
std::vector<double> NiceTicks(double low, double high, int count);

// Paints `chart` into `area` (device units); `mm` is the device units per
// millimetre; tick labels use `decimalSeparator`.
void PaintChart(QPainter& painter, const QRectF& area, const ReportChart& chart, double mm,
                std::string_view decimalSeparator);

} // namespace termiva::report
