#pragma once
// Pairwise comparison of the LD50 values of up to ten batches, each given as
// LD50 with its 95 % limit L95.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/input_grid.h"
#include "report/help_text.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::ldk_compare {

inline constexpr int kLDkFirstBatchRow = 2;
inline constexpr int kLDkMaxBatches = 10;

// One batch as the test uses it: x the log dose, s its standard error.
struct LDkBatch {
    double ld50 = 0;
    double l95 = 0;
    double x = 0;  // Log10(LD50)
    double s = 0;  // L95 / (4.5 LD50): 4.5 is the method's own rounding of 1.96 ln 10
};

LDkBatch MakeLDkBatch(double ld50, double l95);

struct LDkPairTest {
    double t = 0;
    std::optional<double> p;  // two-tailed, Student's t with 9999 df standing in for the normal
    std::string mark;         // " *" P <= 0.01, " +" P <= 0.05, " -" otherwise
};

LDkPairTest CompareLDkPair(const LDkBatch& a, const LDkBatch& b);
std::string SignificanceMark(double p);

// Batch `first` against the later batch `second`, 0-based in grid order.
struct LDkPair {
    std::size_t first = 0;
    std::size_t second = 0;
    LDkPairTest test;
};

// Every pair of the batches: (0,1), (0,2), ..., (1,2), ...
std::vector<LDkPair> CompareAllLDkPairs(const std::vector<LDkBatch>& batches);

// The grid as stored with the window, loaded when the window is created:
// one sheet, A1:C11 reachable, every cell centred in 宋体 11, column A 51.75
// points and B, C 69.75 points wide, B:C shown with four decimals.
void LoadLDkCompareWorkbook(model::InputGrid& grid);

// What the menu command writes each time: headings, batch labels, formats,
// blue boxes, the example data; selects A1. Other cells keep their values.
void WriteLDkCompareTemplate(model::InputGrid& grid);

report::HelpBox LDkCompareHelpBox();

// The comparison has no options dialog; its window and the command line
// offer the one choice it has.
struct LDkCompareOptions {
    bool extended = false;  // 扩展结果: the second sheet of modern estimates
};

// The calculate command. After an input message the user still gets the
// report's empty workbook (refused is set then).
report::ReportOutcome RunLDkCompare(model::InputGrid& grid, report::Prompter& prompter,
                                    const report::ReportContext& context,
                                    const LDkCompareOptions& options = {});

// Writes the report sheet for the compared pairs.
void WriteLDkCompareReport(model::Sheet& sheet, const std::vector<LDkPair>& pairs);

}  // namespace tavelmark::ldk_compare
