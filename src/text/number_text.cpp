// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace termiva::text {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a numeric text, as offsets into it. Filled by Scan only for a
// text that follows the grammar.
struct Parts {
    bool negative = false;
    std::string_view integer;  // digits before the separator, maybe empty
    std::string_view fraction; // digits after the separator, maybe empty
    bool exponentNegative = false;
    std::string_view exponent; // digits of the exponent, empty without one
};

std::optional<Parts> Scan(std::string_view text, std::string_view separator) {
    Parts parts;
    std::size_t i = 0;
    auto digitsFrom = [&](std::size_t start) {
        std::size_t end = start;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        return end;
    };

    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    std::size_t end = digitsFrom(i);
    parts.integer = text.substr(i, end - i);
    i = end;
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        i += separator.size();
        end = digitsFrom(i);
        parts.fraction = text.substr(i, end - i);
        i = end;
    }
    if (parts.integer.empty() && parts.fraction.empty())
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            parts.exponentNegative = text[i] == '-';
            ++i;
        }
        end = digitsFrom(i);
        if (end == i)
            return std::nullopt;
        parts.exponent = text.substr(i, end - i);
        i = end;
    }
    if (i != text.size())
        return std::nullopt;
    return parts;
}

// True when the magnitude of the scanned number is below 1, judged from its
// digits alone: tells an underflow from an overflow when from_chars reports
// the value out of range.
bool MagnitudeBelowOne(const Parts& parts) {
    long long order = 0; // power of ten of the first significant digit
    std::size_t firstSignificant = parts.integer.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos) {
        order = static_cast<long long>(parts.integer.size() - firstSignificant) - 1;
    } else {
        std::size_t inFraction = parts.fraction.find_first_not_of('0');
        if (inFraction == std::string_view::npos)
            return true; // all zeros
        order = -static_cast<long long>(inFraction) - 1;
    }
    long long exponent = 0;
    for (char c : parts.exponent) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 100000)
            break; // far beyond any double either way
    }
    if (parts.exponentNegative)
        exponent = -exponent;
    return order + exponent < 0;
}

std::optional<double> Convert(const Parts& parts) {
    // from_chars wants the C form: no '+', '.' as the separator.
    std::string c;
    c.reserve(parts.integer.size() + parts.fraction.size() + parts.exponent.size() + 4);
    c.append(parts.integer.empty() ? std::string_view("0") : parts.integer);
    if (!parts.fraction.empty()) {
        c.push_back('.');
        c.append(parts.fraction);
    }
    if (!parts.exponent.empty()) {
        c.push_back('e');
        if (parts.exponentNegative)
            c.push_back('-');
        c.append(parts.exponent);
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(c.data(), c.data() + c.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (!MagnitudeBelowOne(parts))
            return std::nullopt;
        value = 0; // an underflow reads as zero, like any too small value
    } else if (ec != std::errc() || ptr != c.data() + c.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return parts.negative ? -value : value;
}

std::string WithSeparator(std::string_view cText, std::string_view separator) {
    std::string out;
    out.reserve(cText.size() + separator.size());
    for (char c : cText) {
        if (c == '.')
            out.append(separator);
        else
            out.push_back(c);
    }
    return out;
}

// Removes the last UTF-8 character (a lead byte and its continuation bytes).
std::string WithoutLastCharacter(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80)
        --end;
    if (end > 0)
        --end;
    else
        end = text.size() - 1; // stray continuation bytes only: drop one byte
    return std::string(text.substr(0, end));
}

struct Pattern {
    int minInteger = 0;  // '0's before the separator
    int minFraction = 0; // fraction positions up to the last '0'
    int maxFraction = 0; // all fraction positions
};

Pattern ParsePattern(std::string_view pattern) {
    Pattern p;
    std::size_t dot = pattern.find('.');
    std::string_view integer = pattern.substr(0, dot);
    for (char c : integer) {
        if (c == '0')
            ++p.minInteger;
    }
    if (dot != std::string_view::npos) {
        std::string_view fraction = pattern.substr(dot + 1);
        for (std::size_t i = 0; i < fraction.size(); ++i) {
            if (fraction[i] == '0' || fraction[i] == '#')
                ++p.maxFraction;
            if (fraction[i] == '0')
                p.minFraction = p.maxFraction;
        }
    }
    return p;
}

} // namespace

bool IsNumber(std::string_view text, std::string_view decimalSeparator) {
    return ToDouble(text, decimalSeparator).has_value();
}

std::optional<double> ToDouble(std::string_view text, std::string_view decimalSeparator) {
    std::optional<Parts> parts = Scan(text, decimalSeparator);
    if (!parts)
        return std::nullopt;
    return Convert(*parts);
}

std::string ToText(double value, std::string_view decimalSeparator) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (value == 0)
        return "0"; // also for -0: a field never shows "-0" from a value
    char buffer[400];
    double magnitude = std::fabs(value);
    // Fixed notation where a person would write it; outside, the exponent
    // form keeps the text short (it is still a number to IsNumber).
    auto format = (magnitude >= 1e-5 && magnitude < 1e15) ? std::chars_format::fixed
                                                          : std::chars_format::general;
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    if (ec != std::errc())
        return "";
    return WithSeparator(std::string_view(buffer, static_cast<std::size_t>(end - buffer)),
                         decimalSeparator);
}

