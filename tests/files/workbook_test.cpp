// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/diagram_export.h"
#include "files/workbook.h"
#include "workbook_test_support.h"

#include <csignal>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <regex>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace termiva::files {
namespace {

using ::testing::HasSubstr;
using namespace termiva::files::testing;

Workbook OpenOrFail(const std::string& path, WorkbookAccess access = WorkbookAccess::ReadWrite) {
    auto workbook = Workbook::Open(path, access);
    if (!workbook)
        throw std::runtime_error(workbook.error().message);
    return std::move(workbook).value();
}

Worksheet& FirstSheet(Workbook& workbook) {
    auto sheet = workbook.Worksheets(1);
    if (!sheet)
        throw std::runtime_error(sheet.error().message);
    return **sheet;
}

TEST(Workbook, TemplateHasTheChartSheetFirstAndItsHeadings) {
    Workbook workbook = OpenOrFail(TemplatePath(), WorkbookAccess::ReadOnly);
    ASSERT_GE(workbook.sheets().size(), 2u);
    EXPECT_EQ(workbook.sheets()[0].name, "Chart1");
    EXPECT_EQ(workbook.sheets()[0].kind, SheetKind::Chartsheet);
    EXPECT_EQ(workbook.WorksheetNames(), std::vector<std::string>{"Sheet1"});

    Worksheet& sheet = FirstSheet(workbook);
    EXPECT_EQ(sheet.name(), "Sheet1");
    const std::vector<std::string> headings{"Outside Diameter of Pipe",
                                            "Bare Pipe",
                                            "Insulation 1",
                                            "Insulation 2",
                                            "Insulation 3",
                                            "Insulation 4",
                                            "Insulation 5"};
    const std::string columns = "BCDEFGH";
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::string column(1, columns[c]);
        EXPECT_EQ(sheet.Value(column + "2").text, headings[c]) << column;
        EXPECT_EQ(sheet.Value(column + "3").text, c == 0 ? "mm" : "W/m") << column;
    }
    EXPECT_EQ(sheet.Value("B1").kind, CellValue::Kind::Text);
    EXPECT_EQ(sheet.Value("B1").text, "143");
    EXPECT_EQ(sheet.Value("C1").kind, CellValue::Kind::Empty);
    EXPECT_EQ(sheet.Value("H1").number, 150);
    EXPECT_EQ(sheet.Value("B19").number, 800);
    EXPECT_EQ(sheet.Value("B21").number, 1000);
    EXPECT_EQ(sheet.Value("B22").kind, CellValue::Kind::Empty);
    EXPECT_EQ(sheet.lastRow(), 21);
    EXPECT_EQ(sheet.lastColumn(), 8);
}

