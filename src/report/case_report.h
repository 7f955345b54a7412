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

// The method in a few paragraphs, the same on every report.
const std::vector<std::string>& MethodText();

} // namespace termiva::report
