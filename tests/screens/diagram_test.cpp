// SPDX-License-Identifier: GPL-3.0-or-later
// "Diagram" on the single pipe screen: the hidden table Form5, the export into
// the workbook and the chart screen Form7, driven through the single pipe
// screen's buttons inside an MDI main window. The export works on a copy of
// the template in a temporary folder.

#include "engine/diameter_table.h"
#include "files/workbook.h"
#include "platform/scripted_platform.h"
#include "screens/app_paths.h"
#include "screens/chart_screen.h"
#include "screens/diagram.h"
#include "screens/heat_loss_table_screen.h"
#include "screens/single_pipe_screen.h"
#include "screens/value_marks.h"
#include "screens/workbook_chart_view.h"
#include "test_support.h"

#include <array>
#include <memory>
#include <unistd.h>

#include <QChart>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

using namespace termiva;
using termiva::test::CommaLocale;
using termiva::test::ScopedLocale;

namespace {

using Table = std::array<std::array<QString, 7>, 19>;

Table TableOf(const Form5* form) {
    Table table;
    for (int i = 1; i <= 19; ++i)
        for (int c = 0; c < 7; ++c)
            table[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(c)] =
                form->column(c)(i)->text();
    return table;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Counts the times a widget named Form5 was shown, whoever created it.
class ShowCounter : public QObject {
public:
    int form5Shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("Form5"))
            ++form5Shows;
        return false;
    }
};

} // namespace

class DiagramTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void inputTestDataThenDiagram();
    void commaSeparatorReachesTheSheetAsNumbers();
    void emptyFieldNeitherCreatesNorChangesTheTable();
    void secondDiagramAfterChangingTins3();
    void bareColumnBeyondTheAirData();
    void failingExport_data();
    void failingExport();
    void engineErrorKeepsTableAndWorkbook();
    void closedChartScreenComesBack();
    void shots();

private:
    void pressDiagram() { QTest::mouseClick(form3_->Command2, Qt::LeftButton); }
    void typeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            QTest::keyClicks(field, text);
    }
    files::Worksheet* sheet(std::optional<files::Workbook>& holder) {
        auto workbook = files::Workbook::Open(QFile::encodeName(workbook_).toStdString(),
                                              files::WorkbookAccess::ReadOnly);
        if (!workbook)
            return nullptr;
        holder.emplace(std::move(workbook).value());
        auto first = holder->Worksheets(1);
        return first ? *first : nullptr;
    }

    ScriptedPlatform platform_;
    ShowCounter shows_;
    QTemporaryDir dir_;
    QString workbook_;
    std::unique_ptr<QMainWindow> window_;
    QMdiArea* area_ = nullptr;
    Form3* form3_ = nullptr;
    std::unique_ptr<Diagram> diagram_;
};

void DiagramTest::initTestCase() {
    QVERIFY(dir_.isValid());
    qApp->installEventFilter(&shows_);
    Form5::setDefaultWorkbookPath([this](QString*) { return workbook_; });
}

void DiagramTest::cleanupTestCase() {
    Form5::setDefaultWorkbookPath(nullptr);
    qApp->removeEventFilter(&shows_);
}

void DiagramTest::init() {
    // The application folder's template, as the build generates it: copied,
    // never written.
    const QString original = ApplicationFolder() + QStringLiteral("/Template.xlsx");
    QVERIFY2(QFile::exists(original), "build the target termiva_template first");
    workbook_ = dir_.filePath(QStringLiteral("Template.xlsx"));
    QFile::remove(workbook_);
    QVERIFY(QFile::copy(original, workbook_));
    QFile::setPermissions(workbook_, QFile::ReadOwner | QFile::WriteOwner);

    window_ = std::make_unique<QMainWindow>();
    area_ = new QMdiArea;
    window_->setCentralWidget(area_);
    window_->resize(1100, 800);
    form3_ = new Form3(platform_);
    QMdiSubWindow* sub = area_->addSubWindow(form3_);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    form3_->Form_Load();
    diagram_ = std::make_unique<Diagram>(area_, platform_);
    form3_->setDiagramAction([this] { diagram_->run(*form3_); });
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    shows_.form5Shows = 0;
}

