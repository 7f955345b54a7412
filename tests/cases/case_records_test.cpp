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

// Loading: the list entry writes D1 and D2 first, the file's own diameter
// lines win over it, and every text goes through the typing filter.
TEST(CaseRecords, LoadingAppliesTheListEntryThenTheFile) {
    files::InputRecord record;
    record.listIndex = 1; // ND 20: 20 / 26.9
    record.fields = {"143", "2x0", "0.07", "-5", "1", "20", "50", "75", "100", "150"};
    ScreenTexts screen = LoadScreen(InputFileKind::SinglePipe, record, ",");
    EXPECT_EQ(screen.text("Text1"), "20");
    EXPECT_EQ(screen.text("Text2"), "26,9");
    EXPECT_EQ(screen.text("Text4"), "2");    // filtered as typed
    EXPECT_EQ(screen.text("Text5"), "0,07"); // a decimal saved under the point
    EXPECT_EQ(screen.text("Text6"), "0");    // a negative number becomes 0
    EXPECT_EQ(screen.text("Text14"), "150");

    record.diameters = {{"", "30"}};
    screen = LoadScreen(InputFileKind::SinglePipe, record, ".");
    EXPECT_EQ(screen.text("Text1"), "");
    EXPECT_EQ(screen.text("Text2"), "30");
    EXPECT_EQ(LoadedTexts(InputFileKind::SinglePipe, record).back().field, "Text2");
}

// Loading names the fields whose number it changed, not those it read from
// the other locale.
TEST(CaseRecords, LoadingNamesTheFieldsItChanged) {
    files::InputRecord record;
    record.listIndex = 2;
    // Text1 .. Text8, then tins1 .. tins4 (Text10 .. Text13).
    record.fields = {"30", "20", "0.05", "150", "20", "0.9", "1", "16.5", "1,5e2", "7x", "2.3", ""};
    std::vector<ChangedField> changed;
    const ScreenTexts screen = LoadScreen(InputFileKind::Vessel, record, ",", &changed);
    EXPECT_EQ(screen.text("Text3"), "0,05");
    EXPECT_EQ(screen.text("Text6"), "0,9");
    EXPECT_EQ(screen.text("Text8"), "16,5");
    EXPECT_EQ(screen.text("Text10"), "1,5e2");
    EXPECT_EQ(screen.text("Text12"), "2,3");
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].field, "Text11");
    EXPECT_EQ(changed[0].fileText, "7x");
    EXPECT_EQ(changed[0].text, "7");

    record.fields[0] = "-3";
    LoadScreen(InputFileKind::Vessel, record, ",", &changed);
    ASSERT_EQ(changed.size(), 2u);
    const std::string message = ChangedFieldsMessage(screen, changed);
    EXPECT_NE(message.find("Lenght (L) [m]: \"-3\" became \"0\""), std::string::npos) << message;
    EXPECT_NE(message.find("tins2 [mm]: \"7x\" became \"7\""), std::string::npos) << message;
}

// Saving and loading give back the same texts for every kind, bytes included.
TEST(CaseRecords, RecordRoundTrip) {
    for (InputFileKind kind :
         {InputFileKind::SinglePipe, InputFileKind::Vessel, InputFileKind::MultiplePipes}) {
        const TestData data = TestDataOf(kind, ",");
        ScreenTexts screen{kind, data.listIndex < 0 ? 2 : data.listIndex, {}};
        for (const FieldText& text : data.texts)
            screen.texts[text.field] = text.text;
        if (kind == InputFileKind::SinglePipe) {
            screen.texts["Text1"] = "20";
            screen.texts["Text2"] = "26,9";
        }

        const std::string bytes = files::ToBytes(kind, RecordOf(screen));
        auto record = files::FromBytes(kind, bytes);
        ASSERT_TRUE(record) << record.error().message;
        const ScreenTexts loaded = LoadScreen(kind, *record, ",");
        if (files::FormatOf(kind).hasListIndex) {
            EXPECT_EQ(loaded.listIndex, screen.listIndex);
        }
        for (const auto& [name, text] : screen.texts)
            EXPECT_EQ(loaded.text(name), text) << name;
    }
}

TEST(CaseRecords, TestDataTakesTheUsersSeparator) {
    const TestData single = TestDataOf(InputFileKind::SinglePipe, ",");
    EXPECT_EQ(single.listIndex, 1);
    EXPECT_EQ(single.texts[2].field, "Text5");
    EXPECT_EQ(single.texts[2].text, "0,07");
    const TestData pipes = TestDataOf(InputFileKind::MultiplePipes, ".");
    EXPECT_EQ(pipes.listIndex, -1);
    EXPECT_EQ(pipes.texts[4].text, "0.90"); // as written, not "0.9"
    EXPECT_EQ(pipes.texts.back().field, "Text5(20)");
}

std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

ScreenTexts SavedTestScreen(InputFileKind kind) {
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
        const std::string bytes =
            files::ToBytes(*saved.kind, RecordOf(SavedTestScreen(*saved.kind)));
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
        files::ToBytes(InputFileKind::Vessel, RecordOf(SavedTestScreen(InputFileKind::Vessel)));
    bytes.replace(0, bytes.find('\r'), "Saved by hand");
    EXPECT_TRUE(ReadCaseFile(InputFileKind::SinglePipe, Write("case_file_test.insp", bytes)));
}

// Save refuses what Load would refuse: a field over the line bound, an
// ambiguous list; the test data saves.
TEST(CaseFile, SaveWritesOnlyWhatLoadReads) {
    ScreenTexts screen = SavedTestScreen(InputFileKind::ThicknessLimit);
    EXPECT_FALSE(SaveRefusal(screen, "."));
    screen.texts[std::string(kStandardListField)] = std::string(1025, '5');
    EXPECT_EQ(SaveRefusal(screen, ".")
                  .value_or("")
                  .rfind("Standard thicknesses [mm] holds 1025 "
                         "characters, and an input file keeps at "
                         "most 1024 of a field",
                         0),
              0u);
    screen.texts[std::string(kStandardListField)] = "20,25";
    EXPECT_EQ(
        SaveRefusal(screen, ",").value_or("").rfind("Standard thicknesses [mm]: \"20,25\"", 0), 0u);
}

} // namespace
} // namespace termiva::cases
