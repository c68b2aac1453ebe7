#include "analyses/multigroup/multigroup_analysis.h"

#include <algorithm>
#include <cmath>

#include "analyses/multigroup/multigroup_texts.h"
#include "analyses/multigroup/p_text.h"

namespace tavelmark::multigroup {

namespace {

constexpr double kDecisionLevel = 0.05;

std::string ShapiroWilkPhrase(const NormalityCheck& residuals) {
    return "Shapiro-Wilk检验 P" + std::string(residuals.test->p < kSmallestShownP ? "" : "=") +
           PText(residuals.test->p);
}

std::string LevenePhrase(const FTest& levene) {
    return "Levene检验(中位数法) P" + std::string(*levene.p < kSmallestShownP ? "" : "=") + PText(*levene.p);
}

// The follow-up comparisons of a path, led by the one the window asked for.
std::string FollowUps(MultigroupPath path, MultigroupFocus focus, const std::string& reference) {
    std::string againstReference, allPairs;
    switch (path) {
        case MultigroupPath::Anova:
            againstReference = "与" + reference + "比较用Dunnett法";
            allPairs = "两两比较用Tukey法";
            break;
        case MultigroupPath::Welch:
            againstReference = "与" + reference + "比较用Welch t检验(Šidák校正)";
            allPairs = "两两比较用Games-Howell法";
            break;
        case MultigroupPath::KruskalWallis:
            againstReference = "与" + reference + "比较及两两比较均用Dunn法(Holm校正)";
            return againstReference;
    }
    return focus == MultigroupFocus::AgainstReference ? againstReference + "," + allPairs
                                                      : allPairs + "," + againstReference;
}

struct Choice {
    MultigroupPath path;
    std::string why;
};

Choice ChoosePath(const MultigroupResults& r, const MultigroupOptions& options) {
    const bool residualsTested = r.residuals.test.has_value();
    const bool normal = !residualsTested || r.residuals.test->p >= kDecisionLevel;
    if (!normal) return {MultigroupPath::KruskalWallis, "残差不符合正态分布(" + ShapiroWilkPhrase(r.residuals) + ")"};

    const std::string normalPhrase =
        residualsTested ? "残差符合正态分布(" + ShapiroWilkPhrase(r.residuals) + ")" : "残差正态性无法检验";
    std::string why;
    if (options.alwaysUnequalVariances) {
        why = normalPhrase + ",按“始终按方差不齐处理”的设置";
    } else if (!r.leveneMedian.p) {
        why = normalPhrase + ",方差齐性无法检验(Levene检验" + r.leveneMedian.why + "),按方差不齐处理";
    } else if (*r.leveneMedian.p < kDecisionLevel) {
        why = normalPhrase + "但方差不齐(" + LevenePhrase(r.leveneMedian) + ")";
    } else if (r.anova.f) {
        return {MultigroupPath::Anova, normalPhrase + "且方差齐(" + LevenePhrase(r.leveneMedian) + ")"};
    } else {
        why = normalPhrase + ",但各组组内方差为0,方差分析不能计算";
    }
    if (r.welch.f) return {MultigroupPath::Welch, why};
    return {MultigroupPath::KruskalWallis, why + ",且有组标准差为0,Welch法不能计算"};
}

std::string PathName(MultigroupPath path) {
    switch (path) {
        case MultigroupPath::Anova: return "单因素方差分析";
        case MultigroupPath::Welch: return "Welch方差分析";
        case MultigroupPath::KruskalWallis: return "Kruskal-Wallis秩和检验";
    }
    return {};
}

// A figure the arithmetic could not finish (an overflow, 0/0) is one that
// could not be computed, and says so.
void Settle(std::optional<double>& value, std::string& why) {
    if (value && !std::isfinite(*value)) value.reset();
    if (!value && why.empty()) why = text::kNotComputable;
}

void Settle(std::vector<Comparison>& list) {
    for (Comparison& c : list) {
        Settle(c.p, c.why);
        if (!c.p || !c.se || !std::isfinite(*c.se) || !c.statistic || !std::isfinite(*c.statistic)) {
            c.p.reset();
            c.lower.reset();
            c.upper.reset();
            if (c.why.empty()) c.why = text::kNotComputable;
        }
        if (c.lower && c.upper && !(std::isfinite(*c.lower) && std::isfinite(*c.upper))) {
            c.lower.reset();
            c.upper.reset();
        }
    }
}

void Settle(FTest& test) {
    Settle(test.p, test.why);
    if (!test.p) test.f.reset();
}

std::vector<double> Residuals(const MultigroupInput& input, const std::vector<GroupSummary>& summaries) {
    std::vector<double> residuals;
    for (std::size_t g = 0; g < input.values.size(); ++g)
        for (double x : input.values[g]) residuals.push_back(x - summaries[g].mean);
    return residuals;
}

}  // namespace

const std::vector<Comparison>& MultigroupResults::againstReference() const {
    switch (path) {
        case MultigroupPath::Anova: return dunnett.rows;
        case MultigroupPath::Welch: return welchSidak.rows;
        case MultigroupPath::KruskalWallis: return dunnAgainstReference;
    }
    return dunnett.rows;
}

const std::vector<Comparison>& MultigroupResults::pairs() const {
    switch (path) {
        case MultigroupPath::Anova: return tukey;
        case MultigroupPath::Welch: return gamesHowell;
        case MultigroupPath::KruskalWallis: return dunnPairs;
    }
    return tukey;
}

MultigroupResults ComputeMultigroup(const MultigroupInput& input, const MultigroupOptions& options) {
    MultigroupResults r;
    const int k = static_cast<int>(input.values.size());
    for (const auto& values : input.values) {
        r.summaries.push_back(SummariseGroup(values));
        r.outliers.push_back(CheckOutlier(values, r.summaries.back()));
        r.normality.push_back(CheckNormality(values));
    }
    r.residuals = CheckNormality(Residuals(input, r.summaries));

    r.leveneMedian = LeveneTest(input.values, r.summaries, true);
    r.leveneMean = LeveneTest(input.values, r.summaries, false);
    r.bartlett = BartlettTest(r.summaries);
    Settle(r.bartlett.p, r.bartlett.why);
    if (!r.bartlett.p) r.bartlett.statistic.reset();

    r.anova = OneWayAnova(input.values, r.summaries);
    r.welch = WelchAnova(r.summaries);
    r.brownForsythe = BrownForsytheAnova(r.summaries);
    for (FTest* test : {&r.leveneMedian, &r.leveneMean, &r.welch, &r.brownForsythe}) Settle(*test);
    if (r.anova.f) Settle(r.anova.p, r.anova.why);
    if (!r.anova.p) r.anova.f.reset();
    r.ranks = RankPooled(input.values);
    r.kruskalWallis = KruskalWallisTest(r.ranks);
    r.eta = EtaSquaredOf(r.anova);
    r.omega = OmegaSquaredOf(r.anova);

    const Choice choice = ChoosePath(r, options);
    r.path = choice.path;
    r.recommendation = choice.why + ",故采用" + PathName(r.path) + ";" +
                       FollowUps(r.path, options.focus, input.names[input.reference]) + "。";

    for (int g = 0; g < k; ++g)
        if (g != input.reference && g != input.normalControl) r.treatments.push_back(g);
    // The other paths' methods whose integrals are the costly part are
    // computed for the 扩展结果 sheet only.
    const bool anovaMethods = options.extended || r.path == MultigroupPath::Anova;
    const bool welchMethods = options.extended || r.path == MultigroupPath::Welch;
    if (anovaMethods) r.dunnett = Dunnett(r.summaries, r.anova, input.reference, r.treatments);
    r.welchSidak = WelchSidak(r.summaries, input.reference, r.treatments);
    std::vector<std::pair<int, int>> referencePairs;
    for (int t : r.treatments) referencePairs.emplace_back(input.reference, t);
    r.dunnAgainstReference = DunnHolm(r.ranks, referencePairs);
    if (input.normalControl) {
        const int normal = *input.normalControl;
        switch (r.path) {
            case MultigroupPath::Anova:
                r.normalComparison = Dunnett(r.summaries, r.anova, normal, {input.reference}).rows.front();
                break;
            case MultigroupPath::Welch:
                r.normalComparison = WelchSidak(r.summaries, normal, {input.reference}).rows.front();
                break;
            case MultigroupPath::KruskalWallis:
                r.normalComparison = DunnHolm(r.ranks, {{normal, input.reference}}).front();
                break;
        }
    }

    const std::vector<std::optional<double>> rangePoints = RangePoints(k, r.anova);
    if (anovaMethods) r.tukey = TukeyKramer(r.summaries, r.anova, rangePoints[k]);
    if (welchMethods) r.gamesHowell = GamesHowell(r.summaries);
    r.lsd = LeastSignificantDifference(r.summaries, r.anova);
    r.bonferroni = Bonferroni(r.summaries, r.anova);
    r.tamhane = TamhaneT2(r.summaries);
    r.dunnPairs = DunnHolm(r.ranks, AllPairs(k));
    r.snk = StudentNewmanKeuls(r.summaries, r.anova, rangePoints);

    for (auto* list : {&r.dunnett.rows, &r.welchSidak.rows, &r.dunnAgainstReference, &r.tukey, &r.gamesHowell, &r.lsd,
                       &r.bonferroni, &r.tamhane, &r.dunnPairs})
        Settle(*list);
    if (r.normalComparison) {
        std::vector<Comparison> one{*r.normalComparison};
        Settle(one);
        r.normalComparison = one.front();
    }
    return r;
}

}  // namespace tavelmark::multigroup
