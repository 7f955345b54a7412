// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the decimal separator notice, the menus, one instance of
// each screen per run, help, and ending the application.

#include "platform/scripted_platform.h"
#include "screens/app_paths.h"
#include "screens/chart_screen.h"
#include "screens/economics_screen.h"
#include "screens/heat_loss_table_screen.h"
#include "screens/main_window.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/screen_style.h"
#include "screens/single_pipe_screen.h"
#include "screens/thickness_limit_screen.h"
#include "screens/value_marks.h"
#include "screens/vessel_screen.h"
#include "test_support.h"

#include <cstdio>
#include <memory>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::PointLocale;
using termiva::test::ScopedLocale;

namespace {

QMdiSubWindow* WindowOf(QWidget* screen) {
    return screen ? qobject_cast<QMdiSubWindow*>(screen->parentWidget()) : nullptr;
}

// The texts of a screen's fields and the entries of its lists, by control name.
QStringList ScreenTexts(const QWidget* screen) {
    QStringList texts;
    for (const QLineEdit* field : screen->findChildren<QLineEdit*>())
        texts << field->objectName() + u'=' + field->text();
    for (const QComboBox* list : screen->findChildren<QComboBox*>())
        texts << list->objectName() + u'=' + QString::number(list->currentIndex());
    return texts;
}

// The screen a file of this kind opens in, by its menu item's name.
QWidget* ScreenOf(const MDIForm1& w, const QString& menuItem) {
    if (menuItem == QLatin1String("Single_pipe"))
        return w.form3();
    if (menuItem == QLatin1String("Single_vessel"))
        return w.form2();
    if (menuItem == QLatin1String("Pipe_limit"))
        return w.form8();
    if (menuItem == QLatin1String("Pipe_economics"))
        return w.form9();
    return w.form4();
}

// The widest gap between a visible field caption and its field on the same
// row, in pixels.
int WidestCaptionGap(const QWidget* screen) {
    int widest = 0;
    for (const QLabel* caption : screen->findChildren<QLabel*>()) {
        const QWidget* field = qobject_cast<QLineEdit*>(caption->buddy());
        if (!field || !caption->isVisible() || !field->isVisible())
            continue;
        const QRect c(caption->mapTo(screen, QPoint()), caption->size());
        const QRect f(field->mapTo(screen, QPoint()), field->size());
        if (c.center().y() < f.top() || c.center().y() > f.bottom())
            continue; // a caption above its field
        // Where the caption's text ends, not its label, which may fill a column.
        const int textEnd = caption->alignment() & Qt::AlignRight
                                ? c.right()
                                : c.left() + caption->margin() + caption->indent() +
                                      caption->fontMetrics().horizontalAdvance(caption->text());
        widest = std::max(widest, f.left() - textEnd);
    }
    return widest;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() {
        window_.reset();
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    void decimalSeparatorNotice_data();
    void decimalSeparatorNotice();
    void menus();
    void titlePanel();
    void eachMenuItemBringsUpItsScreen();
    void sameScreenWithItsTexts();
    void screenComesBackInNormalState_data();
    void screenComesBackInNormalState();
    void closedScreenIsCreatedAnew();
    void f1OpensTopicOfActiveScreen();
    void f1OnChartScreen();
    void limitScreenFromBothMenus();
    void softwareDescription();
    void keysAndTitlePanel();
    void endsAtOnce_data();
    void endsAtOnce();
    void resultNoteFollowsTheActiveScreen();
    void openFileLoadsItAsLoadFromFile_data();
    void openFileLoadsItAsLoadFromFile();
    void openFileThatCannotBeLoaded_data();
    void openFileThatCannotBeLoaded();
    void openFileOfAnotherExtension();
    void openFileWhoseNameIsNotUtf8();
    void shots();
    void oneLookAndCaptionsStayBesideFields();

private:
    MDIForm1& open() {
        window_ = std::make_unique<MDIForm1>(platform_);
        window_->resize(1200, 850);
        window_->show();
        window_->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(window_.get())); }();
        return *window_;
    }

