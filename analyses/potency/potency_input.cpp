#include "analyses/potency/potency_input.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>

#include "analyses/potency/potency_messages.h"

namespace tavelmark::potency {

using model::AsNumber, model::CellRef, model::GridSheet, model::InputGrid, model::RangeRef;
using report::MessageIcon, report::Refusal, report::SelectionOrder;

namespace {

using CheckedData = report::Checked<PotencyData>;

CheckedData RefuseAt(CellRef cell, std::string text, const char* title, SelectionOrder order,
                     MessageIcon icon = MessageIcon::Critical) {
    return CheckedData::refuse(Refusal{title, std::move(text), icon, RangeRef::cell(cell), order});
}

// A preparation's own trouble: a hint, with its name cell selected.
CheckedData RefusePreparation(const Preparation& p, std::string text) {
    return RefuseAt({p.row, kNameColumn}, std::move(text), text::kHintTitle, SelectionOrder::AfterMessage,
                    MessageIcon::Exclamation);
}

bool IsWhole(double v) { return v == std::floor(v); }

std::optional<double> NumberAt(const GridSheet& sheet, CellRef cell) {
    const auto v = AsNumber(sheet.value(cell));
    if (v && std::isfinite(*v)) return v;
    return std::nullopt;
}

// The name typed in column A, without surrounding blanks; a number names a
// preparation by its shortest text ("2" for batch 2).
std::string NameAt(const GridSheet& sheet, int row) {
    const model::CellValue& v = sheet.value(CellRef{row, kNameColumn});
    std::string name;
    if (const auto* text = std::get_if<std::string>(&v)) name = *text;
    if (const auto* number = std::get_if<double>(&v)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", *number);
        name = buffer;
    }
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

DoseGroup GroupAt(const GridSheet& sheet, int row) {
    return DoseGroup{row, *NumberAt(sheet, {row, kDoseColumn}), *NumberAt(sheet, {row, kSizeColumn}),
                     *NumberAt(sheet, {row, kPositivesColumn})};
}

// The cell checks of the Bliss window: every value a number, positives not
// above the group size, then each row's dose, size and positives.
std::optional<Refusal> CheckCells(const GridSheet& sheet, int last) {
    for (int column : {kDoseColumn, kSizeColumn, kPositivesColumn})
        for (int row = kFirstDataRow; row <= last; ++row)
            if (!NumberAt(sheet, {row, column}))
                return Refusal{text::kTypeMismatchTitle, "本例有" + std::to_string(last - 1) + text::kTypeMismatchTail,
                               MessageIcon::Critical, RangeRef::cell({row, column}), SelectionOrder::BeforeMessage};
    for (int row = kFirstDataRow; row <= last; ++row) {
        const DoseGroup g = GroupAt(sheet, row);
        if (g.positives > g.n)
            return Refusal{text::kOutOfRangeTitle, text::kPositivesAboveSize, MessageIcon::Critical,
                           RangeRef::cell({row, kPositivesColumn}), SelectionOrder::AfterMessage};
    }
    for (int row = kFirstDataRow; row <= last; ++row) {
        const DoseGroup g = GroupAt(sheet, row);
        const char* failure = nullptr;
        int column = 0;
        if (g.dose < 0) {
            failure = text::kDoseNegative, column = kDoseColumn;
        } else if (!IsWhole(g.n) || g.n <= 0) {
            failure = text::kSizeNotCount, column = kSizeColumn;
        } else if (!IsWhole(g.positives) || g.positives < 0) {
            failure = text::kPositivesNotCount, column = kPositivesColumn;
        }
        if (failure)
            return Refusal{text::kBadValueTitle, failure, MessageIcon::Critical, RangeRef::cell({row, column}),
                           SelectionOrder::BeforeMessage};
    }
    return std::nullopt;
}

// The rows in blocks: a name starts a block, an empty name continues the
// block above, 对照 rows are the shared controls wherever they stand.
CheckedData GroupRows(const GridSheet& sheet, int last) {
    PotencyData data;
    std::set<std::string> seen;
    std::string current;          // the name of the block the row belongs to
    std::string lastPreparation;  // the preparation most recently read
    for (int row = kFirstDataRow; row <= last; ++row) {
        const std::string typed = NameAt(sheet, row);
        if (!typed.empty()) current = typed;
        if (current.empty())
            return RefuseAt({row, kNameColumn}, text::kFirstNameMissing, text::kDataEntryTitle,
                            SelectionOrder::AfterMessage);
        const DoseGroup group = GroupAt(sheet, row);
        if (current == text::kControlName) {
            if (group.dose != 0)
                return RefuseAt({row, kDoseColumn}, text::kControlWithDose, text::kBadValueTitle,
                                SelectionOrder::BeforeMessage);
            data.sharedControls.push_back(group);
            continue;
        }
        if (current != lastPreparation) {
            if (seen.count(current))
                return RefuseAt({row, kNameColumn}, text::Reappears(current, row), text::kDataEntryTitle,
                                SelectionOrder::AfterMessage);
            seen.insert(current);
            data.preparations.push_back(Preparation{current, row, {}, {}});
            lastPreparation = current;
        }
        Preparation& p = data.preparations.back();
        (group.dose > 0 ? p.groups : p.controls).push_back(group);
    }
    return CheckedData::accept(std::move(data));
}

std::optional<std::string> PreparationTrouble(const Preparation& p) {
    if (p.groups.size() > static_cast<std::size_t>(kMaxDoseGroups)) return text::Preparation(p.name, text::kTooManyDoses);
    if (p.groups.size() < 3) return text::Preparation(p.name, text::kTooFewDoses);
    const bool oneDose = std::all_of(p.groups.begin(), p.groups.end(),
                                     [&](const DoseGroup& g) { return g.dose == p.groups.front().dose; });
    if (oneDose) return text::Preparation(p.name, text::kOneDose);
    const bool anyBetween = std::any_of(p.groups.begin(), p.groups.end(),
                                        [](const DoseGroup& g) { return g.positives > 0 && g.positives < g.n; });
    if (!anyBetween) return text::Preparation(p.name, text::kNoGroupBetween);
    return std::nullopt;
}

// Controls that all responded leave no room for the drug.
bool AllPositive(const std::vector<DoseGroup>& controls) {
    double n = 0, r = 0;
    for (const DoseGroup& g : controls) {
        n += g.n;
        r += g.positives;
    }
    return n > 0 && r == n;
}

}  // namespace

CheckedData ReadPotencyData(const InputGrid& grid, const PotencyOptions& options) {
    const GridSheet& sheet = grid.activeSheet();
    int last = 1;
    for (int column : {kNameColumn, kDoseColumn, kSizeColumn, kPositivesColumn})
        last = std::max(last, sheet.lastUsedRowUp(column, kLastDataRow));
    if (last < kFirstDataRow)
        return CheckedData::refuse(Refusal{text::kHintTitle, text::kTooFewPreparations, MessageIcon::Exclamation});
    if (auto refusal = CheckCells(sheet, last)) return CheckedData::refuse(std::move(*refusal));

    CheckedData grouped = GroupRows(sheet, last);
    if (!grouped.input) return grouped;
    PotencyData& data = *grouped.input;

    if (data.preparations.size() < 2)
        return CheckedData::refuse(Refusal{text::kHintTitle, text::kTooFewPreparations, MessageIcon::Exclamation});
    if (data.preparations.size() > static_cast<std::size_t>(kMaxPreparations))
        return RefusePreparation(data.preparations[kMaxPreparations], text::kTooManyPreparations);
    for (const Preparation& p : data.preparations)
        if (auto trouble = PreparationTrouble(p)) return RefusePreparation(p, *trouble);

    if (AllPositive(data.sharedControls))
        return RefuseAt({data.sharedControls.front().row, kPositivesColumn}, text::kControlsAllPositive,
                        text::kHintTitle, SelectionOrder::AfterMessage, MessageIcon::Exclamation);
    for (const Preparation& p : data.preparations)
        if (AllPositive(p.controls))
            return RefuseAt({p.controls.front().row, kPositivesColumn}, text::kControlsAllPositive, text::kHintTitle,
                            SelectionOrder::AfterMessage, MessageIcon::Exclamation);

    if (!options.reference.empty()) {
        const auto it = std::find_if(data.preparations.begin(), data.preparations.end(),
                                     [&](const Preparation& p) { return p.name == options.reference; });
        if (it == data.preparations.end())
            return CheckedData::refuse(
                Refusal{text::kHintTitle, text::ReferenceMissing(options.reference), MessageIcon::Exclamation});
        data.reference = static_cast<int>(it - data.preparations.begin());
    }
    return grouped;
}

std::vector<std::string> PreparationNames(const InputGrid& grid) {
    const GridSheet& sheet = grid.activeSheet();
    std::vector<std::string> names;
    const int last = sheet.lastUsedRowUp(kNameColumn, kLastDataRow);
    for (int row = kFirstDataRow; row <= last; ++row) {
        const std::string name = NameAt(sheet, row);
        if (!name.empty() && name != text::kControlName && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

}  // namespace tavelmark::potency
