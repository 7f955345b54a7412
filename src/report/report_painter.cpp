// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_painter.h"

#include "files/atomic_write.h"
#include "report/report_chart.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

namespace termiva::report {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

const QString kFontFamily = QStringLiteral("DejaVu Sans");

QFont Font(double points, bool bold = false, bool italic = false) {
    QFont font(kFontFamily, 10);
    font.setStyleHint(QFont::SansSerif);
    // No ligatures: "ffi" stays three letters for a reader who searches or
    // copies the text.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A piece of the flowing text of known height. A block that must not end a
// page (a heading, a table's heading row) keeps with the next one; a table row
// that starts a page brings its table's heading row with it.
struct Block {
    double height = 0;
    std::function<void(QPainter&, double top)> paint;
    bool keepWithNext = false;
    bool space = false;     // vertical space, dropped at the top of a page
    bool pageBreak = false; // what follows starts a new page
    std::shared_ptr<Block> continuation;
};

enum class Align { Left, Right };

// A table as laid out: column 0 may be a caption column.
struct TableCells {
    std::vector<QString> headings;
    std::vector<Align> align;
    std::vector<std::vector<QString>> rows;
    std::vector<std::vector<bool>> flags;
    bool zebra = false;
};

class Layout {
public:
    Layout(const ReportDocument& document, QPaintDevice& device, const QRectF& content)
        : document_(document), device_(device), content_(content),
          mm_(device.logicalDpiX() / 25.4) {}

    std::vector<std::vector<std::pair<const Block*, double>>> paginate();
    void paintPage(QPainter& painter, int page, int pages) const;

private:
    void build();
    void addSpace(double mmHeight);
    void addHeading(const QString& text, double points = 12);
    void addParagraph(const QString& text, const QFont& font);
    void addTitle();
    void addTable(const QString& title, const TableCells& table, const QString& note,
                  double maxWidth = 0);
    void addInputs();
    double addDrawing();
    void addChart();
    void addMethod();

    double textHeight(const QString& text, const QFont& font, double width) const {
        QFontMetricsF metrics(font, &device_);
        return metrics
            .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | Qt::AlignLeft, text)
            .height();
    }
    double textWidth(const QString& text, const QFont& font) const {
        return QFontMetricsF(font, &device_).horizontalAdvance(text);
    }

    const ReportDocument& document_;
    QPaintDevice& device_;
    QRectF content_; // the page's text area, less the running head and foot
    double mm_;
    std::vector<std::shared_ptr<Block>> blocks_;
};

void Layout::addSpace(double mmHeight) {
    auto block = std::make_shared<Block>();
    block->height = mmHeight * mm_;
    block->space = true;
    block->paint = [](QPainter&, double) {};
    blocks_.push_back(block);
}

void Layout::addHeading(const QString& text, double points) {
    const QFont font = Font(points, true);
    auto block = std::make_shared<Block>();
    block->height = textHeight(text, font, content_.width()) + 1.5 * mm_;
    block->keepWithNext = true;
    block->paint = [this, text, font](QPainter& painter, double top) {
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(content_.left(), top, content_.width(), 1e6),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    };
    blocks_.push_back(block);
}

void Layout::addParagraph(const QString& text, const QFont& font) {
    auto block = std::make_shared<Block>();
    block->height = textHeight(text, font, content_.width()) + 1.2 * mm_;
    block->paint = [this, text, font](QPainter& painter, double top) {
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(content_.left(), top, content_.width(), 1e6),
                         Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    };
    blocks_.push_back(block);
}

// "Calculation report", the screen, and the facts that identify the case,
// with lines to write on where the project or the author were left empty.
void Layout::addTitle() {
    addHeading(QStringLiteral("Calculation report"), 17);
    addHeading(Q(document_.screenTitle), 13);
    addSpace(2);

    std::vector<std::pair<QString, QString>> facts = {
        {QStringLiteral("Program"), Q(document_.programName + " " + document_.programVersion)},
        {QStringLiteral("Date"), Q(document_.dateTime)},
    };
    if (!document_.fileName.empty())
        facts.push_back({QStringLiteral("Input file"), Q(document_.fileName)});
    facts.push_back({QStringLiteral("Project"), Q(document_.project)});
    facts.push_back({QStringLiteral("Prepared by"), Q(document_.preparedBy)});

    const QFont label = Font(9.5, true);
    const QFont value = Font(9.5);
    double labelWidth = 0;
    for (const auto& fact : facts)
        labelWidth = std::max(labelWidth, textWidth(fact.first, label));
    labelWidth += 4 * mm_;
    const double valueWidth = content_.width() - labelWidth;
    for (const auto& fact : facts) {
        // Named copies: clang 14 cannot capture structured bindings.
        const QString caption = fact.first;
        const QString text = fact.second;
        auto block = std::make_shared<Block>();
        const double height =
            std::max(textHeight(text, value, valueWidth), textHeight(caption, label, labelWidth));
        block->height = height + 1.6 * mm_;
        block->keepWithNext = true;
        block->paint = [=, this](QPainter& painter, double top) {
            painter.setPen(Qt::black);
            painter.setFont(label);
            painter.drawText(QRectF(content_.left(), top, labelWidth, height),
                             Qt::AlignLeft | Qt::AlignTop, caption);
            painter.setFont(value);
            const QRectF area(content_.left() + labelWidth, top, valueWidth, height);
            if (text.isEmpty()) {
                // Left for the engineer to fill in by hand.
                painter.setPen(QPen(Qt::black, 0.15 * mm_, Qt::DotLine));
                const double y = top + height;
                painter.drawLine(QPointF(area.left(), y), QPointF(area.left() + 90 * mm_, y));
            } else {
                painter.drawText(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
            }
        };
        blocks_.push_back(block);
    }
    blocks_.back()->keepWithNext = false;
    addSpace(4);
}

void Layout::addTable(const QString& title, const TableCells& table, const QString& note,
                      double maxWidth) {
    if (maxWidth <= 0)
        maxWidth = content_.width();
    const QFont headFont = Font(8.5, true);
    const QFont cellFont = Font(9);
    const QFont flagFont = Font(9, true);
    const double pad = 1.8 * mm_;
    const std::size_t columns = table.headings.size();

    // Natural widths: the widest cell, and the longest word of the heading
    // (headings wrap, numbers do not).
    std::vector<double> widths(columns, 0);
    for (std::size_t c = 0; c < columns; ++c) {
        for (const QString& word : table.headings[c].split(QLatin1Char(' ')))
            widths[c] = std::max(widths[c], textWidth(word, headFont));
        for (const auto& row : table.rows)
            if (c < row.size())
                widths[c] = std::max(widths[c], textWidth(row[c], flagFont) + 2 * mm_);
        widths[c] += 2 * pad;
        if (table.align[c] == Align::Right)
            widths[c] = std::max(widths[c], 20 * mm_);
    }
    // Give headings their full width on one line where room allows, then
    // shrink everything but a caption column if the table is too wide.
    double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    for (std::size_t c = 0; c < columns && total < maxWidth; ++c) {
        const double full = textWidth(table.headings[c], headFont) + 2 * pad;
        if (full > widths[c] && total + full - widths[c] <= maxWidth) {
            total += full - widths[c];
            widths[c] = full;
        }
    }
    if (total > maxWidth) {
        const double scale = maxWidth / total;
        for (double& w : widths)
            w *= scale;
    }
    std::vector<double> lefts(columns, content_.left());
    for (std::size_t c = 1; c < columns; ++c)
        lefts[c] = lefts[c - 1] + widths[c - 1];
    const double tableWidth = lefts.back() + widths.back() - content_.left();

    // Copied: the painting runs after `table` is gone.
    const auto alignOf = [align = table.align](std::size_t c) {
        return (align[c] == Align::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter |
               Qt::TextWordWrap;
    };

    if (!title.isEmpty())
        addHeading(title, 10.5);

    // A table whose columns have no headings has no heading row.
    double headHeight = 0;
    for (std::size_t c = 0; c < columns; ++c)
        if (!table.headings[c].isEmpty())
            headHeight =
                std::max(headHeight, textHeight(table.headings[c], headFont, widths[c] - 2 * pad));
    if (headHeight > 0)
        headHeight += 2 * pad;
    auto head = std::make_shared<Block>();
    head->height = headHeight;
    head->keepWithNext = true;
    head->paint = [=, this](QPainter& painter, double top) {
        painter.setPen(QPen(Qt::black, 0.3 * mm_));
        painter.drawLine(QPointF(content_.left(), top), QPointF(content_.left() + tableWidth, top));
        if (headHeight == 0)
            return;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(225, 225, 225));
        painter.drawRect(QRectF(content_.left(), top, tableWidth, headHeight));
        painter.setFont(headFont);
        painter.setPen(Qt::black);
        for (std::size_t c = 0; c < columns; ++c)
            painter.drawText(QRectF(lefts[c] + pad, top, widths[c] - 2 * pad, headHeight),
                             alignOf(c), table.headings[c]);
        painter.setPen(QPen(Qt::black, 0.3 * mm_));
        painter.drawLine(QPointF(content_.left(), top), QPointF(content_.left() + tableWidth, top));
        painter.drawLine(QPointF(content_.left(), top + headHeight),
                         QPointF(content_.left() + tableWidth, top + headHeight));
    };
    blocks_.push_back(head);

    // A short table stays on one page: a reader compares its rows.
    const bool keepTogether = table.rows.size() <= 25;
    bool anyFlag = false;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::vector<QString>& row = table.rows[r];
        const std::vector<bool>& flags = table.flags[r];
        double height = 0;
        for (std::size_t c = 0; c < columns && c < row.size(); ++c)
            height = std::max(height, textHeight(row[c], cellFont, widths[c] - 2 * pad));
        height += 1.1 * pad;
        const bool last = r + 1 == table.rows.size();
        const bool shaded = table.zebra && r % 2 == 1;
        for (bool flag : flags)
            anyFlag = anyFlag || flag;
        auto block = std::make_shared<Block>();
        block->height = height;
        block->keepWithNext = keepTogether && !last;
        block->continuation = head;
        block->paint = [=, this](QPainter& painter, double top) {
            if (shaded) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(244, 244, 244));
                painter.drawRect(QRectF(content_.left(), top, tableWidth, height));
            }
            for (std::size_t c = 0; c < columns && c < row.size(); ++c) {
                const QRectF cell(lefts[c] + pad, top, widths[c] - 2 * pad, height);
                const bool flagged = c < flags.size() && flags[c];
                if (flagged) {
                    // Marked by a hatched box and an asterisk: both survive a
                    // black and white printout.
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
                    painter.drawRect(QRectF(lefts[c], top, widths[c], height));
                }
                painter.setPen(Qt::black);
                painter.setFont(flagged ? flagFont : cellFont);
                painter.drawText(cell.adjusted(0, 0, flagged ? -0.3 * pad : 0, 0), alignOf(c),
                                 flagged ? row[c] + QStringLiteral("*") : row[c]);
            }
            painter.setPen(
                QPen(last ? Qt::black : QColor(170, 170, 170), (last ? 0.3 : 0.1) * mm_));
            painter.drawLine(QPointF(content_.left(), top + height),
                             QPointF(content_.left() + tableWidth, top + height));
        };
        blocks_.push_back(block);
    }
    if (anyFlag && !note.isEmpty()) {
        addSpace(1);
        addParagraph(QStringLiteral("* ") + note, Font(8, false, true));
    }
    addSpace(4);
}

