#include "analyses/potency/potency_report.h"

#include <cstdio>
#include <string>

#include "analyses/potency/potency_chart.h"
#include "analyses/potency/potency_report_table.h"
#include "analyses/potency/potency_texts.h"
#include "format/number_text.h"

namespace tavelmark::potency {

using model::CellRef, model::Sheet;

namespace {

const char* LinkName(numeric::QuantalLink link) { return link == numeric::QuantalLink::Probit ? "probit" : "logit"; }

const char* NaturalName(NaturalResponseOption natural) {
    switch (natural) {
        case NaturalResponseOption::Abbott:
            return "Abbott校正(按对照组)";
        case NaturalResponseOption::Estimate:
            return "作为参数估计";
        case NaturalResponseOption::None:
            break;
    }
    return "不计";
}

std::string Equation(numeric::QuantalLink link) {
    return link == numeric::QuantalLink::Probit ? "Φ⁻¹(P) = a + b·log10(D)" : "logit(P) = a + b·log10(D)";
}

// "t(4)" under heterogeneity, "z" without.
std::string LimitMultiplier(const GoodnessOfFit& q) {
    return q.heterogeneity ? "t(" + std::to_string(q.heterogeneity->df) + ")" : "z";
}

// Fieller's g beside limits, or why there are none.
std::string IntervalNote(const Interval& i) {
    if (!i.reason.empty()) return i.reason;
    return i.g ? "g = " + format::R4(*i.g) : "";
}

// The natural rate as a fit took it: a number, or "C = 0" at the boundary.
TableCell RateCell(const NaturalRate& c) {
    if (c.state == numeric::NaturalState::AtZero) return Words(text::kAtZero);
    return Number(c.rate);
}

std::string RateNote(const NaturalRate& c, const NaturalBlocks& blocks) {
    switch (c.state) {
        case numeric::NaturalState::AtZero:
            return "估计值在边界0,已不计C重新拟合";
        case numeric::NaturalState::Fixed:
            for (std::size_t b = 0; b < blocks.labels.size(); ++b)
                if (blocks.labels[b] == c.label && !blocks.hasControls[b]) return "无对照组,C取0";
            return "Abbott: 对照组阳性率";
        case numeric::NaturalState::Estimated:
            return "最大似然估计";
        case numeric::NaturalState::None:
            break;
    }
    return {};
}

ReportTable DataTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "各制剂数据";
    t.remark = std::string("(") + LinkName(r.link) + "模型; 自然反应率: " + NaturalName(r.natural) +
               "; 参比制剂: " + r.data.preparations[r.data.reference].name + ")";
    t.headers = {"制剂", "剂量(D)", "例数(n)", "阳性数", "阳性率(%)", "预期阳性率(%)", "Pearson残差"};
    for (const DataRow& d : r.table) {
        t.rows.push_back({Words(d.name), Number(d.group.dose), Whole(static_cast<int>(d.group.n)),
                          Whole(static_cast<int>(d.group.positives)), Number(100 * d.group.positives / d.group.n, kTwoDecimals),
                          d.expected ? Number(100 * *d.expected, kTwoDecimals) : TableCell{}, Number(d.residual)});
    }
    t.notes.push_back(r.parallel.fit ? "注: 预期阳性率及Pearson残差按平行线模型"
                                     : std::string("注: ") + text::kNotParallelFit + ": " + r.parallel.reason);
    return t;
}

ReportTable LinesTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "各制剂的回归直线(各自拟合)";
    t.remark = "(" + Equation(r.link) + ")";
    t.headers = {"制剂", "截距 a", "斜率 b", "Sb", "χ²", "自由度", "P", "h"};
    const bool natural = r.natural != NaturalResponseOption::None;
    if (natural) t.headers.push_back("自然反应率 C");
    bool anyHeterogeneous = false;
    for (std::size_t j = 0; j < r.lines.size(); ++j) {
        const PreparationLine& l = r.lines[j];
        std::vector<TableCell> row{Words(r.data.preparations[j].name)};
        if (!l.fitted()) {
            row.push_back(Words(l.reason));
            t.rows.push_back(row);
            continue;
        }
        const auto& h = l.quality.heterogeneity;
        anyHeterogeneous = anyHeterogeneous || h.has_value();
        row.insert(row.end(), {Number(l.a), Number(l.b), Number(l.bSE), Number(l.quality.pearson), Whole(l.quality.df),
                               Probability(l.quality.p), h ? Number(h->h) : TableCell{}});
        if (natural && !l.natural.empty()) row.push_back(RateCell(l.natural.front()));
        t.rows.push_back(row);
    }
    if (anyHeterogeneous)
        t.notes.push_back("注: h为异质性因子(χ²检验P<0.15时, 方差×h, 可信限用t分布); 其余直线的可信限用正态分布");
    return t;
}

