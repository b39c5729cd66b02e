#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// The row captions, lower-cased and kept in order, for the duplicate test:
// does any caption begin with a text? Each caption carries the id its row
// was given, so rows can leave the index in one pass.
//
// Captions sit in short sorted blocks of fixed-size entries that hold the
// first 16 bytes inline (item numbers fit whole), so a lookup or an insert
// touches a few cache lines and moves a few kilobytes, not a tree of
// heap-allocated strings.
class CaptionIndex {
 public:
  using Id = std::uint32_t;

  void Insert(std::string_view caption, Id id);
  // True when some caption begins with the text, letter case aside. An
  // empty text begins every caption.
  bool HasPrefix(std::string_view text) const;
  // Drops every caption whose id is marked (ids beyond the marks stay).
  void Remove(const std::vector<bool>& removed_ids);
  void Clear();
  std::size_t Size() const { return size_; }

 private:
  static constexpr std::size_t kInline = 16;

  // A lower-cased text: its first 16 bytes as two big-endian words padded
  // with zero bytes, and where the rest lies.
  struct Entry {
    std::uint64_t head0 = 0;
    std::uint64_t head1 = 0;
    std::uint64_t tail_offset = 0;  // into tails_, the bytes after 16
    std::uint32_t size = 0;
    Id id = 0;
  };
  // A text being looked up, in the same form; its tail stays in place.
  struct Key {
    std::uint64_t head0 = 0;
    std::uint64_t head1 = 0;
    std::string lowered;
  };

  static Key MakeKey(std::string_view text);
  std::string_view Tail(const Entry& entry) const;
  // Negative, 0 or positive as the entry sorts before, with or after the key.
  int Compare(const Entry& entry, const Key& key) const;
  bool StartsWith(const Entry& entry, const Key& key) const;
  // The block where the key belongs: the last one whose first entry is not
  // after it.
  std::size_t BlockFor(const Key& key) const;
  void Rechunk(std::vector<Entry> all);

  // Where the last lookup found its text: adding a row looks its caption up
  // first, and the insert that follows reuses the place.
  struct Place {
    Key key;
    std::size_t block = 0;
    std::size_t position = 0;  // the first entry not before the key
    std::uint64_t version = 0;
  };
  // The place of the key: the first entry not before it, in its block.
  Place Locate(Key key) const;

  std::vector<std::vector<Entry>> blocks_;
  std::vector<Entry> firsts_;  // the first entry of each block
  // Their first words alone: the search over blocks mostly reads only this
  // small array, which stays in the cache.
  std::vector<std::uint64_t> first_heads_;
  std::string tails_;
  std::size_t size_ = 0;
  std::uint64_t version_ = 0;  // changes with every change of the entries
  mutable std::optional<Place> last_place_;
};

}  // namespace tolvane
