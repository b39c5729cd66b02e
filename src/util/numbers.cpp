#include "util/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "util/error.h"

namespace tolvane {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// "d.ddddddddddddddde+xx": the value correctly rounded to 15 significant
// digits, as printf's "%.14e" writes it but several times faster; the
// summary formats figures after every added row.
void Scientific15(double value, char (&buffer)[64]) {
  const auto result = std::to_chars(buffer, buffer + sizeof buffer - 1, value,
                                    std::chars_format::scientific, 14);
  *result.ptr = '\0';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A finite value as decimal digits after rounding: first to 15 significant
// digits, then half away from zero to `decimals` places.
struct Decimal {
  bool negative = false;
  std::string integer;   // at least "0"
  std::string fraction;  // exactly `decimals` digits
};

Decimal ToDecimal(double value, int decimals) {
  Decimal out;
  out.negative = std::signbit(value);
  value = std::fabs(value);
  // digits d0.d1...d14 and a power of ten
  char buffer[64];
  Scientific15(value, buffer);
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (IsDigit(*p)) digits.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);
  // digit i stands for 10^(exponent - i); keep the places down to
  // 10^-decimals, rounding on the next one.
  const int keep = exponent + 1 + decimals;  // digits before the cut
  std::string kept;
  bool round_up = false;
  if (keep < 0) {
    kept = "";
  } else if (keep >= static_cast<int>(digits.size())) {
    kept = digits + std::string(keep - digits.size(), '0');
  } else {
    kept = digits.substr(0, keep);
    round_up = digits[keep] >= '5';
  }
  int point = exponent + 1;  // digits of kept before the decimal point
  if (round_up) {
    int i = static_cast<int>(kept.size()) - 1;
    for (; i >= 0; --i) {
      if (kept[i] == '9') {
        kept[i] = '0';
      } else {
        ++kept[i];
        break;
      }
    }
    if (i < 0) {
      kept.insert(kept.begin(), '1');
      ++point;
    }
  }
  // kept now holds the digits from 10^(point-1) down to 10^-decimals.
  if (point <= 0) {
    kept.insert(0, 1 - point, '0');
    point = 1;
  }
  out.integer = kept.substr(0, point);
  out.fraction = kept.substr(point, decimals);
  const auto first = out.integer.find_first_not_of('0');
  out.integer = first == std::string::npos ? "0" : out.integer.substr(first);
  if (out.integer == "0" &&
      out.fraction.find_first_not_of('0') == std::string::npos) {
    out.negative = false;
  }
  return out;
}

// Sums of 32-bit values can overflow to infinity; such a figure shows as
// text instead of running the digit conversion, which expects a finite value.
std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return std::signbit(value) ? "-INF" : "INF";
}

std::string Group(const std::string& integer, char separator) {
  if (separator == '\0') return integer;
  std::string out;
  const int n = static_cast<int>(integer.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out.push_back(separator);
    out.push_back(integer[i]);
  }
  return out;
}

std::string Amount(const Decimal& d, const RegionalSettings& s, bool group) {
  std::string text =
      group ? Group(d.integer, s.thousands_separator) : d.integer;
  if (!d.fraction.empty()) {
    text.push_back(s.decimal_separator);
    text += d.fraction;
  }
  return text;
}

}  // namespace

std::int32_t StrToInt(std::string_view text) {
  const auto fail = [&] {
    return Error(FormatMessage(kInvalidInteger, std::string(text)));
  };
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) throw fail();
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) throw fail();
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) throw fail();
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) throw fail();
  return static_cast<std::int32_t>(value);
}

bool TryStrToFloat(std::string_view text, const RegionalSettings& settings,
                   double& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string plain;
  std::size_t i = begin;
  if (i < end && (text[i] == '+' || text[i] == '-')) plain.push_back(text[i++]);
  int digits = 0;
  for (; i < end && IsDigit(text[i]); ++i, ++digits) plain.push_back(text[i]);
  if (i < end && text[i] == settings.decimal_separator) {
    plain.push_back('.');
    for (++i; i < end && IsDigit(text[i]); ++i, ++digits) {
      plain.push_back(text[i]);
    }
  }
  if (digits == 0) return false;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    plain.push_back('e');
    ++i;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      plain.push_back(text[i++]);
    }
    // An exponent without digits is left to the conversion to refuse.
    for (; i < end && IsDigit(text[i]); ++i) plain.push_back(text[i]);
  }
  if (i != end) return false;
  char* stop = nullptr;
  const double result = std::strtod(plain.c_str(), &stop);
  if (stop != plain.c_str() + plain.size() || !std::isfinite(result)) {
    return false;
  }
  value = result;
  return true;
}

double StrToFloat(std::string_view text, const RegionalSettings& settings) {
  double value = 0;
  if (!TryStrToFloat(text, settings, value)) {
    throw Error(FormatMessage(kInvalidFloat, std::string(text)));
  }
  return value;
}

std::string FormatCurrency(double value, const RegionalSettings& s) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal d = ToDecimal(value, 2);
  const std::string amount = Amount(d, s, true);
  const std::string& c = s.currency_symbol;
  if (!d.negative) {
    switch (s.currency_format) {
      case 1:
        return amount + c;
      case 2:
        return c + " " + amount;
      case 3:
        return amount + " " + c;
      default:
        return c + amount;
    }
  }
  switch (s.negative_currency_format) {
    case 1:
      return "-" + c + amount;
    case 2:
      return c + "-" + amount;
    case 3:
      return c + amount + "-";
    case 5:
      return "-" + amount + c;
    case 8:
      return "-" + amount + " " + c;
    case 9:
      return "-" + c + " " + amount;
    default:
      return "(" + c + amount + ")";
  }
}

std::string FormatNumber(double value, const RegionalSettings& s) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal d = ToDecimal(value, 2);
  return (d.negative ? "-" : "") + Amount(d, s, true);
}

std::string FormatFixed(double value, const RegionalSettings& s) {
  if (!std::isfinite(value)) return NonFinite(value);
  const Decimal d = ToDecimal(value, 2);
  return (d.negative ? "-" : "") + Amount(d, s, false);
}

std::string FormatGeneral(double value, const RegionalSettings& s) {
  if (value == 0) return "0";
  if (!std::isfinite(value)) return NonFinite(value);
  char buffer[64];
  Scientific15(std::fabs(value), buffer);
  std::string digits;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (IsDigit(*p)) digits.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string text = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    text += digits.substr(0, 1);
    if (digits.size() > 1) {
      text.push_back(s.decimal_separator);
      text += digits.substr(1);
    }
    text += "E" + std::to_string(exponent);
    return text;
  }
  if (exponent < 0) {
    text += "0";
    text.push_back(s.decimal_separator);
    text += std::string(-exponent - 1, '0') + digits;
    return text;
  }
  const auto whole = static_cast<std::size_t>(exponent + 1);
  if (digits.size() <= whole) {
    text += digits + std::string(whole - digits.size(), '0');
  } else {
    text += digits.substr(0, whole);
    text.push_back(s.decimal_separator);
    text += digits.substr(whole);
  }
  return text;
}

}  // namespace tolvane
