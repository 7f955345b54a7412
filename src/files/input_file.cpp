// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/input_file.h"

#include "files/atomic_write.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace termiva::files {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

InputFileFormat MakeSinglePipe() {
    return InputFileFormat{
        InputFileKind::SinglePipe,
        "single pipe",
        "Insulation single pipe file",
        true,
        14,
        {"Text3", "Text4", "Text5", "Text6", "Text7", "Text10", "Text11", "Text12", "Text13",
         "Text14"},
        {"Text1", "Text2"},
        "Single pipe insulation file (*.insp)|*.insp|All files (*.*)|*.*",
        "singlepipe.insp",
        "insp",
        {},
        0,
        0,
    };
}

InputFileFormat MakeVessel() {
    return InputFileFormat{
        InputFileKind::Vessel,
        "vessel",
        "Insulation vessel file",
        true,
        3,
        {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text10", "Text11",
         "Text12", "Text13"},
        {},
        "Vessel insulation file (*.inv)|*.inv|All files (*.*)|*.*",
        "vessel.inv",
        "inv",
        {},
        0,
        0,
    };
}

InputFileFormat MakeMultiplePipes() {
    std::vector<std::string> names = {"Text11", "Text12", "Text13", "Text14", "Text15", "Text16"};
    for (int r = 13; r <= 25; ++r) {
        const std::string index = "(" + std::to_string(r) + ")";
        names.push_back("Text3" + index);
        names.push_back("Text4" + index);
        names.push_back("Text5" + index);
    }
    return InputFileFormat{
        InputFileKind::MultiplePipes,
        "multiple pipes",
        "Insulation more pipes file",
        false,
        0,
        std::move(names),
        {},
        "More pipes insulation file (*.inmp)|*.inmp|All files (*.*)|*.*",
        "morepipes.inmp",
        "inmp",
        {},
        0,
        0,
    };
}

// The object list (pipe or one of the three vessel shapes), the object's
// dimensions, the common inputs, the two limits (either may be empty) and the
// standard thickness list as typed.
InputFileFormat MakeThicknessLimit() {
    return InputFileFormat{
        InputFileKind::ThicknessLimit,
        "thickness for a limit",
        "Insulation thickness for a limit file",
        true,
        4,
        {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Text10",
         "Text11", "Text12"},
        {},
        "Thickness for a limit file (*.inlim)|*.inlim|All files (*.*)|*.*",
        "limit.inlim",
        "inlim",
        {},
        0,
        0,
    };
}

// The object list (pipe or one of the three vessel shapes), the object's
// dimensions, the common inputs, the operating and money inputs, the
// currency text, then the candidate table: thickness and installed cost.
InputFileFormat MakeEconomics() {
    std::vector<std::string> names;
    for (int i = 1; i <= 18; ++i)
        names.push_back("Text" + std::to_string(i));
    return InputFileFormat{
        InputFileKind::Economics,
        "energy and cost",
        "Insulation energy and cost file",
        true,
        4,
        std::move(names),
        {},
        "Energy and cost file (*.ineco)|*.ineco|All files (*.*)|*.*",
        "economics.ineco",
        "ineco",
        "Table1",
        2,
        kMaxTableRows,
    };
}

// The lines of `bytes`, at most `limit` of them. A line ends at LF, a CR
// before the LF belongs to the line end; the last line may lack its end (or
// have only the CR).
std::vector<std::string_view> SplitLines(std::string_view bytes, std::size_t limit) {
    std::vector<std::string_view> lines;
    while (!bytes.empty() && lines.size() < limit) {
        std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        bytes = lf == std::string_view::npos ? std::string_view() : bytes.substr(lf + 1);
    }
    return lines;
}

std::optional<int> ParseIndex(std::string_view line) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    if (!line.empty() && line.front() == '+')
        line.remove_prefix(1);
    int value = 0;
    auto [ptr, ec] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (line.empty() || ec != std::errc() || ptr != line.data() + line.size())
        return std::nullopt;
    return value;
}

