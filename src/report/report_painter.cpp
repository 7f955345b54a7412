// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/report_painter.h"

#include "report/report_chart.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <numeric>

#include <QBuffer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextLayout>

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
// A block taller than the room left on a page is cut at one of its breaks
// (the bottoms of its lines) and goes on on the next page: no text is lost.
// A block with a minHeight (a chart) shrinks to the room left, down to it.
struct Block {
    double height = 0;
    std::function<void(QPainter&, double top)> paint;
    bool keepWithNext = false;
    bool space = false;     // vertical space, dropped at the top of a page
    bool pageBreak = false; // what follows starts a new page
    std::shared_ptr<Block> continuation;
    std::vector<double> breaks; // offsets from the top where the block may be cut, ascending
    double minHeight = 0;
    std::function<void(QPainter&, double top, double height)> paintSized;
};

// Where a block stands on a page: its part from `from` to `to` (its own
// offsets), painted at `top`; `to - from` is also a sized block's height.
struct Placed {
    const Block* block;
    double top;
    double from;
    double to;
};

// A text laid out in a width: wrapped at word boundaries and, where a word
// is wider than the width (a long name without blanks), anywhere, so that
// nothing is cut off.
class TextBox {
public:
    TextBox(const QString& text, const QFont& font, double width, Qt::Alignment align,
            const QPaintDevice* device)
        : layout_(std::make_shared<QTextLayout>(text, font, device)) {
        QTextOption option(align);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout_->setTextOption(option);
        layout_->setCacheEnabled(true);
        layout_->beginLayout();
        for (QTextLine line = layout_->createLine(); line.isValid(); line = layout_->createLine()) {
            line.setLineWidth(std::max(width, 1.0));
            line.setPosition(QPointF(0, height_));
            height_ += line.height();
            bottoms_.push_back(height_);
        }
        layout_->endLayout();
    }
    double height() const { return height_; }
    const std::vector<double>& lineBottoms() const { return bottoms_; }
    void paint(QPainter& painter, const QPointF& topLeft) const {
        layout_->draw(&painter, topLeft);
    }

private:
    std::shared_ptr<QTextLayout> layout_;
    double height_ = 0;
    std::vector<double> bottoms_;
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

    std::vector<std::vector<Placed>> paginate();
    void paintPage(QPainter& painter, int page, int pages) const;
    void paintPlaced(QPainter& painter, const Placed& placed) const;

private:
    void build();
    void addSpace(double mmHeight);
    void addHeading(const QString& text, double points = 12);
    void addParagraph(const QString& text, const QFont& font);
    void addTitle();
    void addSummary();
    std::vector<double> columnWidths(const TableCells& table, double maxWidth) const;
    void addTable(const QString& title, const TableCells& table, const QString& note,
                  double maxWidth = 0, std::vector<double> widths = {});
    void addInputs();
    double addDrawing();
    void addChart();
    void addMethod();

    TextBox box(const QString& text, const QFont& font, double width,
                Qt::Alignment align = Qt::AlignLeft) const {
        return TextBox(text, font, width, align, &device_);
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
    const TextBox lines = box(text, Font(points, true), content_.width());
    auto block = std::make_shared<Block>();
    block->height = lines.height() + 1.5 * mm_;
    block->keepWithNext = true;
    block->paint = [this, lines](QPainter& painter, double top) {
        painter.setPen(Qt::black);
        lines.paint(painter, QPointF(content_.left(), top));
    };
    blocks_.push_back(block);
}

void Layout::addParagraph(const QString& text, const QFont& font) {
    const TextBox lines = box(text, font, content_.width());
    auto block = std::make_shared<Block>();
    block->height = lines.height() + 1.2 * mm_;
    block->breaks = lines.lineBottoms();
    block->paint = [this, lines](QPainter& painter, double top) {
        painter.setPen(Qt::black);
        lines.paint(painter, QPointF(content_.left(), top));
    };
    blocks_.push_back(block);
}

// What was computed and its answer, in one line a reader sees first.
void Layout::addSummary() {
    if (document_.summary.empty())
        return;
    const double pad = 2 * mm_;
    const TextBox lines = box(Q(document_.summary), Font(10, true), content_.width() - 2 * pad);
    auto block = std::make_shared<Block>();
    block->height = lines.height() + 2 * pad;
    block->paint = [this, lines, pad](QPainter& painter, double top) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(235, 235, 235));
        painter.drawRect(QRectF(content_.left(), top, content_.width(), lines.height() + 2 * pad));
        painter.setPen(Qt::black);
        lines.paint(painter, QPointF(content_.left() + pad, top + pad));
    };
    blocks_.push_back(block);
    addSpace(3);
}

