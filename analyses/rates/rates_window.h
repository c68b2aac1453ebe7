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

// The menu commands that open the window, by their menu entries.
enum class RatesMenuCommand {
    RateAna,    // mnuRateAna "智能化两组有效率分析": the template
    EnRateAna,  // mnuEnRateAna "两组有效率分析": template, caption "阳性率分析..."
    RateComp,   // mnuRateComp "两样本率比较": template, caption "...两样本率比较...", 处理1/处理2
    OddAna,     // mnuOddAna "比数比分析": template, odds item chosen
};

// The grid as the window's stored design has it: one sheet, no gridlines,
// A1:C3 reachable, columns of 69.75 and 54 points.
void SetUpRatesGrid(model::InputGrid& grid);

// Headings, example counts (12, 20, 19, 11), fonts and the blue boxes of the
// count block; selects A1. Other cells keep what the user left in them.
void WriteRatesTemplate(model::InputGrid& grid);

// What a menu command does to the window: writes the template, and sets the
// caption, the group labels or the odds item as that command does. The
// caption stays as it was for mnuRateAna and mnuOddAna.
void RunRatesMenuCommand(RatesMenuCommand command, model::InputGrid& grid, std::string& windowCaption,
                         RatesOptions& options);

// Row 2 of the report: the window's own caption gives the "智能化" title,
// any other caption the plain one.
std::string RatesReportTitle(std::string_view windowCaption);

}  // namespace tavelmark::rates
