#include "report/help_text.h"

namespace tavelmark::report {

std::string JoinHelpLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += '\r';
        text += lines[i];
    }
    return text;
}

}  // namespace tavelmark::report
