// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_records.h"

#include "cases/calculator.h"
#include "cases/single_pipe_case.h"
#include "cases/thickness_limit_case.h"
#include "text/number_text.h"

#include <utility>

namespace termiva::cases {

namespace {

// Test data as written with a point; the user's separator replaces it.
struct TestText {
    std::string_view field;
    std::string_view text;
};

const std::vector<TestText> kSinglePipeTestData = {
    {"Text3", "143"}, {"Text4", "20"},  {"Text5", "0.07"}, {"Text6", "0.95"}, {"Text7", "1"},
    {"Text10", "20"}, {"Text11", "50"}, {"Text12", "75"},  {"Text13", "100"}, {"Text14", "150"}};

const std::vector<TestText> kVesselTestData = {
    {"Text1", "1.2"}, {"Text2", "1.8"},  {"Text3", "0.8"}, {"Text4", "150"},
    {"Text5", "20"},  {"Text6", "0.05"}, {"Text7", "1"},   {"Text8", "1"},
    {"Text10", "20"}, {"Text11", "50"},  {"Text12", "75"}, {"Text13", "100"}};

const std::vector<TestText> kPipeGroupTestData = {
    {"Text11", "25"},    {"Text12", "150"},   {"Text13", "25"},    {"Text14", "0.05"},
    {"Text15", "0.90"},  {"Text16", "1"},     {"Text3(15)", "78"}, {"Text4(15)", "25"},
    {"Text5(15)", "14"}, {"Text3(17)", "28"}, {"Text4(17)", "14"}, {"Text5(17)", "6"},
    {"Text3(20)", "24"}, {"Text4(20)", "8"},  {"Text5(20)", "8"}};

std::string WithSeparator(std::string_view text, std::string_view separator) {
    std::string result;
    for (char c : text) {
        if (c == '.')
            result += separator;
        else
            result += c;
    }
    return result;
}

} // namespace

files::InputRecord RecordOf(const ScreenTexts& screen) {
    const files::InputFileFormat& format = files::FormatOf(screen.kind);
    files::InputRecord record;
    if (format.hasListIndex)
        record.listIndex = screen.listIndex;
    for (const std::string& name : format.fieldNames)
        record.fields.push_back(screen.text(name));
    if (format.diameterFieldNames.size() == 2)
        record.diameters = {screen.text(format.diameterFieldNames[0]),
                            screen.text(format.diameterFieldNames[1])};
    const std::size_t rows = screen.tableRows(format.tableName, format.tableColumns);
    for (std::size_t r = 1; r <= rows; ++r) {
        std::vector<std::string>& row = record.table.emplace_back();
        for (int c = 1; c <= format.tableColumns; ++c)
            row.push_back(screen.text(CellName(format.tableName, r, c)));
    }
    return record;
}

std::vector<FieldText> LoadedTexts(InputFileKind kind, const files::InputRecord& record) {
    const files::InputFileFormat& format = files::FormatOf(kind);
    std::vector<FieldText> texts;
    for (std::size_t i = 0; i < format.fieldNames.size(); ++i)
        texts.push_back({format.fieldNames[i], i < record.fields.size() ? record.fields[i] : ""});
    if (record.diameters) {
        for (std::size_t i = 0; i < format.diameterFieldNames.size() && i < 2; ++i)
            texts.push_back({format.diameterFieldNames[i], (*record.diameters)[i]});
    }
    for (std::size_t r = 0; r < record.table.size(); ++r) {
        const std::vector<std::string>& row = record.table[r];
        for (std::size_t c = 0; c < static_cast<std::size_t>(format.tableColumns); ++c)
            texts.push_back({CellName(format.tableName, r + 1, static_cast<int>(c) + 1),
                             c < row.size() ? row[c] : ""});
    }
    return texts;
}

LoadedFields LoadFields(InputFileKind kind, const files::InputRecord& record,
                        std::string_view decimalSeparator) {
    const files::InputFileFormat& format = files::FormatOf(kind);
    LoadedFields loaded;
    for (FieldText& field : LoadedTexts(kind, record)) {
        // Only numeric fields and table cells filter what is typed: a list or
        // a currency typed as text stays as it is, but for the decimal
        // separator of the standard list's thicknesses.
        if (!FindField(kind, field.field) &&
            !ParseCellName(format.tableName, field.field, format.tableColumns)) {
            if (kind == InputFileKind::ThicknessLimit && field.field == kStandardListField) {
                auto list = StandardListAsLoaded(field.text, decimalSeparator);
                if (list)
                    field.text = std::move(list).value();
                else if (loaded.refused.empty())
                    loaded.refused = list.error().message;
            }
            loaded.texts.push_back(std::move(field));
            continue;
        }
        text::LoadedFieldText text = text::LoadFieldText(field.text, decimalSeparator);
        if (text.changed)
            loaded.changed.push_back({field.field, field.text, text.text});
        loaded.texts.push_back({std::move(field.field), std::move(text.text)});
    }
    return loaded;
}

ScreenTexts LoadScreen(InputFileKind kind, const files::InputRecord& record,
                       std::string_view decimalSeparator, std::vector<ChangedField>* changed,
                       std::string* refused) {
    ScreenTexts screen{kind, record.listIndex, {}};
    if (kind == InputFileKind::SinglePipe) {
        for (const FieldText& diameter : PipeSizeTexts(record.listIndex, decimalSeparator))
            screen.texts[diameter.field] =
                text::ApplyTypingFilter(diameter.text, decimalSeparator).text;
    }
    LoadedFields loaded = LoadFields(kind, record, decimalSeparator);
    for (FieldText& field : loaded.texts)
        screen.texts[field.field] = std::move(field.text);
    if (changed)
        *changed = std::move(loaded.changed);
    if (refused)
        *refused = std::move(loaded.refused);
    return screen;
}

std::string ChangedFieldsMessage(const ScreenTexts& screen,
                                 const std::vector<ChangedField>& changed) {
    std::string message = "Loading changed fields whose texts in the file are not numbers they "
                          "can hold:";
    for (const ChangedField& field : changed)
        message += "\n" + Caption(screen, field.field) + ": \"" + field.fileText + "\" became \"" +
                   field.text + "\"";
    return message;
}

namespace {

TestData TestDataFrom(const std::vector<TestText>& texts, int listIndex,
                      std::string_view decimalSeparator) {
    TestData data;
    data.listIndex = listIndex;
    for (const TestText& entry : texts)
        data.texts.push_back(
            {std::string(entry.field), WithSeparator(entry.text, decimalSeparator)});
    return data;
}

} // namespace

TestData SinglePipeTestData(int, std::string_view decimalSeparator) {
    return TestDataFrom(kSinglePipeTestData, 1, decimalSeparator);
}

TestData VesselTestData(int, std::string_view decimalSeparator) {
    return TestDataFrom(kVesselTestData, -1, decimalSeparator);
}

TestData PipeGroupTestData(int, std::string_view decimalSeparator) {
    return TestDataFrom(kPipeGroupTestData, -1, decimalSeparator);
}

TestData TestDataOf(InputFileKind kind, std::string_view decimalSeparator) {
    return CalculatorOf(kind).testData(0, decimalSeparator);
}

} // namespace termiva::cases
