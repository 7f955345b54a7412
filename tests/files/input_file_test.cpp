// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_write.h"
#include "files/input_file.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace termiva::files {
namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(TERMIVA_TEST_DATA) + "/input_files/";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> CrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    return lines;
}

std::string JoinLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

InputRecord SinglePipeGolden() {
    return {5,
            {"143", "20", "0,07", "0.95", "1", "20", "50", "75", "100", "150"},
            std::array<std::string, 2>{"50", "60,3"}};
}

InputRecord VesselGolden() {
    return {2, {"", "1.8", "0.8", "150", "20", "0.05", "1", "1", "20", "50", "75", "100"}, {}};
}

// Only rows 15 and 17 filled.
InputRecord MultiplePipesGolden() {
    InputRecord record{-1, {"25", "150", "25", "0.05", "0.90", "1"}, {}};
    record.fields.resize(6 + 39);
    const std::size_t row15 = 6 + 3 * (15 - 13);
    const std::size_t row17 = 6 + 3 * (17 - 13);
    record.fields[row15] = "78";
    record.fields[row15 + 1] = "25";
    record.fields[row15 + 2] = "14";
    record.fields[row17] = "28";
    record.fields[row17 + 1] = "14";
    record.fields[row17 + 2] = "6";
    return record;
}

// A horizontal cylinder with a loss limit and no surface limit, saved under
// a decimal comma; the pipe diameter and the height are not used by it.
InputRecord ThicknessLimitGolden() {
    return {2,
            {"", "1,2", "", "0,8", "150", "20", "0,05", "1", "1", "", "1000",
             "20 25 30 40 50 60 70 80 90 100 120 140 160 180 200"},
            {}};
}

// A pipe under a decimal comma with three candidates; the vessel dimensions
// are not used by it.
InputRecord EconomicsGolden() {
    return {0,
            {"26,9", "", "", "", "143", "20", "0,07", "0,95", "1", "100", "8000", "50", "0,9",
             "202", "10", "6", "3", "EUR"},
            {},
            {{"40", "30"}, {"60", "40"}, {"80", "52,5"}}};
}

void ExpectSameRecord(const InputRecord& actual, const InputRecord& expected) {
    EXPECT_EQ(actual.listIndex, expected.listIndex);
    EXPECT_EQ(actual.fields, expected.fields);
    EXPECT_EQ(actual.diameters, expected.diameters);
    EXPECT_EQ(actual.table, expected.table);
}

