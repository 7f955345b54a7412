// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/field_texts.h"

#include "cases/field_tips.h"
#include "screens/leave_check.h"
#include "screens/numeric_field.h"
#include "text/number_text.h"

#include <algorithm>

#include <QLineEdit>
#include <QLocale>

namespace termiva {

std::string DecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

std::string TextOf(const QLineEdit* field) {
    return field->text().toStdString();
}

void SetTextOf(QLineEdit* field, std::string_view text) {
    field->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<double> NumberOf(const QLineEdit* field) {
    return text::ToDouble(TextOf(field), DecimalSeparator());
}

QString NumberText(double value) {
    return QString::fromStdString(text::ToText(value, DecimalSeparator()));
}

QString FromCase(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FieldCaption(files::InputFileKind kind, std::string_view controlName) {
    const cases::FieldSpec* field = cases::FindField(kind, controlName);
    return field ? FromCase(field->caption) : QString();
}

void ScreenFields::add(NumericField* field) {
    fields_.emplace_back(field->objectName().toStdString(), field);
}

void ScreenFields::remove(const NumericField* field) {
    std::erase_if(fields_, [field](const auto& entry) { return entry.second == field; });
}

NumericField* ScreenFields::find(std::string_view controlName) const {
    for (const auto& [name, field] : fields_) {
        if (name == controlName)
            return field;
    }
    return nullptr;
}

void ScreenFields::addText(QLineEdit* field) {
    textFields_.emplace_back(field->objectName().toStdString(), field);
}

cases::ScreenTexts ScreenFields::texts(files::InputFileKind kind, int listIndex) const {
    cases::ScreenTexts texts{kind, listIndex, {}};
    for (const auto& [name, field] : fields_)
        texts.texts[name] = TextOf(field);
    for (const auto& [name, field] : textFields_)
        texts.texts[name] = TextOf(field);
    return texts;
}

bool ScreenFields::checkRequired(Platform& platform, const cases::ScreenTexts& texts) const {
    const std::vector<std::string> missing = cases::MissingFields(texts);
    for (const std::string& name : missing) {
        if (NumericField* field = find(name)) {
            CheckRequired(platform, {field});
            continue;
        }
        const auto text = std::find_if(textFields_.begin(), textFields_.end(),
                                       [&](const auto& entry) { return entry.first == name; });
        if (text != textFields_.end())
            CheckRequired(platform, {text->second});
        else
            platform.error(QString::fromLatin1(cases::kPleaseInputValue));
    }
    return missing.empty();
}

void ScreenFields::applyTips(files::InputFileKind kind) const {
    for (const auto& [name, field] : fields_)
        field->setToolTip(FromCase(cases::FieldTip(kind, name)));
}

void ScreenFields::setTexts(const std::vector<cases::FieldText>& texts) const {
    for (const cases::FieldText& text : texts) {
        if (NumericField* field = find(text.field))
            SetTextOf(field, text.text);
        for (const auto& [name, field] : textFields_) {
            if (name == text.field)
                SetTextOf(field, text.text);
        }
    }
}

void ScreenFields::showError(Platform& platform, const cases::CaseError& error) const {
    NumericField* field = error.field.empty() ? nullptr : find(error.field);
    if (field && !field->value()) {
        ReportUnreadable(field);
        return;
    }
    // A number the calculation refuses: its message, and the field to mend.
    platform.error(FromCase(error.message));
    if (field)
        GiveFocus(field);
}

} // namespace termiva
