// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart of a workbook as the chart screen draws it: titles, series and
// the points the series' ranges hold now.

#include "files/workbook.h"
#include "support/expected.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace termiva::files {

struct ChartSeries {
    std::string name;   // literal, or the text of the cell its name refers to
    std::string xRange; // formula as stored, "Sheet1!$B$4:$B$21"; empty without X values
    std::string yRange; // "Sheet1!$C$4:$C$21"
    // (x, y) in the units of the sheet; pairs with an empty or non-numeric
    // cell on either side are left out. Without X values x counts 1, 2, ...
    std::vector<std::pair<double, double>> points;
    // The line's solid RGB colour (0xRRGGBB) and the marker symbol ("circle",
    // "square", "none", ...) where the chart part sets them; a reader picks its
    // own where it does not.
    std::optional<std::uint32_t> colour;
    std::string marker;
};

struct WorkbookChart {
    std::string title;      // empty when the chart has none
    std::string xAxisTitle; // category (horizontal) axis
    std::string yAxisTitle; // value (vertical) axis
    std::vector<ChartSeries> series;
};

// The chart on the workbook's first chart sheet or, without chart sheets, the
// first chart drawn on a worksheet. Ranges are resolved against the cells;
// where a range cannot be (another file, a missing sheet) the chart's own
// cached values stand in. Errors: those of Workbook::Open, a damaged chart
// part, a workbook without a chart.
Expected<WorkbookChart, WorkbookError> ReadWorkbookChart(const std::string& path);
Expected<WorkbookChart, WorkbookError> ReadWorkbookChart(Workbook& workbook);

} // namespace termiva::files
