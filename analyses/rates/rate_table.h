#pragma once
// The accepted 2x2 table of the two-group rates analysis and the checks that
// accept it from the input grid.
#include <optional>
#include <string>

#include "model/input_grid.h"

namespace tavelmark::rates {

// Counts of group R (reference) and group T (test) with their totals. All
// counts are whole numbers held as doubles; m2 is kept as a double too, so a
// table with more than 32767 negatives is computed like any other.
struct RateTable {
    double a = 0, b = 0;  // positives and negatives of group R
    double c = 0, d = 0;  // positives and negatives of group T
    double n1 = 0;        // a + b
    double n2 = 0;        // c + d
    double m1 = 0;        // a + c
    double m2 = 0;        // b + d
    double N = 0;         // n1 + n2
    std::optional<double> p1;  // a / n1, empty when group R is empty
    std::optional<double> p2;  // c / n2, empty when group T is empty
};

RateTable MakeRateTable(double a, double b, double c, double d);

// The input messages of the calculate command.
inline constexpr const char* kRatesInputTitle = "数据录入错误！";
inline constexpr const char* kRatesNegativeMessage = "数据录入区发现负数,请更正";
inline constexpr const char* kRatesNotCountMessage = "数据录入区的数据只能为频数";
inline constexpr const char* kRatesFractionMessage = "数据录入区发现小数，请更正";
inline constexpr const char* kRatesEmptyGroupMessage = "每组的例数(阳性数与阴性数之和)必须大于0";
// The block the counts are typed into (and selected after a refusal).
inline constexpr const char* kRatesCountBlock = "B2:C3";

// The table, or the first refusal that applies: a negative value, then a
// cell that holds no number, then a fractional value, then a group without
// subjects (R before T), which has no rate to compare.
struct RateTableCheck {
    std::optional<RateTable> table;
    std::string refusal;  // one of the four messages when table is empty
    // What the refusal selects: the count block, or the first count of the
    // empty group's row.
    std::string selection = kRatesCountBlock;
};

// Reads B2 (a), C2 (b), B3 (c) and C3 (d) of the grid's active sheet.
RateTableCheck ReadRateTable(const model::InputGrid& grid);

}  // namespace tavelmark::rates