    ScriptedPlatform platform_;
    std::unique_ptr<MDIForm1> window_;
};

void MainWindowTest::decimalSeparatorNotice_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("notice");
    const QString note = QStringLiteral("Note: As decimal separator use");
    QTest::newRow("point") << PointLocale() << note + " .";
    QTest::newRow("English (US)") << QLocale(QLocale::English, QLocale::UnitedStates)
                                  << note + " .";
    QTest::newRow("comma") << CommaLocale() << note + " ,";
    // 1.5 is written "١٫٥": no "." anywhere.
    QTest::newRow("Arabic (Egypt)") << QLocale(QLocale::Arabic, QLocale::Egypt) << note + " ,";
}

// Started under a locale: panel 2 ends in " ." only where 1.5 is written with a point.
void MainWindowTest::decimalSeparatorNotice() {
    QFETCH(QLocale, locale);
    const ScopedLocale scoped(locale);
    if (QTest::currentDataTag() == QLatin1String("Arabic (Egypt)"))
        QVERIFY(!QLocale().toString(1.5).contains(u'.'));
    MDIForm1 window(platform_);
    QCOMPARE(window.windowTitle(), QStringLiteral("TERMIVA"));
    QCOMPARE(window.Panels(1)->text(),
             QStringLiteral("For help press F1 key or select it from menu"));
    QTEST(window.Panels(2)->text(), "notice");
}

