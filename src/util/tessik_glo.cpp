#include "util/tessik_glo.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "util/lines.h"

namespace tolvane {

std::string SubString(std::string_view text, int start, int count) {
  const auto length = static_cast<long long>(text.size());
  if (start < 1 || start > length || count < 0) return {};
  const auto first = static_cast<std::size_t>(start - 1);
  return std::string(text.substr(first, static_cast<std::size_t>(count)));
}

int TessikGlo::Find(std::string_view text, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > text.size()) return -1;
  const auto at = text.find(pattern);
  return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

int TessikGlo::FindPlain(std::string_view text, std::string_view pattern) {
  const auto zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  const auto zero_in_pattern = pattern.find('\0');
  if (zero_in_pattern != std::string_view::npos) {
    pattern = pattern.substr(0, zero_in_pattern);
  }
  const auto limit = static_cast<long long>(text.size()) -
                     static_cast<long long>(pattern.size());
  if (limit < 1) return -1;
  if (pattern.empty()) return 1;
  // Only starts 1 to L - N count: an occurrence ending on the last character
  // is not found.
  const auto at = text.substr(0, text.size() - 1).find(pattern);
  return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

int TessikGlo::ReplaceFirst(std::string& text, std::string_view pattern,
                            std::string_view replacement) {
  const int p = Find(text, pattern);
  if (p == -1) return -1;
  text.replace(static_cast<std::size_t>(p - 1), pattern.size(), replacement);
  return p;
}

std::string TessikGlo::ReplaceAll(std::string text, std::string_view pattern,
                                  std::string_view replacement) {
  if (pattern.size() == 1 && replacement.size() == 1) {
    for (char& c : text) {
      if (c == pattern[0]) c = replacement[0];
    }
    return text;
  }
  if (pattern.size() == 1 && replacement.empty()) {
    std::erase(text, pattern[0]);
    return text;
  }
  if (pattern.empty()) return text;
  // One left-to-right pass, which keeps the cost linear. Searching again
  // from the start after each replacement can give another text where a
  // replacement and its neighbours form the pattern anew ("abb" with "ab"
  // replaced by "a" is "ab" here, "a" that way); no caller's pattern and
  // replacement can do that, so for them the two agree.
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (;;) {
    const auto at = text.find(pattern, from);
    if (at == std::string::npos) break;
    out.append(text, from, at - from);
    out.append(replacement);
    from = at + pattern.size();
  }
  out.append(text, from);
  return out;
}

std::string TessikGlo::TailAfter(std::string_view text, int n) {
  const auto length = static_cast<long long>(text.size());
  if (n + 1LL < 1 || n + 1LL > length) return {};
  return std::string(text.substr(static_cast<std::size_t>(n)));
}

void TessikGlo::TrimAll(std::string& text) {
  auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t end = text.size();
  while (end > 0 && is_blank(text[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && is_blank(text[begin])) ++begin;
  text = text.substr(begin, end - begin);
}

bool TessikGlo::IsAllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == '\n' || c == '\0')) return false;
  }
  return true;
}

std::string TessikGlo::CleanPrice(std::string text) {
  ReplaceFirst(text, "$", "");
  ReplaceFirst(text, ",", "");
  ReplaceFirst(text, " ", "");
  return text;
}

std::string TessikGlo::MonthNumber(std::string_view name) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr",
                                            "May", "Jun", "Jul", "Aug",
                                            "Sep", "Oct", "Nov", "Dec"};
  static constexpr const char* kNumbers[] = {
      "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"};
  for (int i = 0; i < 12; ++i) {
    if (name == kMonths[i]) return kNumbers[i];
  }
  return "13";
}

std::string TessikGlo::DayName(int index) {
  static constexpr const char* kDays[] = {"SUN", "MON", "TUE", "WED",
                                          "THU", "FRI", "SAT"};
  if (index < 0 || index > 6) return "***";
  return kDays[index];
}

bool TessikGlo::LoadFile(std::vector<std::string>& list,
                         const std::string& file_name, int attempts) {
  list.clear();
  for (int attempt = 0; attempt < std::max(attempts, 1); ++attempt) {
    // A folder or a file that fails half way is as unreadable as a missing
    // one; the library's own read error never reaches the caller.
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_name, error)) continue;
    try {
      std::ifstream in(file_name, std::ios::binary);
      if (!in) continue;
      std::string bytes((std::istreambuf_iterator<char>(in)),
                        std::istreambuf_iterator<char>());
      if (in.bad()) continue;
      list = SplitLines(bytes);
    } catch (const std::exception&) {
      continue;
    }
    break;
  }
  return true;
}

std::string TessikGlo::CurrentDirectory() {
  std::error_code error;
  auto path = std::filesystem::current_path(error);
  return error ? std::string() : path.string();
}

}  // namespace tolvane
