#include "analyses/means/run_means.h"

#include <cstdio>
#include <string>

#include "analyses/means/descriptive_statistics.h"
#include "analyses/means/grubbs.h"
#include "analyses/means/means_analysis.h"
#include "analyses/means/means_input.h"
#include "analyses/means/means_report.h"
#include "analyses/means/means_template.h"

namespace tavelmark::means {

using model::CellRef, model::GridSheet, model::InputGrid, model::RangeRef, model::Sheet,
    model::Workbook;
using report::CloseReport, report::MessageIcon, report::OpenReport, report::Prompter,
    report::ReportContext, report::ReportOutcome;

namespace {

// The platform's default text of a double: up to 15 significant digits.
std::string DefaultNumberText(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", v);
    return buffer;
}

ReportOutcome Refuse(Prompter& prompter, std::string_view text, std::string_view title,
                     MessageIcon icon) {
    prompter.message(text, title, icon);
    prompter.setStatusReady();
    return {std::nullopt, true};
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
    for (int i : GrubbsFlagged(group.values, group.description.mean, group.description.sd,
                               *critical)) {
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
    Workbook workbook = OpenReport(prompter, context);
    Sheet& sheet = workbook.activeSheet();
    const GridSheet& data = grid.activeSheet();

    const MeansGroupRows rows = FindMeansGroupRows(data);
    WriteRawDataBlock(sheet, data, rows);

    const MeansInput input = ReadMeansInput(data, rows);
    if (input.problem == MeansInputProblem::TooFew)
        return Refuse(prompter, kMeansTooFewText, kMeansTooFewTitle, MessageIcon::Critical);
    if (input.problem == MeansInputProblem::BadCell) {
        grid.select(RangeRef::cell(input.badCell));
        prompter.showGridSelection(RangeRef::cell(input.badCell));
        return Refuse(prompter, kMeansBadCellText, kMeansBadCellTitle, MessageIcon::Exclamation);
    }

    const GroupDescription dt = DescribeGroup(input.t);
    const GroupDescription dr = DescribeGroup(input.r);

    const Group groups[] = {{'T', kMeansColumnT, rows.lastRowT, input.t, dt},
                            {'R', kMeansColumnR, rows.lastRowR, input.r, dr}};
    for (const Group& group : groups) {
        if (SettleOutliers(grid, group, prompter)) {
            prompter.setStatusReady();
            return {std::nullopt, false};
        }
    }

    const MeansResults results = CompareMeans(input.t, input.r, dt, dr);
    WriteMeansReport(sheet, results, options);
    CloseReport(prompter);
    return {std::move(workbook), false};
}

}  // namespace tavelmark::means
