#include "analyses/ldk_compare/ldk_compare.h"

namespace tavelmark::ldk_compare {

using model::AsNumber, model::CellRef, model::CellValue, model::GridSheet, model::InputGrid,
    model::RangeRef;
using report::CloseReport, report::MessageIcon, report::OpenReport, report::Prompter,
    report::ReportContext, report::ReportOutcome;

namespace {

constexpr int kLDColumn = 2;
constexpr int kL95Column = 3;
// The search for the last batch starts below the grid's reachable rows.
constexpr int kSearchFromRow = 17;

constexpr const char* kTypeTitle = "数据类型错误或超出范围";
constexpr const char* kTypeText = "录入的数据类型错误或超出范围";

void PointAt(InputGrid& grid, Prompter& prompter, CellRef cell) {
    grid.select(RangeRef::cell(cell));
    grid.notifyChanged();
    prompter.showGridSelection(RangeRef::cell(cell));
}

std::optional<double> PositiveNumber(const CellValue& v) {
    auto number = AsNumber(v);
    if (!number || !(*number > 0)) return std::nullopt;
    return number;
}

}  // namespace

ReportOutcome RunLDkCompare(InputGrid& grid, Prompter& prompter, const ReportContext& context) {
    ReportOutcome outcome;
    outcome.workbook = OpenReport(prompter, context);
    // The message first, then the offending cell is selected for the user.
    auto refuse = [&](std::string_view title, std::string_view text,
                      std::optional<CellRef> cell = std::nullopt) {
        prompter.message(text, title, MessageIcon::Critical);
        if (cell) PointAt(grid, prompter, *cell);
        outcome.refused = true;
        CloseReport(prompter);
        return outcome;
    };

    const GridSheet& sheet = grid.activeSheet();
    const int lastLD = sheet.lastUsedRowUp(kLDColumn, kSearchFromRow);
    const int lastL95 = sheet.lastUsedRowUp(kL95Column, kSearchFromRow);
    if (lastLD != lastL95) return refuse("数据量不等错误！", "LD50与L95的数据量应相等");
    if (lastLD < kLDkFirstBatchRow) {
        // Nothing entered: there is no pair to compare.
        return refuse("数据量不足错误！", "请至少录入一批LD50与L95数据",
                      CellRef{kLDkFirstBatchRow, kLDColumn});
    }

    std::vector<LDkBatch> batches;
    for (int row = kLDkFirstBatchRow; row <= lastLD; ++row) {
        const auto ld50 = PositiveNumber(sheet.value(CellRef{row, kLDColumn}));
        if (!ld50) return refuse(kTypeTitle, kTypeText, CellRef{row, kLDColumn});
        const auto l95 = PositiveNumber(sheet.value(CellRef{row, kL95Column}));
        if (!l95) return refuse(kTypeTitle, kTypeText, CellRef{row, kL95Column});
        batches.push_back(MakeLDkBatch(*ld50, *l95));
    }

    WriteLDkCompareReport(outcome.workbook->activeSheet(), batches);
    CloseReport(prompter);
    return outcome;
}

}  // namespace tavelmark::ldk_compare
