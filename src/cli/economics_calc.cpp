// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/economics_calc.h"

#include "cases/case_fields.h"
#include "cases/case_records.h"
#include "cases/economics_case.h"
#include "cases/thickness_limit_case.h"
#include "cli/arguments.h"
#include "cli/calc.h"
#include "cli/limit_calc.h"
#include "files/input_file.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>

namespace termiva::cli {

namespace {

using files::InputFileKind;
using Json = nlohmann::ordered_json;

// The options of the operating and money inputs and the field each fills;
// all but --length are needed when any is given.
struct TermOption {
    std::string_view name;
    std::string_view field;
};
constexpr std::array<TermOption, 8> kTermOptions = {{{"--hours", "Text11"},
                                                     {"--price", "Text12"},
                                                     {"--efficiency", "Text13"},
                                                     {"--co2", "Text14"},
                                                     {"--life", "Text15"},
                                                     {"--interest", "Text16"},
                                                     {"--escalation", "Text17"},
                                                     {"--length", "Text10"}}};
constexpr std::string_view kLengthOption = "--length";

struct EconomicsOptions {
    bool json = false;
    bool economics = false;
    std::map<std::string, std::string, std::less<>> terms; // field -> text as typed
    std::vector<cases::CandidateTexts> candidates;         // --candidates
    ReportRequest report;
    std::vector<std::string> files;

