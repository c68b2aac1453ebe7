#include "analyses/means/significance.h"

namespace tavelmark::means {

const char* ConclusionText(std::optional<double> pTwoSided) {
    if (!pTwoSided) return kNotComputable;
    if (*pTwoSided > 0.05) return "差异无统计意义";
    if (*pTwoSided <= 0.01) return "差异有高度统计意义";
    return "差异有统计意义";
}

}  // namespace tavelmark::means
