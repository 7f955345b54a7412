// SPDX-License-Identifier: GPL-3.0-or-later
// The thickness for a limit screen driven as a user drives it: the object
// list, typing, the buttons, files, with the scripted platform recording the
// messages.

#include "platform/scripted_platform.h"
#include "screens/thickness_limit_screen.h"
#include "screens/value_marks.h"
#include "test_support.h"

#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QValueAxis>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::PointLocale;
using termiva::test::ScopedLocale;

namespace {

const QString kRequired = QStringLiteral("Please input value!");
const QString kZero = QStringLiteral("Value must be greater then 0!");
const QString kSaved = QStringLiteral("Data successfuly saved fo file!");
const QString kLoaded = QStringLiteral("Data successfuly loaded from file!");

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

class ThicknessLimitScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        area_ = std::make_unique<QMdiArea>();
        area_->resize(1280, 900);
        form_ = new Form8(platform_, [this](files::InputFileKind kind) {
            return kind == source_.kind && !source_.texts.empty()
                       ? std::optional<cases::ScreenTexts>(source_)
                       : std::nullopt;
        });
        window_ = area_->addSubWindow(form_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
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

    void objectChoice();
    void calculation_data();
    void calculation();
    void fieldRules();
    void calculationErrors();
    void takeInputs();
    void saveLoadRoundTrip_data();
    void saveLoadRoundTrip();
    void keysAndHonestResults();
    void limitChart();
    void savePicture();

private:
    QStringList results() const {
        Form8& f = *form_;
        QStringList texts;
        for (const QLabel* label : {f.Label20, f.Label21, f.Label22, f.Label23, f.Label24,
                                    f.Label25, f.Label26, f.Label27, f.Label28})
            texts << label->text();
        return texts;
    }

    ScriptedPlatform platform_;
    std::unique_ptr<QMdiArea> area_;
    Form8* form_ = nullptr;
    QMdiSubWindow* window_ = nullptr;
    cases::ScreenTexts source_;
};

void ThicknessLimitScreenTest::objectChoice() {
    // Each object shows its own dimensions; the loss limit takes its unit.
    Form8& f = *form_;
    QCOMPARE(f.windowTitle(), QStringLiteral("INSULATION THICKNESS FOR A LIMIT"));
    QCOMPARE(f.Combo1->count(), 4);
    QCOMPARE(f.Combo1->itemText(3), QStringLiteral("Vertical Cylindical"));
    const bool shown[4][4] = {{true, false, false, false},
                              {false, true, true, true},
                              {false, true, false, true},
                              {false, false, true, true}};
    for (int object = 0; object < 4; ++object) {
        f.Combo1->setCurrentIndex(object);
        const NumericField* dims[] = {f.Text1, f.Text2, f.Text3, f.Text4};
        for (int d = 0; d < 4; ++d)
            QCOMPARE(dims[d]->isVisible(), shown[object][d]);
        QCOMPARE(f.Label11->text(), object == 0 ? QStringLiteral("Maximum heat loss [W/m]")
                                                : QStringLiteral("Maximum heat loss [W]"));
        QCOMPARE(f.Label5->text(), object >= 2 ? QStringLiteral("Diameter of Vessel (D) [m]")
                                               : QStringLiteral("Width of Vessel (W) [m]"));
        QVERIFY(!f.Frame4->isVisible());
    }
}

void ThicknessLimitScreenTest::calculation_data() {
    QTest::addColumn<int>("object");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("expected");
    const QStringList pipe = {
        "12.4", "-", "Surface temperature", "12.4", "62.68", "49.8", "20.0", "49.55", "40.3"};
    QTest::newRow("pipe, point") << 0 << false << pipe;
    QTest::newRow("pipe, comma") << 0 << true << pipe;
    QTest::newRow("rectangular") << 1 << false
                                 << QStringList{"-",    "60.5", "Heat loss", "60.5", "999.9",
                                                "30.0", "70.0", "886.9",     "28.8"};
}

void ThicknessLimitScreenTest::calculation() {
    // Test data, Calculation: the results in the result style, the chart drawn.
    QFETCH(int, object);
    QFETCH(bool, comma);
    QFETCH(QStringList, expected);
    const ScopedLocale locale(comma ? CommaLocale() : PointLocale());
    form_->Combo1->setCurrentIndex(object);
    Click(form_->Command3);
    QCOMPARE(form_->Text5->text(), object == 0 ? QStringLiteral("143") : QStringLiteral("150"));
    Click(form_->Command1);
    QVERIFY(form_->Frame4->isVisible());
    for (QString& text : expected)
        text = Comma(text, comma);
    QCOMPARE(results(), expected);
    QVERIFY(ResultNoteOf(form_).isEmpty());
    QChart* chart = form_->Picture1->chart();
    QVERIFY(chart);
    // Surface, loss, one limit, the answer.
    QCOMPARE(chart->series().size(), 4);
    auto* surface = qobject_cast<QLineSeries*>(chart->series()[0]);
    QVERIFY(surface && surface->count() == 41);
}

void ThicknessLimitScreenTest::fieldRules() {
    // Kind A filters, kind B checks on leaving, kind C refuses a zero
    // dimension, kind E asks for an empty field; the limits may be empty.
    Form8& f = *form_;
    Retype(f.Text1, QStringLiteral("2x6"));
    QCOMPARE(f.Text1->text(), QStringLiteral("26"));
    QCOMPARE(platform_.takeBeeps(), 1);
    Retype(f.Text1, QStringLiteral("0"));
    QTest::keyClick(f.Text1, Qt::Key_Tab);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kZero});
    QCOMPARE(QApplication::focusWidget(), f.Text1);
    Retype(f.Text1, QStringLiteral("26.9"));

    Click(f.Command3);
    f.Text10->clear();
    f.Text11->setText(QStringLiteral("30"));
    f.Text6->clear();
    Click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kRequired});
    QCOMPARE(QApplication::focusWidget(), f.Text6);
    QVERIFY(!f.Frame4->isVisible());
    f.Text6->setText(QStringLiteral("20"));
    Click(f.Command1);
    QCOMPARE(f.Label21->text(), QStringLiteral("60.1"));
    QCOMPARE(f.Label20->text(), QStringLiteral("-"));

    // Clear data empties every field, the list too, and hides the results.
    Click(f.Command2);
    QVERIFY(f.Text1->text().isEmpty() && f.Text9->text().isEmpty() && f.Text12->text().isEmpty());
    QVERIFY(!f.Frame4->isVisible());
}

