// SPDX-License-Identifier: GPL-3.0-or-later
// The field rules driven as a user drives them: typing, pasting, Tab, clicks,
// mnemonics, menus and MDI windows, with the scripted platform recording what
// the user would have seen and heard.

#include "platform/scripted_platform.h"
#include "screens/control_names.h"
#include "screens/field_texts.h"
#include "screens/numeric_field.h"
#include "screens/value_marks.h"
#include "test_support.h"

#include <memory>

#include <QClipboard>
#include <QFormLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::ScopedLocale;

namespace {

const QColor kRed(255, 0, 0);
const QString kInvalid = QStringLiteral("Invalid entries, please enter numbers only");
const QString kZero = QStringLiteral("Value must be greater then 0!");
const QString kNominal =
    QStringLiteral("Pipe nominal diameter must be less then pipe outside diameter!");
const QString kOutside =
    QStringLiteral("Pipe outside diameter must be greater then pipe nominam diameter!");
const QString kRequired = QStringLiteral("Please input value!");

// A small screen: paired diameters (kind D), a dimension (kind C), two plain
// fields and a button; the fields in this tab order.
class TestForm : public QWidget {
public:
    explicit TestForm(Platform& platform) {
        auto* layout = new QFormLayout(this);
        const auto row = [&](const QString& name, const QString& caption) {
            auto* field = new NumericField(platform, name, this);
            layout->addRow(MakeCaption(caption, field), field);
            return field;
        };
        Text1 = row(QStringLiteral("Text1"), QStringLiteral("Pipe nominal diameter (D1) [mm]"));
        Text2 = row(QStringLiteral("Text2"), QStringLiteral("Pipe outside diameter (D2) [mm]"));
        Text3 = row(QStringLiteral("Text3"), QStringLiteral("Lenght (L) [m]"));
        Text4 = row(QStringLiteral("Text4"), QStringLiteral("Insulation Thermal Conductivity"));
        Text5 = row(QStringLiteral("Text5"), QStringLiteral("Wind Coefficinent (WC) [-]"));
        Command1 = Named(new QPushButton(QStringLiteral("&Calculation"), this),
                         QStringLiteral("Command1"));
        layout->addRow(Command1);
        AddDiameterOrderCheck(Text1, Text2);
        Text3->addLeaveRule(NotZero());
        QObject::connect(Command1, &QPushButton::clicked, Command1, [this] {
            ++clicks;
            if (onClick)
                onClick();
        });
    }

    NumericField *Text1, *Text2, *Text3, *Text4, *Text5;
    QPushButton* Command1;
    int clicks = 0;
    std::function<void()> onClick;
};

QColor baseOf(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}
QColor windowColourOf(const QWidget* w) {
    return QApplication::palette(w).color(QPalette::Base);
}

// Types `text` where the separator is a comma; back under the point, the text
// is no longer a number but kind A does not run again until it changes.
void makeInvalid(NumericField* field) {
    const ScopedLocale comma(CommaLocale());
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("0,5"));
    QCOMPARE(field->text(), QStringLiteral("0,5"));
}

} // namespace

class NumericFieldTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        form_ = std::make_unique<TestForm>(platform_);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        form_->Text1->setFocus();
    }
    void cleanup() {
        form_.reset();
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    void typingFilter_data();
    void typingFilter();
    void minusInFrontOfDigitsGivesZero();
    void refusedKeystrokeIsNotedWhereTyped();
    void refusedLeave_data();
    void refusedLeave();
    void passRestoresWindowColour();
    void notZero_data();
    void notZero();
    void diameterOrder_data();
    void diameterOrder();
    void requiredFields_data();
    void requiredFields();
    void hiddenRequiredFieldKeepsFocus();
    void otherWindowsTitleBarAndMenusDoNotValidate();
    void realMessageBoxRefusesOnce();
    void screenCommon();

private:
    ScriptedPlatform platform_;
    std::unique_ptr<TestForm> form_;
};

