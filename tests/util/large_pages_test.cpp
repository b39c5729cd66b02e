#include "util/large_pages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// Catches large pages advised outside a table (another allocation's bytes)
// or whole ones inside it left out, at either end.
TEST(LargePagesTest, AdvisesTheWholeLargePagesInsideATableOnly) {
  constexpr std::uintptr_t kLarge = std::uintptr_t{1} << 21;
  void* map = ::mmap(nullptr, 8 * kLarge, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(map, MAP_FAILED);
  const auto from = reinterpret_cast<std::uintptr_t>(map);
  const std::uintptr_t base = (from + kLarge - 1) & ~(kLarge - 1);
  // The sixth large page, advised directly, shows whether the kernel has
  // them; the table runs from a byte short of the second to a few bytes
  // into the fifth.
  ::madvise(reinterpret_cast<void*>(base + 5 * kLarge), kLarge, MADV_HUGEPAGE);
  AdviseLargePages(reinterpret_cast<const void*>(base + kLarge - 1),
                   3 * kLarge + 7);
  // The kernel marks advised mappings "hg" among their flags.
  std::ifstream maps("/proc/self/smaps");
  std::vector<std::uintptr_t> advised;  // the start and end of each
  std::uintptr_t start = 0, end = 0;
  for (std::string line; std::getline(maps, line);) {
    unsigned long long a = 0, b = 0;  // "AnonHugePages:" begins in hex too
    if (std::sscanf(line.c_str(), "%llx-%llx ", &a, &b) == 2) {
      start = a;
      end = b;
    }
    if (line.rfind("VmFlags:", 0) == 0 && line.find(" hg") != line.npos &&
        start >= from && end <= from + 8 * kLarge)
      advised.insert(advised.end(), {start, end});
  }
  ::munmap(map, 8 * kLarge);
  if (advised.empty() || advised.back() != base + 6 * kLarge)
    GTEST_SKIP() << "the kernel shows no large pages";
  EXPECT_EQ(advised, (std::vector<std::uintptr_t>{
                         base + kLarge, base + 4 * kLarge, base + 5 * kLarge,
                         base + 6 * kLarge}));
}

}  // namespace
}  // namespace tolvane
