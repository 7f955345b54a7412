// SPDX-License-Identifier: GPL-3.0-or-later
// The report of each screen's example file, read back from the PDF: every
// input and result text in order, with "." and with "," as the separator,
// the expected number of pages, the single pipe's 19 table rows, and every
// page rendered.

#include "cases/case_records.h"
#include "cases/thickness_limit_case.h"
#include "pdf_tools.h"
#include "report/case_report.h"
#include "report/report_painter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace termiva::report {
namespace {

namespace fs = std::filesystem;
using cases::InputFileKind;

struct Case {
    const char* name;
    const char* file;
    InputFileKind kind;
    int pages;
    std::vector<std::string> texts; // with "." as the separator
    std::string summary;            // the line under the title, with "."
    std::vector<std::string> absent;
};

// The example with `separator` as it would have been saved by a user of it.
cases::ScreenTexts Load(const Case& c, const std::string& separator) {
    auto record = files::ReadInputFile(c.kind, std::string(TERMIVA_EXAMPLES "/") + c.file);
    EXPECT_TRUE(record);
    files::InputRecord converted = record.value();
    for (std::string& field : converted.fields)
        std::replace(field.begin(), field.end(), '.', separator[0]);
    if (converted.diameters)
        for (std::string& diameter : *converted.diameters)
            std::replace(diameter.begin(), diameter.end(), '.', separator[0]);
    for (std::vector<std::string>& row : converted.table)
        for (std::string& cell : row)
            std::replace(cell.begin(), cell.end(), '.', separator[0]);
    return cases::LoadScreen(c.kind, converted, separator);
}

// `text` with "." between digits written as ",", and a thousands "," as ".".
std::string CommaNumbers(std::string text) {
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const auto digit = [&](std::size_t at) { return std::isdigit(text[at]) != 0; };
        if ((text[i] == '.' || text[i] == ',') && digit(i - 1) && digit(i + 1))
            text[i] = text[i] == '.' ? ',' : '.';
    }
    return text;
}

// Numbers with the separator; captions and fixed pipe sizes keep their points.
std::string WithSeparator(std::string text, const std::string& separator) {
    static const std::regex number(R"(^-?\d+([.,]\d+)+$)");
    if (separator != "." && std::regex_match(text, number))
        return CommaNumbers(text);
    return text;
}

