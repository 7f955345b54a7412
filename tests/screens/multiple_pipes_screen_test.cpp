// SPDX-License-Identifier: GPL-3.0-or-later
// The multiple pipes screen driven as a user drives it: the test data, the
// calculation, the required-fields and row checks, clearing, the files, with
// the scripted platform recording what the user would have seen and heard.

#include "engine/pipe_group.h"
#include "platform/scripted_platform.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/screen_style.h"
#include "screens/value_marks.h"
#include "test_support.h"
#include "text/number_text.h"

#include <memory>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::ScopedLocale;

namespace {

const QString kRequired = QStringLiteral("Please input value!");
const QString kConductivity =
    QStringLiteral("Insulation thermal conductivity must be greater than 0.");

constexpr int kFirst = Form4::kFirstRow;
constexpr int kLast = Form4::kLastRow;

// The losses of the test data: row, bare, insulated.
struct RowResult {
    int row;
    const char* bare;
    const char* insulated;
};
const RowResult kTestResults[] = {
    {15, "37290", "4896.4"},
    {17, "20757", "2557.4"},
    {20, "29191", "3344.2"},
};

void click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Replaces the field's text by typing, as a user does.
void retype(NumericField* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Every row's two results and the totals, in one list, for comparing a
// whole screen at once.
QStringList resultsOf(const Form4& f) {
    QStringList texts;
    for (int r = kFirst; r <= kLast; ++r)
        texts << f.Label16(r)->text() << f.Label17(r)->text();
    return texts << f.Label20->text() << f.Label21->text();
}

QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

} // namespace

class MultiplePipesScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        form_ = std::make_unique<Form4>(platform_);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        form_->Text11->setFocus();
    }
    void cleanup() {
        form_.reset();
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    void controlsAndTexts();
    void testDataCalculation();
    void commaLocaleTestData();
    void incompleteInputs_data();
    void incompleteInputs();
    void removedRowKeepsOldResults();
    void engineErrorKeepsResults();
    void clearData();
    void saveAndLoad();
    void valuesBeyondTheAirDataAreMarked();
    void tabOrder();
    void formLoadPlacesTopLeft();
    void shots();

private:
    void calculateTestData() {
        click(form_->Command4);
        click(form_->Command1);
        QCOMPARE(platform_.takeMessageTexts(), QStringList());
    }

    ScriptedPlatform platform_;
    std::unique_ptr<Form4> form_;
};

void MultiplePipesScreenTest::controlsAndTexts() {
    // A new screen: captions, names, fixed texts and box colours as laid out.
    const Form4& f = *form_;
    QCOMPARE(f.windowTitle(), QStringLiteral("PART OF INSULATION"));
    QCOMPARE(f.Frame1->title(), QStringLiteral("INPUT PIPE DATA"));
    // the captions whose typos and double blanks are the program's own
    const std::pair<QLabel*, const char*> captions[] = {
        {f.Label11, "Thickness of Insulation (delta)  [mm]"},
        {f.Label2, "Wind Coefficinent (WC) [-]"},
        {f.Label8, "Lenght of Pipes [m]"},
        {f.Label15, "Total Losses of Insulated  Pipes [kW]"},
    };
    for (const auto& [label, caption] : captions)
        QCOMPARE(label->text(), QString::fromLatin1(caption));
    QCOMPARE(f.Label1->buddy(), f.Text14);
    QCOMPARE(f.Text14->accessibleName(), f.Label1->text());

    QCOMPARE(f.Text3(13)->objectName(), QStringLiteral("Text3(13)"));
    QCOMPARE(f.Label16(20)->accessibleDescription(), QStringLiteral("Label16(20)"));
    QCOMPARE(f.findChild<NumericField*>(QStringLiteral("Text5(25)")), f.Text5(25));

    // The fixed texts, and the sizes the calculation takes for them.
    const QStringList nominal{"20",  "25",  "32",  "40",  "50",  "65", "80",
                              "100", "125", "150", "200", "250", "310"};
    const QStringList outside{"26.9",  "33.7",  "42.4",  "48.3",  "60.3",  "76.1", "88.9",
                              "114.3", "139.7", "168.3", "219.1", "273.0", "324.0"};
    for (int r = kFirst; r <= kLast; ++r) {
        const auto i = static_cast<std::size_t>(r - kFirst);
        QCOMPARE(f.Label18(r)->text(), nominal[r - kFirst]);
        QCOMPARE(f.Label19(r)->text(), outside[r - kFirst]);
        QCOMPARE(text::ToDouble(f.Label19(r)->text().toStdString(), "."), kPipeGroupSizes[i].OD);
        QCOMPARE(f.Label18(r)->palette().color(QPalette::Window), kFixedBoxColor);
        QCOMPARE(f.Label17(r)->palette().color(QPalette::Window), kResultBoxColor);
        // the table's columns line up from row to row
        QCOMPARE(f.Text4(r)->geometry().left(), f.Text4(kFirst)->geometry().left());
        QCOMPARE(f.Label17(r)->geometry().left(), f.Label17(kFirst)->geometry().left());
    }
    QCOMPARE(f.Label20->palette().color(QPalette::Window), kResultBoxColor);
}

