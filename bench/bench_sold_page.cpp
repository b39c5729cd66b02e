// Today's result-page reader on a generated 240-listing page of about 2 MB
// (bench/make_sold_page.py, written at build time; TOLVANE_SOLD_PAGE names
// another file), and on hostile pages of N MB.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "listing/sold_page.h"
#include "util/files.h"

namespace {

// A Get's parse step on the page: its kind recognised, then the page read.
void BM_ParseSoldPage(benchmark::State& state) {
  const char* path = std::getenv("TOLVANE_SOLD_PAGE");
  const std::string page =
      tolvane::ReadWholeFile(path != nullptr ? path : TOLVANE_SOLD_PAGE_FILE);
  for (auto _ : state) {
    if (tolvane::RecognisePage(page) != tolvane::PageKind::kSoldListings) {
      state.SkipWithError("not told a sold-listings page");
    }
    const tolvane::SoldPage read = tolvane::ReadSoldPage(page);
    benchmark::DoNotOptimize(read.listings.data());
    state.counters["listings"] = static_cast<double>(read.listings.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(page.size()) *
                          state.iterations());
  state.counters["page_kb"] = static_cast<double>(page.size()) / 1024.0;
}
BENCHMARK(BM_ParseSoldPage)->Unit(benchmark::kMillisecond);

// A hostile page of about N MB inside a results list: card openings that
// are never closed, each with a caption, a title and a price left open, as
// many end tags piled up after them, then one card whose title is as many
// pieces of text. A page eight times larger must cost about eight times as
// much, not sixty-four.
void BM_ParseSoldPageHostile(benchmark::State& state) {
  const std::string opening =
      "<li class=s-card data-listingid=377007281744 data-x='{\"a\":\"<li "
      "class=s-card>\"}'><!--F--><div class=s-card__caption>Sold  Mar 7, "
      "2026<div class=s-card__title><span>New listing<b>&amp;&#39;"
      "<span class=s-card__price>$1";
  const std::string closing = "</span></b></div></div></li>";
  const std::size_t count = static_cast<std::size_t>(state.range(0)) *
                            (1 << 20) / (opening.size() + closing.size());
  std::string page = "<ul class=srp-results>";
  page.reserve(count * (opening.size() + closing.size()) + 64);
  for (std::size_t i = 0; i < count; ++i) page += opening;
  for (std::size_t i = 0; i < count; ++i) page += closing;
  page += "<li class=s-card data-listingid=1><div class=s-card__title>";
  for (std::size_t i = 0; i < count; ++i) page += "<b>lamp </b>";
  for (auto _ : state) {
    const tolvane::SoldPage read = tolvane::ReadSoldPage(page);
    benchmark::DoNotOptimize(read.listings.data());
    state.counters["listings"] = static_cast<double>(read.listings.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(page.size()) *
                          state.iterations());
}
BENCHMARK(BM_ParseSoldPageHostile)
    ->Arg(1)
    ->Arg(8)
    ->Unit(benchmark::kMillisecond);

}  // namespace
