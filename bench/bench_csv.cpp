#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "commands.h"
#include "headless_app.h"
#include "reports/csv_export.h"
#include "sample_rows.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

std::string BenchFile(const char* name) {
  return (fs::temp_directory_path() / (std::string("tolvane_bench_") +
                                       std::to_string(::getpid()) + "_" + name))
      .string();
}

void FillGrid(cli::HeadlessApp& app, std::size_t rows) {
  for (const ParsedItem& item : bench::SampleItems(rows)) {
    app.FrmPrice().ListView1().Append(
        *MakeRow(item, RegionalSettings::UnitedStates()));
  }
}

// Export of an N-row grid: the records, the file written whole and renamed
// into place, the summary and the note.
void BM_ExportCsv(benchmark::State& state) {
  cli::HeadlessApp app(RegionalSettings::UnitedStates());
  FillGrid(app, static_cast<std::size_t>(state.range(0)));
  const std::string file = BenchFile("export.csv");
  for (auto _ : state) {
    app.file_dialog.answers.push_back(file);
    app.FrmPrice().CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"});
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  fs::remove(file);
}
BENCHMARK(BM_ExportCsv)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Merges the file into an empty grid through the main window, timing the
// command alone, and checks the rows it gave.
void TimeMerge(benchmark::State& state, const std::string& file,
               int expected_rows) {
  for (auto _ : state) {
    state.PauseTiming();
    auto app =
        std::make_unique<cli::HeadlessApp>(RegionalSettings::UnitedStates());
    app->file_dialog.answers.push_back(file);
    state.ResumeTiming();
    app->FrmPrice().MergeCSVFileWithCurrentGridResults1Click(
        Sender{"SpeedButton3"});
    state.PauseTiming();
    if (expected_rows >= 0 &&
        app->FrmPrice().ListView1().Count() != expected_rows) {
      state.SkipWithError("the merge lost rows");
    }
    app.reset();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  fs::remove(file);
}

// Writes what Export writes for a grid of the first N sample auctions,
// record by record, so ten million rows never sit in memory as items.
void WriteExportedFile(const std::string& file, std::size_t rows) {
  std::ofstream out(file, std::ios::binary);
  bench::SampleItemStream stream;
  std::string record;
  for (std::size_t i = 0; i < rows; ++i) {
    const ParsedItem item = stream.Next();
    record = CsvRecord(*MakeRow(item, RegionalSettings::UnitedStates()));
    record += "\r\n";
    out << record;
  }
}

// Merge of an exported N-row file into an empty grid: the file read, the
// walk, AddItem and the summary after every record.
void BM_MergeCsv(benchmark::State& state) {
  const auto rows = static_cast<std::size_t>(state.range(0));
  const std::string file = BenchFile("merge.csv");
  WriteExportedFile(file, rows);
  TimeMerge(state, file, static_cast<int>(rows));
}
BENCHMARK(BM_MergeCsv)
    ->Arg(1000000)
    ->Arg(10000000)
    ->Unit(benchmark::kMillisecond);

// The whole of tolvane-cli summary on an exported N-row file, in process:
// the arguments read, the file merged into rows kept for their figures, the
// seven lines printed (to /dev/null while timed).
void BM_SummaryCli(benchmark::State& state) {
  const auto rows = static_cast<std::size_t>(state.range(0));
  const std::string file = BenchFile("summary.csv");
  WriteExportedFile(file, rows);
  std::fflush(stdout);
  const int kept_stdout = ::dup(1);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, 1);
  int status = 0;
  for (auto _ : state) {
    status |= cli::RunSummary({file});
    std::fflush(stdout);
  }
  ::dup2(kept_stdout, 1);
  ::close(kept_stdout);
  ::close(null);
  if (status != 0) state.SkipWithError("the summary failed");
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  fs::remove(file);
}
BENCHMARK(BM_SummaryCli)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Merge of N rows of another tool's file, a data set of sold listings with
// the header title,sold_price_usd,ended_at,item_id: titles quoted where
// they hold a comma, plain amounts, ISO times. The same auctions as
// BM_MergeCsv's file.
void BM_MergeHeaderCsv(benchmark::State& state) {
  const auto rows = static_cast<std::size_t>(state.range(0));
  const std::string file = BenchFile("header.csv");
  {
    std::ofstream out(file, std::ios::binary);
    out << "title,sold_price_usd,ended_at,item_id\n";
    for (const ParsedItem& item : bench::SampleItems(rows)) {
      std::string price = item.Price.substr(1);
      std::erase(price, ',');
      out << '"' << item.Description << "\"," << price
          << ",2026-12-06T14:22:00Z," << item.Item << '\n';
    }
  }
  TimeMerge(state, file, static_cast<int>(rows));
}
BENCHMARK(BM_MergeHeaderCsv)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Merge of N megabytes of "a,b,c" lines: no quotation mark anywhere, so
// every field's search for one runs to the end of the file, and must not
// run again for the next field.
void BM_MergeCsvUnquoted(benchmark::State& state) {
  const std::string file = BenchFile("unquoted.csv");
  {
    std::ofstream out(file, std::ios::binary);
    const std::string lines = [] {
      std::string block;
      while (block.size() < (1 << 16)) block += "a,b,c\r\n";
      return block;
    }();
    for (std::int64_t mb = 0; mb < state.range(0) * 16; ++mb) out << lines;
  }
  TimeMerge(state, file, -1);
}
BENCHMARK(BM_MergeCsvUnquoted)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane
