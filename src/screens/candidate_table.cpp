// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/candidate_table.h"

#include "cases/field_tips.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/numeric_field.h"
#include "screens/screen_style.h"

#include <algorithm>
#include <optional>

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace termiva {
namespace {

constexpr int kCellTwips = 1200;
constexpr int kRowsShown = 6; // the table scrolls beyond

QString CellName(std::size_t row, int column) {
    return FromCase(cases::CandidateCellName(row + 1, column));
}

} // namespace

CandidateTable::CandidateTable(Platform& platform, ScreenFields& fields, QWidget* parent)
    : QWidget(parent), platform_(platform), fields_(fields) {
    NameControl(this, FromCase(cases::kCandidateTable));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto* headings = new QHBoxLayout;
    Label21 = MakeLabel(QString(), QStringLiteral("Label21"), this);
    Label22 = MakeLabel(QString(), QStringLiteral("Label22"), this);
    for (QLabel* heading : {Label21, Label22}) {
        heading->setWordWrap(true);
        heading->setFixedWidth(FromTwips(kCellTwips) + FromTwips(240));
        headings->addWidget(heading);
    }
    headings->addStretch(1);
    column->addLayout(headings);

    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    body_ = new QWidget(scroll_);
    auto* bodyColumn = new QVBoxLayout(body_);
    bodyColumn->setContentsMargins(0, 0, 0, 0);
    grid_ = new QGridLayout;
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setColumnStretch(2, 1);
    bodyColumn->addLayout(grid_);
    bodyColumn->addStretch(1);
    scroll_->setWidget(body_);
    column->addWidget(scroll_, 1);

    auto* buttons = new QHBoxLayout;
    Command8 =
        Body(Named(new QPushButton(QStringLiteral("A&dd"), this), QStringLiteral("Command8")));
    Command9 =
        Body(Named(new QPushButton(QStringLiteral("Re&move"), this), QStringLiteral("Command9")));
    Command8->setToolTip(QStringLiteral("A new row at the end of the table"));
    Command9->setToolTip(QStringLiteral("The row of the cell being edited, else the last row"));
    buttons->addWidget(Command8);
    buttons->addWidget(Command9);
    buttons->addStretch(1);
    column->addLayout(buttons);
    connect(Command8, &QPushButton::clicked, this, &CandidateTable::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &CandidateTable::Command9_Click);
    setCaptions(0, currency_);
    placeRows();
}

NumericField* CandidateTable::cell(int row, int column) const {
    if (row < 1 || row > rowCount() || column < 1 || column > 2)
        return nullptr;
    return rows_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

std::vector<cases::CandidateTexts> CandidateTable::texts() const {
    std::vector<cases::CandidateTexts> texts;
    texts.reserve(rows_.size());
    for (const Row& row : rows_)
        texts.push_back({TextOf(row[0]), TextOf(row[1])});
    return texts;
}

CandidateTable::Row CandidateTable::makeRow() {
    Row row{};
    for (std::size_t c = 0; c < row.size(); ++c) {
        auto* field = Body(new NumericField(platform_, QString(), body_));
        field->setFixedWidth(FromTwips(kCellTwips));
        AddCaseRule(field, cases::CandidateFields()[c].rule);
        field->setToolTip(FromCase(cases::FieldTipOfCaption(cases::CandidateFields()[c].caption)));
        field->installEventFilter(this);
        row[c] = field;
        Q_EMIT cellCreated(field);
    }
    // A thickness left in its new value takes its row to its place.
    connect(row[0], &QLineEdit::editingFinished, this, [this] {
        QMetaObject::invokeMethod(this, &CandidateTable::sort, Qt::QueuedConnection);
    });
    return row;
}

void CandidateTable::setRows(const std::vector<cases::CandidateTexts>& rows) {
    while (rows_.size() > rows.size())
        removeAt(rows_.size() - 1);
    while (rows_.size() < rows.size())
        rows_.push_back(makeRow());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SetTextOf(rows_[r][0], rows[r].thickness);
        SetTextOf(rows_[r][1], rows[r].cost);
    }
    sort();
    Q_EMIT rowsChanged();
}

void CandidateTable::clearTexts() {
    for (const Row& row : rows_) {
        row[0]->clear();
        row[1]->clear();
    }
}

void CandidateTable::setCaptions(int listIndex, const std::string& currency) {
    listIndex_ = listIndex;
    currency_ = currency;
    const std::array<std::string, 2> headings = cases::CandidateHeadings(listIndex, currency);
    Label21->setText(FromCase(headings[0]));
    Label22->setText(FromCase(headings[1]));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (int c = 1; c <= 2; ++c)
            rows_[r][static_cast<std::size_t>(c - 1)]->setAccessibleName(
                FromCase(cases::EconomicsFieldCaption(listIndex, cases::CandidateCellName(r + 1, c),
                                                      currency)));
    }
}

