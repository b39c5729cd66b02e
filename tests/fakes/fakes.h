#pragma once

// Plain stand-ins for the platform, handed to the windows through their
// constructors. Asynchronous work is released by the test step by step.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "platform/timer.h"

namespace tolvane::fakes {

class FakeWindow : public Window {
 public:
  void Show() override {
    visible = true;
    ++shows;
  }
  void Hide() override { visible = false; }
  void Close() override {
    visible = false;
    closed = true;
  }
  bool Visible() const override { return visible; }
  void Repaint() override { ++repaints; }
  void SetEnabled(bool value) override { enabled = value; }
  bool Enabled() const override { return enabled; }

  bool visible = false;
  bool enabled = true;
  bool closed = false;
  int shows = 0;
  int repaints = 0;
};

class FakeButton : public Button {
 public:
  void SetEnabled(bool value) override { enabled = value; }
  bool Enabled() const override { return enabled; }
  bool enabled = true;
};

class FakeLabel : public Label {
 public:
  void SetVisible(bool value) override { visible = value; }
  bool Visible() const override { return visible; }
  bool visible = true;
};

class FakeTextBox : public TextBox {
 public:
  explicit FakeTextBox(std::string initial = {}) : text(std::move(initial)) {}
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override {
    if (value == text) return;
    text = value;
    if (on_change) on_change();
  }
  // What the user does: type a new text.
  void Type(const std::string& value) { SetText(value); }
  SystemColor Color() const override { return color; }
  void SetColor(SystemColor value) override { color = value; }
  void SetFocus() override { ++focus_count; }
  void SetOnChange(std::function<void()> handler) override {
    on_change = std::move(handler);
  }

  std::string text;
  SystemColor color = SystemColor::kWindow;
  int focus_count = 0;
  std::function<void()> on_change;
};

class FakeMemo : public Memo {
 public:
  std::vector<std::string> Lines() const override { return lines; }
  void Clear() override { lines.clear(); }
  void Add(const std::string& text) override;
  std::vector<std::string> lines;
};

// Serves prepared documents: Complete(page) makes the page the current
// document and fires the download-complete event.
class FakeBrowser : public Browser {
 public:
  void Navigate(const std::string& url, int flags) override {
    navigations.push_back(url);
    last_flags = flags;
  }
  void Stop() override { ++stops; }
  SaveResult SaveDocument(const std::string& path) override;
  void SetOnDownloadComplete(std::function<void()> handler) override {
    on_complete = std::move(handler);
  }
  void Complete(const std::string& page) {
    document = page;
    if (on_complete) on_complete();
  }

  std::vector<std::string> navigations;
  int last_flags = -1;
  int stops = 0;
  std::optional<std::string> document;
  int general_failures = 0;  // the next saves that fail
  std::function<void()> on_complete;
};

class FakeTimer : public Timer {
 public:
  void SetInterval(int ms) override {
    if (ms != interval && enabled) ++restarts;
    interval = ms;
  }
  int Interval() const override { return interval; }
  void SetEnabled(bool value) override {
    if (value && !enabled) ++starts;
    enabled = value;
  }
  bool Enabled() const override { return enabled; }
  void SetOnTimer(std::function<void()> handler) override {
    on_timer = std::move(handler);
  }
  // Fires as the real timer would: only when enabled with an interval.
  void Fire() {
    if (enabled && interval > 0 && on_timer) on_timer();
  }

