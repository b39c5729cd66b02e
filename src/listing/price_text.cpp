#include "listing/price_text.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "util/numbers.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

// Decimal digits whose value a double holds exactly, and the powers of ten
// it holds exactly: one correctly rounded division of the two then gives
// what a correctly rounding conversion of the text gives.
constexpr int kExactDigits = 15;
constexpr double kPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPowers = 22;

}  // namespace

bool PriceTextUsable(std::string_view price) {
  // Each of ".", "$", "," and " " may appear once: the first of each becomes
  // a digit, and whatever is left must be digits.
  std::string copy(price);
  TessikGlo::ReplaceFirst(copy, ".", "9");
  TessikGlo::ReplaceFirst(copy, "$", "9");
  TessikGlo::ReplaceFirst(copy, ",", "9");
  TessikGlo::ReplaceFirst(copy, " ", "9");
  return TessikGlo::IsAllDigits(copy);
}

std::optional<double> RowPrice(std::string_view price,
                               const RegionalSettings& settings) {
  double value = 0;
  if (!TryStrToFloat(TessikGlo::CleanPrice(std::string(price)), settings,
                     value)) {
    return std::nullopt;
  }
  // Statistics, icons and sorting run in 32 bits: a price beyond their range
  // would make every figure infinite.
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> AddedRowPrice(std::string_view price,
                                    const RegionalSettings& settings) {
  // A text that passes the test holds digits and at most one each of the
  // four marks; CleanPrice drops "$", "," and " ", so what converts is the
  // digits with at most one point. Anything else (a second mark, a line
  // feed, a decimal comma in the settings, many digits) takes the long way.
  std::uint64_t mantissa = 0;
  int digits = 0;    // significant digits in the mantissa
  int decimals = 0;  // digits after the point
  int marks[4] = {};
  bool point = false;
  bool any_digit = false;
  for (const char c : price) {
    if (c >= '0' && c <= '9') {
      any_digit = true;
      if (point) ++decimals;
      if (mantissa == 0 && c == '0') continue;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (++digits > kExactDigits) break;
    } else if (c == '.') {
      point = true;
      if (++marks[0] > 1) break;
    } else if (c == '$') {
      if (++marks[1] > 1) break;
    } else if (c == ',') {
      if (++marks[2] > 1) break;
    } else if (c == ' ') {
      if (++marks[3] > 1) break;
    } else {
      digits = kExactDigits + 1;
      break;
    }
  }
  const bool plain = digits <= kExactDigits && marks[0] <= 1 && marks[1] <= 1 &&
                     marks[2] <= 1 && marks[3] <= 1 &&
                     decimals <= kExactPowers &&
                     settings.decimal_separator == '.';
  if (!plain) {
    if (!PriceTextUsable(price)) return std::nullopt;
    return RowPrice(price, settings);
  }
  if (!any_digit) return std::nullopt;
  return static_cast<double>(mantissa) / kPowersOfTen[decimals];
}

}  // namespace tolvane
