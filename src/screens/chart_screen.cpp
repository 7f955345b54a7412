// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/chart_screen.h"

#include "screens/app_paths.h"
#include "screens/calculator_screen.h"
#include "screens/chart_picture.h"
#include "screens/control_names.h"
#include "screens/screen_style.h"
#include "screens/single_pipe_screen.h"
#include "screens/value_marks.h"
#include "screens/workbook_chart_view.h"

#include <array>

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace termiva {
namespace {

const QColor kLightYellow{255, 255, 192};
const QColor kBlueGreen{0, 192, 192};

// The summary, top to bottom: the caption's element of Label1 and its text.
struct SummaryLine {
    int label;
    const char* caption;
};
constexpr std::array<SummaryLine, 10> kSummary = {{
    {0, "Thickness of insulation (1) [mm]"},
    {4, "Thickness of insulation (2) [mm]"},
    {3, "Thickness of insulation (3) [mm]"},
    {2, "Thickness of insulation (4) [mm]"},
    {1, "Thickness of insulation (5) [mm]"},
    {5, "Fluid temperature [oC]"},
    {6, "Ambient temperature [oC]"},
    {7, "Thermal Conductivity [W/(m K)]"},
    {8, "Surface Emissivity [-]"},
    {9, "Wind Coefficinet [-]"},
}};

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& name,
                        const QFont& font, const QColor& colour) {
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setFont(font);
    button->setAutoDefault(true);
    button->setMinimumSize(FromTwips(1815), FromTwips(495));
    if (colour.isValid()) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, colour);
        palette.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(palette);
    }
    return button;
}

QMdiSubWindow* SubWindowOf(QWidget* widget) {
    return widget ? qobject_cast<QMdiSubWindow*>(widget->parentWidget()) : nullptr;
}

} // namespace

Form7::Form7(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("PIPE HEAT LOSS"));
    SetHelpTopic(this, cases::kChartScreenHelpTopic);

    chartArea_ = new QWidget(this);
    chartArea_->setObjectName(QStringLiteral("ChartArea"));
    auto* areaLayout = new QGridLayout(chartArea_);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    OLE1 = new WorkbookChartView(chartArea_);
    areaLayout->addWidget(OLE1, 0, 0);

    // The summary lies over the right part of the chart, where the chart
    // keeps room for it.
    summary_ = new QWidget(chartArea_);
    summary_->setObjectName(QStringLiteral("Summary"));
    auto* summaryLayout = new QGridLayout(summary_);
    summaryLayout->setContentsMargins(8, 8, 12, 8);
    summaryLayout->setHorizontalSpacing(8);
    summaryLayout->setVerticalSpacing(3);
    const QFont font = ScreenFont(8.25);
    const std::array<QLineEdit**, 10> fields = {&Text1, &Text2, &Text3, &Text4, &Text5,
                                                &Text6, &Text7, &Text8, &Text9, &Text10};
    for (std::size_t line = 0; line < kSummary.size(); ++line) {
        auto* field = new QLineEdit(summary_);
        NameControl(field, QStringLiteral("Text%1").arg(line + 1));
        field->setReadOnly(true);
        field->setFont(font);
        field->setFixedWidth(std::max(
            FromTwips(735), QFontMetrics(font).horizontalAdvance(QStringLiteral("00000.00")) + 10));
        *fields[line] = field;
        auto* caption = MakeCaption(QString::fromLatin1(kSummary[line].caption), field);
        caption->setFont(font);
        Label1.add(kSummary[line].label, caption);
        summaryLayout->addWidget(caption, static_cast<int>(line), 0);
        summaryLayout->addWidget(field, static_cast<int>(line), 1);
    }
    // The values are for reading only: they look like the results of the
    // other screens, not like input fields.
    for (QLineEdit* field : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10})
        field->setAlignment(Qt::AlignCenter);
    summary_->setStyleSheet(QStringLiteral("QLineEdit { background: %1; border: 1px solid black; }")
                                .arg(kResultBoxColor.name()));
    areaLayout->addWidget(summary_, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    const QSize summarySize = summary_->sizeHint();
    TableNote = Named(new QLabel(summary_), QStringLiteral("TableNote"));
    TableNote->setFont(font);
    TableNote->setWordWrap(true);
    TableNote->setMaximumWidth(summarySize.width() - 20);
    TableNote->setAutoFillBackground(true);
    QPalette notePalette = TableNote->palette();
    notePalette.setColor(QPalette::Window, kMarkedBoxColor);
    TableNote->setPalette(notePalette);
    TableNote->hide();
    summaryLayout->addWidget(TableNote, static_cast<int>(kSummary.size()), 0, 1, 2);
    OLE1->setRightMargin(summarySize.width());
    chartArea_->setMinimumSize(summarySize.width() + 360, summarySize.height() + 60);

    Command1 = MakeButton(this, QStringLiteral("P&revious"), QStringLiteral("Command1"),
                          ScreenFont(12), kLightYellow);
    Command4 = MakeButton(this, QStringLiteral("&EXIT"), QStringLiteral("Command4"),
                          ScreenFont(14.25, true), kBlueGreen);
    Command5 = MakeButton(this, QStringLiteral("&Save picture..."), QStringLiteral("Command5"),
                          ScreenFont(9.75), QColor());
    Check1 =
        Named(new QCheckBox(QStringLiteral("&Logarithmic scale"), this), QStringLiteral("Check1"));
    Check1->setFont(ScreenFont(9.75));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(FromTwips(1440), 6, 12, 6);
    buttons->setSpacing(12);
    buttons->addWidget(Command1);
    buttons->addWidget(Command4);
    buttons->addStretch();
    buttons->addWidget(Check1);
    buttons->addWidget(Command5);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(chartArea_, 1);
    layout->addLayout(buttons);

    for (std::size_t i = 0; i + 1 < fields.size(); ++i)
        setTabOrder(*fields[i], *fields[i + 1]);
    setTabOrder(Text10, Command1);
    setTabOrder(Command1, Command4);
    setTabOrder(Command4, Check1);
    setTabOrder(Check1, Command5);

    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Form7::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form7::Command5_Click);
    connect(Check1, &QCheckBox::toggled, OLE1, &WorkbookChartView::setLogScale);
}

