// Feeds any bytes to the merge as a CSV file, read a few bytes at a time:
// the record walk must neither crash, read outside the text nor run on.
// What it cuts is checked against the literal walk by the differential test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "reports/csv_merge.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tolvane;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::size_t read = 0;
  CsvMergeWalk walk(
      [&](char* buffer, std::size_t want) {
        const std::size_t n = std::min(want, bytes.size() - read);
        bytes.copy(buffer, n, read);
        read += n;
        return n;
      },
      3);
  ParsedItem item;
  std::size_t records = 0;
  do {
    walk.Next(item);
    // Every record but the first consumes at least two characters.
    if (++records > size / 2 + 1) std::abort();
  } while (!walk.AtEnd());
  return 0;
}
