#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "headless_app.h"
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

// Merge of an exported N-row file into an empty grid: the file read, the
// walk, AddItem and the summary after every record.
void BM_MergeCsv(benchmark::State& state) {
  const auto rows = static_cast<std::size_t>(state.range(0));
  const std::string file = BenchFile("merge.csv");
  {
    cli::HeadlessApp source(RegionalSettings::UnitedStates());
    FillGrid(source, rows);
    source.file_dialog.answers.push_back(file);
    source.FrmPrice().CreateCSVFileFromGrid1Click(Sender{"SpdBtnCSVOut"});
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto app =
        std::make_unique<cli::HeadlessApp>(RegionalSettings::UnitedStates());
    app->file_dialog.answers.push_back(file);
    state.ResumeTiming();
    app->FrmPrice().MergeCSVFileWithCurrentGridResults1Click(
        Sender{"SpeedButton3"});
    state.PauseTiming();
    if (app->FrmPrice().ListView1().Count() != static_cast<int>(rows)) {
      state.SkipWithError("the merge lost rows");
    }
    app.reset();
    state.ResumeTiming();
  }
  fs::remove(file);
}
BENCHMARK(BM_MergeCsv)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane
