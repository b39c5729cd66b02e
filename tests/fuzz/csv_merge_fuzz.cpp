// Feeds any bytes to the merge as a CSV file, read a few bytes at a time:
// the record walk must not crash or read outside the text, and on inputs
// small enough for the slow literal walk the records must be the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "reports/csv_merge.h"
#include "reports/literal_csv_walk.h"

namespace {

constexpr std::size_t kLiteralLimit = 4096;

bool SameItem(const tolvane::ParsedItem& a, const tolvane::ParsedItem& b) {
  return a.Item == b.Item && a.Description == b.Description &&
         a.Price == b.Price && a.Bids == b.Bids && a.Ended == b.Ended;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tolvane;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string text = bytes;
  std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });

  // Read as a file is, a few bytes at a time.
  std::vector<ParsedItem> records;
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
  do {
    walk.Next(item);
    records.push_back(item);
  } while (!walk.AtEnd());
  // Every record but the first consumes at least two characters.
  if (records.size() > text.size() / 2 + 1) std::abort();

  if (size > kLiteralLimit) return 0;
  const std::vector<ParsedItem> literal = testing::LiteralCsvWalk(text);
  if (records.size() != literal.size()) std::abort();
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!SameItem(records[i], literal[i])) std::abort();
  }
  return 0;
}
