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
    return row;
}

ExtendedRow Figure(std::string item, std::optional<double> value, std::string method,
                   std::string note = {}) {
    return ExtendedRow{std::move(item), value, std::nullopt, std::nullopt, std::move(method),
                       std::move(note)};
}

ExtendedSection ModelSection(const MlModel& model, bool backgroundLeftOut) {
    const bool probit = model.link == ResponseLink::Probit;
    const std::string fit = probit ? "最大似然probit (IRLS)" : "最大似然logit (IRLS)";
    ExtendedSection section;
    section.caption = probit ? "最大似然probit模型 (Y = a + b·log10(D))"
                             : "最大似然logit模型 (logit(p) = a + b·log10(D))";
    const MlModelFigures* f = model.figures ? &*model.figures : nullptr;
    const auto value = [&](double MlModelFigures::*member) {
        return f ? std::optional<double>(f->*member) : std::nullopt;
    };
    const std::string& why = model.reason;

    section.rows.push_back(Figure("截距 a", value(&MlModelFigures::intercept), fit, why));
    section.rows.push_back(Figure("斜率 b", value(&MlModelFigures::slope), fit, why));
    section.rows.push_back(
        Figure("斜率标准误 Sb", value(&MlModelFigures::slopeSE), "Fisher信息阵", why));
    if (f) {
        section.rows.push_back(DoseRow("LD50", f->ld50, "Fieller法", true));
    } else {
        section.rows.push_back(Figure("LD50", std::nullopt, "Fieller法", why));
    }
    section.rows.push_back(Figure("偏差 (deviance)", value(&MlModelFigures::deviance),
                                  "似然比偏差", why));
    section.rows.push_back(Figure("Pearson χ²", value(&MlModelFigures::pearsonChi2), "Pearson拟合优度",
                                  f ? "自由度 " + std::to_string(f->df) : why));
    section.rows.push_back(Figure("Pearson χ² 的P值", f ? f->pearsonP : std::nullopt, "χ²分布",
                                  f ? f->pearsonPReason : why));
    section.rows.push_back(Figure("AIC", value(&MlModelFigures::aic), "−2logL + 2×2", why));
    if (backgroundLeftOut) AddNote(section.rows.front(), text::kBackgroundLeftOut);
    return section;
}

ExtendedSection LethalDoseSection(const BlissExtended& results) {
    ExtendedSection section;
    section.caption = "常用LDk (正规Bliss法可信限与Fieller可信限)";
    section.estimateHeader = "LDk";
    for (const CommonLDk& level : results.ldk) {
        const std::string item = "LD" + format::RoundedText(level.percent, 0);
        section.rows.push_back(DoseRow(item, level.classic, "正规Bliss法", false));
        section.rows.push_back(DoseRow(item, level.fieller, "Fieller法 (最大似然probit)", false));
    }
    if (results.backgroundLeftOut) AddNote(section.rows.at(1), text::kBackgroundLeftOut);
    return section;
}

ExtendedSection BandSection(const BlissExtended& results) {
    ExtendedSection section;
    section.caption = "Probit拟合曲线及95%置信带";
    section.estimateHeader = "拟合阳性率";
    for (const ProbitBandPoint& p : results.band) {
        section.rows.push_back(ExtendedRow{"剂量 " + DoseText(p.dose), p.fitted, p.lower, p.upper,
                                           "delta法 (线性预测值±1.96SE)", ""});
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
