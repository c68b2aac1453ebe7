#include "xlsx/xlsx_sheet.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

#include "files/utf8_path.h"
#include "xlsx/xlsx_chart.h"
#include "xlsx/xlsx_layout.h"
#include "xlsx/xlsx_tick_series.h"

namespace tavelmark::xlsx {

using model::CellFormat, model::CellName, model::CellRef, model::Chart, model::RangeName,
    model::RangeRef, model::ReportValue, model::RichText, model::Sheet, model::TextRun,
    model::kMaxColumns;

namespace {

// The classic sheet width the model addresses (IV); formatting further columns
// would only make the file claim a used area thousands of columns wide.
constexpr int kLastFileColumn = kMaxColumns;

auto Row(CellRef c) { return static_cast<lxw_row_t>(c.row - 1); }
auto Col(CellRef c) { return static_cast<lxw_col_t>(c.column - 1); }

std::string Where(const Sheet& sheet, CellRef c) { return sheet.name() + "!" + CellName(c); }

// Adjacent runs with the same position are joined and empty ones dropped:
// the file format refuses empty pieces of rich text.
RichText CompactRuns(const RichText& runs) {
    RichText out;
    for (const TextRun& run : runs) {
        if (run.text.empty()) continue;
        if (!out.empty() && out.back().superscript == run.superscript)
            out.back().text += run.text;
        else
            out.push_back(run);
    }
    return out;
}

lxw_error WriteRichText(lxw_worksheet* ws, XlsxFormats& formats, CellRef c, const RichText& text,
                        const CellFormat& format) {
    const RichText runs = CompactRuns(text);
    if (runs.empty()) return worksheet_write_blank(ws, Row(c), Col(c), formats.cell(format));
    if (runs.size() == 1) {
        lxw_format* f = runs[0].superscript ? formats.superscriptCell(format) : formats.cell(format);
        return worksheet_write_string(ws, Row(c), Col(c), runs[0].text.c_str(), f);
    }
    std::vector<std::string> texts;
    texts.reserve(runs.size());
    std::vector<lxw_rich_string_tuple> tuples(runs.size());
    std::vector<lxw_rich_string_tuple*> pointers;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        texts.push_back(runs[i].text);
        tuples[i].format = formats.run(format.font, runs[i].superscript);
        tuples[i].string = texts.back().data();
        pointers.push_back(&tuples[i]);
    }
    pointers.push_back(nullptr);
    return worksheet_write_rich_string(ws, Row(c), Col(c), pointers.data(), formats.cell(format));
}

lxw_error WriteValue(lxw_worksheet* ws, XlsxFormats& formats, CellRef c, const ReportValue& value,
                     const CellFormat& format) {
    if (const double* number = std::get_if<double>(&value))
        return worksheet_write_number(ws, Row(c), Col(c), *number, formats.cell(format));
    if (const std::string* text = std::get_if<std::string>(&value))
        return worksheet_write_string(ws, Row(c), Col(c), text->c_str(), formats.cell(format));
    if (const RichText* rich = std::get_if<RichText>(&value))
        return WriteRichText(ws, formats, c, *rich, format);
    return worksheet_write_blank(ws, Row(c), Col(c), formats.cell(format));
}

// Whether an empty cell looks different in one format than in the other: a
// rule under it, or a taller row. Alignment, number format and font show
// only once something is typed into the cell.
bool ShowsWhenEmpty(const CellFormat& a, const CellFormat& b) {
    return a.bottomBorder != b.bottomBorder || a.font.size != b.font.size;
}

// What the file keeps for each column (index 1 to kLastFileColumn). The file
// has no format for a block of cells short of writing each of them; a block
// that differs from its columns only where something is typed (the centred
// raw-data area) gives its format to its whole columns instead, where an empty
// cell looks the same either way. A cell with a value always carries its own.
struct FileColumns {
    std::vector<const CellFormat*> format;
    // Blocks, cut into runs of one column, whose cells the file must list.
    std::vector<std::pair<RangeRef, const CellFormat*>> listedBlocks;
};

FileColumns FileColumnsOf(const Sheet& sheet) {
    const auto& cells = sheet.cells();
    FileColumns file;
    file.format.resize(kLastFileColumn + 1, &cells.defaultFormat());
    for (int col = 1; col <= kLastFileColumn; ++col) file.format[col] = &cells.columnFormat(col);
    for (const auto& block : cells.rangeFormats())
        for (int col = block.range.first.column; col <= std::min(block.range.last.column, kLastFileColumn); ++col)
            if (!ShowsWhenEmpty(block.format, cells.columnFormat(col))) file.format[col] = &block.format;
    for (const auto& block : cells.rangeFormats())
        for (int col = block.range.first.column; col <= std::min(block.range.last.column, kLastFileColumn); ++col)
            if (block.format != *file.format[col])
                file.listedBlocks.push_back({{{block.range.first.row, col}, {block.range.last.row, col}}, &block.format});
    return file;
}

// Whole columns: width and format, in runs of equal columns.
bool WriteColumns(lxw_worksheet* ws, XlsxFormats& formats, const Sheet& sheet, const FileColumns& file,
                  std::string* error) {
    int first = 1;
    while (first <= kLastFileColumn) {
        const double width = sheet.columnWidth(first);
        const CellFormat& format = *file.format[first];
        int last = first;
        while (last < kLastFileColumn && sheet.columnWidth(last + 1) == width && *file.format[last + 1] == format)
            ++last;
        lxw_format* f = formats.cell(format);
        if (f || width != LXW_DEF_COL_WIDTH) {
            const lxw_error result = worksheet_set_column(ws, static_cast<lxw_col_t>(first - 1),
                                                          static_cast<lxw_col_t>(last - 1), width, f);
            if (result != LXW_NO_ERROR) {
                if (error) *error = sheet.name() + " columns: " + lxw_strerror(result);
                return false;
            }
        }
        first = last + 1;
    }
    return true;
}

// Every row that will hold a cell gets its height set, not only the taller
// ones: libxlsxwriter places charts by the heights it was told, and it takes
// an untold row holding cells for its own 15-point default.
void WriteRows(lxw_worksheet* ws, const Sheet& sheet, const RowHeights& rows, const FileColumns& file) {
    worksheet_set_default_row(ws, rows.defaultHeight, LXW_FALSE);
    std::set<int> used;
    for (const auto& [c, value] : sheet.cells().values()) used.insert(c.row);
    for (const auto& [c, format] : sheet.cells().cellFormats()) used.insert(c.row);
    for (const auto& [r, format] : file.listedBlocks)
        for (int row = r.first.row; row <= r.last.row; ++row) used.insert(row);
    for (const RangeRef& r : sheet.merges())
        for (int row = r.first.row; row <= r.last.row; ++row) used.insert(row);
    for (const auto& [row, height] : rows.explicitHeights) used.insert(row);
    for (int row : used) worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), rows.height(row), nullptr);
}

