// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/diagram_export.h"
#include "files/workbook.h"
#include "files/workbook_chart.h"
#include "workbook_test_support.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <string>

namespace termiva::files {
namespace {

using ::testing::HasSubstr;
using namespace termiva::files::testing;

constexpr char kColumns[] = "BCDEFGH";

TEST(DiagramExport, SheetRowsSkipThe700mmLine) {
    const std::vector<std::pair<int, std::optional<int>>> rows{
        {0, std::nullopt},  {1, 4},   {10, 13}, {11, 14}, {15, 18},
        {16, std::nullopt}, {17, 19}, {18, 20}, {19, 21}, {20, std::nullopt}};
    for (const auto& [table, sheet] : rows)
        EXPECT_EQ(DiagramSheetRow(table), sheet) << "table row " << table;
}

// Checks every cell the export writes against SampleData(separator, offset).
void ExpectSampleCells(Worksheet& sheet, const std::string& separator, double offset) {
    EXPECT_EQ(sheet.Value("B1").kind, CellValue::Kind::Text);
    EXPECT_EQ(sheet.Value("B1").text, "143" + separator + "5");
    EXPECT_EQ(sheet.Value("C1").kind, CellValue::Kind::Empty);
    for (int j = 0; j < 5; ++j) {
        const CellValue value = sheet.Value(std::string(1, "DEFGH"[j]) + "1");
        EXPECT_EQ(value.kind, CellValue::Kind::Number);
        EXPECT_EQ(value.number, 20.5 + 10 * j);
    }
    for (int i = 1; i <= 19; ++i) {
        const auto row = DiagramSheetRow(i);
        if (!row)
            continue;
        for (int c = 0; c < 7; ++c) {
            const CellValue value = sheet.Value(*row, c + 2);
            EXPECT_EQ(value.kind, CellValue::Kind::Number) << kColumns[c] << *row;
            EXPECT_DOUBLE_EQ(value.number, SampleValue(i, c, offset)) << kColumns[c] << *row;
        }
    }
    for (int row = 4; row <= 21; ++row)
        EXPECT_NE(sheet.Value(row, 2).number, 700 + offset) << "row " << row;
    EXPECT_EQ(sheet.Value("B19").number, 800 + offset);
    EXPECT_EQ(sheet.Value("B22").kind, CellValue::Kind::Empty);
}

// Every numeric cache of the chart holds what its range holds now.
void ExpectCachesMatchCells(const std::string& path) {
    const std::string xml = ReadZip(path).at("xl/charts/chart1.xml").data;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(xml.c_str()));
    auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
    ASSERT_TRUE(workbook);
    auto sheet = workbook.value().Worksheets("Sheet1");
    ASSERT_TRUE(sheet);
    int caches = 0;
    for (const auto& found : doc.select_nodes("//c:numRef")) {
        const std::string formula = found.node().child_value("c:f"); // Sheet1!$C$4:$C$21
        ASSERT_EQ(formula.substr(0, 8), "Sheet1!$");
        const int column = formula[8] - 'A' + 1;
        const auto cache = found.node().child("c:numCache");
        EXPECT_EQ(cache.child("c:ptCount").attribute("val").as_int(), 18);
        int points = 0;
        for (auto pt : cache.children("c:pt")) {
            const int row = 4 + pt.attribute("idx").as_int();
            EXPECT_EQ(std::stod(pt.child_value("c:v")), (*sheet)->Value(row, column).number)
                << formula << " row " << row;
            ++points;
        }
        EXPECT_EQ(points, 18) << formula;
        ++caches;
    }
    EXPECT_EQ(caches, 12);
}

TEST(DiagramExport, WritesInputsAndTableIntoTheFirstWorksheet) {
    for (const std::string separator : {".", ","}) {
        ScratchFolder folder;
        const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
        ASSERT_FALSE(ExportDiagram(path, SampleData(separator))) << separator;

        auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
        ASSERT_TRUE(workbook);
        auto sheet = workbook.value().Worksheets(1);
        ASSERT_TRUE(sheet);
        ExpectSampleCells(**sheet, separator, 0);
        EXPECT_EQ((*sheet)->Value("B2").text, "Outside Diameter of Pipe");
        ExpectCachesMatchCells(path);
    }
}

TEST(DiagramExport, SecondExportLeavesOnlyTheSecondTable) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    ASSERT_FALSE(ExportDiagram(path, SampleData(",")));
    ASSERT_FALSE(ExportDiagram(path, SampleData(",", 7)));
    auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
    ASSERT_TRUE(workbook);
    auto sheet = workbook.value().Worksheets(1);
    ASSERT_TRUE(sheet);
    ExpectSampleCells(**sheet, ",", 7);
    ExpectCachesMatchCells(path);
}

