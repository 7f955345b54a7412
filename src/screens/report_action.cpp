// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/report_action.h"

#include "report/case_report.h"
#include "report/report_painter.h"
#include "screens/app_paths.h"
#include "screens/chart_screen.h"
#include "screens/input_file_actions.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/single_pipe_screen.h"
#include "screens/thickness_limit_screen.h"
#include "screens/vessel_screen.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QSettings>

namespace termiva {
namespace {

ReportDetails RememberedDetails() {
    const QSettings settings;
    return {settings.value(QLatin1String(kReportProjectKey)).toString(),
            settings.value(QLatin1String(kReportPreparedByKey)).toString()};
}

void RememberDetails(const ReportDetails& details) {
    QSettings settings;
    settings.setValue(QLatin1String(kReportProjectKey), details.project);
    settings.setValue(QLatin1String(kReportPreparedByKey), details.preparedBy);
}

void ExportPdf(Platform& platform, const report::ReportDocument& document, QPrinter* printer) {
    CommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Export PDF");
    dialog.Flags = CommonDialog::kOverwritePrompt + CommonDialog::kHideReadOnly;
    dialog.InitDir = DialogStartFolder();
    dialog.Filter = QStringLiteral("PDF document (*.pdf)|*.pdf");
    dialog.DefaultExt = QStringLiteral("pdf");
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

using Shown = std::vector<std::pair<const QLabel*, std::string>>;

// The result labels of the screen beside the texts the report holds for them.
Shown ShownResults(const QWidget& screen, const report::ReportDocument& document) {
    Shown shown;
    const auto cell = [&document](std::size_t table, std::size_t row, std::size_t column) {
        const auto& rows = document.results.at(table).rows;
        return row < rows.size() && column < rows[row].size() ? rows[row][column].text
                                                              : std::string("?");
    };
    if (const auto* pipe = qobject_cast<const Form3*>(&screen)) {
        if (!pipe->Frame3->isVisibleTo(pipe))
            return shown; // "Diagram" needs no calculation first
        const std::array<const QLabel*, 12> labels = {pipe->Label18, pipe->Label19, pipe->Label20,
                                                      pipe->Label21, pipe->Label22, pipe->Label23,
                                                      pipe->Label24, pipe->Label25, pipe->Label26,
                                                      pipe->Label27, pipe->Label28, pipe->Label29};
        for (std::size_t i = 0; i < labels.size(); ++i)
            shown.push_back({labels[i], cell(0, i % 6, i / 6)});
    } else if (const auto* vessel = qobject_cast<const Form2*>(&screen)) {
        const std::array<const QLabel*, 10> labels = {
            vessel->Label21, vessel->Label22, vessel->Label23, vessel->Label24, vessel->Label25,
            vessel->Label26, vessel->Label27, vessel->Label28, vessel->Label29, vessel->Label30};
        for (std::size_t i = 0; i < labels.size(); ++i)
            shown.push_back({labels[i], cell(0, i % 5, i / 5)});
    } else if (const auto* group = qobject_cast<const Form4*>(&screen)) {
        std::size_t row = 0;
        for (int r = group->Text3.first(); r <= group->Text3.last(); ++r) {
            if (group->Text3(r)->text().isEmpty())
                continue;
            shown.push_back({group->Label16(r), cell(0, row, 1)});
            shown.push_back({group->Label17(r), cell(0, row, 2)});
            ++row;
        }
        shown.push_back({group->Label20, cell(1, 0, 0)});
        shown.push_back({group->Label21, cell(1, 1, 0)});
    } else if (const auto* limit = qobject_cast<const Form8*>(&screen)) {
        shown = {{limit->Label20, cell(0, 0, 0)}, {limit->Label21, cell(0, 1, 0)},
                 {limit->Label23, cell(0, 2, 0)}, {limit->Label24, cell(0, 2, 1)},
                 {limit->Label25, cell(0, 2, 2)}, {limit->Label26, cell(0, 3, 0)},
                 {limit->Label27, cell(0, 3, 1)}, {limit->Label28, cell(0, 3, 2)},
                 {limit->Label22, cell(0, 4, 0)}};
    }
    return shown;
}

} // namespace

std::optional<report::ReportDocument> ReportOf(Platform& platform, const QWidget& screen) {
    const QWidget* source = &screen;
    if (const auto* chart = qobject_cast<const Form7*>(&screen))
        source = chart->source();
    std::optional<cases::ScreenTexts> texts;
    if (const auto* pipe = qobject_cast<const Form3*>(source))
        texts = pipe->texts();
    else if (const auto* vessel = qobject_cast<const Form2*>(source))
        texts = vessel->texts();
    else if (const auto* group = qobject_cast<const Form4*>(source))
        texts = group->texts();
    else if (const auto* limit = qobject_cast<const Form8*>(source))
        texts = limit->texts();
    if (!texts)
        return std::nullopt;

    report::ReportContext context;
    context.dateTime = report::NowText();
    context.fileName = QFileInfo(InputFileOf(source)).fileName().toStdString();
    context.decimalSeparator = DecimalSeparator();
    auto document = report::CaseReport(*texts, context);
    if (!document) {
        QStringList reasons;
        for (const std::string& reason : document.error())
            reasons << QString::fromStdString(reason);
        platform.error(QStringLiteral("The report cannot be made: %1").arg(reasons.join(u' ')));
        return std::nullopt;
    }
    // Results on the screen that the inputs no longer give would make a
    // report that contradicts itself.
    for (const auto& [label, text] : ShownResults(*source, *document)) {
        if (label->text().toStdString() != text) {
            platform.error(QStringLiteral("The inputs were changed after the last calculation. "
                                          "Press \"Calculation\" before making the report."));
            return std::nullopt;
        }
    }
    return std::move(document).value();
}

bool HasReport(const QWidget* screen) {
    if (const auto* form = qobject_cast<const Form3*>(screen))
        return form->Frame3->isVisibleTo(form);
    if (const auto* form = qobject_cast<const Form2*>(screen))
        return form->Frame3->isVisibleTo(form);
    if (const auto* form = qobject_cast<const Form4*>(screen))
        return !form->Label20->text().isEmpty();
    if (const auto* form = qobject_cast<const Form8*>(screen))
        return form->Frame4->isVisibleTo(form);
    if (const auto* form = qobject_cast<const Form7*>(screen))
        return form->source() != nullptr;
    return false;
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
