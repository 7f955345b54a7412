#pragma once

// The multiple pipes screen (placeholder until it lands).

#include "platform/platform.h"

#include <QWidget>

namespace termiva {

class Form4 : public QWidget {
    Q_OBJECT

public:
    explicit Form4(Platform& platform, QWidget* parent = nullptr);

    // Start-up handling, run by the main window right after the screen was
    // put into its MDI sub-window: places the sub-window.
    void Form_Load();

private:
    Platform& platform_;
};

} // namespace termiva
