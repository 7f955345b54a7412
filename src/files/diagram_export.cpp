// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/diagram_export.h"

#include "files/atomic_write.h"
#include "files/workbook_chart.h"
#include "files/workbook_package.h"
#include "files/workbook_refs.h"
#include "text/number_text.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace termiva::files {

namespace fs = std::filesystem;

namespace {

constexpr char kTableColumns[] = "BCDEFGH"; // diameter, bare, tins1..tins5
constexpr char kThicknessColumns[] = "DEFGH";

struct NumberCell {
    std::string address;
    double value;
};

// Every number the export writes, converted before the workbook is touched.
Expected<std::vector<NumberCell>, WorkbookError> ConvertTexts(const std::string& path,
                                                              const DiagramExportData& data) {
    std::vector<NumberCell> cells;
    const auto convert = [&](const std::string& address,
                             const std::string& text) -> std::optional<WorkbookError> {
        const auto value = text::ToDouble(text, data.decimalSeparator);
        if (!value)
            return WorkbookError{"The workbook \"" + path + "\" was not changed: the value \"" +
                                 text + "\" for cell " + address + " is not a number."};
        cells.push_back({address, *value});
        return std::nullopt;
    };
    for (std::size_t j = 0; j < data.thicknessTexts.size(); ++j)
        if (auto error =
                convert(std::string(1, kThicknessColumns[j]) + "1", data.thicknessTexts[j]))
            return *error;
    for (int i = 1; i <= 19; ++i) {
        const auto row = DiagramSheetRow(i);
        if (!row)
            continue;
        const auto& texts = data.table[static_cast<std::size_t>(i - 1)];
        for (std::size_t c = 0; c < texts.size(); ++c)
            if (auto error =
                    convert(std::string(1, kTableColumns[c]) + std::to_string(*row), texts[c]))
                return *error;
    }
    return cells;
}

// The worksheet the export writes: the first one, as the template has it.
// A spreadsheet application that keeps no chart sheets turns the chart sheet
// into a worksheet of its own, ahead of the data; then the worksheet the
// chart draws from is the one to write, or the new table would not show.
Expected<Worksheet*, WorkbookError> DiagramSheet(Workbook& workbook) {
    auto first = workbook.Worksheets(1);
    if (!first)
        return first.error();
    auto chart = ReadWorkbookChart(workbook);
    if (!chart)
        return chart.error();
    for (const auto& series : chart->series) {
        for (const auto* range : {&series.xRange, &series.yRange}) {
            const auto areas = detail::ParseRangeFormula(*range);
            if (!areas)
                continue;
            if (auto source = workbook.Worksheets(areas->front().sheet))
                return *source;
        }
    }
    return *first;
}

std::optional<WorkbookError> WriteCells(Worksheet& sheet, const DiagramExportData& data,
                                        const std::vector<NumberCell>& numbers) {
    // B1 keeps the fluid temperature exactly as typed.
    if (auto error = sheet.SetText("B1", data.fluidTemperatureText))
        return error;
    for (const auto& cell : numbers)
        if (auto error = sheet.SetNumber(cell.address, cell.value))
            return error;
    return std::nullopt;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Copies the file at `from` into the staged file in pieces: a template is
// never held in memory whole. The reason on failure.
std::optional<std::string> CopyInto(const std::string& from, StagedFile& staged) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return std::string(std::strerror(errno));
    std::vector<char> buffer(1u << 16);
    std::optional<std::string> reason;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            reason = std::strerror(errno);
        if (n <= 0)
            break;
        if ((reason = staged.Append({buffer.data(), static_cast<std::size_t>(n)})))
            break;
    }
    ::close(in);
    return reason;
}

} // namespace

std::optional<int> DiagramSheetRow(int tableRow) {
    if (tableRow >= 1 && tableRow <= 15)
        return tableRow + 3;
    if (tableRow >= 17 && tableRow <= 19)
        return tableRow + 2;
    return std::nullopt;
}

