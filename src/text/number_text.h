#pragma once

// Numbers as the user types and reads them. Every function takes the user's
// decimal separator as an argument: no global locale is consulted.

#include <optional>
#include <string>
#include <string_view>

namespace termiva::text {

// The one test of what a number is, shared by the typing filter, the leave
// check and every conversion: optional sign, digits with at most one decimal
// separator and at least one digit, optionally an exponent (e/E, optional
// sign, digits). A trailing separator counts ("1." so that 0.07 can be
// typed); a lone sign or separator does not; no blanks, no thousands
// separators; a value that does not fit a finite double is not a number.
bool IsNumber(std::string_view text, std::string_view decimalSeparator);

// The value of a text that passes IsNumber, nothing otherwise.
std::optional<double> ToDouble(std::string_view text, std::string_view decimalSeparator);

// A value as the plain number-to-text conversion writes it: shortest form
// that reads back the same, no exponent for ordinary magnitudes, the given
// separator (26.9 -> "26,9" with ",").
std::string ToText(double value, std::string_view decimalSeparator);

// A value through one of the display patterns "####0.#0", "####.0", "####0",
// "####0.0", "#######0.0", "###0.0": '0' always shows a digit, '#' only a
// significant one; no thousands separator; rounding half away from zero on
// the value's 15-significant-digit decimal form.
std::string Format(double value, std::string_view pattern, std::string_view decimalSeparator);

} // namespace termiva::text
