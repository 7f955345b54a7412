// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop program's command line: termiva [FILE], --help, --version.
// Parsed before the window system is opened, so that --help and --version
// work without a display, and again after Qt has taken its own options
// (-platform, -style, ...) out of the arguments.

#include <QString>
#include <QStringList>

namespace termiva::app {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    QString file;    // Run: the input data file to open; empty for none
    QString message; // UsageError: what is wrong, without the program name
};

// `arguments` as the program got them, the program's name first. --help and
// --version win over anything else on the line, an unknown option included.
CommandLine ParseCommandLine(const QStringList& arguments);

// Whether `arguments` may hold options of Qt itself, which are single-dash
// words (-platform, -style, ...) before a "--". Until Qt has taken them out
// of the arguments, a usage error may be theirs.
bool MayHoldQtOptions(const QStringList& arguments);

// What --help and --version print, each ending in a line end.
QString HelpText();
QString VersionText();

} // namespace termiva::app
