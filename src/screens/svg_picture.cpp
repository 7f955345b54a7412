// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/svg_picture.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace termiva {

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
