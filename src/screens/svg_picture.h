// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A drawing from the resources, as a widget.

#include <QWidget>

class QSvgRenderer;

namespace termiva {

// A drawing from the resources, scaled to the widget with its proportions
// kept. A missing drawing leaves the widget empty.
class SvgPicture : public QWidget {
public:
    explicit SvgPicture(const QString& resource, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
};

} // namespace termiva