bool WriteCells(lxw_worksheet* ws, XlsxFormats& formats, const Sheet& sheet, const FileColumns& file,
                std::string* error) {
    const auto& cells = sheet.cells();
    for (const auto& [c, value] : cells.values()) {
        const lxw_error result = WriteValue(ws, formats, c, value, sheet.format(c));
        if (result != LXW_NO_ERROR) {
            if (error) *error = Where(sheet, c) + ": " + lxw_strerror(result);
            return false;
        }
    }
    // Empty cells that look different from their column (a rule under an empty cell).
    for (const auto& [c, format] : cells.cellFormats()) {
        if (c.column > kLastFileColumn || cells.values().count(c) || format == *file.format[c.column]) continue;
        worksheet_write_blank(ws, Row(c), Col(c), formats.cell(format));
    }
    for (const auto& [r, format] : file.listedBlocks)
        for (int row = r.first.row; row <= r.last.row; ++row) {
            const CellRef c{row, r.first.column};
            if (cells.values().count(c) || cells.cellFormats().count(c) || cells.rangeFormatAt(c) != format)
                continue;
            worksheet_write_blank(ws, Row(c), Col(c), formats.cell(*format));
        }
    return true;
}

bool Overlaps(const RangeRef& a, const RangeRef& b) {
    return a.first.row <= b.last.row && b.first.row <= a.last.row && a.first.column <= b.last.column &&
           b.first.column <= a.last.column;
}

