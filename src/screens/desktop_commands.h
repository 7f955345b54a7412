// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What makes the main window work like other desktop programs, beside its
// calculator menus: File > Open..., Recent files and Save; Edit > Copy
// results; the Window menu; Help > About TERMIVA; Ctrl+Q; the status bar
// panel with the active screen's file; files dropped onto the window; and
// the window's remembered size and place.

#include "platform/platform.h"

#include <QObject>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;
class QMdiSubWindow;
class QWidget;

namespace termiva {

class MDIForm1;
class RecentFilesMenu;
class WindowMenu;

inline constexpr const char* kWindowGeometryKey = "mainWindow/geometry";

// Gives `window` the size, place and maximised state it had when it was last
// closed, kept within the screens there are now. False (nothing changed)
// when none is remembered or what is remembered is no window geometry.
bool RestoreWindowGeometry(QWidget& window);

class DesktopCommands : public QObject {
public:
    // Adds its menus and panels to `window`, which must outlive it.
    DesktopCommands(MDIForm1& window, Platform& platform);
    ~DesktopCommands() override;

    void Open_Click();        // File > Open...: one dialog for every input file
    void Save_Click();        // File > Save
    void CopyResults_Click(); // Edit > Copy results
    void About_Click();       // Help > About TERMIVA
    // A recent file: opened as File > Open does; one that is gone is removed
    // from the list after an "Error" box saying so.
    void openRecent(const QString& path);

    QAction* Open = nullptr;
    QMenu* RecentFiles = nullptr;
    QAction* Save = nullptr;
    QMenu* Edit = nullptr;
    QAction* CopyResults = nullptr;
    QMenu* Window = nullptr;
    WindowMenu* windowMenu = nullptr;
    QAction* About = nullptr;
    QLabel* FilePanel = nullptr;     // the active screen's file name; hidden without one
    QLabel* ModifiedPanel = nullptr; // "modified" while the inputs differ from that file

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void screenActivated(QMdiSubWindow* window);
    void watch(QWidget* screen);
    void updateFilePanel();
    void updateActions();
    bool dropFiles(QEvent* event);

    MDIForm1& window_;
    Platform& platform_;
    RecentFilesMenu* recent_ = nullptr;
    QPointer<QWidget> active_;
};

} // namespace termiva
