// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The report's chart: axes with round tick values (a second y axis on the right
// for series read against it), a grid, one polyline with
// markers per series and a legend under the plot, as vector graphics. Series
// differ by dash pattern and marker as well as by grey level, so they stay
// apart on a black and white printout.

#include "report/report_document.h"
#include "text/nice_ticks.h"

#include <string_view>
#include <vector>

#include <QRectF>

class QPainter;

namespace termiva::report {

using text::NiceTicks;

// Paints `chart` into `area` (device units); `mm` is the device units per
// millimetre; tick labels use `decimalSeparator`.
void PaintChart(QPainter& painter, const QRectF& area, const ReportChart& chart, double mm,
                std::string_view decimalSeparator);

} // namespace termiva::report
