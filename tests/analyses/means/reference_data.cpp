#include "reference_data.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tavelmark::test {

std::vector<MeansReference> LoadMeansReference() {
    const std::string path = MEANS_REFERENCE_DATA;
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<MeansReference> sets;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        if (!(words >> key) || key == "end") continue;
        if (key == "dataset") {
            sets.emplace_back();
            words >> sets.back().name;
            continue;
        }
        std::vector<double> values;
        for (std::string w; words >> w;) values.push_back(w == "NA" ? std::nan("") : std::stod(w));
        sets.back().lines[key] = std::move(values);
    }
    return sets;
}

means::MeansInput MeansWorkedExample() {
    return {.t = {38, 32, 34, 42, 35, 37, 45, 39, 38, 33},
            .r = {32, 33, 41, 28, 32, 37, 33, 59, 25, 33, 38, 28, 46, 51, 36}};
}

}  // namespace tavelmark::test
