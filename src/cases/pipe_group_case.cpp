// SPDX-License-Identifier: GPL-3.0-or-later
#include "cases/pipe_group_case.h"

#include "text/number_text.h"

namespace termiva::cases {

PipeRowSize PipeRowSizeTexts(int row, std::string_view decimalSeparator) {
    if (row < kFirstPipeRow || row > kLastPipeRow)
        return {};
    const StandardPipe& pipe = kPipeGroupSizes[static_cast<std::size_t>(row - kFirstPipeRow)];
    return {text::Format(pipe.NO, "####0", decimalSeparator),
            text::Format(pipe.OD, "####0.0", decimalSeparator)};
}

CaseResult<PipeGroupResult> CalculatePipeGroup(const ScreenTexts& screen,
                                               std::string_view decimalSeparator) {
    CaseReader number(screen, decimalSeparator);
    PipeGroupInput input; // every row's NO and OD preset: the sizes the table shows
    input.Tout = number("Text11");
    input.T1 = number("Text12");
    input.delta = number("Text13");
    input.k = number("Text14");
    input.e = number("Text15");
    input.WC = number("Text16");
    for (int row = kFirstPipeRow; row <= kLastPipeRow; ++row) {
        PipeRow& pipe = input.rows[static_cast<std::size_t>(row - kFirstPipeRow)];
        pipe.used = !screen.text(RowName("Text3", row)).empty();
        if (!pipe.used)
            continue;
        pipe.L = number(RowName("Text3", row));
        pipe.valves = number(RowName("Text4", row));
        pipe.flanges = number(RowName("Text5", row));
    }
    if (auto error = number.error())
        return *error;
    return FromEngine(PipeGroupHeatLoss(input));
}

PipeGroupTexts PipeGroupResultTexts(const PipeGroupResult& result,
                                    std::string_view decimalSeparator) {
    PipeGroupTexts texts;
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const PipeRowResult& row = result.rows[i];
        if (row.used)
            texts.rows[i] =
                PipeGroupTexts::Row{text::Format(row.Qbare, "####0", decimalSeparator),
                                    text::Format(row.Qins, "####0.0", decimalSeparator)};
    }
    texts.bareTotal = text::Format(result.QbareTotal / 1000, "####0.#0", decimalSeparator);
    texts.insulatedTotal = text::Format(result.QinsTotal / 1000, "####0.#0", decimalSeparator);
    return texts;
}

} // namespace termiva::cases
