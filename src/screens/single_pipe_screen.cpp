// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/single_pipe_screen.h"

#include "cases/raised_loss.h"
#include "cases/single_pipe_case.h"
#include "engine/pipe_sizes.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/input_file_actions.h"
#include "screens/result_watch.h"
#include "screens/screen_style.h"
#include "screens/svg_picture.h"
#include "screens/value_marks.h"

#include <array>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace termiva {
namespace {

using files::InputFileKind;

const QString kPipePicture = QStringLiteral(":/images/pipe_section.svg");
constexpr int kFieldWidth = 90;  // px: room for about ten digits
constexpr int kResultWidth = 96; // px: "99999.99" in the box with room to spare

QString Name(const char* prefix, int number) {
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(number);
}

// A frame of caption and field rows; room a wide frame gets goes right of
// the fields, not between them and their captions.
FieldGrid FieldFrame(QGroupBox* frame, Platform& platform, ScreenFields& fields) {
    FieldGrid grid(frame, platform, fields, InputFileKind::SinglePipe, kFieldWidth);
    grid.layout()->setHorizontalSpacing(FromTwips(120));
    grid.layout()->setColumnStretch(2, 1);
    return grid;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(true);
    return button;
}

} // namespace

Form3::Form3(Platform& platform, QWidget* parent)
    : CalculatorScreen(platform, InputFileKind::SinglePipe, parent) {
    NameControl(this, QStringLiteral("Form3"));
    setFont(ScreenFont(9.75));

    const auto newFrame = [this](std::string_view caption, const char* name) {
        return Named(new QGroupBox(FromCase(caption), this), QString::fromLatin1(name));
    };
    Frame4 = newFrame(cases::kPipeFrame, "Frame4");
    FieldGrid pipe = FieldFrame(Frame4, platform_, fields_);
    Text1 = pipe.add("Text1");
    Text2 = pipe.add("Text2");
    AddDiameterOrderCheck(Text1, Text2);

    Frame1 = newFrame(cases::kInputDataFrame, "Frame1");
    FieldGrid input = FieldFrame(Frame1, platform_, fields_);
    input.add({&Text3, &Text4, &Text5, &Text6, &Text7}, 3);

    Frame2 = newFrame(cases::kThicknessFrame, "Frame2");
    FieldGrid thickness = FieldFrame(Frame2, platform_, fields_);
    thickness.add({&Text10, &Text11, &Text12, &Text13, &Text14}, 10);

    // The fields line up from frame to frame.
    AlignCaptions({&pipe, &input, &thickness});

    Combo1 = Named(new QComboBox(this), QStringLiteral("Combo1"));
    list_ = Combo1;
    for (const PipeSizeEntry& size : kSinglePipeSizes)
        Combo1->addItem(
            QString::fromUtf8(size.text.data(), static_cast<qsizetype>(size.text.size())));
    Combo1->setMaxVisibleItems(static_cast<int>(kSinglePipeSizes.size()));
    QLabel* comboCaption = MakeCaption(FromCase(cases::kPipeSizeListCaption), Combo1);

    Frame3 = newFrame(cases::kResultsFrame, "Frame3");
    resultsFrame_ = Frame3;
    auto* results = new QGridLayout(Frame3);
    results->setHorizontalSpacing(FromTwips(120));
    results->setColumnStretch(3, 1);
    auto* heading = new QLabel(FromCase(cases::kTsurfaceHeading), Frame3);
    heading->setAlignment(Qt::AlignCenter);
    results->addWidget(heading, 0, 2);
    auto* lossHeading = new QLabel(FromCase(cases::kPipeLossHeading), Frame3);
    lossHeading->setAlignment(Qt::AlignCenter);
    results->addWidget(lossHeading, 0, 1);
    results_ = new ResultWatch(this);
    const std::array<QLabel**, 6> losses = {&Label18, &Label19, &Label20,
                                            &Label21, &Label22, &Label23};
    const std::array<QLabel**, 6> temperatures = {&Label24, &Label25, &Label26,
                                                  &Label27, &Label28, &Label29};
    for (int i = 0; i < 6; ++i) {
        const auto box = [&](QLabel** slot, int number) {
            *slot = Named(new QLabel(Frame3), Name("Label", number));
            StyleBox(*slot, kResultBoxColor);
            (*slot)->setMinimumWidth(kResultWidth);
            (*slot)->setMinimumHeight(Text1->sizeHint().height());
            return *slot;
        };
        const auto row = static_cast<std::size_t>(i);
        QLabel* loss = box(losses[row], 18 + i);
        QLabel* temperature = box(temperatures[row], 24 + i);
        const QString rowCaption = FromCase(cases::kSinglePipeResultCaptions[row]);
        auto* caption = new QLabel(rowCaption, Frame3);
        caption->setBuddy(loss);
        results_->addResult(loss, rowCaption);
        results_->addResult(temperature,
                            rowCaption + QStringLiteral(", ") + FromCase(cases::kTsurfaceHeading));
        results->addWidget(caption, i + 1, 0);
        results->addWidget(loss, i + 1, 1);
        results->addWidget(temperature, i + 1, 2);
    }
    // The frame appears with the first results without moving anything else.
    QSizePolicy keepRoom = Frame3->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    Frame3->setSizePolicy(keepRoom);
    Frame3->hide();

    auto* picture = Named(new SvgPicture(kPipePicture, this), QStringLiteral("Picture1"));
    picture->setMinimumSize(265, 313);

    Command1 = Button(QStringLiteral("Command1"), QStringLiteral("&Calculation"), this);
    Command2 = Button(QStringLiteral("Command2"), QStringLiteral("&Diagram"), this);
    Command3 = Button(QStringLiteral("Command3"), QStringLiteral("C&lear data"), this);
    Command4 = Button(QStringLiteral("Command4"), QStringLiteral("&Input test data"), this);
    Command5 = Button(QStringLiteral("Command5"), QStringLiteral("&Save to file"), this);
    Command6 = Button(QStringLiteral("Command6"), QStringLiteral("L&oad from file"), this);

    auto* size = new QHBoxLayout;
    size->setSpacing(FromTwips(120));
    size->addWidget(comboCaption);
    size->addWidget(Combo1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(FromTwips(120));
    int buttonWidth = 0;
    for (QPushButton* button : {Command1, Command2, Command3, Command4, Command5, Command6})
        buttonWidth = qMax(buttonWidth, button->sizeHint().width());
    buttonWidth += Command1->fontMetrics().averageCharWidth() * 2;
    for (QPushButton* button : {Command1, Command2, Command3, Command4, Command5, Command6}) {
        button->setMinimumWidth(buttonWidth);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    // The inputs on the left, the drawing beside them, the results beside the
    // thicknesses, the buttons below.
    auto* layout = new QGridLayout(this);
    layout->addLayout(size, 0, 0);
    layout->addWidget(Frame4, 1, 0);
    layout->addWidget(Frame1, 2, 0);
    layout->addWidget(Frame2, 3, 0, Qt::AlignTop);
    layout->addWidget(picture, 0, 1, 3, 1, Qt::AlignCenter);
    layout->addWidget(Frame3, 3, 1, Qt::AlignTop);
    layout->addLayout(buttons, 4, 0, 1, 2);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setVerticalSpacing(FromTwips(120));

    // The controls in the order of the screen: the size list, the fields, then
    // the buttons.
    QWidget* order[] = {Combo1,   Text1,    Text2,    Text3,    Text4,   Text5,  Text6,
                        Text7,    Text10,   Text11,   Text12,   Text13,  Text14, Command1,
                        Command2, Command3, Command4, Command5, Command6};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        Combo1_Click();
        sizeJustChanged_ = true;
        QMetaObject::invokeMethod(
            this, [this] { sizeJustChanged_ = false; }, Qt::QueuedConnection);
    });
    connect(Combo1, &QComboBox::activated, this, &Form3::Combo1_Activated);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form3::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form3::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form3::Command6_Click);
    SetDefaultButton(this, Command1);
    StyleScreen(this);
    fields_.applyTips(InputFileKind::SinglePipe);
    results_->addInput(Combo1);
    for (NumericField* field :
         {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text10, Text11, Text12, Text13, Text14})
        results_->addInput(field);
}

