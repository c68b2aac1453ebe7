#pragma once
// Reads data/means_reference.txt: per data set the two groups and the values
// R computed for them (data/means_reference.R made the file).
#include <map>
#include <string>
#include <vector>

#include "analyses/means/means_input.h"

namespace tavelmark::test {

struct MeansReference {
    std::string name;
    // Keyed by the line's first word ("T", "pooled", ...); NaN where R said NA.
    std::map<std::string, std::vector<double>> lines;
    const std::vector<double>& operator[](const std::string& key) const { return lines.at(key); }
};

std::vector<MeansReference> LoadMeansReference();

// The worked example shipped with the program (data/example.csv).
means::MeansInput MeansWorkedExample();

}  // namespace tavelmark::test
