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

ExtendedRow RateRow(const std::string& item, const std::optional<RateWithLimits>& rate) {
    if (!rate)
        return {item,         std::nullopt,     std::nullopt,
                std::nullopt, "Wilson score法", "组例数为0, 无法计算"};
    return {item, rate->rate, rate->lower, rate->upper, "Wilson score法", ""};
}

ExtendedRow FigureRow(const std::string& item, const ExtendedFigure& figure,
                      const std::string& method) {
    ExtendedRow row{item, figure.estimate, figure.lower, figure.upper, method, figure.reason};
    // An infinite estimate leaves its cell empty; its finite lower limit is
    // still worth reading, so the note carries it.
    if (figure.estimateInfinite && figure.lower) row.note += "; 下限 " + format::R4(*figure.lower);
    return row;
}

// Altman's way of writing an interval that reaches infinity:
// "NNTB 4.1238 至 ∞ 至 NNTH 4.9048".
std::string AltmanIntervalText(const NumberNeeded& nn) {
    std::string text;
    if (nn.benefit) {
        text = "NNTB " + format::R4(nn.benefit->from) + " 至 ∞";
    }
    if (nn.harm) {
        if (text.empty()) text = "∞";
        text += " 至 NNTH " + format::R4(nn.harm->from);
    }
    return text;
}

ExtendedRow NumberNeededRow(const NumberNeeded& nn) {
    const char* method = "Altman法 (由率差的Newcombe可信限)";
    ExtendedRow row{"需治疗人数 NNT", nn.value, std::nullopt, std::nullopt, method, nn.reason};
    const NumberNeededRange* finite = nullptr;
    if (nn.kind == NumberNeededKind::Benefit) {
        row.item = "需治疗人数 NNTB";
        if (nn.benefit && nn.benefit->to) finite = &*nn.benefit;
    }
    if (nn.kind == NumberNeededKind::Harm) {
        row.item = "需伤害人数 NNTH";
        if (nn.harm && nn.harm->to) finite = &*nn.harm;
    }
    if (finite) {
        row.lower = finite->from;
        row.upper = finite->to;
    } else if (nn.benefit || nn.harm) {
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
