#include "format/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace tavelmark::format {

namespace {

// From this magnitude on, a fixed text would show more integer digits than
// the 15 a double holds reliably (and 1e299 would take 300 characters).
constexpr double kLargestFixed = 1e15;

// "1.25392437364338E+299": 15 significant digits, no trailing zeros, the
// exponent as the spreadsheet writes it.
std::string Scientific(double v) {
    char buffer[32];  // "-d.ddddddddddddddE+ddd" at most
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14).ptr;
    std::string text(buffer, end);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.') mantissa.pop_back();
    return mantissa + "E" + text.substr(e + 1);
}

std::string Fixed(double v, int decimals) {
    if (std::fabs(v) >= kLargestFixed) return Scientific(v);
    // The buffer is sized from the text itself, so no digit is ever cut off.
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, v);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, v);
    text.pop_back();
    // A value that rounds to zero prints without a minus sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

}  // namespace

std::string RoundedText(double v, int decimals) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
    std::string text = Fixed(RoundHalfEven(v, decimals), decimals);
    if (text.find('.') != std::string::npos && text.find('E') == std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

std::string SpacedText(double v, int decimals) {
    std::string text = RoundedText(v, decimals);
    if (text.rfind("0.", 0) == 0)
        text.erase(0, 1);
    else if (text.rfind("-0.", 0) == 0)
        text.erase(1, 1);
    if (text.front() != '-') text.insert(text.begin(), ' ');
    return text;
}

std::string PatternText(double v, std::string_view pattern) {
    int decimals = 0;
    if (const auto point = pattern.find('.'); point != std::string_view::npos)
        for (std::size_t i = point + 1; i < pattern.size() && pattern[i] == '0'; ++i) ++decimals;
    if (!std::isfinite(v)) return RoundedText(v, decimals);
    return Fixed(v, decimals);
}

}  // namespace tavelmark::format
