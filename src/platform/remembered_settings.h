// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Values the program remembers between runs, read back bounded: the settings
// file is the user's data like any other file and may hold anything. A value
// of the wrong type counts as not remembered; a size is kept within the
// screen, a text within the length its dialog allows.

#include <QSize>
#include <QString>

class QSettings;

namespace termiva {

// The size under `key`, within `minimum` .. `available`; `fallback` (so
// bounded too) when there is none or it is not a size.
QSize RememberedSize(const QSettings& settings, const QString& key, QSize fallback, QSize minimum,
                     QSize available);

// The text under `key`, cut to `maxLength` characters; empty when there is
// none or it is not a text.
QString RememberedText(const QSettings& settings, const QString& key, int maxLength);

} // namespace termiva
