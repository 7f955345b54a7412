// SPDX-License-Identifier: GPL-3.0-or-later
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
// separators; a value that does not fit a finite double is not a number (one
// too small for any double reads as zero and is a number).
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
// the value's 15-significant-digit decimal form. A value rounded to zero shows
// no sign. Other pattern characters are ignored.
std::string Format(double value, std::string_view pattern, std::string_view decimalSeparator);

// The decimal separator of the other common locale: "," for ".", "." for any other.
std::string_view OtherDecimalSeparator(std::string_view decimalSeparator);

// The other decimal separator as the user's, for typing, pasting and loading
// alike: a text that holds no decimal separator of the user's and one of the
// other, and that reads as a number with it replaced, gets the user's
// separator ("0.05" -> "0,05" where the user's is ","). Fields never hold a
// thousands separator, so that one character can only be a decimal point
// typed on the numeric keypad, pasted from elsewhere or saved under the other
// locale. Any other text is returned as it is (a second separator stays, for
// the filter to remove).
std::string WithUserSeparator(std::string_view text, std::string_view decimalSeparator);

// One step of the typing filter a field runs on every change of its text:
// the other decimal separator becomes the user's (WithUserSeparator); a
// number below zero becomes "0"; a text that is not a number and not empty
// loses its last character (the caller beeps); otherwise nothing changes
// (nullopt). Setting the new text is itself a change,
// so callers repeat the step until it returns nullopt.
struct FilterStep {
    std::string text; // the new text
    bool beep;        // true when a character was removed
};
std::optional<FilterStep> TypingFilterStep(std::string_view text,
                                           std::string_view decimalSeparator);

// The text a field ends with when `text` is set into it, and the beeps on the way
// ("12a5" -> "12" after two beeps).
struct FilteredText {
    std::string text;
    int beeps = 0;
};
FilteredText ApplyTypingFilter(std::string_view text, std::string_view decimalSeparator);

// A field text read from an input file, as the field ends up holding it: a
// decimal saved under the other locale ("143,5" where the user's is ".") is
// read as that number, with the user's separator ("143.5"), by the rule of
// WithUserSeparator; the text then goes through the typing filter like any
// text set into a field. `changed` is
// true when the field does not end with the number the file held (a
// negative number became "0", characters were dropped); reading a decimal
// from the other locale is no change.
struct LoadedFieldText {
    std::string text;
    bool changed = false;
};
LoadedFieldText LoadFieldText(std::string_view fileText, std::string_view decimalSeparator);

} // namespace termiva::text
