// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calc.h"

#include "cases/calculator.h"
#include "cases/case_fields.h"
#include "cases/case_file.h"
#include "cases/case_records.h"
#include "cases/diameter_table_case.h"
#include "cases/pipe_group_case.h"
#include "cases/raised_loss.h"
#include "cases/result_marks.h"
#include "cases/single_pipe_case.h"
#include "cases/vessel_case.h"
#include "cli/arguments.h"
#include "cli/economics_calc.h"
#include "cli/limit_calc.h"
#include "files/atomic_write.h"
#include "files/diagram_export.h"
#include "files/input_file.h"
#include "support/version.h"
#include "text/number_text.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>

namespace termiva::cli {

namespace {

using cases::ScreenTexts;
using files::InputFileKind;
using Json = nlohmann::ordered_json;

struct Options {
    bool json = false;
    bool table = false; // single pipe files: the diameter table instead of the results
    bool help = false;
    bool version = false;
    std::string workbook;     // where the exported copy of the template goes
    std::string templatePath; // the template to copy; found beside the program when empty
    ReportRequest report;     // --report: the PDF, when its path is not empty
    std::vector<std::string> files;
};

// What became of one file: an error, or the results of its kind.
struct FileReport {
    std::string file;
    int status = kExitOk;
    std::vector<std::string> errors;
    std::optional<InputFileKind> kind;
    int shape = 0; // vessel shape number
    std::optional<SinglePipeResult> singlePipe;
    std::optional<VesselResult> vessel;
    std::optional<PipeGroupResult> pipeGroup;
    std::optional<DiameterTable> table;
    std::optional<files::DiagramExportData> exported; // --workbook: what the export writes
    std::optional<ScreenTexts> screen;                // the texts as loaded, for --report
};

std::optional<Options> ParseArguments(const std::vector<std::string>& args, std::ostream& err) {
    Options options;
    const std::vector<Option> table = {
        {"--json", {}, false, {}, SetFlag(options.json)},
        {"--table", {}, false, {}, SetFlag(options.table)},
        {"--help", "-h", false, {}, SetFlag(options.help)},
        {"--version", {}, false, {}, SetFlag(options.version)},
        {"--workbook", {}, true, "needs a file name", SetText(options.workbook)},
        {"--template", {}, true, "needs a file name", SetText(options.templatePath)},
        {"--report", {}, true, "needs a file name", SetText(options.report.path)},
        {"--project", {}, true, {}, SetText(options.report.project)},
        {"--prepared-by", {}, true, {}, SetText(options.report.preparedBy)},
    };
    auto files = ParseOptions(args, table, {}, err);
    if (!files)
        return std::nullopt;
    options.files = std::move(*files);
    if (options.help || options.version)
        return options;
    if (options.files.empty())
        return UsageError(err, "no input file given");
    if (!options.templatePath.empty() && options.workbook.empty())
        return UsageError(err, "--template is used only with --workbook");
    if (!options.report.path.empty() && options.files.size() != 1)
        return UsageError(err, "--report writes the report of one input file");
    if (options.report.path.empty() &&
        (!options.report.project.empty() || !options.report.preparedBy.empty()))
        return UsageError(err, "--project and --prepared-by are used only with --report");
    if (!options.workbook.empty()) {
        if (!options.report.path.empty() && files::SameFile(options.workbook, options.report.path))
            return UsageError(err, "--workbook and --report name the same file");
        if (options.files.size() != 1)
            return UsageError(err, "--workbook writes one workbook: give one single pipe file");
        options.table = true;
    }
    return options;
}

template <class T>
void Take(const cases::CaseResult<T>& result, std::optional<T>& into, FileReport& report) {
    if (result) {
        into = result.value();
    } else {
        report.status = kExitFailed;
        report.errors = {result.error().message};
    }
}

// Writes the exported copy of the template; the template itself is only read.
void WriteWorkbook(FileReport& report, const Options& options, const std::string& programFolder) {
    std::string templatePath = options.templatePath;
    if (templatePath.empty())
        templatePath = FindTemplate(programFolder);
    if (templatePath.empty()) {
        report.status = kExitUnusable;
        report.errors = {"The workbook template Template.xlsx was not found beside the program or "
                         "in ../share/termiva; name it with --template."};
        return;
    }
    if (auto error = files::ExportDiagramCopy(templatePath, options.workbook, *report.exported)) {
        report.status = kExitUnusable;
        report.errors = {error->message};
    }
}

FileReport CalculateFile(const std::string& path, const Options& options,
                         std::string_view separator) {
    FileReport report;
    report.file = path;
    report.kind = files::KindFromPath(path);
    if (!report.kind) {
        report.status = kExitUnusable;
        report.errors = {"The file \"" + path +
                         "\" is not an input data file: its name does not end in .insp, .inv "
                         "or .inmp."};
        return report;
    }
    if (*report.kind == InputFileKind::ThicknessLimit) {
        report.status = kExitUnusable;
        report.errors = {"The file \"" + path + "\" is a thickness for a limit file: use --limit."};
        return report;
    }
    if (*report.kind == InputFileKind::Economics) {
        report.status = kExitUnusable;
        report.errors = {"The file \"" + path + "\" is an energy and cost file: use --economics."};
        return report;
    }
    if (!options.workbook.empty() && *report.kind != InputFileKind::SinglePipe) {
        report.status = kExitUnusable;
        report.errors = {"--workbook exports the diagram of a single pipe file (.insp): \"" + path +
                         "\" is not one."};
        return report;
    }
    auto loaded = LoadChecked(*report.kind, path, separator);
    if (!loaded) {
        report.status = loaded.error().status;
        report.errors = loaded.error().messages;
        return report;
    }
    const ScreenTexts& screen = report.screen.emplace(std::move(loaded).value());
    // What termiva-calc computes of each calculator's file.
    using Compute = void (*)(FileReport&, const ScreenTexts&, const Options&, std::string_view);
    static const std::pair<std::string_view, Compute> kComputes[] = {
        {"single-pipe",
         [](FileReport& into, const ScreenTexts& texts, const Options& with, std::string_view sep) {
             if (!with.table) {
                 Take(cases::CalculateSinglePipe(texts, sep), into.singlePipe, into);
                 return;
             }
             Take(cases::CalculateDiameterTable(texts, sep), into.table, into);
             if (into.table && !with.workbook.empty())
                 into.exported =
                     cases::DiagramExportOf(texts, cases::TableTexts(*into.table, sep), sep);
         }},
        {"vessel",
         [](FileReport& into, const ScreenTexts& texts, const Options&, std::string_view sep) {
             into.shape = ShapeNumberOfVesselListIndex(texts.listIndex);
             Take(cases::CalculateVessel(texts, sep), into.vessel, into);
         }},
        {"multiple-pipes",
         [](FileReport& into, const ScreenTexts& texts, const Options&, std::string_view sep) {
             Take(cases::CalculatePipeGroup(texts, sep), into.pipeGroup, into);
         }},
    };
    const std::string_view id = cases::CalculatorOf(*report.kind).id;
    for (const auto& [calculator, compute] : kComputes) {
        if (calculator == id)
            compute(report, screen, options, separator);
    }
    return report;
}

// A loss that insulation raises is computed and said so.
void PrintRaisedNote(std::ostream& out, const std::string& note) {
    if (!note.empty())
        out << "  " << note << "\n";
}

void PrintPlain(const FileReport& report, std::ostream& out, std::string_view separator) {
    const std::string tsurface(cases::kTsurfaceHeading);
    std::vector<std::vector<std::string>> rows;
    if (report.singlePipe) {
        out << report.file << ": single pipe\n";
        const cases::SinglePipeTexts texts =
            cases::SinglePipeResultTexts(*report.singlePipe, separator);
        const cases::Marks marks = cases::MarksOf(*report.singlePipe);
        rows.push_back({"", std::string(cases::kPipeLossHeading), tsurface});
        for (std::size_t i = 0; i < texts.heatLoss.size(); ++i) {
            const ValueFlags& flags = report.singlePipe->flags[i];
            rows.push_back({std::string(cases::kSinglePipeResultCaptions[i]),
                            Marked(texts.heatLoss[i], flags, marks),
                            Marked(texts.surfaceTemperature[i], flags, marks)});
        }
        PrintColumns(out, rows);
        PrintRaisedNote(out,
                        cases::SinglePipeRaisedNote(*report.screen, *report.singlePipe, separator));
        PrintFootnote(out, marks);
    } else if (report.vessel) {
        out << report.file << ": vessel, "
            << cases::kVesselShapes[static_cast<std::size_t>(
                   VesselListIndexOfShapeNumber(report.shape))]
            << "\n";
        const cases::VesselTexts texts = cases::VesselResultTexts(*report.vessel, separator);
        const cases::Marks marks = cases::MarksOf(*report.vessel);
        rows.push_back({"", std::string(cases::kVesselLossHeading), tsurface});
        for (std::size_t i = 0; i < texts.heatLoss.size(); ++i) {
            const ValueFlags& flags = report.vessel->flags[i];
            rows.push_back({std::string(cases::kVesselResultCaptions[i]),
                            Marked(texts.heatLoss[i], flags, marks),
                            Marked(texts.surfaceTemperature[i], flags, marks)});
        }
        PrintColumns(out, rows);
        PrintRaisedNote(out, cases::VesselRaisedNote(*report.screen, *report.vessel, separator));
        PrintFootnote(out, marks);
    } else if (report.pipeGroup) {
        out << report.file << ": multiple pipes\n";
        const auto& headings = cases::kPipeTableHeadings;
        rows.push_back({std::string(headings[0]), std::string(headings[1]),
                        std::string(headings[5]), std::string(headings[6])});
        const cases::PipeGroupTexts texts =
            cases::PipeGroupResultTexts(*report.pipeGroup, separator);
        const cases::Marks marks = cases::MarksOf(*report.pipeGroup);
        for (std::size_t i = 0; i < texts.rows.size(); ++i) {
            if (!texts.rows[i])
                continue;
            const cases::PipeRowSize size =
                cases::PipeRowSizeTexts(cases::kFirstPipeRow + static_cast<int>(i), separator);
            const PipeRowResult& row = report.pipeGroup->rows[i];
            rows.push_back({size.nominal, size.outside,
                            Marked(texts.rows[i]->bare, row.bareFlags, marks),
                            Marked(texts.rows[i]->insulated, row.insFlags, marks)});
        }
        PrintColumns(out, rows, false);
        PrintColumns(out, {{std::string(cases::kPipeGroupTotalCaptions[0]),
                            Marked(texts.bareTotal, report.pipeGroup->bareTotalFlags, marks)},
                           {std::string(cases::kPipeGroupTotalCaptions[1]),
                            Marked(texts.insulatedTotal, report.pipeGroup->insTotalFlags, marks)}});
        PrintRaisedNote(out,
                        cases::PipeGroupRaisedNote(*report.screen, *report.pipeGroup, separator));
        PrintFootnote(out, marks);
    } else if (report.table) {
        out << report.file << ": standard diameter table\n";
        rows.push_back({"D [mm]", "bare [W/m]"});
        for (int j = 1; j <= 5; ++j)
            rows.front().push_back("tins" + std::to_string(j) + " [W/m]");
        const cases::Marks marks = cases::MarksOf(*report.table);
        const cases::DiameterTableTexts texts = cases::TableTexts(*report.table, separator);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            std::vector<std::string> cells;
            for (std::size_t c = 0; c < texts[i].size(); ++c)
                cells.push_back(c == 0 ? texts[i][c]
                                       : Marked(texts[i][c], report.table->flags[i][c], marks));
            rows.push_back(std::move(cells));
        }
        PrintColumns(out, rows, false);
        PrintFootnote(out, marks);
    }
}

template <std::size_t N> Json OutsideAirData(const std::array<ValueFlags, N>& flags) {
    Json values = Json::array();
    for (const ValueFlags& f : flags)
        values.push_back(f.outsideAirData);
    return values;
}

Json ToJson(const FileReport& report) {
    Json json;
    json["file"] = report.file;
    if (report.status != kExitOk) {
        std::string message;
        for (const std::string& error : report.errors)
            message += (message.empty() ? "" : "; ") + error;
        json["error"] = message;
    } else if (report.singlePipe) {
        json["kind"] = "single-pipe";
        json["heat_loss"] = report.singlePipe->HeatLoss;
        json["surface_temperature"] = report.singlePipe->Tsurface;
        json["outside_air_data"] = OutsideAirData(report.singlePipe->flags);
    } else if (report.vessel) {
        json["kind"] = "vessel";
        json["shape"] = report.shape;
        json["heat_loss"] = report.vessel->HeatLoss;
        json["surface_temperature"] = report.vessel->Tsurface;
        json["outside_air_data"] = OutsideAirData(report.vessel->flags);
        Json approximate = Json::array();
        Json imbalance = Json::array();
        for (const ValueFlags& flags : report.vessel->flags) {
            approximate.push_back(flags.approximate);
            imbalance.push_back(flags.imbalance);
        }
        json["approximate"] = std::move(approximate);
        json["imbalance"] = std::move(imbalance);
    } else if (report.pipeGroup) {
        json["kind"] = "multiple-pipes";
        Json rows = Json::array();
        for (std::size_t i = 0; i < report.pipeGroup->rows.size(); ++i) {
            const PipeRowResult& row = report.pipeGroup->rows[i];
            if (!row.used)
                continue;
            Json entry;
            entry["row"] = 13 + static_cast<int>(i);
            entry["nominal"] = static_cast<int>(kPipeGroupSizes[i].NO);
            entry["outside_diameter"] = kPipeGroupSizes[i].OD;
            entry["bare"] = row.Qbare;
            entry["insulated"] = row.Qins;
            entry["bare_outside_air_data"] = row.bareFlags.outsideAirData;
            entry["insulated_outside_air_data"] = row.insFlags.outsideAirData;
            rows.push_back(std::move(entry));
        }
        json["rows"] = std::move(rows);
        json["bare_total"] = report.pipeGroup->QbareTotal;
        json["insulated_total"] = report.pipeGroup->QinsTotal;
        json["bare_total_outside_air_data"] = report.pipeGroup->bareTotalFlags.outsideAirData;
        json["insulated_total_outside_air_data"] = report.pipeGroup->insTotalFlags.outsideAirData;
    } else if (report.table) {
        json["kind"] = "diameter-table";
        json["rows"] = report.table->rows;
        Json marks = Json::array();
        for (const auto& row : report.table->flags)
            marks.push_back(OutsideAirData(row));
        json["outside_air_data"] = std::move(marks);
    }
    return json;
}

// Display width of a UTF-8 text: one column per character.
std::size_t Columns(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

Expected<cases::ScreenTexts, LoadFailure>
LoadChecked(files::InputFileKind kind, const std::string& path, std::string_view decimalSeparator) {
    auto loaded = cases::LoadCaseFile(kind, path, decimalSeparator);
    if (loaded)
        return std::move(loaded).value();
    const bool unusable = loaded.error().fault == cases::CaseFileError::Fault::Unreadable;
    return LoadFailure{unusable ? kExitUnusable : kExitFailed, loaded.error().messages};
}

std::optional<std::string> WriteRequestedReport(const ReportRequest& request,
                                                const ReportWriter& writeReport,
                                                const cases::ScreenTexts& screen,
                                                const std::string& file) {
    // The input file would be lost under the PDF.
    if (files::SameFile(request.path, file))
        return "The report would replace the input file \"" + file +
               "\"; name another file with --report.";
    return writeReport(screen, file, request);
}

void PrintColumns(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                  bool captionColumn) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], Columns(row[i]));
    }
    for (const auto& row : rows) {
        std::string line = "  ";
        for (std::size_t i = 0; i < row.size(); ++i) {
            std::string padding(widths[i] - Columns(row[i]), ' ');
            if (i > 0)
                line += "  ";
            line += i == 0 && captionColumn ? row[i] + padding : padding + row[i];
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << "\n";
    }
}

