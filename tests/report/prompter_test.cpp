#include <gtest/gtest.h>

#include <sstream>

#include "report/prompter.h"

namespace tavelmark::report {
namespace {

TEST(RecordingPrompter, AnswersQuestionsInOrderThenNo) {
    RecordingPrompter p;
    p.answers = {true, false};
    EXPECT_TRUE(p.ask("q1", "t", MessageIcon::Question));
    EXPECT_FALSE(p.ask("q2", "t", MessageIcon::Question));
    EXPECT_FALSE(p.ask("q3", "t", MessageIcon::Question));
    p.message("m", "title", MessageIcon::Critical);
    const auto dialogs = p.dialogs();
    ASSERT_EQ(dialogs.size(), 4u);
    EXPECT_EQ(dialogs[3].title, "title");
    EXPECT_EQ(dialogs[3].icon, MessageIcon::Critical);
}

TEST(StreamPrompter, WritesTitleAndTextAndAnswersNo) {
    std::ostringstream out;
    StreamPrompter p(out);
    p.message("录入的数据类型错误或超出范围", "数据类型错误或超出范围", MessageIcon::Critical);
    EXPECT_FALSE(p.ask("删除?", "提示！", MessageIcon::Question));
    p.showGridSelection(model::Range("B3"));
    EXPECT_EQ(out.str(),
              "数据类型错误或超出范围: 录入的数据类型错误或超出范围\n"
              "提示！: 删除? -> 否 (batch mode answers No)\n"
              "selected: B3\n");
}

}  // namespace
}  // namespace tavelmark::report
