// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The caption-and-field rows of a calculator screen's frames, built once: each
// row a caption beside a numeric field of the screen's field table, the field
// named, registered with the screen and given its table row's leave rule, the
// caption its buddy.

#include "files/input_file.h"
#include "platform/platform.h"

#include <initializer_list>
#include <optional>
#include <string_view>
#include <vector>

#include <QFont>
#include <QString>

class QWidget;

class QGridLayout;
class QGroupBox;
class QLabel;

namespace termiva {

class NumericField;
class ScreenFields;

QFont BodyFont();

class FieldGrid {
public:
    // Rows of `fieldWidth` px wide fields in a new grid layout of `frame`.
    FieldGrid(QGroupBox* frame, Platform& platform, ScreenFields& fields, files::InputFileKind kind,
              int fieldWidth);

    // Fonts the rows set on their captions and fields (else they inherit).
    void setFonts(const QFont& caption, const QFont& field);

    // The field `name` and its caption (named `captionName` when given) in
    // the next row; the caption through `caption` when asked.
    NumericField* add(const char* name, const char* captionName = nullptr,
                      QLabel** caption = nullptr);

    // Rows of the fields Text<first>, Text<first + 1>, ... into `slots`.
    void add(std::initializer_list<NumericField**> slots, int first);

    QGridLayout* layout() const { return grid_; }
    int rows() const { return static_cast<int>(captions_.size()); }
    const std::vector<QLabel*>& captions() const { return captions_; }

private:
    QGroupBox* frame_;
    Platform& platform_;
    ScreenFields& fields_;
    files::InputFileKind kind_;
    int fieldWidth_;
    QGridLayout* grid_;
    std::optional<QFont> captionFont_;
    std::optional<QFont> fieldFont_;
    std::vector<QLabel*> captions_;
};

// The vessel and limit screens' frames: a named frame, controls in the body
// font (inside a frame they would inherit its bold caption font), grids of
// such controls, and controls that keep their place while hidden.
inline constexpr qreal kBodyPoints = 9.75;
QGroupBox* MakeFrame(std::string_view caption, const QString& name, QWidget* parent);
template <class T> T* Body(T* control) {
    control->setFont(BodyFont());
    return control;
}
QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent);
FieldGrid BodyGrid(QGroupBox* frame, Platform& platform, ScreenFields& fields,
                   files::InputFileKind kind);
// The rows and columns around it do not move when it hides.
void KeepPlaceWhenHidden(QWidget* control);

// Gives every caption the width of the widest, so that the fields of several
// frames line up from frame to frame.
void AlignCaptions(const std::vector<QLabel*>& captions);
void AlignCaptions(const std::vector<const FieldGrid*>& grids);

} // namespace termiva
