// SPDX-License-Identifier: GPL-3.0-or-later
// Workbooks built to hurt: deep nesting, absurd counts, parts that inflate
// far, relationships that point where they should not, other encodings. Each
// must be answered with a result or an error, quickly, and leave no damage.

#include "files/diagram_export.h"
#include "files/workbook.h"
#include "files/workbook_chart.h"
#include "workbook_test_support.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace termiva::files {
namespace {

using ::testing::HasSubstr;
using namespace termiva::files::testing;
namespace fs = std::filesystem;

std::string TemplatePart(const std::string& name) {
    return ReadZip(TemplatePath()).at(name).data;
}

std::string Repeat(const std::string& text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// `inner` wrapped in `depth` levels of <tag>.
std::string Nested(const std::string& tag, std::size_t depth, const std::string& inner) {
    return Repeat("<" + tag + ">", depth) + inner + Repeat("</" + tag + ">", depth);
}

constexpr std::size_t kDeep = 100000;

TEST(HostileWorkbook, DeeplyNestedXmlIsReadWithoutExhaustingTheStack) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "deep.xlsx");
    std::string strings = TemplatePart("xl/sharedStrings.xml");
    strings.replace(strings.find("<si><t>143</t></si>"), 19,
                    "<si>" + Nested("r", kDeep, "<t>14</t>") + "<t>3</t></si>");
    std::string drawing = TemplatePart("xl/drawings/drawing1.xml");
    const auto chartAt = drawing.find("<c:chart ");
    const auto chartEnd = drawing.find("/>", chartAt) + 2;
    drawing.replace(chartAt, chartEnd - chartAt,
                    Nested("a:g", kDeep, drawing.substr(chartAt, chartEnd - chartAt)));
    std::string chart = TemplatePart("xl/charts/chart1.xml");
    chart.insert(chart.find("<c:plotArea>"), "<c:title><c:tx><c:rich><a:p>" +
                                                 Nested("a:r", kDeep, "<a:t>Deep</a:t>") +
                                                 "</a:p></c:rich></c:tx></c:title>");
    // References to rebuild on saving, buried as deep.
    chart.insert(chart.find("</c:chartSpace>"),
                 Nested("c:extLst", kDeep, "<c:numRef><c:f>Sheet1!$C$4:$C$5</c:f></c:numRef>"));
    EditZip(path, {{"xl/sharedStrings.xml", strings},
                   {"xl/drawings/drawing1.xml", drawing},
                   {"xl/charts/chart1.xml", chart}});

    auto read = ReadWorkbookChart(path);
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(read->title, "Deep");
    EXPECT_EQ(read->series.size(), 6u);
    {
        auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
        ASSERT_TRUE(workbook);
        auto sheet = workbook.value().Worksheets(1);
        ASSERT_TRUE(sheet);
        EXPECT_EQ((*sheet)->Value("B1").text, "143");
    }
    const auto error = ExportDiagram(path, SampleData("."));
    ASSERT_FALSE(error) << error->message;
    EXPECT_THAT(ReadZip(path).at("xl/charts/chart1.xml").data, HasSubstr("<c:pt idx=\"1\">"));
}

// A workbook whose sheets all name the template's worksheet part, each
// through a relationship of its own.
void WriteManySheets(const std::string& path, std::size_t count) {
    std::string sheets, relationships;
    for (std::size_t i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        sheets += "<sheet name=\"S" + n + "\" sheetId=\"" + n + "\" r:id=\"rIdS" + n + "\"/>";
        relationships += "<Relationship Id=\"rIdS" + n +
                         "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                         "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>";
    }
    std::string workbook = TemplatePart("xl/workbook.xml");
    const auto begin = workbook.find("<sheets>") + 8;
    workbook.replace(begin, workbook.find("</sheets>") - begin, sheets);
    std::string rels = TemplatePart("xl/_rels/workbook.xml.rels");
    rels.insert(rels.find("</Relationships>"), relationships);
    EditZip(path, {{"xl/workbook.xml", workbook}, {"xl/_rels/workbook.xml.rels", rels}});
}

