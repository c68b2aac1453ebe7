#pragma once
// What the menu command writes into the several-groups input grid, and the
// window's online help.
#include "analyses/multigroup/multigroup_options.h"
#include "model/input_grid.h"
#include "report/help_text.h"

namespace tavelmark::multigroup {

// Ten columns of 300 values below their headings, blue boxes where data go,
// and the worked example: six groups of eight rats (serum ALT, U/L).
void WriteMultigroupTemplate(model::InputGrid& grid);

// The 在线帮助 box; its title follows the window's caption (opened as
// 多组均数分析 or as 各实验组与对照组均数比较).
report::HelpBox MultigroupHelpBox(MultigroupFocus focus = MultigroupFocus::AllPairs);

}  // namespace tavelmark::multigroup
