#pragma once
// Small helpers shared by the Bliss tests.
#include <vector>

#include "analyses/bliss/bliss_types.h"

namespace tavelmark::test {

// Groups of equal size n from doses and positives, rows from 2 on.
inline std::vector<bliss::BlissGroup> Groups(const std::vector<double>& doses,
                                             const std::vector<double>& sizes,
                                             const std::vector<double>& positives) {
    std::vector<bliss::BlissGroup> groups;
    for (std::size_t i = 0; i < doses.size(); ++i)
        groups.push_back({static_cast<int>(i) + 2, doses[i], sizes[i], positives[i],
                          positives[i] / sizes[i]});
    return groups;
}

// The worked example of the manual: six groups of 20 animals.
inline std::vector<bliss::BlissGroup> WorkedExample() {
    return Groups({35, 25, 17.2, 12, 8.3, 5.85}, {20, 20, 20, 20, 20, 20}, {20, 17, 16, 6, 2, 0});
}

}  // namespace tavelmark::test
