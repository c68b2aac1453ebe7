#pragma once
// The calculate command of the two-group means window.
#include "analyses/means/means_options.h"
#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::means {

inline constexpr const char* kOutlierTitle = "是否删除离群值?";
inline constexpr const char* kRecalculateText = "删除离群值后,请按计算按纽以重新计算";
inline constexpr const char* kRecalculateTitle = "请重新计算！";

// Reads and checks the grid's active sheet, asks about each Grubbs outlier,
// and writes the report. No workbook when an input check refused the data
// (refused is set) or when the user had an outlier deleted (refused is not
// set: the grid changed and waits for a new calculation).
report::ReportOutcome RunMeans(model::InputGrid& grid, const MeansOptions& options,
                               report::Prompter& prompter, const report::ReportContext& context);

// The outlier question's text: "T组中发现离群值59,是否删除".
std::string OutlierQuestion(char group, double value);

// Takes a value out of its column: the cells below it move up one row and the
// column's last cell is emptied. The other column is not touched.
void DeleteGridValue(model::GridSheet& sheet, model::CellRef cell, int lastRow);

}  // namespace tavelmark::means
