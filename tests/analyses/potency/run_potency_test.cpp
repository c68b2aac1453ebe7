// The calculate command from grid to workbook, and the options as a saved
// analysis keeps them.
#include "analyses/potency/run_potency.h"

#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "analyses/potency/potency_options_codec.h"
#include "analyses/potency/potency_template.h"
#include "report/extended_sheet.h"
#include "support/sheet_cells.h"

namespace tavelmark::potency {
namespace {

using report::RecordingPrompter;

TEST(RunPotency, TheTemplateExampleGivesTheReportAndTheExtendedSheetWhenAsked) {
    for (bool extended : {false, true}) {
        model::InputGrid grid;
        WritePotencyTemplate(grid);
        RecordingPrompter prompter;
        PotencyOptions options;
        options.extended = extended;
        const report::ReportOutcome outcome = RunPotency(grid, options, prompter, report::ReportContext{});
        ASSERT_TRUE(outcome.workbook);
        EXPECT_FALSE(outcome.refused);
        EXPECT_TRUE(prompter.dialogs().empty());
        EXPECT_EQ(prompter.statusText(), "就绪");
        const auto& sheets = outcome.workbook->sheets;
        ASSERT_EQ(sheets.size(), extended ? 2u : 1u);
        EXPECT_EQ(test::Text(sheets[0], "A1"), "Quorin ver1.0 (Tavelmark for Windows)");
        EXPECT_EQ(test::Text(sheets[0], "A2"), "半数量斜率两两对比计算结果");
        EXPECT_EQ(test::Text(sheets[0], "A4"), "各制剂数据");
        EXPECT_EQ(sheets[0].defaultColumnWidth(), 13.5);
        if (extended) {
            EXPECT_EQ(sheets[1].name(), report::kExtendedSheetName);
        }
    }
}

TEST(RunPotency, ARefusalShowsItsMessageSelectsTheCellAndWritesNothing) {
    model::InputGrid grid;
    WritePotencyTemplate(grid);
    grid.setValue("D5", 60.0);  // 60 of 49
    RecordingPrompter prompter;
    const report::ReportOutcome outcome = RunPotency(grid, PotencyOptions{}, prompter, report::ReportContext{});
    EXPECT_FALSE(outcome.workbook);
    EXPECT_TRUE(outcome.refused);
    const auto dialogs = prompter.dialogs();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].text, "动物阳性数不得大于每组例数");
    EXPECT_EQ(dialogs[0].title, "超出范围！");
    EXPECT_EQ(grid.selection(), model::Range("D5"));
    EXPECT_EQ(prompter.statusText(), "就绪");
}

TEST(PotencyOptionsCodec, RoundTripsEveryOption) {
    PotencyOptions o;
    o.link = numeric::QuantalLink::Logit;
    o.natural = NaturalResponseOption::Estimate;
    o.reference = "鱼藤素";
    o.extraLDk = {95, 2.5};
    o.extended = true;
    const nlohmann::json json = PotencyOptionsToJson(o);
    EXPECT_EQ(json.at("link"), "logit");
    EXPECT_EQ(json.at("natural"), "estimate");
    const auto back = PotencyOptionsFromJson(json);
    ASSERT_TRUE(std::holds_alternative<PotencyOptions>(back));
    const PotencyOptions& r = std::get<PotencyOptions>(back);
    EXPECT_EQ(r.link, o.link);
    EXPECT_EQ(r.natural, o.natural);
    EXPECT_EQ(r.reference, o.reference);
    EXPECT_EQ(r.extraLDk, o.extraLDk);
    EXPECT_EQ(r.extended, o.extended);
}

TEST(PotencyOptionsCodec, MissingMembersTakeDefaultsAndBadOnesAreRefusedByName) {
    const auto empty = PotencyOptionsFromJson(nlohmann::json::object());
    ASSERT_TRUE(std::holds_alternative<PotencyOptions>(empty));
    const PotencyOptions& d = std::get<PotencyOptions>(empty);
    EXPECT_EQ(d.link, numeric::QuantalLink::Probit);
    EXPECT_EQ(d.natural, NaturalResponseOption::None);
    EXPECT_TRUE(d.reference.empty() && d.extraLDk.empty() && !d.extended);

    const struct {
        const char* json;
        const char* member;
    } bad[] = {
        {R"({"link": "cloglog"})", "link"},
        {R"({"link": 1})", "link"},
        {R"({"natural": "abbot"})", "natural"},
        {R"({"reference": 3})", "reference"},
        {R"({"ldk": 95})", "ldk"},
        {R"({"ldk": [0]})", "ldk"},
        {R"({"ldk": [100]})", "ldk"},
        {R"({"ldk": ["95"]})", "ldk"},
        {R"({"extended": "yes"})", "extended"},
    };
    for (const auto& c : bad) {
        const auto result = PotencyOptionsFromJson(nlohmann::json::parse(c.json));
        ASSERT_TRUE(std::holds_alternative<std::string>(result)) << c.json;
        EXPECT_NE(std::get<std::string>(result).find(std::string("\"") + c.member + "\""), std::string::npos)
            << c.json << ": " << std::get<std::string>(result);
    }
    EXPECT_TRUE(std::holds_alternative<std::string>(PotencyOptionsFromJson(nlohmann::json::array())));
}

}  // namespace
}  // namespace tavelmark::potency
