// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/limit_calc.h"

#include "cases/case_fields.h"
#include "cases/case_records.h"
#include "cases/thickness_limit_case.h"
#include "cli/arguments.h"
#include "cli/calc.h"
#include "files/input_file.h"
#include "text/number_text.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

namespace termiva::cli {

namespace {

using cases::Marks;
using files::InputFileKind;
using Json = nlohmann::ordered_json;

struct LimitOptions {
    bool json = false;
    bool limitFiles = false;               // --limit: the files are .inlim files
    std::optional<std::string> maxSurface; // --max-surface, as typed
    std::optional<std::string> maxLoss;    // --max-loss, as typed
    std::optional<std::string> standard;   // --standard, as typed
    ReportRequest report;                  // --report, --project, --prepared-by
    std::vector<std::string> files;
};

struct LimitReport {
    std::string file;
    int status = kExitOk;
    std::string error;
    int listIndex = 0;
    std::optional<ThicknessLimitInput> input;
    std::optional<ThicknessLimitResult> result;
    std::optional<cases::ScreenTexts> screen; // as calculated, for --report
};

std::optional<LimitOptions> ParseLimitArguments(const std::vector<std::string>& args,
                                                std::string_view separator, std::ostream& err) {
    LimitOptions options;
    const auto number = [separator](std::string_view name, std::optional<std::string>& into) {
        return [separator, name, &into](const std::string& value) -> std::optional<std::string> {
            // What the limit field could hold: a number not below zero.
            const std::optional<double> parsed = text::ToDouble(value, separator);
            if (!parsed || *parsed < 0)
                return std::string(name) + " needs a number not below 0 (decimal separator \"" +
                       std::string(separator) + "\"): " + value;
            into = value;
            return std::nullopt;
        };
    };
    const std::vector<Option> table = {
        {"--json", {}, false, {}, SetFlag(options.json)},
        {"--limit", {}, false, {}, SetFlag(options.limitFiles)},
        {"--max-surface", {}, true, "needs a value", number("--max-surface", options.maxSurface)},
        {"--max-loss", {}, true, "needs a value", number("--max-loss", options.maxLoss)},
        {"--standard", {}, true, "needs a value", SetText(options.standard)},
        {"--report", {}, true, "needs a file name", SetText(options.report.path)},
        {"--project", {}, true, {}, SetText(options.report.project)},
        {"--prepared-by", {}, true, {}, SetText(options.report.preparedBy)},
    };
    auto files = ParseOptions(args, table, " with a thickness for a limit", err);
    if (!files)
        return std::nullopt;
    options.files = std::move(*files);
    if (options.files.empty())
        return UsageError(err, "no input file given");
    const bool limitsGiven = options.maxSurface || options.maxLoss || options.standard;
    if (options.limitFiles && limitsGiven)
        return UsageError(err, "--limit files hold their own limits: leave out --max-surface, "
                               "--max-loss and --standard");
    if (!options.limitFiles && !options.maxSurface && !options.maxLoss)
        return UsageError(err, "give --max-surface, --max-loss or both");
    if (!options.report.path.empty() && options.files.size() != 1)
        return UsageError(err, "--report writes the report of one input file");
    if (options.report.path.empty() &&
        (!options.report.project.empty() || !options.report.preparedBy.empty()))
        return UsageError(err, "--project and --prepared-by are used only with --report");
    return options;
}

// The limit screen's texts for one file: loaded from a limit file, or taken
// from a single pipe or vessel file with the limits of the command line.
std::optional<cases::ScreenTexts> LimitScreen(const std::string& path, const LimitOptions& options,
                                              std::string_view separator, LimitReport& report) {
    const std::optional<InputFileKind> kind = files::KindFromPath(path);
    const bool wanted = options.limitFiles
                            ? kind == InputFileKind::ThicknessLimit
                            : kind == InputFileKind::SinglePipe || kind == InputFileKind::Vessel;
    if (!wanted) {
        report.status = kExitUnusable;
        report.error = "The file \"" + path + "\" is not " +
                       (options.limitFiles ? "a thickness for a limit file (.inlim)."
                                           : "a single pipe or vessel file (.insp, .inv).");
        return std::nullopt;
    }
    auto checked = LoadChecked(*kind, path, separator);
    if (!checked) {
        report.status = checked.error().status;
        report.error = checked.error().messages.front();
        return std::nullopt;
    }
    const cases::ScreenTexts& loaded = checked.value();
    if (*kind == InputFileKind::ThicknessLimit)
        return loaded;
    cases::ScreenTexts screen = cases::ThicknessLimitTextsOf(loaded);
    screen.texts["Text10"] = options.maxSurface.value_or("");
    screen.texts["Text11"] = options.maxLoss.value_or("");
    if (options.standard)
        screen.texts[std::string(cases::kStandardListField)] = *options.standard;
    return screen;
}

LimitReport CalculateLimitFile(const std::string& path, const LimitOptions& options,
                               std::string_view separator) {
    LimitReport report;
    report.file = path;
    const std::optional<cases::ScreenTexts> screen = LimitScreen(path, options, separator, report);
    if (!screen)
        return report;
    report.listIndex = std::clamp(screen->listIndex, 0, 3);
    const std::vector<std::string> missing = cases::ThicknessLimitMissing(*screen);
    if (!missing.empty()) {
        report.status = kExitFailed;
        report.error = cases::MissingValueMessage(*screen, missing.front());
        return report;
    }
    auto input = cases::ThicknessLimitInputOf(*screen, separator);
    if (input)
        report.input = input.value();
    auto result = cases::CalculateThicknessLimit(*screen, separator);
    if (!result) {
        report.status = kExitFailed;
        report.error = result.error().message;
        return report;
    }
    report.result = result.value();
    report.screen = *screen;
    return report;
}

void PrintLimit(const LimitReport& report, std::ostream& out, std::string_view separator) {
    const auto object = LimitObjectOfListIndex(report.listIndex);
    const cases::ThicknessLimitTexts texts =
        cases::ThicknessLimitResultTexts(*report.result, object, separator);
    const cases::ThicknessLimitCaptions captions =
        cases::ThicknessLimitResultCaptions(report.listIndex);
    out << report.file << ": thickness for a limit, "
        << cases::kLimitObjects[static_cast<std::size_t>(report.listIndex)] << "\n";
    // A marked value's text followed by "*", an unmarked one by a blank where
    // others are marked, as the other outputs show them.
    const Marks marks = cases::MarksOf(*report.result);
    const auto marked = [&](const std::string& text, const ValueFlags& flags) {
        return marks.any() ? text + (flags.any() ? "*" : " ") : text;
    };
    const ValueFlags noFlags;
    const ValueFlags& standardFlags =
        report.result->standard ? report.result->standard->flags : noFlags;
    const std::vector<std::vector<std::string>> rows = {
        {"", "", captions.heatLoss, captions.surfaceTemperature},
        {captions.surfaceThickness, texts.surfaceThickness},
        {captions.lossThickness, texts.lossThickness},
        {captions.thickness, texts.thickness, marked(texts.heatLoss, report.result->answer.flags),
         marked(texts.surfaceTemperature, report.result->answer.flags)},
        {captions.standardThickness, texts.standardThickness,
         marked(texts.standardHeatLoss, standardFlags),
         marked(texts.standardSurfaceTemperature, standardFlags)},
    };
    std::vector<std::size_t> widths(4, 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    for (const auto& row : rows) {
        std::string line = "  ";
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string padding(widths[i] - row[i].size(), ' ');
            line += i == 0 ? row[i] + padding : "  " + padding + row[i];
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << "\n";
    }
    if (!texts.standardNote.empty())
        out << "  " << texts.standardNote << "\n";
    out << "  " << captions.governing << ": " << texts.governing << "\n";
    if (!texts.range.empty())
        out << "  " << texts.range << "\n";
    if (marks.any())
        out << "  * " << marks.note() << "\n";
}

Json PointJson(const ThicknessPoint& point) {
    Json json;
    json["thickness"] = point.thickness;
    json["heat_loss"] = point.HeatLoss;
    json["surface_temperature"] = point.Tsurface;
    json["outside_air_data"] = point.flags.outsideAirData;
    json["approximate"] = point.flags.approximate;
    return json;
}

Json OptionalJson(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json LimitJson(const LimitReport& report) {
    Json json;
    json["file"] = report.file;
    if (report.status != kExitOk) {
        json["error"] = report.error;
        return json;
    }
    const ThicknessLimitResult& r = *report.result;
    json["kind"] = "thickness-limit";
    json["object"] = ObjectJsonName(report.listIndex);
    json["max_surface"] = OptionalJson(report.input->maxSurface);
    json["max_loss"] = OptionalJson(report.input->maxLoss);
    json["surface_thickness"] = OptionalJson(r.surfaceThickness);
    json["loss_thickness"] = OptionalJson(r.lossThickness);
    json["governing"] = r.governing == Governing::Surface ? "surface"
                        : r.governing == Governing::Loss  ? "loss"
                                                          : "both";
    json["answer"] = PointJson(r.answer);
    json["met_up_to"] = r.metUpTo;
    json["standard"] = r.standard ? PointJson(*r.standard) : Json(nullptr);
    if (!r.standardError.empty())
        json["standard_error"] = r.standardError;
    return json;
}

} // namespace

std::string_view ObjectJsonName(int listIndex) {
    static constexpr std::string_view kObjects[] = {"pipe", "rectangular", "horizontal-cylinder",
                                                    "vertical-cylinder"};
    return kObjects[std::clamp(listIndex, 0, 3)];
}

bool IsLimitCommand(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        const std::string name = arg.substr(0, arg.find('='));
        if (name == "--limit" || name == "--max-surface" || name == "--max-loss" ||
            name == "--standard")
            return true;
    }
    return false;
}

int RunLimit(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
             std::string_view decimalSeparator, const ReportWriter& writeReport) {
    const std::optional<LimitOptions> options = ParseLimitArguments(args, decimalSeparator, err);
    if (!options)
        return kExitUnusable;
    return RunEachFile<LimitReport>(
        options->files, options->json, options->report, writeReport, out, err,
        [&](const std::string& file) {
            return CalculateLimitFile(file, *options, decimalSeparator);
        },
        [](const LimitReport& report) {
            return LimitJson(report).dump(-1, ' ', false, Json::error_handler_t::replace);
        },
        [&](const LimitReport& report, std::ostream& to) {
            PrintLimit(report, to, decimalSeparator);
        });
}

std::string LimitUsage() {
    return "\n"
           "Thickness for a limit:\n"
           "       termiva-calc [--json] --limit FILE.inlim...\n"
           "       termiva-calc --report OUTPUT.pdf [--project TEXT] [--prepared-by TEXT] "
           "FILE.inlim\n"
           "       termiva-calc [--json] --max-surface C [--max-loss Q] [--standard LIST] "
           "FILE.insp|FILE.inv...\n"
           "The smallest insulation thickness (0.1 mm steps, up to 1000 mm) that keeps the\n"
           "surface temperature at or below C oC and/or the heat loss at or below Q (W/m for\n"
           "a pipe, W for a vessel) at that thickness and every thickness above it, up to\n"
           "the highest thickness where they hold (a vessel's loss may rise again).\n"
           "\n"
           "  --limit            the files are thickness for a limit files (.inlim)\n"
           "  --max-surface C    the highest outside surface temperature, oC\n"
           "  --max-loss Q       the highest heat loss, W/m (pipe) or W (vessel)\n"
           "  --standard LIST    the standard thicknesses in mm, e.g. \"20 25 30 40\"\n"
           "                     (default 20 to 200 mm)\n";
}

} // namespace termiva::cli
