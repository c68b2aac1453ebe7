#pragma once
// For the windows' tests of the 扩展结果 option: what is wrong with a report
// calculated with the option, compared with the same calculation without it.
// The first sheet must be the same cell for cell and format for format, and
// the second must be "扩展结果" with something in it. Include as
// "support/extended_workbook.h".
#include <string>

#include "model/cell_ref.h"
#include "model/workbook.h"
#include "report/extended_sheet.h"

namespace tavelmark::test {

inline std::string SheetDifference(const model::Sheet& a, const model::Sheet& b) {
    auto compareOneWay = [](const model::Sheet& x, const model::Sheet& y) -> std::string {
        for (const auto& [cell, value] : x.cells().values()) {
            if (y.value(cell) != value)
                return model::CellName(cell) + ": \"" + model::PlainText(value) + "\" / \"" +
                       model::PlainText(y.value(cell)) + "\"";
            if (!(y.format(cell) == x.format(cell))) return model::CellName(cell) + ": another format";
        }
        for (const auto& [cell, format] : x.cells().cellFormats())
            if (!(y.format(cell) == x.format(cell))) return model::CellName(cell) + ": another format";
        if (x.cells().rangeFormats().size() != y.cells().rangeFormats().size()) return "range formats";
        return {};
    };
    if (std::string d = compareOneWay(a, b); !d.empty()) return d;
    if (std::string d = compareOneWay(b, a); !d.empty()) return d;
    if (a.columnWidths() != b.columnWidths() || a.defaultColumnWidth() != b.defaultColumnWidth())
        return "column widths";
    if (a.merges().size() != b.merges().size()) return "merged ranges";
    if (a.charts().size() != b.charts().size()) return "charts";
    if (!(a.pageSetup() == b.pageSetup())) return "page setup";
    return {};
}

// Empty when `extended` is `plain` with the second sheet added.
inline std::string ExtendedWorkbookProblem(const model::Workbook& plain, const model::Workbook& extended) {
    if (plain.sheets.size() != 1) return "the report without the option has " + std::to_string(plain.sheets.size()) + " sheets";
    if (extended.sheets.size() != 2) return "the report with the option has " + std::to_string(extended.sheets.size()) + " sheets";
    if (std::string d = SheetDifference(plain.sheets[0], extended.sheets[0]); !d.empty()) return "Sheet1 differs: " + d;
    const model::Sheet& second = extended.sheets[1];
    if (second.name() != report::kExtendedSheetName) return "the second sheet is named " + second.name();
    if (second.cells().values().size() < 10) return "the second sheet is almost empty";
    return {};
}

}  // namespace tavelmark::test
