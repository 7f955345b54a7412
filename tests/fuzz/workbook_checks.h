// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The checks the workbook targets run on a workbook's bytes.

#include <string_view>

namespace termiva::fuzz {

// Opens the workbook for reading, reads cells of its first worksheet and
// its chart: any outcome but a crash, a hang or a leak is fine.
void CheckReading(std::string_view workbookBytes);

// Exports the diagram into a copy of the bytes taken as the template, and
// into the bytes in place. On failure the template is byte-identical and no
// other file remains; on success the output opens and its cells read back.
void CheckExport(std::string_view templateBytes);

} // namespace termiva::fuzz
