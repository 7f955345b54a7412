// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc.h"
#include "files/input_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace termiva::cli {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = TERMIVA_EXAMPLES;
const std::string kLimit = kExamples + "/thickness-limit.inlim";
const std::string kSinglePipe = kExamples + "/single-pipe.insp";
const std::string kVessel = kExamples + "/vessel.inv";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCalc(const std::vector<std::string>& args, std::string_view separator = ".") {
    std::ostringstream out, err;
    int status = Run(args, out, err, separator);
    return {status, out.str(), err.str()};
}

TEST(LimitCalc, LimitFileAsTheScreenShowsIt) {
    const Outcome o = RunCalc({"--limit", kLimit});
    EXPECT_EQ(o.status, kExitOk) << o.err;
    EXPECT_EQ(o.out, kLimit + ": thickness for a limit, Pipe\n"
                              "                                                Heat Loss [W/m]  "
                              "Tsurface [oC]\n"
                              "  Thickness for the surface limit [mm]    12.4\n"
                              "  Thickness for the heat loss limit [mm]     -\n"
                              "  Insulation thickness [mm]               12.4            62.68  "
                              "         49.8\n"
                              "  Next standard thickness [mm]            20.0            49.55  "
                              "         40.3\n"
                              "  Governing limit: Surface temperature\n");
}

// The single pipe file's pipe with limits from the command line, the same
// answer as the limit file of the same inputs.
TEST(LimitCalc, LimitsOnTheCommandLine) {
    Outcome o = RunCalc({"--json", "--max-surface", "50", kSinglePipe});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    auto json = nlohmann::json::parse(o.out);
    EXPECT_EQ(json["kind"], "thickness-limit");
    EXPECT_EQ(json["object"], "pipe");
    EXPECT_EQ(json["surface_thickness"], 12.4);
    EXPECT_TRUE(json["loss_thickness"].is_null());
    EXPECT_EQ(json["standard"]["thickness"], 20);
    const auto fromFile = nlohmann::json::parse(RunCalc({"--json", "--limit", kLimit}).out);
    EXPECT_EQ(json["answer"], fromFile["answer"]);

    o = RunCalc({"--json", "--max-loss=1000", "--standard", "25 35;45", kVessel});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    json = nlohmann::json::parse(o.out);
    EXPECT_EQ(json["object"], "rectangular");
    EXPECT_EQ(json["governing"], "loss");
    EXPECT_EQ(json["loss_thickness"], 60.5);
    EXPECT_TRUE(json["standard"].is_null());

    // A decimal comma where the locale has one, in the file and the options.
    const std::string commaFile =
        (std::filesystem::temp_directory_path() / "termiva-limit-comma.insp").string();
    {
        std::ifstream in(kSinglePipe, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::replace(bytes.begin(), bytes.end(), '.', ',');
        std::ofstream(commaFile, std::ios::binary) << bytes;
    }
    o = RunCalc({"--max-surface", "49,5", "--standard", "12,5 20", commaFile}, ",");
    std::filesystem::remove(commaFile);
    EXPECT_EQ(o.status, kExitOk) << o.err;
    EXPECT_NE(o.out.find("Next standard thickness [mm]            20,0"), std::string::npos)
        << o.out;
}

TEST(LimitCalc, ErrorsAndExitStatus) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Row rows[] = {
        {"no limit",
         {kSinglePipe, "--standard", "20"},
         kExitUnusable,
         "termiva-calc: give --max-surface, --max-loss or both\n"},
        {"not a number",
         {"--max-surface", "5o", kSinglePipe},
         kExitUnusable,
         "termiva-calc: --max-surface needs a number not below 0 (decimal separator \".\"): 5o\n"},
        {"limit file with limits",
         {"--limit", "--max-loss", "3", kLimit},
         kExitUnusable,
         "termiva-calc: --limit files hold their own limits: leave out --max-surface, "
         "--max-loss and --standard\n"},
        {"wrong kind",
         {"--limit", kSinglePipe},
         kExitUnusable,
         "termiva-calc: The file \"" + kSinglePipe +
             "\" is not a thickness for a limit file (.inlim).\n"},
        {"unmet",
         {"--max-surface", "20.1", kSinglePipe},
         kExitFailed,
         "termiva-calc: " + kSinglePipe +
             ": No insulation thickness up to 1000 mm keeps the surface temperature at or "
             "below 20.1 oC: at 1000 mm it is 20.3 oC.\n"},
        {"bad list",
         {"--max-surface", "50", "--standard", "20 -5", kSinglePipe},
         kExitFailed,
         "termiva-calc: " + kSinglePipe +
             ": Standard thicknesses [mm]: \"-5\" is not a thickness greater than 0.\n"},
        {"plain limit file",
         {kLimit},
         kExitUnusable,
         "termiva-calc: The file \"" + kLimit +
             "\" is a thickness for a limit file: use --limit.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome o = RunCalc(row.args);
        EXPECT_EQ(o.status, row.status);
        EXPECT_EQ(o.err.substr(0, row.err.size()), row.err);
    }
    EXPECT_NE(RunCalc({"--help"}).out.find("--max-surface C"), std::string::npos);
}

// --report takes a limit file with or without --limit: the writer gets the
// limit screen's texts once, stdout is what --limit prints; no report for a
// file that fails its calculation, several files or an input under the PDF.
TEST(LimitCalc, ReportOfALimitFile) {
    std::vector<std::tuple<files::InputFileKind, std::string, std::string, ReportRequest>> calls;
    const ReportWriter writer = [&](const cases::ScreenTexts& screen, const std::string& file,
                                    const ReportRequest& request) -> std::optional<std::string> {
        calls.emplace_back(screen.kind, screen.text("Text10"), file, request);
        return std::nullopt;
    };
    const auto run = [&](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = cli::Run(args, out, err, ".", {}, writer);
        return Outcome{status, out.str(), err.str()};
    };
    const std::string plain = RunCalc({"--limit", kLimit}).out;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--report", "r.pdf", "--project=Line 7", kLimit},
             {"--limit", "--report=r.pdf", "--project", "Line 7", kLimit}}) {
        calls.clear();
        const Outcome o = run(args);
        EXPECT_EQ(o.status, kExitOk) << o.err;
        EXPECT_EQ(o.out, plain);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(std::get<0>(calls[0]), files::InputFileKind::ThicknessLimit);
        EXPECT_EQ(std::get<1>(calls[0]), "50");
        EXPECT_EQ(std::get<2>(calls[0]), kLimit);
        EXPECT_EQ(std::get<3>(calls[0]).path, "r.pdf");
        EXPECT_EQ(std::get<3>(calls[0]).project, "Line 7");
    }

    calls.clear();
    const fs::path dir =
        fs::temp_directory_path() / ("termiva_limit_report_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ifstream in(kLimit, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), {});
    content.replace(content.find("\r\n50\r\n"), 6, "\r\n5\r\n"); // below the ambient
    const std::string unmet = (dir / "unmet.inlim").string();
    std::ofstream(unmet, std::ios::binary) << content;
    EXPECT_EQ(run({"--report", "r.pdf", unmet}).status, kExitFailed);
    EXPECT_EQ(run({"--report", "r.pdf", kLimit, kLimit}).status, kExitUnusable);
    EXPECT_EQ(run({"--limit", "--report", "r.pdf", kLimit, kLimit}).status, kExitUnusable);
    EXPECT_EQ(run({"--limit", "--project", "P", kLimit}).status, kExitUnusable);
    const Outcome over = run({"--report", kLimit, kLimit});
    EXPECT_EQ(over.status, kExitUnusable);
    EXPECT_NE(over.err.find("would replace the input file"), std::string::npos) << over.err;
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(RunCalc({"--report", "r.pdf", kLimit}).status, kExitUnusable); // no writer
    fs::remove_all(dir);
}

} // namespace
} // namespace termiva::cli
