#include "util/lines.h"

namespace tolvane {

bool LineWalker::Next(std::string_view& line) {
  if (at_ >= text_.size()) return false;
  const std::size_t end = text_.find_first_of("\r\n", at_);
  broke_ = end != std::string_view::npos;
  if (!broke_) {
    line = text_.substr(at_);
    at_ = text_.size();
    return true;
  }
  line = text_.substr(at_, end - at_);
  at_ = end + 1;
  if (text_[end] == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
  return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  LineWalker walker(text);
  for (std::string_view line; walker.Next(line);) lines.emplace_back(line);
  return lines;
}

std::vector<std::string> MemoLinesOf(std::string_view text) {
  std::vector<std::string> lines = SplitLines(text);
  if (text.empty() || text.back() == '\n' || text.back() == '\r') {
    lines.emplace_back();
  }
  return lines;
}

std::vector<std::string> MemoEntryLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) break;
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
  // Text after the last break, or an empty line after a closing break.
  lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace tolvane