TEST(InputFileFormatTest, EachKindHasItsLayoutAndDialogSettings) {
    const InputFileFormat& single = FormatOf(InputFileKind::SinglePipe);
    EXPECT_EQ(single.title, "Insulation single pipe file");
    EXPECT_EQ(single.lineCount(), 12);
    EXPECT_EQ(single.listSize, 14);
    EXPECT_EQ(single.fieldNames,
              (std::vector<std::string>{"Text3", "Text4", "Text5", "Text6", "Text7", "Text10",
                                        "Text11", "Text12", "Text13", "Text14"}));
    EXPECT_EQ(single.diameterFieldNames, (std::vector<std::string>{"Text1", "Text2"}));
    EXPECT_EQ(single.dialogFilter,
              "Single pipe insulation file (*.insp)|*.insp|All files (*.*)|*.*");
    EXPECT_EQ(single.defaultFileName, "singlepipe.insp");
    EXPECT_EQ(single.defaultExtension, "insp");

    const InputFileFormat& vessel = FormatOf(InputFileKind::Vessel);
    EXPECT_EQ(vessel.title, "Insulation vessel file");
    EXPECT_EQ(vessel.lineCount(), 14);
    EXPECT_EQ(vessel.listSize, 3);
    EXPECT_EQ(vessel.indexOf("Text8"), 7u);
    EXPECT_EQ(vessel.indexOf("Text10"), 8u);
    EXPECT_FALSE(vessel.indexOf("Text9"));
    EXPECT_TRUE(vessel.diameterFieldNames.empty());
    EXPECT_EQ(vessel.dialogFilter, "Vessel insulation file (*.inv)|*.inv|All files (*.*)|*.*");
    EXPECT_EQ(vessel.defaultFileName, "vessel.inv");

    const InputFileFormat& pipes = FormatOf(InputFileKind::MultiplePipes);
    EXPECT_EQ(pipes.title, "Insulation more pipes file");
    EXPECT_FALSE(pipes.hasListIndex);
    EXPECT_EQ(pipes.lineCount(), 46);
    EXPECT_EQ(pipes.firstFieldLine(), 2);
    EXPECT_EQ(pipes.fieldNames[5], "Text16");
    EXPECT_EQ(pipes.fieldNames[6], "Text3(13)");
    EXPECT_EQ(pipes.fieldNames.back(), "Text5(25)");
    EXPECT_EQ(pipes.dialogFilter, "More pipes insulation file (*.inmp)|*.inmp|All files (*.*)|*.*");
    EXPECT_EQ(pipes.defaultFileName, "morepipes.inmp");
    EXPECT_EQ(pipes.defaultExtension, "inmp");

    const InputFileFormat& limit = FormatOf(InputFileKind::ThicknessLimit);
    EXPECT_EQ(limit.title, "Insulation thickness for a limit file");
    EXPECT_EQ(limit.lineCount(), 14);
    EXPECT_EQ(limit.listSize, 4);
    EXPECT_EQ(limit.indexOf("Text1"), 0u);
    EXPECT_EQ(limit.indexOf("Text12"), 11u);
    EXPECT_EQ(limit.dialogFilter,
              "Thickness for a limit file (*.inlim)|*.inlim|All files (*.*)|*.*");
    EXPECT_EQ(limit.defaultFileName, "limit.inlim");
    EXPECT_EQ(limit.defaultExtension, "inlim");
}

TEST(InputFileFormatTest, KindFromPath) {
    EXPECT_EQ(KindFromPath("a/b/singlepipe.insp"), InputFileKind::SinglePipe);
    EXPECT_EQ(KindFromPath("VESSEL.INV"), InputFileKind::Vessel);
    EXPECT_EQ(KindFromPath("x.y/morepipes.inmp"), InputFileKind::MultiplePipes);
    EXPECT_EQ(KindFromPath("limit.InLim"), InputFileKind::ThicknessLimit);
    EXPECT_FALSE(KindFromPath("x.inmp/file"));
    EXPECT_FALSE(KindFromPath("file.txt"));
    EXPECT_FALSE(KindFromPath("insp"));
}

TEST(InputFileTest, WritesTheGoldenBytes) {
    EXPECT_EQ(ToBytes(InputFileKind::SinglePipe, SinglePipeGolden()),
              ReadAll(kData + "single_pipe.insp"));
    EXPECT_EQ(ToBytes(InputFileKind::Vessel, VesselGolden()), ReadAll(kData + "vessel.inv"));
    EXPECT_EQ(ToBytes(InputFileKind::MultiplePipes, MultiplePipesGolden()),
              ReadAll(kData + "multiple_pipes.inmp"));
    EXPECT_EQ(ToBytes(InputFileKind::ThicknessLimit, ThicknessLimitGolden()),
              ReadAll(kData + "thickness_limit.inlim"));
}

TEST(InputFileTest, ReadsTheGoldenFiles) {
    auto single = ReadInputFile(InputFileKind::SinglePipe, kData + "single_pipe.insp");
    ASSERT_TRUE(single) << single.error().message;
    ExpectSameRecord(single.value(), SinglePipeGolden());
    auto vessel = ReadInputFile(InputFileKind::Vessel, kData + "vessel.inv");
    ASSERT_TRUE(vessel) << vessel.error().message;
    ExpectSameRecord(vessel.value(), VesselGolden());
    auto pipes = ReadInputFile(InputFileKind::MultiplePipes, kData + "multiple_pipes.inmp");
    ASSERT_TRUE(pipes) << pipes.error().message;
    ExpectSameRecord(pipes.value(), MultiplePipesGolden());
    auto limit = ReadInputFile(InputFileKind::ThicknessLimit, kData + "thickness_limit.inlim");
    ASSERT_TRUE(limit) << limit.error().message;
    ExpectSameRecord(limit.value(), ThicknessLimitGolden());
    // The object list has four entries: pipe and the three vessel shapes.
    std::string bytes = ToBytes(InputFileKind::ThicknessLimit, ThicknessLimitGolden());
    bytes.replace(bytes.find("\r\n2\r\n"), 5, "\r\n4\r\n");
    auto refused = FromBytes(InputFileKind::ThicknessLimit, bytes, "a.inlim");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message,
              "The file \"a.inlim\" is not a valid thickness for a limit input file: line 2 (the "
              "list entry) is not a number from 0 to 3.");
}

