// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screen_style.h"

#include "screens/control_names.h"
#include "screens/leave_check.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace termiva {

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

} // namespace termiva
