// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The diagram export: the single pipe inputs and the standard diameter table,
// as the table screen holds them (texts), written into the chart workbook.

#include "files/workbook.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace termiva::files {

struct DiagramExportData {
    std::string fluidTemperatureText;          // T1 as typed, °C: B1, kept as text
    std::array<std::string, 5> thicknessTexts; // tins1..tins5 as typed, mm: D1..H1, as numbers
    // The table screen's texts, row i = standard diameter i (10 .. 1000 mm):
    // {D "####0" mm, bare loss, loss under tins1..tins5 "####0.#0" W/m}.
    std::array<std::array<std::string, 7>, 19> table;
    std::string decimalSeparator = "."; // the user's, used for every conversion
};

// How the template's chart draws each of its six series (bare pipe, tins1 ..
// tins5), in the template and on the chart screen alike: line and marker
// colour (0xRRGGBB) and the marker symbol as the chart part names it. The
// colours stay apart for readers with red-green colour blindness.
struct DiagramSeriesStyle {
    std::uint32_t colour;
    std::string_view marker; // "diamond", "square", "triangle", "circle", "star"
};
inline constexpr std::array<DiagramSeriesStyle, 6> kDiagramSeriesStyles = {{
    {0xD55E00, "diamond"},
    {0x0072B2, "square"},
    {0x009E73, "triangle"},
    {0xE69F00, "circle"},
    {0xCC79A7, "star"},
    {0x56B4E9, "diamond"},
}};

// The sheet row of table row `tableRow` (1..19): rows 1..15 go to 4..18 and
// 17..19 to 19..21; row 16 (700 mm) has no place among the sheet's 18 data
// lines. nullopt for row 16 and for rows outside 1..19.
std::optional<int> DiagramSheetRow(int tableRow);

// A template is refused past this size (the generated one is some kilobytes):
// the export copies it whole for every output.
inline constexpr std::uintmax_t kMaxWorkbookTemplateSize = 64u << 20; // bytes

// Opens the workbook, takes its first worksheet (or, where the chart draws
// from another worksheet, that one: a re-saved template may carry its chart on
// a worksheet of its own), writes B1 (text), D1..H1 and B4..H21 (numbers) and
// closes it saving in place (through a filled copy that replaces it, so that
// a failure leaves it whole). Every text is converted
// before anything is written: a text that is not a number is an error naming
// its cell, and the file is left as it was. Errors also: those of
// Workbook::Open and Close, a workbook without a worksheet or without a chart,
// a template over kMaxWorkbookTemplateSize, a cell the export writes that the
// template's formulas need (Worksheet::SetNumber).
std::optional<WorkbookError> ExportDiagram(const std::string& workbookPath,
                                           const DiagramExportData& data);

// The same export into a copy of the template at `outputPath` (replaced if
// it exists, as every file TERMIVA writes: files/atomic_write.h); the
// template itself is only read. Errors also: the output is the template
// itself, the copy cannot be written (the reason named).
std::optional<WorkbookError> ExportDiagramCopy(const std::string& templatePath,
                                               const std::string& outputPath,
                                               const DiagramExportData& data);

} // namespace termiva::files
