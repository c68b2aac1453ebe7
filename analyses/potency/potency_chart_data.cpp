#include "analyses/potency/potency_chart_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "analyses/potency/potency_messages.h"
#include "numeric/log10.h"

namespace tavelmark::potency {

namespace {

// The edges of the chart's rate axis, where 0 % and 100 % are drawn.
constexpr double kEdgeRate = 0.005;
constexpr double kTickPercents[] = {1, 5, 10, 25, 50, 75, 90, 95, 99};

// The parallel lines' fitted rate of each grid row in the model.
std::map<int, double> FittedByRow(const FittedLines& parallel) {
    std::map<int, double> fitted;
    if (!parallel.fit) return fitted;
    for (std::size_t i = 0; i < parallel.lines.rows.size(); ++i)
        if (parallel.fit->inLikelihood[i]) fitted[parallel.lines.rows[i]] = parallel.fit->fitted[i];
    return fitted;
}

// The natural rate of a block under the parallel lines: the fit's, or the
// Abbott rate it was held at.
double ParallelRate(const PotencyResults& r, int block) {
    if (!r.parallel.fit) return 0;
    for (std::size_t b = 0; b < r.parallel.lines.blocks.size(); ++b)
        if (r.parallel.lines.blocks[b] == block) return r.parallel.fit->naturalRates[b];
    return 0;
}

DataRow RowOf(const std::string& name, const DoseGroup& g, const std::map<int, double>& fitted,
              std::optional<double> control) {
    DataRow row{name, g, std::nullopt, std::nullopt};
    const auto it = fitted.find(g.row);
    if (it != fitted.end()) row.expected = it->second;
    else if (g.dose == 0) row.expected = control;
    if (row.expected && *row.expected > 0 && *row.expected < 1)
        row.residual = (g.positives - g.n * *row.expected) / std::sqrt(g.n * *row.expected * (1 - *row.expected));
    return row;
}

}  // namespace

std::vector<DataRow> DataRowsOf(const PotencyResults& r) {
    const std::map<int, double> fitted = FittedByRow(r.parallel);
    const bool natural = r.natural != NaturalResponseOption::None && r.parallel.fit;
    std::vector<DataRow> rows;
    for (std::size_t j = 0; j < r.data.preparations.size(); ++j) {
        const Preparation& p = r.data.preparations[j];
        const std::optional<double> c =
            natural ? std::optional<double>(ParallelRate(r, r.blocks.blockOf[j])) : std::nullopt;
        std::vector<DoseGroup> groups = p.controls;
        groups.insert(groups.end(), p.groups.begin(), p.groups.end());
        std::sort(groups.begin(), groups.end(), [](const DoseGroup& a, const DoseGroup& b) { return a.row < b.row; });
        for (std::size_t i = 0; i < groups.size(); ++i) rows.push_back(RowOf(i == 0 ? p.name : "", groups[i], fitted, c));
    }
    std::optional<double> shared;
    for (std::size_t b = 0; b < r.blocks.labels.size(); ++b)
        if (natural && r.blocks.labels[b] == text::kControlName) shared = ParallelRate(r, static_cast<int>(b));
    for (std::size_t i = 0; i < r.data.sharedControls.size(); ++i)
        rows.push_back(RowOf(i == 0 ? text::kControlName : "", r.data.sharedControls[i], fitted, shared));
    return rows;
}

PotencyChartData ChartDataOf(const PotencyResults& r) {
    PotencyChartData chart;
    chart.yMin = numeric::QuantalLinkOf(r.link, kEdgeRate);
    chart.yMax = numeric::QuantalLinkOf(r.link, 1 - kEdgeRate);
    for (double percent : kTickPercents) {
        char label[32];
        std::snprintf(label, sizeof label, "%g%%", percent);
        chart.ticks.emplace_back(numeric::QuantalLinkOf(r.link, percent / 100), label);
    }
    bool any = false;
    const auto clampRate = [&](double p) { return std::clamp(p, kEdgeRate, 1 - kEdgeRate); };
    for (std::size_t j = 0; j < r.data.preparations.size(); ++j) {
        const Preparation& p = r.data.preparations[j];
        PreparationChart prep;
        prep.name = p.name;
        const double C = ParallelRate(r, r.blocks.blockOf[j]);
        double low = 0, high = 0;
        for (std::size_t i = 0; i < p.groups.size(); ++i) {
            const DoseGroup& g = p.groups[i];
            const double x = numeric::Log10(g.dose);
            low = i == 0 ? x : std::min(low, x);
            high = i == 0 ? x : std::max(high, x);
            // The rate the line describes: the observed one less the natural response.
            const double rate = (g.positives / g.n - C) / (1 - C);
            if (rate <= 0 || rate >= 1) {
                prep.edgePoints.push_back({x, rate <= 0 ? chart.yMin : chart.yMax});
            } else {
                prep.points.push_back({x, numeric::QuantalLinkOf(r.link, clampRate(rate))});
            }
        }
        chart.xMin = any ? std::min(chart.xMin, low) : low;
        chart.xMax = any ? std::max(chart.xMax, high) : high;
        any = true;
        // Each line within the axis's span of the rate.
        const auto line = [&](double a, double b) {
            std::vector<ChartPoint> ends;
            for (double x : {low, high}) ends.push_back({x, std::clamp(a + b * x, chart.yMin, chart.yMax)});
            return ends;
        };
        if (r.parallel.fit) {
            const auto& c = r.parallel.fit->coefficients;
            prep.parallelLine = line(c[j], c.back());
        }
        if (r.lines[j].fitted()) prep.ownLine = line(r.lines[j].a, r.lines[j].b);
        chart.preparations.push_back(std::move(prep));
    }
    return chart;
}

}  // namespace tavelmark::potency
