// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace termiva {
namespace {

// Longer than any path a file system takes: not a name but damage.
constexpr qsizetype kMaxPathLength = 4096;

void Store(const QStringList& files) {
    QSettings().setValue(QLatin1String(kRecentFilesKey), files);
}

} // namespace

QStringList RecentFiles() {
    const QVariant value = QSettings().value(QLatin1String(kRecentFilesKey));
    QStringList files;
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QString)
        return files;
    for (const QString& file : value.toStringList()) {
        if (files.size() == kMaxRecentFiles)
            break;
        if (!file.isEmpty() && file.size() <= kMaxPathLength && !files.contains(file))
            files << file;
    }
    return files;
}

void AddRecentFile(const QString& path) {
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList files = RecentFiles();
    files.removeAll(file);
    files.prepend(file);
    Store(files.mid(0, kMaxRecentFiles));
}

void RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    if (files.removeAll(path) > 0)
        Store(files);
}

RecentFilesMenu::RecentFilesMenu(QMenu* menu, std::function<void(const QString&)> open)
    : QObject(menu), menu_(menu), open_(std::move(open)) {
    connect(menu_, &QMenu::aboutToShow, this, &RecentFilesMenu::update);
    update();
}

void RecentFilesMenu::update() {
    menu_->clear();
    QStringList gone;
    int number = 0;
    for (const QString& file : RecentFiles()) {
        if (!QFileInfo::exists(file)) {
            gone << QFileInfo(file).fileName();
            RemoveRecentFile(file);
            continue;
        }
        ++number;
        QAction* entry =
            menu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(QFileInfo(file).fileName()));
        entry->setToolTip(QDir::toNativeSeparators(file));
        entry->setStatusTip(QDir::toNativeSeparators(file));
        connect(entry, &QAction::triggered, this, [this, file] { open_(file); });
    }
    if (!gone.isEmpty()) {
        menu_->addSeparator();
        menu_->addAction(QStringLiteral("Removed, no longer found: %1").arg(gone.join(u", ")))
            ->setEnabled(false);
    }
    if (number == 0 && gone.isEmpty())
        menu_->addAction(QStringLiteral("No recent files"))->setEnabled(false);
    menu_->setToolTipsVisible(true);
}

} // namespace termiva
