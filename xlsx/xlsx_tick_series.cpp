#include "xlsx/xlsx_tick_series.h"

#include <algorithm>
#include <vector>

#include "model/cell_ref.h"

namespace tavelmark::xlsx {

using model::Chart, model::ChartAxis, model::Sheet, model::TickLabel;

namespace {

// Two labels fit a number format's conditions (xlsx_chart.cpp).
constexpr std::size_t kLabelsOfAFormat = 2;
// Each chart of a sheet has this many rows of points for each axis: those
// along the y axis, then those along the x axis.
constexpr int kMaxLabels = 64;
// The columns of the points' x and y, 0-based: IW and IX, right of every
// column a report uses (model::kMaxColumns), and so right of its charts too;
// a reader that reads the sheet as a table gets two more columns, not
// thousands.
constexpr lxw_col_t kPointColumn = model::kMaxColumns;
constexpr const char* kFigureSpace = "\u2007";  // as wide as a digit

const ChartAxis& AxisOf(const Chart& chart, TickAxis axis) { return axis == TickAxis::Y ? chart.yAxis : chart.xAxis; }
const ChartAxis& OtherAxis(const Chart& chart, TickAxis axis) {
    return axis == TickAxis::Y ? chart.xAxis : chart.yAxis;
}

// The first row of the points of the `index`th chart's axis, 0-based.
lxw_row_t FirstRow(int index, TickAxis axis) {
    return static_cast<lxw_row_t>((2 * index + (axis == TickAxis::Y ? 0 : 1)) * kMaxLabels);
}

bool Scatter(const Chart& chart) {
    return std::none_of(chart.series.begin(), chart.series.end(),
                        [](const model::ChartSeries& s) { return s.kind == model::SeriesKind::Column; });
}

}  // namespace

bool DrawsTickLabelSeries(const Chart& chart, TickAxis axis) {
    const ChartAxis& labelled = AxisOf(chart, axis);
    return Scatter(chart) && !chart.series.empty() && labelled.tickLabels.size() > kLabelsOfAFormat &&
           labelled.tickLabels.size() <= static_cast<std::size_t>(kMaxLabels) &&
           OtherAxis(chart, axis).minimum.has_value();
}

bool WriteTickLabelCells(lxw_worksheet* worksheet, const Sheet& sheet, const RowHeights& rows, std::string* error) {
    bool any = false;
    for (std::size_t index = 0; index < sheet.charts().size(); ++index) {
        const Chart& chart = sheet.charts()[index];
        for (TickAxis axis : {TickAxis::X, TickAxis::Y}) {
            if (!DrawsTickLabelSeries(chart, axis)) continue;
            any = true;
            const double across = *OtherAxis(chart, axis).minimum;
            lxw_row_t row = FirstRow(static_cast<int>(index), axis);
            for (const TickLabel& label : AxisOf(chart, axis).tickLabels) {
                const double x = axis == TickAxis::Y ? across : label.value;
                const double y = axis == TickAxis::Y ? label.value : across;
                lxw_error result = worksheet_write_number(worksheet, row, kPointColumn, x, nullptr);
                if (result == LXW_NO_ERROR) result = worksheet_write_number(worksheet, row, kPointColumn + 1, y, nullptr);
                if (result == LXW_NO_ERROR)
                    result = worksheet_set_row(worksheet, row, rows.height(static_cast<int>(row) + 1), nullptr);
                if (result != LXW_NO_ERROR) {
                    if (error) *error = "chart \"" + chart.name + "\" tick labels: " + lxw_strerror(result);
                    return false;
                }
                ++row;
            }
        }
    }
    if (!any) return true;
    lxw_row_col_options hidden{};
    hidden.hidden = LXW_TRUE;
    const lxw_error result =
        worksheet_set_column_opt(worksheet, kPointColumn, kPointColumn + 1, LXW_DEF_COL_WIDTH, nullptr, &hidden);
    if (result != LXW_NO_ERROR && error) *error = sheet.name() + " tick label columns: " + lxw_strerror(result);
    return result == LXW_NO_ERROR;
}

void AddTickLabelSeries(lxw_chart* written, const Sheet& sheet, int index, const Chart& chart, TickAxis axis) {
    const std::vector<TickLabel>& labels = AxisOf(chart, axis).tickLabels;
    const lxw_row_t first = FirstRow(index, axis), last = first + static_cast<lxw_row_t>(labels.size()) - 1;
    chart_show_hidden_data(written);
    lxw_chart_series* series = chart_add_series(written, nullptr, nullptr);
    chart_series_set_categories(series, sheet.name().c_str(), first, kPointColumn, last, kPointColumn);
    chart_series_set_values(series, sheet.name().c_str(), first, kPointColumn + 1, last, kPointColumn + 1);

    lxw_chart_line noLine{};
    noLine.none = LXW_TRUE;
    chart_series_set_line(series, &noLine);
    // The value axis's ticks: a plus on it, whose upright stroke lies on the
    // axis line (the file format's dash marker has no name in the library).
    // The other axis has its labels only.
    if (axis == TickAxis::Y) {
        chart_series_set_marker_type(series, LXW_CHART_MARKER_PLUS);
        chart_series_set_marker_size(series, 5);
        lxw_chart_line tick{};
        tick.color = LXW_COLOR_BLACK;
        chart_series_set_marker_line(series, &tick);
        lxw_chart_fill fill{};
        fill.color = LXW_COLOR_BLACK;
        chart_series_set_marker_fill(series, &fill);
    } else {
        chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
    }

    chart_series_set_labels(series);
    std::vector<std::string> texts;
    for (const TickLabel& label : labels) texts.push_back(label.text);
    std::vector<lxw_chart_data_label> custom(labels.size());
    std::vector<lxw_chart_data_label*> pointers;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        custom[i].value = texts[i].data();
        pointers.push_back(&custom[i]);
    }
    pointers.push_back(nullptr);
    chart_series_set_labels_custom(series, pointers.data());
    chart_series_set_labels_position(series, axis == TickAxis::Y ? LXW_CHART_LABEL_POSITION_LEFT
                                                                 : LXW_CHART_LABEL_POSITION_BELOW);
}

std::string BlankTickLabelFormat(const ChartAxis& axis) {
    std::size_t longest = 0;
    for (const TickLabel& label : axis.tickLabels) {
        std::size_t characters = 0;
        for (unsigned char c : label.text) characters += (c & 0xC0) != 0x80;
        longest = std::max(longest, characters);
    }
    std::string blank = "\"";
    for (std::size_t i = 0; i <= longest; ++i) blank += kFigureSpace;
    return blank + "\"";
}

}  // namespace tavelmark::xlsx
