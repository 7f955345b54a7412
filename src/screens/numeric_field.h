// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The numeric input field of the calculator screens and the rules every such
// field follows:
//  A  typing filter, on every change of the text (also when the program sets
//     it): the text stays empty or a non-negative number in the user's locale;
//     each character removed sounds a beep, a negative number becomes "0";
//     a refused keystroke leaves the caret where it was typed and tells why
//     for a few seconds in the status bar's note panel;
//  B  leave check: CheckNumeric on the field's text; a failure keeps the focus
//     and turns the background red, a pass gives it the window colour;
//  C, D  extra leave rules that run before B where a screen adds them;
//  E, F  the required-fields and row-completeness checks of a screen's
//     CheckInputs.
// The leave check needs TermivaApplication (leave_check.h) to run.

#include "cases/case_fields.h"
#include "platform/platform.h"
#include "screens/leave_check.h"

#include <functional>
#include <optional>
#include <vector>

#include <QColor>
#include <QLineEdit>

namespace termiva {

using cases::kInvalidEntries;
using cases::kMustNotBeZero;
using cases::kNominalDiameterTooLarge;
using cases::kOutsideDiameterTooSmall;
using cases::kPleaseInputValue;

inline const QColor kInvalidFieldColor{255, 0, 0};
inline constexpr int kRefusalNoteMs = 4000; // how long a refused keystroke is noted

// The note of a character the typing filter refused ("'-' is not accepted:
// values are not negative").
QString RefusalNote(const std::string& refused);

// True when `text` is empty or a number in the user's locale; otherwise shows
// "Invalid entries, please enter numbers only" and returns false. Changes no
// field and no focus.
bool CheckNumeric(Platform& platform, const QString& text);

// The typing filter runs on textChanged, so texts the program sets (a loaded
// file, a size picked from a list) are filtered as typed ones are; it beeps
// through the Platform. The number check and the rules run on leaving, from
// TermivaApplication.
class NumericField : public QLineEdit, public LeaveCheck {
    Q_OBJECT

public:
    // A check run before the number check when the focus is about to leave the field:
    // the message that refuses the leave, or an empty string to let it pass.
    using LeaveRule = std::function<QString(const NumericField&)>;

    // `name` becomes the objectName and accessible description ("Text3");
    // control array elements are named by ControlArray::add instead.
    explicit NumericField(Platform& platform, const QString& name = {}, QWidget* parent = nullptr);

    void addLeaveRule(LeaveRule rule);

    // The text as a number in the user's locale; nothing when empty or not a number.
    std::optional<double> value() const;

    // The number check alone. On a failure: message, focus kept, background red; on a
    // pass: the window colour (the palette's Base, the background of text
    // fields in the system's colours).
    bool checkNumber();

    // The leave rules in the order added, then the number check (which always runs, to
    // set the colour). The first failing rule shows its message and refuses.
    bool checkLeave() override;

    Platform& platform() const { return platform_; }

private:
    void filterText();
    void noteRefusal(const std::string& refused);

    Platform& platform_;
    std::string accepted_; // the text after the last filtering
    std::vector<LeaveRule> rules_;
};

// FieldRule::NotZero: refuses to leave a field whose text is exactly "0" ("0.0" and "00" pass).
NumericField::LeaveRule NotZero();

// FieldRule::NominalDiameter and OutsideDiameter on the pipe diameters (both in mm): while both
// fields hold numbers and the nominal one is the greater, leaving either is refused with its own
// message. Equal numbers pass.
void AddDiameterOrderCheck(NumericField* nominal, NumericField* outside);

// Requirement::Required: the first field of `fields` (in order) whose text is empty gets
// "Please input value!" and the focus (unless it is hidden: then the focus
// stays where it is); returns false. Any text passes, a blank included.
bool CheckRequired(Platform& platform, const std::vector<QLineEdit*>& fields);

// A field that does not hold a number when a calculation reads it, reported
// as CheckInputs (empty) or leaving it (not a number) would report it.
void ReportUnreadable(NumericField* field);

// The leave rule of a field's rule (the diameter rules need their partner
// field: they are added with AddDiameterOrderCheck); nothing for
// FieldRule::Number.
void AddCaseRule(NumericField* field, cases::FieldRule rule);

} // namespace termiva
