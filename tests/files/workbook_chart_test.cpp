// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/diagram_export.h"
#include "files/workbook_chart.h"
#include "workbook_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace termiva::files {
namespace {

using ::testing::HasSubstr;
using namespace termiva::files::testing;

WorkbookChart ReadOrFail(const std::string& path) {
    auto chart = ReadWorkbookChart(path);
    if (!chart)
        throw std::runtime_error(chart.error().message);
    return std::move(chart).value();
}

std::vector<std::string> Names(const WorkbookChart& chart) {
    std::vector<std::string> names;
    for (const auto& series : chart.series)
        names.push_back(series.name);
    return names;
}

// The template as generated and as a spreadsheet application saves it again
// (which moves the chart from a chart sheet onto a worksheet of its own).
TEST(WorkbookChart, TemplateChartHasSixSeriesOverTheDiameters) {
    for (const std::string& path : {TemplatePath(), FixturePath("libreoffice_resaved.xlsx")}) {
        const WorkbookChart chart = ReadOrFail(path);
        EXPECT_EQ(chart.title, "") << path;
        EXPECT_EQ(chart.xAxisTitle, "Outside Pipe Diameter [mm]") << path;
        EXPECT_EQ(chart.yAxisTitle, "Heat Loss [W/m]") << path;
        EXPECT_EQ(Names(chart), (std::vector<std::string>{"Bare Pipe", "tins1", "tins2", "tins3",
                                                          "tins4", "tins5"}))
            << path;
        ASSERT_EQ(chart.series.size(), 6u);
        const std::string columns = "CDEFGH";
        for (std::size_t s = 0; s < chart.series.size(); ++s) {
            const auto& series = chart.series[s];
            EXPECT_EQ(series.xRange, "Sheet1!$B$4:$B$21");
            EXPECT_EQ(series.yRange,
                      std::string("Sheet1!$") + columns[s] + "$4:$" + columns[s] + "$21");
            ASSERT_EQ(series.points.size(), 18u) << path;
            EXPECT_EQ(series.points[0].first, 10);
            EXPECT_EQ(series.points[15].first, 800); // 700 mm has no line of its own
            EXPECT_EQ(series.points[17].first, 1000);
            for (std::size_t i = 1; i < series.points.size(); ++i)
                EXPECT_GT(series.points[i].second, series.points[i - 1].second)
                    << "losses grow with the diameter";
        }
        // More insulation, less loss.
        for (std::size_t s = 1; s < chart.series.size(); ++s)
            EXPECT_LT(chart.series[s].points[9].second, chart.series[s - 1].points[9].second);
    }
}

// The template carries each series' colour and marker, so the chart screen
// and a spreadsheet application draw them alike; a chart that sets none
// leaves them to the reader.
TEST(WorkbookChart, TemplateSeriesCarryTheirColourAndMarker) {
    const WorkbookChart chart = ReadOrFail(TemplatePath());
    ASSERT_EQ(chart.series.size(), kDiagramSeriesStyles.size());
    for (std::size_t i = 0; i < chart.series.size(); ++i) {
        EXPECT_EQ(chart.series[i].colour, kDiagramSeriesStyles[i].colour) << i;
        EXPECT_EQ(chart.series[i].marker, kDiagramSeriesStyles[i].marker) << i;
    }
}

TEST(WorkbookChart, UserEditedTitlesAndNamesAreRead) {
    const WorkbookChart chart = ReadOrFail(FixturePath("libreoffice_edited.xlsx"));
    EXPECT_EQ(chart.title, "Heat loss of pipes");
    EXPECT_EQ(chart.xAxisTitle, "Pipe OD [mm]");
    EXPECT_EQ(chart.yAxisTitle, "Loss per metre [W/m]");
    // tins1 takes its name from cell D2.
    EXPECT_EQ(Names(chart),
              (std::vector<std::string>{"Bare Pipe", "Insulation 1", "50 mm mineral wool", "tins3",
                                        "tins4", "tins5"}));
}

// The reader follows the cells, not the chart's cached copy of them.
TEST(WorkbookChart, SeriesFollowTheirCells) {
    ScratchFolder folder;
    const std::string path = folder.Copy(FixturePath("libreoffice_edited.xlsx"), "Edited.xlsx");
    {
        auto workbook = Workbook::Open(path);
        ASSERT_TRUE(workbook);
        auto sheet = workbook.value().Worksheets("Sheet1");
        ASSERT_TRUE(sheet);
        EXPECT_FALSE((*sheet)->SetText("D2", "Mineral wool 20 mm"));
        EXPECT_FALSE((*sheet)->SetText("C5", "-")); // a text among the losses
        EXPECT_FALSE((*sheet)->SetNumber("B21", 1200));
        EXPECT_FALSE(workbook.value().Close(true));
    }
    const WorkbookChart chart = ReadOrFail(path);
    ASSERT_EQ(chart.series.size(), 6u);
    EXPECT_EQ(chart.series[1].name, "Mineral wool 20 mm");
    EXPECT_EQ(chart.series[0].points.size(), 17u);
    EXPECT_EQ(chart.series[0].points[1].first, 30);
    EXPECT_EQ(chart.series[1].points.size(), 18u);
    EXPECT_EQ(chart.series[1].points.back().first, 1200);

    // The rebuilt caches say the same, for readers that draw from them.
    const std::string xml = ReadZip(path).at("xl/charts/chart1.xml").data;
    EXPECT_THAT(xml, HasSubstr("<c:f>Sheet1!$D$2</c:f><c:strCache><c:ptCount val=\"1\"/><c:pt "
                               "idx=\"0\"><c:v>Mineral wool 20 mm</c:v></c:pt></c:strCache>"));
    EXPECT_THAT(xml, HasSubstr("<c:pt idx=\"0\"><c:v>96.43</c:v></c:pt><c:pt idx=\"2\">"));
    EXPECT_THAT(xml, HasSubstr("<c:pt idx=\"17\"><c:v>1200</c:v></c:pt>"));
}

// Where a range points at no sheet of the workbook, the cached values stand in.
TEST(WorkbookChart, UnresolvableRangeFallsBackToTheCache) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    std::string xml = ReadZip(path).at("xl/charts/chart1.xml").data;
    for (auto at = xml.find("<c:f>Sheet1!$C$4"); at != std::string::npos;
         at = xml.find("<c:f>Sheet1!$C$4"))
        xml.replace(at, 12, "<c:f>Gone!");
    EditZip(path, {{"xl/charts/chart1.xml", xml}});
    const WorkbookChart chart = ReadOrFail(path);
    ASSERT_EQ(chart.series.size(), 6u);
    EXPECT_EQ(chart.series[0].yRange, "Gone!$C$4:$C$21");
    ASSERT_EQ(chart.series[0].points.size(), 18u);
    EXPECT_DOUBLE_EQ(chart.series[0].points[0].second, 96.43);
}

TEST(WorkbookChart, WorkbookWithoutChartIsAnError) {
    ScratchFolder folder;
    const std::string path = folder.Copy(TemplatePath(), "Template.xlsx");
    EditZip(path, {{"xl/charts/chart1.xml", std::nullopt}});
    auto chart = ReadWorkbookChart(path);
    ASSERT_FALSE(chart);
    EXPECT_THAT(chart.error().message, HasSubstr(path));
    EXPECT_THAT(chart.error().message, HasSubstr("has no chart"));

    auto missing = ReadWorkbookChart(folder.path().string() + "/none.xlsx");
    ASSERT_FALSE(missing);
    EXPECT_THAT(missing.error().message, HasSubstr("does not exist"));
}

} // namespace
} // namespace termiva::files
