// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program finds and keeps its files. The application folder is the
// folder of the executable. An installed program's folder is not writable by
// its users: then the workbook is a per-user copy in the user's data folder,
// and the file dialogs start in the user's documents folder.

#include "platform/platform.h"

#include <QByteArray>
#include <QString>

namespace termiva {

// The folder of the executable, without a trailing separator.
QString ApplicationFolder();

// Help/Termiva.html beside the executable, else under ../share/termiva.
QString HelpFilePath();

// Where input file dialogs start: the application folder when it is writable
// and holds the workbook template (a build tree, a portable folder); else the
// user's documents folder (the home folder when there is none).
QString DialogStartFolder();

// The save dialog of an output the program writes (a picture, a PDF): it asks
// before replacing a file, offers no read-only box and starts in
// DialogStartFolder().
CommonDialog OutputSaveDialog(const QString& title, const QString& filter,
                              const QString& defaultExt);

// The workbook the diagram export rewrites: Template.xlsx beside the
// executable when that folder is writable; else a per-user copy in the user's
// data folder, made from the installed template on first use. An empty
// string and `error` set when no template can be found or copied.
QString WorkbookPath(QString* error = nullptr);

// A file name as the system gives it (bytes) and back, losing nothing: valid
// UTF-8 decodes as such, every other byte as the lone surrogate U+DC00 + byte,
// which LocalFileName turns back into that byte. So a name that is not UTF-8
// (Latin-1 "r\xe9seau.insp") still opens.
QString FileNameFromLocal(const QByteArray& bytes);
QByteArray LocalFileName(const QString& name);

} // namespace termiva
