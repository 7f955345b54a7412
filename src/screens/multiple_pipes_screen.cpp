// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/multiple_pipes_screen.h"

#include "cases/pipe_group_case.h"
#include "cases/raised_loss.h"
#include "screens/control_names.h"
#include "screens/field_grid.h"
#include "screens/field_texts.h"
#include "screens/result_watch.h"
#include "screens/screen_style.h"
#include "screens/value_marks.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>

namespace termiva {
namespace {

using files::InputFileKind;

constexpr qreal kCaptionPoints = 9.75; // buttons, frame captions, common captions
constexpr qreal kTablePoints = 8.25;   // fields, the pipe table, the totals

QLabel* NewLabel(const QString& text, const QString& name, QWidget* parent, const QFont& font) {
    auto* label = Named(new QLabel(text, parent), name);
    label->setFont(font);
    return label;
}

QGroupBox* NewFrame(std::string_view caption, const QString& name, QWidget* parent) {
    return Named(new QGroupBox(FromCase(caption), parent), name);
}

// The narrowest width at which `text` fits on at most two lines broken at a
// blank: the table's headers may wrap once but never more.
// A table cell at least `width` wide that shares out whatever room the table
// gets; its own size hint (a field's is wider than a column) does not count.
void SetCellWidth(QWidget* cell, int width) {
    cell->setMinimumWidth(width);
    cell->setSizePolicy(QSizePolicy::Ignored, cell->sizePolicy().verticalPolicy());
}

int TwoLineWidth(const QFontMetrics& metrics, const QString& text) {
    int best = metrics.horizontalAdvance(text);
    for (qsizetype blank = text.indexOf(u' '); blank >= 0; blank = text.indexOf(u' ', blank + 1)) {
        best = std::min(best, std::max(metrics.horizontalAdvance(text.left(blank)),
                                       metrics.horizontalAdvance(text.mid(blank + 1))));
    }
    return best;
}

struct TableColumn {
    const char* headerName;
    int widthTwips;
};

// Left to right: NO, OD, length, valves, flanges, bare loss, insulated loss,
// as in cases::kPipeTableHeadings.
constexpr std::array<TableColumn, 7> kColumns{{
    {"Label6", 1095},
    {"Label7", 1095},
    {"Label8", 1100},
    {"Label9", 1100},
    {"Label10", 1100},
    {"Label12", 1215},
    {"Label13", 1215},
}};

} // namespace

Form4::Form4(Platform& platform, QWidget* parent)
    : CalculatorScreen(platform, InputFileKind::MultiplePipes, parent) {
    NameControl(this, QStringLiteral("Form4"));

    buildInputData();
    buildResults();
    buildPipeTable();
    QWidget* buttons = buildButtons();

    auto* right = new QVBoxLayout;
    right->addWidget(Frame3);
    right->addWidget(buttons);
    right->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(Frame2, 0, Qt::AlignTop);
    top->addLayout(right);
    top->addStretch();

    // The pipe table takes the whole width: its columns grow with the window.
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(Frame1);
    root->addStretch();

    chainTabOrder();
    SetDefaultButton(this, Command1);
    StyleScreen(this);
    fields_.applyTips(InputFileKind::MultiplePipes);
    results_ = new ResultWatch(this);
    for (QLineEdit* field : commonFields())
        results_->addInput(field);
    for (int r = kFirstRow; r <= kLastRow; ++r) {
        for (QLineEdit* field : {Text3(r), Text4(r), Text5(r)})
            results_->addInput(field);
        for (auto [box, column] : {std::pair{Label16(r), 5}, std::pair{Label17(r), 6}})
            results_->addResult(
                box, QStringLiteral("%1, NO %2")
                         .arg(FromCase(cases::kPipeTableHeadings[static_cast<std::size_t>(column)]),
                              Label18(r)->text()));
    }
    results_->addResult(Label20, Label14->text());
    results_->addResult(Label21, Label15->text());
}

void Form4::buildInputData() {
    Frame2 = NewFrame(cases::kPipeGroupInputFrame, QStringLiteral("Frame2"), this);
    FieldGrid grid(Frame2, platform_, fields_, InputFileKind::MultiplePipes, FromTwips(1200));
    grid.layout()->setHorizontalSpacing(12);
    grid.setFonts(ScreenFont(kCaptionPoints), ScreenFont(kTablePoints));
    Text11 = grid.add("Text11", "Label5", &Label5);
    Text12 = grid.add("Text12", "Label4", &Label4);
    Text13 = grid.add("Text13", "Label11", &Label11);
    Text14 = grid.add("Text14", "Label1", &Label1);
    Text15 = grid.add("Text15", "Label3", &Label3);
    Text16 = grid.add("Text16", "Label2", &Label2);
}

void Form4::buildResults() {
    Frame3 = NewFrame(cases::kPipeGroupResultsFrame, QStringLiteral("Frame3"), this);
    auto* grid = new QGridLayout(Frame3);
    const QFont font = ScreenFont(kTablePoints, true);
    const auto addTotal = [&](const char* captionName, std::string_view caption, const char* name) {
        QLabel* total = NewLabel({}, QString::fromLatin1(name), Frame3, font);
        StyleBox(total, kResultBoxColor);
        total->setFixedWidth(FromTwips(1215));
        QLabel* label = NewLabel(FromCase(caption), QString::fromLatin1(captionName), Frame3, font);
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(total, row, 1);
        return std::pair{label, total};
    };
    std::tie(Label14, Label20) = addTotal("Label14", cases::kPipeGroupTotalCaptions[0], "Label20");
    std::tie(Label15, Label21) = addTotal("Label15", cases::kPipeGroupTotalCaptions[1], "Label21");
}

void Form4::buildPipeTable() {
    Frame1 = NewFrame(cases::kPipeTableFrame, QStringLiteral("Frame1"), this);
    auto* grid = new QGridLayout(Frame1);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(2);
    const QFont font = ScreenFont(kTablePoints);
    const QFontMetrics metrics(font);

    std::array<QLabel**, kColumns.size()> headers{&Label6,  &Label7,  &Label8, &Label9,
                                                  &Label10, &Label12, &Label13};
    std::array<int, kColumns.size()> widths{};
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const QString text = FromCase(cases::kPipeTableHeadings[c]);
        QLabel* header = NewLabel(text, QString::fromLatin1(kColumns[c].headerName), Frame1, font);
        header->setFrameStyle(QFrame::Box | QFrame::Plain);
        header->setAlignment(Qt::AlignCenter);
        header->setWordWrap(true);
        const int padding = 2 * header->frameWidth() + metrics.horizontalAdvance(u'x');
        widths[c] =
            std::max(FromTwips(kColumns[c].widthTwips), TwoLineWidth(metrics, text) + padding);
        SetCellWidth(header, widths[c]);
        header->setMinimumHeight(2 * metrics.lineSpacing() + 2 * header->frameWidth() + 4);
        grid->addWidget(header, 0, static_cast<int>(c));
        *headers[c] = header;
    }

