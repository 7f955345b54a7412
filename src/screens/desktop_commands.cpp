// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/desktop_commands.h"

#include "files/input_file.h"
#include "screens/app_paths.h"
#include "screens/calculator_screen.h"
#include "screens/input_file_actions.h"
#include "screens/main_window.h"
#include "screens/recent_files.h"
#include "screens/results_clipboard.h"
#include "screens/window_menu.h"
#include "support/version.h"

#include <array>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

namespace termiva {
namespace {

// A window's geometry blob is a few dozen bytes; anything much larger is not one.
constexpr qsizetype kMaxGeometryBytes = 1024;

// Every input file kind at once, then each on its own, then all files.
QString OpenFilter() {
    QStringList all;
    QStringList each;
    for (const files::InputFileKind kind : files::kInputFileKinds) {
        const files::InputFileFormat& format = files::FormatOf(kind);
        const QStringList parts =
            QString::fromUtf8(format.dialogFilter.data(),
                              static_cast<qsizetype>(format.dialogFilter.size()))
                .split(u'|');
        if (parts.size() >= 2)
            each << parts[0] << parts[1];
        all << QStringLiteral("*.") +
                   QString::fromUtf8(format.defaultExtension.data(),
                                     static_cast<qsizetype>(format.defaultExtension.size()));
    }
    return (QStringList{QStringLiteral("TERMIVA input files (%1)").arg(all.join(u' ')),
                        all.join(u';')} +
            each + QStringList{QStringLiteral("All files (*.*)"), QStringLiteral("*.*")})
        .join(u'|');
}

// The local files among dropped URLs; empty when any of them is not one.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
}

} // namespace

bool RestoreWindowGeometry(QWidget& window) {
    const QVariant value = QSettings().value(QLatin1String(kWindowGeometryKey));
    if (value.typeId() != QMetaType::QByteArray)
        return false;
    const QByteArray geometry = value.toByteArray();
    // restoreGeometry moves a window that would lie off the screens back
    // onto the available area of one, and shrinks it to fit.
    return geometry.size() <= kMaxGeometryBytes && window.restoreGeometry(geometry);
}

DesktopCommands::DesktopCommands(MDIForm1& window, Platform& platform)
    : window_(window), platform_(platform) {
    QMenu* file = window_.File;
    QAction* first = file->actions().value(0);
    Open = new QAction(QStringLiteral("&Open..."), file);
    Open->setObjectName(QStringLiteral("Open"));
    Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(Open, &QAction::triggered, this, &DesktopCommands::Open_Click);
    file->insertAction(first, Open);
    RecentFiles = new QMenu(QStringLiteral("Recent &files"), file);
    RecentFiles->setObjectName(QStringLiteral("RecentFiles"));
    RecentFiles->menuAction()->setObjectName(QStringLiteral("RecentFiles"));
    file->insertMenu(first, RecentFiles);
    recent_ = new RecentFilesMenu(RecentFiles, [this](const QString& path) { openRecent(path); });
    Save = new QAction(QStringLiteral("&Save"), file);
    Save->setObjectName(QStringLiteral("Save"));
    Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(Save, &QAction::triggered, this, &DesktopCommands::Save_Click);
    file->insertAction(first, Save);
    file->insertSeparator(first);
    connect(file, &QMenu::aboutToShow, this, &DesktopCommands::updateActions);

    Edit = new QMenu(QStringLiteral("&Edit"), window_.menuBar());
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->menuAction()->setObjectName(QStringLiteral("Edit"));
    window_.menuBar()->insertMenu(window_.Pipes->menuAction(), Edit);
    CopyResults = Edit->addAction(QStringLiteral("&Copy results"));
    CopyResults->setObjectName(QStringLiteral("CopyResults"));
    CopyResults->setShortcut(QKeySequence(QKeySequence::Copy));
    connect(CopyResults, &QAction::triggered, this, &DesktopCommands::CopyResults_Click);
    connect(Edit, &QMenu::aboutToShow, this, &DesktopCommands::updateActions);

    Window = new QMenu(QStringLiteral("&Window"), window_.menuBar());
    Window->setObjectName(QStringLiteral("Window"));
    Window->menuAction()->setObjectName(QStringLiteral("Window"));
    window_.menuBar()->insertMenu(window_.Help->menuAction(), Window);
    windowMenu = new WindowMenu(Window, window_.mdiArea());

    window_.Help->addSeparator();
    About = window_.Help->addAction(QStringLiteral("&About TERMIVA"));
    About->setObjectName(QStringLiteral("About"));
    connect(About, &QAction::triggered, this, &DesktopCommands::About_Click);

    window_.Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    FilePanel = new QLabel(window_.StatusBar1);
    FilePanel->setObjectName(QStringLiteral("FilePanel"));
    ModifiedPanel = new QLabel(QStringLiteral("modified"), window_.StatusBar1);
    ModifiedPanel->setObjectName(QStringLiteral("ModifiedPanel"));
    window_.StatusBar1->addPermanentWidget(FilePanel);
    window_.StatusBar1->addPermanentWidget(ModifiedPanel);
    FilePanel->hide();
    ModifiedPanel->hide();

    connect(window_.mdiArea(), &QMdiArea::subWindowActivated, this,
            &DesktopCommands::screenActivated);
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
    qApp->installEventFilter(this);
    updateActions();
}

