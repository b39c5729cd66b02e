#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tolvane {

// A stable merge sort for a comparison that returns negative, 0 or positive
// like the grid's sort callbacks. Every step takes one element from one side
// within bounds, so it terminates with a permutation of the input whatever
// the comparison answers; the Bids comparison, which is not a strict weak
// order for texts that are neither "-" nor digits, must never reach
// std::sort. Where the comparison is consistent the result is sorted, equal
// elements in their old order.
//
// After the short runs and after each merge pass but the last, `step(done)`
// is told how far the sort has come, in items out of items.size(); when it
// answers false the sort stops there and returns false, the items in some
// order.
template <typename T, typename Compare, typename Step>
bool SafeMergeSort(std::vector<T>& items, Compare compare, Step step) {
  const std::size_t n = items.size();
  // Short runs first, by insertion: cheaper than merging single elements.
  constexpr std::size_t kRun = 16;
  for (std::size_t start = 0; start < n; start += kRun) {
    const std::size_t end = std::min(n, start + kRun);
    for (std::size_t i = start + 1; i < end; ++i) {
      T moving = std::move(items[i]);
      std::size_t j = i;
      while (j > start && compare(items[j - 1], moving) > 0) {
        items[j] = std::move(items[j - 1]);
        --j;
      }
      items[j] = std::move(moving);
    }
  }
  if (n <= kRun) return true;
  // The passes double the sorted width from kRun up to n.
  std::size_t passes = 1;
  for (std::size_t width = kRun; width < n; width *= 2) ++passes;
  std::size_t pass = 1;
  if (!step(n / passes)) return false;
  std::vector<T> buffer(n);
  std::vector<T>* from = &items;
  std::vector<T>* to = &buffer;
  for (std::size_t width = kRun; width < n; width *= 2) {
    for (std::size_t left = 0; left < n; left += 2 * width) {
      const std::size_t mid = std::min(n, left + width);
      const std::size_t right = std::min(n, left + 2 * width);
      std::size_t a = left;
      std::size_t b = mid;
      std::size_t out = left;
      while (a < mid && b < right) {
        // The earlier element is always asked first, as in the runs; ties
        // take it, so the sort is stable.
        if (compare((*from)[a], (*from)[b]) > 0) {
          (*to)[out++] = std::move((*from)[b++]);
        } else {
          (*to)[out++] = std::move((*from)[a++]);
        }
      }
      while (a < mid) (*to)[out++] = std::move((*from)[a++]);
      while (b < right) (*to)[out++] = std::move((*from)[b++]);
    }
    std::swap(from, to);
    ++pass;
    if (pass < passes && !step(n / passes * pass)) return false;
  }
  if (from != &items) items = std::move(*from);
  return true;
}

template <typename T, typename Compare>
void SafeMergeSort(std::vector<T>& items, Compare compare) {
  SafeMergeSort(items, compare, [](std::size_t) { return true; });
}

}  // namespace tolvane
