// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scripted_platform.h"

namespace termiva {

QStringList ScriptedPlatform::takeMessageTexts() {
    QStringList texts;
    for (const Message& m : takeMessages())
        texts << m.text;
    return texts;
}

void ScriptedPlatform::message(const QString& text, const QString& title, MessageIcon icon) {
    messages_.push_back({text, title, icon});
    if (onMessage)
        onMessage(messages_.back());
}

std::optional<QString> ScriptedPlatform::ShowSave(const CommonDialog& dialog) {
    return answer(DialogKind::Save, dialog);
}

std::optional<QString> ScriptedPlatform::ShowOpen(const CommonDialog& dialog) {
    return answer(DialogKind::Open, dialog);
}

std::optional<QString> ScriptedPlatform::answer(DialogKind kind, const CommonDialog& dialog) {
    dialogs_.push_back({kind, dialog});
    if (answers_.empty()) {
        unexpected_ << QStringLiteral("%1 dialog \"%2\" shown with no scripted answer")
                           .arg(kind == DialogKind::Save ? QStringLiteral("save")
                                                         : QStringLiteral("open"),
                                dialog.DialogTitle);
        return std::nullopt;
    }
    std::optional<QString> path = std::move(answers_.front());
    answers_.pop_front();
    return path;
}

void ScriptedPlatform::showHelp(const QString& file, int command, int topic) {
    helps_.push_back({file, command, topic});
}

std::optional<ReportDetails> ScriptedPlatform::askReportDetails(const ReportDetails& preset) {
    detailsAsked_.push_back(preset);
    if (detailAnswers_.empty()) {
        unexpected_ << QStringLiteral("report details dialog shown with no scripted answer");
        return std::nullopt;
    }
    std::optional<ReportDetails> details = std::move(detailAnswers_.front());
    detailAnswers_.pop_front();
    return details;
}

void ScriptedPlatform::showPrintPreview(const PrintPreview& preview) {
    previews_ << preview.title;
    if (onPrintPreview)
        onPrintPreview(preview);
}

} // namespace termiva
