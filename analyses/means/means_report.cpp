#include "analyses/means/means_report.h"

#include "analyses/means/means_sections.h"

#include <string>

#include "analyses/means/recommendation_texts.h"
#include "analyses/means/significance.h"
#include "report/report_frame.h"

namespace tavelmark::means {

using model::BorderWeight, model::CellRef, model::HAlign, model::RangeRef, model::ReadingOrder,
    model::Sheet, model::VAlign;

namespace {

constexpr int kColumnA = 1, kColumnB = 2, kColumnC = 3;

// Writes a number, or leaves the cell empty when it could not be computed.
void Put(Sheet& sheet, int row, int column, std::optional<double> v) {
    if (v) sheet.setValue(CellRef{row, column}, *v);
}
void Put(Sheet& sheet, int row, int column, const std::string& text) {
    sheet.setValue(CellRef{row, column}, text);
}
void Label(Sheet& sheet, int row, const char* text) { Put(sheet, row, kColumnA, text); }

RangeRef Block(int firstRow, int firstColumn, int lastRow, int lastColumn) {
    return {{firstRow, firstColumn}, {lastRow, lastColumn}};
}
RangeRef RowAToC(int row) { return Block(row, kColumnA, row, kColumnC); }

void Rule(Sheet& sheet, int row, BorderWeight weight) {
    sheet.setBottomBorder(RowAToC(row), weight);
}

void CentreAcross(Sheet& sheet, const RangeRef& r) {
    sheet.setHorizontalAlignment(r, HAlign::CenterAcrossSelection);
    sheet.setVerticalAlignment(r, VAlign::Center);
    sheet.setReadingOrder(r, ReadingOrder::Context);
}

void Caption(Sheet& sheet, int row, const char* text) {
    Label(sheet, row, text);
    Rule(sheet, row, BorderWeight::Medium);
}

void WriteMainTable(Sheet& sheet, const MeansResults& m) {
    Caption(sheet, 4, "计算结果");
    Label(sheet, 5, "组  别");
    Put(sheet, 5, kColumnB, "T组");
    Put(sheet, 5, kColumnC, "R组");
    Label(sheet, 6, "均数");
    Put(sheet, 6, kColumnB, m.t.mean);
    Put(sheet, 6, kColumnC, m.r.mean);
    Label(sheet, 7, "标准差");
    Put(sheet, 7, kColumnB, m.t.sd);
    Put(sheet, 7, kColumnC, m.r.sd);
    Label(sheet, 8, "例数");
    Put(sheet, 8, kColumnB, static_cast<double>(m.t.n));
    Put(sheet, 8, kColumnC, static_cast<double>(m.r.n));

    const RecommendedTest& rec = m.recommended;
    Label(sheet, 9, "显著性检验统计量");
    Put(sheet, 9, kColumnB, StatisticText(StatisticLabel(rec.method), rec.statistic));
    Label(sheet, 10, "P值(双侧)");
    Put(sheet, 10, kColumnB, rec.pTwoSided);
    Label(sheet, 11, "P值(单侧)");
    if (rec.method == MeansMethod::RankSum)
        Put(sheet, 11, kColumnB, std::string());
    else
        Put(sheet, 11, kColumnB, rec.pOneSided);
    Label(sheet, 12, "统计结论(双侧)");
    Put(sheet, 12, kColumnB, ConclusionText(rec.pTwoSided));
    Label(sheet, 13, "专业结论(双侧)");
    const std::string professional = ProfessionalConclusion(rec.pTwoSided, m.t.mean, m.r.mean);
    if (!professional.empty()) Put(sheet, 13, kColumnB, professional);
    Label(sheet, 14, "置信度α");
    Put(sheet, 14, kColumnB, rec.power.alpha);
    Label(sheet, 15, "把握度(1-β)");
    Put(sheet, 15, kColumnB, rec.power.power);
    Label(sheet, 17, "方法推荐");
    const RecommendationLines lines = RecommendationFor(rec.method);
    Label(sheet, 18, lines.first);
    Label(sheet, 19, lines.second);

    Rule(sheet, 5, BorderWeight::Thin);
    Rule(sheet, 8, BorderWeight::Thin);
    Rule(sheet, 13, BorderWeight::Thin);
    Rule(sheet, 15, BorderWeight::Medium);
    Rule(sheet, 17, BorderWeight::Medium);
    Rule(sheet, 19, BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(5, kColumnB, 8, kColumnC), HAlign::Center);
    CentreAcross(sheet, Block(9, kColumnB, 15, kColumnC));
}

void WriteTwoSidedOneSided(Sheet& sheet, int row) {
    Put(sheet, row, kColumnB, "双侧");
    Put(sheet, row, kColumnC, "单侧");
}

// The rows "P值=", "T0.05=", "T0.01=" and "结论(双侧)" of one t-type test.
void WritePAndCritical(Sheet& sheet, int row, std::optional<double> pTwo,
                       std::optional<double> pOne, const TCriticalValues& c) {
    Label(sheet, row, "P值=");
    Put(sheet, row, kColumnB, pTwo);
    Put(sheet, row, kColumnC, pOne);
    Label(sheet, row + 1, "T0.05=");
    Put(sheet, row + 1, kColumnB, c.twoSided05);
    Put(sheet, row + 1, kColumnC, c.oneSided05);
    Label(sheet, row + 2, "T0.01=");
    Put(sheet, row + 2, kColumnB, c.twoSided01);
    Put(sheet, row + 2, kColumnC, c.oneSided01);
    Label(sheet, row + 3, "结论(双侧)");
    Put(sheet, row + 3, kColumnB, ConclusionText(pTwo));
}

int WriteTTestsSection(Sheet& sheet, int r, const MeansResults& m) {
    Label(sheet, r + 1, "方差相齐用t检验");
    WriteTwoSidedOneSided(sheet, r + 2);
    Label(sheet, r + 3, "t值=");
    Put(sheet, r + 3, kColumnB, m.studentT.t);
    Label(sheet, r + 4, "自由度=");
    Put(sheet, r + 4, kColumnB, m.studentT.df);
    WritePAndCritical(sheet, r + 5, m.studentT.pTwoSided, m.studentT.pOneSided,
                      m.studentT.critical);

    Label(sheet, r + 9, "方差不齐时用t'检验");
    Label(sheet, r + 10, "1、校正自由度法");
    WriteTwoSidedOneSided(sheet, r + 11);
    const WelchTypeTest& corrected = m.tPrime.correctedDf;
    Label(sheet, r + 12, "t'值=");
    Put(sheet, r + 12, kColumnB, corrected.t);
    Label(sheet, r + 13, "自由度=");
    Put(sheet, r + 13, kColumnB, corrected.df);
    WritePAndCritical(sheet, r + 14, corrected.pTwoSided, corrected.pOneSided,
                      corrected.critical);

    const CochranCoxTest& cc = m.tPrime.cochranCox;
    Label(sheet, r + 18, "2、校正临界值(Cochran-Cox近似法)");
    Put(sheet, r + 19, kColumnB, "双侧");
    Label(sheet, r + 20, "t'值=");
    Put(sheet, r + 20, kColumnB, cc.t);
    Label(sheet, r + 21, "自由度=");
    Put(sheet, r + 21, kColumnB, cc.df);
    Label(sheet, r + 22, "P值=");
    Put(sheet, r + 22, kColumnB, CochranCoxRangeText(cc.range));
    Label(sheet, r + 23, "T'0.05=");
    Put(sheet, r + 23, kColumnB, cc.critical05);
    Label(sheet, r + 24, "T'0.01=");
    Put(sheet, r + 24, kColumnB, cc.critical01);
    Label(sheet, r + 25, "结论(双侧)");
    Put(sheet, r + 25, kColumnB, CochranCoxConclusion(cc.range));

    const WelchTypeTest& welch = m.tPrime.satterthwaite;
    Label(sheet, r + 26, "3、Satterthwaite(即Welch-Aspin)");
    WriteTwoSidedOneSided(sheet, r + 27);
    Label(sheet, r + 28, "t'值=");
    Put(sheet, r + 28, kColumnB, welch.t);
    Label(sheet, r + 29, "自由度=");
    Put(sheet, r + 29, kColumnB, welch.df);
    WritePAndCritical(sheet, r + 30, welch.pTwoSided, welch.pOneSided, welch.critical);

    Rule(sheet, r + 8, BorderWeight::Thin);
    Rule(sheet, r + 17, BorderWeight::Thin);
    Rule(sheet, r + 25, BorderWeight::Thin);
    Rule(sheet, r + 33, BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(r + 2, kColumnB, r + 33, kColumnC), HAlign::Center);
    for (int pair : {r + 3, r + 12, r + 28}) CentreAcross(sheet, Block(pair, kColumnB, pair + 1, kColumnC));
    return r + 33;
}

int WriteDescriptionSection(Sheet& sheet, int r, const MeansResults& m) {
    Put(sheet, r + 1, kColumnB, "T组");
    Put(sheet, r + 1, kColumnC, "R组");
    using Field = std::optional<double> GroupDescription::*;
    const std::pair<const char*, Field> rows[] = {
        {"最大值", &GroupDescription::maximum},        {"最小值", &GroupDescription::minimum},
        {"中位数", &GroupDescription::median},         {"1/4位数", &GroupDescription::lowerQuartile},
        {"3/4位数", &GroupDescription::upperQuartile}, {"众数", &GroupDescription::mode},
        {"调和均数", &GroupDescription::harmonicMean}, {"几何均数", &GroupDescription::geometricMean},
        {"偏斜度", &GroupDescription::skewness},       {"峰度", &GroupDescription::kurtosis},
        {"95%可信限", &GroupDescription::halfWidth95}, {"99%可信限", &GroupDescription::halfWidth99},
    };
    int row = r + 2;
    for (const auto& [label, field] : rows) {
        Label(sheet, row, label);
        Put(sheet, row, kColumnB, m.t.*field);
        Put(sheet, row, kColumnC, m.r.*field);
        ++row;
    }
    Rule(sheet, r + 1, BorderWeight::Thin);
    Rule(sheet, r + 13, BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(r + 1, kColumnB, r + 13, kColumnC), HAlign::Center);
    return r + 13;
}

int WriteSampleSizeSection(Sheet& sheet, int r, const MeansResults& m) {
    Label(sheet, r + 1, "把握度(1-β)");
    Put(sheet, r + 1, kColumnB, "达P≤0.05所需例数");
    int row = r + 2;
    for (const auto& line : m.sampleSizes) {
        Label(sheet, row, line.power);
        Put(sheet, row, kColumnB, line.perGroup);
        ++row;
    }
    Rule(sheet, r + 1, BorderWeight::Thin);
    Rule(sheet, r + 5, BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(r + 2, kColumnA, r + 5, kColumnC), HAlign::Center);
    return r + 5;
}

int WriteEquivalenceSection(Sheet& sheet, int r, const MeansResults& m) {
    Label(sheet, r + 1, "等效标准");
    Put(sheet, r + 1, kColumnB, "均数差上限值");
    Put(sheet, r + 1, kColumnC, "结论");
    int row = r + 2;
    for (const auto& line : m.equivalence) {
        Label(sheet, row, line.margin);
        Put(sheet, row, kColumnB, line.limit);
        Put(sheet, row, kColumnC, EquivalenceText(line.equivalent));
        ++row;
    }
    Rule(sheet, r + 1, BorderWeight::Thin);
    Rule(sheet, r + 6, BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(r + 1, kColumnB, r + 6, kColumnC), HAlign::Center);
    return r + 6;
}

int WriteRankSumSection(Sheet& sheet, int r, const MeansResults& m) {
    Label(sheet, r + 1, "U值=");
    Put(sheet, r + 1, kColumnB, m.rankSum.z);
    Label(sheet, r + 2, "P值=");
    Put(sheet, r + 2, kColumnB, m.rankSum.pTwoSided);
    Label(sheet, r + 3, "结论");
    Put(sheet, r + 3, kColumnB, ConclusionText(m.rankSum.pTwoSided));
    Rule(sheet, r + 3, BorderWeight::Medium);
    return r + 3;
}

std::string StatusText(std::optional<NormalityStatus> s) {
    return s ? NormalityText(*s) : kNotComputable;
}

int WriteNormalitySection(Sheet& sheet, int r, const MeansResults& m) {
    Put(sheet, r + 1, kColumnB, "对称性");
    Put(sheet, r + 1, kColumnC, "峰坡性");
    Label(sheet, r + 2, "T组");
    Put(sheet, r + 2, kColumnB, StatusText(m.normalityT.symmetry));
    Put(sheet, r + 2, kColumnC, StatusText(m.normalityT.peakedness));
    Label(sheet, r + 3, "R组");
    Put(sheet, r + 3, kColumnB, StatusText(m.normalityR.symmetry));
    Put(sheet, r + 3, kColumnC, StatusText(m.normalityR.peakedness));
    Rule(sheet, r + 1, BorderWeight::Thin);
    Rule(sheet, r + 3, BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(r + 1, kColumnA, r + 3, kColumnC), HAlign::Center);
    return r + 3;
}

int WriteVarianceSection(Sheet& sheet, int r, const MeansResults& m) {
    Label(sheet, r + 1, "F值=");
    Put(sheet, r + 1, kColumnB, m.variance.f);
    Label(sheet, r + 2, "F0.05=");
    Put(sheet, r + 2, kColumnB, m.variance.f05);
    Label(sheet, r + 3, "方差齐性");
    Put(sheet, r + 3, kColumnB,
        m.variance.homogeneous ? std::string(VarianceText(*m.variance.homogeneous))
                               : std::string(kNotComputable));
    Rule(sheet, r + 3, BorderWeight::Medium);
    return r + 3;
}

}  // namespace

const std::array<MeansSection, 7> kMeansSections = {{
    {&MeansOptions::tTests, "t和t'检验结果", "t-tests", 3, WriteTTestsSection},
    {&MeansOptions::description, "统计描述", "descriptive", 4, WriteDescriptionSection},
    {&MeansOptions::sampleSize, "例数估算", "sample-size", 5, WriteSampleSizeSection},
    {&MeansOptions::equivalence, "等效性检验", "equivalence", 6, WriteEquivalenceSection},
    {&MeansOptions::rankSum, "非参检验(W-M-W法)", "rank-sum", 7, WriteRankSumSection},
    {&MeansOptions::normality, "正态性检验", "normality", 8, WriteNormalitySection},
    {&MeansOptions::variance, "方差齐性检验", "variance", 9, WriteVarianceSection},
}};

void WriteRawDataBlock(Sheet& sheet, const MeansRawData& raw) {
    constexpr int kColumnE = 5, kColumnF = 6;
    const int lastRow = static_cast<int>(raw.t.size());
    sheet.setValue(CellRef{4, kColumnE}, std::string("原始数据"));
    for (int row = 1; row <= lastRow; ++row) {
        sheet.setValue(CellRef{row + 4, kColumnE}, raw.t[row - 1]);
        sheet.setValue(CellRef{row + 4, kColumnF}, raw.r[row - 1]);
    }
    sheet.setBottomBorder(Block(4, kColumnE, 4, kColumnF), BorderWeight::Medium);
    sheet.setBottomBorder(Block(5, kColumnE, 5, kColumnF), BorderWeight::Thin);
    sheet.setBottomBorder(Block(lastRow + 4, kColumnE, lastRow + 4, kColumnF), BorderWeight::Medium);
    sheet.setHorizontalAlignment(Block(4, kColumnE, 10000, kColumnF), HAlign::Center);
}

void WriteMeansReport(Sheet& sheet, const MeansResults& results, const MeansOptions& options) {
    report::SetUpReportSheet(sheet, {kMeansColumnWidth, kMeansColumnAWidth, kMeansReportTitle});
    WriteMainTable(sheet, results);

    // Each chosen section starts one blank row below the one before.
    int row = kMeansFirstSectionRow;
    for (const MeansSection& section : kMeansSections) {
        if (!(options.*section.chosen)) continue;
        Caption(sheet, row, section.caption);
        row = section.write(sheet, row, results) + 2;
    }
}

}  // namespace tavelmark::means
