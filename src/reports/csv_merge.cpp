#include "reports/csv_merge.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tolvane {
namespace {

bool IsBreak(char c) { return c == '\n' || c == '\r'; }

// The first line break in [from, end), or with `kQuote` the first
// quotation mark or line break, or end: eight bytes at a time, a byte equal
// to one looked for leaves a zero in the word xor-ed with it, and the
// lowest zero found is the first.
template <bool kQuote>
const char* FirstStop(const char* from, const char* end) {
  const char* p = from;
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighs = 0x8080808080808080;
    const auto zeros = [](std::uint64_t word) {
      return (word - kOnes) & ~word & kHighs;
    };
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      std::uint64_t found =
          zeros(word ^ (kOnes * '\n')) | zeros(word ^ (kOnes * '\r'));
      if constexpr (kQuote) found |= zeros(word ^ (kOnes * '"'));
      if (found != 0) return p + std::countr_zero(found) / 8;
      p += 8;
    }
  }
  while (p < end && !(kQuote && *p == '"') && !IsBreak(*p)) ++p;
  return p;
}

}  // namespace

CsvMergeWalk::CsvMergeWalk(std::string text)
    : text_(std::move(text)), held_(text_.size()), bytes_read_(held_) {}

CsvMergeWalk::CsvMergeWalk(Reader reader, std::size_t chunk)
    : reader_(std::move(reader)), chunk_(std::max<std::size_t>(chunk, 1)) {}

bool CsvMergeWalk::ReadMore() {
  if (!reader_) return false;
  // What lies before the record being cut is never read again; dropping it
  // once it outweighs the rest keeps the held text short at linear cost.
  const std::size_t drop = record_;
  if (drop > 0 && drop >= held_ - drop) {
    std::memmove(text_.data(), text_.data() + drop, held_ - drop);
    held_ -= drop;
    at_ -= drop;
    record_ = 0;
    no_quote_before_ -= std::min(no_quote_before_, drop);
    for (Cut& cut : cuts_) {
      if (!cut.copied) cut.at -= std::min(cut.at, drop);
    }
  }
  if (text_.size() < held_ + chunk_) {
    text_.resize(std::max(held_ + chunk_, text_.size() * 2));
  }
  const std::size_t n = reader_(text_.data() + held_, chunk_);
  held_ += n;
  bytes_read_ += n;
  if (n == 0) reader_ = nullptr;
  return true;
}

bool CsvMergeWalk::NothingRead() {
  while (bytes_read_ == 0 && ReadMore()) {
  }
  return bytes_read_ == 0;
}

bool CsvMergeWalk::SkipBreaks() {
  for (;;) {
    while (at_ < held_ && IsBreak(text_[at_])) ++at_;
    if (at_ < held_) return true;
    if (!ReadMore()) return false;
  }
}

void CsvMergeWalk::Skip(std::size_t count) {
  // The usual gap: the next bytes are its characters, without a break.
  if (held_ - at_ >= count &&
      std::none_of(text_.data() + at_, text_.data() + at_ + count, IsBreak)) {
    at_ += count;
    return;
  }
  for (; count > 0; --count) {
    if (!SkipBreaks()) return;
    ++at_;
  }
}

bool CsvMergeWalk::AtEnd() {
  record_ = at_;
  // At most one character left: the next two, line breaks passed over.
  std::size_t ahead = 0;
  for (std::size_t found = 0; found < 2; ++ahead) {
    while (at_ + ahead == held_) {
      if (!ReadMore()) return true;
    }
    if (!IsBreak(text_[at_ + ahead])) ++found;
  }
  return false;
}

std::size_t CsvMergeWalk::NextQuote() {
  for (;;) {
    // A stretch once searched in vain is never searched again: text without
    // quotation marks would otherwise be searched to its end at every field.
    const std::size_t from = std::max(at_, no_quote_before_);
    const void* quote = std::memchr(text_.data() + from, '"', held_ - from);
    if (quote != nullptr) {
      return static_cast<std::size_t>(static_cast<const char*>(quote) -
                                      text_.data());
    }
    no_quote_before_ = held_;
    if (!ReadMore()) return std::string::npos;
  }
}

void CsvMergeWalk::CutField(std::size_t field, std::size_t gap) {
  Cut& cut = cuts_[field];
  cut = Cut{};
  // The usual field: its closing mark comes before any line break.
  if (no_quote_before_ <= at_) {
    const char* const begin = text_.data() + at_;
    const char* const stop = FirstStop<true>(begin, text_.data() + held_);
    if (stop != text_.data() + held_ && *stop == '"') {
      cut.at = at_;
      cut.size = static_cast<std::size_t>(stop - begin);
      at_ += cut.size;
      Skip(gap);
      return;
    }
  }
  const std::size_t quote = NextQuote();
  if (quote != std::string::npos) {
    std::string& copy = copies_[field];
    copy.assign(text_, at_, quote - at_);
    std::erase_if(copy, IsBreak);
    cut.copied = true;
    cut.size = copy.size();
    at_ = quote;
  }
  // Cutting the field and its gap: a cut that reaches the end, or beyond,
  // leaves nothing.
  Skip(gap);
}

std::string_view CsvMergeWalk::View(std::size_t field) const {
  const Cut& cut = cuts_[field];
  if (cut.copied) return copies_[field];
  return std::string_view(text_).substr(cut.at, cut.size);
}

bool CsvMergeWalk::CutOnLine() {
  if (no_quote_before_ > at_) return false;
  const char* const base = text_.data();
  const char* const held = base + held_;
  const char* const end = FirstStop<false>(base + at_, held);
  // Bytes not read yet cannot matter: the record is cut here only when its
  // fields and gaps all lie before the line's end or the last byte held.
  static constexpr std::size_t kGaps[] = {3, 3, 3, 3, 1};
  const char* at = base + at_;
  for (std::size_t field = 0; field < 5; ++field) {
    const auto* quote = static_cast<const char*>(
        std::memchr(at, '"', static_cast<std::size_t>(end - at)));
    if (quote == nullptr) return false;
    cuts_[field] = {static_cast<std::size_t>(at - base),
                    static_cast<std::size_t>(quote - at), false};
    at = quote + kGaps[field];
    if (at > end) return false;
  }
  at_ = static_cast<std::size_t>(at - base);
  return true;
}

void CsvMergeWalk::Next(CsvMergeRecord& record) {
  record_ = at_;
  // The record's opening quotation mark is dropped unexamined.
  if (SkipBreaks()) ++at_;
  if (!CutOnLine()) {
    CutField(0, 3);
    CutField(1, 3);
    CutField(2, 3);
    CutField(3, 3);
    CutField(4, 1);
  }
  record = {View(0), View(1), View(2), View(3), View(4)};
}

void CsvMergeWalk::Next(ParsedItem& item) {
  CsvMergeRecord record;
  Next(record);
  item.Item.assign(record.item);
  item.Description.assign(record.description);
  item.Price.assign(record.price);
  item.Bids.assign(record.bids);
  item.Ended.assign(record.ended);
}

}  // namespace tolvane
