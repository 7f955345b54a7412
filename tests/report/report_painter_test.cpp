// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_tools.h"
#include "report/report_chart.h"
#include "report/report_painter.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QGuiApplication>

namespace termiva::report {
namespace {

namespace fs = std::filesystem;
using test::FirstOutOfOrder;
using test::PdfPages;
using test::PdfText;

ReportTable LongTable(int rows) {
    ReportTable table;
    table.title = "Standard diameters";
    table.rowHeading = "D [mm]";
    table.columnHeadings = {"Bare Pipe [W/m]", "tins1 [W/m]"};
    for (int r = 0; r < rows; ++r) {
        table.rowCaptions.push_back(std::to_string(10 * (r + 1)));
        table.rows.push_back({{std::to_string(1000 + r) + ".25"}, {std::to_string(r) + ".50"}});
    }
    return table;
}

ReportDocument Sample() {
    ReportDocument document;
    document.programName = "TERMIVA";
    document.programVersion = "Version 1.0";
    document.dateTime = "2026-12-08 21:30";
    document.screenTitle = "SINGLE PIPES";
    document.fileName = "line 7.insp";
    document.inputs = {
        {"Input Data",
         {{"Fluid Temperature (T1) [oC]", "143", "°C"},
          {"Insulation Thermal Conductivity (k) [W/(m K)]", "0,07", "W/(m K)"}}},
        {"Thickness of Insulation", {{"tins1 [mm]", "20", "mm"}, {"Pipe length", "", "m"}}}};
    ReportTable results;
    results.title = "Results";
    results.rowHeading = "";
    results.columnHeadings = {"Heat loss [W/m]", "Tsurface [oC]"};
    results.rowCaptions = {"Heat Loss (bare pipe) [W/m]", "Heat Loss (tins1) [W/m]"};
    results.rows = {{{"225,22"}, {"143,0"}}, {{"49,55", true}, {"40,3"}}};
    results.flagNote = "outside the range of the air data";
    document.results = {results};
    document.supplementTitle = "Diagram";
    document.supplementTables = {LongTable(19)};
    ReportChart chart;
    chart.xAxisTitle = "Outside Pipe Diameter [mm]";
    chart.yAxisTitle = "Heat Loss [W/m]";
    chart.series = {{"Bare Pipe", {{10, 30}, {500, 900}, {1000, 1700}}},
                    {"tins1", {{10, 8}, {500, 120}, {1000, 230}}}};
    document.chart = chart;
    document.method = {"Free convection and radiation."};
    document.preparedBy = "A. Engineer";
    return document;
}

class ReportPainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("termiva_report_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name)); }

    fs::path dir_;
};

// The text a reader gets back holds the header, every input with its unit,
// the results and the table in reading order, with the page numbers.
TEST_F(ReportPainterTest, PdfHoldsEveryTextInOrderAndRendersPageByPage) {
    const ReportDocument document = Sample();
    ASSERT_FALSE(WriteReportPdf(document, qpath("r.pdf")));
    const std::string text = PdfText(path("r.pdf"));
    EXPECT_EQ(FirstOutOfOrder(text, {"Calculation report",
                                     "SINGLE PIPES",
                                     "TERMIVA Version 1.0",
                                     "2026-12-08 21:30",
                                     "line 7.insp",
                                     "Project",
                                     "Prepared by",
                                     "A. Engineer",
                                     "Input Data",
                                     "Fluid Temperature (T1) [oC]",
                                     "143",
                                     "Insulation Thermal Conductivity (k) [W/(m K)]",
                                     "0,07",
                                     "tins1 [mm]",
                                     "20",
                                     "Pipe length",
                                     "not set",
                                     "Heat Loss (bare pipe) [W/m]",
                                     "225,22",
                                     "143,0",
                                     "Heat Loss (tins1) [W/m]",
                                     "49,55*",
                                     "40,3",
                                     "* outside the range of the air data",
                                     "D [mm]",
                                     "10",
                                     "1000.25",
                                     "0.50",
                                     "190",
                                     "1018.25",
                                     "18.50"}),
              "")
        << text;
    EXPECT_THAT(text, ::testing::HasSubstr("Outside Pipe Diameter [mm]"));
    EXPECT_THAT(text, ::testing::HasSubstr("Bare Pipe"));

    const int pages = PdfPages(path("r.pdf"));
    EXPECT_EQ(pages, CountPages(document));
    EXPECT_GE(pages, 2);
    for (int p = 1; p <= pages; ++p)
        EXPECT_THAT(text, ::testing::HasSubstr("Page " + std::to_string(p) + " of " +
                                               std::to_string(pages)));
    fs::create_directories(dir_ / "png");
    EXPECT_EQ(test::RenderPages(path("r.pdf"), path("png")), pages);
}

// A table longer than a page continues under its repeated headings; no
// flag, no note; an empty project leaves only its label.
TEST_F(ReportPainterTest, LongTablesContinueUnderTheirHeadings) {
    ReportDocument document = Sample();
    document.results = {LongTable(150)};
    document.supplementTitle.clear();
    document.supplementTables.clear();
    document.chart.reset();
    document.method.clear();
    document.project.clear();
    ASSERT_FALSE(WriteReportPdf(document, qpath("long.pdf")));
    const std::string text = PdfText(path("long.pdf"));
    const int pages = PdfPages(path("long.pdf"));
    EXPECT_GE(pages, 4);
    std::size_t headings = 0;
    for (std::size_t at = text.find("D [mm]"); at != std::string::npos;
         at = text.find("D [mm]", at + 1))
        ++headings;
    EXPECT_EQ(static_cast<int>(headings), pages);
    EXPECT_EQ(FirstOutOfOrder(text, {"1000.25", "1075.25", "1149.25", "149.50"}), "");
    EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("air data")));
}