std::string Marked(const std::string& text, const ValueFlags& flags, const cases::Marks& marks) {
    if (!marks.any())
        return text;
    return text + (flags.any() ? "*" : " ");
}

void PrintFootnote(std::ostream& out, const cases::Marks& marks) {
    if (marks.any())
        out << "  * " << marks.note() << "\n";
}

std::string Usage() {
    return "Usage: termiva-calc [--json] [--table] FILE...\n"
           "       termiva-calc [--json] --table --workbook OUTPUT.xlsx [--template PATH] "
           "FILE.insp\n"
           "       termiva-calc --report OUTPUT.pdf [--project TEXT] [--prepared-by TEXT] FILE\n"
           "Calculates saved input data files as their screens do on \"Calculation\":\n"
           "single pipe (.insp), vessel (.inv) and multiple pipes (.inmp) files.\n"
           "\n"
           "  --json             one JSON object per file and line, numbers in full precision\n"
           "  --table            for single pipe files, the standard diameter table of\n"
           "                     \"Diagram\" instead of the single pipe results\n"
           "  --workbook OUTPUT  also write the workbook \"Diagram\" exports, a copy of the\n"
           "                     template filled with the table, to OUTPUT (implies --table;\n"
           "                     one single pipe file)\n"
           "  --template PATH    the workbook template to copy; by default Template.xlsx\n"
           "                     beside the program, else ../share/termiva/Template.xlsx\n"
           "  --report OUTPUT    also write the calculation report of the file as a PDF\n"
           "                     (A4) to OUTPUT (one input file)\n"
           "  --project TEXT, --prepared-by TEXT\n"
           "                     the project and the engineer the report names\n"
           "  --help             show this text\n"
           "  --version          show the program's version\n"
           "\n"
           "Numbers are read and shown with the decimal separator of the system locale.\n"
           "Exit status: 0 every file calculated; 1 an input check or a calculation\n"
           "failed, or a file is of another kind than its name says; 2 a usage error,\n"
           "a file that is not a readable input data file, or a workbook or report that\n"
           "could not be written.\n" +
           LimitUsage() + EconomicsUsage();
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::string_view decimalSeparator, const std::string& programFolder,
        const ReportWriter& writeReport) {
    const bool help = std::find(args.begin(), args.end(), "--help") != args.end();
    if (!help && IsLimitCommand(args))
        return RunLimit(args, out, err, decimalSeparator, writeReport);
    if (!help && IsEconomicsCommand(args))
        return RunEconomics(args, out, err, decimalSeparator, writeReport);
    const std::optional<Options> options = ParseArguments(args, err);
    if (!options)
        return kExitUnusable;
    // The report of a limit or an energy and cost file needs no --limit or
    // --economics: the file says what it is.
    if (!options->help && !options->version && !options->report.path.empty() && !options->table &&
        options->files.size() == 1) {
        const std::optional<InputFileKind> kind = files::KindFromPath(options->files.front());
        const bool limit = kind == InputFileKind::ThicknessLimit;
        if (limit || kind == InputFileKind::Economics) {
            std::vector<std::string> own = {limit ? "--limit" : "--economics"};
            own.insert(own.end(), args.begin(), args.end());
            return limit ? RunLimit(own, out, err, decimalSeparator, writeReport)
                         : RunEconomics(own, out, err, decimalSeparator, writeReport);
        }
    }
    if (!options->report.path.empty() && !writeReport) {
        err << "termiva-calc: this program cannot write reports\n";
        return kExitUnusable;
    }
    if (options->help) {
        out << Usage();
        return kExitOk;
    }
    if (options->version) {
        out << "termiva-calc " << kVersion << "\n" << kLicenceNotice;
        return kExitOk;
    }
    int status = kExitOk;
    bool first = true;
    for (const std::string& file : options->files) {
        FileReport report = CalculateFile(file, *options, decimalSeparator);
        if (report.status == kExitOk && report.exported) {
            if (files::SameFile(options->workbook, file)) {
                // The input file would be lost under the workbook.
                report.status = kExitUnusable;
                report.errors = {"The workbook would replace the input file \"" + file +
                                 "\"; name another file with --workbook."};
            } else {
                WriteWorkbook(report, *options, programFolder);
            }
        }
        if (report.status == kExitOk && !options->report.path.empty()) {
            if (auto error =
                    WriteRequestedReport(options->report, writeReport, *report.screen, file)) {
                report.status = kExitUnusable;
                report.errors = {*error};
            }
        }
        status = std::max(status, report.status);
        if (options->json) {
            // File names need not be UTF-8: replace what JSON cannot carry.
            out << ToJson(report).dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
        } else if (report.status != kExitOk) {
            // A file that could not be used is named by its message already.
            for (const std::string& error : report.errors) {
                err << "termiva-calc: "
                    << (report.status == kExitUnusable ? "" : report.file + ": ") << error << "\n";
            }
        } else {
            if (!first)
                out << "\n";
            first = false;
            PrintPlain(report, out, decimalSeparator);
        }
    }
    return status;
}

} // namespace termiva::cli
