// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where insulation raises a loss instead of lowering it: a pipe under its
// critical radius, or a conductivity that insulates nothing. The calculation
// stands as it is; the results note says so, beside the marks' note.

#include "cases/case_fields.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/thickness_limit.h"
#include "engine/vessel.h"

#include <optional>
#include <string>
#include <string_view>

namespace termiva::cases {

// The thickness of the 0.1 mm grid from which the loss of the object (pipe or
// vessel of `object`; its limits and list are not read) is back at or below
// `bareLoss`, looked for above `raised`, a thickness (mm) where it is above.
// Nothing when it stays above up to kMaxLimitThickness or cannot be computed.
std::optional<double> LossRaisedBelow(const ThicknessLimitInput& object, double raised,
                                      double bareLoss);

// The results note of each screen after Calculation on `screen`'s texts: "Insulation
// raises the loss of this pipe below 12.3 mm." where an insulated loss is
// above the bare one ("... of this vessel ...", "... of the pipes NO 20 below
// 31.2 mm, NO 25 below 28.0 mm."; "... at every thickness up to 1000 mm." where
// no thickness lowers it), then the marks' note.
std::string SinglePipeNote(const ScreenTexts& screen, const SinglePipeResult& result,
                           std::string_view decimalSeparator);
// The first sentence alone, empty where no loss is raised (termiva-calc).
std::string SinglePipeRaisedNote(const ScreenTexts& screen, const SinglePipeResult& result,
                                 std::string_view decimalSeparator);
std::string VesselRaisedNote(const ScreenTexts& screen, const VesselResult& result,
                             std::string_view decimalSeparator);
std::string PipeGroupRaisedNote(const ScreenTexts& screen, const PipeGroupResult& result,
                                std::string_view decimalSeparator);
std::string VesselNote(const ScreenTexts& screen, const VesselResult& result,
                       std::string_view decimalSeparator);
std::string PipeGroupNote(const ScreenTexts& screen, const PipeGroupResult& result,
                          std::string_view decimalSeparator);

} // namespace termiva::cases
