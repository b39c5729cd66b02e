// Feeds any bytes to the reading of other tools' files, read a few bytes at
// a time: header search, record splitter and value forms must neither
// crash, read outside their bytes nor run on. A file without a header is
// split by commas with every column in place, so the splitter and the
// value forms see every input. What the splitter cuts is checked against
// Python's csv module by the differential test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "reports/csv_columns.h"
#include "reports/csv_header_rows.h"
#include "reports/csv_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tolvane;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::optional<CsvHeader> header = FindCsvHeader(bytes);
  if (!header) {
    header.emplace();
    for (std::size_t i = 0; i < kCsvColumnCount; ++i) header->columns.at[i] = i;
  }
  const std::size_t start = std::min(header->data_from, bytes.size());
  std::size_t read = start;
  CsvRecordSplitter records(
      "", 0, header->data_line, header->delimiter,
      [&](char* buffer, std::size_t want) {
        const std::size_t n = std::min<std::size_t>(want, 3);
        const std::size_t got = bytes.copy(buffer, n, read);
        read += got;
        return got;
      },
      3);
  HeaderCsvRows rows(records, header->columns, "USD");
  ParsedItem item;
  std::size_t results = 0;
  for (;;) {
    const CsvRowResult result = rows.Next(item);
    if (result.kind == CsvRowResult::Kind::kEnd) break;
    // Every record takes at least one byte.
    if (++results > size - start) std::abort();
  }
  return 0;
}
