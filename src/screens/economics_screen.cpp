// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/economics_screen.h"

#include "cases/thickness_limit_case.h"
#include "screens/chart_picture.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/screen_style.h"
#include "screens/value_marks.h"

#include <algorithm>
#include <array>
#include <tuple>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace termiva {
namespace {

using files::InputFileKind;

constexpr InputFileKind kKind = InputFileKind::Economics;
constexpr int kColumns = 9;
constexpr int kResultCellTwips = 1200;
// The row of the economic thickness stands out from the others.
const QColor kEconomicRowColor{190, 240, 190};

// The currency of the user's locale, where it has one.
QString LocaleCurrency() {
    const QString code = QLocale().currencySymbol(QLocale::CurrencyIsoCode);
    return code.isEmpty() ? FromCase(cases::kDefaultCurrency) : code;
}

// How many leading words `message` shares with the name in `caption` (the
// words before its symbol "(H)"), letter case aside.
int SharedWords(const QString& message, const QString& caption) {
    const QStringList said = message.split(u' ');
    const QStringList name = caption.section(QStringLiteral(" ("), 0, 0).split(u' ');
    int shared = 0;
    while (shared < said.size() && shared < name.size() &&
           said[shared].compare(name[shared], Qt::CaseInsensitive) == 0)
        ++shared;
    return shared;
}

} // namespace

Form9::Form9(Platform& platform, ScreenSource source, QWidget* parent)
    : CalculatorScreen(platform, kKind, parent), source_(std::move(source)) {
    setFont(ScreenFont(kBodyPoints));

    QWidget* selection = buildInputs();
    buildMoney();
    buildCandidates();
    buildResults();
    QWidget* buttons = BuildCaseButtons(
        this, QStringLiteral("From the open single pipe, vessel or thickness for a limit screen"));

    auto* physical = new QVBoxLayout;
    physical->setSpacing(FromTwips(105));
    physical->addWidget(selection);
    physical->addWidget(Frame1);
    physical->addWidget(Frame2);
    physical->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(FromTwips(240), FromTwips(240), FromTwips(240), FromTwips(240));
    layout->setHorizontalSpacing(FromTwips(225));
    layout->setVerticalSpacing(FromTwips(105));
    layout->addLayout(physical, 0, 0);
    layout->addWidget(Frame3, 0, 1, Qt::AlignTop);
    layout->addWidget(Frame4, 0, 2);
    layout->addWidget(buttons, 0, 3, Qt::AlignTop);
    // The results take the room the window gives: the chart grows with it.
    layout->addWidget(Frame5, 1, 0, 1, 4);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);

    chainTabOrder();
    StyleScreen(this);
    fields_.applyTips(kKind);
    AlignCaptions(frameCaptions_);
    AlignCaptions(moneyCaptions);
    SetDefaultButton(this, Command1);

    results_ = new ResultWatch(this);
    results_->addResult(Label1, QStringLiteral("Verdict"));
    results_->addInput(Combo1);
    for (NumericField* field : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9,
                                Text10, Text11, Text12, Text13, Text14, Text15, Text16, Text17})
        results_->addInput(field);
    results_->addInput(Text18);
    connect(Table1, &CandidateTable::cellCreated, this,
            [this](NumericField* cell) { results_->addInput(cell); });
    connect(Table1, &CandidateTable::rowsChanged, this, [this] { results_->inputChanged(); });
    connect(Text18, &QLineEdit::textChanged, this, &Form9::updateCaptions);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    Text18->setText(LocaleCurrency());
    Table1->setRows(std::vector<cases::CandidateTexts>(1));
    Combo1_Click();
}

QWidget* Form9::buildInputs() {
    // Label1 is the verdict's: the captions start at Label2.
    inputs_ = BuildObjectInputs(this, platform_, fields_, kKind, 2);
    Label2 = inputs_.listCaption;
    Combo1 = inputs_.list;
    list_ = Combo1;
    Frame1 = inputs_.objectFrame;
    std::tie(Text1, Text2, Text3, Text4) = std::tuple_cat(inputs_.dimensions);
    std::tie(Label3, Label4, Label5, Label6) = std::tuple_cat(inputs_.dimensionCaptions);
    Frame2 = inputs_.conditionsFrame;
    std::tie(Text5, Text6, Text7, Text8, Text9) = std::tuple_cat(inputs_.conditions);
    frameCaptions_ = inputs_.captions;
    return inputs_.selection;
}