DesktopCommands::~DesktopCommands() = default;

void DesktopCommands::screenActivated(QMdiSubWindow* window) {
    QWidget* screen = window ? window->widget() : nullptr;
    if (screen && screen != active_)
        watch(screen);
    active_ = screen;
    updateFilePanel();
    updateActions();
}

void DesktopCommands::watch(QWidget* screen) {
    constexpr const char* kWatched = "termivaDesktopWatched";
    if (screen->property(kWatched).toBool())
        return;
    screen->setProperty(kWatched, true);
    screen->installEventFilter(this);
    for (QLineEdit* field : screen->findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textChanged, this, &DesktopCommands::updateFilePanel);
    for (QComboBox* list : screen->findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, &DesktopCommands::updateFilePanel);
    // Right-click on the results (anywhere but a field) offers the copy.
    screen->setContextMenuPolicy(Qt::ActionsContextMenu);
    screen->addAction(CopyResults);
}

void DesktopCommands::updateFilePanel() {
    const QWidget* screen = window_.activeScreen();
    const QString path = InputFileOf(screen);
    FilePanel->setText(QFileInfo(path).fileName());
    FilePanel->setToolTip(path);
    FilePanel->setVisible(!path.isEmpty());
    ModifiedPanel->setVisible(DiffersFromInputFile(screen));
}

void DesktopCommands::updateActions() {
    QWidget* screen = window_.activeScreen();
    Save->setEnabled(qobject_cast<const CalculatorScreen*>(screen) != nullptr);
    CopyResults->setEnabled(screen != nullptr);
}

void DesktopCommands::Open_Click() {
    CommonDialog dialog;
    dialog.DialogTitle = QStringLiteral("Open");
    dialog.Flags = CommonDialog::kHideReadOnly;
    dialog.InitDir = DialogStartFolder();
    dialog.Filter = OpenFilter();
    if (const std::optional<QString> path = platform_.ShowOpen(dialog))
        window_.OpenFile(*path);
}

void DesktopCommands::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        RemoveRecentFile(path);
        platform_.error(QStringLiteral("The file \"%1\" no longer exists. It was removed from "
                                       "the recent files.")
                            .arg(path));
        return;
    }
    window_.OpenFile(path);
}

void DesktopCommands::Save_Click() {
    if (auto* screen = qobject_cast<CalculatorScreen*>(window_.activeScreen()))
        screen->saveFile();
}

void DesktopCommands::CopyResults_Click() {
    const QWidget* screen = window_.activeScreen();
    std::unique_ptr<QMimeData> data = screen ? ResultsMimeData(*screen) : nullptr;
    if (!data) {
        platform_.beep(); // nothing complete enough to copy yet
        return;
    }
    QGuiApplication::clipboard()->setMimeData(data.release());
}

void DesktopCommands::About_Click() {
    platform_.message(QStringLiteral("TERMIVA\nVersion %1\n\nHeat losses of bare and insulated "
                                     "pipes and vessels.\n\nLicence: GPL-3.0-or-later\n"
                                     "Qt version: %2")
                          .arg(QLatin1String(kVersion), QLatin1String(qVersion())),
                      QStringLiteral("About TERMIVA"), MessageIcon::Information);
}

bool DesktopCommands::dropFiles(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = DroppedFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        for (const QString& file : files)
            window_.OpenFile(file);
    return true;
}

bool DesktopCommands::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // A field claims Ctrl+C even with nothing selected; then the key is
        // Copy results.
        auto* field = qobject_cast<QLineEdit*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (field && !field->hasSelectedText() && key->matches(QKeySequence::Copy) &&
            field->window() == &window_)
            return true;
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == &window_)
            return dropFiles(event);
        break;
    case QEvent::Close:
        if (watched == &window_)
            QSettings().setValue(QLatin1String(kWindowGeometryKey), window_.saveGeometry());
        break;
    case QEvent::DynamicPropertyChange:
        if (static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() ==
            kInputFileUseProperty) {
            if (const QString path = InputFileOf(qobject_cast<QWidget*>(watched)); !path.isEmpty())
                AddRecentFile(path);
            updateFilePanel();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace termiva
