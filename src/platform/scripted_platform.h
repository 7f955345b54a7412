// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/platform.h"

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include <QStringList>

namespace termiva {

// The test double of Platform: records every message, beep, dialog and help
// request, and answers file dialogs from a script. A dialog shown with no
// scripted answer is recorded in unexpected() and answered as a cancel.
// Nothing is modal, so a test reads the records right after its action.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
    };
    enum class DialogKind { Save, Open };
    struct Dialog {
        DialogKind kind;
        CommonDialog settings; // as the screen set them
    };
    struct Help {
        QString file;
        int command;
        int topic;
    };

    // Queues the answer of the next file dialog: a path, or nullopt for cancel.
    // The path is returned as given (DefaultExt is not applied).
    void answerDialog(std::optional<QString> path) { answers_.push_back(std::move(path)); }
    int pendingAnswers() const { return static_cast<int>(answers_.size() + detailAnswers_.size()); }
    void dropAnswers() {
        answers_.clear();
        detailAnswers_.clear();
    }

    // Records since the last take...(): tests take what they expect, so that
    // what is left over is unexpected (see tests/screens/test_support.h).
    const std::vector<Message>& messages() const { return messages_; }
    std::vector<Message> takeMessages() { return std::exchange(messages_, {}); }
    QStringList takeMessageTexts();
    int beeps() const { return beeps_; }
    int takeBeeps() { return std::exchange(beeps_, 0); }
    const std::vector<Dialog>& dialogs() const { return dialogs_; }
    std::vector<Dialog> takeDialogs() { return std::exchange(dialogs_, {}); }
    const std::vector<Help>& helps() const { return helps_; }
    std::vector<Help> takeHelps() { return std::exchange(helps_, {}); }
    const QStringList& unexpected() const { return unexpected_; }
    QStringList takeUnexpected() { return std::exchange(unexpected_, {}); }

    // Queues the answer of the next report details dialog (nullopt: cancel).
    void answerReportDetails(std::optional<ReportDetails> details) {
        detailAnswers_.push_back(std::move(details));
    }
    // The presets each report details dialog was shown with.
    std::vector<ReportDetails> takeReportDetailsAsked() { return std::exchange(detailsAsked_, {}); }
    // The titles of the print previews shown.
    QStringList takePreviews() { return std::exchange(previews_, {}); }
    // Called while a print preview is "open": a test prints or exports from it.
    std::function<void(const PrintPreview&)> onPrintPreview;

    // Called after a message is recorded, where a real box would be open:
    // lets a test look at the screen at that moment.
    std::function<void(const Message&)> onMessage;

    void message(const QString& text, const QString& title, MessageIcon icon) override;
    void beep() override { ++beeps_; }
    std::optional<QString> ShowSave(const CommonDialog& dialog) override;
    std::optional<QString> ShowOpen(const CommonDialog& dialog) override;
    void showHelp(const QString& file, int command, int topic) override;
    std::optional<ReportDetails> askReportDetails(const ReportDetails& preset) override;
    void showPrintPreview(const PrintPreview& preview) override;

private:
    std::optional<QString> answer(DialogKind kind, const CommonDialog& dialog);

    std::deque<std::optional<QString>> answers_;
    std::vector<Message> messages_;
    std::vector<Dialog> dialogs_;
    std::vector<Help> helps_;
    QStringList unexpected_;
    std::deque<std::optional<ReportDetails>> detailAnswers_;
    std::vector<ReportDetails> detailsAsked_;
    QStringList previews_;
    int beeps_ = 0;
};

} // namespace termiva