void NumericFieldTest::typingFilter_data() {
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QString>("how"); // type, paste or set
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");

    QTest::newRow("digits") << false << "type"
                            << "143"
                            << "143" << 0;
    QTest::newRow("decimal") << false << "type"
                             << "0.07"
                             << "0.07" << 0;
    QTest::newRow("paste 3x") << false << "paste"
                              << "3x"
                              << "3" << 1;
    QTest::newRow("paste abc") << false << "paste"
                               << "abc"
                               << "" << 3;
    QTest::newRow("paste 12a5") << false << "paste"
                                << "12a5"
                                << "12" << 2;
    QTest::newRow("paste non-ASCII") << false << "paste"
                                     << "5é"
                                     << "5" << 1;
    QTest::newRow("paste exponent") << false << "paste"
                                    << "1e5"
                                    << "1e5" << 0;
    QTest::newRow("exponent typed") << false << "type"
                                    << "1e5"
                                    << "15" << 1;
    QTest::newRow("lone point") << false << "type"
                                << "."
                                << "" << 1;
    QTest::newRow("lone minus") << false << "type"
                                << "-"
                                << "" << 1;
    QTest::newRow("leading point") << false << "type"
                                   << ".5"
                                   << "5" << 1;
    QTest::newRow("comma under point") << false << "type"
                                       << "0,5"
                                       << "0.5" << 0;
    QTest::newRow("paste negative") << false << "paste"
                                    << "-12"
                                    << "0" << 0;
    QTest::newRow("set negative") << false << "set"
                                  << "-3.5"
                                  << "0" << 0;
    QTest::newRow("set 12a5") << false << "set"
                              << "12a5"
                              << "12" << 2;
    QTest::newRow("comma decimal") << true << "type"
                                   << "0,5"
                                   << "0,5" << 0;
    QTest::newRow("point under comma") << true << "type"
                                       << "0.05"
                                       << "0,05" << 0;
    QTest::newRow("paste point under comma") << true << "paste"
                                             << "26.9"
                                             << "26,9" << 0;
    QTest::newRow("second separator") << true << "type"
                                      << "2,6.9"
                                      << "2,69" << 1;
    QTest::newRow("lone comma") << true << "type"
                                << ","
                                << "" << 1;
    QTest::newRow("paste under comma") << true << "paste"
                                       << "0,05x"
                                       << "0,05" << 1;
}

void NumericFieldTest::typingFilter() {
    // Empty field, point or comma locale; type, paste or set the input;
    // the filtered text and one beep per removed character.
    QFETCH(bool, comma);
    QFETCH(QString, how);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    const ScopedLocale locale(comma ? CommaLocale() : test::PointLocale());
    NumericField* field = form_->Text4;
    field->setFocus();
    if (how == u"type") {
        QTest::keyClicks(field, input);
    } else if (how == u"paste") {
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    } else {
        field->setText(input);
    }
    QCOMPARE(field->text(), expected);
    QCOMPARE(platform_.takeBeeps(), beeps);
    QCOMPARE(field->cursorPosition(), static_cast<int>(expected.size()));
}

void NumericFieldTest::minusInFrontOfDigitsGivesZero() {
    // "5" typed, caret moved to the front, "-" typed: the field reads "0".
    NumericField* field = form_->Text4;
    field->setFocus();
    QTest::keyClick(field, Qt::Key_5);
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Minus);
    QCOMPARE(field->text(), QStringLiteral("0"));
    QCOMPARE(platform_.takeBeeps(), 0);
}

void NumericFieldTest::refusedKeystrokeIsNotedWhereTyped() {
    // "-" before a winter ambient: refused, with a beep and a note that says why.
    NumericField* field = form_->Text4;
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("-10"));
    QCOMPARE(field->text(), QStringLiteral("10"));
    QCOMPARE(platform_.takeBeeps(), 1);
    QCOMPARE(FieldNoteOf(form_.get()),
             QStringLiteral("'-' is not accepted: values are not negative"));
    // A letter typed inside the number goes, the rest stays, the caret too.
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_A);
    QCOMPARE(field->text(), QStringLiteral("10"));
    QCOMPARE(field->cursorPosition(), 1);
    QCOMPARE(platform_.takeBeeps(), 1);
    QCOMPARE(FieldNoteOf(form_.get()),
             QStringLiteral("'a' is not accepted: type digits with at most one decimal "
                            "separator \".\""));
    QTest::keyClick(field, Qt::Key_5);
    QCOMPARE(field->text(), QStringLiteral("150"));
    // The note passes.
    QTRY_VERIFY_WITH_TIMEOUT(FieldNoteOf(form_.get()).isEmpty(), kRefusalNoteMs + 2000);
}

