// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <ostream>
#include <set>

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

std::function<std::optional<std::string>(const std::string&)> SetFlag(bool& flag) {
    return [&flag](const std::string&) -> std::optional<std::string> {
        flag = true;
        return std::nullopt;
    };
}

std::function<std::optional<std::string>(const std::string&)> SetText(std::string& text) {
    return [&text](const std::string& value) -> std::optional<std::string> {
        text = value;
        return std::nullopt;
    };
}

std::function<std::optional<std::string>(const std::string&)>
SetText(std::optional<std::string>& text) {
    return [&text](const std::string& value) -> std::optional<std::string> {
        text = value;
        return std::nullopt;
    };
}

std::optional<std::vector<std::string>> ParseOptions(const std::vector<std::string>& args,
                                                     const std::vector<Option>& table,
                                                     std::string_view unknownSuffix,
                                                     std::ostream& err) {
    std::vector<std::string> files;
    std::set<std::string, std::less<>> given;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::string name = arg.substr(0, arg.find('='));
        const Option* option = nullptr;
        for (const Option& candidate : table) {
            const bool named =
                candidate.takesValue
                    ? name == candidate.name
                    : arg == candidate.name || (!candidate.alias.empty() && arg == candidate.alias);
            if (named) {
                option = &candidate;
                break;
            }
        }
        if (!option)
            return UsageError(err, "unknown option " + arg + std::string(unknownSuffix));
        // A value given twice is a usage error, not "the last one wins".
        if (option->takesValue && !given.insert(name).second)
            return UsageError(err, name + " is given more than once");
        const std::string value = option->takesValue ? OptionValue(args, i, name) : std::string();
        if (option->takesValue && value.empty() && !option->whenEmpty.empty())
            return UsageError(err, name + " " + std::string(option->whenEmpty));
        if (auto error = option->take(value))
            return UsageError(err, *error);
    }
    return files;
}

} // namespace termiva::cli