// "Calculation report", the screen, and the facts that identify the case,
// with lines to write on where the project or the author were left empty.
void Layout::addTitle() {
    addHeading(QStringLiteral("Calculation report"), 17);
    addHeading(Q(document_.screenTitle), 13);
    blocks_.back()->keepWithNext = document_.summary.empty();
    addSummary();
    addSpace(2);

    using Fact = std::pair<QString, QString>;
    const Fact program = {QStringLiteral("Program"),
                          Q(document_.programName + " " + document_.programVersion)};
    const Fact date = {QStringLiteral("Date"), Q(document_.dateTime)};
    const Fact project = {QStringLiteral("Project"), Q(document_.project)};
    const Fact author = {QStringLiteral("Prepared by"), Q(document_.preparedBy)};
    std::vector<std::vector<Fact>> rows = {{program, date}};
    if (!document_.fileName.empty())
        rows.push_back({{QStringLiteral("Input file"), Q(document_.fileName)}});
    rows.push_back({project, author});

    const QFont label = Font(9.5, true);
    const QFont value = Font(9.5);
    double labelWidth = 0;
    for (const auto& row : rows)
        for (const Fact& fact : row)
            labelWidth = std::max(labelWidth, textWidth(fact.first, label));
    labelWidth += 4 * mm_;
    const double half = content_.width() / 2;
    // Two facts share a line where both fit in half of it.
    std::vector<std::vector<Fact>> lines;
    for (const auto& row : rows) {
        const bool fits = std::all_of(row.begin(), row.end(), [&](const Fact& fact) {
            return textWidth(fact.second, value) < half - labelWidth - 4 * mm_;
        });
        if (fits)
            lines.push_back(row);
        else
            for (const Fact& fact : row)
                lines.push_back({fact});
    }
    for (const auto& line : lines) {
        const double valueWidth = (line.size() > 1 ? half : content_.width()) - labelWidth;
        std::vector<TextBox> captions, texts;
        std::vector<bool> empty;
        double height = 0;
        for (const Fact& fact : line) {
            empty.push_back(fact.second.isEmpty());
            captions.push_back(box(fact.first, label, labelWidth));
            // An empty fact measures as a blank line.
            texts.push_back(
                box(empty.back() ? QStringLiteral(" ") : fact.second, value, valueWidth));
            height = std::max({height, texts.back().height(), captions.back().height()});
        }
        auto block = std::make_shared<Block>();
        block->height = height + 1.6 * mm_;
        block->keepWithNext = true;
        if (line.size() == 1)
            block->breaks = texts.front().lineBottoms();
        block->paint = [=, this](QPainter& painter, double top) {
            for (std::size_t i = 0; i < captions.size(); ++i) {
                const double left = content_.left() + static_cast<double>(i) * half;
                painter.setPen(Qt::black);
                captions[i].paint(painter, QPointF(left, top));
                const QPointF at(left + labelWidth, top);
                if (empty[i]) {
                    // Left for the engineer to fill in by hand.
                    painter.setPen(QPen(Qt::black, 0.15 * mm_, Qt::DotLine));
                    const double y = top + height;
                    painter.drawLine(QPointF(at.x(), y),
                                     QPointF(at.x() + std::min(90 * mm_, valueWidth - 4 * mm_), y));
                } else {
                    texts[i].paint(painter, at);
                }
            }
        };
        blocks_.push_back(block);
    }
    blocks_.back()->keepWithNext = false;
    addSpace(4);
}

// Natural widths: the widest cell, and the longest word of the heading
// (headings wrap, numbers do not); headings get their full width on one line
// where room allows, then everything shrinks if the table is too wide.
std::vector<double> Layout::columnWidths(const TableCells& table, double maxWidth) const {
    const QFont headFont = Font(8.5, true);
    const QFont flagFont = Font(9, true);
    const double pad = 1.8 * mm_;
    const std::size_t columns = table.headings.size();
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
    return widths;
}

