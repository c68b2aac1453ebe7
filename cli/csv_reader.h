#pragma once
// Reads a small CSV table as exported by spreadsheets: comma, tab or
// semicolon separated, quoted fields with doubled quotes, UTF-8 with or
// without BOM, or GBK as Chinese spreadsheets save it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavelmark::cli {

using CsvTable = std::vector<std::vector<std::string>>;

// The separator of the first line: tab if it has one, else whichever of
// ';' and ',' occurs more often outside quotes (',' on a tie).
char DetectSeparator(std::string_view firstLine);

// Bytes to UTF-8: strips a UTF-8 BOM; text that is not valid UTF-8 is taken
// as GBK. nullopt when it is neither.
std::optional<std::string> DecodeText(std::string_view bytes);

CsvTable ParseCsv(std::string_view text);

}  // namespace tavelmark::cli
