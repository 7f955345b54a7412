// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/results_clipboard.h"

#include "screens/chart_screen.h"
#include "screens/report_action.h"
#include "screens/workbook_chart_view.h"

#include <QMimeData>
#include <QStringList>

namespace termiva {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Tabs and line ends inside a text would split the cell.
QString Cell(const std::string& text) {
    QString cell = Text(text);
    cell.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
    return cell;
}

class Writer {
public:
    void heading(const std::string& title) {
        if (!plain_.isEmpty())
            plain_ << QString();
        if (title.empty())
            return;
        plain_ << Cell(title);
        html_ += QStringLiteral("<h3>%1</h3>\n").arg(Text(title).toHtmlEscaped());
    }

    void row(const QStringList& cells, bool header = false) {
        plain_ << cells.join(u'\t');
        const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
        html_ += QStringLiteral("<tr>");
        for (const QString& cell : cells)
            html_ += QStringLiteral("<%1>%2</%1>").arg(tag, cell.toHtmlEscaped());
        html_ += QStringLiteral("</tr>\n");
    }

    void beginTable() { html_ += QStringLiteral("<table border=\"1\" cellspacing=\"0\">\n"); }
    void endTable() { html_ += QStringLiteral("</table>\n"); }

    void group(const report::ReportGroup& group) {
        heading(group.title);
        beginTable();
        for (const report::ReportField& field : group.fields)
            row({Cell(field.caption), Cell(field.value), Cell(field.unit)});
        endTable();
    }

    void table(const report::ReportTable& table) {
        heading(table.title);
        beginTable();
        const bool captions = !table.rowCaptions.empty();
        QStringList head;
        if (captions)
            head << Cell(table.rowHeading);
        for (const std::string& column : table.columnHeadings)
            head << Cell(column);
        row(head, true);
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            QStringList cells;
            if (captions)
                cells << (r < table.rowCaptions.size() ? Cell(table.rowCaptions[r]) : QString());
            for (const report::ReportCell& cell : table.rows[r])
                cells << Cell(cell.text) + (cell.flagged ? QStringLiteral(" *") : QString());
            row(cells);
        }
        endTable();
        if (!table.flagNote.empty()) {
            plain_ << QStringLiteral("* ") + Cell(table.flagNote);
            html_ += QStringLiteral("<p>* %1</p>\n").arg(Text(table.flagNote).toHtmlEscaped());
        }
    }

    ResultsText done(const std::string& title) const {
        return {plain_.join(u'\n') + u'\n',
                QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                               "<body>\n%2</body></html>\n")
                    .arg(Text(title).toHtmlEscaped(), html_)};
    }

private:
    QStringList plain_;
    QString html_;
};

} // namespace

ResultsText ResultsTextOf(const report::ReportDocument& document, bool withResults,
                          bool withSupplement) {
    Writer writer;
    for (const report::ReportGroup& group : document.inputs)
        writer.group(group);
    for (const report::ReportTable& table : document.inputTables)
        writer.table(table);
    if (withResults)
        for (const report::ReportTable& table : document.results)
            writer.table(table);
    if (withSupplement)
        for (const report::ReportTable& table : document.supplementTables)
            writer.table(table);
    return writer.done(document.screenTitle);
}

std::unique_ptr<QMimeData> ResultsMimeData(const QWidget& screen) {
    bool resultsShown = false;
    const std::optional<report::ReportDocument> document =
        CaseDocumentOf(screen, nullptr, &resultsShown);
    if (!document)
        return nullptr;
    // Results the inputs no longer give are left out rather than pasted as
    // if they belonged to them.
    const auto* chart = qobject_cast<const Form7*>(&screen);
    const ResultsText text =
        chart ? ResultsTextOf(*document, false, true)
              : ResultsTextOf(*document, resultsShown && HasReport(&screen), false);
    auto data = std::make_unique<QMimeData>();
    data->setText(text.plain);
    data->setHtml(text.html);
    if (chart)
        data->setImageData(chart->OLE1->grab().toImage());
    return data;
}

} // namespace termiva
