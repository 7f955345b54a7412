// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way TERMIVA replaces a file (input files, the exported workbook,
// the report PDF): the new file is made complete as a temporary file in the
// target's folder, flushed to the disk and renamed over the target. On any
// failure the temporary file is removed and the previous file (if any) stays
// exactly as it was. A new file gets the usual permissions (0666 less the
// umask), a replaced one keeps its own; a symbolic link is followed, so the
// file it points to is replaced and the link stays. An existing target that is
// not a regular file (a folder, a device, a pipe) is refused and left alone.
// Failures are told by their cause ("No space left on device").

#include "files/file_error.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace termiva::files {

// A replacement being made. Create checks the target and makes the temporary
// file; the caller fills it (through fd(), or by path), then Commit renames it
// over the target. Destroyed uncommitted, it removes the temporary file.
class StagedFile {
public:
    // The error is the reason alone ("it is not a regular file"), for the
    // caller's message.
    static std::unique_ptr<StagedFile> Create(const std::string& path, std::string& reason);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::string& temporaryPath() const { return temporary_; }
    // Open for writing until Commit; -1 once closed with CloseFd.
    int fd() const { return fd_; }
    // For callers that rewrite the temporary file by its path.
    void CloseFd();

    // Writes all of `bytes` at the end of the temporary file; the reason on failure.
    std::optional<std::string> Append(std::string_view bytes);
    // Gives the temporary file the target's permissions, flushes it and
    // renames it over the target; the reason on failure (then the target is
    // untouched and the temporary file gone).
    std::optional<std::string> Commit();

private:
    StagedFile() = default;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    mode_t mode_ = 0;
    bool committed_ = false;
};

// The whole replacement for bytes in memory; the reason on failure.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view bytes);

// ReplaceFile with the input files' message: "Could not save "PATH": REASON."
std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Whether two paths name the same file: by identity (device and inode) when
// both exist, so that "../", links and hard links are seen through; else by
// their absolute, normalised names (a file not written yet).
bool SameFile(const std::string& a, const std::string& b);

} // namespace termiva::files
