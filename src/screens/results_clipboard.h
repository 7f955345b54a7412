// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Edit > Copy results: a screen's inputs and results for a spreadsheet or a
// memo, as plain text with tabs (one value per cell: captions in the first
// column, units beside the values) and as an HTML table.

#include "report/report_document.h"

#include <memory>

#include <QString>

class QMimeData;
class QWidget;

namespace termiva {

struct ResultsText {
    QString plain;
    QString html;
};

// The inputs of `document`, then its result tables (`withResults`) and the
// tables of its part after the results (`withSupplement`: the diameter
// table the chart screen shows).
ResultsText ResultsTextOf(const report::ReportDocument& document, bool withResults,
                          bool withSupplement);

// What Copy results puts on the clipboard for `screen`: its case's inputs,
// and its results while they are the ones the screen shows; the chart
// screen adds the chart as a picture. Null when the screen has nothing to
// copy (no calculator screen, or inputs that make no case yet).
std::unique_ptr<QMimeData> ResultsMimeData(const QWidget& screen);

} // namespace termiva
