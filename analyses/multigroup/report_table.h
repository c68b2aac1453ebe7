#pragma once
// A table of the report in the house style: caption, header row, data rows,
// the three rules, one blank row after. Numbers stay numbers with a number
// format; a P value below 0.0001 is the text "<0.0001"; a figure that could
// not be computed is the reason in words.
#include <optional>
#include <string>
#include <vector>

#include "model/workbook.h"

namespace tavelmark::multigroup {

inline constexpr const char* kFigureFormat = "0.0000";
inline constexpr const char* kWholeFormat = "0";

class ReportTable {
public:
    ReportTable(model::Sheet& sheet, int row, const std::string& caption, const std::vector<std::string>& headers);

    // Starts the next data row with its label in column A.
    void row(const std::string& label);
    void text(int column, const std::string& value);
    void number(int column, double value, const char* format = kFigureFormat);
    void number(int column, std::optional<double> value, const std::string& why, const char* format = kFigureFormat);
    void probability(int column, std::optional<double> p, const std::string& why);
    // Rules drawn; the row after the blank one that follows the table.
    int finish();

    int currentRow() const { return row_; }

private:
    model::Sheet& sheet_;
    int caption_;
    int row_;
    int columns_;
};

// A P value's cell: the number with four decimals, or "<0.0001".
void WriteProbability(model::Sheet& sheet, model::CellRef cell, double p);

}  // namespace tavelmark::multigroup
