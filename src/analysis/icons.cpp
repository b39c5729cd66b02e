#include "analysis/icons.h"

namespace tolvane {

int DeviationIcon(const RowView& row, std::optional<float> average) {
  if (!average) return -1;
  if (row.zero_bid) return 0;
  // With no average to compare with (no checked row, or all prices 0) every
  // row counts as on the average.
  if (*average == 0.0f) return 1;
  const float deviation = (row.price32 - *average) / *average;
  int icon = 1;
  if (deviation > 0.1f || deviation < -0.1f) icon = 2;
  if (deviation > 0.2f || deviation < -0.2f) icon = 3;
  // The negative thresholds of 4 and 5 are those of 2 and 3: a price 10 to
  // 20 percent below the average shows 4, further below shows 5.
  if (deviation > 0.3f || deviation < -0.1f) icon = 4;
  if (deviation > 0.4f || deviation < -0.2f) icon = 5;
  return icon;
}

}  // namespace tolvane
