#include "analyses/multigroup/p_text.h"

#include "format/number_text.h"

namespace tavelmark::multigroup {

std::string PText(double p) {
    if (p < kSmallestShownP) return "<0.0001";
    return format::PatternText(p, "0.0000");
}

std::string SignificanceMark(double p, const std::string& mark) {
    if (p > 0.05) return "";
    if (p <= 0.01) return mark + mark;
    return mark;
}

}  // namespace tavelmark::multigroup
