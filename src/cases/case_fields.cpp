// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_fields.h"

#include "cases/calculator.h"
#include "cases/economics_case.h"
#include "cases/thickness_limit_case.h"
#include "engine/pipe_group.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <utility>

namespace termiva::cases {

namespace {

constexpr std::string_view kPipe = kPipeFrame;
constexpr std::string_view kInputData = kInputDataFrame;
constexpr std::string_view kThickness = kThicknessFrame;

constexpr FieldRule kNumber = FieldRule::Number;
constexpr Requirement kRequired = Requirement::Required;

// The operating conditions T1, Tout, k, e, WC in the frame "Input data" and
// the candidate thicknesses tins1..tins4 (Text10..Text13), as the single pipe
// and vessel screens both lay them out; `controls` names the conditions'
// fields.
void AddConditionsAndThicknesses(std::vector<FieldSpec>& fields,
                                 const std::array<std::string_view, 5>& controls) {
    const std::array<std::pair<FieldId, std::string_view>, 5> conditions = {{
        {field::FluidTemperature, kConditionCaptions.fluidTemperature},
        {field::AmbientTemperature, kConditionCaptions.ambientTemperature},
        {field::Conductivity, kConditionCaptions.conductivity},
        {field::Emissivity, kConditionCaptions.emissivity},
        {field::WindCoefficient, kConditionCaptions.wind},
    }};
    constexpr std::array<std::string_view, 5> kUnits = {"oC", "oC", "W/(m K)", "-", "-"};
    for (std::size_t i = 0; i < conditions.size(); ++i)
        fields.push_back({conditions[i].first, controls[i], conditions[i].second, kUnits[i],
                          kInputData, kNumber, kRequired});
    constexpr std::array<std::string_view, 4> kThicknessControls = {"Text10", "Text11", "Text12",
                                                                    "Text13"};
    for (std::size_t i = 0; i < kThicknessControls.size(); ++i)
        fields.push_back({field::Thickness(static_cast<int>(i) + 1), kThicknessControls[i],
                          kThicknessCaptions[i], "mm", kThickness, kNumber, kRequired});
}

const std::vector<FieldSpec> kSinglePipeFields = [] {
    std::vector<FieldSpec> fields = {
        {field::NominalDiameter, "Text1", "Pipe nominal diameter (D1) [mm]", "mm", kPipe,
         FieldRule::NominalDiameter, kRequired},
        {field::OutsideDiameter, "Text2", kOutsideDiameterCaption, "mm", kPipe,
         FieldRule::OutsideDiameter, kRequired},
    };
    AddConditionsAndThicknesses(fields, {"Text3", "Text4", "Text5", "Text6", "Text7"});
    fields.push_back(
        {field::Thickness(5), "Text14", "tins5 [mm]", "mm", kThickness, kNumber, kRequired});
    return fields;
}();

const std::vector<FieldSpec> kVesselFields = [] {
    std::vector<FieldSpec> fields = {
        {field::Length, "Text1", kLengthCaption, "m", kInputData, FieldRule::NotZero, kRequired},
        {field::Height, "Text2", kHeightCaption, "m", kInputData, FieldRule::NotZero, kRequired},
        {field::Width, "Text3", kWidthCaption, "m", kInputData, FieldRule::NotZero, kRequired},
    };
    AddConditionsAndThicknesses(fields, {"Text4", "Text5", "Text6", "Text7", "Text8"});
    return fields;
}();

constexpr std::string_view kCommonData = kPipeGroupInputFrame;

const std::vector<FieldSpec> kPipeGroupFields = {
    {field::AmbientTemperature, "Text11", kConditionCaptions.ambientTemperature, "oC", kCommonData,
     kNumber, kRequired},
    {field::FluidTemperature, "Text12", kConditionCaptions.fluidTemperature, "oC", kCommonData,
     kNumber, kRequired},
    {field::Thickness(1), "Text13", "Thickness of Insulation (delta)  [mm]", "mm", kCommonData,
     kNumber, kRequired},
    {field::Conductivity, "Text14", kConditionCaptions.conductivity, "W/(m K)", kCommonData,
     kNumber, kRequired},
    {field::Emissivity, "Text15", kConditionCaptions.emissivity, "-", kCommonData, kNumber,
     kRequired},
    {field::WindCoefficient, "Text16", kConditionCaptions.wind, "-", kCommonData, kNumber,
     kRequired},
    {field::PipeLength, "Text3", "Lenght of Pipes [m]", "m", kPipeTableFrame, kNumber,
     Requirement::RowEntry},
    {field::Valves, "Text4", "Number of Valves", "", kPipeTableFrame, kNumber,
     Requirement::RowEntry},
    {field::Flanges, "Text5", "Number of Flanges", "", kPipeTableFrame, kNumber,
     Requirement::RowEntry},
};

std::string_view BaseName(std::string_view controlName) {
    return controlName.substr(0, controlName.find('('));
}

} // namespace

const std::array<std::string_view, 6> kSinglePipeResultCaptions = {
    "Heat Loss (bare pipe) [W/m]", "Heat Loss (tins1) [W/m]", "Heat Loss (tins2) [W/m]",
    "Heat Loss (tins3) [W/m]",     "Heat Loss (tins4) [W/m]", "Heat Loss (tins5) [W/m]"};

const std::array<std::string_view, 3> kVesselShapes = {"Rectangular", "Horizontal Cylindrical",
                                                       "Vertical Cylindical"};

const std::array<std::string_view, 5> kVesselResultCaptions = {
    "Heat Loss (bare vessel) [W]", "Heat Loss (tins1) [W]", "Heat Loss (tins2) [W]",
    "Heat Loss (tins3) [W]", "Heat Loss (tins4) [W]"};

const std::array<std::string_view, 7> kPipeTableHeadings = {"NO [mm]",
                                                            "OD [mm]",
                                                            "Lenght of Pipes [m]",
                                                            "Number of Valves",
                                                            "Number of Flanges",
                                                            "Bare Pipe Losses [W]",
                                                            "Insulated Pipe Losses [W]"};

const std::array<std::string_view, 2> kPipeGroupTotalCaptions = {
    "Total Losses of Bare Pipes [kW]", "Total Losses of Insulated  Pipes [kW]"};

const std::vector<FieldSpec>& SinglePipeFields() {
    return kSinglePipeFields;
}

const std::vector<FieldSpec>& VesselFields() {
    return kVesselFields;
}

const std::vector<FieldSpec>& PipeGroupFields() {
    return kPipeGroupFields;
}

const std::vector<FieldSpec>& Fields(InputFileKind kind) {
    return CalculatorOf(kind).fields();
}

const FieldSpec* FindField(InputFileKind kind, std::string_view controlName) {
    const std::vector<FieldSpec>& fields = Fields(kind);
    const std::string_view base = BaseName(controlName);
    const bool rowEntry = base.size() != controlName.size();
    auto it = std::find_if(fields.begin(), fields.end(), [&](const FieldSpec& field) {
        return field.name == base && (field.requirement == Requirement::RowEntry) == rowEntry;
    });
    return it == fields.end() ? nullptr : &*it;
}

const FieldSpec* FindField(InputFileKind kind, FieldId id) {
    const std::vector<FieldSpec>& fields = Fields(kind);
    auto it = std::find_if(fields.begin(), fields.end(),
                           [&](const FieldSpec& field) { return field.id == id; });
    return it == fields.end() ? nullptr : &*it;
}

std::string_view ScreenTitle(InputFileKind kind) {
    return CalculatorOf(kind).title;
}

bool VesselUsesField(int listIndex, std::string_view controlName) {
    if (controlName == "Text1")
        return listIndex == 0 || listIndex == 1;
    if (controlName == "Text2")
        return listIndex == 0 || listIndex == 2;
    if (controlName == "Text3")
        return listIndex >= 0 && listIndex <= 2;
    return true;
}

std::string RowName(std::string_view array, int row) {
    return std::string(array) + "(" + std::to_string(row) + ")";
}

std::string CellName(std::string_view table, std::size_t row, int column) {
    return std::string(table) + "(" + std::to_string(row) + "," + std::to_string(column) + ")";
}

std::optional<TableCell> ParseCellName(std::string_view table, std::string_view name, int columns) {
    if (table.empty() || name.size() < table.size() + 5 || name.substr(0, table.size()) != table ||
        name[table.size()] != '(' || name.back() != ')')
        return std::nullopt;
    const std::string_view inner = name.substr(table.size() + 1, name.size() - table.size() - 2);
    const std::size_t comma = inner.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    TableCell cell;
    const char* end = inner.data() + inner.size();
    const auto r = std::from_chars(inner.data(), inner.data() + comma, cell.row);
    const auto c = std::from_chars(inner.data() + comma + 1, end, cell.column);
    if (r.ec != std::errc{} || r.ptr != inner.data() + comma || c.ec != std::errc{} ||
        c.ptr != end || cell.row < 1 || cell.column < 1 || cell.column > columns)
        return std::nullopt;
    return cell;
}

std::size_t ScreenTexts::tableRows(std::string_view table, int columns) const {
    std::size_t rows = 0;
    const auto hasRow = [&](std::size_t row) {
        for (int c = 1; c <= columns; ++c) {
            if (texts.find(CellName(table, row, c)) != texts.end())
                return true;
        }
        return false;
    };
    while (hasRow(rows + 1))
        ++rows;
    return rows;
}

const std::string& ScreenTexts::text(std::string_view controlName) const {
    static const std::string empty;
    auto it = texts.find(controlName);
    return it == texts.end() ? empty : it->second;
}

const std::string& ScreenTexts::text(FieldId id) const {
    static const std::string empty;
    const FieldSpec* field = FindField(kind, id);
    return field ? text(field->name) : empty;
}

std::string Caption(const ScreenTexts& screen, std::string_view controlName) {
    const std::string_view base = BaseName(controlName);
    if (screen.kind == InputFileKind::ThicknessLimit)
        return LimitFieldCaption(screen.listIndex, controlName);
    if (screen.kind == InputFileKind::Economics)
        return EconomicsFieldCaption(screen.listIndex, controlName, EconomicsCurrency(screen));
    if (screen.kind == InputFileKind::Vessel && base == "Text3" && screen.listIndex > 0)
        return std::string(kVesselDiameterCaption);
    const FieldSpec* field = FindField(screen.kind, controlName);
    std::string caption = field ? std::string(field->caption) : std::string();
    if (base.size() != controlName.size()) {
        // An entry of a pipe row: name the row by its nominal diameter.
        const int row = std::atoi(std::string(controlName.substr(base.size() + 1)).c_str());
        if (row >= kFirstPipeRow && row <= kLastPipeRow) {
            const double nominal =
                kPipeGroupSizes[static_cast<std::size_t>(row - kFirstPipeRow)].NO;
            caption += ", NO " + text::ToText(nominal, ".") + " [mm]";
        }
    }
    return caption;
}

std::vector<std::string> RequiredFieldsMissing(const ScreenTexts& screen) {
    std::vector<const FieldSpec*> rowEntries;
    for (const FieldSpec& field : Fields(screen.kind)) {
        if (field.requirement == Requirement::RowEntry)
            rowEntries.push_back(&field);
        else if (screen.text(field.name).empty())
            return {std::string(field.name)};
    }
    std::vector<std::string> missing;
    if (rowEntries.empty())
        return missing;
    for (int row = kFirstPipeRow; row <= kLastPipeRow; ++row) {
        std::vector<std::string> names;
        names.reserve(rowEntries.size());
        for (const FieldSpec* entry : rowEntries)
            names.push_back(RowName(entry->name, row));
        const auto isEmpty = [&](const std::string& name) { return screen.text(name).empty(); };
        const auto firstEmpty = std::find_if(names.begin(), names.end(), isEmpty);
        if (firstEmpty != names.end() && !std::all_of(names.begin(), names.end(), isEmpty))
            missing.push_back(*firstEmpty);
    }
    return missing;
}

std::vector<std::string> MissingFields(const ScreenTexts& screen) {
    return CalculatorOf(screen.kind).missing(screen);
}

std::string MissingValueMessage(const ScreenTexts& screen, std::string_view controlName) {
    return std::string(kPleaseInputValue) + " (" + std::string(controlName) + ", " +
           Caption(screen, controlName) + ")";
}

} // namespace termiva::cases
