#include "util/large_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace tolvane {

void AdviseLargePages(const void* data, std::size_t bytes) {
  constexpr std::uintptr_t kLarge = std::uintptr_t{1} << 21;
  const auto at = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t start = (at + kLarge - 1) & ~(kLarge - 1);
  const std::uintptr_t end = (at + bytes) & ~(kLarge - 1);
  if (end > start) {
    ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
  }
}

}  // namespace tolvane
