// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform.h"

#include "platform/help_viewer.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace termiva {

QString ToQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses at the end of the description.
        const QString suffix = QStringLiteral("(%1)").arg(patterns);
        filters << (description.endsWith(suffix)
                        ? description
                        : QStringLiteral("%1 %2").arg(description, suffix));
    }
    return filters.join(QStringLiteral(";;"));
}

QString WithDefaultExt(const QString& path, const QString& defaultExt) {
    if (path.isEmpty() || defaultExt.isEmpty() || QFileInfo(path).fileName().contains(u'.'))
        return path;
    return path + u'.' + defaultExt;
}

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

void QtPlatform::message(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void QtPlatform::beep() {
    QApplication::beep();
}

std::optional<QString> QtPlatform::ShowSave(const CommonDialog& dialog) {
    return showFileDialog(dialog, true);
}

std::optional<QString> QtPlatform::ShowOpen(const CommonDialog& dialog) {
    return showFileDialog(dialog, false);
}

std::optional<QString> QtPlatform::showFileDialog(const CommonDialog& dialog, bool save) {
    QFileDialog box(QApplication::activeWindow(), dialog.DialogTitle, dialog.InitDir,
                    ToQtFilter(dialog.Filter));
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    box.setOption(QFileDialog::DontConfirmOverwrite,
                  (dialog.Flags & CommonDialog::kOverwritePrompt) == 0);
    box.setDefaultSuffix(dialog.DefaultExt);
    if (!dialog.FileName.isEmpty())
        box.selectFile(dialog.FileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return std::nullopt;
    // Native dialogs may ignore the default suffix.
    return WithDefaultExt(box.selectedFiles().constFirst(), dialog.DefaultExt);
}

void QtPlatform::showHelp(const QString& file, int command, int topic) {
    if (!help_)
        help_ = std::make_unique<HelpViewer>();
    if (!help_->open(file, command == kHelpContext ? topic : 0)) {
        error(QStringLiteral("The help file %1 cannot be opened.")
                  .arg(QDir::toNativeSeparators(file)));
        return;
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

std::optional<ReportDetails> QtPlatform::askReportDetails(const ReportDetails& preset) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("ReportDetails"));
    dialog.setWindowTitle(QStringLiteral("Report"));
    auto* project = new QLineEdit(preset.project, &dialog);
    project->setObjectName(QStringLiteral("Project"));
    auto* preparedBy = new QLineEdit(preset.preparedBy, &dialog);
    preparedBy->setObjectName(QStringLiteral("PreparedBy"));
    project->setMaxLength(kMaxReportDetailLength);
    preparedBy->setMaxLength(kMaxReportDetailLength);
    project->setMinimumWidth(project->fontMetrics().averageCharWidth() * 40);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Project"), project);
    layout->addRow(QStringLiteral("Prepared by"), preparedBy);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ReportDetails{project->text(), preparedBy->text()};
}

void QtPlatform::showPrintPreview(const PrintPreview& preview) {
    QPrinter printer(QPrinter::HighResolution);
    // A4 unless the user picks another paper in the page setup.
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(preview.title);
    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(preview.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&preview](QPrinter* target) { preview.paint(target); });
    if (auto* toolBar = dialog.findChild<QToolBar*>()) {
        toolBar->addSeparator();
        QAction* exportPdf = toolBar->addAction(QStringLiteral("Export PDF..."));
        exportPdf->setObjectName(QStringLiteral("ExportPdf"));
        QObject::connect(exportPdf, &QAction::triggered, &dialog,
                         [&preview, &printer] { preview.exportPdf(&printer); });
    }
    dialog.resize(900, 1000);
    dialog.exec();
}

} // namespace termiva
