// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fields of the calculator screens, once: what the field means, its
// control name, caption as the screen shows it, unit, the frame it sits in,
// the rule it follows and whether the required check visits it. Also the
// screens' other captions (titles, frames, lists, result rows), the texts a
// screen holds (by control name) and the required-fields check.

#include "files/input_file.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

using files::InputFileKind;

// Messages of the field rules and the required check.
inline constexpr char kInvalidEntries[] = "Invalid entries, please enter numbers only";
inline constexpr char kMustNotBeZero[] = "Value must be greater then 0!";
inline constexpr char kNominalDiameterTooLarge[] =
    "Pipe nominal diameter must be less then pipe outside diameter!";
inline constexpr char kOutsideDiameterTooSmall[] =
    "Pipe outside diameter must be greater then pipe nominam diameter!";
inline constexpr char kPleaseInputValue[] = "Please input value!";

// Every field filters what is typed and checks the number on leaving; some
// add a rule that runs first.
enum class FieldRule {
    Number,          // the typing filter and the number check only
    NotZero,         // exactly "0" is refused on leaving
    NominalDiameter, // must not exceed the outside diameter
    OutsideDiameter, // must not be below the nominal diameter
};

enum class Requirement {
    Required, // checked in table order, the first empty one stops
    RowEntry, // a pipe row used at all must have all three entries
    Optional, // may stay empty (the limits of the thickness for a limit screen)
};

// What a field means, whatever its control is called on a screen: the
// operating conditions read the same on every calculator, and "Take inputs"
// copies a field to the field of the same meaning.
enum class Meaning {
    NominalDiameter,
    OutsideDiameter,
    Length,
    Height,
    Width, // or the diameter of a cylindrical vessel
    FluidTemperature,
    AmbientTemperature,
    Conductivity,
    Emissivity,
    WindCoefficient,
    Thickness, // a candidate insulation thickness, numbered from 1
    SurfaceTemperatureLimit,
    HeatLossLimit,
    PipeLength, // the entries of a pipe row
    Valves,
    Flanges,
    OperatingHours, // the energy and cost of a loss
    EnergyPrice,
    Efficiency,
    EmissionFactor,
    ServiceLife,
    InterestRate,
    PriceEscalation,
    InstalledCost, // of a candidate thickness
};

struct FieldId {
    Meaning meaning;
    int index = 0; // the thickness's number; 0 for the others
    bool operator==(const FieldId&) const = default;
};

namespace field {
inline constexpr FieldId NominalDiameter{Meaning::NominalDiameter};
inline constexpr FieldId OutsideDiameter{Meaning::OutsideDiameter};
inline constexpr FieldId Length{Meaning::Length};
inline constexpr FieldId Height{Meaning::Height};
inline constexpr FieldId Width{Meaning::Width};
inline constexpr FieldId FluidTemperature{Meaning::FluidTemperature};
inline constexpr FieldId AmbientTemperature{Meaning::AmbientTemperature};
inline constexpr FieldId Conductivity{Meaning::Conductivity};
inline constexpr FieldId Emissivity{Meaning::Emissivity};
inline constexpr FieldId WindCoefficient{Meaning::WindCoefficient};
constexpr FieldId Thickness(int number) {
    return {Meaning::Thickness, number};
}
inline constexpr FieldId SurfaceTemperatureLimit{Meaning::SurfaceTemperatureLimit};
inline constexpr FieldId HeatLossLimit{Meaning::HeatLossLimit};
inline constexpr FieldId PipeLength{Meaning::PipeLength};
inline constexpr FieldId Valves{Meaning::Valves};
inline constexpr FieldId Flanges{Meaning::Flanges};
} // namespace field

struct FieldSpec {
    FieldId id;               // what the field means
    std::string_view name;    // control name: "Text3"; a pipe row entry "Text3" stands for Text3(r)
    std::string_view caption; // as shown beside the field (typos included)
    std::string_view unit;    // "mm", "oC", "m", "W/(m K)", "-"; empty for counts
    std::string_view group;   // the frame the field sits in
    FieldRule rule;
    Requirement requirement;
};

// Captions that several field tables share: the dimensions of the limit
// screen's objects, the operating conditions and the candidate thicknesses.
inline constexpr std::string_view kOutsideDiameterCaption = "Pipe outside diameter (D2) [mm]";
inline constexpr std::string_view kLengthCaption = "Lenght (L) [m]";
inline constexpr std::string_view kHeightCaption = "Heigth of Vessel (H) [m]";
inline constexpr std::string_view kWidthCaption = "Width of Vessel (W) [m]";
struct ConditionCaptions {
    std::string_view fluidTemperature, ambientTemperature, conductivity, emissivity, wind;
};
inline constexpr ConditionCaptions kConditionCaptions = {
    "Fluid Temperature (T1) [oC]", "Ambient Temperature (Tout) [oC]",
    "Insulation Thermal Conductivity (k) [W/(m K)]", "Emissivity of Outside Surface (e) [-]",
    "Wind Coefficinent (WC) [-]"};
inline constexpr std::array<std::string_view, 4> kThicknessCaptions = {"tins1 [mm]", "tins2 [mm]",
                                                                       "tins3 [mm]", "tins4 [mm]"};

