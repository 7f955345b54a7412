#pragma once

// A screen's field texts and its input data file record, both ways: what
// "Save to file" and "Load from file" do without the dialogs, and the texts
// "Input test data" writes.

#include "cases/case_fields.h"
#include "files/input_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

// A text for the field `field` (a control name).
struct FieldText {
    std::string field;
    std::string text;
};

// The record "Save to file" writes: the list entry (where the file keeps
// one), the field texts in file order, and the single pipe's diameters.
files::InputRecord RecordOf(const ScreenTexts& screen);

// The texts loading sets after the list entry, in the order it sets them and
// as the file holds them (the screen's typing filter still runs on each): the
// fields in file order, then a single pipe file's own diameters, which win
// over those the list entry wrote.
std::vector<FieldText> LoadedTexts(InputFileKind kind, const files::InputRecord& record);

// The screen after loading `record`, without widgets: the list entry first
// (the single pipe's entry writes D1 and D2), then LoadedTexts, each through
// the typing filter with the user's decimal separator.
ScreenTexts LoadScreen(InputFileKind kind, const files::InputRecord& record,
                       std::string_view decimalSeparator);

// "Input test data": the list entry to select (-1: leave the list as it is)
// and the texts to set, in order, with the user's decimal separator.
struct TestData {
    int listIndex = -1;
    std::vector<FieldText> texts;
};
TestData TestDataOf(InputFileKind kind, std::string_view decimalSeparator);

} // namespace termiva::cases