TEST(HostileWorkbook, ManySheetsOpenAndAbsurdCountsAreRefused) {
    ScratchFolder folder;
    const std::string many = folder.Copy(TemplatePath(), "many.xlsx");
    WriteManySheets(many, kMaxWorkbookSheets);
    auto workbook = Workbook::Open(many, WorkbookAccess::ReadOnly);
    ASSERT_TRUE(workbook) << workbook.error().message;
    EXPECT_EQ(workbook.value().sheets().size(), kMaxWorkbookSheets);
    EXPECT_TRUE(workbook.value().Worksheets("s10000"));

    const std::string absurd = folder.Copy(TemplatePath(), "absurd.xlsx");
    WriteManySheets(absurd, kMaxWorkbookSheets + 1);
    auto refused = Workbook::Open(absurd, WorkbookAccess::ReadOnly);
    ASSERT_FALSE(refused);
    EXPECT_THAT(refused.error().message, HasSubstr("more than 10000 sheets"));
}

TEST(HostileWorkbook, APartIsParsedOnceHoweverManySheetsNameIt) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "aliases.xlsx");
    WriteManySheets(path, 8);
    auto workbook = Workbook::Open(path);
    ASSERT_TRUE(workbook);
    auto first = workbook.value().Worksheets("S1");
    auto last = workbook.value().Worksheets("S8");
    ASSERT_TRUE(first && last);
    EXPECT_EQ(*first, *last);
    EXPECT_FALSE((*last)->SetNumber("J1", 8));
    EXPECT_EQ((*first)->Value("J1").number, 8);
    EXPECT_FALSE(workbook.value().Close(true));
}

// Sheet2, a worksheet whose part inflates to `bytes` of something that is not XML.
void AddBrokenSheet(const std::string& path, std::size_t bytes) {
    std::string workbook = TemplatePart("xl/workbook.xml");
    workbook.insert(workbook.find("</sheets>"),
                    "<sheet name=\"Sheet2\" sheetId=\"3\" r:id=\"rIdBroken\"/>");
    std::string rels = TemplatePart("xl/_rels/workbook.xml.rels");
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rIdBroken\" Type=\"http://schemas.openxmlformats.org/"
                "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet2.xml\"/>");
    EditZip(path, {{"xl/workbook.xml", workbook},
                   {"xl/_rels/workbook.xml.rels", rels},
                   {"xl/worksheets/sheet2.xml", std::string(bytes, 'x')}});
}

// The chart's series, each repeated `times` times, drawing from `sheet`.
std::string ChartWithSeries(std::size_t times, const std::string& sheet,
                            const std::string& yRange = "$C$4:$C$21") {
    std::string chart = TemplatePart("xl/charts/chart1.xml");
    const auto begin = chart.find("<c:ser>");
    const auto end = chart.rfind("</c:ser>") + 8;
    std::string series = chart.substr(begin, end - begin);
    for (const char column : std::string("CDEFGH"))
        ReplaceAll(series,
                   "Sheet1!$" + std::string(1, column) + "$4:$" + std::string(1, column) + "$21",
                   sheet + "!" + yRange);
    chart.replace(begin, end - begin, Repeat(series, times));
    return chart;
}

TEST(HostileWorkbook, AWorksheetThatFailsToLoadIsNotInflatedAgain) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "broken.xlsx");
    AddBrokenSheet(path, 30u << 20);
    EditZip(path, {{"xl/charts/chart1.xml", ChartWithSeries(20, "Sheet2")}});

    auto chart = ReadWorkbookChart(path);
    ASSERT_TRUE(chart) << chart.error().message;
    ASSERT_EQ(chart->series.size(), 120u);
    // The cache stands in for the sheet that cannot be read.
    EXPECT_EQ(chart->series.back().points.size(), 18u);
}

