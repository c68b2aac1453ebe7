#pragma once
// The second sheet, "扩展结果": modern estimates beside the classic report.
// Every analysis writes it the same way, one row per figure: what it is, the
// estimate, its 95% limits, the method in a few words, and, where a figure
// cannot be computed, an empty cell with the reason beside it.
#include <optional>
#include <string>
#include <vector>

#include "model/workbook.h"

namespace tavelmark::report {

inline constexpr const char* kExtendedSheetName = "扩展结果";

struct ExtendedRow {
    std::string item;
    std::optional<double> estimate;
    std::optional<double> lower;  // 95% limits; both or neither
    std::optional<double> upper;
    std::string method;
    std::string note;  // why a figure is missing, or what it means
    std::string numberFormat = "0.0000";
    // An estimate or upper limit that is infinite in theory (a ratio whose
    // count sits at the end of its range): written as the text "∞", never as
    // a number, and it stands for the estimate beside its finite lower limit.
    bool estimateInfinite = false;
    bool upperInfinite = false;
};

struct ExtendedSection {
    std::string caption;
    std::vector<ExtendedRow> rows;
    // The estimate column's header; "估计值" unless the section says otherwise.
    std::string estimateHeader = "估计值";
};

// Columns of the sheet, 1-based.
inline constexpr int kExtendedItemColumn = 1;
inline constexpr int kExtendedEstimateColumn = 2;
inline constexpr int kExtendedLowerColumn = 3;
inline constexpr int kExtendedUpperColumn = 4;
inline constexpr int kExtendedMethodColumn = 5;
inline constexpr int kExtendedNoteColumn = 6;
// Their widths in characters: the longest method on one line, a note of a
// hundred and more characters on a few.
inline constexpr double kExtendedMethodWidth = 34;
inline constexpr double kExtendedNoteWidth = 46;

// A fresh "扩展结果" sheet after the report's own, with its title in A1;
// sections start on row 3.
model::Sheet& AddExtendedSheet(model::Workbook& book, const std::string& title);

// Writes a section from `row` on: caption, header, rows and the three rules of
// a table. An interval is written only with its estimate (an infinite one
// counts). Methods and notes wrap within their columns; a row they make
// taller is aligned to its top. Returns the row after the section's last,
// leaving one blank row before the next.
int WriteExtendedSection(model::Sheet& sheet, int row, const ExtendedSection& section);

// The number format of a P value: four decimals, or scientific form for one
// too small to show in four.
std::string ProbabilityNumberFormat(double p);

}  // namespace tavelmark::report