ReportTable LDkTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "各制剂的LDk及95%可信限(Fieller法)";
    t.headers = {"制剂", "LDk", "剂量", "95%下限", "95%上限", "说明"};
    for (std::size_t j = 0; j < r.lines.size(); ++j) {
        const PreparationLine& l = r.lines[j];
        const std::string& name = r.data.preparations[j].name;
        if (!l.fitted()) {
            t.rows.push_back({Words(name), Words("LD50"), {}, {}, {}, Words(text::kLineMissing)});
            continue;
        }
        for (std::size_t i = 0; i < l.ldk.size(); ++i) {
            const Interval& d = l.ldk[i].dose;
            std::string note = IntervalNote(d);
            if (d.lower && l.quality.heterogeneity) note += ", " + LimitMultiplier(l.quality);
            t.rows.push_back({Words(i == 0 ? name : ""), Words(LevelName(l.ldk[i].percent)),
                              Number(d.estimate), d.lower ? Number(d.lower) : TableCell{},
                              d.upper ? Number(d.upper) : TableCell{}, Words(note)});
        }
    }
    return t;
}

ReportTable ModelsTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "三种模型的拟合优度";
    t.headers = {"模型", "偏差", "Pearson χ²", "自由度", "P", "h"};
    const std::pair<const char*, const FittedLines*> models[] = {
        {"各自直线", &r.separate}, {"平行直线", &r.parallel}, {"单一直线", &r.one}};
    for (const auto& [name, m] : models) {
        if (!m->fit) {
            t.rows.push_back({Words(name), Words(m->reason)});
            continue;
        }
        const auto& h = m->quality.heterogeneity;
        t.rows.push_back({Words(name), Number(m->quality.deviance), Number(m->quality.pearson), Whole(m->quality.df),
                          Probability(m->quality.p), h ? Number(h->h) : TableCell{}});
    }
    return t;
}

ReportTable TestsTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "模型检验(似然比)";
    t.headers = {"检验", "G²", "自由度", "P", "F", "分子自由度", "分母自由度", "P(F)"};
    const std::pair<const char*, const ModelTest*> tests[] = {
        {"平行性", &r.parallelism}, {"等同性(平行线下)", &r.equality}, {"重合性", &r.coincidence}};
    bool anyF = false;
    for (const auto& [name, test] : tests) {
        if (!test->g2) {
            t.rows.push_back({Words(name), Words(test->reason)});
            continue;
        }
        std::vector<TableCell> row{Words(name), Number(test->g2), Whole(test->df), Probability(test->p)};
        if (test->f) {
            anyF = true;
            row.insert(row.end(), {Number(test->f->F), Whole(test->f->df1), Whole(test->f->df2), Probability(test->f->p)});
        }
        t.rows.push_back(row);
    }
    if (anyF) t.notes.push_back("注: 较大模型有异质性(χ²检验P<0.15)时另给F = (G²/自由度)/h");
    return t;
}

