#include "platform/help_viewer.h"

#include <QFileInfo>
#include <QUrl>

namespace termiva {

HelpViewer::HelpViewer(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("TERMIVA Help"));
    setOpenExternalLinks(true);
    resize(720, 560);
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
