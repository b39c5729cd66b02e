#include <cstddef>
#include <filesystem>
#include <new>
#include <optional>
#include <utility>

#include "app/busy_box.h"
#include "app/frm_price.h"
#include "listing/result_grid.h"
#include "reports/csv_columns.h"
#include "reports/csv_export.h"
#include "reports/csv_header_rows.h"
#include "reports/csv_merge.h"
#include "reports/csv_read_report.h"
#include "reports/csv_records.h"
#include "reports/report.h"
#include "util/error.h"
#include "util/files.h"
#include "util/money.h"

namespace tolvane {
namespace {

constexpr const char* kExportTitle = "Export Search Results";
constexpr const char* kExportFilter =
    "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV";
constexpr int kExportFilterIndex = 2;
constexpr const char* kSummaryTitle = "Tolvane";
constexpr const char* kSummaryFilter = "Text (*.txt)|*.TXT";
constexpr const char* kSummaryExt = "txt";
constexpr const char* kCsvSavedNote =
    "\n\nCSV file is now saved to disk.  Note: In order to preserve CSV file "
    "integrity, commas and quotation marks characters have been replaced "
    "with apostrophe and period characters.\n\n";
constexpr const char* kNoItemsInFile = "No Items In File";
// The stretch of a merged file read at a time.
constexpr std::size_t kMergeChunk = 1 << 20;
// The currency of prices that name none, in a grid that names none: the US
// site's, as "$" has always meant in the grid.
constexpr const char* kUsDollars = "USD";
// A record of the export form with a short title: item, price, bids and end
// time take some thirty bytes, quotes and commas a dozen more.
constexpr std::size_t kTypicalRecordBytes = 48;

// However the export ends, the save dialog is left ready for Save Results.
class AfterExportSettings {
 public:
  explicit AfterExportSettings(FileDialogSettings& settings)
      : settings_(settings) {}
  AfterExportSettings(const AfterExportSettings&) = delete;
  AfterExportSettings& operator=(const AfterExportSettings&) = delete;
  ~AfterExportSettings() {
    settings_.title = kSummaryTitle;
    settings_.filter = kSummaryFilter;
    settings_.filter_index = 1;
    settings_.file_name.clear();
    settings_.default_ext = kSummaryExt;
  }

