#include "model/workbook.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tavelmark::model {

int AutomaticSeriesColourIndex(int series) { return 25 + ((series % 8) + 8) % 8; }

Rgb PaletteColour(int index) {
    // The spreadsheet's default palette, as 0xRRGGBB.
    static constexpr std::array<std::uint32_t, 56> kPalette = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
    if (index < 1 || index > 56) return {};
    const std::uint32_t c = kPalette[static_cast<std::size_t>(index - 1)];
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
            static_cast<std::uint8_t>(c)};
}

std::string PlainText(const ReportValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* d = std::get_if<double>(&v)) {
        char buffer[32];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, *d);
        return std::string(buffer, result.ptr);
    }
    if (const auto* rich = std::get_if<RichText>(&v)) {
        std::string text;
        for (const auto& run : *rich) text += run.text;
        return text;
    }
    return {};
}

void Sheet::setValue(CellRef c, ReportValue v) {
    if (const double* number = std::get_if<double>(&v); number && !std::isfinite(*number))
        v = std::monostate{};
    cells_.setValue(c, std::move(v));
}

std::optional<std::pair<std::string, RangeRef>> ParseR1C1Reference(std::string_view text) {
    if (!text.empty() && text.front() == '=') text.remove_prefix(1);
    const auto bang = text.find('!');
    if (bang == std::string_view::npos) return std::nullopt;
    std::string sheet(text.substr(0, bang));
    if (sheet.size() >= 2 && sheet.front() == '\'' && sheet.back() == '\'')
        sheet = sheet.substr(1, sheet.size() - 2);
    std::string_view rest = text.substr(bang + 1);

    auto readCell = [](std::string_view& s) -> std::optional<CellRef> {
        auto number = [&s](char tag) -> std::optional<int> {
            if (s.empty() || (s.front() != tag && s.front() != tag + ('a' - 'A'))) return std::nullopt;
            s.remove_prefix(1);
            int n = 0;
            auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
            if (ec != std::errc() || n < 1) return std::nullopt;
            s.remove_prefix(static_cast<std::size_t>(p - s.data()));
            return n;
        };
        auto row = number('R');
        if (!row) return std::nullopt;
        auto column = number('C');
        if (!column) return std::nullopt;
        return CellRef{*row, *column};
    };
    auto first = readCell(rest);
    if (!first) return std::nullopt;
    CellRef last = *first;
    if (!rest.empty()) {
        if (rest.front() != ':') return std::nullopt;
        rest.remove_prefix(1);
        auto second = readCell(rest);
        if (!second || !rest.empty()) return std::nullopt;
        last = *second;
    }
    return std::make_pair(sheet, RangeRef{*first, last});
}

namespace {

// Counts characters, not bytes, in UTF-8 text: returns the byte offset of
// character number `characters`.
std::size_t ByteOffset(const std::string& text, int characters) {
    std::size_t i = 0;
    for (int n = 0; n < characters && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
    }
    return i;
}

}  // namespace

void Sheet::setSuperscript(CellRef c, int start, int length) {
    const std::string text = PlainText(value(c));
    if (length <= 0 || text.empty()) return;
    // Which characters are raised already (a cell may get several spans).
    std::vector<bool> raised;
    std::vector<std::string> characters;
    if (const auto* rich = std::get_if<RichText>(&value(c))) {
        for (const auto& run : *rich)
            for (std::size_t i = 0; i < run.text.size();) {
                const std::size_t next = ByteOffset(run.text.substr(i), 1) + i;
                characters.push_back(run.text.substr(i, next - i));
                raised.push_back(run.superscript);
                i = next;
            }
    } else {
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t next = ByteOffset(text.substr(i), 1) + i;
            characters.push_back(text.substr(i, next - i));
            raised.push_back(false);
            i = next;
        }
    }
    for (int k = start; k < start + length && k < static_cast<int>(raised.size()); ++k)
        if (k >= 0) raised[static_cast<std::size_t>(k)] = true;
    RichText runs;
    for (std::size_t k = 0; k < characters.size(); ++k) {
        if (runs.empty() || runs.back().superscript != raised[k])
            runs.push_back({characters[k], raised[k]});
        else
            runs.back().text += characters[k];
    }
    setValue(c, std::move(runs));
}

void Sheet::setFontSize(const RangeRef& r, double size) {
    formatRange(r, [&](CellFormat& f) { f.font.size = size; });
}
void Sheet::setFontName(const RangeRef& r, const std::string& name) {
    formatRange(r, [&](CellFormat& f) { f.font.name = name; });
}
void Sheet::setFontColour(const RangeRef& r, Rgb colour) {
    formatRange(r, [&](CellFormat& f) { f.font.colour = colour; });
}
void Sheet::setHorizontalAlignment(const RangeRef& r, HAlign a) {
    formatRange(r, [&](CellFormat& f) { f.horizontal = a; });
}
void Sheet::setVerticalAlignment(const RangeRef& r, VAlign a) {
    formatRange(r, [&](CellFormat& f) { f.vertical = a; });
}
void Sheet::setReadingOrder(const RangeRef& r, ReadingOrder o) {
    formatRange(r, [&](CellFormat& f) { f.readingOrder = o; });
}
void Sheet::setNumberFormat(const RangeRef& r, const std::string& format) {
    formatRange(r, [&](CellFormat& f) { f.numberFormat = format; });
}
void Sheet::setBottomBorder(const RangeRef& r, BorderWeight w) {
    formatRange(r, [&](CellFormat& f) { f.bottomBorder = w; });
}
void Sheet::setWrapText(const RangeRef& r, bool wrap) {
    formatRange(r, [&](CellFormat& f) { f.wrapText = wrap; });
}

const RangeRef* Sheet::mergeHolding(CellRef c) const {
    for (const RangeRef& merge : merges_)
        if (merge.contains(c)) return &merge;
    return nullptr;
}

Chart* Sheet::chart(std::string_view name) {
    for (auto& c : charts_)
        if (c.name == name) return &c;
    return nullptr;
}

CellRef Sheet::usedExtent() const {
    CellRef extent{1, 1};
    auto widen = [&extent](CellRef c) {
        extent.row = std::max(extent.row, c.row);
        extent.column = std::max(extent.column, c.column);
    };
    for (const auto& [c, v] : cells_.values()) widen(c);
    for (const auto& [c, f] : cells_.cellFormats()) widen(c);
    return extent;
}

}  // namespace tavelmark::model
