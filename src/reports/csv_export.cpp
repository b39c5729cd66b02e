#include "reports/csv_export.h"

#include "util/tessik_glo.h"

namespace tolvane {

std::string CleanCsvField(std::string text) {
  text = TessikGlo::ReplaceAll(std::move(text), "\"", "'");
  return TessikGlo::ReplaceAll(std::move(text), ",", "  .");
}

namespace {

constexpr std::size_t kRecordRoom = 192;

}  // namespace

std::string CsvRecord(const RowView& row) {
  constexpr std::string_view kSeparator = "\",\"";
  const std::string description = CleanCsvField(std::string(row.description));
  std::string record;
  // Room for a record of the usual lengths: most never grow.
  record.reserve(kRecordRoom);
  record += '"';
  record += row.item;
  record += kSeparator;
  record += description;
  record += kSeparator;
  record += row.price;
  record += kSeparator;
  record += row.bids;
  record += kSeparator;
  record += row.ended;
  record += '"';
  return record;
}

std::string ProposedCsvFileName(std::string query) {
  for (char& c : query) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || byte < 0x20 || byte == 0x7F) c = '_';
  }
  return query;
}

}  // namespace tolvane
