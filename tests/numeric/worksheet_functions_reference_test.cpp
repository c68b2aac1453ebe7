// Every worksheet function against the values R computed for the same
// arguments: data/reference_values.R produced data/reference_values.csv
// (R 4.2.2; mean, sd, quantile type 7, pchisq, qf, pt, qt, t.test, lm, and
// the spreadsheet's SKEW and KURT formulas written out in R).
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "numeric/worksheet_functions.h"
#include "support/reference_table.h"
#include "support/tolerance.h"

namespace tavelmark::numeric::wsf {
namespace {

struct ReferenceRow {
    std::string line;
    std::string function;
    std::vector<double> x, y;
    double a1 = 0, a2 = 0, a3 = 0;
    double expected = 0;
};

// The x and y ranges are lists separated by spaces, so the file separates its
// fields with semicolons.
std::vector<double> ParseList(const std::string& field) {
    std::vector<double> values;
    std::istringstream in(field);
    for (double v; in >> v;) values.push_back(v);
    return values;
}

// An argument the function does not take is an empty field.
double ParseNumber(const std::string& field) { return field.empty() ? 0.0 : std::stod(field); }

std::vector<ReferenceRow> LoadReferenceRows() {
    std::vector<ReferenceRow> rows;
    const auto table =
        test::ReadReferenceTable(std::string(WSF_REFERENCE_DATA) + "/reference_values.csv", ';');
    for (const test::ReferenceRow& r : table) {
        const std::string line = r.text("function") + "(" + r.text("x") + ";" + r.text("y") + ";" +
                                 r.text("a1") + ";" + r.text("a2") + ";" + r.text("a3") + ")";
        rows.push_back({line, r.text("function"), ParseList(r.text("x")), ParseList(r.text("y")),
                        ParseNumber(r.text("a1")), ParseNumber(r.text("a2")),
                        ParseNumber(r.text("a3")), r.number("expected")});
    }
    return rows;
}

using Call = std::function<std::optional<double>(const ReferenceRow&)>;

const std::map<std::string, Call>& Calls() {
    static const std::map<std::string, Call> calls = {
        {"AVERAGE", [](const ReferenceRow& r) { return Average(r.x); }},
        {"STDEV", [](const ReferenceRow& r) { return Stdev(r.x); }},
        {"MIN", [](const ReferenceRow& r) { return Min(r.x); }},
        {"MAX", [](const ReferenceRow& r) { return Max(r.x); }},
        {"MEDIAN", [](const ReferenceRow& r) { return Median(r.x); }},
        {"PERCENTILE", [](const ReferenceRow& r) { return Percentile(r.x, r.a1); }},
        {"MODE", [](const ReferenceRow& r) { return Mode(r.x); }},
        {"GEOMEAN", [](const ReferenceRow& r) { return Geomean(r.x); }},
        {"HARMEAN", [](const ReferenceRow& r) { return Harmean(r.x); }},
        {"SKEW", [](const ReferenceRow& r) { return Skew(r.x); }},
        {"KURT", [](const ReferenceRow& r) { return Kurt(r.x); }},
        {"ASIN", [](const ReferenceRow& r) { return Asin(r.a1); }},
        {"CHIDIST", [](const ReferenceRow& r) { return Chidist(r.a1, r.a2); }},
        {"FINV", [](const ReferenceRow& r) { return Finv(r.a1, r.a2, r.a3); }},
        {"TDIST",
         [](const ReferenceRow& r) { return Tdist(r.a1, r.a2, static_cast<int>(r.a3)); }},
        {"TINV", [](const ReferenceRow& r) { return Tinv(r.a1, r.a2); }},
        {"TTEST",
         [](const ReferenceRow& r) {
             return Ttest(r.x, r.y, static_cast<int>(r.a1), static_cast<int>(r.a2));
         }},
        {"SLOPE", [](const ReferenceRow& r) { return Slope(r.x, r.y); }},
        {"INTERCEPT", [](const ReferenceRow& r) { return Intercept(r.x, r.y); }},
    };
    return calls;
}

TEST(WorksheetFunctionsReference, AgreeWithR) {
    const std::vector<ReferenceRow> rows = LoadReferenceRows();
    ASSERT_FALSE(rows.empty()) << "reference_values.csv not found under " << WSF_REFERENCE_DATA;
    std::map<std::string, int> covered;
    for (const ReferenceRow& row : rows) {
        SCOPED_TRACE(row.line);
        const auto call = Calls().find(row.function);
        ASSERT_NE(call, Calls().end()) << "no call for " << row.function;
        const std::optional<double> actual = call->second(row);
        ASSERT_TRUE(actual.has_value());
        // Both sides are double-precision library code: agreement to about
        // 1e-10 relative is what two independent implementations should show
        // (quantiles by iteration are the loosest); 1e-13 absolute covers
        // results that are zero in exact arithmetic.
        EXPECT_TRUE(test::Near(*actual, row.expected, 1e-10, 1e-13));
        ++covered[row.function];
    }
    for (const auto& [name, call] : Calls()) EXPECT_GT(covered[name], 0) << name << " untested";
}

}  // namespace
}  // namespace tavelmark::numeric::wsf
