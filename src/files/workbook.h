// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A spreadsheet workbook (.xlsx, Office Open XML) edited in place, with the
// operations the diagram export uses: open a workbook by path, take its first
// worksheet, set cells by address to a text or a number, close saving the
// changes. Saving rewrites only the parts that changed (the edited worksheets,
// the caches of the charts drawn from them) and replaces the file in one
// rename, so a failed save leaves the previous file whole.

#include "support/expected.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::files {

// Why a workbook operation did not happen: the message names the file and the
// problem, ready for an "Error" message box.
struct WorkbookError {
    std::string message;
};

// No part of a workbook is unpacked past this size: a zip entry that inflates
// further is taken for a damaged (or hostile) file.
inline constexpr std::size_t kMaxWorkbookPartSize = 50u << 20; // bytes

// Bounds on everything one open workbook may cost, whatever its parts hold,
// so that any file is answered in bounded time and memory. Past one of them
// the operation fails with an error naming it.
inline constexpr std::size_t kMaxWorkbookInflatedBytes = 64u << 20; // all parts read, together
inline constexpr std::size_t kMaxWorkbookXmlNodes = 1500000;   // elements, texts, attributes parsed
inline constexpr long long kMaxWorkbookCells = 1000000;        // cells read for charts and caches
inline constexpr std::size_t kMaxWorkbookCellText = 32u << 20; // bytes of those cells' texts
inline constexpr std::size_t kMaxWorkbookSheets = 10000;

enum class WorkbookAccess {
    ReadOnly,  // reading only; Close(true) is refused
    ReadWrite, // the file and its folder must be writable
};

// What a cell holds, as a reader sees it (formulas by their cached result).
struct CellValue {
    enum class Kind { Empty, Number, Text, Boolean, Error };
    Kind kind = Kind::Empty;
    double number = 0; // Number; 0 or 1 for Boolean
    std::string text;  // Text; the error code ("#N/A") for Error
};

namespace detail {
class Package;
} // namespace detail

enum class SheetKind { Worksheet, Chartsheet, Other };

// A sheet as the workbook lists it, in tab order.
struct SheetInfo {
    std::string name;
    SheetKind kind = SheetKind::Other;
    std::string part; // its part in the package, "xl/worksheets/sheet1.xml"
};

class Workbook;

// One worksheet of an open workbook; it lives as long as its workbook.
class Worksheet {
public:
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::string& name() const;

    // Address "B1", "$D$4" (column letters, row number). Errors: a malformed
    // address, a text that is not valid UTF-8, a number that is not finite.
    // Text is stored in the cell itself (an inline string), a number as a
    // plain value; any formula the cell held is removed. Refused too: a cell
    // of an array formula over several cells, which would leave a workbook a
    // spreadsheet program calls damaged.
    std::optional<WorkbookError> SetText(std::string_view address, std::string_view text);
    std::optional<WorkbookError> SetNumber(std::string_view address, double value);

    // An error when the values set have replaced the master of a shared
    // formula that other cells still use (they would be left without it);
    // Close(true) refuses to save such a sheet.
    std::optional<WorkbookError> CheckFormulas() const;

    // Empty for a malformed address.
    CellValue Value(std::string_view address) const;
    CellValue Value(int row, int column) const; // both from 1

    // The last used row and column (0 when the sheet is empty).
    int lastRow() const;
    int lastColumn() const;

private:
    friend class Workbook;
    struct Impl;
    explicit Worksheet(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class Workbook {
public:
    // Errors, each naming the file: it does not exist or is not a file; it is
    // not a zip package or not a workbook; it is damaged (a part that is not
    // XML, a part that inflates past kMaxWorkbookPartSize, a broken zip
    // entry); it is too large (more than kMaxWorkbookSheets sheets, or past
    // another of the bounds above); for ReadWrite, the file or its folder is
    // read-only. Every operation below reports running out of memory as an
    // error too.
    static Expected<Workbook, WorkbookError>
    Open(const std::string& path, WorkbookAccess access = WorkbookAccess::ReadWrite);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook(); // closes without saving
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    const std::string& path() const;

    // Every sheet in tab order, chart sheets included.
    const std::vector<SheetInfo>& sheets() const;
    // The worksheets in tab order; chart sheets do not count.
    std::vector<std::string> WorksheetNames() const;

    // Worksheet `index` from 1 in tab order, or by name (case-insensitive).
    // Errors: no such worksheet, its part missing or damaged.
    Expected<Worksheet*, WorkbookError> Worksheets(int index);
    Expected<Worksheet*, WorkbookError> Worksheets(std::string_view name);

    // Ends the editing. With saveChanges the edits are written into the same
    // file, and the caches of every chart that draws from an edited worksheet
    // are rebuilt from the new cells; without, or when nothing was edited,
    // the file is not touched. Errors: the save failed (the file is then as
    // it was before Open), the workbook was opened ReadOnly, or it is already
    // closed. The workbook is closed afterwards in every case.
    std::optional<WorkbookError> Close(bool saveChanges);

    bool isOpen() const;

    // For the chart reader and the export in this layer.
    detail::Package& package();

private:
    struct Impl;
    explicit Workbook(std::unique_ptr<Impl> impl);
    static Expected<Workbook, WorkbookError> OpenPackage(const std::string& path,
                                                         WorkbookAccess access);
    WorkbookError Closed() const;
    std::unique_ptr<Impl> impl_;
};

} // namespace termiva::files
