// The options of every analysis as the analysis file and the command line
// give them: the registrations' codecs and their rules.
#include <gtest/gtest.h>

#include <string>

#include "analyses/analysis_list.h"

namespace tavelmark::analyses {
namespace {

using nlohmann::json;
using report::AnalysisRegistration, report::CheckedOptions, report::CommandLineValues;

const AnalysisRegistration& Named(std::string_view name) {
    const AnalysisRegistration* analysis = report::FindAnalysis(Analyses(), name);
    if (!analysis) throw std::logic_error("no analysis " + std::string(name));
    return *analysis;
}

TEST(AnalysisOptions, EveryAnalysisCompletesAndKeepsItsOptions) {
    for (const AnalysisRegistration* analysis : Analyses()) {
        SCOPED_TRACE(std::string(analysis->name));
        const CheckedOptions defaults = analysis->checkOptions(json::object());
        ASSERT_TRUE(defaults.refusal.empty()) << defaults.refusal;
        EXPECT_EQ(defaults.options.value("extended", true), false);
        // Through the text a file holds and back: the same options.
        json extended = defaults.options;
        extended["extended"] = true;
        const CheckedOptions back = analysis->checkOptions(json::parse(extended.dump()));
        EXPECT_EQ(back.options, extended);
        // The command line's --extended is the same member.
        EXPECT_EQ(analysis->optionsFromCommandLine(CommandLineValues{{"--extended", {}}}).options, extended);
        EXPECT_EQ(analysis->optionsFromCommandLine({}).options, defaults.options);
    }
}

TEST(AnalysisOptions, OlderFilesAndForeignTypesTakeTheDefaults) {
    // The members an older program wrote, and members of another type, which a
    // hand-edited file may hold: the documented rule is the dialog's default.
    struct Case {
        const char* analysis;
        const char* saved;
        const char* member;
        json expected;
    };
    const Case cases[] = {
        {"bliss", R"({"backgroundPercent": "5", "intermediate": true})", "backgroundPercent", "5"},
        {"bliss", R"({"backgroundPercent": 5, "intermediate": "true"})", "backgroundPercent", "0"},
        {"bliss", R"({"backgroundPercent": 5, "intermediate": "true"})", "intermediate", false},
        {"means", R"({"sections": ["variance"]})", "sections", json::array({"variance"})},
        {"means", R"({"sections": "variance", "extended": 1})", "extended", false},
        {"rates", R"({"items": [4, 11], "captionCommand": "odd-ana"})", "items", json::array({4, 11})},
        {"rates", R"({"items": [4, 11], "captionCommand": "odd-ana"})", "captionCommand", "odd-ana"},
        {"rates", R"({"items": {}, "captionCommand": null})", "captionCommand", "rate-ana"},
        {"ldk-compare", R"({"extended": null})", "extended", false},
        {"potency", R"({"link": "logit"})", "natural", "none"},
        {"potency", R"({"ldk": [95]})", "reference", ""},
        {"multigroup", R"({"reference": "模型组"})", "normalControl", ""},
        {"multigroup", R"({"reference": "模型组"})", "focus", "all-pairs"},
        {"multigroup", R"({"focus": "against-reference"})", "focus", "against-reference"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.analysis) + " " + c.saved);
        const CheckedOptions checked = Named(c.analysis).checkOptions(json::parse(c.saved));
        ASSERT_TRUE(checked.refusal.empty()) << checked.refusal;
        EXPECT_EQ(checked.options.at(c.member), c.expected);
    }
}

TEST(AnalysisOptions, SavedValuesFollowTheCommandLinesRules) {
    // A value the options dialog could not hold, or a name the command line
    // would refuse, is refused from a file too, with the member named.
    struct Case {
        const char* analysis;
        const char* saved;
        bool refused;
    };
    const Case cases[] = {
        {"bliss", R"({"backgroundPercent": "-5"})", true},
        {"bliss", R"({"backgroundPercent": "1e308"})", true},
        {"bliss", R"({"backgroundPercent": "0x10"})", true},
        {"bliss", R"({"backgroundPercent": "nan"})", true},
        {"bliss", R"({"backgroundPercent": "100"})", true},
        {"bliss", R"({"backgroundPercent": "150.5"})", true},
        {"bliss", R"({"backgroundPercent": "99.9"})", false},
        {"bliss", R"({"backgroundPercent": "5."})", false},
        {"bliss", R"({"backgroundPercent": ""})", false},  // the box emptied: 0 %
        {"means", R"({"sections": ["variance", "anova"]})", true},
        {"means", R"({"sections": [7]})", true},
        {"rates", R"({"items": [3]})", true},
        {"rates", R"({"items": [13]})", true},
        {"rates", R"({"items": [4294967300]})", true},
        {"rates", R"({"items": ["mh"]})", true},
        {"rates", R"({"captionCommand": "anova"})", true},
        {"rates", R"({"items": [12], "captionCommand": "en-rate-ana"})", false},
        {"potency", R"({"link": "cloglog"})", true},
        {"potency", R"({"natural": "abbot"})", true},
        {"potency", R"({"ldk": [0]})", true},
        {"potency", R"({"ldk": [95, 100]})", true},
        {"potency", R"({"ldk": [-5]})", true},
        {"potency", R"({"link": "logit", "natural": "estimate", "reference": "B", "ldk": [0.5, 99.5]})", false},
        // The several-groups codec refuses a member of another type too.
        {"multigroup", R"({"focus": "pairs"})", true},
        {"multigroup", R"({"reference": "甲", "normalControl": "甲"})", true},
        {"multigroup", R"({"reference": 3})", true},
        {"multigroup", R"({"alwaysUnequalVariances": "yes"})", true},
        {"multigroup", R"({"reference": "甲", "normalControl": "乙", "focus": "all-pairs"})", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.analysis) + " " + c.saved);
        const CheckedOptions checked = Named(c.analysis).checkOptions(json::parse(c.saved));
        EXPECT_EQ(!checked.refusal.empty(), c.refused) << checked.refusal;
        if (c.refused) EXPECT_NE(checked.refusal.find("选项"), std::string::npos) << checked.refusal;
    }
}

