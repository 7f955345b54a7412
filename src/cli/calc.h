// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// termiva-calc: saved input data files calculated as their screens would.
// What a screen does lives in src/cases; this unit reads the arguments and
// writes the output formats.

#include "cases/case_fields.h"
#include "files/input_file.h"
#include "files/workbook_template.h"
#include "support/expected.h"

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

} // namespace termiva::cli