TableCells CellsOf(const ReportTable& table) {
    TableCells cells;
    const bool captions = !table.rowCaptions.empty();
    if (captions) {
        cells.headings.push_back(Q(table.rowHeading));
        cells.align.push_back(Align::Left);
    }
    for (const std::string& heading : table.columnHeadings) {
        cells.headings.push_back(Q(heading));
        cells.align.push_back(Align::Right);
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        std::vector<QString> row;
        std::vector<bool> flags;
        if (captions) {
            row.push_back(r < table.rowCaptions.size() ? Q(table.rowCaptions[r]) : QString());
            flags.push_back(false);
        }
        for (const ReportCell& cell : table.rows[r]) {
            row.push_back(Q(cell.text));
            flags.push_back(cell.flagged);
        }
        row.resize(cells.headings.size());
        flags.resize(cells.headings.size(), false);
        cells.rows.push_back(std::move(row));
        cells.flags.push_back(std::move(flags));
    }
    cells.zebra = cells.rows.size() > 8;
    return cells;
}

void Layout::addInputs() {
    if (document_.inputs.empty() && document_.inputTables.empty())
        return;
    addHeading(QStringLiteral("Inputs"), 12.5);
    // The drawing stands at the right of the input tables, which keep clear of it.
    const double drawingWidth = addDrawing();
    const double maxWidth =
        drawingWidth > 0 ? content_.width() - drawingWidth - 6 * mm_ : content_.width();
    for (const ReportGroup& group : document_.inputs) {
        TableCells cells;
        // Caption, value, unit: clear without a heading row.
        cells.headings = {QString(), QString(), QString()};
        cells.align = {Align::Left, Align::Right, Align::Left};
        for (const ReportField& field : group.fields) {
            cells.rows.push_back({Q(field.caption), Q(field.value), Q(field.unit)});
            cells.flags.push_back({false, false, false});
        }
        addTable(Q(group.title), cells, QString(), maxWidth);
    }
    for (const ReportTable& table : document_.inputTables)
        addTable(Q(table.title), CellsOf(table), Q(table.flagNote));
}

