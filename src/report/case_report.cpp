#include "report/case_report.h"

#include "engine/pipe_group.h"
#include "engine/pipe_sizes.h"
#include "text/number_text.h"

#include <chrono>
#include <ctime>

namespace termiva::report {
namespace {

using files::InputFileKind;

struct FieldSpec {
    const char* control;
    const char* unit;
};

ReportGroup Group(const cli::ScreenTexts& screen, std::string title,
                  const std::vector<FieldSpec>& fields) {
    ReportGroup group{std::move(title), {}};
    for (const FieldSpec& field : fields)
        group.fields.push_back(
            {cli::Caption(screen, field.control), screen.text(field.control), field.unit});
    return group;
}

ReportDocument Frame(const std::string& title, const ReportContext& context) {
    ReportDocument document;
    document.programName = "TERMIVA";
    document.programVersion = "Version 1.0";
    document.dateTime = context.dateTime;
    document.screenTitle = title;
    document.fileName = context.fileName;
    document.project = context.project;
    document.preparedBy = context.preparedBy;
    document.decimalSeparator = context.decimalSeparator;
    document.method = MethodText();
    return document;
}

std::vector<std::string> Messages(const CalculationError& error) {
    return {error.message};
}

// Loss and surface temperature rows, as the results frames show them.
ReportTable LossTable(const std::vector<std::string>& captions, const double* losses,
                      const double* temperatures, const char* lossPattern,
                      const char* temperaturePattern, const std::string& separator) {
    ReportTable table;
    table.columnHeadings = {"", "Tsurface [oC]"};
    table.rowCaptions = captions;
    for (std::size_t i = 0; i < captions.size(); ++i)
        table.rows.push_back({{text::Format(losses[i], lossPattern, separator)},
                              {text::Format(temperatures[i], temperaturePattern, separator)}});
    return table;
}

Expected<ReportDocument, std::vector<std::string>> SinglePipeReport(const cli::ScreenTexts& screen,
                                                                    const ReportContext& context) {
    const std::string& separator = context.decimalSeparator;
    const auto result = cli::CalculateSinglePipe(screen, separator);
    if (!result)
        return Messages(result.error());
    const auto table = cli::CalculateDiameterTable(screen, separator);
    if (!table)
        return Messages(table.error());

    ReportDocument document = Frame("SINGLE PIPES", context);
    ReportGroup pipe = Group(screen, "Pipe", {{"Text1", "mm"}, {"Text2", "mm"}});
    const auto index = static_cast<std::size_t>(screen.listIndex);
    if (index < kSinglePipeSizes.size())
        pipe.fields.insert(pipe.fields.begin(), {"Nominal pipe diameter, mm(inch):",
                                                 std::string(kSinglePipeSizes[index].text), ""});
    document.inputs.push_back(std::move(pipe));
    document.inputs.push_back(Group(
        screen, "Input Data",
        {{"Text3", "°C"}, {"Text4", "°C"}, {"Text5", "W/(m K)"}, {"Text6", "-"}, {"Text7", "-"}}));
    document.inputs.push_back(Group(screen, "Thickness of Insulation",
                                    {{"Text10", "mm"},
                                     {"Text11", "mm"},
                                     {"Text12", "mm"},
                                     {"Text13", "mm"},
                                     {"Text14", "mm"}}));

    std::vector<std::string> captions = {"Heat Loss (bare pipe) [W/m]"};
    for (int i = 1; i <= 5; ++i)
        captions.push_back("Heat Loss (tins" + std::to_string(i) + ") [W/m]");
    document.results.push_back(LossTable(captions, result->HeatLoss.data(), result->Tsurface.data(),
                                         "####0.#0", "####.0", separator));

    // The table and chart of "Diagram": the same 19 rows and series.
    const std::vector<std::string> series = {"Bare Pipe", "tins1", "tins2",
                                             "tins3",     "tins4", "tins5"};
    ReportTable diameters;
    diameters.title = "Heat loss over the standard outside diameters";
    diameters.rowHeading = "D [mm]";
    for (const std::string& name : series)
        diameters.columnHeadings.push_back(name + " [W/m]");
    ReportChart chart;
    chart.title = "PIPE HEAT LOSS";
    chart.xAxisTitle = "Outside Pipe Diameter [mm]";
    chart.yAxisTitle = "Heat Loss [W/m]";
    for (const std::string& name : series)
        chart.series.push_back({name, {}});
    for (const auto& row : table->rows) {
        diameters.rowCaptions.push_back(text::Format(row[0], "####0", separator));
        std::vector<ReportCell> cells;
        for (std::size_t c = 1; c < row.size(); ++c) {
            cells.push_back({text::Format(row[c], "####0.#0", separator)});
            chart.series[c - 1].points.emplace_back(row[0], row[c]);
        }
        diameters.rows.push_back(std::move(cells));
    }
    document.supplementTitle = "Diagram";
    document.supplementTables.push_back(std::move(diameters));
    document.chart = std::move(chart);
    return document;
}

Expected<ReportDocument, std::vector<std::string>> VesselReport(const cli::ScreenTexts& screen,
                                                                const ReportContext& context) {
    const auto result = cli::CalculateVessel(screen, context.decimalSeparator);
    if (!result)
        return Messages(result.error());

    constexpr std::array<const char*, 3> kSketches = {":/images/vessel_rectangular.svg",
                                                      ":/images/vessel_horizontal.svg",
                                                      ":/images/vessel_vertical.svg"};
    ReportDocument document = Frame("VESSEL INSULATION", context);
    const auto shape = static_cast<std::size_t>(screen.listIndex);
    const std::string shapeName =
        shape < cli::kVesselShapes.size() ? std::string(cli::kVesselShapes[shape]) : std::string();
    document.inputs.push_back({"", {{"Vessel selection:", shapeName, ""}}});
    // Only the dimensions the shape shows.
    std::vector<FieldSpec> fields;
    if (shape != 2)
        fields.push_back({"Text1", "m"});
    if (shape != 1)
        fields.push_back({"Text2", "m"});
    fields.insert(fields.end(), {{"Text3", "m"},
                                 {"Text4", "°C"},
                                 {"Text5", "°C"},
                                 {"Text6", "W/(m K)"},
                                 {"Text7", "-"},
                                 {"Text8", "-"}});
    document.inputs.push_back(Group(screen, "Input Data", fields));
    document.inputs.push_back(
        Group(screen, "Thickness of Insulation",
              {{"Text10", "mm"}, {"Text11", "mm"}, {"Text12", "mm"}, {"Text13", "mm"}}));
    if (shape < kSketches.size()) {
        document.drawing = kSketches[shape];
        document.drawingTitle = shapeName;
    }

    std::vector<std::string> captions = {"Heat Loss (bare vessel) [W]"};
    for (int i = 1; i <= 4; ++i)
        captions.push_back("Heat Loss (tins" + std::to_string(i) + ") [W]");
    document.results.push_back(LossTable(captions, result->HeatLoss.data(), result->Tsurface.data(),
                                         "#######0.0", "###0.0", context.decimalSeparator));
    return document;
}

Expected<ReportDocument, std::vector<std::string>>
MultiplePipesReport(const cli::ScreenTexts& screen, const ReportContext& context) {
    const std::string& separator = context.decimalSeparator;
    const auto result = cli::CalculatePipeGroup(screen, separator);
    if (!result)
        return Messages(result.error());

    ReportDocument document = Frame("PART OF INSULATION", context);
    document.inputs.push_back(Group(screen, "INPUT DATA",
                                    {{"Text11", "°C"},
                                     {"Text12", "°C"},
                                     {"Text13", "mm"},
                                     {"Text14", "W/(m K)"},
                                     {"Text15", "-"},
                                     {"Text16", "-"}}));
    ReportTable pipes;
    pipes.title = "INPUT PIPE DATA";
    pipes.rowHeading = "NO [mm]";
    pipes.columnHeadings = {"OD [mm]", "Lenght of Pipes [m]", "Number of Valves",
                            "Number of Flanges"};
    ReportTable losses;
    losses.rowHeading = "NO [mm]";
    losses.columnHeadings = {"OD [mm]", "Bare Pipe Losses [W]", "Insulated Pipe Losses [W]"};
    for (std::size_t i = 0; i < result->rows.size(); ++i) {
        const PipeRowResult& row = result->rows[i];
        if (!row.used)
            continue;
        // The fixed texts of the pipe table, written with a point whatever
        // the separator, as the screen writes them.
        const std::string nominal = text::Format(kPipeGroupSizes[i].NO, "####0", ".");
        const std::string outside = text::Format(kPipeGroupSizes[i].OD, "####0.0", ".");
        const std::string element = "(" + std::to_string(13 + i) + ")";
        pipes.rowCaptions.push_back(nominal);
        pipes.rows.push_back({{outside},
                              {screen.text("Text3" + element)},
                              {screen.text("Text4" + element)},
                              {screen.text("Text5" + element)}});
        losses.rowCaptions.push_back(nominal);
        losses.rows.push_back({{outside},
                               {text::Format(row.Qbare, "####0", separator)},
                               {text::Format(row.Qins, "####0.0", separator)}});
    }
    document.inputTables.push_back(std::move(pipes));
    document.results.push_back(std::move(losses));

    ReportTable totals;
    totals.columnHeadings = {""};
    totals.rowCaptions = {"Total Losses of Bare Pipes [kW]",
                          "Total Losses of Insulated  Pipes [kW]"};
    totals.rows = {{{text::Format(result->QbareTotal / 1000, "####0.#0", separator)}},
                   {{text::Format(result->QinsTotal / 1000, "####0.#0", separator)}}};
    document.results.push_back(std::move(totals));
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

const std::vector<std::string>& MethodText() {
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
        "polynomials of the film temperature; no range of validity is stated for them, so "
        "results at temperatures far from ordinary ambient conditions deserve a check against "
        "other data.",
    };
    return method;
}

Expected<ReportDocument, std::vector<std::string>> CaseReport(const cli::ScreenTexts& screen,
                                                              const ReportContext& context) {
    std::vector<std::string> missing = cli::CheckInputs(screen);
    if (!missing.empty())
        return missing;
    switch (screen.kind) {
    case InputFileKind::SinglePipe:
        return SinglePipeReport(screen, context);
    case InputFileKind::Vessel:
        return VesselReport(screen, context);
    case InputFileKind::MultiplePipes:
        break;
    }
    return MultiplePipesReport(screen, context);
}

} // namespace termiva::report
