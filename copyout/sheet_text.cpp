#include "copyout/sheet_text.h"

#include <algorithm>

#include "format/number_format.h"

namespace tavelmark::copyout {

using model::BorderWeight, model::CellRef, model::RangeRef, model::ReportValue, model::RichText,
    model::Sheet, model::Workbook;

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string EscapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// Tabs and line breaks inside a cell would split it when pasted.
std::string OneField(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::string CellHtml(const Sheet& sheet, CellRef cell) {
    if (const auto* rich = std::get_if<RichText>(&sheet.value(cell))) {
        std::string html;
        for (const auto& run : *rich)
            html += run.superscript ? "<sup>" + EscapeHtml(run.text) + "</sup>" : EscapeHtml(run.text);
        return html;
    }
    return EscapeHtml(CellDisplayText(sheet, cell));
}

bool RowEmpty(const Sheet& sheet, int row, int firstColumn, int lastColumn) {
    for (int column = firstColumn; column <= lastColumn; ++column)
        if (!CellDisplayText(sheet, CellRef{row, column}).empty()) return false;
    return true;
}

BorderWeight Bottom(const Sheet& sheet, int row, int column) {
    return sheet.format(CellRef{row, column}).bottomBorder;
}

// The run of columns in `row` with the given bottom rule, from the first one.
std::pair<int, int> RuledRun(const Sheet& sheet, int row, int lastColumn, BorderWeight weight) {
    int first = 0;
    for (int column = 1; column <= lastColumn; ++column) {
        if (Bottom(sheet, row, column) == weight) {
            first = column;
            break;
        }
    }
    if (first == 0) return {0, 0};
    int last = first;
    while (last + 1 <= lastColumn && Bottom(sheet, row, last + 1) == weight) ++last;
    return {first, last};
}

constexpr const char* kThick = "1.5pt solid #000000";
constexpr const char* kThin = "0.75pt solid #000000";

// A note row's texts, from its cells within the table's columns.
std::vector<std::string> NoteCells(const Sheet& sheet, const RuledTable& table, int row, bool html) {
    std::vector<std::string> cells;
    for (int column = table.firstColumn; column <= table.lastColumn; ++column) {
        std::string text = html ? CellHtml(sheet, CellRef{row, column}) : OneField(CellDisplayText(sheet, CellRef{row, column}));
        if (!text.empty()) cells.push_back(std::move(text));
    }
    return cells;
}

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : separator) + part;
    return joined;
}

std::string TableHtml(const Sheet& sheet, const RuledTable& table) {
    std::string html;
    std::string caption;
    for (int column = table.firstColumn; column <= table.lastColumn && caption.empty(); ++column)
        caption = CellHtml(sheet, CellRef{table.captionRow, column});
    if (!caption.empty()) html += "<p style=\"margin:12pt 0 3pt 0\"><b>" + caption + "</b></p>\n";
    html += "<table cellspacing=\"0\" cellpadding=\"4\" style=\"border-collapse:collapse;border:none\">\n";
    for (int row = table.headerRow; row <= table.lastRow; ++row) {
        // A blank line inside a ruled table is only spacing in the sheet.
        if (row != table.headerRow && row != table.lastRow &&
            RowEmpty(sheet, row, table.firstColumn, table.lastColumn))
            continue;
        std::string style = "border-left:none;border-right:none;";
        style += row == table.headerRow ? std::string("border-top:") + kThick + ";" : "border-top:none;";
        if (row == table.headerRow && row == table.lastRow)
            style += std::string("border-bottom:") + kThick + ";";
        else if (row == table.headerRow)
            style += std::string("border-bottom:") + kThin + ";";
        else if (row == table.lastRow)
            style += std::string("border-bottom:") + kThick + ";";
        else
            style += "border-bottom:none;";
        const char* tag = row == table.headerRow ? "th" : "td";
        html += "<tr>";
        for (int column = table.firstColumn; column <= table.lastColumn; ++column)
            html += std::string("<") + tag + " style=\"" + style + "\">" +
                    CellHtml(sheet, CellRef{row, column}) + "</" + tag + ">";
        html += "</tr>\n";
    }
    html += "</table>\n";
    // The table's note, in the smaller type of a table note.
    for (int row = table.lastRow + 1; row <= table.lastNoteRow; ++row)
        html += "<p style=\"margin:3pt 0 0 0;font-size:9pt\">" + Joined(NoteCells(sheet, table, row, true), " ") + "</p>\n";
    return html;
}

bool RowRuled(const Sheet& sheet, int row, int lastColumn) {
    for (int column = 1; column <= lastColumn; ++column)
        if (Bottom(sheet, row, column) != BorderWeight::None) return true;
    return false;
}

}  // namespace

std::string CellDisplayText(const Sheet& sheet, CellRef cell) {
    const ReportValue& value = sheet.value(cell);
    if (const auto* number = std::get_if<double>(&value))
        return Trim(format::FormatNumber(*number, sheet.format(cell).numberFormat));
    return model::PlainText(value);
}

