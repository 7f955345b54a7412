#pragma once

// "Save to file" and "Load from file" of the three calculator screens, once:
// what differs per screen (title line, list index line, field order, filter,
// default name and extension) is data in files/input_file.h; a screen only
// says which of its controls stand where.

#include "files/input_file.h"
#include "platform/platform.h"

#include <functional>

class QComboBox;

namespace termiva {

class ScreenFields;

struct InputFileBinding {
    files::InputFileKind kind;
    std::function<bool()> checkInputs;     // the screen's CheckInputs, run before saving
    QComboBox* list = nullptr;             // the list whose index the file stores, if any
    std::function<void()> afterListLoaded; // single pipe: runs Combo1_Click once more
    const ScreenFields* fields = nullptr;  // every field the file keeps, by control name
};

// CheckInputs, the save dialog, the file, then "Data successfuly saved fo file!".
// A cancelled dialog does nothing; a failed write shows an "Error" box naming
// the file and the reason and leaves the previous file whole.
void SaveInputFile(Platform& platform, const InputFileBinding& binding);

// The open dialog, the whole file, then the list entry and the field texts as
// if typed, then "Data successfuly loaded from file!". A file that cannot be
// read or is not a valid input file of this screen changes nothing and shows
// an "Error" box saying why.
void LoadInputFile(Platform& platform, const InputFileBinding& binding);

} // namespace termiva
