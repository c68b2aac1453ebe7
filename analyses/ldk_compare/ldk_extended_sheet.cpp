// The "扩展结果" sheet of the LDk comparison.
#include <string>

#include "analyses/ldk_compare/ldk_extended.h"
#include "format/number_format.h"
#include "report/extended_sheet.h"

namespace tavelmark::ldk_compare {

using report::ExtendedRow, report::ExtendedSection;

namespace {

std::string PairLabel(const LDkPairExtended& pair, const char* joint) {
    return "第" + std::to_string(pair.first) + "批" + joint + "第" + std::to_string(pair.second) +
           "批";
}

// P values too small for four decimals are written in scientific form.
std::string ProbabilityFormat(double p) { return p < 1e-4 ? "0.00E+00" : "0.0000"; }

ExtendedRow HolmRow(const LDkPairExtended& pair) {
    ExtendedRow row{
        PairLabel(pair, " 与 "), pair.pHolm, std::nullopt, std::nullopt, "Holm法", pair.pReason};
    if (pair.pHolm) row.numberFormat = ProbabilityFormat(*pair.pHolm);
    if (pair.p) {
        const std::string unadjusted =
            "未校正P " + format::FormatNumber(*pair.p, ProbabilityFormat(*pair.p));
        row.note = row.note.empty() ? unadjusted : row.note + "; " + unadjusted;
    }
    return row;
}

// The ratio's limits invert each L95 exactly; the first sheet's t test takes
// the straight-line SE, so near P = 0.05 the two may disagree.
constexpr const char* kFirstSheetStandardError =
    "SE由L95精确反推; 第一页t检验的SE取L95/(4.5·LD50), 故0.05附近两者可能不一致";

ExtendedRow RatioRow(const LDkPairExtended& pair) {
    ExtendedRow row{PairLabel(pair, " / "), pair.ratio,     pair.ratioLower,
                    pair.ratioUpper,        "对数剂量差法", pair.ratioReason};
    if (row.note.empty() && pair.ratioLower) row.note = kFirstSheetStandardError;
    return row;
}

// A set without pairs still shows both tables, each with its reason.
ExtendedRow NoPairRow(const LDkExtended& r, const char* method) {
    return {"无", std::nullopt, std::nullopt, std::nullopt, method, r.reason};
}

}  // namespace

void WriteExtendedResults(model::Workbook& book, const LDkExtended& r) {
    model::Sheet& sheet = report::AddExtendedSheet(book, kExtendedLDkTitle);
    ExtendedSection holm{"两两比较的P值 (Holm法校正, 校正范围为全部配对)", {}, "校正P值"};
    ExtendedSection ratios{"LD50之比 (前批/后批) 及其95%可信区间", {}, "比值"};
    for (const LDkPairExtended& pair : r.pairs) {
        holm.rows.push_back(HolmRow(pair));
        ratios.rows.push_back(RatioRow(pair));
    }
    if (r.pairs.empty()) {
        holm.rows.push_back(NoPairRow(r, "Holm法"));
        ratios.rows.push_back(NoPairRow(r, "对数剂量差法"));
    }
    const int row = report::WriteExtendedSection(sheet, 3, holm);
    report::WriteExtendedSection(sheet, row, ratios);
}

}  // namespace tavelmark::ldk_compare