TEST(HostileWorkbook, WorkPerWorkbookIsBoundedWithAnErrorNamingIt) {
    ScratchFolder folder;
    // Twelve series of 100,000 cells each: every range within its own bound.
    const std::string cells = folder.Copy(TemplatePath(), "cells.xlsx");
    EditZip(cells, {{"xl/charts/chart1.xml", ChartWithSeries(2, "Sheet1", "$A$1:$A$100000")}});
    auto chart = ReadWorkbookChart(cells);
    ASSERT_FALSE(chart);
    EXPECT_THAT(chart.error().message, HasSubstr("more than 1000000 cells"));
    const std::string before = ReadBytes(cells);
    const auto exportError = ExportDiagram(cells, SampleData("."));
    ASSERT_TRUE(exportError);
    EXPECT_THAT(exportError->message, HasSubstr("cells"));
    EXPECT_EQ(ReadBytes(cells), before);

    // A small file whose worksheet is a million empty cells.
    const std::string nodes = folder.Copy(TemplatePath(), "nodes.xlsx");
    std::string sheet = TemplatePart("xl/worksheets/sheet1.xml");
    sheet.insert(sheet.find("</sheetData>"), "<row r=\"30\">" + Repeat("<c/>", 1000000) + "</row>");
    EditZip(nodes, {{"xl/worksheets/sheet1.xml", sheet}});
    EXPECT_LT(fs::file_size(nodes), 200000u);
    auto workbook = Workbook::Open(nodes, WorkbookAccess::ReadOnly);
    ASSERT_TRUE(workbook);
    auto loaded = workbook.value().Worksheets(1);
    ASSERT_FALSE(loaded);
    EXPECT_THAT(loaded.error().message, HasSubstr("XML elements"));

    // Parts that each stay under their own bound but not together.
    const std::string inflated = folder.Copy(TemplatePath(), "inflated.xlsx");
    std::string strings = TemplatePart("xl/sharedStrings.xml");
    strings.insert(strings.find("</sst>"), "<si><t>" + std::string(40u << 20, 'x') + "</t></si>");
    EditZip(inflated, {{"xl/sharedStrings.xml", strings},
                       {"xl/worksheets/sheet1.xml",
                        "<worksheet>" + std::string(30u << 20, ' ') + "</worksheet>"}});
    auto opened = Workbook::Open(inflated, WorkbookAccess::ReadOnly);
    ASSERT_TRUE(opened) << opened.error().message;
    auto large = opened.value().Worksheets(1);
    ASSERT_FALSE(large);
    EXPECT_THAT(large.error().message, HasSubstr("MiB together"));
}

struct MisdirectedChain {
    const char* target;   // relative to xl/
    const char* part;     // the part it resolves to
    bool declaredAsChain; // [Content_Types].xml claims the part is a calculation chain
};

