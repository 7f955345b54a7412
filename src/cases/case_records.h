// SPDX-License-Identifier: GPL-3.0-or-later
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
// one), the field texts in file order, the single pipe's diameters, and the
// table's rows from its cells ("Table1(r,c)", ScreenTexts::tableRows).
files::InputRecord RecordOf(const ScreenTexts& screen);

// The texts loading sets after the list entry, in the order it sets them and
// as the file holds them (the screen's typing filter still runs on each): the
// fields in file order, then a single pipe file's own diameters, which win
// over those the list entry wrote, then the table's cells row by row.
std::vector<FieldText> LoadedTexts(InputFileKind kind, const files::InputRecord& record);

// A field whose number loading changed: the file's text could not stand in
// the field (a negative number, a stray character) and the typing filter
// changed it.
struct ChangedField {
    std::string field;    // control name
    std::string fileText; // as the file holds it
    std::string text;     // as the field holds it now
};

// LoadedTexts as the fields will hold them: a decimal saved under the other
// decimal separator ("143,5" read where the user's is ".") is read as that
// number, then the typing filter runs (text::LoadFieldText). Setting these
// texts into the fields changes nothing further.
// A text that cannot be loaded at all (a standard thickness list whose
// meaning is ambiguous, StandardListAsLoaded) is told in `refused`, a message
// naming the field; then nothing should be set.
struct LoadedFields {
    std::vector<FieldText> texts;
    std::vector<ChangedField> changed; // in load order
    std::string refused;               // empty when every text loads
};
LoadedFields LoadFields(InputFileKind kind, const files::InputRecord& record,
                        std::string_view decimalSeparator);

// The screen after loading `record`, without widgets: the list entry first
// (the single pipe's entry writes D1 and D2), then LoadFields (numeric
// fields; the standard thickness list of the limit screen is read into the
// user's form). `changed`, when given, receives the fields whose
// number loading changed, `refused` LoadedFields::refused.
ScreenTexts LoadScreen(InputFileKind kind, const files::InputRecord& record,
                       std::string_view decimalSeparator,
                       std::vector<ChangedField>* changed = nullptr,
                       std::string* refused = nullptr);

// The one message that lists the fields loading changed, by caption, with
// the text of the file and the text the field took.
std::string ChangedFieldsMessage(const ScreenTexts& screen,
                                 const std::vector<ChangedField>& changed);

// "Input test data": the list entry to select (-1: leave the list as it is)
// and the texts to set, in order, with the user's decimal separator.
struct TestData {
    int listIndex = -1;
    std::vector<FieldText> texts;
};
TestData TestDataOf(InputFileKind kind, std::string_view decimalSeparator);
// The test data of each screen (the list entry argument is not used).
TestData SinglePipeTestData(int listIndex, std::string_view decimalSeparator);
TestData VesselTestData(int listIndex, std::string_view decimalSeparator);
TestData PipeGroupTestData(int listIndex, std::string_view decimalSeparator);

} // namespace termiva::cases