void AppendLine(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c != '\r' && c != '\n')
            out.push_back(c);
    }
    out.append(kLineEnd);
}

// The most table cells a file of `format` may hold after its fixed lines.
std::size_t TableCells(const InputFileFormat& format) {
    return format.maxTableRows * static_cast<std::size_t>(format.tableColumns);
}

std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

std::string ReadError(const std::string& path, int error) {
    return "Could not read " + Quoted(path) + ": " + std::generic_category().message(error) + ".";
}

} // namespace

int InputFileFormat::lineCount() const {
    return firstFieldLine() - 1 + static_cast<int>(fieldNames.size()) + (tableColumns > 0 ? 1 : 0);
}

int InputFileFormat::firstFieldLine() const {
    return hasListIndex ? 3 : 2;
}

std::optional<std::size_t> InputFileFormat::indexOf(std::string_view controlName) const {
    auto it = std::find(fieldNames.begin(), fieldNames.end(), controlName);
    if (it == fieldNames.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - fieldNames.begin());
}

const InputFileFormat& FormatOf(InputFileKind kind) {
    static const InputFileFormat singlePipe = MakeSinglePipe();
    static const InputFileFormat vessel = MakeVessel();
    static const InputFileFormat multiplePipes = MakeMultiplePipes();
    static const InputFileFormat thicknessLimit = MakeThicknessLimit();
    static const InputFileFormat economics = MakeEconomics();
    switch (kind) {
    case InputFileKind::SinglePipe:
        return singlePipe;
    case InputFileKind::Vessel:
        return vessel;
    case InputFileKind::ThicknessLimit:
        return thicknessLimit;
    case InputFileKind::Economics:
        return economics;
    case InputFileKind::MultiplePipes:
        break;
    }
    return multiplePipes;
}

std::optional<InputFileKind> KindFromPath(std::string_view path) {
    std::size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    std::string extension(name.substr(dot + 1));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    for (InputFileKind kind : kInputFileKinds) {
        if (extension == FormatOf(kind).defaultExtension)
            return kind;
    }
    return std::nullopt;
}

std::string ToBytes(InputFileKind kind, const InputRecord& record) {
    const InputFileFormat& format = FormatOf(kind);
    std::string out;
    AppendLine(out, format.title);
    if (format.hasListIndex)
        AppendLine(out, std::to_string(record.listIndex));
    for (std::size_t i = 0; i < format.fieldNames.size(); ++i)
        AppendLine(out, i < record.fields.size() ? std::string_view(record.fields[i]) : "");
    if (!format.diameterFieldNames.empty() && record.diameters) {
        AppendLine(out, (*record.diameters)[0]);
        AppendLine(out, (*record.diameters)[1]);
    }
    if (format.tableColumns > 0) {
        const auto columns = static_cast<std::size_t>(format.tableColumns);
        AppendLine(out, std::to_string(record.table.size()));
        for (const std::vector<std::string>& row : record.table)
            for (std::size_t c = 0; c < columns; ++c)
                AppendLine(out, c < row.size() ? std::string_view(row[c]) : "");
    }
    return out;
}

