#include "analyses/multigroup/run_multigroup.h"

#include "analyses/multigroup/multigroup_analysis.h"
#include "analyses/multigroup/multigroup_extended_sheet.h"
#include "analyses/multigroup/multigroup_input.h"
#include "analyses/multigroup/multigroup_report.h"
#include "report/calculate.h"

namespace tavelmark::multigroup {

using report::Calculate, report::CalculateSteps, report::Checked, report::Refusal;

report::ReportOutcome RunMultigroup(model::InputGrid& grid, const MultigroupOptions& options,
                                    report::Prompter& prompter, const report::ReportContext& context) {
    CalculateSteps<MultigroupInput, MultigroupResults> steps;
    steps.check = [&]() -> Checked<MultigroupInput> {
        auto read = ReadMultigroupInput(grid.activeSheet(), options);
        if (auto* refusal = std::get_if<Refusal>(&read)) return Checked<MultigroupInput>::refuse(std::move(*refusal));
        return Checked<MultigroupInput>::accept(std::get<MultigroupInput>(std::move(read)));
    };
    steps.compute = [&](const MultigroupInput& input) -> std::variant<MultigroupResults, Refusal> {
        return ComputeMultigroup(input, options);
    };
    steps.write = [&](model::Workbook& workbook, const MultigroupInput& input, const MultigroupResults& results) {
        model::Sheet& sheet = workbook.activeSheet();
        report::SetUpReportSheet(sheet, report::ReportLayout{kColumnWidth, kFirstColumnWidth,
                                                             MultigroupReportTitle(options)});
        WriteMultigroupReport(sheet, input, results, options);
        if (options.extended) WriteMultigroupExtended(workbook, input, results);
    };
    return Calculate(grid, prompter, context, steps).report;
}

}  // namespace tavelmark::multigroup
