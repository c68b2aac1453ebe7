// Bytes -> LDk comparison input grid -> calculate command -> .xlsx, always
// with the second sheet (written after the report's own, so both are
// reached). The comparison has no other option: all the bytes are the CSV.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analyses/ldk_compare/ldk_compare.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelmark;
    model::InputGrid grid;
    ldk_compare::LoadLDkCompareWorkbook(grid);
    ldk_compare::WriteLDkCompareTemplate(grid);
    if (!fuzz::LoadGridFromBytes({reinterpret_cast<const char*>(data), size}, grid)) return 0;
    report::RecordingPrompter prompter;
    const report::ReportOutcome outcome =
        ldk_compare::RunLDkCompare(grid, prompter, fuzz::FuzzReportContext(), {.extended = true});
    if (outcome.workbook) fuzz::SaveReport(*outcome.workbook);
    return 0;
}