void DiagramTest::cleanup() {
    diagram_.reset();
    window_.reset();
    TERMIVA_VERIFY_CLEAN(platform_);
}

// Test data, "Diagram": Form5 exists hidden with the formatted table, the
// workbook holds it by the row rule, Form7 is in front with six curves and
// the summary.
void DiagramTest::inputTestDataThenDiagram() {
    QVERIFY(!diagram_->form5());
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    pressDiagram();

    Form5* form5 = diagram_->form5();
    QVERIFY(form5);
    QVERIFY(!form5->isVisible());
    QCOMPARE(shows_.form5Shows, 0);
    QCOMPARE(form5->windowTitle(), QStringLiteral("Form5"));
    QCOMPARE(form5->Text1(1)->text(), QStringLiteral("10"));
    QCOMPARE(form5->Text1(10)->text(), QStringLiteral("100"));
    QCOMPARE(form5->Text1(19)->text(), QStringLiteral("1000"));
    QCOMPARE(form5->Text2(1)->text(), QStringLiteral("96.43"));
    QCOMPARE(form5->Text2(1)->objectName(), QStringLiteral("Text2(1)"));
    QCOMPARE(form5->Command2->text(), QStringLiteral("EXCEL"));

    std::optional<files::Workbook> holder;
    files::Worksheet* cells = sheet(holder);
    QVERIFY(cells);
    QCOMPARE(QString::fromStdString(cells->Value("B1").text), QStringLiteral("143"));
    QCOMPARE(cells->Value("D1").number, 20.0);
    QCOMPARE(cells->Value("H1").number, 150.0);
    QCOMPARE(cells->Value("B18").number, 600.0);
    QCOMPARE(cells->Value("B19").number, 800.0);
    QCOMPARE(cells->Value("B21").number, 1000.0);
    QCOMPARE(cells->Value("C4").number, 96.43);
    for (int row = 4; row <= 21; ++row)
        QVERIFY(cells->Value(row, 2).number != 700);

    Form7* form7 = diagram_->form7();
    QVERIFY(form7);
    QVERIFY(form7->isVisible());
    QCOMPARE(area_->activeSubWindow(), form7->parentWidget());
    QCOMPARE(form7->parentWidget()->pos(), QPoint(0, 0));
    QCOMPARE(form7->windowTitle(), QStringLiteral("PIPE HEAT LOSS"));
    QCOMPARE(form7->OLE1->chart()->series().size(), 6);
    QCOMPARE(form7->OLE1->path(), workbook_);
    QCOMPARE(form7->Text1->text(), QStringLiteral("20"));
    QCOMPARE(form7->Text5->text(), QStringLiteral("150"));
    QCOMPARE(form7->Text6->text(), QStringLiteral("143"));
    QCOMPARE(form7->Text8->text(), QStringLiteral("0.07"));
    QCOMPARE(form7->Text10->text(), QStringLiteral("1"));
}

// Comma locale: the table holds "96,43", the sheet the number 96.43 and B1
// the fluid temperature exactly as typed.
void DiagramTest::commaSeparatorReachesTheSheetAsNumbers() {
    ScopedLocale comma(CommaLocale());
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    typeInto(form3_->Text3, QStringLiteral("143,0"));
    pressDiagram();
    QCOMPARE(diagram_->form5()->Text2(1)->text(), QStringLiteral("96,43"));

    std::optional<files::Workbook> holder;
    files::Worksheet* cells = sheet(holder);
    QVERIFY(cells);
    QCOMPARE(QString::fromStdString(cells->Value("B1").text), QStringLiteral("143,0"));
    QCOMPARE(cells->Value("C4").kind, files::CellValue::Kind::Number);
    QCOMPARE(cells->Value("C4").number, 96.43);
    QCOMPARE(diagram_->form7()->Text8->text(), QStringLiteral("0,07"));
}

