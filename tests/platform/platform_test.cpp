// SPDX-License-Identifier: GPL-3.0-or-later
// The platform stand-ins: the common dialog's settings as Qt shows them, the
// scripted double's records, and the help window.

#include "platform/help_viewer.h"
#include "platform/platform.h"
#include "platform/remembered_settings.h"
#include "platform/scripted_platform.h"

#include <functional>

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace termiva;

namespace {

// Calls `answer` with the modal dialog once its exec() loop runs.
void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start(10);
}

CommonDialog singlePipeDialog(const QString& dir, bool save) {
    CommonDialog d;
    d.DialogTitle = save ? "Save to file" : "Load from file";
    d.Flags = save ? 6 : 4;
    d.InitDir = dir;
    d.Filter = "Single pipe insulation file (*.insp)|*.insp|All files (*.*)|*.*";
    d.FileName = save ? "singlepipe.insp" : "";
    d.DefaultExt = "insp";
    return d;
}

// QtPlatform with its message boxes recorded instead of shown.
class RecordingQtPlatform : public QtPlatform {
public:
    void message(const QString& text, const QString& title, MessageIcon) override {
        shown << title + ": " + text;
    }
    QStringList shown;
};

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filterToQt_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("single pipe")
            << "Single pipe insulation file (*.insp)|*.insp|All files (*.*)|*.*"
            << "Single pipe insulation file (*.insp);;All files (*.*)";
        QTest::newRow("pattern not in description") << "a|b|c|d"
                                                    << "a (b);;c (d)";
        QTest::newRow("several patterns") << "Pictures|*.png;*.svg"
                                          << "Pictures (*.png *.svg)";
        QTest::newRow("description without pattern") << "Text (*.txt)|*.txt|Broken"
                                                     << "Text (*.txt)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void filterToQt() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(ToQtFilter(filter), expected);
    }

    void defaultExt_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << "/data/pipe"
                                      << "insp"
                                      << "/data/pipe.insp";
        QTest::newRow("own extension") << "/data/pipe.txt"
                                       << "insp"
                                       << "/data/pipe.txt";
        QTest::newRow("dot in folder only") << "/data.v2/pipe"
                                            << "inv"
                                            << "/data.v2/pipe.inv";
        QTest::newRow("no default") << "/data/pipe"
                                    << ""
                                    << "/data/pipe";
        QTest::newRow("no path") << ""
                                 << "insp"
                                 << "";
    }
    void defaultExt() {
        QFETCH(QString, path);
        QFETCH(QString, ext);
        QFETCH(QString, expected);
        QCOMPARE(WithDefaultExt(path, ext), expected);
    }

    void qtSaveDialogSettingsAndDefaultExt() {
        // The save dialog shows the settings; the user types "result": the
        // default extension is appended.
        QTemporaryDir dir;
        QtPlatform platform;
        QStringList seen;
        answerNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            seen << dialog->windowTitle() << dialog->nameFilters()
                 << dialog->directory().absolutePath();
            QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            QCOMPARE(name->text(), QStringLiteral("singlepipe.insp"));
            name->setText("result");
            QTest::keyClick(name, Qt::Key_Return);
        });
        const auto path = platform.ShowSave(singlePipeDialog(dir.path(), true));
        QCOMPARE(seen, (QStringList{"Save to file", "Single pipe insulation file (*.insp)",
                                    "All files (*.*)", QDir(dir.path()).absolutePath()}));
        QCOMPARE(path, std::optional(QDir(dir.path()).absoluteFilePath("result.insp")));
    }

    void qtOpenDialogCancel() {
        // The open dialog asks for an existing file; cancel gives nothing.
        QTemporaryDir dir;
        QtPlatform platform;
        answerNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Load from file"));
            QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
            dialog->reject();
        });
        QCOMPARE(platform.ShowOpen(singlePipeDialog(dir.path(), false)), std::nullopt);
    }

    void scriptedRecordsAndAnswers() {
        // Answers in order, settings recorded, a dialog with no answer is
        // flagged and cancelled; messages, beeps and help requests recorded.
        ScriptedPlatform platform;
        platform.answerDialog("/tmp/a.insp");
        platform.answerDialog(std::nullopt);
        QCOMPARE(platform.ShowSave(singlePipeDialog("/tmp", true)),
                 std::optional<QString>("/tmp/a.insp"));
        QCOMPARE(platform.ShowOpen(singlePipeDialog("/tmp", false)), std::nullopt);
        QVERIFY(platform.unexpected().isEmpty());
        QCOMPARE(platform.ShowOpen(singlePipeDialog("/tmp", false)), std::nullopt);
        QCOMPARE(platform.unexpected().size(), 1);
        QVERIFY(platform.unexpected()[0].contains("Load from file"));

        const auto dialogs = platform.takeDialogs();
        QCOMPARE(dialogs.size(), 3u);
        QVERIFY(dialogs[0].kind == ScriptedPlatform::DialogKind::Save);
        QCOMPARE(dialogs[0].settings.Flags, 6);
        QCOMPARE(dialogs[0].settings.FileName, QStringLiteral("singlepipe.insp"));
        QVERIFY(dialogs[1].kind == ScriptedPlatform::DialogKind::Open);
        QCOMPARE(dialogs[1].settings.Flags, 4);

        platform.information("Data successfuly saved fo file!");
        platform.beep();
        const auto messages = platform.takeMessages();
        QCOMPARE(messages.size(), 1u);
        QCOMPARE(messages[0].title, QStringLiteral("Information"));
        QVERIFY(messages[0].icon == MessageIcon::Information);
        QCOMPARE(platform.takeBeeps(), 1);
    }

    void helpOpensAtTopic() {
        // The help page opens at its top, or at the anchor of a topic.
        QTemporaryDir dir;
        const QString file = dir.filePath("Termiva.html");
        QFile html(file);
        QVERIFY(html.open(QIODevice::WriteOnly));
        html.write("<html><body><h1>TERMIVA</h1><a name=\"topic3\"></a><h2>Single pipe</h2>"
                   "</body></html>");
        html.close();
        RecordingQtPlatform platform;
        platform.showHelp(file, kHelpContext, 3);
        QVERIFY(platform.shown.isEmpty());
        QVERIFY(platform.helpViewer());
        QVERIFY(platform.helpViewer()->isVisible());
        QCOMPARE(platform.helpViewer()->source().fragment(), QStringLiteral("topic3"));
        QVERIFY(platform.helpViewer()->toPlainText().contains("Single pipe"));
        platform.showHelp(file, kHelpForceFile, 3);
        QVERIFY(platform.helpViewer()->source().fragment().isEmpty());

        // Back, Forward and Home walk the pages seen; Esc closes the window.
        HelpViewer& help = *platform.helpViewer();
        QVERIFY(help.backAction->isEnabled());
        QVERIFY(!help.forwardAction->isEnabled());
        help.backAction->trigger();
        QCOMPARE(help.source().fragment(), QStringLiteral("topic3"));
        QVERIFY(help.forwardAction->isEnabled());
        help.forwardAction->trigger();
        QVERIFY(help.source().fragment().isEmpty());
        help.homeAction->trigger();
        QCOMPARE(help.source().fragment(), QStringLiteral("topic3")); // the first page shown
        help.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help, Qt::Key_Escape);
        QVERIFY(!help.isVisible());
    }

    void rememberedSettingsAreBounded() {
        // Settings in a folder of the test's own, under a program name.
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QCoreApplication::setOrganizationName(QStringLiteral("TERMIVA-test"));
        const auto unnamed = qScopeGuard([] { QCoreApplication::setOrganizationName({}); });
        const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
        const auto helpSize = [] { return HelpViewer().size(); };
        QSettings settings;
        settings.setValue("help/size", QSize(100000, 100000));
        settings.sync();
        QCOMPARE(helpSize(), available.expandedTo(QSize(320, 240)));
        settings.setValue("help/size", QStringLiteral("wide"));
        settings.sync();
        const QSize standard = QSize(720, 560).boundedTo(available).expandedTo(QSize(320, 240));
        QCOMPARE(helpSize(), standard);

        settings.setValue("report/project", QString(10'000'000, u'x'));
        settings.setValue("report/preparedBy", QSize(1, 2));
        QCOMPARE(RememberedText(settings, "report/project", kMaxReportDetailLength).size(),
                 kMaxReportDetailLength);
        QCOMPARE(RememberedText(settings, "report/preparedBy", kMaxReportDetailLength), QString());
        QCOMPARE(RememberedText(settings, "report/none", kMaxReportDetailLength), QString());

        // A settings file of junk: the defaults.
        const QString file = settings.fileName();
        settings.clear();
        settings.sync();
        QFile junk(file);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        const char bytes[] = "\x00\xff[help]\nsize=@Size(99999\n\x01=\x02\n";
        junk.write(bytes, sizeof bytes - 1);
        junk.close();
        QCOMPARE(helpSize(), standard);
        QCOMPARE(RememberedText(QSettings(), "report/project", kMaxReportDetailLength), QString());
    }

    void missingHelpFileIsAnError() {
        // A help file that is not there: an "Error" box naming it, no window.
        RecordingQtPlatform platform;
        platform.showHelp("/nowhere/Help/Termiva.html", kHelpForceFile, 0);
        QCOMPARE(platform.shown,
                 QStringList{"Error: The help file /nowhere/Help/Termiva.html cannot be opened."});
        QVERIFY(!platform.helpViewer() || !platform.helpViewer()->isVisible());
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