const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"single_pipe",
         "single-pipe.insp",
         InputFileKind::SinglePipe,
         2,
         {"Calculation report",
          "SINGLE PIPES",
          "single-pipe.insp",
          "Pipe",
          "Nominal pipe diameter, mm(inch):",
          "ND 20 (\u00be)",
          "Pipe nominal diameter (D1) [mm]",
          "20",
          "Pipe outside diameter (D2) [mm]",
          "26.9",
          "Input Data",
          "Fluid Temperature (T1) [oC]",
          "143",
          "Ambient Temperature (Tout) [oC]",
          "20",
          "Insulation Thermal Conductivity (k) [W/(m K)]",
          "0.07",
          "Emissivity of Outside Surface (e) [-]",
          "0.95",
          "Wind Coefficinent (WC) [-]",
          "1",
          "Thickness of Insulation",
          "tins1 [mm]",
          "20",
          "tins2 [mm]",
          "50",
          "tins3 [mm]",
          "75",
          "tins4 [mm]",
          "100",
          "tins5 [mm]",
          "150",
          "Results",
          "Insulation thickness",
          "Heat Loss [W/m]",
          "Tsurface [oC]",
          "Bare pipe",
          "225.22",
          "143.0",
          "20 mm",
          "49.55",
          "40.3",
          "50 mm",
          "32.42",
          "28.6",
          "75 mm",
          "27.39",
          "25.6",
          "100 mm",
          "24.50",
          "24.1",
          "150 mm",
          "21.18",
          "22.7",
          "Method",
          "Diagram",
          "Bare Pipe [W/m]",
          "100 mm [W/m]",
          "10",
          "96.43",
          "700",
          "4094.18",
          "1000",
          "5677.78",
          "195.52",
          "PIPE HEAT LOSS",
          "Outside Pipe Diameter [mm]",
          "Bare Pipe",
          "20 mm",
          "150 mm"},
         "Single pipe D2 26.9 mm, T1 143 oC, Tout 20 oC: bare loss 225.22 W/m; at 50 mm 32.42 "
         "W/m, 28.6 oC",
         {}},
        {"vessel",
         "vessel.inv",
         InputFileKind::Vessel,
         1,
         {"VESSEL INSULATION",
          "Vessel selection:",
          "Rectangular",
          "Input Data",
          "Lenght (L) [m]",
          "1.2",
          "Heigth of Vessel (H) [m]",
          "1.8",
          "Width of Vessel (W) [m]",
          "0.8",
          "Fluid Temperature (T1) [oC]",
          "150",
          "Ambient Temperature (Tout) [oC]",
          "20",
          "Insulation Thermal Conductivity (k) [W/(m K)]",
          "0.05",
          "Emissivity of Outside Surface (e) [-]",
          "1",
          "Wind Coefficinent (WC) [-]",
          "1",
          "Thickness of Insulation",
          "tins1 [mm]",
          "20",
          "tins4 [mm]",
          "100",
          "Results",
          "Insulation thickness",
          "Heat Loss [W]",
          "Tsurface [oC]",
          "Bare vessel",
          "19711.7",
          "150.0",
          "20 mm",
          "2485.8",
          "44.5",
          "100 mm",
          "665.5",
          "26.3",
          "Method"},
         "Rectangular vessel L 1.2 m, H 1.8 m, W 0.8 m, T1 150 oC, Tout 20 oC: bare loss 19711.7 "
         "W; at 20 mm 2485.8 W, 44.5 oC",
         {}},
        {"multiple_pipes",
         "multiple-pipes.inmp",
         InputFileKind::MultiplePipes,
         1,
         {"PART OF INSULATION",
          "INPUT DATA",
          "Ambient Temperature (Tout) [oC]",
          "25",
          "Fluid Temperature (T1) [oC]",
          "150",
          "Thickness of Insulation (delta)  [mm]",
          "25",
          "0.05",
          "0.90",
          "1",
          "INPUT PIPE DATA",
          "NO [mm]",
          "Lenght of Pipes [m]",
          "32",
          "42.4",
          "78",
          "25",
          "14",
          "50",
          "60.3",
          "28",
          "14",
          "6",
          "100",
          "114.3",
          "24",
          "8",
          "8",
          "Results",
          "Bare Pipe Losses [W]",
          "37290",
          "4896.4",
          "20757",
          "2557.4",
          "29191",
          "3344.2",
          "Total Losses of Bare Pipes [kW]",
          "87.24",
          "Total Losses of Insulated  Pipes [kW]",
          "10.80",
          "Method"},
         "Multiple pipes, 3 pipe sizes, T1 150 oC, Tout 25 oC, delta 25 mm: bare loss 87.24 kW; "
         "insulated 10.80 kW",
         {"RESULTS"}},
        {"thickness_limit",
         "thickness-limit.inlim",
         InputFileKind::ThicknessLimit,
         2,
         {"INSULATION THICKNESS FOR A LIMIT",
          "thickness-limit.inlim",
          "Object",
          "Object:",
          "Pipe",
          "Pipe outside diameter (D2) [mm]",
          "26.9",
          "Input Data",
          "Fluid Temperature (T1) [oC]",
          "143",
          "Ambient Temperature (Tout) [oC]",
          "20",
          "0.07",
          "0.95",
          "Wind Coefficinent (WC) [-]",
          "1",
          "Limits",
          "Maximum surface temperature [oC]",
          "50",
          "Maximum heat loss [W/m]",
          "not set",
          "20 25 30 40 50 60 70 80 90 100", // wrapped beside its caption
          "Standard thicknesses [mm]",
          "120 140 160 180 200",
          "Results",
          "Heat Loss [W/m]",
          "Tsurface [oC]",
          "Thickness for the surface limit [mm]",
          "12.4",
          "Thickness for the heat loss limit [mm]",
          "-",
          "Insulation thickness [mm]",
          "12.4",
          "62.68",
          "49.8",
          "Next standard thickness [mm]",
          "20.0",
          "49.55",
          "40.3",
          "Governing limit",
          "Surface temperature",
          "Surface temperature and heat loss over the insulation thickness",
          "Insulation thickness [mm]",
          "limit 50 oC",
          "Answer",
          "Method"},
         "Thickness for a limit, Pipe D2 26.9 mm, T1 143 oC, Tout 20 oC, Tsurface at most 50 oC: "
         "12.4 mm; next standard 20.0 mm 49.55 W/m, 40.3 oC",
         {"tins"}},
        {"economics",
         "economics.ineco",
         InputFileKind::Economics,
         3,
         {"ENERGY, COST AND ECONOMIC THICKNESS",
          "Object:",
          "Pipe",
          "Wind Coefficinent (WC) [-]",
          "Operation and costs",
          "Energy price (p) [EUR/MWh]",
          "Efficiency of the heat supply (eta) [-]",
          "0.9",
          "Currency",
          "EUR",
          "Candidate thicknesses",
          "Installed cost [EUR/m]",
          "82",
          "Bare pipe",
          "22521.6",
          "80 mm (economic)",
          "21.36",
          "Life-cycle cost [EUR]",
          "83,268",
          "15,071",
          "Equivalent annual cost [EUR/a]",
          "Economic thickness",
          "Method",
          "8.3188",
          "0.135868"},
         "Energy and cost, Pipe D2 26.9 mm, L 100 m, H 8000 h/a, T1 143 oC, Tout 20 oC: Economic "
         "thickness 80 mm: life-cycle cost 15,071 EUR, payback 0.6 years, 356 t CO2 avoided over "
         "10 years",
         {"Lenght (L)", "Table1"}},
    };
    return cases;
}

