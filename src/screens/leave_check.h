// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The leave check of the input fields: a field may refuse to give up the
// focus, as a classic desktop form validates a control before the focus moves
// on and cancels the move when the check fails.
//
// Qt moves the focus on a mouse press inside QApplication::notify, before any
// widget or event filter sees the press, so the check sits in notify itself.
// It runs when the control holding the focus implements LeaveCheck and the
// user is about to move the focus from it to another control of the same
// screen (the same MDI child window, or the same top-level window):
// - a mouse press or double click (or a wheel turn over a control that takes
//   the focus by wheel) on a control that would take the focus;
// - Tab or Backtab;
// - a mnemonic shortcut of a control (a button's Alt+letter, a label's buddy).
// When the check refuses, the event is swallowed: the clicked button does not
// run and the focus stays. Clicks on the MDI child's own title bar and frame,
// menus and their shortcuts, Ctrl+Tab and clicks into another window do not
// validate: a command chosen from a menu may run while the field still holds
// text that fails its check, and an invalid text is checked again when the
// user next leaves the field within its screen.

#include <QApplication>

namespace termiva {

class LeaveCheck {
public:
    // Runs the control's checks before the focus leaves it. On a failure it
    // reports to the user, keeps the focus and returns false.
    virtual bool checkLeave() = 0;

protected:
    ~LeaveCheck() = default;
};

// The application object of the program and of every screen test.
class TermivaApplication : public QApplication {
    Q_OBJECT

public:
    TermivaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    bool refusesLeave(QObject* receiver, QEvent* event);

    bool checking_ = false; // a check is showing its message: no second check
};

// Gives `widget` the focus back after a modal box closed (the window may not
// reactivate by itself). A hidden widget cannot take the focus: it is skipped.
void GiveFocus(QWidget* widget);

} // namespace termiva
