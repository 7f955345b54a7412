// SPDX-License-Identifier: GPL-3.0-or-later
// "Report...": the File menu entry and when it is enabled, the details dialog
// remembered between runs, the print preview and its PDF export, and the
// refusals (no results, results that no longer belong to the inputs, a file
// that cannot be written, a cancelled dialog).

#include "../report/pdf_tools.h"
#include "platform/scripted_platform.h"
#include "screens/chart_screen.h"
#include "screens/main_window.h"
#include "screens/multiple_pipes_screen.h"
#include "screens/report_action.h"
#include "screens/single_pipe_screen.h"
#include "screens/thickness_limit_screen.h"
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
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::FirstOutOfOrder;
using termiva::test::ScopedLocale;

class ReportActionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("TERMIVA"));
        QCoreApplication::setApplicationName(QStringLiteral("report_action_test"));
        QSettings().clear();
    }
    void cleanup() {
        window_.reset();
        platform_.onPrintPreview = nullptr;
        QSettings().clear();
        TERMIVA_VERIFY_CLEAN(platform_);
    }

    void fileMenuComesFirstAndFollowsTheResults();
    void exportsWhatTheScreenShows();
    void detailsAreRememberedAndCancelStops();
    void refusesResultsOfOtherInputs();
    void failedExportNamesTheFile();
    void chartScreenReportsItsSinglePipe();
    void limitScreenReportsWhatItShows();

private:
    MDIForm1& open() {
        window_ = std::make_unique<MDIForm1>(platform_);
        window_->resize(1200, 850);
        window_->show();
        window_->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(window_.get())); }();
        return *window_;
    }
    // Lets the queued updates of the menu entry run.
    static void settle() { QCoreApplication::processEvents(); }

    // The preview "prints" to a PDF and exports to `exportPath`.
    void printAndExport(const QString& printPath, const QString& exportPath) {
        platform_.answerDialog(exportPath);
        platform_.onPrintPreview = [printPath](const PrintPreview& preview) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printPath);
            printer.setPageSize(QPageSize(QPageSize::A5));
            preview.paint(&printer);
            preview.exportPdf(&printer);
        };
    }

    ScriptedPlatform platform_;
    std::unique_ptr<MDIForm1> window_;
    QTemporaryDir dir_;
};

