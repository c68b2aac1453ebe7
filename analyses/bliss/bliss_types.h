#pragma once
// The plain records of the Bliss LD50 analysis: the dose groups read from the
// grid, the per-group working table of the probit fit, the fit itself and the
// options the user chose.
#include <optional>
#include <string>
#include <vector>

namespace tavelmark::bliss {

// One dose group that passed the input checks.
struct BlissGroup {
    int row = 0;            // grid row it came from (2 to 13)
    double dose = 0;        // D, > 0
    double n = 0;           // group size, a whole number >= 1
    double positives = 0;   // d, a whole number, 0 <= d <= n
    double rate = 0;        // observed rate d / n
};

// One group's line of the probit iteration; after the fit it holds the values
// of the last round.
struct BlissGroupFit {
    double x = 0;    // log10 dose
    double P = 0;    // rate corrected for background mortality
    double Ye = 0;   // empirical probit
    double Y = 0;    // expected probit (the previous line at x)
    double w = 0;    // weighting coefficient at Y
    double y = 0;    // working probit
    double W = 0;    // weight n * w
    double Yr = 0;   // the newly fitted line at x
    double e = 0;    // Yr - Y
};

// 95 % limits of LD50 from one of the three error estimates.
struct BlissLimits {
    double lower = 0;
    double upper = 0;
    double ml95 = 0;        // half the distance between the limits
    double l95Percent = 0;  // ml95 / LD50, a fraction
    double sx50 = 0;        // the standard error of X50 these limits rest on
};

// The six values the LDk calculator needs from the last round of the fit.
struct BlissHandOver {
    double a = 0, b = 0, S0 = 0, S4 = 0, S2 = 0, S1 = 0;
};

struct BlissFit {
    std::vector<BlissGroupFit> groups;  // in input order
    int iterations = 0;
    double a = 0, b = 0;
    double S0 = 0, S1 = 0, S2 = 0, S3 = 0, S4 = 0, S5 = 0;
    double xMean = 0, yMean = 0;
    double Sxx = 0, Syy = 0;
    double X50 = 0, LD50 = 0;
    double Sx50 = 0, Sb = 0;
    BlissLimits limits;
    double g = 0;
    // Fieller's interval exists only for g < 1; empty otherwise.
    std::optional<BlissLimits> fieller;
    double chi2 = 0;
    int df = 0;
    std::optional<double> Pchi;
    std::optional<double> t;  // two-sided 5 % point of Student's t with df degrees of freedom
    // Limits widened for heterogeneity: corrected Sb and g beside the limits.
    std::optional<double> SbH;
    std::optional<double> gH;
    std::optional<BlissLimits> heterogeneity;
    std::string equation;

    BlissHandOver handOver() const { return {a, b, S0, S4, S2, S1}; }
};

// What the options dialog holds. The check boxes choose the optional parts of
// the report and whether the LDk calculator opens afterwards.
struct BlissOptions {
    std::string backgroundText = "0";  // background mortality in percent, as typed
    bool showIntermediate = false;     // 中间结果
    bool showFieller = false;          // Feiller氏Sx50校正
    bool showHeterogeneity = false;    // 异质性的全面校正
    bool openLDkCalculator = false;    // 其他阳性率的LDk
    bool drawChart = false;            // Yr-X chart; needs the intermediate table
    bool extended = false;             // 扩展结果: the second sheet of modern estimates
};

}  // namespace tavelmark::bliss
