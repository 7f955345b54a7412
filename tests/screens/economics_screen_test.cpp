// SPDX-License-Identifier: GPL-3.0-or-later
// The energy, cost and economic thickness screen driven as a user drives it:
// test data, Calculation, the field rules on fields and table cells, the
// table's editing, files and Take inputs, with the scripted platform
// recording the messages.

#include "platform/scripted_platform.h"
#include "screens/economics_screen.h"
#include "screens/results_clipboard.h"
#include "screens/value_marks.h"
#include "test_support.h"

#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::PointLocale;
using termiva::test::ScopedLocale;

namespace {

const QString kRequired = QStringLiteral("Please input value!");
const QString kZero = QStringLiteral("Value must be greater then 0!");

void Click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

void Retype(QLineEdit* field, const QString& text) {
    Click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

QString Comma(QString text, bool comma) {
    return comma ? text.replace(u'.', u',') : text;
}

} // namespace

class EconomicsScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        area_ = std::make_unique<QMdiArea>();
        area_->resize(1500, 950);
        form_ = new Form9(platform_, [this](files::InputFileKind kind) {
            return kind == source_.kind && !source_.texts.empty()
                       ? std::optional<cases::ScreenTexts>(source_)
                       : std::nullopt;
        });
        window_ = area_->addSubWindow(form_);
        area_->show();
        form_->Form_Load(0);
        window_->show();
        area_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(area_.get()));
        form_->Text5->setFocus();
    }
    void cleanup() {
        area_.reset();
        source_ = {};
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    void calculation_data();
    void calculation();
    void fieldRulesAndErrors();
    void tableEditing();
    void staleResults();
    void saveLoadRoundTrip_data();
    void saveLoadRoundTrip();
    void takeInputs();

private:
    // The texts of result column `column`, bare first.
    QStringList column(int column) const {
        QStringList texts;
        for (int r = 1; r <= form_->resultRows(); ++r)
            texts << form_->resultCell(r, column)->text();
        return texts;
    }
    QStringList thicknesses() const {
        QStringList texts;
        for (int r = 1; r <= form_->Table1->rowCount(); ++r)
            texts << form_->Table1->cell(r, 1)->text();
        return texts;
    }

    ScriptedPlatform platform_;
    std::unique_ptr<QMdiArea> area_;
    Form9* form_ = nullptr;
    QMdiSubWindow* window_ = nullptr;
    cases::ScreenTexts source_;
};

void EconomicsScreenTest::calculation_data() {
    QTest::addColumn<int>("object");
    QTest::addColumn<bool>("comma");
    QTest::newRow("pipe, point") << 0 << false;
    QTest::newRow("pipe, comma") << 0 << true;
    QTest::newRow("vertical cylinder") << 3 << false;
}

void EconomicsScreenTest::calculation() {
    // Test data, Calculation: a row per candidate (bare first), the economic
    // row marked, the verdict, the three cost curves and the marker.
    QFETCH(int, object);
    QFETCH(bool, comma);
    const ScopedLocale locale(comma ? CommaLocale() : PointLocale());
    Form9& f = *form_;
    QCOMPARE(f.windowTitle(), QStringLiteral("ENERGY, COST AND ECONOMIC THICKNESS"));
    f.Combo1->setCurrentIndex(object);
    QCOMPARE(f.Text10->isVisibleTo(&f), object == 0);
    QVERIFY(f.Table1->Label22->text().endsWith(object == 0 ? QStringLiteral("/m]")
                                                           : QStringLiteral("/m²]")));
    Click(f.Command3);
    QCOMPARE(f.Table1->rowCount(), 5);
    Click(f.Command1);
    QVERIFY(f.Frame5->isVisible());
    QCOMPARE(f.resultRows(), 6);
    QCOMPARE(column(1).front(), QStringLiteral("Bare"));
    QCOMPARE(column(1)[1], Comma(QStringLiteral("40.0"), comma));
    QCOMPARE(column(8).front(), QStringLiteral("-"));
    QVERIFY(f.headings[8]->text().contains(QStringLiteral("EUR")));
    int economic = 0;
    for (int r = 1; r <= f.resultRows(); ++r) {
        if (f.resultCell(r, 9)->font().bold())
            economic = r;
    }
    QVERIFY(economic > 1);
    QVERIFY2(f.Label1->text().startsWith(
                 QStringLiteral("Economic thickness ") +
                 column(1)[economic - 1].section(u'.', 0, 0).section(u',', 0, 0)),
             qPrintable(f.Label1->text()));
    QChart* chart = f.Picture1->chart();
    QCOMPARE(chart->series().size(), 4);
    QCOMPARE(static_cast<QLineSeries*>(chart->series()[2])->count(), 6);
    const QPointF sum = static_cast<QLineSeries*>(chart->series()[2])->at(economic - 1);
    const QPoint at = f.Picture1->mapFromScene(chart->mapToPosition(sum, chart->series()[2]));
    QVERIFY(f.Picture1->toolTipAt(at).endsWith(QStringLiteral(" EUR/a")));

    // Copy results: the inputs and the result tables as the screen shows them.
    const std::unique_ptr<QMimeData> copied = ResultsMimeData(f);
    QVERIFY(copied);
    QVERIFY(copied->text().contains(u'\t' + column(2).front() + u'\t'));
    QVERIFY(copied->html().contains(QStringLiteral("<td>") + column(9)[economic - 1]));
}