void MultiplePipesScreenTest::testDataCalculation() {
    // Empty screen; "Input test data", "Calculation"; the three rows and the
    // totals of the worked example, every other row empty, no beep.
    calculateTestData();
    Form4& f = *form_;
    QCOMPARE(f.Text14->text(), QStringLiteral("0.05"));
    QCOMPARE(f.Text15->text(), QStringLiteral("0.90"));
    QCOMPARE(platform_.takeBeeps(), 0);

    QStringList expected;
    for (int r = kFirst; r <= kLast; ++r) {
        QString bare, insulated;
        for (const RowResult& row : kTestResults) {
            if (row.row == r) {
                bare = QString::fromLatin1(row.bare);
                insulated = QString::fromLatin1(row.insulated);
            }
        }
        expected << bare << insulated;
    }
    expected << "87.24"
             << "10.80";
    QCOMPARE(resultsOf(f), expected);
}

void MultiplePipesScreenTest::commaLocaleTestData() {
    // Comma separator; "Input test data" writes its texts with commas, so no
    // beep, and "Calculation" gives the totals of the point locale with
    // commas; a screen opened under the comma shows the OD texts with it.
    const ScopedLocale comma(CommaLocale());
    click(form_->Command4);
    QCOMPARE(form_->Text14->text(), QStringLiteral("0,05"));
    QCOMPARE(form_->Text15->text(), QStringLiteral("0,90"));
    QCOMPARE(form_->Text11->text(), QStringLiteral("25"));
    QCOMPARE(form_->Text5(20)->text(), QStringLiteral("8"));
    QCOMPARE(platform_.takeBeeps(), 0);

    click(form_->Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList());
    QCOMPARE(form_->Label17(15)->text(), QStringLiteral("4896,4"));
    QCOMPARE(form_->Label20->text(), QStringLiteral("87,24"));
    QCOMPARE(form_->Label21->text(), QStringLiteral("10,80"));

    Form4 opened(platform_);
    QCOMPARE(opened.Label19(kFirst)->text(), QStringLiteral("26,9"));
    QCOMPARE(opened.Label19(kLast)->text(), QStringLiteral("324,0"));
    QCOMPARE(opened.Label18(kLast)->text(), QStringLiteral("310"));
}

void MultiplePipesScreenTest::incompleteInputs_data() {
    QTest::addColumn<QString>("emptyCommon"); // a common field emptied, or none
    QTest::addColumn<QStringList>("rows");    // "row:length,valves,flanges" set after the test data
    QTest::addColumn<int>("messages");
    QTest::addColumn<QString>("focus");

    QTest::newRow("two rows with only a length")
        << QString() << QStringList{"14:10,,", "22:5,,"} << 2 << "Text4(22)";
    QTest::newRow("only flanges") << QString() << QStringList{"25:,,3"} << 1 << "Text3(25)";
    QTest::newRow("tested rows lack their flanges")
        << QString() << QStringList{"15:78,25,", "17:28,14,"} << 2 << "Text5(17)";
    QTest::newRow("common field first") << "Text13" << QStringList{"14:10,,"} << 1 << "Text13";
    QTest::newRow("last common field") << "Text16" << QStringList{} << 1 << "Text16";
}

