#include "analysis/grid_commands.h"

namespace tolvane {

bool DeleteRows(ResultGrid& grid, RowsToDelete which) {
  if (grid.Count() == 0) return false;
  switch (which) {
    case RowsToDelete::kZeroBid:
      grid.RemoveIf([](const RowView& row) { return row.zero_bid; });
      break;
    case RowsToDelete::kSelected:
      grid.RemoveIf([](const RowView& row) { return row.selected; });
      break;
    case RowsToDelete::kUnchecked:
      grid.RemoveIf([](const RowView& row) { return !row.checked; });
      break;
  }
  return grid.Count() > 0;
}

}  // namespace tolvane
