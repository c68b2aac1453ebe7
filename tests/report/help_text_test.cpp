#include <gtest/gtest.h>

#include "report/help_text.h"

namespace tavelmark::report {
namespace {

TEST(HelpText, LinesJoinedByCarriageReturnsWithNoneAtTheEnd) {
    EXPECT_EQ(JoinHelpLines({"【举例说明】", "    a", "", "【用法说明】"}), "【举例说明】\r    a\r\r【用法说明】");
    EXPECT_EQ(JoinHelpLines({"one"}), "one");
    EXPECT_EQ(JoinHelpLines({}), "");
}

}  // namespace
}  // namespace tavelmark::report
