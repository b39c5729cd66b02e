#include "listing/caption_index.h"

#include <algorithm>
#include <utility>

namespace tolvane {
namespace {

// A block splits in two when it grows past this; small enough that an
// insert moves a few kilobytes, large enough that the block list stays short.
constexpr std::size_t kMaxBlock = 128;
// Blocks rebuilt after a removal start half full.
constexpr std::size_t kFillBlock = kMaxBlock / 2;

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes [from, from + 8) of the text as a big-endian word, zero-padded, so
// that comparing words orders texts as comparing their bytes does.
std::uint64_t Word(std::string_view text, std::size_t from) {
  std::uint64_t word = 0;
  for (std::size_t i = from; i < from + 8; ++i) {
    word <<= 8;
    if (i < text.size()) word |= static_cast<unsigned char>(text[i]);
  }
  return word;
}

// The leading `bytes` bytes (0 to 8) of a big-endian word.
std::uint64_t LeadingMask(std::size_t bytes) {
  if (bytes == 0) return 0;
  if (bytes >= 8) return ~std::uint64_t{0};
  return ~std::uint64_t{0} << (8 * (8 - bytes));
}

int Sign(std::uint64_t a, std::uint64_t b) { return a < b ? -1 : 1; }

}  // namespace

CaptionIndex::Key CaptionIndex::MakeKey(std::string_view text) {
  Key key;
  key.lowered.resize(text.size());
  std::transform(text.begin(), text.end(), key.lowered.begin(), Lower);
  key.head0 = Word(key.lowered, 0);
  key.head1 = Word(key.lowered, 8);
  return key;
}

std::string_view CaptionIndex::Tail(const Entry& entry) const {
  if (entry.size <= kInline) return {};
  return std::string_view(tails_).substr(entry.tail_offset,
                                         entry.size - kInline);
}

int CaptionIndex::Compare(const Entry& entry, const Key& key) const {
  if (entry.head0 != key.head0) return Sign(entry.head0, key.head0);
  if (entry.head1 != key.head1) return Sign(entry.head1, key.head1);
  // Equal heads: the texts agree on their first 16 bytes, padding aside.
  const std::string_view key_tail =
      key.lowered.size() > kInline
          ? std::string_view(key.lowered).substr(kInline)
          : std::string_view();
  const int by_tail = Tail(entry).compare(key_tail);
  if (by_tail != 0) return by_tail;
  // Only zero bytes told the heads apart from padding: the shorter text is a
  // prefix of the longer one and goes first.
  if (entry.size == key.lowered.size()) return 0;
  return entry.size < key.lowered.size() ? -1 : 1;
}

bool CaptionIndex::StartsWith(const Entry& entry, const Key& key) const {
  const std::size_t n = key.lowered.size();
  if (n > entry.size) return false;
  if (n <= kInline) {
    return ((entry.head0 ^ key.head0) & LeadingMask(n)) == 0 &&
           ((entry.head1 ^ key.head1) & LeadingMask(n > 8 ? n - 8 : 0)) == 0;
  }
  return entry.head0 == key.head0 && entry.head1 == key.head1 &&
         Tail(entry).starts_with(std::string_view(key.lowered).substr(kInline));
}

std::size_t CaptionIndex::BlockFor(const Key& key) const {
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
    if (Compare(firsts_[mid], key) <= 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low == 0 ? 0 : low - 1;
}

CaptionIndex::Place CaptionIndex::Locate(Key key) const {
  Place place;
  place.block = BlockFor(key);
  const std::vector<Entry>& entries = blocks_[place.block];
  place.position = static_cast<std::size_t>(
      std::partition_point(
          entries.begin(), entries.end(),
          [&](const Entry& entry) { return Compare(entry, key) < 0; }) -
      entries.begin());
  place.key = std::move(key);
  place.version = version_;
  return place;
}

bool CaptionIndex::HasPrefix(std::string_view text) const {
  if (size_ == 0) return false;
  last_place_ = Locate(MakeKey(text));
  const Place& place = *last_place_;
  // The first caption not before the text is the only one that can begin
  // with it.
  const std::vector<Entry>& entries = blocks_[place.block];
  if (place.position < entries.size()) {
    return StartsWith(entries[place.position], place.key);
  }
  if (place.block + 1 == blocks_.size()) return false;
  return StartsWith(blocks_[place.block + 1].front(), place.key);
}

void CaptionIndex::Insert(std::string_view caption, Id id) {
  Key key = MakeKey(caption);
  ++version_;
  Entry entry;
  entry.head0 = key.head0;
  entry.head1 = key.head1;
  entry.size = static_cast<std::uint32_t>(key.lowered.size());
  entry.id = id;
  if (key.lowered.size() > kInline) {
    entry.tail_offset = tails_.size();
    tails_.append(key.lowered, kInline);
  }
  ++size_;
  if (blocks_.empty()) {
    blocks_.push_back({entry});
    firsts_.push_back(entry);
    first_heads_.push_back(entry.head0);
    return;
  }
  // Before or after equal captions makes no difference to any lookup.
  const bool looked_up = last_place_ && last_place_->version + 1 == version_ &&
                         last_place_->key.lowered == key.lowered;
  const Place place = looked_up ? std::move(*last_place_) : Locate(key);
  last_place_.reset();
  const std::size_t block = place.block;
  std::vector<Entry>& entries = blocks_[block];
  entries.insert(entries.begin() + static_cast<long>(place.position), entry);
  firsts_[block] = entries.front();
  first_heads_[block] = entries.front().head0;
  if (entries.size() > kMaxBlock) {
    const auto half = entries.begin() + static_cast<long>(entries.size() / 2);
    std::vector<Entry> upper(half, entries.end());
    entries.erase(half, entries.end());
    firsts_.insert(firsts_.begin() + static_cast<long>(block) + 1,
                   upper.front());
    first_heads_.insert(first_heads_.begin() + static_cast<long>(block) + 1,
                        upper.front().head0);
    blocks_.insert(blocks_.begin() + static_cast<long>(block) + 1,
                   std::move(upper));
  }
}

void CaptionIndex::Remove(const std::vector<bool>& removed_ids) {
  ++version_;
  std::vector<Entry> kept;
  kept.reserve(size_);
  std::string tails;
  for (const std::vector<Entry>& entries : blocks_) {
    for (const Entry& entry : entries) {
      if (entry.id < removed_ids.size() && removed_ids[entry.id]) continue;
      Entry moved = entry;
      // The tails of the kept captions move up so removed ones leave no
      // garbage behind.
      if (entry.size > kInline) {
        moved.tail_offset = tails.size();
        tails.append(Tail(entry));
      }
      kept.push_back(moved);
    }
  }
  tails_ = std::move(tails);
  Rechunk(std::move(kept));
}

void CaptionIndex::Rechunk(std::vector<Entry> all) {
  blocks_.clear();
  firsts_.clear();
  first_heads_.clear();
  size_ = all.size();
  for (std::size_t from = 0; from < all.size(); from += kFillBlock) {
    const std::size_t to = std::min(all.size(), from + kFillBlock);
    blocks_.emplace_back(all.begin() + static_cast<long>(from),
                         all.begin() + static_cast<long>(to));
    firsts_.push_back(all[from]);
    first_heads_.push_back(all[from].head0);
  }
}

void CaptionIndex::Clear() {
  ++version_;
  blocks_.clear();
  firsts_.clear();
  first_heads_.clear();
  tails_.clear();
  size_ = 0;
}

}  // namespace tolvane