void MultiplePipesScreenTest::incompleteInputs() {
    // Test data with a common field emptied or rows made incomplete;
    // "Calculation": one message per fault found, the focus in the last one,
    // no result written.
    QFETCH(QString, emptyCommon);
    QFETCH(QStringList, rows);
    QFETCH(int, messages);
    QFETCH(QString, focus);
    Form4& f = *form_;
    click(f.Command4);
    if (!emptyCommon.isEmpty())
        f.findChild<NumericField*>(emptyCommon)->clear();
    for (const QString& row : rows) {
        const int r = row.section(u':', 0, 0).toInt();
        const QStringList texts = row.section(u':', 1).split(u',');
        f.Text3(r)->setText(texts[0]);
        f.Text4(r)->setText(texts[1]);
        f.Text5(r)->setText(texts[2]);
    }
    f.Text11->setFocus();

    click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList(messages, kRequired));
    QCOMPARE(focusName(), focus);
    QCOMPARE(resultsOf(f), QStringList(2 * 13 + 2, QString()));

    // Save checks the same way and opens no dialog.
    click(f.Command5);
    QCOMPARE(platform_.takeMessageTexts(), QStringList(messages, kRequired));
    QCOMPARE(platform_.takeDialogs().size(), 0u);
}

void MultiplePipesScreenTest::removedRowKeepsOldResults() {
    // Test data calculated; the length of row 20 removed: the row is
    // incomplete. With its valves and flanges removed too, "Calculation" keeps
    // its old losses on screen but leaves them out of the totals.
    calculateTestData();
    Form4& f = *form_;
    const QStringList before = resultsOf(f);
    f.Text3(20)->clear();
    click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kRequired});
    QCOMPARE(focusName(), QStringLiteral("Text3(20)"));
    QCOMPARE(resultsOf(f), before);

    f.Text4(20)->clear();
    f.Text5(20)->clear();
    click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList());
    QCOMPARE(f.Label16(20)->text(), QStringLiteral("29191"));
    QCOMPARE(f.Label17(20)->text(), QStringLiteral("3344.2"));
    QCOMPARE(f.Label16(15)->text(), QStringLiteral("37290"));
    QCOMPARE(f.Label20->text(), QStringLiteral("58.05"));
    QCOMPARE(f.Label21->text(), QStringLiteral("7.45"));
}

void MultiplePipesScreenTest::engineErrorKeepsResults() {
    // Test data calculated; k typed as 0; "Calculation": the engine's message,
    // every result as it was.
    calculateTestData();
    const QStringList before = resultsOf(*form_);
    retype(form_->Text14, QStringLiteral("0"));
    click(form_->Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kConductivity});
    QCOMPARE(resultsOf(*form_), before);
}

void MultiplePipesScreenTest::clearData() {
    // Test data calculated, Text13 red from a refused leave; "Clear data"
    // (from code, as the red field would refuse the click): fields and results
    // empty, the red stays, fixed texts and headers stay.
    calculateTestData();
    Form4& f = *form_;
    {
        const ScopedLocale comma(CommaLocale());
        retype(f.Text13, QStringLiteral("2,5"));
    }
    QTest::keyClick(f.Text13, Qt::Key_Tab);
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{QStringLiteral("Invalid entries, please enter numbers only")});
    QCOMPARE(f.Text13->palette().color(QPalette::Base), QColor(255, 0, 0));

    f.Command3_Click();
    for (auto* field : {f.Text11, f.Text12, f.Text13, f.Text14, f.Text15, f.Text16})
        QVERIFY(field->text().isEmpty());
    for (int r = kFirst; r <= kLast; ++r) {
        QVERIFY(f.Text3(r)->text().isEmpty());
        QVERIFY(f.Text4(r)->text().isEmpty());
        QVERIFY(f.Text5(r)->text().isEmpty());
    }
    QCOMPARE(resultsOf(f), QStringList(2 * 13 + 2, QString()));
    QCOMPARE(f.Text13->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(f.Label18(25)->text(), QStringLiteral("310"));
    QCOMPARE(f.Label19(25)->text(), QStringLiteral("324.0"));
    QCOMPARE(f.Label13->text(), QStringLiteral("Insulated Pipe Losses [W]"));
}

