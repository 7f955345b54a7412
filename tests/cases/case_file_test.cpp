// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/calculator.h"
#include "cases/case_file.h"
#include "cases/case_records.h"
#include "cases/thickness_limit_case.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace termiva::cases {
namespace {

std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

ScreenTexts TestScreen(InputFileKind kind) {
    const TestData data = TestDataOf(kind, ".");
    ScreenTexts screen{kind, std::max(data.listIndex, 0), {}};
    for (const FieldText& text : data.texts)
        screen.texts[text.field] = text.text;
    return screen;
}

// Every file kind opened as every other kind is refused by its title, before
// its lines are counted or its list entry read, naming its kind and screen;
// its own title, and a title of no kind, read on.
TEST(CaseFile, AFileOfAnotherKindIsRefusedByItsTitle) {
    for (const Calculator& saved : Calculators()) {
        if (!saved.kind)
            continue;
        const std::string bytes = files::ToBytes(*saved.kind, RecordOf(TestScreen(*saved.kind)));
        const std::string path = Write("case_file_test.any", bytes);
        for (const Calculator& opened : Calculators()) {
            if (!opened.kind)
                continue;
            auto record = ReadCaseFile(*opened.kind, path);
            if (opened.kind == saved.kind) {
                EXPECT_TRUE(record) << saved.id;
                continue;
            }
            ASSERT_FALSE(record) << saved.id << " as " << opened.id;
            EXPECT_EQ(record.error().fault, CaseFileError::Fault::OtherKind);
            const std::string& message = record.error().messages.front();
            EXPECT_NE(
                message.find(std::string(files::FormatOf(*saved.kind).description) + " input file"),
                std::string::npos)
                << message;
            EXPECT_NE(message.find(std::string(saved.title) + " screen"), std::string::npos)
                << message;
        }
    }
    std::string bytes =
        files::ToBytes(InputFileKind::Vessel, RecordOf(TestScreen(InputFileKind::Vessel)));
    bytes.replace(0, bytes.find('\r'), "Saved by hand");
    EXPECT_TRUE(ReadCaseFile(InputFileKind::SinglePipe, Write("case_file_test.insp", bytes)));
    EXPECT_EQ(ReadCaseFile(InputFileKind::Vessel, "/nonexistent/x.inv").error().fault,
              CaseFileError::Fault::Unreadable);
}

// termiva-calc's load: a number loading changed, and an empty required field,
// are refused by field.
TEST(CaseFile, LoadingRefusesChangedAndMissingFields) {
    ScreenTexts screen = TestScreen(InputFileKind::ThicknessLimit);
    screen.texts["Text1"] = "26.9";
    const auto save = [&](const std::string& field, const std::string& text) {
        ScreenTexts changed = screen;
        changed.texts[field] = text;
        return Write("case_file_test.inlim",
                     files::ToBytes(InputFileKind::ThicknessLimit, RecordOf(changed)));
    };
    EXPECT_TRUE(LoadCaseFile(InputFileKind::ThicknessLimit, save("Text6", "20"), "."));
    for (const auto& [field, text, caption] :
         {std::tuple{"Text6", "-20", "Ambient Temperature (Tout) [oC]: \"-20\" became \"0\""},
          std::tuple{"Text1", "2 6.9", "Pipe outside diameter (D2) [mm]: \"2 6.9\""},
          std::tuple{"Text11", "nan", "Maximum heat loss [W/m]: \"nan\""},
          std::tuple{"Text5", "", "Please input value! (Text5"}}) {
        auto loaded = LoadCaseFile(InputFileKind::ThicknessLimit, save(field, text), ".");
        ASSERT_FALSE(loaded) << field;
        EXPECT_EQ(loaded.error().fault, CaseFileError::Fault::Fields);
        EXPECT_NE(loaded.error().messages.front().find(caption), std::string::npos)
            << loaded.error().messages.front();
    }
}

// Save refuses what Load would refuse: a field over the line bound, an
// ambiguous list; the test data saves.
TEST(CaseFile, SaveWritesOnlyWhatLoadReads) {
    ScreenTexts screen = TestScreen(InputFileKind::ThicknessLimit);
    EXPECT_FALSE(SaveRefusal(screen, "."));
    std::string list;
    while (list.size() <= files::kMaxLineBytes)
        list += "20 ";
    screen.texts[std::string(kStandardListField)] = list;
    const auto longList = SaveRefusal(screen, ".");
    ASSERT_TRUE(longList);
    EXPECT_NE(longList->find("Standard thicknesses [mm] holds 1026 characters"), std::string::npos)
        << *longList;
    screen.texts[std::string(kStandardListField)] = "20,25";
    const auto ambiguous = SaveRefusal(screen, ",");
    ASSERT_TRUE(ambiguous);
    EXPECT_NE(ambiguous->find("Standard thicknesses [mm]: \"20,25\""), std::string::npos);
}

} // namespace
} // namespace termiva::cases