// A block of no height that paints the drawing from its top down, at the
// right edge; returns the drawing's width, 0 without one.
double Layout::addDrawing() {
    if (document_.drawing.empty())
        return 0;
    auto renderer = std::make_shared<QSvgRenderer>(Q(document_.drawing));
    if (!renderer->isValid())
        return 0;
    const QSizeF size = renderer->defaultSize();
    const double height = 45 * mm_;
    const double width = size.height() > 0 ? height * size.width() / size.height() : height;
    const QFont captionFont = Font(8.5, false, true);
    const QString caption = Q(document_.drawingTitle);
    auto block = std::make_shared<Block>();
    block->keepWithNext = true;
    block->paint = [=, this](QPainter& painter, double top) {
        const QRectF area(content_.right() - width, top, width, height);
        renderer->render(&painter, area);
        painter.setFont(captionFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left() - 10 * mm_, area.bottom() + 1 * mm_,
                                area.width() + 10 * mm_, 10 * mm_),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
    };
    blocks_.push_back(block);
    return width;
}

void Layout::addChart() {
    if (!document_.chart)
        return;
    const ReportChart& chart = *document_.chart;
    const double height = std::min(100 * mm_, content_.height() * 0.9);
    auto block = std::make_shared<Block>();
    block->height = height;
    block->paint = [this, &chart, height](QPainter& painter, double top) {
        PaintChart(painter, QRectF(content_.left(), top, content_.width(), height), chart, mm_,
                   document_.decimalSeparator);
    };
    blocks_.push_back(block);
    addSpace(5);
}

