// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/file_error.h"

#include <optional>
#include <string>
#include <string_view>

namespace termiva::files {

// Replaces the file at `path` with `bytes`, all or nothing: the bytes go to a
// temporary file in the same folder, which is flushed to the disk and then
// renamed over the target. On any failure the temporary file is removed and
// the previous file (if any) stays exactly as it was. A new file gets the
// usual permissions (0666 less the umask), a replaced one keeps its own; a
// symbolic link is followed, so the file it points to is replaced. An
// existing target that is not a regular file (a folder, a device, a pipe) is
// refused and left alone.
std::optional<FileError> WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace termiva::files