Expected<InputRecord, FileError> FromBytes(InputFileKind kind, std::string_view bytes,
                                           std::string_view fileName,
                                           const TitleCheck& checkTitle) {
    const InputFileFormat& format = FormatOf(kind);
    auto invalid = [&](const std::string& why) {
        std::string subject = fileName.empty() ? "The file" : "The file " + Quoted(fileName);
        return FileError{subject + " is not a valid " + std::string(format.description) +
                         " input file: " + why + "."};
    };

    const std::size_t needed = static_cast<std::size_t>(format.lineCount());
    const std::vector<std::string_view> lines =
        SplitLines(bytes, needed + format.diameterFieldNames.size() + TableCells(format));
    if (checkTitle && !lines.empty()) {
        if (std::optional<std::string> refused = checkTitle(lines.front()))
            return FileError{std::move(*refused)};
    }
    // Lengths first: a reader that stopped within an overlong line sees
    // fewer lines than the file has, and the length is the real fault.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > kMaxLineBytes) {
            return invalid("line " + std::to_string(i + 1) + " is longer than " +
                           std::to_string(kMaxLineBytes) + " characters");
        }
    }
    if (lines.size() < needed) {
        return invalid("it has only " + std::to_string(lines.size()) + " of its " +
                       std::to_string(needed) + " lines");
    }

    InputRecord record;
    if (format.hasListIndex) {
        std::optional<int> index = ParseIndex(lines[1]);
        if (!index || *index < 0 || *index >= format.listSize) {
            return invalid("line 2 (the list entry) is not a number from 0 to " +
                           std::to_string(format.listSize - 1));
        }
        record.listIndex = *index;
    }
    const std::size_t first = static_cast<std::size_t>(format.firstFieldLine()) - 1;
    for (std::size_t i = 0; i < format.fieldNames.size(); ++i)
        record.fields.emplace_back(lines[first + i]);
    if (!format.diameterFieldNames.empty() && lines.size() >= needed + 2)
        record.diameters =
            std::array<std::string, 2>{std::string(lines[needed]), std::string(lines[needed + 1])};
    if (format.tableColumns > 0) {
        // The row count stands on the last line of the fixed layout.
        const std::optional<int> rows = ParseIndex(lines[needed - 1]);
        if (!rows || *rows < 0 || static_cast<std::size_t>(*rows) > format.maxTableRows)
            return invalid("line " + std::to_string(needed) +
                           " (the number of table rows) is not a number from 0 to " +
                           std::to_string(format.maxTableRows));
        const auto columns = static_cast<std::size_t>(format.tableColumns);
        const std::size_t cells = static_cast<std::size_t>(*rows) * columns;
        if (lines.size() < needed + cells)
            return invalid("it has only " + std::to_string(lines.size()) + " of its " +
                           std::to_string(needed + cells) + " lines");
        for (std::size_t r = 0; r < static_cast<std::size_t>(*rows); ++r) {
            const auto row = lines.begin() + static_cast<std::ptrdiff_t>(needed + r * columns);
            record.table.emplace_back(row, row + static_cast<std::ptrdiff_t>(columns));
        }
    }
    return record;
}

Expected<InputRecord, FileError> ReadInputFile(InputFileKind kind, const std::string& path,
                                               const TitleCheck& checkTitle) {
    const InputFileFormat& format = FormatOf(kind);
    // Enough for every line the layout takes at its longest with its CR LF:
    // a longer prefix cannot change the outcome (see FromBytes).
    const std::size_t lines = static_cast<std::size_t>(format.lineCount()) +
                              format.diameterFieldNames.size() + TableCells(format);
    const std::size_t limit = lines * (kMaxLineBytes + kLineEnd.size());

    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return FileError{ReadError(path, errno)};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        int error = errno;
        ::close(fd);
        return FileError{ReadError(path, error)};
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileError{"Could not read " + Quoted(path) +
                         (S_ISDIR(st.st_mode) ? ": it is a folder." : ": it is not a file.")};
    }
    std::string bytes(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
        ssize_t got = ::read(fd, bytes.data() + filled, limit - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            ::close(fd);
            return FileError{ReadError(path, error)};
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(filled);
    return FromBytes(kind, bytes, path, checkTitle);
}

std::optional<FileError> WriteInputFile(InputFileKind kind, const InputRecord& record,
                                        const std::string& path) {
    const InputFileFormat& format = FormatOf(kind);
    if (record.table.size() > format.maxTableRows)
        return FileError{"Could not write " + Quoted(path) + ": the file can hold at most " +
                         std::to_string(format.maxTableRows) + " table rows, not " +
                         std::to_string(record.table.size()) + "."};
    return WriteFileAtomically(path, ToBytes(kind, record));
}

} // namespace termiva::files
