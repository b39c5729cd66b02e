// tolvane-cli analysis [--today YYYY-MM-DD] CSV...: the files merged into an
// empty grid, and the hourly and weekday analysis of its rows.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "analysis/hourly_analysis.h"
#include "commands.h"
#include "csv_files.h"
#include "headless_app.h"
#include "util/calendar.h"
#include "util/error.h"
#include "util/regional.h"

namespace tolvane::cli {
namespace {

// YYYY-MM-DD, a real date; anything else is a usage error.
std::optional<Date> ParseDay(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
    return std::nullopt;
  }
  int parts[3] = {0, 0, 0};
  const std::size_t starts[3] = {0, 5, 8};
  const std::size_t lengths[3] = {4, 2, 2};
  for (int p = 0; p < 3; ++p) {
    for (std::size_t i = 0; i < lengths[p]; ++i) {
      const char c = text[starts[p] + i];
      if (c < '0' || c > '9') return std::nullopt;
      parts[p] = parts[p] * 10 + (c - '0');
    }
  }
  try {
    return EncodeDate(parts[0], parts[1], parts[2]);
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace

int RunAnalysis(const Args& args) {
  std::optional<Date> today;
  std::vector<std::string> files;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg == "--today") {
      if (i + 1 == args.size()) return 2;
      today = ParseDay(args[++i]);
      if (!today) return 2;
    } else if (!options_done && IsUnknownOption(arg)) {
      return 2;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) return 2;

  HeadlessApp app(RegionalSettings::FromSystemLocale());
  if (today) app.clock.today = *today;
  if (!MergeCsvFiles(app, files)) return 1;
  // Like the window's command, the analysis of no rows is no analysis.
  if (app.FrmPrice().ListView1().Count() == 0) return 0;
  for (const std::string& line :
       HourlyWeekdayReport(app.FrmPrice().ListView1(), app.clock.today,
                           app.FrmPrice().Regional())) {
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

}  // namespace tolvane::cli
