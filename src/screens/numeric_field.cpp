// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/numeric_field.h"

#include "screens/screen_common.h"
#include "text/number_text.h"

#include <QApplication>
#include <QPointer>

namespace termiva {

bool CheckNumeric(Platform& platform, const QString& text) {
    if (text.isEmpty() || text::IsNumber(text.toStdString(), DecimalSeparator()))
        return true;
    platform.error(QString::fromLatin1(kInvalidEntries));
    return false;
}

NumericField::NumericField(Platform& platform, const QString& name, QWidget* parent)
    : QLineEdit(parent), platform_(platform) {
    if (!name.isEmpty())
        NameControl(this, name);
    connect(this, &QLineEdit::textChanged, this, &NumericField::filterText);
}

void NumericField::addLeaveRule(LeaveRule rule) {
    rules_.push_back(std::move(rule));
}

std::optional<double> NumericField::value() const {
    return NumberOf(this);
}

// Every step of the filter would set the text again and run the filter anew;
// the steps are taken at once instead (a long paste would otherwise recurse
// once per character), with one beep per removed character as before.
void NumericField::filterText() {
    const std::string current = TextOf(this);
    const text::FilteredText filtered = text::ApplyTypingFilter(current, DecimalSeparator());
    if (filtered.text == current)
        return;
    SetTextOf(this, filtered.text);
    setCursorPosition(static_cast<int>(text().size()));
    for (int i = 0; i < filtered.beeps; ++i)
        platform_.beep();
}

bool NumericField::checkNumber() {
    const bool ok = CheckNumeric(platform_, text());
    if (!ok)
        GiveFocus(this);
    const QPalette system = QApplication::palette(this);
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Base,
                   ok ? system.color(group, QPalette::Base) : kInvalidFieldColor);
    setPalette(p);
    return ok;
}

bool NumericField::checkLeave() {
    bool ok = true;
    for (const LeaveRule& rule : rules_) {
        if (const QString refusal = rule(*this); !refusal.isEmpty()) {
            platform_.error(refusal);
            GiveFocus(this);
            ok = false;
            break;
        }
    }
    return checkNumber() && ok;
}

NumericField::LeaveRule NotZero() {
    return [](const NumericField& field) {
        return field.text() == u"0" ? QString::fromLatin1(kMustNotBeZero) : QString();
    };
}

void AddDiameterOrderCheck(NumericField* nominal, NumericField* outside) {
    auto misordered = [n = QPointer(nominal), o = QPointer(outside)] {
        const auto d1 = n ? n->value() : std::nullopt;
        const auto d2 = o ? o->value() : std::nullopt;
        return d1 && d2 && *d1 > *d2;
    };
    nominal->addLeaveRule([misordered](const NumericField&) {
        return misordered() ? QString::fromLatin1(kNominalDiameterTooLarge) : QString();
    });
    outside->addLeaveRule([misordered](const NumericField&) {
        return misordered() ? QString::fromLatin1(kOutsideDiameterTooSmall) : QString();
    });
}

bool CheckRequired(Platform& platform, const std::vector<QLineEdit*>& fields) {
    for (QLineEdit* field : fields) {
        if (field->text().isEmpty()) {
            platform.error(QString::fromLatin1(kPleaseInputValue));
            GiveFocus(field);
            return false;
        }
    }
    return true;
}

void ReportUnreadable(NumericField* field) {
    if (field->text().isEmpty())
        CheckRequired(field->platform(), {field});
    else
        field->checkNumber();
}

void AddCaseRule(NumericField* field, cases::FieldRule rule) {
    if (rule == cases::FieldRule::NotZero)
        field->addLeaveRule(NotZero());
}

} // namespace termiva
