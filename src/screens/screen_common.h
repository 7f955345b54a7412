// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the calculator screens share: the user's decimal separator, field texts
// as numbers and back, the bridge between a screen's fields and its case in
// src/cases (texts out, required check, errors and texts back), result labels,
// captions, control names and arrays, fonts and the colours of the result
// boxes.

#include "cases/case_reader.h"
#include "cases/case_records.h"
#include "engine/calculation_error.h"
#include "platform/platform.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QPushButton;
class QSvgRenderer;

namespace termiva {

class NumericField;

// The user's decimal separator, from QLocale(): the program sets the default
// locale to the system's at start, tests set the one they need.
std::string DecimalSeparator();

// A field's text as UTF-8, and back.
std::string TextOf(const QLineEdit* field);
void SetTextOf(QLineEdit* field, std::string_view text);

// The field's text as a number in the user's locale; nothing when it is
// empty or not a number.
std::optional<double> NumberOf(const QLineEdit* field);

// A value as the plain number-to-text conversion writes it, with the user's
// separator (26.9 -> "26,9"): what the screens write into fields.
QString NumberText(double value);

// A text from the cases layer (UTF-8) as a QString.
QString FromCase(std::string_view text);

// The caption a screen shows beside field `controlName`.
QString FieldCaption(files::InputFileKind kind, std::string_view controlName);

// A calculator screen's fields by control name: what the screen hands to its
// case in src/cases, and where the case's answers go back.
class ScreenFields {
public:
    // Known by its objectName: "Text3", "Text3(13)".
    void add(NumericField* field);
    // Forgets a field that goes away or takes another name (a table's cell).
    void remove(const NumericField* field);
    NumericField* find(std::string_view controlName) const;
    // A field without the numeric rules (a list typed as text), known by its
    // objectName like the others.
    void addText(QLineEdit* field);

    // The fields' texts and the screen's list entry.
    cases::ScreenTexts texts(files::InputFileKind kind, int listIndex = -1) const;

    // The required check: "Please input value!" for each field the case names, each
    // taking the focus in turn (a hidden one cannot); true when none is missing.
    bool checkRequired(Platform& platform, const cases::ScreenTexts& texts) const;

    // Each field's tooltip from the cases layer: what it is, its unit, a
    // typical range.
    void applyTips(files::InputFileKind kind) const;

    // Sets each text as if typed, so the typing filter runs on it.
    void setTexts(const std::vector<cases::FieldText>& texts) const;

    // A case that gave no result: a field that does not hold a number reports
    // itself as leaving it would (or as the required check, when empty); an
    // engine error goes into an "Error" box.
    void showError(Platform& platform, const cases::CaseError& error) const;

private:
    std::vector<std::pair<std::string, NumericField*>> fields_;
    std::vector<std::pair<std::string, QLineEdit*>> textFields_;
};

// Sets the objectName and the accessible description (which Qt's
// accessibility bridge publishes, unlike objectName) to the control's
// layout name: "Text3", "Label18", "Text3(13)".
void NameControl(QWidget* control, const QString& name);

template <class T> T* Named(T* control, const QString& name) {
    NameControl(control, name);
    return control;
}

// A caption label for `field`, not yet placed: it is the field's buddy and the
// field's accessible name, which screen readers speak. Named `labelName` when
// one is given.
QLabel* MakeCaption(const QString& caption, QWidget* field, const QString& labelName = {});

// An indexed control array, read as Text3(r). Elements are created and owned
// by the screen's widget tree; the array only names and finds them.
template <class T> class ControlArray {
public:
    ControlArray(QString name, int first, int last)
        : name_(std::move(name)), first_(first),
          controls_(static_cast<std::size_t>(last - first + 1), nullptr) {}

    // Stores `control` as element `index` and names it "Name(index)".
    T* add(int index, T* control) {
        NameControl(control, QStringLiteral("%1(%2)").arg(name_).arg(index));
        slot(index) = control;
        return control;
    }

    T* operator()(int index) const { return const_cast<ControlArray*>(this)->slot(index); }

    int first() const { return first_; }
    int last() const { return first_ + static_cast<int>(controls_.size()) - 1; }

private:
    T*& slot(int index) {
        if (index < first() || index > last())
            throw std::out_of_range("control array index");
        return controls_[static_cast<std::size_t>(index - first_)];
    }

    QString name_;
    int first_;
    std::vector<T*> controls_;
};

// The column of buttons beside the vessel and limit screens' frames: each
// button named, auto-default and of one size, added top to bottom.
class ButtonColumn {
public:
    explicit ButtonColumn(QWidget* parent);
    QWidget* widget() const { return box_; }
    QPushButton* add(const char* text, const char* name);
    void addStretch();

private:
    QWidget* box_;
    QVBoxLayout* column_;
};

// Verdana where installed, else the system's sans-serif font.
QFont ScreenFont(qreal pointSize, bool bold = false, bool italic = false);

// Layout sizes were given in twips; 15 twips make a pixel at 96 dpi.
constexpr int FromTwips(int twips) {
    return twips / 15;
}

inline const QColor kResultBoxColor{192, 255, 255}; // light cyan: result labels
inline const QColor kFixedBoxColor{224, 224, 224};  // light grey: fixed table texts

// One look on every calculator screen, applied once its controls are built:
// frame titles bold at the body size (the controls inside keep the plain body
// font), and each field's caption left-aligned beside its field.
void StyleScreen(QWidget* screen);

// Centred text in a thin bordered box on `colour`.
void StyleBox(QLabel* label, const QColor& colour);

// Return or Enter in a field of `screen` presses `button` (the screen's
// "Calculation"), once the field's leave check passed as a click on the
// button would have run it. The field keeps the focus.
void SetDefaultButton(QWidget* screen, QPushButton* button);

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

// A drawing from the resources, scaled to the widget with its proportions
// kept. A missing drawing leaves the widget empty.
class SvgPicture : public QWidget {
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
};

} // namespace termiva
