#include "model/wrapped_text.h"

#include <algorithm>
#include <cmath>

namespace tavelmark::model {

namespace {

// The standard font the column-width unit is counted in, in points.
constexpr double kStandardFontPoints = 11;
// Between the columns of a merge: the cell padding of 5 pixels, in 7-pixel characters.
constexpr double kPaddingCharacters = 5.0 / 7.0;

// One character of the text: its bytes and what the line breaking needs to know.
struct Character {
    std::size_t begin = 0, end = 0;
    char32_t code = 0;
    int units = 1;
};

// East Asian wide and full-width characters (Unicode's East Asian Width W and F).
bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsSpace(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }

// Punctuation that closes what comes before it, and may not start a line.
bool IsClosing(char32_t c) {
    static constexpr std::u32string_view kClosing = U")]},.;:!?%、。，；：！？）】》」』〉］｝％”’";
    return kClosing.find(c) != std::u32string_view::npos;
}

// Punctuation that opens what comes after it, and may not end a line.
bool IsOpening(char32_t c) {
    static constexpr std::u32string_view kOpening = U"([{（【《「『〈［｛“‘";
    return kOpening.find(c) != std::u32string_view::npos;
}

// The text as characters; a malformed byte counts as one narrow character.
std::vector<Character> Characters(std::string_view text) {
    std::vector<Character> characters;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
        std::size_t end = i + 1;
        for (; end < std::min(text.size(), i + length); ++end) {
            const auto next = static_cast<unsigned char>(text[end]);
            if ((next & 0xC0) != 0x80) break;
            code = (code << 6) | (next & 0x3F);
        }
        if (end - i != length) code = lead;  // cut short
        characters.push_back({i, end, code, IsWide(code) ? 2 : 1});
        i = end;
    }
    return characters;
}

// Whether a line may start at characters[i] (i > 0, within one paragraph).
bool MayBreakBefore(const std::vector<Character>& characters, std::size_t i) {
    const char32_t before = characters[i - 1].code, here = characters[i].code;
    if (IsSpace(here) || IsClosing(here) || IsOpening(before)) return false;
    if (IsSpace(before)) return true;
    return characters[i].units == 2 || characters[i - 1].units == 2;
}

// Wraps characters [first, last) of one paragraph into `lines`.
void WrapParagraph(const std::vector<Character>& characters, std::size_t first, std::size_t last,
                   std::size_t paragraphBegin, int room, std::vector<TextLine>& lines) {
    std::size_t start = first;
    while (true) {
        int width = 0;
        std::size_t breakAt = start;  // a break found after the line's start
        std::size_t i = start;
        for (; i < last; ++i) {
            if (i > start && MayBreakBefore(characters, i)) breakAt = i;
            // Spaces hang past the end of a line; the next character must fit.
            if (!IsSpace(characters[i].code) && i > start && width + characters[i].units > room) break;
            width += characters[i].units;
        }
        const std::size_t next = i == last ? last : breakAt > start ? breakAt : i;
        std::size_t end = next;
        while (end > start && IsSpace(characters[end - 1].code)) --end;
        const std::size_t lineBegin = start < last ? characters[start].begin : paragraphBegin;
        lines.push_back({lineBegin, end > start ? characters[end - 1].end : lineBegin});
        if (next == last) return;
        start = next;
        while (start < last && IsSpace(characters[start].code)) ++start;
        if (start == last) return;
    }
}

}  // namespace

int TextWidthUnits(std::string_view utf8) {
    int units = 0;
    for (const Character& c : Characters(utf8)) units += c.units;
    return units;
}

std::vector<TextLine> WrapText(std::string_view utf8, double width) {
    const std::vector<Character> characters = Characters(utf8);
    const int room = static_cast<int>(std::floor(std::max(0.0, width) + 1e-9));
    std::vector<TextLine> lines;
    std::size_t first = 0;
    std::size_t paragraphBegin = 0;
    for (std::size_t i = 0; i <= characters.size(); ++i) {
        if (i < characters.size() && characters[i].code != U'\n') continue;
        std::size_t last = i;
        if (last > first && characters[last - 1].code == U'\r') --last;  // a CR LF ends the line as one
        WrapParagraph(characters, first, last, paragraphBegin, room, lines);
        if (i < characters.size()) paragraphBegin = characters[i].end;
        first = i + 1;
    }
    return lines;
}

double WrapWidth(const Sheet& sheet, CellRef cell) {
    RangeRef home = RangeRef::cell(cell);
    if (const RangeRef* merge = sheet.mergeHolding(cell)) home = *merge;
    double width = 0;
    for (int column = home.first.column; column <= home.last.column; ++column)
        width += sheet.columnWidth(column) + (column > home.first.column ? kPaddingCharacters : 0);
    const double points = sheet.format(cell).font.size;
    return points > kStandardFontPoints ? width * kStandardFontPoints / points : width;
}

int RowLineCount(const Sheet& sheet, int row) {
    int lines = 1;
    const auto& values = sheet.cells().values();
    for (auto it = values.lower_bound(CellRef{row, 1}); it != values.end() && it->first.row == row; ++it) {
        if (std::holds_alternative<std::monostate>(it->second) || std::holds_alternative<double>(it->second))
            continue;
        if (!sheet.format(it->first).wrapText) continue;
        // Only a merge's first cell shows, and a merge of several rows has their room.
        if (const RangeRef* merge = sheet.mergeHolding(it->first);
            merge && (merge->first != it->first || merge->rowCount() > 1))
            continue;
        const auto count = WrapText(PlainText(it->second), WrapWidth(sheet, it->first)).size();
        lines = std::max(lines, static_cast<int>(count));
    }
    return lines;
}

double WrappedLinePoints(double fontPoints) {
    constexpr double kPixelsPerPoint = 96.0 / 72.0;
    return std::ceil(1.45 * fontPoints * kPixelsPerPoint - 1e-9) / kPixelsPerPoint;
}

}  // namespace tavelmark::model
