// The Bliss fit against independent maximum-likelihood probit fits: R's glm
// with a probit link (data/probit_reference.R over data/probit_datasets.csv;
// its output data/probit_reference.csv is committed).
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_fit.h"
#include "support/tolerance.h"

namespace tavelmark::bliss {
namespace {

std::vector<std::vector<std::string>> ReadCsv(const std::string& name) {
    std::ifstream in(std::string(BLISS_TEST_DATA) + "/" + name);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // headings
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::stringstream ss(line);
        for (std::string f; std::getline(ss, f, ',');) fields.push_back(f);
        rows.push_back(fields);
    }
    return rows;
}

TEST(BlissReference, LD50AgreesWithMaximumLikelihoodWithinOnePercent) {
    std::map<std::string, std::vector<BlissGroup>> sets;
    for (const auto& f : ReadCsv("probit_datasets.csv")) {
        auto& groups = sets[f.at(0)];
        const double n = std::stod(f.at(2)), d = std::stod(f.at(3));
        groups.push_back({static_cast<int>(groups.size()) + 2, std::stod(f.at(1)), n, d, d / n});
    }
    const auto reference = ReadCsv("probit_reference.csv");
    ASSERT_EQ(reference.size(), 5u);
    for (const auto& r : reference) {
        const std::string& name = r.at(0);
        ASSERT_TRUE(sets.count(name)) << name;
        const BlissFitOutcome outcome = FitBliss(sets[name], 0);
        ASSERT_TRUE(outcome.fit) << name << ": " << outcome.failure;
        EXPECT_TRUE(test::Near(outcome.fit->LD50, std::stod(r.at(3)), 0.01)) << name;
        EXPECT_TRUE(test::Near(outcome.fit->b, std::stod(r.at(2)), 0.02)) << name;
    }
}

}  // namespace
}  // namespace tavelmark::bliss
