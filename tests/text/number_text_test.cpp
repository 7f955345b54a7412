// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace termiva::text {
namespace {

struct NumberCase {
    const char* text;
    const char* separator;
    bool isNumber;
    double value; // when isNumber
};

TEST(NumberTextTest, GrammarAndValue) {
    const NumberCase cases[] = {
        {"0", ".", true, 0},
        {"143", ".", true, 143},
        {"0.07", ".", true, 0.07},
        {"0,07", ",", true, 0.07},
        {"1.", ".", true, 1},
        {".5", ".", true, 0.5},
        {"+2.5", ".", true, 2.5},
        {"-5", ".", true, -5},
        {"1e3", ".", true, 1000},
        {"2.5E-2", ".", true, 0.025},
        {"1,5e+2", ",", true, 150},
        {"1e-400", ".", true, 0}, // underflow: a tiny value reads as zero
        {"0e999", ".", true, 0},
        {"1\u00b75", "\u00b7", true, 1.5}, // a multi-byte separator
        {"", ".", false, 0},
        {"-", ".", false, 0},
        {"+", ".", false, 0},
        {".", ".", false, 0},
        {"-.", ".", false, 0},
        {"0,05", ".", false, 0}, // another locale's separator
        {"0.05", ",", false, 0},
        {"1.2.3", ".", false, 0},
        {"1e", ".", false, 0},
        {"1e+", ".", false, 0},
        {"e5", ".", false, 0},
        {" 1", ".", false, 0},
        {"1 ", ".", false, 0},
        {"1,000", ".", false, 0},
        {"12a5", ".", false, 0},
        {"--1", ".", false, 0},
        {"1e999", ".", false, 0}, // beyond a finite double
        {"-1e400", ".", false, 0},
        {"inf", ".", false, 0},
        {"nan", ".", false, 0},
        {"0x10", ".", false, 0},
        {"\u00b7", "\u00b7", false, 0},
    };
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' separator '" + c.separator + "'");
        EXPECT_EQ(IsNumber(c.text, c.separator), c.isNumber);
        std::optional<double> value = ToDouble(c.text, c.separator);
        ASSERT_EQ(value.has_value(), c.isNumber);
        if (c.isNumber) {
            EXPECT_DOUBLE_EQ(*value, c.value);
        }
    }
}

TEST(NumberTextTest, ToTextWritesTheShortestFormThatReadsBack) {
    EXPECT_EQ(ToText(26.9, ","), "26,9");
    EXPECT_EQ(ToText(26.9, "."), "26.9");
    EXPECT_EQ(ToText(20, "."), "20");
    EXPECT_EQ(ToText(273, "."), "273");
    EXPECT_EQ(ToText(0.1 + 0.2, "."), "0.30000000000000004");
    EXPECT_EQ(ToText(123456789, "."), "123456789");
    EXPECT_EQ(ToText(0.0001, "."), "0.0001");
    EXPECT_EQ(ToText(-0.0, "."), "0");
    EXPECT_EQ(ToText(-2.5, ","), "-2,5");
    for (double value : {1e300, 1e-300, 5e-324, 123.456e20, 0.07, 1e15, 9.99e14}) {
        std::string text = ToText(value, ",");
        ASSERT_TRUE(IsNumber(text, ",")) << text;
        EXPECT_EQ(*ToDouble(text, ","), value) << text;
    }
}

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(NumberTextTest, FormatPatterns) {
    const FormatCase cases[] = {
        {225.216, "####0.#0", "225.22"},
        {24.5, "####0.#0", "24.50"},
        {2.675, "####0.#0", "2.68"}, // half away from zero on the decimal form
        {0.004, "####0.#0", "0.00"},
        {0.005, "####0.#0", "0.01"},
        {87.2449, "####0.#0", "87.24"},
        {99.995, "####0.#0", "100.00"},
        {143, "####.0", "143.0"},
        {0.5, "####.0", ".5"},
        {0, "####.0", ".0"},
        {40.25, "####.0", "40.3"},
        {37290.4, "####0", "37290"},
        {37290.5, "####0", "37291"},
        {0.4, "####0", "0"},
        {123456789, "####0", "123456789"}, // more digits than the pattern
        {4896.35, "####0.0", "4896.4"},
        {12345.67, "#######0.0", "12345.7"},
        {0.04, "#######0.0", "0.0"},
        {5, "###0.0", "5.0"},
        {-5.25, "###0.0", "-5.3"},
        {-0.04, "####0.0", "0.0"}, // no "-0.0"
        {-0.06, "####0.0", "-0.1"},
        {-0.0, "####0.0", "0.0"},
        {1e20, "####0", "100000000000000000000"},
        {1e-20, "####0.#0", "0.00"},
        {0.05, "0.0##", "0.05"}, // trailing '#' decimals only when significant
        {0.5, "0.0##", "0.5"},
        {1.23456, "0.0##", "1.235"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " of " + std::to_string(c.value));
        EXPECT_EQ(Format(c.value, c.pattern, "."), c.expected);
    }
    EXPECT_EQ(Format(225.216, "####0.#0", ","), "225,22");
    EXPECT_EQ(Format(0.5, "####.0", ","), ",5");
    EXPECT_EQ(Format(1.25, "###0.0", "\u00b7"), "1\u00b73");
}

