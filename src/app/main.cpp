#include "platform/platform.h"
#include "screens/leave_check.h"
#include "screens/main_window.h"

#include <QFile>
#include <QIcon>
#include <QLocale>
#include <QScreen>

int main(int argc, char** argv) {
    termiva::TermivaApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TERMIVA"));
    QCoreApplication::setOrganizationName(QStringLiteral("TERMIVA"));
    // No display name: the window manager would add it to every window title
    // ("Error — TERMIVA"), and message boxes and dialogs carry their own.
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
    return QApplication::exec();
}