void Form9::buildMoney() {
    Frame3 = MakeFrame(cases::kEconomicsMoneyFrame, QStringLiteral("Frame3"), this);
    FieldGrid grid = BodyGrid(Frame3, platform_, fields_, kKind);
    grid.layout()->setColumnStretch(2, 1);
    Text10 = grid.add("Text10", "Label12");
    Text11 = grid.add("Text11", "Label13");
    Text12 = grid.add("Text12", "Label14");
    Text13 = grid.add("Text13", "Label15");
    Text14 = grid.add("Text14", "Label16");
    Text15 = grid.add("Text15", "Label17");
    Text16 = grid.add("Text16", "Label18");
    Text17 = grid.add("Text17", "Label19");
    moneyCaptions = grid.captions();

    Text18 = Body(Named(new QLineEdit(Frame3), FromCase(cases::kCurrencyField)));
    Text18->setFixedWidth(FromTwips(1200));
    // One line of the input file, and a unit beside numbers.
    Text18->setMaxLength(12);
    Text18->setToolTip(QStringLiteral("The currency the prices and costs are in, shown beside "
                                      "every amount (EUR, USD, CHF, ...)"));
    fields_.addText(Text18);
    QLabel* caption =
        Body(MakeCaption(FromCase(cases::kCurrencyCaption), Text18, QStringLiteral("Label20")));
    grid.layout()->addWidget(caption, grid.rows(), 0);
    grid.layout()->addWidget(Text18, grid.rows(), 1);
    moneyCaptions.push_back(caption);
}

void Form9::buildCandidates() {
    Frame4 = MakeFrame(cases::kCandidatesFrame, QStringLiteral("Frame4"), this);
    Table1 = new CandidateTable(platform_, fields_, Frame4);
    auto* column = new QVBoxLayout(Frame4);
    column->addWidget(Table1);
}

void Form9::buildResults() {
    Frame5 = MakeFrame(cases::kResultsFrame, QStringLiteral("Frame5"), this);
    resultsFrame_ = Frame5;
    KeepPlaceWhenHidden(Frame5);
    auto* row = new QHBoxLayout(Frame5);
    auto* table = new QVBoxLayout;
    row->addLayout(table);

    resultGrid_ = new QGridLayout;
    resultGrid_->setHorizontalSpacing(2);
    resultGrid_->setVerticalSpacing(2);
    table->addLayout(resultGrid_);
    for (int c = 0; c < kColumns; ++c) {
        QLabel* heading = MakeLabel(QString(), QStringLiteral("Label%1").arg(30 + c), Frame5);
        heading->setAlignment(Qt::AlignCenter);
        heading->setWordWrap(true);
        heading->setFixedWidth(FromTwips(kResultCellTwips));
        resultGrid_->addWidget(heading, 0, c);
        headings.push_back(heading);
    }
    Label1 = MakeLabel(QString(), FromCase(cases::kVerdictLabel), Frame5);
    StyleBox(Label1, kResultBoxColor);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setWordWrap(true);
    Label1->setMargin(4);
    table->addWidget(Label1);
    table->addStretch(1);

    auto* chart = new QVBoxLayout;
    Picture1 = Named(new EconomicsChartView(Frame5), QStringLiteral("Picture1"));
    Picture1->setMinimumSize(FromTwips(7500), FromTwips(4200));
    chart->addWidget(Picture1, 1);
    Command7 = Named(new QPushButton(QStringLiteral("Save &picture..."), Frame5),
                     QStringLiteral("Command7"));
    connect(Command7, &QPushButton::clicked, this, &Form9::Command7_Click);
    auto* under = new QHBoxLayout;
    under->addStretch(1);
    under->addWidget(Command7);
    chart->addLayout(under);
    row->addLayout(chart, 1);
}

void Form9::chainTabOrder() {
    QWidget* const chain[] = {Combo1, Text1,  Text2,  Text3,  Text4,  Text5,  Text6,
                              Text7,  Text8,  Text9,  Text10, Text11, Text12, Text13,
                              Text14, Text15, Text16, Text17, Text18};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    // The table's cells come and go: it keeps its part of the chain itself.
    Table1->chainTabOrder(Text18, Command1);
    QWidget* const buttons[] = {Command1, Command2, Command3, Command4, Command5, Command6};
    for (std::size_t i = 0; i + 1 < std::size(buttons); ++i)
        setTabOrder(buttons[i], buttons[i + 1]);
}

void Form9::Form_Load(int object) {
    if (Combo1->currentIndex() == object)
        Combo1_Click();
    else
        Combo1->setCurrentIndex(std::clamp(object, 0, 3));
    if (QWidget* window = parentWidget())
        window->move(0, 0);
}

