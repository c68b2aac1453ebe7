// Descriptive worksheet statistics of one range: AVERAGE, STDEV, MIN, MAX,
// MEDIAN, PERCENTILE, MODE, GEOMEAN, HARMEAN, SKEW, KURT, and ASIN.
#include "numeric/worksheet_functions.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <map>
#include <vector>

#include "numeric/finite.h"
#include "numeric/worksheet_functions_detail.h"

namespace tavelmark::numeric::wsf {

using detail::AllFinite;
using detail::MeanOf;

namespace {

std::vector<double> Sorted(Values x) {
    std::vector<double> s(x.begin(), x.end());
    std::sort(s.begin(), s.end());
    return s;
}

// PERCENTILE of sorted, finite, non-empty values and 0 <= k <= 1.
std::optional<double> PercentileOfSortedChecked(Values s, double k) {
    // Rank k(n - 1) + 1 counted from 1, i.e. index k(n - 1) from 0.
    const double rank = k * static_cast<double>(s.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const double fraction = rank - static_cast<double>(below);
    if (below + 1 >= s.size() || fraction == 0.0) return s[below];
    return Finite(s[below] + fraction * (s[below + 1] - s[below]));
}

bool PercentileArgumentsValid(Values x, double k) {
    return !x.empty() && AllFinite(x) && k >= 0.0 && k <= 1.0;
}

// Sum of ((x - mean) / s)^power with s the sample standard deviation; empty
// when s is zero (constant data have no shape).
std::optional<double> StandardizedPowerSum(Values x, int power) {
    const double mean = MeanOf(x);
    const double n = static_cast<double>(x.size());
    const double s = std::sqrt(detail::SquaredDeviations(x, mean) / (n - 1.0));
    if (!(s > 0.0)) return std::nullopt;
    double sum = 0.0;
    for (double v : x) sum += std::pow((v - mean) / s, power);
    return sum;
}

}  // namespace

std::optional<double> Average(Values x) {
    if (x.empty() || !AllFinite(x)) return std::nullopt;
    return Finite(MeanOf(x));
}

std::optional<double> Stdev(Values x) {
    if (x.size() < 2 || !AllFinite(x)) return std::nullopt;
    const double n = static_cast<double>(x.size());
    return Finite(std::sqrt(detail::SquaredDeviations(x, MeanOf(x)) / (n - 1.0)));
}

// The spreadsheet answers 0 for a range without numbers; an empty range has
// no smallest value, so we refuse it rather than report a 0 nobody typed.
std::optional<double> Min(Values x) {
    if (x.empty() || !AllFinite(x)) return std::nullopt;
    return *std::min_element(x.begin(), x.end());
}

std::optional<double> Max(Values x) {
    if (x.empty() || !AllFinite(x)) return std::nullopt;
    return *std::max_element(x.begin(), x.end());
}

std::optional<double> Median(Values x) {
    return Percentile(x, 0.5);
}

std::optional<double> Percentile(Values x, double k) {
    if (!PercentileArgumentsValid(x, k)) return std::nullopt;
    return PercentileOfSortedChecked(Sorted(x), k);
}

std::optional<double> MedianOfSorted(Values sorted) {
    return PercentileOfSorted(sorted, 0.5);
}

std::optional<double> PercentileOfSorted(Values sorted, double k) {
    if (!PercentileArgumentsValid(sorted, k)) return std::nullopt;
    assert(std::is_sorted(sorted.begin(), sorted.end()));
    return PercentileOfSortedChecked(sorted, k);
}

std::optional<double> Mode(Values x) {
    if (!AllFinite(x)) return std::nullopt;
    std::map<double, std::size_t> counts;  // ordered map: 0 and -0 are one value
    for (double v : x) ++counts[v];
    std::size_t most = 0;
    for (const auto& [value, count] : counts) most = std::max(most, count);
    if (most < 2) return std::nullopt;
    // Among equally frequent values the one met first in the given order wins.
    for (double v : x)
        if (counts[v] == most) return v;
    return std::nullopt;
}

// The counts come from the runs of equal values in the sorted copy (one pass,
// no tree of counts); the first value of x that belongs to a longest run wins.
std::optional<double> ModeOfSorted(Values x, Values sorted) {
    if (!AllFinite(x)) return std::nullopt;
    assert(sorted.size() == x.size() && std::is_sorted(sorted.begin(), sorted.end()));
    std::size_t most = 0;
    std::vector<double> mostFrequent;  // one value of each longest run, ascending
    for (std::size_t first = 0; first < sorted.size();) {
        std::size_t last = first + 1;
        while (last < sorted.size() && sorted[last] == sorted[first]) ++last;
        const std::size_t count = last - first;
        if (count >= 2 && count >= most) {
            if (count > most) mostFrequent.clear();
            most = count;
            mostFrequent.push_back(sorted[first]);
        }
        first = last;
    }
    if (mostFrequent.empty()) return std::nullopt;  // no value repeats
    // Found by comparison, not copied from the run, so that a zero comes back
    // with the sign it was typed with, as MODE answers.
    for (double v : x)
        if (std::binary_search(mostFrequent.begin(), mostFrequent.end(), v)) return v;
    return std::nullopt;
}

std::optional<double> Geomean(Values x) {
    if (x.empty() || !AllFinite(x)) return std::nullopt;
    if (std::any_of(x.begin(), x.end(), [](double v) { return v <= 0.0; })) return std::nullopt;
    // Through logarithms: the plain product of many values over- or underflows.
    double logSum = 0.0;
    for (double v : x) logSum += std::log(v);
    return Finite(std::exp(logSum / static_cast<double>(x.size())));
}

std::optional<double> Harmean(Values x) {
    if (x.empty() || !AllFinite(x)) return std::nullopt;
    if (std::any_of(x.begin(), x.end(), [](double v) { return v <= 0.0; })) return std::nullopt;
    double reciprocalSum = 0.0;
    for (double v : x) reciprocalSum += 1.0 / v;
    return Finite(static_cast<double>(x.size()) / reciprocalSum);
}

// Adjusted Fisher-Pearson skewness G1 = n / ((n - 1)(n - 2)) * sum(((x - mean) / s)^3).
std::optional<double> Skew(Values x) {
    if (x.size() < 3 || !AllFinite(x)) return std::nullopt;
    const double n = static_cast<double>(x.size());
    const auto cubes = StandardizedPowerSum(x, 3);
    if (!cubes) return std::nullopt;
    return Finite(n / ((n - 1.0) * (n - 2.0)) * *cubes);
}

// Excess kurtosis G2 = n(n + 1) / ((n - 1)(n - 2)(n - 3)) * sum(((x - mean) / s)^4)
//                      - 3(n - 1)^2 / ((n - 2)(n - 3)).
std::optional<double> Kurt(Values x) {
    if (x.size() < 4 || !AllFinite(x)) return std::nullopt;
    const double n = static_cast<double>(x.size());
    const auto fourths = StandardizedPowerSum(x, 4);
    if (!fourths) return std::nullopt;
    return Finite(n * (n + 1.0) / ((n - 1.0) * (n - 2.0) * (n - 3.0)) * *fourths -
                  3.0 * (n - 1.0) * (n - 1.0) / ((n - 2.0) * (n - 3.0)));
}

std::optional<double> Asin(double x) {
    if (!(x >= -1.0 && x <= 1.0)) return std::nullopt;
    return std::asin(x);
}

}  // namespace tavelmark::numeric::wsf
