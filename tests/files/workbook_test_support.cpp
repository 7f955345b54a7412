// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook_test_support.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

namespace termiva::files::testing {

namespace fs = std::filesystem;

std::string TemplatePath() {
    return TERMIVA_TEMPLATE;
}

std::string FixturePath(const std::string& name) {
    return std::string(TERMIVA_TEST_DATA) + "/workbook/" + name;
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("termiva-workbook-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
    fs::permissions(path_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(path_, error))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::string ScratchFolder::Copy(const std::string& source, const std::string& name) const {
    const fs::path target = path_ / name;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
    return target.string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::map<std::string, ZipEntry> ReadZip(const std::string& path) {
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive)
        throw std::runtime_error("not a zip: " + path);
    std::map<std::string, ZipEntry> entries;
    const auto count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        ZipEntry entry;
        entry.compSize = stat.comp_size;
        entry.crc = stat.crc;
        entry.data.resize(stat.size);
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (!file ||
            zip_fread(file, entry.data.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
            throw std::runtime_error("cannot read entry " + std::string(stat.name));
        zip_fclose(file);
        entries.emplace(stat.name, std::move(entry));
    }
    zip_discard(archive);
    return entries;
}

void EditZip(const std::string& path,
             const std::map<std::string, std::optional<std::string>>& edits) {
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), 0, &code);
    if (!archive)
        throw std::runtime_error("not a zip: " + path);
    for (const auto& [name, content] : edits) {
        const auto index = zip_name_locate(archive, name.c_str(), 0);
        if (!content) {
            if (index >= 0)
                zip_delete(archive, static_cast<zip_uint64_t>(index));
            continue;
        }
        void* copy = std::malloc(content->size() + 1);
        // NOLINTNEXTLINE(bugprone-not-null-terminated-result): bytes of a part, not a C string
        std::memcpy(copy, content->data(), content->size());
        // NOLINTNEXTLINE(clang-analyzer-unix.Malloc): source owns copy (freep = 1)
        zip_source_t* source = zip_source_buffer(archive, copy, content->size(), 1);
        const auto result =
            index >= 0 ? zip_file_replace(archive, static_cast<zip_uint64_t>(index), source, 0)
                       : zip_file_add(archive, name.c_str(), source, 0);
        if (result < 0)
            throw std::runtime_error("cannot write entry " + name);
    }
    if (zip_close(archive) != 0)
        throw std::runtime_error("cannot save " + path);
}

void ClaimEntrySize(const std::string& path, const std::string& name, std::uint32_t size) {
    std::string bytes = ReadBytes(path);
    const auto u16 = [&](std::size_t at) {
        return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at]) |
                                        static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    bool found = false;
    for (auto at = bytes.find("PK\x01\x02"); at != std::string::npos;
         at = bytes.find("PK\x01\x02", at + 4)) {
        if (bytes.compare(at + 46, u16(at + 28), name) != 0 || u16(at + 28) != name.size())
            continue;
        put32(at + 24, size);           // central directory: uncompressed size
        put32(u32(at + 42) + 22, size); // local header: uncompressed size
        found = true;
    }
    if (!found)
        throw std::runtime_error("no entry " + name);
    WriteBytes(path, bytes);
}

int RunWithoutPrivileges(const std::function<int()>& body) {
    if (::geteuid() != 0)
        return body();
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        const int result = body();
        std::fflush(nullptr);
        ::_exit(result);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

double SampleValue(int row, int column, double offset) {
    if (column == 0)
        return (row <= 10 ? 10.0 * row : 100.0 * (row - 9)) + offset;
    return row * 100 + column * 10 + 0.25 + offset;
}

DiagramExportData SampleData(const std::string& separator, double offset) {
    DiagramExportData data;
    data.decimalSeparator = separator;
    data.fluidTemperatureText = "143" + separator + "5";
    for (int j = 0; j < 5; ++j)
        data.thicknessTexts[static_cast<std::size_t>(j)] =
            std::to_string(20 + 10 * j) + separator + "5";
    for (int i = 1; i <= 19; ++i) {
        for (int c = 0; c < 7; ++c) {
            char text[32];
            std::snprintf(text, sizeof text, c == 0 ? "%.0f" : "%.2f", SampleValue(i, c, offset));
            std::string value = text;
            if (const auto dot = value.find('.'); dot != std::string::npos)
                value.replace(dot, 1, separator);
            data.table[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(c)] = value;
        }
    }
    return data;
}

} // namespace termiva::files::testing
