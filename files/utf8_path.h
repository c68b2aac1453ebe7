#pragma once
// File paths as the workbook model and libxlsxwriter carry them: UTF-8 text.
#include <filesystem>
#include <string>

namespace tavelmark::files {

inline std::filesystem::path Utf8Path(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace tavelmark::files
