// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/result_marks.h"

#include "text/number_text.h"

#include <cmath>

namespace termiva::cases {

void Marks::add(const ValueFlags& flags) {
    outsideAirData = outsideAirData || flags.outsideAirData;
    approximate = approximate || flags.approximate;
}

std::string Marks::note() const {
    std::string note;
    if (outsideAirData)
        note = kOutsideAirDataNote;
    if (approximate)
        note += (note.empty() ? "" : " ") + std::string(kApproximateNote);
    return note;
}

Marks MarksOf(const SinglePipeResult& result) {
    Marks marks;
    for (const ValueFlags& flags : result.flags)
        marks.add(flags);
    return marks;
}

Marks MarksOf(const VesselResult& result) {
    Marks marks;
    for (const ValueFlags& flags : result.flags)
        marks.add(flags);
    return marks;
}

Marks MarksOf(const PipeGroupResult& result) {
    Marks marks;
    marks.add(result.bareTotalFlags);
    marks.add(result.insTotalFlags);
    return marks;
}

Marks MarksOf(const DiameterTable& table) {
    Marks marks;
    for (const auto& row : table.flags)
        for (const ValueFlags& flags : row)
            marks.add(flags);
    return marks;
}

std::string MarkExplanation(const ValueFlags& flags, std::string_view decimalSeparator) {
    std::string lines;
    if (flags.outsideAirData)
        lines = "Computed with air properties beyond " + DegreesText(kDensityDataLimit) +
                " °C (film) / " + DegreesText(kPropertyDataLimit) +
                " °C (surface): can be far off.";
    if (flags.approximate) {
        const std::string imbalance = text::Format(flags.imbalance, "####0.#0", decimalSeparator);
        if (!lines.empty())
            lines += "\n";
        // Within 0.1 W the balance was closed, and only the loss is too small
        // for that test; otherwise the balance stayed open.
        if (std::abs(flags.imbalance) < 0.1)
            lines += "Approximate: a loss below 10 W is known to no better than 0.1 W (heat "
                     "balance open by " +
                     imbalance + " W).";
        else
            lines +=
                "Approximate: the heat balance could not be closed; " + imbalance + " W remain.";
    }
    return lines;
}

} // namespace termiva::cases