// Started, screens opened and calculated: "File" and "Edit" stand before "Pipes"; its
// "Report..." (Ctrl+P) is enabled only while the active screen shows results.
void ReportActionTest::fileMenuComesFirstAndFollowsTheResults() {
    MDIForm1& w = open();
    // The texts read the same without the mnemonics' underline.
    const auto shown = [](QAction* action) { return QString(action->text()).remove(u'&'); };
    QCOMPARE(shown(w.menuBar()->actions().first()), QStringLiteral("File"));
    QCOMPARE(shown(w.menuBar()->actions().at(2)), QStringLiteral("Pipes"));
    QCOMPARE(w.File->actions().last(), w.Report);
    QCOMPARE(shown(w.Report), QStringLiteral("Report..."));
    QCOMPARE(w.Report->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QVERIFY(!w.Report->isEnabled());

    w.Single_pipe_Click();
    settle();
    QVERIFY(!w.Report->isEnabled());
    QTest::mouseClick(w.form3()->Command4, Qt::LeftButton);
    QTest::mouseClick(w.form3()->Command1, Qt::LeftButton);
    settle();
    QVERIFY(w.Report->isEnabled());

    w.More_pipes_Click(); // active, without results
    settle();
    QVERIFY(!w.Report->isEnabled());
    QTest::mouseClick(w.form4()->Command4, Qt::LeftButton);
    QTest::mouseClick(w.form4()->Command1, Qt::LeftButton);
    settle();
    QVERIFY(w.Report->isEnabled());
    QTest::mouseClick(w.form4()->Command3, Qt::LeftButton); // Clear data
    settle();
    QVERIFY(!w.Report->isEnabled());

    w.Single_vessel_Click();
    QTest::mouseClick(w.form2()->Command3, Qt::LeftButton);
    QTest::mouseClick(w.form2()->Command1, Qt::LeftButton);
    settle();
    QVERIFY(w.Report->isEnabled());
    w.form2()->Combo1->setCurrentIndex(1); // a new shape hides the results
    settle();
    QVERIFY(!w.Report->isEnabled());

    w.mdiArea()->closeAllSubWindows();
    settle();
    QVERIFY(!w.Report->isEnabled());
}

// Multiple pipes calculated with "," as separator: the printed and the
// exported report hold the inputs of the rows in use and the results as shown.
void ReportActionTest::exportsWhatTheScreenShows() {
    ScopedLocale comma(CommaLocale());
    MDIForm1& w = open();
    w.More_pipes_Click();
    Form4& form = *w.form4();
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    // The test data is written with a point, which "," does not read.
    form.Text14->setText(QStringLiteral("0,05"));
    form.Text15->setText(QStringLiteral("0,90"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    settle();
    platform_.answerReportDetails(ReportDetails{"Boiler house", "J. Doe"});
    const QString printed = dir_.filePath("printed.pdf");
    const QString exported = dir_.filePath("exported.pdf");
    printAndExport(printed, exported);
    w.Report->trigger();

    QCOMPARE(platform_.takeMessageTexts().join(""), QString());
    QCOMPARE(platform_.takePreviews(), QStringList{"PART OF INSULATION \u2013 Report"});
    QCOMPARE(platform_.takeReportDetailsAsked().size(), std::size_t(1));
    const auto dialogs = platform_.takeDialogs();
    QCOMPARE(dialogs.size(), std::size_t(1));
    QCOMPARE(dialogs[0].settings.DialogTitle, QStringLiteral("Export PDF"));
    QCOMPARE(dialogs[0].settings.DefaultExt, QStringLiteral("pdf"));
    for (const QString& pdf : {printed, exported}) {
        const std::string text = test::PdfText(pdf.toStdString());
        QCOMPARE(FirstOutOfOrder(text, {"PART OF INSULATION",
                                        "Boiler house",
                                        "J. Doe",
                                        "Ambient Temperature (Tout) [oC]",
                                        "25",
                                        "0,05",
                                        "0,90",
                                        "32",
                                        "42.4",
                                        "78",
                                        "25",
                                        "14",
                                        "50",
                                        "60.3",
                                        "28",
                                        "100",
                                        "114.3",
                                        "24",
                                        "8",
                                        "8",
                                        "37290",
                                        "4896,4",
                                        "20757",
                                        "2557,4",
                                        "29191",
                                        "3344,2",
                                        "87,24",
                                        "10,80"}),
                 std::string());
        QVERIFY(text.find("88.9") == std::string::npos); // a row not in use
    }
    // The PDF takes the paper of the page setup.
    QVERIFY(test::RunCommand("pdfinfo " + test::Quoted(exported.toStdString())).find("(A5)") !=
            std::string::npos);
}

// The details come back preset the next time; a cancelled details dialog or
// export dialog makes nothing.
void ReportActionTest::detailsAreRememberedAndCancelStops() {
    MDIForm1& w = open();
    w.Single_vessel_Click();
    QTest::mouseClick(w.form2()->Command3, Qt::LeftButton);
    QTest::mouseClick(w.form2()->Command1, Qt::LeftButton);
    settle();

    const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
    platform_.answerReportDetails(ReportDetails{"Tank farm", "A. B."});
    platform_.answerDialog(std::nullopt); // export cancelled
    platform_.onPrintPreview = [](const PrintPreview& preview) { preview.exportPdf(nullptr); };
    w.Report->trigger();
    QCOMPARE(platform_.takePreviews().size(), 1);
    QCOMPARE(platform_.takeDialogs().size(), std::size_t(1));
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), before);

    platform_.answerReportDetails(std::nullopt); // cancelled
    w.Report->trigger();
    const auto asked = platform_.takeReportDetailsAsked();
    QCOMPARE(asked.size(), std::size_t(2));
    QCOMPARE(asked[1].project, QStringLiteral("Tank farm"));
    QCOMPARE(asked[1].preparedBy, QStringLiteral("A. B."));
    QCOMPARE(platform_.takePreviews(), QStringList());
}

// An input changed after "Calculation": the results on the screen belong to
// other inputs, so no report is made.
void ReportActionTest::refusesResultsOfOtherInputs() {
    MDIForm1& w = open();
    w.Single_pipe_Click();
    Form3& form = *w.form3();
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    form.Text3->setText(QStringLiteral("180"));
    settle();
    QVERIFY(w.Report->isEnabled());
    w.Report->trigger();
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY(messages[0].text.contains(QStringLiteral("Calculation")));
    QCOMPARE(platform_.takeReportDetailsAsked().size(), std::size_t(0));
}

// A PDF that cannot be written: an "Error" box naming the file, no file.
void ReportActionTest::failedExportNamesTheFile() {
    MDIForm1& w = open();
    w.Single_pipe_Click();
    QTest::mouseClick(w.form3()->Command4, Qt::LeftButton);
    QTest::mouseClick(w.form3()->Command1, Qt::LeftButton);
    settle();
    const QString target = dir_.filePath("no such folder/report.pdf");
    platform_.answerReportDetails(ReportDetails{});
    platform_.answerDialog(target);
    platform_.onPrintPreview = [](const PrintPreview& preview) { preview.exportPdf(nullptr); };
    QVERIFY(w.Report->isEnabled());
    w.Report->trigger();
    QCOMPARE(platform_.takePreviews().size(), 1);
    platform_.takeDialogs();
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY2(messages[0].text.contains(target), qPrintable(messages[0].text));
    QVERIFY(!QFile::exists(target));
}

// The chart screen's report is its single pipe's, with the diagram's table
// and chart; it needs no calculation on the single pipe screen first.
void ReportActionTest::chartScreenReportsItsSinglePipe() {
    QMainWindow window;
    auto* area = new QMdiArea;
    window.setCentralWidget(area);
    auto* form3 = new Form3(platform_);
    area->addSubWindow(form3);
    form3->Form_Load();
    auto* form7 = new Form7(platform_);
    area->addSubWindow(form7);
    form7->Form_Load();
    form7->setSource(form3);
    QTest::mouseClick(form3->Command4, Qt::LeftButton);
    QVERIFY(!HasReport(form3));
    QVERIFY(HasReport(form7));

    const auto document = ReportOf(platform_, *form7);
    QVERIFY(document);
    QCOMPARE(document->screenTitle, std::string("SINGLE PIPES"));
    QCOMPARE(document->supplementTables.at(0).rows.size(), std::size_t(19));
    QCOMPARE(document->chart->series.size(), std::size_t(6));
    QCOMPARE(document->results.at(0).rows.at(0).at(0).text, std::string("225.22"));

    delete form3; // the chart screen's single pipe closed: nothing to report
    QVERIFY(!HasReport(form7));
}

// The thickness for a limit screen under ",": "Report..." follows its results;
// the report names the file it was saved to and holds the results as shown.
void ReportActionTest::limitScreenReportsWhatItShows() {
    ScopedLocale comma(CommaLocale());
    MDIForm1& w = open();
    w.Pipe_limit_Click();
    Form8& form = *w.form8();
    QTest::mouseClick(form.Command3, Qt::LeftButton); // test data, with ","
    const QString saved = dir_.filePath("line 7.inlim");
    platform_.answerDialog(saved);
    QTest::mouseClick(form.Command5, Qt::LeftButton);
    platform_.takeDialogs();
    platform_.takeMessages(); // saved
    settle();
    QVERIFY(!w.Report->isEnabled());
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    settle();
    QVERIFY(w.Report->isEnabled());

    platform_.answerReportDetails(ReportDetails{});
    const QString exported = dir_.filePath("limit.pdf");
    platform_.answerDialog(exported);
    platform_.onPrintPreview = [](const PrintPreview& preview) { preview.exportPdf(nullptr); };
    w.Report->trigger();
    QCOMPARE(platform_.takeMessageTexts().join(""), QString());
    QCOMPARE(platform_.takePreviews().size(), 1);
    platform_.takeReportDetailsAsked();
    const auto dialogs = platform_.takeDialogs();
    QCOMPARE(dialogs.size(), std::size_t(1));
    QCOMPARE(dialogs[0].settings.FileName, QStringLiteral("line 7.pdf"));
    const std::string text = test::PdfText(exported.toStdString());
    QCOMPARE(
        FirstOutOfOrder(text, {"INSULATION THICKNESS FOR A LIMIT", "line 7.inlim", "Pipe", "26,9",
                               "0,07", "50", "12,4", "12,4", "62,68", "49,8", "20,0", "49,55",
                               "40,3", "Surface temperature", "Insulation thickness [mm]"}),
        std::string());

    form.Combo1->setCurrentIndex(2); // another object hides the results
    settle();
    QVERIFY(!w.Report->isEnabled());
}

TERMIVA_TEST_MAIN(ReportActionTest)
#include "report_action_test.moc"
