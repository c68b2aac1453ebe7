#include "hosts/ui/sheet_painter.h"

#include <algorithm>
#include <vector>

#include <QFontMetrics>
#include <QPainter>

#include "hosts/number_format.h"
#include "hosts/ui/qt_text.h"
#include "hosts/ui/sheet_metrics.h"

namespace tavelmark::ui {
namespace {

constexpr int kTextPadding = 2;  // pixels between a cell's edge and its text

struct Piece {
    QString text;
    bool superscript = false;
};

std::vector<Piece> PiecesOf(const ReportValue& value, const CellFormat& format) {
    if (const auto* number = std::get_if<double>(&value))
        return {{ToQString(FormatNumber(*number, format.numberFormat)), false}};
    if (const auto* text = std::get_if<std::string>(&value)) return {{ToQString(*text), false}};
    std::vector<Piece> pieces;
    if (const auto* rich = std::get_if<RichText>(&value))
        for (const TextRun& run : *rich) pieces.push_back({ToQString(run.text), run.superscript});
    return pieces;
}

QFont SuperscriptFont(const QFont& font) {
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.62);
    return small;
}

int PiecesWidth(const std::vector<Piece>& pieces, const QFont& font) {
    const QFontMetrics normal(font), raised(SuperscriptFont(font));
    int width = 0;
    for (const Piece& piece : pieces)
        width += (piece.superscript ? raised : normal).horizontalAdvance(piece.text);
    return width;
}

void DrawPieces(QPainter& painter, const std::vector<Piece>& pieces, const QFont& font, int x,
                int baseline) {
    const QFont small = SuperscriptFont(font);
    const QFontMetrics normal(font), raised(small);
    for (const Piece& piece : pieces) {
        painter.setFont(piece.superscript ? small : font);
        const int y = piece.superscript ? baseline - normal.ascent() * 2 / 5 : baseline;
        painter.drawText(QPoint(x, y), piece.text);
        x += (piece.superscript ? raised : normal).horizontalAdvance(piece.text);
    }
}

const RangeRef* MergeHolding(const Sheet& sheet, CellRef cell) {
    for (const RangeRef& merge : sheet.merges())
        if (merge.contains(cell)) return &merge;
    return nullptr;
}

bool IsFree(const Sheet& sheet, CellRef cell) {
    return std::holds_alternative<std::monostate>(sheet.value(cell)) &&
           MergeHolding(sheet, cell) == nullptr;
}

enum class Side { Left, Centre, Right };

Side SideOf(const CellFormat& format, const ReportValue& value) {
    switch (format.horizontal) {
        case HAlign::General: return std::holds_alternative<double>(value) ? Side::Right : Side::Left;
        case HAlign::Left: return Side::Left;
        case HAlign::Right: return Side::Right;
        case HAlign::Center:
        case HAlign::CenterAcrossSelection: return Side::Centre;
    }
    return Side::Left;
}

// The cells a text is laid out in: its merge, its run of centre-across cells,
// or the cell itself.
QRect HomeRect(const Sheet& sheet, const SheetLayout& layout, CellRef cell,
               const CellFormat& format) {
    if (const RangeRef* merge = MergeHolding(sheet, cell)) return layout.rangeRect(*merge);
    if (format.horizontal == HAlign::CenterAcrossSelection) {
        CellRef last = cell;
        while (last.column < layout.lastColumn()) {
            const CellRef next{cell.row, last.column + 1};
            if (sheet.format(next).horizontal != HAlign::CenterAcrossSelection || !IsFree(sheet, next))
                break;
            last = next;
        }
        return layout.rangeRect({cell, last});
    }
    return layout.cellRect(cell);
}

// A text too wide for its cell runs on over empty neighbours, as far as it needs.
QRect RunOnRect(const Sheet& sheet, const SheetLayout& layout, CellRef cell, QRect home,
                int textWidth, Side side) {
    const int needed = textWidth + 2 * kTextPadding;
    if (needed <= home.width()) return home;
    QRect area = home;
    if (side == Side::Left) {
        for (int c = cell.column + 1; c <= layout.lastColumn() && area.width() < needed; ++c) {
            if (!IsFree(sheet, {cell.row, c})) break;
            area.setRight(layout.cellRect({cell.row, c}).right());
        }
    } else if (side == Side::Right) {
        for (int c = cell.column - 1; c >= 1 && area.width() < needed; --c) {
            if (!IsFree(sheet, {cell.row, c})) break;
            area.setLeft(layout.cellRect({cell.row, c}).left());
        }
    } else {
        int left = cell.column - 1, right = cell.column + 1;
        bool grew = true;
        while (area.width() < needed && grew) {
            grew = false;
            if (left >= 1 && IsFree(sheet, {cell.row, left})) {
                area.setLeft(layout.cellRect({cell.row, left--}).left());
                grew = true;
            }
            if (right <= layout.lastColumn() && IsFree(sheet, {cell.row, right})) {
                area.setRight(layout.cellRect({cell.row, right++}).right());
                grew = true;
            }
        }
    }
    return area;
}

void PaintCellText(QPainter& painter, const Sheet& sheet, const SheetLayout& layout, CellRef cell,
                   const ReportValue& value) {
    const CellFormat& format = sheet.format(cell);
    const std::vector<Piece> pieces = PiecesOf(value, format);
    const QFont font = SheetFont(format.font.name, format.font.size);
    const QFontMetrics metrics(font);
    const int width = PiecesWidth(pieces, font);
    const Side side = SideOf(format, value);
    const QRect home = HomeRect(sheet, layout, cell, format);
    // Numbers never run on; they are cut at their cell, as the spreadsheet's
    // would be shown as #### instead.
    const QRect area = std::holds_alternative<double>(value)
                           ? home
                           : RunOnRect(sheet, layout, cell, home, width, side);

    // This machine's fonts may be wider than the ones the report was sized
    // for; a text a little too wide for the room it has is narrowed to fit
    // rather than cut, so "0.031817 +" never shows as "0.031817 " beside its
    // neighbour's "-0.07...".
    const int room = area.width() - 2 * kTextPadding;
    double squeeze = 1.0;
    if (width > room && room > 0 && width * 0.8 <= room) squeeze = static_cast<double>(room) / width;
    const int shownWidth = static_cast<int>(width * squeeze);

    int x = home.left() + kTextPadding;
    if (side == Side::Right) x = home.right() + 1 - kTextPadding - shownWidth;
    if (side == Side::Centre) x = home.left() + (home.width() - shownWidth) / 2;
    const int leftmost = area.left() + kTextPadding;
    x = std::clamp(x, leftmost, std::max(leftmost, area.right() + 1 - kTextPadding - shownWidth));

    int baseline = home.bottom() - kTextPadding - metrics.descent() + 1;
    if (format.vertical == VAlign::Center)
        baseline = home.top() + (home.height() + metrics.ascent() - metrics.descent()) / 2;
    else if (format.vertical == VAlign::Top)
        baseline = home.top() + kTextPadding + metrics.ascent();

    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setPen(ToQColor(format.font.colour));
    painter.translate(x, 0);
    painter.scale(squeeze, 1.0);
    DrawPieces(painter, pieces, font, 0, baseline);
    painter.restore();
}

void PaintBottomRule(QPainter& painter, const QRect& cell, BorderWeight weight) {
    if (weight == BorderWeight::None) return;
    const int thickness = weight == BorderWeight::Medium ? 2 : 1;
    painter.fillRect(QRect(cell.left(), cell.bottom() + 1 - thickness, cell.width(), thickness),
                     Qt::black);
}

}  // namespace

