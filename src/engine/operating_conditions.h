// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace termiva {

// What the single pipe, vessel, diameter table and thickness for a limit
// calculations share about one surface: the fluid and the surrounding air,
// the outside surface and the insulation's conductivity. The insulation's
// thicknesses stand beside it in each input. A conductivity that depends on
// temperature enters here, once.
struct OperatingConditions {
    double T1 = 0;   // fluid temperature, °C
    double Tout = 0; // ambient air temperature, °C
    double k = 0;    // insulation thermal conductivity, W/(m K)
    double e = 0;    // emissivity of the outside surface, -
    double WC = 0;   // wind coefficient, -
};

} // namespace termiva
