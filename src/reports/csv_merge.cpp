#include "reports/csv_merge.h"

#include <algorithm>

namespace tolvane {

bool CsvMergeWalk::ReadMore() {
  if (!reader_) return false;
  // What lies behind the offset is never read again; dropping it once it
  // outweighs the rest keeps the held text short at linear cost.
  if (at_ > 0 && at_ >= text_.size() - at_) {
    text_.erase(0, at_);
    no_quote_before_ -= std::min(no_quote_before_, at_);
    at_ = 0;
  }
  const std::size_t had = text_.size();
  text_.resize(had + chunk_);
  const std::size_t n = reader_(text_.data() + had, chunk_);
  bytes_read_ += n;
  const auto kept =
      std::remove_if(text_.begin() + static_cast<long>(had),
                     text_.begin() + static_cast<long>(had + n),
                     [](char c) { return c == '\n' || c == '\r'; });
  text_.resize(static_cast<std::size_t>(kept - text_.begin()));
  if (n == 0) reader_ = nullptr;
  return true;
}

std::size_t CsvMergeWalk::Available(std::size_t count) {
  while (text_.size() - at_ < count && ReadMore()) {
  }
  return text_.size() - at_;
}

std::size_t CsvMergeWalk::NextQuote() {
  for (;;) {
    // A stretch once searched in vain is never searched again: text without
    // quotation marks would otherwise be searched to its end at every field.
    const std::size_t quote = text_.find('"', std::max(at_, no_quote_before_));
    if (quote != std::string::npos) return quote;
    no_quote_before_ = text_.size();
    if (!ReadMore()) return std::string::npos;
  }
}

void CsvMergeWalk::CutField(std::string& field, std::size_t gap) {
  const std::size_t quote = NextQuote();
  if (quote == std::string::npos) {
    field.clear();
  } else {
    field.assign(text_, at_, quote - at_);
  }
  // Cutting the field and its gap: a cut that reaches the end, or beyond,
  // leaves nothing.
  const std::size_t cut = field.size() + gap;
  if (Available(cut + 1) <= cut) {
    while (ReadMore()) at_ = text_.size();
    at_ = text_.size();
  } else {
    at_ += cut;
  }
}

void CsvMergeWalk::Next(ParsedItem& item) {
  // The record's opening quotation mark is dropped unexamined.
  if (Available(1) > 0) ++at_;
  CutField(item.Item, 3);
  CutField(item.Description, 3);
  CutField(item.Price, 3);
  CutField(item.Bids, 3);
  CutField(item.Ended, 1);
}

}  // namespace tolvane
