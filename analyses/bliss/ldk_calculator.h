#pragma once
// The LDk calculator: the dose for any response level k from the probit line
// of the last Bliss calculation, with its 95 % limits.
#include <optional>
#include <string>
#include <string_view>

#include "analyses/bliss/bliss_types.h"

namespace tavelmark::bliss {

struct LDkValues {
    double Yk = 0;   // probit of k
    double Xk = 0;   // log10 LDk
    double LDk = 0;
    double Sxk = 0;  // standard error of Xk
    double lower = 0, upper = 0;
    double ml95 = 0;  // (upper - lower) / 2
};

// k in percent. Empty for k <= 0.001 or k >= 99.999, and when the line
// gives no finite answer.
std::optional<LDkValues> ComputeLDk(const BlissHandOver& line, double kPercent);

// The three output boxes of the calculator.
struct LDkTexts {
    std::string ldk;   // LDk to 6 decimals
    std::string l95;   // lower～upper to 2 decimals
    std::string ml95;  // mean half-width to 6 decimals
    bool empty() const { return ldk.empty() && l95.empty() && ml95.empty(); }
};

// What the calculator shows for the text typed as k; all three empty when
// the text is out of range (or empty).
LDkTexts LDkTextsFor(const BlissHandOver& line, std::string_view kText);

}  // namespace tavelmark::bliss