// Edits in every position relative to the existing cells, then read back after saving.
TEST(Workbook, EditedCellsReadBackInPositionOrder) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string awkward = " <tab>\t&\"quoted\" _x0041_ \x01 \xC3\xA9 ";
    {
        Workbook workbook = OpenOrFail(path);
        Worksheet& sheet = FirstSheet(workbook);
        EXPECT_FALSE(sheet.SetText("B1", awkward));
        EXPECT_FALSE(sheet.SetNumber("A1", -0.1));
        EXPECT_FALSE(sheet.SetNumber("C1", 1e-300));
        EXPECT_FALSE(sheet.SetText("D1", "twenty"));
        EXPECT_FALSE(sheet.SetNumber("$Z$100", 12345.678));
        EXPECT_FALSE(sheet.SetNumber("a50", 3));
        EXPECT_FALSE(sheet.SetNumber("B2", 2)); // was a shared string
        EXPECT_FALSE(workbook.Close(true));
    }
    Workbook workbook = OpenOrFail(path, WorkbookAccess::ReadOnly);
    Worksheet& sheet = FirstSheet(workbook);
    EXPECT_EQ(sheet.Value("B1").text, awkward);
    EXPECT_EQ(sheet.Value("A1").number, -0.1);
    EXPECT_EQ(sheet.Value("C1").number, 1e-300);
    EXPECT_EQ(sheet.Value("D1").kind, CellValue::Kind::Text);
    EXPECT_EQ(sheet.Value("D1").text, "twenty");
    EXPECT_EQ(sheet.Value("Z100").number, 12345.678);
    EXPECT_EQ(sheet.Value("A50").number, 3);
    EXPECT_EQ(sheet.Value("B2").kind, CellValue::Kind::Number);
    EXPECT_EQ(sheet.Value("E1").number, 50);

    const std::string xml = ReadZip(path).at("xl/worksheets/sheet1.xml").data;
    EXPECT_THAT(xml, HasSubstr("<dimension ref=\"A1:Z100\"/>"));
    EXPECT_THAT(xml, HasSubstr("<c r=\"B1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">"));
    EXPECT_THAT(xml, HasSubstr("<c r=\"A1\"><v>-0.1</v></c><c r=\"B1\""));
    EXPECT_THAT(xml, HasSubstr("<c r=\"B2\" s=\"1\"><v>2</v></c>"));
    std::size_t last = 0;
    for (const std::string cell : {"r=\"A1\"", "r=\"B1\"", "r=\"C1\"", "r=\"D1\"", "r=\"E1\"",
                                   "r=\"H21\"", "r=\"A50\"", "r=\"Z100\""}) {
        const auto at = xml.find(cell);
        ASSERT_NE(at, std::string::npos) << cell;
        EXPECT_GT(at, last) << cell;
        last = at;
    }
    EXPECT_THAT(xml.substr(0, xml.find("<row r=\"2\"")), ::testing::Not(HasSubstr("spans")));
}

// Writers differ: rich-text runs with phonetic guides in shared strings,
// namespace prefixes on every element.
TEST(Workbook, ReadsAndEditsOtherWritersForms) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    auto parts = ReadZip(path);
    std::string strings = parts.at("xl/sharedStrings.xml").data;
    const std::string plain = "<si><t>Outside Diameter of Pipe</t></si>";
    ASSERT_NE(strings.find(plain), std::string::npos);
    strings.replace(
        strings.find(plain), plain.size(),
        "<si><r><t>Outside </t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">Diameter "
        "of Pipe</t></r><rPh sb=\"0\" eb=\"1\"><t>X</t></rPh></si>");
    const std::string sheet =
        std::regex_replace(std::regex_replace(parts.at("xl/worksheets/sheet1.xml").data,
                                              std::regex("<(/?)([A-Za-z][A-Za-z0-9]*)"), "<$1x:$2"),
                           std::regex("xmlns="), "xmlns:x=");
    EditZip(path, {{"xl/sharedStrings.xml", strings}, {"xl/worksheets/sheet1.xml", sheet}});
    {
        Workbook workbook = OpenOrFail(path);
        Worksheet& first = FirstSheet(workbook);
        EXPECT_EQ(first.Value("B2").text, "Outside Diameter of Pipe");
        EXPECT_EQ(first.Value("C4").number, 96.43);
        EXPECT_FALSE(first.SetNumber("B30", 5));
        EXPECT_FALSE(first.SetText("C4", "gone"));
        EXPECT_FALSE(workbook.Close(true));
    }
    Workbook workbook = OpenOrFail(path, WorkbookAccess::ReadOnly);
    EXPECT_EQ(FirstSheet(workbook).Value("B30").number, 5);
    EXPECT_EQ(FirstSheet(workbook).Value("C4").text, "gone");
    const std::string xml = ReadZip(path).at("xl/worksheets/sheet1.xml").data;
    EXPECT_THAT(xml, HasSubstr("<x:row r=\"30\"><x:c r=\"B30\"><x:v>5</x:v></x:c></x:row>"));
    EXPECT_THAT(xml, HasSubstr("<x:c r=\"C4\" t=\"inlineStr\"><x:is><x:t>gone</x:t></x:is></x:c>"));
}