    const auto addBox = [&](ControlArray<QLabel>& array, int r, const QString& text,
                            const QColor& colour, int column) {
        QLabel* box = array.add(r, new QLabel(text, Frame1));
        box->setFont(font);
        StyleBox(box, colour);
        SetCellWidth(box, widths[static_cast<std::size_t>(column)]);
        grid->addWidget(box, r - kFirstRow + 1, column);
    };
    const auto addField = [&](ControlArray<NumericField>& array, int r, int column,
                              const QString& nominal) {
        NumericField* field = array.add(r, new NumericField(platform_, {}, Frame1));
        field->setFont(font);
        SetCellWidth(field, widths[static_cast<std::size_t>(column)]);
        fields_.add(field);
        field->setAccessibleName(
            QStringLiteral("%1, NO %2")
                .arg(FromCase(cases::kPipeTableHeadings[static_cast<std::size_t>(column)]),
                     nominal));
        grid->addWidget(field, r - kFirstRow + 1, column);
    };

    for (int r = kFirstRow; r <= kLastRow; ++r) {
        // The fixed texts are the engine's own sizes, shown with the user's
        // separator (the calculation takes the numbers, not these texts).
        const cases::PipeRowSize size = cases::PipeRowSizeTexts(r, DecimalSeparator());
        const QString nominal = FromCase(size.nominal);
        const QString outside = FromCase(size.outside);
        addBox(Label18, r, nominal, kFixedBoxColor, 0);
        addBox(Label19, r, outside, kFixedBoxColor, 1);
        addField(Text3, r, 2, nominal);
        addField(Text4, r, 3, nominal);
        addField(Text5, r, 4, nominal);
        addBox(Label16, r, {}, kResultBoxColor, 5);
        addBox(Label17, r, {}, kResultBoxColor, 6);
    }
}

