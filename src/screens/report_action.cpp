// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/report_action.h"

#include "platform/remembered_settings.h"
#include "report/case_report.h"
#include "report/report_painter.h"
#include "screens/app_paths.h"
#include "screens/calculator_screen.h"
#include "screens/chart_screen.h"
#include "screens/field_texts.h"

#include <algorithm>

#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QSettings>

namespace termiva {
namespace {

ReportDetails RememberedDetails() {
    const QSettings settings;
    return {RememberedText(settings, QLatin1String(kReportProjectKey), kMaxReportDetailLength),
            RememberedText(settings, QLatin1String(kReportPreparedByKey), kMaxReportDetailLength)};
}

void RememberDetails(const ReportDetails& details) {
    QSettings settings;
    settings.setValue(QLatin1String(kReportProjectKey), details.project);
    settings.setValue(QLatin1String(kReportPreparedByKey), details.preparedBy);
}

void ExportPdf(Platform& platform, const report::ReportDocument& document, QPrinter* printer) {
    CommonDialog dialog =
        OutputSaveDialog(QStringLiteral("Export PDF"), QStringLiteral("PDF document (*.pdf)|*.pdf"),
                         QStringLiteral("pdf"));
    if (!document.fileName.empty())
        dialog.FileName = QFileInfo(QString::fromStdString(document.fileName)).completeBaseName() +
                          QStringLiteral(".pdf");
    const std::optional<QString> path = platform.ShowSave(dialog);
    if (!path)
        return;
    const QPageSize pageSize =
        printer ? printer->pageLayout().pageSize() : QPageSize(QPageSize::A4);
    if (const auto error = report::WriteReportPdf(document, *path, pageSize))
        platform.error(*error);
}

// The calculator screen a screen reports: itself, or the single pipe screen
// behind the chart.
const CalculatorScreen* ReportSource(const QWidget* screen) {
    if (const auto* chart = qobject_cast<const Form7*>(screen))
        return chart->source();
    return qobject_cast<const CalculatorScreen*>(screen);
}

// True when every result the screen shows is what its inputs give now.
bool ResultsCurrent(const CalculatorScreen& screen, const cases::ScreenTexts& texts) {
    if (!screen.showsResults())
        return true; // "Diagram" needs no calculation first
    const auto results = screen.calculator().results(texts, DecimalSeparator());
    if (!results)
        return false;
    for (const cases::ResultText& value : results->values) {
        const QLabel* box = screen.resultBox(value.control);
        if (box && box->text().toStdString() != value.text)
            return false;
    }
    return true;
}

} // namespace

std::optional<report::ReportDocument> CaseDocumentOf(const QWidget& screen, QString* problem,
                                                     bool* resultsShown) {
    const CalculatorScreen* source = ReportSource(&screen);
    if (!source)
        return std::nullopt;
    const cases::ScreenTexts texts = source->texts();

    report::ReportContext context;
    context.dateTime = report::NowText();
    context.fileName = QFileInfo(source->inputFile()).fileName().toStdString();
    context.decimalSeparator = DecimalSeparator();
    auto document = report::CaseReport(texts, context);
    if (!document) {
        QStringList reasons;
        for (const std::string& reason : document.error())
            reasons << QString::fromStdString(reason);
        if (problem)
            *problem = reasons.join(u' ');
        return std::nullopt;
    }
    if (resultsShown)
        *resultsShown = ResultsCurrent(*source, texts);
    return std::move(document).value();
}

std::optional<report::ReportDocument> ReportOf(Platform& platform, const QWidget& screen) {
    QString problem;
    bool resultsShown = false;
    auto document = CaseDocumentOf(screen, &problem, &resultsShown);
    if (!document) {
        if (!problem.isEmpty())
            platform.error(QStringLiteral("The report cannot be made: %1").arg(problem));
        return std::nullopt;
    }
    // Results on the screen that the inputs no longer give would make a
    // report that contradicts itself.
    if (!resultsShown) {
        platform.error(QStringLiteral("The inputs were changed after the last calculation. "
                                      "Press \"Calculation\" before making the report."));
        return std::nullopt;
    }
    return document;
}

bool HasReport(const QWidget* screen) {
    if (qobject_cast<const Form7*>(screen))
        return ReportSource(screen) != nullptr;
    const CalculatorScreen* source = ReportSource(screen);
    return source && source->showsResults();
}

void PrintReport(Platform& platform, const QWidget& screen) {
    std::optional<report::ReportDocument> document = ReportOf(platform, screen);
    if (!document)
        return;
    if (const auto problem = report::FontProblem(*document)) {
        platform.error(QStringLiteral("The report cannot be printed: %1").arg(*problem));
        return;
    }
    const std::optional<ReportDetails> details = platform.askReportDetails(RememberedDetails());
    if (!details)
        return;
    RememberDetails(*details);
    document->project = details->project.toStdString();
    document->preparedBy = details->preparedBy.toStdString();

    PrintPreview preview;
    preview.title =
        QStringLiteral("%1 \u2013 Report").arg(QString::fromStdString(document->screenTitle));
    preview.paint = [&document](QPrinter* printer) {
        if (printer)
            report::PaintReport(*document, *printer);
    };
    preview.exportPdf = [&platform, &document](QPrinter* printer) {
        ExportPdf(platform, *document, printer);
    };
    platform.showPrintPreview(preview);
}

} // namespace termiva
