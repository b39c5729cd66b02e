#include "listing/html_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tolvane {
namespace {

// The names of the characters U+00A0 to U+00FF, in that order.
constexpr std::string_view kLatin1Names[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar",
    "sect",   "uml",    "copy",   "ordf",   "laquo",  "not",    "shy",
    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",
    "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",
    "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",
    "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute",
    "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",
    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
    "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute",
    "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave", "uacute",
    "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

struct Named {
  std::string_view name;
  char32_t code;
};

constexpr Named kOtherNames[] = {
    {"amp", U'&'},         {"lt", U'<'},         {"gt", U'>'},
    {"quot", U'"'},        {"apos", U'\''},      {"euro", U'\u20AC'},
    {"ndash", U'\u2013'},  {"mdash", U'\u2014'}, {"lsquo", U'\u2018'},
    {"rsquo", U'\u2019'},  {"sbquo", U'\u201A'}, {"ldquo", U'\u201C'},
    {"rdquo", U'\u201D'},  {"bdquo", U'\u201E'}, {"bull", U'\u2022'},
    {"hellip", U'\u2026'}, {"trade", U'\u2122'},
};

// What a numeric reference to U+0080..U+009F means: the Windows-1252
// character of that byte, as browsers read it (0 where that byte is
// unassigned and the code stays as written).
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kNotAReference = 0xFFFFFFFF;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// "&#NNN;" or "&#xHH;" at the start of `text` ("&#" already seen): the
// character and the reference's length, or kNotAReference.
char32_t NumericReference(std::string_view text, std::size_t& length) {
  const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
  std::size_t at = hex ? 3 : 2;
  const std::size_t first_digit = at;
  std::uint32_t value = 0;
  for (; at < text.size(); ++at) {
    const int digit =
        hex ? HexValue(text[at]) : (IsDigit(text[at]) ? text[at] - '0' : -1);
    if (digit < 0) break;
    // Past the last code point the value stays put: it is replaced anyway.
    if (value <= 0x10FFFF) value = value * (hex ? 16 : 10) + digit;
  }
  if (at == first_digit || at >= text.size() || text[at] != ';') {
    return kNotAReference;
  }
  length = at + 1;
  if (value >= 0x80 && value <= 0x9F && kWindows1252[value - 0x80] != 0) {
    return kWindows1252[value - 0x80];
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    return kReplacement;
  }
  return value;
}

// A named reference at the start of `text`: the character and the
// reference's length, or kNotAReference.
char32_t NamedReference(std::string_view text, std::size_t& length) {
  // The longest name known here has six letters: the ";" is looked for
  // no further, so a run of "&" costs no more than its length.
  const std::size_t semicolon = text.substr(0, 8).find(';');
  if (semicolon == std::string_view::npos) return kNotAReference;
  // A name with anything but letters and digits matches none of the lists.
  const std::string_view name = text.substr(1, semicolon - 1);
  length = semicolon + 1;
  for (const Named& named : kOtherNames) {
    if (name == named.name) return named.code;
  }
  const auto* latin1 =
      std::find(std::begin(kLatin1Names), std::end(kLatin1Names), name);
  if (latin1 == std::end(kLatin1Names)) return kNotAReference;
  return static_cast<char32_t>(0xA0 + (latin1 - std::begin(kLatin1Names)));
}

}  // namespace

void AppendDecoded(std::string& out, std::string_view raw) {
  std::size_t at = 0;
  while (at < raw.size()) {
    const std::size_t amp = raw.find('&', at);
    if (amp == std::string_view::npos) {
      out.append(raw.substr(at));
      return;
    }
    out.append(raw.substr(at, amp - at));
    const std::string_view rest = raw.substr(amp);
    std::size_t length = 0;
    const char32_t code = rest.size() > 1 && rest[1] == '#'
                              ? NumericReference(rest, length)
                              : NamedReference(rest, length);
    if (code == kNotAReference) {
      out.push_back('&');
      at = amp + 1;
    } else {
      AppendUtf8(out, code);
      at = amp + length;
    }
  }
}

std::string Collapsed(std::string_view text) {
  std::string out;
  bool blank = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    std::size_t length = 0;
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
      length = 1;
    } else if (c == '\xC2' && at + 1 < text.size() && text[at + 1] == '\xA0') {
      length = 2;
    }
    if (length > 0) {
      blank = true;
      at += length - 1;
      continue;
    }
    if (blank && !out.empty()) out.push_back(' ');
    blank = false;
    out.push_back(c);
  }
  return out;
}

}  // namespace tolvane