    // The inputs come from the command line: the files are single pipe or
    // vessel files.
    bool termsGiven() const { return !terms.empty() || !candidates.empty(); }
};

struct EconomicsReport {
    std::string file;
    int status = kExitOk;
    std::string error;
    std::optional<cases::ScreenTexts> screen; // as calculated, for --report
    std::optional<EconomicsResult> result;
};

// "40:30;60:40": thickness and installed cost of each candidate, numbers with
// the user's separator; blanks around either are left out, an empty entry
// (a trailing ';') is skipped. The usage error for anything else.
std::optional<std::string> ParseCandidates(std::string_view text, std::string_view separator,
                                           std::vector<cases::CandidateTexts>& into) {
    const auto trimmed = [](std::string_view part) {
        const std::size_t first = part.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            return std::string_view();
        return part.substr(first, part.find_last_not_of(" \t") - first + 1);
    };
    const std::string bad = "--candidates needs \"T:C;T:C;...\", a thickness in mm and its "
                            "installed cost each, numbers with the decimal separator \"" +
                            std::string(separator) + "\": ";
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string_view entry = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (entry.empty())
            continue;
        const std::size_t colon = entry.find(':');
        const std::string_view thickness = trimmed(entry.substr(0, colon));
        const std::string_view cost =
            colon == std::string_view::npos ? std::string_view() : trimmed(entry.substr(colon + 1));
        if (!text::IsNumber(thickness, separator) || !text::IsNumber(cost, separator))
            return bad + std::string(entry);
        into.push_back({std::string(thickness), std::string(cost)});
    }
    if (into.empty())
        return bad + std::string(text);
    return std::nullopt;
}

std::optional<EconomicsOptions> ParseEconomicsArguments(const std::vector<std::string>& args,
                                                        std::string_view separator,
                                                        std::ostream& err) {
    EconomicsOptions options;
    std::vector<Option> table = {
        {"--json", {}, false, {}, SetFlag(options.json)},
        {"--economics", {}, false, {}, SetFlag(options.economics)},
        {"--candidates",
         {},
         true,
         "needs a value",
         [&options, separator](const std::string& value) {
             return ParseCandidates(value, separator, options.candidates);
         }},
        {"--report", {}, true, "needs a file name", SetText(options.report.path)},
        {"--project", {}, true, {}, SetText(options.report.project)},
        {"--prepared-by", {}, true, {}, SetText(options.report.preparedBy)},
    };
    for (const TermOption& term : kTermOptions)
        table.push_back(
            {term.name,
             {},
             true,
             "needs a value",
             [&options, separator, term](const std::string& value) -> std::optional<std::string> {
                 if (!text::IsNumber(value, separator))
                     return std::string(term.name) + " needs a number (decimal separator \"" +
                            std::string(separator) + "\"): " + value;
                 options.terms[std::string(term.field)] = value;
                 return std::nullopt;
             }});
    auto files = ParseOptions(args, table, " with --economics", err);
    if (!files)
        return std::nullopt;
    options.files = std::move(*files);
    if (options.files.empty())
        return UsageError(err, "no input file given");
    if (options.termsGiven()) {
        std::string missing;
        for (const TermOption& term : kTermOptions) {
            if (term.name != kLengthOption && !options.terms.count(term.field))
                missing += (missing.empty() ? "" : ", ") + std::string(term.name);
        }
        if (options.candidates.empty())
            missing += (missing.empty() ? "" : ", ") + std::string("--candidates");
        if (!missing.empty())
            return UsageError(err, "the inputs of a single pipe or vessel file need " + missing);
        const bool pipes = std::any_of(options.files.begin(), options.files.end(), [](auto& f) {
            return files::KindFromPath(f) == InputFileKind::SinglePipe;
        });
        if (pipes && !options.terms.count("Text10"))
            return UsageError(err, "a single pipe file needs --length, the pipe length in m");
    }
    if (!options.report.path.empty() && options.files.size() != 1)
        return UsageError(err, "--report writes the report of one input file");
    if (options.report.path.empty() &&
        (!options.report.project.empty() || !options.report.preparedBy.empty()))
        return UsageError(err, "--project and --prepared-by are used only with --report");
    return options;
}

// The energy and cost screen's texts for one file: loaded from an energy and
// cost file, or taken from a single pipe or vessel file with the inputs of
// the command line.
std::optional<cases::ScreenTexts> EconomicsScreen(const std::string& path,
                                                  const EconomicsOptions& options,
                                                  std::string_view separator,
                                                  EconomicsReport& report) {
    const std::optional<InputFileKind> kind = files::KindFromPath(path);
    const bool fromTerms = options.termsGiven();
    const bool wanted = fromTerms
                            ? kind == InputFileKind::SinglePipe || kind == InputFileKind::Vessel
                            : kind == InputFileKind::Economics;
    if (!wanted) {
        report.status = kExitUnusable;
        report.error = "The file \"" + path + "\" is not " +
                       (fromTerms ? "a single pipe or vessel file (.insp, .inv)."
                                  : "an energy and cost file (.ineco); for a single pipe or "
                                    "vessel file give the inputs as options.");
        return std::nullopt;
    }
    // Read, loaded and checked as every command reads a file.
    auto checked = LoadChecked(*kind, path, separator);
    if (!checked) {
        report.status = checked.error().status;
        report.error = checked.error().messages.front();
        return std::nullopt;
    }
    const cases::ScreenTexts& loaded = checked.value();
    if (!fromTerms)
        return loaded;
    // The fields of the same meaning, as "Take inputs" copies them.
    const cases::TestData taken = *kind == InputFileKind::SinglePipe
                                      ? cases::TakeFromSinglePipe(loaded)
                                      : cases::TakeFromVessel(loaded);
    cases::EconomicsTexts texts;
    texts.screen = {InputFileKind::Economics, taken.listIndex, {}};
    for (const cases::FieldText& field : taken.texts)
        texts.screen.texts[field.field] = field.text;
    for (const auto& [field, text] : options.terms)
        texts.screen.texts[field] = text;
    texts.candidates = options.candidates;
    return cases::ScreenTextsOf(texts);
}

EconomicsReport CalculateEconomicsFile(const std::string& path, const EconomicsOptions& options,
                                       std::string_view separator) {
    EconomicsReport report;
    report.file = path;
    std::optional<cases::ScreenTexts> screen = EconomicsScreen(path, options, separator, report);
    if (!screen)
        return report;
    const cases::EconomicsTexts texts = cases::EconomicsTextsOf(*screen);
    const std::vector<std::string> missing = cases::EconomicsMissing(texts);
    if (!missing.empty()) {
        report.status = kExitFailed;
        report.error = cases::MissingValueMessage(*screen, missing.front());
        return report;
    }
    auto result = cases::CalculateEconomics(texts, separator);
    if (!result) {
        report.status = kExitFailed;
        report.error = result.error().message;
        return report;
    }
    report.result = std::move(result).value();
    report.screen = std::move(screen);
    return report;
}

void PrintEconomics(const EconomicsReport& report, std::ostream& out, std::string_view separator) {
    const int listIndex = std::clamp(report.screen->listIndex, 0, 3);
    const std::string currency = cases::EconomicsCurrency(*report.screen);
    const cases::EconomicsResultTexts texts =
        cases::EconomicsResultTextsOf(*report.result, listIndex, currency, separator);
    out << report.file << ": energy and cost, "
        << cases::kLimitObjects[static_cast<std::size_t>(listIndex)] << "\n";
    const cases::Marks marks = cases::MarksOf(*report.result);
    std::vector<std::vector<std::string>> rows;
    rows.emplace_back(1, "");
    for (const std::string& heading : cases::EconomicsColumnHeadings(currency))
        rows.front().push_back(heading);
    for (std::size_t r = 0; r < texts.rows.size(); ++r) {
        // ">" marks the economic thickness's row.
        std::vector<std::string>& row = rows.emplace_back(1, texts.rows[r].economic ? ">" : "");
        const ValueFlags& flags = report.result->rows[r].loss.point.flags;
        const std::array<std::string, 9> cells = texts.rows[r].cells();
        for (std::size_t c = 0; c < cells.size(); ++c)
            row.push_back(c == 1 || c == 2 ? Marked(cells[c], flags, marks) : cells[c]);
    }
    PrintColumns(out, rows);
    out << "  " << texts.verdict << "\n";
    PrintFootnote(out, marks);
}

Json OptionalJson(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json EconomicsJson(const EconomicsReport& report) {
    Json json;
    json["file"] = report.file;
    if (report.status != kExitOk) {
        json["error"] = report.error;
        return json;
    }
    const EconomicsResult& r = *report.result;
    json["kind"] = "economics";
    json["object"] = ObjectJsonName(report.screen->listIndex);
    json["currency"] = cases::EconomicsCurrency(*report.screen);
    json["economic_thickness"] = r.economicIsBare ? 0.0 : r.rows[r.economic].loss.point.thickness;
    json["economic_is_thickest"] = r.economicIsThickest;
    json["life"] = r.life;
    json["present_worth_factor"] = r.presentWorthFactor;
    json["annuity_factor"] = r.annuityFactor;
    Json candidates = Json::array();
    for (const EconomicsRow& row : r.rows) {
        Json entry;
        entry["thickness"] = row.loss.point.thickness;
        entry["heat_loss"] = row.loss.heatLoss;
        entry["surface_temperature"] = row.loss.point.Tsurface;
        entry["annual_heat"] = row.annualHeat;
        entry["annual_fuel"] = row.annualFuel;
        entry["annual_cost"] = row.annualCost;
        entry["annual_co2"] = row.annualCo2;
        entry["installed_cost"] = row.loss.installedCost;
        entry["annual_savings"] = row.annualSavings;
        entry["payback"] = OptionalJson(row.payback);
        entry["life_cycle_cost"] = row.lifeCycleCost;
        entry["net_present_value"] = row.netPresentValue;
        entry["equivalent_annual_cost"] = row.equivalentAnnualCost;
        entry["co2_avoided"] = row.co2Avoided;
        entry["outside_air_data"] = row.loss.point.flags.outsideAirData;
        entry["approximate"] = row.loss.point.flags.approximate;
        candidates.push_back(std::move(entry));
    }
    json["candidates"] = std::move(candidates);
    return json;
}

} // namespace

bool IsEconomicsCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        if (arg == "--economics")
            return true;
    }
    return false;
}

