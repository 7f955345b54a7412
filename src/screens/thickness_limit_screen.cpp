// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/thickness_limit_screen.h"

#include "cases/thickness_limit_case.h"
#include "screens/chart_picture.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/result_watch.h"
#include "screens/screen_style.h"
#include "screens/value_marks.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <tuple>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace termiva {
namespace {

using files::InputFileKind;

} // namespace

Form8::Form8(Platform& platform, ScreenSource source, QWidget* parent)
    : CalculatorScreen(platform, files::InputFileKind::ThicknessLimit, parent),
      source_(std::move(source)) {
    setFont(ScreenFont(kBodyPoints));

    QWidget* selection = buildInputs();
    buildLimits();
    buildResults();
    QWidget* buttons =
        BuildCaseButtons(this, QStringLiteral("From the open single pipe or vessel screen"));

    auto* inputs = new QVBoxLayout;
    inputs->setSpacing(FromTwips(105));
    inputs->addWidget(selection);
    inputs->addWidget(Frame1);
    inputs->addWidget(Frame2);
    inputs->addWidget(Frame3);
    inputs->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(FromTwips(240), FromTwips(240), FromTwips(240), FromTwips(240));
    layout->setHorizontalSpacing(FromTwips(225));
    layout->addLayout(inputs, 0, 0);
    // The results take the room the window gives: the chart grows with it.
    layout->addWidget(Frame4, 0, 1);
    layout->addWidget(buttons, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);

    chainTabOrder();
    StyleScreen(this);
    fields_.applyTips(InputFileKind::ThicknessLimit);
    // One caption width in the three input frames, so the fields line up
    // from frame to frame.
    AlignCaptions(frameCaptions_);
    SetDefaultButton(this, Command1);
    results_ = new ResultWatch(this);
    for (QLabel* label :
         {Label20, Label21, Label22, Label23, Label24, Label25, Label26, Label27, Label28})
        results_->addResult(label, QString());
    results_->addInput(Combo1);
    for (NumericField* field :
         {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11})
        results_->addInput(field);
    results_->addInput(Text12);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    Combo1_Click();
}

QWidget* Form8::buildInputs() {
    inputs_ = BuildObjectInputs(this, platform_, fields_, InputFileKind::ThicknessLimit, 1);
    Label1 = inputs_.listCaption;
    Combo1 = inputs_.list;
    list_ = Combo1;
    Frame1 = inputs_.objectFrame;
    std::tie(Text1, Text2, Text3, Text4) = std::tuple_cat(inputs_.dimensions);
    std::tie(Label2, Label3, Label4, Label5) = std::tuple_cat(inputs_.dimensionCaptions);
    Frame2 = inputs_.conditionsFrame;
    std::tie(Text5, Text6, Text7, Text8, Text9) = std::tuple_cat(inputs_.conditions);
    frameCaptions_ = inputs_.captions;
    return inputs_.selection;
}

void Form8::buildLimits() {
    Frame3 = MakeFrame(cases::kLimitsFrame, QStringLiteral("Frame3"), this);
    FieldGrid limits = BodyGrid(Frame3, platform_, fields_, InputFileKind::ThicknessLimit);
    QGridLayout* grid = limits.layout();
    grid->setColumnStretch(2, 1);
    Text10 = limits.add("Text10", "Label10");
    Text11 = limits.add("Text11", "Label11", &Label11);
    frameCaptions_.insert(frameCaptions_.end(), limits.captions().begin(), limits.captions().end());

    Text12 = Body(Named(new QLineEdit(Frame3), QStringLiteral("Text12")));
    fields_.addText(Text12);
    QLabel* caption =
        Body(MakeCaption(FromCase(cases::kStandardListCaption), Text12, QStringLiteral("Label12")));
    grid->addWidget(caption, 2, 0, 1, 2);
    grid->addWidget(Text12, 3, 0, 1, 3);
}

