// Extra LDk percents as typed on the command line and in the options
// dialog: the text's shape, the range of the options, and the list's text.
#include "analyses/potency/potency_percent_text.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace tavelmark::potency {
namespace {

TEST(PotencyPercentText, ListsOfPercentsAsTheDialogTakesThem) {
    const struct {
        const char* typed;
        std::optional<std::vector<double>> percents;  // none: refused
    } cases[] = {
        {"", std::vector<double>{}},
        {"  ", std::vector<double>{}},
        {"95", std::vector<double>{95}},
        {"5, 95", std::vector<double>{5, 95}},
        {"5，95、99", std::vector<double>{5, 95, 99}},  // the separators of a Chinese input method
        {" 2.5\t.5 ,,99.9 ", std::vector<double>{2.5, 0.5, 99.9}},
        {"0", std::nullopt},       // LD0 and LD100 do not exist
        {"100", std::nullopt},
        {"95, 100", std::nullopt},  // one bad value refuses the list
        {"1..5", std::nullopt},
        {"1e1", std::nullopt},     // digits and one point only
        {"-5", std::nullopt},
        {".", std::nullopt},
        {"五", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(LDkPercentList(c.typed), c.percents);
    }
}

TEST(PotencyPercentText, OnePercentHasTheShapeTheRangeIsTheOptionsRule) {
    EXPECT_EQ(PercentTextValue("2.5"), 2.5);
    EXPECT_EQ(PercentTextValue(".5"), 0.5);
    EXPECT_EQ(PercentTextValue("100"), 100.0);  // a number; ValidLDkPercent refuses it
    for (const char* text : {"", "1e1", "+5", "5%", "1.2.3", " 5"}) EXPECT_FALSE(PercentTextValue(text)) << text;
}

TEST(PotencyPercentText, TheListReadsBackAsItself) {
    const std::vector<double> percents = {5, 2.5, 99.99, 0.1};
    EXPECT_EQ(LDkPercentListText(percents), "5, 2.5, 99.99, 0.1");
    EXPECT_EQ(LDkPercentList(LDkPercentListText(percents)), percents);
    EXPECT_EQ(LDkPercentListText({}), "");
}

}  // namespace
}  // namespace tavelmark::potency
