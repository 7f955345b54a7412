// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A saved input file read for a calculator, once for every screen, `termiva
// FILE` and termiva-calc: a file whose line 1 is the title of another kind of
// input file is refused, naming its kind and the screen that opens it (a line
// 1 that is no title of ours is still read, as old or hand-made files may
// have one); termiva-calc computes only texts that loading keeps and that pass
// the required check; and Save writes only what Load reads.

#include "cases/case_fields.h"
#include "files/input_file.h"
#include "support/expected.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace termiva::cases {

struct CaseFileError {
    enum class Fault {
        Unreadable, // cannot be read, or is not a valid file of its kind
        OtherKind,  // line 1 is the title of another kind of input file
        Fields,     // loading changed or refused a text, or a required field is empty
    };
    Fault fault = Fault::Unreadable;
    std::vector<std::string> messages; // at least one, ready for an "Error" box
};

// The message refusing a file of kind `kind` whose line 1 is `title`, when
// that is the title of another calculator's file (every calculator of the
// registry with a file of its own is asked); nothing for the kind's own title
// or a line that is no title. Blanks around the title do not count.
std::optional<std::string> OtherKindMessage(InputFileKind kind, std::string_view title,
                                            std::string_view fileName);

// files::ReadInputFile with the title check above.
Expected<files::InputRecord, CaseFileError> ReadCaseFile(InputFileKind kind,
                                                         const std::string& path);

// A file read by ReadCaseFile and loaded as its screen loads it (LoadScreen),
// for a calculation without a screen: refused (Fields) where loading had to
// change a number or refused a text, and where the required check
// (MissingFields) finds empty fields, a message for each of them.
Expected<ScreenTexts, CaseFileError> LoadCaseFile(InputFileKind kind, const std::string& path,
                                                  std::string_view decimalSeparator);

// Why the screen's texts must not be saved, naming the field: the file would
// not load (a text longer than a file line holds, a standard list whose
// meaning is ambiguous). Nothing when the file they give loads back.
std::optional<std::string> SaveRefusal(const ScreenTexts& screen,
                                       std::string_view decimalSeparator);

} // namespace termiva::cases
