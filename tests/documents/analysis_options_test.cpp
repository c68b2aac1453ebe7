#include "documents/analysis_options.h"

#include <gtest/gtest.h>

#include <string>

namespace tavelmark::documents {
namespace {

using nlohmann::json;

// Through the text a file holds, as a saved analysis goes to disk and back.
json ThroughText(const json& options) { return json::parse(options.dump()); }

TEST(AnalysisOptions, ExtendedComesBackForEveryAnalysisWithoutDisturbingTheOtherOptions) {
    for (const bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "extended on" : "extended off");

        bliss::BlissOptions bliss;
        bliss.backgroundText = "5";
        bliss.showFieller = true;
        bliss.drawChart = true;
        bliss.extended = extended;
        const bliss::BlissOptions blissBack = BlissOptionsFrom(ThroughText(OptionsJson(bliss)));
        EXPECT_EQ(blissBack.extended, extended);
        EXPECT_EQ(blissBack.backgroundText, "5");
        EXPECT_TRUE(blissBack.showFieller);
        EXPECT_TRUE(blissBack.drawChart);
        EXPECT_FALSE(blissBack.showIntermediate);

        means::MeansOptions means;
        means.variance = true;
        means.extended = extended;
        const means::MeansOptions meansBack = MeansOptionsFrom(ThroughText(OptionsJson(means)));
        EXPECT_EQ(meansBack.extended, extended);
        EXPECT_TRUE(meansBack.variance);
        EXPECT_FALSE(meansBack.tTests);

        rates::RatesOptions rates = rates::RatesOptions::All();
        rates.captionCommand = rates::RatesMenuCommand::RateComp;
        rates.extended = extended;
        const rates::RatesOptions ratesBack = RatesOptionsFrom(ThroughText(OptionsJson(rates)));
        EXPECT_EQ(ratesBack.extended, extended);
        for (int i = rates::RatesOptions::kFirstOptionalItem; i <= rates::RatesOptions::kLastItem; ++i)
            EXPECT_TRUE(ratesBack.item(i)) << "item " << i;
        EXPECT_EQ(ratesBack.captionCommand, rates::RatesMenuCommand::RateComp);

        ldk_compare::LDkCompareOptions ldk;
        ldk.extended = extended;
        EXPECT_EQ(LDkCompareOptionsFrom(ThroughText(OptionsJson(ldk))).extended, extended);
    }
}

TEST(AnalysisOptions, OlderFilesAndForeignValuesLeaveExtendedOff) {
    // The options objects an older program wrote (no "extended" member), and
    // members of the wrong type, which a hand-edited file may hold.
    struct Case {
        const char* what;
        const char* options;
    };
    const Case cases[] = {
        {"older file", R"({"backgroundPercent": "5", "intermediate": true, "fieller": false,
                           "heterogeneity": false, "ldkCalculator": false, "chart": false,
                           "sections": ["variance"], "items": [4, 11], "captionCommand": "odd-ana"})"},
        {"empty options", "{}"},
        {"text instead of a boolean", R"({"extended": "true", "sections": ["variance"], "items": [4, 11],
                                          "intermediate": true})"},
        {"number instead of a boolean", R"({"extended": 1, "sections": ["variance"], "items": [4, 11],
                                            "intermediate": true})"},
        {"null", R"({"extended": null})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const json options = json::parse(c.options);
        EXPECT_FALSE(BlissOptionsFrom(options).extended);
        EXPECT_FALSE(MeansOptionsFrom(options).extended);
        EXPECT_FALSE(RatesOptionsFrom(options).extended);
        EXPECT_FALSE(LDkCompareOptionsFrom(options).extended);
    }
    // The other options of an older file still count.
    const json older = json::parse(cases[0].options);
    EXPECT_TRUE(BlissOptionsFrom(older).showIntermediate);
    EXPECT_TRUE(MeansOptionsFrom(older).variance);
    EXPECT_TRUE(RatesOptionsFrom(older).item(11));
    EXPECT_EQ(RatesOptionsFrom(older).captionCommand, rates::RatesMenuCommand::OddAna);
}

TEST(AnalysisOptions, ExtendedIsWrittenUnderItsOwnNameForEveryAnalysis) {
    // The member name is the file format that docs/analysis-file.md promises.
    bliss::BlissOptions bliss;
    bliss.extended = true;
    means::MeansOptions means;
    means.extended = true;
    rates::RatesOptions rates;
    rates.extended = true;
    ldk_compare::LDkCompareOptions ldk;
    ldk.extended = true;
    for (const json& options : {OptionsJson(bliss), OptionsJson(means), OptionsJson(rates), OptionsJson(ldk)})
        EXPECT_EQ(options.value("extended", false), true) << options.dump();
    EXPECT_EQ(OptionsJson(means::MeansOptions::All()).value("extended", true), false)
        << "every section does not mean the second sheet";
}

}  // namespace
}  // namespace tavelmark::documents
