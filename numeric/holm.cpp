#include "numeric/holm.h"

#include <algorithm>
#include <numeric>

namespace tavelmark::numeric {

std::vector<double> HolmAdjusted(const std::vector<double>& p) {
    const std::size_t m = p.size();
    std::vector<std::size_t> order(m);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(m);
    double running = 0;
    for (std::size_t rank = 0; rank < m; ++rank) {
        const std::size_t i = order[rank];
        running = std::max(running, std::min(1.0, p[i] * static_cast<double>(m - rank)));
        adjusted[i] = running;
    }
    return adjusted;
}

}  // namespace tavelmark::numeric
