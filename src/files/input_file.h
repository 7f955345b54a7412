// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The input data files of the calculator screens: one field text per
// line, CR LF line ends, a fixed title on line 1, then (single pipe and vessel)
// the index of the selected list entry, then the field texts in a fixed order.
//
// Field texts are written byte for byte as the screen holds them (UTF-8; in
// practice ASCII digits, a sign and the decimal separator the user typed), and
// read back the same way. A line of more than kMaxLineBytes bytes is never a
// field text: reading refuses it.
//
// The single pipe file also keeps its two diameter fields (D1, D2) on lines 13
// and 14, after the twelve lines of the original layout: a reader that stops at
// line 12 still reads such a file, and a 12-line file still loads (then the
// diameters come from the list entry).
//
// The energy and cost file ends in a table (the candidate thicknesses with
// their installed costs): after the fields, a line with the number of rows
// (0..maxTableRows), then each row's cells, one cell per line, row by row:
//   Insulation energy and cost file
//   0             object list entry (0 pipe, 1..3 the vessel shapes)
//   ...           Text1..Text18
//   5             candidate rows
//   40            row 1: thickness [mm]
//   30            row 1: installed cost
//   60            row 2: ...

#include "files/file_error.h"
#include "support/expected.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::files {

enum class InputFileKind { SinglePipe, Vessel, MultiplePipes, ThicknessLimit, Economics };

// Every kind, in the order the open dialog lists them.
inline constexpr std::array<InputFileKind, 5> kInputFileKinds = {
    InputFileKind::SinglePipe, InputFileKind::Vessel, InputFileKind::MultiplePipes,
    InputFileKind::ThicknessLimit, InputFileKind::Economics};

inline constexpr std::size_t kMaxLineBytes = 1024;
// The most rows a file's table holds: far more candidate thicknesses than a
// study needs, and a bound on what reading takes.
inline constexpr std::size_t kMaxTableRows = 100;

// Everything that differs between the kinds of file, including the
// settings of the file dialogs that save and load them.
struct InputFileFormat {
    InputFileKind kind;
    std::string_view description; // "single pipe", "vessel", "multiple pipes", ...
    std::string_view title;       // line 1, written as is; not checked on reading
    bool hasListIndex;            // line 2 holds the index of the selected list entry
    int listSize;                 // entries of that list (index 0..listSize-1); 0 without
    // Control names of the fields in file order, from the line after the
    // title (or the list index) on: "Text3", ..., and "Text3(13)" for the
    // element 13 of a control array.
    std::vector<std::string> fieldNames;
    // Fields stored after the original layout, which a file may lack: "Text1"
    // and "Text2" (D1, D2) for the single pipe; empty for the others.
    std::vector<std::string> diameterFieldNames;
    std::string_view dialogFilter;     // "description (*.ext)|*.ext|All files (*.*)|*.*"
    std::string_view defaultFileName;  // offered by the save dialog
    std::string_view defaultExtension; // without the dot
    // The table after the fields: its control name ("Table1", cells
    // "Table1(r,c)"), cells per row and the most rows a file may hold; 0
    // columns for a kind without one.
    std::string_view tableName;
    int tableColumns;
    std::size_t maxTableRows;

    // Lines every file of this kind has: 12, 14, 46, 14 or 21 (the diameter
    // lines of the single pipe and the table's rows not counted; the table's
    // row count line counted).
    int lineCount() const;
    // Line number (from 1) of fieldNames[0]: 3 with a list index, else 2.
    int firstFieldLine() const;
    // Position of a control name in fieldNames, if it is there.
    std::optional<std::size_t> indexOf(std::string_view controlName) const;
};

const InputFileFormat& FormatOf(InputFileKind kind);

// The kind that a file name's extension stands for (.insp, .inv, .inmp, .inlim,
// .ineco; any letter case), nothing for another extension.
std::optional<InputFileKind> KindFromPath(std::string_view path);

// The content of one file, as the screen holds it.
struct InputRecord {
    int listIndex = -1;              // selected list entry; unused without a list index line
    std::vector<std::string> fields; // texts in the order of FormatOf(kind).fieldNames
    // Single pipe: the texts of D1 and D2. nullopt when the file had no
    // diameter lines (then the screen takes them from the list entry); never
    // written for the other kinds.
    std::optional<std::array<std::string, 2>> diameters;
    // The table's rows, each of FormatOf(kind).tableColumns cells; empty for
    // a kind without a table. (The initializer lets a record be written
    // without it, {index, fields, diameters}, as for the other kinds.)
    std::vector<std::vector<std::string>> table = {};
};

// The bytes of the file. Writes exactly FormatOf(kind).fieldNames.size()
// field lines (a missing field gives an empty line, extra ones are dropped);
// CR and LF inside a text are left out, since each text must stay one line.
// The list index is written as a decimal integer (-1 when nothing is selected).
// A table row is written with exactly tableColumns cells, in the same way;
// every row is written (WriteInputFile refuses more than maxTableRows).
std::string ToBytes(InputFileKind kind, const InputRecord& record);

// Looks at line 1 before anything else is read: the message refusing the
// file, or nothing to read on. The layer that knows every kind of file and the
// screen that opens it says which titles to refuse (src/cases).
using TitleCheck = std::function<std::optional<std::string>(std::string_view title)>;

// Reads a file's bytes: lines end in CR LF or LF, the last one may end
// without; lines after those the layout takes are ignored; the title is not
// checked here but by `checkTitle`, when given, first of all (a file of
// another kind fails the other checks too, and its kind is the real fault).
// All or nothing: an error when checkTitle refuses line 1, when the data has
// fewer lines than the layout needs, when a taken line is longer than
// kMaxLineBytes, when the list index line is not an integer in
// 0..listSize-1 (-1, "nothing selected", counts as out of range: a screen
// always has an entry selected), or when the table's row count is not an
// integer in 0..maxTableRows or its rows are cut short. The message names
// `fileName` when given.
Expected<InputRecord, FileError> FromBytes(InputFileKind kind, std::string_view bytes,
                                           std::string_view fileName = {},
                                           const TitleCheck& checkTitle = {});

// Reads a file by path, at most as many bytes as the layout can take (a huge
// or binary file is refused quickly, never read whole). Errors: the file
// cannot be opened or read, is not a regular file, or FromBytes refuses it.
Expected<InputRecord, FileError> ReadInputFile(InputFileKind kind, const std::string& path,
                                               const TitleCheck& checkTitle = {});

// ToBytes written with WriteFileAtomically; a table of more than maxTableRows
// rows is refused (no file could load it), the file left as it was.
std::optional<FileError> WriteInputFile(InputFileKind kind, const InputRecord& record,
                                        const std::string& path);

} // namespace termiva::files
