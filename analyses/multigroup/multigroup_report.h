#pragma once
// Sheet1 of the report, in this order: the recommendation, the descriptive
// statistics with the significance marks, the checks of the assumptions, the
// table of the chosen path (analysis of variance, Welch or Kruskal–Wallis),
// the comparisons against the reference group, all pairs, and the further
// tests labelled as what they are; then the chart and the numbers it is
// drawn from. The writer only writes.
#include <string>
#include <vector>

#include "analyses/multigroup/multigroup_analysis.h"
#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_options.h"
#include "model/workbook.h"

namespace tavelmark::multigroup {

inline constexpr double kColumnWidth = 11;
inline constexpr double kFirstColumnWidth = 18;

// The report title of the window the analysis was opened from.
const char* MultigroupReportTitle(const MultigroupOptions& options);

void WriteMultigroupReport(model::Sheet& sheet, const MultigroupInput& input, const MultigroupResults& results,
                           const MultigroupOptions& options);

// Each group's mark against the reference ("*", "**"), the reference's
// against the normal control ("#", "##"), by the chosen path's P values.
std::vector<std::string> GroupMarks(const MultigroupInput& input, const MultigroupResults& results);

// "trt2 - trt1": the second group's name, then the first's.
std::string PairName(const MultigroupInput& input, int first, int second);

}  // namespace tavelmark::multigroup
