// SPDX-License-Identifier: GPL-3.0-or-later
// The input file reader and what termiva-calc makes of a file: bytes ->
// record -> bytes -> the same record, and bytes -> the calculation, whose
// results are numbers or an error.

#include "cli/calc.h"
#include "files/input_file.h"
#include "fuzz_support.h"

#include <algorithm>
#include <sstream>

using namespace termiva;
using namespace termiva::fuzz;

namespace {

std::string WithoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const files::InputFileKind kind =
        files::kInputFileKinds[input.Byte() % files::kInputFileKinds.size()];
    const std::string separator = input.Byte() % 2 ? "," : ".";
    const std::string_view bytes = input.Rest();

    const auto record = files::FromBytes(kind, bytes);
    if (record) {
        const auto again = files::FromBytes(kind, files::ToBytes(kind, *record));
        Check(again.has_value(), "a written record does not read back");
        Check(again->listIndex == record->listIndex, "the list index changes");
        Check(again->fields.size() == record->fields.size(), "the field count changes");
        for (std::size_t i = 0; i < record->fields.size(); ++i)
            Check(again->fields[i] == WithoutCarriageReturns(record->fields[i]),
                  "a field changes on the way back", record->fields[i]);
        Check(again->diameters.has_value() == record->diameters.has_value(),
              "the diameters come and go");
        Check(again->table.size() == record->table.size(), "the table's row count changes");
        for (std::size_t r = 0; r < record->table.size(); ++r)
            for (std::size_t c = 0; c < record->table[r].size(); ++c)
                Check(again->table[r][c] == WithoutCarriageReturns(record->table[r][c]),
                      "a table cell changes on the way back", record->table[r][c]);
    }

    ClearScratch();
    const std::string path =
        ScratchFolder() + "/case." + std::string(files::FormatOf(kind).defaultExtension);
    WriteFile(path, bytes);
    for (const bool table : {false, true}) {
        std::vector<std::string> args = {"--json"};
        if (table)
            args.push_back("--table");
        args.push_back(path);
        std::ostringstream out, err;
        const int status = cli::Run(args, out, err, separator);
        Check(status >= cli::kExitOk && status <= cli::kExitUnusable, "an unknown exit status");
        Check(status == cli::kExitOk || out.str().find("\"error\"") != std::string::npos,
              "a failure without an error");
        // JSON writes a value that is not finite as null.
        if (status == cli::kExitOk)
            Check(out.str().find("null") == std::string::npos, "a result that is not finite",
                  out.str());
    }
    if (kind == files::InputFileKind::Economics) {
        std::ostringstream out, err;
        const int status = cli::Run({"--json", "--economics", path}, out, err, separator);
        Check(status >= cli::kExitOk && status <= cli::kExitUnusable, "an unknown exit status");
        Check(status == cli::kExitOk || out.str().find("\"error\"") != std::string::npos,
              "a failure without an error");
        // Only a payback may be null: none where the row saves nothing.
        std::string json = out.str();
        const std::string none = "\"payback\":null";
        for (auto at = json.find(none); at != std::string::npos; at = json.find(none))
            json.erase(at, none.size());
        if (status == cli::kExitOk)
            Check(json.find("null") == std::string::npos, "a result that is not finite", json);
    }
    return 0;
}
