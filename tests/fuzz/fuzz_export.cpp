// SPDX-License-Identifier: GPL-3.0-or-later
// The diagram export into a template made of any bytes.

#include "fuzz_support.h"
#include "workbook_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    termiva::fuzz::CheckExport(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
