// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the workbook layer's tests: fixture paths, scratch folders and
// zip surgery for the damaged and unusual workbooks the tests need.

#include "files/diagram_export.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace termiva::files::testing {

std::string TemplatePath();
std::string FixturePath(const std::string& name); // under tests/data/workbook

// A fresh folder, removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::filesystem::path& path() const { return path_; }
    // Copies `source` into the folder under `name`, returns the new path.
    std::string Copy(const std::string& source, const std::string& name) const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

struct ZipEntry {
    std::string data;                // uncompressed
    unsigned long long compSize = 0; // as stored
    unsigned crc = 0;
};
std::map<std::string, ZipEntry> ReadZip(const std::string& path);

// Replaces, adds (value) or deletes (nullopt) entries of a zip in place.
void EditZip(const std::string& path,
             const std::map<std::string, std::optional<std::string>>& edits);

// Makes the zip directory and the local header of entry `name` claim an
// uncompressed size of `size` bytes, as a hostile file would.
void ClaimEntrySize(const std::string& path, const std::string& name, std::uint32_t size);

// Runs `body` as a user whom file permissions bind (as root: in a child
// process that has given up root). Returns body's result.
int RunWithoutPrivileges(const std::function<int()>& body);

// The table screen's texts for a run of the export: every value distinct,
// so that each cell can be traced ("12,25" with separator ",").
DiagramExportData SampleData(const std::string& separator, double offset = 0);
// The number SampleData puts in table row `row` (1..19), column `column` (0..6).
double SampleValue(int row, int column, double offset = 0);

} // namespace termiva::files::testing
