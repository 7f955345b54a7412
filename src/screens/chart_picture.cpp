// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/chart_picture.h"

#include "files/atomic_write.h"
#include "screens/app_paths.h"

#include <optional>
#include <string>
#include <string_view>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

namespace termiva {

void SavePictureAs(Platform& platform, const std::function<bool(const QString&)>& save) {
    const CommonDialog dialog =
        OutputSaveDialog(QStringLiteral("Save picture"),
                         QStringLiteral("PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg"),
                         QStringLiteral("png"));
    const std::optional<QString> path = platform.ShowSave(dialog);
    if (!path)
        return;
    if (!save(*path))
        platform.error(QStringLiteral("The picture could not be saved to \"%1\".").arg(*path));
}

bool WritePicture(QWidget& area, const QString& path, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(area.size());
        generator.setViewBox(area.rect());
        generator.setTitle(title);
        // Fonts are sized for the screen: at the generator's default 72 dpi
        // the texts would shrink against the drawing.
        generator.setResolution(area.logicalDpiX());
        QPainter painter;
        if (!painter.begin(&generator))
            return false;
        // The chart leaves its background to the view, which the SVG would
        // not have: a viewer's dark background would show through.
        painter.fillRect(area.rect(), Qt::white);
        area.render(&painter);
        painter.end();
    } else {
        // Twice the screen's resolution, sharp in a document or a slide.
        const qreal ratio = 2 * area.devicePixelRatioF();
        QImage image(area.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        area.render(&painter);
        painter.end();
        if (!image.save(&buffer, "PNG"))
            return false;
    }
    // As every file the program writes: complete or not at all, never onto a pipe.
    return !files::ReplaceFile(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace termiva
