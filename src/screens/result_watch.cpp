// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/result_watch.h"

#include "screens/value_marks.h"

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace termiva {

ResultWatch::ResultWatch(QWidget* screen) : QObject(screen), screen_(screen) {}

void ResultWatch::addInput(QLineEdit* field) {
    connect(field, &QLineEdit::textChanged, this, &ResultWatch::inputChanged);
}

void ResultWatch::addInput(QComboBox* list) {
    connect(list, &QComboBox::currentIndexChanged, this, &ResultWatch::inputChanged);
}

void ResultWatch::addResult(QLabel* label, const QString& caption) {
    results_.emplace_back(label, caption);
    label->setAccessibleName(caption);
}

void ResultWatch::setCaption(QLabel* label, const QString& caption) {
    for (auto& [known, text] : results_) {
        if (known == label)
            text = caption;
    }
    updateNames();
}

void ResultWatch::inputChanged() {
    if (stale_)
        return;
    const bool shown = std::any_of(results_.begin(), results_.end(), [](const auto& result) {
        return !result.first->text().isEmpty() && result.first->isVisibleTo(result.first->window());
    });
    if (!shown)
        return;
    stale_ = true;
    for (const auto& [label, caption] : results_) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::gray);
        label->setPalette(palette);
    }
    noteBefore_ = ResultNoteOf(screen_);
    SetResultNote(screen_, QString::fromLatin1(kStaleNote));
}

void ResultWatch::settle() {
    if (stale_) {
        stale_ = false;
        for (const auto& [label, caption] : results_) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, screen_->palette().color(QPalette::WindowText));
            label->setPalette(palette);
        }
        if (ResultNoteOf(screen_) == QLatin1String(kStaleNote))
            SetResultNote(screen_, noteBefore_);
    }
    updateNames();
}

void ResultWatch::updateNames() {
    for (const auto& [label, caption] : results_) {
        const QString value = label->text();
        label->setAccessibleName(value.isEmpty() ? caption
                                                 : QStringLiteral("%1: %2").arg(caption, value));
    }
}

} // namespace termiva
