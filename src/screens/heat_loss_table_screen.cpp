// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/heat_loss_table_screen.h"

#include "cases/diameter_table_case.h"
#include "files/diagram_export.h"
#include "screens/app_paths.h"
#include "screens/control_names.h"
#include "screens/field_texts.h"
#include "screens/screen_style.h"
#include "screens/single_pipe_screen.h"
#include "screens/value_marks.h"

#include <array>
#include <cstddef>
#include <string>

#include <QFile>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace termiva {
namespace {

Form5::WorkbookPathSource& DefaultWorkbookPath() {
    static Form5::WorkbookPathSource source;
    return source;
}

Form5::WorkbookPathSource OrWorkbookPath(Form5::WorkbookPathSource source) {
    if (source)
        return source;
    return [](QString* error) { return WorkbookPath(error); };
}

} // namespace

Form5::Form5(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), workbookPath_(OrWorkbookPath(DefaultWorkbookPath())) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(FromCase(cases::kDiameterTableTitle));

    auto* grid = new QGridLayout(this);
    const QFont fieldFont = ScreenFont(9.75);
    const std::array<ControlArray<QLineEdit>*, 7> columns = {&Text1, &Text2, &Text3, &Text4,
                                                             &Text5, &Text6, &Text7};
    for (int c = 0; c < 7; ++c) {
        for (int i = 1; i <= 19; ++i) {
            auto* field = columns[static_cast<std::size_t>(c)]->add(i, new QLineEdit(this));
            field->setFont(fieldFont);
            field->setFixedWidth(FromTwips(855));
            grid->addWidget(field, i - 1, c + 1);
        }
    }
    Command1 = Named(new QPushButton(QStringLiteral("Command1"), this), QStringLiteral("Command1"));
    Command2 = Named(new QPushButton(QStringLiteral("EXCEL"), this), QStringLiteral("Command2"));
    grid->addWidget(Command1, 1, 0, 2, 1);
    grid->addWidget(Command2, 3, 0, 2, 1);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    // Hidden explicitly, so that showing the window it belongs to leaves it
    // hidden.
    hide();
}

const ControlArray<QLineEdit>& Form5::column(int index) const {
    const std::array<const ControlArray<QLineEdit>*, 7> columns = {&Text1, &Text2, &Text3, &Text4,
                                                                   &Text5, &Text6, &Text7};
    return *columns.at(static_cast<std::size_t>(index));
}

void Form5::setSource(Form3* singlePipe) {
    source_ = singlePipe;
}

void Form5::setWorkbookPath(WorkbookPathSource source) {
    workbookPath_ = OrWorkbookPath(std::move(source));
}

void Form5::setChartAction(ChartAction action) {
    chartAction_ = std::move(action);
}

void Form5::setDefaultWorkbookPath(WorkbookPathSource source) {
    DefaultWorkbookPath() = std::move(source);
}

bool Form5::Command1_Click(Form3& singlePipe) {
    setSource(&singlePipe);
    return Command1_Click();
}

bool Form5::Command1_Click() {
    if (!source_)
        return false;
    const auto table = cases::CalculateDiameterTable(source_->texts(), DecimalSeparator());
    if (!table) {
        source_->fields().showError(platform_, table.error());
        return false;
    }
    const cases::DiameterTableTexts texts = cases::TableTexts(*table, DecimalSeparator());
    for (std::size_t i = 0; i < 19; ++i) {
        for (std::size_t c = 0; c < 7; ++c) {
            QLineEdit* cell = column(static_cast<int>(c))(static_cast<int>(i) + 1);
            cell->setText(FromCase(texts[i][c]));
            MarkResult(cell, table->flags[i][c]);
        }
    }
    tableNote_ = QString::fromStdString(cases::MarksOf(*table).note());
    return true;
}

bool Form5::Command2_Click() {
    if (!source_)
        return false;
    cases::DiameterTableTexts shown;
    for (int i = 1; i <= 19; ++i)
        for (int c = 0; c < 7; ++c)
            shown[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(c)] =
                TextOf(column(c)(i));
    const files::DiagramExportData exported =
        cases::DiagramExportOf(source_->texts(), shown, DecimalSeparator());

    QString error;
    const QString path = workbookPath_(&error);
    if (path.isEmpty()) {
        platform_.error(error.isEmpty() ? QStringLiteral("The workbook template was not found.")
                                        : error);
        return false;
    }
    if (auto failure = files::ExportDiagram(QFile::encodeName(path).toStdString(), exported)) {
        platform_.error(QString::fromStdString(failure->message));
        return false;
    }
    return !chartAction_ || chartAction_(path);
}

} // namespace termiva
