// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Field texts as engine inputs, with the user's decimal separator, and the
// error a case's calculation gives: a field that does not hold a number, or
// the engine's own error.

#include "cases/case_fields.h"
#include "engine/calculation_error.h"
#include "engine/operating_conditions.h"
#include "support/expected.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace termiva::cases {

struct CaseError {
    // The control whose text is not a number (empty, or typed before the
    // decimal separator changed) or holds an impossible value; empty when the
    // engine refused the inputs.
    std::string field;
    // What to tell the user: the engine's message, or for a field
    // "Invalid entries, please enter numbers only (Text3, Fluid Temperature (T1) [oC])"
    // or "Emissivity of Outside Surface (e) [-] must not be greater than 1.".
    std::string message;
};

template <class T> using CaseResult = Expected<T, CaseError>;

inline constexpr std::string_view kEmissivityCaption = "Emissivity of Outside Surface (e) [-]";

// Converts the named texts, remembering the first one that is not a number
// or is impossible (an emissivity above 1, which no surface has):
//   CaseReader number(screen, separator);
//   input.T1 = number("Text3"); ...
//   if (auto error = number.error()) return *error;
class CaseReader {
public:
    CaseReader(const ScreenTexts& screen, std::string_view decimalSeparator)
        : screen_(screen), separator_(decimalSeparator) {}

    // The value, or 0 for a text that is not a number.
    double operator()(std::string_view controlName);
    // The same for the field that means `id`.
    double operator()(FieldId id);
    // T1, Tout, k, e and WC, read in that order.
    OperatingConditions conditions();

    std::optional<CaseError> error() const;

private:
    const ScreenTexts& screen_;
    std::string_view separator_;
    std::optional<std::string> failed_;
    std::optional<std::string> impossible_; // the message of an impossible value
};

// A value through a display pattern (text::Format).
std::string FormatNumber(double value, std::string_view pattern, std::string_view decimalSeparator);

// The engine's result, or its error as a CaseError.
template <class T> CaseResult<T> FromEngine(CalculationResult<T> result) {
    if (!result)
        return CaseError{{}, result.error().message};
    return std::move(result).value();
}

// The result texts of a screen that shows one heat loss and one surface
// temperature per column (bare first, then each thickness).
template <std::size_t N> struct LossTexts {
    std::array<std::string, N> heatLoss;
    std::array<std::string, N> surfaceTemperature;
};

// The columns through their display patterns.
template <std::size_t N>
LossTexts<N> FormatLosses(const std::array<double, N>& heatLoss,
                          const std::array<double, N>& surfaceTemperature,
                          std::string_view lossPattern, std::string_view temperaturePattern,
                          std::string_view decimalSeparator) {
    LossTexts<N> texts;
    for (std::size_t i = 0; i < N; ++i) {
        texts.heatLoss[i] = FormatNumber(heatLoss[i], lossPattern, decimalSeparator);
        texts.surfaceTemperature[i] =
            FormatNumber(surfaceTemperature[i], temperaturePattern, decimalSeparator);
    }
    return texts;
}

} // namespace termiva::cases