void PaintSheet(QPainter& painter, const Sheet& sheet, const SheetLayout& layout,
                const SheetPaintOptions& options, const QRect& area) {
    painter.save();
    painter.setClipRect(area);
    if (options.background.isNull())
        painter.fillRect(area, Qt::white);
    else
        painter.drawTiledPixmap(area, options.background, area.topLeft());

    const int firstRow = std::max(1, layout.rowStartingAtOrBelow(area.top()) - 1);
    const int lastRow = std::min(layout.lastRow(), layout.rowStartingAtOrBelow(area.bottom() + 1));

    if (sheet.gridlines()) {
        painter.setPen(QColor(192, 192, 192));
        for (int r = firstRow; r <= lastRow; ++r) {
            const int y = layout.cellRect({r, 1}).bottom();
            painter.drawLine(area.left(), y, area.right(), y);
        }
        for (int c = 1; c <= layout.lastColumn(); ++c) {
            const int x = layout.cellRect({1, c}).right();
            painter.drawLine(x, area.top(), x, area.bottom());
        }
    }

    // Texts may run on sideways, so whole rows are painted.
    const auto& values = sheet.cells().values();
    for (auto it = values.lower_bound(CellRef{firstRow, 1});
         it != values.end() && it->first.row <= lastRow; ++it) {
        const CellRef cell = it->first;
        if (cell.column > layout.lastColumn()) continue;
        if (const RangeRef* merge = MergeHolding(sheet, cell); merge && !(merge->first == cell))
            continue;  // only the merge's first cell shows
        PaintCellText(painter, sheet, layout, cell, it->second);
    }

    for (const auto& [cell, format] : sheet.cells().cellFormats()) {
        if (cell.row < firstRow || cell.row > lastRow || cell.column > layout.lastColumn()) continue;
        PaintBottomRule(painter, layout.cellRect(cell), format.bottomBorder);
    }

    if (options.showSelection) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.cellRect(sheet.selectedCell()).adjusted(1, 1, -1, -1));
    }
    painter.restore();
}

}  // namespace tavelmark::ui
