// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words for marked results (engine/value_flags.h), shared by the screens
// and termiva-calc: one note for a screen or an output, and the explanation of
// one value.

#include "engine/diameter_table.h"
#include "engine/pipe_group.h"
#include "engine/single_pipe.h"
#include "engine/value_flags.h"
#include "engine/vessel.h"

#include <string>
#include <string_view>

namespace termiva::cases {

inline const std::string kOutsideAirDataNote =
    "Marked values use air properties beyond " + DegreesText(kDensityDataLimit) + " °C (film) / " +
    DegreesText(kPropertyDataLimit) + " °C (surface) and can be far off.";
inline constexpr char kApproximateNote[] =
    "Marked values are approximate: the heat balance is not closed to within 1 % of the loss.";

// Which kinds of mark a calculation's values carry.
struct Marks {
    bool outsideAirData = false;
    bool approximate = false;

    void add(const ValueFlags& flags);
    bool any() const { return outsideAirData || approximate; }
    // One sentence per kind present, kOutsideAirDataNote first; empty for none.
    std::string note() const;
};

Marks MarksOf(const SinglePipeResult& result);
Marks MarksOf(const VesselResult& result);
Marks MarksOf(const PipeGroupResult& result);
Marks MarksOf(const DiameterTable& table);

// Why one value is marked, a line per reason, the imbalance "####0.#0" W with
// the given separator; empty for an unmarked value.
std::string MarkExplanation(const ValueFlags& flags, std::string_view decimalSeparator);

} // namespace termiva::cases