std::string Form9::currency() const {
    return cases::EconomicsCurrency(texts());
}

void Form9::Combo1_Click() {
    inputs_.showDimensions();
    const bool pipe = cases::EconomicsUsesField(Combo1->currentIndex(), "Text10");
    Text10->setVisible(pipe);
    moneyCaptions[0]->setVisible(pipe);
    updateCaptions();
    hideResults();
    growToContents();
}

// The captions follow the object (dimensions, costs per m or per m²) and
// the currency.
void Form9::updateCaptions() {
    const int index = std::max(Combo1->currentIndex(), 0);
    const std::string money = currency();
    NumericField* const own[] = {Text10, Text11, Text12, Text13, Text14, Text15, Text16, Text17};
    for (std::size_t i = 0; i < std::size(own); ++i) {
        moneyCaptions[i]->setText(FromCase(
            cases::EconomicsFieldCaption(index, own[i]->objectName().toStdString(), money)));
        own[i]->setAccessibleName(moneyCaptions[i]->text());
    }
    Table1->setCaptions(index, money);
}

void Form9::hideResults() {
    Frame5->hide();
    SetResultNote(this, QString());
    results_->settle();
}

void Form9::ensureResultRows(int rows) {
    while (static_cast<int>(resultCells_.size()) < rows) {
        const int r = static_cast<int>(resultCells_.size()) + 1;
        std::vector<QLabel*> cells;
        for (int c = 1; c <= kColumns; ++c) {
            QLabel* box =
                MakeLabel(QString(), FromCase(cases::CellName(cases::kResultTable, r, c)), Frame5);
            StyleBox(box, kResultBoxColor);
            box->setMinimumSize(FromTwips(kResultCellTwips), box->fontMetrics().height() + 4);
            resultGrid_->addWidget(box, r, c - 1);
            results_->addResult(box, QString());
            cells.push_back(box);
        }
        resultCells_.push_back(cells);
    }
}

QLabel* Form9::resultCell(int row, int column) const {
    if (row < 1 || row > shownRows_ || column < 1 || column > kColumns)
        return nullptr;
    return resultCells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

void Form9::Command1_Click() {
    Table1->sort();
    if (!CheckInputs())
        return;
    const cases::EconomicsTexts texts = cases::EconomicsTextsOf(this->texts());
    const auto result = cases::CalculateEconomics(texts, DecimalSeparator());
    if (!result) {
        cases::CaseError error = result.error();
        if (error.field.empty())
            error.field = fieldOfMessage(QString::fromStdString(error.message));
        fields_.showError(platform_, error);
        return;
    }
    showResults(*result);
}

// The calculation names the input it refuses by its meaning ("Operating
// hours must ...", "Candidate 3 repeats ..."): the focus goes to that field
// or cell, so the user can mend it at once.
std::string Form9::fieldOfMessage(const QString& message) const {
    static const QRegularExpression candidate(QStringLiteral("[Cc]andidate (\\d+)"));
    if (const QRegularExpressionMatch match = candidate.match(message); match.hasMatch()) {
        const int column = message.contains(QStringLiteral("installed cost")) ? 2 : 1;
        return cases::CandidateCellName(match.captured(1).toULongLong(), column);
    }
    std::string best;
    int most = 1; // one word ("Emissivity and ...") says too little
    const int index = std::max(Combo1->currentIndex(), 0);
    for (const cases::FieldSpec& field : cases::EconomicsFields()) {
        const NumericField* control = fields_.find(field.name);
        if (!control || !cases::EconomicsUsesField(index, field.name))
            continue;
        const int shared = SharedWords(message, control->accessibleName());
        if (shared > most) {
            most = shared;
            best = field.name;
        }
    }
    return best;
}

void Form9::showResults(const EconomicsResult& result) {
    const std::string money = currency();
    const int index = std::max(Combo1->currentIndex(), 0);
    const cases::EconomicsResultTexts shown =
        cases::EconomicsResultTextsOf(result, index, money, DecimalSeparator());
    const std::array<std::string, kColumns> columns = cases::EconomicsColumnHeadings(money);
    // The unit on a line of its own keeps "[EUR/a]" whole in a narrow column.
    for (int c = 0; c < kColumns; ++c)
        headings[static_cast<std::size_t>(c)]->setText(
            FromCase(columns[static_cast<std::size_t>(c)])
                .replace(QStringLiteral(" ["), QStringLiteral("\n[")));

    const int rows = static_cast<int>(shown.rows.size());
    ensureResultRows(rows);
    shownRows_ = rows;
    for (int r = 0; r < static_cast<int>(resultCells_.size()); ++r) {
        const std::vector<QLabel*>& cells = resultCells_[static_cast<std::size_t>(r)];
        if (r >= rows) {
            for (QLabel* box : cells) {
                box->clear();
                box->hide();
            }
            continue;
        }
        const cases::EconomicsRowTexts& row = shown.rows[static_cast<std::size_t>(r)];
        const std::array<std::string, kColumns> texts = row.cells();
        const ValueFlags& flags = result.rows[static_cast<std::size_t>(r)].loss.point.flags;
        const QColor colour = row.economic ? kEconomicRowColor : kResultBoxColor;
        const QString rowName =
            r == 0 ? FromCase(row.thickness)
                   : QStringLiteral("%1 mm").arg(FromCase(row.thickness)) +
                         (row.economic ? QStringLiteral(" (economic thickness)") : QString());
        for (int c = 0; c < kColumns; ++c) {
            QLabel* box = cells[static_cast<std::size_t>(c)];
            box->setText(FromCase(texts[static_cast<std::size_t>(c)]));
            QFont font = box->font();
            font.setBold(row.economic);
            box->setFont(font);
            // The loss and the surface temperature carry the row's marks.
            MarkResult(box, c == 1 || c == 2 ? flags : ValueFlags{}, colour);
            if (row.economic && box->toolTip().isEmpty())
                box->setToolTip(
                    QStringLiteral("The economic thickness: the least life-cycle cost"));
            results_->setCaption(box, rowName + QStringLiteral(", ") +
                                          FromCase(columns[static_cast<std::size_t>(c)]));
            box->show();
        }
    }
    Label1->setText(FromCase(shown.verdict));
    SetResultNote(this, cases::MarksOf(result));
    Picture1->draw(result, FromCase(money));
    Frame5->show();
    results_->settle();
}

void Form9::Command2_Click() {
    for (NumericField* field : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9,
                                Text10, Text11, Text12, Text13, Text14, Text15, Text16, Text17})
        field->clear();
    Text18->setText(LocaleCurrency());
    Table1->setRows(std::vector<cases::CandidateTexts>(1));
    hideResults();
}

