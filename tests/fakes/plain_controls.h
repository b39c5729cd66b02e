#pragma once

// Controls and services that keep their state in memory and show nothing:
// the tests drive them by hand (type a text, complete a page, fire the
// timer, fail the next saves or writes) and read back what the windows did
// to them.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/headless_controls.h"
#include "platform/browser.h"
#include "platform/controls.h"
#include "platform/progress.h"
#include "platform/services.h"
#include "platform/timer.h"

namespace tolvane {

// Counts what the windows did to it, for the tests to read back.
class PlainWindow : public KeptWindow {
 public:
  void Show() override {
    KeptWindow::Show();
    ++shows;
  }
  void Close() override {
    KeptWindow::Close();
    closed = true;
  }
  void Repaint() override {
    ++repaints;
    if (on_repaint) on_repaint();
  }

  bool closed = false;
  int shows = 0;
  int repaints = 0;
  // What a repaint also does: a test throws from it to end a long command
  // where it shows its progress, as a failure half way through would.
  std::function<void()> on_repaint;
};

using PlainButton = KeptButton;
using PlainLabel = KeptLabel;
using PlainChoice = KeptChoice;
using PlainMemo = KeptMemo;

class PlainTextBox : public KeptTextBox {
 public:
  using KeptTextBox::KeptTextBox;
  // What the user does: type a new text.
  void Type(const std::string& value) { SetText(value); }
  void SetFocus() override { ++focus_count; }
  int focus_count = 0;
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
class PlainMessageBox : public KeptMessages {
 public:
  MbResult Show(const std::string& text, const std::string& caption,
                MbButtons buttons, MbIcon icon) override;
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

// Keeps each caption it is shown and the last count; Cancel is pressed at
// the `cancel_at`-th Set when that is set.
class PlainProgress : public Progress {
 public:
  void Show(const std::string& caption, std::uint64_t total_units) override {
    captions.push_back(caption);
    total = total_units;
    sets = 0;
    shown = true;
  }
  void Set(std::uint64_t units) override {
    done = units;
    ++sets;
    if (on_set) on_set();  // what the event loop does under a shown bar
  }
  bool Cancelled() const override { return cancel_at > 0 && sets >= cancel_at; }
  void Close() override { shown = false; }

  std::vector<std::string> captions;
  std::uint64_t total = 0;
  std::uint64_t done = 0;
  int sets = 0;
  int cancel_at = 0;
  bool shown = false;
  std::function<void()> on_set;
};

// The store in memory, which refuses to create a key or write a value,
// as a store the user may not write does, once `writable` is cleared.
class PlainPreferenceStore : public KeptPreferences {
 public:
  bool OpenKey(const std::string& key, bool create) override {
    return (writable || KeyExists(key)) &&
           KeptPreferences::OpenKey(key, create);
  }
  void WriteInteger(const std::string& key, const std::string& name,
                    std::int32_t value) override;
  bool writable = true;
};

}  // namespace tolvane
