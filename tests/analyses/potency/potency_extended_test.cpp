// The extended figures of the potency comparison against
// data/potency_reference.R: delta-method and profile-likelihood limits of
// each relative potency, the Pearson-difference statistic, the ratio test's
// limits without h, and the other link's comparison.
#include "analyses/potency/potency_extended.h"

#include <string>

#include <gtest/gtest.h>

#include "analyses/potency/potency_compute.h"
#include "potency_figures.h"
#include "potency_fixtures.h"
#include "support/tolerance.h"

namespace tavelmark::potency {
namespace {

Figures ExtendedFiguresOf(const PotencyResults& r, const PotencyExtended& e) {
    Figures f;
    const auto& preps = r.data.preparations;
    for (std::size_t i = 0; i < r.potency.size(); ++i) {
        const std::string key = "rmp." + preps[r.potency[i].first].name + "/" + preps[r.potency[i].second].name;
        f[key + ".delta_lower"] = e.delta[i].lower;
        f[key + ".delta_upper"] = e.delta[i].upper;
        f[key + ".profile_lower"] = e.profile[i].lower;
        f[key + ".profile_upper"] = e.profile[i].upper;
    }
    f["pearson_difference.stat"] = e.pearsonDifference;
    f["pearson_difference.p"] = e.pearsonDifferenceP;
    for (std::size_t i = 0; i < r.ratioTests.size(); ++i) {
        const RatioTest& t = r.ratioTests[i];
        const std::string key = "ratio." + Percent(t.percent) + "." + preps[t.first].name + "/" + preps[t.second].name;
        f[key + ".lower_unscaled"] = e.unscaledRatio[i].lower;
        f[key + ".upper_unscaled"] = e.unscaledRatio[i].upper;
    }
    return f;
}

class PotencyExtendedReference : public ::testing::TestWithParam<Case> {};

TEST_P(PotencyExtendedReference, AgreesWithR) {
    const Case& c = GetParam();
    const PotencyOptions options = OptionsOf(c);
    const PotencyResults results = ComputePotency(test::PotencySet(c.set, c.reference), options);
    const PotencyExtended extended = ComputePotencyExtended(results, options);
    const Figures computed = ExtendedFiguresOf(results, extended);
    int compared = 0;
    for (const auto& [quantity, value] : test::PotencyReference(Name(c))) {
        const auto it = computed.find(quantity);
        if (it == computed.end()) continue;  // a figure of the report's own sheet
        ASSERT_EQ(it->second.has_value(), value.has_value()) << quantity;
        if (value) {
            // The profile limits are roots found to 1e-10 in log10 potency.
            EXPECT_TRUE(test::Near(*it->second, *value, 1e-6, 1e-12)) << quantity;
        }
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(computed.size()));

    // The other link's comparison is the whole comparison with that link.
    ASSERT_TRUE(extended.otherLink);
    EXPECT_NE(extended.otherLink->link, results.link);
    EXPECT_EQ(extended.otherLink->potency.size(), results.potency.size());
}

INSTANTIATE_TEST_SUITE_P(RData, PotencyExtendedReference, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name = Name(info.param);
                             for (char& ch : name)
                                 if (ch == '/') ch = '_';
                             return name;
                         });

// The probit comparison's other link is the logit one of the reference.
TEST(PotencyExtended, TheOtherLinkIsTheLogitComparisonOfR) {
    PotencyOptions probit;
    probit.extraLDk = {95};
    const PotencyResults results = ComputePotency(test::PotencySet("finney"), probit);
    const PotencyExtended extended = ComputePotencyExtended(results, probit);
    ASSERT_TRUE(extended.otherLink);
    const Figures computed = FiguresOf(*extended.otherLink);
    int compared = 0;
    for (const auto& [quantity, value] : test::PotencyReference("finney/logit/none")) {
        const auto it = computed.find(quantity);
        if (it == computed.end() || !value) continue;
        EXPECT_TRUE(test::Near(*it->second, *value, 1e-6, 1e-12)) << quantity;
        ++compared;
    }
    EXPECT_GT(compared, 50);
}

}  // namespace
}  // namespace tavelmark::potency
