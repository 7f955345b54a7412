// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The services the screens take from the desktop: message boxes, the beep, the
// common file dialog and the help viewer. Screens call these through Platform
// only, never QMessageBox, QFileDialog or QApplication::beep, so tests can
// script the answers (ScriptedPlatform) and read what was shown.

#include <functional>
#include <memory>
#include <optional>

#include <QString>

class QPrinter;

namespace termiva {

class HelpViewer;

enum class MessageIcon {
    Error,       // critical-error icon
    Information, // information icon
};

// The settings of the common file dialog, named as the dialog component names
// them and set by the screens before each ShowSave/ShowOpen.
struct CommonDialog {
    static constexpr int kOverwritePrompt = 2; // ask before replacing an existing file
    static constexpr int kHideReadOnly = 4;    // no read-only check box (Qt never shows one)

    QString DialogTitle;
    int Flags = 0;      // sum of the k... flags: 6 for saving, 4 for loading
    QString InitDir;    // folder the dialog starts in
    QString Filter;     // "Description|pattern|Description|pattern", e.g.
                        // "Single pipe insulation file (*.insp)|*.insp|All files (*.*)|*.*"
    QString FileName;   // preset name; empty for loading
    QString DefaultExt; // without the dot; appended to a chosen name that has no extension
};

// "Description|pattern|..." as a Qt name filter list joined by ";;". A
// description that does not already end in its pattern in parentheses gets it
// appended; ';' between patterns becomes a blank. A trailing description
// without a pattern is dropped.
QString ToQtFilter(const QString& filter);

// `path` with "." + `defaultExt` appended when its file name has no extension.
QString WithDefaultExt(const QString& path, const QString& defaultExt);

// Help commands of the original help call; see Platform::showHelp.
inline constexpr int kHelpContext = 1;   // open the file at `topic`
inline constexpr int kHelpForceFile = 9; // open the file at its beginning

// The project and the engineer printed on a calculation report; the dialog
// takes at most kMaxReportDetailLength characters of each, and so many are
// remembered.
inline constexpr int kMaxReportDetailLength = 200;
struct ReportDetails {
    QString project;
    QString preparedBy;
};

// A print preview: `paint` paints the document on the printer it is given
// (the preview's pages, then the real printer); "Export PDF..." runs
// `exportPdf` with the same printer, whose page setup the PDF follows.
struct PrintPreview {
    QString title;
    std::function<void(QPrinter*)> paint;
    std::function<void(QPrinter*)> exportPdf;
};

class Platform {
public:
    virtual ~Platform() = default;

    // A modal box with an OK button; returns when the user closed it.
    virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
    virtual void beep() = 0;

    // The chosen path (DefaultExt applied), or nothing when the user cancelled.
    virtual std::optional<QString> ShowSave(const CommonDialog& dialog) = 0;
    virtual std::optional<QString> ShowOpen(const CommonDialog& dialog) = 0;

    // Shows the HTML help `file`. A topic above 0 with kHelpContext opens
    // the page at the anchor "topic<N>" (1 main window, 2 chart, 3 single
    // pipe, 4 multiple pipes, 5 vessel); kHelpForceFile opens it at the top.
    // A file that cannot be read is reported in an "Error" box.
    virtual void showHelp(const QString& file, int command, int topic) = 0;

    // A small modal dialog with the fields "Project" and "Prepared by",
    // preset; nothing when the user cancelled.
    virtual std::optional<ReportDetails> askReportDetails(const ReportDetails& preset) = 0;

    // Qt's print preview (print, page setup) with an "Export PDF..." action;
    // returns when it is closed.
    virtual void showPrintPreview(const PrintPreview& preview) = 0;

    // The two message boxes every screen uses.
    void error(const QString& text) { message(text, QStringLiteral("Error"), MessageIcon::Error); }
    void information(const QString& text) {
        message(text, QStringLiteral("Information"), MessageIcon::Information);
    }
};

// The desktop implementation: QMessageBox, QApplication::beep, QFileDialog and
// one HelpViewer window. Create it after the QApplication, destroy it before.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void message(const QString& text, const QString& title, MessageIcon icon) override;
    void beep() override;
    std::optional<QString> ShowSave(const CommonDialog& dialog) override;
    std::optional<QString> ShowOpen(const CommonDialog& dialog) override;
    void showHelp(const QString& file, int command, int topic) override;
    std::optional<ReportDetails> askReportDetails(const ReportDetails& preset) override;
    void showPrintPreview(const PrintPreview& preview) override;

    // The help window once help was shown, else null.
    HelpViewer* helpViewer() const { return help_.get(); }

private:
    std::optional<QString> showFileDialog(const CommonDialog& dialog, bool save);

    std::unique_ptr<HelpViewer> help_;
};

} // namespace termiva
