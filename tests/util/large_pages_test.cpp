#include "util/large_pages.h"

#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tolvane {
namespace {

using Range = std::pair<std::uintptr_t, std::uintptr_t>;

// The address ranges inside [from, to) the kernel marks as advised for
// large pages ("hg" among a mapping's flags).
std::vector<Range> AdvisedRanges(std::uintptr_t from, std::uintptr_t to) {
  std::ifstream maps("/proc/self/smaps");
  std::vector<Range> advised;
  Range mapping{};
  for (std::string line; std::getline(maps, line);) {
    unsigned long long start = 0, end = 0;
    char dash = 0;
    std::istringstream head(line);
    if (head >> std::hex >> start >> dash >> end && dash == '-') {
      mapping = {start, end};
    } else if (line.rfind("VmFlags:", 0) == 0 &&
               line.find(" hg") != std::string::npos && mapping.first >= from &&
               mapping.second <= to) {
      advised.push_back(mapping);
    }
  }
  return advised;
}

// Catches large pages advised outside a table (another allocation's bytes)
// or whole ones inside it left out, at either end.
TEST(LargePagesTest, AdvisesTheWholeLargePagesInsideATableOnly) {
  constexpr std::uintptr_t kLarge = std::uintptr_t{1} << 21;
  void* map = ::mmap(nullptr, 8 * kLarge, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(map, MAP_FAILED);
  const auto from = reinterpret_cast<std::uintptr_t>(map);
  const std::uintptr_t base = (from + kLarge - 1) & ~(kLarge - 1);
  // The first large page, advised directly, tells whether the kernel has
  // them and shows it.
  if (::madvise(reinterpret_cast<void*>(base), kLarge, MADV_HUGEPAGE) != 0 ||
      AdvisedRanges(from, from + 8 * kLarge).size() != 1) {
    ::munmap(map, 8 * kLarge);
    GTEST_SKIP() << "the kernel has no large pages to show";
  }
  // A table from one byte short of the third large page to a few bytes into
  // the sixth: the third to fifth are whole inside it.
  AdviseLargePages(reinterpret_cast<const void*>(base + 2 * kLarge - 1),
                   3 * kLarge + 7);
  EXPECT_EQ(AdvisedRanges(from, from + 8 * kLarge),
            (std::vector<Range>{{base, base + kLarge},
                                {base + 2 * kLarge, base + 5 * kLarge}}));
  ::munmap(map, 8 * kLarge);
}

}  // namespace
}  // namespace tolvane