// An empty field: "Please input value!", no Form5 at first; later the table
// and the workbook stay as the last Diagram left them.
void DiagramTest::emptyFieldNeitherCreatesNorChangesTheTable() {
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    typeInto(form3_->Text12, QString());
    pressDiagram();
    QCOMPARE(platform_.takeMessageTexts(), QStringList{QStringLiteral("Please input value!")});
    QVERIFY(!diagram_->form5());
    QVERIFY(!diagram_->form7());

    typeInto(form3_->Text12, QStringLiteral("75"));
    pressDiagram();
    QVERIFY(diagram_->form5());
    const Table before = TableOf(diagram_->form5());
    const QByteArray workbook = Bytes(workbook_);

    typeInto(form3_->Text12, QStringLiteral("80"));
    typeInto(form3_->Text4, QString());
    pressDiagram();
    QCOMPARE(platform_.takeMessageTexts(), QStringList{QStringLiteral("Please input value!")});
    QVERIFY(TableOf(diagram_->form5()) == before);
    QCOMPARE(Bytes(workbook_), workbook);
}

// tins3 changed between two Diagrams: only column Text5 changes, and the
// sheet's column F with it.
void DiagramTest::secondDiagramAfterChangingTins3() {
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    pressDiagram();
    const Table before = TableOf(diagram_->form5());
    typeInto(form3_->Text12, QStringLiteral("60"));
    pressDiagram();
    const Table after = TableOf(diagram_->form5());
    for (std::size_t i = 0; i < 19; ++i) {
        for (std::size_t c = 0; c < 7; ++c) {
            if (c == 4)
                QVERIFY2(after[i][c] != before[i][c], qPrintable(after[i][c]));
            else
                QCOMPARE(after[i][c], before[i][c]);
        }
    }
    std::optional<files::Workbook> holder;
    files::Worksheet* cells = sheet(holder);
    QVERIFY(cells);
    QCOMPARE(cells->Value("F1").number, 60.0);
    QCOMPARE(QString::number(cells->Value("F4").number), after[0][4]);
    QCOMPARE(QString::number(cells->Value("F19").number), after[16][4]);
    QCOMPARE(diagram_->form7()->Text3->text(), QStringLiteral("60"));
}

// Test data at T1 = 800, Diagram: the bare column's cells are marked, the
// insulated ones not, and the chart's summary carries the note; back at 143
// the note is gone.
void DiagramTest::bareColumnBeyondTheAirData() {
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    typeInto(form3_->Text3, QStringLiteral("800"));
    pressDiagram();
    Form5* form5 = diagram_->form5();
    for (int i : {1, 19}) {
        QCOMPARE(form5->Text2(i)->palette().color(QPalette::Base), kMarkedBoxColor);
        QVERIFY(!form5->Text2(i)->toolTip().isEmpty());
        QVERIFY(form5->Text3(i)->toolTip().isEmpty());
    }
    Form7* form7 = diagram_->form7();
    QVERIFY(form7->TableNote->isVisibleTo(form7));
    QCOMPARE(form7->TableNote->text(), QString::fromUtf8(cases::kOutsideAirDataNote));

    typeInto(form3_->Text3, QStringLiteral("143"));
    pressDiagram();
    QVERIFY(!form7->TableNote->isVisibleTo(form7));
    QVERIFY(form5->Text2(1)->toolTip().isEmpty());
}

void DiagramTest::failingExport_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing template") << QStringLiteral("missing");
    QTest::newRow("not a workbook") << QStringLiteral("damaged");
    QTest::newRow("no template to copy") << QStringLiteral("none");
    QTest::newRow("read-only") << QStringLiteral("read-only");
}