TEST(NiceTicks, CoverTheRangeInRoundSteps) {
    EXPECT_THAT(NiceTicks(10, 1000, 11),
                ::testing::ElementsAre(0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000));
    EXPECT_THAT(NiceTicks(0, 0.9, 5),
                ::testing::Pointwise(::testing::DoubleNear(1e-12),
                                     std::vector<double>{0, 0.2, 0.4, 0.6, 0.8, 1}));
    // The axis ends at the data's round bound, not a step past it.
    EXPECT_THAT(NiceTicks(0, 25, 8), ::testing::ElementsAre(0, 5, 10, 15, 20, 25));
    EXPECT_THAT(NiceTicks(-3, 1790, 8),
                ::testing::ElementsAre(-200, 0, 200, 400, 600, 800, 1000, 1200, 1400, 1600, 1800));
    EXPECT_EQ(NiceTicks(5, 5, 8).size() >= 2, true);
    EXPECT_THAT(NiceTicks(0, std::numeric_limits<double>::infinity(), 8),
                ::testing::ElementsAre(0, 1));
}

// Long texts wrap and flow onto further pages; a word wider than the page
// wraps too: every character reaches the PDF.
TEST_F(ReportPainterTest, LongTextsFlowAndNothingIsCut) {
    ReportDocument document = Sample();
    const std::string name(156, 'N');
    document.fileName = "line-" + std::string(150, 'f') + ".insp";
    document.preparedBy = name;
    std::string words;
    for (int i = 0; i < 6000; ++i)
        words += " w" + std::to_string(i);
    document.project = words;
    ASSERT_FALSE(WriteReportPdf(document, qpath("long.pdf")));
    const std::string text = PdfText(path("long.pdf"));
    std::string joined;
    for (char c : text)
        if (c != '\n' && c != ' ')
            joined += c;
    EXPECT_THAT(joined, ::testing::HasSubstr(name));
    EXPECT_THAT(joined, ::testing::HasSubstr(document.fileName));
    std::istringstream in(text);
    std::set<std::string> seen;
    for (std::string word; in >> word;)
        if (word.size() > 1 && word[0] == 'w' && std::isdigit(static_cast<unsigned char>(word[1])))
            seen.insert(word);
    EXPECT_EQ(seen.size(), 6000u);
    EXPECT_GE(PdfPages(path("long.pdf")), 3);
    EXPECT_EQ(FirstOutOfOrder(text, {"w0 ", "w5999", "Input Data", "Free convection"}), "");
}

// A character no installed font has would print as a box: the report is
// refused with the reason, and no file is written.
TEST_F(ReportPainterTest, CharactersWithoutAFontAreRefused) {
    EXPECT_FALSE(FontProblem(Sample()));
    ReportDocument document = Sample();
    document.project = "Line \U0010FFFD";
    const auto problem = FontProblem(document);
    ASSERT_TRUE(problem);
    EXPECT_TRUE(problem->contains(QStringLiteral("DejaVu Sans"))) << problem->toStdString();
    const auto error = WriteReportPdf(document, qpath("boxes.pdf"));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(*problem)) << error->toStdString();
    EXPECT_FALSE(fs::exists(path("boxes.pdf")));
}

// All or nothing: a failure names the file and leaves nothing behind; a
// previous file stays whole.
TEST_F(ReportPainterTest, FailedWritesLeaveNothingAndNameTheFile) {
    const ReportDocument document = Sample();

    // A name in a place where no file can be made (also for root).
    for (const QString& target :
         {QStringLiteral("/proc/termiva-report.pdf"), qpath("missing folder/r.pdf")}) {
        const auto error = WriteReportPdf(document, target);
        ASSERT_TRUE(error) << target.toStdString();
        EXPECT_TRUE(error->contains(target)) << error->toStdString();
        EXPECT_FALSE(QFile::exists(target));
    }

    // A disk that fills part way (the file size limit, which binds root too):
    // the old file stays as it was and no temporary file is left.
    { std::ofstream(path("old.pdf")) << "old report"; }
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = WriteReportPdf(document, qpath("old.pdf"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(qpath("old.pdf"))) << error->toStdString();
    std::ifstream in(path("old.pdf"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old report");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    // A folder the user may not write to (root may: then as nobody).
    fs::create_directories(dir_ / "locked");
    fs::permissions(dir_, fs::perms::all);
    fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec |
                                         fs::perms::others_read | fs::perms::others_exec);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(100);
        const auto locked = WriteReportPdf(document, qpath("locked/r.pdf"));
        ::_exit(locked && locked->contains(qpath("locked/r.pdf")) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(fs::is_empty(dir_ / "locked"));
}

// Replacing a report leaves the new one, complete.
TEST_F(ReportPainterTest, ReplacesAnOlderReport) {
    { std::ofstream(path("r.pdf")) << "old report"; }
    ASSERT_FALSE(WriteReportPdf(Sample(), qpath("r.pdf")));
    EXPECT_EQ(PdfPages(path("r.pdf")), CountPages(Sample()));
}

} // namespace
} // namespace termiva::report

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Qt and fontconfig keep allocations for the life of the process.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the sanitizer runtime calls
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
