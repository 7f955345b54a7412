// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The chart of the energy, cost and economic thickness screen: the
// equivalent annual costs over the insulation thickness, from the bare object
// at 0 mm to the thickest candidate. The insulation's (I·a) rises, the
// energy's (C·PWF·a) falls, their sum has its least value at the economic
// thickness, which a dotted line marks.

#include "engine/economics.h"
#include "screens/line_chart.h"

#include <QString>

namespace termiva {

class EconomicsChartView : public LineChartView {
    Q_OBJECT

public:
    using LineChartView::LineChartView;

    // `currency` names the unit of the cost axis ("EUR/a").
    void draw(const EconomicsResult& result, const QString& currency);
};

} // namespace termiva
