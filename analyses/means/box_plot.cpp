#include "analyses/means/box_plot.h"

#include <algorithm>

#include "numeric/worksheet_functions.h"

namespace tavelmark::means {

namespace wsf = numeric::wsf;

BoxPlotFigures BoxPlotOf(std::span<const double> values) {
    BoxPlotFigures box;
    box.values.assign(values.begin(), values.end());
    std::vector<double> sorted = box.values;
    std::sort(sorted.begin(), sorted.end());
    // The quartiles of the classic report's description (QUARTILE), so the
    // box and the table beside it agree.
    box.lowerQuartile = wsf::PercentileOfSorted(sorted, 0.25);
    box.median = wsf::MedianOfSorted(sorted);
    box.upperQuartile = wsf::PercentileOfSorted(sorted, 0.75);
    if (!box.lowerQuartile || !box.upperQuartile) return box;
    // Tukey, Exploratory Data Analysis (1977), ch. 2: fences 1.5 IQR beyond the box.
    const double reach = 1.5 * (*box.upperQuartile - *box.lowerQuartile);
    const double lowFence = *box.lowerQuartile - reach, highFence = *box.upperQuartile + reach;
    const auto inside = [&](double v) { return v >= lowFence && v <= highFence; };
    const auto first = std::find_if(sorted.begin(), sorted.end(), inside);
    const auto last = std::find_if(sorted.rbegin(), sorted.rend(), inside);
    if (first == sorted.end()) return box;
    box.lowerWhisker = *first;
    box.upperWhisker = *last;
    return box;
}

}  // namespace tavelmark::means
