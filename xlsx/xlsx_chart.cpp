#include "xlsx/xlsx_chart.h"

#include <algorithm>
#include <string>
#include <vector>

#include "xlsx/xlsx_formats.h"
#include "xlsx/xlsx_tick_series.h"

namespace tavelmark::xlsx {

using model::Chart, model::ChartAxis, model::ChartSeries, model::MarkerStyle, model::PaletteColour,
    model::RangeRef, model::SeriesKind, model::Sheet;

namespace {

// libxlsxwriter's chart before any scaling, in pixels.
constexpr double kDefaultChartWidth = 480;
constexpr double kDefaultChartHeight = 288;

// The spreadsheet's marker styles; a dot has no marker of its own in the
// file format, the nearest is a circle.
std::uint8_t MarkerCode(MarkerStyle style) {
    switch (style) {
    case MarkerStyle::None: return LXW_CHART_MARKER_NONE;
    case MarkerStyle::Automatic: return LXW_CHART_MARKER_AUTOMATIC;
    case MarkerStyle::Square: return LXW_CHART_MARKER_SQUARE;
    case MarkerStyle::Diamond: return LXW_CHART_MARKER_DIAMOND;
    case MarkerStyle::Triangle: return LXW_CHART_MARKER_TRIANGLE;
    case MarkerStyle::Circle: return LXW_CHART_MARKER_CIRCLE;
    case MarkerStyle::X: return LXW_CHART_MARKER_X;
    case MarkerStyle::Star: return LXW_CHART_MARKER_STAR;
    case MarkerStyle::Plus: return LXW_CHART_MARKER_PLUS;
    case MarkerStyle::Dash: return LXW_CHART_MARKER_SHORT_DASH;
    case MarkerStyle::Dot: return LXW_CHART_MARKER_CIRCLE;
    }
    return LXW_CHART_MARKER_AUTOMATIC;
}

constexpr int kWhite = 2;  // palette index

// Palette index 0 (or anything outside the palette) means "automatic".
bool PaletteIndexSet(int index) { return index >= 1 && index <= 56; }

void SetRange(lxw_chart_series* series, const ChartSeries& s, const RangeRef& r, bool xValues) {
    const auto firstRow = static_cast<lxw_row_t>(r.first.row - 1);
    const auto firstCol = static_cast<lxw_col_t>(r.first.column - 1);
    const auto lastRow = static_cast<lxw_row_t>(r.last.row - 1);
    const auto lastCol = static_cast<lxw_col_t>(r.last.column - 1);
    if (xValues)
        chart_series_set_categories(series, s.sheetName.c_str(), firstRow, firstCol, lastRow, lastCol);
    else
        chart_series_set_values(series, s.sheetName.c_str(), firstRow, firstCol, lastRow, lastCol);
}

// libxlsxwriter writes only error bars of one size for every point; a
// series with its own amounts gets fixed ones here, which WithCustomErrorBars
// (xlsx_error_bars.h) turns into bars reading the amounts from their cells.
void WriteErrorBars(lxw_chart_series* series, const ChartSeries& s) {
    if (!s.errorPlus || !s.errorMinus) return;
    chart_series_set_error_bars(series->y_error_bars, LXW_CHART_ERROR_BAR_TYPE_FIXED, 1);
    lxw_chart_line line{};
    line.color = LXW_COLOR_BLACK;
    line.width = 1;
    chart_series_set_error_bars_line(series->y_error_bars, &line);
}

// The texts of a series's label cells as custom data labels, written as
// text rather than as links to the cells, so that every reader shows them.
void WriteLabels(lxw_chart_series* series, const ChartSeries& s, const Sheet& sheet) {
    if (!s.labels) return;
    std::vector<std::string> texts;
    for (int r = s.labels->first.row; r <= s.labels->last.row; ++r)
        for (int c = s.labels->first.column; c <= s.labels->last.column; ++c)
            texts.push_back(model::PlainText(sheet.value(model::CellRef{r, c})));
    std::vector<lxw_chart_data_label> labels(texts.size());
    std::vector<lxw_chart_data_label*> pointers;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty())
            labels[i].hide = LXW_TRUE;
        else
            labels[i].value = texts[i].data();
        pointers.push_back(&labels[i]);
    }
    pointers.push_back(nullptr);
    chart_series_set_labels(series);
    chart_series_set_labels_custom(series, pointers.data());
    chart_series_set_labels_position(series, s.labelPosition == model::LabelPosition::Above
                                                 ? LXW_CHART_LABEL_POSITION_ABOVE
                                                 : LXW_CHART_LABEL_POSITION_BELOW);
}

