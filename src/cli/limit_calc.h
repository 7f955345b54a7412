// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// termiva-calc's thickness for a limit: a saved limit file (--limit), or the
// pipe or vessel of a saved single pipe or vessel file with the limits on the
// command line (--max-surface, --max-loss, --standard).

#include "cli/calc.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cli {

// True when the arguments ask for a thickness for a limit.
bool IsLimitCommand(const std::vector<std::string>& args);

// Runs such a command (arguments without the program name) with the exit
// statuses of Run; --report writes the limit screen's report through
// `writeReport`, as Run does for the other files.
int RunLimit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             std::string_view decimalSeparator, const ReportWriter& writeReport = {});

// The lines --help adds for these options.
std::string LimitUsage();

// The object of an object list entry (pipe, then the vessel shapes) as the
// JSON outputs name it: "pipe", "rectangular", ...
std::string_view ObjectJsonName(int listIndex);

} // namespace termiva::cli
