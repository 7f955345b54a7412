// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/case_report.h"

#include "cases/calculator.h"
#include "cases/diameter_table_case.h"
#include "cases/economics_case.h"
#include "cases/pipe_group_case.h"
#include "cases/result_marks.h"
#include "cases/single_pipe_case.h"
#include "cases/thickness_limit_case.h"
#include "cases/vessel_case.h"
#include "engine/pipe_sizes.h"
#include "support/version.h"
#include "text/number_text.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>

namespace termiva::report {
namespace {

using cases::InputFileKind;
using cases::ScreenTexts;
using Report = Expected<ReportDocument, std::vector<std::string>>;

std::string S(std::string_view text) {
    return std::string(text);
}

ReportDocument Frame(const ScreenTexts& screen, const ReportContext& context) {
    ReportDocument document;
    document.programName = "TERMIVA";
    document.programVersion = std::string("Version ") + kVersion;
    document.dateTime = context.dateTime;
    document.screenTitle = S(cases::ScreenTitle(screen.kind));
    document.fileName = context.fileName;
    document.project = context.project;
    document.preparedBy = context.preparedBy;
    document.decimalSeparator = context.decimalSeparator;
    document.method = MethodText(context.decimalSeparator);
    return document;
}

// The field of the inputs whose caption names `symbol` ("(T1)"); null when none does.
const ReportField* FindInput(const ReportDocument& document, std::string_view symbol) {
    const std::string marker = "(" + S(symbol) + ")";
    for (const ReportGroup& group : document.inputs)
        for (const ReportField& field : group.fields)
            if (field.caption.find(marker) != std::string::npos)
                return &field;
    return nullptr;
}

// "T1 143 oC, Tout 20 oC": the inputs named by their symbols, as typed.
std::string InputPhrase(const ReportDocument& document,
                        std::initializer_list<std::string_view> symbols) {
    std::string phrase;
    for (std::string_view symbol : symbols) {
        const ReportField* field = FindInput(document, symbol);
        if (!field || field->value.empty())
            continue;
        if (!phrase.empty())
            phrase += ", ";
        phrase += S(symbol) + " " + field->value;
        if (!field->unit.empty() && field->unit != "-")
            phrase += " " + field->unit;
    }
    return phrase;
}

// The insulated row a reader looks at first: the thinnest that saves at least
// 80 % of the bare loss (losses fall as the insulation grows), else the one
// that loses least.
template <std::size_t N> std::size_t TellingRow(const std::array<double, N>& losses) {
    std::size_t chosen = 0;
    for (std::size_t i = 1; i < N; ++i) {
        const bool saves = losses[i] <= 0.2 * losses[0];
        const bool chosenSaves = chosen > 0 && losses[chosen] <= 0.2 * losses[0];
        if (chosen == 0 || (saves && (!chosenSaves || losses[i] > losses[chosen])) ||
            (!saves && !chosenSaves && losses[i] < losses[chosen]))
            chosen = i;
    }
    return chosen;
}

// ": bare loss 225.22 W/m; at 50 mm 32.42 W/m, 28.6 oC" of a loss table.
std::string LossPhrase(const ReportTable& table, std::size_t row, std::string_view unit) {
    const auto cell = [&](std::size_t r, std::size_t c) { return table.rows.at(r).at(c).text; };
    return ": bare loss " + cell(0, 0) + " " + S(unit) + "; at " + table.rowCaptions.at(row) + " " +
           cell(row, 0) + " " + S(unit) + ", " + cell(row, 1) + " oC";
}

// The screen's fields in screen order, grouped by their frames; the pipe
// rows go into a table of their own, a vessel's dimensions only as its shape
// shows them.
std::vector<ReportGroup> InputGroups(const ScreenTexts& screen) {
    std::vector<ReportGroup> groups;
    for (const cases::FieldSpec& field : cases::Fields(screen.kind)) {
        if (field.requirement == cases::Requirement::RowEntry)
            continue;
        if (screen.kind == InputFileKind::Vessel &&
            !cases::VesselUsesField(screen.listIndex, field.name))
            continue;
        if (screen.kind == InputFileKind::ThicknessLimit &&
            !cases::LimitUsesField(screen.listIndex, field.name))
            continue;
        if (screen.kind == InputFileKind::Economics &&
            !cases::EconomicsUsesField(screen.listIndex, field.name))
            continue;
        if (groups.empty() || groups.back().title != field.group)
            groups.push_back({S(field.group), {}});
        std::string unit = S(field.unit);
        if (screen.kind == InputFileKind::ThicknessLimit && field.name == "Text11" &&
            screen.listIndex > 0)
            unit = "W"; // a vessel's whole loss
        groups.back().fields.push_back(
            {cases::Caption(screen, field.name), screen.text(field.name), std::move(unit)});
    }
    return groups;
}

// The object list entry before the object's dimensions, as on the limit
// and the energy and cost screens.
void PrependObject(ReportDocument& document, const std::string& objectName) {
    if (!document.inputs.empty() && document.inputs.front().title == cases::kLimitObjectFrame) {
        auto& dimensions = document.inputs.front().fields;
        dimensions.insert(dimensions.begin(), {S(cases::kLimitObjectListCaption), objectName, ""});
    }
}

// "20 mm": the `i`-th insulation thickness (1-based) as typed.
std::string ThicknessCaption(const ScreenTexts& screen, std::size_t i) {
    return screen.text("Text" + std::to_string(9 + i)) + " mm";
}

// Loss and surface temperature rows, as the results frames show them, marked
// as the screen marks them.
// The rows name the insulation by its thickness ("20 mm"), not by its field.
template <std::size_t N>
ReportTable LossTable(const ScreenTexts& screen, std::string_view bare,
                      std::string_view lossHeading, const std::array<std::string, N>& losses,
                      const std::array<std::string, N>& temperatures,
                      const std::array<ValueFlags, N>& flags, const cases::Marks& marks) {
    ReportTable table;
    table.rowHeading = "Insulation thickness";
    table.columnHeadings = {S(lossHeading), S(cases::kTsurfaceHeading)};
    for (std::size_t i = 0; i < N; ++i) {
        table.rowCaptions.push_back(i == 0 ? S(bare) : ThicknessCaption(screen, i));
        table.rows.push_back({{losses[i], flags[i].any()}, {temperatures[i], flags[i].any()}});
    }
    table.flagNote = marks.note();
    return table;
}

Report SinglePipeReport(const ScreenTexts& screen, const ReportContext& context) {
    const std::string& separator = context.decimalSeparator;
    const auto result = cases::CalculateSinglePipe(screen, separator);
    if (!result)
        return std::vector<std::string>{result.error().message};
    const auto table = cases::CalculateDiameterTable(screen, separator);
    if (!table)
        return std::vector<std::string>{table.error().message};

    ReportDocument document = Frame(screen, context);
    document.inputs = InputGroups(screen);
    const auto entry = static_cast<std::size_t>(screen.listIndex);
    if (entry < kSinglePipeSizes.size() && !document.inputs.empty()) {
        auto& pipe = document.inputs.front().fields;
        pipe.insert(pipe.begin(),
                    {S(cases::kPipeSizeListCaption), S(kSinglePipeSizes[entry].text), ""});
    }
    const cases::SinglePipeTexts texts = cases::SinglePipeResultTexts(*result, separator);
    document.results.push_back(LossTable(screen, "Bare pipe", cases::kPipeLossHeading,
                                         texts.heatLoss, texts.surfaceTemperature, result->flags,
                                         cases::MarksOf(*result)));
    document.summary = "Single pipe " + InputPhrase(document, {"D2", "T1", "Tout"}) +
                       LossPhrase(document.results.front(), TellingRow(result->HeatLoss), "W/m");

    // The table and chart of "Diagram": the same 19 rows and series, named
    // by the thicknesses.
    std::vector<std::string> series = {"Bare Pipe"};
    for (std::size_t i = 1; i <= 5; ++i)
        series.push_back(ThicknessCaption(screen, i));
    const cases::DiameterTableTexts cells = cases::TableTexts(*table, separator);
    ReportTable diameters;
    diameters.title = "Heat loss over the standard outside diameters";
    diameters.rowHeading = "D [mm]";
    ReportChart chart;
    chart.title = "PIPE HEAT LOSS";
    chart.xAxisTitle = "Outside Pipe Diameter [mm]";
    chart.yAxisTitle = S(cases::kPipeLossHeading);
    // The bare pipe loses a hundred times what the thickest insulation does:
    // on a linear axis the insulated curves lie on the axis.
    chart.logarithmic = true;
    for (const std::string& name : series) {
        diameters.columnHeadings.push_back(name + " [W/m]");
        chart.series.push_back({name, {}});
    }
    for (std::size_t r = 0; r < cells.size(); ++r) {
        diameters.rowCaptions.push_back(cells[r][0]);
        std::vector<ReportCell> row;
        for (std::size_t c = 1; c < cells[r].size(); ++c) {
            row.push_back({cells[r][c], table->flags[r][c].any()});
            chart.series[c - 1].points.emplace_back(table->rows[r][0], table->rows[r][c]);
        }
        diameters.rows.push_back(std::move(row));
    }
    diameters.flagNote = cases::MarksOf(*table).note();
    document.supplementTitle = "Diagram";
    document.supplementTables.push_back(std::move(diameters));
    document.chart = std::move(chart);
    return document;
}

Report VesselReport(const ScreenTexts& screen, const ReportContext& context) {
    const auto result = cases::CalculateVessel(screen, context.decimalSeparator);
    if (!result)
        return std::vector<std::string>{result.error().message};

    constexpr std::array<const char*, 3> kSketches = {":/images/vessel_rectangular.svg",
                                                      ":/images/vessel_horizontal.svg",
                                                      ":/images/vessel_vertical.svg"};
    ReportDocument document = Frame(screen, context);
    const auto shape = static_cast<std::size_t>(screen.listIndex);
    const std::string shapeName =
        shape < cases::kVesselShapes.size() ? S(cases::kVesselShapes[shape]) : std::string();
    document.inputs.push_back({"", {{S(cases::kVesselListCaption), shapeName, ""}}});
    for (ReportGroup& group : InputGroups(screen))
        document.inputs.push_back(std::move(group));
    if (shape < kSketches.size()) {
        document.drawing = kSketches[shape];
        document.drawingTitle = shapeName;
    }
    const cases::VesselTexts texts = cases::VesselResultTexts(*result, context.decimalSeparator);
    document.results.push_back(LossTable(screen, "Bare vessel", cases::kVesselLossHeading,
                                         texts.heatLoss, texts.surfaceTemperature, result->flags,
                                         cases::MarksOf(*result)));
    document.summary = shapeName + " vessel " +
                       InputPhrase(document, {"L", "H", "W", "D", "T1", "Tout"}) +
                       LossPhrase(document.results.front(), TellingRow(result->HeatLoss), "W");
    return document;
}

Report MultiplePipesReport(const ScreenTexts& screen, const ReportContext& context) {
    const auto result = cases::CalculatePipeGroup(screen, context.decimalSeparator);
    if (!result)
        return std::vector<std::string>{result.error().message};

    ReportDocument document = Frame(screen, context);
    document.inputs = InputGroups(screen);
    const auto& headings = cases::kPipeTableHeadings;
    ReportTable pipes;
    pipes.title = S(cases::kPipeTableFrame);
    pipes.rowHeading = S(headings[0]);
    pipes.columnHeadings = {S(headings[1]), S(headings[2]), S(headings[3]), S(headings[4])};
    ReportTable losses;
    losses.rowHeading = S(headings[0]);
    losses.columnHeadings = {S(headings[1]), S(headings[5]), S(headings[6])};
    const cases::PipeGroupTexts texts =
        cases::PipeGroupResultTexts(*result, context.decimalSeparator);
    for (int r = cases::kFirstPipeRow; r <= cases::kLastPipeRow; ++r) {
        const auto& row = texts.rows[static_cast<std::size_t>(r - cases::kFirstPipeRow)];
        if (!row)
            continue; // only the rows in use
        // The fixed texts of the pipe table, with a point as the screen writes them.
        const cases::PipeRowSize size = cases::PipeRowSizeTexts(r, ".");
        pipes.rowCaptions.push_back(size.nominal);
        pipes.rows.push_back({{size.outside},
                              {screen.text(cases::RowName("Text3", r))},
                              {screen.text(cases::RowName("Text4", r))},
                              {screen.text(cases::RowName("Text5", r))}});
        losses.rowCaptions.push_back(size.nominal);
        const PipeRowResult& values =
            result->rows[static_cast<std::size_t>(r - cases::kFirstPipeRow)];
        losses.rows.push_back({{size.outside},
                               {row->bare, values.bareFlags.any()},
                               {row->insulated, values.insFlags.any()}});
    }
    document.inputTables.push_back(std::move(pipes));
    document.results.push_back(std::move(losses));

    ReportTable totals;
    totals.title = S(cases::kPipeGroupResultsFrame);
    totals.columnHeadings = {""};
    totals.rowCaptions = {S(cases::kPipeGroupTotalCaptions[0]),
                          S(cases::kPipeGroupTotalCaptions[1])};
    totals.rows = {{{texts.bareTotal, result->bareTotalFlags.any()}},
                   {{texts.insulatedTotal, result->insTotalFlags.any()}}};
    // Any marked row marks a total: the note stands once, under the totals.
    totals.flagNote = cases::MarksOf(*result).note();
    document.results.push_back(std::move(totals));
    const std::size_t sizes = document.results.front().rows.size();
    document.summary = "Multiple pipes, " + std::to_string(sizes) +
                       (sizes == 1 ? " pipe size, " : " pipe sizes, ") +
                       InputPhrase(document, {"T1", "Tout", "delta"}) + ": bare loss " +
                       texts.bareTotal + " kW; insulated " + texts.insulatedTotal + " kW";
    return document;
}

Report LimitReport(const ScreenTexts& screen, const ReportContext& context) {
    const std::string& separator = context.decimalSeparator;
    const auto input = cases::ThicknessLimitInputOf(screen, separator);
    if (!input)
        return std::vector<std::string>{input.error().message};
    const auto result = cases::CalculateThicknessLimit(screen, separator);
    if (!result)
        return std::vector<std::string>{result.error().message};

    ReportDocument document = Frame(screen, context);
    const auto object = static_cast<std::size_t>(screen.listIndex);
    const std::string objectName =
        object < cases::kLimitObjects.size() ? S(cases::kLimitObjects[object]) : std::string();
    document.inputs = InputGroups(screen);
    PrependObject(document, objectName);
    // The standard list stands in the limits frame, under the limits.
    if (!document.inputs.empty() && document.inputs.back().title == cases::kLimitsFrame)
        document.inputs.back().fields.push_back(
            {S(cases::kStandardListCaption), screen.text(cases::kStandardListField), "mm"});

    // The results frame: thickness boxes, then loss and surface temperature
    // beside the answer and the standard thickness, then the governing limit.
    const cases::ThicknessLimitTexts texts =
        cases::ThicknessLimitResultTexts(*result, input->object, separator);
    const cases::ThicknessLimitCaptions captions =
        cases::ThicknessLimitResultCaptions(screen.listIndex);
    const bool answerFlagged = result->answer.flags.any();
    const bool standardFlagged = result->standard && result->standard->flags.any();
    ReportTable table;
    table.columnHeadings = {"[mm]", captions.heatLoss, captions.surfaceTemperature};
    table.rowCaptions = {captions.surfaceThickness, captions.lossThickness, captions.thickness,
                         captions.standardThickness, captions.governing};
    table.rows = {
        {{texts.surfaceThickness}, {""}, {""}},
        {{texts.lossThickness}, {""}, {""}},
        {{texts.thickness},
         {texts.heatLoss, answerFlagged},
         {texts.surfaceTemperature, answerFlagged}},
        {{texts.standardThickness},
         {texts.standardHeatLoss, standardFlagged},
         {texts.standardSurfaceTemperature, standardFlagged}},
        {{texts.governing}, {""}, {""}},
    };
    table.flagNote = cases::MarksOf(*result).note();
    document.results.push_back(std::move(table));
    std::string limits;
    if (input->maxSurface)
        limits += ", Tsurface at most " + screen.text("Text10") + " oC";
    if (input->maxLoss)
        limits += ", loss at most " + screen.text("Text11") + " " +
                  (object == 0 ? std::string("W/m") : std::string("W"));
    document.summary = "Thickness for a limit, " + objectName + " " +
                       InputPhrase(document, {"D2", "L", "H", "W", "D", "T1", "Tout"}) + limits +
                       ": " + texts.thickness + " mm";
    if (result->standard)
        document.summary += "; next standard " + texts.standardThickness + " mm " +
                            texts.standardHeatLoss + " " +
                            (object == 0 ? std::string("W/m") : std::string("W")) + ", " +
                            texts.standardSurfaceTemperature + " oC";

    // The screen's chart: both quantities over the thickness, the limits as
    // flat lines and the answer as an upright one.
    const std::vector<ThicknessPoint> points = cases::ThicknessLimitCurve(*input, *result);
    const cases::ThicknessLimitChartTexts names = cases::ThicknessLimitChartTextsOf(screen);
    ReportChart chart;
    chart.xAxisTitle = names.thicknessAxis;
    chart.yAxisTitle = names.surface;
    chart.rightAxisTitle = names.loss;
    ReportSeries surface{names.surface, {}, false};
    ReportSeries loss{names.loss, {}, true};
    double hottest = input->Tout;
    for (const ThicknessPoint& p : points) {
        surface.points.emplace_back(p.thickness, p.Tsurface);
        loss.points.emplace_back(p.thickness, p.HeatLoss);
        hottest = std::max(hottest, p.Tsurface);
    }
    const double end = points.empty() ? 20 : points.back().thickness;
    chart.series.push_back(std::move(surface));
    chart.series.push_back(std::move(loss));
    if (input->maxSurface)
        chart.series.push_back(
            {names.surfaceLimit, {{0, *input->maxSurface}, {end, *input->maxSurface}}, false});
    if (input->maxLoss)
        chart.series.push_back(
            {names.lossLimit, {{0, *input->maxLoss}, {end, *input->maxLoss}}, true});
    chart.series.push_back({names.answer,
                            {{result->answer.thickness, std::min(input->Tout, 0.0)},
                             {result->answer.thickness, hottest}},
                            false});
    document.supplementTitle = "Surface temperature and heat loss over the insulation thickness";
    document.chart = std::move(chart);
    return document;
}

// How the money follows from the losses, with this case's factors.
std::vector<std::string> EconomicsMethod(const EconomicsResult& result,
                                         std::string_view separator) {
    const std::string pwf = cases::FormatNumber(result.presentWorthFactor, "0.0000", separator);
    const std::string a = cases::FormatNumber(result.annuityFactor, "0.000000", separator);
    return {
        "Each row's heat loss Q and surface temperature are those of the single pipe (the loss "
        "per metre times the pipe length L) or of the vessel calculation at that thickness.",
        ProseNumbers(
            "Per year: heat E = Q \u00b7 H / 10\u2076 [MWh/a], fuel F = E / \u03b7, energy "
            "cost C = F \u00b7 p and CO2 M = F \u00b7 f / 1000 [t/a]. The installed cost I "
            "is the candidate's cost per metre times L, or per m\u00b2 times the vessel's "
            "outer surface (the bare surface of the vessel calculation). Savings S = "
            "C(bare) \u2212 C; simple payback I / S, none where S \u2264 0.",
            separator),
        "Present-worth factor of the energy cost PWF = \u03a3 (1 + g)^(t \u2212 1) / (1 + i)^t "
        "over the years t = 1 \u2026 n = [1 \u2212 ((1 + g)/(1 + i))^n] / (i \u2212 g), n / (1 + "
        "i) when i = g; annuity factor a = i (1 + i)^n / ((1 + i)^n \u2212 1), 1 / n when i = 0. "
        "Here PWF = " +
            pwf + " and a = " + a +
            ". Life-cycle cost LCC = I + C \u00b7 PWF; net present value NPV = S \u00b7 PWF "
            "\u2212 I; equivalent annual cost LCC \u00b7 a = I \u00b7 a (insulation) + C "
            "\u00b7 PWF \u00b7 a (energy); CO2 avoided = (M(bare) \u2212 M) \u00b7 n.",
        "The economic thickness is the candidate of least life-cycle cost, the thinner one on a "
        "tie. Where it is the thickest candidate, a thicker one may cost less still: extend the "
        "list.",
    };
}

Report EconomicsReport(const ScreenTexts& screen, const ReportContext& context) {
    const std::string& separator = context.decimalSeparator;
    const cases::EconomicsTexts texts = cases::EconomicsTextsOf(screen);
    const auto result = cases::CalculateEconomics(texts, separator);
    if (!result)
        return std::vector<std::string>{result.error().message};

    ReportDocument document = Frame(screen, context);
    const int listIndex = std::clamp(screen.listIndex, 0, 3);
    const bool pipe = listIndex == 0;
    const std::string objectName = S(cases::kLimitObjects[static_cast<std::size_t>(listIndex)]);
    const std::string currency = texts.currency();
    document.inputs = InputGroups(screen);
    PrependObject(document, objectName);
    if (!document.inputs.empty() && document.inputs.back().title == cases::kEconomicsMoneyFrame)
        document.inputs.back().fields.push_back(
            {S(cases::kCurrencyCaption), screen.text(cases::kCurrencyField), ""});
    const std::array<std::string, 2> candidateHeadings =
        cases::CandidateHeadings(listIndex, currency);
    ReportTable candidates;
    candidates.title = S(cases::kCandidatesFrame);
    candidates.rowHeading = "Candidate";
    candidates.columnHeadings = {candidateHeadings.begin(), candidateHeadings.end()};
    for (std::size_t r = 0; r < texts.candidates.size(); ++r) {
        candidates.rowCaptions.push_back(std::to_string(r + 1));
        candidates.rows.push_back({{texts.candidates[r].thickness}, {texts.candidates[r].cost}});
    }
    document.inputTables.push_back(std::move(candidates));

    // The result table as the screen shows it, its columns in two tables that
    // fit the page: the energy, then the money; the rows named by thickness.
    const cases::EconomicsResultTexts shown =
        cases::EconomicsResultTextsOf(*result, listIndex, currency, separator);
    const std::array<std::string, 9> headings = cases::EconomicsColumnHeadings(currency);
    ReportTable energy;
    energy.title = "Heat loss, energy and CO2";
    ReportTable money;
    money.title = "Costs";
    for (ReportTable* table : {&energy, &money})
        table->rowHeading = "Insulation thickness";
    constexpr std::size_t kFirstMoneyColumn = 4; // energy cost
    for (std::size_t c = 1; c < headings.size(); ++c) {
        const bool energyColumn = c < kFirstMoneyColumn || c == 5; // CO2 beside the heat
        (energyColumn ? energy : money).columnHeadings.push_back(headings[c]);
    }
    for (std::size_t r = 0; r < shown.rows.size(); ++r) {
        const EconomicsRow& row = result->rows[r];
        std::string caption = r == 0 ? std::string(pipe ? "Bare pipe" : "Bare vessel")
                                     : text::ToText(row.loss.point.thickness, separator) + " mm";
        if (shown.rows[r].economic)
            caption += " (economic)";
        const std::array<std::string, 9> cells = shown.rows[r].cells();
        const bool flagged = row.loss.point.flags.any();
        std::vector<ReportCell>& energyRow = energy.rows.emplace_back();
        std::vector<ReportCell>& moneyRow = money.rows.emplace_back();
        for (std::size_t c = 1; c < cells.size(); ++c) {
            const bool energyColumn = c < kFirstMoneyColumn || c == 5;
            (energyColumn ? energyRow : moneyRow).push_back({cells[c], flagged && c <= 2});
        }
        energy.rowCaptions.push_back(caption);
        money.rowCaptions.push_back(std::move(caption));
    }
    energy.flagNote = cases::MarksOf(*result).note();
    document.results.push_back(std::move(energy));
    document.results.push_back(std::move(money));
    document.summary = "Energy and cost, " + objectName + " " +
                       InputPhrase(document, {"D2", "L", "H", "W", "D", "T1", "Tout"}) + ": " +
                       shown.verdict;
    std::vector<std::string> method = EconomicsMethod(*result, separator);
    document.method.insert(document.method.end(), method.begin(), method.end());

    // The equivalent annual costs over the thickness, the economic thickness
    // as an upright line.
    ReportChart chart;
    chart.xAxisTitle = "Insulation thickness [mm]";
    chart.yAxisTitle = "Equivalent annual cost [" + currency + "/a]";
    ReportSeries insulationCost{"Insulation (I \u00b7 a)", {}, false};
    ReportSeries energyCost{"Energy (C \u00b7 PWF \u00b7 a)", {}, false};
    ReportSeries sum{"Sum (LCC \u00b7 a)", {}, false};
    // The candidates only: the bare object's energy cost would flatten the
    // curves around their least sum (it stands in the tables).
    double highest = 0;
    for (std::size_t r = 1; r < result->rows.size(); ++r) {
        const EconomicsRow& row = result->rows[r];
        const double t = row.loss.point.thickness;
        insulationCost.points.emplace_back(t, row.insulationAnnualCost);
        energyCost.points.emplace_back(t, row.energyAnnualCost);
        sum.points.emplace_back(t, row.equivalentAnnualCost);
        highest = std::max(highest, row.equivalentAnnualCost);
    }
    chart.series = {std::move(insulationCost), std::move(energyCost), std::move(sum)};
    const double economic = result->rows[result->economic].loss.point.thickness;
    chart.series.push_back({"Economic thickness", {{economic, 0}, {economic, highest}}, false});
    document.supplementTitle = "Equivalent annual costs over the insulation thickness";
    document.chart = std::move(chart);
    return document;
}

} // namespace

std::string NowText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", &local);
    return buffer;
}

