// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/app_paths.h"

#include "files/workbook_template.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace termiva {
namespace {

const QString kTemplateName = QString::fromLatin1(files::kTemplateName);

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

CommonDialog OutputSaveDialog(const QString& title, const QString& filter,
                              const QString& defaultExt) {
    CommonDialog dialog;
    dialog.DialogTitle = title;
    dialog.Flags = CommonDialog::kOverwritePrompt + CommonDialog::kHideReadOnly;
    dialog.InitDir = DialogStartFolder();
    dialog.Filter = filter;
    dialog.DefaultExt = defaultExt;
    return dialog;
}

QString WorkbookPath(QString* error) {
    QString beside = ApplicationFolder() + QLatin1Char('/') + kTemplateName;
    if (QFileInfo::exists(beside) && FolderWritable(ApplicationFolder()))
        return beside;

    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QString userCopy = userFolder + QLatin1Char('/') + kTemplateName;
    if (QFileInfo::exists(userCopy))
        return userCopy;

    const QString source = FileNameFromLocal(QByteArray::fromStdString(
        files::FindTemplate(LocalFileName(ApplicationFolder()).toStdString())));
    if (source.isEmpty()) {
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

namespace {

// The length of the valid UTF-8 sequence at `at`, 0 when there is none.
qsizetype Utf8Length(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80)
        return 1;
    const qsizetype length = first >= 0xC2 && first <= 0xDF   ? 2
                             : first >= 0xE0 && first <= 0xEF ? 3
                             : first >= 0xF0 && first <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    const unsigned char second = byte(at + 1);
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((first == 0xE0 && second < 0xA0) || (first == 0xED && second > 0x9F) ||
        (first == 0xF0 && second < 0x90) || (first == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

} // namespace

QString FileNameFromLocal(const QByteArray& bytes) {
    QString name;
    for (qsizetype at = 0; at < bytes.size();) {
        if (const qsizetype length = Utf8Length(bytes, at)) {
            name += QString::fromUtf8(bytes.constData() + at, length);
            at += length;
        } else {
            name += QChar(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[at])));
            ++at;
        }
    }
    return name;
}

QByteArray LocalFileName(const QString& name) {
    QByteArray bytes;
    for (qsizetype at = 0; at < name.size(); ++at) {
        const QChar c = name[at];
        if (c.isHighSurrogate() && at + 1 < name.size() && name[at + 1].isLowSurrogate()) {
            bytes += name.mid(at, 2).toUtf8();
            ++at;
        } else if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF) {
            bytes += static_cast<char>(c.unicode() - 0xDC00);
        } else {
            bytes += QString(c).toUtf8();
        }
    }
    return bytes;
}

} // namespace termiva
