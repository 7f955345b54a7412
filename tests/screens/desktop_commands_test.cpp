// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a desktop program: Copy results, File > Open, Save and
// Recent files, the file panel, dropped files, the Window menu and the
// remembered window geometry.

#include "platform/scripted_platform.h"
#include "screens/desktop_commands.h"
#include "screens/main_window.h"
#include "screens/numeric_field.h"
#include "screens/recent_files.h"
#include "screens/single_pipe_screen.h"
#include "screens/thickness_limit_screen.h"
#include "screens/vessel_screen.h"
#include "screens/window_menu.h"
#include "test_support.h"

#include <memory>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

using namespace termiva;

namespace {

const QString kData = QStringLiteral(TERMIVA_TEST_DATA "/input_files/");
const QString kSaved = QStringLiteral("Data successfuly saved fo file!");
const QString kLoaded = QStringLiteral("Data successfuly loaded from file!");

QStringList EntryTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << QString(action->text()).remove(u'&') +
                         (action->isChecked() ? QStringLiteral(" [x]") : QString());
    return texts;
}

} // namespace

class DesktopCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir_.path());
        QCoreApplication::setOrganizationName(QStringLiteral("TERMIVA"));
        QCoreApplication::setApplicationName(QStringLiteral("desktop_commands_test"));
    }
    void cleanup() {
        window_.reset();
        QSettings().clear();
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    void copyResultsAsTabsAndHtml();
    void openSaveAndTheFilePanel();
    void recentFiles();
    void droppedFiles();
    void windowMenu();
    void rememberedGeometry();
    void limitScreenGrowsForAVessel();

private:
    MDIForm1& open() {
        window_ = std::make_unique<MDIForm1>(platform_);
        window_->resize(1200, 850);
        window_->show();
        window_->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(window_.get())); }();
        return *window_;
    }
    QString copy(const QString& name) {
        QString path = dir_.filePath(name);
        QFile::remove(path);
        QFile::copy(kData + name, path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    QTemporaryDir settingsDir_;
    QTemporaryDir dir_;
    ScriptedPlatform platform_;
    std::unique_ptr<MDIForm1> window_;
};

// Calculated single pipe, Ctrl+C in a field without a selection: inputs and results as tab
// cells and an HTML table; a selection copies itself; changed inputs leave the results out.
void DesktopCommandsTest::copyResultsAsTabsAndHtml() {
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    Form3& pipe = *w.form3();
    pipe.Command4->click();
    pipe.Command1->click();
    pipe.Text3->setFocus();
    pipe.Text3->deselect();
    QTest::keyClick(pipe.Text3, Qt::Key_C, Qt::ControlModifier);

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    const QStringList lines = data->text().split(u'\n');
    QVERIFY2(lines.contains(QStringLiteral("Fluid Temperature (T1) [oC]\t143\toC")),
             qPrintable(data->text()));
    const QString lossHeading = QStringLiteral("Tsurface [oC]");
    const auto heading = std::find_if(lines.begin(), lines.end(),
                                      [&](const QString& l) { return l.contains(lossHeading); });
    QVERIFY2(heading != lines.end(), qPrintable(data->text()));
    // Every row of the results table has as many cells as its heading row.
    const qsizetype cells = heading->split(u'\t').size();
    QVERIFY(cells >= 3);
    for (auto row = heading + 1; row != lines.end() && !row->isEmpty(); ++row)
        QCOMPARE(row->split(u'\t').size(), cells);
    QVERIFY(lines.join(u' ').contains(pipe.Label18->text()));
    QVERIFY(data->html().contains(QStringLiteral("<td>143</td>")));
    QVERIFY(data->html().contains(QStringLiteral("<th>%1</th>").arg(lossHeading)));

    pipe.Text3->selectAll();
    QTest::keyClick(pipe.Text3, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("143"));

    pipe.Text3->setText(QStringLiteral("150"));
    w.desktop()->CopyResults->trigger();
    const QString stale = QGuiApplication::clipboard()->text();
    QVERIFY(stale.contains(QStringLiteral("\t150\t")));
    QVERIFY(!stale.contains(lossHeading));
}

// File > Open loads as "termiva FILE"; the panel names the file and says "modified" after an
// edit; File > Save writes it back without a dialog; a screen without a file asks as "Save to
// file" does.
void DesktopCommandsTest::openSaveAndTheFilePanel() {
    MDIForm1& w = open();
    DesktopCommands& d = *w.desktop();
    const QString file = copy(QStringLiteral("single_pipe.insp"));
    platform_.answerDialog(file);
    d.Open->trigger();
    const auto dialogs = platform_.takeDialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs[0].settings.DialogTitle, QStringLiteral("Open"));
    for (const char* ext : {"*.insp", "*.inv", "*.inmp", "*.inlim", "*.ineco"})
        QVERIFY(dialogs[0].settings.Filter.section(u'|', 1, 1).contains(QLatin1String(ext)));
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kLoaded});
    QVERIFY(w.form3());
    QCOMPARE(w.form3()->Text3->text(), QStringLiteral("143"));
    QCOMPARE(w.form3()->windowTitle(), QStringLiteral("SINGLE PIPES"));
    QVERIFY(d.FilePanel->isVisible());
    QCOMPARE(d.FilePanel->text(), QStringLiteral("single_pipe.insp"));
    QVERIFY(!d.ModifiedPanel->isVisible());

    w.form3()->Text3->setText(QStringLiteral("150"));
    QVERIFY(d.ModifiedPanel->isVisible());
    QCOMPARE(d.ModifiedPanel->text(), QStringLiteral("modified"));
    QTest::keyClick(w.form3()->Text3, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kSaved});
    QVERIFY(platform_.dialogs().empty());
    QVERIFY(!d.ModifiedPanel->isVisible());
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("\r\n150\r\n"));

    w.Single_vessel->trigger();
    QVERIFY(!d.FilePanel->isVisible());
    w.form2()->Command3->click();
    platform_.answerDialog(std::nullopt);
    d.Save->trigger();
    QCOMPARE(platform_.takeDialogs().at(0).settings.DialogTitle, QStringLiteral("Save to file"));
}

