// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// File > Recent files: the last files saved or loaded on any screen, newest
// first, kept in the settings between runs.

#include <functional>

#include <QObject>
#include <QStringList>

class QMenu;

namespace termiva {

inline constexpr const char* kRecentFilesKey = "recentFiles";
inline constexpr int kMaxRecentFiles = 8;

// The remembered list as the settings hold it, bounded: only texts of a
// sane length, no repeats, at most kMaxRecentFiles.
QStringList RecentFiles();

// Puts `path` first (absolute), dropping an older entry of it and the
// oldest beyond kMaxRecentFiles.
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);

// Fills `menu` each time it opens: one entry per remembered file (a number
// and the file name; the full path in its tooltip) that runs `open`. Files
// that are gone are removed from the list, and a line under the entries
// says so.
class RecentFilesMenu : public QObject {
public:
    RecentFilesMenu(QMenu* menu, std::function<void(const QString&)> open);

    void update();

private:
    QMenu* menu_;
    std::function<void(const QString&)> open_;
};

} // namespace termiva
