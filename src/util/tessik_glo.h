#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The program's shared text utilities. Positions are 1-based and a search
// that finds nothing yields -1. A substring whose start lies below 1 or past
// the end, or whose count is negative, is empty; a count running past the
// end is cut there. Its services around the platform are TessikGloShell's,
// in app: the utilities sit below the platform interfaces.
class TessikGlo {
 public:
  static int Find(std::string_view text, std::string_view pattern);
  // Like Find, but the text ends at its first zero byte and an occurrence
  // that ends on the text's last character is not found.
  static int FindPlain(std::string_view text, std::string_view pattern);
  static int ReplaceFirst(std::string& text, std::string_view pattern,
                          std::string_view replacement);
  static std::string ReplaceAll(std::string text, std::string_view pattern,
                                std::string_view replacement);
  static std::string TailAfter(std::string_view text, int n);
  static void TrimAll(std::string& text);
  static bool IsAllDigits(std::string_view text);
  static std::string CleanPrice(std::string text);
  // Month name ("Jan") to its two-digit number text; "13" for anything else.
  static std::string MonthNumber(std::string_view name);
  // 0 "SUN" to 6 "SAT"; "***" for any other index.
  static std::string DayName(int index);

  // Replaces the list with the file's lines, trying up to `attempts` times
  // while the file cannot be read. Always true: a file that never becomes
  // readable leaves the list empty.
  static bool LoadFile(std::vector<std::string>& list,
                       const std::string& file_name, int attempts);

  static std::string CurrentDirectory();
};

// The substring rule shared by the utilities and the parser.
std::string SubString(std::string_view text, int start, int count);

}  // namespace tolvane