int RunEconomics(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 std::string_view decimalSeparator, const ReportWriter& writeReport) {
    const std::optional<EconomicsOptions> options =
        ParseEconomicsArguments(args, decimalSeparator, err);
    if (!options)
        return kExitUnusable;
    return RunEachFile<EconomicsReport>(
        options->files, options->json, options->report, writeReport, out, err,
        [&](const std::string& file) {
            return CalculateEconomicsFile(file, *options, decimalSeparator);
        },
        [](const EconomicsReport& report) {
            return EconomicsJson(report).dump(-1, ' ', false, Json::error_handler_t::replace);
        },
        [&](const EconomicsReport& report, std::ostream& to) {
            PrintEconomics(report, to, decimalSeparator);
        });
}

std::string EconomicsUsage() {
    return "\n"
           "Energy, cost and economic thickness:\n"
           "       termiva-calc [--json] --economics FILE.ineco...\n"
           "       termiva-calc --report OUTPUT.pdf [--project TEXT] [--prepared-by TEXT] "
           "FILE.ineco\n"
           "       termiva-calc [--json] --economics --hours H --price P --efficiency E --co2 F\n"
           "                    --life N --interest I --escalation G --candidates \"T:C;T:C;...\"\n"
           "                    [--length L] FILE.insp|FILE.inv...\n"
           "For the bare object and each candidate thickness: the heat loss, the energy, its\n"
           "cost and CO2 per year, the savings, the payback and the life-cycle cost; the\n"
           "economic thickness is the candidate of least life-cycle cost (\">\" marks it).\n"
           "\n"
           "  --economics        energy and cost files (.ineco), or with the options below\n"
           "                     single pipe and vessel files\n"
           "  --hours H          operating hours per year, h/a (at most 8784)\n"
           "  --price P          energy price per MWh of fuel or purchased energy\n"
           "  --efficiency E     efficiency of the heat supply, a fraction (0.9 for 90 %)\n"
           "  --co2 F            CO2 emission factor, kg per MWh of fuel\n"
           "  --life N           service life, years\n"
           "  --interest I       interest rate, %/a\n"
           "  --escalation G     energy price escalation, %/a\n"
           "  --candidates LIST  thickness in mm and installed cost per m of pipe or per m2\n"
           "                     of the vessel's surface, e.g. \"40:30;60:40;80:52\"\n"
           "  --length L         the pipe length in m (needed for single pipe files)\n";
}

} // namespace termiva::cli
