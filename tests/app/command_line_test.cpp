// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's command line: what each form of it asks for.

#include "app/command_line.h"
#include "support/version.h"

#include <QtTest>

using termiva::app::CommandLine;
using termiva::app::ParseCommandLine;
using Action = CommandLine::Action;

Q_DECLARE_METATYPE(CommandLine::Action)

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void qtOptions();
    void texts();
};

void CommandLineTest::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");

    const auto row = [](const char* name, QStringList args, Action action, const QString& file = {},
                        const QString& message = {}) {
        args.prepend(QStringLiteral("termiva"));
        QTest::newRow(name) << args << action << file << message;
    };
    row("nothing", {}, Action::Run);
    row("a file", {"examples/single-pipe.insp"}, Action::Run, "examples/single-pipe.insp");
    row("a name with blanks", {"my case.inv"}, Action::Run, "my case.inv");
    row("a name like an option after --", {"--", "-x.inmp"}, Action::Run, "-x.inmp");
    row("--help", {"--help"}, Action::Help);
    row("-h", {"-h"}, Action::Help);
    row("--version", {"--version"}, Action::Version);
    row("-v", {"-v"}, Action::Version);
    // Before Qt has taken its options out: help is still help.
    row("help beside an option of Qt", {"-platform", "offscreen", "--help"}, Action::Help);
    row("version beside a file", {"a.insp", "--version"}, Action::Version);
    row("unknown option", {"--frobnicate"}, Action::UsageError, {}, "Unknown option 'frobnicate'.");
    row("two files", {"a.insp", "b.inv"}, Action::UsageError, {}, "one input data file at a time");
}

void CommandLineTest::parse() {
    QFETCH(QStringList, arguments);
    const CommandLine line = ParseCommandLine(arguments);
    QTEST(line.action, "action");
    QTEST(line.file, "file");
    QTEST(line.message, "message");
}

// Single-dash words before "--" may be Qt's; our own options and file names are not.
void CommandLineTest::qtOptions() {
    using termiva::app::MayHoldQtOptions;
    const auto line = [](QStringList args) {
        args.prepend(QStringLiteral("termiva"));
        return args;
    };
    QVERIFY(MayHoldQtOptions(line({"-platform", "offscreen", "a.insp"})));
    QVERIFY(MayHoldQtOptions(line({"a.insp", "-style=fusion"})));
    QVERIFY(!MayHoldQtOptions(line({})));
    QVERIFY(!MayHoldQtOptions(line({"--frobnicate", "-h", "-v", "-", "a.insp", "b.inv"})));
    QVERIFY(!MayHoldQtOptions(line({"--", "-platform.insp"})));
    QVERIFY(!MayHoldQtOptions(QStringList{QStringLiteral("-termiva")})); // the program's name
}

void CommandLineTest::texts() {
    QCOMPARE(termiva::app::VersionText(),
             QStringLiteral("termiva %1\n").arg(QLatin1String(termiva::kVersion)) +
                 QLatin1String(termiva::kLicenceNotice));
    const QString help = termiva::app::HelpText();
    QVERIFY(help.startsWith(QStringLiteral("Usage: termiva [FILE]\n")));
    QVERIFY(help.endsWith(u'\n'));
    for (const char* option :
         {"--help", "--version", ".insp", ".inv", ".inmp", ".inlim", ".ineco", "termiva-calc"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