enum Action { Tab, Backtab, ClickField, ClickButton, Mnemonic };

void NumericFieldTest::refusedLeave_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("invalid");
    const std::pair<const char*, Action> actions[] = {{"Tab", Tab},
                                                      {"Backtab", Backtab},
                                                      {"click on a field", ClickField},
                                                      {"click on the button", ClickButton},
                                                      {"mnemonic Alt+C", Mnemonic}};
    for (const auto& [name, action] : actions) {
        QTest::addRow("%s, valid", name) << int(action) << false;
        QTest::addRow("%s, invalid", name) << int(action) << true;
    }
}

void NumericFieldTest::refusedLeave() {
    // Focus in Text4 holding a valid or an invalid text; the user tries to
    // leave. Valid: the focus moves (and the button runs). Invalid: one
    // message, the focus stays, the field turns red, the button does not run.
    QFETCH(int, action);
    QFETCH(bool, invalid);
    TestForm& f = *form_;
    if (invalid) {
        makeInvalid(f.Text4);
    } else {
        f.Text4->setFocus();
        QTest::keyClicks(f.Text4, QStringLiteral("0.5"));
    }
    QWidget* expectedFocus = nullptr;
    switch (action) {
    case Tab:
        QTest::keyClick(f.Text4, Qt::Key_Tab);
        expectedFocus = f.Text5;
        break;
    case Backtab:
        QTest::keyClick(f.Text4, Qt::Key_Backtab);
        expectedFocus = f.Text3;
        break;
    case ClickField:
        QTest::mouseClick(f.Text2, Qt::LeftButton);
        expectedFocus = f.Text2;
        break;
    case ClickButton:
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        expectedFocus = f.Command1;
        break;
    case Mnemonic:
        QTest::keyClick(f.Text4, Qt::Key_C, Qt::AltModifier);
        expectedFocus = f.Text4; // Qt clicks a button by its mnemonic without focusing it
        break;
    }
    const bool clicks = action == ClickButton || action == Mnemonic;
    if (!invalid) {
        QVERIFY(platform_.messages().empty());
        QCOMPARE(QApplication::focusWidget(), expectedFocus);
        QTRY_COMPARE(f.clicks, clicks ? 1 : 0);
        QCOMPARE(baseOf(f.Text4), windowColourOf(f.Text4));
        return;
    }
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), 1u);
    QCOMPARE(messages[0].text, kInvalid);
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY(messages[0].icon == MessageIcon::Error);
    QCOMPARE(QApplication::focusWidget(), f.Text4);
    QCOMPARE(baseOf(f.Text4), kRed);
    QCOMPARE(f.Text4->text(), QStringLiteral("0,5"));
    if (action == Mnemonic)
        QTest::qWait(200); // a mnemonic clicks the button after a short animation
    QCOMPARE(f.clicks, 0);
}

void NumericFieldTest::passRestoresWindowColour() {
    // A refused leave turns Text4 red; typing does not change the colour; the
    // next leave that passes gives back the window colour and moves on.
    TestForm& f = *form_;
    QCOMPARE(baseOf(f.Text4), windowColourOf(f.Text4));
    makeInvalid(f.Text4);
    QTest::keyClick(f.Text4, Qt::Key_Tab);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kInvalid});
    f.Text4->selectAll();
    QTest::keyClicks(f.Text4, QStringLiteral("0.5"));
    QCOMPARE(f.Text4->text(), QStringLiteral("0.5"));
    QCOMPARE(baseOf(f.Text4), kRed);
    QTest::keyClick(f.Text4, Qt::Key_Tab);
    QVERIFY(platform_.messages().empty());
    QCOMPARE(QApplication::focusWidget(), f.Text5);
    QCOMPARE(baseOf(f.Text4), windowColourOf(f.Text4));
}

void NumericFieldTest::notZero_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("refused");
    QTest::newRow("0") << "0" << true;
    QTest::newRow("0.0") << "0.0" << false;
    QTest::newRow("00") << "00" << false;
    QTest::newRow("5") << "5" << false;
    QTest::newRow("empty") << "" << false;
}

