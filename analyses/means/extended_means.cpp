#include "analyses/means/extended_means.h"

#include "numeric/finite.h"

namespace tavelmark::means {

ExtendedMeans ComputeExtendedMeans(const MeansInput& input) {
    ExtendedMeans out;
    out.boxT = BoxPlotOf(input.t);
    out.boxR = BoxPlotOf(input.r);
    const GroupMoments t = MomentsOf(input.t), r = MomentsOf(input.r);
    out.meanT = t.mean;
    out.meanR = r.mean;
    if (t.mean && r.mean) out.difference = numeric::Finite(*t.mean - *r.mean);
    out.pooled = PooledInterval(t, r);
    out.welch = WelchInterval(t, r);
    out.effect = ComputeEffectSizes(t, r);
    out.rank = ComputeRankShift(input.t, input.r);
    return out;
}

}  // namespace tavelmark::means
