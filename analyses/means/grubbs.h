#pragma once
// Grubbs' outlier test as the two-group report runs it: the printed one-sided
// 5% critical values (the statistic itself is numeric/grubbs.h).
#include <array>
#include <optional>

#include "report/prompter.h"

namespace tavelmark::means {

struct GrubbsTableLine {
    int n;
    double critical;
};
// One-sided 5% critical values of Grubbs' statistic G = max|x - mean| / SD
// to two decimals, as the pharmacology textbooks print them after Grubbs,
// Technometrics 11 (1969) 1-21, and Grubbs & Beck, Technometrics 14 (1972)
// 847-854. The underlying point is G = (n-1)/sqrt(n) * sqrt(t^2/(n-2+t^2)),
// t the upper 0.05/n point of t with n-2 df (Grubbs, Ann. Math. Statist. 21
// (1950) 27-58). R's qt reproduces 27 of the 30 entries to their last digit
// (tests/analyses/means/data/grubbs_points.R); n = 12 (2.2850), 35 (2.812) and
// 80 (3.132) read 0.01 high. The table stays as users know it from print.
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

}  // namespace tavelmark::means
