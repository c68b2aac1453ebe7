#include "analyses/multigroup/multigroup_report.h"

#include <cmath>

#include "analyses/multigroup/multigroup_chart.h"
#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/p_text.h"
#include "analyses/multigroup/report_table.h"

namespace tavelmark::multigroup {

using model::CellRef, model::RangeRef, model::Sheet;

namespace {

constexpr int kFirstRow = 4;
constexpr const char* kNoInterval = "";

const char* Verdict(std::optional<double> p) {
    if (!p) return text::kNotComputable;
    if (*p > 0.05) return "差异无统计意义";
    if (*p <= 0.01) return "差异有高度统计意义";
    return "差异有统计意义";
}

int WriteRecommendation(Sheet& sheet, int row, const MultigroupResults& r) {
    sheet.setValue(CellRef{row, 1}, std::string("方法推荐"));
    sheet.setBottomBorder(RangeRef{{row, 1}, {row, 11}}, model::BorderWeight::Medium);
    // The sentence wraps across the tables' width instead of running off
    // the page: its row grows as many lines as it needs.
    sheet.setValue(CellRef{row + 1, 1}, r.recommendation);
    sheet.merge(RangeRef{{row + 1, 1}, {row + 1, 11}});
    sheet.setWrapText(RangeRef{{row + 1, 1}, {row + 1, 11}}, true);
    sheet.setBottomBorder(RangeRef{{row + 1, 1}, {row + 1, 11}}, model::BorderWeight::Medium);
    return row + 3;
}

int WriteDescriptives(Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    ReportTable t(sheet, row, "统计描述",
                  {"组  别", "例数", "均数", "标准差", "标准误", "95%CI下限", "95%CI上限", "中位数", "最小值", "最大值",
                   "标记"});
    const std::vector<std::string> marks = GroupMarks(input, r);
    for (std::size_t g = 0; g < input.names.size(); ++g) {
        const GroupSummary& s = r.summaries[g];
        t.row(input.names[g]);
        t.number(2, s.n, kWholeFormat);
        t.number(3, s.mean);
        t.number(4, s.sd);
        t.number(5, s.se);
        t.number(6, s.ciLower);
        t.number(7, s.ciUpper);
        t.number(8, s.median);
        t.number(9, s.min);
        t.number(10, s.max);
        t.text(11, marks[g]);
    }
    return t.finish();
}

int WriteShapeChecks(Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    ReportTable t(sheet, row, "正态性与离群值检验",
                  {"组  别", "Shapiro-Wilk W", "P", "最远值", "Grubbs G", "G0.05(双侧)", "P", "离群值"});
    for (std::size_t g = 0; g < input.names.size(); ++g) {
        t.row(input.names[g]);
        const NormalityCheck& n = r.normality[g];
        if (n.test) {
            t.number(2, n.test->w);
            t.probability(3, n.test->p, {});
        } else {
            t.text(2, n.why);
        }
        const GrubbsCheck& o = r.outliers[g];
        if (o.tested) {
            t.number(4, o.value, "General");
            t.number(5, o.g);
            t.number(6, o.critical);
            t.probability(7, o.p, {});
            t.text(8, o.outlier ? "可疑离群值(未剔除)" : "无");
        } else {
            t.text(4, o.why);
        }
    }
    t.row("残差(合并,用于方法选择)");
    if (r.residuals.test) {
        t.number(2, r.residuals.test->w);
        t.probability(3, r.residuals.test->p, {});
    } else {
        t.text(2, r.residuals.why);
    }
    return t.finish();
}

void FRow(ReportTable& t, const std::string& label, const FTest& f) {
    t.row(label);
    t.number(2, f.f, f.why);
    if (!f.f) return;
    t.number(3, f.df1, kWholeFormat);
    t.number(4, f.df2, f.df2 == std::floor(f.df2) ? kWholeFormat : kFigureFormat);
    t.probability(5, f.p, {});
    t.text(6, *f.p >= 0.05 ? "P≥0.05" : "P<0.05");
}

int WriteVarianceChecks(Sheet& sheet, int row, const MultigroupResults& r) {
    ReportTable t(sheet, row, "方差齐性检验", {"方  法", "统计量", "自由度1", "自由度2", "P", "结论"});
    // The recommendation sentence names this one as the test that chose the path.
    FRow(t, "Levene检验(中位数法)", r.leveneMedian);
    FRow(t, "Levene检验(均数法)", r.leveneMean);
    t.row("Bartlett检验(χ²)");
    t.number(2, r.bartlett.statistic, r.bartlett.why);
    if (r.bartlett.statistic) {
        t.number(3, r.bartlett.df, kWholeFormat);
        t.probability(5, r.bartlett.p, {});
        t.text(6, *r.bartlett.p >= 0.05 ? "P≥0.05" : "P<0.05");
    }
    return t.finish();
}

int WritePathTable(Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    switch (r.path) {
        case MultigroupPath::Anova: {
            const AnovaTable& a = r.anova;
            ReportTable t(sheet, row, "单因素方差分析", {"变异来源", "平方和", "自由度", "均方", "F", "P", "结论"});
            t.row("组间");
            t.number(2, a.ssBetween);
            t.number(3, a.dfBetween, kWholeFormat);
            t.number(4, a.msBetween);
            t.number(5, a.f, a.why);
            t.probability(6, a.p, a.why);
            t.text(7, Verdict(a.p));
            t.row("组内");
            t.number(2, a.ssWithin);
            t.number(3, a.dfWithin, kWholeFormat);
            t.number(4, a.msWithin);
            t.row("总变异");
            t.number(2, a.ssTotal);
            t.number(3, a.dfBetween + a.dfWithin, kWholeFormat);
            return t.finish();
        }
        case MultigroupPath::Welch: {
            ReportTable t(sheet, row, "Welch方差分析", {"方  法", "F", "自由度1", "自由度2", "P", "结论"});
            t.row("Welch F检验");
            t.number(2, r.welch.f, r.welch.why);
            t.number(3, r.welch.df1, "0");
            t.number(4, r.welch.df2, kFigureFormat);
            t.probability(5, r.welch.p, r.welch.why);
            t.text(6, Verdict(r.welch.p));
            return t.finish();
        }
        case MultigroupPath::KruskalWallis: {
            const KruskalWallis& kw = r.kruskalWallis;
            ReportTable t(sheet, row, "Kruskal-Wallis秩和检验", {"组  别", "例数", "平均秩"});
            for (std::size_t g = 0; g < input.names.size(); ++g) {
                t.row(input.names[g]);
                t.number(2, r.summaries[g].n, kWholeFormat);
                t.number(3, r.ranks.meanRanks[g]);
            }
            t.row("H");
            t.number(2, kw.h);
            t.row("校正因子C");
            t.number(2, kw.tieFactor, "0.000000");
            t.row("Hc = H/C");
            t.number(2, kw.hCorrected);
            t.row("自由度");
            t.number(2, kw.df, kWholeFormat);
            t.row("P");
            t.probability(2, kw.p, {});
            t.text(3, Verdict(kw.p));
            return t.finish();
        }
    }
    return row;
}

struct MethodNames {
    const char* againstReference;
    const char* pairs;
    const char* statistic;  // of the table's columns
    const char* pairStatistic;
    bool limits;            // simultaneous limits shown
};

MethodNames NamesOf(MultigroupPath path) {
    switch (path) {
        case MultigroupPath::Anova: return {"Dunnett法", "Tukey法", "t", "q", true};
        case MultigroupPath::Welch: return {"Welch t检验,Šidák校正", "Games-Howell法", "t'", "q", false};
        case MultigroupPath::KruskalWallis: return {"Dunn法,Holm校正", "Dunn法,Holm校正", "z", "z", false};
    }
    return {};
}

void ComparisonRow(ReportTable& t, const std::string& label, const Comparison& c, const std::string& mark,
                   bool rankScale) {
    t.row(label);
    t.number(2, c.difference);
    if (!c.p) {
        t.text(3, c.why);
        return;
    }
    t.number(3, *c.se);
    t.number(4, std::fabs(*c.statistic));
    // Whole for the pooled tests, Welch's fractional.
    if (c.df && !rankScale) t.number(5, *c.df, *c.df == std::floor(*c.df) ? kWholeFormat : kFigureFormat);
    t.probability(6, c.p, c.why);
    if (c.lower && c.upper) {
        t.number(7, *c.lower);
        t.number(8, *c.upper);
    }
    t.text(9, mark);
}

int WriteAgainstReference(Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    const MethodNames names = NamesOf(r.path);
    const bool ranks = r.path == MultigroupPath::KruskalWallis;
    const std::string& reference = input.names[input.reference];
    const char* lower = r.path == MultigroupPath::Anova ? "95%同时CI下限" : ranks ? "" : "95%CI下限(Šidák)";
    const char* upper = r.path == MultigroupPath::Anova ? "95%同时CI上限" : ranks ? "" : "95%CI上限(Šidák)";
    ReportTable t(sheet, row, "与" + reference + "比较(" + names.againstReference + ")",
                  {"比较组", ranks ? "平均秩差" : "均数差", "标准误", names.statistic, ranks ? "" : "自由度", "P", lower,
                   upper, "标记"});
    for (const Comparison& c : r.againstReference())
        ComparisonRow(t, PairName(input, c.first, c.second), c, c.p ? SignificanceMark(*c.p, "*") : "", ranks);
    if (r.normalComparison) {
        const Comparison& c = *r.normalComparison;
        ComparisonRow(t, PairName(input, c.first, c.second), c, c.p ? SignificanceMark(*c.p, "#") : "", ranks);
    }
    int next = t.finish();
    std::string legend = "与" + reference + "比较:*P≤0.05,**P≤0.01";
    if (input.normalControl) legend += ";与" + input.names[*input.normalControl] + "比较:#P≤0.05,##P≤0.01";
    sheet.setValue(CellRef{next - 1, 1}, legend);
    return next + 1;
}

int WriteAllPairs(Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    const MethodNames names = NamesOf(r.path);
    const bool ranks = r.path == MultigroupPath::KruskalWallis;
    const bool limits = r.path == MultigroupPath::Anova;
    ReportTable t(sheet, row, std::string("两两比较(") + names.pairs + ")",
                  {"比较组", ranks ? "平均秩差" : "均数差", "标准误", names.pairStatistic, ranks ? "" : "自由度", "P",
                   limits ? "95%同时CI下限" : "", limits ? "95%同时CI上限" : "", "标记"});
    for (const Comparison& c : r.pairs())
        ComparisonRow(t, PairName(input, c.first, c.second), c, c.p ? SignificanceMark(*c.p, "*") : "", ranks);
    return t.finish();
}

int WriteFurtherTests(Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    ReportTable whole(sheet, row, "其他整体检验(供参考)", {"方  法", "统计量", "自由度1", "自由度2", "P", "结论"});
    if (r.path != MultigroupPath::Anova) {
        whole.row("单因素方差分析 F");
        whole.number(2, r.anova.f, r.anova.why);
        if (r.anova.f) {
            whole.number(3, r.anova.dfBetween, kWholeFormat);
            whole.number(4, r.anova.dfWithin, kWholeFormat);
            whole.probability(5, r.anova.p, {});
            whole.text(6, Verdict(r.anova.p));
        }
    }
    if (r.path != MultigroupPath::Welch) {
        FRow(whole, "Welch F", r.welch);
        if (r.welch.p) whole.text(6, Verdict(r.welch.p));
    }
    FRow(whole, "Brown-Forsythe F*", r.brownForsythe);
    if (r.brownForsythe.p) whole.text(6, Verdict(r.brownForsythe.p));
    if (r.path != MultigroupPath::KruskalWallis) {
        whole.row("Kruskal-Wallis Hc");
        whole.number(2, r.kruskalWallis.hCorrected);
        whole.number(3, r.kruskalWallis.df, kWholeFormat);
        whole.probability(5, r.kruskalWallis.p, {});
        whole.text(6, Verdict(r.kruskalWallis.p));
    }
    row = whole.finish();

    ReportTable pairs(sheet, row, "其他两两比较方法(供参考)",
                      {"比较组", "均数差", "LSD-t P", "Bonferroni P", "Tamhane T2 P", "SNK q", "SNK跨度r",
                       "q0.05(r)", "SNK结论"});
    for (std::size_t i = 0; i < r.lsd.size(); ++i) {
        const Comparison& lsd = r.lsd[i];
        pairs.row(PairName(input, lsd.first, lsd.second));
        pairs.number(2, lsd.difference);
        pairs.probability(3, lsd.p, lsd.why);
        pairs.probability(4, r.bonferroni[i].p, r.bonferroni[i].why);
        pairs.probability(5, r.tamhane[i].p, r.tamhane[i].why);
        for (const SnkStep& step : r.snk) {
            if (step.first != lsd.first || step.second != lsd.second) continue;
            pairs.number(6, step.q, r.anova.why);
            pairs.number(7, step.span, kWholeFormat);
            pairs.number(8, step.critical, r.anova.why);
            if (step.q)
                pairs.text(9, step.significant ? "差异有统计意义"
                              : step.exceeds  ? "差异无统计意义(所在范围不显著)"
                                              : "差异无统计意义");
        }
    }
    row = pairs.finish();

    ReportTable effect(sheet, row, "效应量", {"指  标", "估计值", "95%CI下限", "95%CI上限"});
    effect.row("η²");
    effect.number(2, r.eta.estimate);
    if (r.eta.lower95 && r.eta.upper95) {
        effect.number(3, *r.eta.lower95);
        effect.number(4, *r.eta.upper95);
    }
    effect.row("ω²");
    effect.number(2, r.omega);
    return effect.finish();
}

}  // namespace

const char* MultigroupReportTitle(const MultigroupOptions& options) {
    return options.focus == MultigroupFocus::AgainstReference ? text::kControlReportTitle : text::kReportTitle;
}

std::string PairName(const MultigroupInput& input, int first, int second) {
    return input.names[second] + " - " + input.names[first];
}

std::vector<std::string> GroupMarks(const MultigroupInput& input, const MultigroupResults& results) {
    std::vector<std::string> marks(input.names.size());
    for (const Comparison& c : results.againstReference())
        if (c.p) marks[c.second] = SignificanceMark(*c.p, "*");
    if (results.normalComparison && results.normalComparison->p)
        marks[input.reference] = SignificanceMark(*results.normalComparison->p, "#");
    return marks;
}

void WriteMultigroupReport(Sheet& sheet, const MultigroupInput& input, const MultigroupResults& results,
                           const MultigroupOptions& options) {
    int row = WriteRecommendation(sheet, kFirstRow, results);
    row = WriteDescriptives(sheet, row, input, results);
    row = WriteShapeChecks(sheet, row, input, results);
    row = WriteVarianceChecks(sheet, row, results);
    row = WritePathTable(sheet, row, input, results);
    row = WriteAgainstReference(sheet, row, input, results);
    row = WriteAllPairs(sheet, row, input, results);
    row = WriteFurtherTests(sheet, row, input, results);
    AddMultigroupChart(sheet, row, input, results, options);
}

}  // namespace tavelmark::multigroup