namespace {

// Opens the workbook at `path` and writes the export's cells into it. Then
// saves it, or (`check`) tells whether its formulas survive the cells and
// drops it unsaved.
std::optional<WorkbookError> FillDiagram(const std::string& path, const DiagramExportData& data,
                                         WorkbookAccess access, bool check) {
    auto numbers = ConvertTexts(path, data);
    if (!numbers)
        return numbers.error();
    auto workbook = Workbook::Open(path, access);
    if (!workbook)
        return workbook.error();
    auto sheet = DiagramSheet(workbook.value());
    if (!sheet)
        return sheet.error();
    if (auto error = WriteCells(**sheet, data, *numbers))
        return error;
    return check ? (*sheet)->CheckFormulas() : workbook.value().Close(true);
}

std::optional<WorkbookError> ExportInPlace(const std::string& workbookPath,
                                           const DiagramExportData& data) {
    return FillDiagram(workbookPath, data, WorkbookAccess::ReadWrite, false);
}

// Everything that depends on the template is checked on the template, so
// that messages name it: its size, its cells (written here too and dropped
// unsaved, so that a cell the template does not let the export write is told
// by the template's name), its worksheet, the numbers.
std::optional<WorkbookError> CheckTemplate(const std::string& templatePath,
                                           const DiagramExportData& data, WorkbookAccess access) {
    std::error_code sizeError;
    const auto size = fs::file_size(templatePath, sizeError);
    if (!sizeError && size > kMaxWorkbookTemplateSize)
        return WorkbookError{"The workbook \"" + templatePath +
                             "\" is too large for a template: " + "it holds more than " +
                             std::to_string(kMaxWorkbookTemplateSize >> 20) + " MiB."};
    return FillDiagram(templatePath, data, access, true);
}

// The export into `outputPath` (which may be the template itself): a copy of
// the template is filled beside the output and then replaces it.
std::optional<WorkbookError> ExportThrough(const std::string& templatePath,
                                           const std::string& outputPath,
                                           const DiagramExportData& data, WorkbookAccess access) {
    const auto fail = [&](const std::string& what) {
        return WorkbookError{"The workbook \"" + outputPath + "\" " + what};
    };
    if (auto error = CheckTemplate(templatePath, data, access))
        return error;
    std::string reason;
    auto staged = StagedFile::Create(outputPath, reason);
    if (!staged) {
        if (reason == "it is not a regular file" || reason == "it is a folder")
            return fail("is not a regular file: the export writes only into a file.");
        return fail("cannot be written: " + reason + ".");
    }
    if (auto copyError = CopyInto(templatePath, *staged))
        return fail("cannot be written: " + *copyError + ".");
    staged->CloseFd();
    const std::string& temporary = staged->temporaryPath();
    auto exportError = ExportInPlace(temporary, data);
    if (!exportError)
        if (auto commitError = staged->Commit())
            exportError = fail("cannot be written: " + *commitError + ".");
    if (exportError) {
        exportError->message = ReplaceAll(exportError->message, temporary, outputPath);
        return exportError;
    }
    return std::nullopt;
}

std::optional<WorkbookError> ExportIntoCopy(const std::string& templatePath,
                                            const std::string& outputPath,
                                            const DiagramExportData& data) {
    if (SameFile(outputPath, templatePath))
        return WorkbookError{"The workbook \"" + outputPath +
                             "\" is the template itself: the export writes into a copy only."};
    return ExportThrough(templatePath, outputPath, data, WorkbookAccess::ReadOnly);
}

} // namespace

std::optional<WorkbookError> ExportDiagram(const std::string& workbookPath,
                                           const DiagramExportData& data) {
    return detail::Guarded(workbookPath, [&] {
        return ExportThrough(workbookPath, workbookPath, data, WorkbookAccess::ReadWrite);
    });
}

std::optional<WorkbookError> ExportDiagramCopy(const std::string& templatePath,
                                               const std::string& outputPath,
                                               const DiagramExportData& data) {
    return detail::Guarded(outputPath,
                           [&] { return ExportIntoCopy(templatePath, outputPath, data); });
}

} // namespace termiva::files
