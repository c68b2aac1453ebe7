#include "model/input_grid.h"

#include <algorithm>
#include <cctype>

namespace tavelmark::model {

double PointsToCharacterWidth(double points) {
    const double pixels = points / 0.75;
    return std::max(0.0, (pixels - 5.0) / 7.0);
}

int GridSheet::lastUsedRowUp(int column, int fromRow) const {
    for (int row = std::min(fromRow, kMaxRows); row >= 1; --row)
        if (!IsEmpty(value(CellRef{row, column}))) return row;
    return 1;
}

void GridSheet::setNumberFormat(const RangeRef& r, const std::string& format) {
    cells_.formatRange(r, [&](GridCellFormat& f) { f.numberFormat = format; });
}
void GridSheet::setFontSize(const RangeRef& r, double size) {
    cells_.formatRange(r, [&](GridCellFormat& f) { f.fontSize = size; });
}
void GridSheet::setFontName(const RangeRef& r, const std::string& name) {
    cells_.formatRange(r, [&](GridCellFormat& f) { f.fontName = name; });
}
void GridSheet::setHorizontalAlignment(const RangeRef& r, HAlign a) {
    cells_.formatRange(r, [&](GridCellFormat& f) { f.horizontal = a; });
}
void GridSheet::setVerticalAlignment(const RangeRef& r, VAlign a) {
    cells_.formatRange(r, [&](GridCellFormat& f) { f.vertical = a; });
}
void GridSheet::setBoxBorders(const RangeRef& r, int colourIndex) {
    cells_.formatRange(r, [&](GridCellFormat& f) { f.boxColourIndex = colourIndex; });
}

InputGrid::InputGrid() { reset(); }

void InputGrid::reset() {
    sheets_.clear();
    sheets_.emplace_back("Sheet1");
    active_ = 0;
    selection_ = {{1, 1}, {1, 1}};
    activeCell_ = {1, 1};
}

namespace {
bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}
}  // namespace

GridSheet* InputGrid::sheet(std::string_view name) {
    for (auto& s : sheets_)
        if (SameNameIgnoringCase(s.name(), name)) return &s;
    return nullptr;
}

const GridSheet* InputGrid::sheet(std::string_view name) const {
    return const_cast<InputGrid*>(this)->sheet(name);
}

GridSheet& InputGrid::addSheet(std::string name, bool hidden) {
    if (GridSheet* existing = sheet(name)) return *existing;
    // Adding may reallocate: the active sheet is kept by index.
    sheets_.emplace_back(std::move(name), hidden);
    return sheets_.back();
}

void InputGrid::setValue(CellRef c, CellValue v) { activeSheet().setValue(c, std::move(v)); }

void InputGrid::select(const RangeRef& r) {
    selection_ = r;
    activeCell_ = r.first;
}

void InputGrid::setActiveCell(CellRef c) {
    activeCell_ = c;
    if (!selection_.contains(c)) selection_ = RangeRef::cell(c);
}

}  // namespace tavelmark::model
