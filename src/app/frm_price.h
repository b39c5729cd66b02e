#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/summary.h"
#include "app/application.h"
#include "app/hosts.h"
#include "app/tessik_glo_shell.h"
#include "listing/parsed_item.h"
#include "listing/result_grid.h"
#include "listing/sold_page.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/progress.h"
#include "platform/services.h"
#include "platform/timer.h"
#include "retrieval/page_capture.h"
#include "util/regional.h"
#include "util/tessik_glo.h"

namespace tolvane {

class InputFile;
struct CsvHeader;

inline constexpr const char* kMainCaption = "Tolvane 1.6 A";
inline constexpr const char* kCaptureFile = "thisget.htm";
inline constexpr const char* kSoundFile = "sound01.wav";

// What the grid widget knows that the rows do not: which row lies under the
// mouse pointer.
class GridView {
 public:
  virtual ~GridView() = default;
  // The row at the pointer's current position, if any.
  virtual std::optional<int> RowAtCursor() const = 0;
};

// The controls of the main window, as the widgets (or the tests' fakes)
// provide them.
struct TFrmPriceControls {
  Window& form;
  TextBox& EdtQuery;
  TextBox& EdtHiFilter;
  TextBox& EdtLowFilter;
  Memo& MResultsLeft;
  Button& SpdBtnGetNextData;
  Browser& MiniBro;
  Timer& TmrTimeout;
  GridView& ListView1View;
};

// The services of the platform the main window reaches.
struct TFrmPriceServices {
  SoundPlayer& sound;
  Shell& shell;
  MessageBox& message_box;
  FileDialog& file_dialog;
  PrintDialog& PrntDlg;
  Printer& printer;
  PreferenceStore& preferences;
  Clock& clock;
  Progress& progress;
  RegionalSettings regional;
  HostConfig hosts;
};

// What the last Import or Merge read from its file, for the command line.
struct CsvMergeOutcome {
  // Another tool's file, read by its header.
  bool header = false;
  // Rows added to the grid.
  int rows = 0;
  // The program's own form: records whose price AddItem refused.
  int unusable = 0;
  // Another tool's file: the report the window showed.
  std::string report;
};

// The main window. Its handlers are glue: the work lives in the folders
// below; each group of handlers has its own source file.
class TFrmPrice {
 public:
  TFrmPrice(Application& app, const TFrmPriceControls& controls,
            const TFrmPriceServices& services);
  TFrmPrice(const TFrmPrice&) = delete;
  TFrmPrice& operator=(const TFrmPrice&) = delete;

  // --- window frame (frm_price.cpp)
  void FormShow(const Sender& sender);
  // Always refuses: the window keeps its size.
  bool FormCanResize(const Sender& sender, int new_width, int new_height);
  void FormDestroy(const Sender& sender);
  // key: virtual key code (13 is Enter).
  void EdtQueryKeyDown(const Sender& sender, int key, bool shift, bool alt,
                       bool ctrl);
  void EdtQueryChange(const Sender& sender);
  void Exit1Click(const Sender& sender);
  void About1Click(const Sender& sender);
  void Options1Click(const Sender& sender);

  // --- help links (frm_price_help.cpp)
  void OnlineHelp1Click(const Sender& sender);
  void EbaysSearchTips1Click(const Sender& sender);
  void Support1Click(const Sender& sender);

  // --- rows, statistics and the price filter (frm_price_rows.cpp)
  int AddItem(const ParsedItem& item);
  bool PriceTextInvalid(const ParsedItem& item) const;
  void ComputeSummary();
  void SetRowIcons();
  void EdtLowFilterExit(const Sender& sender);

  // --- the page parser (frm_price_parse.cpp)
  void ParseListingPage(const std::string& file_name);

  // What one page gave: whether it links a following page (and where, for
  // today's pages), or why it was refused, in which case nothing of it was
  // added.
  struct PageRead {
    PageKind kind = PageKind::kClassic;
    bool next_page = false;
    std::optional<std::string> next_href;
    std::optional<std::string> refusal;
  };
  // Adds the rows of a page's text (the lines of the page, each followed by
  // CR LF) through AddItem, reading it the way its kind needs.
  PageRead AddPageRows(std::string text);

  // --- saved pages (frm_price_saved_pages.cpp)
  void OpenSavedPages1Click(const Sender& sender);
  // Adds the rows of each page, as a Get would; the pages that are refused
  // are named, with the reason, in one message once all have been read.
  void OpenSavedPages(const std::vector<std::string>& files);

  // --- retrieval (frm_price_retrieval.cpp)
  enum class GatherStep { kStart, kParse, kSummarise, kFinish };
  void Get1Click(const Sender& sender);
  void ConfirmGet5();
  void GatherData(GatherStep step);
  void NavigateToPage();
  // The address of the page at the offset, on the site chosen in the
  // options dialog.
  std::string BuildSearchURL(int offset) const;
  bool CapturePage(const std::string& file_name, Browser& browser);
  bool IsSamePage();
  void MiniBroDownloadComplete(const Sender& sender);
  void TmrTimeoutTimer(const Sender& sender);

