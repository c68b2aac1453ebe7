#pragma once
// Grubbs' outlier test: the one-sided 5% critical values and the values of a
// group whose standardised distance from the mean reaches them.
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "report/prompter.h"

namespace tavelmark::means {

struct GrubbsTableLine {
    int n;
    double critical;
};
// One-sided 5% critical values of Grubbs' statistic, two decimals (the table
// printed in the usual pharmacology statistics texts).
extern const std::array<GrubbsTableLine, 30> kGrubbsTable;

inline constexpr const char* kGrubbsTooFew = "数据量太少,不进行Grubbs异常值检验";
inline constexpr const char* kGrubbsTooMany = "数据量太多,不进行Grubbs异常值检验";
// The notices have no title of their own; a box without one shows the program's name.
inline constexpr const char* kGrubbsNoticeTitle = "Tavelmark";

// The critical value for n values, interpolated linearly between tabled n.
// Empty outside 3..100, after telling the user why the group is not tested.
std::optional<double> GrubbsCritical(int n, report::Prompter& prompter);
// The same without the notice.
std::optional<double> GrubbsCriticalValue(int n);

// Positions (0-based, in row order) of the values with |x - mean| / sd at or
// above the critical value. None when the sd is 0 or missing.
std::vector<int> GrubbsFlagged(std::span<const double> values, std::optional<double> mean,
                               std::optional<double> sd, double critical);

}  // namespace tavelmark::means
