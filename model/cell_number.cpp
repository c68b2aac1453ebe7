#include "model/cell_number.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tavelmark::model {

namespace {

// U+FF01..U+FF5E are the full-width twins of ASCII 0x21..0x7E; U+3000 the
// ideographic space and U+00A0 the no-break space of pasted web tables. In
// UTF-8: EF BC 81..BF for U+FF01..U+FF3F, EF BD 80..9E for U+FF40..U+FF5E,
// E3 80 80 for U+3000, C2 A0 for U+00A0.
std::string FoldFullWidth(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD)) {
            const unsigned codePoint = 0xFF00u + ((byte(1) & 0x3u) << 6) + (byte(2) & 0x3Fu);
            if (codePoint >= 0xFF01 && codePoint <= 0xFF5E && (byte(2) & 0xC0) == 0x80) {
                ascii += static_cast<char>(codePoint - 0xFF01 + 0x21);
                i += 2;
                continue;
            }
        }
        if (i + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
            ascii += ' ';
            i += 2;
            continue;
        }
        if (i + 1 < text.size() && byte(0) == 0xC2 && byte(1) == 0xA0) {
            ascii += ' ';
            ++i;
            continue;
        }
        ascii += text[i];
    }
    return ascii;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// [+-]? (digits [. digits?] | . digits) ([eE] [+-]? digits)?
bool IsDecimalForm(std::string_view s) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        return i - start;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

}  // namespace

std::optional<double> ReadCellNumber(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    std::string_view s = folded;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    if (!IsDecimalForm(s)) return std::nullopt;
    if (s.front() == '+') s.remove_prefix(1);  // from_chars takes a minus only
    double value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    // Out of range both ways: overflow would be infinity, underflow a silent 0.
    if (error != std::errc{} || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tavelmark::model
