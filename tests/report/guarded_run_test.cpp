#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "report/guarded_run.h"
#include "report/status_text.h"

namespace tavelmark::report {
namespace {

TEST(RunGuarded, AnOutcomePassesThroughUntouched) {
    RecordingPrompter prompter;
    EXPECT_EQ(RunGuarded(prompter, [] { return 42; }), 42);
    EXPECT_TRUE(prompter.events.empty());
}

// Whatever a calculation throws, the user sees the run error box and the
// status bar is ready again, as after any other end of a calculation.
TEST(RunGuarded, AThrowingCalculationEndsInTheRunErrorMessage) {
    struct Case {
        const char* name;
        void (*fail)();
        const char* text;
    };
    const Case cases[] = {
        {"domain error", [] { throw std::domain_error("logarithm of a value that is not positive"); },
         "命令未能完成：logarithm of a value that is not positive"},
        {"out of memory", [] { throw std::bad_alloc(); }, "命令未能完成：std::bad_alloc"},
        {"not a std::exception", [] { throw 7; }, "命令未能完成。"},
    };
    for (const auto& c : cases) {
        RecordingPrompter prompter;
        prompter.setStatusBusy();
        const std::optional<int> outcome = RunGuarded(prompter, [&] {
            c.fail();
            return 1;
        });
        EXPECT_FALSE(outcome) << c.name;
        const auto dialogs = prompter.dialogs();
        ASSERT_EQ(dialogs.size(), 1u) << c.name;
        EXPECT_EQ(dialogs[0].title, "运行错误！");
        EXPECT_EQ(dialogs[0].text, c.text);
        EXPECT_EQ(dialogs[0].icon, MessageIcon::Critical);
        EXPECT_EQ(prompter.statusText(), kStatusReady) << c.name;
    }
}

}  // namespace
}  // namespace tavelmark::report
