// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Diagram" of the single pipe screen: the hidden heat loss table Form5 and
// the chart screen Form7, created on first use inside the main window's MDI
// area. The main window owns one Diagram for the whole run.

#include "platform/platform.h"

#include <memory>

#include <QPointer>

class QMdiArea;

namespace termiva {

class Form3;
class Form5;
class Form7;

class Diagram {
public:
    Diagram(QMdiArea* area, Platform& platform);
    ~Diagram();
    Diagram(const Diagram&) = delete;
    Diagram& operator=(const Diagram&) = delete;

    // Runs after the single pipe screen's CheckInputs passed: creates Form5 if
    // needed, then its Command1_Click (the table) and Command2_Click (the
    // export, which shows Form7). A failing step stops the sequence with an
    // "Error" message and no chart screen.
    void run(Form3& singlePipe);

    Form5* form5() const;
    Form7* form7() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace termiva
