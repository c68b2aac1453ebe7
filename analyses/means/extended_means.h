#pragma once
// The extended results of the two-group means analysis, all differences
// T − R: the mean difference with pooled and Welch limits, Cohen's d and
// Hedges' g with their limits, the Hodges–Lehmann shift and the rank-sum P,
// and for the box plot each group's values and quartiles. A figure that cannot
// be computed is empty with the reason beside it; nothing here is NaN or
// infinity.
#include <optional>
#include <string>

#include "analyses/means/box_plot.h"
#include "analyses/means/effect_sizes.h"
#include "analyses/means/means_input.h"
#include "analyses/means/mean_difference.h"
#include "analyses/means/rank_shift.h"
#include "model/workbook.h"

namespace tavelmark::means {

struct ExtendedMeans {
    BoxPlotFigures boxT, boxR;
    std::optional<double> meanT, meanR;
    std::optional<double> difference;  // mean T − mean R
    MeanDifferenceInterval pooled;     // Student's t, pooled variance
    MeanDifferenceInterval welch;      // Welch's t, Satterthwaite's fractional df
    EffectSizes effect;
    RankShift rank;
};

// From the groups the input check has accepted (in grid order).
ExtendedMeans ComputeExtendedMeans(const MeansInput& input);

inline constexpr const char* kExtendedMeansTitle = "两组均数分析 扩展结果";

// Adds the "扩展结果" sheet after the report's own.
void WriteExtendedResults(model::Workbook& book, const ExtendedMeans& results);

}  // namespace tavelmark::means
