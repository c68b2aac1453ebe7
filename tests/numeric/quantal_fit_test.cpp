// The quantal-response engine against data/quantal_fit_reference.R (its own
// Newton fits with the observed information, checked there against glm and
// optim), and the cases where no estimate exists.
#include "numeric/quantal_fit.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric {
namespace {

struct Counts {
    double dose, n, r;
};

const std::vector<Counts> kRotenone = {{2.6, 50, 6}, {3.8, 48, 16}, {5.1, 46, 24}, {7.7, 49, 42}, {10.2, 50, 44}};
const std::vector<Counts> kDeguelin = {{5.1, 49, 16}, {10, 48, 18},  {20.4, 48, 34},
                                       {30.2, 49, 47}, {40.7, 50, 47}, {50.1, 48, 48}};
const std::vector<Counts> kMixture = {{2.5, 47, 7},   {5.1, 46, 22},  {10, 46, 27},
                                      {15.1, 48, 38}, {20.4, 46, 43}, {25.1, 50, 48}};
// Rotenone with 60 controls and a natural rate of about 8 % (natural), and
// with controls that never respond (boundary).
const std::vector<Counts> kNatural = {{0, 60, 4}, {2.6, 50, 9}, {3.8, 48, 19}, {5.1, 46, 26}, {7.7, 49, 43}, {10.2, 50, 45}};
const std::vector<Counts> kBoundary = {{0, 60, 0}, {2.6, 50, 6}, {3.8, 48, 16}, {5.1, 46, 24}, {7.7, 49, 42}, {10.2, 50, 44}};

// Each preparation its own intercept; one slope shared (parallel) or not.
QuantalModel LinesModel(const std::vector<std::vector<Counts>>& preparations, bool parallel, QuantalLink link) {
    QuantalModel model;
    model.link = link;
    const int k = static_cast<int>(preparations.size());
    model.coefficients = parallel ? k + 1 : 2 * k;
    for (int j = 0; j < k; ++j) {
        for (const Counts& c : preparations[j]) {
            QuantalGroup g;
            g.n = c.n;
            g.positives = c.r;
            if (c.dose > 0) {
                g.design.assign(model.coefficients, 0.0);
                g.design[j] = 1;
                g.design[parallel ? k : k + j] = std::log10(c.dose);
            }
            model.groups.push_back(g);
        }
    }
    return model;
}

QuantalModel Line(const std::vector<Counts>& counts, QuantalLink link) { return LinesModel({counts}, true, link); }

const std::vector<test::ReferenceRow>& Reference() {
    static const auto rows = test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/quantal_fit_reference.csv");
    return rows;
}

std::map<std::string, double> ReferenceOf(const std::string& name) {
    std::map<std::string, double> values;
    for (const auto& row : Reference())
        if (row.text("case") == name) values[row.text("quantity")] = row.number("value");
    return values;
}

struct ReferenceCase {
    const char* name;
    QuantalModel model;
};

std::vector<ReferenceCase> ReferenceCases() {
    QuantalModel estimated = Line(kNatural, QuantalLink::Probit);
    estimated.natural = NaturalResponse::Estimated;
    QuantalModel estimatedLogit = Line(kNatural, QuantalLink::Logit);
    estimatedLogit.natural = NaturalResponse::Estimated;
    QuantalModel fixed = Line(kNatural, QuantalLink::Probit);
    fixed.natural = NaturalResponse::Fixed;
    fixed.fixedRates = {4.0 / 60};
    QuantalModel atZero = Line(kBoundary, QuantalLink::Probit);
    atZero.natural = NaturalResponse::Estimated;
    return {
        {"rotenone_probit", Line(kRotenone, QuantalLink::Probit)},
        {"deguelin_logit", Line(kDeguelin, QuantalLink::Logit)},
        {"finney_parallel_probit", LinesModel({kRotenone, kDeguelin, kMixture}, true, QuantalLink::Probit)},
        {"natural_estimated_probit", estimated},
        {"natural_estimated_logit", estimatedLogit},
        {"natural_fixed_probit", fixed},
        {"natural_at_zero_probit", atZero},
    };
}

// The parameters in the order of the covariance: coefficients, then each
// estimated natural rate.
std::vector<double> Parameters(const QuantalFit& fit) {
    std::vector<double> theta = fit.coefficients;
    for (std::size_t b = 0; b < fit.naturalIndex.size(); ++b)
        if (fit.naturalIndex[b] >= 0) theta.push_back(fit.naturalRates[b]);
    return theta;
}

TEST(QuantalFit, AgreesWithTheReferenceFitsAndTheirObservedInformation) {
    for (const ReferenceCase& c : ReferenceCases()) {
        SCOPED_TRACE(c.name);
        const auto expected = ReferenceOf(c.name);
        ASSERT_FALSE(expected.empty());
        const QuantalOutcome outcome = FitQuantal(c.model);
        ASSERT_TRUE(outcome.fit);
        const QuantalFit& fit = *outcome.fit;
        const std::vector<double> theta = Parameters(fit);
        for (std::size_t k = 0; k < theta.size(); ++k)
            EXPECT_TRUE(test::Near(theta[k], expected.at("theta" + std::to_string(k)), 1e-8)) << k;
        EXPECT_EQ(expected.count("theta" + std::to_string(theta.size())), 0u) << "R estimates more parameters";
        for (int i = 0; i < fit.covariance.size; ++i)
            for (int j = i; j < fit.covariance.size; ++j)
                EXPECT_TRUE(test::Near(fit.covariance(i, j),
                                       expected.at("cov" + std::to_string(i) + std::to_string(j)), 1e-7))
                    << i << "," << j;
        EXPECT_TRUE(test::Near(fit.deviance, expected.at("deviance"), 1e-8));
        EXPECT_TRUE(test::Near(fit.pearsonChi2, expected.at("pearson"), 1e-8));
        EXPECT_TRUE(test::Near(fit.logLikelihood, expected.at("loglik"), 1e-10));
        EXPECT_EQ(fit.df, static_cast<int>(expected.at("df")));
    }
}

TEST(QuantalFit, NaturalRateStatesSayHowCWasTaken) {
    const struct {
        const char* name;
        QuantalModel model;
        NaturalState state;
        bool rateAboveZero;
    } cases[] = {
        {"no natural rate", Line(kRotenone, QuantalLink::Probit), NaturalState::None, false},
        {"fixed", ReferenceCases()[5].model, NaturalState::Fixed, true},
        {"estimated", ReferenceCases()[3].model, NaturalState::Estimated, true},
        {"estimated at the boundary", ReferenceCases()[6].model, NaturalState::AtZero, false},
    };
    for (const auto& c : cases) {
        const QuantalOutcome outcome = FitQuantal(c.model);
        ASSERT_TRUE(outcome.fit) << c.name;
        ASSERT_EQ(outcome.fit->naturalStates.size(), 1u) << c.name;
        EXPECT_EQ(outcome.fit->naturalStates[0], c.state) << c.name;
        EXPECT_EQ(outcome.fit->naturalRates[0] > 0, c.rateAboveZero) << c.name;
        EXPECT_EQ(outcome.fit->naturalIndex[0] >= 0, c.state == NaturalState::Estimated) << c.name;
    }
}

TEST(QuantalFit, EstimatingCWithoutControlsStillFitsAndDiffersFromTheFitWithThem) {
    std::vector<Counts> doseGroupsOnly(kNatural.begin() + 1, kNatural.end());
    QuantalModel withoutControls = Line(doseGroupsOnly, QuantalLink::Probit);
    withoutControls.natural = NaturalResponse::Estimated;
    const QuantalOutcome without = FitQuantal(withoutControls);
    const QuantalOutcome with = FitQuantal(ReferenceCases()[3].model);
    ASSERT_TRUE(with.fit);
    ASSERT_TRUE(without.fit);
    EXPECT_GT(std::fabs(without.fit->coefficients[1] - with.fit->coefficients[1]), 1e-3);
    EXPECT_EQ(without.fit->groups, 5);
    EXPECT_EQ(with.fit->groups, 6);
}

TEST(QuantalFit, DataWithoutAFiniteEstimateSayWhyInsteadOfRunningAway) {
    const struct {
        const char* name;
        QuantalModel model;
        QuantalFailure failure;
    } cases[] = {
        {"one dose", Line({{5, 10, 2}, {5, 10, 5}, {5, 10, 7}}, QuantalLink::Probit), QuantalFailure::RankDeficient},
        {"separated probit", Line({{1, 10, 0}, {2, 10, 0}, {4, 10, 10}, {8, 10, 10}}, QuantalLink::Probit),
         QuantalFailure::NoFiniteEstimate},
        {"separated logit with a border group",
         Line({{1, 10, 0}, {2, 10, 0}, {4, 10, 4}, {8, 10, 10}, {16, 10, 10}}, QuantalLink::Logit),
         QuantalFailure::NoFiniteEstimate},
    };
    for (const auto& c : cases) {
        const QuantalOutcome outcome = FitQuantal(c.model);
        EXPECT_FALSE(outcome.fit) << c.name << ": slope " << outcome.fit->coefficients.back();
        EXPECT_EQ(outcome.failure, c.failure) << c.name;
    }
}

TEST(QuantalFit, AStartWhereTheLikelihoodIsNotFiniteIsAFailureNotACrash) {
    // A profile fit can start where a group without responses has a fitted
    // rate of exactly 1: the log-likelihood is -inf from the first step.
    QuantalModel model = Line(kRotenone, QuantalLink::Probit);
    model.start = {-1e6, 1e6};
    const QuantalOutcome outcome = FitQuantal(model);
    EXPECT_FALSE(outcome.fit);
    EXPECT_NE(outcome.failure, QuantalFailure::None);
}

TEST(QuantalFit, AnExactFitHasADevianceOfZeroNotBelow) {
    // Rates exactly on a probit line: Phi(-1), Phi(0), Phi(1) of 10^6 subjects
    // rounded to whole counts leave a deviance of rounding size.
    const double n = 1e6;
    const QuantalOutcome outcome = FitQuantal(Line(
        {{1, n, std::round(n * 0.15865525393145707)}, {10, n, n / 2}, {100, n, std::round(n * 0.84134474606854293)}},
        QuantalLink::Probit));
    ASSERT_TRUE(outcome.fit);
    EXPECT_GE(outcome.fit->deviance, 0.0);
    EXPECT_LT(outcome.fit->deviance, 1e-6);
}

TEST(QuantalSeparation, TellsWhichWayALineIsSeparated) {
    const struct {
        const char* name;
        std::vector<LinePoint> line;
        SeparationDirection direction;
    } cases[] = {
        {"overlapping", {{0, 10, 1}, {1, 10, 5}, {2, 10, 9}}, SeparationDirection::None},
        {"rising", {{0, 10, 0}, {1, 10, 10}, {2, 10, 10}}, SeparationDirection::Rising},
        {"rising with a border group", {{0, 10, 0}, {1, 10, 4}, {2, 10, 10}}, SeparationDirection::Rising},
        {"falling", {{0, 10, 10}, {1, 10, 0}, {2, 10, 0}}, SeparationDirection::Falling},
        {"no response", {{0, 10, 0}, {1, 10, 0}}, SeparationDirection::Both},
        {"unsorted doses", {{2, 10, 10}, {0, 10, 0}, {1, 10, 3}, {3, 10, 10}}, SeparationDirection::Rising},
    };
    for (const auto& c : cases) EXPECT_EQ(LineSeparation(c.line), c.direction) << c.name;
}

TEST(QuantalSeparation, ParallelLinesNeedEveryLineSeparatedTheSameWay) {
    const std::vector<LinePoint> gentle = {{0, 10, 1}, {1, 10, 5}, {2, 10, 9}};
    const std::vector<LinePoint> rising = {{0, 10, 0}, {1, 10, 10}};
    const std::vector<LinePoint> falling = {{0, 10, 10}, {1, 10, 0}};
    const std::vector<LinePoint> none = {{0, 10, 0}, {1, 10, 0}};
    const struct {
        const char* name;
        std::vector<std::vector<LinePoint>> lines;
        bool separate, parallel;
    } cases[] = {
        {"both gentle", {gentle, gentle}, false, false},
        {"one steep", {gentle, rising}, true, false},
        {"both steep", {rising, rising}, true, true},
        {"steep either way", {rising, falling}, true, false},
        {"one without a response", {gentle, none}, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SeparateLinesSeparated(c.lines), c.separate) << c.name;
        EXPECT_EQ(ParallelLinesSeparated(c.lines), c.parallel) << c.name;
    }
}

}  // namespace
}  // namespace tavelmark::numeric
