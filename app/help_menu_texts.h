#pragma once
// The texts of the references box and the about box of the help menu.
#include <string>
#include <vector>

namespace tavelmark::app {

inline constexpr const char* kReferencesTitle = "重要参考文献";
inline constexpr const char* kAboutTitle = "关于版权声明";

// Seven lines: the heading, then six numbered works indented by four spaces.
std::vector<std::string> ReferencesLines();
// The lines joined by single carriage returns, as the box shows them.
std::string ReferencesText();

// Four paragraphs; the box text separates them by one empty line.
std::vector<std::string> AboutParagraphs();
std::string AboutText();

}  // namespace tavelmark::app
