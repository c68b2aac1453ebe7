// Bytes -> potency input grid -> calculate command -> .xlsx. The choices are
// the options dialog's: link, natural response, reference preparation, an
// extra LDk and 扩展结果.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "analyses/potency/potency_template.h"
#include "analyses/potency/run_potency.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelmark;
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    potency::PotencyOptions options;
    options.extended = true;
    options.extraLDk = {95};
    if (input.choices) {
        FuzzedDataProvider bytes(input.choices->data(), input.choices->size());
        const auto boxes = bytes.ConsumeIntegral<std::uint8_t>();
        options.link = boxes & 1 ? numeric::QuantalLink::Logit : numeric::QuantalLink::Probit;
        options.natural = static_cast<potency::NaturalResponseOption>((boxes >> 1) % 3);
        options.extended = boxes & 8;
        options.extraLDk.clear();
        if (boxes & 16) {
            const double k = bytes.ConsumeFloatingPointInRange<double>(0, 100);
            if (potency::ValidLDkPercent(k)) options.extraLDk.push_back(k);
        }
        options.reference = bytes.ConsumeRandomLengthString(16);
    }

    model::InputGrid grid;
    potency::WritePotencyTemplate(grid);
    if (!fuzz::LoadGridFromBytes(input.csv, grid)) return 0;
    report::RecordingPrompter prompter;
    const report::ReportOutcome outcome = potency::RunPotency(grid, options, prompter, fuzz::FuzzReportContext());
    if (outcome.workbook) fuzz::SaveReport(*outcome.workbook);
    return 0;
}
