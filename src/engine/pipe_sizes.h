// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pipe size lists of the screens. The pipe group's 13 standard lines are
// kPipeGroupSizes in pipe_group.h; this is the single pipe screen's size list.

#include <array>
#include <optional>
#include <string_view>

namespace termiva {

// An entry of the single pipe screen's size list and the diameters it writes.
struct PipeSizeEntry {
    std::string_view text;    // as listed, UTF-8
    std::optional<double> D1; // nominal diameter, mm; nullopt: the entry empties the field
    std::optional<double> D2; // outside diameter, mm; nullopt as for D1
};

// Item 0 is "Custom", which empties both diameters.
extern const std::array<PipeSizeEntry, 14> kSinglePipeSizes;

} // namespace termiva
