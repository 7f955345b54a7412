// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the option parsers of termiva-calc share: how a usage error is told and
// how an option's value is taken.

#include <cstddef>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace termiva::cli {

// Writes "termiva-calc: MESSAGE" and the hint to --help; returns nullopt for
// the parser to return.
std::nullopt_t UsageError(std::ostream& err, const std::string& message);

// The value of option `name` in `args[i]`: after "=" ("--name=value"), else
// the next argument, which is then used up (i moves on); empty when neither.
std::string OptionValue(const std::vector<std::string>& args, std::size_t& i,
                        const std::string& name);

// Records that option `name` was given; true when it was given before. A
// value given twice is a usage error, not "the last one wins".
bool GivenBefore(std::set<std::string>& given, const std::string& name);

} // namespace termiva::cli
