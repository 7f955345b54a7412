// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form4, "PART OF INSULATION": up to 13 pipe lines of standard sizes under one
// insulation; the bare and insulated loss of each line in W and the totals of
// the group in kW.

#include "platform/platform.h"
#include "screens/calculator_screen.h"
#include "screens/control_names.h"
#include "screens/input_file_actions.h"
#include "screens/numeric_field.h"

#include <QWidget>

namespace termiva {

class Form4 : public CalculatorScreen {
    Q_OBJECT

public:
    // Rows of the pipe table: the elements of its control arrays, top to bottom.
    static constexpr int kFirstRow = cases::kFirstPipeRow;
    static constexpr int kLastRow = cases::kLastPipeRow;

    explicit Form4(Platform& platform, QWidget* parent = nullptr);

    // Start-up handling, run by the main window right after the screen was
    // put into its MDI sub-window: places it at the top left corner.
    void Form_Load() override;

    void Command1_Click(); // Calculation
    void Command3_Click(); // Clear data
    void Command4_Click(); // Input test data
    void Command5_Click(); // Save to file
    void Command6_Click(); // Load from file

    // The controls, under their layout names.
    QGroupBox* Frame1 = nullptr; // "INPUT PIPE DATA": the pipe table
    QGroupBox* Frame2 = nullptr; // "INPUT DATA": the common fields
    QGroupBox* Frame3 = nullptr; // "RESULTS": the totals

    NumericField* Text11 = nullptr; // Tout, °C
    NumericField* Text12 = nullptr; // T1, °C
    NumericField* Text13 = nullptr; // delta, mm
    NumericField* Text14 = nullptr; // k, W/(m K)
    NumericField* Text15 = nullptr; // e
    NumericField* Text16 = nullptr; // WC
    QLabel* Label5 = nullptr;       // captions of Text11..Text16
    QLabel* Label4 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;

    QLabel* Label6 = nullptr; // column headers, left to right
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    ControlArray<QLabel> Label18{QStringLiteral("Label18"), kFirstRow, kLastRow};   // NO, mm
    ControlArray<QLabel> Label19{QStringLiteral("Label19"), kFirstRow, kLastRow};   // OD, mm
    ControlArray<NumericField> Text3{QStringLiteral("Text3"), kFirstRow, kLastRow}; // L, m
    ControlArray<NumericField> Text4{QStringLiteral("Text4"), kFirstRow, kLastRow}; // valves
    ControlArray<NumericField> Text5{QStringLiteral("Text5"), kFirstRow, kLastRow}; // flanges
    ControlArray<QLabel> Label16{QStringLiteral("Label16"), kFirstRow, kLastRow};   // Qbare, W
    ControlArray<QLabel> Label17{QStringLiteral("Label17"), kFirstRow, kLastRow};   // Qins, W

    QLabel* Label14 = nullptr; // "Total Losses of Bare Pipes [kW]"
    QLabel* Label20 = nullptr; // QbareTotal, kW
    QLabel* Label15 = nullptr; // "Total Losses of Insulated  Pipes [kW]"
    QLabel* Label21 = nullptr; // QinsTotal, kW

    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;

    bool showsResults() const override; // the totals are shown

private:
    void buildInputData();
    void buildResults();
    void buildPipeTable();
    QWidget* buildButtons();
    void chainTabOrder();
    std::vector<QLineEdit*> commonFields() const;
};

} // namespace termiva