class CaseReportTest : public ::testing::TestWithParam<std::tuple<std::size_t, std::string>> {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("termiva_case_report_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_P(CaseReportTest, PdfHoldsTheScreenInOrder) {
    const auto& [index, separator] = GetParam();
    const Case& c = Cases()[index];
    ReportContext context;
    context.dateTime = "2026-12-08 23:00";
    context.fileName = c.file;
    context.decimalSeparator = separator;
    const auto document = CaseReport(Load(c, separator), context);
    ASSERT_TRUE(document) << document.error().front();
    const fs::path pdf = dir_ / (std::string(c.name) + ".pdf");
    ASSERT_FALSE(WriteReportPdf(*document, QString::fromStdString(pdf.string())));

    const std::string text = test::PdfText(pdf.string());
    // A reader of the text sees one blank where a caption has two.
    std::vector<std::string> expected;
    for (std::string t : c.texts) {
        if (const auto at = t.find("  "); at != std::string::npos)
            t.erase(at, 1);
        expected.push_back(c.kind == InputFileKind::MultiplePipes &&
                                   (t == "42.4" || t == "60.3" || t == "114.3")
                               ? t // the pipe table's fixed sizes keep their point
                               : WithSeparator(t, separator));
    }
    EXPECT_EQ(test::FirstOutOfOrder(text, expected), "") << text;
    EXPECT_EQ(test::PdfPages(pdf.string()), c.pages);

    // The case in one line under the title, its numbers with the separator.
    const std::string flowing = std::regex_replace(text, std::regex("\\s+"), " ");
    const std::string summary = separator == "." ? c.summary : CommaNumbers(c.summary);
    EXPECT_NE(flowing.find(summary), std::string::npos) << summary << "\n" << text;
    // The method's numbers follow the separator too.
    EXPECT_NE(flowing.find("273" + separator + "15"), std::string::npos) << text;
    EXPECT_EQ(flowing.find(separator == "." ? "273,15" : "273.15"), std::string::npos) << text;
    // Results name thicknesses, not fields; no unit stands twice; no
    // section's heading twice.
    EXPECT_EQ(text.find("tins", text.find("\nResults")), std::string::npos) << text;
    for (const std::string& absent : c.absent)
        EXPECT_EQ(text.find(absent), std::string::npos) << absent << "\n" << text;
    const std::regex twice(R"(\[([^\]]+)\] +\S+ +\1 *$)");
    std::istringstream textLines(text);
    for (std::string line; std::getline(textLines, line);)
        EXPECT_FALSE(std::regex_search(line, twice)) << line;
    fs::create_directories(dir_ / c.name);
    EXPECT_EQ(test::RenderPages(pdf.string(), (dir_ / c.name).string()), c.pages);

    if (c.kind == InputFileKind::SinglePipe) {
        // 19 lines of the table: a diameter and six losses.
        const std::string sep = separator == "." ? "\\." : ",";
        const std::regex row("^ *\\d+( +\\d+" + sep + "\\d\\d){6} *$");
        std::istringstream lines(text);
        int rows = 0;
        for (std::string line; std::getline(lines, line);)
            rows += std::regex_match(line, row);
        EXPECT_EQ(rows, 19) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(EachScreen, CaseReportTest,
                         ::testing::Combine(::testing::Values(0u, 1u, 2u, 3u, 4u),
                                            ::testing::Values(std::string("."), std::string(","))));

// A value beyond the air data is marked in the report as on the screen, with
// the note once under its table.
TEST_F(CaseReportTest, MarkedValuesCarryTheirNote) {
    cases::ScreenTexts screen = Load(Cases()[0], ".");
    screen.texts["Text3"] = "620";
    const auto document = CaseReport(screen, {});
    ASSERT_TRUE(document);
    const std::string pdf = (dir_ / "marked.pdf").string();
    ASSERT_FALSE(WriteReportPdf(*document, QString::fromStdString(pdf)));
    const std::string text = test::PdfText(pdf);
    EXPECT_EQ(test::FirstOutOfOrder(text, {"3769.14*", "620.0*", "253.15 ", "95.3\n",
                                           "* Marked values use air properties beyond"}),
              "")
        << text;
}

// A vessel's loss limit is in W, read on the chart's right-hand axis with the
// loss; a limit no thickness meets is the calculation's message, no report.
TEST(CaseReport, LimitOfAVesselAndALimitNotMet) {
    cases::ScreenTexts screen{InputFileKind::ThicknessLimit, 3, {}};
    for (const cases::FieldText& field : cases::ThicknessLimitTestData(3, ".").texts)
        screen.texts[field.field] = field.text;
    const auto document = CaseReport(screen, {});
    ASSERT_TRUE(document) << document.error().front();
    const ReportGroup& limits = document->inputs.at(2);
    ASSERT_EQ(limits.fields.size(), 3u);
    EXPECT_EQ(limits.fields[1].caption, "Maximum heat loss [W]");
    EXPECT_EQ(limits.fields[1].value, "1000");
    EXPECT_EQ(limits.fields[1].unit, "W");
    // Only the vertical cylinder's height and diameter, after the object.
    const ReportGroup& object = document->inputs.at(0);
    ASSERT_EQ(object.fields.size(), 3u);
    EXPECT_EQ(object.fields[0].value, "Vertical Cylindical");
    EXPECT_EQ(object.fields[2].caption, cases::LimitFieldCaption(3, "Text4"));
    EXPECT_EQ(document->results.at(0).columnHeadings.at(1), "Heat Loss [W]");
    EXPECT_EQ(document->results.at(0).rows.at(4).at(0).text, "Heat loss");

    const ReportChart& chart = *document->chart;
    ASSERT_EQ(chart.series.size(), 4u);
    EXPECT_EQ(chart.rightAxisTitle, "Heat Loss [W]");
    EXPECT_FALSE(chart.series[0].rightAxis); // surface temperature
    EXPECT_TRUE(chart.series[1].rightAxis);  // loss
    EXPECT_EQ(chart.series[2].name, "limit 1000 W");
    EXPECT_TRUE(chart.series[2].rightAxis);
    EXPECT_EQ(chart.series[2].points.front().second, 1000.0);
    // The answer's line stands at the answer shown in the table.
    EXPECT_EQ(chart.series[3].points.front().first, chart.series[3].points.back().first);
    EXPECT_NEAR(chart.series[3].points.front().first,
                std::stod(document->results.at(0).rows.at(2).at(0).text), 0.05);

    screen.texts["Text11"] = "1";
    const auto unmet = CaseReport(screen, {});
    ASSERT_FALSE(unmet);
    EXPECT_NE(unmet.error().front().find("1000"), std::string::npos) << unmet.error().front();
}

TEST(CaseReport, IncompleteInputsGiveTheCheckMessages) {
    cases::ScreenTexts screen;
    screen.kind = InputFileKind::Vessel;
    screen.listIndex = 0;
    const auto document = CaseReport(screen, {});
    ASSERT_FALSE(document);
    EXPECT_EQ(document.error().front().rfind("Please input value! (Text1", 0), 0u)
        << document.error().front();
}

} // namespace
} // namespace termiva::report
