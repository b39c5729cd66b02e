// tolvane-cli summary CSV...: the files merged into an empty grid, and the
// seven summary lines the memo then shows.
#include <cstdio>
#include <optional>

#include "analysis/summary.h"
#include "analysis/summary_rows.h"
#include "app/headless_controls.h"
#include "commands.h"
#include "csv_files.h"
#include "util/money.h"
#include "util/regional.h"

namespace tolvane::cli {

int RunSummary(const Args& args) {
  const std::optional<Args> files = FileArguments(args);
  if (!files || files->empty()) return 2;
  const RegionalSettings settings = RegionalSettings::FromSystemLocale();
  // Only the figures are printed: the rows keep no texts.
  SummaryRows rows(false);
  if (!MergeCsvFiles(rows, *files, settings)) return 1;
  // The memo's lines as the window writes them for the same rows.
  KeptMemo memo;
  memo.Add(SummaryWriter(SettingsForCurrency(settings, rows.Currency()))
               .Text(FiguresOf(rows.Totals())));
  for (const std::string& line : memo.Lines()) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace tolvane::cli
