// The Bliss fit against independent maximum-likelihood probit fits: R's glm
// with a probit link (data/probit_reference.R over data/probit_datasets.csv;
// its output data/probit_reference.csv is committed).
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analyses/bliss/bliss_fit.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::bliss {
namespace {

std::vector<test::ReferenceRow> ReadCsv(const std::string& name) {
    return test::ReadReferenceTable(std::string(BLISS_TEST_DATA) + "/" + name);
}

TEST(BlissReference, LD50AgreesWithMaximumLikelihoodWithinOnePercent) {
    std::map<std::string, std::vector<BlissGroup>> sets;
    for (const auto& f : ReadCsv("probit_datasets.csv")) {
        auto& groups = sets[f.text("set")];
        const double n = f.number("n"), d = f.number("positives");
        groups.push_back({static_cast<int>(groups.size()) + 2, f.number("dose"), n, d, d / n});
    }
    const auto reference = ReadCsv("probit_reference.csv");
    ASSERT_EQ(reference.size(), 5u);
    for (const auto& r : reference) {
        const std::string& name = r.text("set");
        ASSERT_TRUE(sets.count(name)) << name;
        const BlissFitOutcome outcome = FitBliss(sets[name], 0);
        ASSERT_TRUE(outcome.fit) << name << ": " << outcome.failure;
        EXPECT_TRUE(test::Near(outcome.fit->LD50, r.number("ld50"), 0.01)) << name;
        EXPECT_TRUE(test::Near(outcome.fit->b, r.number("b"), 0.02)) << name;
    }
}

}  // namespace
}  // namespace tavelmark::bliss
