#include "analyses/ldk_compare/ldk_compare.h"
#include "format/number_text.h"

namespace tavelmark::ldk_compare {

using model::CellRef, model::Sheet;
using report::DrawTableRules, report::SetUpReportSheet;

namespace {

constexpr int kPCaptionRow = 4;   // P matrix: caption, labels in row 5, batches 1-9 in rows 6-14
constexpr int kTCaptionRow = 16;  // t matrix: caption, labels in row 17, rows 18-26

std::string BatchLabel(int batch) { return "第" + std::to_string(batch) + "批"; }

}  // namespace

void WriteLDkCompareReport(Sheet& sheet, const std::vector<LDkPair>& pairs) {
    SetUpReportSheet(sheet, {8.5, 4.5, "LDk两两对比计算结果"});
    sheet.setValue(CellRef{kPCaptionRow, 1},
                   std::string("两两比较结果 ( 表中为 t 检验所得 P 值, - 表示无统计意义, + "
                               "表示有统计意义, *表示有高度统计意义)"));
    sheet.setValue(CellRef{kTCaptionRow, 1},
                   std::string("两两比较结果 ( 表中为 t 值, - 表示无统计意义, + 表示有统计意义, "
                               "*表示有高度统计意义)"));
    // The labels always cover ten batches, whatever was entered.
    for (int c = 2; c <= kLDkMaxBatches; ++c) {
        sheet.setValue(CellRef{kPCaptionRow + 1, c}, BatchLabel(c));
        sheet.setValue(CellRef{kPCaptionRow + c, 1}, BatchLabel(c - 1));
        sheet.setValue(CellRef{kTCaptionRow + 1, c}, BatchLabel(c));
        sheet.setValue(CellRef{kTCaptionRow + c, 1}, BatchLabel(c - 1));
    }
    DrawTableRules(sheet, kPCaptionRow, kPCaptionRow + 10, 1, 10);
    DrawTableRules(sheet, kTCaptionRow, kTCaptionRow + 10, 1, 10);

    // The earlier batch's row, the later batch's column.
    for (const LDkPair& pair : pairs) {
        const LDkPairTest& test = pair.test;
        if (!test.p) continue;  // nothing sound to show for this pair
        const int row = static_cast<int>(pair.first) + 1;
        const int column = static_cast<int>(pair.second) + 1;
        sheet.setValue(CellRef{kPCaptionRow + 1 + row, column},
                       format::PatternText(*test.p, "####0.000000") + test.mark);
        sheet.setValue(CellRef{kTCaptionRow + 1 + row, column},
                       format::PatternText(test.t, "####0.0000") + test.mark);
    }
}

}  // namespace tavelmark::ldk_compare