  int interval = 1000;
  bool enabled = false;
  int starts = 0;
  int restarts = 0;
  std::function<void()> on_timer;
};

class FakeSound : public SoundPlayer {
 public:
  void PlaySync(const std::string& file) override { played.push_back(file); }
  std::vector<std::string> played;
};

class FakeShell : public Shell {
 public:
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

// Answers from a script; without one it answers OK for OK boxes and Yes for
// Yes/No boxes.
class FakeMessageBox : public MessageBox {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    MbButtons buttons;
    MbIcon icon;
  };
  MbResult Show(const std::string& text, const std::string& caption,
                MbButtons buttons, MbIcon icon) override {
    shown.push_back({text, caption, buttons, icon});
    if (on_show) on_show();
    if (!answers.empty()) {
      const MbResult answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == MbButtons::kYesNo ? MbResult::kYes : MbResult::kOk;
  }
  std::vector<Shown> shown;
  std::deque<MbResult> answers;
  std::function<void()> on_show;
};

class FakeFileDialog : public FileDialog {
 public:
  bool ExecuteSave(FileDialogSettings& settings) override {
    return Answer(settings, save_seen);
  }
  bool ExecuteOpen(FileDialogSettings& settings) override {
    return Answer(settings, open_seen);
  }
  std::deque<std::optional<std::string>> answers;  // nullopt cancels
  std::vector<FileDialogSettings> save_seen;
  std::vector<FileDialogSettings> open_seen;

 private:
  bool Answer(FileDialogSettings& settings,
              std::vector<FileDialogSettings>& seen) {
    seen.push_back(settings);
    if (answers.empty() || !answers.front()) {
      if (!answers.empty()) answers.pop_front();
      return false;
    }
    settings.file_name = *answers.front();
    answers.pop_front();
    return true;
  }
};

class FakePrintDialog : public PrintDialog {
 public:
  bool Execute(int copies) override {
    last_copies = copies;
    ++runs;
    return accept;
  }
  bool accept = true;
  int last_copies = 0;
  int runs = 0;
};

class FakePrinter : public Printer {
 public:
  void Print(const std::vector<std::string>& lines,
             const std::string& job_title) override {
    printed = lines;
    title = job_title;
    ++jobs;
  }
  std::vector<std::string> printed;
  std::string title;
  int jobs = 0;
};

class FakeClock : public Clock {
 public:
  Date Today() const override { return today; }
  Date today{2026, 12, 6};
};

// An in-memory store; values of other types are kept as text.
class FakePreferenceStore : public PreferenceStore {
 public:
  bool KeyExists(const std::string& key) override { return keys.count(key); }
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

  struct Value {
    std::optional<std::int32_t> integer;
    std::string other;  // a value of another type
  };
  std::map<std::string, std::map<std::string, Value>> keys;
  bool writable = true;
};

class FakeGridView : public GridView {
 public:
  std::optional<int> RowAtCursor() const override { return row; }
  std::optional<int> row;
};

// The five windows of the program on fakes, created in start-up order.
struct FakeApp {
  FakeApp();
  ~FakeApp();

  FakeMessageBox message_box;
  Application app{message_box};

  FakeWindow main_form;
  FakeTextBox EdtQuery{"Search Expression"};
  FakeTextBox EdtHiFilter{"999,999.99"};
  FakeTextBox EdtLowFilter{"0.00"};
  FakeMemo MResultsLeft;
  FakeButton SpdBtnGetNextData;
  FakeBrowser MiniBro;
  FakeTimer TmrTimeout;
  FakeGridView grid_view;

  FakeSound sound;
  FakeShell shell;
  FakeFileDialog file_dialog;
  FakePrintDialog print_dialog;
  FakePrinter printer;
  FakePreferenceStore preferences;
  FakeClock clock;

  FakeWindow ok_right_form;
  FakeWindow ana_form;
  FakeMemo Memo1;
  FakeWindow busy_form;
  FakeLabel busy_label;
  FakeWindow options_form;
  FakeTextBox Edit1{"90"};

  std::unique_ptr<TFrmPrice> FrmPrice;
  std::unique_ptr<TOKRightDlg> OKRightDlg;
  std::unique_ptr<TFrmAna> FrmAna;
  std::unique_ptr<TBusyBox> BusyBox;
  std::unique_ptr<TFrmOptions> FrmOptions;

  // Runs a handler the way an event does, through the dispatcher.
  void Dispatch(const std::function<void()>& handler) { app.Dispatch(handler); }
};

}  // namespace tolvane::fakes
