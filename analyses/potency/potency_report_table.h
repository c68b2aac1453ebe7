#pragma once
// A table of the potency report as the writer lays it out: a caption row
// (with a remark beside the caption), a header row, the data rows with each
// cell's number format, and notes under the rules.
#include <optional>
#include <string>
#include <vector>

#include "analyses/potency/potency_data.h"
#include "model/workbook.h"

namespace tavelmark::potency {

struct TableCell {
    model::ReportValue value;
    std::string numberFormat;  // empty: general
};

struct ReportTable {
    std::string caption;
    std::string remark;  // beside the caption, from column E
    std::vector<std::string> headers;
    std::vector<std::vector<TableCell>> rows;
    std::vector<std::string> notes;
};

// Number formats: fixed decimals padded like the Bliss report's.
inline constexpr const char* kFourDecimals = "0.0000_ ";
inline constexpr const char* kTwoDecimals = "0.00_ ";
inline constexpr const char* kWhole = "0_ ";

// A number in a format that keeps its significant digits: four decimals,
// scientific where that would show fewer than two digits or an absurd width.
TableCell Number(std::optional<double> v, const char* fixed = kFourDecimals);
TableCell Probability(std::optional<double> p);
TableCell Whole(int v);
TableCell Words(std::string text);

// "LD95", "LD2.5": the name of a level in percent.
std::string LevelName(double percent);

// "鱼藤酮/鱼藤素": a pair of preparations, the first over the second.
std::string PairName(const PotencyData& data, int first, int second);

// Writes the table from `row` on and returns the row after it and a blank one.
int WriteReportTable(model::Sheet& sheet, int row, const ReportTable& table);

}  // namespace tavelmark::potency