// The menu bar: File, Edit, Pipes, Vessel, Window, Help with their items, and Exit
// (Ctrl+Q) as a command of its own.
void MainWindowTest::menus() {
    MDIForm1& w = open();
    QStringList topLevel;
    for (QAction* action : w.menuBar()->actions())
        topLevel << action->objectName() + '=' + QString(action->text()).remove(u'&');
    QCOMPARE(topLevel, (QStringList{"File=File", "Edit=Edit", "Pipes=Pipes", "Vessel=Vessel",
                                    "Window=Window", "Help=Help", "Exit=Exit"}));
    QVERIFY(!w.Exit->menu());
    QCOMPARE(w.Exit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

    const auto items = [](QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->objectName() + '=' + QString(action->text()).remove(u'&');
        return texts;
    };
    QCOMPARE(items(w.File), (QStringList{"Open=Open...", "RecentFiles=Recent files", "Save=Save",
                                         "=", "Report=Report..."}));
    QCOMPARE(items(w.Pipes),
             (QStringList{"Single_pipe=Single pipe", "More_pipes=Multiple pipes",
                          "Pipe_limit=Thickness for a limit", "Pipe_economics=Energy and cost"}));
    QCOMPARE(items(w.Vessel),
             (QStringList{"Single_vessel=Single vessel", "Vessel_limit=Thickness for a limit",
                          "Vessel_economics=Energy and cost"}));
    QCOMPARE(items(w.Help), (QStringList{"Software_description=Software description", "=",
                                         "About=About TERMIVA"}));
}

// Started: the title panel shows the product, its version and the picture, behind screens.
void MainWindowTest::titlePanel() {
    MDIForm1& w = open();
    QCOMPARE(w.Label32->text(), QStringLiteral("TERMIVA"));
    QCOMPARE(w.lblVersion->text(), QStringLiteral("Version 1.0"));
    QVERIFY(QFile::exists(QStringLiteral(":/images/title.svg")));
    QVERIFY(w.Frame1->isVisible());
    QVERIFY(w.mdiArea()->viewport()->rect().contains(w.Frame1->geometry()));
    w.Single_pipe->trigger();
    const QObjectList stack = w.mdiArea()->viewport()->children();
    QVERIFY(stack.indexOf(w.Frame1) < stack.indexOf(WindowOf(w.form3())));
}

// No screen yet; each menu item: its screen, shown, active, once.
void MainWindowTest::eachMenuItemBringsUpItsScreen() {
    MDIForm1& w = open();
    QVERIFY(!w.form2() && !w.form3() && !w.form4());
    w.Single_pipe->trigger();
    w.More_pipes->trigger();
    w.Single_vessel->trigger();
    QVERIFY(w.form2() && w.form3() && w.form4());
    QCOMPARE(w.mdiArea()->subWindowList().size(), 3);
    QCOMPARE(w.mdiArea()->activeSubWindow(), WindowOf(w.form2()));
    w.Single_pipe->trigger();
    QCOMPARE(w.mdiArea()->activeSubWindow(), WindowOf(w.form3()));
    QCOMPARE(w.mdiArea()->subWindowList().size(), 3);
    QVERIFY(WindowOf(w.form3())->testAttribute(Qt::WA_DeleteOnClose));
}

// Single pipe open with typed values; chosen again: the same screen with the same texts.
void MainWindowTest::sameScreenWithItsTexts() {
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    Form3* first = w.form3();
    QTRY_COMPARE(QApplication::focusWidget(), first->Text1);
    QTest::keyClicks(first->Text1, QStringLiteral("25"));
    w.More_pipes->trigger();
    w.Single_pipe->trigger();
    QCOMPARE(w.form3(), first);
    QCOMPARE(first->Text1->text(), QStringLiteral("25"));
    QTRY_COMPARE(QApplication::focusWidget(), first->Text1);
}

void MainWindowTest::screenComesBackInNormalState_data() {
    QTest::addColumn<bool>("minimised");
    QTest::newRow("minimised") << true;
    QTest::newRow("maximised") << false;
}

// Single pipe minimised or maximised; chosen again: normal state, in front.
void MainWindowTest::screenComesBackInNormalState() {
    QFETCH(bool, minimised);
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    QMdiSubWindow* sub = WindowOf(w.form3());
    const QRect normal = sub->geometry();
    w.Single_vessel->trigger();
    if (minimised)
        sub->showMinimized();
    else
        sub->showMaximized();
    w.Single_pipe->trigger();
    QVERIFY(!sub->isMinimized() && !sub->isMaximized());
    QCOMPARE(sub->geometry(), normal);
    QCOMPARE(w.mdiArea()->activeSubWindow(), sub);
    QVERIFY(w.form3()->isVisible());
}

// Single pipe with values, closed by its close box; chosen again: a new, empty screen.
void MainWindowTest::closedScreenIsCreatedAnew() {
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    QPointer<Form3> first = w.form3();
    first->Command4->click();
    WindowOf(first)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    QVERIFY(!w.form3());

    w.Single_pipe->trigger();
    Form3* second = w.form3();
    QVERIFY(second);
    QCOMPARE(second->Combo1->currentIndex(), 0);
    QVERIFY(second->Text3->text().isEmpty());
    QCOMPARE(WindowOf(second)->pos(), QPoint(13, 13));
}

// F1 with no screen, then with each screen active: the topic of what is active.
void MainWindowTest::f1OpensTopicOfActiveScreen() {
    MDIForm1& w = open();
    const auto pressF1 = [&] {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        QTest::keyClick(target, Qt::Key_F1);
        const auto helps = platform_.takeHelps();
        if (helps.size() != 1)
            return -1;
        if (helps[0].file != HelpFilePath() || helps[0].command != kHelpContext)
            return -2;
        return helps[0].topic;
    };
    QCOMPARE(pressF1(), 1);
    w.Single_pipe->trigger();
    QCOMPARE(pressF1(), 3);
    w.More_pipes->trigger();
    QCOMPARE(pressF1(), 4);
    w.Single_vessel->trigger();
    QCOMPARE(pressF1(), 5);
    w.Single_pipe->trigger();
    QCOMPARE(pressF1(), 3);
    w.Pipe_limit->trigger();
    QCOMPARE(pressF1(), 6);
    w.Vessel_economics->trigger();
    QCOMPARE(pressF1(), 7);
}

// "Thickness for a limit": one screen, for a pipe from "Pipes", for the vessel
// screen's shape from "Vessel"; "Take inputs" reads the open vessel screen.
void MainWindowTest::limitScreenFromBothMenus() {
    MDIForm1& w = open();
    w.Pipe_limit->trigger();
    QVERIFY(w.form8());
    QCOMPARE(w.form8()->Combo1->currentIndex(), 0);
    QCOMPARE(w.mdiArea()->activeSubWindow(), WindowOf(w.form8()));
    w.Single_vessel->trigger();
    w.form2()->Combo1->setCurrentIndex(2);
    w.form2()->Command3->click();
    w.Vessel_limit->trigger();
    QCOMPARE(w.mdiArea()->subWindowList().size(), 2);
    QCOMPARE(w.form8()->Combo1->currentIndex(), 3);
    w.form8()->Command4->click();
    QCOMPARE(w.form8()->Text3->text(), QStringLiteral("1.8"));
    QCOMPARE(w.form8()->Text5->text(), QStringLiteral("150"));
    w.Pipe_limit->trigger();
    QCOMPARE(w.form8()->Combo1->currentIndex(), 0);
}

// "Diagram" brings up the chart screen: F1 there opens the chart's topic.
void MainWindowTest::f1OnChartScreen() {
    QTemporaryDir dir;
    QString workbook = dir.filePath(QStringLiteral("Template.xlsx"));
    QVERIFY(QFile::copy(ApplicationFolder() + QStringLiteral("/Template.xlsx"), workbook));
    Form5::setDefaultWorkbookPath([&](QString*) { return workbook; });
    const auto restore = qScopeGuard([] { Form5::setDefaultWorkbookPath(nullptr); });
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    w.form3()->Command4->click();
    w.form3()->Command2->click();
    QVERIFY(qobject_cast<Form7*>(w.mdiArea()->currentSubWindow()->widget()));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_F1);
    const auto helps = platform_.takeHelps();
    QCOMPARE(helps.size(), 1u);
    QCOMPARE(helps[0].topic, 2);
}

