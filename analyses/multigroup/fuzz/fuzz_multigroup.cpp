// Bytes -> several-groups input grid -> calculate command -> .xlsx. The
// choices are the options dialog's: the reference group and the normal
// control (as column numbers whose headings are used, or a heading that is
// not there), 始终按方差不齐处理, the focus and 扩展结果.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "analyses/multigroup/multigroup_template.h"
#include "analyses/multigroup/run_multigroup.h"
#include "fuzz/fuzz_support.h"
#include "model/workbook.h"

namespace {

// The heading of column 1..10, or a name no column has when `pick` is 11,
// or none (the default rule) when it is 0.
std::string HeadingChoice(const tavelmark::model::InputGrid& grid, int pick) {
    if (pick == 0) return {};
    if (pick > 10) return "不存在的组";
    const tavelmark::model::CellValue& heading = grid.activeSheet().value(tavelmark::model::CellRef{1, pick});
    if (const auto* text = std::get_if<std::string>(&heading)) return *text;
    if (const auto* number = std::get_if<double>(&heading)) return tavelmark::model::PlainText(*number);
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelmark;
    const fuzz::FuzzInput input = fuzz::SplitInput(data, size);
    model::InputGrid grid;
    multigroup::WriteMultigroupTemplate(grid);
    if (!fuzz::LoadGridFromBytes(input.csv, grid)) return 0;

    multigroup::MultigroupOptions options;
    options.extended = true;
    if (input.choices) {
        FuzzedDataProvider bytes(input.choices->data(), input.choices->size());
        const auto boxes = bytes.ConsumeIntegral<std::uint8_t>();
        options.alwaysUnequalVariances = boxes & 1;
        options.focus = boxes & 2 ? multigroup::MultigroupFocus::AgainstReference : multigroup::MultigroupFocus::AllPairs;
        options.extended = boxes & 4;
        options.reference = HeadingChoice(grid, bytes.ConsumeIntegralInRange<int>(0, 11));
        options.normalControl = HeadingChoice(grid, bytes.ConsumeIntegralInRange<int>(0, 11));
    }
    report::RecordingPrompter prompter;
    const report::ReportOutcome outcome =
        multigroup::RunMultigroup(grid, options, prompter, fuzz::FuzzReportContext());
    if (outcome.workbook) fuzz::SaveReport(*outcome.workbook);
    return 0;
}
