// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The multiple pipes screen without widgets: the fixed texts of its pipe
// table, its calculation from field texts and its result texts.

#include "cases/case_reader.h"
#include "engine/pipe_group.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace termiva::cases {

// The fixed texts of pipe row `row` (13..25): nominal diameter "####0" and
// outside diameter "####0.0", mm, with the given separator.
struct PipeRowSize {
    std::string nominal;
    std::string outside;
};
PipeRowSize PipeRowSizeTexts(int row, std::string_view decimalSeparator);

// "Calculation" on texts that passed MissingFields. A row is used when its
// length text is not empty.
CaseResult<PipeGroupResult> CalculatePipeGroup(const ScreenTexts& screen,
                                               std::string_view decimalSeparator);

// The result texts: per used row (index row - 13) the bare loss "####0" W and
// the insulated loss "####0.0" W, nothing for a row left out; the totals in
// kW "####0.#0".
struct PipeGroupTexts {
    struct Row {
        std::string bare;
        std::string insulated;
    };
    std::array<std::optional<Row>, 13> rows;
    std::string bareTotal;
    std::string insulatedTotal;
};
PipeGroupTexts PipeGroupResultTexts(const PipeGroupResult& result,
                                    std::string_view decimalSeparator);

} // namespace termiva::cases
