// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Report..." of the main window's "File" menu: the calculation report of the
// active calculator or chart screen, in Qt's print preview, printed or
// exported as PDF. The project and the engineer's name are asked first and
// remembered between runs.

#include "platform/platform.h"
#include "report/report_document.h"

#include <optional>

class QString;
class QWidget;

namespace termiva {

// True when `screen` is a calculator screen showing results, or a chart
// screen whose single pipe screen is still open.
bool HasReport(const QWidget* screen);

// The report of `screen` as it stands: its inputs as typed and its results as
// shown. Nothing, after an "Error" box saying why, when the inputs no longer
// give the results on the screen (they were changed after "Calculation").
std::optional<report::ReportDocument> ReportOf(Platform& platform, const QWidget& screen);

// The case of `screen` (the chart screen's: its single pipe screen's) as the
// report holds it. `resultsShown` tells whether the results in it are the
// ones on the screen. Nothing when `screen` has no case; `problem` then says
// why when there is a reason to tell.
std::optional<report::ReportDocument> CaseDocumentOf(const QWidget& screen, QString* problem,
                                                     bool* resultsShown);

// The details dialog, then the print preview with "Export PDF...".
void PrintReport(Platform& platform, const QWidget& screen);

// Where the details are remembered.
inline constexpr const char* kReportProjectKey = "report/project";
inline constexpr const char* kReportPreparedByKey = "report/preparedBy";

} // namespace termiva
