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
    struct Results {
        RatesResults classic;
        std::optional<ExtendedRates> extended;
    };
    CalculateSteps<RateTable, Results> steps;
    steps.check = [&]() -> Checked<RateTable> {
        const RateTableCheck check = ReadRateTable(grid);
        if (!check.table)
            return Checked<RateTable>::refuse(
                {kRatesInputTitle, check.refusal, MessageIcon::Critical, Range(check.selection)});
        return Checked<RateTable>::accept(*check.table);
    };
    steps.compute = [&](const RateTable& table) -> std::variant<Results, Refusal> {
        Results results{ComputeRates(table), std::nullopt};
        // The advice comes before the report, as the user will read it.
        if (results.classic.yatesAdvice)
            prompter.message(kYatesAdviceText, kYatesAdviceTitle, MessageIcon::Exclamation);
        if (results.classic.fisherAdvice)
            prompter.message(kFisherAdviceText, kFisherAdviceTitle, MessageIcon::None);
        if (options.extended) results.extended = ComputeExtendedRates(table);
        return results;
    };
    steps.write = [&](Workbook& workbook, const RateTable&, const Results& results) {
        Sheet& sheet = workbook.activeSheet();
        SetUpReportSheet(sheet, {kRatesColumnWidth, kRatesColumnAWidth, RatesReportTitle(options.captionCommand)});
        WriteRatesReport(sheet, results.classic, options);
        if (results.extended) WriteExtendedResults(workbook, *results.extended);
    };
    return Calculate(grid, prompter, context, steps).report;
}

}  // namespace tavelmark::rates
