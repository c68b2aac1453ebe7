#include "analyses/rates/run_rates.h"

#include "analyses/rates/extended_rates.h"
#include "analyses/rates/rates_analysis.h"
#include "analyses/rates/rates_report.h"
#include "analyses/rates/rates_window.h"
#include "report/calculate.h"

namespace tavelmark::rates {

using model::InputGrid, model::Range, model::Sheet, model::Workbook;
using report::Calculate, report::CalculateSteps, report::Checked, report::MessageIcon, report::Prompter,
    report::Refusal, report::ReportContext, report::ReportOutcome, report::SetUpReportSheet;

ReportOutcome RunRates(InputGrid& grid, const RatesOptions& options, Prompter& prompter,
                       const ReportContext& context) {
    CalculateSteps<RateTable, RatesResults> steps;
    steps.check = [&]() -> Checked<RateTable> {
        const RateTableCheck check = ReadRateTable(grid);
        if (!check.table)
            return Checked<RateTable>::refuse(
                {kRatesInputTitle, check.refusal, MessageIcon::Critical, Range(check.selection)});
        return Checked<RateTable>::accept(*check.table);
    };
    steps.compute = [&](const RateTable& table) -> std::variant<RatesResults, Refusal> {
        RatesResults results = ComputeRates(table);
        // The advice comes before the report, as the user will read it.
        if (results.yatesAdvice)
            prompter.message(kYatesAdviceText, kYatesAdviceTitle, MessageIcon::Exclamation);
        if (results.fisherAdvice)
            prompter.message(kFisherAdviceText, kFisherAdviceTitle, MessageIcon::None);
        return results;
    };
    steps.write = [&](Workbook& workbook, const RateTable& table, const RatesResults& results) {
        Sheet& sheet = workbook.activeSheet();
        SetUpReportSheet(sheet, {kRatesColumnWidth, kRatesColumnAWidth, RatesReportTitle(options.captionCommand)});
        WriteRatesReport(sheet, results, options);
        if (options.extended) WriteExtendedResults(workbook, ComputeExtendedRates(table));
    };
    return Calculate(grid, prompter, context, steps).report;
}

}  // namespace tavelmark::rates
