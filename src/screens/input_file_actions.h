// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Save to file" and "Load from file" of the calculator screens, once:
// what differs per screen (title line, list index line, field order, filter,
// default name and extension) is data in files/input_file.h; a screen only
// says which of its controls stand where.

#include "files/input_file.h"
#include "platform/platform.h"

#include <functional>

class QComboBox;
class QString;
class QWidget;

namespace termiva {

class ScreenFields;

struct InputFileBinding {
    files::InputFileKind kind;
    std::function<bool()> checkInputs;     // the screen's CheckInputs, run before saving
    QComboBox* list = nullptr;             // the list whose index the file stores, if any
    std::function<void()> afterListLoaded; // single pipe: runs Combo1_Click once more
    const ScreenFields* fields = nullptr;  // every field the file keeps, by control name
    // A screen with a table: makes the rows a file holds, before their
    // cells' texts are set.
    std::function<void(std::size_t rows)> makeTableRows;
};

// CheckInputs, the save dialog, the file, then "Data successfuly saved fo file!".
// Texts that would give a file Load refuses (cases::SaveRefusal) show an
// "Error" box before the dialog and nothing is written. A cancelled dialog
// does nothing; a failed write shows an "Error" box naming the file and the
// reason and leaves the previous file whole.
void SaveInputFile(Platform& platform, const InputFileBinding& binding);

// The open dialog, the whole file, then the list entry and the field texts as
// if typed, then "Data successfuly loaded from file!", or, where a text could
// not stand in its field and the typing filter changed it, an "Error" box
// listing those fields instead. A file that cannot be read, is not a valid
// input file of this screen, is a file of another kind (line 1 is another
// kind's title) or holds a text that cannot load changes nothing and shows an
// "Error" box saying why.
void LoadInputFile(Platform& platform, const InputFileBinding& binding);

// File > Save: CheckInputs, then the file the screen's case was last saved
// to or loaded from, without a dialog, and the messages of "Save to file".
// Without such a file it is "Save to file".
void SaveInputFileAgain(Platform& platform, const InputFileBinding& binding);

// The same load without the dialog, from a file already chosen (one named on
// the command line): the same checks, the same messages.
void LoadInputFileFrom(Platform& platform, const InputFileBinding& binding, const QString& path);

// The file the screen's case was last saved to or loaded from (the report
// names it); empty when there is none.
QString InputFileOf(const QWidget* screen);

// True while the screen's fields and lists differ from that file (after a
// load that had to change texts, from the start).
bool DiffersFromInputFile(const QWidget* screen);

// Set on the screen (a dynamic property, so its change event tells watchers)
// each time a file is saved or loaded, with a new value every time.
inline constexpr const char* kInputFileUseProperty = "termivaInputFileUse";

} // namespace termiva
