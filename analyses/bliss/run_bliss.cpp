#include "analyses/bliss/run_bliss.h"

#include <stdexcept>

#include "analyses/bliss/bliss_fit.h"
#include "analyses/bliss/bliss_input.h"
#include "analyses/bliss/bliss_messages.h"
#include "analyses/bliss/bliss_report.h"
#include "analyses/bliss/leading_number.h"

namespace tavelmark::bliss {

using model::InputGrid, model::Sheet, model::Workbook;
using report::CloseReport, report::MessageIcon, report::OpenReport, report::Prompter,
    report::ReportContext, report::ReportLayout, report::ReportOutcome, report::SetUpReportSheet;

namespace {

// A stopped calculation: the hidden workbook is dropped, the status is ready.
BlissOutcome Refused(Prompter& prompter) {
    prompter.setStatusReady();
    return {ReportOutcome{std::nullopt, true}, std::nullopt};
}

}  // namespace

BlissOutcome RunBliss(InputGrid& grid, const BlissOptions& options, Prompter& prompter,
                      const ReportContext& context) {
    Workbook workbook = OpenReport(prompter, context);

    // The options dialog keeps the text below 100; a batch caller may not.
    const double c = BackgroundFraction(options.backgroundText);
    if (c >= 1) {
        prompter.message(text::kBackgroundRange, text::kBackgroundRangeTitle,
                         MessageIcon::Critical);
        return Refused(prompter);
    }

    const auto groups = ReadBlissGroups(grid, c, prompter);
    if (!groups) return Refused(prompter);

    BlissFitOutcome fitted;
    try {
        fitted = FitBliss(*groups, c);
    } catch (const std::domain_error&) {
        fitted = {std::nullopt, text::kNumericBreakdown};
    }
    if (!fitted.fit) {
        prompter.message(fitted.failure, text::kHintTitle, MessageIcon::Exclamation);
        return Refused(prompter);
    }

    Sheet& sheet = workbook.activeSheet();
    SetUpReportSheet(sheet, ReportLayout{kBlissColumnWidth, std::nullopt, kBlissReportTitle});
    WriteBlissReport(sheet, *fitted.fit, c, options);
    CloseReport(prompter);
    return {ReportOutcome{std::move(workbook), false}, std::move(fitted.fit)};
}

}  // namespace tavelmark::bliss
