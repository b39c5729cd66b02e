#include "listing/caption_text.h"

#include <algorithm>
#include <functional>

namespace tolvane::caption {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

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

// -1, 0 or 1 as a is below, equal to or above b.
int Order(std::uint64_t a, std::uint64_t b) {
  if (a < b) return -1;
  if (a > b) return 1;
  return 0;
}

std::string_view KeyTail(const Key& key) {
  return key.lowered.size() > kInline
             ? std::string_view(key.lowered).substr(kInline)
             : std::string_view();
}

// Texts whose heads are equal agree on their first 16 bytes, padding aside;
// their tails decide, and when only zero bytes told the heads apart from
// padding the shorter text is a prefix of the longer and goes first.
int AfterHeads(std::string_view a_tail, std::size_t a_size,
               std::string_view b_tail, std::size_t b_size) {
  const int by_tail = a_tail.compare(b_tail);
  if (by_tail < 0) return -1;
  if (by_tail > 0) return 1;
  return Order(a_size, b_size);
}

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xBF58476D1CE4E5B9ULL;
  x ^= x >> 27;
  x *= 0x94D049BB133111EBULL;
  x ^= x >> 31;
  return x;
}

}  // namespace

std::uint64_t Hash(std::uint64_t head0, std::uint64_t head1, std::size_t size,
                   std::string_view tail) {
  std::uint64_t hash = Mix(head0 ^ Mix(head1 ^ Mix(size)));
  if (!tail.empty()) hash = Mix(hash ^ std::hash<std::string_view>{}(tail));
  return hash;
}

Key MakeKey(std::string_view text) {
  Key key;
  key.lowered.resize(text.size());
  std::transform(text.begin(), text.end(), key.lowered.begin(), Lower);
  key.head0 = Word(key.lowered, 0);
  key.head1 = Word(key.lowered, 8);
  key.hash = Hash(key.head0, key.head1, key.lowered.size(), KeyTail(key));
  return key;
}

std::string_view EntryReader::Tail(const Entry& entry) const {
  if (entry.size <= kInline) return {};
  return std::string_view(*tails_).substr(entry.tail_offset,
                                          entry.size - kInline);
}

int EntryReader::Compare(const Entry& entry, const Key& key) const {
  if (const int by = Order(entry.head0, key.head0); by != 0) return by;
  if (const int by = Order(entry.head1, key.head1); by != 0) return by;
  return AfterHeads(Tail(entry), entry.size, KeyTail(key), key.lowered.size());
}

int EntryReader::Compare(const Entry& a, const Entry& b) const {
  if (const int by = Order(a.head0, b.head0); by != 0) return by;
  if (const int by = Order(a.head1, b.head1); by != 0) return by;
  return AfterHeads(Tail(a), a.size, Tail(b), b.size);
}

bool EntryReader::Equals(const Entry& entry, const Key& key) const {
  return entry.head0 == key.head0 && entry.head1 == key.head1 &&
         entry.size == key.lowered.size() && Tail(entry) == KeyTail(key);
}

bool EntryReader::StartsWith(const Entry& entry, const Key& key) const {
  const std::size_t n = key.lowered.size();
  if (n > entry.size) return false;
  if (n <= kInline) {
    return ((entry.head0 ^ key.head0) & LeadingMask(n)) == 0 &&
           ((entry.head1 ^ key.head1) & LeadingMask(n > 8 ? n - 8 : 0)) == 0;
  }
  return entry.head0 == key.head0 && entry.head1 == key.head1 &&
         Tail(entry).starts_with(KeyTail(key));
}

}  // namespace tolvane::caption