void ThicknessLimitScreenTest::calculationErrors() {
    // Errors in a box; the previous results stay.
    Form8& f = *form_;
    Click(f.Command3);
    Click(f.Command1);
    const QStringList shown = results();
    f.Text10->clear();
    Click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{"Give a maximum surface temperature, a maximum heat loss or both."});
    f.Text10->setText(QStringLiteral("20.1"));
    Click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{"No insulation thickness up to 1000 mm keeps the surface temperature at "
                         "or below 20.1 oC: at 1000 mm it is 20.3 oC."});
    f.Text10->setText(QStringLiteral("50"));
    f.Text12->setText(QStringLiteral("20 a"));
    Click(f.Command1);
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{"Standard thicknesses [mm]: \"a\" is not a thickness greater than 0."});
    QCOMPARE(results(), shown);
}

void ThicknessLimitScreenTest::takeInputs() {
    // From the open vessel screen: its shape and inputs; with none open, a box.
    Form8& f = *form_;
    Click(f.Command4);
    QCOMPARE(platform_.takeMessageTexts(),
             QStringList{"Open the single pipe or the vessel screen first."});
    source_ = cases::ScreenTexts{files::InputFileKind::Vessel, 1, {}};
    source_.texts = {{"Text1", "2"}, {"Text3", "1.5"}, {"Text4", "180"}, {"Text8", "0.5"}};
    Click(f.Command4);
    QCOMPARE(f.Combo1->currentIndex(), 2);
    QCOMPARE(f.Text2->text(), QStringLiteral("2"));
    QCOMPARE(f.Text4->text(), QStringLiteral("1.5"));
    QCOMPARE(f.Text5->text(), QStringLiteral("180"));
    QCOMPARE(f.Text9->text(), QStringLiteral("0.5"));
}

void ThicknessLimitScreenTest::saveLoadRoundTrip_data() {
    QTest::addColumn<bool>("comma");
    QTest::newRow("point") << false;
    QTest::newRow("comma") << true;
}

void ThicknessLimitScreenTest::saveLoadRoundTrip() {
    // Vessel test data saved, cleared, loaded: every text, the object and
    // the file's lines as typed.
    QFETCH(bool, comma);
    const ScopedLocale locale(comma ? CommaLocale() : PointLocale());
    Form8& f = *form_;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("case.inlim"));
    f.Combo1->setCurrentIndex(3);
    Click(f.Command3);
    f.Text10->setText(Comma(QStringLiteral("45.5"), comma));
    platform_.answerDialog(path);
    Click(f.Command5);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kSaved});
    const auto dialogs = platform_.takeDialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs[0].settings.Filter,
             QStringLiteral("Thickness for a limit file (*.inlim)|*.inlim|All files (*.*)|*.*"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        Comma(QStringLiteral("Insulation thickness for a limit file\r\n3\r\n\r\n1.2\r\n1.8\r\n0."
                             "8\r\n150\r\n20\r\n0.05\r\n1\r\n1\r\n45.5\r\n1000\r\n"),
              comma)
            .toLatin1() +
        "20 25 30 40 50 60 70 80 90 100 120 140 160 180 200\r\n";
    QCOMPARE(file.readAll(), expected);

    Click(f.Command2);
    f.Combo1->setCurrentIndex(0);
    platform_.answerDialog(path);
    Click(f.Command6);
    QCOMPARE(platform_.takeMessageTexts(), QStringList{kLoaded});
    platform_.takeDialogs();
    QCOMPARE(f.Combo1->currentIndex(), 3);
    QCOMPARE(f.Text3->text(), Comma(QStringLiteral("1.8"), comma));
    QCOMPARE(f.Text10->text(), Comma(QStringLiteral("45.5"), comma));
    QCOMPARE(f.Text12->text(),
             QStringLiteral("20 25 30 40 50 60 70 80 90 100 120 140 160 180 200"));
    Click(f.Command1);
    QCOMPARE(f.Label22->text(), QStringLiteral("Heat loss"));
}

// Mnemonics unique on the screen, Return calculates; after an edit the old
// results stay greyed with a note until "Calculation"; result labels speak
// "caption: value" with the object's unit.
void ThicknessLimitScreenTest::keysAndHonestResults() {
    Form8& f = *form_;
    QStringList captions;
    QSet<QChar> keys;
    for (QPushButton* button :
         {f.Command1, f.Command2, f.Command3, f.Command4, f.Command5, f.Command6}) {
        const QString text = button->text();
        const qsizetype amp = text.indexOf(u'&');
        QVERIFY2(amp >= 0, qPrintable(text));
        keys.insert(text.at(amp + 1).toLower());
        captions << QString(text).remove(u'&');
    }
    QCOMPARE(keys.size(), 6);
    QCOMPARE(captions, (QStringList{"Calculation", "Clear data", "Input test data", "Take inputs",
                                    "Save to file", "Load from file"}));
    QCOMPARE(f.Label24->accessibleName(),
             QStringLiteral("Insulation thickness [mm], Heat Loss [W/m]"));

    Click(f.Command3);
    f.Text5->setFocus();
    QTest::keyClick(f.Text5, Qt::Key_Return);
    QVERIFY(f.Frame4->isVisible());
    QCOMPARE(f.Label20->accessibleName(),
             QStringLiteral("Thickness for the surface limit [mm]: 12.4"));
    QCOMPARE(f.Label24->accessibleName(),
             QStringLiteral("Insulation thickness [mm], Heat Loss [W/m]: 62.68"));
    const QColor normal = f.Label24->palette().color(QPalette::WindowText);

    Retype(f.Text6, QStringLiteral("10"));
    QCOMPARE(f.Label24->text(), QStringLiteral("62.68"));
    QVERIFY(f.Label24->palette().color(QPalette::WindowText) != normal);
    QCOMPARE(ResultNoteOf(&f), QStringLiteral("Inputs changed: press Calculation"));
    Click(f.Command1);
    QCOMPARE(f.Label24->palette().color(QPalette::WindowText), normal);
    QVERIFY(ResultNoteOf(&f).isEmpty());
    QCOMPARE(f.Label24->accessibleName(),
             QStringLiteral("Insulation thickness [mm], Heat Loss [W/m]: ") + f.Label24->text());

    // Another object hides the results; the names take its unit.
    f.Combo1->setCurrentIndex(1);
    QVERIFY(ResultNoteOf(&f).isEmpty());
    QCOMPARE(f.Label24->accessibleName(),
             QStringLiteral("Insulation thickness [mm], Heat Loss [W]: ") + f.Label24->text());
}

