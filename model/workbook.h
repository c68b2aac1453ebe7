#pragma once
// The result workbook: what a calculation hands to the user. Plain data, no
// file format and no screen in it; xlsx/xlsx_export writes it to .xlsx,
// ui/WorkbookView shows it and cli/ prints it as text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/cell_ref.h"
#include "model/cell_store.h"
#include "model/cell_value.h"
#include "model/column_widths.h"

namespace tavelmark::model {

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The spreadsheet's 56-colour palette, indices 1 to 56 (5 is blue, 3 red).
Rgb PaletteColour(int index);

// The palette colour the spreadsheet gives a chart's series (counted from 0)
// whose lines or marker borders are left automatic: 25 to 32 in turn.
int AutomaticSeriesColourIndex(int series);

struct Font {
    std::string name = "Calibri";
    double size = 11;
    Rgb colour{};
    bool operator==(const Font&) const = default;
};

enum class BorderWeight { None, Thin, Medium };
enum class ReadingOrder { Context, LeftToRight, RightToLeft };

struct CellFormat {
    Font font;
    HAlign horizontal = HAlign::General;
    VAlign vertical = VAlign::Bottom;
    ReadingOrder readingOrder = ReadingOrder::Context;
    std::string numberFormat = "General";
    BorderWeight bottomBorder = BorderWeight::None;
    // A text wraps onto further lines within its cell's width (a number
    // never does), and its row grows to hold them (model/wrapped_text.h).
    bool wrapText = false;
    bool operator==(const CellFormat&) const = default;
};

// A piece of a cell's text; superscript pieces are raised (the 2 of χ2).
struct TextRun {
    std::string text;
    bool superscript = false;
    bool operator==(const TextRun&) const = default;
};
using RichText = std::vector<TextRun>;

using ReportValue = std::variant<std::monostate, double, std::string, RichText>;

// The plain text of a cell value ("" for empty, the runs joined for rich text,
// numbers in their shortest round-trip form).
std::string PlainText(const ReportValue& v);

enum class MarkerStyle { None, Automatic, Square, Diamond, Triangle, Circle, X, Star, Plus, Dash, Dot };
// Column: bars standing on zero, one per cell of yValues, labelled by the
// texts of xValues; a chart with columns holds no scatter series.
enum class SeriesKind { Scatter, ScatterLinesNoMarkers, Column };
enum class LabelPosition { Above, Below };

struct ChartSeries {
    std::string sheetName = "Sheet1";
    RangeRef xValues;
    RangeRef yValues;
    SeriesKind kind = SeriesKind::Scatter;
    int lineColourIndex = 0;          // 0: automatic
    int markerBackgroundColourIndex = 0;
    int markerSize = 5;
    MarkerStyle markerStyle = MarkerStyle::Automatic;
    bool dashedLine = false;  // lines only
    // Error bars drawn per point: the cells hold how far each bar reaches
    // above and below its point (an interval's upper limit minus the
    // estimate, the estimate minus the lower limit). Both or neither.
    std::optional<RangeRef> errorPlus{}, errorMinus{};
    int fillColourIndex = 0;  // columns; 0: automatic
    // A text at each point, read from these cells of the chart's own sheet
    // (one per point, an empty cell shows none): a significance mark above a
    // group, or a group's name under the axis where the file format cannot
    // carry more than two tick labels. Scatter series only.
    std::optional<RangeRef> labels{};
    LabelPosition labelPosition = LabelPosition::Above;
};

// A text shown as the tick label at `value` of a value axis (a group's name
// at the position where its points are drawn).
struct TickLabel {
    double value = 0;
    std::string text;
    bool operator==(const TickLabel&) const = default;
};

struct ChartAxis {
    std::string title;
    // ";;;" shows no numbers at the ticks.
    std::string tickNumberFormat = "General";
    bool majorGridlines = false;
    // The axis's span and tick step; empty: chosen from the data.
    std::optional<double> minimum{}, maximum{}, majorUnit{};
    // With labels, only these values are labelled, with these texts; the
    // spreadsheet file can carry two of them.
    std::vector<TickLabel> tickLabels{};
};

struct Chart {
    std::string name;  // the shape's name, by which it is found
    std::string title;
    double titleFontSize = 12;
    bool legend = false;
    bool plotAreaBorder = false;
    bool plotAreaFill = false;
    ChartAxis xAxis;
    ChartAxis yAxis;
    std::vector<ChartSeries> series;
    // The shape's place on the sheet, in points from the sheet's top-left corner.
    double left = 0, top = 0, width = 360, height = 216;
};

enum class PageOrientation { Portrait, Landscape };

// How a sheet goes onto paper when it is printed from its file.
struct PageSetup {
    PageOrientation orientation = PageOrientation::Portrait;
    bool fitToPageWidth = false;  // scaled down so that every column prints on one page's width
    bool operator==(const PageSetup&) const = default;
};

// "=Sheet1!R18C1:R23C1" -> sheet name and range; nullopt when malformed.
std::optional<std::pair<std::string, RangeRef>> ParseR1C1Reference(std::string_view text);

class Sheet {
public:
    explicit Sheet(std::string name = "Sheet1") : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    const ReportValue& value(CellRef c) const { return cells_.value(c); }
    const ReportValue& value(std::string_view a1) const { return value(Cell(a1)); }
    // A number that is not finite (NaN, infinity) leaves the cell empty, like
    // any result that could not be computed: no renderer ever meets one.
    void setValue(CellRef c, ReportValue v);
    void setValue(std::string_view a1, ReportValue v) { setValue(Cell(a1), std::move(v)); }
    // Raises `length` characters of a text cell from `start` (0-based, counted in
    // characters, not bytes); the cell becomes rich text.
    void setSuperscript(CellRef c, int start, int length);