TEST(HostileWorkbook, CalcChainRelationshipRemovesOnlyARealCalculationChain) {
    const MisdirectedChain cases[] = {
        {"worksheets/sheet1.xml", "xl/worksheets/sheet1.xml", false},
        {"charts/chart1.xml", "xl/charts/chart1.xml", false},
        {"_rels/workbook.xml.rels", "xl/_rels/workbook.xml.rels", false},
        {"../[Content_Types].xml", "[Content_Types].xml", false},
        {"worksheets/sheet1.xml", "xl/worksheets/sheet1.xml", true},
        {"drawings/drawing1.xml", "xl/drawings/drawing1.xml", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target + std::string(c.declaredAsChain ? " declared" : ""));
        ScratchFolder folder;
        const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
        std::string rels = TemplatePart("xl/_rels/workbook.xml.rels");
        rels.insert(rels.find("</Relationships>"),
                    std::string("<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats."
                                "org/officeDocument/2006/relationships/calcChain\" Target=\"") +
                        c.target + "\"/>");
        std::string types = TemplatePart("[Content_Types].xml");
        if (c.declaredAsChain)
            ReplaceAll(types, "<Override PartName=\"/" + std::string(c.part) + "\" ContentType=\"",
                       "<Override PartName=\"/" + std::string(c.part) +
                           "\" ContentType=\"application/"
                           "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\" X=\"");
        EditZip(path, {{"xl/_rels/workbook.xml.rels", rels}, {"[Content_Types].xml", types}});
        const auto partsBefore = ReadZip(path);

        const auto error = ExportDiagram(path, SampleData("."));
        ASSERT_FALSE(error) << error->message;
        const auto parts = ReadZip(path);
        for (const auto& [name, entry] : partsBefore)
            EXPECT_EQ(parts.count(name), 1u) << name;
        auto chart = ReadWorkbookChart(path);
        ASSERT_TRUE(chart) << chart.error().message;
        EXPECT_EQ(chart->series.size(), 6u);
        EXPECT_EQ(chart->series[0].points[0].second, SampleValue(1, 1));
    }
}

TEST(HostileWorkbook, ExportIntoSomethingOtherThanAFileIsRefused) {
    ScratchFolder folder;
    const std::string fifo = (folder.path() / "pipe.xlsx").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto error = ExportDiagramCopy(TemplatePath(), fifo, SampleData("."));
    ASSERT_TRUE(error);
    EXPECT_THAT(error->message, HasSubstr("is not a regular file"));
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    // Nothing else was left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(HostileWorkbook, PartsInAnotherEncodingAreWrittenBackAsUtf8) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "latin1.xlsx");
    std::string sheet = TemplatePart("xl/worksheets/sheet1.xml");
    ReplaceAll(sheet, "encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\"");
    sheet.insert(sheet.find("</row>"), "<c r=\"I1\" t=\"inlineStr\"><is><t>\xB0"
                                       "C</t></is></c>");
    EditZip(path, {{"xl/worksheets/sheet1.xml", sheet}});

    const auto error = ExportDiagram(path, SampleData("."));
    ASSERT_FALSE(error) << error->message;
    const std::string written = ReadZip(path).at("xl/worksheets/sheet1.xml").data;
    EXPECT_THAT(written, HasSubstr("encoding=\"UTF-8\""));
    EXPECT_THAT(written, HasSubstr("<t>\xC2\xB0"
                                   "C</t>"));
    auto workbook = Workbook::Open(path, WorkbookAccess::ReadOnly);
    ASSERT_TRUE(workbook);
    auto reread = workbook.value().Worksheets(1);
    ASSERT_TRUE(reread);
    EXPECT_EQ((*reread)->Value("I1").text, "\xC2\xB0"
                                           "C");
}

TEST(HostileWorkbook, SeriesIndexesOutsideAnyCountNameTheSeriesPlainly) {
    const std::pair<const char*, const char*> cases[] = {
        {"1e300", "Series1"}, {"-1e300", "Series1"}, {"2.5", "Series1"},
        {"nan", "Series1"},   {"4", "Series5"},
    };
    for (const auto& [index, name] : cases) {
        SCOPED_TRACE(index);
        ScratchFolder folder;
        const std::string path = folder.Copy(TemplatePath(), "index.xlsx");
        std::string chart = TemplatePart("xl/charts/chart1.xml");
        chart.replace(chart.find("<c:idx val=\"0\"/>"), 16,
                      std::string("<c:idx val=\"") + index + "\"/>");
        chart.erase(chart.find("<c:tx><c:v>Bare Pipe</c:v></c:tx>"), 33);
        EditZip(path, {{"xl/charts/chart1.xml", chart}});
        auto read = ReadWorkbookChart(path);
        ASSERT_TRUE(read) << read.error().message;
        EXPECT_EQ(read->series.at(0).name, name);
    }
}

} // namespace
} // namespace termiva::files
