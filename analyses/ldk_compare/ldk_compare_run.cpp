#include "analyses/ldk_compare/ldk_compare.h"
#include "analyses/ldk_compare/ldk_extended.h"

#include "report/calculate.h"

namespace tavelmark::ldk_compare {

using model::AsNumber, model::CellRef, model::CellValue, model::GridSheet, model::InputGrid,
    model::RangeRef;
using report::Calculate, report::CalculateSteps, report::Checked, report::MessageIcon, report::Prompter,
    report::Refusal, report::ReportContext, report::ReportOutcome;

namespace {

constexpr int kLDColumn = 2;
constexpr int kL95Column = 3;
// The search for the last batch starts below the grid's reachable rows.
constexpr int kSearchFromRow = 17;

constexpr const char* kTypeTitle = "数据类型错误或超出范围";
constexpr const char* kTypeText = "录入的数据类型错误或超出范围";

std::optional<double> PositiveNumber(const CellValue& v) {
    auto number = AsNumber(v);
    if (!number || !(*number > 0)) return std::nullopt;
    return number;
}

}  // namespace

ReportOutcome RunLDkCompare(InputGrid& grid, Prompter& prompter, const ReportContext& context,
                            const LDkCompareOptions& options) {
    using Batches = std::vector<LDkBatch>;
    auto refuse = [](const char* title, const char* text, std::optional<CellRef> cell = std::nullopt) {
        std::optional<RangeRef> block;
        if (cell) block = RangeRef::cell(*cell);
        return Checked<Batches>::refuse(Refusal{title, text, MessageIcon::Critical, block});
    };
    struct Comparison {
        std::vector<LDkPair> pairs;
        std::optional<LDkExtended> extended;
    };
    CalculateSteps<Batches, Comparison> steps;
    steps.check = [&]() -> Checked<Batches> {
        const GridSheet& sheet = grid.activeSheet();
        const int lastLD = sheet.lastUsedRowUp(kLDColumn, kSearchFromRow);
        const int lastL95 = sheet.lastUsedRowUp(kL95Column, kSearchFromRow);
        if (lastLD != lastL95) return refuse("数据量不等错误！", "LD50与L95的数据量应相等");
        if (lastLD < kLDkFirstBatchRow) {
            // Nothing entered: there is no pair to compare.
            return refuse("数据量不足错误！", "请至少录入一批LD50与L95数据", CellRef{kLDkFirstBatchRow, kLDColumn});
        }
        Batches batches;
        for (int row = kLDkFirstBatchRow; row <= lastLD; ++row) {
            const auto ld50 = PositiveNumber(sheet.value(CellRef{row, kLDColumn}));
            if (!ld50) return refuse(kTypeTitle, kTypeText, CellRef{row, kLDColumn});
            const auto l95 = PositiveNumber(sheet.value(CellRef{row, kL95Column}));
            if (!l95) return refuse(kTypeTitle, kTypeText, CellRef{row, kL95Column});
            batches.push_back(MakeLDkBatch(*ld50, *l95));
        }
        return Checked<Batches>::accept(std::move(batches));
    };
    steps.compute = [&options](const Batches& batches) -> std::variant<Comparison, Refusal> {
        Comparison c;
        c.pairs = CompareAllLDkPairs(batches);
        if (options.extended) c.extended = ComputeExtendedLDk(batches, c.pairs);
        return c;
    };
    steps.write = [](model::Workbook& workbook, const Batches&, const Comparison& c) {
        WriteLDkCompareReport(workbook.activeSheet(), c.pairs);
        if (c.extended) WriteExtendedResults(workbook, *c.extended);
    };
    // The user gets the report's empty workbook after a refusal too.
    steps.workbookOnRefusal = true;
    return Calculate(grid, prompter, context, steps).report;
}

}  // namespace tavelmark::ldk_compare