void Form8::buildResults() {
    Frame4 = MakeFrame(cases::kResultsFrame, QStringLiteral("Frame4"), this);
    resultsFrame_ = Frame4;
    KeepPlaceWhenHidden(Frame4);
    auto* column = new QVBoxLayout(Frame4);
    auto* grid = new QGridLayout;
    column->addLayout(grid);
    grid->setColumnStretch(4, 1);

    const cases::ThicknessLimitCaptions captions = cases::ThicknessLimitResultCaptions(0);
    const auto resultBox = [&](const QString& name, int twipsWidth) {
        QLabel* box = MakeLabel(QString(), name, Frame4);
        StyleBox(box, kResultBoxColor);
        box->setMinimumSize(FromTwips(twipsWidth), box->fontMetrics().height() + 4);
        return box;
    };
    const auto heading = [&](const std::string& text, const QString& name, int at) {
        QLabel* label = MakeLabel(FromCase(text), name, Frame4);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, at);
        return label;
    };
    heading("[mm]", QStringLiteral("Label31"), 1);
    Label29 = heading(captions.heatLoss, QStringLiteral("Label29"), 2);
    heading(captions.surfaceTemperature, QStringLiteral("Label32"), 3);

    // One row of the results: its caption Label<captionNumber>, then its
    // boxes Label<number> from column 1 on (the last one spanning `span`
    // columns).
    struct Box {
        QLabel** label;
        int number;
        int twipsWidth;
    };
    int row = 1;
    const auto resultRow = [&](const std::string& text, int captionNumber,
                               std::initializer_list<Box> boxes, int span = 1) {
        grid->addWidget(
            MakeLabel(FromCase(text), QStringLiteral("Label%1").arg(captionNumber), Frame4), row,
            0);
        int at = 1;
        for (const Box& box : boxes) {
            *box.label = resultBox(QStringLiteral("Label%1").arg(box.number), box.twipsWidth);
            grid->addWidget(*box.label, row, at++, 1, span);
        }
        ++row;
    };
    resultRow(captions.surfaceThickness, 33, {{&Label20, 20, 1215}});
    resultRow(captions.lossThickness, 34, {{&Label21, 21, 1215}});
    resultRow(captions.thickness, 35,
              {{&Label23, 23, 1215}, {&Label24, 24, 1455}, {&Label25, 25, 1215}});
    resultRow(captions.standardThickness, 36,
              {{&Label26, 26, 1215}, {&Label27, 27, 1455}, {&Label28, 28, 1215}});
    resultRow(captions.governing, 37, {{&Label22, 22, 1215}}, 3);

    Picture1 = Named(new LimitChartView(Frame4), QStringLiteral("Picture1"));
    Picture1->setMinimumSize(FromTwips(6600), FromTwips(4200));
    column->addWidget(Picture1, 1);
    Command7 = Named(new QPushButton(QStringLiteral("Save &picture..."), Frame4),
                     QStringLiteral("Command7"));
    connect(Command7, &QPushButton::clicked, this, &Form8::Command7_Click);
    auto* under = new QHBoxLayout;
    under->addStretch(1);
    under->addWidget(Command7);
    column->addLayout(under);
}

void Form8::chainTabOrder() {
    QWidget* const chain[] = {Combo1,   Text1,    Text2,    Text3,    Text4,   Text5,  Text6,
                              Text7,    Text8,    Text9,    Text10,   Text11,  Text12, Command1,
                              Command2, Command3, Command4, Command5, Command6};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}

void Form8::Form_Load(int object) {
    if (Combo1->currentIndex() == object)
        Combo1_Click();
    else
        Combo1->setCurrentIndex(std::clamp(object, 0, 3));
    if (QWidget* window = parentWidget())
        window->move(0, 0);
}

void Form8::Combo1_Click() {
    const int index = std::max(Combo1->currentIndex(), 0);
    inputs_.showDimensions();
    Label11->setText(FromCase(cases::LimitFieldCaption(index, "Text11")));
    Text11->setAccessibleName(Label11->text());
    Label29->setText(FromCase(cases::ThicknessLimitResultCaptions(index).heatLoss));
    Frame4->hide();
    SetResultNote(this, QString());
    nameResults();
    results_->settle();
    // A vessel has more rows than a pipe.
    growToContents();
}