ReportTable ParallelTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "平行线模型";
    t.headers = {"项目", "估计值", "标准误", "说明"};
    if (!r.parallel.fit) {
        t.rows.push_back({Words("共同斜率 b"), {}, {}, Words(r.parallel.reason)});
        return t;
    }
    const GoodnessOfFit& q = r.parallel.quality;
    t.rows.push_back({Words("共同斜率 b"), Number(r.slope), Number(r.slopeSE), Words(q.heterogeneity ? "标准误已×√h" : "")});
    for (const NaturalRate& c : r.parallel.natural)
        t.rows.push_back({Words("自然反应率 C(" + c.label + ")"), RateCell(c), Number(c.se), Words(RateNote(c, r.blocks))});
    t.rows.push_back({Words("Pearson χ²"), Number(q.pearson), {},
                      Words("自由度 " + std::to_string(q.df) + (q.p ? ", P = " + format::R4(*q.p) : ""))});
    if (q.heterogeneity) {
        t.rows.push_back({Words("异质性因子 h"), Number(q.heterogeneity->h), {},
                          Words("P<0.15: 方差×h, 可信限用t(" + std::to_string(q.heterogeneity->df) +
                                ") = " + format::R4(q.heterogeneity->t))});
    } else if (q.p) {
        t.rows.push_back({Words("异质性因子 h"), {}, {}, Words("P≥0.15, 不作异质性校正, 可信限用z")});
    }
    return t;
}

ReportTable ParallelLD50Table(const PotencyResults& r) {
    ReportTable t;
    t.caption = "平行线模型下的LD50";
    t.headers = {"制剂", "LD50", "95%下限", "95%上限", "说明"};
    for (std::size_t j = 0; j < r.parallelLD50.size(); ++j) {
        const Interval& d = r.parallelLD50[j];
        t.rows.push_back({Words(r.data.preparations[j].name), Number(d.estimate), Number(d.lower), Number(d.upper),
                          Words(IntervalNote(d))});
    }
    return t;
}

ReportTable PotencyTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "相对效价(平行线模型, Fieller法)";
    t.remark = "(相对效价 = 前者LD50/后者LD50)";
    t.headers = {"制剂对", "相对效价", "95%下限", "95%上限", "说明"};
    for (const PotencyRatio& p : r.potency)
        t.rows.push_back({Words(PairName(r.data, p.first, p.second)), Number(p.ratio.estimate), Number(p.ratio.lower),
                          Number(p.ratio.upper), Words(IntervalNote(p.ratio))});
    if (r.parallelismRejected) t.notes.push_back(std::string("注: ") + text::kParallelRejected);
    return t;
}

ReportTable RatioTestTable(const PotencyResults& r) {
    ReportTable t;
    t.caption = "LDk比值检验(各制剂单独拟合, 不要求平行)";
    t.remark = "(比值 = 前者LDk/后者LDk)";
    t.headers = {"制剂对", "LDk", "比值", "95%下限", "95%上限", "z", "P", "Holm P"};
    for (const RatioTest& test : r.ratioTests) {
        std::vector<TableCell> row{Words(PairName(r.data, test.first, test.second)), Words(LevelName(test.percent))};
        if (!test.ratio.estimate) {
            row.push_back(Words(test.ratio.reason));
        } else {
            row.insert(row.end(), {Number(test.ratio.estimate), Number(test.ratio.lower), Number(test.ratio.upper),
                                   Number(test.z), Probability(test.p), Probability(test.holm)});
        }
        t.rows.push_back(row);
    }
    t.notes.push_back("注: 有异质性的直线其方差×h; 可信限为10^(log10比值±1.96SE); Holm P按同一LDk下的全部制剂对校正");
    return t;
}

}  // namespace

void WritePotencyReport(Sheet& sheet, const PotencyResults& results) {
    int row = 4;
    for (const ReportTable& table :
         {DataTable(results), LinesTable(results), LDkTable(results), ModelsTable(results), TestsTable(results),
          ParallelTable(results), ParallelLD50Table(results), PotencyTable(results), RatioTestTable(results)})
        row = WriteReportTable(sheet, row, table);
    AddPotencyChart(sheet, row, results.chart, results.link);
    sheet.select(CellRef{1, 1});
}

}  // namespace tavelmark::potency
