#pragma once
// What the potency comparison computes: each preparation's own line, the
// three nested models and their tests, the parallel-lines LD50s and
// relative potencies, and the LDk ratio tests.
#include <optional>
#include <string>
#include <vector>

#include "analyses/potency/potency_data.h"
#include "analyses/potency/potency_models.h"
#include "analyses/potency/potency_options.h"

namespace tavelmark::potency {

// An estimate with its 95 % limits; what is missing says why.
struct Interval {
    std::optional<double> estimate;
    std::optional<double> lower, upper;  // both or neither, only beside an estimate
    std::optional<double> g;             // Fieller's index, where Fieller's limits are used
    std::string reason;
};

struct LDkDose {
    double percent = 0;
    Interval dose;
};

// One preparation fitted alone, with the controls that apply to it.
struct PreparationLine {
    std::string reason;  // why there is no line; empty when fitted
    double a = 0, b = 0;
    double aSE = 0, bSE = 0;  // heterogeneity applied
    double vaa = 0, vab = 0, vbb = 0;  // the fit's covariance, without h
    GoodnessOfFit quality;
    std::vector<NaturalRate> natural;
    std::vector<LDkDose> ldk;  // at PotencyResults::levels
    bool fitted() const { return reason.empty(); }
};

struct FTest {
    double F = 0;
    int df1 = 0, df2 = 0;
    std::optional<double> p;
};

// A likelihood-ratio test of two nested models: G^2 on df, with Finney's F
// beside it when the larger model is heterogeneous.
struct ModelTest {
    std::optional<double> g2;
    int df = 0;
    std::optional<double> p;
    std::optional<FTest> f;
    std::string reason;
};

// The relative median potency LD50_first / LD50_second under parallel lines.
struct PotencyRatio {
    int first = 0, second = 0;
    Interval ratio;  // Fieller's limits
    double m = 0;    // log10 of the ratio
};

// LDk_first / LDk_second from the two preparations' own lines.
struct RatioTest {
    int first = 0, second = 0;
    double percent = 50;
    Interval ratio;      // limits 10^(log10 R -/+ z SE)
    double logRatio = 0, se = 0;  // log10 R and its SE (h applied per line)
    double seUnscaled = 0;        // the same without h
    std::optional<double> z, p, holm;
};

// One row of the data table: a dose group (or control) with its expected
// rate under the parallel lines and its Pearson residual.
struct DataRow {
    std::string name;  // on the first row of each preparation (and of 对照) only
    DoseGroup group;
    std::optional<double> expected;
    std::optional<double> residual;
};

// What the chart draws, on the link's scale against log10 dose.
struct ChartPoint {
    double x = 0, y = 0;
};

struct PreparationChart {
    std::string name;
    std::vector<ChartPoint> points;      // observed rates corrected for C, 0 < p < 1
    std::vector<ChartPoint> edgePoints;  // 0 % and 100 %, drawn at the axis's edge
    std::vector<ChartPoint> parallelLine;  // its two ends; empty without the fit
    std::vector<ChartPoint> ownLine;
};

struct PotencyChartData {
    double xMin = 0, xMax = 1;  // log10 dose
    double yMin = 0, yMax = 0;  // the link of 0.5 % and 99.5 %
    std::vector<std::pair<double, std::string>> ticks;  // link value, "1%" ...
    std::vector<PreparationChart> preparations;
};

struct PotencyResults {
    PotencyData data;
    numeric::QuantalLink link = numeric::QuantalLink::Probit;
    NaturalResponseOption natural = NaturalResponseOption::None;
    NaturalBlocks blocks;
    std::vector<double> levels;       // LDk percents of the lines' tables: 10, 50, 90, then those asked for
    std::vector<double> ratioLevels;  // of the ratio test: 50, then those asked for

    std::vector<PreparationLine> lines;  // in preparation order
    FittedLines separate, parallel, one;
    ModelTest parallelism, equality, coincidence;
    bool parallelismRejected = false;  // P < 0.05

    std::vector<Interval> parallelLD50;  // per preparation
    double slope = 0, slopeSE = 0;       // the common slope, heterogeneity applied
    std::vector<PotencyRatio> potency;   // every pair, the reference first
    std::vector<RatioTest> ratioTests;   // every pair at each ratio level

    std::vector<DataRow> table;  // the data, preparation by preparation, 对照 last
    PotencyChartData chart;
};

// The pairs of preparations in report order: the reference with each other
// preparation, then the others among themselves in grid order.
std::vector<std::pair<int, int>> PreparationPairs(int count, int reference);

}  // namespace tavelmark::potency