// The candidate table follows the fields: its row count, then a cell a line.
TEST(InputFileTest, EconomicsTableRoundTripsAndIsCheckedWhole) {
    const std::string golden = ReadAll(kData + "economics.ineco");
    EXPECT_EQ(ToBytes(InputFileKind::Economics, EconomicsGolden()), golden);
    auto read = ReadInputFile(InputFileKind::Economics, kData + "economics.ineco");
    ASSERT_TRUE(read) << read.error().message;
    ExpectSameRecord(read.value(), EconomicsGolden());

    InputRecord none = EconomicsGolden();
    none.table.clear();
    auto empty = FromBytes(InputFileKind::Economics, ToBytes(InputFileKind::Economics, none));
    ASSERT_TRUE(empty);
    ExpectSameRecord(empty.value(), none);

    const std::size_t count = golden.find("\r\n3\r\n40") + 2;
    const auto withCount = [&](const std::string& line) {
        return std::string(golden).replace(count, 1, line);
    };
    const std::pair<std::string, std::string> refused[] = {
        {golden.substr(0, golden.rfind("52,5")), "it has only 26 of its 27 lines"},
        {withCount("101"), "line 21 (the number of table rows) is not a number from 0 to 100"},
        {withCount("-1"), "line 21 (the number of table rows) is not a number from 0 to 100"},
        {withCount(""), "line 21 (the number of table rows) is not a number from 0 to 100"},
        {golden.substr(0, count), "it has only 20 of its 21 lines"},
    };
    for (const auto& [bytes, message] : refused) {
        auto record = FromBytes(InputFileKind::Economics, bytes, "a.ineco");
        ASSERT_FALSE(record) << message;
        EXPECT_NE(record.error().message.find(message), std::string::npos)
            << record.error().message;
    }

    // A table no file may hold is not written, and the old file stays.
    const std::string path = (fs::temp_directory_path() / "termiva-too-many.ineco").string();
    WriteAll(path, golden);
    InputRecord many = EconomicsGolden();
    many.table.resize(kMaxTableRows + 1, {"1", "1"});
    ASSERT_TRUE(WriteInputFile(InputFileKind::Economics, many, path));
    EXPECT_EQ(ReadAll(path), golden);
    fs::remove(path);
}

TEST(InputFileTest, MultiplePipesWithTwoRowsLeavesTheOtherLinesEmpty) {
    const std::vector<std::string> lines =
        CrLfLines(ToBytes(InputFileKind::MultiplePipes, MultiplePipesGolden()));
    ASSERT_EQ(lines.size(), 46u);
    for (int line = 1; line <= 46; ++line) {
        const bool empty = (line >= 8 && line <= 13) || (line >= 17 && line <= 19) || line >= 23;
        EXPECT_EQ(lines[static_cast<std::size_t>(line - 1)].empty(), empty) << "line " << line;
    }
}

