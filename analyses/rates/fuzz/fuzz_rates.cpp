// Bytes -> rates input grid -> calculate command -> .xlsx. The choices are
// the menu command that opened the window and the options dialog's items.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "analyses/rates/rates_window.h"
#include "analyses/rates/run_rates.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelmark;
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    rates::RatesMenuCommand command = rates::RatesMenuCommand::RateAna;
    std::uint16_t items = 0xFFFF;
    if (input.choices) {
        FuzzedDataProvider bytes(input.choices->data(), input.choices->size());
        command =
            bytes.PickValueInArray({rates::RatesMenuCommand::RateAna, rates::RatesMenuCommand::EnRateAna,
                                    rates::RatesMenuCommand::RateComp, rates::RatesMenuCommand::OddAna});
        items = bytes.ConsumeIntegral<std::uint16_t>();
    }

    model::InputGrid grid;
    rates::RatesOptions options;
    rates::RunRatesMenuCommand(command, grid, options);
    for (int item = rates::RatesOptions::kFirstOptionalItem; item <= rates::RatesOptions::kLastItem; ++item)
        if (items & (1u << item)) options.setItem(item, true);
    // The bit above the last item: the second sheet.
    options.extended = items & (1u << (rates::RatesOptions::kLastItem + 1));

    if (!fuzz::LoadGridFromBytes(input.csv, grid)) return 0;
    report::RecordingPrompter prompter;
    const report::ReportOutcome outcome = rates::RunRates(grid, options, prompter, fuzz::FuzzReportContext());
    if (outcome.workbook) fuzz::SaveReport(*outcome.workbook);
    return 0;
}
