// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/input_file_actions.h"

#include "cases/case_file.h"
#include "screens/app_paths.h"
#include "screens/field_texts.h"
#include "screens/numeric_field.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>

namespace termiva {
namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The dialog settings, in the order the screens have always set them.
CommonDialog DialogFor(const files::InputFileFormat& format, bool save) {
    CommonDialog dialog;
    dialog.DialogTitle = save ? QStringLiteral("Save to file") : QStringLiteral("Load from file");
    dialog.Flags = save ? CommonDialog::kOverwritePrompt + CommonDialog::kHideReadOnly
                        : CommonDialog::kHideReadOnly;
    dialog.InitDir = DialogStartFolder();
    dialog.Filter = FromView(format.dialogFilter);
    dialog.FileName = save ? FromView(format.defaultFileName) : QString();
    dialog.DefaultExt = FromView(format.defaultExtension);
    return dialog;
}

std::string LocalPath(const QString& path) {
    return LocalFileName(path).toStdString();
}

// Sets the list entry so that the screen's list handler runs once, as when the
// user picks the entry: a changed index runs it through the screen's own
// connection; re-picking the current entry is a user's choice as well.
void SelectListEntry(QComboBox* list, int index) {
    if (list->currentIndex() != index)
        list->setCurrentIndex(index);
    else
        Q_EMIT list->activated(index);
}

constexpr const char* kInputFileProperty = "termivaInputFile";
constexpr const char* kInputFileTextsProperty = "termivaInputFileTexts";

// The screen is the widget right under the MDI sub-window (or the top).
QWidget* ScreenOf(const InputFileBinding& binding) {
    QWidget* screen =
        binding.fields ? binding.fields->find(cases::Fields(binding.kind).front().name) : nullptr;
    if (!screen)
        return nullptr;
    while (screen->parentWidget() && !qobject_cast<QMdiSubWindow*>(screen->parentWidget()))
        screen = screen->parentWidget();
    return screen;
}

// Every field text and list entry of the screen, to tell later whether the
// user changed any of them.
QStringList InputsOf(const QWidget* screen) {
    QStringList inputs;
    for (const QLineEdit* field : screen->findChildren<QLineEdit*>())
        if (!field->isReadOnly())
            inputs << field->objectName() + u'=' + field->text();
    for (const QComboBox* list : screen->findChildren<QComboBox*>())
        inputs << list->objectName() + u'#' + QString::number(list->currentIndex());
    return inputs;
}

void RememberInputFile(const InputFileBinding& binding, const QString& path,
                       bool fieldsHoldFile = true) {
    QWidget* screen = ScreenOf(binding);
    if (!screen)
        return;
    static qulonglong uses = 0;
    screen->setProperty(kInputFileProperty, path);
    screen->setProperty(kInputFileTextsProperty,
                        fieldsHoldFile ? InputsOf(screen) : QStringList{QStringLiteral("?")});
    screen->setProperty(kInputFileUseProperty, ++uses);
}

cases::ScreenTexts TextsOf(const InputFileBinding& binding) {
    return binding.fields->texts(binding.kind, binding.list ? binding.list->currentIndex() : -1);
}

// CheckInputs, then whether Load would read what Save writes: never a file
// that the program refuses.
bool MaySave(Platform& platform, const InputFileBinding& binding) {
    if (binding.checkInputs && !binding.checkInputs())
        return false;
    if (auto refused = cases::SaveRefusal(TextsOf(binding), DecimalSeparator())) {
        platform.error(QString::fromStdString(*refused));
        return false;
    }
    return true;
}

void WriteAndTell(Platform& platform, const InputFileBinding& binding, const QString& path) {
    const files::InputRecord record = cases::RecordOf(TextsOf(binding));

    if (auto failure = files::WriteInputFile(binding.kind, record, LocalPath(path))) {
        platform.error(QString::fromStdString(failure->message));
        return;
    }
    RememberInputFile(binding, path);
    platform.information(QStringLiteral("Data successfuly saved fo file!"));
}

} // namespace

QString InputFileOf(const QWidget* screen) {
    return screen ? screen->property(kInputFileProperty).toString() : QString();
}

bool DiffersFromInputFile(const QWidget* screen) {
    return screen && !InputFileOf(screen).isEmpty() &&
           screen->property(kInputFileTextsProperty).toStringList() != InputsOf(screen);
}

void SaveInputFileAgain(Platform& platform, const InputFileBinding& binding) {
    const QString path = InputFileOf(ScreenOf(binding));
    if (path.isEmpty()) {
        SaveInputFile(platform, binding);
        return;
    }
    if (!MaySave(platform, binding))
        return;
    WriteAndTell(platform, binding, path);
}

void SaveInputFile(Platform& platform, const InputFileBinding& binding) {
    if (!MaySave(platform, binding))
        return;

    const files::InputFileFormat& format = files::FormatOf(binding.kind);
    const std::optional<QString> path = platform.ShowSave(DialogFor(format, true));
    if (!path)
        return; // cancelled: nothing is written
    WriteAndTell(platform, binding, *path);
}

void LoadInputFile(Platform& platform, const InputFileBinding& binding) {
    const files::InputFileFormat& format = files::FormatOf(binding.kind);
    const std::optional<QString> path = platform.ShowOpen(DialogFor(format, false));
    if (!path)
        return; // cancelled: nothing is loaded
    LoadInputFileFrom(platform, binding, *path);
}

void LoadInputFileFrom(Platform& platform, const InputFileBinding& binding, const QString& path) {
    const files::InputFileFormat& format = files::FormatOf(binding.kind);
    // The whole file is read and checked before any field changes; a file of
    // another kind is refused.
    auto record = cases::ReadCaseFile(binding.kind, LocalPath(path));
    if (!record) {
        platform.error(QString::fromStdString(record.error().messages.front()));
        return;
    }
    // Each text is set as if typed, so the typing filter runs on it; the
    // diameters a file keeps come last and win over the list entry's. A
    // decimal saved under the other separator is read as that number.
    const cases::LoadedFields loaded =
        cases::LoadFields(binding.kind, record.value(), DecimalSeparator());
    if (!loaded.refused.empty()) {
        platform.error(QString::fromStdString(loaded.refused));
        return;
    }

    if (binding.list && format.hasListIndex) {
        SelectListEntry(binding.list, record->listIndex);
        if (binding.afterListLoaded)
            binding.afterListLoaded();
    }
    if (binding.makeTableRows && format.tableColumns > 0)
        binding.makeTableRows(record->table.size());
    binding.fields->setTexts(loaded.texts);
    RememberInputFile(binding, path, loaded.changed.empty());
    if (!loaded.changed.empty()) {
        // The file is not what the fields now hold: say which ones changed.
        platform.error(
            QString::fromStdString(cases::ChangedFieldsMessage(TextsOf(binding), loaded.changed)));
        return;
    }
    platform.information(QStringLiteral("Data successfuly loaded from file!"));
}

} // namespace termiva
