// SPDX-License-Identifier: GPL-3.0-or-later
// Workbooks zipped from parts that the fuzzer mutates as plain text, so that
// mutations reach the XML instead of breaking the compression. The input is
// a list of parts, each "@@ name\n" followed by its bytes.

#include "fuzz_support.h"
#include "workbook_checks.h"

#include <cstdlib>
#include <cstring>
#include <zip.h>

using namespace termiva::fuzz;

namespace {

// The zip of the parts, stored without compression.
std::string Zip(std::string_view input) {
    const std::string path = ScratchFolder() + "/parts.zip";
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        Fail("cannot make a zip");
    constexpr std::string_view kMarker = "@@ ";
    std::size_t at = input.find(kMarker);
    while (at != std::string_view::npos) {
        const std::size_t nameEnd = input.find('\n', at);
        if (nameEnd == std::string_view::npos)
            break;
        const std::string name(input.substr(at + kMarker.size(), nameEnd - at - kMarker.size()));
        const std::size_t next = input.find("\n@@ ", nameEnd);
        const std::size_t end = next == std::string_view::npos ? input.size() : next;
        const std::string_view bytes = input.substr(nameEnd + 1, end - nameEnd - 1);
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE) : -1;
        if (index < 0)
            zip_source_free(source);
        else
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
        at = next == std::string_view::npos ? next : next + 1;
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return {};
    }
    return ReadFile(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ClearScratch();
    const std::string workbook = Zip(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckReading(workbook);
    CheckExport(workbook);
    return 0;
}