void NumericFieldTest::notZero() {
    // Text3 (a dimension) holds the input; Tab. "0" alone is refused, without
    // the red of kind B.
    QFETCH(QString, input);
    QFETCH(bool, refused);
    TestForm& f = *form_;
    f.Text3->setFocus();
    QTest::keyClicks(f.Text3, input);
    QTest::keyClick(f.Text3, Qt::Key_Tab);
    QCOMPARE(platform_.takeMessageTexts(), refused ? QStringList{kZero} : QStringList{});
    QCOMPARE(QApplication::focusWidget(), refused ? f.Text3 : f.Text4);
    QCOMPARE(baseOf(f.Text3), windowColourOf(f.Text3));
}

void NumericFieldTest::diameterOrder_data() {
    QTest::addColumn<QString>("d1");
    QTest::addColumn<QString>("d2");
    QTest::addColumn<bool>("leaveFirst");
    QTest::addColumn<QString>("message"); // empty: the leave passes
    QTest::newRow("D1 > D2, leaving D1") << "60"
                                         << "48.3" << true << kNominal;
    QTest::newRow("D1 > D2, leaving D2") << "60"
                                         << "48.3" << false << kOutside;
    QTest::newRow("D2 empty") << "20"
                              << "" << true << "";
    QTest::newRow("D1 empty") << ""
                              << "20" << false << "";
    QTest::newRow("equal") << "48.3"
                           << "48.3" << false << "";
    QTest::newRow("in order") << "20"
                              << "26.9" << true << "";
}

void NumericFieldTest::diameterOrder() {
    // Both diameters set as the size list sets them; Tab out of one of them.
    QFETCH(QString, d1);
    QFETCH(QString, d2);
    QFETCH(bool, leaveFirst);
    QFETCH(QString, message);
    TestForm& f = *form_;
    f.Text1->setText(d1);
    f.Text2->setText(d2);
    NumericField* left = leaveFirst ? f.Text1 : f.Text2;
    left->setFocus();
    QTest::keyClick(left, Qt::Key_Tab);
    QCOMPARE(platform_.takeMessageTexts(),
             message.isEmpty() ? QStringList{} : QStringList{message});
    QWidget* next = leaveFirst ? f.Text2 : f.Text3;
    QCOMPARE(QApplication::focusWidget(), message.isEmpty() ? next : left);
}

void NumericFieldTest::requiredFields_data() {
    QTest::addColumn<QStringList>("texts"); // Text1, Text2, Text3
    QTest::addColumn<QString>("focus");     // empty: the check passes
    QTest::newRow("all empty") << QStringList{"", "", ""} << "Text1";
    QTest::newRow("second empty") << QStringList{"20", "", "1"} << "Text2";
    QTest::newRow("last empty") << QStringList{"20", "26.9", ""} << "Text3";
    QTest::newRow("all filled") << QStringList{"20", "26.9", "1"} << "";
}

void NumericFieldTest::requiredFields() {
    // The button runs CheckRequired over Text1..Text3; the user clicks it
    // from Text4. One message at most, the focus in the first empty field.
    QFETCH(QStringList, texts);
    QFETCH(QString, focus);
    TestForm& f = *form_;
    bool passed = false;
    f.onClick = [&] { passed = CheckRequired(platform_, {f.Text1, f.Text2, f.Text3}); };
    f.Text1->setText(texts[0]);
    f.Text2->setText(texts[1]);
    f.Text3->setText(texts[2]);
    f.Text4->setFocus();
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.clicks, 1);
    QCOMPARE(passed, focus.isEmpty());
    QCOMPARE(platform_.takeMessageTexts(),
             focus.isEmpty() ? QStringList{} : QStringList{kRequired});
    QCOMPARE(QApplication::focusWidget()->objectName(), focus.isEmpty() ? "Command1" : focus);
}

void NumericFieldTest::hiddenRequiredFieldKeepsFocus() {
    // Text1 hidden and empty: the message is shown, the focus stays put.
    TestForm& f = *form_;
    f.Text1->hide();
    f.Command1->setFocus();
    QVERIFY(!CheckRequired(platform_, {f.Text1, f.Text2}));
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kRequired});
    QCOMPARE(QApplication::focusWidget(), f.Command1);
}

