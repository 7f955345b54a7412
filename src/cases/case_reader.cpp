// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/case_reader.h"

#include "text/number_text.h"

namespace termiva::cases {

double CaseReader::operator()(std::string_view controlName) {
    const std::optional<double> value = text::ToDouble(screen_.text(controlName), separator_);
    if (!value && !failed_)
        failed_ = std::string(controlName);
    if (value && *value > 1 && !failed_) {
        const std::string caption = Caption(screen_, controlName);
        if (caption == kEmissivityCaption) {
            failed_ = std::string(controlName);
            impossible_ = caption + " must not be greater than 1.";
        }
    }
    return value.value_or(0);
}

double CaseReader::operator()(FieldId id) {
    const FieldSpec* field = FindField(screen_.kind, id);
    return field ? (*this)(field->name) : 0.0;
}

OperatingConditions CaseReader::conditions() {
    OperatingConditions conditions;
    conditions.T1 = (*this)(field::FluidTemperature);
    conditions.Tout = (*this)(field::AmbientTemperature);
    conditions.k = (*this)(field::Conductivity);
    conditions.e = (*this)(field::Emissivity);
    conditions.WC = (*this)(field::WindCoefficient);
    return conditions;
}

std::optional<CaseError> CaseReader::error() const {
    if (!failed_)
        return std::nullopt;
    if (impossible_)
        return CaseError{*failed_, *impossible_};
    return CaseError{*failed_, std::string(kInvalidEntries) + " (" + *failed_ + ", " +
                                   Caption(screen_, *failed_) + ")"};
}

std::string FormatNumber(double value, std::string_view pattern,
                         std::string_view decimalSeparator) {
    return text::Format(value, pattern, decimalSeparator);
}

} // namespace termiva::cases
