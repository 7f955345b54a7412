// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc.h"
#include "engine/single_pipe.h"
#include "engine/value_flags.h"
#include "files/workbook.h"
#include "support/version.h"
#include "text/number_text.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace termiva::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kExamples = TERMIVA_EXAMPLES;
const std::string kSinglePipe = kExamples + "/single-pipe.insp";
const std::string kVessel = kExamples + "/vessel.inv";
const std::string kPipes = kExamples + "/multiple-pipes.inmp";
const std::string kTemplate = TERMIVA_TEMPLATE;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCalc(const std::vector<std::string>& args, std::string_view separator = ".",
                const std::string& programFolder = {}) {
    std::ostringstream out, err;
    int status = Run(args, out, err, separator, programFolder);
    return {status, out.str(), err.str()};
}

// The numbers of a plain output, in reading order.
std::vector<std::string> Numbers(const std::string& output, std::string_view separator) {
    std::vector<std::string> numbers;
    std::istringstream in(output);
    for (std::string token; in >> token;) {
        if (text::IsNumber(token, separator))
            numbers.push_back(token);
    }
    return numbers;
}

std::vector<json> JsonLines(const std::string& output) {
    std::vector<json> objects;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        objects.push_back(json::parse(line));
    return objects;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> Keys(const json& object) {
    std::set<std::string> keys;
    for (const auto& item : object.items())
        keys.insert(item.key());
    return keys;
}

class CalcTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "termiva-calc-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A file of CR LF lines in the test's folder.
    std::string file(const std::string& name, const std::vector<std::string>& lines) {
        std::string path = (fs::path(dir_) / name).string();
        std::ofstream out(path, std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\r\n";
        return path;
    }

    std::vector<std::string> singlePipeLines(const std::string& k = "0.07") {
        return {"Insulation single pipe file",
                "1",
                "143",
                "20",
                k,
                "0.95",
                "1",
                "20",
                "50",
                "75",
                "100",
                "150"};
    }

    std::vector<std::string> pipesLines() {
        std::vector<std::string> lines = {
            "Insulation more pipes file", "25", "150", "25", "0.05", "0.90", "1"};
        lines.resize(46);
        return lines;
    }

    std::string dir_;
};

TEST_F(CalcTest, ExamplesShowTheScreensResults) {
    Outcome single = RunCalc({kSinglePipe});
    EXPECT_EQ(single.status, kExitOk) << single.err;
    EXPECT_EQ(Numbers(single.out, "."),
              (std::vector<std::string>{"225.22", "143.0", "49.55", "40.3", "32.42", "28.6",
                                        "27.39", "25.6", "24.50", "24.1", "21.18", "22.7"}));

    // A heading above each column.
    EXPECT_NE(single.out.find("  Heat Loss [W/m]  Tsurface [oC]\n"), std::string::npos)
        << single.out;

    Outcome vessel = RunCalc({kVessel});
    EXPECT_EQ(vessel.status, kExitOk) << vessel.err;
    EXPECT_NE(vessel.out.find("  Heat Loss [W]  Tsurface [oC]\n"), std::string::npos) << vessel.out;
    EXPECT_NE(vessel.out.find("vessel, Rectangular"), std::string::npos) << vessel.out;
    EXPECT_EQ(Numbers(vessel.out, "."),
              (std::vector<std::string>{"19711.7", "150.0", "2485.8", "44.5", "1171.0", "31.8",
                                        "838.2", "28.3", "665.5", "26.3"}));

    Outcome pipes = RunCalc({kPipes});
    EXPECT_EQ(pipes.status, kExitOk) << pipes.err;
    EXPECT_EQ(
        Numbers(pipes.out, "."),
        (std::vector<std::string>{"32", "42.4", "37290", "4896.4", "50", "60.3", "20757", "2557.4",
                                  "100", "114.3", "29191", "3344.2", "87.24", "10.80"}));
    EXPECT_TRUE(pipes.err.empty());
}

TEST_F(CalcTest, JsonCarriesFullPrecisionUnderFixedKeys) {
    Outcome outcome = RunCalc({"--json", kSinglePipe, kVessel, kPipes});
    ASSERT_EQ(outcome.status, kExitOk) << outcome.out;
    std::vector<json> objects = JsonLines(outcome.out);
    ASSERT_EQ(objects.size(), 3u);

    const json& single = objects[0];
    EXPECT_EQ(Keys(single), (std::set<std::string>{"file", "kind", "heat_loss",
                                                   "surface_temperature", "outside_air_data"}));
    EXPECT_EQ(single["file"], kSinglePipe);
    EXPECT_EQ(single["kind"], "single-pipe");
    SinglePipeInput input{{143, 20, 0.07, 0.95, 1}, 26.9, {20, 50, 75, 100, 150}};
    auto direct = SinglePipeHeatLoss(input);
    ASSERT_TRUE(direct);
    EXPECT_EQ(single["heat_loss"].get<std::vector<double>>(),
              std::vector<double>(direct->HeatLoss.begin(), direct->HeatLoss.end()));
    EXPECT_EQ(single["surface_temperature"].get<std::vector<double>>(),
              std::vector<double>(direct->Tsurface.begin(), direct->Tsurface.end()));

    const json& vessel = objects[1];
    EXPECT_EQ(Keys(vessel),
              (std::set<std::string>{"file", "kind", "shape", "heat_loss", "surface_temperature",
                                     "outside_air_data", "approximate", "imbalance"}));
    EXPECT_EQ(vessel["kind"], "vessel");
    EXPECT_EQ(vessel["shape"], 1);
    EXPECT_EQ(vessel["heat_loss"].size(), 5u);
    EXPECT_NEAR(vessel["heat_loss"][0].get<double>(), 19711.7, 0.05);

    const json& pipes = objects[2];
    EXPECT_EQ(Keys(pipes), (std::set<std::string>{"file", "kind", "rows", "bare_total",
                                                  "insulated_total", "bare_total_outside_air_data",
                                                  "insulated_total_outside_air_data"}));
    EXPECT_EQ(pipes["kind"], "multiple-pipes");
    ASSERT_EQ(pipes["rows"].size(), 3u);
    const json& row = pipes["rows"][0];
    EXPECT_EQ(Keys(row),
              (std::set<std::string>{"row", "nominal", "outside_diameter", "bare", "insulated",
                                     "bare_outside_air_data", "insulated_outside_air_data"}));
    EXPECT_EQ(row["row"], 15);
    EXPECT_NE(row.dump().find("\"nominal\":32,"), std::string::npos); // an integer, no ".0"
    EXPECT_EQ(row["nominal"], 32);
    EXPECT_EQ(row["outside_diameter"], 42.4);
    EXPECT_NEAR(row["bare"].get<double>(), 37290, 0.5);
    EXPECT_EQ(pipes["rows"][1]["row"], 17);
    EXPECT_EQ(pipes["rows"][2]["row"], 20);
    EXPECT_NEAR(pipes["bare_total"].get<double>(), 87240, 5);
    EXPECT_NEAR(pipes["insulated_total"].get<double>(), 10800, 5);
}

TEST_F(CalcTest, TableGivesTheNineteenDiameters) {
    Outcome asJson = RunCalc({"--json", "--table", kSinglePipe, kVessel});
    ASSERT_EQ(asJson.status, kExitOk) << asJson.out;
    std::vector<json> objects = JsonLines(asJson.out);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(Keys(objects[0]),
              (std::set<std::string>{"file", "kind", "rows", "outside_air_data"}));
    EXPECT_EQ(objects[0]["kind"], "diameter-table");
    ASSERT_EQ(objects[0]["rows"].size(), 19u);
    for (const auto& row : objects[0]["rows"])
        EXPECT_EQ(row.size(), 7u);
    EXPECT_EQ(objects[0]["rows"][0][0], 10);
    EXPECT_EQ(objects[0]["rows"][18][0], 1000);
    EXPECT_EQ(objects[1]["kind"], "vessel"); // other kinds keep their results

    Outcome plain = RunCalc({"--table", kSinglePipe});
    ASSERT_EQ(plain.status, kExitOk);
    std::vector<std::string> numbers = Numbers(plain.out, ".");
    ASSERT_EQ(numbers.size(), 19u * 7u);
    EXPECT_EQ(numbers[0], "10");
    EXPECT_EQ(numbers[std::size_t{7} * 18], "1000");
}

// A bare pipe at 800 °C: its values are marked with "*" and explained once;
// the insulated ones (surfaces far below 600 °C) are not. --json says the
// same per value. The test data carry no mark under either separator.
TEST_F(CalcTest, ValuesBeyondTheAirDataAreMarked) {
    std::vector<std::string> hot = singlePipeLines();
    hot[2] = "800";
    const std::string path = file("hot.insp", hot);
    Outcome plain = RunCalc({path});
    ASSERT_EQ(plain.status, kExitOk) << plain.err;
    EXPECT_NE(plain.out.find(" 8918.83*         800.0*\n"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find(" 331.92          112.1\n"), std::string::npos) << plain.out;
    const std::string footnote = "  * Marked values use air properties beyond 550 °C (film) / 600 "
                                 "°C (surface) and can be far off.\n";
    EXPECT_EQ(plain.out.substr(plain.out.size() - footnote.size()), footnote);

    Outcome asJson = RunCalc({"--json", path});
    EXPECT_EQ(JsonLines(asJson.out)[0]["outside_air_data"],
              json::parse("[true, false, false, false, false, false]"));
    Outcome table = RunCalc({"--json", "--table", path});
    const json cells = JsonLines(table.out)[0]["outside_air_data"];
    ASSERT_EQ(cells.size(), 19u);
    EXPECT_EQ(cells[18], json::parse("[false, true, false, false, false, false, false]"));

    for (const char* separator : {".", ","}) {
        std::vector<std::string> lines = singlePipeLines(std::string("0") + separator + "07");
        lines[5] = std::string("0") + separator + "95";
        Outcome cool = RunCalc({file("cool.insp", lines)}, separator);
        EXPECT_EQ(cool.status, kExitOk) << cool.err;
        EXPECT_EQ(cool.out.find('*'), std::string::npos) << cool.out;
    }
    Outcome others = RunCalc({kVessel, kPipes});
    EXPECT_EQ(others.out.find('*'), std::string::npos) << others.out;

    std::vector<std::string> bright = singlePipeLines();
    bright[5] = "1.2";
    Outcome refused = RunCalc({file("bright.insp", bright)});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_NE(refused.err.find("Emissivity of Outside Surface (e) [-] must not be greater than 1."),
              std::string::npos)
        << refused.err;

    hot[2] = "900"; // the arithmetic fails: the message says why
    Outcome failed = RunCalc({file("hotter.insp", hot)});
    EXPECT_EQ(failed.status, kExitFailed);
    EXPECT_NE(failed.err.find(kBeyondAirDataMessage), std::string::npos) << failed.err;
}

TEST_F(CalcTest, CommaSeparator) {
    std::vector<std::string> lines = singlePipeLines("0,07");
    lines[5] = "0,95";
    Outcome outcome = RunCalc({file("comma.insp", lines)}, ",");
    ASSERT_EQ(outcome.status, kExitOk) << outcome.err;
    std::vector<std::string> numbers = Numbers(outcome.out, ",");
    ASSERT_EQ(numbers.size(), 12u);
    EXPECT_EQ(numbers[0], "225,22"); // D2 = "26,9" from the list entry
    EXPECT_EQ(numbers[8], "24,50");

    // A file saved under the point reads the same under the comma.
    Outcome point = RunCalc({kSinglePipe}, ",");
    ASSERT_EQ(point.status, kExitOk) << point.err;
    EXPECT_EQ(Numbers(point.out, ",")[0], "225,22");
}

// A file saved under the comma gives the same numbers under the point; texts
// that loading has to change are named, and the file is not computed.
TEST_F(CalcTest, LoadingReadsTheOtherSeparatorAndNamesChangedFields) {
    std::vector<std::string> comma = singlePipeLines("0,07");
    comma[2] = "143,5";
    comma[5] = "0,95";
    std::vector<std::string> point = singlePipeLines("0.07");
    point[2] = "143.5";
    Outcome fromComma = RunCalc({"--json", file("comma.insp", comma)});
    Outcome fromPoint = RunCalc({"--json", file("point.insp", point)});
    ASSERT_EQ(fromComma.status, kExitOk) << fromComma.err;
    EXPECT_EQ(JsonLines(fromComma.out)[0]["heat_loss"], JsonLines(fromPoint.out)[0]["heat_loss"]);
    EXPECT_GT(JsonLines(fromComma.out)[0]["heat_loss"][0].get<double>(), 220);

    std::vector<std::string> lines = singlePipeLines("0.07abc");
    lines[2] = "143x";
    const std::string typed = file("typed.insp", lines);
    Outcome filtered = RunCalc({typed});
    EXPECT_EQ(filtered.status, kExitFailed);
    EXPECT_TRUE(filtered.out.empty()) << filtered.out;
    EXPECT_NE(filtered.err.find("termiva-calc: " + typed + ": Loading changed"), std::string::npos)
        << filtered.err;
    EXPECT_NE(filtered.err.find("(T1) [oC]: \"143x\" became \"143\""), std::string::npos)
        << filtered.err;
    EXPECT_NE(filtered.err.find("\"0.07abc\" became \"0.07\""), std::string::npos) << filtered.err;
    Outcome clean = RunCalc({"--json", kSinglePipe});

    // Lines 13 and 14 win over the list entry's diameters.
    std::vector<std::string> nd50 = singlePipeLines();
    nd50[1] = "5";
    std::vector<std::string> own = singlePipeLines();
    own.push_back("50");
    own.push_back("60.3");
    Outcome fromList = RunCalc({"--json", file("nd50.insp", nd50)});
    Outcome fromLines = RunCalc({"--json", file("own.insp", own)});
    EXPECT_EQ(JsonLines(fromList.out)[0]["heat_loss"], JsonLines(fromLines.out)[0]["heat_loss"]);
    EXPECT_NE(JsonLines(fromList.out)[0]["heat_loss"], JsonLines(clean.out)[0]["heat_loss"]);
}

struct FailureCase {
    const char* name;
    int status;
    std::string message;
};

TEST_F(CalcTest, FailuresNameTheirCauseAndSetTheExitStatus) {
    std::vector<std::string> custom = singlePipeLines();
    custom[1] = "0"; // "Custom" empties D1 and D2
    std::vector<std::string> emptyK = singlePipeLines("");
    std::vector<std::string> cold = singlePipeLines();
    cold[2] = "20"; // T1 = Tout
    std::vector<std::string> cylinder = {"Insulation vessel file",
                                         "1",
                                         "1.2",
                                         "",
                                         "0.8",
                                         "150",
                                         "20",
                                         "0.05",
                                         "1",
                                         "1",
                                         "20",
                                         "50",
                                         "75",
                                         "100"};
    std::vector<std::string> rows = pipesLines();
    rows[7 + 3 * 2] = "78";    // row 15: a length only
    rows[7 + 3 * 4 + 2] = "6"; // row 17: flanges only
    const std::vector<std::pair<std::string, FailureCase>> cases = {
        {file("custom.insp", custom),
         {"custom", kExitFailed, "Please input value! (Text1, Pipe nominal diameter (D1) [mm])"}},
        {file("k.insp", emptyK),
         {"empty k", kExitFailed,
          "Please input value! (Text5, Insulation Thermal Conductivity (k) [W/(m K)])"}},
        {file("cold.insp", cold), {"T1 = Tout", kExitFailed, ""}},
        {file("cylinder.inv", cylinder),
         {"hidden field", kExitFailed, "Please input value! (Text2, Heigth of Vessel (H) [m])"}},
        {file("rows.inmp", rows),
         {"incomplete rows", kExitFailed,
          "Please input value! (Text4(15), Number of Valves, NO 32 [mm])\n"
          "termiva-calc: " +
              (fs::path(dir_) / "rows.inmp").string() +
              ": Please input value! (Text3(17), Lenght of Pipes [m], NO 50 [mm])"}},
        {file("short.inv", {"Insulation vessel file", "0", "1"}),
         {"truncated", kExitUnusable,
          "is not a valid vessel input file: it has only 3 of its 14 lines."}},
        {(fs::path(dir_) / "none.inmp").string(), {"missing", kExitUnusable, "Could not read"}},
        {file("notes.txt", {"x"}), {"unknown kind", kExitUnusable, "not an input data file"}},
    };
    for (const auto& [path, c] : cases) {
        SCOPED_TRACE(c.name);
        Outcome outcome = RunCalc({path});
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_TRUE(outcome.out.empty()) << outcome.out;
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find(path), std::string::npos) << outcome.err;

        Outcome asJson = RunCalc({"--json", path});
        EXPECT_EQ(asJson.status, c.status);
        std::vector<json> objects = JsonLines(asJson.out);
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(Keys(objects[0]), (std::set<std::string>{"file", "error"}));
        EXPECT_FALSE(objects[0]["error"].get<std::string>().empty());
    }
}

// The exported workbook read back: B1 the fluid temperature text, D1..H1 the
// thicknesses and the table's rows as numbers, by the sheet's row rule.
void ExpectExported(const std::string& path, const std::string& b1, double c4) {
    auto workbook = files::Workbook::Open(path, files::WorkbookAccess::ReadOnly);
    ASSERT_TRUE(workbook) << workbook.error().message;
    auto sheet = workbook.value().Worksheets(1);
    ASSERT_TRUE(sheet) << sheet.error().message;
    const files::Worksheet& cells = **sheet;
    EXPECT_EQ(cells.Value("B1").kind, files::CellValue::Kind::Text);
    EXPECT_EQ(cells.Value("B1").text, b1);
    const std::vector<std::pair<std::string, double>> numbers = {
        {"D1", 20}, {"E1", 50},   {"F1", 75},   {"G1", 100},   {"H1", 150},
        {"B4", 10}, {"B18", 600}, {"B19", 800}, {"B21", 1000}, {"C4", c4}};
    for (const auto& [address, value] : numbers) {
        SCOPED_TRACE(address);
        EXPECT_EQ(cells.Value(address).kind, files::CellValue::Kind::Number);
        EXPECT_EQ(cells.Value(address).number, value);
    }
    for (int row = 4; row <= 21; ++row)
        EXPECT_NE(cells.Value(row, 2).number, 700) << "row " << row;
}

TEST_F(CalcTest, WorkbookWritesTheDiagramIntoACopyOfTheTemplate) {
    const std::string original = Bytes(kTemplate);
    ASSERT_FALSE(original.empty());
    const std::string output = (fs::path(dir_) / "diagram.xlsx").string();
    Outcome outcome =
        RunCalc({"--table", "--workbook", output, "--template", kTemplate, kSinglePipe});
    ASSERT_EQ(outcome.status, kExitOk) << outcome.err;
    EXPECT_EQ(Numbers(outcome.out, ".").size(), 19u * 7u); // the table is printed as with --table
    ExpectExported(output, "143", 96.43);
    EXPECT_EQ(Bytes(kTemplate), original);

    // Found beside the program without --template; a comma file's texts
    // reach the sheet as numbers, B1 as typed; an existing output is replaced.
    fs::copy_file(kTemplate, fs::path(dir_) / "Template.xlsx");
    std::vector<std::string> comma = singlePipeLines("0,07");
    comma[5] = "0,95";
    comma[2] = "143,0";
    Outcome beside = RunCalc({"--workbook=" + output, file("comma.insp", comma)}, ",", dir_);
    ASSERT_EQ(beside.status, kExitOk) << beside.err;
    ExpectExported(output, "143,0", 96.43);
}

TEST_F(CalcTest, TemplateBesideTheProgramElseInstalledData) {
    const fs::path bin = fs::path(dir_) / "prefix" / "bin";
    const fs::path data = fs::path(dir_) / "prefix" / "share" / "termiva";
    fs::create_directories(bin);
    EXPECT_EQ(FindTemplate(bin.string()), "");
    EXPECT_EQ(FindTemplate(""), "");
    fs::create_directories(data);
    fs::copy_file(kTemplate, data / "Template.xlsx");
    EXPECT_EQ(FindTemplate(bin.string()), (data / "Template.xlsx").string());
    fs::copy_file(kTemplate, bin / "Template.xlsx");
    EXPECT_EQ(FindTemplate(bin.string()), (bin / "Template.xlsx").string());
}

TEST_F(CalcTest, WorkbookFailuresLeaveNoOutput) {
    const std::string output = (fs::path(dir_) / "out.xlsx").string();
    const std::string ownTemplate = (fs::path(dir_) / "Template.xlsx").string();
    fs::copy_file(kTemplate, ownTemplate);
    std::vector<std::string> cold = singlePipeLines();
    cold[2] = "20"; // T1 = Tout
    const std::string coldFile = file("cold.insp", cold);
    const std::string missing = (fs::path(dir_) / "none.xlsx").string();
    const std::string noFolder = (fs::path(dir_) / "no" / "out.xlsx").string();
    const std::vector<std::pair<std::vector<std::string>, FailureCase>> cases = {
        {{"--workbook", output, "--template", missing, kSinglePipe},
         {"template missing", kExitUnusable, missing}},
        {{"--workbook", output, kSinglePipe}, {"no template found", kExitUnusable, "--template"}},
        {{"--workbook", ownTemplate, "--template", ownTemplate, kSinglePipe},
         {"output is the template", kExitUnusable, "is the template itself"}},
        {{"--workbook", noFolder, "--template", kTemplate, kSinglePipe},
         {"output folder missing", kExitUnusable, noFolder}},
        {{"--workbook", output, "--template", kTemplate, kVessel},
         {"not a single pipe file", kExitUnusable, "single pipe file"}},
        {{"--workbook", output, "--template", kTemplate, coldFile},
         {"calculation fails", kExitFailed, coldFile}},
        {{"--workbook", output, kSinglePipe, kSinglePipe},
         {"two files", kExitUnusable, "termiva-calc --help"}},
        {{"--template", kTemplate, kSinglePipe},
         {"template alone", kExitUnusable, "termiva-calc --help"}},
        {{kSinglePipe, "--workbook"}, {"no output name", kExitUnusable, "termiva-calc --help"}},
    };
    const std::string original = Bytes(kTemplate);
    for (const auto& [args, c] : cases) {
        SCOPED_TRACE(c.name);
        Outcome outcome = RunCalc(args);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_FALSE(fs::exists(output));
        EXPECT_FALSE(fs::exists(noFolder));
    }
    EXPECT_EQ(Bytes(kTemplate), original);
    EXPECT_EQ(Bytes(ownTemplate), original);
}

TEST_F(CalcTest, WorkbookOntoAPipeIsRefused) {
    const std::string fifo = (fs::path(dir_) / "pipe.xlsx").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Outcome outcome = RunCalc({"--workbook", fifo, "--template", kTemplate, kSinglePipe});
    EXPECT_EQ(outcome.status, kExitUnusable);
    EXPECT_NE(outcome.err.find("is not a regular file"), std::string::npos) << outcome.err;
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

// --report hands the loaded, checked texts to the program's writer, once, with
// the details; a writer's failure is exit status 2 with its message; the
// output on stdout stays the same.
TEST_F(CalcTest, ReportGoesThroughTheWriter) {
    std::vector<std::tuple<std::string, std::string, ReportRequest>> calls;
    std::optional<std::string> failure;
    const ReportWriter writer = [&](const cases::ScreenTexts& screen, const std::string& file,
                                    const ReportRequest& request) {
        calls.emplace_back(screen.text("Text4"), file, request);
        return failure;
    };
    const auto run = [&](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = cli::Run(args, out, err, ".", {}, writer);
        return Outcome{status, out.str(), err.str()};
    };
    const Outcome written =
        run({"--report", "r.pdf", "--project", "Line 7", "--prepared-by=J. Doe", kVessel});
    EXPECT_EQ(written.status, kExitOk);
    EXPECT_EQ(written.out, RunCalc({kVessel}).out);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::get<0>(calls[0]), "150"); // T1 as loaded
    EXPECT_EQ(std::get<1>(calls[0]), kVessel);
    EXPECT_EQ(std::get<2>(calls[0]).path, "r.pdf");
    EXPECT_EQ(std::get<2>(calls[0]).project, "Line 7");
    EXPECT_EQ(std::get<2>(calls[0]).preparedBy, "J. Doe");

    failure = "The report could not be written to \"/x/r.pdf\": denied.";
    const Outcome failed = run({"--report", "/x/r.pdf", kPipes});
    EXPECT_EQ(failed.status, kExitUnusable);
    EXPECT_NE(failed.err.find("/x/r.pdf"), std::string::npos) << failed.err;

    // No report for a file that fails its check, nor for usage errors.
    calls.clear();
    std::vector<std::string> emptyK = singlePipeLines("");
    EXPECT_EQ(run({"--report", "r.pdf", file("k.insp", emptyK)}).status, kExitFailed);
    EXPECT_EQ(run({"--report", "r.pdf", kVessel, kPipes}).status, kExitUnusable);
    EXPECT_EQ(run({"--project", "P", kVessel}).status, kExitUnusable);
    EXPECT_EQ(run({kVessel, "--report"}).status, kExitUnusable);
    const Outcome over = run({"--report", kVessel, kVessel}); // the input under the PDF
    EXPECT_EQ(over.status, kExitUnusable);
    EXPECT_NE(over.err.find("would replace the input file"), std::string::npos) << over.err;
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(RunCalc({"--report", "r.pdf", kVessel}).status, kExitUnusable); // no writer
}

TEST_F(CalcTest, ABadFileNeverStopsTheOthersAndTheWorstStatusWins) {
    std::vector<std::string> emptyK = singlePipeLines("");
    const std::string failing = file("k.insp", emptyK);
    const std::string missing = (fs::path(dir_) / "none.inv").string();

    Outcome one = RunCalc({failing, kVessel});
    EXPECT_EQ(one.status, kExitFailed);
    EXPECT_NE(one.out.find("19711.7"), std::string::npos);

    Outcome two = RunCalc({"--json", missing, failing, kPipes});
    EXPECT_EQ(two.status, kExitUnusable);
    std::vector<json> objects = JsonLines(two.out);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[2]["kind"], "multiple-pipes");
    EXPECT_TRUE(two.err.empty()) << two.err;
}

