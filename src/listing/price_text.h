#pragma once

#include <optional>
#include <string_view>

#include "util/regional.h"

namespace tolvane {

// The price-text test of AddItem: digits, with at most one each of ".",
// "$", "," and " " anywhere (the first of each reads as a digit); a line
// feed or zero byte passes as a digit does. An empty text fails.
bool PriceTextUsable(std::string_view price);

// The price a row's statistics, filter and sort read: the text after
// CleanPrice, converted with the regional decimal separator. Nothing when
// it does not convert, or lies beyond the 32-bit range the statistics
// keep.
std::optional<double> RowPrice(std::string_view price,
                               const RegionalSettings& settings);

// Both at once, as AddItem takes a record: nothing when the text fails the
// test or does not convert. The usual forms ("$1,234.56", "12") are read
// in one pass over the text, to the same double the conversion gives.
std::optional<double> AddedRowPrice(std::string_view price,
                                    const RegionalSettings& settings);

}  // namespace tolvane
