// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/diagram_export.h"

#include "files/workbook_chart.h"
#include "files/workbook_package.h"
#include "files/workbook_refs.h"
#include "text/number_text.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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

std::optional<WorkbookError> WriteAndSave(Workbook& workbook, Worksheet& sheet,
                                          const DiagramExportData& data,
                                          const std::vector<NumberCell>& numbers) {
    // B1 keeps the fluid temperature exactly as typed.
    if (auto error = sheet.SetText("B1", data.fluidTemperatureText))
        return error;
    for (const auto& cell : numbers)
        if (auto error = sheet.SetNumber(cell.address, cell.value))
            return error;
    return workbook.Close(true);
}

// A temporary file that is removed when it goes out of scope, unless kept.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    void Keep() { path_.clear(); }

private:
    std::string path_;
};

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
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

std::optional<WorkbookError> ExportInPlace(const std::string& workbookPath,
                                           const DiagramExportData& data) {
    auto numbers = ConvertTexts(workbookPath, data);
    if (!numbers)
        return numbers.error();
    auto workbook = Workbook::Open(workbookPath);
    if (!workbook)
        return workbook.error();
    auto sheet = DiagramSheet(workbook.value());
    if (!sheet)
        return sheet.error();
    return WriteAndSave(workbook.value(), **sheet, data, *numbers);
}

std::optional<WorkbookError> ExportIntoCopy(const std::string& templatePath,
                                            const std::string& outputPath,
                                            const DiagramExportData& data) {
    const auto fail = [&](const std::string& what) {
        return WorkbookError{"The workbook \"" + outputPath + "\" " + what};
    };
    std::error_code error;
    if (fs::exists(outputPath, error) && fs::equivalent(outputPath, templatePath, error))
        return fail("is the template itself: the export writes into a copy only.");
    // The copy is renamed over the output: a device, a pipe or a folder there
    // would be replaced by a regular file, which is never what was meant.
    const auto outputStatus = fs::status(outputPath, error);
    if (fs::exists(outputStatus) && !fs::is_regular_file(outputStatus))
        return fail("is not a regular file: the export writes only into a file.");

    // Everything that depends on the template is checked on the template, so
    // that messages name it; the copy can then fail only in being written.
    if (auto numbers = ConvertTexts(templatePath, data); !numbers)
        return numbers.error();
    {
        auto workbook = Workbook::Open(templatePath, WorkbookAccess::ReadOnly);
        if (!workbook)
            return workbook.error();
        if (auto sheet = DiagramSheet(workbook.value()); !sheet)
            return sheet.error();
    }
    std::ifstream in(templatePath, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        return WorkbookError{"The workbook \"" + templatePath + "\" cannot be read."};

    // The copy is made and exported beside the output, then renamed over it:
    // an existing output stays whole until the new one is complete.
    const fs::path output = fs::absolute(outputPath, error);
    std::string temporary =
        (output.parent_path() / ("." + output.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return fail("cannot be written: " + std::string(std::strerror(errno)) + ".");
    TemporaryFile removeOnFailure(temporary);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    const int writeErrno = errno;
    if (::close(fd) != 0 || written < bytes.size())
        return fail("cannot be written: " + std::string(std::strerror(writeErrno)) + ".");

    auto exportError = ExportInPlace(temporary, data);
    if (!exportError && ::rename(temporary.c_str(), output.c_str()) != 0)
        exportError = fail("cannot be written: " + std::string(std::strerror(errno)) + ".");
    if (exportError) {
        exportError->message = ReplaceAll(exportError->message, temporary, outputPath);
        return exportError;
    }
    removeOnFailure.Keep();
    return std::nullopt;
}

} // namespace

std::optional<WorkbookError> ExportDiagram(const std::string& workbookPath,
                                           const DiagramExportData& data) {
    return detail::Guarded(workbookPath, [&] { return ExportInPlace(workbookPath, data); });
}

std::optional<WorkbookError> ExportDiagramCopy(const std::string& templatePath,
                                               const std::string& outputPath,
                                               const DiagramExportData& data) {
    return detail::Guarded(outputPath,
                           [&] { return ExportIntoCopy(templatePath, outputPath, data); });
}

} // namespace termiva::files
