#pragma once
// The two-group means input grid as the window first shows it: the visible
// sheet "Sheet1" with the T组 and R组 columns and the example data, the
// hidden scratch sheet "temp" and the hidden sheet "Table" that holds the
// Grubbs critical values.
#include "model/input_grid.h"

namespace tavelmark::means {

// Data rows are 2 to kMeansLastGridRow; row 1 holds the headings.
inline constexpr int kMeansLastGridRow = 301;
inline constexpr int kMeansColumnT = 1;
inline constexpr int kMeansColumnR = 2;

void WriteMeansTemplate(model::InputGrid& grid);

}  // namespace tavelmark::means
