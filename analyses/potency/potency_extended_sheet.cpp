#include "analyses/potency/potency_extended_sheet.h"

#include <cstdio>
#include <string>

#include "analyses/potency/potency_report_table.h"
#include "analyses/potency/potency_texts.h"
#include "format/number_text.h"
#include "report/extended_sheet.h"

namespace tavelmark::potency {

using report::ExtendedRow, report::ExtendedSection;

namespace {

std::string ScaledMultiplier(const GoodnessOfFit& q) {
    return q.heterogeneity ? "t(" + std::to_string(q.heterogeneity->df) + ")×√h" : "z";
}

ExtendedRow Row(std::string item, std::optional<double> estimate, std::optional<double> lower,
                std::optional<double> upper, std::string method, std::string note) {
    return ExtendedRow{std::move(item), estimate, lower, upper, std::move(method), std::move(note)};
}

ExtendedSection PotencyLimits(const PotencyResults& r, const PotencyExtended& e) {
    ExtendedSection section;
    section.caption = "相对效价的三种95%可信限(平行线模型)";
    section.estimateHeader = "相对效价";
    const std::string scale = ScaledMultiplier(r.parallel.quality);
    for (std::size_t i = 0; i < r.potency.size(); ++i) {
        const PotencyRatio& p = r.potency[i];
        const std::string item = PairName(r.data, p.first, p.second);
        section.rows.push_back(Row(item, p.ratio.estimate, p.ratio.lower, p.ratio.upper, "Fieller法",
                                   p.ratio.reason.empty() ? "同Sheet1" : p.ratio.reason));
        section.rows.push_back(Row(item, p.ratio.estimate, e.delta[i].lower, e.delta[i].upper,
                                   "delta法: 10^(m ± " + scale + "·SE(m))",
                                   e.delta[i].reason.empty() ? "对数刻度上对称的近似区间, 不含g的校正" : e.delta[i].reason));
        section.rows.push_back(Row(item, p.ratio.estimate, e.profile[i].lower, e.profile[i].upper,
                                   "剖面似然法: 偏差增加" + std::string(r.parallel.quality.heterogeneity ? "t²h" : "χ²(1)的95%点"),
                                   e.profile[i].reason));
    }
    return section;
}

ExtendedSection PearsonDifference(const PotencyResults& r, const PotencyExtended& e) {
    ExtendedSection section;
    section.caption = "平行性检验的Pearson χ²差值";
    section.estimateHeader = "χ²差值";
    const int df = static_cast<int>(r.data.preparations.size()) - 1;
    std::string note = e.pearsonDifferenceReason;
    if (e.pearsonDifferenceP) note = "自由度 " + std::to_string(df) + ", P = " + format::R4(*e.pearsonDifferenceP);
    note += note.empty() ? "" : "; ";
    note += "Sheet1用似然比G²(偏差之差)";
    section.rows.push_back(Row("平行线χ² − 各自直线χ²", e.pearsonDifference, std::nullopt, std::nullopt,
                               "Pearson χ²之差", note));
    return section;
}

ExtendedSection UnscaledRatios(const PotencyResults& r, const PotencyExtended& e) {
    ExtendedSection section;
    section.caption = "LDk比值检验: 不作异质性校正的可信限";
    section.estimateHeader = "比值";
    for (std::size_t i = 0; i < r.ratioTests.size(); ++i) {
        const RatioTest& t = r.ratioTests[i];
        const bool scaled = t.ratio.estimate && t.se != t.seUnscaled;
        section.rows.push_back(Row(PairName(r.data, t.first, t.second) + " " + LevelName(t.percent), t.ratio.estimate,
                                   e.unscaledRatio[i].lower, e.unscaledRatio[i].upper, "10^(log10比值 ± 1.96·SE), 方差不×h",
                                   !e.unscaledRatio[i].reason.empty() ? e.unscaledRatio[i].reason
                                   : scaled ? "Sheet1中有异质性的直线方差×h, 可信限较宽"
                                            : "与Sheet1相同(两条直线均无异质性)"));
    }
    return section;
}

ExtendedSection OtherLink(const PotencyResults& other) {
    const bool logit = other.link == numeric::QuantalLink::Logit;
    ExtendedSection section;
    section.caption = std::string("另一连接函数: ") + (logit ? "logit" : "probit") + "模型";
    const std::string method = logit ? "最大似然logit" : "最大似然probit";
    const ModelTest& test = other.parallelism;
    section.rows.push_back(Row("平行性检验 G²", test.g2, std::nullopt, std::nullopt, "似然比",
                               test.g2 ? "自由度 " + std::to_string(test.df) + ", P = " + format::R4(*test.p) : test.reason));
    section.rows.push_back(Row("共同斜率 b", other.parallel.fit ? std::optional<double>(other.slope) : std::nullopt,
                               std::nullopt, std::nullopt, method, other.parallel.reason));
    for (std::size_t j = 0; j < other.lines.size(); ++j) {
        const PreparationLine& l = other.lines[j];
        const Interval ld50 = l.fitted() ? l.ldk[1].dose : Interval{{}, {}, {}, {}, l.reason};
        section.rows.push_back(Row(other.data.preparations[j].name + " LD50 (各自直线)", ld50.estimate, ld50.lower,
                                   ld50.upper, "Fieller法", ld50.reason));
    }
    for (const PotencyRatio& p : other.potency)
        section.rows.push_back(Row(PairName(other.data, p.first, p.second) + " 相对效价", p.ratio.estimate, p.ratio.lower,
                                   p.ratio.upper, "Fieller法 (平行线)", p.ratio.reason));
    return section;
}

}  // namespace

void WritePotencyExtended(model::Workbook& book, const PotencyResults& results, const PotencyExtended& extended) {
    model::Sheet& sheet = report::AddExtendedSheet(book, text::kExtendedTitle);
    int row = 3;
    row = report::WriteExtendedSection(sheet, row, PotencyLimits(results, extended));
    row = report::WriteExtendedSection(sheet, row, PearsonDifference(results, extended));
    row = report::WriteExtendedSection(sheet, row, UnscaledRatios(results, extended));
    if (extended.otherLink) report::WriteExtendedSection(sheet, row, OtherLink(*extended.otherLink));
}

}  // namespace tavelmark::potency
