#pragma once
// One cell of a result sheet as a test reads it: its number, or its text.
#include <optional>
#include <string>
#include <variant>

#include "model/workbook.h"

namespace tavelmark::test {

inline std::optional<double> Number(const model::Sheet& sheet, const model::CellRef& cell) {
    const auto* number = std::get_if<double>(&sheet.value(cell));
    return number ? std::optional<double>(*number) : std::nullopt;
}

inline std::optional<double> Number(const model::Sheet& sheet, int row, int column) {
    return Number(sheet, model::CellRef{row, column});
}

inline std::optional<double> Number(const model::Sheet& sheet, const char* a1) {
    const auto* number = std::get_if<double>(&sheet.value(a1));
    return number ? std::optional<double>(*number) : std::nullopt;
}

// A plain string cell's text; empty for anything else.
inline std::string Text(const model::Sheet& sheet, const char* a1) {
    const auto* text = std::get_if<std::string>(&sheet.value(a1));
    return text ? *text : std::string();
}

// The text a cell shows, rich text included.
inline std::string Text(const model::Sheet& sheet, int row, int column) {
    return model::PlainText(sheet.value(model::CellRef{row, column}));
}

}  // namespace tavelmark::test
