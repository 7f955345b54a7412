#include "screens/screen_common.h"

#include "screens/numeric_field.h"
#include "text/number_text.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QSvgRenderer>

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

void ShowResult(QLabel* label, double value, std::string_view pattern) {
    label->setText(QString::fromStdString(text::Format(value, pattern, DecimalSeparator())));
}

void ShowCalculationError(Platform& platform, const CalculationError& error) {
    platform.error(QString::fromStdString(error.message));
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

NumericField* ScreenFields::find(std::string_view controlName) const {
    for (const auto& [name, field] : fields_) {
        if (name == controlName)
            return field;
    }
    return nullptr;
}

cases::ScreenTexts ScreenFields::texts(files::InputFileKind kind, int listIndex) const {
    cases::ScreenTexts texts{kind, listIndex, {}};
    for (const auto& [name, field] : fields_)
        texts.texts[name] = TextOf(field);
    return texts;
}

bool ScreenFields::checkRequired(Platform& platform, const cases::ScreenTexts& texts) const {
    const std::vector<std::string> missing = cases::MissingFields(texts);
    for (const std::string& name : missing) {
        if (NumericField* field = find(name))
            CheckRequired(platform, {field});
        else
            platform.error(QString::fromLatin1(cases::kPleaseInputValue));
    }
    return missing.empty();
}

void ScreenFields::setTexts(const std::vector<cases::FieldText>& texts) const {
    for (const cases::FieldText& text : texts) {
        if (NumericField* field = find(text.field))
            SetTextOf(field, text.text);
    }
}

void ScreenFields::showError(Platform& platform, const cases::CaseError& error) const {
    NumericField* field = error.field.empty() ? nullptr : find(error.field);
    if (field)
        ReportUnreadable(field);
    else
        platform.error(FromCase(error.message));
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

void StyleBox(QLabel* label, const QColor& colour) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
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
