#pragma once
// The first steps of the calculate command: how many values each group has
// and whether every one of them is a number.
#include <vector>

#include "model/input_grid.h"
#include "model/workbook.h"

namespace tavelmark::means {

inline constexpr const char* kMeansTooFewText = "数据量太少,无法计算";
inline constexpr const char* kMeansTooFewTitle = "数据量不足";
inline constexpr const char* kMeansBadCellText = "发现缺项或类型错误,请补足或校正后再计算";
inline constexpr const char* kMeansBadCellTitle = "缺项或类型错误！";

// Last filled row of each column, searching upward from the grid's last data
// row (values further down are never seen); 1 for an empty column.
struct MeansGroupRows {
    int lastRowT = 1;
    int lastRowR = 1;
    int n1() const { return lastRowT - 1; }
    int n2() const { return lastRowR - 1; }
};
MeansGroupRows FindMeansGroupRows(const model::GridSheet& sheet);

enum class MeansInputProblem { None, TooFew, BadCell };

struct MeansInput {
    MeansInputProblem problem = MeansInputProblem::None;
    model::CellRef badCell{};  // the first cell that is not a number
    std::vector<double> t;
    std::vector<double> r;
};

// Size check first (each group needs 3 values), then every cell of T, then of R.
MeansInput ReadMeansInput(const model::GridSheet& sheet, const MeansGroupRows& rows);

// Columns A and B of the grid from the headings row down to the larger of the
// two last rows, cell by cell, as the report's raw-data block copies them: a
// number stays a number, a text a text, anything else an empty cell.
struct MeansRawData {
    std::vector<model::ReportValue> t, r;  // index 0: the headings row
};
MeansRawData ReadMeansRawData(const model::GridSheet& sheet, const MeansGroupRows& rows);

}  // namespace tavelmark::means
