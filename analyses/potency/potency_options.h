#pragma once
// What the options dialog of the potency comparison holds, and the command
// line's --link, --natural, --reference, --ldk and --extended.
#include <string>
#include <vector>

#include "numeric/quantal_link.h"

namespace tavelmark::potency {

// How the natural response rate C (responses without the drug) enters:
// not at all, fixed at the controls' rate (Abbott), or estimated with the
// control groups in the likelihood.
enum class NaturalResponseOption { None, Abbott, Estimate };

struct PotencyOptions {
    numeric::QuantalLink link = numeric::QuantalLink::Probit;
    NaturalResponseOption natural = NaturalResponseOption::None;
    std::string reference;         // the preparation the others are compared with; empty: the first
    std::vector<double> extraLDk;  // percents, strictly between 0 and 100, beside LD10, LD50 and LD90
    bool extended = false;         // 扩展结果: the second sheet
};

// A percent the LDk tables take: strictly between 0 and 100.
bool ValidLDkPercent(double percent);

}  // namespace tavelmark::potency
