// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/calculator.h"

#include "cases/diameter_table_case.h"
#include "cases/economics_case.h"
#include "cases/pipe_group_case.h"
#include "cases/single_pipe_case.h"
#include "cases/thickness_limit_case.h"
#include "cases/vessel_case.h"

#include <algorithm>

namespace termiva::cases {

const std::string* ResultTexts::text(std::string_view control) const {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const ResultText& value) { return value.control == control; });
    return it == values.end() ? nullptr : &it->text;
}

std::string LabelName(int number) {
    return "Label" + std::to_string(number);
}

const std::vector<Calculator>& Calculators() {
    // One line per calculator, in menu order.
    static const std::vector<Calculator> calculators = {
        SinglePipeCalculator(), PipeGroupCalculator(),     ThicknessLimitCalculator(),
        VesselCalculator(),     DiameterTableCalculator(), EconomicsCalculator(),
    };
    return calculators;
}

const Calculator* FindCalculator(std::string_view id) {
    const std::vector<Calculator>& all = Calculators();
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const Calculator& calculator) { return calculator.id == id; });
    return it == all.end() ? nullptr : &*it;
}

const Calculator& CalculatorOf(InputFileKind kind) {
    const std::vector<Calculator>& all = Calculators();
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const Calculator& calculator) { return calculator.kind == kind; });
    // Every file kind has its calculator (the registry test says so).
    return *it;
}

const Calculator* CalculatorOfPath(std::string_view path) {
    const std::optional<InputFileKind> kind = files::KindFromPath(path);
    return kind ? &CalculatorOf(*kind) : nullptr;
}

} // namespace termiva::cases