void EconomicsScreenTest::fieldRulesAndErrors() {
    // The typing filter and the zero rule on a cell; the required check and
    // the calculation's errors point at the field or cell.
    Form9& f = *form_;
    Click(f.Command3);
    NumericField* cell = f.Table1->cell(2, 1);
    QCOMPARE(cell->objectName(), QStringLiteral("Table1(2,1)"));
    Retype(cell, QStringLiteral("6x0"));
    QCOMPARE(cell->text(), QStringLiteral("60"));
    QCOMPARE(platform_.takeBeeps(), 1);
    Retype(cell, QStringLiteral("0"));
    QTest::keyClick(cell, Qt::Key_Tab);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kZero});
    QCOMPARE(QApplication::focusWidget(), cell);
    Retype(cell, QStringLiteral("60"));

    f.Table1->cell(4, 2)->clear();
    Click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kRequired});
    QCOMPARE(QApplication::focusWidget(), f.Table1->cell(4, 2));
    QVERIFY(!f.Frame5->isVisible());
    f.Table1->cell(4, 2)->setText(QStringLiteral("66"));

    f.Text11->setText(QStringLiteral("9000"));
    Click(f.Command1);
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY2(messages[0].text.contains(QStringLiteral("8784")), qPrintable(messages[0].text));
    QCOMPARE(QApplication::focusWidget(), f.Text11);
    QVERIFY(!f.Frame5->isVisible());

    // Clear data: every field empty, one empty row, the currency back.
    Click(f.Command2);
    QVERIFY(f.Text1->text().isEmpty() && f.Text17->text().isEmpty());
    QCOMPARE(f.Table1->rowCount(), 1);
    QVERIFY(f.Table1->cell(1, 1)->text().isEmpty());
    QVERIFY(!f.Text18->text().isEmpty());
}

