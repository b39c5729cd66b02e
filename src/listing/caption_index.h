#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "listing/caption_text.h"
#include "listing/sorted_captions.h"
#include "util/page_warmer.h"

namespace tolvane {

// The row captions, lower-cased, for the duplicate test: does any caption
// begin with a text? Each caption carries the id its row was given, so rows
// can leave the index in one pass.
//
// A text at least as long as every caption can only begin one by being
// equal to it, and that is a hash lookup: the usual case, item numbers of
// one length looked up by item numbers. Shorter texts need the captions in
// order; that ordering is built the first time one is looked up and kept
// from then on.
class CaptionIndex {
 public:
  using Id = std::uint32_t;

  void Insert(std::string_view caption, Id id);
  // The same with the caption's key made already.
  void Insert(const caption::Key& key, Id id);
  // Room for `count` more captions, the table included: no rehash until
  // they are in.
  void Reserve(std::size_t count);
  // Adds the room Reserve made that captions fill next.
  void RoomAhead(std::vector<MemoryRange>& ranges) const {
    ranges.push_back(RoomBeyond(entries_));
  }
  // True when some caption begins with the text, letter case aside. An
  // empty text begins every caption.
  bool HasPrefix(std::string_view text) const;
  bool HasPrefix(const caption::Key& key) const;
  // Asks the processor for the table slot a lookup of the key reads first,
  // so that lookups a few records ahead overlap their memory waits.
  void Prefetch(const caption::Key& key) const;
  // Drops every caption whose id is marked (ids beyond the marks stay).
  void Remove(const std::vector<bool>& removed_ids);
  void Clear();
  std::size_t Size() const { return entries_.size(); }

 private:
  std::uint64_t HashOf(const caption::Entry& entry) const;
  bool Contains(const caption::Key& key) const;
  void PlaceInTable(std::uint32_t index, std::uint64_t hash);
  void Rehash(std::size_t capacity);

  // In the order they came; the hash table and the ordering refer to them.
  std::vector<caption::Entry> entries_;
  // Open addressing with linear probing: the upper half of the hash and
  // the entry's index + 1; 0 is an empty slot.
  std::vector<std::uint64_t> slots_;
  std::string tails_;  // the bytes of each caption after its first 16
  std::uint32_t longest_ = 0;
  mutable std::optional<caption::SortedCaptions> sorted_;
};

}  // namespace tolvane
