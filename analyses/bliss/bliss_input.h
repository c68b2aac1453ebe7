#pragma once
// Reading and checking the dose groups of the Bliss input grid.
#include <optional>
#include <vector>

#include "analyses/bliss/bliss_types.h"
#include "model/input_grid.h"
#include "report/calculate.h"
#include "report/prompter.h"

namespace tavelmark::bliss {

// Grid columns of the Bliss sheet and its last data row (twelve groups).
inline constexpr int kBlissDoseColumn = 2;
inline constexpr int kBlissSizeColumn = 3;
inline constexpr int kBlissPositivesColumn = 4;
inline constexpr int kBlissLastRow = 13;

// The groups of rows 2 onwards in row order, with those whose rate is below
// the background mortality c left out (each with a warning on `prompter`).
// The first failing check refuses, naming the offending cell. Fewer than
// three groups left after the exclusions also refuse, with the
// too-few-groups message, since the fit needs k - 2 >= 1.
report::Checked<std::vector<BlissGroup>> ReadBlissGroups(const model::InputGrid& grid, double c,
                                                         report::Prompter& prompter);

}  // namespace tavelmark::bliss
