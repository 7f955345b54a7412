// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

namespace termiva::cli {

std::nullopt_t UsageError(std::ostream& err, const std::string& message) {
    err << "termiva-calc: " << message << "\n"
        << "Try 'termiva-calc --help'.\n";
    return std::nullopt;
}

std::string OptionValue(const std::vector<std::string>& args, std::size_t& i,
                        const std::string& name) {
    const std::string& arg = args[i];
    if (name.size() < arg.size())
        return arg.substr(name.size() + 1);
    if (i + 1 < args.size())
        return args[++i];
    return {};
}

bool GivenBefore(std::set<std::string>& given, const std::string& name) {
    return !given.insert(name).second;
}

} // namespace termiva::cli
