// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The single pipe screen without widgets: the diameters its size list writes,
// its calculation from field texts and its result texts.

#include "cases/case_reader.h"
#include "cases/case_records.h"
#include "engine/single_pipe.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

// What picking size list entry `listIndex` writes into D1 (Text1) and D2
// (Text2): the entry's diameters with the user's separator, empty texts for
// "Custom"; nothing for an index outside the list.
std::vector<FieldText> PipeSizeTexts(int listIndex, std::string_view decimalSeparator);

// "Calculation" on texts that passed MissingFields.
CaseResult<SinglePipeResult> CalculateSinglePipe(const ScreenTexts& screen,
                                                 std::string_view decimalSeparator);

// The result boxes' texts, bare pipe first: losses "####0.#0" W/m, surface
// temperatures "####.0" °C.
inline constexpr std::string_view kPipeLossPattern = "####0.#0";
inline constexpr std::string_view kPipeTemperaturePattern = "####.0";
using SinglePipeTexts = LossTexts<6>;
SinglePipeTexts SinglePipeResultTexts(const SinglePipeResult& result,
                                      std::string_view decimalSeparator);

} // namespace termiva::cases
