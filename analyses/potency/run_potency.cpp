#include "analyses/potency/run_potency.h"

#include <optional>

#include "analyses/potency/potency_compute.h"
#include "analyses/potency/potency_extended.h"
#include "analyses/potency/potency_extended_sheet.h"
#include "analyses/potency/potency_input.h"
#include "analyses/potency/potency_report.h"
#include "analyses/potency/potency_texts.h"
#include "report/calculate.h"

namespace tavelmark::potency {

namespace {

struct Computed {
    PotencyResults results;
    std::optional<PotencyExtended> extended;
};

}  // namespace

report::ReportOutcome RunPotency(model::InputGrid& grid, const PotencyOptions& options, report::Prompter& prompter,
                                 const report::ReportContext& context) {
    report::CalculateSteps<PotencyData, Computed> steps;
    steps.check = [&] { return ReadPotencyData(grid, options); };
    steps.compute = [&](const PotencyData& data) -> std::variant<Computed, report::Refusal> {
        Computed computed{ComputePotency(data, options), std::nullopt};
        if (options.extended) computed.extended = ComputePotencyExtended(computed.results, options);
        return computed;
    };
    steps.write = [&](model::Workbook& workbook, const PotencyData&, const Computed& computed) {
        model::Sheet& sheet = workbook.activeSheet();
        report::SetUpReportSheet(sheet, report::ReportLayout{kPotencyColumnWidth, std::nullopt, text::kReportTitle});
        WritePotencyReport(sheet, computed.results);
        if (computed.extended) WritePotencyExtended(workbook, computed.results, *computed.extended);
    };
    return report::Calculate(grid, prompter, context, steps).report;
}

}  // namespace tavelmark::potency
