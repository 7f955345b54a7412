// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/air_properties.h"

#include <cmath>

namespace termiva {

// Each term is coefficient * T^n with the power taken by pow, summed from the
// highest power down: the last bits of every result depend on that order.

double RO(double T) {
    return -5.38313e-14 * std::pow(T, 5) + 7.90076e-11 * std::pow(T, 4) +
           -4.76553e-08 * std::pow(T, 3) + 1.70063e-05 * std::pow(T, 2) +
           -0.00477689 * std::pow(T, 1) + 1.29381 * std::pow(T, 0);
}

double CP(double T) {
    return -9.86675e-10 * std::pow(T, 3) + 9.62734e-07 * std::pow(T, 2) +
           -6.56758e-05 * std::pow(T, 1) + 1.00692 * std::pow(T, 0);
}

double LAM(double T) {
    // The linear coefficient is one unit in the last place above the double
    // nearest to 7.83035e-05.
    return -2.6142e-14 * std::pow(T, 4) + 2.85943e-12 * std::pow(T, 3) +
           -1.94021e-08 * std::pow(T, 2) + 7.830350000000001e-05 * std::pow(T, 1) +
           0.0243714 * std::pow(T, 0);
}

double MI(double T) {
    return -9.1359e-19 * std::pow(T, 5) + 9.78776e-16 * std::pow(T, 4) +
           -3.0689e-13 * std::pow(T, 3) + -1.35537e-12 * std::pow(T, 2) +
           5.02298e-08 * std::pow(T, 1) + 1.71531e-05 * std::pow(T, 0);
}

} // namespace termiva
