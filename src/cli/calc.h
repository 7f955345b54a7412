// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// termiva-calc: saved input data files calculated as their screens would.
// What a screen does lives in src/cases; this unit reads the arguments and
// writes the output formats.

#include "cases/case_fields.h"
#include "cases/result_marks.h"
#include "engine/value_flags.h"
#include "files/input_file.h"
#include "files/workbook_template.h"
#include "support/expected.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cli {

// Exit statuses; over several files the highest wins.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;   // an input check or a calculation failed
inline constexpr int kExitUnusable = 2; // usage error, unknown or unreadable file

// --report: where the calculation report goes and what it names.
struct ReportRequest {
    std::string path; // the PDF to write
    std::string project;
    std::string preparedBy;
};

// Writes the report of a loaded and checked input file; the message for the
// user, naming the file, on failure. The program supplies it (the report is
// painted with Qt); without one --report is refused.
using ReportWriter = std::function<std::optional<std::string>(
    const cases::ScreenTexts& screen, const std::string& inputFile, const ReportRequest& request)>;

// Why a saved file is not calculated: the exit status and the messages.
struct LoadFailure {
    int status = kExitUnusable;
    std::vector<std::string> messages;
};

// The one way every command reads a saved file before computing (plain,
// --json, --table, --report, --limit, --max-surface/--max-loss): read as its
// screen's "Load from file" reads it, then refused where loading had to change
// a number or the required check fails (kExitFailed, naming the fields), or
// where its line 1 is another kind's title (kExitFailed, naming the kind);
// kExitUnusable for a file that cannot be read or is not a valid input file.
Expected<cases::ScreenTexts, LoadFailure>
LoadChecked(files::InputFileKind kind, const std::string& path, std::string_view decimalSeparator);

// Runs the program on its arguments (without the program name), writing
// results to `out` and messages to `err`; `decimalSeparator` is the user's
// (the program takes it from the system locale); `programFolder` is where the
// program lies, where --workbook looks for the template. Returns the exit
// status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::string_view decimalSeparator, const std::string& programFolder = {},
        const ReportWriter& writeReport = {});

// Where --workbook finds the template when --template is not given.
using files::FindTemplate;

// The text --help prints.
std::string Usage();

// --report of a file that calculated: the writer's message, or one when the
// PDF would replace the input file; nothing when it was written.
std::optional<std::string> WriteRequestedReport(const ReportRequest& request,
                                                const ReportWriter& writeReport,
                                                const cases::ScreenTexts& screen,
                                                const std::string& file);

// The loop of a command over its files: `calculate(file)` gives a Report
// (with `file`, `status`, `error` and, once calculated, `screen`), whose PDF
// is written where `request` names one; then its JSON line (`json(report)`),
// its message on `err`, or `print(report, out)`, files apart by a blank line.
// Returns the highest status; kExitUnusable at once for a report without a
// writer.
template <class Report, class Calculate, class JsonLine, class Print>
int RunEachFile(const std::vector<std::string>& files, bool json, const ReportRequest& request,
                const ReportWriter& writeReport, std::ostream& out, std::ostream& err,
                Calculate calculate, JsonLine jsonLine, Print print) {
    if (!request.path.empty() && !writeReport) {
        err << "termiva-calc: this program cannot write reports\n";
        return kExitUnusable;
    }
    int status = kExitOk;
    bool first = true;
    for (const std::string& file : files) {
        Report report = calculate(file);
        if (report.status == kExitOk && !request.path.empty()) {
            if (auto error = WriteRequestedReport(request, writeReport, *report.screen, file)) {
                report.status = kExitUnusable;
                report.error = *error;
            }
        }
        status = std::max(status, report.status);
        if (json) {
            out << jsonLine(report) << "\n";
        } else if (report.status != kExitOk) {
            err << "termiva-calc: " << (report.status == kExitUnusable ? "" : report.file + ": ")
                << report.error << "\n";
        } else {
            if (!first)
                out << "\n";
            first = false;
            print(report, out);
        }
    }
    return status;
}

// Rows of cells printed in columns two blanks apart, right-aligned but for a
// first column of captions.
void PrintColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                  bool captionColumn = true);

// A marked value's text followed by "*"; where other values are marked, an
// unmarked one by a blank, so that the digits stay in line. Unchanged when
// nothing is marked.
std::string Marked(const std::string& text, const ValueFlags& flags, const cases::Marks& marks);

// "  * NOTE" of the marks, when any value is marked.
void PrintFootnote(std::ostream& out, const cases::Marks& marks);

} // namespace termiva::cli