// "Software description": the help file from its beginning (command 9).
void MainWindowTest::softwareDescription() {
    MDIForm1& w = open();
    w.Software_description->trigger();
    const auto helps = platform_.takeHelps();
    QCOMPARE(helps.size(), 1u);
    QCOMPARE(helps[0].file, HelpFilePath());
    QVERIFY(helps[0].file.endsWith(QStringLiteral("/Help/Termiva.html")));
    QCOMPARE(helps[0].command, 9);
}

void MainWindowTest::endsAtOnce_data() {
    QTest::addColumn<bool>("byExit"); // else the window's close box
    QTest::newRow("Exit") << true;
    QTest::newRow("close box") << false;
}

// Screens holding unsaved input and another window open (as help would be);
// Exit or close: the application's event loop ends, no question asked.
void MainWindowTest::endsAtOnce() {
    QFETCH(bool, byExit);
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    w.form3()->Command4->click();
    w.Single_vessel->trigger();
    QWidget other;
    other.show();

    QTimer::singleShot(0, &w, [&w, byExit] {
        if (byExit)
            w.Exit->trigger();
        else
            w.close();
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &guard, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!w.isVisible());
    QVERIFY(!other.isVisible());
}

void MainWindowTest::openFileLoadsItAsLoadFromFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("loadButton");
    QTest::addColumn<QString>("field"); // one control the file sets, "name=text"
    const QString data = QStringLiteral(TERMIVA_TEST_DATA "/input_files/");
    QTest::newRow("single pipe") << data + "single_pipe.insp"
                                 << "Single_pipe"
                                 << "Command6"
                                 << "Text3=143";
    QTest::newRow("vessel") << data + "vessel.inv"
                            << "Single_vessel"
                            << "Command5"
                            << "Text2=1.8";
    QTest::newRow("multiple pipes") << data + "multiple_pipes.inmp"
                                    << "More_pipes"
                                    << "Command6"
                                    << "Text11=25";
    QTest::newRow("thickness for a limit") << data + "thickness_limit.inlim"
                                           << "Pipe_limit"
                                           << "Command6"
                                           << "Text5=150";
    QTest::newRow("energy and cost") << data + "economics.ineco"
                                     << "Pipe_economics"
                                     << "Command6"
                                     << "Table1(3,1)=80";
}