TEST(Workbook, MalformedAddressesAndValuesAreRefused) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string before = ReadBytes(path);
    Workbook workbook = OpenOrFail(path);
    Worksheet& sheet = FirstSheet(workbook);
    for (const std::string address : {"", "1B", "B", "B0", "XFE1", "B1048577", "B1 ", "Sheet1!B1"})
        EXPECT_TRUE(sheet.SetNumber(address, 1)) << address;
    EXPECT_TRUE(sheet.SetNumber("B4", std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(sheet.SetNumber("B4", std::numeric_limits<double>::infinity()));
    auto invalid = sheet.SetText("B1", "\xC3\x28");
    ASSERT_TRUE(invalid);
    EXPECT_THAT(invalid->message, HasSubstr("UTF-8"));
    EXPECT_FALSE(workbook.Close(true)); // nothing changed: nothing written
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(Workbook, CloseWithoutSavingLeavesTheFileAsItWas) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string before = ReadBytes(path);
    Workbook workbook = OpenOrFail(path);
    EXPECT_FALSE(FirstSheet(workbook).SetNumber("B4", 1));
    EXPECT_FALSE(workbook.Close(false));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_TRUE(workbook.Close(true)); // already closed
}

TEST(Workbook, ReadOnlyAccessRefusesToSave) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string before = ReadBytes(path);
    Workbook workbook = OpenOrFail(path, WorkbookAccess::ReadOnly);
    EXPECT_FALSE(FirstSheet(workbook).SetNumber("B4", 1));
    EXPECT_TRUE(workbook.Close(true));
    EXPECT_EQ(ReadBytes(path), before);
}

// Every part but the edited worksheet and the chart it feeds is copied as it was.
TEST(Workbook, UntouchedPartsStayByteIdentical) {
    for (const std::string& source : {TemplatePath(), FixturePath("libreoffice_resaved.xlsx")}) {
        ScratchFolder folder;
        const std::string path = folder.Copy(source, "Template.xlsx");
        const auto before = ReadZip(path);
        ASSERT_FALSE(ExportDiagram(path, SampleData(".")));
        const auto after = ReadZip(path);
        ASSERT_EQ(after.size(), before.size()) << source;
        std::vector<std::string> changed;
        for (const auto& [name, entry] : before) {
            const auto& now = after.at(name);
            if (now.data != entry.data || now.crc != entry.crc || now.compSize != entry.compSize)
                changed.push_back(name);
        }
        const std::string sheet =
            source == TemplatePath() ? "xl/worksheets/sheet1.xml" : "xl/worksheets/sheet2.xml";
        EXPECT_EQ(changed, (std::vector<std::string>{"xl/charts/chart1.xml", sheet})) << source;
    }
}

TEST(Workbook, OverwritingAFormulaDropsItAndAsksForRecalculation) {
    ScratchFolder folder;
    const std::string path = folder.Copy(FixturePath("libreoffice_edited.xlsx"), "Edited.xlsx");
    {
        Workbook workbook = OpenOrFail(path);
        auto sheet = workbook.Worksheets("sheet1");
        ASSERT_TRUE(sheet) << sheet.error().message;
        EXPECT_EQ((*sheet)->Value("D1").number, 20); // the formula's cached result
        EXPECT_FALSE((*sheet)->SetNumber("D1", 25));
        EXPECT_FALSE(workbook.Close(true));
    }
    const auto parts = ReadZip(path);
    const std::string& sheet = parts.at("xl/worksheets/sheet2.xml").data;
    EXPECT_THAT(sheet, HasSubstr("<c r=\"D1\" s=\"1\"><v>25</v></c>"));
    EXPECT_THAT(sheet, HasSubstr("MAX(C4:C21)</f>"));
    EXPECT_THAT(parts.at("xl/workbook.xml").data, HasSubstr("fullCalcOnLoad=\"1\""));
}

