#include "reports/csv_row_batch.h"

#include <optional>
#include <string_view>

#include "listing/price_text.h"
#include "reports/csv_values.h"

namespace tolvane {
namespace {

// Appends the record's texts in the grid's order, in one piece.
PreparedCsvRow& Prepare(CsvRowBatch& batch, bool all_texts,
                        std::string_view item, std::string_view description,
                        std::string_view bids, std::string_view price,
                        std::string_view ended, bool keep_ended = false) {
  PreparedCsvRow& row = batch.rows.emplace_back();
  row.result.kind = CsvRowResult::Kind::kRow;
  row.text_at = batch.texts.size();
  const std::string_view texts[] = {
      item, all_texts ? description : std::string_view(), bids, price,
      all_texts || keep_ended ? ended : std::string_view()};
  for (std::size_t i = 0; i < 5; ++i) {
    row.sizes[i] = static_cast<std::uint32_t>(texts[i].size());
    batch.texts.append(texts[i]);
  }
  return row;
}

}  // namespace

void CsvRowBatch::Clear() {
  texts.clear();
  rows.clear();
}

void CsvRowBatch::ReadNumbers(const RegionalSettings& settings) {
  for (PreparedCsvRow& row : rows) {
    if (row.result.kind != CsvRowResult::Kind::kRow) continue;
    const RowView view = Row(row);
    row.key = caption::MakeKey(view.item);
    const std::optional<double> value = AddedRowPrice(view.price, settings);
    row.usable = value.has_value();
    if (value) row.price = *value;
    row.bids = ReadBids(view.bids);
    if (row.read_date) {
      row.result.date_unread = !view.ended.empty() && !ReadSaleDate(view.ended);
    }
  }
}

RowView CsvRowBatch::Row(const PreparedCsvRow& row) const {
  RowView view;
  std::string_view* const fields[] = {&view.item, &view.description, &view.bids,
                                      &view.price, &view.ended};
  std::size_t at = row.text_at;
  for (std::size_t i = 0; i < 5; ++i) {
    *fields[i] = std::string_view(texts).substr(at, row.sizes[i]);
    at += row.sizes[i];
  }
  view.price64 = row.price;
  view.price32 = static_cast<float>(row.price);
  view.bids_value = row.bids.value;
  view.bids_numeric = row.bids.numeric;
  view.zero_bid = row.bids.zero_bid;
  return view;
}

bool OwnFormBatches::Fill(CsvRowBatch& batch, std::size_t rows) {
  batch.Clear();
  CsvMergeRecord record;
  while (batch.rows.size() < rows) {
    // The first record is cut even from an empty file; every later one
    // only while at least two characters are left.
    if (started_ && walk_.AtEnd()) return false;
    started_ = true;
    walk_.Next(record);
    Prepare(batch, all_texts_, record.item, record.description, record.bids,
            record.price, record.ended);
  }
  return true;
}

bool HeaderBatches::Fill(CsvRowBatch& batch, std::size_t rows) {
  batch.Clear();
  bool more = true;
  while (batch.rows.size() < rows) {
    const CsvRowResult result = rows_.Next(item_);
    if (result.kind == CsvRowResult::Kind::kEnd) {
      more = false;
      break;
    }
    if (result.kind == CsvRowResult::Kind::kLeftOut) {
      batch.rows.emplace_back().result = result;
      continue;
    }
    PreparedCsvRow& row =
        Prepare(batch, all_texts_, item_.Item, item_.Description, item_.Bids,
                item_.Price, item_.Ended, !all_texts_);
    row.result = result;
    row.read_date = !all_texts_;
    row.currency_named = rows_.CurrencyNamed();
  }
  batch.currency = rows_.Currency();
  return more;
}

}  // namespace tolvane
