#pragma once
// The extended results of the LDk comparison: every pair's P adjusted by Holm
// over all pairs, and the ratio of the two LD50 values with its 95 % limits.
#include <optional>
#include <string>
#include <vector>

#include "analyses/ldk_compare/ldk_compare.h"
#include "model/workbook.h"

namespace tavelmark::ldk_compare {

// Batch `first` against the later batch `second` (1-based, in grid order).
struct LDkPairExtended {
    int first = 0;
    int second = 0;
    double t = 0;
    std::optional<double> p;      // two-tailed, as the classic report computes it
    std::optional<double> pHolm;  // Holm's adjustment over all pairs of the set
    // LD50 of `first` over LD50 of `second`, limits from each batch's log-dose
    // standard error as its limits imply it exactly (not the test's
    // straight-line form) and the normal 97.5 % point.
    std::optional<double> ratio, ratioLower, ratioUpper;
    std::string pReason;      // why P or its adjustment is missing
    std::string ratioReason;  // why the ratio or its limits are missing
};

struct LDkExtended {
    std::vector<LDkPairExtended> pairs;  // (1,2), (1,3), ..., (2,3), ...
    std::string reason;                  // why there are no pairs
};

// From the batches and their compared pairs (CompareAllLDkPairs).
LDkExtended ComputeExtendedLDk(const std::vector<LDkBatch>& batches,
                               const std::vector<LDkPair>& pairs);

inline constexpr const char* kExtendedLDkTitle = "LDk两两对比 扩展结果";

// Adds the "扩展结果" sheet after the report's own.
void WriteExtendedResults(model::Workbook& book, const LDkExtended& results);

}  // namespace tavelmark::ldk_compare