TEST(InputFileTest, SinglePipeDiametersFollowTheOriginalTwelveLines) {
    const std::vector<std::string> lines =
        CrLfLines(ToBytes(InputFileKind::SinglePipe, SinglePipeGolden()));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[11], "150");
    EXPECT_EQ(lines[12], "50");
    EXPECT_EQ(lines[13], "60,3");

    // A file from before the diameters were kept: they come from the list entry.
    auto old = ReadInputFile(InputFileKind::SinglePipe, kData + "single_pipe_12_lines.insp");
    ASSERT_TRUE(old) << old.error().message;
    EXPECT_EQ(old->listIndex, 0);
    EXPECT_EQ(old->fields.back(), "150");
    EXPECT_FALSE(old->diameters);

    // A lone 13th line is not a pair of diameters.
    auto thirteen = FromBytes(InputFileKind::SinglePipe,
                              ReadAll(kData + "single_pipe_12_lines.insp") + "20\r\n");
    ASSERT_TRUE(thirteen);
    EXPECT_FALSE(thirteen->diameters);
}

TEST(InputFileTest, RoundTripsWhateverTheFieldsHold) {
    InputRecord record{13,
                       {"", "1e3", "-0", "0,5", "x y", "\u00be", "", "", "1.", "7"},
                       std::array<std::string, 2>{"", ""}};
    auto back = FromBytes(InputFileKind::SinglePipe, ToBytes(InputFileKind::SinglePipe, record));
    ASSERT_TRUE(back);
    ExpectSameRecord(back.value(), record);

    InputRecord pipes{-1, std::vector<std::string>(45), {}};
    for (std::size_t i = 0; i < pipes.fields.size(); ++i)
        pipes.fields[i] = std::to_string(i);
    back = FromBytes(InputFileKind::MultiplePipes, ToBytes(InputFileKind::MultiplePipes, pipes));
    ASSERT_TRUE(back);
    ExpectSameRecord(back.value(), pipes);
}

TEST(InputFileTest, EveryTextStaysOnItsLine) {
    InputRecord record{1, {"1\r\n2", "3\n"}, {}};
    const std::vector<std::string> lines = CrLfLines(ToBytes(InputFileKind::Vessel, record));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[2], "12");
    EXPECT_EQ(lines[3], "3");
    EXPECT_EQ(lines[13], ""); // missing fields give empty lines
}

TEST(InputFileTest, AcceptsLfLineEndsAndIgnoresLinesAfterTheLayout) {
    std::vector<std::string> lines = CrLfLines(ReadAll(kData + "vessel.inv"));
    auto lf = FromBytes(InputFileKind::Vessel, JoinLf(lines));
    ASSERT_TRUE(lf);
    ExpectSameRecord(lf.value(), VesselGolden());

    std::string noLastLineEnd = JoinLf(lines);
    noLastLineEnd.pop_back();
    auto unterminated = FromBytes(InputFileKind::Vessel, noLastLineEnd);
    ASSERT_TRUE(unterminated);
    EXPECT_EQ(unterminated->fields.back(), "100");

    lines.push_back("an extra line");
    lines.push_back(std::string(5000, 'x'));
    auto extra = FromBytes(InputFileKind::Vessel, JoinLf(lines));
    ASSERT_TRUE(extra);
    ExpectSameRecord(extra.value(), VesselGolden());

    // Another title still loads.
    lines[0] = "Insulation single pipe file";
    EXPECT_TRUE(FromBytes(InputFileKind::Vessel, JoinLf(lines)));
}

struct BadFile {
    const char* name;
    InputFileKind kind;
    std::string bytes;
    const char* message;
};

