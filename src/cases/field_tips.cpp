// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/field_tips.h"

#include <array>
#include <utility>

namespace termiva::cases {
namespace {

// The quantity's symbol as its caption shows it, and what to say about it;
// the first key the caption holds wins.
constexpr std::array<std::pair<std::string_view, std::string_view>, 28> kTips = {{
    {"Thickness [mm]", "A candidate insulation thickness; typically 20 to 200 mm."},
    {"Installed cost", "Cost of the insulation installed, material and labour, per metre of "
                       "pipe or per m2 of the vessel's outer surface."},
    {"Pipe length (L)", "Length of the pipe line whose loss is costed."},
    {"Operating hours", "Hours a year the equipment is hot: 8760 all year round, at most 8784."},
    {"Energy price escalation", "Yearly rise of the energy price above the first year's; may "
                                "be 0."},
    {"Energy price", "Price of the fuel or purchased energy per MWh, the first year's."},
    {"Efficiency of the heat supply", "Heat delivered per unit of fuel, as a fraction (0.9 for "
                                      "90 %), on the same heating value as the emission factor."},
    {"CO2 emission factor", "CO2 emitted per MWh of fuel, on the same heating value as the "
                            "efficiency; natural gas about 200 kg/MWh."},
    {"Service life", "Years the insulation serves, a whole number from 1 to 100."},
    {"Interest rate", "Rate at which later costs are discounted to today; may be 0."},
    {"(D1)", "Nominal diameter of the pipe; the size list fills it in."},
    {"(D2)", "Outside diameter of the bare pipe, e.g. 26.9 mm for ND 20."},
    {"(T1)", "Temperature of the fluid inside, taken as the temperature of the wall; "
             "typically 40 to 600 oC."},
    {"(Tout)", "Temperature of the still air around the equipment; typically -20 to 40 oC."},
    {"(k)", "Thermal conductivity of the insulation at its mean temperature (halfway "
            "between the fluid and the surface); mineral wool about 0.035 to 0.07 W/(m K)."},
    {"(e)", "Emissivity of the outside surface, 0 to 1: aluminium jacketing about 0.1, "
            "galvanised steel about 0.3, painted surfaces and bare steel about 0.9."},
    {"(WC)", "Wind coefficient: multiplies the free convection heat transfer; 1 for still "
             "air indoors, above 1 where wind or draught cools the surface."},
    {"(L)", "Length of the vessel."},
    {"(H)", "Height of the rectangular vessel."},
    {"(W)", "Width of the rectangular vessel; the diameter of a cylindrical one."},
    {"(D)", "Outside diameter of the cylindrical vessel."},
    {"(delta)", "Insulation thickness used for every pipe line; typically 20 to 200 mm."},
    {"tins", "A candidate insulation thickness; typically 20 to 200 mm."},
    {"Lenght of Pipes", "Length of the pipe line of this size."},
    {"Number of Valves", "Valves on the pipe line, each counted as a length of bare pipe."},
    {"Number of Flanges", "Flange pairs on the pipe line, each counted as a length of bare pipe."},
    {"Maximum surface temperature", "Highest outside surface temperature allowed, e.g. 50 oC "
                                    "against burns; may stay empty."},
    {"Maximum heat loss", "Highest heat loss allowed; may stay empty."},
}};

} // namespace

std::string_view FieldTipOfCaption(std::string_view caption) {
    for (const auto& [key, tip] : kTips)
        if (caption.find(key) != std::string_view::npos)
            return tip;
    return {};
}

std::string FieldTip(InputFileKind kind, std::string_view controlName) {
    const FieldSpec* field = FindField(kind, controlName);
    if (!field)
        return {};
    std::string tip(FieldTipOfCaption(field->caption));
    if (!field->unit.empty() && field->unit != "-")
        tip += (tip.empty() ? "" : " ") + std::string("Unit: ") + std::string(field->unit) + ".";
    else if (field->unit == "-")
        tip += (tip.empty() ? "" : " ") + std::string("No unit.");
    return tip;
}

} // namespace termiva::cases
