// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"
#include "platform/platform.h"
#include "screens/app_paths.h"
#include "screens/leave_check.h"
#include "screens/main_window.h"

#include <cstdio>

#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QTimer>

namespace {

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char** argv) {
    using termiva::app::CommandLine;
    // --help and --version answer before the window system is opened, so
    // they work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << termiva::FileNameFromLocal(QByteArray(argv[i]));
    const CommandLine early = termiva::app::ParseCommandLine(arguments);
    if (early.action == CommandLine::Action::Help) {
        Print(stdout, termiva::app::HelpText());
        return termiva::app::kExitOk;
    }
    if (early.action == CommandLine::Action::Version) {
        Print(stdout, termiva::app::VersionText());
        return termiva::app::kExitOk;
    }
    const auto usageError = [](const CommandLine& line) {
        Print(stderr, QStringLiteral("termiva: %1\nTry 'termiva --help'.\n").arg(line.message));
        return termiva::app::kExitUsage;
    };
    // A usage error that cannot be Qt's is told before the display is opened.
    if (early.action == CommandLine::Action::UsageError &&
        !termiva::app::MayHoldQtOptions(arguments))
        return usageError(early);

    termiva::TermivaApplication app(argc, argv);
    // Qt has taken its own options out of argv by now. The file name is
    // kept byte for byte: it need not be UTF-8.
    arguments.clear();
    for (int i = 0; i < argc; ++i)
        arguments << termiva::FileNameFromLocal(QByteArray(argv[i]));
    const CommandLine command = termiva::app::ParseCommandLine(arguments);
    if (command.action == CommandLine::Action::UsageError)
        return usageError(command);

    QCoreApplication::setApplicationName(QStringLiteral("TERMIVA"));
    QCoreApplication::setOrganizationName(QStringLiteral("TERMIVA"));
    // No display name: the window manager would add it to every window title
    // ("Error — TERMIVA"), and message boxes and dialogs carry their own.
    // The desktop entry's name, so that the desktop matches windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("termiva"));
    if (const QString icon = QStringLiteral(":/images/termiva.svg"); QFile::exists(icon))
        QApplication::setWindowIcon(QIcon(icon));
    // Numbers are typed and shown with the user's decimal separator.
    QLocale::setDefault(QLocale::system());

    termiva::QtPlatform platform;
    termiva::MDIForm1 window(platform);
    const QSize preferred(1280, 860);
    const QRect available = window.screen()->availableGeometry();
    if (available.width() < preferred.width() || available.height() < preferred.height()) {
        window.showMaximized();
    } else {
        window.resize(preferred);
        window.move(available.center() - window.rect().center());
        window.show();
    }
    // Once the window is up, so that its messages appear over it.
    if (!command.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file = command.file] { window.OpenFile(file); });
    return QApplication::exec();
}
