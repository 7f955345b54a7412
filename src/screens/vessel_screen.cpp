// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/vessel_screen.h"

#include "cases/raised_loss.h"
#include "cases/vessel_case.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/result_watch.h"
#include "screens/screen_style.h"
#include "screens/svg_picture.h"
#include "screens/value_marks.h"

#include <array>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace termiva {
namespace {

using files::InputFileKind;

constexpr int kNoChange = -2;

// A vessel sketch scaled into its box with its proportions kept.

QWidget* MakeSketch(const QString& resource, QSize size, QWidget* parent) {
    auto* sketch = new SvgPicture(resource, parent);
    sketch->setFixedSize(size);
    KeepPlaceWhenHidden(sketch);
    return sketch;
}

} // namespace

Form2::Form2(Platform& platform, QWidget* parent)
    : CalculatorScreen(platform, InputFileKind::Vessel, parent) {
    setFont(ScreenFont(kBodyPoints));

    QWidget* selection = buildSelection();
    QWidget* sketches = buildSketches();
    buildInputData();
    buildThickness();
    buildResults();
    QWidget* buttons = buildButtons();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(FromTwips(240), FromTwips(240), FromTwips(240), FromTwips(240));
    layout->setHorizontalSpacing(FromTwips(225));
    layout->setVerticalSpacing(FromTwips(105));
    layout->addWidget(selection, 0, 0, Qt::AlignTop);
    layout->addWidget(sketches, 0, 1, Qt::AlignTop);
    layout->addWidget(Frame2, 0, 2, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(buttons, 0, 3, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(Frame1, 1, 0, 1, 2, Qt::AlignTop);
    layout->addWidget(Frame3, 1, 2, 1, 2, Qt::AlignTop);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(2, 1);

    chainTabOrder();
    StyleScreen(this);
    fields_.applyTips(InputFileKind::Vessel);
    results_->addInput(Combo1);
    for (NumericField* field :
         {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text10, Text11, Text12, Text13})
        results_->addInput(field);
    connectShapeList();
    Combo1_Click();
}

QWidget* Form2::buildSelection() {
    auto* box = new QWidget(this);
    Combo1 = Named(new QComboBox(box), QStringLiteral("Combo1"));
    list_ = Combo1;
    for (std::string_view shape : cases::kVesselShapes)
        Combo1->addItem(FromCase(shape));
    Combo1->setMinimumWidth(FromTwips(2895));
    Label17 = MakeCaption(FromCase(cases::kVesselListCaption), Combo1, QStringLiteral("Label17"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Label17);
    column->addWidget(Combo1);
    return box;
}

QWidget* Form2::buildSketches() {
    auto* box = new QWidget(this);
    const int width = FromTwips(3135);
    Picture1 = Named(MakeSketch(QStringLiteral(":/images/vessel_rectangular.svg"),
                                QSize(width, FromTwips(3615)), box),
                     QStringLiteral("Picture1"));
    Picture2 = Named(MakeSketch(QStringLiteral(":/images/vessel_horizontal.svg"),
                                QSize(width, FromTwips(3135)), box),
                     QStringLiteral("Picture2"));
    Picture3 = Named(MakeSketch(QStringLiteral(":/images/vessel_vertical.svg"),
                                QSize(width, FromTwips(2895)), box),
                     QStringLiteral("Picture3"));
    auto* stack = new QGridLayout(box);
    stack->setContentsMargins(0, 0, 0, 0);
    for (QWidget* picture : {Picture1, Picture2, Picture3})
        stack->addWidget(picture, 0, 0, Qt::AlignTop);
    return box;
}

void Form2::buildInputData() {
    Frame1 = MakeFrame(cases::kInputDataFrame, QStringLiteral("Frame1"), this);
    FieldGrid grid = BodyGrid(Frame1, platform_, fields_, InputFileKind::Vessel);
    // Room a wide frame gets goes right of the fields, not between them and
    // their captions.
    grid.layout()->setColumnStretch(2, 1);
    Text1 = grid.add("Text1", "Label2", &Label2);
    Text2 = grid.add("Text2", "Label1", &Label1);
    Text3 = grid.add("Text3", "Label3", &Label3);
    // The diameter caption shares the third row; the shape shows one of the two.
    Label13 = MakeLabel(FromCase(cases::kVesselDiameterCaption), QStringLiteral("Label13"), Frame1);
    Label13->setBuddy(Text3);
    grid.layout()->addWidget(Label13, 2, 0);
    Text4 = grid.add("Text4", "Label4", &Label4);
    Text5 = grid.add("Text5", "Label5", &Label5);
    Text6 = grid.add("Text6", "Label8", &Label8);
    Text7 = grid.add("Text7", "Label6", &Label6);
    Text8 = grid.add("Text8", "Label7", &Label7);

    // A dimension the shape does not use is hidden with its row: the
    // remaining fields close up.
}

void Form2::buildThickness() {
    Frame2 = MakeFrame(cases::kThicknessFrame, QStringLiteral("Frame2"), this);
    FieldGrid grid = BodyGrid(Frame2, platform_, fields_, InputFileKind::Vessel);
    grid.layout()->setHorizontalSpacing(FromTwips(225));
    grid.layout()->setColumnStretch(2, 1);
    Text10 = grid.add("Text10", "Label10", &Label10);
    Text11 = grid.add("Text11", "Label9", &Label9);
    Text12 = grid.add("Text12", "Label12", &Label12);
    Text13 = grid.add("Text13", "Label11", &Label11);
}

void Form2::buildResults() {
    Frame3 = MakeFrame(cases::kResultsFrame, QStringLiteral("Frame3"), this);
    resultsFrame_ = Frame3;
    // Hiding the results must not shift the frames and buttons above.
    KeepPlaceWhenHidden(Frame3);
    auto* grid = new QGridLayout(Frame3);
    grid->setColumnStretch(3, 1);
    Label15 = MakeLabel(FromCase(cases::kTsurfaceHeading), QStringLiteral("Label15"), Frame3);
    Label15->setAlignment(Qt::AlignCenter);
    grid->addWidget(Label15, 0, 2);
    QLabel* lossHeading = MakeLabel(FromCase(cases::kVesselLossHeading), QString(), Frame3);
    lossHeading->setAlignment(Qt::AlignCenter);
    grid->addWidget(lossHeading, 0, 1);
    results_ = new ResultWatch(this);

    const auto resultBox = [&](const QString& name, int twipsWidth) {
        QLabel* box = MakeLabel(QString(), name, Frame3);
        StyleBox(box, kResultBoxColor);
        box->setMinimumSize(FromTwips(twipsWidth), box->fontMetrics().height() + 4);
        return box;
    };
    struct Row {
        QLabel*& caption;
        const char* captionName;
        QLabel*& loss;
        const char* lossName;
        QLabel*& temperature;
        const char* temperatureName;
    };
    const Row rows[] = {
        {Label20, "Label20", Label21, "Label21", Label26, "Label26"},
        {Label19, "Label19", Label22, "Label22", Label27, "Label27"},
        {Label18, "Label18", Label23, "Label23", Label28, "Label28"},
        {Label14, "Label14", Label24, "Label24", Label29, "Label29"},
        {Label16, "Label16", Label25, "Label25", Label30, "Label30"},
    };
    int r = 1;
    for (const Row& row : rows) {
        row.caption =
            MakeLabel(FromCase(cases::kVesselResultCaptions[static_cast<std::size_t>(r - 1)]),
                      QString::fromLatin1(row.captionName), Frame3);
        row.loss = resultBox(QString::fromLatin1(row.lossName), 1455);
        row.temperature = resultBox(QString::fromLatin1(row.temperatureName), 1215);
        results_->addResult(row.loss, row.caption->text());
        results_->addResult(row.temperature,
                            row.caption->text() + QStringLiteral(", ") + Label15->text());
        grid->addWidget(row.caption, r, 0);
        grid->addWidget(row.loss, r, 1);
        grid->addWidget(row.temperature, r, 2);
        ++r;
    }
}

QWidget* Form2::buildButtons() {
    ButtonColumn buttons(this);
    Command1 = buttons.add("&Calculation", "Command1");
    Command2 = buttons.add("C&lear data", "Command2");
    Command3 = buttons.add("&Input test data", "Command3");
    Command4 = buttons.add("&Save to file", "Command4");
    Command5 = buttons.add("L&oad from file", "Command5");
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form2::Command5_Click);
    SetDefaultButton(this, Command1);
    return buttons.widget();
}

// The fields, "Calculation", the shape list, then the other buttons in the
// order "Input test data", "Clear data", "Save to file", "Load from file".
void Form2::chainTabOrder() {
    QWidget* const chain[] = {Text1,    Text2,  Text3,    Text4,    Text5,    Text6,
                              Text7,    Text8,  Text10,   Text11,   Text12,   Text13,
                              Command1, Combo1, Command3, Command2, Command4, Command5};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

// A choice that changes the index emits currentIndexChanged and then, when the
// user made it, activated; re-picking the current entry emits activated alone;
// the program setting the index emits only currentIndexChanged. Each choice
// runs Combo1_Click once: the activated that follows a change is skipped. The
// mark is cleared once control returns to the event loop, and when results are
// shown, so that a later re-pick of an index the program set still counts.
void Form2::connectShapeList() {
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this](int index) {
        Combo1_Click();
        changedIndex_ = index;
        QMetaObject::invokeMethod(
            this, [this] { changedIndex_ = kNoChange; }, Qt::QueuedConnection);
    });
    connect(Combo1, &QComboBox::activated, this, [this](int index) {
        if (std::exchange(changedIndex_, kNoChange) == index)
            return;
        Combo1_Click();
    });
}

void Form2::Form_Load() {
    if (Combo1->currentIndex() == 0)
        Combo1_Click();
    else
        Combo1->setCurrentIndex(0);
    if (QWidget* window = parentWidget())
        window->move(0, 0);
}

void Form2::Combo1_Click() {
    const int index = Combo1->currentIndex();
    if (index >= 0) {
        Picture1->setVisible(index == 0);
        Picture2->setVisible(index == 1);
        Picture3->setVisible(index == 2);
    }

    for (QWidget* control : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Label2),
                             static_cast<QWidget*>(Label13), static_cast<QWidget*>(Text1),
                             static_cast<QWidget*>(Text2), static_cast<QWidget*>(Text3)})
        control->hide();
    Frame1->show();
    Frame2->show();
    Frame3->hide();
    SetResultNote(this, QString());
    if (index < 0 || index > 2)
        return;

    const bool usesLength = cases::VesselUsesField(index, "Text1");
    const bool usesHeight = cases::VesselUsesField(index, "Text2");
    Text1->setVisible(usesLength);
    Label2->setVisible(usesLength);
    Text2->setVisible(usesHeight);
    Label1->setVisible(usesHeight);
    Text3->show();
    Label3->setVisible(index == 0);
    Label13->setVisible(index != 0);
    // Screen readers speak the caption on view.
    Text3->setAccessibleName((index == 0 ? Label3 : Label13)->text());
}

