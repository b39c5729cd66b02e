#pragma once

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <string>

#include "e2e/sample_service.h"
#include "gui/busy_window.h"
#include "gui/main_window.h"
#include "gui/plain_program.h"
#include "gui/program_windows.h"
#include "gui/qt_browser.h"

namespace tolvane::e2e {

// A browser that counts its download-complete events.
struct CountingBrowser {
  CountingBrowser() {
    browser.SetOnDownloadComplete([this] { ++completes; });
  }
  bool WaitForCompletes(int n, std::chrono::milliseconds limit =
                                   std::chrono::milliseconds(5000)) {
    return RunEventsUntil([&] { return completes >= n; }, limit);
  }
  std::string Document() const {
    return browser.Document().value_or(QByteArray()).toStdString();
  }
  gui::QtBrowser browser{nullptr};
  int completes = 0;
};

// The real program: its five windows with their widgets and the real page
// loader, pointed at a sample service. Dialogs, sound and the preference
// store are fakes, so nothing waits on a person or a loudspeaker.
class Program : public gui::PlainServices {
 public:
  // Today's search goes to `marketplace` when given, else to the service.
  Program(const SampleService& service, const std::string& timeout_seconds,
          const std::string& marketplace = "")
      : windows_(With(loader, loader.View(), HostsOf(service, marketplace))) {
    windows_.Start();
    windows_.FrmOptions().Edit1.SetText(timeout_seconds);
  }

  // Types the search expression and presses Enter, as the user does.
  void Search(const QString& expression) {
    QLineEdit* query = windows_.MainWidget().EdtQuery;
    query->setFocus();
    query->selectAll();
    QTest::keyClicks(query, expression);
    QTest::keyClick(query, Qt::Key_Return);
  }
  void Click(const char* button) {
    QTest::mouseClick(windows_.MainWidget().BarButton(button), Qt::LeftButton);
  }

  // Runs the event loop until the command has ended (no page awaited, no
  // Get 5 running); false when it has not within the limit.
  bool WaitUntilIdle(std::chrono::milliseconds limit) {
    TFrmPrice& f = FrmPrice();
    return RunEventsUntil(
        [&f] { return !f.AwaitingPage() && !f.Get5Running(); }, limit);
  }

  TFrmPrice& FrmPrice() { return windows_.FrmPrice(); }
  int Rows() { return FrmPrice().ListView1().Count(); }
  bool BusyVisible() { return windows_.BusyWidget().isVisible(); }
  gui::ProgramWindows& Windows() { return windows_; }

  // The real page loader, in place of the plain browser.
  gui::QtBrowser loader{nullptr};

 private:
  static HostConfig HostsOf(const SampleService& service,
                            const std::string& marketplace) {
    HostConfig hosts;
    hosts.search_service = service.Url();
    hosts.item_host = service.Host();
    hosts.help_pages = service.Url();
    hosts.online_help = service.Url() + "/tolvane/help.htm";
    hosts.support = service.Url() + "/support.htm";
    hosts.marketplace = marketplace.empty() ? service.Url() : marketplace;
    return hosts;
  }

  gui::ProgramWindows windows_;
};

}  // namespace tolvane::e2e
