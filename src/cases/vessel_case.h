// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The vessel screen without widgets: its calculation from field texts and its
// result texts.

#include "cases/case_reader.h"
#include "engine/vessel.h"

#include <array>
#include <string>
#include <string_view>

namespace termiva::cases {

// "Calculation" on texts that passed MissingFields; the shape is the list
// entry plus one, and only the dimensions of that shape are read (a hidden
// field may hold anything that passed the field rules).
CaseResult<VesselResult> CalculateVessel(const ScreenTexts& screen,
                                         std::string_view decimalSeparator);

// The result boxes' texts, bare vessel first: losses "#######0.0" W, surface
// temperatures "###0.0" °C.
inline constexpr std::string_view kVesselLossPattern = "#######0.0";
inline constexpr std::string_view kVesselTemperaturePattern = "###0.0";
using VesselTexts = LossTexts<5>;
VesselTexts VesselResultTexts(const VesselResult& result, std::string_view decimalSeparator);

} // namespace termiva::cases
