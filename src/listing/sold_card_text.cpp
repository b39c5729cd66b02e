#include "listing/sold_card_text.h"

#include <cstddef>

#include "listing/html_scanner.h"

namespace tolvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsFolded(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() &&
         EqualsFolded(text.substr(0, lower.size()), lower);
}

// A day, month and year in any order, in words apart by blanks, commas or
// periods; words that are none of them are passed over.
std::optional<Date> DateOfWords(std::string_view text) {
  int day = 0;
  int month = 0;
  int year = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = at;
    while (at < text.size() && text[at] != ' ' && text[at] != ',' &&
           text[at] != '.') {
      ++at;
    }
    const std::string_view word = text.substr(start, at - start);
    ++at;
    if (word.empty()) continue;
    if (!DigitsOnly(word).empty()) {
      int& field = word.size() == 4 ? year : day;
      if (field != 0 || word.size() == 3 || word.size() > 4) {
        return std::nullopt;
      }
      for (const char c : word) field = field * 10 + (c - '0');
    } else if (const std::optional<int> named = MonthOfName(word)) {
      if (month != 0) return std::nullopt;
      month = *named;
    }
  }
  return TryEncodeDate(year, month, day);
}

}  // namespace

CardCaption ReadCardCaption(std::string_view text) {
  struct Keyword {
    const char* lower;
    CardCaption::Kind kind;
  };
  static constexpr Keyword kKeywords[] = {
      {"sold", CardCaption::Kind::kSold},
      {"verkauft", CardCaption::Kind::kSold},
      {"\xE8\xB2\xA9\xE5\xA3\xB2\xE6\xB8\x88\xE3\x81\xBF",  // 販売済み
       CardCaption::Kind::kSold},
      {"ended", CardCaption::Kind::kEnded},
      {"beendet", CardCaption::Kind::kEnded},
  };
  for (const Keyword& keyword : kKeywords) {
    const std::string_view lower = keyword.lower;
    if (StartsFolded(text, lower)) {
      return {keyword.kind, DateOfWords(text.substr(lower.size()))};
    }
  }
  return {};
}

std::optional<std::string> BidsOfText(std::string_view text) {
  std::size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  if (digits == 0) return std::nullopt;
  std::string_view rest = text.substr(digits);
  if (rest.starts_with(' ')) rest.remove_prefix(1);
  // "bids", "Gebote" and "件の入札" in UTF-8.
  if (StartsFolded(rest, "bid") || StartsFolded(rest, "gebot") ||
      rest.starts_with("\xE4\xBB\xB6\xE3\x81\xAE\xE5\x85\xA5\xE6\x9C\xAD")) {
    return std::string(text.substr(0, digits));
  }
  return std::nullopt;
}

bool IsNewListingBadge(std::string_view text) {
  return EqualsFolded(text, "new listing") ||
         EqualsFolded(text, "neues angebot");
}

bool IsFewerWordsDivider(std::string_view text) {
  if (StartsFolded(text, "results matching fewer words")) return true;
  if (!StartsFolded(text, "ergebnisse f")) return false;
  text.remove_prefix(12);
  // "ü" in UTF-8, in Windows-1252, or written out.
  for (const std::string_view u : {"\xC3\xBC", "\xFC", "ue"}) {
    if (StartsFolded(text, u)) {
      return StartsFolded(text.substr(u.size()), "r weniger suchbegriffe");
    }
  }
  return false;
}

std::string ItemOfLink(std::string_view href) {
  const std::size_t itm = href.find("/itm/");
  if (itm == std::string_view::npos) return {};
  std::string_view path = href.substr(itm + 5);
  path = path.substr(0, path.find_first_of("?#"));
  // The number is the last step of the path; older links put a title
  // before it.
  return DigitsOnly(path.substr(path.rfind('/') + 1));
}

std::string DigitsOnly(std::string_view value) {
  if (value.empty()) return {};
  for (const char c : value) {
    if (!IsDigit(c)) return {};
  }
  return std::string(value);
}

}  // namespace tolvane
