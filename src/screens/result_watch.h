// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Results that go stale: after an input changes, a calculator screen's
// results are greyed and its status note asks for "Calculation".

#include <utility>
#include <vector>

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace termiva {

// Keeps a calculator screen's results honest. Each result label's accessible
// name is "caption: value" (the caption alone while empty), so a screen
// reader says what the value is. After an input changes, the results shown
// belong to the old inputs: they are greyed and the screen's status bar note
// says "Inputs changed: press Calculation" until settle().
class ResultWatch : public QObject {
public:
    static constexpr const char* kStaleNote = "Inputs changed: press Calculation";

    explicit ResultWatch(QWidget* screen);

    void addInput(QLineEdit* field);
    void addInput(QComboBox* list);
    void addResult(QLabel* label, const QString& caption);
    // A result whose caption follows a choice on the screen (the object's unit).
    void setCaption(QLabel* label, const QString& caption);

    // Run after the screen wrote its results (Calculation), emptied them
    // (Clear data) or loaded a file: the results count as current again and
    // the accessible names follow the values. A note the screen set since the
    // inputs changed stays; else the note from before the change comes back.
    void settle();
    bool isStale() const { return stale_; }
    // An input changed that is no field or list (a table row added or
    // removed): the results shown go stale as after typing.
    void inputChanged();

private:
    void updateNames();

    QWidget* screen_;
    std::vector<std::pair<QLabel*, QString>> results_;
    bool stale_ = false;
    QString noteBefore_;
};

} // namespace termiva
