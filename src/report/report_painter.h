// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculation report laid out on pages and painted with QPainter: on a
// printer (the print preview paints through the same call) or into a PDF.
// Every page carries a running head and "Page n of N"; tables that do not fit
// continue on the next page under their repeated headings. Everything is
// drawn in black and greys with dash patterns and markers, so a black and
// white printout reads as the screen does.

#include "report/report_document.h"

#include <optional>

#include <QByteArray>
#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

namespace termiva::report {

// Why the report cannot be printed legibly: no font, or characters that no
// installed font has (they would print as boxes); nothing when it can. The
// message continues "The report cannot be printed: ".
std::optional<QString> FontProblem(const ReportDocument& document);

// Paints `document` on `device` (its page size, margins and resolution),
// starting on the device's current page. Returns the number of pages, or 0
// when the device cannot be painted on or FontProblem has a message.
int PaintReport(const ReportDocument& document, QPagedPaintDevice& device);

// The number of pages `document` takes on `pageSize` with the PDF's margins.
int CountPages(const ReportDocument& document,
               const QPageSize& pageSize = QPageSize(QPageSize::A4));

// The report as PDF bytes; nothing when it could not be painted.
std::optional<QByteArray> RenderPdf(const ReportDocument& document,
                                    const QPageSize& pageSize = QPageSize(QPageSize::A4));

// Writes the report as a PDF to `path`, all or nothing: the file appears (or
// replaces the previous one) only when complete. Returns the message for the
// user, naming the file, on failure.
std::optional<QString> WriteReportPdf(const ReportDocument& document, const QString& path,
                                      const QPageSize& pageSize = QPageSize(QPageSize::A4));

} // namespace termiva::report
