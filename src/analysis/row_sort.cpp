#include "analysis/row_sort.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "analysis/merge_sort.h"
#include "util/tessik_glo.h"

namespace tolvane {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The sort key of a Bids text, read once per row.
struct BidsKey {
  enum Kind : std::uint8_t { kNoBids, kNumber, kOther };
  Kind kind = kOther;
  // Digits after leading zeros; the digit test lets line feeds and zero
  // bytes through, and they carry no digits.
  std::uint32_t digits = 0;
  std::uint64_t value = 0;  // exact while digits <= kExactDigits
};

constexpr std::uint32_t kExactDigits = 19;

BidsKey KeyOf(std::string_view bids) {
  BidsKey key;
  if (bids == "-") {
    key.kind = BidsKey::kNoBids;
    return key;
  }
  if (!TessikGlo::IsAllDigits(bids)) return key;
  key.kind = BidsKey::kNumber;
  for (char c : bids) {
    if (!IsDigit(c) || (key.digits == 0 && c == '0')) continue;
    ++key.digits;
    if (key.digits <= kExactDigits) {
      key.value = key.value * 10 + static_cast<std::uint64_t>(c - '0');
    }
  }
  return key;
}

// Two all-digit texts with the same number of significant digits, too many
// for a 64-bit value: the first differing digit decides.
int CompareLongDigits(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  const auto next_significant = [](std::string_view text, std::size_t& at,
                                   bool& started) {
    while (at < text.size()) {
      const char c = text[at++];
      if (!IsDigit(c)) continue;
      if (!started && c == '0') continue;
      started = true;
      return c;
    }
    return '\0';
  };
  bool started_a = false;
  bool started_b = false;
  for (;;) {
    const char x = next_significant(a, i, started_a);
    const char y = next_significant(b, j, started_b);
    if (x < y) return -1;
    if (x > y) return 1;
    if (x == '\0') return 0;
  }
}

// The Bids comparison on the keys. `texts` gives the two texts only when
// the numbers are too long to be held exactly, so a sort reads the rows
// themselves almost never.
template <typename Texts>
int CompareKeys(const BidsKey& a, const BidsKey& b, int d, Texts texts) {
  if (a.kind == BidsKey::kNoBids) return b.kind == BidsKey::kNoBids ? 0 : -d;
  if (b.kind == BidsKey::kNoBids) return d;
  // Not a strict weak order: two such texts each go before the other.
  if (a.kind == BidsKey::kOther || b.kind == BidsKey::kOther) return -d;
  if (a.digits < b.digits) return -d;
  if (a.digits > b.digits) return d;
  if (a.digits > kExactDigits) {
    const auto [a_text, b_text] = texts();
    return d * CompareLongDigits(a_text, b_text);
  }
  if (a.value < b.value) return -d;
  if (a.value > b.value) return d;
  return 0;
}

struct BidsEntry {
  BidsKey key;
  int index;
};

struct PriceEntry {
  float price;
  int index;
};

template <typename Entry>
std::vector<int> OrderOf(const std::vector<Entry>& entries) {
  std::vector<int> order;
  order.reserve(entries.size());
  for (const Entry& entry : entries) order.push_back(entry.index);
  return order;
}

// Puts the rows in the sorted entries' order, unless a step stopped the
// sort.
template <typename Entry, typename Compare>
bool SortRows(ResultGrid& grid, std::vector<Entry>& entries, Compare compare,
              const SortStep& step) {
  const auto go_on = [&step](std::size_t done) { return !step || step(done); };
  if (!SafeMergeSort(entries, compare, go_on)) return false;
  grid.Reorder(OrderOf(entries));
  return true;
}

}  // namespace

int CompareBids(std::string_view a, std::string_view b, int d) {
  return CompareKeys(KeyOf(a), KeyOf(b), d, [&] { return std::pair(a, b); });
}

int ComparePrice(float a, float b, int d) {
  if (a > b) return d;
  if (a == b) return 0;
  return -d;
}

bool SortByBids(ResultGrid& grid, int d, const SortStep& step) {
  if (grid.Count() < 2) return true;
  std::vector<BidsEntry> entries;
  entries.reserve(static_cast<std::size_t>(grid.Count()));
  for (int i = 0; i < grid.Count(); ++i) {
    entries.push_back({KeyOf(grid.Row(i).bids), i});
  }
  return SortRows(
      grid, entries,
      [&](const BidsEntry& a, const BidsEntry& b) {
        return CompareKeys(a.key, b.key, d, [&] {
          return std::pair<std::string_view, std::string_view>(
              grid.Row(a.index).bids, grid.Row(b.index).bids);
        });
      },
      step);
}

bool SortByPrice(ResultGrid& grid, int d, const SortStep& step) {
  if (grid.Count() < 2) return true;
  std::vector<PriceEntry> entries;
  entries.reserve(static_cast<std::size_t>(grid.Count()));
  for (int i = 0; i < grid.Count(); ++i) {
    entries.push_back({grid.Row(i).price32, i});
  }
  return SortRows(
      grid, entries,
      [d](const PriceEntry& a, const PriceEntry& b) {
        return ComparePrice(a.price, b.price, d);
      },
      step);
}

}  // namespace tolvane
