// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form3, "SINGLE PIPES": one horizontal pipe, its fluid and surroundings and
// five candidate insulation thicknesses; heat loss per metre and surface
// temperature, bare and insulated. Its fields are also the inputs of
// "Diagram", which reads them directly.

#include "cases/case_fields.h"
#include "platform/platform.h"
#include "screens/calculator_screen.h"
#include "screens/input_file_actions.h"
#include "screens/numeric_field.h"

#include <functional>
#include <vector>

#include <QWidget>

namespace termiva {

class Form3 : public CalculatorScreen {
    Q_OBJECT

public:
    explicit Form3(Platform& platform, QWidget* parent = nullptr);

    // Start-up handling, run by the main window right after the screen was
    // put into its MDI sub-window: places it at top 200, left 200 twips.
    void Form_Load() override;

    // What "Diagram" does once CheckInputs passed (set by the main window).
    void setDiagramAction(std::function<void()> action);

    void Combo1_Click();
    void Command1_Click(); // Calculation
    void Command2_Click(); // Diagram
    void Command3_Click(); // Clear data
    void Command4_Click(); // Input test data
    void Command5_Click(); // Save to file
    void Command6_Click(); // Load from file

    // The controls, under their layout names; other screens and the tests
    // read them directly.
    QComboBox* Combo1 = nullptr;
    NumericField* Text1 = nullptr;  // D1, mm
    NumericField* Text2 = nullptr;  // D2, mm
    NumericField* Text3 = nullptr;  // T1, °C
    NumericField* Text4 = nullptr;  // Tout, °C
    NumericField* Text5 = nullptr;  // k, W/(m K)
    NumericField* Text6 = nullptr;  // e
    NumericField* Text7 = nullptr;  // WC
    NumericField* Text10 = nullptr; // tins1..tins5, mm
    NumericField* Text11 = nullptr;
    NumericField* Text12 = nullptr;
    NumericField* Text13 = nullptr;
    NumericField* Text14 = nullptr;
    QGroupBox* Frame1 = nullptr; // "Input Data"
    QGroupBox* Frame2 = nullptr; // "Thickness of Insulation"
    QGroupBox* Frame3 = nullptr; // "Results"
    QGroupBox* Frame4 = nullptr; // "Pipe"
    QLabel* Label18 = nullptr;   // heat losses, bare and tins1..tins5: Label18..Label23
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr; // surface temperatures: Label24..Label29
    QLabel* Label25 = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* Label29 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;

private:
    // Selects a list entry from code; Combo1_Click runs once whether or not
    // the entry changes.
    void selectSize(int index);
    void Combo1_Activated();
    InputFileBinding fileBinding() override;

    std::function<void()> diagramAction_;
    // The list reports a changed entry first (currentIndexChanged, which runs
    // Combo1_Click) and then that the user picked it (activated): only a pick
    // of the entry already shown runs Combo1_Click from activated.
    bool sizeJustChanged_ = false;
};

} // namespace termiva
