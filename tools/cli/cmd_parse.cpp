// tolvane-cli parse PAGE...: captured or saved result pages into one grid,
// written in the CSV export form, as successive Gets would fill the grid.
#include <cstdio>
#include <optional>
#include <string>

#include "commands.h"
#include "headless_app.h"
#include "reports/csv_export.h"
#include "util/files.h"
#include "util/regional.h"

namespace tolvane::cli {
namespace {

// A page the program could not read would simply give no rows; a command
// named a file that is not there, is no plain file or cannot be read is
// told so.
void RequireReadable(const std::string& path) {
  InputFile file(path);
  char byte = 0;
  file.Read(&byte, 1);
}

}  // namespace

int RunParse(const Args& args) {
  const std::optional<Args> pages = FileArguments(args);
  if (!pages || pages->empty()) return 2;
  HeadlessApp app(RegionalSettings::FromSystemLocale());
  TFrmPrice& frm_price = app.FrmPrice();
  // What the window would have said of each page it refused (a bot check,
  // items still for sale, another currency), with the page's name.
  std::string refused;
  for (const std::string& page : *pages) {
    RequireReadable(page);
    const std::size_t told = app.message_box.shown.size();
    frm_price.ParseListingPage(page);
    for (std::size_t i = told; i < app.message_box.shown.size(); ++i) {
      refused += page + ": " + app.message_box.shown[i].text + "\n";
    }
  }
  std::string csv;
  for (const RowView row : frm_price.ListView1().Rows()) {
    csv += CsvRecord(row) + "\r\n";
  }
  // A short write is the caller's to report, with every other output.
  std::fwrite(csv.data(), 1, csv.size(), stdout);
  if (refused.empty()) return 0;
  std::fputs(refused.c_str(), stderr);
  return 1;
}

}  // namespace tolvane::cli
