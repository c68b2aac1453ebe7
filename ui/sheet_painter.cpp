#include "ui/sheet_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QFontMetrics>
#include <QPainter>

#include "format/number_format.h"
#include "model/wrapped_text.h"
#include "ui/qt_text.h"
#include "ui/sheet_metrics.h"

namespace tavelmark::ui {

using model::BorderWeight, model::CellFormat, model::CellRef, model::Font, model::HAlign,
    model::RangeRef, model::ReportValue, model::RichText, model::Sheet, model::TextRun,
    model::VAlign;
namespace {

// Between a cell's edge and its text: 2 pixels of the spreadsheet's 96 dpi,
// as many at the layout's resolution, so that on paper too the texts of
// neighbouring cells stay apart (a reader of the PDF takes them for words of
// their own).
int TextPadding(const SheetLayout& layout) {
    return std::max(1, static_cast<int>(std::lround(2.0 * layout.dotsPerInchX() / 96.0)));
}

// This machine's fonts may be wider than the ones the report was sized for:
// a text at most a fifth too wide for the room it has is narrowed to fit
// rather than cut. The horizontal scale to draw it with.
double NarrowingToFit(double textWidth, double room) {
    if (textWidth <= room || room <= 0 || textWidth * 0.8 > room) return 1.0;
    return room / textWidth;
}

struct Piece {
    QString text;
    bool superscript = false;
};

std::vector<Piece> PiecesOf(const ReportValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return {{ToQString(*text), false}};
    std::vector<Piece> pieces;
    if (const auto* rich = std::get_if<RichText>(&value))
        for (const TextRun& run : *rich) pieces.push_back({ToQString(run.text), run.superscript});
    return pieces;
}

// What the spreadsheet shows for a number too wide for its cell: the cell
// filled with #, never a number cut short.
QString Hashes(const QFontMetricsF& metrics, double room) {
    const double hash = metrics.horizontalAdvance(QLatin1Char('#'));
    const int count = hash > 0 ? static_cast<int>(std::floor(room / hash)) : 0;
    return QString(std::max(0, count), QLatin1Char('#'));
}

// A number as its cell shows it in `room` pixels. In the General format as
// many digits as fit, then scientific notation, as a spreadsheet does; in
// any other format its one text, narrowed by at most a fifth. ### when
// nothing fits.
QString NumberShown(double number, const std::string& numberFormat, const QFontMetricsF& metrics, double room) {
    if (format::IsGeneralFormat(numberFormat)) {
        for (int width = format::kStandardGeneralWidth; width >= 1; --width) {
            const QString text = ToQString(format::GeneralNumberText(number, width));
            if (text.isEmpty()) break;
            if (metrics.horizontalAdvance(text) <= room) return text;
        }
        return Hashes(metrics, room);
    }
    const QString text = ToQString(format::FormatNumber(number, numberFormat));
    if (metrics.horizontalAdvance(text) * 0.8 <= room) return text;
    return Hashes(metrics, room);
}

// Cell fonts are sized in points at the layout's resolution, whatever the
// device's: a layout made for 96 dpi and painted on a 1200-dpi printer keeps
// its 10-point texts 13 layout pixels high, in proportion to their cells.
QFont LayoutFont(const Font& spec, const SheetLayout& layout, const QPaintDevice& device) {
    const double toDevice = layout.dotsPerInchY() / std::max(1, device.logicalDpiY());
    return SheetFont(spec.name, (spec.size > 0 ? spec.size : 10) * toDevice);
}

QFont SuperscriptFont(const QFont& font) {
    QFont small = font;
    small.setPointSizeF(font.pointSizeF() * 0.62);
    return small;
}

// A cell's text as it is drawn: its pieces, font, room and position.
struct PlacedText {
    std::vector<Piece> pieces;
    QFont font;
    QRect area;  // its cell or merge, and the empty neighbours it runs on over
    double x = 0;
    double baseline = 0;
    double squeeze = 1.0;  // horizontal narrowing
    double width = 0;      // after narrowing
};

double PiecesWidth(const std::vector<Piece>& pieces, const QFont& font, const QPaintDevice& device) {
    const QFontMetricsF normal(font, &device), raised(SuperscriptFont(font), &device);
    double width = 0;
    for (const Piece& piece : pieces)
        width += (piece.superscript ? raised : normal).horizontalAdvance(piece.text);
    return width;
}

void DrawPieces(QPainter& painter, const PlacedText& text) {
    const QFont small = SuperscriptFont(text.font);
    const QFontMetricsF normal(text.font, painter.device()), raised(small, painter.device());
    double x = 0;
    for (const Piece& piece : text.pieces) {
        painter.setFont(piece.superscript ? small : text.font);
        const double y = piece.superscript ? text.baseline - normal.ascent() * 2 / 5 : text.baseline;
        painter.drawText(QPointF(x, y), piece.text);
        x += (piece.superscript ? raised : normal).horizontalAdvance(piece.text);
    }
}

bool IsFree(const Sheet& sheet, CellRef cell) {
    return std::holds_alternative<std::monostate>(sheet.value(cell)) &&
           sheet.mergeHolding(cell) == nullptr;
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
    if (const RangeRef* merge = sheet.mergeHolding(cell)) return layout.rangeRect(*merge);
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
    const int needed = textWidth + 2 * TextPadding(layout);
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

// The pieces cut to the characters that fit whole in `room` pixels: what
// the spreadsheet clips at the next cell is not drawn at all, so that the
// PDF's text holds only what the page shows.
std::vector<Piece> FittingPieces(const std::vector<Piece>& pieces, const QFont& font, const QPaintDevice& device,
                                 double room) {
    const QFontMetricsF normal(font, &device), raised(SuperscriptFont(font), &device);
    std::vector<Piece> kept;
    double used = 0;
    for (const Piece& piece : pieces) {
        const QFontMetricsF& metrics = piece.superscript ? raised : normal;
        Piece part{{}, piece.superscript};
        for (qsizetype i = 0; i < piece.text.size();) {
            // A surrogate pair is one character.
            const qsizetype length = piece.text[i].isHighSurrogate() && i + 1 < piece.text.size() ? 2 : 1;
            const QString next = part.text + piece.text.mid(i, length);
            const double width = used + metrics.horizontalAdvance(next);
            if (width > room) {
                if (!part.text.isEmpty()) kept.push_back(part);
                return kept;
            }
            part.text = next;
            i += length;
        }
        used += metrics.horizontalAdvance(part.text);
        kept.push_back(part);
    }
    return kept;
}

// Places the pieces, font and area already in `placed` in the cell whose
// rectangle is `home`: narrowed or cut to the area, aligned in the cell.
void PlaceInCell(PlacedText& placed, const QRect& home, Side side, VAlign vertical, const SheetLayout& layout,
                 const QPaintDevice& device) {
    const int padding = TextPadding(layout);
    const QFontMetricsF metrics(placed.font, &device);
    const double width = PiecesWidth(placed.pieces, placed.font, device);
    const double room = placed.area.width() - 2 * padding;

    // Narrowed rather than cut, so "0.031817 +" never shows as "0.031817 "
    // beside its neighbour's "-0.07..."; a text wider still is clipped at
    // the next cell that holds something.
    placed.squeeze = NarrowingToFit(width, room);
    if (width * placed.squeeze > room)
        placed.pieces = FittingPieces(placed.pieces, placed.font, device, std::max(0.0, room));
    placed.width = PiecesWidth(placed.pieces, placed.font, device) * placed.squeeze;

    double x = home.left() + padding;
    if (side == Side::Right) x = home.right() + 1 - padding - placed.width;
    if (side == Side::Centre) x = home.left() + (home.width() - placed.width) / 2;
    const double leftmost = placed.area.left() + padding;
    // Whole layout pixels, so that the screen's glyphs stay crisp.
    placed.x = std::round(std::clamp(
        x, leftmost, std::max(leftmost, placed.area.right() + 1 - padding - placed.width)));

    double baseline = home.bottom() - padding - metrics.descent() + 1;
    if (vertical == VAlign::Center)
        baseline = home.top() + (home.height() + metrics.ascent() - metrics.descent()) / 2;
    else if (vertical == VAlign::Top)
        baseline = home.top() + padding + metrics.ascent();
    placed.baseline = std::round(baseline);
}

PlacedText PlaceCellText(const Sheet& sheet, const SheetLayout& layout, CellRef cell,
                         const ReportValue& value, const QPaintDevice& device) {
    const CellFormat& format = sheet.format(cell);
    PlacedText placed;
    placed.font = LayoutFont(format.font, layout, device);
    const Side side = SideOf(format, value);
    const QRect home = HomeRect(sheet, layout, cell, format);
    if (const auto* number = std::get_if<double>(&value)) {
        // Numbers never run on: they show as many digits as their cell has
        // room for, or ###.
        const QFontMetricsF metrics(placed.font, &device);
        placed.pieces = {
            {NumberShown(*number, format.numberFormat, metrics, home.width() - 2 * TextPadding(layout)), false}};
        placed.area = home;
    } else {
        placed.pieces = PiecesOf(value);
        placed.area = RunOnRect(sheet, layout, cell, home,
                                static_cast<int>(std::ceil(PiecesWidth(placed.pieces, placed.font, device))), side);
    }
    PlaceInCell(placed, home, side, format.vertical, layout, device);
    return placed;
}

// The pieces of bytes [begin, end) of the value's plain text.
std::vector<Piece> PiecesBetween(const ReportValue& value, std::size_t begin, std::size_t end) {
    std::vector<Piece> pieces;
    auto take = [&](const std::string& text, bool superscript, std::size_t offset) {
        const std::size_t from = std::max(begin, offset), to = std::min(end, offset + text.size());
        if (from < to) pieces.push_back({ToQString(text.substr(from - offset, to - from)), superscript});
    };
    if (const auto* text = std::get_if<std::string>(&value)) take(*text, false, 0);
    if (const auto* rich = std::get_if<RichText>(&value)) {
        std::size_t offset = 0;
        for (const TextRun& run : *rich) {
            take(run.text, run.superscript, offset);
            offset += run.text.size();
        }
    }
    return pieces;
}

// A wrapped text: its lines as the model breaks them, one a line's height,
// each placed in its band of the cell like a text of one line; the block of
// lines aligned in the cell. It never runs on over its neighbours.
std::vector<PlacedText> PlaceWrappedText(const Sheet& sheet, const SheetLayout& layout, CellRef cell,
                                         const ReportValue& value, const QPaintDevice& device) {
    const CellFormat& format = sheet.format(cell);
    const QRect home = HomeRect(sheet, layout, cell, format);
    const QFont font = LayoutFont(format.font, layout, device);
    const Side side = SideOf(format, value);
    const std::vector<model::TextLine> lines = model::WrapText(model::PlainText(value), model::WrapWidth(sheet, cell));
    const int pitch = RowHeightPixels(format.font.size, layout.dotsPerInchY());
    const int block = pitch * static_cast<int>(lines.size());
    int top = home.top();
    if (format.vertical == VAlign::Bottom) top = home.bottom() + 1 - block;
    if (format.vertical == VAlign::Center) top = home.top() + (home.height() - block) / 2;
    std::vector<PlacedText> placed;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        PlacedText line;
        line.pieces = PiecesBetween(value, lines[n].begin, lines[n].end);
        line.font = font;
        line.area = home;
        const QRect band(home.left(), top + static_cast<int>(n) * pitch, home.width(), pitch);
        PlaceInCell(line, band, side, VAlign::Bottom, layout, device);
        placed.push_back(std::move(line));
    }
    return placed;
}

void DrawPlacedText(QPainter& painter, const PlacedText& text, const QColor& colour) {
    painter.save();
    painter.setClipRect(text.area, Qt::IntersectClip);
    painter.setPen(colour);
    painter.translate(text.x, 0);
    painter.scale(text.squeeze, 1.0);
    DrawPieces(painter, text);
    painter.restore();
}

void PaintCellText(QPainter& painter, const Sheet& sheet, const SheetLayout& layout, CellRef cell,
                   const ReportValue& value) {
    const CellFormat& format = sheet.format(cell);
    const QColor colour = ToQColor(format.font.colour);
    if (format.wrapText && !std::holds_alternative<double>(value)) {
        for (const PlacedText& line : PlaceWrappedText(sheet, layout, cell, value, *painter.device()))
            DrawPlacedText(painter, line, colour);
        return;
    }
    DrawPlacedText(painter, PlaceCellText(sheet, layout, cell, value, *painter.device()), colour);
}

void PaintBottomRule(QPainter& painter, const QRect& cell, BorderWeight weight) {
    if (weight == BorderWeight::None) return;
    const int thickness = weight == BorderWeight::Medium ? 2 : 1;
    painter.fillRect(QRect(cell.left(), cell.bottom() + 1 - thickness, cell.width(), thickness),
                     Qt::black);
}

// The tint lets the cells' texts and rules show through; the active cell
// (its whole merge) stays clear, as where typing would go.
void PaintSelectedBlock(QPainter& painter, const SheetLayout& layout, const RangeRef& block, CellRef active,
                        const Sheet& sheet) {
    const QColor frame(33, 115, 70);
    const QRect blockRect = layout.rangeRect(block);
    const RangeRef* activeMerge = sheet.mergeHolding(active);
    const QRect activeRect = activeMerge ? layout.rangeRect(*activeMerge) : layout.cellRect(active);
    painter.save();
    painter.setClipRegion(QRegion(blockRect).subtracted(QRegion(activeRect)), Qt::IntersectClip);
    painter.fillRect(blockRect, QColor(frame.red(), frame.green(), frame.blue(), 48));
    painter.restore();
    painter.setPen(QPen(frame, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(blockRect).adjusted(1, 1, -1, -1));
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

    // Only the rows the area meets: a page's PDF must not carry the text
    // of the rows beyond its edges, hidden by the clip but found by a search.
    const int firstRow = layout.rowAt(area.top());
    const int lastRow = layout.rowAt(area.bottom());

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
        if (const RangeRef* merge = sheet.mergeHolding(cell); merge && !(merge->first == cell))
            continue;  // only the merge's first cell shows
        PaintCellText(painter, sheet, layout, cell, it->second);
    }

    for (const auto& [cell, format] : sheet.cells().cellFormats()) {
        if (cell.row < firstRow || cell.row > lastRow || cell.column > layout.lastColumn()) continue;
        PaintBottomRule(painter, layout.cellRect(cell), format.bottomBorder);
    }
    // Ruled blocks: only the rows in the area, and only where the block holds.
    const auto& cells = sheet.cells();
    for (const auto& block : cells.rangeFormats()) {
        if (block.format.bottomBorder == BorderWeight::None) continue;
        const int lastColumn = std::min(block.range.last.column, layout.lastColumn());
        for (int r = std::max(firstRow, block.range.first.row); r <= std::min(lastRow, block.range.last.row); ++r)
            for (int c = block.range.first.column; c <= lastColumn; ++c)
                if (!cells.cellFormats().count({r, c}) && cells.rangeFormatAt({r, c}) == &block.format)
                    PaintBottomRule(painter, layout.cellRect({r, c}), block.format.bottomBorder);
    }

    if (options.showSelection && options.selectedRange)
        PaintSelectedBlock(painter, layout, *options.selectedRange, options.activeCell, sheet);
    else if (options.showSelection) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(layout.cellRect(sheet.selectedCell()).adjusted(1, 1, -1, -1));
    }
    painter.restore();
}

}  // namespace tavelmark::ui
