// The page parser on one generated result page of N auctions, about 2 KB
// each: the walk alone, and the whole Get parse through the main window
// (file read, walk, a row added and the summary recomputed per auction).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "headless_app.h"
#include "listing/page_parser.h"
#include "util/lines.h"

namespace {

using tolvane::ParsedItem;

std::string AuctionTable(int index) {
  const std::string item = std::to_string(3012000000 + index);
  const std::string href =
      "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=" + item;
  const std::string price = "$" + std::to_string(10 + index % 900) + "." +
                            std::to_string(10 + index % 90);
  std::string html =
      "<table border=0 cellpadding=3 cellspacing=0 width=\"100%\">\n"
      "<tr bgcolor=\"#ffffff\" valign=middle>\n"
      "<td valign=top width=\"12%\">";
  if (index % 3 == 0) {
    html += "<a href=\"" + href +
            "\"><img height=64 width=80 border=0 alt=\"Click to see "
            "picture\" src=\"http://thumbs.ebay.com/pict/" +
            item + ".jpg\"></a>";
  } else {
    html += "&nbsp;";
  }
  html += "</td>\n<td valign=top width=\"52%\"><font size=3><a href=\"" + href +
          "\">Leica M3 camera body no. " + std::to_string(index) +
          ", chrome, with case</a></font>"
          "<br><font size=2 color=\"#666666\">Ships from Germany to "
          "worldwide. Payment by money order, cashier's check or personal "
          "check; see the item page for shipping and insurance.</font></td>\n"
          "<td align=right valign=top width=\"16%\"><font size=3><b>" +
          price +
          "</b></font></td>\n"
          "<td align=center valign=top width=\"8%\"><font size=3>" +
          (index % 7 == 0 ? std::string("-") : std::to_string(index % 40)) +
          "</font></td>\n"
          "<td align=right valign=top width=\"12%\"><font size=3>Feb-" +
          std::to_string(10 + index % 18) + " " +
          std::to_string(10 + index % 14) + ":" +
          std::to_string(10 + index % 50) +
          "</font></td>\n</tr>\n"
          "<tr><td colspan=5><img src=\"http://pics.ebay.com/aw/pics/s.gif\" "
          "width=1 height=4 alt=\"\"></td></tr>\n"
          "<tr><td colspan=5 bgcolor=\"#cccccc\"><img "
          "src=\"http://pics.ebay.com/aw/pics/s.gif\" width=1 height=1 "
          "alt=\"\"></td></tr>\n</table>\n";
  // Some stretch of other markup between the tables, as the site had.
  html +=
      "<!-- featured-seller and gallery markers of the item row, ignored "
      "by the reader: gallery=0 featured=0 bold=0 highlight=0 border=0 "
      "subtitle=0 -->\n"
      "<table border=0 cellpadding=0 cellspacing=0 width=\"100%\"><tr><td "
      "align=right><font size=1 face=\"Verdana,Geneva,Arial\"><a "
      "href=\"http://pages.ebay.com/help/buy/completed.html\">About "
      "completed items</a> | <a "
      "href=\"http://pages.ebay.com/help/buy/search.html\">Search "
      "tips</a></font></td></tr></table>\n"
      "<script language=\"JavaScript\"><!--\n"
      "if (document.images) { var pic = new Image(); pic.src = "
      "\"http://pics.ebay.com/aw/pics/lst/_p_gallery.gif\"; }\n"
      "function ebShow(n) { window.status = 'Item ' + n; return true; }\n"
      "function ebHide() { window.status = ''; return true; }\n"
      "//--></script>\n"
      "<noscript><img src=\"http://pics.ebay.com/aw/pics/s.gif\" width=1 "
      "height=1 alt=\"\"></noscript>\n"
      "<table border=0 cellpadding=0 cellspacing=0 width=\"100%\"><tr><td "
      "height=2 bgcolor=\"#ffffff\"><img "
      "src=\"http://pics.ebay.com/aw/pics/s.gif\" width=1 height=2 "
      "alt=\"\"></td></tr></table>\n";
  return html;
}

std::string GeneratedPage(int auctions) {
  std::string page =
      "<html>\n<head>\n<title>eBay Search: leica</title>\n"
      "<meta http-equiv=\"Expires\" content=\"Mon, 17 Feb 2003 21:40:12 "
      "GMT\">\n</head>\n<body>\n<a "
      "href=\"http://cgi.ebay.com/ws/"
      "eBayISAPI.dll?ViewItem&category=625\">Cameras</a>\n";
  for (int i = 0; i < auctions; ++i) page += AuctionTable(i);
  page +=
      "<a href=\"http://search-completed.ebay.com/search/"
      "search.dll?GetResult&query=leica&skip=50\">Next ></a>\n"
      "<a href=\"#top\">top of page</a>\n</body>\n</html>\n";
  return page;
}

// The walk alone, from the page's lines as the capture file gives them
// (the head is short, so the lines stay as they are).
void BM_ParsePageWalkOnly(benchmark::State& state) {
  std::vector<std::string> lines =
      tolvane::SplitLines(GeneratedPage(static_cast<int>(state.range(0))));
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size() + 2;
  for (auto _ : state) {
    ParsedItem current;
    int count = 0;
    const auto result =
        tolvane::WalkAuctions(tolvane::PageTextOf(tolvane::LinesText(lines)),
                              current, [&](const ParsedItem&) { ++count; });
    benchmark::DoNotOptimize(result.next_page);
    if (count != state.range(0)) state.SkipWithError("auctions lost");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) *
                          state.iterations());
  state.counters["page_kb"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_ParsePageWalkOnly)
    ->Arg(50)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);

// A Get's parse of the page into an empty grid, through the main window.
void BM_ParsePage(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() /
       ("tolvane_bench_page_" + std::to_string(::getpid()) + ".htm"))
          .string();
  std::ofstream(path, std::ios::binary)
      << GeneratedPage(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto app = std::make_unique<tolvane::cli::HeadlessApp>(
        tolvane::RegionalSettings::UnitedStates());
    state.ResumeTiming();
    app->FrmPrice().ParseListingPage(path);
    state.PauseTiming();
    benchmark::DoNotOptimize(app->FrmPrice().ListView1().Count());
    app.reset();
    state.ResumeTiming();
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_ParsePage)
    ->Arg(50)
    ->Arg(500)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond);

// A hostile page of N megabytes: auctions whose price and end-time cells
// run on to closing tags piled up at the end of the page. A page ten times
// larger must cost about ten times as much, not a hundred.
void BM_ParseHostilePage(benchmark::State& state) {
  const std::string auction =
      "ViewItem&item=1234567890\">d</a>$5<font size=3>7<x<font size=3>y";
  const std::string closing = "</font></font>";
  const std::size_t count = static_cast<std::size_t>(state.range(0)) *
                            (1 << 20) / (auction.size() + closing.size());
  std::string page;
  page.reserve(count * (auction.size() + closing.size()));
  for (std::size_t i = 0; i < count; ++i) page += auction;
  for (std::size_t i = 0; i < count; ++i) page += closing;
  for (auto _ : state) {
    ParsedItem current;
    std::size_t auctions = 0;
    const auto result = tolvane::WalkAuctions(
        page, current, [&](const ParsedItem&) { ++auctions; });
    benchmark::DoNotOptimize(result.next_page);
    state.counters["auctions"] = static_cast<double>(auctions);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(page.size()) *
                          state.iterations());
}
BENCHMARK(BM_ParseHostilePage)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