// A template saved again by a spreadsheet application: the chart now sits on
// a worksheet of its own ahead of Sheet1, strings are shared.
TEST(DiagramExport, TemplateResavedByASpreadsheetStillExports) {
    for (const std::string fixture : {"libreoffice_resaved.xlsx", "libreoffice_edited.xlsx"}) {
        ScratchFolder folder;
        const std::string path = folder.Copy(FixturePath(fixture), "Template.xlsx");
        ASSERT_FALSE(ExportDiagram(path, SampleData("."))) << fixture;
        {
            auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
            ASSERT_TRUE(workbook);
            auto sheet = workbook.value().Worksheets("Sheet1");
            ASSERT_TRUE(sheet);
            ExpectSampleCells(**sheet, ".", 0);
            auto chartHolder = workbook.value().Worksheets(1);
            ASSERT_TRUE(chartHolder);
            EXPECT_EQ((*chartHolder)->name(), "Chart1");
            EXPECT_EQ((*chartHolder)->Value("B1").kind, CellValue::Kind::Empty);
        }
        ExpectCachesMatchCells(path);
        auto chart = ReadWorkbookChart(path);
        ASSERT_TRUE(chart) << chart.error().message;
        ASSERT_EQ(chart->series.size(), 6u);
        ASSERT_EQ(chart->series[2].points.size(), 18u);
        EXPECT_EQ(chart->series[2].points[15],
                  std::make_pair(SampleValue(17, 0), SampleValue(17, 3)));
    }
}

// A text that does not convert stops the export before anything is written.
TEST(DiagramExport, TextThatIsNotANumberNamesItsCell) {
    struct Case {
        const char* name;
        std::function<void(DiagramExportData&)> spoil;
        const char* cell;
    };
    const std::vector<Case> cases{
        {"thickness", [](DiagramExportData& d) { d.thicknessTexts[2] = "7,5"; }, "F1"},
        {"empty thickness", [](DiagramExportData& d) { d.thicknessTexts[4] = ""; }, "H1"},
        {"diameter", [](DiagramExportData& d) { d.table[0][0] = "1O"; }, "B4"},
        {"loss", [](DiagramExportData& d) { d.table[16][3] = "12a"; }, "E19"},
        {"last loss", [](DiagramExportData& d) { d.table[18][6] = "1 000.5"; }, "H21"},
        {"empty table", [](DiagramExportData& d) { d.table[10][1] = ""; }, "C14"},
    };
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string before = ReadBytes(path);
    for (const Case& c : cases) {
        DiagramExportData data = SampleData(".");
        c.spoil(data);
        auto error = ExportDiagram(path, data);
        ASSERT_TRUE(error) << c.name;
        EXPECT_THAT(error->message, HasSubstr(std::string("cell ") + c.cell + " ")) << c.name;
        EXPECT_THAT(error->message, HasSubstr(path)) << c.name;
        EXPECT_EQ(ReadBytes(path), before) << c.name;
    }
    // The one text cell takes anything, even a text that is no number.
    DiagramExportData data = SampleData(".");
    data.fluidTemperatureText = "hot";
    EXPECT_FALSE(ExportDiagram(path, data));
}

// The row of table row 16 (700 mm) is not exported, whatever it holds.
TEST(DiagramExport, Row700IsNeverRead) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    DiagramExportData data = SampleData(".");
    data.table[15].fill("not a number");
    EXPECT_FALSE(ExportDiagram(path, data));
}

