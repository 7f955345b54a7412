// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the single pipe report with its diagram table and chart, from the
// loaded texts to the PDF: building the document, laying it out, painting
// and writing the file.

#include "cases/case_records.h"
#include "report/case_report.h"
#include "report/report_painter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>

#include <QGuiApplication>

namespace {

using termiva::cases::InputFileKind;

termiva::cases::ScreenTexts SinglePipe() {
    auto record = termiva::files::ReadInputFile(InputFileKind::SinglePipe,
                                                TERMIVA_EXAMPLES "/single-pipe.insp");
    return termiva::cases::LoadScreen(InputFileKind::SinglePipe, record.value(), ".");
}

void SinglePipeReportToPdf(benchmark::State& state) {
    const termiva::cases::ScreenTexts screen = SinglePipe();
    termiva::report::ReportContext context;
    context.dateTime = "2026-12-08 23:00";
    context.fileName = "single-pipe.insp";
    const QString path = QString::fromStdString(
        (std::filesystem::temp_directory_path() / "termiva_bench_report.pdf").string());
    for (auto _ : state) {
        const auto document = termiva::report::CaseReport(screen, context);
        const auto error = termiva::report::WriteReportPdf(*document, path);
        benchmark::DoNotOptimize(error);
    }
    std::remove(path.toLocal8Bit().constData());
}
BENCHMARK(SinglePipeReportToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
