// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/leave_check.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWheelEvent>

namespace termiva {
namespace {

// The screen a control belongs to: its MDI child window, else its window.
QWidget* screenOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w))
            return w;
    }
    return nullptr;
}

QWidget* ultimateProxy(QWidget* widget) {
    while (widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

// The control a press at `pos` on `widget` gives the focus to: the walk that
// QApplication makes before it delivers the press.
QWidget* pressTarget(QWidget* widget, QPoint pos, Qt::FocusPolicy policy) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        QWidget* proxy = ultimateProxy(w);
        if (w->isEnabled() && w->rect().contains(pos) && (w->focusPolicy() & policy) == policy &&
            (proxy->focusPolicy() & policy) == policy)
            return proxy;
        if (w->isWindow() || proxy->hasFocus())
            return nullptr;
        pos += w->pos();
    }
    return nullptr;
}

// The control an event delivered to `receiver` is about to give the focus to,
// as far as a leave check cares.
QWidget* focusTarget(QWidget* receiver, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!event->spontaneous())
            return nullptr;
        auto* mouse = static_cast<QMouseEvent*>(event);
        return pressTarget(receiver, mouse->position().toPoint(), Qt::ClickFocus);
    }
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!event->spontaneous() || wheel->phase() > Qt::ScrollBegin)
            return nullptr;
        return pressTarget(receiver, wheel->position().toPoint(), Qt::WheelFocus);
    }
    case QEvent::Shortcut: {
        QWidget* target = receiver;
        if (auto* label = qobject_cast<QLabel*>(receiver); label && label->buddy())
            target = label->buddy();
        return target->focusPolicy() == Qt::NoFocus ? nullptr : ultimateProxy(target);
    }
    default:
        return nullptr;
    }
}

// Tab and Backtab as QWidget::event turns them into focus moves.
bool isTabKey(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

TermivaApplication::TermivaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TermivaApplication::notify(QObject* receiver, QEvent* event) {
    if (!checking_ && refusesLeave(receiver, event))
        return true;
    return QApplication::notify(receiver, event);
}

bool TermivaApplication::refusesLeave(QObject* receiver, QEvent* event) {
    if (!receiver->isWidgetType())
        return false;
    QWidget* focus = focusWidget();
    auto* check = dynamic_cast<LeaveCheck*>(focus);
    if (!check)
        return false;

    if (receiver == focus && isTabKey(event)) {
        // Tab leaves the field whatever comes next in the chain.
    } else {
        QWidget* target = focusTarget(static_cast<QWidget*>(receiver), event);
        if (!target || target == focus || focus->isAncestorOf(target) ||
            qobject_cast<QMdiSubWindow*>(target) || screenOf(target) != screenOf(focus))
            return false;
    }
    const QScopedValueRollback<bool> guard(checking_, true);
    return !check->checkLeave();
}

void GiveFocus(QWidget* widget) {
    if (!widget || !widget->isVisibleTo(widget->window()))
        return;
    widget->window()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
}

} // namespace termiva
