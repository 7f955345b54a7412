#include "screens/heat_loss_table_screen.h"

#include "engine/diameter_table.h"
#include "files/diagram_export.h"
#include "screens/app_paths.h"
#include "screens/numeric_field.h"
#include "screens/single_pipe_screen.h"
#include "screens/value_marks.h"
#include "text/number_text.h"

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

QString Formatted(double value, const char* pattern) {
    return QString::fromStdString(text::Format(value, pattern, DecimalSeparator()));
}

// The single pipe fields of the table's inputs tins1..tins5.
std::array<NumericField*, 5> Thicknesses(const Form3& form) {
    return {form.Text10, form.Text11, form.Text12, form.Text13, form.Text14};
}

} // namespace

Form5::Form5(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform), workbookPath_(OrWorkbookPath(DefaultWorkbookPath())) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Form5"));

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
    const Form3& form = *source_;
    FieldReader read;
    DiameterTableInput input;
    input.T1 = read(form.Text3);
    input.Tout = read(form.Text4);
    input.k = read(form.Text5);
    input.e = read(form.Text6);
    input.WC = read(form.Text7);
    const auto thicknesses = Thicknesses(form);
    for (std::size_t j = 0; j < thicknesses.size(); ++j)
        input.tins[j] = read(thicknesses[j]);
    if (!read.ok())
        return false;

    const auto table = ComputeDiameterTable(input);
    if (!table) {
        ShowCalculationError(platform_, table.error());
        return false;
    }
    MarkSummary marks;
    for (int i = 1; i <= 19; ++i) {
        const auto& row = table->rows[static_cast<std::size_t>(i - 1)];
        const auto& flags = table->flags[static_cast<std::size_t>(i - 1)];
        for (int c = 0; c < 7; ++c) {
            const auto cell = static_cast<std::size_t>(c);
            column(c)(i)->setText(Formatted(row[cell], c == 0 ? "####0" : "####0.#0"));
            MarkResult(column(c)(i), flags[cell]);
            marks.add(flags[cell]);
        }
    }
    tableNote_ = marks.note();
    return true;
}

bool Form5::Command2_Click() {
    if (!source_)
        return false;
    const Form3& form = *source_;
    files::DiagramExportData exported;
    exported.fluidTemperatureText = TextOf(form.Text3);
    const auto thicknesses = Thicknesses(form);
    for (std::size_t j = 0; j < thicknesses.size(); ++j)
        exported.thicknessTexts[j] = TextOf(thicknesses[j]);
    for (int i = 1; i <= 19; ++i)
        for (int c = 0; c < 7; ++c)
            exported.table[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(c)] =
                TextOf(column(c)(i));
    exported.decimalSeparator = DecimalSeparator();

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
