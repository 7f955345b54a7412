// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One look on every calculator screen: fonts, layout sizes from twips, the
// colours of the result boxes, the button column, and Return as the
// screen's "Calculation".

#include <QColor>
#include <QFont>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace termiva {

// The column of buttons beside the vessel and limit screens' frames: each
// button named, auto-default and of one size, added top to bottom.
class ButtonColumn {
public:
    explicit ButtonColumn(QWidget* parent);
    QWidget* widget() const { return box_; }
    QPushButton* add(const char* text, const char* name);
    void addStretch();

private:
    QWidget* box_;
    QVBoxLayout* column_;
};

// Verdana where installed, else the system's sans-serif font.
QFont ScreenFont(qreal pointSize, bool bold = false, bool italic = false);

// Layout sizes were given in twips; 15 twips make a pixel at 96 dpi.
constexpr int FromTwips(int twips) {
    return twips / 15;
}

inline const QColor kResultBoxColor{192, 255, 255}; // light cyan: result labels
inline const QColor kFixedBoxColor{224, 224, 224};  // light grey: fixed table texts

// One look on every calculator screen, applied once its controls are built:
// frame titles bold at the body size (the controls inside keep the plain body
// font), and each field's caption left-aligned beside its field.
void StyleScreen(QWidget* screen);

// Centred text in a thin bordered box on `colour`.
void StyleBox(QLabel* label, const QColor& colour);

// Return or Enter in a field of `screen` presses `button` (the screen's
// "Calculation"), once the field's leave check passed as a click on the
// button would have run it. The field keeps the focus.
void SetDefaultButton(QWidget* screen, QPushButton* button);

} // namespace termiva
