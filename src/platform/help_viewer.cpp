// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/help_viewer.h"

#include "platform/remembered_settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QToolBar>
#include <QUrl>

namespace termiva {
namespace {

constexpr const char* kSizeKey = "help/size";

// The size lives in the user's settings of the program, which exist only
// once the program has a name (tests give it none).
bool CanRemember() {
    return !QCoreApplication::organizationName().isEmpty();
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("TERMIVA Help"));
    setOpenExternalLinks(true);

    // The tool bar sits in the margin above the page.
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("HelpToolBar"));
    backAction = toolBar_->addAction(QStringLiteral("&Back"), this, &QTextBrowser::backward);
    backAction->setShortcut(QKeySequence::Back);
    forwardAction = toolBar_->addAction(QStringLiteral("&Forward"), this, &QTextBrowser::forward);
    forwardAction->setShortcut(QKeySequence::Forward);
    homeAction = toolBar_->addAction(QStringLiteral("&Home"), this, &QTextBrowser::home);
    backAction->setEnabled(false);
    forwardAction->setEnabled(false);
    connect(this, &QTextBrowser::backwardAvailable, backAction, &QAction::setEnabled);
    connect(this, &QTextBrowser::forwardAvailable, forwardAction, &QAction::setEnabled);
    setViewportMargins(0, toolBar_->sizeHint().height(), 0, 0);

    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    QSize size(720, 560);
    if (CanRemember())
        size = RememberedSize(QSettings(), QLatin1String(kSizeKey), size, QSize(320, 240),
                              screen()->availableGeometry().size());
    resize(size);
}

void HelpViewer::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    const QRect frame = contentsRect();
    toolBar_->setGeometry(frame.left(), frame.top(), frame.width(), toolBar_->sizeHint().height());
}

void HelpViewer::hideEvent(QHideEvent* event) {
    QTextBrowser::hideEvent(event);
    if (CanRemember() && isWindow())
        QSettings().setValue(QLatin1String(kSizeKey), size());
}

QString HelpViewer::anchorOf(int topic) {
    return QStringLiteral("topic%1").arg(topic);
}

bool HelpViewer::open(const QString& file, int topic) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (topic > 0)
        url.setFragment(anchorOf(topic));
    setSource(url);
    return true;
}

} // namespace termiva
