#pragma once
// The cells of one sheet: values where something was written, and formats in
// three layers as a spreadsheet keeps them (the sheet's default, whole
// columns, single cells). A cell's own format starts as a copy of the layer
// beneath it the first time it is formatted. Shared by the input grid and the
// report workbook; only their value and format records differ.
#include <map>
#include <variant>
#include <vector>

#include "model/cell_ref.h"

namespace tavelmark::model {

template <class Value, class Format>
class CellStore {
public:
    const Value& value(CellRef c) const {
        static const Value kEmpty{};
        auto it = values_.find(c);
        return it == values_.end() ? kEmpty : it->second;
    }

    // Writing an empty value removes the cell, so "used" always means "not empty".
    void setValue(CellRef c, Value v) {
        if (v.index() == 0)
            values_.erase(c);
        else
            values_[c] = std::move(v);
    }

    void clearValues(const RangeRef& r) {
        for (auto it = values_.begin(); it != values_.end();)
            it = r.contains(it->first) ? values_.erase(it) : std::next(it);
    }

    // Cut and paste of values: the source block is emptied first, so source
    // and destination may overlap.
    void moveValues(const RangeRef& source, CellRef destination) {
        std::vector<std::pair<CellRef, Value>> moved;
        for (const auto& [c, v] : values_)
            if (source.contains(c)) moved.emplace_back(c, v);
        clearValues(source);
        const int dr = destination.row - source.first.row;
        const int dc = destination.column - source.first.column;
        for (auto& [c, v] : moved) {
            CellRef to{c.row + dr, c.column + dc};
            if (to.row >= 1 && to.row <= kMaxRows && to.column >= 1 && to.column <= kMaxColumns)
                values_[to] = std::move(v);
        }
    }

    const Format& format(CellRef c) const {
        if (auto it = cellFormats_.find(c); it != cellFormats_.end()) return it->second;
        return columnFormat(c.column);
    }
    const Format& columnFormat(int column) const {
        if (auto it = columnFormats_.find(column); it != columnFormats_.end()) return it->second;
        return defaultFormat_;
    }
    const Format& defaultFormat() const { return defaultFormat_; }
    void setDefaultFormat(Format f) { defaultFormat_ = std::move(f); }

    // Applies change(Format&) to every cell of the range. Whole columns change
    // the column layer and every cell of those columns that has its own format.
    template <class Change>
    void formatRange(const RangeRef& r, Change change) {
        if (r.isWholeColumns()) {
            for (int col = r.first.column; col <= r.last.column; ++col) {
                Format f = columnFormat(col);
                change(f);
                columnFormats_[col] = std::move(f);
            }
            for (auto& [c, f] : cellFormats_)
                if (r.contains(c)) change(f);
            return;
        }
        for (int row = r.first.row; row <= r.last.row; ++row)
            for (int col = r.first.column; col <= r.last.column; ++col) {
                CellRef c{row, col};
                auto it = cellFormats_.find(c);
                if (it == cellFormats_.end()) it = cellFormats_.emplace(c, columnFormat(col)).first;
                change(it->second);
            }
    }

    // Applies change to every cell of the sheet.
    template <class Change>
    void formatAll(Change change) {
        change(defaultFormat_);
        for (auto& [col, f] : columnFormats_) change(f);
        for (auto& [c, f] : cellFormats_) change(f);
    }

    const std::map<CellRef, Value>& values() const { return values_; }
    const std::map<CellRef, Format>& cellFormats() const { return cellFormats_; }
    const std::map<int, Format>& columnFormats() const { return columnFormats_; }

    void clearAll() {
        values_.clear();
        cellFormats_.clear();
        columnFormats_.clear();
        defaultFormat_ = Format{};
    }

private:
    std::map<CellRef, Value> values_;
    std::map<CellRef, Format> cellFormats_;
    std::map<int, Format> columnFormats_;
    Format defaultFormat_{};
};

}  // namespace tavelmark::model