void WriteSeries(lxw_chart* x, const ChartSeries& s, int number, const Sheet& sheet) {
    lxw_chart_series* series = chart_add_series(x, nullptr, nullptr);
    SetRange(series, s, s.xValues, true);
    SetRange(series, s, s.yValues, false);
    WriteErrorBars(series, s);
    WriteLabels(series, s, sheet);

    if (s.kind == SeriesKind::Column) {
        lxw_chart_fill fill{};
        fill.color = PaletteIndexSet(s.fillColourIndex) ? ToLxwColour(PaletteColour(s.fillColourIndex))
                                                        : ToLxwColour(PaletteColour(25));
        chart_series_set_fill(series, &fill);
        lxw_chart_line outline{};
        outline.color = LXW_COLOR_BLACK;
        chart_series_set_line(series, &outline);
        return;
    }
    if (s.kind == SeriesKind::ScatterLinesNoMarkers) {
        chart_series_set_marker_type(series, LXW_CHART_MARKER_NONE);
        lxw_chart_line line{};
        if (PaletteIndexSet(s.lineColourIndex)) line.color = ToLxwColour(PaletteColour(s.lineColourIndex));
        if (s.dashedLine) line.dash_type = LXW_CHART_LINE_DASH_DASH;
        chart_series_set_line(series, &line);
        return;
    }
    // Markers only: the connecting line is switched off.
    lxw_chart_line noLine{};
    noLine.none = LXW_TRUE;
    chart_series_set_line(series, &noLine);
    chart_series_set_marker_type(series, MarkerCode(s.markerStyle));
    if (s.markerStyle == MarkerStyle::None) return;
    if (s.markerSize > 0) chart_series_set_marker_size(series, static_cast<std::uint8_t>(std::min(s.markerSize, 72)));
    const bool ownFill = PaletteIndexSet(s.markerBackgroundColourIndex);
    if (ownFill && s.markerBackgroundColourIndex == kWhite) {
        // LibreOffice draws a marker's border in the colour of its fill, so a
        // white marker is white on white there, whatever border the file
        // names. A pattern of white on white is a white fill to a
        // spreadsheet; LibreOffice takes no colour from a pattern and draws
        // the marker in its border's colour instead.
        lxw_chart_pattern pattern{};
        pattern.fg_color = ToLxwColour(PaletteColour(kWhite));
        pattern.bg_color = pattern.fg_color;
        pattern.type = LXW_CHART_PATTERN_PERCENT_5;
        chart_series_set_marker_pattern(series, &pattern);
    } else if (ownFill) {
        lxw_chart_fill fill{};
        fill.color = ToLxwColour(PaletteColour(s.markerBackgroundColourIndex));
        chart_series_set_marker_fill(series, &fill);
    }
    // A marker with its own fill gets its border's colour written out even
    // when it is automatic (the colour the spreadsheet would pick): a program
    // that draws an automatic border as none would leave it invisible.
    if (PaletteIndexSet(s.lineColourIndex) || ownFill) {
        lxw_chart_line border{};
        border.color = ToLxwColour(PaletteColour(PaletteIndexSet(s.lineColourIndex)
                                                     ? s.lineColourIndex
                                                     : model::AutomaticSeriesColourIndex(number)));
        chart_series_set_marker_line(series, &border);
    }
}

// Tick labels at given values, as a number format with conditions: the file
// format allows two of them, the third section leaving every other tick
// unlabelled.
std::string TickLabelFormat(const std::vector<model::TickLabel>& labels) {
    if (labels.empty() || labels.size() > 2) return {};
    std::string format;
    for (const model::TickLabel& label : labels) {
        if (label.text.find('"') != std::string::npos) return {};
        format += "[=" + model::PlainText(label.value) + "]\"" + label.text + "\";";
    }
    if (labels.size() == 1) format += ";";
    return format + "\"\"";
}

