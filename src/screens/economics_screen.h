// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form9, "ENERGY, COST AND ECONOMIC THICKNESS": what the heat loss of a pipe
// or a vessel costs and emits per year, bare and with each candidate
// insulation thickness, the economic thickness (the least life-cycle cost of
// insulation and energy over the service life) and a chart of the
// equivalent annual costs over the thickness.

#include "cases/case_fields.h"
#include "cases/economics_case.h"
#include "platform/platform.h"
#include "screens/calculator_screen.h"
#include "screens/candidate_table.h"
#include "screens/economics_chart.h"
#include "screens/numeric_field.h"
#include "screens/object_inputs.h"

#include <functional>
#include <optional>
#include <vector>

#include <QWidget>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace termiva {

class Form9 : public CalculatorScreen {
    Q_OBJECT

public:
    // The texts of an open single pipe, vessel or thickness for a limit
    // screen by its kind; nothing when that screen is not open.
    using ScreenSource = std::function<std::optional<cases::ScreenTexts>(files::InputFileKind)>;

    explicit Form9(Platform& platform, ScreenSource source = {}, QWidget* parent = nullptr);

    // Selects the object (0 pipe, 1..3 the vessel shapes) as the menu entry
    // that opens the screen asks, and places the sub-window at the top left.
    void Form_Load(int object);
    void Form_Load() override { Form_Load(0); }

    void Combo1_Click();   // shows the chosen object's fields and units
    void Command1_Click(); // Calculation
    void Command2_Click(); // Clear data
    void Command3_Click(); // Input test data
    // Take inputs: the object and its physical inputs from the open screen of
    // the chosen object (single pipe or vessel), else the thickness for a
    // limit screen, else the other one.
    void Command4_Click();
    void Command5_Click(); // Save to file
    void Command6_Click(); // Load from file
    void Command7_Click(); // Save picture...: the chart as PNG or SVG
    void loadFile(const QString& path) override;

    // The result table's box of row `row` (1 the bare object, then the
    // candidates) and column `column` (1..9, EconomicsColumnHeadings);
    // nullptr outside the rows shown.
    QLabel* resultCell(int row, int column) const;
    int resultRows() const { return shownRows_; }

    QLabel* Label2 = nullptr;    // "Object:"
    QComboBox* Combo1 = nullptr; // Pipe, Rectangular, Horizontal Cylindrical, Vertical Cylindical

    QGroupBox* Frame1 = nullptr;   // "Object": the dimensions
    NumericField* Text1 = nullptr; // D2, mm (pipe)
    NumericField* Text2 = nullptr; // L, m (rectangular, horizontal cylinder)
    NumericField* Text3 = nullptr; // H, m (rectangular, vertical cylinder)
    NumericField* Text4 = nullptr; // W or D, m (vessels)
    QLabel* Label3 = nullptr;      // their captions
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;

    QGroupBox* Frame2 = nullptr;   // "Input Data"
    NumericField* Text5 = nullptr; // T1, °C
    NumericField* Text6 = nullptr; // Tout, °C
    NumericField* Text7 = nullptr; // k, W/(m K)
    NumericField* Text8 = nullptr; // e
    NumericField* Text9 = nullptr; // WC

    QGroupBox* Frame3 = nullptr;        // "Operation and costs"
    NumericField* Text10 = nullptr;     // pipe length L, m (pipe only)
    NumericField* Text11 = nullptr;     // operating hours H, h/a
    NumericField* Text12 = nullptr;     // energy price p, currency/MWh
    NumericField* Text13 = nullptr;     // efficiency eta, -
    NumericField* Text14 = nullptr;     // CO2 emission factor f, kg/MWh
    NumericField* Text15 = nullptr;     // service life n, years
    NumericField* Text16 = nullptr;     // interest rate i, %/a
    NumericField* Text17 = nullptr;     // price escalation g, %/a
    QLineEdit* Text18 = nullptr;        // the currency, a text
    std::vector<QLabel*> moneyCaptions; // of Text10..Text18

    QGroupBox* Frame4 = nullptr;      // "Candidate thicknesses"
    CandidateTable* Table1 = nullptr; // thickness, installed cost

    QGroupBox* Frame5 = nullptr;            // "Results"
    std::vector<QLabel*> headings;          // of the result table's columns
    QLabel* Label1 = nullptr;               // the verdict
    EconomicsChartView* Picture1 = nullptr; // equivalent annual costs over the thickness
    QPushButton* Command7 = nullptr;        // Save picture... of the chart

    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;

protected:
    InputFileBinding fileBinding() override;
    void prepareToSave() override;

private:
    QWidget* buildInputs();
    void buildMoney();
    void buildCandidates();
    void buildResults();
    void chainTabOrder();
    void updateCaptions();
    void hideResults();
    void showResults(const EconomicsResult& result);
    std::string currency() const;
    // The control name of the field or cell a calculation message is about;
    // empty when it names none.
    std::string fieldOfMessage(const QString& message) const;
    // The result boxes of `rows` rows, made once and kept for later.
    void ensureResultRows(int rows);

    ScreenSource source_;
    ObjectInputs inputs_;
    QGridLayout* resultGrid_ = nullptr;
    std::vector<std::vector<QLabel*>> resultCells_; // [row][column], rows made so far
    int shownRows_ = 0;
    std::vector<QLabel*> frameCaptions_; // of the input frames, one width per column
};

} // namespace termiva
