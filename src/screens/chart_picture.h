// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Save picture..." of the charts: one dialog and one way of drawing the
// picture, whichever screen the chart is on.

#include "platform/platform.h"

#include <functional>

#include <QString>

class QWidget;

namespace termiva {

// Asks for the picture's file (PNG or SVG) and hands it to `save`; a failed
// save is told in a box naming the file.
void SavePictureAs(Platform& platform, const std::function<bool(const QString&)>& save);

// Draws `area` into `path`: SVG for a name ending in .svg, else PNG at twice
// the screen's resolution. The file is replaced only once complete.
bool WritePicture(QWidget& area, const QString& path, const QString& title);

} // namespace termiva
