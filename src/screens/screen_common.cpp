// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screen_common.h"

#include "cases/field_tips.h"
#include "screens/leave_check.h"
#include "screens/numeric_field.h"
#include "screens/value_marks.h"
#include "text/number_text.h"

#include <algorithm>

#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace termiva {

std::string DecimalSeparator() {
    return QLocale().decimalPoint().toStdString();
}

std::string TextOf(const QLineEdit* field) {
    return field->text().toStdString();
}

void SetTextOf(QLineEdit* field, std::string_view text) {
    field->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::optional<double> NumberOf(const QLineEdit* field) {
    return text::ToDouble(TextOf(field), DecimalSeparator());
}

QString NumberText(double value) {
    return QString::fromStdString(text::ToText(value, DecimalSeparator()));
}

QString FromCase(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FieldCaption(files::InputFileKind kind, std::string_view controlName) {
    const cases::FieldSpec* field = cases::FindField(kind, controlName);
    return field ? FromCase(field->caption) : QString();
}

void ScreenFields::add(NumericField* field) {
    fields_.emplace_back(field->objectName().toStdString(), field);
}

void ScreenFields::remove(const NumericField* field) {
    std::erase_if(fields_, [field](const auto& entry) { return entry.second == field; });
}

NumericField* ScreenFields::find(std::string_view controlName) const {
    for (const auto& [name, field] : fields_) {
        if (name == controlName)
            return field;
    }
    return nullptr;
}

void ScreenFields::addText(QLineEdit* field) {
    textFields_.emplace_back(field->objectName().toStdString(), field);
}

cases::ScreenTexts ScreenFields::texts(files::InputFileKind kind, int listIndex) const {
    cases::ScreenTexts texts{kind, listIndex, {}};
    for (const auto& [name, field] : fields_)
        texts.texts[name] = TextOf(field);
    for (const auto& [name, field] : textFields_)
        texts.texts[name] = TextOf(field);
    return texts;
}

bool ScreenFields::checkRequired(Platform& platform, const cases::ScreenTexts& texts) const {
    const std::vector<std::string> missing = cases::MissingFields(texts);
    for (const std::string& name : missing) {
        if (NumericField* field = find(name)) {
            CheckRequired(platform, {field});
            continue;
        }
        const auto text = std::find_if(textFields_.begin(), textFields_.end(),
                                       [&](const auto& entry) { return entry.first == name; });
        if (text != textFields_.end())
            CheckRequired(platform, {text->second});
        else
            platform.error(QString::fromLatin1(cases::kPleaseInputValue));
    }
    return missing.empty();
}

void ScreenFields::applyTips(files::InputFileKind kind) const {
    for (const auto& [name, field] : fields_)
        field->setToolTip(FromCase(cases::FieldTip(kind, name)));
}

void ScreenFields::setTexts(const std::vector<cases::FieldText>& texts) const {
    for (const cases::FieldText& text : texts) {
        if (NumericField* field = find(text.field))
            SetTextOf(field, text.text);
        for (const auto& [name, field] : textFields_) {
            if (name == text.field)
                SetTextOf(field, text.text);
        }
    }
}

void ScreenFields::showError(Platform& platform, const cases::CaseError& error) const {
    NumericField* field = error.field.empty() ? nullptr : find(error.field);
    if (field && !field->value()) {
        ReportUnreadable(field);
        return;
    }
    // A number the calculation refuses: its message, and the field to mend.
    platform.error(FromCase(error.message));
    if (field)
        GiveFocus(field);
}

void NameControl(QWidget* control, const QString& name) {
    control->setObjectName(name);
    control->setAccessibleDescription(name);
}

QLabel* MakeCaption(const QString& caption, QWidget* field, const QString& labelName) {
    auto* label = new QLabel(caption, field->parentWidget());
    if (!labelName.isEmpty())
        NameControl(label, labelName);
    label->setBuddy(field);
    field->setAccessibleName(caption);
    return label;
}

ButtonColumn::ButtonColumn(QWidget* parent)
    : box_(new QWidget(parent)), column_(new QVBoxLayout(box_)) {
    column_->setContentsMargins(0, FromTwips(360 - 240), 0, 0);
    column_->setSpacing(FromTwips(600 - 495));
}

QPushButton* ButtonColumn::add(const char* text, const char* name) {
    auto* command =
        Named(new QPushButton(QString::fromLatin1(text), box_), QString::fromLatin1(name));
    command->setAutoDefault(true);
    command->setMinimumSize(FromTwips(1695), FromTwips(495));
    column_->addWidget(command);
    return command;
}

void ButtonColumn::addStretch() {
    column_->addStretch(1);
}

QFont ScreenFont(qreal pointSize, bool bold, bool italic) {
    static const QString family =
        QFontDatabase::hasFamily(QStringLiteral("Verdana"))
            ? QStringLiteral("Verdana")
            : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

namespace {
constexpr qreal kHeadingPoints = 9.75; // the screens' body size
} // namespace

void StyleScreen(QWidget* screen) {
    for (QGroupBox* frame : screen->findChildren<QGroupBox*>()) {
        // Pin each inner control's font before the frame's bold one would
        // reach it by inheritance.
        for (QWidget* inner : frame->findChildren<QWidget*>()) {
            QFont font = inner->font();
            font.setBold(font.bold());
            font.setPointSizeF(font.pointSizeF());
            font.setFamily(font.family());
            inner->setFont(font);
        }
        frame->setFont(ScreenFont(kHeadingPoints, true));
    }
    for (QLabel* caption : screen->findChildren<QLabel*>()) {
        if (qobject_cast<QLineEdit*>(caption->buddy()))
            caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void StyleBox(QLabel* label, const QColor& colour) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
}

namespace {

// Return and Enter that no control of the screen took.
class DefaultButtonFilter : public QObject {
public:
    DefaultButtonFilter(QWidget* screen, QPushButton* button) : QObject(screen), button_(button) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (!button_->isEnabled() || !button_->isVisible())
            return false;
        if (auto* field = dynamic_cast<LeaveCheck*>(QApplication::focusWidget());
            field && !field->checkLeave())
            return true;
        button_->click();
        return true;
    }

private:
    QPushButton* button_;
};

} // namespace

void SetDefaultButton(QWidget* screen, QPushButton* button) {
    button->setDefault(true);
    screen->installEventFilter(new DefaultButtonFilter(screen, button));
}

ResultWatch::ResultWatch(QWidget* screen) : QObject(screen), screen_(screen) {}

void ResultWatch::addInput(QLineEdit* field) {
    connect(field, &QLineEdit::textChanged, this, &ResultWatch::inputChanged);
}

void ResultWatch::addInput(QComboBox* list) {
    connect(list, &QComboBox::currentIndexChanged, this, &ResultWatch::inputChanged);
}

void ResultWatch::addResult(QLabel* label, const QString& caption) {
    results_.emplace_back(label, caption);
    label->setAccessibleName(caption);
}

void ResultWatch::setCaption(QLabel* label, const QString& caption) {
    for (auto& [known, text] : results_) {
        if (known == label)
            text = caption;
    }
    updateNames();
}

void ResultWatch::inputChanged() {
    if (stale_)
        return;
    const bool shown = std::any_of(results_.begin(), results_.end(), [](const auto& result) {
        return !result.first->text().isEmpty() && result.first->isVisibleTo(result.first->window());
    });
    if (!shown)
        return;
    stale_ = true;
    for (const auto& [label, caption] : results_) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::gray);
        label->setPalette(palette);
    }
    noteBefore_ = ResultNoteOf(screen_);
    SetResultNote(screen_, QString::fromLatin1(kStaleNote));
}

void ResultWatch::settle() {
    if (stale_) {
        stale_ = false;
        for (const auto& [label, caption] : results_) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, screen_->palette().color(QPalette::WindowText));
            label->setPalette(palette);
        }
        if (ResultNoteOf(screen_) == QLatin1String(kStaleNote))
            SetResultNote(screen_, noteBefore_);
    }
    updateNames();
}

void ResultWatch::updateNames() {
    for (const auto& [label, caption] : results_) {
        const QString value = label->text();
        label->setAccessibleName(value.isEmpty() ? caption
                                                 : QStringLiteral("%1: %2").arg(caption, value));
    }
}

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), renderer_(new QSvgRenderer(this)) {
    if (QFile::exists(resource))
        renderer_->load(resource);
    renderer_->setAspectRatioMode(Qt::KeepAspectRatio);
}

void SvgPicture::paintEvent(QPaintEvent*) {
    if (!renderer_->isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&painter, QRectF(rect()));
}

} // namespace termiva
