// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tooltip of each input field, beside its caption: what the value is,
// its unit and a typical range. The screens show it on the field, the help
// page describes the same quantities.

#include "cases/case_fields.h"

#include <string>
#include <string_view>

namespace termiva::cases {

// The tip of a field by its caption (as FieldSpec and the vessel's shape
// captions give it); empty for a caption without one.
std::string_view FieldTipOfCaption(std::string_view caption);

// The tip of field `controlName` on the screen of `kind`, ending in its unit;
// empty for an unknown control.
std::string FieldTip(InputFileKind kind, std::string_view controlName);

} // namespace termiva::cases