TEST(InputFileTest, RefusesInvalidFilesWhole) {
    const std::string vessel = ReadAll(kData + "vessel.inv");
    const std::string single = ReadAll(kData + "single_pipe.insp");
    auto withLine2 = [](std::string bytes, const std::string& line) {
        std::size_t start = bytes.find("\r\n") + 2;
        return bytes.replace(start, bytes.find("\r\n", start) - start, line);
    };
    const BadFile cases[] = {
        {"empty", InputFileKind::Vessel, "", "it has only 0 of its 14 lines"},
        {"ends after line 7", InputFileKind::Vessel, vessel.substr(0, vessel.find("0.05\r\n")),
         "it has only 7 of its 14 lines"},
        {"pipes ends after line 45", InputFileKind::MultiplePipes,
         ReadAll(kData + "multiple_pipes.inmp").substr(0, 143), "it has only 45 of its 46 lines"},
        {"index not a number", InputFileKind::Vessel, withLine2(vessel, "Rectangular"),
         "line 2 (the list entry) is not a number from 0 to 2"},
        {"index empty", InputFileKind::Vessel, withLine2(vessel, ""),
         "line 2 (the list entry) is not a number from 0 to 2"},
        {"index 3 of 3 entries", InputFileKind::Vessel, withLine2(vessel, "3"),
         "line 2 (the list entry) is not a number from 0 to 2"},
        {"index -1", InputFileKind::SinglePipe, withLine2(single, "-1"),
         "line 2 (the list entry) is not a number from 0 to 13"},
        {"index 14", InputFileKind::SinglePipe, withLine2(single, "14"),
         "line 2 (the list entry) is not a number from 0 to 13"},
        {"index 1.5", InputFileKind::SinglePipe, withLine2(single, "1.5"),
         "line 2 (the list entry) is not a number from 0 to 13"},
        {"index beyond int", InputFileKind::SinglePipe, withLine2(single, "99999999999999999999"),
         "line 2 (the list entry) is not a number from 0 to 13"},
        {"overlong field", InputFileKind::Vessel,
         withLine2(vessel, "0").replace(vessel.find("150"), 3, std::string(1025, '1')),
         "line 6 is longer than 1024 characters"},
        {"binary", InputFileKind::MultiplePipes, std::string("\0\x01\xff\r\n", 5),
         "it has only 1 of its 46 lines"},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.name);
        auto record = FromBytes(c.kind, c.bytes, "case.file");
        ASSERT_FALSE(record);
        const std::string& message = record.error().message;
        EXPECT_NE(message.find("\"case.file\""), std::string::npos) << message;
        EXPECT_NE(message.find("is not a valid"), std::string::npos) << message;
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
}

TEST(InputFileTest, AcceptsAListIndexWithBlanksOrPlus) {
    std::vector<std::string> lines = CrLfLines(ReadAll(kData + "vessel.inv"));
    for (const char* index : {" 1", "1 ", "+1", "\t1"}) {
        lines[1] = index;
        auto record = FromBytes(InputFileKind::Vessel, JoinLf(lines));
        ASSERT_TRUE(record) << index;
        EXPECT_EQ(record->listIndex, 1);
    }
    lines[5] = std::string(1024, '9'); // the longest field text
    EXPECT_TRUE(FromBytes(InputFileKind::Vessel, JoinLf(lines)));
}

class InputFileOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "termiva-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }
    std::string path(const std::string& name) const { return (fs::path(dir_) / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir_;
};

TEST_F(InputFileOnDiskTest, WritesAndReadsBack) {
    const std::string file = path("vessel.inv");
    ASSERT_FALSE(WriteInputFile(InputFileKind::Vessel, VesselGolden(), file));
    EXPECT_EQ(ReadAll(file), ReadAll(kData + "vessel.inv"));
    auto record = ReadInputFile(InputFileKind::Vessel, file);
    ASSERT_TRUE(record);
    ExpectSameRecord(record.value(), VesselGolden());
    EXPECT_EQ(entries(), std::vector<std::string>{"vessel.inv"}); // no temporary left
}

TEST_F(InputFileOnDiskTest, ReplacingKeepsTheFilesPermissions) {
    const std::string file = path("a.insp");
    WriteAll(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_FALSE(WriteFileAtomically(file, "new"));
    EXPECT_EQ(ReadAll(file), "new");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(InputFileOnDiskTest, WritingThroughALinkReplacesItsTarget) {
    WriteAll(path("real.inv"), "old");
    fs::create_symlink(path("real.inv"), path("link.inv"));
    ASSERT_FALSE(WriteFileAtomically(path("link.inv"), "new"));
    EXPECT_TRUE(fs::is_symlink(path("link.inv")));
    EXPECT_EQ(ReadAll(path("real.inv")), "new");
}

TEST_F(InputFileOnDiskTest, SpecialFilesAreNotReplaced) {
    ASSERT_EQ(::mkfifo(path("pipe.insp").c_str(), 0600), 0);
    fs::create_symlink(path("pipe.insp"), path("link.insp"));
    for (const char* name : {"pipe.insp", "link.insp"}) {
        SCOPED_TRACE(name);
        auto error = WriteInputFile(InputFileKind::SinglePipe, InputRecord{}, path(name));
        ASSERT_TRUE(error);
        EXPECT_NE(error->message.find("not a regular file"), std::string::npos) << error->message;
    }
    EXPECT_EQ(fs::symlink_status(path("pipe.insp")).type(), fs::file_type::fifo);
    EXPECT_EQ(entries(), (std::vector<std::string>{"link.insp", "pipe.insp"}));
}

TEST_F(InputFileOnDiskTest, AFailedWriteLeavesTheOldFileWhole) {
    const std::string file = path("morepipes.inmp");
    const std::string old = ReadAll(kData + "multiple_pipes.inmp");
    WriteAll(file, old);

    if (::geteuid() != 0) {
        // A folder the user may not write to.
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        auto error = WriteFileAtomically(file, "new bytes");
        fs::permissions(dir_, fs::perms::owner_all);
        ASSERT_TRUE(error);
        EXPECT_NE(error->message.find(file), std::string::npos) << error->message;
        EXPECT_EQ(ReadAll(file), old);
    }

    // A disk that fills up part way: the file size limit makes the write fail
    // (also for root).
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    auto error = WriteFileAtomically(file, std::string(4096, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("Could not save \"" + file + "\""), std::string::npos)
        << error->message;
    EXPECT_EQ(ReadAll(file), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"morepipes.inmp"});
}

TEST_F(InputFileOnDiskTest, WriteErrorsNameTheFile) {
    WriteAll(path("plain"), "a file, not a folder");
    auto error = WriteFileAtomically(path("plain") + "/vessel.inv", "x");
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find(path("plain") + "/vessel.inv"), std::string::npos);

    fs::create_directory(path("folder.inv"));
    error = WriteFileAtomically(path("folder.inv"), "x");
    ASSERT_TRUE(error);
    EXPECT_TRUE(fs::is_directory(path("folder.inv")));
}

TEST_F(InputFileOnDiskTest, ReadErrors) {
    auto missing = ReadInputFile(InputFileKind::Vessel, path("none.inv"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().message.find(path("none.inv")), std::string::npos);

    fs::create_directory(path("folder.inv"));
    EXPECT_FALSE(ReadInputFile(InputFileKind::Vessel, path("folder.inv")));

    // A huge file without line ends is refused after reading a little of it.
    {
        std::ofstream huge(path("huge.inmp"), std::ios::binary);
        const std::string block(1 << 20, 'x');
        for (int i = 0; i < 8; ++i)
            huge << block;
    }
    auto huge = ReadInputFile(InputFileKind::MultiplePipes, path("huge.inmp"));
    ASSERT_FALSE(huge);
    EXPECT_NE(huge.error().message.find("line 1 is longer than 1024 characters"), std::string::npos)
        << huge.error().message;

    // A huge file with valid lines first loads; the rest is never read.
    WriteAll(path("long.inv"), ReadAll(kData + "vessel.inv") + std::string(1 << 20, 'y'));
    auto longFile = ReadInputFile(InputFileKind::Vessel, path("long.inv"));
    ASSERT_TRUE(longFile) << longFile.error().message;
    ExpectSameRecord(longFile.value(), VesselGolden());

    // A field line longer than the limit, cut by the read limit, is still refused.
    std::vector<std::string> lines = CrLfLines(ReadAll(kData + "vessel.inv"));
    lines[2] = std::string(100000, '1');
    WriteAll(path("cut.inv"), JoinLf(lines));
    auto cut = ReadInputFile(InputFileKind::Vessel, path("cut.inv"));
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.error().message.find("line 3 is longer"), std::string::npos)
        << cut.error().message;
}

} // namespace
} // namespace termiva::files
