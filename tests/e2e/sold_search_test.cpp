#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "app/plain_app.h"
#include "e2e/program.h"
#include "e2e/sample_service.h"
#include "listing/page_parser.h"
#include "sold_pages.h"
#include "util/files.h"
#include "util/lines.h"

namespace tolvane::e2e {
namespace {

using std::chrono::milliseconds;

constexpr const char* kExpression = "brass lamp";
constexpr milliseconds kLimit(20000);

// The page number of each of today's searches the service was asked for.
std::vector<int> SoldPagesAsked(const SampleService& service) {
  std::vector<int> pages;
  for (const std::string& line : service.Requests()) {
    if (line.find("/sch/i.html?") == std::string::npos) continue;
    pages.push_back(std::stoi(line.substr(line.rfind("_pgn=") + 5)));
  }
  return pages;
}

// Item and check mark of every row.
std::vector<std::string> RowsOf(const ResultGrid& grid) {
  std::vector<std::string> rows;
  for (const RowView row : grid.Rows()) {
    rows.push_back(std::string(row.item) + (row.checked ? "+" : "-"));
  }
  return rows;
}

// Catches a Get that does not reach today's search or reads its pages
// otherwise than a saved copy of them reads, a Get 5 that stops before the
// last page or asks past it, and a bot check taken for an empty page, in
// both layouts the service writes.
TEST(SoldSearchTest, GetAndGet5ReadEveryPageUpToTheLast) {
  for (const char* layout : {"card", "list"}) {
    SCOPED_TRACE(layout);
    SampleService service({"--results", "120", "--layout", layout});
    WorkFolder work;
    Program program(service, "60");
    program.Search(kExpression);
    ASSERT_TRUE(program.WaitUntilIdle(kLimit));
    EXPECT_EQ(SoldPagesAsked(service), std::vector<int>{1});
    gui::MainWindow& main = program.Windows().MainWidget();
    EXPECT_TRUE(main.BarButton("SpdBtnGetNextData")->isEnabled());
    program.Click("SpdBtnGet5");
    ASSERT_TRUE(program.WaitUntilIdle(kLimit));
    EXPECT_EQ(SoldPagesAsked(service), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(main.BarButton("SpdBtnGetNextData")->isEnabled());
    EXPECT_EQ(program.sound.played.size(), 3u);
    EXPECT_FALSE(program.BusyVisible());

    // The same three pages, read as saved pages.
    PlainApp saved;
    for (int page = 1; page <= 3; ++page) {
      sample::SoldPageOptions options;
      options.total = 120;
      options.page = page;
      options.layout =
          layout[0] == 'c' ? sample::Layout::kCard : sample::Layout::kList;
      options.origin = service.Url();
      saved.FrmPrice->AddPageRows(
          LinesText(SplitLines(sample::SoldPage(kExpression, options))));
    }
    const std::vector<std::string> expected =
        RowsOf(saved.FrmPrice->ListView1());
    EXPECT_GT(expected.size(), 100u);
    EXPECT_TRUE(
        std::any_of(expected.begin(), expected.end(),
                    [](const std::string& r) { return r.back() == '-'; }));
    EXPECT_EQ(RowsOf(program.FrmPrice().ListView1()), expected);
  }
  SampleService challenged({"--fault", "challenge"});
  WorkFolder work;
  Program program(challenged, "60");
  program.Search(kExpression);
  ASSERT_TRUE(program.WaitUntilIdle(kLimit));
  ASSERT_EQ(program.message_box.shown.size(), 1u);
  EXPECT_TRUE(program.message_box.shown[0].text.starts_with(
      "The site asked to confirm that a person is searching."));
  EXPECT_EQ(program.Rows(), 0);
}

// Catches a connection that fails (nothing listening, no TLS where the
// address asks for it) waited out as an empty page or told in words that
// do not name the host, and a Get that goes on as if a page had come.
TEST(SoldSearchTest, FailedConnectionsAreToldAtOnce) {
  SampleService service;
  const std::string closed = SampleService().Host();
  const std::pair<std::string, std::string> kCases[] = {
      {"http://" + closed, closed + " refused the connection"},
      {"https://" + service.Host(),
       "No secure connection could be made to " + service.Host() + "."}};
  for (const auto& [marketplace, start] : kCases) {
    WorkFolder work;
    Program program(service, "60", marketplace);
    program.Search(kExpression);
    ASSERT_TRUE(program.WaitUntilIdle(milliseconds(20000))) << marketplace;
    ASSERT_EQ(program.message_box.shown.size(), 1u) << marketplace;
    EXPECT_TRUE(program.message_box.shown[0].text.starts_with(start))
        << program.message_box.shown[0].text;
    EXPECT_EQ(program.Rows(), 0);
    EXPECT_TRUE(program.sound.played.empty());
    EXPECT_EQ(program.FrmPrice().PageOffset(), 0);
    EXPECT_FALSE(program.BusyVisible());
  }
}

}  // namespace
}  // namespace tolvane::e2e
