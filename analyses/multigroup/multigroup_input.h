#pragma once
// Reading the grid: one column per group, its name in row 1 and its values
// below, at most 10 groups of 300 values; the refusals of the two-group
// window's kind, each selecting the offending cell.
#include <optional>
#include <string>
#include <vector>

#include "analyses/multigroup/multigroup_options.h"
#include "model/input_grid.h"
#include "report/calculate.h"

namespace tavelmark::multigroup {

inline constexpr int kMostGroups = 10;
inline constexpr int kMostValues = 300;
inline constexpr int kLastGridRow = kMostValues + 1;
// Beyond this magnitude the sums of squares overflow a double.
inline constexpr double kLargestMagnitude = 1e150;

struct MultigroupInput {
    std::vector<std::string> names;
    std::vector<std::vector<double>> values;
    int reference = 0;                  // the group the others are compared with
    std::optional<int> normalControl;   // compared with the reference, marked #
    std::vector<int> lastRows;          // grid row of each column's last value
};

// The accepted input, or the refusal to show.
std::variant<MultigroupInput, report::Refusal> ReadMultigroupInput(const model::GridSheet& sheet,
                                                                   const MultigroupOptions& options);

// The headings of row 1 that are not empty, left to right, as the checks
// read them (a number as its shortest text): the names a group can be chosen by.
std::vector<std::string> MultigroupHeadings(const model::GridSheet& sheet);

// The reference group's column by the options' rule; -1 when a heading asked
// for is not there.
int FindReference(const std::vector<std::string>& names, const std::string& asked);

}  // namespace tavelmark::multigroup
