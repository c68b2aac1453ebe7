#pragma once
// A calculate command run under one guard, from a window's button or from
// the command line: a fault of the program (an exception) ends in the
// "运行错误！" message, never in a crash, a busy status or a lost grid.
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "report/prompter.h"

namespace tavelmark::report {

inline constexpr std::string_view kRunErrorTitle = "运行错误！";

// "命令未能完成：" and what the exception says; "命令未能完成。" when it says
// nothing (an exception not derived from std::exception).
std::string RunErrorText(std::exception_ptr error);

// Sets the status ready and shows the run error message for the exception.
void ReportRunError(Prompter& prompter, std::exception_ptr error);

// The command's outcome, or nullopt after it threw (reported on the prompter).
template <class Run>
auto RunGuarded(Prompter& prompter, Run run) -> std::optional<decltype(run())> {
    try {
        return run();
    } catch (...) {
        ReportRunError(prompter, std::current_exception());
        return std::nullopt;
    }
}

}  // namespace tavelmark::report
