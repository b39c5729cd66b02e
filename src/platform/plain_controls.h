#pragma once

// Controls and services that keep their state in memory and show nothing:
// the command-line companion runs the windows on them, and the tests drive
// them by hand (type a text, complete a page, fire the timer) and read back
// what the windows did to them.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "platform/timer.h"

namespace tolvane {

class PlainWindow : public Window {
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

class PlainButton : public Button {
 public:
  void SetEnabled(bool value) override { enabled = value; }
  bool Enabled() const override { return enabled; }
  bool enabled = true;
};

class PlainLabel : public Label {
 public:
  void SetVisible(bool value) override { visible = value; }
  bool Visible() const override { return visible; }
  bool visible = true;
};

class PlainTextBox : public TextBox {
 public:
  explicit PlainTextBox(std::string initial = {}) : text(std::move(initial)) {}
  std::string Text() const override { return text; }
  void SetText(const std::string& value) override;
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

class PlainChoice : public Choice {
 public:
  int Index() const override { return index; }
  void SetIndex(int value) override { index = value; }
  int index = 0;
};

class PlainMemo : public Memo {
 public:
  std::vector<std::string> Lines() const override { return lines; }
  void Clear() override { lines.clear(); }
  void Add(const std::string& text) override;
  std::vector<std::string> lines;
};

// Holds the document it is given: Complete(page) makes the page the current
// document and fires the download-complete event. Without a document there
// is nothing to save.
class PlainBrowser : public Browser {
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
    failure.reset();
    if (on_complete) on_complete();
  }
  // The load ends without a page, as a refused connection does.
  void Fail(LoadFailure why) {
    document = "";
    failure = std::move(why);
    if (on_complete) on_complete();
  }
  std::optional<LoadFailure> LastFailure() const override { return failure; }

  std::vector<std::string> navigations;
  int last_flags = -1;
  int stops = 0;
  std::optional<std::string> document;
  int general_failures = 0;  // the next saves that fail
  std::optional<LoadFailure> failure;
  std::function<void()> on_complete;
};

// Fires only when told to, and then only as a running timer would: enabled,
// with an interval.
class PlainTimer : public Timer {
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
  void Fire() {
    if (enabled && interval > 0 && on_timer) on_timer();
  }

  int interval = 1000;
  bool enabled = false;
  int starts = 0;
  int restarts = 0;
  std::function<void()> on_timer;
};

class PlainSound : public SoundPlayer {
 public:
  void PlaySync(const std::string& file) override { played.push_back(file); }
  std::vector<std::string> played;
};

class PlainShell : public Shell {
 public:
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  std::vector<std::string> opened;
  bool succeed = true;
};

// Keeps every message it is shown and answers from `answers`; once they run
// out it answers OK to a notice and Yes to a question.
class PlainMessageBox : public MessageBox {
 public:
  struct Message {
    std::string text;
    std::string caption;
    MbButtons buttons;
    MbIcon icon;
  };
  MbResult Show(const std::string& text, const std::string& caption,
                MbButtons buttons, MbIcon icon) override;
  std::vector<Message> shown;
  std::deque<MbResult> answers;
  std::function<void()> on_show;
};

// Chooses the files queued in `answers`, one per run; a nullopt, or an empty
// queue, cancels. Runs that choose several files take theirs from
// `files_answers` the same way.
class PlainFileDialog : public FileDialog {
 public:
  bool ExecuteSave(FileDialogSettings& settings) override {
    return Answer(settings, save_seen);
  }
  bool ExecuteOpen(FileDialogSettings& settings) override {
    return Answer(settings, open_seen);
  }
  // Several files in one run: the next entry of `files_answers`.
  bool ExecuteOpenFiles(FileDialogSettings& settings,
                        std::vector<std::string>& files) override;
  std::deque<std::optional<std::string>> answers;
  std::deque<std::vector<std::string>> files_answers;  // empty: cancel
  std::vector<FileDialogSettings> save_seen;
  std::vector<FileDialogSettings> open_seen;

 private:
  bool Answer(FileDialogSettings& settings,
              std::vector<FileDialogSettings>& seen);
};

class PlainPrintDialog : public PrintDialog {
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

class PlainPrinter : public Printer {
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

class PlainClock : public Clock {
 public:
  Date Today() const override { return today; }
  Date today{2026, 12, 6};
};

// Keys and values in memory, gone with the object; a value of another type
// than integer is kept as its text, and reading it as an integer fails the
// way the registry does.
class PlainPreferenceStore : public PreferenceStore {
 public:
  bool KeyExists(const std::string& key) override {
    return keys.count(key) != 0;
  }
  bool OpenKey(const std::string& key, bool create) override;
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::optional<std::int32_t> ReadInteger(const std::string& key,
                                          const std::string& name) override;
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;

  struct Value {
    std::optional<std::int32_t> integer;
    std::string other;
  };
  std::map<std::string, std::map<std::string, Value>> keys;
  bool writable = true;
};

}  // namespace tolvane
