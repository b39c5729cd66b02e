// tolvane-cli summary CSV...: the files merged into an empty grid, and the
// seven summary lines the memo then shows.
#include <cstdio>
#include <optional>

#include "commands.h"
#include "csv_files.h"
#include "headless_app.h"
#include "util/regional.h"

namespace tolvane::cli {

int RunSummary(const Args& args) {
  const std::optional<Args> files = FileArguments(args);
  if (!files || files->empty()) return 2;
  HeadlessApp app(RegionalSettings::FromSystemLocale());
  MergeCsvFiles(app, *files);
  // Files without items leave the memo as it was; the summary of the grid
  // as it stands is the same either way.
  app.FrmPrice().ComputeSummary();
  for (const std::string& line : app.MResultsLeft.Lines()) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace tolvane::cli
