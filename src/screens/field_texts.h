// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A calculator screen's field texts and its case in src/cases: the user's
// decimal separator, texts as numbers and back, captions, and the bridge that
// hands the fields' texts to the case (texts out, required check, errors and
// texts back).

#include "cases/case_reader.h"
#include "cases/case_records.h"
#include "platform/platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <QString>

class QLineEdit;

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

} // namespace termiva