// A merged area shows its first cell's value and format; the other cells'
// values are dropped, as the spreadsheet does when merging. A one-cell merge
// changes nothing, and a merge overlapping an earlier one is left out (the
// file format cannot hold it).
bool WriteMerges(lxw_worksheet* ws, XlsxFormats& formats, const Sheet& sheet, std::string* error) {
    std::vector<RangeRef> written;
    for (const RangeRef& r : sheet.merges()) {
        if (r.rowCount() * static_cast<long long>(r.columnCount()) <= 1) continue;
        bool clash = false;
        for (const RangeRef& w : written) clash = clash || Overlaps(r, w);
        if (clash) continue;
        const CellFormat& format = sheet.format(r.first);
        lxw_error result = worksheet_merge_range(ws, Row(r.first), Col(r.first), Row(r.last), Col(r.last),
                                                 "", formats.cell(format));
        if (result == LXW_NO_ERROR)
            result = WriteValue(ws, formats, r.first, sheet.value(r.first), format);
        if (result != LXW_NO_ERROR) {
            if (error) *error = sheet.name() + "!" + RangeName(r) + " merge: " + lxw_strerror(result);
            return false;
        }
        written.push_back(r);
    }
    return true;
}

// The picture is decoration: a missing or unreadable file leaves the sheet
// without it rather than losing the report.
void WriteBackground(lxw_worksheet* ws, const Sheet& sheet) {
    const std::string& path = sheet.backgroundPicture();
    if (path.empty()) return;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(files::Utf8Path(path), ec)) return;
    worksheet_set_background(ws, path.c_str());
}

// A sheet left at the defaults writes no page setup at all, as before.
void WritePageSetup(lxw_worksheet* ws, const model::PageSetup& setup) {
    if (setup == model::PageSetup{}) return;
    // A written page setup without its paper reads as Letter; the reports are
    // laid out for A4, the paper of the PDF export.
    constexpr std::uint8_t kA4Paper = 9;
    worksheet_set_paper(ws, kA4Paper);
    if (setup.orientation == model::PageOrientation::Landscape) worksheet_set_landscape(ws);
    // One page wide, as many pages tall as the rows need.
    if (setup.fitToPageWidth) worksheet_fit_to_pages(ws, 1, 0);
}

}  // namespace

bool WriteXlsxSheet(lxw_workbook* workbook, lxw_worksheet* worksheet, XlsxFormats& formats,
                    const Sheet& sheet, std::string* error) {
    const RowHeights rows = SheetRowHeights(sheet);
    const FileColumns file = FileColumnsOf(sheet);
    if (!WriteColumns(worksheet, formats, sheet, file, error)) return false;
    WriteRows(worksheet, sheet, rows, file);
    if (!WriteCells(worksheet, formats, sheet, file, error)) return false;
    if (!WriteTickLabelCells(worksheet, sheet, rows, error)) return false;
    if (!WriteMerges(worksheet, formats, sheet, error)) return false;
    worksheet_gridlines(worksheet, sheet.gridlines() ? LXW_SHOW_SCREEN_GRIDLINES : LXW_HIDE_ALL_GRIDLINES);
    WritePageSetup(worksheet, sheet.pageSetup());
    WriteBackground(worksheet, sheet);
    for (const Chart& chart : sheet.charts())
        if (!WriteXlsxChart(workbook, worksheet, sheet, rows, chart, error)) return false;
    const CellRef selected = sheet.selectedCell();
    worksheet_set_selection(worksheet, Row(selected), Col(selected), Row(selected), Col(selected));
    return true;
}

}  // namespace tavelmark::xlsx