void Layout::addTable(const QString& title, const TableCells& table, const QString& note,
                      double maxWidth, std::vector<double> widths) {
    if (maxWidth <= 0)
        maxWidth = content_.width();
    const QFont headFont = Font(8.5, true);
    const QFont cellFont = Font(9);
    const QFont flagFont = Font(9, true);
    const double pad = 1.8 * mm_;
    const std::size_t columns = table.headings.size();
    if (widths.size() != columns)
        widths = columnWidths(table, maxWidth);
    std::vector<double> lefts(columns, content_.left());
    for (std::size_t c = 1; c < columns; ++c)
        lefts[c] = lefts[c - 1] + widths[c - 1];
    const double tableWidth = lefts.back() + widths.back() - content_.left();
    const auto alignOf = [&table](std::size_t c) {
        return table.align[c] == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
    };

    if (!title.isEmpty())
        addHeading(title, 10.5);

    // A table whose columns have no headings has no heading row.
    std::vector<TextBox> headings;
    double headHeight = 0;
    for (std::size_t c = 0; c < columns; ++c) {
        headings.push_back(box(table.headings[c], headFont, widths[c] - 2 * pad, alignOf(c)));
        if (!table.headings[c].isEmpty())
            headHeight = std::max(headHeight, headings.back().height());
    }
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
        painter.setPen(Qt::black);
        for (std::size_t c = 0; c < columns; ++c)
            headings[c].paint(
                painter, QPointF(lefts[c] + pad, top + (headHeight - headings[c].height()) / 2));
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
        std::vector<TextBox> cells;
        std::size_t tallest = 0;
        for (std::size_t c = 0; c < columns; ++c) {
            const bool flagged = c < flags.size() && flags[c];
            const QString text = c < row.size() ? row[c] : QString();
            cells.push_back(box(flagged ? text + QStringLiteral("*") : text,
                                flagged ? flagFont : cellFont,
                                widths[c] - 2 * pad - (flagged ? 0.3 * pad : 0), alignOf(c)));
            if (cells[c].height() > cells[tallest].height())
                tallest = c;
        }
        const double inset = 0.55 * pad;
        const double height = cells[tallest].height() + 2 * inset;
        const bool last = r + 1 == table.rows.size();
        const bool shaded = table.zebra && r % 2 == 1;
        for (bool flag : flags)
            anyFlag = anyFlag || flag;
        auto block = std::make_shared<Block>();
        block->height = height;
        block->keepWithNext = keepTogether && !last;
        block->continuation = head;
        for (double bottom : cells[tallest].lineBottoms())
            block->breaks.push_back(inset + bottom);
        block->paint = [=, this](QPainter& painter, double top) {
            if (shaded) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(QColor(244, 244, 244));
                painter.drawRect(QRectF(content_.left(), top, tableWidth, height));
            }
            for (std::size_t c = 0; c < columns; ++c) {
                if (c < flags.size() && flags[c]) {
                    // Marked by a hatched box and an asterisk: both survive a
                    // black and white printout.
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
                    painter.drawRect(QRectF(lefts[c], top, widths[c], height));
                }
                // Centred in the row; a row that spans pages reads from its top.
                const double offset =
                    height > content_.height() ? inset : (height - cells[c].height()) / 2;
                painter.setPen(Qt::black);
                cells[c].paint(painter, QPointF(lefts[c] + pad, top + offset));
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

// A unit in brackets ends the caption ("tins1 [mm]"): the unit column would
// say it twice.
bool CaptionHasUnit(const std::string& caption) {
    return !caption.empty() && caption.back() == ']' && caption.find('[') != std::string::npos;
}

void Layout::addInputs() {
    if (document_.inputs.empty() && document_.inputTables.empty())
        return;
    addHeading(QStringLiteral("Inputs"), 12.5);
    // The drawing stands at the right of the input tables, which keep clear of it.
    const double drawingWidth = addDrawing();
    const double maxWidth =
        drawingWidth > 0 ? content_.width() - drawingWidth - 6 * mm_ : content_.width();
    // Caption, value and, where a caption does not carry it, unit: clear
    // without a heading row. All groups stand on one column grid.
    std::vector<TableCells> groups;
    TableCells all;
    bool units = false;
    for (const ReportGroup& group : document_.inputs) {
        TableCells cells;
        for (const ReportField& field : group.fields) {
            const bool set = !field.value.empty();
            const QString unit = set && !CaptionHasUnit(field.caption) && field.unit != "-"
                                     ? Q(field.unit)
                                     : QString();
            units = units || !unit.isEmpty();
            cells.rows.push_back(
                {Q(field.caption), set ? Q(field.value) : QStringLiteral("not set"), unit});
            cells.flags.push_back({false, false, false});
            all.rows.push_back(cells.rows.back());
        }
        groups.push_back(std::move(cells));
    }
    const std::size_t columns = units ? 3 : 2;
    all.headings.assign(columns, QString());
    all.align = {Align::Left, Align::Right, Align::Left};
    all.align.resize(columns);
    for (auto& row : all.rows)
        row.resize(columns);
    std::vector<double> grid = columnWidths(all, maxWidth);
    // A long value (the standard thicknesses) wraps rather than widen every group.
    grid[1] = std::min(grid[1], 60 * mm_);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        TableCells& cells = groups[g];
        cells.headings = all.headings;
        cells.align = all.align;
        for (auto& row : cells.rows)
            row.resize(columns);
        for (auto& flags : cells.flags)
            flags.resize(columns);
        addTable(Q(document_.inputs[g].title), cells, QString(), maxWidth, grid);
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
    // As tall as the room left allows, so that it stays with its results.
    auto block = std::make_shared<Block>();
    block->height = std::min(95 * mm_, content_.height() * 0.9);
    block->minHeight = std::min(55 * mm_, block->height);
    block->paintSized = [this, &chart](QPainter& painter, double top, double height) {
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
    addSpace(4);
}

void Layout::build() {
    blocks_.clear();
    addTitle();
    addInputs();
    const QString results = QStringLiteral("Results");
    if (!document_.results.empty())
        addHeading(results, 12.5);
    for (const ReportTable& table : document_.results) {
        // A table called what its section is called needs no title of its own.
        const QString title = Q(table.title);
        addTable(title.compare(results, Qt::CaseInsensitive) == 0 ? QString() : title,
                 CellsOf(table), Q(table.flagNote));
    }
    // A chart stays with the table it draws, on the same page where it fits:
    // without tables of its own the supplement (the limit's chart) draws the
    // results and comes before the method; with them (the diagram) it is a
    // part of its own after it.
    const bool ownTables = !document_.supplementTables.empty();
    if (ownTables)
        addMethod();
    if (!document_.supplementTitle.empty())
        addHeading(Q(document_.supplementTitle), 12.5);
    for (const ReportTable& table : document_.supplementTables)
        addTable(Q(table.title), CellsOf(table), Q(table.flagNote));
    addChart();
    if (!ownTables)
        addMethod();
}

std::vector<std::vector<Placed>> Layout::paginate() {
    build();
    std::vector<std::vector<Placed>> pages(1);
    double y = content_.top();
    double pageStart = y; // below a continued table's headings
    const auto newPage = [&](const Block& block) {
        pages.emplace_back();
        y = content_.top();
        if (block.continuation) {
            const Block& head = *block.continuation;
            pages.back().push_back({&head, y, 0, head.height});
            y += head.height;
        }
        pageStart = y;
    };
    const auto least = [this](const Block& block) {
        if (block.minHeight > 0)
            return block.minHeight;
        // A long text may start low on a page: three of its lines will do.
        if (block.breaks.size() > 3 && block.height > content_.height() / 3)
            return block.breaks[2];
        return block.height;
    };
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const Block& block = *blocks_[i];
        const bool pageEmpty = pages.back().empty();
        if (block.pageBreak) {
            if (!pageEmpty) {
                pages.emplace_back();
                y = pageStart = content_.top();
            }
            continue;
        }
        if (block.space && pageEmpty)
            continue;
        double needed = least(block);
        for (std::size_t j = i; j + 1 < blocks_.size() && blocks_[j]->keepWithNext; ++j)
            needed += least(*blocks_[j + 1]);
        // A chain taller than a page breaks where it must.
        needed = std::min(needed, content_.height());
        if (y + needed > content_.bottom() + 0.01 && !pageEmpty) {
            if (block.space)
                continue;
            newPage(block);
        }
        if (block.minHeight > 0) {
            const double height = std::clamp(content_.bottom() - y, block.minHeight, block.height);
            pages.back().push_back({&block, y, 0, height});
            y += height;
            continue;
        }
        // The block, cut at its breaks where the page ends.
        for (double from = 0;;) {
            const double room = content_.bottom() - y;
            if (block.height - from <= room + 0.01) {
                pages.back().push_back({&block, y, from, block.height});
                y += block.height - from;
                break;
            }
            double cut = from;
            for (double b : block.breaks)
                if (b > from + 0.01 && b - from <= room + 0.01)
                    cut = b;
            if (cut == from && y > pageStart + 0.01) {
                newPage(block);
                continue;
            }
            if (cut == from) // a line taller than a page
                cut = std::min(block.height, from + std::max(room, 1.0));
            pages.back().push_back({&block, y, from, cut});
            from = cut;
            newPage(block);
        }
    }
    return pages;
}

void Layout::paintPlaced(QPainter& painter, const Placed& placed) const {
    const Block& block = *placed.block;
    if (block.paintSized) {
        block.paintSized(painter, placed.top, placed.to - placed.from);
        return;
    }
    const bool whole = placed.from <= 0 && placed.to >= block.height;
    if (whole) {
        block.paint(painter, placed.top);
        return;
    }
    // A part of a block cut at a page end: the block is painted shifted and
    // clipped to its part.
    painter.save();
    painter.setClipRect(QRectF(content_.left() - 5 * mm_, placed.top, content_.width() + 10 * mm_,
                               placed.to - placed.from));
    block.paint(painter, placed.top - placed.from);
    painter.restore();
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

// Every text the report prints, the fixed ones with the document's.
QString AllTexts(const ReportDocument& d) {
    QString all =
        QStringLiteral("Calculation report \u2013 Page of Program Date Input file "
                       "Project Prepared by Inputs Results Method not set * 0123456789.,-");
    const auto add = [&all](const std::string& text) { all += Q(text); };
    for (const std::string* text :
         {&d.programName, &d.programVersion, &d.dateTime, &d.screenTitle, &d.fileName, &d.summary,
          &d.decimalSeparator, &d.drawingTitle, &d.supplementTitle, &d.project, &d.preparedBy})
        add(*text);
    for (const ReportGroup& group : d.inputs) {
        add(group.title);
        for (const ReportField& field : group.fields) {
            add(field.caption);
            add(field.value);
            add(field.unit);
        }
    }
    const auto addTable = [&add](const ReportTable& table) {
        add(table.title);
        add(table.rowHeading);
        add(table.flagNote);
        for (const std::string& text : table.columnHeadings)
            add(text);
        for (const std::string& text : table.rowCaptions)
            add(text);
        for (const auto& row : table.rows)
            for (const ReportCell& cell : row)
                add(cell.text);
    };
    for (const auto* tables : {&d.inputTables, &d.results, &d.supplementTables})
        for (const ReportTable& table : *tables)
            addTable(table);
    for (const std::string& paragraph : d.method)
        add(paragraph);
    if (d.chart) {
        for (const std::string* text : {&d.chart->title, &d.chart->xAxisTitle, &d.chart->yAxisTitle,
                                        &d.chart->rightAxisTitle})
            add(*text);
        for (const ReportSeries& series : d.chart->series)
            add(series.name);
    }
    return all;
}

} // namespace

// A font file behind it: without any, Qt draws boxes from a font that
// claims every character.
bool Usable(const QRawFont& font) {
    return font.isValid() && !font.fontTable("cmap").isEmpty();
}

std::optional<QString> FontProblem(const ReportDocument& document) {
    const QRawFont font = QRawFont::fromFont(Font(9));
    const bool usable = Usable(font);
    // Each character once; spaces and line breaks need no glyph.
    std::vector<char32_t> needed;
    for (char32_t c : AllTexts(document).toUcs4())
        if (c > 0x20 && c != 0xa0 && (!usable || !font.supportsCharacter(c)))
            needed.push_back(c);
    std::sort(needed.begin(), needed.end());
    needed.erase(std::unique(needed.begin(), needed.end()), needed.end());
    if (needed.empty())
        return std::nullopt;
    // Qt takes a character its font lacks from another installed font.
    QStringList families = QFontDatabase::families();
    QString missing;
    for (char32_t c : needed) {
        const bool found = std::any_of(families.begin(), families.end(), [c](const QString& f) {
            const QRawFont other = QRawFont::fromFont(QFont(f));
            return Usable(other) && other.supportsCharacter(c);
        });
        if (!found)
            missing += QString::fromUcs4(&c, 1);
    }
    if (missing.isEmpty())
        return std::nullopt;
    if (!usable)
        return QStringLiteral("no font to print it with was found. Install the \"%1\" font.")
            .arg(kFontFamily);
    return QStringLiteral("no installed font has the characters \"%1\" that it holds. Install "
                          "the \"%2\" font.")
        .arg(missing.left(20), kFontFamily);
}

namespace {

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
    if (FontProblem(document))
        return 0; // boxes in place of the letters
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    Layout layout(document, device, ContentRect(device));
    const auto pages = layout.paginate();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage())
            return 0;
        layout.paintPage(painter, static_cast<int>(p + 1), static_cast<int>(pages.size()));
        for (const Placed& placed : pages[p])
            layout.paintPlaced(painter, placed);
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
    if (const auto problem = FontProblem(document))
        return failed(*problem);
    const std::optional<QByteArray> bytes = RenderPdf(document, pageSize);
    if (!bytes)
        return failed(QStringLiteral("the pages could not be laid out."));
    QSaveFile file(path);
    // Writing straight into the target would leave half a file behind when
    // the folder allows creating files but no renaming over the old one.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        QString reason = file.errorString();
        if (reason.isEmpty())
            reason = QStringLiteral("the file could not be saved");
        return failed(reason + QStringLiteral("."));
    }
    return std::nullopt;
}

} // namespace termiva::report