void CandidateTable::Command8_Click() {
    rows_.push_back(makeRow());
    placeRows();
    Q_EMIT rowsChanged();
    NumericField* thickness = rows_.back()[0];
    scroll_->ensureWidgetVisible(thickness);
    GiveFocus(thickness);
}

void CandidateTable::Command9_Click() {
    if (rows_.empty())
        return;
    std::size_t index = rows_.size() - 1;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (current_ && (rows_[r][0] == current_ || rows_[r][1] == current_))
            index = r;
    }
    removeAt(index);
    placeRows();
    Q_EMIT rowsChanged();
    // The focus stays in the table: on the row that took the removed one's place.
    if (rows_.empty())
        GiveFocus(Command8);
    else
        GiveFocus(rows_[std::min(index, rows_.size() - 1)][0]);
}

bool CandidateTable::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        current_ = static_cast<NumericField*>(watched);
    return QWidget::eventFilter(watched, event);
}

void CandidateTable::removeAt(std::size_t index) {
    for (NumericField* field : rows_[index]) {
        fields_.remove(field);
        // Deleted later: the field may be the one whose leave started this.
        field->hide();
        field->deleteLater();
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

void CandidateTable::sort() {
    const auto thickness = [](const Row& row) { return NumberOf(row[0]); };
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        const std::optional<double> x = thickness(a);
        const std::optional<double> y = thickness(b);
        if (!y)
            return x.has_value();
        return x && *x < *y;
    });
    placeRows();
}

void CandidateTable::placeRows() {
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        for (int c = 1; c <= 2; ++c) {
            NumericField* field = rows_[r][static_cast<std::size_t>(c - 1)];
            fields_.remove(field);
            NameControl(field, CellName(r, c));
            fields_.add(field);
            grid_->removeWidget(field);
            grid_->addWidget(field, static_cast<int>(r), c - 1);
            // At once: a row made while the table shows would only show
            // after the next event round, too late to take the focus.
            field->show();
        }
    }
    // A table of many rows scrolls; a short one takes only its rows.
    const int rowHeight =
        rows_.empty() ? fontMetrics().height() + 8 : rows_.front()[0]->sizeHint().height();
    const int shown = std::clamp(rowCount(), 1, kRowsShown);
    scroll_->setMinimumHeight(shown * (rowHeight + grid_->verticalSpacing() + 1));
    setCaptions(listIndex_, currency_);
    chainTabOrder(before_, after_);
}

QWidget* CandidateTable::lastInChain() const {
    return Command9;
}

void CandidateTable::chainTabOrder(QWidget* before, QWidget* after) {
    before_ = before;
    after_ = after;
    std::vector<QWidget*> chain;
    if (before)
        chain.push_back(before);
    for (const Row& row : rows_)
        chain.insert(chain.end(), row.begin(), row.end());
    chain.push_back(Command8);
    chain.push_back(Command9);
    if (after)
        chain.push_back(after);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}

} // namespace termiva
