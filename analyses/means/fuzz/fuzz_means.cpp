// Bytes -> means input grid -> calculate command -> .xlsx. The choices are
// the result-items dialog's sections and the answers to the outlier
// questions. After an outlier was deleted the user presses 计算 again, and
// that second run answers No.
#include <cstddef>
#include <cstdint>

#include <fuzzer/FuzzedDataProvider.h>

#include "analyses/means/means_template.h"
#include "analyses/means/run_means.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelmark;
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    means::MeansOptions options = means::MeansOptions::All();
    options.extended = true;
    report::RecordingPrompter prompter;
    if (input.choices) {
        FuzzedDataProvider bytes(input.choices->data(), input.choices->size());
        const auto sections = bytes.ConsumeIntegral<std::uint8_t>();
        options.tTests = sections & 1;
        options.description = sections & 2;
        options.sampleSize = sections & 4;
        options.equivalence = sections & 8;
        options.rankSum = sections & 16;
        options.normality = sections & 32;
        options.variance = sections & 64;
        options.extended = sections & 128;
        const auto answers = bytes.ConsumeIntegral<std::uint8_t>();
        for (int bit = 0; bit < 8; ++bit) prompter.answers.push_back((answers >> bit) & 1);
    }

    model::InputGrid grid;
    means::WriteMeansTemplate(grid);
    if (!fuzz::LoadGridFromBytes(input.csv, grid)) return 0;
    report::ReportOutcome outcome = means::RunMeans(grid, options, prompter, fuzz::FuzzReportContext());
    if (!outcome.workbook && !outcome.refused) {
        report::RecordingPrompter again;
        outcome = means::RunMeans(grid, options, again, fuzz::FuzzReportContext());
    }
    if (outcome.workbook) fuzz::SaveReport(*outcome.workbook);
    return 0;
}
