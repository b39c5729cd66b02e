#include "csv_files.h"

#include <cstdio>

namespace tolvane::cli {
namespace {

constexpr const char* kOwnFormLeftOut =
    "%s: Read %d %s; left out %d %s without a usable price.\n";
constexpr const char* kRow = "row";
constexpr const char* kRows = "rows";
constexpr const char* kRecord = "record";
constexpr const char* kRecords = "records";

}  // namespace

bool MergeCsvFiles(HeadlessApp& app, const std::vector<std::string>& files) {
  TFrmPrice& frm_price = app.FrmPrice();
  bool every_file_gave_rows = true;
  for (const std::string& file : files) {
    app.file_dialog.answers.push_back(file);
    app.message_box.shown.clear();
    frm_price.MergeCSVFileWithCurrentGridResults1Click(Sender{"tolvane-cli"});
    const CsvMergeOutcome& outcome = frm_price.LastCsvMerge();
    for (const KeptMessages::Message& message : app.message_box.shown) {
      // The report names its file already.
      if (outcome.header && message.text == outcome.report) {
        std::fprintf(stderr, "%s\n", message.text.c_str());
      } else {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), message.text.c_str());
      }
    }
    if (outcome.header && outcome.rows == 0) every_file_gave_rows = false;
    if (!outcome.header && outcome.unusable > 0) {
      std::fprintf(stderr, kOwnFormLeftOut, file.c_str(), outcome.rows,
                   outcome.rows == 1 ? kRow : kRows, outcome.unusable,
                   outcome.unusable == 1 ? kRecord : kRecords);
    }
  }
  return every_file_gave_rows;
}

bool IsUnknownOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

}  // namespace tolvane::cli