// A file named at start-up: its screen comes up, active, with the texts and the message that
// "Load from file" gives for the same file, and no dialog is shown.
void MainWindowTest::openFileLoadsItAsLoadFromFile() {
    QFETCH(QString, file);
    QFETCH(QString, menuItem);
    QFETCH(QString, loadButton);
    QFETCH(QString, field);

    MDIForm1& w = open();
    w.OpenFile(file);
    QWidget* screen = ScreenOf(w, menuItem);
    QVERIFY(screen);
    QCOMPARE(w.mdiArea()->activeSubWindow(), WindowOf(screen));
    QVERIFY(platform_.dialogs().empty());
    const QStringList opened = ScreenTexts(screen);
    QVERIFY2(opened.contains(field), qPrintable(opened.join(u' ')));
    const QStringList openedMessages = platform_.takeMessageTexts();
    QCOMPARE(openedMessages, QStringList{QStringLiteral("Data successfuly loaded from file!")});

    MDIForm1& again = open(); // a new run, loading through the menu and the button
    again.findChild<QAction*>(menuItem)->trigger();
    screen = ScreenOf(again, menuItem);
    platform_.answerDialog(file);
    screen->findChild<QPushButton*>(loadButton)->click();
    QCOMPARE(platform_.takeDialogs().size(), std::size_t{1});
    QCOMPARE(ScreenTexts(screen), opened);
    QCOMPARE(platform_.takeMessageTexts(), openedMessages);
}

// A name in Latin-1 from the command line, as the system gave its bytes.
void MainWindowTest::openFileWhoseNameIsNotUtf8() {
    QTemporaryDir folder;
    const QByteArray name = QFile::encodeName(folder.path()) + "/r\xe9seau.insp";
    QVERIFY(QFile::copy(QStringLiteral(TERMIVA_TEST_DATA "/input_files/single_pipe.insp"),
                        QStringLiteral("%1/copy.insp").arg(folder.path())));
    QCOMPARE(::rename(QFile::encodeName(folder.filePath(QStringLiteral("copy.insp"))).constData(),
                      name.constData()),
             0);
    QCOMPARE(LocalFileName(FileNameFromLocal(name)), name);
    MDIForm1& w = open();
    w.OpenFile(FileNameFromLocal(name));
    QVERIFY(ScreenOf(w, QStringLiteral("Single_pipe")));
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{QStringLiteral("Data successfuly loaded from file!")});
}

void MainWindowTest::openFileThatCannotBeLoaded_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("loadButton");
    QTest::newRow("missing") << "missing.insp" << QByteArray() << "Single_pipe"
                             << "Command6";
    QTest::newRow("too short") << "short.inv" << QByteArray("Insulation vessel file\r\n0\r\n1\r\n")
                               << "Single_vessel"
                               << "Command5";
    QTest::newRow("binary") << "binary.inmp"
                            << QByteArray("\x7f"
                                          "ELF\0\0\0",
                                          7)
                            << "More_pipes"
                            << "Command6";
}

// A file that cannot be loaded: its screen comes up unchanged, with the "Error" box that
// "Load from file" shows for the same file.
void MainWindowTest::openFileThatCannotBeLoaded() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, menuItem);
    QFETCH(QString, loadButton);
    QTemporaryDir folder;
    const QString file = folder.filePath(name);
    if (!content.isEmpty()) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }

    MDIForm1& fresh = open();
    fresh.findChild<QAction*>(menuItem)->trigger();
    const QStringList untouched = ScreenTexts(ScreenOf(fresh, menuItem));

    MDIForm1& w = open();
    w.OpenFile(file);
    QWidget* screen = ScreenOf(w, menuItem);
    QVERIFY(screen);
    QCOMPARE(ScreenTexts(screen), untouched);
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY2(messages[0].text.contains(name), qPrintable(messages[0].text));

    platform_.answerDialog(file);
    screen->findChild<QPushButton*>(loadButton)->click();
    platform_.takeDialogs();
    QCOMPARE(platform_.takeMessageTexts(), QStringList{messages[0].text});
}

