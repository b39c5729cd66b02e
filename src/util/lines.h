#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Walks text line by line without copying it: a line ends at CR LF, at a
// lone LF or at a lone CR, as a string list loading a file splits it; a last
// line without a break still counts.
class LineWalker {
 public:
  explicit LineWalker(std::string_view text) : text_(text) {}
  // The next line, without its break; false once the text is used up.
  bool Next(std::string_view& line);
  // Whether the line Next gave ended in a break rather than at the end of
  // the text.
  bool Broke() const { return broke_; }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  bool broke_ = false;
};

// The lines of the text, split as LineWalker splits them.
std::vector<std::string> SplitLines(std::string_view text);

// The lines that a memo's Add of this text appends: the text split at its
// line breaks, and one more empty line when it ends in a break. An empty
// text is one empty line.
std::vector<std::string> MemoLinesOf(std::string_view text);

// The lines a memo holds after Add of this text: like a memo on the desktop
// the program was made for, only CR LF breaks a line; a lone line feed or
// carriage return stays inside its line, so the memo's text, saved, is the
// text added.
std::vector<std::string> MemoEntryLines(std::string_view text);

}  // namespace tolvane
