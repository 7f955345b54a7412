// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The standard diameter table behind the single pipe screen's "Diagram": its
// inputs from the single pipe's texts, its texts as the hidden table screen
// formats them, and what the export writes into the workbook.

#include "cases/case_reader.h"
#include "engine/diameter_table.h"
#include "files/diagram_export.h"

#include <array>
#include <string>
#include <string_view>

namespace termiva::cases {

// The hidden table screen's caption, as its layout names the form: the window
// is never shown, so it has no title of its own.
inline constexpr std::string_view kDiameterTableTitle = "Form5";

// T1, Tout, k, e, WC and the five thicknesses of the single pipe screen,
// which its calculation and the table share.
DiameterTableInput PipeConditions(CaseReader& number);

// The table from the single pipe screen's texts (D1 and D2 are not used).
CaseResult<DiameterTable> CalculateDiameterTable(const ScreenTexts& singlePipe,
                                                 std::string_view decimalSeparator);

// 19 rows of {D "####0" mm, bare and tins1..tins5 losses "####0.#0" W/m}.
using DiameterTableTexts = std::array<std::array<std::string, 7>, 19>;
DiameterTableTexts TableTexts(const DiameterTable& table, std::string_view decimalSeparator);

// What "Diagram" exports: T1 and the thicknesses as the single pipe screen
// holds them, the table as the table screen holds it.
files::DiagramExportData DiagramExportOf(const ScreenTexts& singlePipe,
                                         const DiameterTableTexts& table,
                                         std::string_view decimalSeparator);

} // namespace termiva::cases
