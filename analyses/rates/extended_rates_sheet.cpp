// The "扩展结果" sheet of the two-group rates analysis.
#include <string>
#include <vector>

#include "analyses/rates/extended_rates.h"
#include "analyses/rates/rates_bar_chart.h"
#include "format/number_text.h"
#include "report/extended_sheet.h"

namespace tavelmark::rates {

using report::ExtendedRow, report::ExtendedSection;

namespace {

// P values too small for four decimals are written in scientific form.
std::string ProbabilityFormat(double p) { return p < 1e-4 ? "0.00E+00" : "0.0000"; }

// The first sheet's limits of a rate are the continuity-corrected score
// interval with 1.96 and 3.841 (Newcombe 1998, method 4); the correction
// widens them against Wilson's.
constexpr const char* kFirstSheetRateLimits =
    "第一页的可信限为连续性校正score法 (z取1.96), 校正使其较宽";

ExtendedRow RateRow(const std::string& item, const std::optional<RateWithLimits>& rate) {
    if (!rate)
        return {item,         std::nullopt,     std::nullopt,
                std::nullopt, "Wilson score法", "组例数为0, 无法计算"};
    return {item, rate->rate, rate->lower, rate->upper, "Wilson score法", kFirstSheetRateLimits};
}

ExtendedRow FigureRow(const std::string& item, const ExtendedFigure& figure,
                      const std::string& method) {
    ExtendedRow row{item, figure.estimate, figure.lower, figure.upper, method, figure.reason};
    row.estimateInfinite = figure.estimateInfinite;
    row.upperInfinite = figure.upperInfinite;
    return row;
}

constexpr const char* kTHigher = "T组阳性率较高";
constexpr const char* kRHigher = "R组阳性率较高";

// Altman's way of writing an interval that reaches infinity, the direction
// named by the rates: "T组阳性率较高 4.1238 至 ∞ 至 R组阳性率较高 4.9048".
std::string AltmanIntervalText(const NumberNeeded& nn) {
    std::string text;
    if (nn.tHigher) {
        text = std::string(kTHigher) + " " + format::R4(nn.tHigher->from) + " 至 ∞";
    }
    if (nn.rHigher) {
        if (text.empty()) text = "∞";
        text += std::string(" 至 ") + kRHigher + " " + format::R4(nn.rHigher->from);
    }
    return text;
}

ExtendedRow NumberNeededRow(const NumberNeeded& nn) {
    const char* method = "Altman法 (由率差的Newcombe可信限)";
    ExtendedRow row{"需治疗人数 NNT", nn.value, std::nullopt, std::nullopt, method, nn.reason};
    const NumberNeededRange* finite = nullptr;
    if (nn.kind == NumberNeededKind::THigher) {
        row.item = std::string("需治疗人数 NNT (") + kTHigher + ")";
        if (nn.tHigher && nn.tHigher->to) finite = &*nn.tHigher;
    }
    if (nn.kind == NumberNeededKind::RHigher) {
        row.item = std::string("需治疗人数 NNT (") + kRHigher + ")";
        if (nn.rHigher && nn.rHigher->to) finite = &*nn.rHigher;
    }
    if (finite) {
        row.lower = finite->from;
        row.upper = finite->to;
    } else if (nn.tHigher || nn.rHigher) {
        const std::string interval = "可信区间跨过0: " + AltmanIntervalText(nn);
        row.note = row.note.empty() ? interval : row.note + "; " + interval;
    }
    return row;
}

ExtendedRow MidPRow(const ExtendedRates& r) {
    ExtendedRow row{"Fisher检验双侧mid-P", r.midP,      std::nullopt, std::nullopt,
                    "mid-P法 (Lancaster)", r.midPReason};
    if (r.midP) row.numberFormat = ProbabilityFormat(*r.midP);
    return row;
}

}  // namespace

void WriteExtendedResults(model::Workbook& book, const ExtendedRates& r) {
    model::Sheet& sheet = report::AddExtendedSheet(book, kExtendedRatesTitle);
    const ExtendedSection rates{"各组阳性率及95%可信区间",
                                {RateRow("R组阳性率", r.rateR), RateRow("T组阳性率", r.rateT)},
                                "阳性率"};
    const ExtendedSection comparison{
        "T组与R组的比较",
        {FigureRow("率差 (T − R)", r.difference, "Newcombe混合score法"),
         FigureRow("相对危险度 RR (T/R)", r.relativeRisk, "Katz对数法"),
         FigureRow("比值比 OR (T/R)", r.oddsRatio, "Woolf法"),
         FigureRow("条件最大似然 OR (T/R)", r.conditionalOddsRatio, "条件最大似然/精确条件法"),
         NumberNeededRow(r.numberNeeded), MidPRow(r)}};
    int row = report::WriteExtendedSection(sheet, 3, rates);
    row = report::WriteExtendedSection(sheet, row, comparison);
    AddRatesBarChart(sheet, row, r);
}

}  // namespace tavelmark::rates
