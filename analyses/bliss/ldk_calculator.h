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

// The calculator computes k (in percent) strictly between these two; at or
// beyond them its boxes stay empty.
inline constexpr double kLowestLDkPercent = 0.001;
inline constexpr double kHighestLDkPercent = 99.999;

// Whether the text, read whole, is a k the calculator computes: digits with
// at most one point, strictly between the two limits. A command line refuses
// any other k rather than print empty values.
bool IsComputedLDkLevel(std::string_view kText);

// k in percent. Empty outside the calculator's range, and when the line
// gives no finite answer.
std::optional<LDkValues> ComputeLDk(const BlissHandOver& line, double kPercent);

// The three output boxes of the calculator.
struct LDkTexts {
    std::string ldk;   // LDk to 6 decimals
    std::string l95;   // lower～upper to 2 decimals
    std::string ml95;  // mean half-width to 6 decimals
    // Why the three are empty for a k in range: the dose or a limit is
    // beyond the range of numbers. Empty otherwise.
    std::string why;
    bool empty() const { return ldk.empty() && l95.empty() && ml95.empty(); }
};

// What the calculator shows for the text typed as k; all three empty when
// the text is out of range (or empty).
LDkTexts LDkTextsFor(const BlissHandOver& line, std::string_view kText);

}  // namespace tavelmark::bliss