// Files saved or loaded come first, at most eight; a file that is gone is dropped with a
// note in the menu, or with an "Error" box when picked.
void DesktopCommandsTest::recentFiles() {
    MDIForm1& w = open();
    DesktopCommands& d = *w.desktop();
    const QString pipe = copy(QStringLiteral("single_pipe.insp"));
    const QString vessel = copy(QStringLiteral("vessel.inv"));
    w.OpenFile(pipe);
    w.OpenFile(vessel);
    QCOMPARE(platform_.takeMessageTexts(), (QStringList{kLoaded, kLoaded}));
    QCOMPARE(RecentFiles(), (QStringList{vessel, pipe}));

    const QString copyOfPipe = dir_.filePath(QStringLiteral("copy.insp"));
    platform_.answerDialog(copyOfPipe);
    w.form3()->Command5->click();
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kSaved});
    platform_.takeDialogs();
    QCOMPARE(RecentFiles(), (QStringList{copyOfPipe, vessel, pipe}));

    QVERIFY(QFile::remove(vessel));
    QMetaObject::invokeMethod(d.RecentFiles, "aboutToShow");
    QCOMPARE(EntryTexts(d.RecentFiles), (QStringList{"1 copy.insp", "2 single_pipe.insp",
                                                     "Removed, no longer found: vessel.inv"}));
    QCOMPARE(RecentFiles(), (QStringList{copyOfPipe, pipe}));

    d.RecentFiles->actions().at(1)->trigger();
    QCOMPARE(InputFileOf(w.form3()), pipe);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kLoaded});
    QVERIFY(QFile::remove(copyOfPipe));
    d.openRecent(copyOfPipe);
    QCOMPARE(platform_.takeMessages().at(0).title, QStringLiteral("Error"));
    QCOMPARE(RecentFiles(), QStringList{pipe});

    for (int i = 0; i < 10; ++i)
        AddRecentFile(dir_.filePath(QStringLiteral("f%1.insp").arg(i)));
    QCOMPARE(RecentFiles().size(), kMaxRecentFiles);
    QCOMPARE(RecentFiles().first(), dir_.filePath(QStringLiteral("f9.insp")));
    QSettings().setValue(QLatin1String(kRecentFilesKey), 42);
    QVERIFY(RecentFiles().isEmpty());
}

