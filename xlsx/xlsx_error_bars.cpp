#include "xlsx/xlsx_error_bars.h"

#include <vector>

namespace tavelmark::xlsx {

using model::Chart, model::ChartSeries, model::RangeRef, model::Sheet, model::Workbook;

namespace {

// 'Sheet name'!$B$4:$B$5, the reference form libxlsxwriter writes.
std::string AbsoluteReference(const std::string& sheetName, const RangeRef& range) {
    std::string quoted = "'";
    for (char c : sheetName) {
        quoted += c;
        if (c == '\'') quoted += c;
    }
    quoted += "'";
    auto cell = [](const model::CellRef& c) {
        return "$" + model::ColumnName(c.column) + "$" + std::to_string(c.row);
    };
    return quoted + "!" + cell(range.first) + ":" + cell(range.last);
}

// The reference written for a sheet name that needs no quotes.
std::string UnquotedReference(const std::string& sheetName, const RangeRef& range) {
    const std::string quoted = AbsoluteReference(sheetName, range);
    const std::size_t bang = quoted.find("'!");
    return sheetName + quoted.substr(bang + 1);
}

const ChartSeries* SeriesWithValues(const Workbook& model, std::string_view formula) {
    for (const Sheet& sheet : model.sheets)
        for (const Chart& chart : sheet.charts())
            for (const ChartSeries& s : chart.series) {
                if (!s.errorPlus || !s.errorMinus) continue;
                if (formula == AbsoluteReference(s.sheetName, s.yValues) ||
                    formula == UnquotedReference(s.sheetName, s.yValues))
                    return &s;
            }
    return nullptr;
}

std::string AmountsElement(const char* name, const std::string& sheetName, const RangeRef& range) {
    return std::string("<c:") + name + "><c:numRef><c:f>" + AbsoluteReference(sheetName, range) +
           "</c:f></c:numRef></c:" + name + ">";
}

// The values formula of a series part: <c:val> in a column chart, <c:yVal>
// in a scatter chart.
std::string_view ValuesFormula(std::string_view series) {
    std::size_t at = series.find("<c:yVal>");
    if (at == std::string_view::npos) at = series.find("<c:val>");
    if (at == std::string_view::npos) return {};
    const std::size_t start = series.find("<c:f>", at);
    const std::size_t end = series.find("</c:f>", start);
    if (start == std::string_view::npos || end == std::string_view::npos) return {};
    return series.substr(start + 5, end - start - 5);
}

// The fixed error bars of one series part made custom; nothing when they are
// not those of a series with amounts.
std::optional<std::string> CustomSeries(std::string_view series, const Workbook& model) {
    static constexpr std::string_view kFixed = "<c:errValType val=\"fixedVal\"/>";
    const std::size_t fixed = series.find(kFixed);
    if (fixed == std::string_view::npos) return std::nullopt;
    const ChartSeries* owner = SeriesWithValues(model, ValuesFormula(series));
    if (!owner) return std::nullopt;
    const std::size_t value = series.find("<c:val val=\"", fixed);
    const std::size_t valueEnd = value == std::string_view::npos ? value : series.find("/>", value);
    if (valueEnd == std::string_view::npos) return std::nullopt;
    // The schema's order: errValType, noEndCap, plus, minus, (val), spPr.
    std::string out(series.substr(0, fixed));
    out += "<c:errValType val=\"cust\"/><c:noEndCap val=\"0\"/>";
    out += AmountsElement("plus", owner->sheetName, *owner->errorPlus);
    out += AmountsElement("minus", owner->sheetName, *owner->errorMinus);
    out += series.substr(valueEnd + 2);
    return out;
}

}  // namespace

bool HasCustomErrorBars(const Workbook& model) {
    for (const Sheet& sheet : model.sheets)
        for (const Chart& chart : sheet.charts())
            for (const ChartSeries& s : chart.series)
                if (s.errorPlus && s.errorMinus) return true;
    return false;
}

std::optional<std::string> WithCustomErrorBars(std::string_view chartXml, const Workbook& model) {
    static constexpr std::string_view kStart = "<c:ser>", kEnd = "</c:ser>";
    std::string out;
    std::size_t copied = 0;
    bool changed = false;
    for (std::size_t pos = chartXml.find(kStart); pos != std::string_view::npos;
         pos = chartXml.find(kStart, pos)) {
        const std::size_t end = chartXml.find(kEnd, pos);
        if (end == std::string_view::npos) break;
        const std::string_view series = chartXml.substr(pos, end - pos);
        if (std::optional<std::string> custom = CustomSeries(series, model)) {
            out.append(chartXml.substr(copied, pos - copied));
            out += *custom;
            copied = end;
            changed = true;
        }
        pos = end;
    }
    if (!changed) return std::nullopt;
    out.append(chartXml.substr(copied));
    return out;
}

}  // namespace tavelmark::xlsx
