// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/value_marks.h"

#include "screens/field_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>

namespace termiva {

namespace {

constexpr const char* kNoteProperty = "resultNote";
constexpr const char* kFieldNoteProperty = "fieldNote";

QString Explanation(const ValueFlags& flags) {
    return QString::fromStdString(cases::MarkExplanation(flags, DecimalSeparator()));
}

} // namespace

void MarkResult(QLabel* label, const ValueFlags& flags, const QColor& normalColour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, flags.any() ? kMarkedBoxColor : normalColour);
    label->setPalette(palette);
    label->setToolTip(Explanation(flags));
}

void MarkResult(QLineEdit* field, const ValueFlags& flags) {
    QPalette palette; // the default one: an unmarked cell looks as any other
    if (flags.any())
        palette.setColor(QPalette::Base, kMarkedBoxColor);
    field->setPalette(palette);
    field->setToolTip(Explanation(flags));
}

void SetResultNote(QWidget* screen, const cases::Marks& marks) {
    SetResultNote(screen, QString::fromStdString(marks.note()));
}

void SetResultNote(QWidget* screen, const QString& note) {
    screen->setProperty(kNoteProperty, note);
}

QString ResultNoteOf(const QWidget* screen) {
    return screen ? screen->property(kNoteProperty).toString() : QString();
}

void SetFieldNote(QWidget* screen, const QString& note) {
    screen->setProperty(kFieldNoteProperty, note);
}

QString FieldNoteOf(const QWidget* screen) {
    return screen ? screen->property(kFieldNoteProperty).toString() : QString();
}

} // namespace termiva
