#pragma once
#include <optional>

#include "model/workbook.h"

namespace tavelmark::report {

// What a calculate command hands back. `refused` is set when an input check
// stopped it; `workbook` is what the user is shown, which for most analyses
// is nothing after a refusal (the LDk comparison still shows its empty one).
struct ReportOutcome {
    std::optional<model::Workbook> workbook;
    bool refused = false;
};

}  // namespace tavelmark::report
