#include "gui/qt_browser.h"

#include <gtest/gtest.h>

#include <QTextBrowser>
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "e2e/program.h"
#include "e2e/sample_service.h"
#include "retrieval/page_capture.h"
#include "sample_pages.h"
#include "util/files.h"

namespace tolvane::e2e {
namespace {

using std::chrono::milliseconds;

constexpr const char* kSearch =
    "/search/search.dll?GetResult&query=brass+lamp&ht=1&combine=y&"
    "SortProperty=MetaEndSort&st=2&skip=";

// The parser's markers depend on the raw source: the saved file must be the
// served page byte for byte, not a re-serialised document.
TEST(QtBrowserTest, SavesThePageExactlyAsServed) {
  SampleService service({"--results", "300"});
  WorkFolder work;
  CountingBrowser b;
  EXPECT_EQ(b.browser.SaveDocument("before.htm"), SaveResult::kNoDocument);

  for (int skip : {0, 50}) {
    b.browser.Navigate(service.Url() + kSearch + std::to_string(skip),
                       kNavNoHistory);
    ASSERT_TRUE(b.WaitForCompletes(skip / 50 + 1)) << skip;
    ASSERT_EQ(b.browser.SaveDocument("thisget.htm"), SaveResult::kOk);
    const std::string saved = ReadWholeFile("thisget.htm");
    const sample::PageOptions options{
        .total = 300, .expires = ExpiresValue(saved).value_or("")};
    EXPECT_EQ(saved, sample::ResultPage("brass lamp", skip, options)) << skip;
  }
  // The view shows the page without fetching its pictures.
  RunEventsFor(milliseconds(100));
  auto* view = qobject_cast<QTextBrowser*>(b.browser.View());
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->toPlainText().contains("showing items 51 to 100"));
  EXPECT_TRUE(view->isReadOnly());
  EXPECT_FALSE(view->openLinks());
  EXPECT_EQ(service.Requests().size(), 2u);
}

// Every load that ends must report download-complete exactly once, also a
// failed one, and its document must not pass for a result page.
TEST(QtBrowserTest, EveryEndedLoadCompletesOnce) {
  SampleService normal;
  SampleService failing({"--fault", "http-error"});
  SampleService redirecting({"--fault", "redirect"});
  // A port that was free a moment ago: nothing listens there any more.
  const std::string closed_port = SampleService().Url();
  // What the load is, its address, whether it brings a result page.
  const std::tuple<const char*, std::string, bool> kCases[] = {
      {"result page", normal.Url() + kSearch + "0", true},
      {"not found", normal.Url() + "/no/such/page", false},
      {"server error", failing.Url() + kSearch + "0", false},
      {"refused", closed_port + kSearch + "0", false},
      {"redirected", redirecting.Url() + kSearch + "0", true},
      {"not an address", "no-scheme-at-all", false},
  };
  for (const auto& [what, url, result_page] : kCases) {
    CountingBrowser b;
    b.browser.Navigate(url, kNavNoHistory);
    ASSERT_TRUE(b.WaitForCompletes(1)) << what;
    RunEventsFor(milliseconds(50));
    EXPECT_EQ(b.completes, 1) << what;
    ASSERT_TRUE(b.browser.Document().has_value()) << what;
    EXPECT_EQ(IsCompletePage(b.Document()), result_page) << what;
  }
  // The page came by way of the redirect (Qt may send a request again on a
  // fresh connection, so the number of requests is not fixed).
  EXPECT_TRUE(std::ranges::any_of(redirecting.Requests(), [](const auto& r) {
    return r.find("redirected=1") != std::string::npos;
  }));
}

// A load cut short by Stop or replaced by a new navigation must not report:
// the driver would otherwise capture a page it did not ask for.
TEST(QtBrowserTest, AbandonedLoadsReportNothing) {
  SampleService silent({"--fault", "no-answer"});
  SampleService normal;
  CountingBrowser b;
  b.browser.Navigate(silent.Url() + kSearch + "0", kNavNoHistory);
  RunEventsUntil([&] { return silent.Requests().size() == 1; },
                 milliseconds(2000));
  b.browser.Stop();
  RunEventsFor(milliseconds(200));
  EXPECT_EQ(b.completes, 0);

  b.browser.Navigate(silent.Url() + kSearch + "50", kNavNoHistory);
  b.browser.Navigate(normal.Url() + kSearch + "100", kNavNoHistory);
  ASSERT_TRUE(b.WaitForCompletes(1));
  RunEventsFor(milliseconds(200));
  EXPECT_EQ(b.completes, 1);
  EXPECT_EQ(ExpiresValue(b.Document()).has_value(), true);
  EXPECT_EQ(normal.SearchSkips(), std::vector<int>{100});
}

}  // namespace
}  // namespace tolvane::e2e
