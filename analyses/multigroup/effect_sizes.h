#pragma once
// How much of the variation lies between the groups: η² with its limits from
// the noncentral F, and ω², its less biased companion.
#include <optional>

#include "analyses/multigroup/oneway_tests.h"

namespace tavelmark::multigroup {

struct EtaSquared {
    double estimate = 0;
    // Limits λ/(λ + N) from the noncentrality limits of the observed F
    // (Steiger 2004); empty without an F.
    std::optional<double> lower95, upper95, lower90, upper90;
};
EtaSquared EtaSquaredOf(const AnovaTable& anova);

// ω² = (SS_between − (k − 1)·MS_within) / (SS_total + MS_within) (Hays 1963);
// below 0 when the groups differ less than chance would make them.
double OmegaSquaredOf(const AnovaTable& anova);

}  // namespace tavelmark::multigroup