 private:
  FileDialogSettings& settings_;
};

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

}  // namespace

std::string TFrmPrice::CleanCsvField(const std::string& text) const {
  return tolvane::CleanCsvField(text);
}

void TFrmPrice::CreateCSVFileFromGrid1Click(const Sender&) {
  AfterExportSettings after_export(SvDlg_);
  SvDlg_.title = kExportTitle;
  SvDlg_.filter = kExportFilter;
  SvDlg_.filter_index = kExportFilterIndex;
  SvDlg_.file_name = ProposedCsvFileName(EdtQuery.Text());
  if (!services_.file_dialog.ExecuteSave(SvDlg_)) return;

  // While the file is written the busy window shows only its icon.
  TBusyBox& busy = *app_.BusyBox;
  busy.Label1.SetVisible(false);
  busy.Form.Show();
  busy.Form.Repaint();
  RchEdtPrint_.clear();
  for (int i = 0; i < grid_.Count(); ++i) {
    AppendBufferLine(RchEdtPrint_, CsvRecord(grid_.Row(i)));
  }
  try {
    WriteFileAtomically(SvDlg_.file_name, TextFileBytes(RchEdtPrint_));
  } catch (const Error&) {
    busy.Label1.SetVisible(true);
    busy.Form.Hide();
    throw;
  }
  busy.Label1.SetVisible(true);
  busy.Form.Hide();

  ComputeSummary();
  MResultsLeft.Add(kCsvSavedNote);
}

void TFrmPrice::MergeCSVFileWithCurrentGridResults1Click(const Sender&) {
  if (!services_.file_dialog.ExecuteOpen(OpnDlg_)) return;
  MergeCsvFile(OpnDlg_.file_name, nullptr);
}

void TFrmPrice::ImportCSVFileFromGrid1Click(const Sender& sender) {
  // The file is chosen, opened and read from before the grid is emptied,
  // so a cancel or a file that cannot be read loses no rows.
  if (!services_.file_dialog.ExecuteOpen(OpnDlg_)) return;
  MergeCsvFile(OpnDlg_.file_name, [this, &sender] { NewSearch1Click(sender); });
}

void TFrmPrice::MergeCsvFile(const std::string& file_name,
                             const std::function<void()>& before_rows) {
  try {
    MergeCsvRecords(file_name, before_rows);
  } catch (const std::bad_alloc&) {
    throw Error(FormatMessage(kNoMemoryForFile, file_name));
  }
}

void TFrmPrice::MergeCsvRecords(const std::string& file_name,
                                const std::function<void()>& before_rows) {
  InputFile file(file_name);
  RchEdtPrint_.clear();
  last_csv_merge_ = {};
  // The start of the file tells its form: another tool's file begins with
  // a header, perhaps after a few lines of preamble.
  std::string start = ReadStart(file);
  if (const std::optional<CsvHeader> header = FindCsvHeader(start)) {
    MergeHeaderCsv(file, std::move(start), *header, before_rows);
    return;
  }
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
  const bool nothing_read = walk.NothingRead();
  if (before_rows) before_rows();
  if (nothing_read) {
    services_.message_box.Show(kNoItemsInFile, "", MbButtons::kOk,
                               MbIcon::kNone);
    return;
  }
  ComputeSummary();
  // Room for the rows the file likely holds, so the grid does not copy
  // itself as it grows; room not filled is never touched.
  grid_.Reserve(file.Size() / kTypicalRecordBytes, file.Size());
  summary_deferred_ = true;
  try {
    do {
      walk.Next(CurrentItem);
      const int added = AddItem(CurrentItem);
      // A record AddItem took has just had its summary, over this very
      // grid; a second pass would write the same lines.
      if (added < 0) ComputeSummary();
      if (added == -2) ++last_csv_merge_.unusable;
      if (added > 0) ++last_csv_merge_.rows;
    } while (!walk.AtEnd());
  } catch (...) {
    // The rows added so far stay, and the summary tells them.
    summary_deferred_ = false;
    ComputeSummary();
    throw;
  }
  summary_deferred_ = false;
  ComputeSummary();
}

void TFrmPrice::MergeHeaderCsv(InputFile& file, std::string start,
                               const CsvHeader& header,
                               const std::function<void()>& before_rows) {
  const std::string name =
      std::filesystem::path(file.Path()).filename().string();
  // A file that cannot give a row changes nothing, not even on Import.
  const std::string missing = MissingColumnsMessage(name, header.columns);
  if (!missing.empty()) throw Error(missing);
  if (before_rows) before_rows();
  CsvRecordSplitter records(
      std::move(start), header.data_from, header.data_line, header.delimiter,
      [&file](char* buffer, std::size_t size) {
        return file.Read(buffer, size);
      },
      kMergeChunk);
  // Prices without a currency of their own are in the grid's.
  HeaderCsvRows rows(
      records, header.columns,
      grid_.Currency().empty() ? kUsDollars : std::string(grid_.Currency()));
  CsvReadReport report;
  ComputeSummary();
  grid_.Reserve(file.Size() / kTypicalRecordBytes, file.Size());
  summary_deferred_ = true;
  try {
    for (;;) {
      const CsvRowResult result = rows.Next(CurrentItem);
      if (result.kind == CsvRowResult::Kind::kEnd) break;
      if (result.kind == CsvRowResult::Kind::kLeftOut) {
        report.LeaveOut(result.reason, result.line);
        continue;
      }
      // The file's currency is known from its first row, before any row
      // of it joins the grid.
      if (rows.CurrencyNamed() && grid_.Currency() != rows.Currency()) {
        if (const std::optional<std::string> grid_currency =
                CurrencyConflict(grid_, rows.Currency())) {
          throw Error(
              CurrencyConflictMessage(name, rows.Currency(), *grid_currency));
        }
        grid_.SetCurrency(rows.Currency());
      }
      const int added = AddItem(CurrentItem);
      if (added == -1) {
        report.LeaveOut(CsvLeftOut::kDuplicate, result.line);
      } else if (added == -2) {
        report.LeaveOut(CsvLeftOut::kUnreadablePrice, result.line);
      } else {
        report.Read();
        if (result.date_unread) report.DateUnread(result.line);
      }
    }
  } catch (...) {
    summary_deferred_ = false;
    ComputeSummary();
    throw;
  }
  summary_deferred_ = false;
  ComputeSummary();
  last_csv_merge_ = {true, static_cast<int>(report.Rows()), 0,
                     report.Text(name)};
  services_.message_box.Show(last_csv_merge_.report, "", MbButtons::kOk,
                             MbIcon::kInformation);
}

}  // namespace tolvane
