#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "listing/caption_text.h"

namespace tolvane::caption {

// Captions in order, for prefix lookups: short sorted blocks of fixed-size
// entries, so a lookup or an insert touches a few cache lines and moves a
// few kilobytes, not a tree of heap-allocated strings.
// The reader is handed in with every call, so the owner may move.
class SortedCaptions {
 public:
  // Takes the entries in any order.
  SortedCaptions(std::vector<Entry> entries, const EntryReader& reader);

  void Insert(const Entry& entry, const Key& key, const EntryReader& reader);
  // True when some caption begins with the key.
  bool HasPrefix(const Key& key, const EntryReader& reader) const;

 private:
  // The last block whose first entry is not after the key.
  std::size_t BlockFor(const Key& key, const EntryReader& reader) const;

  std::vector<std::vector<Entry>> blocks_;
  std::vector<Entry> firsts_;  // the first entry of each block
  // Their first words alone: the search over blocks mostly reads only this
  // small array, which stays in the cache.
  std::vector<std::uint64_t> first_heads_;
};

}  // namespace tolvane::caption