void EconomicsScreenTest::tableEditing() {
    // Add puts the cursor in a new last row; a thickness left takes its row
    // to its place, cells renamed; Remove takes the row edited last.
    Form9& f = *form_;
    Click(f.Command3);
    Click(f.Table1->Command8);
    QCOMPARE(f.Table1->rowCount(), 6);
    QCOMPARE(QApplication::focusWidget(), f.Table1->cell(6, 1));
    QTest::keyClicks(f.Table1->cell(6, 1), QStringLiteral("50"));
    QTest::keyClick(f.Table1->cell(6, 1), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("35"));
    QTRY_COMPARE(thicknesses(), (QStringList{"40", "60", "80", "100", "120", "50"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_COMPARE(thicknesses(), (QStringList{"40", "50", "60", "80", "100", "120"}));
    QCOMPARE(f.Table1->cell(2, 2)->text(), QStringLiteral("35"));
    QCOMPARE(f.Table1->cell(2, 2)->objectName(), QStringLiteral("Table1(2,2)"));
    QVERIFY(f.Table1->cell(2, 2)->accessibleName().endsWith(QStringLiteral("candidate 2")));

    Click(f.Table1->cell(4, 2));
    Click(f.Table1->Command9);
    QCOMPARE(thicknesses(), (QStringList{"40", "50", "60", "100", "120"}));
    QCOMPARE(QApplication::focusWidget(), f.Table1->cell(4, 1));
    Click(f.Command1);
    QCOMPARE(f.resultRows(), 6);

    // A repeated thickness is refused by the calculation, the focus on it.
    f.Table1->cell(2, 1)->setText(QStringLiteral("40"));
    Click(f.Command1);
    QCOMPARE(platform_.takeMessages().size(), std::size_t{1});
    QCOMPARE(QApplication::focusWidget(), f.Table1->cell(2, 1));
}

void EconomicsScreenTest::staleResults() {
    // After an edit, a row removed or a currency changed the results stay
    // greyed with the note until "Calculation".
    Form9& f = *form_;
    Click(f.Command3);
    Click(f.Command1);
    QLabel* box = f.resultCell(2, 9);
    const QColor normal = box->palette().color(QPalette::WindowText);
    QVERIFY(box->accessibleName().endsWith(QStringLiteral(": ") + box->text()));
    Click(f.Table1->Command9);
    QVERIFY(box->palette().color(QPalette::WindowText) != normal);
    QCOMPARE(ResultNoteOf(&f), QStringLiteral("Inputs changed: press Calculation"));
    Click(f.Command1);
    QCOMPARE(box->palette().color(QPalette::WindowText), normal);
    QCOMPARE(f.resultRows(), 5);
    f.Text18->setText(QStringLiteral("CHF"));
    QCOMPARE(ResultNoteOf(&f), QStringLiteral("Inputs changed: press Calculation"));
    QVERIFY(f.moneyCaptions[2]->text().contains(QStringLiteral("[CHF/MWh]")));
}

void EconomicsScreenTest::saveLoadRoundTrip_data() {
    QTest::addColumn<bool>("comma");
    QTest::newRow("point") << false;
    QTest::newRow("comma") << true;
}

void EconomicsScreenTest::saveLoadRoundTrip() {
    // A pipe case saved (the table sorted first), cleared, loaded: the
    // file's bytes as typed, every text and row back.
    QFETCH(bool, comma);
    const ScopedLocale locale(comma ? CommaLocale() : PointLocale());
    Form9& f = *form_;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("case.ineco"));
    Click(f.Command3);
    f.Text18->setText(QStringLiteral("EUR"));
    f.Table1->cell(1, 1)->setText(QStringLiteral("130"));
    platform_.answerDialog(path);
    Click(f.Command5);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{"Data successfuly saved fo file!"});
    QCOMPARE(platform_.takeDialogs()[0].settings.DefaultExt, QStringLiteral("ineco"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        Comma(QStringLiteral("Insulation energy and cost file\r\n0\r\n26.9\r\n\r\n\r\n\r\n143\r\n"
                             "20\r\n0.07\r\n0.95\r\n1\r\n100\r\n8000\r\n50\r\n0.9\r\n202\r\n10\r\n"
                             "6\r\n3\r\nEUR\r\n5\r\n60\r\n40\r\n80\r\n52\r\n100\r\n66\r\n120\r\n"
                             "82\r\n130\r\n30\r\n"),
              comma)
            .toLatin1();
    QCOMPARE(file.readAll(), expected);

    Click(f.Command2);
    f.Combo1->setCurrentIndex(2);
    platform_.answerDialog(path);
    Click(f.Command6);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{"Data successfuly loaded from file!"});
    platform_.takeDialogs();
    QCOMPARE(f.Combo1->currentIndex(), 0);
    QCOMPARE(f.Text13->text(), Comma(QStringLiteral("0.9"), comma));
    QCOMPARE(thicknesses(), (QStringList{"60", "80", "100", "120", "130"}));
    QCOMPARE(f.Table1->cell(5, 2)->text(), QStringLiteral("30"));
    Click(f.Command1);
    QCOMPARE(f.resultRows(), 6);

    // File > Save sorts the table as "Save to file" does.
    f.Table1->cell(1, 1)->setText(QStringLiteral("125"));
    f.saveFile();
    QCOMPARE(platform_.takeMessageTexts(), QStringList{"Data successfuly saved fo file!"});
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().endsWith("\r\n5\r\n80\r\n52\r\n100\r\n66\r\n120\r\n82\r\n"
                                    "125\r\n40\r\n130\r\n30\r\n"));
}

void EconomicsScreenTest::takeInputs() {
    // With no screen open, a box; from the open limit screen its object and
    // inputs by meaning; the money and the table stay.
    Form9& f = *form_;
    Click(f.Command3);
    Click(f.Command4);
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{"Open the single pipe, the vessel or the thickness for a limit screen "
                         "first."});
    source_ = cases::ScreenTexts{files::InputFileKind::ThicknessLimit, 1, {}};
    source_.texts = {
        {"Text2", "2"}, {"Text3", "1.5"}, {"Text4", "1"}, {"Text5", "180"}, {"Text10", "50"}};
    Click(f.Command4);
    QCOMPARE(f.Combo1->currentIndex(), 1);
    QCOMPARE(f.Text3->text(), QStringLiteral("1.5"));
    QCOMPARE(f.Text5->text(), QStringLiteral("180"));
    QCOMPARE(f.Text10->text(), QStringLiteral("100"));
    source_ = cases::ScreenTexts{files::InputFileKind::SinglePipe, 0, {}};
    source_.texts = {{"Text2", "33.7"}, {"Text3", "160"}};
    f.Combo1->setCurrentIndex(0);
    Click(f.Command4);
    QCOMPARE(f.Text1->text(), QStringLiteral("33.7"));
    QCOMPARE(f.Text5->text(), QStringLiteral("160"));
    QCOMPARE(f.Table1->rowCount(), 5);
}

TERMIVA_TEST_MAIN(EconomicsScreenTest)
#include "economics_screen_test.moc"
