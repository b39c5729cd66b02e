#include "util/page_warmer.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace tolvane {
namespace {

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

// Anonymous memory whose pages are all untouched at first.
class Mapping {
 public:
  explicit Mapping(std::size_t pages) : bytes_(pages * kPage) {
    data_ = static_cast<char*>(::mmap(nullptr, bytes_, PROT_READ | PROT_WRITE,
                                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
  }
  ~Mapping() {
    if (data_ != MAP_FAILED) ::munmap(data_, bytes_);
  }
  char* Page(std::size_t page) const { return data_ + page * kPage; }
  // One letter a page: r resident, - not.
  std::string Resident() const {
    std::vector<unsigned char> in(bytes_ / kPage);
    ::mincore(data_, bytes_, in.data());
    std::string out;
    for (const unsigned char page : in) out += (page & 1) != 0 ? 'r' : '-';
    return out;
  }

 private:
  std::size_t bytes_;
  char* data_;
};

bool KernelWarms() {
  Mapping probe(1);
  return ::madvise(probe.Page(0), kPage, MADV_POPULATE_WRITE) == 0;
}

// Three tables in one mapping with untouched pages around them: one starting
// inside a page, one on a page's start, one shorter than the slices; a
// fourth range was freed before the warmer got to it. Catches pages left
// cold at a range's ends or middle, the pages about them warmed, a refused
// range ending the others' warming, and bytes changed.
TEST(PageWarmerTest, WarmsEveryWholePageOfEachRangeAndChangesNoByte) {
  if (!KernelWarms()) GTEST_SKIP() << "the kernel cannot warm pages";
  // About eleven megabytes in all, enough to be worth a thread. The two
  // long tables end on pages of either parity.
  Mapping memory(3000);
  void* const gone = ::mmap(nullptr, 4 * kPage, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ::munmap(gone, 4 * kPage);
  std::memcpy(memory.Page(600), "kept", 5);
  const std::string before = memory.Resident();
  {
    PageWarmer warmer({{gone, 4 * kPage},
                       {memory.Page(1) - 7, 1199 * kPage + 7 + 9},
                       {memory.Page(1301), 1600 * kPage + 5},
                       {memory.Page(2950), 10 * kPage}},
                      true);
    warmer.Finish();
  }
  std::string warmed(3000, '-');
  warmed.replace(1, 1199, 1199, 'r');
  warmed.replace(1301, 1600, 1600, 'r');
  warmed.replace(2950, 10, 10, 'r');
  EXPECT_EQ(before[600], 'r');
  EXPECT_EQ(memory.Resident(), warmed);
  EXPECT_STREQ(memory.Page(600), "kept");
  EXPECT_EQ(memory.Page(601)[0], 0);
}

// Warming is worth a thread only for large tables on two processors.
TEST(PageWarmerTest, LeavesSmallTablesAndSingleProcessorsAlone) {
  if (!KernelWarms()) GTEST_SKIP() << "the kernel cannot warm pages";
  struct Case {
    std::size_t pages;
    bool on_thread;
    char warmed;
  };
  const std::size_t large = (std::size_t{8} << 20) / kPage;
  for (const Case& c : {Case{large - 1, true, '-'}, Case{large, true, 'r'},
                        Case{large * 2, false, '-'}}) {
    Mapping memory(c.pages);
    PageWarmer warmer({{memory.Page(0), c.pages * kPage}}, c.on_thread);
    warmer.Finish();
    EXPECT_EQ(memory.Resident(), std::string(c.pages, c.warmed)) << c.pages;
  }
}

// A merge that ends early ends its warming too: a gigabyte of room is not
// all made ready after it.
TEST(PageWarmerTest, StopsWhereItIsWhenDestroyed) {
  if (!KernelWarms()) GTEST_SKIP() << "the kernel cannot warm pages";
  const std::size_t pages = (std::size_t{1} << 30) / kPage;
  Mapping memory(pages);
  { PageWarmer warmer({{memory.Page(0), pages * kPage}}, true); }
  EXPECT_NE(memory.Resident(), std::string(pages, 'r'));
}

}  // namespace
}  // namespace tolvane
