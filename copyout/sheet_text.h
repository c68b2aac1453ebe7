#pragma once
// A report's cells as other programs take them: the text each cell shows,
// a block of cells as tab-separated text or as an HTML table, and the
// report's ruled tables in the three-line style that journals ask for.
#include <string>
#include <vector>

#include "model/cell_ref.h"
#include "model/workbook.h"

namespace tavelmark::copyout {

// What the cell shows: a number through its number format (without the pad
// blanks around it), a text as it is.
std::string CellDisplayText(const model::Sheet& sheet, model::CellRef cell);

// Rows joined by line feeds, cells by tabs, as a spreadsheet pastes them.
std::string RangeAsTsv(const model::Sheet& sheet, const model::RangeRef& range);

// The sheet's cells that hold values, from A1 to the last row and column with
// one, as RangeAsTsv gives them, each row without its trailing empty fields:
// the report as `tavelmark-cli --print` writes it.
std::string SheetAsTsv(const model::Sheet& sheet);

// The same block as an HTML table, superscripts kept.
std::string RangeAsHtml(const model::Sheet& sheet, const model::RangeRef& range);

// A table of the report as its rules mark it: a thick rule under the caption
// row, a thin one under the header row, a thick one under the last row. The
// rows of text right under the closing rule, up to a blank row, are its
// note ("注:g值＝ .0852 ...").
struct RuledTable {
    int captionRow = 0;
    int headerRow = 0;
    int lastRow = 0;
    int firstColumn = 0;
    int lastColumn = 0;
    int lastNoteRow = 0;  // the note's last row; 0 without a note
};
std::vector<RuledTable> FindRuledTables(const model::Sheet& sheet);

// The tables that a selected block touches anywhere from the caption row to
// the note, within their columns.
std::vector<RuledTable> RuledTablesMeeting(const model::Sheet& sheet, const model::RangeRef& range);

// Tables of one sheet, to be copied.
struct SheetTables {
    const model::Sheet* sheet = nullptr;
    std::vector<RuledTable> tables;
};

// Each table as an HTML table in the three-line style: a thick top rule, a
// thin rule under the header, a thick bottom rule, no vertical lines; its
// caption above it and its note below. Empty when there is no table.
std::string ThreeLineTablesHtml(const std::vector<SheetTables>& tables);
// Every ruled table of every sheet, so.
std::string ThreeLineTablesHtml(const model::Workbook& workbook);
// The same tables as tab-separated text for programs that take no HTML:
// caption, rows and note of each, a blank line between tables.
std::string ThreeLineTablesText(const std::vector<SheetTables>& tables);

}  // namespace tavelmark::copyout
