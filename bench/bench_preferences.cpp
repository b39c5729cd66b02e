#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "prefs/preference_file.h"

namespace tolvane {
namespace {

namespace fs = std::filesystem;

// A preference file that other tools have filled with N keys besides the
// program's own, which comes last: reading the timeout parses all of it.
std::string WritePreferences(std::int64_t keys) {
  const fs::path path = fs::temp_directory_path() /
                        ("tolvane_bench_" + std::to_string(::getpid()) +
                         "_prefs_" + std::to_string(keys) + ".reg");
  std::string text = "Windows Registry Editor Version 5.00\n\n";
  for (std::int64_t k = 0; k < keys; ++k) {
    text += "[HKEY_LOCAL_MACHINE\\K\\" + std::to_string(k) + "]\n";
  }
  text +=
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmor\\Tolvane\\prefs]\n"
      "\"timeout\"=dword:0000005a\n";
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

// One lookup as the options dialog makes it: open, read and parse the file,
// then find the value.
void BM_ReadPreferences(benchmark::State& state) {
  const std::string path = WritePreferences(state.range(0));
  FilePreferenceStore store(path);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        store.ReadInteger("\\SOFTWARE\\Zelmor\\Tolvane\\prefs", "timeout"));
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
  fs::remove(path);
}
BENCHMARK(BM_ReadPreferences)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolvane
