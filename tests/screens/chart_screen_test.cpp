// SPDX-License-Identifier: GPL-3.0-or-later
// The chart screen Form7 and its chart view OLE1: the chart as the workbook
// file describes it, the summary copied from the single pipe screen on
// activation, "Previous", "EXIT" and saving the chart as a picture.

#include "files/diagram_export.h"
#include "platform/scripted_platform.h"
#include "screens/app_paths.h"
#include "screens/chart_screen.h"
#include "screens/single_pipe_screen.h"
#include "screens/workbook_chart_view.h"
#include "test_support.h"

#include <memory>
#include <set>

#include <QAbstractAxis>
#include <QChart>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QValueAxis>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::ScopedLocale;

namespace {

const QString kFixture = QStringLiteral(TERMIVA_TEST_DATA "/workbook/libreoffice_edited.xlsx");

QList<QPointF> PointsOf(const QChart* chart, int index) {
    return static_cast<const QLineSeries*>(chart->series().at(index))->points();
}

QString AxisTitle(const QChart* chart, Qt::Orientation orientation) {
    const auto axes = chart->axes(orientation);
    return axes.size() == 1 && axes.first()->isTitleVisible() ? axes.first()->titleText()
                                                              : QString();
}

} // namespace

class ChartScreenTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }
    void init();
    void cleanup();

    void viewDrawsWhatTheFileSays_data();
    void viewDrawsWhatTheFileSays();
    void loadFailureShowsTheMessage();
    void summaryLiesBesideThePlot();
    void summaryFollowsTheSinglePipeScreenOnActivation();
    void summaryKeepsTheUsersSeparator();
    void previousAndExit();
    void chartNamesTheInputsAndUsesTheTemplateStyles();
    void legendClickHidesAndShowsASeries();
    void logarithmicScale();
    void pointTooltip();
    void savePicture_data();
    void savePicture();
    void shots();

private:
    QMdiSubWindow* subOf(QWidget* w) { return qobject_cast<QMdiSubWindow*>(w->parentWidget()); }
    void activate(QWidget* form) { area_->setActiveSubWindow(subOf(form)); }

    ScriptedPlatform platform_;
    QTemporaryDir dir_;
    QString template_;
    std::unique_ptr<QMainWindow> window_;
    QMdiArea* area_ = nullptr;
    Form3* form3_ = nullptr;
    Form7* form7_ = nullptr;
};

void ChartScreenTest::init() {
    const QString original = ApplicationFolder() + QStringLiteral("/Template.xlsx");
    QVERIFY2(QFile::exists(original), "build the target termiva_template first");
    template_ = dir_.filePath(QStringLiteral("Template.xlsx"));
    QFile::remove(template_);
    QVERIFY(QFile::copy(original, template_));

    window_ = std::make_unique<QMainWindow>();
    area_ = new QMdiArea;
    window_->setCentralWidget(area_);
    window_->resize(1100, 800);
    form3_ = new Form3(platform_);
    area_->addSubWindow(form3_)->setAttribute(Qt::WA_DeleteOnClose);
    form3_->Form_Load();
    form7_ = new Form7(platform_);
    area_->addSubWindow(form7_)->setAttribute(Qt::WA_DeleteOnClose);
    form7_->Form_Load();
    form7_->setSource(form3_);
    QVERIFY(!form7_->OLE1->load(template_));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void ChartScreenTest::cleanup() {
    window_.reset();
    TERMIVA_VERIFY_CLEAN(platform_);
}

void ChartScreenTest::viewDrawsWhatTheFileSays_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QString>("yTitle");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("template") << QString() << QString()
                              << QStringLiteral("Outside Pipe Diameter [mm]")
                              << QStringLiteral("Heat Loss [W/m]")
                              << QStringList{"Bare Pipe", "tins1", "tins2",
                                             "tins3",     "tins4", "tins5"};
    QTest::newRow("edited in a spreadsheet application")
        << kFixture << QStringLiteral("Heat loss of pipes") << QStringLiteral("Pipe OD [mm]")
        << QStringLiteral("Loss per metre [W/m]")
        << QStringList{"Bare Pipe", "Insulation 1", "50 mm mineral wool",
                       "tins3",     "tins4",        "tins5"};
}

// A workbook: the view shows its titles and series (names, 18 points each,
// 2 px pens in six colours), over axes that hold every point.
void ChartScreenTest::viewDrawsWhatTheFileSays() {
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, xTitle);
    QFETCH(QString, yTitle);
    QFETCH(QStringList, names);
    if (file.isEmpty())
        file = template_;
    QVERIFY(!form7_->OLE1->load(file));
    const QChart* chart = form7_->OLE1->chart();
    QCOMPARE(chart->title(), title);
    QCOMPARE(AxisTitle(chart, Qt::Horizontal), xTitle);
    QCOMPARE(AxisTitle(chart, Qt::Vertical), yTitle);
    QVERIFY(chart->legend()->isVisible());
    QStringList shown;
    std::set<QRgb> colours;
    const auto* x = static_cast<const QValueAxis*>(chart->axes(Qt::Horizontal).first());
    const auto* y = static_cast<const QValueAxis*>(chart->axes(Qt::Vertical).first());
    for (int i = 0; i < chart->series().size(); ++i) {
        const auto* series = static_cast<const QLineSeries*>(chart->series().at(i));
        shown << series->name();
        QCOMPARE(series->pen().width(), 2);
        colours.insert(series->pen().color().rgb());
        QCOMPARE(series->points().size(), 18);
        for (const QPointF& p : series->points()) {
            QVERIFY(p.x() >= x->min() && p.x() <= x->max());
            QVERIFY(p.y() >= y->min() && p.y() <= y->max());
        }
    }
    QCOMPARE(shown, names);
    QCOMPARE(colours.size(), std::size_t{6});
    QCOMPARE(PointsOf(chart, 0).at(15).x(), 800.0); // sheet row 19: no 700 mm point
    QVERIFY(form7_->OLE1->errorText().isEmpty());
}