void Layout::addMethod() {
    if (document_.method.empty())
        return;
    addHeading(QStringLiteral("Method"), 12.5);
    // A few lines, read as one: kept on one page.
    for (const std::string& paragraph : document_.method) {
        addParagraph(Q(paragraph), Font(8.5));
        blocks_.back()->keepWithNext = true;
    }
    blocks_.back()->keepWithNext = false;
}

void Layout::build() {
    blocks_.clear();
    addTitle();
    addInputs();
    if (!document_.results.empty())
        addHeading(QStringLiteral("Results"), 12.5);
    for (const ReportTable& table : document_.results)
        addTable(Q(table.title), CellsOf(table), Q(table.flagNote));
    addMethod();
    // The supplement (the single pipe's diagram) takes a page of its own.
    if (!document_.supplementTitle.empty() || !document_.supplementTables.empty() ||
        document_.chart) {
        auto pageBreak = std::make_shared<Block>();
        pageBreak->pageBreak = true;
        pageBreak->paint = [](QPainter&, double) {};
        blocks_.push_back(pageBreak);
    }
    if (!document_.supplementTitle.empty())
        addHeading(Q(document_.supplementTitle), 12.5);
    for (const ReportTable& table : document_.supplementTables)
        addTable(Q(table.title), CellsOf(table), Q(table.flagNote));
    addChart();
}

std::vector<std::vector<std::pair<const Block*, double>>> Layout::paginate() {
    build();
    std::vector<std::vector<std::pair<const Block*, double>>> pages(1);
    double y = content_.top();
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const Block& block = *blocks_[i];
        const bool pageEmpty = pages.back().empty();
        if (block.pageBreak) {
            if (!pageEmpty) {
                pages.emplace_back();
                y = content_.top();
            }
            continue;
        }
        if (block.space && pageEmpty)
            continue;
        double needed = block.height;
        for (std::size_t j = i; j + 1 < blocks_.size() && blocks_[j]->keepWithNext; ++j)
            needed += blocks_[j + 1]->height;
        // A chain taller than a page breaks where it must.
        needed = std::min(needed, content_.height());
        if (y + needed > content_.bottom() + 0.01 && !pageEmpty) {
            if (block.space)
                continue;
            pages.emplace_back();
            y = content_.top();
            if (block.continuation) {
                pages.back().push_back({block.continuation.get(), y});
                y += block.continuation->height;
            }
        }
        pages.back().push_back({&block, y});
        y += block.height;
    }
    return pages;
}