std::string ProseNumbers(std::string text, std::string_view separator) {
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const auto digit = [&](std::size_t at) {
            return std::isdigit(static_cast<unsigned char>(text[at])) != 0;
        };
        if (text[i] == '.' && digit(i - 1) && digit(i + 1)) {
            text.replace(i, 1, separator);
            i += separator.size() - 1;
        }
    }
    return text;
}

std::vector<std::string> MethodText(std::string_view decimalSeparator) {
    static const std::vector<std::string> method = {
        "Heat flows from the fluid through the insulation to the outside surface and from there "
        "to the surrounding air. The bare surface is taken at the fluid temperature: the inside "
        "film and the wall add no resistance.",
        "The outside coefficient is the sum of free convection, from Nusselt correlations for "
        "horizontal pipes, vertical walls, flat tops and bottoms and horizontal cylinders, "
        "multiplied by the wind coefficient WC, and radiation, e \u00b7 5.7 \u00b7 "
        "[((Ts + 273.15)/100)\u2074 \u2212 ((Tout + 273.15)/100)\u2074] / (Ts \u2212 Tout).",
        "Under insulation the surface temperature Ts follows from the balance between conduction "
        "through the insulation (conductivity k) and the outside coefficient, solved "
        "iteratively.",
        "The properties of air (density, specific heat, conductivity, viscosity) are "
        "polynomials of the temperature that follow real air up to about 500 \u00b0C. Values "
        "computed with them beyond " +
            DegreesText(kDensityDataLimit) + " \u00b0C at the film or " +
            DegreesText(kPropertyDataLimit) +
            " \u00b0C at the surface are marked with * and can be far off; so are vessel values "
            "whose heat balance did not close to within 1 % of the loss.",
    };
    std::vector<std::string> paragraphs;
    paragraphs.reserve(std::size(method));
    for (const std::string& paragraph : method)
        paragraphs.push_back(ProseNumbers(paragraph, decimalSeparator));
    return paragraphs;
}

Report CaseReport(const ScreenTexts& screen, const ReportContext& context) {
    std::vector<std::string> missing;
    for (const std::string& field : cases::MissingFields(screen))
        missing.push_back(cases::MissingValueMessage(screen, field));
    if (!missing.empty())
        return missing;
    // The report content of each calculator, by its id.
    using Content = Report (*)(const ScreenTexts&, const ReportContext&);
    static const std::pair<std::string_view, Content> kContents[] = {
        {"single-pipe", SinglePipeReport},       {"vessel", VesselReport},
        {"multiple-pipes", MultiplePipesReport}, {"thickness-limit", LimitReport},
        {"economics", EconomicsReport},
    };
    const std::string_view id = cases::CalculatorOf(screen.kind).id;
    for (const auto& [calculator, content] : kContents) {
        if (calculator == id)
            return content(screen, context);
    }
    return std::vector<std::string>{"This calculation has no report."};
}

} // namespace termiva::report
