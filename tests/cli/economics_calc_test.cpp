// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc.h"
#include "files/input_file.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace termiva::cli {
namespace {

const std::string kExamples = TERMIVA_EXAMPLES;
const std::string kEconomics = kExamples + "/economics.ineco";
const std::string kSinglePipe = kExamples + "/single-pipe.insp";
const std::string kVessel = kExamples + "/vessel.inv";

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCalc(const std::vector<std::string>& args, const ReportWriter& writer = {}) {
    std::ostringstream out, err;
    const int status = Run(args, out, err, ".", {}, writer);
    return {status, out.str(), err.str()};
}

// The money inputs of the example file, as options.
std::vector<std::string> Terms(const std::string& candidates, const std::string& hours = "8000",
                               const std::string& efficiency = "0.9") {
    return {"--economics", "--hours",      hours, "--price",      "50",      "--efficiency",
            efficiency,    "--co2",        "202", "--life",       "10",      "--interest",
            "6",           "--escalation", "3",   "--candidates", candidates};
}

nlohmann::json Json(std::vector<std::string> args) {
    args.insert(args.begin(), "--json");
    const Outcome o = RunCalc(args);
    EXPECT_EQ(o.status, kExitOk) << o.err;
    return nlohmann::json::parse(o.out);
}

TEST(EconomicsCalc, FileAsTheScreenShowsIt) {
    const Outcome o = RunCalc({"--economics", kEconomics});
    ASSERT_EQ(o.status, kExitOk) << o.err;
    EXPECT_EQ(o.out.substr(0, o.out.find('\n')), kEconomics + ": energy and cost, Pipe");
    EXPECT_NE(o.out.find("\n  >            80.0         2669.9           25.3         21.36"),
              std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("\n  Economic thickness 80 mm: life-cycle cost 15,071 EUR, payback 0.6 "
                         "years, 356 t CO2 avoided over 10 years\n"),
              std::string::npos)
        << o.out;

    const nlohmann::json json = Json({"--economics", kEconomics});
    EXPECT_EQ(json["economic_thickness"], 80);
    ASSERT_EQ(json["candidates"].size(), 6u);
    EXPECT_EQ(json["candidates"][0]["thickness"], 0);
    EXPECT_TRUE(json["candidates"][0]["payback"].is_null());
    EXPECT_EQ(json["candidates"][5]["installed_cost"], 8200); // 82 per m, 100 m
}

// The options on the single pipe and vessel files: the same as the file of
// the same inputs, and each row's loss is the single pipe's or the vessel's
// column at that thickness to the digit.
TEST(EconomicsCalc, OptionsOnPipeAndVesselFilesReadTheirOwnLosses) {
    std::vector<std::string> args = Terms("40:30; 60:40;80:52;100:66;120:82;");
    args.insert(args.end(), {"--length=100", kSinglePipe});
    nlohmann::json options = Json(args);
    nlohmann::json file = Json({"--economics", kEconomics});
    options.erase("file");
    file.erase("file");
    EXPECT_EQ(options, file);

    args = Terms("150:5;20:1;50:2;75:3;100:4");
    args.insert(args.end(), {"--length", "1", kSinglePipe});
    const nlohmann::json pipe = Json(args);
    const nlohmann::json single = Json({kSinglePipe});
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_EQ(pipe["candidates"][k]["heat_loss"], single["heat_loss"][k]) << k;

    args = Terms("20:1;50:2;75:3;100:4");
    args.push_back(kVessel); // no --length for a vessel
    const nlohmann::json vessel = Json(args);
    const nlohmann::json alone = Json({kVessel});
    EXPECT_EQ(vessel["object"], "rectangular");
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(vessel["candidates"][k]["heat_loss"], alone["heat_loss"][k]) << k;
}

TEST(EconomicsCalc, ErrorsAndExitStatus) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const auto with = [](std::vector<std::string> args, std::vector<std::string> more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<std::string> terms = Terms("40:30;60:40");
    const Row rows[] = {
        {"an option missing",
         {"--economics", "--hours", "8000", kVessel},
         kExitUnusable,
         "termiva-calc: the inputs of a single pipe or vessel file need --price, --efficiency, "
         "--co2, --life, --interest, --escalation, --candidates\n"},
        {"no length", with(terms, {kVessel, kSinglePipe}), kExitUnusable,
         "termiva-calc: a single pipe file needs --length, the pipe length in m\n"},
        {"not a number", with(terms, {"--length", "1,5", kSinglePipe}), kExitUnusable,
         "termiva-calc: --length needs a number (decimal separator \".\"): 1,5\n"},
        {"bad candidates", with(Terms("40:30;60"), {kVessel}), kExitUnusable,
         "termiva-calc: --candidates needs \"T:C;T:C;...\", a thickness in mm and its installed "
         "cost each, numbers with the decimal separator \".\": 60\n"},
        {"file kind",
         {"--economics", kVessel},
         kExitUnusable,
         "termiva-calc: The file \"" + kVessel + "\" is not an energy and cost file (.ineco)"},
        {"without --economics",
         {kEconomics},
         kExitUnusable,
         "termiva-calc: The file \"" + kEconomics +
             "\" is an energy and cost file: use --economics.\n"},
        {"hours out of range", with(Terms("40:30", "8785"), {kVessel}), kExitFailed,
         "termiva-calc: " + kVessel +
             ": Operating hours must be greater than 0 and at most 8784 h/a.\n"},
        {"efficiency as a percentage", with(Terms("40:30", "8000", "90"), {kVessel}), kExitFailed,
         "termiva-calc: " + kVessel +
             ": Efficiency of the heat supply must be greater than 0 and at most 1.\n"},
        {"a repeated thickness", with(Terms("40:30;40:20"), {kVessel}), kExitFailed,
         "termiva-calc: " + kVessel + ": Candidate 2 repeats the thickness of candidate 1.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome o = RunCalc(row.args);
        EXPECT_EQ(o.status, row.status);
        EXPECT_EQ(o.err.substr(0, row.err.size()), row.err);
    }
}

// --report takes an energy and cost file with or without --economics; the
// writer gets the screen's texts with the candidate table.
TEST(EconomicsCalc, ReportOfAnEnergyAndCostFile) {
    std::vector<cases::ScreenTexts> screens;
    const ReportWriter writer = [&](const cases::ScreenTexts& screen, const std::string&,
                                    const ReportRequest&) -> std::optional<std::string> {
        screens.push_back(screen);
        return std::nullopt;
    };
    const std::string plain = RunCalc({"--economics", kEconomics}).out;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--report", "r.pdf", kEconomics}, {"--economics", "--report=r.pdf", kEconomics}}) {
        screens.clear();
        const Outcome o = RunCalc(args, writer);
        EXPECT_EQ(o.status, kExitOk) << o.err;
        EXPECT_EQ(o.out, plain);
        ASSERT_EQ(screens.size(), 1u);
        EXPECT_EQ(screens[0].kind, files::InputFileKind::Economics);
        EXPECT_EQ(screens[0].text("Table1(5,2)"), "82");
    }
}

} // namespace
} // namespace termiva::cli
