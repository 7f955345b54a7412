// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every calculator screen does alike, once: it knows its calculator in
// src/cases, its fields and their texts, its result boxes and whether they
// still belong to the inputs, the input file it was last saved to or loaded
// from, its help topic, and "Save to file" / "Load from file" through the file
// actions. Each screen keeps its own controls, handlers and layout.

#include "cases/calculator.h"
#include "platform/platform.h"
#include "screens/field_texts.h"
#include "screens/input_file_actions.h"
#include "screens/result_watch.h"

#include <string_view>

#include <QWidget>

// The controls the calculator screens' headers name.
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace termiva {

// The help topic F1 opens while `screen` is the active one; set by the screens
// (the main window's topic for a widget that sets none).
void SetHelpTopic(QWidget* screen, int topic);
int HelpTopicOf(const QWidget* screen);

class CalculatorScreen : public QWidget {
    Q_OBJECT

public:
    CalculatorScreen(Platform& platform, files::InputFileKind kind, QWidget* parent);

    const cases::Calculator& calculator() const { return calculator_; }

    // Start-up handling, run by the main window right after the screen was
    // put into its MDI sub-window.
    virtual void Form_Load() = 0;

    // The field texts and the list entry, for the cases layer.
    cases::ScreenTexts texts() const;
    const ScreenFields& fields() const { return fields_; }
    // The required check: "Please input value!" for each field the case
    // names; true when none is missing.
    bool CheckInputs();

    // True while the screen shows the results of a calculation (what the
    // report reports): while its results frame shows.
    virtual bool showsResults() const;
    // True when an input changed since the results were shown.
    bool resultsStale() const;
    // The result box of a calculator's result (cases::ResultText::control).
    QLabel* resultBox(std::string_view control) const;

    // The file the screen's case was last saved to or loaded from; empty when
    // there is none.
    QString inputFile() const;
    // "Load from file" of a file already chosen, without the dialog.
    virtual void loadFile(const QString& path);
    // File > Save: to the file of the last save or load, without a dialog.
    void saveFile();

protected:
    // Where the screen's controls stand in its input file: its fields and its
    // list, checked by CheckInputs before saving.
    virtual InputFileBinding fileBinding();
    // Brings the inputs into the form a file keeps, before either save
    // (the candidate table sorted by thickness).
    virtual void prepareToSave() {}
    // "Save to file" and "Load from file" with their dialogs; loading settles
    // the results.
    void saveToFile();
    void loadFromFile();
    // The sub-window grows to the screen's size hint once the layout has
    // taken a change (an object with more rows), instead of squashing the
    // fields.
    void growToContents();

    Platform& platform_;
    ScreenFields fields_;
    ResultWatch* results_ = nullptr;
    QComboBox* list_ = nullptr;       // the list whose entry the case reads, if any
    QWidget* resultsFrame_ = nullptr; // shown with the results

private:
    const cases::Calculator& calculator_;
};

} // namespace termiva