// A name that is not an input data file's: an "Error" box naming it, and no screen.
void MainWindowTest::openFileOfAnotherExtension() {
    MDIForm1& w = open();
    w.OpenFile(QStringLiteral(TERMIVA_TEST_DATA "/input_files/notes.txt"));
    QVERIFY(!w.form2() && !w.form3() && !w.form4());
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY(messages[0].text.contains(QStringLiteral("notes.txt")));
    QVERIFY(messages[0].text.contains(QStringLiteral(".insp, .inv, .inmp, .inlim or .ineco")));
}

// With TERMIVA_SHOTS set: the main window alone and with the single pipe screen.
// Single pipe test data at T1 = 800, Calculation: the bare boxes are marked
// (colour, tooltip), the insulated ones not, and the status bar notes it while
// the single pipe screen is active; the test data as given note nothing.
void MainWindowTest::resultNoteFollowsTheActiveScreen() {
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    Form3& pipe = *w.form3();
    pipe.Command4->click();
    pipe.Text3->setText(QStringLiteral("800"));
    pipe.Command1->click();
    QVERIFY(w.ResultNote->isVisibleTo(&w));
    QVERIFY(w.ResultNote->text().startsWith(QStringLiteral("Marked values use air properties")));
    QCOMPARE(pipe.Label18->palette().color(QPalette::Window), kMarkedBoxColor);
    QCOMPARE(pipe.Label24->palette().color(QPalette::Window), kMarkedBoxColor);
    QVERIFY(pipe.Label18->toolTip().contains(QStringLiteral("beyond 550 °C")));
    QCOMPARE(pipe.Label19->palette().color(QPalette::Window), kResultBoxColor);
    QVERIFY(pipe.Label19->toolTip().isEmpty());

    w.Single_vessel->trigger();
    QVERIFY(!w.ResultNote->isVisibleTo(&w));
    w.Single_pipe->trigger();
    QVERIFY(w.ResultNote->isVisibleTo(&w));

    pipe.Text3->setText(QStringLiteral("143"));
    pipe.Command1->click();
    QVERIFY(!w.ResultNote->isVisibleTo(&w));
    QCOMPARE(pipe.Label18->palette().color(QPalette::Window), kResultBoxColor);

    // A refused keystroke is noted there too, while the screen is active.
    pipe.Text4->clear();
    pipe.Text4->setFocus();
    QTest::keyClick(pipe.Text4, Qt::Key_Minus);
    QCOMPARE(w.ResultNote->text(), QStringLiteral("'-' is not accepted: values are not negative"));
    QVERIFY(w.ResultNote->isVisibleTo(&w));
}

void MainWindowTest::shots() {
    const QString folder = qEnvironmentVariable("TERMIVA_SHOTS");
    if (folder.isEmpty())
        QSKIP("TERMIVA_SHOTS not set");
    MDIForm1& w = open();
    QVERIFY(w.grab().save(folder + QStringLiteral("/main.png")));
    w.Single_pipe->trigger();
    w.form3()->Command4->click();
    w.form3()->Command1->click();
    QVERIFY(w.grab().save(folder + QStringLiteral("/main-form3.png")));
    w.Pipe_limit->trigger();
    WindowOf(w.form8())->showMaximized();
    w.form8()->Command3->click();
    w.form8()->Command1->click();
    QVERIFY(w.grab().save(folder + QStringLiteral("/main-form8.png")));
}

