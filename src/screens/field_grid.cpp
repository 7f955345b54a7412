// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/field_grid.h"

#include "cases/case_fields.h"
#include "screens/control_names.h"
#include "screens/field_texts.h"
#include "screens/numeric_field.h"
#include "screens/screen_style.h"

#include <algorithm>
#include <string>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace termiva {

FieldGrid::FieldGrid(QGroupBox* frame, Platform& platform, ScreenFields& fields,
                     files::InputFileKind kind, int fieldWidth)
    : frame_(frame), platform_(platform), fields_(fields), kind_(kind), fieldWidth_(fieldWidth),
      grid_(new QGridLayout(frame)) {}

void FieldGrid::add(std::initializer_list<NumericField**> slots, int first) {
    for (NumericField** slot : slots)
        *slot = add(("Text" + std::to_string(first++)).c_str());
}

void FieldGrid::setFonts(const QFont& caption, const QFont& field) {
    captionFont_ = caption;
    fieldFont_ = field;
}

NumericField* FieldGrid::add(const char* name, const char* captionName, QLabel** caption) {
    auto* field = new NumericField(platform_, QString::fromLatin1(name), frame_);
    if (fieldFont_)
        field->setFont(*fieldFont_);
    field->setFixedWidth(fieldWidth_);
    fields_.add(field);
    // A dimension refuses exactly "0" on leaving, before the number check.
    if (const cases::FieldSpec* row = cases::FindField(kind_, name))
        AddCaseRule(field, row->rule);
    QLabel* label = MakeCaption(FieldCaption(kind_, name), field,
                                captionName ? QString::fromLatin1(captionName) : QString());
    if (captionFont_)
        label->setFont(*captionFont_);
    const int row = rows();
    captions_.push_back(label);
    grid_->addWidget(label, row, 0);
    grid_->addWidget(field, row, 1);
    if (caption)
        *caption = label;
    return field;
}

QFont BodyFont() {
    return ScreenFont(kBodyPoints);
}

QGroupBox* MakeFrame(std::string_view caption, const QString& name, QWidget* parent) {
    return Named(new QGroupBox(FromCase(caption), parent), name);
}

QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent) {
    return Body(Named(new QLabel(text, parent), name));
}

FieldGrid BodyGrid(QGroupBox* frame, Platform& platform, ScreenFields& fields,
                   files::InputFileKind kind) {
    FieldGrid grid(frame, platform, fields, kind, FromTwips(1200));
    grid.setFonts(BodyFont(), BodyFont());
    return grid;
}

void KeepPlaceWhenHidden(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

void AlignCaptions(const std::vector<QLabel*>& captions) {
    int width = 0;
    for (QLabel* caption : captions)
        width = std::max(width, caption->sizeHint().width());
    for (QLabel* caption : captions)
        caption->setMinimumWidth(width);
}

void AlignCaptions(const std::vector<const FieldGrid*>& grids) {
    std::vector<QLabel*> captions;
    for (const FieldGrid* grid : grids)
        captions.insert(captions.end(), grid->captions().begin(), grid->captions().end());
    AlignCaptions(captions);
}

} // namespace termiva