TEST_F(CalcTest, Usage) {
    Outcome help = RunCalc({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.out, Usage());
    EXPECT_NE(help.out.find("termiva-calc [--json] [--table] FILE..."), std::string::npos);
    EXPECT_NE(help.out.find("--workbook OUTPUT.xlsx [--template PATH] FILE.insp"),
              std::string::npos);
    // The version set once in the build, whatever else the line holds.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {"--json", "--version", kVessel}}) {
        Outcome version = RunCalc(args);
        EXPECT_EQ(version.status, kExitOk);
        EXPECT_EQ(version.out, std::string("termiva-calc ") + kVersion + "\n" + kLicenceNotice);
        EXPECT_TRUE(version.err.empty());
    }

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"--json"}, {"--frobnicate", kVessel}}) {
        Outcome usage = RunCalc(args);
        EXPECT_EQ(usage.status, kExitUnusable);
        EXPECT_TRUE(usage.out.empty());
        EXPECT_NE(usage.err.find("termiva-calc --help"), std::string::npos);
    }
    // After "--" every argument is a file.
    Outcome dashes = RunCalc({"--", "--json"});
    EXPECT_EQ(dashes.status, kExitUnusable);
    EXPECT_NE(dashes.err.find("\"--json\""), std::string::npos) << dashes.err;
}

} // namespace
} // namespace termiva::cli