std::string Format(double value, std::string_view pattern, std::string_view decimalSeparator) {
    if (!std::isfinite(value))
        return ToText(value, decimalSeparator);
    const Pattern p = ParsePattern(pattern);

    // The 15 significant digits and the power of ten of the first of them.
    std::string digits;
    int exponent = 0;
    bool negative = std::signbit(value);
    if (value != 0) {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
        std::string_view s(buffer, static_cast<std::size_t>(end - buffer));
        // Near the largest double, rounding to 15 digits can pass it, and the
        // text would no longer read back as a number: the digits are cut
        // instead of rounded there.
        double rounded = 0;
        if (std::from_chars(s.data(), s.data() + s.size(), rounded).ec ==
            std::errc::result_out_of_range) {
            auto [cut, cutEc] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                              std::chars_format::scientific, 16);
            (void)cutEc;
            const std::string_view full(buffer, static_cast<std::size_t>(cut - buffer));
            const std::size_t fullE = full.find('e');
            // "d.dddddddddddddd" (15 digits) followed by the exponent.
            const std::string shortened =
                std::string(full.substr(0, 16)) + std::string(full.substr(fullE));
            std::copy(shortened.begin(), shortened.end(), buffer);
            end = buffer + shortened.size();
            s = std::string_view(buffer, shortened.size());
        }
        std::size_t e = s.find('e');
        for (char c : s.substr(0, e)) {
            if (IsDigit(c))
                digits.push_back(c);
        }
        std::from_chars(s.data() + e + 1 + (s[e + 1] == '+' ? 1 : 0), s.data() + s.size(),
                        exponent);
    }

    // Place the digits on a fixed grid: integer digits then maxFraction
    // decimals, plus one guard digit for the rounding.
    const int integerCount = exponent >= 0 ? exponent + 1 : 0;
    const int gridSize = integerCount + p.maxFraction + 1;
    std::string grid(static_cast<std::size_t>(gridSize), '0');
    if (!digits.empty()) {
        const int firstPos = integerCount - 1 - exponent; // grid index of the first digit
        for (int i = 0; i < static_cast<int>(digits.size()); ++i) {
            int pos = firstPos + i;
            if (pos >= 0 && pos < gridSize)
                grid[static_cast<std::size_t>(pos)] = digits[static_cast<std::size_t>(i)];
        }
        // A first digit beyond the guard position rounds to zero already.
    }
    // Round half away from zero on the guard digit (the 15-digit form is
    // exact decimal, so looking at one digit is enough).
    bool roundUp = grid.back() >= '5';
    grid.pop_back();
    if (roundUp) {
        int i = static_cast<int>(grid.size()) - 1;
        for (; i >= 0; --i) {
            char& c = grid[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0)
            grid.insert(grid.begin(), '1');
    }

    const std::size_t fractionStart = grid.size() - static_cast<std::size_t>(p.maxFraction);
    std::string integer = grid.substr(0, fractionStart);
    std::string fraction = grid.substr(fractionStart);
    std::size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    if (static_cast<int>(integer.size()) < p.minInteger)
        integer.insert(0, static_cast<std::size_t>(p.minInteger) - integer.size(), '0');
    while (static_cast<int>(fraction.size()) > p.minFraction && fraction.back() == '0')
        fraction.pop_back();

    const bool allZero = grid.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (negative && !allZero)
        out.push_back('-');
    out += integer;
    if (!fraction.empty()) {
        out.append(decimalSeparator);
        out += fraction;
    }
    return out;
}

std::string WithUserSeparator(std::string_view text, std::string_view decimalSeparator) {
    const std::string_view other = OtherDecimalSeparator(decimalSeparator);
    const auto at = text.find(other);
    if (at == std::string_view::npos || decimalSeparator.empty() ||
        text.find(decimalSeparator) != std::string_view::npos ||
        text.find(other, at + other.size()) != std::string_view::npos)
        return std::string(text);
    std::string replaced(text);
    replaced.replace(at, other.size(), decimalSeparator);
    return IsNumber(replaced, decimalSeparator) ? replaced : std::string(text);
}

std::optional<FilterStep> TypingFilterStep(std::string_view text,
                                           std::string_view decimalSeparator) {
    if (std::string replaced = WithUserSeparator(text, decimalSeparator); replaced != text)
        return FilterStep{std::move(replaced), false};
    if (std::optional<double> value = ToDouble(text, decimalSeparator)) {
        if (*value < 0)
            return FilterStep{"0", false};
        return std::nullopt;
    }
    if (text.empty())
        return std::nullopt;
    return FilterStep{WithoutLastCharacter(text), true};
}

FilteredText ApplyTypingFilter(std::string_view text, std::string_view decimalSeparator) {
    FilteredText result{std::string(text), 0};
    while (std::optional<FilterStep> step = TypingFilterStep(result.text, decimalSeparator)) {
        result.text = std::move(step->text);
        if (step->beep)
            ++result.beeps;
    }
    return result;
}

std::string_view OtherDecimalSeparator(std::string_view decimalSeparator) {
    return decimalSeparator == "." ? std::string_view(",") : std::string_view(".");
}

LoadedFieldText LoadFieldText(std::string_view fileText, std::string_view decimalSeparator) {
    const std::string text = WithUserSeparator(fileText, decimalSeparator);
    FilteredText filtered = ApplyTypingFilter(text, decimalSeparator);
    const bool changed = filtered.text != text;
    return {std::move(filtered.text), changed};
}

} // namespace termiva::text
