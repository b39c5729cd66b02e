#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/regional.h"

namespace tolvane {

inline constexpr const char* kInvalidInteger =
    "'%s' is not a valid integer value";
inline constexpr const char* kInvalidFloat =
    "'%s' is not a valid floating point value";

// Text to a 32-bit signed integer: optional blanks, an optional sign and
// decimal digits, nothing else. Throws Error with kInvalidInteger.
std::int32_t StrToInt(std::string_view text);

// Text to a floating-point number with the regional decimal separator and no
// grouping: optional blanks, sign, digits with at most one separator, an
// optional exponent. Throws Error with kInvalidFloat.
double StrToFloat(std::string_view text, const RegionalSettings& settings);

// The same conversion as a value: false where StrToFloat would throw.
bool TryStrToFloat(std::string_view text, const RegionalSettings& settings,
                   double& value);

// Currency form: symbol and placement, grouping, two decimals; the value is
// first taken to 15 significant digits, then rounded half away from zero.
std::string FormatCurrency(double value, const RegionalSettings& settings);
// Number form: grouping and two decimals, no symbol.
std::string FormatNumber(double value, const RegionalSettings& settings);
// Fixed form: two decimals, no grouping.
std::string FormatFixed(double value, const RegionalSettings& settings);
// General form: the shortest text of at most 15 significant digits.
std::string FormatGeneral(double value, const RegionalSettings& settings);

}  // namespace tolvane
