#pragma once
// A calculate command run from a window's button.
#include <exception>
#include <string>

#include "common/prompter.h"

namespace tavelmark::ui {

// Runs the command and returns its outcome. A fault of the program (an
// exception) must not leave the status busy or lose the grid: it ends in a
// message box and an empty outcome instead.
template <class Run>
auto RunGuarded(Prompter& prompter, Run run) -> decltype(run()) {
    try {
        return run();
    } catch (const std::exception& error) {
        prompter.setStatusReady();
        prompter.message(std::string("计算未能完成：") + error.what(), "错误", MessageIcon::Critical);
        return {};
    }
}

}  // namespace tavelmark::ui
