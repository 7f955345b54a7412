// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Table1 of the energy, cost and economic thickness screen: the candidate
// insulation thicknesses, a row each with the thickness and its installed
// cost. Each cell is a numeric field with its column's rules (the thickness
// must not be 0), named "Table1(r,c)" for row r from 1 and column c (1
// thickness, 2 cost) and known by that name to the screen's fields, so the
// required check and the errors of a calculation point at it. The rows stay
// in order of thickness: sort() runs when a thickness is left, a row is
// added and the rows are set.

#include "cases/economics_case.h"
#include "platform/platform.h"

#include <array>
#include <vector>

#include <QPointer>
#include <QWidget>

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;

namespace termiva {

class NumericField;
class ScreenFields;

class CandidateTable : public QWidget {
    Q_OBJECT

public:
    CandidateTable(Platform& platform, ScreenFields& fields, QWidget* parent = nullptr);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // The cell of row `row` (from 1) and `column` (1 thickness, 2 cost).
    NumericField* cell(int row, int column) const;
    std::vector<cases::CandidateTexts> texts() const;

    // The rows as given (each text filtered as typed), then sorted.
    void setRows(const std::vector<cases::CandidateTexts>& rows);
    // Empties every cell; the rows stay.
    void clearTexts();

    // The column headings and each cell's spoken name for the object of list
    // entry `listIndex` and the currency (the cost per m or per m²).
    void setCaptions(int listIndex, const std::string& currency);

    void Command8_Click(); // Add: an empty row at the end, its thickness takes the focus
    void Command9_Click(); // Remove: the row of the cell edited last, else the last row
    // Orders the rows by thickness; rows without a number keep their order
    // after the others. The cells are renamed to their new places.
    void sort();

    // Where the screen's tab order goes on after the table.
    QWidget* lastInChain() const;
    void chainTabOrder(QWidget* before, QWidget* after);

    // Named apart from the screen's own labels, which the report finds by name.
    QLabel* Label21 = nullptr; // thickness heading
    QLabel* Label22 = nullptr; // cost heading
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;

Q_SIGNALS:
    // A cell was made: the screen watches its text.
    void cellCreated(NumericField* cell);
    // A row was added or removed (not a reorder, which changes no case).
    void rowsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Row = std::array<NumericField*, 2>;

    Row makeRow();
    void placeRows();
    void removeAt(std::size_t index);

    Platform& platform_;
    ScreenFields& fields_;
    QScrollArea* scroll_ = nullptr;
    QWidget* body_ = nullptr;
    QGridLayout* grid_ = nullptr;
    std::vector<Row> rows_;
    int listIndex_ = 0;
    std::string currency_ = std::string(cases::kDefaultCurrency);
    // The cell that had the focus last: a click on Remove takes the focus.
    QPointer<NumericField> current_;
    QWidget* before_ = nullptr; // the tab chain around the table
    QWidget* after_ = nullptr;
};

} // namespace termiva
