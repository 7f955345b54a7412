// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The "Window" menu: Tile, Cascade and Next for the screens in the MDI area,
// then one entry per open screen, the active one checked.

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

namespace termiva {

class WindowMenu : public QObject {
public:
    WindowMenu(QMenu* menu, QMdiArea* area);

    // Rebuilds the list of screens; run each time the menu opens.
    void update();

    QAction* Tile = nullptr;
    QAction* Cascade = nullptr;
    QAction* Next = nullptr;

private:
    QMenu* menu_;
    QMdiArea* area_;
    QAction* listStart_ = nullptr;
};

} // namespace termiva
