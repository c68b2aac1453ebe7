#include "analyses/means/recommendation_texts.h"

#include "analyses/means/significance.h"
#include "format/number_text.h"

namespace tavelmark::means {

std::string StatisticText(const char* label, std::optional<double> statistic) {
    return std::string(label) + (statistic ? format::R4(*statistic) : std::string(kNotComputable));
}

const char* StatisticLabel(MeansMethod method) {
    switch (method) {
        case MeansMethod::TTest: return "t = ";
        case MeansMethod::TPrime: return "t' = ";
        // The rank test's statistic is the normal deviate z of the rank sum.
        // "U" is not Mann and Whitney's U here: the Chinese textbooks this
        // report follows write a standard normal deviate as u (the "u检验"),
        // and the report has always labelled z so.
        case MeansMethod::RankSum: return "U = ";
    }
    return "";
}

std::string ProfessionalConclusion(std::optional<double> pTwoSided, std::optional<double> meanT,
                                   std::optional<double> meanR) {
    if (!pTwoSided) return kNotComputable;
    if (*pTwoSided > 0.05) return "尚不足于下结论";
    if (!meanT || !meanR) return kNotComputable;
    if (*meanT > *meanR) return "T组>R组";
    if (*meanT < *meanR) return "T组<R组";
    return "";
}

RecommendationLines RecommendationFor(MeansMethod method) {
    switch (method) {
        case MeansMethod::TTest: return {"本例偏态不显著,方差齐性", "推荐选用t检验,非参检验结果可供参考"};
        case MeansMethod::TPrime: return {"本例方差不齐", "推荐选用t'检验,非参检验可供参考"};
        case MeansMethod::RankSum: return {"本例偏态显著", "推荐选用非参检验(W-M-W法)"};
    }
    return {"", ""};
}

}  // namespace tavelmark::means
