// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The thickness for a limit screen without widgets: its object list and
// fields, its required check, its calculation from field texts, its result
// texts and its test data.
//
// Controls: Combo1 the object list (0 pipe, 1..3 the vessel shapes); Text1
// pipe outside diameter D2 [mm]; Text2 length, Text3 height, Text4 width or
// diameter [m]; Text5 T1, Text6 Tout, Text7 k, Text8 e, Text9 WC; Text10 the
// surface temperature limit, Text11 the heat loss limit (either may be
// empty); Text12 the standard thickness list, a text of its own (not a
// numeric field).

#include "cases/case_fields.h"
#include "cases/case_reader.h"
#include "cases/case_records.h"
#include "cases/result_marks.h"
#include "engine/thickness_limit.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

inline constexpr std::string_view kThicknessLimitTitle = "INSULATION THICKNESS FOR A LIMIT";
inline constexpr std::string_view kLimitObjectListCaption = "Object:";
// The list entries; entry i is LimitObject(i). The vessel shapes keep the
// vessel screen's spelling.
extern const std::array<std::string_view, 4> kLimitObjects;

inline constexpr std::string_view kLimitObjectFrame = "Object";
inline constexpr std::string_view kLimitsFrame = "Limits";
inline constexpr std::string_view kStandardListField = "Text12";
inline constexpr std::string_view kStandardListCaption = "Standard thicknesses [mm]";

// The numeric fields Text1..Text11 in screen order; the two limits are
// Requirement::Optional.
const std::vector<FieldSpec>& ThicknessLimitFields();

// True when the object of list entry `listIndex` uses `controlName` (the
// dimension fields; every other field is used by all).
bool LimitUsesField(int listIndex, std::string_view controlName);

// The caption of a field for the object of `listIndex`: Text4 is the width or
// the diameter, Text11 is in W/m for the pipe and in W for a vessel.
std::string LimitFieldCaption(int listIndex, std::string_view controlName);

// The required check: the first used, required field that is empty; none
// when complete. The limits may be empty (the calculation says when both are).
std::vector<std::string> ThicknessLimitMissing(const ScreenTexts& screen);

// The default standard list as the field shows it: "20 25 30 ... 200".
std::string DefaultStandardListText();

// The standard list: numbers in the user's locale, separated by blanks or ';'
// (or ',' where the decimal separator is '.'), each greater than 0; returned
// ascending. An error message for anything else or an empty list.
Expected<std::vector<double>, std::string> ParseStandardList(std::string_view text,
                                                             std::string_view decimalSeparator);

// A standard list as an input file holds it, in the user's form: the file
// keeps the separator of the locale it was saved in, and the numeric fields'
// rule (text::WithUserSeparator) reads each thickness across separators. A
// comma is the decimal separator under "," but parts the thicknesses under
// ".": the list is read the way in which it is a list ("12,5 15 17,5 20" is
// 12.5 15 17.5 20 under "."; "20,25,30" is 20 25 30 under ","), where both ways
// read, the blanks tell (thicknesses apart by blanks: a comma between digits
// is a decimal). Refused, with a message naming the field, where nothing
// tells: "20,25" is 20 and 25 or 20,25. A list that reads neither way is left
// for Calculation to name what is wrong.
CaseResult<std::string> StandardListAsLoaded(std::string_view fileText,
                                             std::string_view decimalSeparator);

// The engine input of the texts (only the object's own dimensions are read).
CaseResult<ThicknessLimitInput> ThicknessLimitInputOf(const ScreenTexts& screen,
                                                      std::string_view decimalSeparator);

// "Calculation" on texts that passed ThicknessLimitMissing. A limit no
// thickness meets is told with the user's separator.
CaseResult<ThicknessLimitResult> CalculateThicknessLimit(const ScreenTexts& screen,
                                                         std::string_view decimalSeparator);

// The result boxes' texts. Thicknesses "###0.0" mm; losses and surface
// temperatures with the patterns of the single pipe screen ("####0.#0" W/m,
// "####.0") or of the vessel screen ("#######0.0" W, "###0.0"), so that the
// answer reads as it does there. "-" for a limit not given and for a
// standard thickness when none in the list is thick enough.
struct ThicknessLimitTexts {
    std::string surfaceThickness;
    std::string lossThickness;
    std::string governing; // "Surface temperature", "Heat loss", "Both limits"
    std::string thickness;
    std::string heatLoss;
    std::string surfaceTemperature;
    std::string standardThickness;
    std::string standardHeatLoss;
    std::string standardSurfaceTemperature;
    // "The limits are met from 183.4 to 612.0 mm." where thicker layers fail
    // them again; empty where they hold up to 1000 mm.
    std::string range;
    std::string standardNote; // why the standard thickness shows "-" when it could not be computed
};
ThicknessLimitTexts ThicknessLimitResultTexts(const ThicknessLimitResult& result,
                                              LimitObject object,
                                              std::string_view decimalSeparator);

// The curves of the screen's chart: loss and surface temperature at evenly
// spaced thicknesses from 0 to about twice the answer (at least 20 mm, at
// most 1000 mm). Points that cannot be computed are left out.
std::vector<ThicknessPoint> ThicknessLimitCurve(const ThicknessLimitInput& input,
                                                const ThicknessLimitResult& result);

// The marks of the answer and of the standard thickness.
Marks MarksOf(const ThicknessLimitResult& result);

// The screen's result note: the range where it ends below 1000 mm, then the
// note of the marks.
std::string ThicknessLimitNote(const ThicknessLimitResult& result,
                               std::string_view decimalSeparator);

// The result captions, for the object of `listIndex`.
struct ThicknessLimitCaptions {
    std::string surfaceThickness;
    std::string lossThickness;
    std::string governing;
    std::string thickness;
    std::string heatLoss;
    std::string surfaceTemperature;
    std::string standardThickness;
};
ThicknessLimitCaptions ThicknessLimitResultCaptions(int listIndex);

// The chart's texts, on the screen and in the report alike: its axes and the
// names its legend gives the lines, each limit named with its value as typed
// ("limit 50 oC"; empty when that limit is not given).
struct ThicknessLimitChartTexts {
    std::string thicknessAxis; // "Insulation thickness [mm]"
    std::string surface;       // the surface temperature's curve and axis
    std::string loss;          // the loss's curve and axis, with the object's unit
    std::string surfaceUnit;   // "oC"
    std::string lossUnit;      // "W/m" for the pipe, "W" for a vessel
    std::string surfaceLimit;
    std::string lossLimit;
    std::string answer;
};
ThicknessLimitChartTexts ThicknessLimitChartTextsOf(const ScreenTexts& screen);

// "Input test data" for the object of `listIndex` (the list stays): the
// single pipe's or the vessel's test data with a 50 oC surface limit (pipe)
// or a 1000 W loss limit (vessels) and the default standard list.
TestData ThicknessLimitTestData(int listIndex, std::string_view decimalSeparator);

// "Take inputs" from the single pipe screen (D2 and the common inputs) or
// from the vessel screen (its shape, dimensions and common inputs): the list
// entry to select and the texts to set. The limits and the list stay.
TestData TakeFromSinglePipe(const ScreenTexts& singlePipe);
TestData TakeFromVessel(const ScreenTexts& vessel);

// The limit screen's texts of a single pipe or vessel case, taken as "Take
// inputs" takes them: no limit set, the default standard list.
ScreenTexts ThicknessLimitTextsOf(const ScreenTexts& singlePipeOrVessel);

} // namespace termiva::cases
