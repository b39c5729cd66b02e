#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolvane::caption {

// Bytes of a caption kept inside its entry; item numbers fit whole.
inline constexpr std::size_t kInline = 16;

// A lower-cased text being looked up: its first 16 bytes as two big-endian
// words padded with zero bytes, so that comparing words orders texts as
// comparing their bytes does.
struct Key {
  std::uint64_t head0 = 0;
  std::uint64_t head1 = 0;
  // The index's hash of the text, made with the key so that it can be made
  // away from the index, ahead of the lookup.
  std::uint64_t hash = 0;
  std::string lowered;
};

// A caption in the index: the same two words, and where the bytes after the
// first 16 lie in the index's tail store.
struct Entry {
  std::uint64_t head0 = 0;
  std::uint64_t head1 = 0;
  std::uint64_t tail_offset = 0;
  std::uint32_t size = 0;
  std::uint32_t id = 0;
};

// Letter case aside: only A to Z fold, as in the grid's caption search.
Key MakeKey(std::string_view text);

// The hash of a lower-cased text from its head words, its size and the
// bytes after its first 16.
std::uint64_t Hash(std::uint64_t head0, std::uint64_t head1, std::size_t size,
                   std::string_view tail);

// Reads entries against the tail store they point into.
class EntryReader {
 public:
  explicit EntryReader(const std::string& tails) : tails_(&tails) {}

  std::string_view Tail(const Entry& entry) const;
  // Negative, 0 or positive as the entry sorts before, with or after.
  int Compare(const Entry& entry, const Key& key) const;
  int Compare(const Entry& a, const Entry& b) const;
  bool Equals(const Entry& entry, const Key& key) const;
  bool StartsWith(const Entry& entry, const Key& key) const;

 private:
  const std::string* tails_;
};

}  // namespace tolvane::caption
