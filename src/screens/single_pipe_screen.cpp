#include "screens/single_pipe_screen.h"

#include "engine/pipe_sizes.h"
#include "engine/single_pipe.h"
#include "screens/input_file_actions.h"
#include "screens/screen_common.h"

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

const QString kPipePicture = QStringLiteral(":/images/pipe_section.svg");
constexpr int kFieldWidth = 90;  // px: room for about ten digits
constexpr int kResultWidth = 96; // px: "99999.99" in the box with room to spare

QString Name(const char* prefix, int number) {
    return QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(number);
}

// A group box whose rows are a caption and a field. The captions of all such
// frames share one width so that the fields line up from frame to frame.
class FieldFrame {
public:
    FieldFrame(QGroupBox* frame, Platform& platform) : frame_(frame), platform_(platform) {
        layout_ = new QGridLayout(frame);
        layout_->setHorizontalSpacing(FromTwips(120));
        layout_->setColumnStretch(0, 1);
    }

    NumericField* add(const QString& name, const QString& caption) {
        auto* field = new NumericField(platform_, name, frame_);
        field->setFixedWidth(kFieldWidth);
        QLabel* label = MakeCaption(caption, field);
        const int row = static_cast<int>(captions.size());
        captions.push_back(label);
        layout_->addWidget(label, row, 0);
        layout_->addWidget(field, row, 1);
        return field;
    }

    std::vector<QLabel*> captions;

private:
    QGroupBox* frame_;
    Platform& platform_;
    QGridLayout* layout_;
};

// The pipe drawing, scaled into its box with its proportions kept.

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(true);
    return button;
}

} // namespace

