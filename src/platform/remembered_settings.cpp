// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/remembered_settings.h"

#include <QSettings>

namespace termiva {

QSize RememberedSize(const QSettings& settings, const QString& key, QSize fallback, QSize minimum,
                     QSize available) {
    const QVariant value = settings.value(key);
    QSize size = value.typeId() == QMetaType::QSize ? value.toSize() : fallback;
    if (!size.isValid())
        size = fallback;
    // A screen smaller than the minimum still gets a usable window.
    return size.boundedTo(available).expandedTo(minimum);
}

QString RememberedText(const QSettings& settings, const QString& key, int maxLength) {
    const QVariant value = settings.value(key);
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString().left(maxLength);
}

} // namespace termiva
