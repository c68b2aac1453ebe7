#include "analyses/multigroup/group_summary.h"

#include <algorithm>
#include <cmath>

#include <boost/math/distributions/students_t.hpp>

#include "analyses/multigroup/multigroup_texts.h"
#include "numeric/grubbs.h"
#include "numeric/worksheet_functions.h"

namespace tavelmark::multigroup {

GroupSummary SummariseGroup(std::span<const double> values) {
    GroupSummary s;
    s.n = static_cast<int>(values.size());
    s.mean = numeric::wsf::Average(values).value_or(0);
    s.sd = numeric::wsf::Stdev(values).value_or(0);
    s.se = s.sd / std::sqrt(static_cast<double>(s.n));
    const double t = boost::math::quantile(boost::math::complement(boost::math::students_t_distribution<double>(s.n - 1), 0.025));
    s.ciLower = s.mean - t * s.se;
    s.ciUpper = s.mean + t * s.se;
    s.median = numeric::wsf::Median(values).value_or(0);
    s.min = *std::min_element(values.begin(), values.end());
    s.max = *std::max_element(values.begin(), values.end());
    return s;
}

GrubbsCheck CheckOutlier(std::span<const double> values, const GroupSummary& summary) {
    GrubbsCheck check;
    if (summary.n < 3) {
        check.why = text::kTooFewForGrubbs;
        return check;
    }
    if (!(summary.sd > 0)) {
        check.why = text::kZeroSd;
        return check;
    }
    // The first of equally far values, in row order.
    for (std::size_t i = 0; i < values.size(); ++i)
        if (std::fabs(values[i] - summary.mean) > std::fabs(values[check.position] - summary.mean))
            check.position = static_cast<int>(i);
    check.value = values[check.position];
    check.g = std::fabs(check.value - summary.mean) / summary.sd;
    check.critical = *numeric::GrubbsCriticalPoint(summary.n, 0.05, true);
    check.p = *numeric::GrubbsPValue(check.g, summary.n, true);
    check.outlier = check.p <= 0.05;
    check.tested = true;
    return check;
}

NormalityCheck CheckNormality(std::span<const double> values) {
    NormalityCheck check;
    if (values.size() < static_cast<std::size_t>(numeric::kShapiroWilkFewest)) {
        check.why = text::kTooFewForNormality;
        return check;
    }
    check.test = numeric::ShapiroWilkTest(values);
    if (!check.test) check.why = text::kZeroSd;
    return check;
}

}  // namespace tavelmark::multigroup
