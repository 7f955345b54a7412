// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/numeric_field.h"

#include "screens/control_names.h"
#include "screens/field_texts.h"
#include "screens/value_marks.h"
#include "text/number_text.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

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

QString RefusalNote(const std::string& refused) {
    const QString character = QString::fromStdString(refused);
    if (refused == "-")
        return QStringLiteral("'-' is not accepted: values are not negative");
    return QStringLiteral("'%1' is not accepted: type digits with at most one decimal "
                          "separator \"%2\"")
        .arg(character, QString::fromStdString(DecimalSeparator()));
}

namespace {

// The calculator screen a field belongs to: the widget of its window inside
// the main window, or its top-level widget.
QWidget* ScreenOf(QWidget* field) {
    QWidget* screen = field;
    while (screen->parentWidget() && !qobject_cast<QMdiSubWindow*>(screen->parentWidget()))
        screen = screen->parentWidget();
    return screen;
}

// The first character of `text` from `at` on (a whole UTF-8 character).
std::string CharacterAt(const std::string& text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return text.substr(at, end - at);
}

} // namespace

// Every step of the filter would set the text again and run the filter anew;
// the steps are taken at once instead (a long paste would otherwise recurse
// once per character), with one beep per removed character as before. One
// character typed into a number that it breaks is taken out where it was
// typed, and the rest of the text stays.
void NumericField::filterText() {
    const std::string current = TextOf(this);
    const int caret = cursorPosition();
    const text::FilteredText filtered = text::ApplyTypingFilter(current, DecimalSeparator());
    if (filtered.text == current) {
        accepted_ = current;
        return;
    }
    const std::size_t typedAt = static_cast<std::size_t>(
        std::max(0, static_cast<int>(QStringView(text()).left(caret).toUtf8().size()) - 1));
    const bool oneTyped = filtered.beeps > 0 && current.size() > accepted_.size() &&
                          typedAt < current.size() &&
                          current.substr(0, typedAt) +
                                  current.substr(typedAt + CharacterAt(current, typedAt).size()) ==
                              accepted_;
    std::string refused;
    if (oneTyped) {
        refused = CharacterAt(current, typedAt);
        SetTextOf(this, accepted_);
        setCursorPosition(std::max(0, caret - 1));
        platform_.beep();
    } else {
        if (current.find('-') != std::string::npos && filtered.text.find('-') == std::string::npos)
            refused = "-";
        else if (filtered.beeps > 0) {
            std::size_t same = 0;
            while (same < filtered.text.size() && same < current.size() &&
                   filtered.text[same] == current[same])
                ++same;
            if (same < current.size())
                refused = CharacterAt(current, same);
        }
        accepted_ = filtered.text;
        SetTextOf(this, filtered.text);
        setCursorPosition(std::min(caret, static_cast<int>(text().size())));
        for (int i = 0; i < filtered.beeps; ++i)
            platform_.beep();
    }
    if (!refused.empty())
        noteRefusal(refused);
}

void NumericField::noteRefusal(const std::string& refused) {
    QWidget* screen = ScreenOf(this);
    const QString note = RefusalNote(refused);
    SetFieldNote(screen, note);
    QTimer::singleShot(kRefusalNoteMs, screen, [screen = QPointer<QWidget>(screen), note] {
        if (screen && FieldNoteOf(screen) == note)
            SetFieldNote(screen, QString());
    });
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