TEST(DiagramExport, CopyLeavesTheTemplateAlone) {
    ScratchFolder folder;
    const std::string templatePath = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string before = ReadBytes(templatePath);
    const std::string output = (folder.path() / "diagram.xlsx").string();
    WriteBytes(output, "an older file");

    ASSERT_FALSE(ExportDiagramCopy(templatePath, output, SampleData(",")));
    EXPECT_EQ(ReadBytes(templatePath), before);
    {
        auto workbook = Workbook::Open(output, WorkbookAccess::ReadOnly);
        ASSERT_TRUE(workbook);
        auto sheet = workbook.value().Worksheets(1);
        ASSERT_TRUE(sheet);
        ExpectSampleCells(**sheet, ",", 0);
    }

    auto itself = ExportDiagramCopy(templatePath, templatePath, SampleData(","));
    ASSERT_TRUE(itself);
    EXPECT_THAT(itself->message, HasSubstr("is the template itself"));

    const std::string nowhere = (folder.path() / "missing" / "diagram.xlsx").string();
    auto noFolder = ExportDiagramCopy(templatePath, nowhere, SampleData(","));
    ASSERT_TRUE(noFolder);
    EXPECT_THAT(noFolder->message, HasSubstr(nowhere));

    auto badTemplate = ExportDiagramCopy(output + ".none", output, SampleData(","));
    ASSERT_TRUE(badTemplate);
    EXPECT_THAT(badTemplate->message, HasSubstr(output + ".none\" does not exist"));

    EXPECT_EQ(ReadBytes(templatePath), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2)
        << "a temporary file was left";
}

// A template whose cell C4 (which the export writes) is the master of a
// shared formula: kept whole while every cell using it is written too,
// refused by the template's name while a cell beyond the table still uses it.
TEST(DiagramExport, SharedFormulasAreNotOrphaned) {
    ScratchFolder folder;
    const auto withFormulas = [&](const std::string& name, const std::string& range,
                                  const std::string& users) {
        std::string path = folder.Copy(TemplatePath(), name);
        std::string sheet = ReadZip(path).at("xl/worksheets/sheet1.xml").data;
        const auto replace = [&](const std::string& from, const std::string& to) {
            const auto at = sheet.find(from);
            ASSERT_NE(at, std::string::npos) << from;
            sheet.replace(at, from.size(), to);
        };
        replace("<c r=\"C4\"><v>",
                "<c r=\"C4\"><f t=\"shared\" ref=\"" + range + "\" si=\"0\">B4*2</f><v>");
        replace("</sheetData>", users + "</sheetData>");
        EditZip(path, {{"xl/worksheets/sheet1.xml", sheet}});
        return path;
    };
    const std::string user = "<c r=\"C25\"><f t=\"shared\" si=\"0\"/><v>50</v></c>";
    const std::string beyond =
        withFormulas("beyond.xlsx", "C4:C25", "<row r=\"25\">" + user + "</row>");
    const std::string output = (folder.path() / "out.xlsx").string();
    auto refused = ExportDiagramCopy(beyond, output, SampleData("."));
    ASSERT_TRUE(refused);
    EXPECT_THAT(refused->message, HasSubstr("\"" + beyond +
                                            "\" cannot take a value in cell C4: "
                                            "it holds the shared formula that other cells of "
                                            "C4:C25 use."));
    EXPECT_FALSE(std::filesystem::exists(output));
    auto inPlace = ExportDiagram(beyond, SampleData("."));
    ASSERT_TRUE(inPlace);
    EXPECT_THAT(inPlace->message, HasSubstr("C4:C25"));

    const std::string within = withFormulas("within.xlsx", "C4:C5", "");
    {
        std::string sheet = ReadZip(within).at("xl/worksheets/sheet1.xml").data;
        const auto at = sheet.find("<c r=\"C5\"><v>");
        ASSERT_NE(at, std::string::npos);
        sheet.insert(at + 10, "<f t=\"shared\" si=\"0\"/>");
        EditZip(within, {{"xl/worksheets/sheet1.xml", sheet}});
    }
    ASSERT_FALSE(ExportDiagramCopy(within, output, SampleData(".")));
    EXPECT_THAT(ReadZip(output).at("xl/worksheets/sheet1.xml").data,
                ::testing::Not(HasSubstr("t=\"shared\"")));
}

// The template is bounded before anything of it is read.
TEST(DiagramExport, TemplateOverItsBoundIsRefused) {
    ScratchFolder folder;
    const std::string big = (folder.path() / "big.xlsx").string();
    WriteBytes(big, "");
    std::filesystem::resize_file(big, kMaxWorkbookTemplateSize + 1); // sparse, costs nothing
    const std::string output = (folder.path() / "out.xlsx").string();
    auto error = ExportDiagramCopy(big, output, SampleData("."));
    ASSERT_TRUE(error);
    EXPECT_THAT(error->message, HasSubstr("\"" + big +
                                          "\" is too large for a template: it holds "
                                          "more than 64 MiB."));
    EXPECT_FALSE(std::filesystem::exists(output));
}

} // namespace
} // namespace termiva::files
