// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form8, "INSULATION THICKNESS FOR A LIMIT": the smallest insulation thickness
// of a pipe or a vessel that keeps its surface temperature and/or its heat
// loss within a limit, with the next thickness of a standard list and a chart
// of both quantities over the thickness.

#include "cases/case_fields.h"
#include "engine/thickness_limit.h"
#include "platform/platform.h"
#include "screens/calculator_screen.h"
#include "screens/input_file_actions.h"
#include "screens/limit_chart.h"
#include "screens/numeric_field.h"
#include "screens/object_inputs.h"

#include <functional>
#include <optional>
#include <vector>

#include <QWidget>

namespace termiva {

class Form8 : public CalculatorScreen {
    Q_OBJECT

public:
    // The texts of an open single pipe (kind SinglePipe) or vessel screen;
    // nothing when that screen is not open.
    using ScreenSource = std::function<std::optional<cases::ScreenTexts>(files::InputFileKind)>;

    explicit Form8(Platform& platform, ScreenSource source = {}, QWidget* parent = nullptr);

    // Selects the object (0 pipe, 1..3 the vessel shapes) as the menu entry
    // that opens the screen asks, and places the sub-window at the top left.
    void Form_Load(int object);
    void Form_Load() override { Form_Load(0); }

    void Combo1_Click();   // shows the chosen object's dimension fields
    void Command1_Click(); // Calculation
    void Command2_Click(); // Clear data
    void Command3_Click(); // Input test data
    void Command4_Click(); // Take inputs from the single pipe or vessel screen
    void Command5_Click(); // Save to file
    void Command6_Click(); // Load from file
    void Command7_Click(); // Save picture...: the chart as PNG or SVG
    // "Load from file" of a file already chosen, without the dialog.
    void loadFile(const QString& path) override;
    // CheckInputs visits the used dimension fields, the common fields and the
    // standard list; the limits may be empty.

    QLabel* Label1 = nullptr;    // "Object:"
    QComboBox* Combo1 = nullptr; // Pipe, Rectangular, Horizontal Cylindrical, Vertical Cylindical

    QGroupBox* Frame1 = nullptr;   // "Object": the dimensions
    NumericField* Text1 = nullptr; // D2, mm (pipe)
    NumericField* Text2 = nullptr; // L, m (rectangular, horizontal cylinder)
    NumericField* Text3 = nullptr; // H, m (rectangular, vertical cylinder)
    NumericField* Text4 = nullptr; // W or D, m (vessels)
    QLabel* Label2 = nullptr;      // their captions
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;

    QGroupBox* Frame2 = nullptr;   // "Input Data"
    NumericField* Text5 = nullptr; // T1, °C
    NumericField* Text6 = nullptr; // Tout, °C
    NumericField* Text7 = nullptr; // k, W/(m K)
    NumericField* Text8 = nullptr; // e
    NumericField* Text9 = nullptr; // WC

    QGroupBox* Frame3 = nullptr;    // "Limits"
    NumericField* Text10 = nullptr; // maximum surface temperature, °C (may be empty)
    NumericField* Text11 = nullptr; // maximum heat loss, W/m or W (may be empty)
    QLabel* Label11 = nullptr;      // its caption, with the object's unit
    QLineEdit* Text12 = nullptr;    // standard thicknesses, mm

    QGroupBox* Frame4 = nullptr; // "Results"
    QLabel* Label20 = nullptr;   // thickness for the surface limit, mm
    QLabel* Label21 = nullptr;   // thickness for the heat loss limit, mm
    QLabel* Label22 = nullptr;   // the governing limit
    QLabel* Label23 = nullptr;   // the answer: thickness, loss, surface temperature
    QLabel* Label24 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label26 = nullptr; // next standard thickness: thickness, loss, surface temperature
    QLabel* Label27 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* Label29 = nullptr;          // loss column heading, with the object's unit
    LimitChartView* Picture1 = nullptr; // surface temperature and loss over the thickness
    QPushButton* Command7 = nullptr;    // Save picture... of the chart

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;

private:
    QWidget* buildInputs();
    void buildLimits();
    void buildResults();
    void chainTabOrder();
    void drawChart(const ThicknessLimitInput& input, const ThicknessLimitResult& result);
    void nameResults();

    ScreenSource source_;
    ObjectInputs inputs_;
    std::vector<QLabel*> frameCaptions_; // of the three input frames, one width
};

} // namespace termiva