// The spoken names of the results follow the object's captions and units.
void Form8::nameResults() {
    const cases::ThicknessLimitCaptions captions =
        cases::ThicknessLimitResultCaptions(std::max(Combo1->currentIndex(), 0));
    const QString loss = FromCase(captions.heatLoss);
    const QString surface = FromCase(captions.surfaceTemperature);
    const auto row = [&](const std::string& caption, QLabel* thickness, QLabel* heatLoss,
                         QLabel* temperature) {
        const QString text = FromCase(caption);
        results_->setCaption(thickness, text);
        if (heatLoss)
            results_->setCaption(heatLoss, text + QStringLiteral(", ") + loss);
        if (temperature)
            results_->setCaption(temperature, text + QStringLiteral(", ") + surface);
    };
    row(captions.surfaceThickness, Label20, nullptr, nullptr);
    row(captions.lossThickness, Label21, nullptr, nullptr);
    row(captions.thickness, Label23, Label24, Label25);
    row(captions.standardThickness, Label26, Label27, Label28);
    results_->setCaption(Label22, FromCase(captions.governing));
}

void Form8::Command1_Click() {
    if (!CheckInputs())
        return;
    const cases::ScreenTexts screen = texts();
    const auto input = cases::ThicknessLimitInputOf(screen, DecimalSeparator());
    const auto result = cases::CalculateThicknessLimit(screen, DecimalSeparator());
    if (!input || !result) {
        fields_.showError(platform_, input ? result.error() : input.error());
        return;
    }
    const cases::ThicknessLimitTexts shown =
        cases::ThicknessLimitResultTexts(*result, input->object, DecimalSeparator());
    Label20->setText(FromCase(shown.surfaceThickness));
    Label21->setText(FromCase(shown.lossThickness));
    Label22->setText(FromCase(shown.governing));
    Label23->setText(FromCase(shown.thickness));
    Label24->setText(FromCase(shown.heatLoss));
    Label25->setText(FromCase(shown.surfaceTemperature));
    Label26->setText(FromCase(shown.standardThickness));
    Label27->setText(FromCase(shown.standardHeatLoss));
    Label28->setText(FromCase(shown.standardSurfaceTemperature));
    for (QLabel* box : {Label26, Label27, Label28})
        box->setToolTip(FromCase(shown.standardNote));
    for (QLabel* box : {Label24, Label25})
        MarkResult(box, result->answer.flags, kResultBoxColor);
    const ValueFlags noFlags;
    for (QLabel* box : {Label27, Label28})
        MarkResult(box, result->standard ? result->standard->flags : noFlags, kResultBoxColor);
    SetResultNote(this, FromCase(cases::ThicknessLimitNote(*result, DecimalSeparator())));
    drawChart(*input, *result);
    Frame4->show();
    results_->settle();
}

void Form8::drawChart(const ThicknessLimitInput& input, const ThicknessLimitResult& result) {
    const cases::ThicknessLimitChartTexts texts = cases::ThicknessLimitChartTextsOf(this->texts());
    Picture1->draw(input, result, texts);
}

void Form8::Command2_Click() {
    for (NumericField* field :
         {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11})
        field->clear();
    Text12->clear();
    Frame4->hide();
    SetResultNote(this, QString());
    results_->settle();
}

void Form8::Command3_Click() {
    fields_.setTexts(
        cases::ThicknessLimitTestData(Combo1->currentIndex(), DecimalSeparator()).texts);
}

// From the screen of the chosen object when it is open, else from the other.
void Form8::Command4_Click() {
    const bool pipe = Combo1->currentIndex() <= 0;
    const InputFileKind first = pipe ? InputFileKind::SinglePipe : InputFileKind::Vessel;
    const InputFileKind second = pipe ? InputFileKind::Vessel : InputFileKind::SinglePipe;
    std::optional<cases::ScreenTexts> taken;
    if (source_) {
        taken = source_(first);
        if (!taken)
            taken = source_(second);
    }
    if (!taken) {
        platform_.error(QStringLiteral("Open the single pipe or the vessel screen first."));
        return;
    }
    const cases::TestData inputs = taken->kind == InputFileKind::SinglePipe
                                       ? cases::TakeFromSinglePipe(*taken)
                                       : cases::TakeFromVessel(*taken);
    Combo1->setCurrentIndex(inputs.listIndex);
    fields_.setTexts(inputs.texts);
}

void Form8::Command5_Click() {
    saveToFile();
}

void Form8::Command6_Click() {
    loadFromFile();
}

void Form8::Command7_Click() {
    SavePictureAs(platform_, [this](const QString& path) { return Picture1->savePicture(path); });
}

void Form8::loadFile(const QString& path) {
    LoadInputFileFrom(platform_, fileBinding(), path);
}

} // namespace termiva
