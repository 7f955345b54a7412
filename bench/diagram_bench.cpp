// SPDX-License-Identifier: GPL-3.0-or-later
// What "Diagram" does below the screens: the 19-row table, its texts, the
// export into the workbook and the chart read back for the chart view.

#include "engine/diameter_table.h"
#include "files/diagram_export.h"
#include "files/workbook_chart.h"
#include "test_data.h"
#include "text/number_text.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace termiva {
namespace {

files::DiagramExportData TableTexts() {
    const auto table = ComputeDiameterTable(test_data::DiameterTable());

    files::DiagramExportData data;
    data.fluidTemperatureText = "143";
    data.thicknessTexts = {"20", "50", "75", "100", "150"};
    for (std::size_t i = 0; i < 19; ++i) {
        data.table[i][0] = text::Format(table->rows[i][0], "####0", ".");
        for (std::size_t c = 1; c < 7; ++c)
            data.table[i][c] = text::Format(table->rows[i][c], "####0.#0", ".");
    }
    return data;
}

std::string WorkbookCopy() {
    const auto path = std::filesystem::temp_directory_path() / "termiva_bench.xlsx";
    std::filesystem::copy_file(TERMIVA_TEMPLATE, path,
                               std::filesystem::copy_options::overwrite_existing);
    return path.string();
}

void BM_DiagramTableTexts(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(TableTexts());
}
BENCHMARK(BM_DiagramTableTexts)->Unit(benchmark::kMicrosecond);

void BM_DiagramExport(benchmark::State& state) {
    const std::string path = WorkbookCopy();
    const files::DiagramExportData data = TableTexts();
    for (auto _ : state) {
        if (auto error = files::ExportDiagram(path, data))
            state.SkipWithError(error->message.c_str());
    }
}
BENCHMARK(BM_DiagramExport)->Unit(benchmark::kMillisecond);

void BM_DiagramChartRead(benchmark::State& state) {
    const std::string path = WorkbookCopy();
    for (auto _ : state)
        benchmark::DoNotOptimize(files::ReadWorkbookChart(path));
}
BENCHMARK(BM_DiagramChartRead)->Unit(benchmark::kMillisecond);

// The whole sequence without the widgets: table, texts, export, chart read.
void BM_DiagramWithoutScreens(benchmark::State& state) {
    const std::string path = WorkbookCopy();
    for (auto _ : state) {
        const files::DiagramExportData data = TableTexts();
        if (auto error = files::ExportDiagram(path, data))
            state.SkipWithError(error->message.c_str());
        benchmark::DoNotOptimize(files::ReadWorkbookChart(path));
    }
}
BENCHMARK(BM_DiagramWithoutScreens)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace termiva
