// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/expected.h"

#include <string>

namespace termiva {

// Why a calculation produced no result, in the user's terms (which input is at
// fault), ready for an "Error" message box.
struct CalculationError {
    std::string message;
};

template <class T> using CalculationResult = Expected<T, CalculationError>;

} // namespace termiva
