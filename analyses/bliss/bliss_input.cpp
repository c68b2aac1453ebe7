#include "analyses/bliss/bliss_input.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analyses/bliss/bliss_messages.h"

namespace tavelmark::bliss {

using model::AsNumber, model::CellRef, model::GridSheet, model::InputGrid, model::RangeRef;
using report::MessageIcon, report::Prompter, report::Refusal, report::SelectionOrder;

namespace {

using Groups = std::vector<BlissGroup>;
using CheckedGroups = report::Checked<Groups>;

// The type and count messages come with the cell already selected, the
// range message selects it afterwards.
CheckedGroups RefuseAt(CellRef cell, std::string text, const char* title, SelectionOrder order) {
    return CheckedGroups::refuse(
        Refusal{title, std::move(text), MessageIcon::Critical, RangeRef::cell(cell), order});
}

CheckedGroups TooFewGroups() {
    return CheckedGroups::refuse(Refusal{text::kHintTitle, text::kTooFewGroups, MessageIcon::Exclamation});
}

bool IsWhole(double v) { return v == std::floor(v); }

// A value counts as typed only when it is a finite number.
std::optional<double> NumberAt(const GridSheet& sheet, CellRef cell) {
    const auto v = AsNumber(sheet.value(cell));
    if (v && std::isfinite(*v)) return v;
    return std::nullopt;
}

}  // namespace

CheckedGroups ReadBlissGroups(const InputGrid& grid, double c, Prompter& prompter) {
    const GridSheet& sheet = grid.activeSheet();
    const int columns[] = {kBlissDoseColumn, kBlissSizeColumn, kBlissPositivesColumn};

    int last = 1;
    for (int column : columns) last = std::max(last, sheet.lastUsedRowUp(column, kBlissLastRow));

    for (int column : columns)
        for (int row = 2; row <= last; ++row)
            if (!NumberAt(sheet, {row, column}))
                return RefuseAt({row, column}, "本例有" + std::to_string(last - 1) + text::kTypeMismatchTail,
                                text::kTypeMismatchTitle, SelectionOrder::BeforeMessage);

    // Every column now ends in row `last`.
    if (last <= 3) return TooFewGroups();

    // First pass: positives above the group size stop; rates below the
    // background mortality leave the group out.
    std::vector<BlissGroup> kept;
    for (int row = 2; row <= last; ++row) {
        BlissGroup group;
        group.row = row;
        group.dose = *NumberAt(sheet, {row, kBlissDoseColumn});
        group.n = *NumberAt(sheet, {row, kBlissSizeColumn});
        group.positives = *NumberAt(sheet, {row, kBlissPositivesColumn});
        if (group.positives > group.n)
            return RefuseAt({row, kBlissPositivesColumn}, text::kPositivesAboveSize, text::kOutOfRangeTitle,
                            SelectionOrder::AfterMessage);
        if (group.n != 0 && group.positives / group.n < c) {
            prompter.message(text::kBelowBackground, text::kHintTitle, MessageIcon::Exclamation);
            continue;
        }
        kept.push_back(group);
    }

    // Second pass over the groups that remain.
    for (BlissGroup& group : kept) {
        const char* failure = nullptr;
        int column = 0;
        if (group.dose <= 0) {
            failure = text::kDoseNotPositive, column = kBlissDoseColumn;
        } else if (!IsWhole(group.n) || group.n <= 0) {
            failure = text::kSizeNotCount, column = kBlissSizeColumn;
        } else if (!IsWhole(group.positives) || group.positives < 0) {
            failure = text::kPositivesNotCount, column = kBlissPositivesColumn;
        }
        if (failure)
            return RefuseAt({group.row, column}, failure, text::kBadValueTitle, SelectionOrder::BeforeMessage);
        group.rate = group.positives / group.n;
    }

    if (kept.size() < 3) return TooFewGroups();
    return CheckedGroups::accept(std::move(kept));
}

}  // namespace tavelmark::bliss
