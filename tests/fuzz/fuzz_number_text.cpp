// SPDX-License-Identifier: GPL-3.0-or-later
// The number text: the test of what a number is, the conversions both ways,
// the display patterns and the typing filter, with three separators.

#include "fuzz_support.h"
#include "text/number_text.h"

#include <cmath>

using namespace termiva;
using namespace termiva::fuzz;

namespace {

constexpr const char* kSeparators[] = {".", ",", "\xC2\xB7"};
constexpr const char* kPatterns[] = {"####0.#0", "####.0",     "####0",
                                     "####0.0",  "#######0.0", "###0.0"};

// What a field can hold after the filter: nothing, or a number not below zero.
void CheckFieldText(const std::string& text, const std::string& separator, const char* what) {
    if (text.empty())
        return;
    const auto value = text::ToDouble(text, separator);
    Check(value && *value >= 0, what, text);
    Check(!text::TypingFilterStep(text, separator), "the filter does not rest", text);
}

// Every finite value shows as a text that reads back.
void CheckShown(double value, const std::string& separator) {
    for (const char* pattern : kPatterns) {
        const std::string shown = text::Format(value, pattern, separator);
        Check(text::ToDouble(shown, separator).has_value(), "Format gives a non-number", shown);
    }
    const std::string plain = text::ToText(value, separator);
    const auto back = text::ToDouble(plain, separator);
    Check(back && *back == value, "ToText does not read back the same value", plain);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::string separator = kSeparators[input.Byte() % 3];
    const double any = input.Double();
    const std::string_view text = input.Rest();
    if (text.size() > 1024) // no field line is longer
        return 0;
    if (std::isfinite(any))
        CheckShown(any, separator);

    const auto value = text::ToDouble(text, separator);
    Check(text::IsNumber(text, separator) == value.has_value(), "IsNumber and ToDouble differ");
    if (value) {
        Check(std::isfinite(*value), "a number that is not finite", text);
        CheckShown(*value, separator);
    }

    const auto filtered = text::ApplyTypingFilter(text, separator);
    CheckFieldText(filtered.text, separator, "the typing filter leaves a non-number");
    const auto loaded = text::LoadFieldText(text, separator);
    CheckFieldText(loaded.text, separator, "loading leaves a non-number");
    if (value && *value >= 0)
        Check(!loaded.changed && loaded.text == text, "loading changes a number", text);
    return 0;
}
