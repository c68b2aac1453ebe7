#pragma once
// Reading and checking the potency grid.
#include <string>
#include <vector>

#include "analyses/potency/potency_data.h"
#include "analyses/potency/potency_options.h"
#include "model/input_grid.h"
#include "report/calculate.h"

namespace tavelmark::potency {

// The preparations with their dose groups and controls, or the first
// refusal: the cell checks in the Bliss window's words, then the grouping
// of the rows, then each preparation, the controls and the reference.
report::Checked<PotencyData> ReadPotencyData(const model::InputGrid& grid, const PotencyOptions& options);

// The preparations' names as column A spells them, each once, in grid order,
// without the shared controls: what a reference preparation is chosen from,
// before any check.
std::vector<std::string> PreparationNames(const model::InputGrid& grid);

}  // namespace tavelmark::potency
