#include "reports/csv_merge.h"

namespace tolvane {

void CsvMergeWalk::CutField(std::string& field, std::size_t gap) {
  const std::size_t quote = text_.find('"', at_);
  if (quote == std::string::npos) {
    field.clear();
  } else {
    field.assign(text_, at_, quote - at_);
  }
  // Cutting the field and its gap: a cut that reaches the end, or beyond,
  // leaves nothing.
  const std::size_t cut = field.size() + gap;
  const std::size_t rest = text_.size() - at_;
  at_ = cut >= rest ? text_.size() : at_ + cut;
}

void CsvMergeWalk::Next(ParsedItem& item) {
  // The record's opening quotation mark is dropped unexamined.
  if (at_ < text_.size()) ++at_;
  CutField(item.Item, 3);
  CutField(item.Description, 3);
  CutField(item.Price, 3);
  CutField(item.Bids, 3);
  CutField(item.Ended, 1);
}

std::string JoinCsvLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size();
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) text += line;
  return text;
}

}  // namespace tolvane