    const CellFormat& format(CellRef c) const { return cells_.format(c); }
    template <class Change>
    void formatRange(const RangeRef& r, Change change) { cells_.formatRange(r, change); }
    template <class Change>
    void formatAll(Change change) { cells_.formatAll(change); }

    void setFontSize(const RangeRef& r, double size);
    void setFontName(const RangeRef& r, const std::string& name);
    void setFontColour(const RangeRef& r, Rgb colour);
    void setHorizontalAlignment(const RangeRef& r, HAlign a);
    void setVerticalAlignment(const RangeRef& r, VAlign a);
    void setReadingOrder(const RangeRef& r, ReadingOrder o);
    void setNumberFormat(const RangeRef& r, const std::string& format);
    void setBottomBorder(const RangeRef& r, BorderWeight w);
    void setWrapText(const RangeRef& r, bool wrap);

    void merge(const RangeRef& r) { merges_.push_back(r); }
    const std::vector<RangeRef>& merges() const { return merges_; }
    // The merge that holds the cell; nullptr when none does.
    const RangeRef* mergeHolding(CellRef c) const;

    double defaultColumnWidth() const { return widths_.defaultWidth(); }
    // Like the width of all cells: also every column set before.
    void setDefaultColumnWidth(double characters) { widths_.setDefault(characters); }
    double columnWidth(int column) const { return widths_.width(column); }
    void setColumnWidth(int column, double characters) { widths_.set(column, characters); }
    // The columns with their own width, in column order.
    const std::vector<std::pair<int, double>>& columnWidths() const { return widths_.own(); }

    bool gridlines() const { return gridlines_; }
    void setGridlines(bool on) { gridlines_ = on; }

    const PageSetup& pageSetup() const { return pageSetup_; }
    void setPageSetup(PageSetup setup) { pageSetup_ = setup; }

    // Full path of the background picture; empty for none.
    const std::string& backgroundPicture() const { return backgroundPicture_; }
    void setBackgroundPicture(std::string path) { backgroundPicture_ = std::move(path); }

    Chart& addChart(Chart c) { return charts_.emplace_back(std::move(c)); }
    std::vector<Chart>& charts() { return charts_; }
    const std::vector<Chart>& charts() const { return charts_; }
    Chart* chart(std::string_view name);

    CellRef selectedCell() const { return selected_; }
    void select(CellRef c) { selected_ = c; }

    // The last row and column holding a value or an own format (1, 1 when none).
    // Like a column format, the format of a large block does not widen it.
    CellRef usedExtent() const;

    const CellStore<ReportValue, CellFormat>& cells() const { return cells_; }

private:
    std::string name_;
    CellStore<ReportValue, CellFormat> cells_;
    std::vector<RangeRef> merges_;
    ColumnWidths widths_{8.43};
    bool gridlines_ = true;
    PageSetup pageSetup_;
    std::string backgroundPicture_;
    std::vector<Chart> charts_;
    CellRef selected_{1, 1};
};

struct Workbook {
    std::vector<Sheet> sheets{Sheet{"Sheet1"}};
    Sheet& activeSheet() { return sheets.front(); }
    const Sheet& activeSheet() const { return sheets.front(); }
};

}  // namespace tavelmark::model