// The running head and foot of every page.
void Layout::paintPage(QPainter& painter, int page, int pages) const {
    const QFont font = Font(7.5);
    const QFontMetricsF metrics(font, &device_);
    const double line = metrics.height();
    const double headTop = content_.top() - line - 4 * mm_;
    const double footTop = content_.bottom() + 4 * mm_;
    painter.setFont(font);
    painter.setPen(QColor(60, 60, 60));
    const QRectF head(content_.left(), headTop, content_.width(), line);
    painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter,
                     Q(document_.programName + " " + document_.programVersion) +
                         QStringLiteral(" \u2013 Calculation report"));
    painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, Q(document_.screenTitle));
    const QRectF foot(content_.left(), footTop, content_.width(), line);
    QString left = Q(document_.dateTime);
    if (!document_.fileName.empty())
        left += QStringLiteral("   ") + Q(document_.fileName);
    painter.drawText(foot.adjusted(0, 0, -30 * mm_, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(left, Qt::ElideMiddle, foot.width() - 32 * mm_));
    painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    painter.setPen(QPen(QColor(90, 90, 90), 0.15 * mm_));
    painter.drawLine(QPointF(head.left(), head.bottom() + 1 * mm_),
                     QPointF(head.right(), head.bottom() + 1 * mm_));
    painter.drawLine(QPointF(foot.left(), foot.top() - 1 * mm_),
                     QPointF(foot.right(), foot.top() - 1 * mm_));
}

// The text area of the page: the device's printable area less room for the
// running head and foot.
QRectF ContentRect(QPagedPaintDevice& device) {
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double mm = device.logicalDpiX() / 25.4;
    const double band = QFontMetricsF(Font(7.5), &device).height() + 6 * mm;
    return page.adjusted(0, band, 0, -band).translated(-page.topLeft());
}

} // namespace

int PaintReport(const ReportDocument& document, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    Layout layout(document, device, ContentRect(device));
    const auto pages = layout.paginate();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage())
            return 0;
        layout.paintPage(painter, static_cast<int>(p + 1), static_cast<int>(pages.size()));
        for (const auto& [block, top] : pages[p])
            block->paint(painter, top);
    }
    return painter.end() ? static_cast<int>(pages.size()) : 0;
}

namespace {

struct Rendered {
    QByteArray bytes;
    int pages = 0;
};

std::optional<Rendered> Render(const ReportDocument& document, const QPageSize& pageSize) {
    Rendered rendered;
    QBuffer buffer(&rendered.bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return std::nullopt;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(18, 10, 15, 10), QPageLayout::Millimeter);
        writer.setTitle(
            QStringLiteral("%1 \u2013 Calculation report").arg(Q(document.screenTitle)));
        writer.setCreator(Q(document.programName + " " + document.programVersion));
        rendered.pages = PaintReport(document, writer);
    }
    if (rendered.pages == 0 || rendered.bytes.isEmpty())
        return std::nullopt;
    return rendered;
}

} // namespace

int CountPages(const ReportDocument& document, const QPageSize& pageSize) {
    const auto rendered = Render(document, pageSize);
    return rendered ? rendered->pages : 0;
}

std::optional<QByteArray> RenderPdf(const ReportDocument& document, const QPageSize& pageSize) {
    auto rendered = Render(document, pageSize);
    if (!rendered)
        return std::nullopt;
    return std::move(rendered->bytes);
}

std::optional<QString> WriteReportPdf(const ReportDocument& document, const QString& path,
                                      const QPageSize& pageSize) {
    const QString shown = QFileInfo(path).absoluteFilePath();
    const auto failed = [&](const QString& reason) {
        return QStringLiteral("The report could not be written to \"%1\": %2").arg(shown, reason);
    };
    const std::optional<QByteArray> bytes = RenderPdf(document, pageSize);
    if (!bytes)
        return failed(QStringLiteral("the pages could not be laid out."));
    if (const auto reason = files::ReplaceFile(
            QFile::encodeName(path).toStdString(),
            std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size()))))
        return failed(QString::fromStdString(*reason) + QStringLiteral("."));
    return std::nullopt;
}

} // namespace termiva::report
