#include "analyses/potency/potency_percent_text.h"

#include <charconv>
#include <cstdio>

#include "analyses/potency/potency_options.h"

namespace tavelmark::potency {

std::optional<double> PercentTextValue(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string_view::npos) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::vector<double>> LDkPercentList(std::string_view text) {
    // Every separator becomes a blank; the UTF-8 separators are three bytes.
    std::string plain(text);
    for (std::string_view wide : {std::string_view("，"), std::string_view("、")})
        for (auto at = plain.find(wide); at != std::string::npos; at = plain.find(wide, at))
            plain.replace(at, wide.size(), " ");
    for (char& c : plain)
        if (c == ',' || c == '\t') c = ' ';
    std::vector<double> percents;
    std::size_t start = plain.find_first_not_of(' ');
    while (start != std::string::npos) {
        const std::size_t end = plain.find(' ', start);
        const auto value = PercentTextValue(std::string_view(plain).substr(start, end - start));
        if (!value || !ValidLDkPercent(*value)) return std::nullopt;
        percents.push_back(*value);
        start = plain.find_first_not_of(' ', end);
    }
    return percents;
}

std::string LDkPercentListText(const std::vector<double>& percents) {
    std::string text;
    for (double percent : percents) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", percent);
        text += (text.empty() ? "" : ", ") + std::string(buffer);
    }
    return text;
}

}  // namespace tavelmark::potency
