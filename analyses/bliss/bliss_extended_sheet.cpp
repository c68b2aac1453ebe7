#include "analyses/bliss/bliss_extended_sheet.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "analyses/bliss/bliss_extended_chart.h"
#include "analyses/bliss/bliss_extended_texts.h"
#include "format/number_text.h"
#include "report/extended_sheet.h"

namespace tavelmark::bliss {

using report::ExtendedRow, report::ExtendedSection;

namespace {

constexpr const char* kFixedFormat = "0.0000";
constexpr const char* kScientificFormat = "0.000E+00";

// Doses come in any unit: four decimals unless one of the numbers of the row
// would show fewer than two significant digits that way.
std::string DoseFormat(std::initializer_list<std::optional<double>> values) {
    for (const auto& v : values)
        if (v && *v != 0 && std::fabs(*v) < 0.01) return kScientificFormat;
    return kFixedFormat;
}

std::string DoseText(double dose) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", dose);
    return buffer;
}

void AddNote(ExtendedRow& row, const std::string& note) {
    row.note = row.note.empty() ? note : row.note + "; " + note;
}

// Fieller's g belongs to the fit, not to the level: it is shown beside the
// LD50 of each model only.
ExtendedRow DoseRow(std::string item, const DoseWithLimits& d, std::string method, bool showG) {
    ExtendedRow row{std::move(item), d.dose, d.lower, d.upper, std::move(method), d.reason};
    row.numberFormat = DoseFormat({d.dose, d.lower, d.upper});
    if (showG && d.g && d.dose) AddNote(row, "g = " + format::R4(*d.g));
    if (!d.note.empty()) AddNote(row, d.note);
    return row;
}

ExtendedRow Figure(std::string item, std::optional<double> value, std::string method,
                   std::string note = {}) {
    return ExtendedRow{std::move(item), value, std::nullopt, std::nullopt, std::move(method),
                       std::move(note)};
}

// "t(4) = 2.7764": the multiplier of limits under heterogeneity.
std::string TText(const Heterogeneity& h) {
    return "t(" + std::to_string(h.df) + ") = " + format::R4(h.t);
}


ExtendedRow HeterogeneityRow(const MlModelFigures* f, const std::string& why) {
    if (!f) return Figure("异质性因子 h", std::nullopt, "Pearson χ²/自由度", why);
    if (f->df < 1 || !f->pearsonP)
        return Figure("异质性因子 h", std::nullopt, "Pearson χ²/自由度", f->pearsonPReason);
    if (!f->heterogeneity)
        return Figure("异质性因子 h", f->pearsonChi2 / f->df, "Pearson χ²/自由度",
                      "P≥0.15, 不校正: 可信限用z");
    const Heterogeneity& h = *f->heterogeneity;
    return Figure("异质性因子 h", h.h, "Pearson χ²/自由度",
                  "P<0.15, 已校正: 协方差×h, 可信限用" + TText(h));
}

ExtendedSection ModelSection(const MlModel& model, bool backgroundLeftOut) {
    const bool probit = model.link == ResponseLink::Probit;
    const std::string fit = probit ? "最大似然probit (Newton-Raphson)" : "最大似然logit (Newton-Raphson)";
    ExtendedSection section;
    section.caption = probit ? "最大似然probit模型 (Φ⁻¹(P) = a + b·log10(D))"
                             : "最大似然logit模型 (logit(P) = a + b·log10(D))";
    const MlModelFigures* f = model.figures ? &*model.figures : nullptr;
    const auto value = [&](double MlModelFigures::*member) {
        return f ? std::optional<double>(f->*member) : std::nullopt;
    };
    const std::string& why = model.reason;
    const std::optional<Heterogeneity> none;
    const std::optional<Heterogeneity>& heterogeneity = f ? f->heterogeneity : none;

    section.rows.push_back(Figure("截距 a", value(&MlModelFigures::intercept), fit,
                                  f ? "迭代至参数的相对步长<1e-10" : why));
    section.rows.push_back(Figure("斜率 b", value(&MlModelFigures::slope), fit, why));
    section.rows.push_back(Figure("斜率标准误 Sb", value(&MlModelFigures::slopeSE),
                                  heterogeneity ? "观察信息阵之逆×h" : "观察信息阵之逆", why));
    if (f) {
        ExtendedRow ld50 = DoseRow("LD50", f->ld50, heterogeneity ? "Fieller法 (异质性校正)" : "Fieller法", true);
        if (probit && f->ld50.dose) AddNote(ld50, text::kSheet1MethodForMl);
        section.rows.push_back(ld50);
    } else {
        section.rows.push_back(Figure("LD50", std::nullopt, "Fieller法", why));
    }
    section.rows.push_back(Figure("偏差 (deviance)", value(&MlModelFigures::deviance),
                                  "似然比偏差", why));
    section.rows.push_back(Figure("Pearson χ²", value(&MlModelFigures::pearsonChi2), "Pearson拟合优度",
                                  f ? "自由度 " + std::to_string(f->df) : why));
    section.rows.push_back(Figure("Pearson χ² 的P值", f ? f->pearsonP : std::nullopt, "χ²分布",
                                  f ? f->pearsonPReason : why));
    section.rows.push_back(HeterogeneityRow(f, why));
    section.rows.push_back(Figure("AIC", value(&MlModelFigures::aic), "−2logL + 2×2", why));
    if (backgroundLeftOut) AddNote(section.rows.front(), text::kBackgroundLeftOut);
    return section;
}

ExtendedSection LethalDoseSection(const BlissExtended& results) {
    ExtendedSection section;
    section.caption = "常用LDk (正规Bliss法可信限与Fieller可信限)";
    section.estimateHeader = "LDk";
    const std::optional<Heterogeneity> none;
    const std::optional<Heterogeneity>& heterogeneity =
        results.probit.figures ? results.probit.figures->heterogeneity : none;
    const std::string fieller =
        heterogeneity ? "Fieller法 (最大似然probit, 异质性校正)" : "Fieller法 (最大似然probit)";
    for (const CommonLDk& level : results.ldk) {
        const std::string item = "LD" + format::RoundedText(level.percent, 0);
        ExtendedRow classic = DoseRow(item, level.classic, "正规Bliss法", false);
        ExtendedRow ml = DoseRow(item, level.fieller, fieller, false);
        if (level.percent == 50) {
            if (level.classic.dose) AddNote(classic, text::kSheet1MethodForCalculator);
            if (level.fieller.dose) AddNote(ml, text::kSheet1MethodForMl);
        }
        section.rows.push_back(classic);
        section.rows.push_back(ml);
    }
    if (results.backgroundLeftOut) AddNote(section.rows.at(1), text::kBackgroundLeftOut);
    return section;
}

ExtendedSection BandSection(const BlissExtended& results) {
    ExtendedSection section;
    section.caption = "Probit拟合曲线及95%置信带";
    section.estimateHeader = "拟合阳性率";
    const bool scaled = results.probit.figures && results.probit.figures->heterogeneity;
    const std::string method =
        scaled ? "delta法 (线性预测值±t·SE, 异质性校正, " + TText(*results.probit.figures->heterogeneity) + ")"
               : std::string("delta法 (线性预测值±1.96SE)");
    for (const ProbitBandPoint& p : results.band) {
        section.rows.push_back(ExtendedRow{"剂量 " + DoseText(p.dose), p.fitted, p.lower, p.upper, method, ""});
    }
    if (section.rows.empty())
        section.rows.push_back(Figure("拟合阳性率", std::nullopt, "delta法", results.probit.reason));
    return section;
}

}  // namespace

void WriteExtendedResults(model::Workbook& book, const BlissExtended& results) {
    model::Sheet& sheet = report::AddExtendedSheet(book, text::kExtendedTitle);
    int row = 3;
    row = report::WriteExtendedSection(sheet, row, ModelSection(results.probit, results.backgroundLeftOut));
    row = report::WriteExtendedSection(sheet, row, ModelSection(results.logit, results.backgroundLeftOut));
    row = report::WriteExtendedSection(sheet, row, LethalDoseSection(results));
    row = report::WriteExtendedSection(sheet, row, BandSection(results));
    AddDoseResponseChart(sheet, row, results);
}

}  // namespace tavelmark::bliss
