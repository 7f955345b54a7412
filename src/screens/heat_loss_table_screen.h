// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form5: the standard diameter heat loss table behind "Diagram", held as the
// formatted texts of 19 rows by seven columns, with the commands that fill it
// from the single pipe screen and export it to the chart workbook. It is
// created hidden and never shown.

#include "platform/platform.h"
#include "screens/control_names.h"
#include "screens/single_pipe_screen.h"

#include <functional>

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace termiva {

class Form5 : public QWidget {
    Q_OBJECT

public:
    // Where the export writes, as WorkbookPath(): the path, or an empty
    // string with the reason in `error`.
    using WorkbookPathSource = std::function<QString(QString* error)>;
    // Shows the chart of the saved workbook at the path; false when it could
    // not (the action reports why).
    using ChartAction = std::function<bool(const QString& workbookPath)>;

    explicit Form5(Platform& platform, QWidget* parent = nullptr);

    // The single pipe screen whose fields the table and the export read.
    void setSource(Form3* singlePipe);
    Form3* source() const { return source_; }
    // The note on the marked cells of the last table; empty when none is.
    const QString& tableNote() const { return tableNote_; }

    void setWorkbookPath(WorkbookPathSource source);
    void setChartAction(ChartAction action);

    // The workbook path source of every Form5 created afterwards; WorkbookPath
    // when unset or set to nullptr. Tests point it at a copy of the template.
    static void setDefaultWorkbookPath(WorkbookPathSource source);

    // "Command1": computes the table from the source's fields and writes its
    // 19 rows. On an engine error it shows the message, writes nothing and
    // returns false.
    bool Command1_Click();
    bool Command1_Click(Form3& singlePipe);

    // "EXCEL": writes the source's fluid temperature text, its thicknesses and
    // the table's texts into the workbook, then runs the chart action. A
    // failing step shows an "Error" message, skips the rest and returns false.
    bool Command2_Click();

    // Row i (1..19) of the table: D "####0" mm, bare loss and the losses
    // under tins1..tins5 "####0.#0" W/m, with the user's separator.
    ControlArray<QLineEdit> Text1{QStringLiteral("Text1"), 1, 19};
    ControlArray<QLineEdit> Text2{QStringLiteral("Text2"), 1, 19};
    ControlArray<QLineEdit> Text3{QStringLiteral("Text3"), 1, 19};
    ControlArray<QLineEdit> Text4{QStringLiteral("Text4"), 1, 19};
    ControlArray<QLineEdit> Text5{QStringLiteral("Text5"), 1, 19};
    ControlArray<QLineEdit> Text6{QStringLiteral("Text6"), 1, 19};
    ControlArray<QLineEdit> Text7{QStringLiteral("Text7"), 1, 19};
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    // The seven columns in order, for reading the table by column index.
    const ControlArray<QLineEdit>& column(int index) const; // 0..6

private:
    Platform& platform_;
    QString tableNote_;
    QPointer<Form3> source_;
    WorkbookPathSource workbookPath_;
    ChartAction chartAction_;
};

} // namespace termiva
