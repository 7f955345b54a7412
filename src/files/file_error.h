// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace termiva::files {

// Why a file operation did not happen, in the user's terms: the message names
// the file and the problem ("... is not a valid vessel input file: it has only 7
// of its 14 lines.").
struct FileError {
    std::string message;
};

} // namespace termiva::files
