#include "analyses/multigroup/multigroup_extended_sheet.h"

#include "analyses/multigroup/multigroup_report.h"
#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/report_table.h"
#include "report/extended_sheet.h"

namespace tavelmark::multigroup {

using report::ExtendedRow, report::ExtendedSection;

namespace {

constexpr int kFirstRow = 3;

int WriteEffectSizes(model::Sheet& sheet, int row, const MultigroupResults& r) {
    ExtendedSection section{"临界值与效应量", {}};
    ExtendedRow critical{"Dunnett临界值(双侧,α=0.05)", r.dunnett.critical, {}, {}, "Dunnett (1955) 多元t分布积分", {}};
    if (!critical.estimate) critical.note = r.anova.f ? text::kNotComputable : r.anova.why;
    section.rows.push_back(critical);
    section.rows.push_back({"η²(95%可信区间)", r.eta.estimate, r.eta.lower95, r.eta.upper95,
                            "非中心F分布反推 (Steiger 2004)", {}});
    ExtendedRow eta90{"η²(90%可信区间)", r.eta.estimate, r.eta.lower90, r.eta.upper90, "非中心F分布反推 (Steiger 2004)",
                      "90%区间与α=0.05的F检验一致:下限为0当且仅当P≥0.05"};
    section.rows.push_back(eta90);
    section.rows.push_back({"ω²", r.omega, {}, {}, "Hays (1963)", r.omega < 0 ? "小于0:组间差异小于随机误差" : ""});
    return report::WriteExtendedSection(sheet, row, section);
}

int WriteEveryPairMethod(model::Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    ReportTable t(sheet, row, "全部两两比较方法的P值",
                  {"比较组", "均数差", "Tukey", "Games-Howell", "LSD-t", "Bonferroni", "Tamhane T2", "SNK",
                   "Dunn-Holm"});
    for (std::size_t i = 0; i < r.tukey.size(); ++i) {
        const Comparison& tukey = r.tukey[i];
        t.row(PairName(input, tukey.first, tukey.second));
        t.number(2, tukey.difference);
        t.probability(3, tukey.p, tukey.why);
        t.probability(4, r.gamesHowell[i].p, r.gamesHowell[i].why);
        t.probability(5, r.lsd[i].p, r.lsd[i].why);
        t.probability(6, r.bonferroni[i].p, r.bonferroni[i].why);
        t.probability(7, r.tamhane[i].p, r.tamhane[i].why);
        for (const SnkStep& step : r.snk)
            if (step.first == tukey.first && step.second == tukey.second)
                t.text(8, !step.q ? r.anova.why : step.significant ? "P≤0.05" : "P>0.05");
        t.probability(9, r.dunnPairs[i].p, r.dunnPairs[i].why);
    }
    return t.finish();
}

int WriteEveryReferenceMethod(model::Sheet& sheet, int row, const MultigroupInput& input, const MultigroupResults& r) {
    ReportTable t(sheet, row, "与" + input.names[input.reference] + "比较的全部方法的P值",
                  {"比较组", "均数差", "Dunnett", "Welch t (Šidák)", "Dunn-Holm"});
    for (std::size_t i = 0; i < r.dunnett.rows.size(); ++i) {
        const Comparison& d = r.dunnett.rows[i];
        t.row(PairName(input, d.first, d.second));
        t.number(2, d.difference);
        t.probability(3, d.p, d.why);
        t.probability(4, r.welchSidak.rows[i].p, r.welchSidak.rows[i].why);
        t.probability(5, r.dunnAgainstReference[i].p, r.dunnAgainstReference[i].why);
    }
    return t.finish();
}

}  // namespace

void WriteMultigroupExtended(model::Workbook& book, const MultigroupInput& input, const MultigroupResults& results) {
    model::Sheet& sheet = report::AddExtendedSheet(book, "多组均数分析扩展结果");
    int row = WriteEffectSizes(sheet, kFirstRow, results);
    row = WriteEveryPairMethod(sheet, row, input, results);
    WriteEveryReferenceMethod(sheet, row, input, results);
}

}  // namespace tavelmark::multigroup
