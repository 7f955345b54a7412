// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a program finds the workbook template the diagram export copies; the
// command line and the screens look it up alike.

#include <string>

namespace termiva::files {

// The template's file name, beside the program or in its data folder.
inline constexpr const char* kTemplateName = "Template.xlsx";

// The workbook template of a program in `programFolder`: Template.xlsx beside
// it, else ../share/termiva/Template.xlsx (an installed program); empty when
// neither exists.
std::string FindTemplate(const std::string& programFolder);

} // namespace termiva::files