QSize Form7::sizeHint() const {
    const int buttons = Command4->sizeHint().height() + 12;
    return {FromTwips(14055), FromTwips(7455) + buttons};
}

void Form7::Form_Load() {
    QMdiSubWindow* sub = SubWindowOf(this);
    if (!sub)
        return;
    sub->move(0, 0);
    if (QMdiArea* area = sub->mdiArea()) {
        connect(area, &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
            if (active == sub)
                Form_Activate();
        });
    }
}

void Form7::setSource(Form3* singlePipe) {
    source_ = singlePipe;
}

std::optional<QString> Form7::loadChart(const QString& path) {
    QString title;
    QHash<QString, QString> suffixes;
    if (source_) {
        const Form3& form = *source_;
        title =
            QStringLiteral("T1 = %1 oC, Tout = %2 oC").arg(form.Text3->text(), form.Text4->text());
        const std::array<const QLineEdit*, 5> thicknesses = {form.Text10, form.Text11, form.Text12,
                                                             form.Text13, form.Text14};
        for (std::size_t i = 0; i < thicknesses.size(); ++i)
            suffixes.insert(QStringLiteral("tins%1").arg(i + 1),
                            QStringLiteral(" = %1 mm").arg(thicknesses[i]->text()));
    }
    OLE1->setLabels(title, suffixes);
    return OLE1->load(path);
}

void Form7::Form_Activate() {
    if (!source_)
        return;
    const Form3& form = *source_;
    const std::array<std::pair<QLineEdit*, const QLineEdit*>, 10> copies = {{
        {Text1, form.Text10},
        {Text2, form.Text11},
        {Text3, form.Text12},
        {Text4, form.Text13},
        {Text5, form.Text14},
        {Text6, form.Text3},
        {Text7, form.Text4},
        {Text8, form.Text5},
        {Text9, form.Text6},
        {Text10, form.Text7},
    }};
    for (const auto& [to, from] : copies)
        to->setText(from->text());
}

void Form7::setTableNote(const QString& note) {
    TableNote->setText(note);
    TableNote->setVisible(!note.isEmpty());
    SetResultNote(this, note);
}

void Form7::Command1_Click() {
    QMdiSubWindow* sub = SubWindowOf(source_);
    if (!sub || !sub->mdiArea())
        return;
    if (sub->isMinimized())
        sub->showNormal();
    sub->mdiArea()->setActiveSubWindow(sub);
}

void Form7::Command4_Click() {
    if (QMdiSubWindow* sub = SubWindowOf(this))
        sub->close();
    else
        close();
}

void Form7::Command5_Click() {
    SavePictureAs(platform_, [this](const QString& path) { return savePicture(path); });
}

bool Form7::savePicture(const QString& path) {
    // A series hidden in the legend is left out of the picture altogether.
    OLE1->setHiddenEntriesLeftOut(true);
    const auto restore = qScopeGuard([this] { OLE1->setHiddenEntriesLeftOut(false); });
    return WritePicture(*chartArea_, path, windowTitle());
}

} // namespace termiva
