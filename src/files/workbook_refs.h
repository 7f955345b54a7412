// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Cell addresses, range formulas and the text forms of values inside a
// workbook's XML (private to the workbook layer).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::files::detail {

inline constexpr int kMaxRow = 1048576;
inline constexpr int kMaxColumn = 16384; // XFD

struct CellRef {
    int row = 0;    // from 1
    int column = 0; // from 1
};

// "B1", "$D$4", "xfd1048576"; nullopt for anything else.
std::optional<CellRef> ParseCellAddress(std::string_view address);
std::string CellAddress(CellRef cell);

// One rectangle of a range formula, on a named sheet.
struct Area {
    std::string sheet;
    CellRef first, last; // first <= last in both directions
    long long cellCount() const;
};

// "Sheet1!$B$4:$B$21", "='My sheet'!A1", "(Sheet1!$B$4:$B$10,Sheet1!$B$12:$B$21)";
// nullopt for a formula that is not a plain list of ranges on named sheets.
std::optional<std::vector<Area>> ParseRangeFormula(std::string_view formula);

// The cells of the areas in order: area by area, each row by row.
std::vector<CellRef> CellsOf(const std::vector<Area>& areas);

// Shortest text that reads back the same double ("0.1", "1e+300").
std::string NumberText(double value);
// A value as stored in <v>: no blanks, '.' as separator.
std::optional<double> ParseNumberText(std::string_view text);

// Text in cells is stored with control characters (and "_x" look-alikes)
// escaped as "_xHHHH_".
std::string EncodeCellText(std::string_view text);
std::string DecodeCellText(std::string_view text);

bool IsValidUtf8(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace termiva::files::detail
