#include "analyses/means/run_means.h"

#include <cstdio>
#include <string>

#include "analyses/means/descriptive_statistics.h"
#include "analyses/means/extended_means.h"
#include "analyses/means/grubbs.h"
#include "analyses/means/means_analysis.h"
#include "analyses/means/means_input.h"
#include "analyses/means/means_report.h"
#include "analyses/means/means_template.h"
#include "numeric/grubbs.h"
#include "report/calculate.h"

namespace tavelmark::means {

using model::CellRef, model::GridSheet, model::InputGrid, model::RangeRef, model::Sheet,
    model::Workbook;
using report::Calculate, report::CalculateSteps, report::Checked, report::MessageIcon, report::Prompter,
    report::Refusal, report::ReportContext, report::ReportOutcome;

namespace {

// The platform's default text of a double: up to 15 significant digits.
std::string DefaultNumberText(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", v);
    return buffer;
}

struct Group {
    char name;  // 'T' or 'R'
    int column;
    int lastRow;
    const std::vector<double>& values;
    const GroupDescription& description;
};

// Asks about each flagged value in row order; true when one was deleted.
bool SettleOutliers(InputGrid& grid, const Group& group, Prompter& prompter) {
    const auto critical = GrubbsCritical(static_cast<int>(group.values.size()), prompter);
    if (!critical) return false;
    for (int i :
         numeric::GrubbsFlagged(group.values, group.description.mean, group.description.sd, *critical)) {
        const CellRef cell{i + 2, group.column};
        grid.select(RangeRef::cell(cell));
        prompter.showGridSelection(RangeRef::cell(cell));
        if (!prompter.ask(OutlierQuestion(group.name, group.values[i]), kOutlierTitle,
                          MessageIcon::Question))
            continue;
        DeleteGridValue(grid.activeSheet(), cell, group.lastRow);
        grid.notifyChanged();
        prompter.message(kRecalculateText, kRecalculateTitle, MessageIcon::Exclamation);
        return true;
    }
    return false;
}

}  // namespace

std::string OutlierQuestion(char group, double value) {
    return std::string(1, group) + "组中发现离群值" + DefaultNumberText(value) + ",是否删除";
}

void DeleteGridValue(GridSheet& sheet, CellRef cell, int lastRow) {
    if (cell.row >= lastRow) {
        sheet.clearContents(RangeRef::cell(cell));
        return;
    }
    // Moved, not copied: a copy would leave the last value twice in the column
    // and the next calculation would count it again.
    sheet.moveRange({{cell.row + 1, cell.column}, {lastRow, cell.column}}, cell);
}

ReportOutcome RunMeans(InputGrid& grid, const MeansOptions& options, Prompter& prompter,
                       const ReportContext& context) {
    struct Input {
        MeansGroupRows rows;
        MeansInput values;
        MeansRawData raw;
        GroupDescription dt, dr;
    };
    struct Results {
        MeansResults classic;
        std::optional<ExtendedMeans> extended;
    };
    CalculateSteps<Input, Results> steps;
    steps.check = [&]() -> Checked<Input> {
        const GridSheet& data = grid.activeSheet();
        Input in;
        in.rows = FindMeansGroupRows(data);
        in.values = ReadMeansInput(data, in.rows);
        if (in.values.problem == MeansInputProblem::TooFew)
            return Checked<Input>::refuse({kMeansTooFewTitle, kMeansTooFewText, MessageIcon::Critical});
        if (in.values.problem == MeansInputProblem::BadCell)
            return Checked<Input>::refuse({kMeansBadCellTitle, kMeansBadCellText, MessageIcon::Exclamation,
                                           RangeRef::cell(in.values.badCell)});
        in.raw = ReadMeansRawData(data, in.rows);
        in.dt = DescribeGroup(in.values.t);
        in.dr = DescribeGroup(in.values.r);
        const Group groups[] = {{'T', kMeansColumnT, in.rows.lastRowT, in.values.t, in.dt},
                                {'R', kMeansColumnR, in.rows.lastRowR, in.values.r, in.dr}};
        for (const Group& group : groups)
            if (SettleOutliers(grid, group, prompter)) return Checked<Input>::stop();
        return Checked<Input>::accept(std::move(in));
    };
    steps.compute = [&options](const Input& in) -> std::variant<Results, Refusal> {
        Results results{CompareMeans(in.values.t, in.values.r, in.dt, in.dr), std::nullopt};
        // The values the classic report analysed: those left after the outlier questions.
        if (options.extended) results.extended = ComputeExtendedMeans(in.values);
        return results;
    };
    steps.write = [&options](Workbook& workbook, const Input& in, const Results& results) {
        Sheet& sheet = workbook.activeSheet();
        WriteRawDataBlock(sheet, in.raw);
        WriteMeansReport(sheet, results.classic, options);
        if (results.extended) WriteExtendedResults(workbook, *results.extended);
    };
    return Calculate(grid, prompter, context, steps).report;
}

}  // namespace tavelmark::means