// Menu mnemonics; the title panel only while no screen is open; Ctrl+F4
// closes the active screen.
void MainWindowTest::keysAndTitlePanel() {
    MDIForm1& w = open();
    for (QAction* action : w.menuBar()->actions())
        QVERIFY2(action->text().contains(u'&'), qPrintable(action->text()));
    QVERIFY(w.Frame1->isVisible());
    w.Single_pipe->trigger();
    w.Single_vessel->trigger();
    QTRY_VERIFY(!w.Frame1->isVisible());
    const auto ctrlF4 = [&w] {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &w, Qt::Key_F4, Qt::ControlModifier);
    };
    ctrlF4();
    QTRY_VERIFY(!w.form2());
    QVERIFY(w.form3());
    QVERIFY(!w.Frame1->isVisible());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.mdiArea()->setActiveSubWindow(WindowOf(w.form3()));
    w.form3()->Text3->setFocus();
    ctrlF4();
    QTRY_VERIFY(!w.form3());
    QTRY_VERIFY(w.Frame1->isVisible());
}

// Every calculator screen: bold frame titles of one size, left-aligned
// captions, and captions that stay beside their fields when maximised; the
// pipe table grows with the window.
void MainWindowTest::oneLookAndCaptionsStayBesideFields() {
    MDIForm1& w = open();
    w.Single_pipe->trigger();
    w.form3()->Command4->click();
    w.form3()->Command1->click();
    w.Single_vessel->trigger();
    w.More_pipes->trigger();
    w.Pipe_limit->trigger();
    w.form8()->Command3->click();
    w.form8()->Command1->click();
    std::optional<QFont> heading;
    for (QWidget* screen : {static_cast<QWidget*>(w.form3()), static_cast<QWidget*>(w.form2()),
                            static_cast<QWidget*>(w.form4()), static_cast<QWidget*>(w.form8())}) {
        const QString name = screen->metaObject()->className();
        for (const QGroupBox* frame : screen->findChildren<QGroupBox*>()) {
            if (!heading)
                heading = frame->font();
            QVERIFY2(frame->font().bold(), qPrintable(name + ' ' + frame->objectName()));
            QCOMPARE(frame->font().pointSizeF(), heading->pointSizeF());
        }
        for (const QLabel* caption : screen->findChildren<QLabel*>()) {
            if (!qobject_cast<QLineEdit*>(caption->buddy()))
                continue;
            QVERIFY2(caption->alignment() & Qt::AlignLeft,
                     qPrintable(name + ' ' + caption->text()));
            QVERIFY2(!caption->font().bold(), qPrintable(name + ' ' + caption->text()));
        }
        QMdiSubWindow* sub = WindowOf(screen);
        w.mdiArea()->setActiveSubWindow(sub);
        sub->showNormal();
        QCoreApplication::processEvents();
        const int normalGap = WidestCaptionGap(screen);
        sub->showMaximized();
        QCoreApplication::processEvents();
        QVERIFY(screen->width() > 1000);
        const int gap = WidestCaptionGap(screen);
        // A pixel of rounding, never the room the window gained.
        QVERIFY2(std::abs(gap - normalGap) <= 4,
                 qPrintable(name + QStringLiteral(": %1 px, was %2 px").arg(gap).arg(normalGap)));
        sub->showNormal();
    }

    Form4* pipes = w.form4();
    QMdiSubWindow* sub = WindowOf(pipes);
    sub->resize(900, 700);
    QCoreApplication::processEvents();
    const int narrow = pipes->Frame1->width();
    const int cell = pipes->Text3(pipes->Text3.first())->width();
    sub->showMaximized();
    QCoreApplication::processEvents();
    QCOMPARE_GT(pipes->Frame1->width(), narrow + 150);
    QCOMPARE_GT(pipes->Text3(pipes->Text3.first())->width(), cell + 10);
    QCOMPARE_GE(pipes->Frame1->geometry().right(), pipes->width() - 30);
}

TERMIVA_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
