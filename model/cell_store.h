#pragma once
// The cells of one sheet: values where something was written, and formats in
// layers as a spreadsheet keeps them (the sheet's default, whole columns,
// large blocks, single cells). A cell's own format starts as a copy of the
// layer beneath it the first time it is formatted. Shared by the input grid
// and the report workbook; only their value and format records differ.
#include <algorithm>
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
        if (const Format* block = rangeFormatAt(c)) return *block;
        return columnFormat(c.column);
    }
    // The format of the block that holds c, nullptr outside every block.
    const Format* rangeFormatAt(CellRef c) const {
        for (auto it = rangeFormats_.rbegin(); it != rangeFormats_.rend(); ++it)
            if (it->range.contains(c)) return &it->format;
        return nullptr;
    }
    const Format& columnFormat(int column) const {
        if (auto it = columnFormats_.find(column); it != columnFormats_.end()) return it->second;
        return defaultFormat_;
    }
    const Format& defaultFormat() const { return defaultFormat_; }
    void setDefaultFormat(Format f) { defaultFormat_ = std::move(f); }

    // A block of more cells than this is formatted as one range format, so
    // that a large formatted area of empty cells costs one record; smaller
    // ones (a table's rows) give each cell its own format.
    static constexpr long long kLargestCellByCellBlock = 1024;

    // Applies change(Format&) to every cell of the range. Whole columns change
    // the column layer; a large block becomes a range format; the cells of the
    // range that have their own format change with it either way.
    template <class Change>
    void formatRange(const RangeRef& r, Change change) {
        if (r.isWholeColumns()) {
            for (int col = r.first.column; col <= r.last.column; ++col) {
                Format f = columnFormat(col);
                change(f);
                columnFormats_[col] = std::move(f);
            }
            changeOwnFormats(r, change);
            changeRangeFormats(r, change);
            return;
        }
        if (static_cast<long long>(r.rowCount()) * r.columnCount() > kLargestCellByCellBlock) {
            addRangeFormat(r, change);
            return;
        }
        for (int row = r.first.row; row <= r.last.row; ++row)
            for (int col = r.first.column; col <= r.last.column; ++col) {
                CellRef c{row, col};
                auto it = cellFormats_.find(c);
                if (it == cellFormats_.end()) it = cellFormats_.emplace(c, Format(format(c))).first;
                change(it->second);
            }
    }

    // Applies change to every cell of the sheet.
    template <class Change>
    void formatAll(Change change) {
        change(defaultFormat_);
        for (auto& [col, f] : columnFormats_) change(f);
        for (auto& block : rangeFormats_) change(block.format);
        for (auto& [c, f] : cellFormats_) change(f);
    }

    const std::map<CellRef, Value>& values() const { return values_; }
    const std::map<CellRef, Format>& cellFormats() const { return cellFormats_; }
    const std::map<int, Format>& columnFormats() const { return columnFormats_; }

    // A block formatted as a whole; where blocks overlap, the later one holds.
    struct RangeFormat {
        RangeRef range;
        Format format;
    };
    const std::vector<RangeFormat>& rangeFormats() const { return rangeFormats_; }

    void clearAll() {
        values_.clear();
        cellFormats_.clear();
        columnFormats_.clear();
        rangeFormats_.clear();
        defaultFormat_ = Format{};
    }

private:
    static bool Overlap(const RangeRef& a, const RangeRef& b) {
        return a.first.row <= b.last.row && b.first.row <= a.last.row &&
               a.first.column <= b.last.column && b.first.column <= a.last.column;
    }
    static RangeRef Intersection(const RangeRef& a, const RangeRef& b) {
        return {{std::max(a.first.row, b.first.row), std::max(a.first.column, b.first.column)},
                {std::min(a.last.row, b.last.row), std::min(a.last.column, b.last.column)}};
    }
    static bool Covers(const RangeRef& outer, const RangeRef& inner) {
        return outer.contains(inner.first) && outer.contains(inner.last);
    }

    template <class Change>
    void changeOwnFormats(const RangeRef& r, Change& change) {
        for (auto it = cellFormats_.lower_bound(r.first);
             it != cellFormats_.end() && it->first.row <= r.last.row; ++it)
            if (r.contains(it->first)) change(it->second);
    }

    // The part of each earlier block inside r gets a block of its own on
    // top, with the block's format changed; a block wholly inside r is
    // changed in place.
    template <class Change>
    void changeRangeFormats(const RangeRef& r, Change& change) {
        const std::size_t earlier = rangeFormats_.size();
        for (std::size_t i = 0; i < earlier; ++i) {
            if (!Overlap(rangeFormats_[i].range, r)) continue;
            if (Covers(r, rangeFormats_[i].range)) {
                change(rangeFormats_[i].format);
                continue;
            }
            RangeFormat part{Intersection(rangeFormats_[i].range, r), rangeFormats_[i].format};
            change(part.format);
            rangeFormats_.push_back(std::move(part));
        }
    }

    // A new block over r: one range format per run of columns that share
    // their column format, then the parts of earlier blocks inside r on top
    // of it (an earlier block wholly inside r is no longer seen and goes).
    template <class Change>
    void addRangeFormat(const RangeRef& r, Change& change) {
        std::vector<RangeFormat> earlier;
        for (auto it = rangeFormats_.begin(); it != rangeFormats_.end();) {
            if (Overlap(it->range, r)) earlier.push_back(*it);
            it = Covers(r, it->range) ? rangeFormats_.erase(it) : std::next(it);
        }
        for (int first = r.first.column; first <= r.last.column;) {
            int last = first;
            while (last < r.last.column && columnFormat(last + 1) == columnFormat(first)) ++last;
            RangeFormat block{{{r.first.row, first}, {r.last.row, last}}, columnFormat(first)};
            change(block.format);
            rangeFormats_.push_back(std::move(block));
            first = last + 1;
        }
        for (RangeFormat& part : earlier) {
            part.range = Intersection(part.range, r);
            change(part.format);
            rangeFormats_.push_back(std::move(part));
        }
        changeOwnFormats(r, change);
    }

    std::map<CellRef, Value> values_;
    std::map<CellRef, Format> cellFormats_;
    std::map<int, Format> columnFormats_;
    std::vector<RangeFormat> rangeFormats_;
    Format defaultFormat_{};
};

}  // namespace tavelmark::model
