#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace tolvane {

// A stretch of memory reserved for a table about to be filled.
struct MemoryRange {
  const void* data = nullptr;
  std::size_t bytes = 0;
};

// The room a vector or string holds beyond its elements.
template <class Container>
MemoryRange RoomBeyond(const Container& container) {
  return {
      container.data() + container.size(),
      (container.capacity() - container.size()) * sizeof(*container.data())};
}

// Makes the pages of tables about to be filled ready on a thread of its
// own. A page's first touch costs the kernel a fault and a page of zeros;
// with a million rows that is a tenth of a second on the thread filling
// the tables, while the other processor waits for work. The ranges are
// warmed a slice of each at a time, front to back, as rows fill them.
//
// Only the kernel's page tables change, never a byte of the memory: the
// warmer may run over pages the filler has written already, and over
// memory freed in the meantime (the kernel then refuses, and that range is
// left).
class PageWarmer {
 public:
  // Starts warming at once; without a thread, does nothing.
  PageWarmer(std::vector<MemoryRange> ranges, bool on_thread);
  PageWarmer(const PageWarmer&) = delete;
  PageWarmer& operator=(const PageWarmer&) = delete;
  // Stops where it is and waits for the thread.
  ~PageWarmer();

  // Waits until every range is warm.
  void Finish();

 private:
  void Work();

  std::vector<MemoryRange> ranges_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace tolvane
