#pragma once
// A reference CSV written by an R script: a header line, then one row per
// case, fields without quotes or embedded separators (a comma unless the file
// says otherwise); "NA" (or R's "NaN") marks an undefined figure and "Inf" an
// infinite one.
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/tolerance.h"

namespace tavelmark::test {

struct ReferenceRow {
    std::map<std::string, std::string> fields;

    const std::string& text(const std::string& column) const {
        const auto it = fields.find(column);
        if (it == fields.end()) throw std::out_of_range("no column " + column);
        return it->second;
    }
    bool isNA(const std::string& column) const {
        return text(column) == "NA" || text(column) == "NaN";
    }
    bool isInf(const std::string& column) const { return text(column) == "Inf"; }
    double number(const std::string& column) const { return std::stod(text(column)); }
};

// A failing parameterised case names its row ("set=worked_example, batch_a=1"),
// not its bytes.
inline void PrintTo(const ReferenceRow& row, std::ostream* out) {
    const char* separator = "";
    for (const char* key : {"set", "batch_a", "batch_b"}) {
        if (const auto it = row.fields.find(key); it != row.fields.end()) {
            *out << separator << key << "=" << it->second;
            separator = ", ";
        }
    }
}

inline std::vector<std::string> SplitCsvLine(const std::string& line, char separator = ',') {
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, separator)) out.push_back(field);
    if (!line.empty() && line.back() == separator) out.emplace_back();
    return out;
}

// Throws when the file is missing or a row has the wrong number of fields, so
// that a broken reference fails loudly instead of testing nothing.
inline std::vector<ReferenceRow> ReadReferenceTable(const std::string& path,
                                                    char separator = ',') {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot open " + path);
    std::string line;
    std::getline(file, line);
    const std::vector<std::string> header = SplitCsvLine(line, separator);
    std::vector<ReferenceRow> rows;
    while (std::getline(file, line)) {
        if (line.empty()) continue;
        const std::vector<std::string> fields = SplitCsvLine(line, separator);
        if (fields.size() != header.size())
            throw std::runtime_error("bad row in " + path + ": " + line);
        ReferenceRow row;
        for (std::size_t i = 0; i < header.size(); ++i) row.fields[header[i]] = fields[i];
        rows.push_back(std::move(row));
    }
    return rows;
}

// An optional figure against the reference column: NA must be empty, a number
// must be present and within `relative` (absolutely within `absolute` near 0).
inline ::testing::AssertionResult MatchesReference(std::optional<double> actual,
                                                   const ReferenceRow& row,
                                                   const std::string& column,
                                                   double relative = 1e-6,
                                                   double absolute = 1e-12) {
    if (row.isNA(column)) {
        if (!actual) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << column << ": R has NA, got " << *actual;
    }
    if (!actual)
        return ::testing::AssertionFailure()
               << column << ": R has " << row.text(column) << ", got none";
    return Near(*actual, row.number(column), relative, absolute) << " in " << column;
}

}  // namespace tavelmark::test
