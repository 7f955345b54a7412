// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/calculator_screen.h"

#include "screens/field_texts.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVariant>

namespace termiva {
namespace {

constexpr const char* kHelpTopicProperty = "termivaHelpTopic";

} // namespace

void SetHelpTopic(QWidget* screen, int topic) {
    screen->setProperty(kHelpTopicProperty, topic);
}

int HelpTopicOf(const QWidget* screen) {
    const QVariant topic = screen ? screen->property(kHelpTopicProperty) : QVariant();
    return topic.isValid() ? topic.toInt() : cases::kMainWindowHelpTopic;
}

CalculatorScreen::CalculatorScreen(Platform& platform, files::InputFileKind kind, QWidget* parent)
    : QWidget(parent), platform_(platform), calculator_(cases::CalculatorOf(kind)) {
    setWindowTitle(FromCase(calculator_.title));
    SetHelpTopic(this, calculator_.helpTopic);
}

cases::ScreenTexts CalculatorScreen::texts() const {
    return fields_.texts(*calculator_.kind, list_ ? list_->currentIndex() : -1);
}

bool CalculatorScreen::CheckInputs() {
    return fields_.checkRequired(platform_, texts());
}

bool CalculatorScreen::showsResults() const {
    return resultsFrame_ && resultsFrame_->isVisibleTo(this);
}

bool CalculatorScreen::resultsStale() const {
    return results_ && results_->isStale();
}

QLabel* CalculatorScreen::resultBox(std::string_view control) const {
    return findChild<QLabel*>(
        QString::fromUtf8(control.data(), static_cast<qsizetype>(control.size())));
}

QString CalculatorScreen::inputFile() const {
    return InputFileOf(this);
}

InputFileBinding CalculatorScreen::fileBinding() {
    return InputFileBinding{
        *calculator_.kind, [this] { return CheckInputs(); }, list_, {}, &fields_, {}};
}

void CalculatorScreen::loadFile(const QString& path) {
    LoadInputFileFrom(platform_, fileBinding(), path);
}

void CalculatorScreen::saveToFile() {
    prepareToSave();
    SaveInputFile(platform_, fileBinding());
}

// The results are not settled here: a cancelled or failed load leaves them as
// they were, and a load that changes a field makes them stale as typing does.
void CalculatorScreen::loadFromFile() {
    LoadInputFile(platform_, fileBinding());
}

void CalculatorScreen::growToContents() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
                window->resize(window->size().expandedTo(window->sizeHint()));
        },
        Qt::QueuedConnection);
}

void CalculatorScreen::saveFile() {
    prepareToSave();
    SaveInputFileAgain(platform_, fileBinding());
}

} // namespace termiva