void NumericFieldTest::otherWindowsTitleBarAndMenusDoNotValidate() {
    // Two screens as MDI children, Text4 of the first invalid. Clicking into
    // the other screen, on the own title bar, or a menu runs no check; the
    // button of the own screen still does.
    form_.reset();
    QMainWindow main;
    int menuRuns = 0;
    QMenu* pipes = main.menuBar()->addMenu(QStringLiteral("Pipes"));
    QAction* single = pipes->addAction(QStringLiteral("Single pipe"));
    connect(single, &QAction::triggered, this, [&] { ++menuRuns; });
    auto* area = new QMdiArea;
    main.setCentralWidget(area);
    auto* a = new TestForm(platform_);
    auto* b = new TestForm(platform_);
    QMdiSubWindow* subA = area->addSubWindow(a);
    area->addSubWindow(b);
    main.resize(900, 700);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    area->tileSubWindows();
    area->setActiveSubWindow(subA);
    makeInvalid(a->Text4);
    QCOMPARE(QApplication::focusWidget(), a->Text4);

    QTest::mouseClick(b->Text2, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), b->Text2);
    QTest::mouseClick(a->Text4, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), a->Text4);

    const int titleHeight = subA->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, subA);
    QTest::mouseClick(subA, Qt::LeftButton, {}, QPoint(subA->width() / 2, titleHeight / 2));
    QCOMPARE(QApplication::focusWidget(), a->Text4);

    QTest::mouseClick(main.menuBar(), Qt::LeftButton, {},
                      main.menuBar()->actionGeometry(pipes->menuAction()).center());
    QTRY_VERIFY(pipes->isVisible());
    QTest::mouseClick(pipes, Qt::LeftButton, {}, pipes->actionGeometry(single).center());
    QTRY_COMPARE(menuRuns, 1);
    QTRY_COMPARE(QApplication::focusWidget(), a->Text4);
    QVERIFY(platform_.messages().empty());

    QTest::mouseClick(a->Command1, Qt::LeftButton);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kInvalid});
    QCOMPARE(a->clicks, 0);
    QCOMPARE(QApplication::focusWidget(), a->Text4);
}

void NumericFieldTest::realMessageBoxRefusesOnce() {
    // With the desktop platform, a click on the button while Text4 is invalid
    // opens one real modal box; after OK the focus is back in Text4, the
    // window active, and the button has not run.
    form_.reset();
    QtPlatform desktop;
    TestForm f(desktop);
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    makeInvalid(f.Text4);

    QStringList shown;
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        QVERIFY(box);
        shown << QStringLiteral("%1|%2|%3")
                     .arg(box->windowTitle(), box->text(),
                          box->icon() == QMessageBox::Critical ? "critical" : "other");
        box->button(QMessageBox::Ok)->click();
        test::AnswerNextModal(answer, 300); // a second box would be counted too
    };
    test::AnswerNextModal(answer);
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QTest::qWait(400);
    QCOMPARE(shown, QStringList{QStringLiteral("Error|%1|critical").arg(kInvalid)});
    QCOMPARE(f.clicks, 0);
    QTRY_VERIFY(f.isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), f.Text4);
    QCOMPARE(baseOf(f.Text4), kRed);
}

void NumericFieldTest::screenCommon() {
    // The shared helpers follow the user's separator and name what they make.
    QCOMPARE(NumberText(26.9), QStringLiteral("26.9"));
    {
        const ScopedLocale comma(CommaLocale());
        QCOMPARE(DecimalSeparator(), std::string(","));
        QCOMPARE(NumberText(26.9), QStringLiteral("26,9"));
        form_->Text1->setText(QStringLiteral("0,07"));
        QCOMPARE(NumberOf(form_->Text1), 0.07);
    }
    QCOMPARE(NumberOf(form_->Text1), std::nullopt);

    const auto* caption = qobject_cast<QLabel*>(
        qobject_cast<QFormLayout*>(form_->layout())->labelForField(form_->Text2));
    QVERIFY(caption);
    QCOMPARE(caption->buddy(), form_->Text2);
    QCOMPARE(form_->Text2->accessibleName(), QStringLiteral("Pipe outside diameter (D2) [mm]"));
    QCOMPARE(form_->Text2->accessibleDescription(), QStringLiteral("Text2"));
}

TERMIVA_TEST_MAIN(NumericFieldTest)
#include "numeric_field_test.moc"
