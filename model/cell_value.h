#pragma once
// What a grid or report cell holds: nothing, a number or a text. A number
// typed by the user comes back as a number; the analyses accept a value as a
// number only when it is one.
#include <optional>
#include <string>
#include <variant>

namespace tavelmark::model {

using CellValue = std::variant<std::monostate, double, std::string>;

inline bool IsEmpty(const CellValue& v) { return std::holds_alternative<std::monostate>(v); }
inline bool IsNumber(const CellValue& v) { return std::holds_alternative<double>(v); }
inline bool IsText(const CellValue& v) { return std::holds_alternative<std::string>(v); }
inline std::optional<double> AsNumber(const CellValue& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    return std::nullopt;
}

// Horizontal and vertical alignment shared by the grid and the report.
enum class HAlign { General, Left, Center, Right, CenterAcrossSelection };
enum class VAlign { Bottom, Center, Top };

}  // namespace tavelmark::model
