#pragma once
// Column widths of a sheet in character units: a default for every column
// and the columns given their own width.
#include <algorithm>
#include <utility>
#include <vector>

namespace tavelmark::model {

class ColumnWidths {
public:
    explicit ColumnWidths(double defaultWidth) : default_(defaultWidth) {}

    double defaultWidth() const { return default_; }
    // Like setting the width of all cells: columns set before take it too.
    void setDefault(double width) {
        default_ = width;
        for (auto& entry : own_) entry.second = width;
    }
    double width(int column) const {
        auto it = find(column);
        return it != own_.end() && it->first == column ? it->second : default_;
    }
    void set(int column, double width) {
        auto it = find(column);
        if (it != own_.end() && it->first == column)
            it->second = width;
        else
            own_.insert(it, {column, width});
    }
    // The columns with their own width, in column order.
    const std::vector<std::pair<int, double>>& own() const { return own_; }

private:
    std::vector<std::pair<int, double>>::const_iterator find(int column) const {
        return std::lower_bound(own_.begin(), own_.end(), std::make_pair(column, -1e300));
    }
    std::vector<std::pair<int, double>>::iterator find(int column) {
        return std::lower_bound(own_.begin(), own_.end(), std::make_pair(column, -1e300));
    }

    double default_;
    std::vector<std::pair<int, double>> own_;
};

}  // namespace tavelmark::model