// A calculation chain lists formula cells; after an edit it is dropped with
// its relationship and content type, as the spreadsheet rebuilds it.
TEST(Workbook, CalculationChainIsRemoved) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    auto parts = ReadZip(path);
    std::string rels = parts.at("xl/_rels/workbook.xml.rels").data;
    rels.insert(rels.find("</Relationships>"),
                "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/"
                "officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/>");
    std::string types = parts.at("[Content_Types].xml").data;
    types.insert(types.find("</Types>"),
                 "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>");
    std::string sheet = parts.at("xl/worksheets/sheet1.xml").data;
    sheet.replace(sheet.find("<c r=\"C4\"><v>"), 13, "<c r=\"C4\"><f>B4*2</f><v>");
    EditZip(path, {{"xl/calcChain.xml",
                    "<?xml version=\"1.0\"?><calcChain xmlns=\"http://schemas.openxmlformats.org/"
                    "spreadsheetml/2006/main\"><c r=\"C4\" i=\"2\"/></calcChain>"},
                   {"xl/_rels/workbook.xml.rels", rels},
                   {"[Content_Types].xml", types},
                   {"xl/worksheets/sheet1.xml", sheet}});

    ASSERT_FALSE(ExportDiagram(path, SampleData(".")));
    parts = ReadZip(path);
    EXPECT_EQ(parts.count("xl/calcChain.xml"), 0u);
    EXPECT_THAT(parts.at("xl/_rels/workbook.xml.rels").data,
                ::testing::Not(HasSubstr("calcChain")));
    EXPECT_THAT(parts.at("[Content_Types].xml").data, ::testing::Not(HasSubstr("calcChain")));
    EXPECT_THAT(parts.at("xl/worksheets/sheet1.xml").data, ::testing::Not(HasSubstr("<f>")));
    EXPECT_THAT(parts.at("xl/workbook.xml").data, HasSubstr("fullCalcOnLoad=\"1\""));
    EXPECT_TRUE(Workbook::Open(path));
}

struct BadWorkbook {
    const char* name;
    std::function<void(const std::string& path)> make; // turns a copy of the template bad
    const char* problem;                               // in the message
};

const std::vector<BadWorkbook>& BadWorkbooks() {
    static const std::vector<BadWorkbook> cases{
        {"missing", [](const std::string& path) { std::filesystem::remove(path); },
         "does not exist"},
        {"folder",
         [](const std::string& path) {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         },
         "is a folder"},
        {"text file", [](const std::string& path) { WriteBytes(path, "B1;143\nD1;20\n"); },
         "is not a workbook"},
        {"empty file", [](const std::string& path) { WriteBytes(path, ""); }, "is not a workbook"},
        {"truncated",
         [](const std::string& path) {
             const std::string bytes = ReadBytes(path);
             WriteBytes(path, bytes.substr(0, bytes.size() / 2));
         },
         "is damaged"},
        {"zip without workbook",
         [](const std::string& path) {
             EditZip(path, {{"_rels/.rels", std::nullopt}, {"xl/workbook.xml", std::nullopt}});
         },
         "has no workbook part"},
        {"no worksheet",
         [](const std::string& path) {
             std::string xml = ReadZip(path).at("xl/workbook.xml").data;
             xml.erase(xml.find("<sheet name=\"Sheet1\""),
                       xml.find("</sheets>") - xml.find("<sheet name=\"Sheet1\""));
             EditZip(path, {{"xl/workbook.xml", xml}});
         },
         "has no worksheet"},
        {"worksheet part missing",
         [](const std::string& path) {
             EditZip(path, {{"xl/worksheets/sheet1.xml", std::nullopt}});
         },
         "xl/worksheets/sheet1.xml is missing"},
        {"worksheet not XML",
         [](const std::string& path) {
             EditZip(path, {{"xl/worksheets/sheet1.xml", "<worksheet><sheetData>"}});
         },
         "is not valid XML"},
        {"no chart",
         [](const std::string& path) {
             EditZip(path, {{"xl/charts/chart1.xml", std::nullopt}});
         },
         "has no chart"},
        {"zip bomb",
         [](const std::string& path) {
             // Compresses to a few dozen kilobytes, inflates past the bound.
             std::string huge = "<worksheet><sheetData/>";
             huge.append(kMaxWorkbookPartSize, ' ');
             huge += "</worksheet>";
             EditZip(path, {{"xl/worksheets/sheet1.xml", huge}});
         },
         "unpacks to more than 50 MiB"},
        {"zip bomb that lies about its size",
         [](const std::string& path) {
             std::string huge = "<worksheet><sheetData/>";
             huge.append(kMaxWorkbookPartSize, ' ');
             huge += "</worksheet>";
             EditZip(path, {{"xl/worksheets/sheet1.xml", huge}});
             ClaimEntrySize(path, "xl/worksheets/sheet1.xml", 1000);
         },
         "unpacks to more than 50 MiB"},
        {"shared strings bomb",
         [](const std::string& path) {
             EditZip(path, {{"xl/sharedStrings.xml", std::string(kMaxWorkbookPartSize + 1, 'x')}});
         },
         "unpacks to more than 50 MiB"},
    };
    return cases;
}

