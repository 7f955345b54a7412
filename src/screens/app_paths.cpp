// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace termiva {
namespace {

const QString kTemplateName = QStringLiteral("Template.xlsx");

bool FolderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

// The installed data folder: <prefix>/share/termiva beside <prefix>/bin.
QString SharedDataFolder() {
    return QDir(ApplicationFolder()).absoluteFilePath(QStringLiteral("../share/termiva"));
}

} // namespace

QString ApplicationFolder() {
    return QCoreApplication::applicationDirPath();
}

QString HelpFilePath() {
    QString beside = ApplicationFolder() + QStringLiteral("/Help/Termiva.html");
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = SharedDataFolder() + QStringLiteral("/Help/Termiva.html");
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return beside; // missing: the help window says so, naming this path
}

QString DialogStartFolder() {
    // A build tree or a portable folder keeps the template beside the
    // program. An installed program keeps it under ../share/termiva, and its
    // folder is no place for the user's files, not even when root runs it.
    QString app = ApplicationFolder();
    if (FolderWritable(app) && QFileInfo::exists(app + QLatin1Char('/') + kTemplateName))
        return app;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString WorkbookPath(QString* error) {
    QString beside = ApplicationFolder() + QLatin1Char('/') + kTemplateName;
    if (QFileInfo::exists(beside) && FolderWritable(ApplicationFolder()))
        return beside;

    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString userCopy = userFolder + QLatin1Char('/') + kTemplateName;
    if (QFileInfo::exists(userCopy))
        return userCopy;

    QString source = beside;
    if (!QFileInfo::exists(source))
        source = QDir::cleanPath(SharedDataFolder() + QLatin1Char('/') + kTemplateName);
    if (!QFileInfo::exists(source)) {
        if (error)
            *error = QStringLiteral("The workbook template \"%1\" was not found.").arg(beside);
        return {};
    }
    if (!QDir().mkpath(userFolder) || !QFile::copy(source, userCopy)) {
        if (error)
            *error = QStringLiteral("The workbook template could not be copied to \"%1\".")
                         .arg(userCopy);
        return {};
    }
    // A copy of a read-only installed file is read-only too.
    QFile::setPermissions(userCopy, QFile::permissions(userCopy) | QFileDevice::WriteOwner);
    return userCopy;
}

} // namespace termiva
