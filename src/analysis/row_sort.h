#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "listing/result_grid.h"

namespace tolvane {

// Positions of the grid's columns that sort.
inline constexpr int kBidsColumn = 2;
inline constexpr int kPriceColumn = 3;

// The grid's sort comparisons: negative when A goes before B, positive when
// after, 0 when equal for the column; d is the direction, +1 or -1.
//
// Bids: "-" (no bids) before everything else when d is +1; a text that is
// neither "-" nor all digits sorts before whatever it meets; numbers by
// value. Numbers of any length compare by their digits, so a bids text too
// long for an integer still sorts by value instead of failing.
int CompareBids(std::string_view a, std::string_view b, int d);
// Price: by the cleaned price as a 32-bit value.
int ComparePrice(float a, float b, int d);

// Told how far a sort has come, in rows out of the grid's count; false stops
// the sort.
using SortStep = std::function<bool(std::size_t done)>;

// Sort the grid's rows with the comparison above. Each row's key is read
// once; the sort is stable and safe for any comparison results. False, the
// grid untouched, when a step stopped the sort.
bool SortByBids(ResultGrid& grid, int d, const SortStep& step = nullptr);
bool SortByPrice(ResultGrid& grid, int d, const SortStep& step = nullptr);

}  // namespace tolvane
