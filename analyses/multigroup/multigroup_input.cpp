#include "analyses/multigroup/multigroup_input.h"

#include <algorithm>
#include <cmath>

#include "analyses/multigroup/multigroup_texts.h"
#include "model/workbook.h"

namespace tavelmark::multigroup {

using model::CellRef, model::GridSheet, model::RangeRef;
using report::MessageIcon, report::Refusal;

namespace {

std::string HeadingOf(const GridSheet& sheet, int column) {
    const model::CellValue& v = sheet.value(CellRef{1, column});
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* d = std::get_if<double>(&v)) return model::PlainText(*d);
    return {};
}

Refusal At(const char* title, std::string text, MessageIcon icon, RangeRef where) {
    return Refusal{title, std::move(text), icon, where};
}

std::string Quoted(const std::string& name) { return "“" + name + "”"; }

}  // namespace

std::vector<std::string> MultigroupHeadings(const GridSheet& sheet) {
    std::vector<std::string> names;
    for (int column = 1; column <= kMostGroups; ++column)
        if (std::string name = HeadingOf(sheet, column); !name.empty()) names.push_back(std::move(name));
    return names;
}

int FindReference(const std::vector<std::string>& names, const std::string& asked) {
    if (!asked.empty()) {
        const auto it = std::find(names.begin(), names.end(), asked);
        return it == names.end() ? -1 : static_cast<int>(it - names.begin());
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].find("模型") != std::string::npos) return static_cast<int>(i);
    return 0;
}

std::variant<MultigroupInput, Refusal> ReadMultigroupInput(const GridSheet& sheet, const MultigroupOptions& options) {
    MultigroupInput input;
    int lastColumn = 0;
    for (int column = 1; column <= kMostGroups; ++column) {
        input.lastRows.push_back(sheet.lastUsedRowUp(column, kLastGridRow));
        if (input.lastRows.back() > 1 || !HeadingOf(sheet, column).empty()) lastColumn = column;
    }
    input.lastRows.resize(static_cast<std::size_t>(lastColumn));
    if (lastColumn < 2)
        return At(text::kTooFewGroupsTitle, text::kTooFewGroups, MessageIcon::Critical,
                  RangeRef::cell({1, lastColumn + 1}));

    for (int column = 1; column <= lastColumn; ++column) {
        input.names.push_back(HeadingOf(sheet, column));
        if (input.names.back().empty())
            return At(text::kMissingNameTitle, text::kMissingName, MessageIcon::Exclamation,
                      RangeRef::cell({1, column}));
    }
    for (int column = 1; column <= lastColumn; ++column) {
        std::vector<double>& values = input.values.emplace_back();
        for (int row = 2; row <= input.lastRows[column - 1]; ++row) {
            const auto number = model::AsNumber(sheet.value(CellRef{row, column}));
            if (!number || !std::isfinite(*number))
                return At(text::kBadCellTitle, text::kBadCell, MessageIcon::Exclamation, RangeRef::cell({row, column}));
            if (std::fabs(*number) > kLargestMagnitude)
                return At(text::kTooLargeTitle, text::kTooLarge, MessageIcon::Exclamation, RangeRef::cell({row, column}));
            values.push_back(*number);
        }
    }
    for (int column = 1; column <= lastColumn; ++column)
        if (input.values[column - 1].size() < 2)
            return At(text::kTooFewValuesTitle, Quoted(input.names[column - 1]) + "组" + text::kTooFewValuesTail,
                      MessageIcon::Critical, RangeRef::cell({input.lastRows[column - 1] + 1, column}));
    for (int column = 2; column <= lastColumn; ++column) {
        const auto earlier = input.names.begin() + (column - 1);
        if (std::find(input.names.begin(), earlier, input.names[column - 1]) != earlier)
            return At(text::kDuplicateNameTitle, Quoted(input.names[column - 1]) + text::kDuplicateNameTail,
                      MessageIcon::Exclamation, RangeRef::cell({1, column}));
    }
    const double first = input.values.front().front();
    const bool allEqual = std::all_of(input.values.begin(), input.values.end(), [first](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [first](double x) { return x == first; });
    });
    if (allEqual)
        return At(text::kNoVariationTitle, text::kNoVariation, MessageIcon::Exclamation,
                  RangeRef{{2, 1}, {*std::max_element(input.lastRows.begin(), input.lastRows.end()), lastColumn}});

    const RangeRef headings{{1, 1}, {1, lastColumn}};
    input.reference = FindReference(input.names, options.reference);
    if (input.reference < 0)
        return At(text::kReferenceTitle, text::kReferenceMissingHead + options.reference + text::kReferenceMissingTail,
                  MessageIcon::Exclamation, headings);
    if (!options.normalControl.empty()) {
        const int normal = FindReference(input.names, options.normalControl);
        if (normal < 0)
            return At(text::kReferenceTitle,
                      text::kReferenceMissingHead + options.normalControl + text::kReferenceMissingTail,
                      MessageIcon::Exclamation, headings);
        if (normal == input.reference)
            return At(text::kReferenceTitle, text::kSameReferences, MessageIcon::Exclamation,
                      RangeRef::cell({1, normal + 1}));
        input.normalControl = normal;
    }
    return input;
}

}  // namespace tavelmark::multigroup