void Form3::Form_Load() {
    // The list comes first in the tab order, yet the screen opens with the
    // focus in D1, where typing starts.
    Text1->setFocus();
    if (QWidget* window = parentWidget())
        window->move(FromTwips(200), FromTwips(200));
    selectSize(0);
}

void Form3::setDiagramAction(std::function<void()> action) {
    diagramAction_ = std::move(action);
}

void Form3::selectSize(int index) {
    if (Combo1->currentIndex() == index)
        Combo1_Click();
    else
        Combo1->setCurrentIndex(index);
}

void Form3::Combo1_Activated() {
    if (!std::exchange(sizeJustChanged_, false))
        Combo1_Click();
}

void Form3::Combo1_Click() {
    fields_.setTexts(cases::PipeSizeTexts(Combo1->currentIndex(), DecimalSeparator()));
}

void Form3::Command1_Click() {
    if (!CheckInputs())
        return;
    const auto result = cases::CalculateSinglePipe(texts(), DecimalSeparator());
    if (!result) {
        fields_.showError(platform_, result.error());
        return;
    }
    Frame3->show();
    const cases::SinglePipeTexts shown = cases::SinglePipeResultTexts(*result, DecimalSeparator());
    const std::array<QLabel*, 6> losses = {Label18, Label19, Label20, Label21, Label22, Label23};
    const std::array<QLabel*, 6> temperatures = {Label24, Label25, Label26,
                                                 Label27, Label28, Label29};
    ShowLosses(losses, temperatures, shown, result->flags, kResultBoxColor);
    SetResultNote(this, FromCase(cases::SinglePipeNote(texts(), *result, DecimalSeparator())));
    results_->settle();
}

void Form3::Command2_Click() {
    if (!CheckInputs())
        return;
    if (diagramAction_)
        diagramAction_();
}

void Form3::Command3_Click() {
    selectSize(0);
    for (NumericField* field :
         {Text3, Text4, Text5, Text6, Text7, Text10, Text11, Text12, Text13, Text14})
        field->clear();
    Frame3->hide();
    SetResultNote(this, QString());
    results_->settle();
}

void Form3::Command4_Click() {
    const cases::TestData testData =
        cases::TestDataOf(InputFileKind::SinglePipe, DecimalSeparator());
    selectSize(testData.listIndex);
    fields_.setTexts(testData.texts);
}

InputFileBinding Form3::fileBinding() {
    InputFileBinding binding = CalculatorScreen::fileBinding();
    binding.afterListLoaded = [this] { Combo1_Click(); };
    return binding;
}

void Form3::Command5_Click() {
    saveToFile();
}

void Form3::Command6_Click() {
    loadFromFile();
}

} // namespace termiva
