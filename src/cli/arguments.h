// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The options of termiva-calc, each form's in one table, and the one parser
// of those tables: how an option's value is taken and how a usage error is
// told.

#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cli {

// Writes "termiva-calc: MESSAGE" and the hint to --help; returns nullopt for
// the parser to return.
std::nullopt_t UsageError(std::ostream& err, const std::string& message);

// The value of option `name` in `args[i]`: after "=" ("--name=value"), else
// the next argument, which is then used up (i moves on); empty when neither.
std::string OptionValue(const std::vector<std::string>& args, std::size_t& i,
                        const std::string& name);

// An option: its name and short name, whether it takes a value
// ("--name=value" or the next argument) and what it does with it.
struct Option {
    std::string_view name;  // "--json"
    std::string_view alias; // "-h"; empty for none
    bool takesValue = false;
    // What a usage error says after the name when the value is empty ("needs
    // a file name"); empty: an empty value is taken as it is.
    std::string_view whenEmpty;
    // Takes the value (empty for an option without one); the message of a
    // usage error, or nothing.
    std::function<std::optional<std::string>(const std::string& value)> take;
};

// Options that set a flag or keep their value as typed.
std::function<std::optional<std::string>(const std::string&)> SetFlag(bool& flag);
std::function<std::optional<std::string>(const std::string&)> SetText(std::string& text);
std::function<std::optional<std::string>(const std::string&)>
SetText(std::optional<std::string>& text);

// Reads `args` by `table`: an option without a value only as written, one
// with a value also as "--name=value"; every other argument, and each after
// "--", is a file. The files, or nothing after a usage error ("unknown
// option ARG" followed by `unknownSuffix`) written to `err`.
std::optional<std::vector<std::string>> ParseOptions(const std::vector<std::string>& args,
                                                     const std::vector<Option>& table,
                                                     std::string_view unknownSuffix,
                                                     std::ostream& err);

} // namespace termiva::cli
