#include "util/page_warmer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14's value, missing from old headers
#endif

namespace tolvane {
namespace {

// Ranges smaller than this are left to the filler: a thread would cost
// more than their faults.
constexpr std::size_t kWorthAThread = std::size_t{8} << 20;
// The slices each range is warmed in.
constexpr std::size_t kSlices = 64;

std::uintptr_t PageSize() {
  static const auto size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

}  // namespace

PageWarmer::PageWarmer(std::vector<MemoryRange> ranges, bool on_thread)
    : ranges_(std::move(ranges)) {
  std::size_t total = 0;
  for (const MemoryRange& range : ranges_) total += range.bytes;
  if (on_thread && total >= kWorthAThread)
    thread_ = std::thread([this] { Work(); });
}

PageWarmer::~PageWarmer() {
  stop_ = true;
  Finish();
}

void PageWarmer::Finish() {
  if (thread_.joinable()) thread_.join();
}

void PageWarmer::Work() {
  const std::uintptr_t page = PageSize();
  // Only whole pages inside a range are warmed: a page at either end is
  // shared with other memory, and one fault there is not worth a call.
  std::vector<std::pair<std::uintptr_t, std::uintptr_t>> pages;
  for (const MemoryRange& range : ranges_) {
    const auto at = reinterpret_cast<std::uintptr_t>(range.data);
    const std::uintptr_t from = (at + page - 1) & ~(page - 1);
    const std::uintptr_t to = (at + range.bytes) & ~(page - 1);
    if (to > from) pages.emplace_back(from, to);
  }
  for (std::size_t slice = 0; slice < kSlices; ++slice) {
    for (auto& [from, to] : pages) {
      if (stop_) return;
      const std::uintptr_t left = to - from;
      if (left == 0) continue;
      // The slice's share of what is left, in whole pages: all of it at the
      // last slice, and never more, as what is left is whole pages.
      const std::uintptr_t bytes =
          std::max(page, (left / (kSlices - slice)) & ~(page - 1));
      if (::madvise(reinterpret_cast<void*>(from), bytes,
                    MADV_POPULATE_WRITE) != 0) {
        // A kernel without the request refuses every range alike.
        if (errno == EINVAL) return;
        to = from;  // freed or remapped since: left alone
        continue;
      }
      from += bytes;
    }
  }
}

}  // namespace tolvane
