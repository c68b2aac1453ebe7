#include "analyses/rates/run_rates.h"

#include "analyses/rates/rates_analysis.h"
#include "analyses/rates/rates_report.h"
#include "analyses/rates/rates_window.h"

namespace tavelmark::rates {

using model::InputGrid, model::Range, model::Sheet, model::Workbook;
using report::CloseReport, report::MessageIcon, report::OpenReport, report::Prompter,
    report::ReportContext, report::ReportOutcome, report::SetUpReportSheet;

ReportOutcome RunRates(InputGrid& grid, const RatesOptions& options, Prompter& prompter,
                       const ReportContext& context) {
    prompter.setStatusBusy();
    const RateTableCheck check = ReadRateTable(grid);
    if (!check.table) {
        prompter.message(check.refusal, kRatesInputTitle, MessageIcon::Critical);
        grid.select(check.selection);
        grid.notifyChanged();
        prompter.showGridSelection(Range(check.selection));
        prompter.setStatusReady();
        return {std::nullopt, true};
    }

    const RatesResults results = ComputeRates(*check.table);
    if (results.yatesAdvice)
        prompter.message(kYatesAdviceText, kYatesAdviceTitle, MessageIcon::Exclamation);
    if (results.fisherAdvice)
        prompter.message(kFisherAdviceText, kFisherAdviceTitle, MessageIcon::None);

    // The workbook is opened only now that the input has been accepted.
    Workbook workbook = OpenReport(prompter, context);
    Sheet& sheet = workbook.activeSheet();
    SetUpReportSheet(sheet, {kRatesColumnWidth, kRatesColumnAWidth,
                             RatesReportTitle(options.windowCaption)});
    WriteRatesReport(sheet, results, options);
    CloseReport(prompter);
    return {std::move(workbook), false};
}

}  // namespace tavelmark::rates
