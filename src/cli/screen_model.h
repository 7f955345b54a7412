#pragma once

// What a calculator screen does with a loaded input file when the user then
// presses "Calculation" (or "Diagram"), without the widgets: the field texts
// after loading, the required-fields check and the calculation.

#include "engine/calculation_error.h"
#include "engine/diameter_table.h"
#include "engine/pipe_group.h"
#include "engine/pipe_sizes.h"
#include "engine/single_pipe.h"
#include "engine/vessel.h"
#include "files/input_file.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cli {

// The vessel screen's shape list; the shape number is the index plus one.
extern const std::array<std::string_view, 3> kVesselShapes;

// The texts of a screen's fields after loading a file, by control name.
struct ScreenTexts {
    files::InputFileKind kind;
    int listIndex = -1;
    std::map<std::string, std::string, std::less<>> texts;

    const std::string& text(std::string_view controlName) const;
};

// Sets the record into the screen as loading does: the list entry first
// (the single pipe's entry writes D1 and D2), then every field text through
// the typing filter with the user's decimal separator; a single pipe file's
// own diameter lines come last and win over the list entry.
ScreenTexts LoadScreen(files::InputFileKind kind, const files::InputRecord& record,
                       std::string_view decimalSeparator);

// The required-fields check: one message per failure, none when the inputs
// are complete. The common fields stop at the first empty one; on the
// multiple pipes screen every incomplete pipe row then gives its own message.
std::vector<std::string> CheckInputs(const ScreenTexts& screen);

// The caption of a field as the screen shows it beside the field.
std::string Caption(const ScreenTexts& screen, std::string_view controlName);

// The calculations behind "Calculation" and "Diagram", on texts that passed
// CheckInputs. A text that is not a number (it cannot be after the typing
// filter) gives an error naming the field.
CalculationResult<SinglePipeResult> CalculateSinglePipe(const ScreenTexts& screen,
                                                        std::string_view decimalSeparator);
CalculationResult<VesselResult> CalculateVessel(const ScreenTexts& screen,
                                                std::string_view decimalSeparator);
CalculationResult<PipeGroupResult> CalculatePipeGroup(const ScreenTexts& screen,
                                                      std::string_view decimalSeparator);
CalculationResult<DiameterTable> CalculateDiameterTable(const ScreenTexts& screen,
                                                        std::string_view decimalSeparator);

} // namespace termiva::cli