// A file that is not a workbook: the view says why instead of a chart; the
// next good load brings the chart back.
void ChartScreenTest::loadFailureShowsTheMessage() {
    const QString bad = dir_.filePath(QStringLiteral("bad.xlsx"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a workbook");
    file.close();
    const QString missing = dir_.filePath(QStringLiteral("none.xlsx"));
    for (const QString& path : {bad, missing}) {
        const auto error = form7_->OLE1->load(path);
        QVERIFY(error);
        QVERIFY2(error->contains(path), qPrintable(*error));
        QCOMPARE(form7_->OLE1->errorText(), *error);
        QVERIFY(form7_->OLE1->chart()->series().isEmpty());
        auto* label = form7_->OLE1->findChild<QLabel*>(QStringLiteral("OLE1Error"));
        QVERIFY(label && label->isVisible());
        // NOLINTNEXTLINE(clang-analyzer-core.CallAndMessage): QVERIFY returned on a null label
        QVERIFY(label->text().contains(path));
    }
    QVERIFY(!form7_->OLE1->load(template_));
    QCOMPARE(form7_->OLE1->chart()->series().size(), 6);
    QVERIFY(!form7_->OLE1->findChild<QLabel*>(QStringLiteral("OLE1Error"))->isVisible());
}

// The summary: captions top to bottom as Label1(0), (4), (3), (2), (1),
// (5)..(9), each beside its field, right of the plot and legend.
void ChartScreenTest::summaryLiesBesideThePlot() {
    const int order[10] = {0, 4, 3, 2, 1, 5, 6, 7, 8, 9};
    QLineEdit* fields[10] = {form7_->Text1, form7_->Text2, form7_->Text3, form7_->Text4,
                             form7_->Text5, form7_->Text6, form7_->Text7, form7_->Text8,
                             form7_->Text9, form7_->Text10};
    QCOMPARE(form7_->Label1(4)->text(), QStringLiteral("Thickness of insulation (2) [mm]"));
    QCOMPARE(form7_->Label1(9)->text(), QStringLiteral("Wind Coefficinet [-]"));
    QCOMPARE(form7_->Label1(7)->objectName(), QStringLiteral("Label1(7)"));
    const QRectF plot = form7_->OLE1->chart()->plotArea();
    const QRectF legend = form7_->OLE1->chart()->legend()->geometry();
    int previousTop = -1;
    for (int line = 0; line < 10; ++line) {
        QLabel* caption = form7_->Label1(order[line]);
        QCOMPARE(caption->buddy(), fields[line]);
        QVERIFY(fields[line]->isReadOnly());
        QVERIFY(caption->isVisible() && fields[line]->isVisible());
        const QPoint origin = form7_->OLE1->mapTo(form7_, QPoint(0, 0));
        const QRect rect(caption->mapTo(form7_, QPoint(0, 0)) - origin, caption->size());
        QVERIFY(rect.top() > previousTop);
        previousTop = rect.top();
        QVERIFY2(rect.left() > plot.right() && rect.left() > legend.right(),
                 qPrintable(caption->text()));
        QVERIFY(form7_->OLE1->rect().contains(rect));
        QVERIFY(caption->width() >= caption->sizeHint().width()); // not clipped
    }
    QVERIFY(form7_->Command1->isVisible() && form7_->Command4->isVisible());
    QCOMPARE(form7_->Command1->text().remove(u'&'), QStringLiteral("Previous"));
    QCOMPARE(form7_->Command4->text().remove(u'&'), QStringLiteral("EXIT"));
    QCOMPARE(subOf(form7_)->pos(), QPoint(0, 0));
}

// tins2 changed on the single pipe screen, then back to the chart screen:
// the summary shows the new text, the chart stays as it was.
void ChartScreenTest::summaryFollowsTheSinglePipeScreenOnActivation() {
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    activate(form7_);
    QCOMPARE(form7_->Text2->text(), QStringLiteral("50"));
    QCOMPARE(form7_->Text6->text(), QStringLiteral("143"));
    const QList<QPointF> points = PointsOf(form7_->OLE1->chart(), 3);

    activate(form3_);
    form3_->Text11->setFocus();
    form3_->Text11->selectAll();
    QTest::keyClicks(form3_->Text11, QStringLiteral("65"));
    QCOMPARE(form7_->Text2->text(), QStringLiteral("50")); // not before activation
    activate(form7_);
    QCOMPARE(form7_->Text2->text(), QStringLiteral("65"));
    QCOMPARE(PointsOf(form7_->OLE1->chart(), 3), points);
}

// The summary copies the texts unchanged, the user's separator included.
void ChartScreenTest::summaryKeepsTheUsersSeparator() {
    ScopedLocale comma(CommaLocale());
    activate(form3_);
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    form3_->Text7->setText(QStringLiteral("1,50"));
    activate(form7_);
    QCOMPARE(form7_->Text8->text(), QStringLiteral("0,07"));
    QCOMPARE(form7_->Text9->text(), QStringLiteral("0,95"));
    QCOMPARE(form7_->Text10->text(), QStringLiteral("1,50"));
}

// "Previous" brings the single pipe screen to the front, restoring it when
// minimised; "EXIT" closes the chart screen.
void ChartScreenTest::previousAndExit() {
    activate(form7_);
    QTest::mouseClick(form7_->Command1, Qt::LeftButton);
    QCOMPARE(area_->activeSubWindow(), subOf(form3_));

    subOf(form3_)->showMinimized();
    activate(form7_);
    QTest::mouseClick(form7_->Command1, Qt::LeftButton);
    QCOMPARE(area_->activeSubWindow(), subOf(form3_));
    QVERIFY(!subOf(form3_)->isMinimized());

    QPointer<QMdiSubWindow> sub = subOf(form7_);
    activate(form7_);
    QTest::mouseClick(form7_->Command4, Qt::LeftButton);
    QTRY_VERIFY(!sub);
    QCOMPARE(area_->subWindowList().size(), 1);
}

// A chart made from the test data: titled with T1 and Tout, the legend names
// the thicknesses, each series in the template's colour, and the points at
// 1000 mm lie inside the plot, not on its edge.
void ChartScreenTest::chartNamesTheInputsAndUsesTheTemplateStyles() {
    form3_->Command4_Click();
    QVERIFY(!form7_->loadChart(template_));
    const QChart* chart = form7_->OLE1->chart();
    QCOMPARE(chart->title(), QStringLiteral("T1 = 143 oC, Tout = 20 oC"));
    QStringList names;
    for (int i = 0; i < chart->series().size(); ++i) {
        const auto* series = static_cast<const QLineSeries*>(chart->series().at(i));
        names << series->name();
        QCOMPARE(series->pen().color().rgb() & 0xffffff,
                 files::kDiagramSeriesStyles[static_cast<std::size_t>(i)].colour);
        QVERIFY(!series->lightMarker().isNull());
    }
    QCOMPARE(names, (QStringList{"Bare Pipe", "tins1 = 20 mm", "tins2 = 50 mm", "tins3 = 75 mm",
                                 "tins4 = 100 mm", "tins5 = 150 mm"}));
    const auto* x = static_cast<const QValueAxis*>(chart->axes(Qt::Horizontal).first());
    QVERIFY(x->max() > 1000);
}

// A click on a legend entry hides its series, keeps the entry (greyed) and
// fits the loss axis to the rest; a second click brings it back.
void ChartScreenTest::legendClickHidesAndShowsASeries() {
    WorkbookChartView* view = form7_->OLE1;
    const auto yMax = [view] {
        return static_cast<const QValueAxis*>(view->chart()->axes(Qt::Vertical).first())->max();
    };
    const double all = yMax();
    QVERIFY(all > 5000);
    QLegendMarker* bare = view->chart()->legend()->markers().at(0);
    Q_EMIT bare->clicked();
    QVERIFY(!view->isSeriesVisible(0));
    QVERIFY(bare->isVisible());
    QVERIFY(yMax() < all / 4);
    for (int i = 1; i < 6; ++i)
        QVERIFY(view->isSeriesVisible(i));
    // Reloading (the next "Diagram") keeps the choice.
    QVERIFY(!view->load(template_));
    QVERIFY(!view->isSeriesVisible(0));
    Q_EMIT view->chart()->legend()->markers().at(0)->clicked();
    QVERIFY(view->isSeriesVisible(0));
    QCOMPARE(yMax(), all);
}

// "Logarithmic scale" puts the losses and the diameters on base 10 axes over
// whole decades holding every point shown, and back.
void ChartScreenTest::logarithmicScale() {
    WorkbookChartView* view = form7_->OLE1;
    QVERIFY(form7_->Check1->text().remove(u'&') == QStringLiteral("Logarithmic scale"));
    form7_->Check1->setChecked(true);
    const auto* log = qobject_cast<const QLogValueAxis*>(view->chart()->axes(Qt::Vertical).first());
    QVERIFY(log);
    QCOMPARE(view->chart()->axes(Qt::Vertical).size(), 1);
    const auto* logX =
        qobject_cast<const QLogValueAxis*>(view->chart()->axes(Qt::Horizontal).first());
    QVERIFY(logX);
    QCOMPARE(view->chart()->axes(Qt::Horizontal).size(), 1);
    QCOMPARE(logX->min(), 10.0);
    QCOMPARE(logX->max(), 1000.0);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(view->chart()->series().at(i)->attachedAxes().size(), 2);
        for (const QPointF& p : PointsOf(view->chart(), i))
            QVERIFY(p.y() >= log->min() && p.y() <= log->max() && p.x() >= logX->min() &&
                    p.x() <= logX->max());
    }
    QCOMPARE(log->max(), 10000.0);
    for (int i = 0; i < 5; ++i)
        view->setSeriesVisible(i, false);
    QCOMPARE(log->max(), 1000.0); // tins5 alone stays below 1000 W/m
    form7_->Check1->setChecked(false);
    QVERIFY(qobject_cast<const QValueAxis*>(view->chart()->axes(Qt::Vertical).first()));
    QCOMPARE(view->chart()->axes(Qt::Vertical).size(), 1);
    QVERIFY(qobject_cast<const QValueAxis*>(view->chart()->axes(Qt::Horizontal).first()));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(view->chart()->series().at(i)->attachedAxes().size(), 2);
}

// The mouse over a point: its series, diameter and loss; away from points: nothing.
void ChartScreenTest::pointTooltip() {
    activate(form7_);
    WorkbookChartView* view = form7_->OLE1;
    auto* series = static_cast<QLineSeries*>(view->chart()->series().at(1));
    const QPointF point = series->points().at(9); // 100 mm
    QCOMPARE(point.x(), 100.0);
    const QPoint at = view->mapFromScene(view->chart()->mapToPosition(point, series));
    const QString text = view->toolTipAt(at + QPoint(2, 1));
    QVERIFY2(text.startsWith(QStringLiteral("tins1\nOutside Pipe Diameter [mm]: 100\n"
                                            "Heat Loss [W/m]: ")),
             qPrintable(text));
    QVERIFY(text.endsWith(view->pointText(1, point).section(u'\n', 2)));
    QVERIFY(view->toolTipAt(QPoint(2, 2)).isEmpty());
    view->setSeriesVisible(1, false);
    QVERIFY(!view->toolTipAt(at).startsWith(QStringLiteral("tins1")));
}

void ChartScreenTest::savePicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format"); // what the file holds; empty: no file
    QTest::newRow("png") << QStringLiteral("chart.png") << QStringLiteral("png");
    QTest::newRow("svg") << QStringLiteral("chart.svg") << QStringLiteral("svg");
    QTest::newRow("SVG") << QStringLiteral("CHART.SVG") << QStringLiteral("svg");
    QTest::newRow("no such folder") << QStringLiteral("none/chart.png") << QString();
    QTest::newRow("cancelled") << QString() << QString();
}

