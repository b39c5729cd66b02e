#include "analysis/price_filter.h"

#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {

std::optional<double> FilterBound(const std::string& text,
                                  const RegionalSettings& settings) {
  double value = 0;
  if (!TryStrToFloat(TessikGlo::CleanPrice(text), settings, value)) {
    return std::nullopt;
  }
  return value;
}

std::size_t UncheckOutside(ResultGrid& grid, double low, double high) {
  return grid.UncheckIf([low, high](const RowView& row) {
    return row.price64 > high || row.price64 < low;
  });
}

}  // namespace tolvane
