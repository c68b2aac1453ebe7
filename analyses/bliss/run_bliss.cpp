#include "analyses/bliss/run_bliss.h"

#include <stdexcept>

#include "analyses/bliss/bliss_extended.h"
#include "analyses/bliss/bliss_extended_sheet.h"
#include "analyses/bliss/bliss_fit.h"
#include "analyses/bliss/bliss_input.h"
#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/bliss_report.h"
#include "analyses/bliss/leading_number.h"
#include "report/calculate.h"

namespace tavelmark::bliss {

using model::InputGrid, model::Sheet, model::Workbook;
using report::Calculate, report::CalculateSteps, report::Checked, report::MessageIcon, report::Prompter,
    report::Refusal, report::ReportContext, report::ReportLayout, report::SetUpReportSheet;

namespace {

struct BlissInput {
    double c = 0;  // background mortality as a fraction
    std::vector<BlissGroup> groups;
};

}  // namespace

BlissOutcome RunBliss(InputGrid& grid, const BlissOptions& options, Prompter& prompter,
                      const ReportContext& context) {
    CalculateSteps<BlissInput, BlissFit> steps;
    steps.check = [&]() -> Checked<BlissInput> {
        // The options dialog keeps the text below 100; a batch caller may not.
        const double c = BackgroundFraction(options.backgroundText);
        if (c >= 1)
            return Checked<BlissInput>::refuse(
                Refusal{text::kBackgroundRangeTitle, text::kBackgroundRange, MessageIcon::Critical});
        auto groups = ReadBlissGroups(grid, c, prompter);
        if (!groups.input) return Checked<BlissInput>::refuse(std::move(*groups.refusal));
        return Checked<BlissInput>::accept(BlissInput{c, std::move(*groups.input)});
    };
    steps.compute = [](const BlissInput& input) -> std::variant<BlissFit, Refusal> {
        BlissFitOutcome fitted;
        try {
            fitted = FitBliss(input.groups, input.c);
        } catch (const std::domain_error&) {
            fitted = {std::nullopt, text::kNumericBreakdown};
        }
        if (!fitted.fit) return Refusal{text::kHintTitle, fitted.failure, MessageIcon::Exclamation};
        return std::move(*fitted.fit);
    };
    steps.write = [&](Workbook& workbook, const BlissInput& input, const BlissFit& fit) {
        Sheet& sheet = workbook.activeSheet();
        SetUpReportSheet(sheet, ReportLayout{kBlissColumnWidth, std::nullopt, kBlissReportTitle});
        WriteBlissReport(sheet, fit, input.c, options);
        if (options.extended) WriteExtendedResults(workbook, ComputeBlissExtended(input.groups, input.c, fit));
    };
    auto calculated = Calculate(grid, prompter, context, steps);
    return {std::move(calculated.report), std::move(calculated.results)};
}

}  // namespace tavelmark::bliss
