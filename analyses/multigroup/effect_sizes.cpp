#include "analyses/multigroup/effect_sizes.h"

#include "numeric/noncentral_f_limits.h"

namespace tavelmark::multigroup {

EtaSquared EtaSquaredOf(const AnovaTable& anova) {
    EtaSquared eta;
    eta.estimate = anova.ssTotal > 0 ? anova.ssBetween / anova.ssTotal : 0;
    if (!anova.f) return eta;
    const double total = anova.dfBetween + anova.dfWithin + 1;
    const auto toEta = [total](double lambda) { return lambda / (lambda + total); };
    if (const auto l95 = numeric::FNoncentralityLimits(*anova.f, anova.dfBetween, anova.dfWithin, 0.95)) {
        eta.lower95 = toEta(l95->lower);
        eta.upper95 = toEta(l95->upper);
    }
    if (const auto l90 = numeric::FNoncentralityLimits(*anova.f, anova.dfBetween, anova.dfWithin, 0.90)) {
        eta.lower90 = toEta(l90->lower);
        eta.upper90 = toEta(l90->upper);
    }
    return eta;
}

double OmegaSquaredOf(const AnovaTable& anova) {
    return (anova.ssBetween - anova.dfBetween * anova.msWithin) / (anova.ssTotal + anova.msWithin);
}

}  // namespace tavelmark::multigroup
