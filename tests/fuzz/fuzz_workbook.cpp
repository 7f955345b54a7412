// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a workbook from any bytes and reading its first worksheet and its chart.

#include "fuzz_support.h"
#include "workbook_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    termiva::fuzz::CheckReading(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