// Each bad workbook is told apart by its message, and the export leaves it as it was.
TEST(Workbook, BadWorkbooksGiveAMessageAndStayWhole) {
    for (const BadWorkbook& bad : BadWorkbooks()) {
        ScratchFolder folder;
        const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
        bad.make(path);
        const bool isFile = std::filesystem::is_regular_file(path);
        const std::string before = isFile ? ReadBytes(path) : std::string();

        auto error = ExportDiagram(path, SampleData("."));
        ASSERT_TRUE(error) << bad.name;
        EXPECT_THAT(error->message, HasSubstr("\"" + path + "\"")) << bad.name;
        EXPECT_THAT(error->message, HasSubstr(bad.problem)) << bad.name;
        if (isFile) {
            EXPECT_EQ(ReadBytes(path), before) << bad.name;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                                std::filesystem::directory_iterator()),
                  bad.name == std::string("missing") ? 0 : 1)
            << bad.name << ": a temporary file was left";
    }
}

// A disk that fills up while saving (a file size limit the write runs into).
TEST(Workbook, FailedSaveLeavesThePreviousWorkbookWhole) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    const std::string before = ReadBytes(path);
    Workbook workbook = OpenOrFail(path);
    ASSERT_FALSE(FirstSheet(workbook).SetText("B1", "150"));

    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    auto error = workbook.Close(true);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(error);
    EXPECT_THAT(error->message, HasSubstr("could not be saved"));
    EXPECT_THAT(error->message, HasSubstr(path));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Workbook, ReadOnlyFileOrFolderIsRefusedBeforeAnyWork) {
    struct Case {
        const char* name;
        std::filesystem::perms folder, file;
        const char* problem;
    };
    using P = std::filesystem::perms;
    const P readable = P::owner_read | P::group_read | P::others_read;
    const P all = P::owner_all | P::group_all | P::others_all;
    const P listable = readable | P::owner_exec | P::group_exec | P::others_exec;
    for (const Case& c : {Case{"read-only file", all, readable, "is read-only"},
                          Case{"read-only folder", listable, all, "its folder"}}) {
        ScratchFolder folder;
        const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
        const std::string before = ReadBytes(path);
        std::filesystem::permissions(path, c.file);
        std::filesystem::permissions(folder.path(), c.folder);
        const int result = RunWithoutPrivileges([&] {
            auto error = ExportDiagram(path, SampleData("."));
            if (!error || error->message.find(c.problem) == std::string::npos ||
                error->message.find(path) == std::string::npos) {
                std::fprintf(stderr, "%s: %s\n", c.name, error ? error->message.c_str() : "saved");
                return 1;
            }
            return 0;
        });
        std::filesystem::permissions(folder.path(), P::owner_all,
                                     std::filesystem::perm_options::add);
        EXPECT_EQ(result, 0) << c.name;
        EXPECT_EQ(ReadBytes(path), before) << c.name;
    }
}

} // namespace
} // namespace termiva::files
