#pragma once

// Result boxes whose value the user should not take at face value: a value
// computed with air properties beyond their data, or an approximate vessel
// balance. The text of the value stays as it is; the box gets its own
// background and a tooltip that says why, and the screen one note for the
// main window's status bar.

#include "engine/value_flags.h"

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace termiva {

inline const QColor kMarkedBoxColor{255, 214, 160}; // pale orange: a marked result

// The tooltip of a marked value (empty for an unmarked one), the imbalance
// with the user's separator.
QString MarkTooltip(const ValueFlags& flags);

// Gives `label` the marked colour and tooltip when `flags` mark it, else
// `normalColour` and no tooltip.
void MarkResult(QLabel* label, const ValueFlags& flags, const QColor& normalColour);
void MarkResult(QLineEdit* field, const ValueFlags& flags);

// Collects the marks of one calculation for the screen's note.
struct MarkSummary {
    bool outsideAirData = false;
    bool approximate = false;

    void add(const ValueFlags& flags) {
        outsideAirData = outsideAirData || flags.outsideAirData;
        approximate = approximate || flags.approximate;
    }
    // The note, one sentence per kind of mark; empty when nothing is marked.
    QString note() const;
};

// The note the main window shows in its status bar while `screen` is the
// active one; an empty note clears it. Kept as the screen's "resultNote"
// property, which the main window watches.
void SetResultNote(QWidget* screen, const QString& note);
QString ResultNoteOf(const QWidget* screen);

} // namespace termiva