  // --- grid commands (frm_price_grid.cpp)
  void CheckAll1Click(const Sender& sender);
  void DeleteZeroBidAuctions1Click(const Sender& sender);
  void DeleteSelected1Click(const Sender& sender);
  void DeleteUnchecked1Click(const Sender& sender);
  void NewSearch1Click(const Sender& sender);
  void ListView1ColumnClick(const Sender& sender, int column);
  void ListView1Click(const Sender& sender);

  // --- hourly and weekday analysis (frm_price_analysis.cpp)
  void GetHourlyandWeekdayStats1Click(const Sender& sender);

  // --- printed report and saved summary (frm_price_reports.cpp)
  void Print1Click(const Sender& sender);
  void SaveResults1Click(const Sender& sender);

  // --- CSV exchange (frm_price_csv.cpp)
  void CreateCSVFileFromGrid1Click(const Sender& sender);
  void ImportCSVFileFromGrid1Click(const Sender& sender);
  void MergeCSVFileWithCurrentGridResults1Click(const Sender& sender);
  std::string CleanCsvField(const std::string& text) const;
  const CsvMergeOutcome& LastCsvMerge() const { return last_csv_merge_; }

  // --- state others read
  ResultGrid& ListView1() { return grid_; }
  const ResultGrid& ListView1() const { return grid_; }
  int PageOffset() const { return page_offset_; }
  bool AwaitingPage() const { return awaiting_page_; }
  bool Get5Running() const { return get5_; }
  const std::vector<std::string>& RchEdtPrint() const { return RchEdtPrint_; }
  const FileDialogSettings& SvDlg() const { return SvDlg_; }
  const FileDialogSettings& OpnDlg() const { return OpnDlg_; }
  const RegionalSettings& Regional() const { return services_.regional; }
  // How amounts are written in every window: the user's own settings, with
  // the symbol of the grid's currency when that is not the user's own.
  RegionalSettings ShownSettings() const;
  const FileDialogSettings& OpnPagesDlg() const { return OpnPagesDlg_; }
  const HostConfig& Hosts() const { return services_.hosts; }

  Application& app_;
  TFrmPriceControls controls_;
  Window& Form;
  TextBox& EdtQuery;
  TextBox& EdtHiFilter;
  TextBox& EdtLowFilter;
  Memo& MResultsLeft;
  Button& SpdBtnGetNextData;
  Browser& MiniBro;
  Timer& TmrTimeout;

 private:
  // Merge from the point where the file is chosen. `before_rows` (Import's
  // New Search) runs once the file is open and its first stretch read, so a
  // file that cannot be read changes nothing.
  void MergeCsvFile(const std::string& file_name,
                    const std::function<void()>& before_rows);
  void MergeCsvRecords(const std::string& file_name,
                       const std::function<void()>& before_rows);
  // Ends the command at a load that brought no page, saying why.
  void EndWithLoadFailure(const LoadFailure& failure);
  // Today's page: added, or refused.
  PageRead AddSoldPageRows(const std::string& text);

  TFrmPriceServices services_;
  TessikGloShell glo_;
  ResultGrid grid_;
  SummaryWriter summary_writer_{services_.regional};
  // The grid currency the summary writer writes for.
  std::string summary_currency_;

  // Retrieval state.
  int page_offset_ = 0;
  bool awaiting_page_ = false;
  bool get5_ = false;
  int get5_start_count_ = 0;
  // What ended the wait for the page just parsed, and whether that page
  // links a following one: either can end a Get 5.
  bool wait_timed_out_ = false;
  bool page_links_next_ = false;
  // Nothing of the page just parsed was added: the command ends there, on
  // the same offset.
  bool page_refused_ = false;
  // The page just parsed was one of today's: its own next link decides
  // whether there is a next page.
  bool page_is_sold_ = false;
  // The address the browser was sent to last.
  std::string requested_address_;
  // Where today's page just read links to, for the page at `offset` on the
  // marketplace at `marketplace`.
  struct NextLink {
    int offset = 0;
    std::string marketplace;
    std::string address;
  };
  std::optional<NextLink> next_link_;
  // Today's page accepted last, to tell a new page from the one the browser
  // still holds.
  std::optional<AcceptedPage> accepted_sold_page_;
  std::vector<std::string> captured_page_;
  // The Expires value of the last result page examined; kept for the life
  // of the process.
  std::string previous_expires_ = "thisisfirst";

  // While a merge runs, the summary is written once at its end: it would
  // be rewritten for every record, a million times, and only its last
  // text is ever read.
  bool summary_deferred_ = false;

  // Parser state.
  std::string PageText;
  ParsedItem CurrentItem;

  // Sort directions of the Bids and Price columns.
  int bids_sort_direction_ = 1;
  int price_sort_direction_ = 1;

  // The hidden text buffer of the report and the CSV commands, and the
  // settings the save and open dialogs keep between runs.
  std::vector<std::string> RchEdtPrint_;
  FileDialogSettings SvDlg_;
  FileDialogSettings OpnDlg_;
  CsvMergeOutcome last_csv_merge_;
  FileDialogSettings OpnPagesDlg_;
};

}  // namespace tolvane
