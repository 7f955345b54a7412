// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/economics_chart.h"

#include <algorithm>

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

namespace termiva {
namespace {

const QColor kInsulationColour{200, 120, 0};
const QColor kEnergyColour{200, 40, 40};
const QColor kTotalColour{30, 80, 200};
const QColor kEconomicColour{0, 140, 0};

} // namespace

void EconomicsChartView::draw(const EconomicsResult& result, const QString& currency) {
    QChart* chart = beginChart(QStringLiteral("Insulation thickness [mm]"));
    const QString unit = currency + QStringLiteral("/a");

    double top = 0;
    for (const EconomicsRow& row : result.rows)
        top = std::max({top, row.equivalentAnnualCost, row.energyAnnualCost});
    const double end = result.rows.empty() ? 20 : result.rows.back().loss.point.thickness;
    xAxis_->setRange(0, std::max(end, 1.0));
    auto* costAxis = Axis(QStringLiteral("Annual cost [%1]").arg(unit), Qt::black);
    costAxis->setRange(0, std::max(top, 1.0) * 1.05);
    RoundTicks({xAxis_, costAxis});
    chart->addAxis(xAxis_, Qt::AlignBottom);
    chart->addAxis(costAxis, Qt::AlignLeft);

    QLineSeries* insulation =
        addLine(QStringLiteral("Insulation I·a"), unit, kInsulationColour, Qt::SolidLine, costAxis);
    QLineSeries* energy =
        addLine(QStringLiteral("Energy C·PWF·a"), unit, kEnergyColour, Qt::SolidLine, costAxis);
    QLineSeries* total =
        addLine(QStringLiteral("Sum LCC·a"), unit, kTotalColour, Qt::SolidLine, costAxis);
    for (const EconomicsRow& row : result.rows) {
        const double thickness = row.loss.point.thickness;
        insulation->append(thickness, row.insulationAnnualCost);
        energy->append(thickness, row.energyAnnualCost);
        total->append(thickness, row.equivalentAnnualCost);
    }
    // The thickness each curve point stands for shows as a dot.
    for (QLineSeries* line : {insulation, energy, total})
        line->setPointsVisible(true);
    if (!result.rows.empty()) {
        const double economic = result.rows[result.economic].loss.point.thickness;
        QLineSeries* mark = addLine(QStringLiteral("Economic thickness"), QString(),
                                    kEconomicColour, Qt::DotLine, costAxis);
        mark->append(economic, costAxis->min());
        mark->append(economic, costAxis->max());
    }
    showChart();
}

} // namespace termiva
