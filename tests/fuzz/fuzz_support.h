// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the fuzz targets: a scratch folder of the process, files in it,
// the bytes an input holds, and the checks that turn a broken promise into
// a finding.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::fuzz {

// A folder of this process's own, emptied before each input by the target.
const std::string& ScratchFolder();
// Removes everything in the scratch folder.
void ClearScratch();
// The names in the scratch folder, sorted.
std::vector<std::string> ScratchEntries();

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

// Reads an input from the front: small numbers and the rest as bytes.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}
    std::uint8_t Byte() {
        if (rest_.empty())
            return 0;
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }
    double Double();
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

// A broken promise: reports it and aborts, which the fuzzer keeps as a crash.
[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "FUZZ FINDING: %s %.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void Check(bool condition, const char* what, std::string_view detail = {}) {
    if (!condition)
        Fail(what, detail);
}

} // namespace termiva::fuzz