TEST(AnalysisOptions, CommandLineValuesBecomeTheSavedOptions) {
    struct Case {
        const char* analysis;
        CommandLineValues given;
        const char* member;
        json expected;
    };
    const Case cases[] = {
        {"bliss", {{"--background", {"12.5"}}, {"--chart", {}}}, "backgroundPercent", "12.5"},
        {"bliss", {{"--background", {"12.5"}}, {"--chart", {}}}, "chart", true},
        {"means", {{"--all", {}}}, "sections",
         json::array({"t-tests", "descriptive", "sample-size", "equivalence", "rank-sum", "normality", "variance"})},
        {"means", {{"--sections", {"variance,,rank-sum"}}}, "sections", json::array({"rank-sum", "variance"})},
        {"rates", {{"--variant", {"odd-ana"}}}, "items", json::array({11})},
        {"rates", {{"--variant", {"RATE-COMP"}}, {"--items", {"mh,12"}}}, "captionCommand", "rate-comp"},
        {"rates", {{"--variant", {"RATE-COMP"}}, {"--items", {"mh,12"}}}, "items", json::array({4, 12})},
        {"potency", {{"--link", {"logit"}}, {"--natural", {"estimate"}}}, "link", "logit"},
        {"potency", {{"--link", {"logit"}}, {"--natural", {"estimate"}}}, "natural", "estimate"},
        {"potency", {{"--reference", {"鱼藤素"}}}, "reference", "鱼藤素"},
        {"potency", {{"--ldk", {"95", "2.5", ".5"}}}, "ldk", json::array({95, 2.5, 0.5})},
        {"multigroup", {{"--control", {"模型组"}}}, "reference", "模型组"},
        {"multigroup", {{"--normal-control", {"正常对照组"}}}, "normalControl", "正常对照组"},
        {"multigroup", {{"--unequal-variances", {}}}, "alwaysUnequalVariances", true},
        {"multigroup", {{"--focus", {"against-reference"}}}, "focus", "against-reference"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.analysis) + " " + c.member);
        const CheckedOptions checked = Named(c.analysis).optionsFromCommandLine(c.given);
        ASSERT_TRUE(checked.refusal.empty()) << checked.refusal;
        EXPECT_EQ(checked.options.at(c.member), c.expected);
    }
    struct Refused {
        const char* analysis;
        CommandLineValues given;
        const char* saysWhy;
    };
    const Refused refusals[] = {
        {"bliss", {{"--background", {"-5"}}}, "--background: 请输入 0 至 100 之间的百分数"},
        {"bliss", {{"--background", {""}}}, "--background: 请输入 0 至 100 之间的百分数"},
        {"bliss", {{"--background", {"100"}}}, "数据超出范围！: 本底死亡率应在[0%,100%)之间,请重新输入"},
        {"bliss", {{"--ldk", {"50", "100"}}}, "--ldk 100: "},
        {"means", {{"--sections", {"anova"}}}, "--sections: "},
        {"rates", {{"--items", {"3"}}}, "--items: 未知的报告项目: 3"},
        {"rates", {{"--variant", {"anova"}}}, "--variant: anova"},
        {"potency", {{"--link", {"cloglog"}}}, "--link cloglog: "},
        {"potency", {{"--natural", {"Abbott"}}}, "--natural Abbott: "},
        {"potency", {{"--ldk", {"95", "100"}}}, "--ldk 100: "},
        {"potency", {{"--ldk", {"0"}}}, "--ldk 0: "},
        {"potency", {{"--ldk", {"1e1"}}}, "--ldk 1e1: "},
        {"potency", {{"--ldk", {"-5"}}}, "--ldk -5: "},
        {"multigroup", {{"--focus", {"pairs"}}}, "--focus pairs: 选项“focus”只能是"},
        {"multigroup", {{"--control", {"甲"}}, {"--normal-control", {"甲"}}}, "--control 甲 --normal-control 甲: "},
    };
    for (const Refused& c : refusals) {
        SCOPED_TRACE(c.saysWhy);
        const CheckedOptions checked = Named(c.analysis).optionsFromCommandLine(c.given);
        EXPECT_NE(checked.refusal.find(c.saysWhy), std::string::npos) << checked.refusal;
    }
}

}  // namespace
}  // namespace tavelmark::analyses
