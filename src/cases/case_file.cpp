// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_file.h"

#include "cases/calculator.h"
#include "cases/case_records.h"

#include <utility>

namespace termiva::cases {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string FileSubject(std::string_view fileName) {
    return fileName.empty() ? std::string("The file")
                            : "The file \"" + std::string(fileName) + "\"";
}

// "a vessel", "an economics": the description with its article.
std::string WithArticle(std::string_view description) {
    const bool vowel = !description.empty() && std::string_view("aeiou").find(
                                                   description.front()) != std::string_view::npos;
    return (vowel ? "an " : "a ") + std::string(description);
}

} // namespace

std::optional<std::string> OtherKindMessage(InputFileKind kind, std::string_view title,
                                            std::string_view fileName) {
    title = Trimmed(title);
    for (const Calculator& calculator : Calculators()) {
        if (!calculator.kind || *calculator.kind == kind)
            continue;
        const files::InputFileFormat& other = files::FormatOf(*calculator.kind);
        if (other.title != title)
            continue;
        return FileSubject(fileName) + " is " + WithArticle(other.description) +
               " input file (line 1 is \"" + std::string(other.title) + "\"), not " +
               WithArticle(files::FormatOf(kind).description) + " one: open it on the " +
               std::string(calculator.title) + " screen.";
    }
    return std::nullopt;
}

Expected<files::InputRecord, CaseFileError> ReadCaseFile(InputFileKind kind,
                                                         const std::string& path) {
    bool otherKind = false;
    auto record = files::ReadInputFile(kind, path, [&](std::string_view title) {
        std::optional<std::string> refused = OtherKindMessage(kind, title, path);
        otherKind = refused.has_value();
        return refused;
    });
    if (!record)
        return CaseFileError{otherKind ? CaseFileError::Fault::OtherKind
                                       : CaseFileError::Fault::Unreadable,
                             {record.error().message}};
    return std::move(record).value();
}

Expected<ScreenTexts, CaseFileError> LoadCaseFile(InputFileKind kind, const std::string& path,
                                                  std::string_view decimalSeparator) {
    auto record = ReadCaseFile(kind, path);
    if (!record)
        return record.error();
    std::vector<ChangedField> changed;
    std::string refused;
    ScreenTexts screen = LoadScreen(kind, record.value(), decimalSeparator, &changed, &refused);
    // Numbers the file does not hold are not calculated.
    if (!refused.empty())
        return CaseFileError{CaseFileError::Fault::Fields, {refused}};
    if (!changed.empty())
        return CaseFileError{CaseFileError::Fault::Fields, {ChangedFieldsMessage(screen, changed)}};
    CaseFileError missing{CaseFileError::Fault::Fields, {}};
    for (const std::string& name : MissingFields(screen))
        missing.messages.push_back(MissingValueMessage(screen, name));
    if (!missing.messages.empty())
        return missing;
    return screen;
}

std::optional<std::string> SaveRefusal(const ScreenTexts& screen,
                                       std::string_view decimalSeparator) {
    const files::InputFileFormat& format = files::FormatOf(screen.kind);
    const files::InputRecord record = RecordOf(screen);
    std::vector<std::string> names = format.fieldNames;
    names.insert(names.end(), format.diameterFieldNames.begin(), format.diameterFieldNames.end());
    for (std::size_t r = 1; r <= record.table.size(); ++r)
        for (int c = 1; c <= format.tableColumns; ++c)
            names.push_back(CellName(format.tableName, r, c));
    for (const std::string& name : names) {
        const std::size_t length = screen.text(name).size();
        if (length > files::kMaxLineBytes)
            return Caption(screen, name) + " holds " + std::to_string(length) +
                   " characters, and an input file keeps at most " +
                   std::to_string(files::kMaxLineBytes) +
                   " of a field: shorten it to save the file.";
    }
    // What the file would hold, read back as Load reads it.
    auto back = files::FromBytes(screen.kind, files::ToBytes(screen.kind, record));
    if (!back)
        return back.error().message;
    std::string refused = LoadFields(screen.kind, back.value(), decimalSeparator).refused;
    if (!refused.empty())
        return refused;
    return std::nullopt;
}

} // namespace termiva::cases