// The fields in screen order, which is also the order of the required check.
// The multiple pipes screen's row entries come last, once each (not per row).
const std::vector<FieldSpec>& Fields(InputFileKind kind);

// The tables of the single pipe, vessel and multiple pipes screens.
const std::vector<FieldSpec>& SinglePipeFields();
const std::vector<FieldSpec>& VesselFields();
const std::vector<FieldSpec>& PipeGroupFields();

// The field of a control name ("Text3", "Text3(15)"); nullptr for none.
const FieldSpec* FindField(InputFileKind kind, std::string_view controlName);
// The field that means `id`; nullptr for none.
const FieldSpec* FindField(InputFileKind kind, FieldId id);

// The screens' window titles: "SINGLE PIPES", "VESSEL INSULATION", "PART OF INSULATION".
std::string_view ScreenTitle(InputFileKind kind);

// Frames of the fields (the groups above).
inline constexpr std::string_view kPipeFrame = "Pipe";
inline constexpr std::string_view kInputDataFrame = "Input Data";
inline constexpr std::string_view kThicknessFrame = "Thickness of Insulation";
inline constexpr std::string_view kPipeGroupInputFrame = "INPUT DATA";

// Single pipe screen.
inline constexpr std::string_view kPipeSizeListCaption = "Nominal pipe diameter, mm(inch):";
inline constexpr std::string_view kResultsFrame = "Results";
inline constexpr std::string_view kTsurfaceHeading = "Tsurface [oC]";
inline constexpr std::string_view kPipeLossHeading = "Heat Loss [W/m]";
inline constexpr std::string_view kVesselLossHeading = "Heat Loss [W]";
extern const std::array<std::string_view, 6> kSinglePipeResultCaptions;

// Vessel screen: its shape list (the shape number is the index plus one) and
// the caption Text3 takes for the two cylinders.
inline constexpr std::string_view kVesselListCaption = "Vessel selection:";
extern const std::array<std::string_view, 3> kVesselShapes;
inline constexpr std::string_view kVesselDiameterCaption = "Diameter of Vessel (D) [m]";
extern const std::array<std::string_view, 5> kVesselResultCaptions;
// True when the vessel of list entry `listIndex` uses the dimension field
// `controlName` (Text1 length, Text2 height, Text3 width or diameter).
bool VesselUsesField(int listIndex, std::string_view controlName);

// Multiple pipes screen: the pipe rows 13..25, the table's column headings
// (NO, OD, length, valves, flanges, bare loss, insulated loss) and the totals.
inline constexpr int kFirstPipeRow = 13;
inline constexpr int kLastPipeRow = 25;
inline constexpr std::string_view kPipeGroupResultsFrame = "RESULTS";
inline constexpr std::string_view kPipeTableFrame = "INPUT PIPE DATA";
extern const std::array<std::string_view, 7> kPipeTableHeadings;
extern const std::array<std::string_view, 2> kPipeGroupTotalCaptions;
// "Text3(15)" for ("Text3", 15).
std::string RowName(std::string_view array, int row);

// A cell of a table whose rows the user adds (the candidate thicknesses):
// "Table1(3,2)" is row 3, column 2 of "Table1", both counted from 1.
struct TableCell {
    std::size_t row = 0;
    int column = 0;
};
std::string CellName(std::string_view table, std::size_t row, int column);
// The cell a control name stands for, if it is a cell of `table` with a
// column from 1 to `columns`.
std::optional<TableCell> ParseCellName(std::string_view table, std::string_view name, int columns);

// The texts of a screen's fields by control name, and its list entry.
struct ScreenTexts {
    InputFileKind kind = InputFileKind::SinglePipe;
    int listIndex = -1;
    std::map<std::string, std::string, std::less<>> texts;

    // Empty for a control that has no text.
    const std::string& text(std::string_view controlName) const;
    // The text of the field that means `id`; empty for none.
    const std::string& text(FieldId id) const;
    // The rows of `table` the texts hold: rows 1, 2, ... as long as a cell
    // of the row is there (an empty text counts).
    std::size_t tableRows(std::string_view table, int columns) const;
};

// The caption of a field as the screen shows it; a pipe row entry is named
// by its row's nominal diameter ("Lenght of Pipes [m], NO 32 [mm]"); the
// vessel's Text3 by the shape's caption.
std::string Caption(const ScreenTexts& screen, std::string_view controlName);

// The required-fields check: the control names that "Please input value!" is
// shown for, in order; none when the inputs are complete. The required fields
// stop at the first empty one; on the multiple pipes screen, when those are
// complete, every incomplete pipe row then names its first empty entry.
std::vector<std::string> MissingFields(const ScreenTexts& screen);
// The check above as every calculator but the thickness for a limit makes it.
std::vector<std::string> RequiredFieldsMissing(const ScreenTexts& screen);

// "Please input value! (Text3, Fluid Temperature (T1) [oC])": the message of a
// missing field where no focus can point at it.
std::string MissingValueMessage(const ScreenTexts& screen, std::string_view controlName);

} // namespace termiva::cases
