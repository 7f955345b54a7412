// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/window_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace termiva {

WindowMenu::WindowMenu(QMenu* menu, QMdiArea* area) : QObject(menu), menu_(menu), area_(area) {
    Tile = menu_->addAction(QStringLiteral("&Tile"));
    Tile->setObjectName(QStringLiteral("Tile"));
    connect(Tile, &QAction::triggered, area_, &QMdiArea::tileSubWindows);
    Cascade = menu_->addAction(QStringLiteral("&Cascade"));
    Cascade->setObjectName(QStringLiteral("Cascade"));
    connect(Cascade, &QAction::triggered, area_, &QMdiArea::cascadeSubWindows);
    Next = menu_->addAction(QStringLiteral("&Next"));
    Next->setObjectName(QStringLiteral("Next"));
    // The MDI area handles Ctrl+Tab itself, with its highlight of the next
    // screen; the menu only names the key (a shortcut of the menu's own
    // widget never fires while the area has the focus).
    Next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
    Next->setShortcutContext(Qt::WidgetShortcut);
    connect(Next, &QAction::triggered, area_, &QMdiArea::activateNextSubWindow);
    listStart_ = menu_->addSeparator();
    connect(menu_, &QMenu::aboutToShow, this, &WindowMenu::update);
    update();
}

void WindowMenu::update() {
    const QList<QAction*> actions = menu_->actions();
    for (qsizetype i = actions.indexOf(listStart_) + 1; i < actions.size(); ++i) {
        menu_->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const QList<QMdiSubWindow*> windows = area_->subWindowList();
    for (QAction* action : {Tile, Cascade, Next})
        action->setEnabled(!windows.isEmpty());
    listStart_->setVisible(!windows.isEmpty());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        const QString title = window->windowTitle();
        QAction* entry =
            menu_->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        entry->setCheckable(true);
        entry->setChecked(window == area_->activeSubWindow());
        connect(entry, &QAction::triggered, area_, [this, window] {
            if (window->isMinimized())
                window->showNormal();
            area_->setActiveSubWindow(window);
        });
    }
}

} // namespace termiva