void Form9::Command3_Click() {
    const cases::EconomicsTestData test =
        cases::EconomicsTestDataOf(std::max(Combo1->currentIndex(), 0), DecimalSeparator());
    fields_.setTexts(test.fields.texts);
    Table1->setRows(test.candidates);
}

void Form9::Command4_Click() {
    const bool pipe = Combo1->currentIndex() <= 0;
    const InputFileKind own = pipe ? InputFileKind::SinglePipe : InputFileKind::Vessel;
    const InputFileKind other = pipe ? InputFileKind::Vessel : InputFileKind::SinglePipe;
    std::optional<cases::ScreenTexts> taken;
    for (InputFileKind kind : {own, InputFileKind::ThicknessLimit, other}) {
        if (source_ && !taken)
            taken = source_(kind);
    }
    if (!taken) {
        platform_.error(QStringLiteral(
            "Open the single pipe, the vessel or the thickness for a limit screen first."));
        return;
    }
    cases::TestData inputs;
    if (taken->kind == InputFileKind::SinglePipe)
        inputs = cases::TakeFromSinglePipe(*taken);
    else if (taken->kind == InputFileKind::Vessel)
        inputs = cases::TakeFromVessel(*taken);
    else
        inputs = cases::TakeFromThicknessLimit(*taken);
    Combo1->setCurrentIndex(inputs.listIndex);
    fields_.setTexts(inputs.texts);
}

void Form9::Command5_Click() {
    saveToFile();
}

void Form9::prepareToSave() {
    Table1->sort();
}

void Form9::Command6_Click() {
    loadFromFile();
}

void Form9::Command7_Click() {
    SavePictureAs(platform_, [this](const QString& path) { return Picture1->savePicture(path); });
}

void Form9::loadFile(const QString& path) {
    LoadInputFileFrom(platform_, fileBinding(), path);
}

InputFileBinding Form9::fileBinding() {
    InputFileBinding binding = CalculatorScreen::fileBinding();
    // The file's rows are made before their texts go in.
    binding.makeTableRows = [this](std::size_t rows) {
        Table1->setRows(std::vector<cases::CandidateTexts>(rows));
    };
    return binding;
}

} // namespace termiva