// A failing export: an "Error" message naming the cause, no chart screen, the
// workbook as it was.
void DiagramTest::failingExport() {
    QFETCH(QString, kind);
    QString expected = workbook_;
    if (kind == QLatin1String("missing")) {
        QVERIFY(QFile::remove(workbook_));
    } else if (kind == QLatin1String("damaged")) {
        QFile file(workbook_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a workbook");
    } else if (kind == QLatin1String("read-only")) {
        if (::geteuid() == 0)
            QSKIP("root writes read-only files");
        QFile::setPermissions(workbook_, QFile::ReadOwner);
    }
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    if (kind == QLatin1String("none")) {
        expected = QStringLiteral("no template here");
        diagram_->run(*form3_); // Form5 exists from here on
        platform_.takeMessages();
        diagram_->form5()->setWorkbookPath([&](QString* error) {
            *error = expected;
            return QString();
        });
        diagram_->form7()->parentWidget()->close();
        QTRY_VERIFY(!diagram_->form7());
    }

    const QByteArray bytes = Bytes(workbook_);
    pressDiagram();
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QVERIFY2(messages[0].text.contains(expected), qPrintable(messages[0].text));
    QVERIFY(!diagram_->form7());
    QCOMPARE(area_->subWindowList().size(), 1);
    QCOMPARE(Bytes(workbook_), bytes);
    QFile::setPermissions(workbook_, QFile::ReadOwner | QFile::WriteOwner);
}

// T1 = Tout: the engine's message; the table, the workbook and the chart
// screen stay as the previous Diagram left them.
void DiagramTest::engineErrorKeepsTableAndWorkbook() {
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    pressDiagram();
    const Table before = TableOf(diagram_->form5());
    const QByteArray workbook = Bytes(workbook_);
    const auto series = diagram_->form7()->OLE1->workbookChart().series;
    QVERIFY(diagram_->form7()->OLE1->chart());

    typeInto(form3_->Text3, QStringLiteral("20"));
    pressDiagram();
    const auto expected = ComputeDiameterTable({20, 20, 0.07, 0.95, 1, {20, 50, 75, 100, 150}});
    QVERIFY(!expected);
    const auto messages = platform_.takeMessages();
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].title, QStringLiteral("Error"));
    QCOMPARE(messages[0].text, QString::fromStdString(expected.error().message));
    QVERIFY(TableOf(diagram_->form5()) == before);
    QCOMPARE(Bytes(workbook_), workbook);
    QCOMPARE(diagram_->form7()->OLE1->workbookChart().series.size(), series.size());
}

// EXIT closes the chart screen; the next Diagram creates it again at the top
// left, in front, with the same Form5.
void DiagramTest::closedChartScreenComesBack() {
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    pressDiagram();
    Form5* form5 = diagram_->form5();
    QTest::mouseClick(diagram_->form7()->Command4, Qt::LeftButton);
    QTRY_VERIFY(!diagram_->form7());
    QCOMPARE(area_->subWindowList().size(), 1);

    area_->subWindowList().first()->move(40, 40);
    area_->setActiveSubWindow(area_->subWindowList().first());
    pressDiagram();
    QCOMPARE(diagram_->form5(), form5);
    QVERIFY(diagram_->form7());
    QCOMPARE(area_->subWindowList().size(), 2);
    QCOMPARE(area_->activeSubWindow(), diagram_->form7()->parentWidget());
    QCOMPARE(diagram_->form7()->parentWidget()->pos(), QPoint(0, 0));
    QCOMPARE(diagram_->form7()->Text2->text(), QStringLiteral("50"));
}

// Pictures of the chart screen for a person to look at, when asked for.
void DiagramTest::shots() {
    const QString folder = qEnvironmentVariable("TERMIVA_SHOTS");
    if (folder.isEmpty())
        QSKIP("set TERMIVA_SHOTS to a folder to take pictures");
    QTest::mouseClick(form3_->Command4, Qt::LeftButton);
    pressDiagram();
    QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(diagram_->form7()->parentWidget());
    QVERIFY(sub);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    QVERIFY(sub->grab().save(folder + QStringLiteral("/form7-x%1.png").arg(scale)));
    QVERIFY(window_->grab().save(folder + QStringLiteral("/main-x%1.png").arg(scale)));
}

TERMIVA_TEST_MAIN(DiagramTest)
#include "diagram_test.moc"
