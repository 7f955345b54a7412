// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the calculation report of each calculator screen holds, without Qt:
// the inputs as typed with their captions and units, grouped as on the
// screen, the results formatted as the screen shows them, and for the single
// pipe the diameter table and chart behind "Diagram", for the vessel the
// sketch of its shape. The screens and termiva-calc build their reports here.

#include "cases/case_fields.h"
#include "report/report_document.h"
#include "support/expected.h"

#include <string>
#include <string_view>
#include <vector>

namespace termiva::report {

// What the report says besides the case.
struct ReportContext {
    std::string dateTime; // as printed
    std::string fileName; // the input file's name; empty when there is none
    std::string project;
    std::string preparedBy;
    std::string decimalSeparator = "."; // the user's
};

// "YYYY-MM-DD HH:MM", local time now.
std::string NowText();

// The report of a screen's texts (as loading or typing left them). Errors:
// the messages of the required-fields check, or the calculation's message.
Expected<ReportDocument, std::vector<std::string>> CaseReport(const cases::ScreenTexts& screen,
                                                              const ReportContext& context);

// The method in a few paragraphs, the same on every report, its numbers
// written with `decimalSeparator`.
std::vector<std::string> MethodText(std::string_view decimalSeparator = ".");

// `text` with the decimal point of every number in it ("5.7") written as
// `separator`: prose that a report prints follows the user's separator like
// its tables do. A point that ends a sentence stays.
std::string ProseNumbers(std::string text, std::string_view separator);

} // namespace termiva::report
