#include "listing/caption_index.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace tolvane {
namespace {

using caption::Entry;
using caption::EntryReader;
using caption::Key;
using caption::kInline;

constexpr std::uint64_t kIndexMask = 0xFFFFFFFFULL;
constexpr std::size_t kFirstCapacity = 16;

// At most three slots in four are in use: probes stay short (mostly within
// one cache line), and a large file's table takes far less room than at
// half full, room whose first touches cost more than the probes.
bool Crowded(std::size_t entries, std::size_t slots) {
  return entries * 4 > slots * 3;
}

}  // namespace

std::uint64_t CaptionIndex::HashOf(const Entry& entry) const {
  return caption::Hash(entry.head0, entry.head1, entry.size,
                       EntryReader(tails_).Tail(entry));
}

void CaptionIndex::PlaceInTable(std::uint32_t index, std::uint64_t hash) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  while (slots_[slot] != 0) slot = (slot + 1) & mask;
  slots_[slot] = (hash & ~kIndexMask) | (std::uint64_t{index} + 1);
}

void CaptionIndex::Rehash(std::size_t capacity) {
  slots_.assign(capacity, 0);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    PlaceInTable(static_cast<std::uint32_t>(i), HashOf(entries_[i]));
  }
}

bool CaptionIndex::Contains(const Key& key) const {
  if (slots_.empty()) return false;
  const std::uint64_t hash = key.hash;
  const std::size_t mask = slots_.size() - 1;
  const EntryReader reader(tails_);
  for (std::size_t slot = hash & mask; slots_[slot] != 0;
       slot = (slot + 1) & mask) {
    const std::uint64_t value = slots_[slot];
    if ((value & ~kIndexMask) != (hash & ~kIndexMask)) continue;
    if (reader.Equals(entries_[(value & kIndexMask) - 1], key)) return true;
  }
  return false;
}

bool CaptionIndex::HasPrefix(std::string_view text) const {
  if (entries_.empty()) return false;
  if (text.empty()) return true;
  return HasPrefix(caption::MakeKey(text));
}

bool CaptionIndex::HasPrefix(const Key& key) const {
  if (entries_.empty()) return false;
  if (key.lowered.empty()) return true;
  if (key.lowered.size() >= longest_) return Contains(key);
  const EntryReader reader(tails_);
  if (!sorted_) sorted_.emplace(entries_, reader);
  return sorted_->HasPrefix(key, reader);
}

void CaptionIndex::Prefetch(const Key& key) const {
#if defined(__GNUC__)
  if (!slots_.empty())
    __builtin_prefetch(&slots_[key.hash & (slots_.size() - 1)]);
#else
  (void)key;
#endif
}

void CaptionIndex::Reserve(std::size_t count) {
  if (entries_.capacity() < entries_.size() + count) {
    // Written once in order and read rarely: ordinary pages, which a large
    // file's first touches fill far faster than large ones.
    entries_.reserve(entries_.size() + count);
  }
  std::size_t capacity = std::max(kFirstCapacity, slots_.size());
  while (Crowded(entries_.size() + count, capacity)) capacity *= 2;
  if (capacity > slots_.size()) Rehash(capacity);
}

void CaptionIndex::Insert(std::string_view caption, Id id) {
  Insert(caption::MakeKey(caption), id);
}

void CaptionIndex::Insert(const Key& key, Id id) {
  Entry entry;
  entry.head0 = key.head0;
  entry.head1 = key.head1;
  entry.size = static_cast<std::uint32_t>(key.lowered.size());
  entry.id = id;
  const std::size_t had_entries = entries_.size();
  const std::size_t had_tails = tails_.size();
  const std::uint32_t had_longest = longest_;
  try {
    if (key.lowered.size() > kInline) {
      entry.tail_offset = tails_.size();
      tails_.append(key.lowered, kInline);
    }
    entries_.push_back(entry);
    longest_ = std::max(longest_, entry.size);
    if (Crowded(entries_.size(), slots_.size())) {
      Rehash(std::max(kFirstCapacity, slots_.size() * 2));
    } else {
      PlaceInTable(static_cast<std::uint32_t>(entries_.size() - 1), key.hash);
    }
    if (sorted_) sorted_->Insert(entry, key, EntryReader(tails_));
  } catch (...) {
    // A caption that could not be added is in no part of the index. The
    // table is rebuilt at its size (no allocation); the ordering is only a
    // cache, built again when next needed.
    entries_.resize(had_entries);
    tails_.resize(had_tails);
    longest_ = had_longest;
    sorted_.reset();
    if (!slots_.empty()) Rehash(slots_.size());
    throw;
  }
}

void CaptionIndex::Remove(const std::vector<bool>& removed_ids) {
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  std::string tails;
  const EntryReader reader(tails_);
  longest_ = 0;
  for (const Entry& entry : entries_) {
    if (entry.id < removed_ids.size() && removed_ids[entry.id]) continue;
    Entry moved = entry;
    // The tails of the kept captions move up so removed ones leave no
    // garbage behind.
    if (entry.size > kInline) {
      moved.tail_offset = tails.size();
      tails.append(reader.Tail(entry));
    }
    longest_ = std::max(longest_, entry.size);
    kept.push_back(moved);
  }
  entries_ = std::move(kept);
  tails_ = std::move(tails);
  std::size_t capacity = kFirstCapacity;
  while (Crowded(entries_.size(), capacity)) capacity *= 2;
  Rehash(capacity);
  // Built again if a short text is looked up again.
  sorted_.reset();
}

void CaptionIndex::Clear() {
  entries_.clear();
  slots_.clear();
  tails_.clear();
  longest_ = 0;
  sorted_.reset();
}

}  // namespace tolvane
