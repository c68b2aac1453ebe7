#pragma once
// The data-entry side of the two-group rates analysis that is not a widget:
// the grid's stored design and template, the four menu commands that fill it,
// and what the window's caption selects.
#include <string>
#include <string_view>

#include "analyses/rates/rates_options.h"
#include "model/input_grid.h"

namespace tavelmark::rates {

inline constexpr const char* kEnRatesWindowCaption = "阳性率分析(2×2卡方法)数据录入";
inline constexpr const char* kRateCompWindowCaption = "智能化两样本率比较(2×2卡方法)数据录入";


// The grid as the window's stored design has it: one sheet, no gridlines,
// A1:C3 reachable, columns of 69.75 and 54 points.
void SetUpRatesGrid(model::InputGrid& grid);

// Headings, example counts (12, 20, 19, 11), fonts and the blue boxes of the
// count block; selects A1. Other cells keep what the user left in them.
void WriteRatesTemplate(model::InputGrid& grid);

// What a menu command does to the window: writes the template, and sets the
// caption (options.captionCommand), the group labels or the odds item as
// that command does. The caption stays as it was for mnuRateAna and
// mnuOddAna.
void RunRatesMenuCommand(RatesMenuCommand command, model::InputGrid& grid, RatesOptions& options);

// The window's caption after `captionCommand` set it: the window's own for
// mnuRateAna (and mnuOddAna, which never sets one), the plain one for
// mnuEnRateAna, the two-sample one for mnuRateComp.
const char* RatesWindowCaption(RatesMenuCommand captionCommand);

// Row 2 of the report: the window's own caption gives the "智能化" title,
// the other two the plain one.
std::string RatesReportTitle(RatesMenuCommand captionCommand);

}  // namespace tavelmark::rates
