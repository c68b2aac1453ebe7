#include "analyses/bliss/leading_number.h"

#include <cctype>
#include <charconv>

namespace tavelmark::bliss {

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, digits = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, digits = true;
    }
    if (!digits) return 0;
    // from_chars reads "5." and ".5" alike and ignores the process locale.
    double value = 0;
    std::from_chars(text.data() + start, text.data() + i, value);
    return value;
}

double BackgroundFraction(std::string_view percentText) { return LeadingNumber(percentText) / 100; }

}  // namespace tavelmark::bliss