Form3::Form3(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {
    NameControl(this, QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("SINGLE PIPES"));
    setFont(ScreenFont(9.75));

    Frame4 = Named(new QGroupBox(QStringLiteral("Pipe"), this), QStringLiteral("Frame4"));
    FieldFrame pipe(Frame4, platform_);
    Text1 = pipe.add(QStringLiteral("Text1"), QStringLiteral("Pipe nominal diameter (D1) [mm]"));
    Text2 = pipe.add(QStringLiteral("Text2"), QStringLiteral("Pipe outside diameter (D2) [mm]"));
    AddDiameterOrderCheck(Text1, Text2);

    Frame1 = Named(new QGroupBox(QStringLiteral("Input Data"), this), QStringLiteral("Frame1"));
    FieldFrame input(Frame1, platform_);
    Text3 = input.add(QStringLiteral("Text3"), QStringLiteral("Fluid Temperature (T1) [oC]"));
    Text4 = input.add(QStringLiteral("Text4"), QStringLiteral("Ambient Temperature (Tout) [oC]"));
    Text5 = input.add(QStringLiteral("Text5"),
                      QStringLiteral("Insulation Thermal Conductivity (k) [W/(m K)]"));
    Text6 =
        input.add(QStringLiteral("Text6"), QStringLiteral("Emissivity of Outside Surface (e) [-]"));
    Text7 = input.add(QStringLiteral("Text7"), QStringLiteral("Wind Coefficinent (WC) [-]"));

    Frame2 = Named(new QGroupBox(QStringLiteral("Thickness of Insulation"), this),
                   QStringLiteral("Frame2"));
    FieldFrame thickness(Frame2, platform_);
    Text10 = thickness.add(QStringLiteral("Text10"), QStringLiteral("tins1 [mm]"));
    Text11 = thickness.add(QStringLiteral("Text11"), QStringLiteral("tins2 [mm]"));
    Text12 = thickness.add(QStringLiteral("Text12"), QStringLiteral("tins3 [mm]"));
    Text13 = thickness.add(QStringLiteral("Text13"), QStringLiteral("tins4 [mm]"));
    Text14 = thickness.add(QStringLiteral("Text14"), QStringLiteral("tins5 [mm]"));

    int captionWidth = 0;
    for (const FieldFrame* frame : {&pipe, &input, &thickness}) {
        for (QLabel* caption : frame->captions)
            captionWidth = qMax(captionWidth, caption->sizeHint().width());
    }
    for (const FieldFrame* frame : {&pipe, &input, &thickness}) {
        for (QLabel* caption : frame->captions)
            caption->setMinimumWidth(captionWidth);
    }

    Combo1 = Named(new QComboBox(this), QStringLiteral("Combo1"));
    for (const PipeSizeEntry& size : kSinglePipeSizes)
        Combo1->addItem(
            QString::fromUtf8(size.text.data(), static_cast<qsizetype>(size.text.size())));
    Combo1->setMaxVisibleItems(static_cast<int>(kSinglePipeSizes.size()));
    QLabel* comboCaption = MakeCaption(QStringLiteral("Nominal pipe diameter, mm(inch):"), Combo1);

    Frame3 = Named(new QGroupBox(QStringLiteral("Results"), this), QStringLiteral("Frame3"));
    auto* results = new QGridLayout(Frame3);
    results->setHorizontalSpacing(FromTwips(120));
    results->setColumnStretch(0, 1);
    auto* heading = new QLabel(QStringLiteral("Tsurface [oC]"), Frame3);
    heading->setAlignment(Qt::AlignCenter);
    results->addWidget(heading, 0, 2);
    const std::array<QString, 6> rowCaptions = {
        QStringLiteral("Heat Loss (bare pipe) [W/m]"), QStringLiteral("Heat Loss (tins1) [W/m]"),
        QStringLiteral("Heat Loss (tins2) [W/m]"),     QStringLiteral("Heat Loss (tins3) [W/m]"),
        QStringLiteral("Heat Loss (tins4) [W/m]"),     QStringLiteral("Heat Loss (tins5) [W/m]")};
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
        auto* caption = new QLabel(rowCaptions[row], Frame3);
        caption->setBuddy(loss);
        loss->setAccessibleName(rowCaptions[row]);
        temperature->setAccessibleName(rowCaptions[row] + QStringLiteral(", Tsurface [oC]"));
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

    Command1 = Button(QStringLiteral("Command1"), QStringLiteral("Calculation"), this);
    Command2 = Button(QStringLiteral("Command2"), QStringLiteral("Diagram"), this);
    Command3 = Button(QStringLiteral("Command3"), QStringLiteral("Clear data"), this);
    Command4 = Button(QStringLiteral("Command4"), QStringLiteral("Input test data"), this);
    Command5 = Button(QStringLiteral("Command5"), QStringLiteral("Save to file"), this);
    Command6 = Button(QStringLiteral("Command6"), QStringLiteral("Load from file"), this);

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

    // The fields in the order of the screen, then the buttons; the list last,
    // so that the screen opens with the focus in D1.
    QWidget* order[] = {Text1,    Text2,    Text3,    Text4,    Text5,  Text6,    Text7,
                        Text10,   Text11,   Text12,   Text13,   Text14, Command1, Command2,
                        Command3, Command4, Command5, Command6, Combo1};
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
}

void Form3::Form_Load() {
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
    const int index = Combo1->currentIndex();
    if (index < 0 || index >= static_cast<int>(kSinglePipeSizes.size()))
        return;
    const PipeSizeEntry& size = kSinglePipeSizes[static_cast<std::size_t>(index)];
    Text1->setText(size.D1 ? NumberText(*size.D1) : QString());
    Text2->setText(size.D2 ? NumberText(*size.D2) : QString());
}

std::vector<QLineEdit*> Form3::requiredFields() const {
    return {Text1, Text2,  Text3,  Text4,  Text5,  Text6,
            Text7, Text10, Text11, Text12, Text13, Text14};
}

bool Form3::CheckInputs() {
    return CheckRequired(platform_, requiredFields());
}

void Form3::Command1_Click() {
    if (!CheckInputs())
        return;
    FieldReader read;
    SinglePipeInput input;
    input.D2 = read(Text2);
    input.T1 = read(Text3);
    input.Tout = read(Text4);
    input.k = read(Text5);
    input.e = read(Text6);
    input.WC = read(Text7);
    const std::array<NumericField*, 5> thicknesses = {Text10, Text11, Text12, Text13, Text14};
    for (std::size_t i = 0; i < thicknesses.size(); ++i)
        input.tins[i] = read(thicknesses[i]);
    if (!read.ok())
        return;

    const CalculationResult<SinglePipeResult> result = SinglePipeHeatLoss(input);
    if (!result) {
        ShowCalculationError(platform_, result.error());
        return;
    }
    Frame3->show();
    const std::array<QLabel*, 6> losses = {Label18, Label19, Label20, Label21, Label22, Label23};
    const std::array<QLabel*, 6> temperatures = {Label24, Label25, Label26,
                                                 Label27, Label28, Label29};
    for (std::size_t i = 0; i < losses.size(); ++i) {
        ShowResult(losses[i], result->HeatLoss[i], "####0.#0");
        ShowResult(temperatures[i], result->Tsurface[i], "####.0");
    }
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
}

void Form3::Command4_Click() {
    selectSize(1);
    Text3->setText(NumberText(143));
    Text4->setText(NumberText(20));
    Text5->setText(NumberText(0.07));
    Text6->setText(NumberText(0.95));
    Text7->setText(NumberText(1));
    const std::array<std::pair<NumericField*, double>, 5> thicknesses = {
        {{Text10, 20}, {Text11, 50}, {Text12, 75}, {Text13, 100}, {Text14, 150}}};
    for (const auto& [field, value] : thicknesses)
        field->setText(NumberText(value));
}

namespace {

InputFileBinding FileBinding(Form3& form, std::function<bool()> checkInputs) {
    return InputFileBinding{
        files::InputFileKind::SinglePipe,
        std::move(checkInputs),
        form.Combo1,
        [&form] { form.Combo1_Click(); },
        {form.Text3, form.Text4, form.Text5, form.Text6, form.Text7, form.Text10, form.Text11,
         form.Text12, form.Text13, form.Text14},
        {form.Text1, form.Text2},
    };
}

} // namespace

void Form3::Command5_Click() {
    SaveInputFile(platform_, FileBinding(*this, [this] { return CheckInputs(); }));
}

void Form3::Command6_Click() {
    LoadInputFile(platform_, FileBinding(*this, [this] { return CheckInputs(); }));
}

void Form3::loadFile(const QString& path) {
    LoadInputFileFrom(platform_, FileBinding(*this, [this] { return CheckInputs(); }), path);
}

} // namespace termiva
