#pragma once
// The Bliss calculate command: read and check the grid, fit, write the report.
#include <optional>

#include "analyses/bliss/bliss_types.h"
#include "model/input_grid.h"
#include "report/prompter.h"
#include "report/report_frame.h"
#include "report/report_outcome.h"

namespace tavelmark::bliss {

struct BlissOutcome {
    report::ReportOutcome report;
    // The fit of a calculation that reached its end; the LDk calculator takes
    // its hand-over values from here.
    std::optional<BlissFit> fit;
};

BlissOutcome RunBliss(model::InputGrid& grid, const BlissOptions& options, report::Prompter& prompter,
                      const report::ReportContext& context);

}  // namespace tavelmark::bliss