void MultiplePipesScreenTest::saveAndLoad() {
    // Test data saved, the screen cleared, the file loaded: the 46 lines in
    // file order, and every field back as it was.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("group.inmp"));
    Form4& f = *form_;
    click(f.Command4);
    platform_.answerDialog(path);
    click(f.Command5);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{"Data successfuly saved fo file!"});
    const auto saved = platform_.takeDialogs();
    QCOMPARE(saved.size(), 1u);
    QCOMPARE(saved[0].settings.DefaultExt, QStringLiteral("inmp"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 47); // 46 lines and the end of the last
    QCOMPARE(lines[1].trimmed(), QByteArray("25"));
    QCOMPARE(lines[4].trimmed(), QByteArray("0.05"));
    const int row15 = 1 + 6 + (15 - kFirst) * 3; // index of the length line of row 15
    QCOMPARE(lines[row15].trimmed(), QByteArray("78"));
    QCOMPARE(lines[row15 + 1].trimmed(), QByteArray("25"));
    QCOMPARE(lines[row15 + 2].trimmed(), QByteArray("14"));
    QCOMPARE(lines[row15 - 1].trimmed(), QByteArray());

    QStringList texts;
    for (QLineEdit* field : f.findChildren<QLineEdit*>())
        texts << field->objectName() + u'=' + field->text();
    f.Command3_Click();
    platform_.answerDialog(path);
    click(f.Command6);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{"Data successfuly loaded from file!"});
    QCOMPARE(platform_.takeDialogs().size(), 1u);
    QStringList loaded;
    for (QLineEdit* field : f.findChildren<QLineEdit*>())
        loaded << field->objectName() + u'=' + field->text();
    QCOMPARE(loaded, texts);
}

// Test data at T1 = 800: each bare loss and the bare total are marked, the
// insulated ones (surfaces far below 600 °C) not; the test data as given mark
// nothing.
void MultiplePipesScreenTest::valuesBeyondTheAirDataAreMarked() {
    Form4& f = *form_;
    calculateTestData();
    QVERIFY(ResultNoteOf(&f).isEmpty());
    retype(f.Text12, QStringLiteral("800"));
    click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList());
    for (int r : {15, 17, 20}) {
        QCOMPARE(f.Label16(r)->palette().color(QPalette::Window), kMarkedBoxColor);
        QCOMPARE(f.Label17(r)->palette().color(QPalette::Window), kResultBoxColor);
    }
    QCOMPARE(f.Label20->palette().color(QPalette::Window), kMarkedBoxColor);
    QCOMPARE(f.Label21->palette().color(QPalette::Window), kResultBoxColor);
    QCOMPARE(ResultNoteOf(&f), QString::fromUtf8(cases::kOutsideAirDataNote));
}

void MultiplePipesScreenTest::tabOrder() {
    // Focus in Text11; Tab through the screen: common fields, the table row
    // by row, then the buttons from "Load from file" to "Calculation".
    QStringList expected{"Text11", "Text12", "Text13", "Text14", "Text15", "Text16"};
    for (int r = kFirst; r <= kLast; ++r)
        expected << QStringLiteral("Text3(%1)").arg(r) << QStringLiteral("Text4(%1)").arg(r)
                 << QStringLiteral("Text5(%1)").arg(r);
    expected << "Command6"
             << "Command5"
             << "Command4"
             << "Command3"
             << "Command1";
    QStringList visited{focusName()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, expected);
}

void MultiplePipesScreenTest::formLoadPlacesTopLeft() {
    // The screen in an MDI sub-window away from the corner; Form_Load moves
    // the sub-window to the top left.
    QMdiArea area;
    area.resize(1000, 800);
    auto* screen = new Form4(platform_);
    QMdiSubWindow* window = area.addSubWindow(screen);
    area.show();
    window->move(120, 80);
    screen->Form_Load();
    QCOMPARE(window->pos(), QPoint(0, 0));
    QCOMPARE(window->windowTitle(), QStringLiteral("PART OF INSULATION"));
}

void MultiplePipesScreenTest::shots() {
    // With TERMIVA_SHOTS set to a folder: the screen after the test data and
    // "Calculation", saved there for looking at.
    const QString folder = qEnvironmentVariable("TERMIVA_SHOTS");
    if (folder.isEmpty())
        QSKIP("TERMIVA_SHOTS not set");
    calculateTestData();
    const QString name = QStringLiteral("form4-x%1.png").arg(form_->devicePixelRatioF());
    QVERIFY(form_->grab().save(QDir(folder).filePath(name)));
}

TERMIVA_TEST_MAIN(MultiplePipesScreenTest)
#include "multiple_pipes_screen_test.moc"
