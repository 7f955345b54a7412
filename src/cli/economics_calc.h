// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// termiva-calc's energy, cost and economic thickness: saved energy and cost
// files (--economics FILE.ineco), or the pipe or vessel of a saved single
// pipe or vessel file with the operating and money inputs and the candidates
// on the command line.

#include "cli/calc.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cli {

// True when the arguments ask for the energy and cost (--economics).
bool IsEconomicsCommand(const std::vector<std::string>& args);

// Runs such a command (arguments without the program name) with the exit
// statuses of Run; --report writes the energy and cost screen's report
// through `writeReport`, as Run does for the other files.
int RunEconomics(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::string_view decimalSeparator, const ReportWriter& writeReport = {});

// The lines --help adds for these options.
std::string EconomicsUsage();

} // namespace termiva::cli