void ThicknessLimitScreenTest::limitChart() {
    // A rectangular vessel's curve starts far above its 1000 W limit: every
    // line named in the legend, the limits dashed, the loss axis near the
    // limit, the points telling thickness and value.
    Form8& f = *form_;
    f.Combo1->setCurrentIndex(1);
    Click(f.Command3);
    f.Text10->setText(QStringLiteral("50"));
    Click(f.Command1);
    QChart* chart = f.Picture1->chart();
    QStringList names;
    for (QAbstractSeries* series : chart->series())
        names << series->name();
    QCOMPARE(names, (QStringList{"Tsurface [oC]", "Heat Loss [W]", "limit 50 oC", "limit 1000 W",
                                 "Answer"}));
    QStringList labels;
    for (QLegendMarker* marker : chart->legend()->markers())
        labels << (marker->isVisible() ? marker->label() : QString());
    QCOMPARE(labels, names);
    const auto line = [&](int i) { return static_cast<QLineSeries*>(chart->series()[i]); };
    QCOMPARE(line(1)->pen().style(), Qt::SolidLine);
    QCOMPARE(line(3)->pen().style(), Qt::DashLine);
    QCOMPARE(line(3)->pen().color(), line(1)->pen().color());

    auto* lossAxis = static_cast<QValueAxis*>(chart->axes(Qt::Vertical, line(1))[0]);
    QVERIFY(line(1)->at(0).y() > 5 * 1000);
    QVERIFY(lossAxis->min() == 0 && lossAxis->max() >= 2 * 1000 && lossAxis->max() <= 4 * 1000);

    // A point of the loss curve under the mouse.
    const QPointF point = line(1)->at(line(1)->count() / 2);
    const QPoint at = f.Picture1->mapFromScene(chart->mapToPosition(point, line(1)));
    const QString tip = f.Picture1->toolTipAt(at);
    QVERIFY2(tip.startsWith(QStringLiteral("Heat Loss [W]\n")) &&
                 tip.endsWith(QStringLiteral(" W")),
             qPrintable(tip));
    QVERIFY(tip.contains(QStringLiteral(" mm: ")));
    QVERIFY(f.Picture1->toolTipAt(QPoint(0, 0)).isEmpty());
}

void ThicknessLimitScreenTest::savePicture() {
    // "Save picture..." as on the chart screen: the same dialog, the chart at
    // twice the resolution, and a line hidden in the legend left out.
    Form8& f = *form_;
    Click(f.Command3);
    Click(f.Command1);
    const QSize before = f.Picture1->size();
    window_->resize(window_->size() + QSize(200, 200));
    QTRY_VERIFY(f.Picture1->width() > before.width() && f.Picture1->height() > before.height());

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("limit.png"));
    platform_.answerDialog(png);
    Click(f.Command7);
    const auto dialogs = platform_.takeDialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    QCOMPARE(dialogs[0].settings.DialogTitle, QStringLiteral("Save picture"));
    QCOMPARE(dialogs[0].settings.DefaultExt, QStringLiteral("png"));
    const QImage image(png, "PNG");
    QVERIFY(image.width() >= 2 * f.Picture1->width());

    const QString svg = dir.filePath(QStringLiteral("limit.svg"));
    QLegendMarker* answer = f.Picture1->chart()->legend()->markers().back();
    QVERIFY(f.Picture1->savePicture(svg));
    QFile all(svg);
    QVERIFY(all.open(QIODevice::ReadOnly) && all.readAll().contains("Answer"));
    Q_EMIT answer->clicked();
    QVERIFY(!answer->series()->isVisible());
    QVERIFY(f.Picture1->savePicture(svg));
    QFile shown(svg);
    QVERIFY(shown.open(QIODevice::ReadOnly) && !shown.readAll().contains("Answer"));
    QVERIFY(answer->isVisible()); // greyed on the screen, to be shown again
}

TERMIVA_TEST_MAIN(ThicknessLimitScreenTest)
#include "thickness_limit_screen_test.moc"