QWidget* Form4::buildButtons() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    const QFont font = ScreenFont(kCaptionPoints);
    const auto addButton = [&](const char* caption, const char* name, int row, int column) {
        auto* button =
            Named(new QPushButton(QString::fromLatin1(caption), panel), QString::fromLatin1(name));
        button->setFont(font);
        button->setAutoDefault(true);
        button->setMinimumSize(FromTwips(1695), FromTwips(495));
        grid->addWidget(button, row, column);
        return button;
    };
    Command1 = addButton("&Calculation", "Command1", 0, 0);
    Command3 = addButton("C&lear data", "Command3", 0, 1);
    Command4 = addButton("&Input test data", "Command4", 0, 2);
    Command5 = addButton("&Save to file", "Command5", 1, 1);
    Command6 = addButton("L&oad from file", "Command6", 1, 2);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form4::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form4::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form4::Command6_Click);
    return panel;
}

void Form4::chainTabOrder() {
    std::vector<QWidget*> order{Text11, Text12, Text13, Text14, Text15, Text16};
    for (int r = kFirstRow; r <= kLastRow; ++r) {
        order.push_back(Text3(r));
        order.push_back(Text4(r));
        order.push_back(Text5(r));
    }
    order.insert(order.end(), {Command6, Command5, Command4, Command3, Command1});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form4::Form_Load() {
    if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
        window->move(0, 0);
    else
        move(0, 0);
}

std::vector<QLineEdit*> Form4::commonFields() const {
    return {Text11, Text12, Text13, Text14, Text15, Text16};
}

bool Form4::showsResults() const {
    return !Label20->text().isEmpty();
}

void Form4::Command1_Click() {
    if (!CheckInputs())
        return;
    const auto result = cases::CalculatePipeGroup(texts(), DecimalSeparator());
    if (!result) {
        fields_.showError(platform_, result.error());
        return;
    }
    // A row left out keeps what it showed before.
    const cases::PipeGroupTexts shown = cases::PipeGroupResultTexts(*result, DecimalSeparator());
    for (int r = kFirstRow; r <= kLastRow; ++r) {
        const auto index = static_cast<std::size_t>(r - kFirstRow);
        if (const auto& row = shown.rows[index]) {
            Label16(r)->setText(FromCase(row->bare));
            Label17(r)->setText(FromCase(row->insulated));
            MarkResult(Label16(r), result->rows[index].bareFlags, kResultBoxColor);
            MarkResult(Label17(r), result->rows[index].insFlags, kResultBoxColor);
        }
    }
    Label20->setText(FromCase(shown.bareTotal));
    Label21->setText(FromCase(shown.insulatedTotal));
    MarkResult(Label20, result->bareTotalFlags, kResultBoxColor);
    MarkResult(Label21, result->insTotalFlags, kResultBoxColor);
    SetResultNote(this, FromCase(cases::PipeGroupNote(texts(), *result, DecimalSeparator())));
    results_->settle();
}

void Form4::Command3_Click() {
    for (QLineEdit* field : commonFields())
        field->clear();
    for (int r = kFirstRow; r <= kLastRow; ++r) {
        Text3(r)->clear();
        Text4(r)->clear();
        Text5(r)->clear();
        Label16(r)->clear();
        Label17(r)->clear();
        MarkResult(Label16(r), {}, kResultBoxColor);
        MarkResult(Label17(r), {}, kResultBoxColor);
    }
    Label20->clear();
    Label21->clear();
    MarkResult(Label20, {}, kResultBoxColor);
    MarkResult(Label21, {}, kResultBoxColor);
    SetResultNote(this, QString());
    results_->settle();
}

// Each text goes through the typing filter as if typed.
void Form4::Command4_Click() {
    Command3_Click();
    fields_.setTexts(cases::TestDataOf(InputFileKind::MultiplePipes, DecimalSeparator()).texts);
}

void Form4::Command5_Click() {
    saveToFile();
}

void Form4::Command6_Click() {
    loadFromFile();
}

} // namespace termiva
