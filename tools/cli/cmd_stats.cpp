// tolvane-cli stats [--json] CSV...: the files merged into an empty grid as
// the summary merges them, and the robust price figures of its checked rows.
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/robust_figures.h"
#include "analysis/summary_rows.h"
#include "commands.h"
#include "csv_files.h"
#include "util/regional.h"

namespace tolvane::cli {

int RunStats(const Args& args) {
  bool json = false;
  std::vector<std::string> files;
  bool options_done = false;
  for (const std::string& arg : args) {
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg == "--json") {
      json = true;
    } else if (!options_done && IsUnknownOption(arg)) {
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) return 2;
  const RegionalSettings settings = RegionalSettings::FromSystemLocale();
  SummaryRows rows(true);
  if (!MergeCsvFiles(rows, files, settings)) return 1;
  const RobustFigures figures = ComputeRobustFigures(rows.CheckedPrices());
  if (json) {
    std::printf("%s\n", RobustFiguresJson(figures).c_str());
    return 0;
  }
  for (const FigureLine& line : RobustFigureLines(figures, settings)) {
    std::printf("%s %s\n", line.label, line.text.c_str());
  }
  std::printf("%s\n", kPercentileNote);
  return 0;
}

}  // namespace tolvane::cli
