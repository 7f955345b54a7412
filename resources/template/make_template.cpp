// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the chart template Template.xlsx: the chart sheet "Chart1" (first,
// active) with the heat loss chart over the worksheet "Sheet1", which holds a
// sample table computed from the single pipe screen's test data.
//
// Usage: make_template OUTPUT.xlsx

#include "engine/diameter_table.h"
#include "files/diagram_export.h"
#include "text/number_text.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <xlsxwriter.h>

namespace {

// The single pipe screen's "Input test data": T1 143, Tout 20, k 0.07, e 0.95,
// WC 1, tins 20, 50, 75, 100, 150.
const termiva::DiameterTableInput kTestData{143, 20, 0.07, 0.95, 1, {20, 50, 75, 100, 150}};
constexpr const char* kFluidTemperatureText = "143";

constexpr const char* kHeadings[7] = {"Outside Diameter of Pipe",
                                      "Bare Pipe",
                                      "Insulation 1",
                                      "Insulation 2",
                                      "Insulation 3",
                                      "Insulation 4",
                                      "Insulation 5"};
constexpr const char* kSeriesNames[6] = {"Bare Pipe", "tins1", "tins2", "tins3", "tins4", "tins5"};
constexpr const char* kYValues[6] = {"=Sheet1!$C$4:$C$21", "=Sheet1!$D$4:$D$21",
                                     "=Sheet1!$E$4:$E$21", "=Sheet1!$F$4:$F$21",
                                     "=Sheet1!$G$4:$G$21", "=Sheet1!$H$4:$H$21"};
constexpr const char* kXValues = "=Sheet1!$B$4:$B$21";

// The sheet holds what an export would write: the table screen's display
// texts read back as numbers.
double AsExported(double value, int column) {
    const std::string text = termiva::text::Format(value, column == 0 ? "####0" : "####0.#0", ".");
    return termiva::text::ToDouble(text, ".").value_or(value);
}

std::uint8_t MarkerType(std::string_view symbol) {
    if (symbol == "diamond")
        return LXW_CHART_MARKER_DIAMOND;
    if (symbol == "square")
        return LXW_CHART_MARKER_SQUARE;
    if (symbol == "triangle")
        return LXW_CHART_MARKER_TRIANGLE;
    if (symbol == "star")
        return LXW_CHART_MARKER_STAR;
    return LXW_CHART_MARKER_CIRCLE;
}

bool Write(const std::string& path, const termiva::DiameterTable& table) {
    lxw_workbook* workbook = workbook_new(path.c_str());
    if (!workbook)
        return false;

    // Tab order is creation order: the chart sheet comes first so that a
    // viewer of the workbook opens on the chart.
    lxw_chartsheet* chartsheet = workbook_add_chartsheet(workbook, "Chart1");
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Sheet1");

    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    worksheet_set_column(sheet, 1, 1, 24, nullptr);
    worksheet_set_column(sheet, 2, 7, 12, nullptr);

    worksheet_write_string(sheet, 0, 1, kFluidTemperatureText, nullptr);
    for (int j = 0; j < 5; ++j)
        worksheet_write_number(sheet, 0, static_cast<lxw_col_t>(3 + j), kTestData.tins[j], nullptr);
    for (int c = 0; c < 7; ++c) {
        const auto col = static_cast<lxw_col_t>(1 + c);
        worksheet_write_string(sheet, 1, col, kHeadings[c], bold);
        worksheet_write_string(sheet, 2, col, c == 0 ? "mm" : "W/m", nullptr);
    }
    for (int i = 1; i <= 19; ++i) {
        const auto sheetRow = termiva::files::DiagramSheetRow(i);
        if (!sheetRow)
            continue;
        const auto& row = table.rows[static_cast<std::size_t>(i - 1)];
        for (int c = 0; c < 7; ++c)
            worksheet_write_number(sheet, static_cast<lxw_row_t>(*sheetRow - 1),
                                   static_cast<lxw_col_t>(1 + c),
                                   AsExported(row[static_cast<std::size_t>(c)], c), nullptr);
    }

    lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_SCATTER_STRAIGHT_WITH_MARKERS);
    for (int s = 0; s < 6; ++s) {
        lxw_chart_series* series = chart_add_series(chart, kXValues, kYValues[s]);
        chart_series_set_name(series, kSeriesNames[s]);
        // The chart screen draws each series as the template does.
        const auto& style = termiva::files::kDiagramSeriesStyles[static_cast<std::size_t>(s)];
        lxw_chart_line line{};
        line.color = style.colour;
        line.width = 2;
        chart_series_set_line(series, &line);
        chart_series_set_marker_type(series, MarkerType(style.marker));
        chart_series_set_marker_size(series, 6);
        lxw_chart_fill fill{};
        fill.color = style.colour;
        chart_series_set_marker_fill(series, &fill);
        lxw_chart_line border{};
        border.color = style.colour;
        chart_series_set_marker_line(series, &border);
    }
    chart_axis_set_name(chart->y_axis, "Heat Loss [W/m]");
    chart_axis_set_name(chart->x_axis, "Outside Pipe Diameter [mm]");
    chartsheet_set_chart(chartsheet, chart);
    chartsheet_activate(chartsheet);

    const lxw_error result = workbook_close(workbook);
    if (result != LXW_NO_ERROR) {
        std::fprintf(stderr, "make_template: %s: %s\n", path.c_str(), lxw_strerror(result));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_template OUTPUT.xlsx\n");
        return 2;
    }
    const std::filesystem::path output = argv[1];

    const auto table = termiva::ComputeDiameterTable(kTestData);
    if (!table) {
        std::fprintf(stderr, "make_template: the sample table failed: %s\n",
                     table.error().message.c_str());
        return 1;
    }

    // A half-written template must never stand in the application folder.
    std::filesystem::path partial = output;
    partial += ".partial";
    if (!Write(partial.string(), *table)) {
        std::filesystem::remove(partial);
        return 1;
    }
    std::error_code error;
    std::filesystem::rename(partial, output, error);
    if (error) {
        std::fprintf(stderr, "make_template: %s: %s\n", output.c_str(), error.message().c_str());
        std::filesystem::remove(partial);
        return 1;
    }
    return 0;
}
