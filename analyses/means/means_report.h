#pragma once
// The two-group means report: the raw-data block in E:F, the main table with
// the recommended test, and the optional sections stacked from row 21.
#include "analyses/means/means_analysis.h"
#include "analyses/means/means_input.h"
#include "analyses/means/means_options.h"
#include "model/input_grid.h"
#include "model/workbook.h"

namespace tavelmark::means {

inline constexpr const char* kMeansReportTitle =
    "智能化两组均数分析(两组t检验，t'检验及非参检验)计算结果";
inline constexpr double kMeansColumnWidth = 10;
inline constexpr double kMeansColumnAWidth = 13.5;
inline constexpr int kMeansFirstSectionRow = 21;

// The grid's headings and data rows, cell by cell, into E5:F(m + 4).
void WriteRawDataBlock(model::Sheet& sheet, const MeansRawData& raw);

// Frame set-up, main table and the chosen sections.
void WriteMeansReport(model::Sheet& sheet, const MeansResults& results, const MeansOptions& options);

}  // namespace tavelmark::means
