#pragma once
// The worked examples' reports, made as the desktop program makes them:
// "bliss" (every table and the chart), "means" (the first table), "means,
// every section", and with every option and the extended sheet "bliss
// --all", "means --all", "rates --all", "ldk-compare --extended".
#include <QString>

#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/run_bliss.h"
#include "analyses/ldk_compare/ldk_compare.h"
#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "model/workbook.h"

namespace tavelmark::test {

inline model::Workbook BlissReport(bool extended = false) {
    model::InputGrid grid;
    bliss::WriteBlissTemplate(grid);
    bliss::BlissOptions options;
    options.showIntermediate = options.showFieller = options.showHeterogeneity = true;
    options.drawChart = true;
    options.extended = extended;
    report::RecordingPrompter prompter;
    return *bliss::RunBliss(grid, options, prompter, report::ReportContext{TAVELMARK_RESOURCES})
                .report.workbook;
}

inline model::Workbook MeansReport(const means::MeansOptions& options) {
    model::InputGrid grid;
    means::WriteMeansTemplate(grid);
    report::RecordingPrompter prompter;  // the outlier question is answered No
    return *means::RunMeans(grid, options, prompter, report::ReportContext{TAVELMARK_RESOURCES}).workbook;
}

inline model::Workbook RatesReport(rates::RatesOptions options) {
    model::InputGrid grid;
    rates::WriteRatesTemplate(grid);
    report::RecordingPrompter prompter;
    return *rates::RunRates(grid, options, prompter, report::ReportContext{TAVELMARK_RESOURCES}).workbook;
}

inline model::Workbook LDkCompareReport() {
    model::InputGrid grid;
    ldk_compare::LoadLDkCompareWorkbook(grid);
    ldk_compare::WriteLDkCompareTemplate(grid);
    report::RecordingPrompter prompter;
    return *ldk_compare::RunLDkCompare(grid, prompter, report::ReportContext{TAVELMARK_RESOURCES},
                                       ldk_compare::LDkCompareOptions{true})
                .workbook;
}

// By the names above.
inline model::Workbook ReportNamed(const QString& name) {
    if (name == "bliss") return BlissReport();
    if (name == "bliss --all") return BlissReport(true);
    if (name == "means") return MeansReport({});
    if (name == "ldk-compare --extended") return LDkCompareReport();
    if (name == "rates --all") {
        rates::RatesOptions options = rates::RatesOptions::All();
        options.extended = true;
        return RatesReport(options);
    }
    means::MeansOptions options = means::MeansOptions::All();
    options.extended = name == "means --all";
    return MeansReport(options);
}

}  // namespace tavelmark::test
