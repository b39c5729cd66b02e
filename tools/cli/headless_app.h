#pragma once

// The program's windows without a screen, for the command-line companion:
// controls keep their state and show nothing, services do nothing, and the
// message boxes and file dialogs answer from what the command tells them.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "platform/timer.h"
#include "util/regional.h"

namespace tolvane::cli {

class QuietWindow : public Window {
 public:
  void Show() override { visible_ = true; }
  void Hide() override { visible_ = false; }
  void Close() override { visible_ = false; }
  bool Visible() const override { return visible_; }
  void Repaint() override {}
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }

 private:
  bool visible_ = false;
  bool enabled_ = true;
};

class QuietButton : public Button {
 public:
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }

 private:
  bool enabled_ = true;
};

class QuietLabel : public Label {
 public:
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }

 private:
  bool visible_ = true;
};

class PlainTextBox : public TextBox {
 public:
  explicit PlainTextBox(std::string text) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  SystemColor Color() const override { return color_; }
  void SetColor(SystemColor color) override { color_ = color; }
  void SetFocus() override {}
  void SetOnChange(std::function<void()> handler) override {
    on_change_ = std::move(handler);
  }

 private:
  std::string text_;
  SystemColor color_ = SystemColor::kWindow;
  std::function<void()> on_change_;
};

class PlainMemo : public Memo {
 public:
  std::vector<std::string> Lines() const override { return lines_; }
  void Clear() override { lines_.clear(); }
  void Add(const std::string& text) override;

 private:
  std::vector<std::string> lines_;
};

// Loads nothing: a command works on files it has read itself.
class NoBrowser : public Browser {
 public:
  void Navigate(const std::string&, int) override {}
  void Stop() override {}
  SaveResult SaveDocument(const std::string&) override {
    return SaveResult::kNoDocument;
  }
  void SetOnDownloadComplete(std::function<void()>) override {}
};

// Never fires.
class IdleTimer : public Timer {
 public:
  void SetInterval(int milliseconds) override { interval_ = milliseconds; }
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
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

class Silence : public SoundPlayer {
 public:
  void PlaySync(const std::string&) override {}
};

class NoShell : public Shell {
 public:
  bool Open(const std::string&) override { return false; }
};

// Keeps every message it is shown; answers OK, or Yes to a question.
class KeptMessages : public MessageBox {
 public:
  struct Message {
    std::string text;
    std::string caption;
  };
  MbResult Show(const std::string& text, const std::string& caption,
                MbButtons buttons, MbIcon icon) override;
  std::vector<Message> shown;
};

// Chooses the files queued in `answers`, one per run; cancels when none is
// left.
class QueuedFileDialog : public FileDialog {
 public:
  bool ExecuteSave(FileDialogSettings& settings) override;
  bool ExecuteOpen(FileDialogSettings& settings) override;
  std::deque<std::string> answers;

 private:
  bool Answer(FileDialogSettings& settings);
};

class NoPrintDialog : public PrintDialog {
 public:
  bool Execute(int) override { return false; }
};

class NoPrinter : public Printer {
 public:
  void Print(const std::vector<std::string>&, const std::string&) override {}
};

// Today's local date, unless a command sets another.
class SettableClock : public Clock {
 public:
  SettableClock();
  Date Today() const override { return today; }
  Date today;
};

// Keys and integers in memory, gone when the command ends.
class MemoryPreferences : public PreferenceStore {
 public:
  bool KeyExists(const std::string& key) override;
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

 private:
  std::map<std::string, std::map<std::string, std::int32_t>> keys_;
};

// The five windows on the quiet controls, created in start-up order.
class HeadlessApp {
 public:
  explicit HeadlessApp(const RegionalSettings& regional);
  ~HeadlessApp();
  HeadlessApp(const HeadlessApp&) = delete;
  HeadlessApp& operator=(const HeadlessApp&) = delete;

  TFrmPrice& FrmPrice() { return *frm_price_; }
  TFrmAna& FrmAna() { return *frm_ana_; }

  KeptMessages message_box;
  QueuedFileDialog file_dialog;
  SettableClock clock;
  PlainMemo MResultsLeft;
  PlainMemo Memo1;

 private:
  Application app_{message_box};
  QuietWindow main_form_;
  PlainTextBox EdtQuery_{"Search Expression"};
  PlainTextBox EdtHiFilter_{"999,999.99"};
  PlainTextBox EdtLowFilter_{"0.00"};
  QuietButton SpdBtnGetNextData_;
  NoBrowser MiniBro_;
  IdleTimer TmrTimeout_;
  NoGridView grid_view_;
  Silence sound_;
  NoShell shell_;
  NoPrintDialog print_dialog_;
  NoPrinter printer_;
  MemoryPreferences preferences_;
  QuietWindow ok_right_form_;
  QuietWindow ana_form_;
  QuietWindow busy_form_;
  QuietLabel busy_label_;
  QuietWindow options_form_;
  PlainTextBox Edit1_{kDefaultTimeout};

  std::unique_ptr<TFrmPrice> frm_price_;
  std::unique_ptr<TOKRightDlg> ok_right_dlg_;
  std::unique_ptr<TFrmAna> frm_ana_;
  std::unique_ptr<TBusyBox> busy_box_;
  std::unique_ptr<TFrmOptions> frm_options_;
};

}  // namespace tolvane::cli