// "Save picture...": the dialog as set, then the chart area in the chosen
// format, or an "Error" naming the file, or nothing on cancel.
void ChartScreenTest::savePicture() {
    QFETCH(QString, name);
    QFETCH(QString, format);
    const QString path = name.isEmpty() ? QString() : dir_.filePath(name);
    QFile::remove(path);
    platform_.answerDialog(name.isEmpty() ? std::nullopt : std::optional<QString>(path));
    QTest::mouseClick(form7_->Command5, Qt::LeftButton);

    const auto dialogs = platform_.takeDialogs();
    QCOMPARE(dialogs.size(), std::size_t{1});
    const CommonDialog& dialog = dialogs[0].settings;
    QCOMPARE(dialogs[0].kind, ScriptedPlatform::DialogKind::Save);
    QCOMPARE(dialog.DialogTitle, QStringLiteral("Save picture"));
    QCOMPARE(dialog.Filter, QStringLiteral("PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg"));
    QCOMPARE(dialog.DefaultExt, QStringLiteral("png"));
    QCOMPARE(dialog.InitDir, DialogStartFolder());
    QCOMPARE(dialog.Flags, CommonDialog::kOverwritePrompt + CommonDialog::kHideReadOnly);

    if (format == QLatin1String("png")) {
        const QImage image(path, "PNG");
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 2 * form7_->OLE1->width()); // twice the screen's resolution
    } else if (format == QLatin1String("svg")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        QVERIFY(svg.contains("<svg"));
        QVERIFY(svg.contains("tins5"));
        QVERIFY(svg.contains("Wind Coefficinet"));
        // A series hidden in the legend leaves the picture, legend entry and all.
        form7_->OLE1->setSeriesVisible(5, false);
        QVERIFY(form7_->savePicture(path));
        QFile hidden(path);
        QVERIFY(hidden.open(QIODevice::ReadOnly));
        QVERIFY(hidden.readAll().count("tins5") < svg.count("tins5"));
        form7_->OLE1->setSeriesVisible(5, true);
    } else if (!name.isEmpty()) {
        QCOMPARE(
            platform_.takeMessageTexts(),
            QStringList{QStringLiteral("The picture could not be saved to \"%1\".").arg(path)});
        QVERIFY(!QFile::exists(path));
    }
}

// Pictures for a person to look at, when asked for: the edited workbook's
// chart, the chart area saved as SVG, and the chart on logarithmic axes.
void ChartScreenTest::shots() {
    const QString folder = qEnvironmentVariable("TERMIVA_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TERMIVA_SHOTS to a folder to take pictures");
    QVERIFY(!form7_->OLE1->load(kFixture));
    QVERIFY(subOf(form7_)->grab().save(folder + QStringLiteral("/form7-edited.png")));
    QVERIFY(form7_->savePicture(folder + QStringLiteral("/form7-edited.svg")));
    form7_->Check1->setChecked(true);
    QTest::qWait(100); // the chart lays out its new axes
    QVERIFY(subOf(form7_)->grab().save(folder + QStringLiteral("/form7-log.png")));
    form7_->Check1->setChecked(false);
}

TERMIVA_TEST_MAIN(ChartScreenTest)
#include "chart_screen_test.moc"
