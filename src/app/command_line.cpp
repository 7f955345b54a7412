// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "support/version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace termiva::app {

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // One dash or two: -help is the option "help", not -h -e -l -p.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("file"), QString());

    CommandLine line;
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
    } else if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
    } else if (!parsed) {
        line.action = CommandLine::Action::UsageError;
        line.message = parser.errorText();
    } else if (parser.positionalArguments().size() > 1) {
        line.action = CommandLine::Action::UsageError;
        line.message = QStringLiteral("one input data file at a time");
    } else if (!parser.positionalArguments().isEmpty()) {
        line.file = parser.positionalArguments().constFirst();
    }
    return line;
}

bool MayHoldQtOptions(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            return false;
        if (argument.size() > 2 && argument.startsWith(u'-') && argument[1] != u'-')
            return true;
    }
    return false;
}

QString HelpText() {
    return QStringLiteral(
        "Usage: termiva [FILE]\n"
        "Heat losses of bare and insulated pipes and vessels.\n"
        "\n"
        "Starts the desktop program. With FILE, an input data file saved by one of\n"
        "its screens, opens that screen and loads the file as \"Load from file\" does:\n"
        "single pipe (.insp), vessel (.inv), multiple pipes (.inmp), thickness for\n"
        "a limit (.inlim) or energy and cost (.ineco).\n"
        "\n"
        "  -h, --help     show this text\n"
        "  -v, --version  show the program's version\n"
        "\n"
        "The options of Qt programs (-platform, -style, ...) are accepted as well.\n"
        "To calculate saved files without a window, use termiva-calc.\n"
        "Exit status: 0, or 2 for a usage error.\n");
}

QString VersionText() {
    return QStringLiteral("termiva %1\n").arg(QLatin1String(kVersion)) +
           QString::fromUtf8(kLicenceNotice);
}

} // namespace termiva::app
