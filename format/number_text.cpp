#include "format/number_text.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace tavelmark::format {

namespace {

std::string Fixed(double v, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
    std::string text(buffer);
    // A value that rounds to zero prints without a minus sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

}  // namespace

std::string RoundedText(double v, int decimals) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
    std::string text = Fixed(RoundHalfEven(v, decimals), decimals);
    if (text.find('.') != std::string::npos) {
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