// A dropped input file opens as File > Open does; another file gets the "Error" box.
void DesktopCommandsTest::droppedFiles() {
    MDIForm1& w = open();
    const auto drop = [&w](const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    };
    QVERIFY(drop(copy(QStringLiteral("vessel.inv"))));
    QVERIFY(w.form2());
    QCOMPARE(w.mdiArea()->activeSubWindow()->widget(), w.form2());
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kLoaded});

    QVERIFY(drop(dir_.filePath(QStringLiteral("notes.txt"))));
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY(messages[0].text.contains(QStringLiteral("notes.txt")));
}

// Two screens: the Window menu lists both, the active one checked; picking one activates it;
// Tile puts them side by side.
void DesktopCommandsTest::windowMenu() {
    MDIForm1& w = open();
    WindowMenu& menu = *w.desktop()->windowMenu;
    menu.update();
    QCOMPARE(EntryTexts(w.desktop()->Window), (QStringList{"Tile", "Cascade", "Next"}));
    QCOMPARE(menu.Next->shortcut(), QKeySequence(QStringLiteral("Ctrl+Tab")));
    QVERIFY(!menu.Tile->isEnabled());
    w.Single_pipe->trigger();
    w.Single_vessel->trigger();
    menu.update();
    QCOMPARE(EntryTexts(w.desktop()->Window),
             (QStringList{"Tile", "Cascade", "Next", "1 SINGLE PIPES", "2 VESSEL INSULATION [x]"}));
    w.desktop()->Window->actions().at(4)->trigger();
    QCOMPARE(w.mdiArea()->activeSubWindow()->widget(), w.form3());
    menu.Tile->trigger();
    const auto windows = w.mdiArea()->subWindowList();
    QVERIFY(!windows[0]->geometry().intersects(windows[1]->geometry()));
}

// Closed with a size and place, the next window opens the same; a remembered place off the
// screens comes back onto the available area; anything else in the setting is ignored.
void DesktopCommandsTest::rememberedGeometry() {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    {
        MDIForm1& w = open();
        w.setGeometry(QRect(available.topLeft() + QPoint(20, 30), QSize(500, 400)));
        w.close();
    }
    const QRect closed = window_->geometry();
    window_.reset();
    QVERIFY(QSettings().value(QLatin1String(kWindowGeometryKey)).typeId() == QMetaType::QByteArray);
    MDIForm1 again(platform_);
    QVERIFY(RestoreWindowGeometry(again));
    QCOMPARE(again.geometry(), closed);

    QWidget away;
    away.setGeometry(QRect(available.bottomRight() + QPoint(3000, 3000), QSize(400, 300)));
    QSettings().setValue(QLatin1String(kWindowGeometryKey), away.saveGeometry());
    QVERIFY(RestoreWindowGeometry(again));
    QVERIFY(available.intersects(again.geometry()));

    QSettings().setValue(QLatin1String(kWindowGeometryKey), QStringLiteral("800x600"));
    QVERIFY(!RestoreWindowGeometry(again));
}

// The limit screen switched from a pipe to a vessel: every field keeps its full height.
void DesktopCommandsTest::limitScreenGrowsForAVessel() {
    MDIForm1& w = open();
    w.Pipe_limit->trigger();
    QCoreApplication::processEvents();
    w.form8()->Combo1->setCurrentIndex(1);
    QTRY_VERIFY([&] {
        for (const NumericField* field : w.form8()->findChildren<NumericField*>())
            if (field->isVisible() && field->height() < field->minimumSizeHint().height())
                return false;
        return true;
    }());
}

TERMIVA_TEST_MAIN(DesktopCommandsTest)
#include "desktop_commands_test.moc"
