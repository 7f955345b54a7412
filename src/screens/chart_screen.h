// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form7, "PIPE HEAT LOSS": the chart of the diagram workbook (heat loss over
// outside pipe diameter, bare and under five thicknesses) with a summary of
// the single pipe inputs on its right, copied each time the screen becomes
// the active window.

#include "platform/platform.h"
#include "screens/control_names.h"
#include "screens/single_pipe_screen.h"

#include <optional>

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace termiva {

class WorkbookChartView;

class Form7 : public QWidget {
    Q_OBJECT

public:
    explicit Form7(Platform& platform, QWidget* parent = nullptr);

    // Run by the creator right after the screen was put into its MDI
    // sub-window: places it at the top left corner of the main window's
    // client area and starts following the activation of the sub-window.
    void Form_Load();

    // Loads the chart of the workbook at `path` into OLE1, titled with the
    // single pipe inputs it was made from (T1, Tout, the thicknesses in the
    // legend). The error message of a failed load, else nothing.
    std::optional<QString> loadChart(const QString& path);

    // Copies the single pipe texts into the summary, unchanged.
    void Form_Activate();

    // The note on marked values of the table the chart shows, under the
    // summary and in the status bar; empty when nothing is marked.
    void setTableNote(const QString& note);

    // The single pipe screen the summary copies and "Previous" returns to.
    void setSource(Form3* singlePipe);
    Form3* source() const { return source_; }

    void Command1_Click(); // Previous: brings the single pipe screen to the front
    void Command4_Click(); // EXIT: closes the chart screen
    void Command5_Click(); // Save picture...: the chart and summary as PNG or SVG

    // Writes the chart area (chart and summary) to `path`: SVG for a name
    // ending in .svg, else PNG. The file is replaced only once complete.
    bool savePicture(const QString& path);

    QSize sizeHint() const override;

    WorkbookChartView* OLE1 = nullptr;
    // Captions of the summary; element k labels the field the table in the
    // constructor gives it (0, 4, 3, 2, 1 label Text1..Text5).
    ControlArray<QLabel> Label1{QStringLiteral("Label1"), 0, 9};
    QLineEdit* Text1 = nullptr; // tins1..tins5 as typed, mm
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;  // T1, °C
    QLineEdit* Text7 = nullptr;  // Tout, °C
    QLineEdit* Text8 = nullptr;  // k, W/(m K)
    QLineEdit* Text9 = nullptr;  // e
    QLineEdit* Text10 = nullptr; // WC
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QCheckBox* Check1 = nullptr; // "Logarithmic scale" of the loss axis
    QLabel* TableNote = nullptr;

private:
    Platform& platform_;
    QPointer<Form3> source_;
    QWidget* chartArea_ = nullptr; // OLE1 with the summary over its right part
    QWidget* summary_ = nullptr;
};

} // namespace termiva
