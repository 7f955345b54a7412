// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Properties of air as fixed polynomials of its temperature T in °C. No range
// check: any finite T is evaluated.

namespace termiva {

double RO(double T);  // density, kg/m³
double CP(double T);  // specific heat at constant pressure, kJ/(kg K)
double LAM(double T); // thermal conductivity, W/(m K)
double MI(double T);  // dynamic viscosity, Pa s

} // namespace termiva
