// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace termiva::fuzz {

namespace fs = std::filesystem;

const std::string& ScratchFolder() {
    // Never destroyed: the handler that removes it runs at exit.
    static const std::string* folder = [] {
        std::string pattern = (fs::temp_directory_path() / "termiva-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            Fail("cannot make a scratch folder");
        // Removed at exit, with whatever an input left in it.
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(ScratchFolder(), ignored);
        });
        return new std::string(pattern);
    }();
    return *folder;
}

void ClearScratch() {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored))
        fs::remove_all(entry.path(), ignored);
}

std::vector<std::string> ScratchEntries() {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Fail("cannot write", path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

double Input::Double() {
    // Mostly ordinary magnitudes, sometimes any bit pattern at all.
    const std::uint8_t kind = Byte();
    if (kind % 8 == 0) {
        double value = 0;
        char bytes[sizeof value] = {};
        const std::size_t n = std::min(rest_.size(), sizeof value);
        std::memcpy(bytes, rest_.data(), n);
        rest_.remove_prefix(n);
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }
    const int whole = (Byte() << 8 | Byte()) - 1000;
    return whole + Byte() / 256.0;
}

} // namespace termiva::fuzz
