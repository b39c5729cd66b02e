#pragma once

#include <optional>

#include "listing/result_grid.h"

namespace tolvane {

// The deviation icon of a row (0 to 5) for the average end price of the last
// icon pass; -1 before any pass. A zero-bid row shows 0 whatever its price.
int DeviationIcon(const RowView& row, std::optional<float> average);

}  // namespace tolvane
