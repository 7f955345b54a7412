// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/vessel_case.h"

#include "cases/calculator.h"
#include "text/number_text.h"

namespace termiva::cases {

CaseResult<VesselResult> CalculateVessel(const ScreenTexts& screen,
                                         std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    VesselInput input;
    input.shape = ShapeNumberOfVesselListIndex(screen.listIndex);
    const auto dimension = [&](std::string_view name) {
        return VesselUsesField(screen.listIndex, name) ? number(name) : 0.0;
    };
    input.L = dimension("Text1");
    input.H = dimension("Text2");
    input.W = dimension("Text3");
    static_cast<OperatingConditions&>(input) = number.conditions();
    for (std::size_t i = 0; i < input.tins.size(); ++i)
        input.tins[i] = number(field::Thickness(static_cast<int>(i) + 1));
    if (auto error = number.error())
        return *error;
    return FromEngine(VesselHeatLoss(input));
}

VesselTexts VesselResultTexts(const VesselResult& result, std::string_view decimalSeparator) {
    return FormatLosses(result.HeatLoss, result.Tsurface, kVesselLossPattern,
                        kVesselTemperaturePattern, decimalSeparator);
}

namespace {

CaseResult<ResultTexts> VesselResults(const ScreenTexts& screen,
                                      std::string_view decimalSeparator) {
    const auto result = CalculateVessel(screen, decimalSeparator);
    if (!result)
        return result.error();
    return LossResults(VesselResultTexts(*result, decimalSeparator), result->flags, 21, 26);
}

} // namespace

Calculator VesselCalculator() {
    return {"vessel",     InputFileKind::Vessel, "VESSEL INSULATION", kVesselHelpTopic,
            VesselFields, RequiredFieldsMissing, VesselTestData,      VesselResults};
}

} // namespace termiva::cases
