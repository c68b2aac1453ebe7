// The "扩展结果" sheet of the two-group means analysis.
#include <algorithm>
#include <cmath>
#include <string>

#include "analyses/means/extended_means.h"
#include "analyses/means/extended_means_texts.h"
#include "analyses/means/means_dot_box_chart.h"
#include "format/number_format.h"
#include "format/number_text.h"
#include "report/extended_sheet.h"

namespace tavelmark::means {

using report::ExtendedRow, report::ExtendedSection;

namespace {

// Figures in the data's own unit keep four decimals unless the data are so
// small that four decimals would show nothing but zeros.
void FitFormatToMagnitude(ExtendedRow& row) {
    double largest = 0;
    for (const auto& v : {row.estimate, row.lower, row.upper})
        if (v) largest = std::max(largest, std::fabs(*v));
    if (largest > 0 && largest < 1e-3) row.numberFormat = "0.000E+00";
}

ExtendedRow DifferenceRow(const std::string& item, std::optional<double> difference,
                          const MeanDifferenceInterval& interval, const std::string& method) {
    ExtendedRow row{item, difference, interval.lower, interval.upper, method, interval.reason};
    if (interval.df) row.note = "自由度 " + format::R4(*interval.df);
    FitFormatToMagnitude(row);
    return row;
}

ExtendedRow EstimateRow(const std::string& item, const LimitedEstimate& e,
                        const std::string& method) {
    return {item, e.estimate, e.lower, e.upper, method, e.reason};
}

// The report's own t' P takes TDIST's whole degrees of freedom; these limits
// keep the fraction, so near P = 0.05 the two can disagree.
ExtendedRow WelchRow(const ExtendedMeans& m) {
    ExtendedRow row = DifferenceRow("均数差 (Welch)", m.difference, m.welch,
                                    "Welch t法 (Satterthwaite自由度)");
    if (m.welch.df && std::floor(*m.welch.df) != *m.welch.df)
        row.note += "; 第一页t'检验的P按截尾自由度" + format::FormatNumber(std::floor(*m.welch.df), "0") +
                    "计算";
    return row;
}

ExtendedSection DifferenceSection(const ExtendedMeans& m) {
    return {"均数差 (T − R) 及95%可信区间",
            {DifferenceRow("均数差 (合并方差)", m.difference, m.pooled, "Student t法 (合并方差)"),
             WelchRow(m)},
            "均数差"};
}

ExtendedSection EffectSizeSection(const EffectSizes& e) {
    ExtendedRow sd{"合并标准差", e.pooledSd, std::nullopt, std::nullopt, "合并方差",
                   e.pooledSd ? "" : e.cohenD.reason};
    FitFormatToMagnitude(sd);
    ExtendedRow g = EstimateRow("Hedges' g", e.hedgesG, "Hedges–Olkin近似");
    if (e.hedgesGStandardError) g.note = "标准误 " + format::R4(*e.hedgesGStandardError);
    return {"效应量 (T − R) 及95%可信区间",
            {sd, EstimateRow("Cohen's d", e.cohenD, "非中心t分布"),
             {"Hedges校正因子 J", e.hedgesJ, std::nullopt, std::nullopt, "精确Γ函数式",
              e.hedgesJ ? "" : text::kTooFewForSpread},
             g}};
}

// The method of the rank test's P, and why it differs from the report's own.
const char* RankTestMethodText(RankTestMethod method) {
    switch (method) {
        case RankTestMethod::Exact: return "精确分布";
        case RankTestMethod::ExactWithTies: return "精确 (含结)";
        case RankTestMethod::NormalApproximation: return "正态近似 (连续性及结校正)";
        case RankTestMethod::AllValuesEqual: break;
    }
    return "Mann–Whitney检验";
}

ExtendedSection RankSection(const RankShift& rank) {
    const bool exactLimits = rank.method == RankTestMethod::Exact;
    const bool normalLimits = rank.method == RankTestMethod::NormalApproximation ||
                              rank.method == RankTestMethod::ExactWithTies;
    ExtendedRow shift = EstimateRow("Hodges–Lehmann位置差 (T − R)", rank.shift,
                                    exactLimits    ? "Hodges–Lehmann法 (精确分布)"
                                    : normalLimits ? "Hodges–Lehmann法 (正态近似)"
                                                   : "Hodges–Lehmann法");
    // Few values leave few order statistics to choose from: the limits cover
    // what they can, which for 3 against 3 is 90%.
    if (rank.achievedLevel) {
        shift.note = "可信限的实际置信度 " + format::FormatNumber(100 * *rank.achievedLevel, "0.0") + "%";
        if (*rank.achievedLevel < 0.95) shift.note += ", 未达95%";
    }
    FitFormatToMagnitude(shift);
    ExtendedRow w{"Mann–Whitney W (T组)", rank.statisticW, std::nullopt, std::nullopt,
                  "Mann–Whitney U检验", "T组秩和 − n1(n1+1)/2"};
    w.numberFormat = "0.0";
    ExtendedRow p{"Mann–Whitney检验双侧P", rank.pTwoSided, std::nullopt, std::nullopt,
                  RankTestMethodText(rank.method), rank.pReason};
    if (rank.pTwoSided && (exactLimits || rank.method == RankTestMethod::ExactWithTies))
        p.note = "第一页的非参检验为正态近似 (连续性及结校正), 小样本时偏离精确P";
    if (rank.pTwoSided) p.numberFormat = report::ProbabilityNumberFormat(*rank.pTwoSided);
    return {"秩和检验及Hodges–Lehmann位置差", {shift, w, p}};
}

}  // namespace

void WriteExtendedResults(model::Workbook& book, const ExtendedMeans& results) {
    model::Sheet& sheet = report::AddExtendedSheet(book, kExtendedMeansTitle);
    int row = report::WriteExtendedSection(sheet, 3, DifferenceSection(results));
    row = report::WriteExtendedSection(sheet, row, EffectSizeSection(results.effect));
    row = report::WriteExtendedSection(sheet, row, RankSection(results.rank));
    AddDotBoxChart(sheet, row, results);
}

}  // namespace tavelmark::means
