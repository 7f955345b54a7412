#include "screens/value_marks.h"

#include "screens/screen_common.h"
#include "text/number_text.h"

#include <cmath>

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>

namespace termiva {

namespace {

constexpr const char* kNoteProperty = "resultNote";

QString Imbalance(double watts) {
    return QString::fromStdString(text::Format(watts, "####0.#0", DecimalSeparator()));
}

} // namespace

QString MarkTooltip(const ValueFlags& flags) {
    QStringList lines;
    if (flags.outsideAirData)
        lines << QStringLiteral("Computed with air properties beyond 550 °C (film) / 600 °C "
                                "(surface): can be far off.");
    if (flags.approximate) {
        // Below 0.1 W the balance was closed and only the loss is too small
        // for the test; otherwise the balance stayed open.
        if (std::abs(flags.imbalance) < 0.1)
            lines << QStringLiteral("Approximate: a loss below 10 W is known to no better than "
                                    "0.1 W (heat balance open by %1 W).")
                         .arg(Imbalance(flags.imbalance));
        else
            lines << QStringLiteral("Approximate: the heat balance could not be closed; %1 W "
                                    "remain.")
                         .arg(Imbalance(flags.imbalance));
    }
    return lines.join(u'\n');
}

void MarkResult(QLabel* label, const ValueFlags& flags, const QColor& normalColour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, flags.any() ? kMarkedBoxColor : normalColour);
    label->setPalette(palette);
    label->setToolTip(MarkTooltip(flags));
}

void MarkResult(QLineEdit* field, const ValueFlags& flags) {
    QPalette palette; // the default one: an unmarked field looks as any other
    if (flags.any())
        palette.setColor(QPalette::Base, kMarkedBoxColor);
    field->setPalette(palette);
    field->setToolTip(MarkTooltip(flags));
}

QString MarkSummary::note() const {
    QStringList sentences;
    if (outsideAirData)
        sentences << QString::fromUtf8(kOutsideAirDataNote);
    if (approximate)
        sentences << QString::fromUtf8(kApproximateNote);
    return sentences.join(u' ');
}

void SetResultNote(QWidget* screen, const QString& note) {
    screen->setProperty(kNoteProperty, note);
}

QString ResultNoteOf(const QWidget* screen) {
    return screen ? screen->property(kNoteProperty).toString() : QString();
}

} // namespace termiva
