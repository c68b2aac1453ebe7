#pragma once
// The online help box of a data-entry window.
#include <string>
#include <vector>

namespace tavelmark::report {

struct HelpBox {
    std::string title;  // the analysis's name followed by "在线帮助"
    std::string text;   // lines joined by single carriage returns
};

// Joins lines with a single carriage return (13), none after the last line.
std::string JoinHelpLines(const std::vector<std::string>& lines);

}  // namespace tavelmark::report
