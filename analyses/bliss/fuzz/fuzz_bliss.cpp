// Bytes -> Bliss input grid -> calculate command -> .xlsx, then the LDk
// calculator on the fit. The choices are the options dialog's check boxes,
// its background mortality and a k, typed as a user would type them.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "analyses/bliss/bliss_template.h"
#include "analyses/bliss/ldk_calculator.h"
#include "analyses/bliss/run_bliss.h"
#include "fuzz/fuzz_support.h"

namespace {

// What the dialog's percent boxes let through: up to five digits and points.
std::string PercentText(FuzzedDataProvider& bytes) {
    static constexpr char kKeys[] = "0123456789.";
    std::string text(bytes.ConsumeIntegralInRange<std::size_t>(0, 5), '0');
    for (char& key : text) key = kKeys[bytes.ConsumeIntegralInRange<std::size_t>(0, sizeof kKeys - 2)];
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelmark;
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    bliss::BlissOptions options;
    options.showIntermediate = options.showFieller = options.showHeterogeneity = options.drawChart =
        options.extended = true;
    std::string k = "95";
    if (input.choices) {
        FuzzedDataProvider bytes(input.choices->data(), input.choices->size());
        const auto boxes = bytes.ConsumeIntegral<std::uint8_t>();
        options.showIntermediate = boxes & 1;
        options.showFieller = boxes & 2;
        options.showHeterogeneity = boxes & 4;
        options.drawChart = boxes & 8;
        options.openLDkCalculator = boxes & 16;
        options.extended = boxes & 32;
        options.backgroundText = PercentText(bytes);
        k = PercentText(bytes);
    }

    model::InputGrid grid;
    bliss::WriteBlissTemplate(grid);
    if (!fuzz::LoadGridFromBytes(input.csv, grid)) return 0;
    report::RecordingPrompter prompter;
    const bliss::BlissOutcome outcome = bliss::RunBliss(grid, options, prompter, fuzz::FuzzReportContext());
    if (outcome.report.workbook) fuzz::SaveReport(*outcome.report.workbook);
    if (outcome.fit) bliss::LDkTextsFor(outcome.fit->handOver(), k);
    return 0;
}
