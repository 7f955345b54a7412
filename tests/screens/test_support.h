// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared by the screen tests: main() with the program's application object and
// a fixed locale, a scoped locale switch, answering a real modal window, and
// the check after each test that nothing unexpected was shown or left open.

#include "platform/scripted_platform.h"
#include "screens/leave_check.h"

#include <functional>
#include <memory>

#include <QApplication>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace termiva::test {

inline QLocale PointLocale() {
    return QLocale::c();
}
inline QLocale CommaLocale() {
    return QLocale(QLocale::German, QLocale::Germany);
}

// The default locale (what the screens read) for the lifetime of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) : previous_(QLocale()) {
        QLocale::setDefault(locale);
    }
    ~ScopedLocale() { QLocale::setDefault(previous_); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    QLocale previous_;
};

// Calls `answer` with the next modal window once it is open in its exec()
// loop (a QMessageBox or QFileDialog of QtPlatform); `answer` must close it.
// Gives up after `timeoutMs`.
inline void AnswerNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000) {
    auto* timer = new QTimer(qApp);
    auto left = std::make_shared<int>(timeoutMs / 10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, left, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && --*left > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (modal)
            answer(modal);
    });
    timer->start(10);
}

// What a test left behind, as one line per problem (empty when clean), and
// the records reset for the next test: messages and dialogs it did not take,
// dialogs shown with no scripted answer, answers nobody asked for, and
// parentless windows other than `keep`. Beeps are not checked: tests of the
// typing filter take them, other tests may ignore them.
inline QString Leftovers(ScriptedPlatform& platform, const QWidgetList& keep = {}) {
    QStringList problems;
    for (const auto& m : platform.takeMessages())
        problems << QStringLiteral("message not taken: %1 \"%2\"").arg(m.title, m.text);
    for (const auto& d : platform.takeDialogs())
        problems << QStringLiteral("dialog not taken: \"%1\"").arg(d.settings.DialogTitle);
    for (const QString& u : platform.takeUnexpected())
        problems << u;
    if (platform.pendingAnswers() > 0)
        problems << QStringLiteral("%1 dialog answer(s) not used").arg(platform.pendingAnswers());
    platform.dropAnswers();
    platform.takeBeeps();
    platform.takeHelps();

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->parentWidget() && !keep.contains(w))
            problems << QStringLiteral("window left open: %1 \"%2\"")
                            .arg(QString::fromLatin1(w->metaObject()->className()),
                                 w->objectName());
    }
    return problems.join(u'\n');
}

} // namespace termiva::test

// In cleanup(): fails the test when something unexpected happened.
#define TERMIVA_VERIFY_CLEAN(platform, ...)                                                        \
    do {                                                                                           \
        const QString leftovers_ = termiva::test::Leftovers((platform)__VA_OPT__(, ) __VA_ARGS__); \
        QVERIFY2(leftovers_.isEmpty(), qPrintable(leftovers_));                                    \
    } while (false)

// main() of a screen test: the program's application object (so leave checks
// run), offscreen-friendly, with the point as the decimal separator.
#define TERMIVA_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        termiva::TermivaApplication app(argc, argv);                                               \
        QLocale::setDefault(termiva::test::PointLocale());                                         \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
