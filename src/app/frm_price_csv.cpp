#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <new>
#include <utility>

#include "app/busy_box.h"
#include "app/frm_price.h"
#include "app/shown_progress.h"
#include "listing/result_grid.h"
#include "reports/csv_export.h"
#include "reports/csv_file_merge.h"
#include "reports/report.h"
#include "util/error.h"
#include "util/files.h"

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
constexpr const char* kImportingFile = "Importing %s…";
constexpr const char* kMergingFile = "Merging %s…";
constexpr const char* kExportingFile = "Exporting %s…";
// Rows written between two looks at the bar.
constexpr int kExportStep = 8192;

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

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// The grid's records as lines, the bar told how far they have come; false
// when Cancel was pressed.
bool ExportLines(const ResultGrid& grid, Progress& progress,
                 std::vector<std::string>& lines) {
  for (int i = 0; i < grid.Count(); ++i) {
    AppendBufferLine(lines, CsvRecord(grid.Row(i)));
    if ((i + 1) % kExportStep != 0) continue;
    progress.Set(static_cast<std::uint64_t>(i) + 1);
    if (progress.Cancelled()) return false;
  }
  return true;
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
  bool written = false;
  try {
    // A Cancel writes nothing: a file of that name keeps what it held.
    const ShownProgress progress(
        app_, services_.progress,
        FormatMessage(kExportingFile, FileNameOf(SvDlg_.file_name)),
        static_cast<std::uint64_t>(grid_.Count()));
    written = ExportLines(grid_, services_.progress, RchEdtPrint_);
    if (written) {
      WriteFileAtomically(SvDlg_.file_name, TextFileBytes(RchEdtPrint_));
    }
  } catch (const Error&) {
    busy.Label1.SetVisible(true);
    busy.Form.Hide();
    throw;
  }
  busy.Label1.SetVisible(true);
  busy.Form.Hide();
  if (!written) {
    RchEdtPrint_.clear();
    return;
  }

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
  // Import fills rows of its own, which take the grid's place once the file
  // is in; until then, and after a Cancel, the grid is as it was. A merge's
  // rows join the grid as they come, and a Cancel takes them back.
  const bool import = static_cast<bool>(before_rows);
  ResultGrid imported;
  const ResultGrid::AppendMark before_merge = grid_.MarkAppends();
  bool rows_begun = false;
  const auto take_imported = [&] {
    if (!import || !rows_begun) return;
    before_rows();
    grid_.TakeRowsOf(std::move(imported));
  };
  CsvMergeSteps steps;
  steps.before_rows = [&rows_begun] { rows_begun = true; };
  steps.rows_start = [this] { summary_deferred_ = true; };
  steps.after_batch = [this](std::size_t bytes_read) {
    Form.Repaint();
    if (app_.BusyBox != nullptr) app_.BusyBox->Form.Repaint();
    services_.progress.Set(bytes_read);
    return !services_.progress.Cancelled();
  };
  CsvFileMerge merge;
  try {
    const ShownProgress progress(
        app_, services_.progress,
        FormatMessage(import ? kImportingFile : kMergingFile,
                      FileNameOf(file_name)),
        file.Size());
    merge = tolvane::MergeCsvFile(file, import ? imported : grid_, Regional(),
                                  steps);
  } catch (...) {
    // The rows added so far stay, and the summary tells them.
    take_imported();
    if (summary_deferred_) {
      summary_deferred_ = false;
      ComputeSummary();
    }
    throw;
  }
  summary_deferred_ = false;
  if (!merge.finished) {
    // Cancelled: the user asked for nothing to change, so nothing is said.
    if (!import) grid_.DropAppendsSince(before_merge);
    return;
  }
  take_imported();
  if (merge.nothing_read) {
    services_.message_box.Show(kNoItemsInFile, "", MbButtons::kOk,
                               MbIcon::kNone);
    return;
  }
  ComputeSummary();
  last_csv_merge_ = {merge.header, merge.rows, merge.unusable, merge.report};
  if (merge.header) {
    services_.message_box.Show(merge.report, "", MbButtons::kOk,
                               MbIcon::kInformation);
  }
}

}  // namespace tolvane
