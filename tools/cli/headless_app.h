#pragma once

// The program's windows without a screen, for the command-line companion:
// controls keep their state and show nothing, pages are never loaded, the
// timer never fires, nothing is printed, played or opened, preferences live
// in memory, the message boxes are kept for the command to tell, and the
// file dialogs choose the files the command names.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "app/headless_controls.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/progress.h"
#include "platform/services.h"
#include "platform/timer.h"
#include "util/regional.h"

namespace tolvane::cli {

// No page is ever loaded, so there is never a document to save.
class NoBrowser : public Browser {
 public:
  void Navigate(const std::string&, int) override {}
  void Stop() override {}
  SaveResult SaveDocument(const std::string&) override {
    return SaveResult::kNoDocument;
  }
  void SetOnDownloadComplete(std::function<void()>) override {}
  std::optional<LoadFailure> LastFailure() const override {
    return std::nullopt;
  }
};

// Keeps its settings and never fires.
class IdleTimer : public Timer {
 public:
  void SetInterval(int ms) override { interval_ = ms; }
  int Interval() const override { return interval_; }
  void SetEnabled(bool value) override { enabled_ = value; }
  bool Enabled() const override { return enabled_; }
  void SetOnTimer(std::function<void()>) override {}

 private:
  int interval_ = 1000;
  bool enabled_ = false;
};

class NoGridView : public GridView {
 public:
  std::optional<int> RowAtCursor() const override { return std::nullopt; }
};

class SilentSound : public SoundPlayer {
 public:
  void PlaySync(const std::string&) override {}
};

// Opens nothing: a link the command would follow is declined.
class NoShell : public Shell {
 public:
  bool Open(const std::string&) override { return false; }
};

// Chooses the files queued in `answers`, one per run, and cancels once they
// run out; the command opens files one at a time.
class ChosenFiles : public FileDialog {
 public:
  bool ExecuteSave(FileDialogSettings& settings) override {
    return Next(settings);
  }
  bool ExecuteOpen(FileDialogSettings& settings) override {
    return Next(settings);
  }
  bool ExecuteOpenFiles(FileDialogSettings&,
                        std::vector<std::string>&) override {
    return false;
  }
  std::deque<std::string> answers;

 private:
  bool Next(FileDialogSettings& settings);
};

// Nothing here prints: the print dialog is declined.
class NoPrintDialog : public PrintDialog {
 public:
  bool Execute(int) override { return false; }
};

// A command line shows no bar and is never cancelled.
class NoProgress : public Progress {
 public:
  void Show(const std::string&, std::uint64_t) override {}
  void Set(std::uint64_t) override {}
  bool Cancelled() const override { return false; }
  void Close() override {}
};

class NoPrinter : public Printer {
 public:
  void Print(const std::vector<std::string>&, const std::string&) override {}
};

// Today in local time unless the command names another day.
class CommandClock : public Clock {
 public:
  CommandClock();
  Date Today() const override { return today; }
  Date today;
};

// The five windows, created in start-up order, not shown.
class HeadlessApp {
 public:
  explicit HeadlessApp(const RegionalSettings& regional);
  ~HeadlessApp();
  HeadlessApp(const HeadlessApp&) = delete;
  HeadlessApp& operator=(const HeadlessApp&) = delete;

  TFrmPrice& FrmPrice() { return *FrmPrice_; }
  TFrmAna& FrmAna() { return *FrmAna_; }

  KeptMessages message_box;
  ChosenFiles file_dialog;
  CommandClock clock;
  KeptMemo MResultsLeft;
  KeptMemo Memo1;

 private:
  Application app_{message_box};

  KeptWindow main_form_;
  KeptTextBox EdtQuery_{"Search Expression"};
  KeptTextBox EdtHiFilter_{"999,999.99"};
  KeptTextBox EdtLowFilter_{"0.00"};
  KeptButton SpdBtnGetNextData_;
  NoBrowser MiniBro_;
  IdleTimer TmrTimeout_;
  NoGridView grid_view_;

  SilentSound sound_;
  NoShell shell_;
  NoPrintDialog print_dialog_;
  NoPrinter printer_;
  KeptPreferences preferences_;
  NoProgress progress_;

  KeptWindow ok_right_form_;
  KeptWindow ana_form_;
  KeptWindow busy_form_;
  KeptLabel busy_label_;
  KeptWindow options_form_;
  KeptTextBox Edit1_{kDefaultTimeout};

  std::unique_ptr<TFrmPrice> FrmPrice_;
  std::unique_ptr<TOKRightDlg> OKRightDlg_;
  std::unique_ptr<TFrmAna> FrmAna_;
  std::unique_ptr<TBusyBox> BusyBox_;
  std::unique_ptr<TFrmOptions> FrmOptions_;
};

}  // namespace tolvane::cli
