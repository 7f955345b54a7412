// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/control_names.h"

#include <QLabel>

namespace termiva {

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

} // namespace termiva
