#include "listing/sorted_captions.h"

#include <algorithm>
#include <utility>

namespace tolvane::caption {
namespace {

// A block splits in two when it grows past this.
constexpr std::size_t kMaxBlock = 128;
// Blocks built from a whole list start half full.
constexpr std::size_t kFillBlock = kMaxBlock / 2;

}  // namespace

SortedCaptions::SortedCaptions(std::vector<Entry> entries,
                               const EntryReader& reader) {
  std::sort(entries.begin(), entries.end(),
            [&reader](const Entry& a, const Entry& b) {
              return reader.Compare(a, b) < 0;
            });
  for (std::size_t from = 0; from < entries.size(); from += kFillBlock) {
    const std::size_t to = std::min(entries.size(), from + kFillBlock);
    blocks_.emplace_back(entries.begin() + static_cast<long>(from),
                         entries.begin() + static_cast<long>(to));
    firsts_.push_back(entries[from]);
    first_heads_.push_back(entries[from].head0);
  }
}

std::size_t SortedCaptions::BlockFor(const Key& key,
                                     const EntryReader& reader) const {
  // Blocks whose first word is below the key's all start before it; only
  // those with the same first word need the full comparison.
  const auto heads_begin = first_heads_.begin();
  std::size_t low = static_cast<std::size_t>(
      std::lower_bound(heads_begin, first_heads_.end(), key.head0) -
      heads_begin);
  std::size_t high = static_cast<std::size_t>(
      std::upper_bound(heads_begin + static_cast<long>(low), first_heads_.end(),
                       key.head0) -
      heads_begin);
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (reader.Compare(firsts_[mid], key) <= 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low == 0 ? 0 : low - 1;
}

bool SortedCaptions::HasPrefix(const Key& key,
                               const EntryReader& reader) const {
  if (blocks_.empty()) return false;
  const std::size_t block = BlockFor(key, reader);
  const std::vector<Entry>& entries = blocks_[block];
  // The first caption not before the text is the only one that can begin
  // with it.
  const auto at = std::partition_point(
      entries.begin(), entries.end(),
      [&](const Entry& entry) { return reader.Compare(entry, key) < 0; });
  if (at != entries.end()) return reader.StartsWith(*at, key);
  if (block + 1 == blocks_.size()) return false;
  return reader.StartsWith(blocks_[block + 1].front(), key);
}

void SortedCaptions::Insert(const Entry& entry, const Key& key,
                            const EntryReader& reader) {
  if (blocks_.empty()) {
    blocks_.push_back({entry});
    firsts_.push_back(entry);
    first_heads_.push_back(entry.head0);
    return;
  }
  const std::size_t block = BlockFor(key, reader);
  std::vector<Entry>& entries = blocks_[block];
  const auto at = std::partition_point(
      entries.begin(), entries.end(),
      [&](const Entry& other) { return reader.Compare(other, key) < 0; });
  entries.insert(at, entry);
  firsts_[block] = entries.front();
  first_heads_[block] = entries.front().head0;
  if (entries.size() > kMaxBlock) {
    const auto half = entries.begin() + static_cast<long>(entries.size() / 2);
    std::vector<Entry> upper(half, entries.end());
    entries.erase(half, entries.end());
    const auto next = static_cast<long>(block) + 1;
    firsts_.insert(firsts_.begin() + next, upper.front());
    first_heads_.insert(first_heads_.begin() + next, upper.front().head0);
    blocks_.insert(blocks_.begin() + next, std::move(upper));
  }
}

}  // namespace tolvane::caption
