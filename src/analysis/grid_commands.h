#pragma once

#include "listing/result_grid.h"

namespace tolvane {

// The rows each delete command removes.
enum class RowsToDelete {
  kZeroBid,    // the Bids text is exactly "-"; a Bids text of 0 stays
  kSelected,   // highlighted rows
  kUnchecked,  // rows whose check box is clear
};

// Removes the matching rows in one pass; the others keep their order, check
// marks and selection. True when the summary must be recomputed: the grid
// had rows and still has some. A grid emptied by the command keeps the old
// summary on screen.
bool DeleteRows(ResultGrid& grid, RowsToDelete which);

}  // namespace tolvane
