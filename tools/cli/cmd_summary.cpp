// tolvane-cli summary CSV...: the files merged into an empty grid, and the
// seven summary lines the memo then shows.
#include <cstdio>

#include "commands.h"
#include "csv_files.h"
#include "headless_app.h"
#include "util/regional.h"

namespace tolvane::cli {

int RunSummary(const Args& args) {
  if (args.empty()) return 2;
  for (const std::string& arg : args) {
    if (IsUnknownOption(arg)) return 2;
  }
  HeadlessApp app(RegionalSettings::FromSystemLocale());
  if (!MergeCsvFiles(app, args)) return 1;
  // Files without items leave the memo as it was; the summary of the grid
  // as it stands is the same either way.
  app.FrmPrice().ComputeSummary();
  for (const std::string& line : app.MResultsLeft.Lines()) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace tolvane::cli