// `labelSeries`: its labels come from a series drawn along it (xlsx_tick_series.h).
void WriteAxis(lxw_chart_axis* axis, const ChartAxis& a, bool labelSeries) {
    if (!a.title.empty()) chart_axis_set_name(axis, a.title.c_str());
    const std::string labels = labelSeries ? BlankTickLabelFormat(a) : TickLabelFormat(a.tickLabels);
    const std::string& format = labels.empty() ? a.tickNumberFormat : labels;
    if (!format.empty() && format != "General") chart_axis_set_num_format(axis, format.c_str());
    if (labelSeries) chart_axis_set_major_tick_mark(axis, LXW_CHART_AXIS_TICK_MARK_NONE);
    chart_axis_major_gridlines_set_visible(axis, a.majorGridlines ? LXW_TRUE : LXW_FALSE);
    if (a.minimum) chart_axis_set_min(axis, *a.minimum);
    if (a.maximum) chart_axis_set_max(axis, *a.maximum);
    if (a.majorUnit && *a.majorUnit > 0) chart_axis_set_major_unit(axis, *a.majorUnit);
}

bool HasColumns(const Chart& chart) {
    return std::any_of(chart.series.begin(), chart.series.end(),
                       [](const ChartSeries& s) { return s.kind == SeriesKind::Column; });
}

void WritePlotArea(lxw_chart* x, const Chart& chart) {
    // A plot area with a border or fill gets the classic grey ones.
    lxw_chart_line line{};
    if (chart.plotAreaBorder)
        line.color = 0x808080;
    else
        line.none = LXW_TRUE;
    chart_plotarea_set_line(x, &line);
    lxw_chart_fill fill{};
    if (chart.plotAreaFill)
        fill.color = 0xC0C0C0;
    else
        fill.none = LXW_TRUE;
    chart_plotarea_set_fill(x, &fill);
}

}  // namespace

bool WriteXlsxChart(lxw_workbook* workbook, lxw_worksheet* worksheet, const Sheet& sheet,
                    const RowHeights& rows, const Chart& chart, std::string* error) {
    if (chart.series.empty()) return true;

    const bool columns = HasColumns(chart);
    lxw_chart* x = workbook_add_chart(workbook, columns ? LXW_CHART_COLUMN : LXW_CHART_SCATTER);
    if (!x) {
        if (error) *error = "cannot create the chart";
        return false;
    }
    int written = 0;  // the series' number in the file, which picks its automatic colour
    for (const ChartSeries& s : chart.series)
        if (!columns || s.kind == SeriesKind::Column) WriteSeries(x, s, written++, sheet);
    // After the chart's own series, whose automatic colours they leave alone.
    const bool xLabelSeries = DrawsTickLabelSeries(chart, TickAxis::X);
    const bool yLabelSeries = DrawsTickLabelSeries(chart, TickAxis::Y);
    const int index = static_cast<int>(&chart - sheet.charts().data());
    if (xLabelSeries) AddTickLabelSeries(x, sheet, index, chart, TickAxis::X);
    if (yLabelSeries) AddTickLabelSeries(x, sheet, index, chart, TickAxis::Y);

    chart_legend_set_position(x, chart.legend ? LXW_CHART_LEGEND_RIGHT : LXW_CHART_LEGEND_NONE);
    WritePlotArea(x, chart);
    WriteAxis(x->x_axis, chart.xAxis, xLabelSeries);
    WriteAxis(x->y_axis, chart.yAxis, yLabelSeries);
    if (xLabelSeries || yLabelSeries) {
        // The axes on the plot's left and bottom edges, where the labels are drawn.
        chart_axis_set_crossing_min(x->x_axis);
        chart_axis_set_crossing_min(x->y_axis);
    }

    if (chart.title.empty()) {
        chart_title_off(x);
    } else {
        chart_title_set_name(x, chart.title.c_str());
        lxw_chart_font font{};
        font.size = chart.titleFontSize;
        chart_title_set_name_font(x, &font);
    }

    const SheetAnchor anchor = AnchorAt(sheet, rows, chart.left, chart.top);
    lxw_chart_options options{};
    options.x_offset = anchor.xOffsetPixels;
    options.y_offset = anchor.yOffsetPixels;
    options.x_scale = chart.width * kPixelsPerPoint / kDefaultChartWidth;
    options.y_scale = chart.height * kPixelsPerPoint / kDefaultChartHeight;
    const lxw_error result =
        worksheet_insert_chart_opt(worksheet, static_cast<lxw_row_t>(anchor.row - 1),
                                   static_cast<lxw_col_t>(anchor.column - 1), x, &options);
    if (result != LXW_NO_ERROR) {
        if (error) *error = std::string("chart \"") + chart.name + "\": " + lxw_strerror(result);
        return false;
    }
    return true;
}

}  // namespace tavelmark::xlsx
