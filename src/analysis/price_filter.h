#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "listing/result_grid.h"
#include "util/regional.h"

namespace tolvane {

inline constexpr const char* kFilterNotNumeric = "Hi/Low value not numeric.";
inline constexpr const char* kFilterErrorCaption = "Format Error";
inline constexpr const char* kHiFilterDefaultText = "999,999.99";
inline constexpr double kHiFilterDefault = 999999.99;
inline constexpr const char* kLowFilterDefaultText = "0.00";
inline constexpr double kLowFilterDefault = 0.0;

// A filter box's bound: its text cleaned like a price and converted; nothing
// when it is not a number (an empty box included).
std::optional<double> FilterBound(const std::string& text,
                                  const RegionalSettings& settings);

// Clears the check mark of every row priced below low or above high (64-bit,
// both bounds inclusive; a low above the high unchecks every row). Never
// sets a check mark. Returns how many rows it unchecked.
std::size_t UncheckOutside(ResultGrid& grid, double low, double high);

}  // namespace tolvane
