// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/recent_files.h"

#include "screens/app_paths.h"

#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace termiva {
namespace {

// Longer than any path a file system takes: not a name but damage.
constexpr qsizetype kMaxPathLength = 4096;

// The settings keep each name as the system's bytes, so that a name that is
// not UTF-8 comes back whole: '%' and every byte outside printable ASCII as
// %XX. A list of plain names, as earlier versions kept it, reads the same.
QString Stored(const QString& file) {
    QString text;
    for (const char c : LocalFileName(file)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || byte == '%')
            text += QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
        else
            text += QLatin1Char(c);
    }
    return text;
}

QString FromStored(const QString& text) {
    return FileNameFromLocal(QByteArray::fromPercentEncoding(text.toUtf8()));
}

void Store(const QStringList& files) {
    QStringList stored;
    for (const QString& file : files)
        stored << Stored(file);
    QSettings().setValue(QLatin1String(kRecentFilesKey), stored);
}

// QFileInfo would take the name through the locale's encoding and miss a
// file whose name is not in it.
bool Exists(const QString& file) {
    struct stat status {};
    return ::stat(LocalFileName(file).constData(), &status) == 0;
}

} // namespace

QStringList RecentFiles() {
    const QVariant value = QSettings().value(QLatin1String(kRecentFilesKey));
    QStringList files;
    if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QString)
        return files;
    for (const QString& text : value.toStringList()) {
        const QString file = FromStored(text);
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
        if (!Exists(file)) {
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
