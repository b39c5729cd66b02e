// The program's own share of a Get 5: five result pages of 50 auctions,
// each captured (capture file deleted, saved, read back, checked for its end
// and its Expires value), parsed into rows with the summary recomputed per
// row, and the page finished. The pages are served from memory at once, so
// what is measured is everything but the network and the pop sound.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes/plain_app.h"
#include "sample_pages.h"

namespace {

using namespace tolvane;

void BM_Get5OfFivePages(benchmark::State& state) {
  const std::filesystem::path home = std::filesystem::current_path();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("tolvane_bench_retrieval_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);

  std::vector<std::string> pages;
  for (int i = 0; i < 5; ++i) {
    sample::PageOptions options;
    options.total = 300;
    options.expires = "Sun, 23 Nov 2003 18:45:0" + std::to_string(i);
    pages.push_back(sample::ResultPage("brass lamp", 50 * i, options));
  }
  int rows = 0;
  for (auto _ : state) {
    // The five windows on the tests' plain controls.
    PlainApp w;
    w.EdtQuery.text = "brass lamp";
    w.FrmPrice->Get1Click(Sender{"SpdBtnGet5"});
    for (const std::string& page : pages) w.MiniBro.Complete(page);
    rows = w.FrmPrice->ListView1().Count();
  }
  state.counters["rows"] = rows;
  std::filesystem::current_path(home);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Get5OfFivePages)->Unit(benchmark::kMillisecond);

}  // namespace
