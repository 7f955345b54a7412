// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/object_inputs.h"

#include "cases/calculator.h"
#include "cases/thickness_limit_case.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/numeric_field.h"
#include "screens/screen_style.h"

#include <algorithm>
#include <string>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace termiva {

using cases::LabelName;

ObjectInputs BuildObjectInputs(QWidget* screen, Platform& platform, ScreenFields& fields,
                               files::InputFileKind kind, int firstLabel) {
    ObjectInputs inputs;
    inputs.selection = new QWidget(screen);
    inputs.list = Named(new QComboBox(inputs.selection), QStringLiteral("Combo1"));
    for (std::string_view object : cases::kLimitObjects)
        inputs.list->addItem(FromCase(object));
    inputs.list->setMinimumWidth(FromTwips(2895));
    inputs.listCaption = MakeCaption(FromCase(cases::kLimitObjectListCaption), inputs.list,
                                     FromCase(LabelName(firstLabel)));
    auto* column = new QVBoxLayout(inputs.selection);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(inputs.listCaption);
    column->addWidget(inputs.list);

    int label = firstLabel + 1;
    const auto frame = [&](QGroupBox*& box, std::string_view caption, const QString& name,
                           int firstField, auto& slots, QLabel** captions) {
        box = MakeFrame(caption, name, screen);
        FieldGrid grid = BodyGrid(box, platform, fields, kind);
        grid.layout()->setColumnStretch(2, 1);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const std::string field = "Text" + std::to_string(firstField + static_cast<int>(i));
            slots[i] = grid.add(field.c_str(), LabelName(label++).c_str(),
                                captions ? &captions[i] : nullptr);
        }
        inputs.captions.insert(inputs.captions.end(), grid.captions().begin(),
                               grid.captions().end());
    };
    frame(inputs.objectFrame, cases::kLimitObjectFrame, QStringLiteral("Frame1"), 1,
          inputs.dimensions, inputs.dimensionCaptions.data());
    frame(inputs.conditionsFrame, cases::kInputDataFrame, QStringLiteral("Frame2"), 5,
          inputs.conditions, nullptr);
    return inputs;
}

void ObjectInputs::showDimensions() const {
    const int index = std::max(list->currentIndex(), 0);
    for (std::size_t i = 0; i < dimensions.size(); ++i) {
        const std::string name = dimensions[i]->objectName().toStdString();
        const bool used = cases::LimitUsesField(index, name);
        dimensions[i]->setVisible(used);
        dimensionCaptions[i]->setVisible(used);
        dimensionCaptions[i]->setText(FromCase(cases::LimitFieldCaption(index, name)));
        dimensions[i]->setAccessibleName(dimensionCaptions[i]->text());
    }
}

} // namespace termiva
