#pragma once
// What a dot plot with a box plot of one group needs: the values, the
// quartiles and Tukey's whiskers.
#include <optional>
#include <span>
#include <vector>

namespace tavelmark::means {

struct BoxPlotFigures {
    std::vector<double> values;  // in grid order, one dot each
    std::optional<double> lowerQuartile, median, upperQuartile;
    // The most extreme values within 1.5 interquartile ranges of the box;
    // values beyond them are drawn as outlying dots.
    std::optional<double> lowerWhisker, upperWhisker;
};

BoxPlotFigures BoxPlotOf(std::span<const double> values);

}  // namespace tavelmark::means