void Form2::Command1_Click() {
    if (!CheckInputs())
        return;
    const auto result = cases::CalculateVessel(texts(), DecimalSeparator());
    if (!result) {
        fields_.showError(platform_, result.error());
        return;
    }
    changedIndex_ = kNoChange;
    Frame3->show();
    const cases::VesselTexts shown = cases::VesselResultTexts(*result, DecimalSeparator());
    const std::array<QLabel*, 5> losses = {Label21, Label22, Label23, Label24, Label25};
    const std::array<QLabel*, 5> temperatures = {Label26, Label27, Label28, Label29, Label30};
    ShowLosses(losses, temperatures, shown, result->flags, kResultBoxColor);
    SetResultNote(this, FromCase(cases::VesselNote(texts(), *result, DecimalSeparator())));
    results_->settle();
}

void Form2::Command2_Click() {
    for (NumericField* field :
         {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text10, Text11, Text12, Text13})
        field->clear();
    Frame3->hide();
    SetResultNote(this, QString());
    results_->settle();
}

void Form2::Command3_Click() {
    fields_.setTexts(cases::TestDataOf(InputFileKind::Vessel, DecimalSeparator()).texts);
}

void Form2::Command4_Click() {
    saveToFile();
}

void Form2::Command5_Click() {
    loadFromFile();
}

} // namespace termiva