std::string RangeAsTsv(const Sheet& sheet, const RangeRef& range) {
    std::string text;
    for (int row = range.first.row; row <= range.last.row; ++row) {
        for (int column = range.first.column; column <= range.last.column; ++column) {
            if (column > range.first.column) text += '\t';
            text += OneField(CellDisplayText(sheet, CellRef{row, column}));
        }
        text += '\n';
    }
    return text;
}

std::string SheetAsTsv(const Sheet& sheet) {
    // Only cells with values count: a report may format far more rows than it fills.
    CellRef extent{0, 0};
    for (const auto& [cell, value] : sheet.cells().values()) {
        extent.row = std::max(extent.row, cell.row);
        extent.column = std::max(extent.column, cell.column);
    }
    std::string text;
    for (int row = 1; row <= extent.row; ++row) {
        std::string line = RangeAsTsv(sheet, RangeRef{CellRef{row, 1}, CellRef{row, extent.column}});
        line.pop_back();  // its line feed
        while (!line.empty() && line.back() == '\t') line.pop_back();
        text += line + '\n';
    }
    return text;
}

std::string RangeAsHtml(const Sheet& sheet, const RangeRef& range) {
    std::string html = "<table>\n";
    for (int row = range.first.row; row <= range.last.row; ++row) {
        html += "<tr>";
        for (int column = range.first.column; column <= range.last.column; ++column)
            html += "<td>" + CellHtml(sheet, CellRef{row, column}) + "</td>";
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

std::vector<RuledTable> FindRuledTables(const Sheet& sheet) {
    std::vector<RuledTable> tables;
    const CellRef extent = sheet.usedExtent();
    int row = 1;
    while (row < extent.row) {
        const auto [first, last] = RuledRun(sheet, row, extent.column, BorderWeight::Medium);
        if (first == 0 || Bottom(sheet, row + 1, first) != BorderWeight::Thin) {
            ++row;
            continue;
        }
        int end = row + 2;
        while (end <= extent.row && Bottom(sheet, end, first) != BorderWeight::Medium) ++end;
        if (end > extent.row) end = row + 1;  // a header without its closing rule
        RuledTable table{row, row + 1, end, first, last};
        // Its note: filled rows right under it that carry no rule of their own.
        int note = end + 1;
        while (note <= extent.row && !RowEmpty(sheet, note, first, last) && !RowRuled(sheet, note, extent.column))
            table.lastNoteRow = note++;
        tables.push_back(table);
        row = std::max(end, table.lastNoteRow) + 1;
    }
    return tables;
}

std::vector<RuledTable> RuledTablesMeeting(const Sheet& sheet, const RangeRef& range) {
    std::vector<RuledTable> meeting;
    for (const RuledTable& table : FindRuledTables(sheet)) {
        const int bottom = std::max(table.lastRow, table.lastNoteRow);
        if (range.first.row <= bottom && range.last.row >= table.captionRow &&
            range.first.column <= table.lastColumn && range.last.column >= table.firstColumn)
            meeting.push_back(table);
    }
    return meeting;
}

std::string ThreeLineTablesHtml(const std::vector<SheetTables>& tables) {
    std::string body;
    for (const SheetTables& chosen : tables)
        for (const RuledTable& table : chosen.tables) body += TableHtml(*chosen.sheet, table);
    if (body.empty()) return {};
    return "<html><head><meta charset=\"utf-8\"></head><body>\n" + body + "</body></html>\n";
}

std::string ThreeLineTablesHtml(const Workbook& workbook) {
    std::vector<SheetTables> all;
    for (const Sheet& sheet : workbook.sheets) all.push_back({&sheet, FindRuledTables(sheet)});
    return ThreeLineTablesHtml(all);
}

std::string ThreeLineTablesText(const std::vector<SheetTables>& tables) {
    std::string text;
    for (const SheetTables& chosen : tables)
        for (const RuledTable& table : chosen.tables) {
            const Sheet& sheet = *chosen.sheet;
            if (!text.empty()) text += '\n';
            const std::string caption = Joined(NoteCells(sheet, table, table.captionRow, false), "\t");
            if (!caption.empty()) text += caption + '\n';
            for (int row = table.headerRow; row <= table.lastRow; ++row) {
                if (row != table.headerRow && row != table.lastRow &&
                    RowEmpty(sheet, row, table.firstColumn, table.lastColumn))
                    continue;
                text += RangeAsTsv(sheet, {{row, table.firstColumn}, {row, table.lastColumn}});
            }
            for (int row = table.lastRow + 1; row <= table.lastNoteRow; ++row)
                text += Joined(NoteCells(sheet, table, row, false), "\t") + '\n';
        }
    return text;
}

}  // namespace tavelmark::copyout
