#pragma once

// Field texts as engine inputs, with the user's decimal separator, and the
// error a case's calculation gives: a field that does not hold a number, or
// the engine's own error.

#include "cases/case_fields.h"
#include "engine/calculation_error.h"
#include "support/expected.h"

#include <optional>
#include <string>
#include <string_view>

namespace termiva::cases {

struct CaseError {
    // The control whose text is not a number (empty, or typed before the
    // decimal separator changed); empty when the engine refused the inputs.
    std::string field;
    // What to tell the user: the engine's message, or for a field
    // "Invalid entries, please enter numbers only (Text3, Fluid Temperature (T1) [oC])".
    std::string message;
};

template <class T> using CaseResult = Expected<T, CaseError>;

// Converts the named texts, remembering the first one that is not a number:
//   CaseReader number(screen, separator);
//   input.T1 = number("Text3"); ...
//   if (auto error = number.error()) return *error;
class CaseReader {
public:
    CaseReader(const ScreenTexts& screen, std::string_view decimalSeparator)
        : screen_(screen), separator_(decimalSeparator) {}

    // The value, or 0 for a text that is not a number.
    double operator()(std::string_view controlName);

    std::optional<CaseError> error() const;

private:
    const ScreenTexts& screen_;
    std::string_view separator_;
    std::optional<std::string> failed_;
};

// The engine's result, or its error as a CaseError.
template <class T> CaseResult<T> FromEngine(CalculationResult<T> result) {
    if (!result)
        return CaseError{{}, result.error().message};
    return std::move(result).value();
}

} // namespace termiva::cases
