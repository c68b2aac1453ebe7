#pragma once
// Reading and checking the potency grid.
#include "analyses/potency/potency_data.h"
#include "analyses/potency/potency_options.h"
#include "model/input_grid.h"
#include "report/calculate.h"

namespace tavelmark::potency {

// The preparations with their dose groups and controls, or the first
// refusal: the cell checks in the Bliss window's words, then the grouping
// of the rows, then each preparation, the controls and the reference.
report::Checked<PotencyData> ReadPotencyData(const model::InputGrid& grid, const PotencyOptions& options);

}  // namespace tavelmark::potency
