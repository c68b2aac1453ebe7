#pragma once
// The input sets of data/ as a user would type them into the grid, and the
// computation run on them.
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "analyses/multigroup/multigroup_analysis.h"
#include "analyses/multigroup/multigroup_input.h"
#include "model/input_grid.h"

namespace tavelmark::multigroup::test {

// data/<set>.csv (a heading row, then values; an empty field an empty cell)
// into the grid's first sheet from A1.
inline void FillGridFromCsv(model::InputGrid& grid, const std::string& set) {
    std::ifstream file(std::string(TAVELMARK_TEST_DATA) + "/" + set + ".csv");
    if (!file) throw std::runtime_error("cannot open " + set + ".csv");
    std::string line;
    for (int row = 1; std::getline(file, line); ++row) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        std::string field;
        for (int column = 1; std::getline(fields, field, ','); ++column) {
            if (field.empty()) continue;
            if (row == 1)
                grid.activeSheet().setValue(model::CellRef{row, column}, field);
            else
                grid.activeSheet().setValue(model::CellRef{row, column}, std::stod(field));
        }
    }
}

inline MultigroupInput InputOf(const std::string& set, const MultigroupOptions& options = {}) {
    model::InputGrid grid;
    FillGridFromCsv(grid, set);
    auto read = ReadMultigroupInput(grid.activeSheet(), options);
    if (auto* refusal = std::get_if<report::Refusal>(&read)) throw std::runtime_error(refusal->text);
    return std::get<MultigroupInput>(std::move(read));
}

}  // namespace tavelmark::multigroup::test
