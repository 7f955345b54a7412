// The main window: the decimal separator notice, the menus, one instance of
// each screen per run, help, and ending the application.

#include "platform/scripted_platform.h"
#include "screens/app_paths.h"
#include "screens/chart_screen.h"
#include "screens/heat_loss_table_screen.h"
#include "screens/main_window.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/single_pipe_screen.h"
#include "screens/value_marks.h"
#include "screens/vessel_screen.h"
#include "test_support.h"

#include <memory>

#include <QAction>
#include <QComboBox>
#include <QLabel>
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
    void softwareDescription();
    void keysAndTitlePanel();
    void endsAtOnce_data();
    void endsAtOnce();
    void resultNoteFollowsTheActiveScreen();
    void shots();

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

// The menu bar: Pipes, Vessel, Help with their items, and Exit as a command of its own.
void MainWindowTest::menus() {
    MDIForm1& w = open();
    QStringList topLevel;
    for (QAction* action : w.menuBar()->actions())
        topLevel << action->objectName() + '=' + QString(action->text()).remove(u'&');
    QCOMPARE(topLevel, (QStringList{"Pipes=Pipes", "Vessel=Vessel", "Help=Help", "Exit=Exit"}));
    QVERIFY(!w.Exit->menu());

    const auto items = [](QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->objectName() + '=' + QString(action->text()).remove(u'&');
        return texts;
    };
    QCOMPARE(items(w.Pipes), (QStringList{"Single_pipe=Single pipe", "More_pipes=Multiple pipes"}));
    QCOMPARE(items(w.Vessel), QStringList{"Single_vessel=Single vessel"});
    QCOMPARE(items(w.Help), QStringList{"Software_description=Software description"});
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
}

// "Diagram" brings up the chart screen: F1 there opens the chart's topic.
void MainWindowTest::f1OnChartScreen() {
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("Template.xlsx"));
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

TERMIVA_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
