// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the thickness for a limit and the energy and cost screens share: their
// button column, and at the top of their inputs "Object:" with the pipe and the three vessel
// shapes (Combo1), the "Object" frame with the dimensions (Text1 D2, Text2 L,
// Text3 H, Text4 W or D) and "Input Data" (Text5..Text9: T1, Tout, k, e,
// WC). The captions are named Label<first>, Label<first + 1>, ... from the
// list's on.

#include "files/input_file.h"
#include "platform/platform.h"
#include "screens/screen_style.h"

#include <array>
#include <vector>

#include <QPushButton>

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace termiva {

class NumericField;
class ScreenFields;

struct ObjectInputs {
    QWidget* selection = nullptr; // the list under its caption
    QLabel* listCaption = nullptr;
    QComboBox* list = nullptr;
    QGroupBox* objectFrame = nullptr; // Frame1
    std::array<NumericField*, 4> dimensions{};
    std::array<QLabel*, 4> dimensionCaptions{};
    QGroupBox* conditionsFrame = nullptr; // Frame2
    std::array<NumericField*, 5> conditions{};
    std::vector<QLabel*> captions; // of both frames, to line up with others

    // Shows the dimensions the object of the list's entry uses, captioned
    // for it (the diameter of a cylinder).
    void showDimensions() const;
};

ObjectInputs BuildObjectInputs(QWidget* screen, Platform& platform, ScreenFields& fields,
                               files::InputFileKind kind, int firstLabel);

// The button column Command1..Command6: "Calculation", "Clear data", "Input
// test data", "Take inputs" (telling `takeFrom`), "Save to file" and "Load
// from file", each running the screen's handler of its number.
template <class Screen> QWidget* BuildCaseButtons(Screen* screen, const QString& takeFrom) {
    ButtonColumn buttons(screen);
    screen->Command1 = buttons.add("&Calculation", "Command1");
    screen->Command2 = buttons.add("C&lear data", "Command2");
    screen->Command3 = buttons.add("&Input test data", "Command3");
    screen->Command4 = buttons.add("&Take inputs", "Command4");
    screen->Command4->setToolTip(takeFrom);
    screen->Command5 = buttons.add("&Save to file", "Command5");
    screen->Command6 = buttons.add("L&oad from file", "Command6");
    buttons.addStretch();
    const std::array<std::pair<QPushButton*, void (Screen::*)()>, 6> handlers = {{
        {screen->Command1, &Screen::Command1_Click},
        {screen->Command2, &Screen::Command2_Click},
        {screen->Command3, &Screen::Command3_Click},
        {screen->Command4, &Screen::Command4_Click},
        {screen->Command5, &Screen::Command5_Click},
        {screen->Command6, &Screen::Command6_Click},
    }};
    for (const auto& [button, handler] : handlers)
        QObject::connect(button, &QPushButton::clicked, screen, handler);
    return buttons.widget();
}

} // namespace termiva
