#include "report/guarded_run.h"

#include <stdexcept>

namespace tavelmark::report {

std::string RunErrorText(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& known) {
        return std::string("命令未能完成：") + known.what();
    } catch (...) {
    }
    return "命令未能完成。";
}

void ReportRunError(Prompter& prompter, std::exception_ptr error) {
    prompter.setStatusReady();
    prompter.message(RunErrorText(error), kRunErrorTitle, MessageIcon::Critical);
}

}  // namespace tavelmark::report
