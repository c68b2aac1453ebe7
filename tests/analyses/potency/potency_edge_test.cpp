// The cases that catch a wrong implementation of the potency comparison:
// the dose unit, parallel lines at every k, the natural response at its
// boundary, data without a finite estimate, and g >= 1.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "analyses/potency/potency_compute.h"
#include "analyses/potency/potency_estimates.h"
#include "analyses/potency/potency_texts.h"
#include "potency_fixtures.h"
#include "support/tolerance.h"

namespace tavelmark::potency {
namespace {

PotencyOptions Options(numeric::QuantalLink link, NaturalResponseOption natural = NaturalResponseOption::None) {
    PotencyOptions o;
    o.link = link;
    o.natural = natural;
    o.extraLDk = {95};
    return o;
}

PotencyData Scaled(PotencyData data, double factor) {
    for (Preparation& p : data.preparations)
        for (DoseGroup& g : p.groups) g.dose *= factor;
    return data;
}

// Doses in mg or in µg: the relative potencies, their limits and the ratio
// tests' z do not change.
TEST(PotencyEdges, MultiplyingEveryDoseBy1000ChangesNoRatio) {
    const struct {
        const char* set;
        numeric::QuantalLink link;
        NaturalResponseOption natural;
    } cases[] = {
        {"finney", numeric::QuantalLink::Probit, NaturalResponseOption::None},
        {"finney", numeric::QuantalLink::Logit, NaturalResponseOption::None},
        {"shared_controls", numeric::QuantalLink::Probit, NaturalResponseOption::Estimate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.set) + (c.link == numeric::QuantalLink::Probit ? " probit" : " logit"));
        const PotencyResults mg = ComputePotency(test::PotencySet(c.set), Options(c.link, c.natural));
        const PotencyResults ug = ComputePotency(Scaled(test::PotencySet(c.set), 1000), Options(c.link, c.natural));
        ASSERT_EQ(mg.potency.size(), ug.potency.size());
        for (std::size_t i = 0; i < mg.potency.size(); ++i) {
            EXPECT_TRUE(test::Near(*ug.potency[i].ratio.estimate, *mg.potency[i].ratio.estimate, 1e-8));
            EXPECT_TRUE(test::Near(*ug.potency[i].ratio.lower, *mg.potency[i].ratio.lower, 1e-8));
            EXPECT_TRUE(test::Near(*ug.potency[i].ratio.upper, *mg.potency[i].ratio.upper, 1e-8));
        }
        ASSERT_EQ(mg.ratioTests.size(), ug.ratioTests.size());
        for (std::size_t i = 0; i < mg.ratioTests.size(); ++i) {
            EXPECT_TRUE(test::Near(*ug.ratioTests[i].z, *mg.ratioTests[i].z, 1e-8));
            EXPECT_TRUE(test::Near(*ug.ratioTests[i].ratio.lower, *mg.ratioTests[i].ratio.lower, 1e-8));
        }
        // The doses themselves scale.
        EXPECT_TRUE(test::Near(*ug.parallelLD50[0].estimate, 1000 * *mg.parallelLD50[0].estimate, 1e-8));
        EXPECT_TRUE(test::Near(ug.slope, mg.slope, 1e-8));
    }
}

// Parallel lines are a constant distance apart: LD10, LD50 and LD90 give the
// same ratio, the relative potency.
TEST(PotencyEdges, UnderParallelLinesEveryLDkRatioIsTheRelativePotency) {
    for (numeric::QuantalLink link : {numeric::QuantalLink::Probit, numeric::QuantalLink::Logit}) {
        const PotencyResults r = ComputePotency(test::PotencySet("finney"), Options(link));
        for (const PotencyRatio& p : r.potency) {
            for (double k : {10.0, 50.0, 90.0}) {
                const Interval first = ParallelLDk(r.parallel, p.first, k, link);
                const Interval second = ParallelLDk(r.parallel, p.second, k, link);
                EXPECT_TRUE(test::Near(*first.estimate / *second.estimate, *p.ratio.estimate, 1e-12)) << k;
            }
        }
    }
}

// Controls that never respond put the likelihood's maximum at C = 0, where
// the information about C is degenerate: the fit is refitted without it and
// says so; taking the controls away makes C a matter of the dose groups, and
// the fit changes.
TEST(PotencyEdges, NaturalResponseAtZeroOrWithoutControls) {
    const PotencyOptions estimate = Options(numeric::QuantalLink::Probit, NaturalResponseOption::Estimate);
    const PotencyResults zero = ComputePotency(test::PotencySet("controls_at_zero"), estimate);
    ASSERT_TRUE(zero.parallel.fit);
    ASSERT_EQ(zero.parallel.natural.size(), 1u);
    EXPECT_EQ(zero.parallel.natural[0].state, numeric::NaturalState::AtZero);
    EXPECT_EQ(zero.parallel.natural[0].rate, 0.0);
    EXPECT_FALSE(zero.parallel.natural[0].se);
    // The same as the fit without a natural response.
    const PotencyResults none = ComputePotency(test::PotencySet("controls_at_zero"), Options(numeric::QuantalLink::Probit));
    EXPECT_TRUE(test::Near(zero.slope, none.slope, 1e-9));

    PotencyData withControls = test::PotencySet("shared_controls");
    PotencyData withoutControls = withControls;
    withoutControls.sharedControls.clear();
    const PotencyResults with = ComputePotency(withControls, estimate);
    const PotencyResults without = ComputePotency(withoutControls, estimate);
    ASSERT_TRUE(with.parallel.fit && without.parallel.fit);
    EXPECT_GT(std::fabs(with.slope - without.slope), 1e-3);
    EXPECT_NE(with.parallel.natural[0].rate, without.parallel.natural[0].rate);
}

// A preparation whose responses are split by dose (none below, all above,
// one group between at the border) has no finite slope of its own: its line
// and the separate-lines model say so instead of giving a slope of 10^6,
// while the parallel lines, which share the other preparation's slope, fit.
TEST(PotencyEdges, ALineWithoutAFiniteSlopeSaysWhy) {
    PotencyData data = test::PotencySet("finney_pair");
    data.preparations[1].groups = {{7, 5.1, 49, 0}, {8, 10, 48, 0}, {9, 20.4, 48, 30}, {10, 30.2, 49, 49}};
    const PotencyResults r = ComputePotency(data, Options(numeric::QuantalLink::Probit));
    EXPECT_TRUE(r.lines[0].fitted());
    EXPECT_EQ(r.lines[1].reason, text::kSeparated);
    EXPECT_FALSE(r.separate.fit);
    EXPECT_EQ(r.parallelism.reason, text::kSeparated);
    EXPECT_FALSE(r.parallelism.g2);
    ASSERT_TRUE(r.parallel.fit);
    EXPECT_TRUE(std::isfinite(r.slope));
    EXPECT_LT(r.slope, 100);
    for (const RatioTest& t : r.ratioTests) {
        EXPECT_FALSE(t.ratio.estimate);
        EXPECT_EQ(t.ratio.reason, text::kLineMissing);
    }
}

// Two nearly flat lines: the common slope is not clearly above 0, g >= 1 and
// Fieller's set is not an interval. The words say so; no limits are given.
TEST(PotencyEdges, GAtOrAboveOneGivesWordsNotNumbers) {
    PotencyData data;
    data.preparations = {
        {"A", 2, {{2, 1, 10, 4}, {3, 2, 10, 5}, {4, 4, 10, 5}}, {}},
        {"B", 5, {{5, 1, 10, 3}, {6, 2, 10, 4}, {7, 4, 10, 4}}, {}},
    };
    const PotencyResults r = ComputePotency(data, Options(numeric::QuantalLink::Probit));
    ASSERT_TRUE(r.parallel.fit);
    ASSERT_EQ(r.potency.size(), 1u);
    const Interval& ratio = r.potency[0].ratio;
    ASSERT_TRUE(ratio.g);
    EXPECT_GE(*ratio.g, 1.0);
    EXPECT_TRUE(ratio.estimate);
    EXPECT_FALSE(ratio.lower || ratio.upper);
    EXPECT_EQ(ratio.reason, text::kGAboveOne);
    EXPECT_EQ(r.parallelLD50[0].reason, text::kGAboveOne);
}

}  // namespace
}  // namespace tavelmark::potency
