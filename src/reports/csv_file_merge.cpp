#include "reports/csv_file_merge.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>

#include "reports/csv_columns.h"
#include "reports/csv_header_rows.h"
#include "reports/csv_merge.h"
#include "reports/csv_read_report.h"
#include "reports/csv_records.h"
#include "reports/csv_row_batch.h"
#include "util/error.h"
#include "util/money.h"
#include "util/page_warmer.h"
#include "util/read_ahead.h"

namespace tolvane {
namespace {

// The stretch of a merged file read at a time.
constexpr std::size_t kMergeChunk = 1 << 20;
// Records made ready at a time: enough that handing a batch over costs
// nothing beside it, few enough that three batches stay small.
constexpr std::size_t kBatchRows = 8192;
// A record of the export form with a short title: item, price, bids and end
// time take some thirty bytes, quotes and commas a dozen more. Room is
// never made for more records than the file would hold of these.
constexpr std::size_t kTypicalRecordBytes = 48;
// How many records ahead the duplicate test's first table read is asked
// for: far enough to hide a memory wait behind the records between.
constexpr std::size_t kPrefetchAhead = 16;
// The currency of prices that name none, in rows that name none: the US
// site's, as "$" has always meant in the grid.
constexpr const char* kUsDollars = "USD";

// The first stretch of a file, or all of a shorter one.
std::string ReadStart(InputFile& file) {
  std::string start(kMergeChunk, '\0');
  std::size_t got = 0;
  while (got < start.size()) {
    const std::size_t n = file.Read(start.data() + got, start.size() - got);
    if (n == 0) break;
    got += n;
  }
  start.resize(got);
  return start;
}

// The records the file likely holds, from the lines of its start: room made
// for them at once spares the caption table its growing, which moves every
// caption again at each doubling.
std::size_t EstimatedRecords(std::string_view start, std::size_t file_size) {
  const std::size_t most = file_size / kTypicalRecordBytes;
  if (start.empty()) return 0;
  const auto lines =
      static_cast<std::size_t>(std::count(start.begin(), start.end(), '\n'));
  if (lines == 0) return most;
  return std::min(most, lines * (file_size / start.size()) +
                            lines * (file_size % start.size()) / start.size());
}

// Cutting and reading fields runs beside the rows where a second processor
// can take it; on one it would only add switches.
bool ReadAheadOnThread() { return std::thread::hardware_concurrency() > 1; }

// What AddItem does with a record made ready: -1 left out as a duplicate,
// -2 left out for its price, else appended.
int TakeRecord(RowSink& rows, const CsvRowBatch& batch,
               const PreparedCsvRow& row) {
  if (rows.HasCaptionWithPrefix(row.key)) return -1;
  if (!row.usable) return -2;
  rows.Append(batch.Row(row), row.key);
  return 1;
}

void PrefetchAhead(const RowSink& rows, const CsvRowBatch& batch,
                   std::size_t at) {
  if (at + kPrefetchAhead < batch.rows.size()) {
    rows.PrefetchCaption(batch.rows[at + kPrefetchAhead].key);
  }
}

CsvFileMerge MergeOwnForm(InputFile& file, const std::string& start,
                          RowSink& rows, const RegionalSettings& settings,
                          const CsvMergeSteps& steps) {
  // The file is read a stretch at a time as the walk goes: a merged file of
  // a year's research never sits in memory beside the rows made from it.
  std::size_t replayed = 0;
  CsvMergeWalk walk(
      [&file, &start, &replayed](char* buffer, std::size_t size) {
        if (replayed == start.size()) return file.Read(buffer, size);
        const std::size_t n = start.copy(buffer, size, replayed);
        replayed += n;
        return n;
      },
      kMergeChunk);
  CsvFileMerge merge;
  merge.nothing_read = walk.NothingRead();
  if (steps.before_rows) steps.before_rows();
  if (merge.nothing_read) return merge;
  if (steps.rows_start) steps.rows_start();
  // Room for the rows the file likely holds, so the rows do not copy
  // themselves as they grow.
  rows.Reserve(EstimatedRecords(start, file.Size()), file.Size());
  PageWarmer warmer(rows.RoomAhead(), ReadAheadOnThread());
  OwnFormBatches batches(walk, rows.KeepsTexts());
  ReadAhead<CsvRowBatch> ahead(
      [&batches, &walk](CsvRowBatch& batch) {
        const bool more = batches.Fill(batch, kBatchRows);
        batch.bytes_read = walk.BytesRead();
        return more;
      },
      ReadAheadOnThread());
  while (CsvRowBatch* batch = ahead.Next()) {
    batch->ReadNumbers(settings);
    for (std::size_t i = 0; i < batch->rows.size(); ++i) {
      PrefetchAhead(rows, *batch, i);
      const int taken = TakeRecord(rows, *batch, batch->rows[i]);
      if (taken == -2) ++merge.unusable;
      if (taken > 0) ++merge.rows;
    }
    if (steps.after_batch && !steps.after_batch(batch->bytes_read)) {
      merge.finished = false;
      break;
    }
  }
  return merge;
}

CsvFileMerge MergeHeaderForm(InputFile& file, std::string start,
                             const CsvHeader& header, RowSink& rows,
                             const RegionalSettings& settings,
                             const CsvMergeSteps& steps) {
  const std::string name =
      std::filesystem::path(file.Path()).filename().string();
  // A file that cannot give a row changes nothing, not even on Import.
  const std::string missing = MissingColumnsMessage(name, header.columns);
  if (!missing.empty()) throw Error(missing);
  if (steps.before_rows) steps.before_rows();
  const std::size_t expected = EstimatedRecords(start, file.Size());
  std::size_t bytes_read = start.size();
  CsvRecordSplitter records(
      std::move(start), header.data_from, header.data_line, header.delimiter,
      [&file, &bytes_read](char* buffer, std::size_t size) {
        const std::size_t n = file.Read(buffer, size);
        bytes_read += n;
        return n;
      },
      kMergeChunk);
  // Prices without a currency of their own are in the rows'.
  HeaderCsvRows header_rows(
      records, header.columns,
      rows.Currency().empty() ? kUsDollars : std::string(rows.Currency()),
      rows.KeepsTexts());
  CsvReadReport report;
  if (steps.rows_start) steps.rows_start();
  rows.Reserve(expected, file.Size());
  PageWarmer warmer(rows.RoomAhead(), ReadAheadOnThread());
  HeaderBatches batches(header_rows, rows.KeepsTexts());
  ReadAhead<CsvRowBatch> ahead(
      [&batches, &bytes_read](CsvRowBatch& batch) {
        const bool more = batches.Fill(batch, kBatchRows);
        batch.bytes_read = bytes_read;
        return more;
      },
      ReadAheadOnThread());
  CsvFileMerge merge;
  merge.header = true;
  while (CsvRowBatch* batch = ahead.Next()) {
    batch->ReadNumbers(settings);
    for (std::size_t i = 0; i < batch->rows.size(); ++i) {
      PrefetchAhead(rows, *batch, i);
      const PreparedCsvRow& row = batch->rows[i];
      if (row.result.kind == CsvRowResult::Kind::kLeftOut) {
        report.LeaveOut(row.result.reason, row.result.line);
        continue;
      }
      // The file's currency is known from its first row, before any row
      // of it joins the others.
      if (row.currency_named && rows.Currency() != batch->currency) {
        if (const std::optional<std::string> own =
                rows.CurrencyConflict(batch->currency)) {
          throw Error(CurrencyConflictMessage(name, batch->currency, *own));
        }
        rows.SetCurrency(batch->currency);
      }
      const int taken = TakeRecord(rows, *batch, row);
      if (taken == -1) {
        report.LeaveOut(CsvLeftOut::kDuplicate, row.result.line);
      } else if (taken == -2) {
        report.LeaveOut(CsvLeftOut::kUnreadablePrice, row.result.line);
      } else {
        report.Read();
        if (row.result.date_unread) report.DateUnread(row.result.line);
      }
    }
    if (steps.after_batch && !steps.after_batch(batch->bytes_read)) {
      merge.finished = false;
      break;
    }
  }
  merge.rows = static_cast<int>(report.Rows());
  merge.report = report.Text(name);
  return merge;
}

}  // namespace

CsvFileMerge MergeCsvFile(InputFile& file, RowSink& rows,
                          const RegionalSettings& settings,
                          const CsvMergeSteps& steps) {
  // The start of the file tells its form: another tool's file begins with
  // a header, perhaps after a few lines of preamble.
  std::string start = ReadStart(file);
  if (const std::optional<CsvHeader> header = FindCsvHeader(start)) {
    return MergeHeaderForm(file, std::move(start), *header, rows, settings,
                           steps);
  }
  return MergeOwnForm(file, start, rows, settings, steps);
}

}  // namespace tolvane
