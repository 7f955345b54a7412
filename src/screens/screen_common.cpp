#include "screens/screen_common.h"

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
