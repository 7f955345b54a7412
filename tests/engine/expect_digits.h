// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Compares a computed value with a reference written to a few digits: the
// value must round to the reference at the reference's last written digit.

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace termiva::test {

inline ::testing::AssertionResult MatchesDigits(const char* actualExpr, const char* /*refExpr*/,
                                                double actual, const std::string& reference) {
    const std::size_t ePos = reference.find_first_of("eE");
    const std::string mantissa = reference.substr(0, ePos);
    const int exponent = ePos == std::string::npos ? 0 : std::stoi(reference.substr(ePos + 1));
    const std::size_t dot = mantissa.find('.');
    const int decimals = dot == std::string::npos ? 0 : static_cast<int>(mantissa.size() - dot - 1);
    const double expected = std::stod(reference);
    // Half a unit of the last written digit, with room for the reference's own
    // decimal rounding.
    const double tolerance = 0.5 * std::pow(10.0, exponent - decimals) * (1 + 1e-9);
    if (std::abs(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actualExpr << " = " << testing::PrintToString(actual) << " does not match "
           << reference << " (tolerance " << tolerance << ")";
}

} // namespace termiva::test

#define EXPECT_DIGITS(actual, reference)                                                           \
    EXPECT_PRED_FORMAT2(::termiva::test::MatchesDigits, actual, reference)
