// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form2, "VESSEL INSULATION": one rectangular tank or horizontal or vertical
// cylinder, its fluid and surroundings and four candidate insulation
// thicknesses; heat loss of the whole vessel in W and surface temperature,
// bare and insulated. The shape decides which dimension fields and which
// sketch are shown.

#include "platform/platform.h"
#include "screens/calculator_screen.h"
#include "screens/input_file_actions.h"
#include "screens/numeric_field.h"

#include <vector>

#include <QWidget>

namespace termiva {

class Form2 : public CalculatorScreen {
    Q_OBJECT

public:
    explicit Form2(Platform& platform, QWidget* parent = nullptr);

    // Start-up handling, run by the main window right after the screen was
    // put into its MDI sub-window: selects "Rectangular" (which runs
    // Combo1_Click) and places the sub-window at the top left corner.
    void Form_Load() override;

    // Runs once per choice of a shape: when the program sets the index and
    // when the user picks an entry, the current one included.
    void Combo1_Click();
    void Command1_Click(); // Calculation
    void Command2_Click(); // Clear data
    void Command3_Click(); // Input test data
    void Command4_Click(); // Save to file
    void Command5_Click(); // Load from file
    // CheckInputs visits all twelve fields, also the dimension a shape hides:
    // a hidden empty field is reported, but cannot take the focus, so the
    // focus stays.
    // The texts of the fields and the shape list.

    // The controls, under their layout names.
    QLabel* Label17 = nullptr;   // "Vessel selection:"
    QComboBox* Combo1 = nullptr; // shape = index + 1
    QWidget* Picture1 = nullptr; // sketches: rectangular, horizontal, vertical
    QWidget* Picture2 = nullptr;
    QWidget* Picture3 = nullptr;

    QGroupBox* Frame1 = nullptr;   // "Input Data"
    NumericField* Text1 = nullptr; // L, m (shapes 1, 2)
    NumericField* Text2 = nullptr; // H, m (shapes 1, 3)
    NumericField* Text3 = nullptr; // W (shape 1) or D (shapes 2, 3), m
    NumericField* Text4 = nullptr; // T1, °C
    NumericField* Text5 = nullptr; // Tout, °C
    NumericField* Text6 = nullptr; // k, W/(m K)
    NumericField* Text7 = nullptr; // e
    NumericField* Text8 = nullptr; // WC
    QLabel* Label2 = nullptr;      // captions: L, H, W, D, T1, Tout, k, e, WC
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;

    QGroupBox* Frame2 = nullptr;    // "Thickness of Insulation"
    NumericField* Text10 = nullptr; // tins1..tins4, mm
    NumericField* Text11 = nullptr;
    NumericField* Text12 = nullptr;
    NumericField* Text13 = nullptr;
    QLabel* Label10 = nullptr; // captions of tins1..tins4
    QLabel* Label9 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label11 = nullptr;

    QGroupBox* Frame3 = nullptr; // "Results"
    QLabel* Label15 = nullptr;   // "Tsurface [oC]"
    QLabel* Label20 = nullptr;   // row captions: bare, tins1..tins4
    QLabel* Label19 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label21 = nullptr; // heat losses, W: bare, tins1..tins4
    QLabel* Label22 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label26 = nullptr; // surface temperatures, °C: bare, tins1..tins4
    QLabel* Label27 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Label30 = nullptr;

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;

private:
    QWidget* buildSelection();
    QWidget* buildSketches();
    void buildInputData();
    void buildThickness();
    void buildResults();
    QWidget* buildButtons();
    void chainTabOrder();
    void connectShapeList();

    // The index whose change already ran Combo1_Click, so that the activated
    // signal of the same user choice does not run it again; -2 when none.
    int changedIndex_ = -2;
};

} // namespace termiva
