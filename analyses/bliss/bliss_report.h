#pragma once
// The Bliss report: the main results table, the optional intermediate,
// Fieller and heterogeneity tables, and the Yr-X chart.
#include <string>

#include "analyses/bliss/bliss_types.h"
#include "model/workbook.h"

namespace tavelmark::bliss {

inline constexpr const char* kBlissReportTitle = "Bliss法(正规LD50计算)计算结果";
inline constexpr double kBlissColumnWidth = 13.5;
// The first optional table always starts here; the chart's ranges rely on it.
inline constexpr int kBlissFirstOptionalRow = 16;

// Writes everything below the frame's title rows into a sheet that the frame
// has set up; c is the background mortality as a fraction.
void WriteBlissReport(model::Sheet& sheet, const BlissFit& fit, double c, const BlissOptions& options);

// The Yr-X chart over the intermediate table of k groups (rows 18 to 17 + k).
model::Chart BlissChart(int groupCount);

// v with up to `digits` significant digits, never in exponent form, no
// trailing zeros ("85", "83.3333333333333", "0.5").
std::string SignificantText(double v, int digits = 15);

}  // namespace tavelmark::bliss