struct FilterCase {
    const char* text;
    const char* separator;
    const char* expected;
    int beeps;
};

TEST(NumberTextTest, TypingFilter) {
    const FilterCase cases[] = {
        {"", ".", "", 0},
        {"143", ".", "143", 0},
        {"1.", ".", "1.", 0},
        {"0.07", ".", "0.07", 0},
        {"12a5", ".", "12", 2},
        {"3x", ".", "3", 1},
        {"abc", ".", "", 3},
        {"-5", ".", "0", 0},
        {"-0", ".", "-0", 0}, // not below zero: left as typed
        {"-", ".", "", 1},
        {".", ".", "", 1},
        {"0,05", ".", "0.05", 0}, // the other separator becomes the user's
        {"0.05", ",", "0,05", 0},
        {"1,2.", ",", "1,2", 1}, // a second separator is still removed
        {"1.2.", ",", "1,2", 1},
        {"12,", ".", "12.", 0},
        {"0,05", ",", "0,05", 0},
        {"-2,5x", ",", "0", 1},
        {" 7", ".", "", 2},
        {"1e999", ".", "1e99", 1},
        {"7\u00be", ".", "7", 1}, // a multi-byte character goes as one
        {"2\u00b7", "\u00b7", "2\u00b7", 0},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "' separator '" + c.separator + "'");
        FilteredText filtered = ApplyTypingFilter(c.text, c.separator);
        EXPECT_EQ(filtered.text, c.expected);
        EXPECT_EQ(filtered.beeps, c.beeps);
    }
}

TEST(NumberTextTest, TypingFilterStepIsOneChange) {
    EXPECT_FALSE(TypingFilterStep("12", ".").has_value());
    EXPECT_FALSE(TypingFilterStep("", ".").has_value());
    std::optional<FilterStep> step = TypingFilterStep("12a5", ".");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->text, "12a");
    EXPECT_TRUE(step->beep);
    step = TypingFilterStep("-7.5", ".");
    ASSERT_TRUE(step);
    EXPECT_EQ(step->text, "0");
    EXPECT_FALSE(step->beep);
}

// Every text Format gives must read back: near the largest double, rounding
// to 15 digits would pass it.
TEST(NumberTextTest, FormatOfTheLargestValuesReadsBack) {
    const double largest = std::numeric_limits<double>::max();
    const double values[] = {largest,
                             -largest,
                             std::nextafter(largest, 0.0),
                             std::nextafter(-largest, 0.0),
                             1.79769313486231e308,
                             9.999999999999999e307};
    for (double value : values) {
        for (const char* pattern : {"####0.#0", "####.0", "####0", "####0.0", "#######0.0"}) {
            for (const char* separator : {".", ","}) {
                const std::string text = Format(value, pattern, separator);
                SCOPED_TRACE(text);
                const auto back = ToDouble(text, separator);
                ASSERT_TRUE(back.has_value());
                EXPECT_NEAR(*back / value, 1.0, 1e-14);
            }
        }
    }
    EXPECT_EQ(Format(1.5e300, "####0", ".").substr(0, 3), "150");
}

TEST(NumberTextTest, LoadingReadsADecimalSavedUnderTheOtherSeparator) {
    struct Case {
        const char* file;
        const char* separator;
        const char* field;
        bool changed;
    };
    const Case cases[] = {
        {"143,5", ".", "143.5", false},
        {"0,95", ".", "0.95", false},
        {"143.5", ",", "143,5", false},
        {",5", ".", ".5", false},
        {"20", ".", "20", false},
        {"0.05", ".", "0.05", false},
        {"", ".", "", false},
        {"1,5e3", ".", "1.5e3", false},
        {"1,000,5", ".", "1.000", true},
        {"-1,5", ".", "0", true}, // a sign is no digit
        {"-4", ".", "0", true},
        {"12a5", ".", "12", true},
        {",", ".", "", true},
        {"1\u00b75", ",", "1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " with " + c.separator);
        const LoadedFieldText loaded = LoadFieldText(c.file, c.separator);
        EXPECT_EQ(loaded.text, c.field);
        EXPECT_EQ(loaded.changed, c.changed);
    }
    EXPECT_EQ(OtherDecimalSeparator("."), ",");
    EXPECT_EQ(OtherDecimalSeparator(","), ".");
    EXPECT_EQ(OtherDecimalSeparator("\u00b7"), ".");
}

} // namespace
} // namespace termiva::text
