// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook_checks.h"

#include "files/diagram_export.h"
#include "files/workbook.h"
#include "files/workbook_chart.h"
#include "fuzz_support.h"

#include <cstdio>
#include <string>

namespace termiva::fuzz {

namespace {

using files::CellValue;

// Distinct values for every exported cell, as the table screen shows them.
const files::DiagramExportData& Data() {
    static const files::DiagramExportData data = [] {
        files::DiagramExportData d;
        d.fluidTemperatureText = "143.5";
        for (std::size_t j = 0; j < d.thicknessTexts.size(); ++j)
            d.thicknessTexts[j] = std::to_string(20 + 10 * j);
        for (std::size_t i = 0; i < d.table.size(); ++i)
            for (std::size_t c = 0; c < d.table[i].size(); ++c)
                d.table[i][c] = std::to_string(100 * (i + 1) + c) + ".25";
        return d;
    }();
    return data;
}

// Whether one of the workbook's worksheets holds the exported cells.
bool HoldsTheExport(const std::string& path) {
    auto workbook = files::Workbook::Open(path, files::WorkbookAccess::ReadOnly);
    if (!workbook) {
        // The output may hold more than the bounds allow where its
        // template was just under them: that is no fault.
        Check(workbook.error().message.find("too large") != std::string::npos,
              "the exported workbook does not open", workbook.error().message);
        return true;
    }
    const auto names = workbook.value().WorksheetNames();
    for (int index = 1; index <= static_cast<int>(names.size()) && index <= 64; ++index) {
        auto sheet = workbook.value().Worksheets(index);
        if (!sheet)
            continue;
        const CellValue b1 = (*sheet)->Value("B1");
        const CellValue c4 = (*sheet)->Value("C4");
        const CellValue h21 = (*sheet)->Value("H21");
        if (b1.kind == CellValue::Kind::Text && b1.text == "143.5" &&
            c4.kind == CellValue::Kind::Number && c4.number == 101.25 &&
            h21.kind == CellValue::Kind::Number && h21.number == 1906.25)
            return true;
    }
    return false;
}

} // namespace

void CheckReading(std::string_view workbookBytes) {
    ClearScratch();
    const std::string path = ScratchFolder() + "/read.xlsx";
    WriteFile(path, workbookBytes);
    auto workbook = files::Workbook::Open(path, files::WorkbookAccess::ReadOnly);
    if (!workbook)
        return;
    if (auto sheet = workbook.value().Worksheets(1)) {
        for (int row = 1; row <= 22; ++row)
            for (int column = 1; column <= 9; ++column)
                (void)(*sheet)->Value(row, column);
        (void)(*sheet)->lastRow();
        (void)(*sheet)->lastColumn();
    }
    (void)files::ReadWorkbookChart(workbook.value());
    Check(!workbook.value().Close(false), "closing without saving fails");
}

void CheckExport(std::string_view templateBytes) {
    ClearScratch();
    const std::string& folder = ScratchFolder();
    const std::string templatePath = folder + "/Template.xlsx";
    const std::string output = folder + "/out.xlsx";
    WriteFile(templatePath, templateBytes);

    const auto copyError = files::ExportDiagramCopy(templatePath, output, Data());
    Check(ReadFile(templatePath) == templateBytes, "the export into a copy changed the template");
    if (copyError) {
        Check(ScratchEntries() == std::vector<std::string>{"Template.xlsx"},
              "a failed export left a file behind", copyError->message);
        return; // the export in place fails the same way
    }
    Check(ScratchEntries() == std::vector<std::string>{"Template.xlsx", "out.xlsx"},
          "the export left a stray file");
    Check(HoldsTheExport(output), "the exported cells do not read back");

    // In place: a failure leaves the workbook as it was.
    const auto error = files::ExportDiagram(templatePath, Data());
    if (error)
        Check(ReadFile(templatePath) == templateBytes, "a failed export changed the workbook",
              error->message);
    else
        Check(HoldsTheExport(templatePath), "the exported cells do not read back in place");
    Check(ScratchEntries().size() == 2, "the export in place left a stray file");
}

} // namespace termiva::fuzz
