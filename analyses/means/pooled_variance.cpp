#include "analyses/means/pooled_variance.h"

namespace tavelmark::means {

double PooledVariance(int n1, double variance1, int n2, double variance2) {
    return ((n1 - 1) * variance1 + (n2 - 1) * variance2) / (n1 + n2 - 2);
}

}  // namespace tavelmark::means
