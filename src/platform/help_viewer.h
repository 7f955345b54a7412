// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBrowser>

class QToolBar;

namespace termiva {

// The program's help window: the HTML help file, one anchor per help topic
// ("topic1" .. "topic5"), in a text browser of its own, with Back, Forward
// and Home above the page. Esc closes it; its size is kept for the next run.
class HelpViewer : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `file` at the anchor of `topic`, or at its top for topic 0. False
    // when the file cannot be read; the window then stays as it was.
    bool open(const QString& file, int topic);

    static QString anchorOf(int topic);

    QAction* backAction = nullptr;
    QAction* forwardAction = nullptr;
    QAction* homeAction = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QToolBar* toolBar_ = nullptr;
};

} // namespace termiva
