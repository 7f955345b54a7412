// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Result boxes whose value the user should not take at face value (see
// cases/result_marks.h). The text of the value stays as it is; the box gets
// its own background and a tooltip that says why, and the screen one note for
// the main window's status bar.

#include "cases/case_reader.h"
#include "cases/result_marks.h"

#include <array>
#include <cstddef>

#include <QColor>
#include <QLabel>
#include <QString>

class QLineEdit;
class QWidget;

namespace termiva {

inline const QColor kMarkedBoxColor{255, 214, 160}; // pale orange: a marked result

// Gives `label` the marked colour and the explanation as tooltip when `flags`
// mark it, else `normalColour` and no tooltip.
void MarkResult(QLabel* label, const ValueFlags& flags, const QColor& normalColour);
// The same for a table cell, whose unmarked colour is the default one.
void MarkResult(QLineEdit* field, const ValueFlags& flags);

// Writes loss and surface temperature columns into their result boxes,
// marked as the calculation flagged each column.
template <std::size_t N>
void ShowLosses(const std::array<QLabel*, N>& losses, const std::array<QLabel*, N>& temperatures,
                const cases::LossTexts<N>& texts, const std::array<ValueFlags, N>& flags,
                const QColor& normalColour) {
    for (std::size_t i = 0; i < N; ++i) {
        losses[i]->setText(QString::fromStdString(texts.heatLoss[i]));
        temperatures[i]->setText(QString::fromStdString(texts.surfaceTemperature[i]));
        MarkResult(losses[i], flags[i], normalColour);
        MarkResult(temperatures[i], flags[i], normalColour);
    }
}

// The note the main window shows in its status bar while `screen` is the
// active one; an empty note clears it. Kept as the screen's "resultNote"
// property, which the main window watches.
void SetResultNote(QWidget* screen, const cases::Marks& marks);
void SetResultNote(QWidget* screen, const QString& note);
QString ResultNoteOf(const QWidget* screen);

// A passing note of one of the screen's fields (a refused keystroke), shown
// in the result note's place while it is set; an empty text ends it.
void SetFieldNote(QWidget* screen, const QString& note);
QString FieldNoteOf(const QWidget* screen);

} // namespace termiva
