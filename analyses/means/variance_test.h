#pragma once
// Variance-ratio F test: the larger variance on top, compared with the upper
// 5% point of F.
#include <optional>

namespace tavelmark::means {

struct VarianceTest {
    std::optional<double> f;
    std::optional<double> f05;
    int numeratorDf = 0;
    int denominatorDf = 0;
    // "方差相齐" / "方差不齐"; empty when an SD is missing.
    std::optional<bool> homogeneous;
};
const char* VarianceText(bool homogeneous);

VarianceTest TestVariances(int n1, std::optional<double> sd1, int n2, std::optional<double> sd2);

}  // namespace tavelmark::means
