#include "csv_files.h"

#include <cstdio>
#include <new>
#include <optional>

#include "commands.h"
#include "reports/csv_file_merge.h"
#include "util/error.h"
#include "util/files.h"

namespace tolvane::cli {
namespace {

constexpr const char* kOwnFormLeftOut =
    "%s: Read %d %s; left out %d %s without a usable price.\n";
constexpr const char* kRow = "row";
constexpr const char* kRows = "rows";
constexpr const char* kRecord = "record";
constexpr const char* kRecords = "records";
constexpr const char* kNoItemsInFile = "No Items In File";

void TellLeftOut(const std::string& file, int rows, int unusable) {
  if (unusable == 0) return;
  std::fprintf(stderr, kOwnFormLeftOut, file.c_str(), rows,
               rows == 1 ? kRow : kRows, unusable,
               unusable == 1 ? kRecord : kRecords);
}

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
    if (!outcome.header) TellLeftOut(file, outcome.rows, outcome.unusable);
  }
  return every_file_gave_rows;
}

bool MergeCsvFiles(RowSink& rows, const std::vector<std::string>& files,
                   const RegionalSettings& settings) {
  bool every_file_gave_rows = true;
  for (const std::string& file : files) {
    CsvFileMerge merge;
    try {
      InputFile input(file);
      merge = MergeCsvFile(input, rows, settings, {});
    } catch (const std::bad_alloc&) {
      throw Error(FormatMessage(kNoMemoryForFile, file));
    }
    if (merge.nothing_read) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), kNoItemsInFile);
    }
    if (merge.header) {
      // The report names its file already.
      std::fprintf(stderr, "%s\n", merge.report.c_str());
      if (merge.rows == 0) every_file_gave_rows = false;
    } else {
      TellLeftOut(file, merge.rows, merge.unusable);
    }
  }
  return every_file_gave_rows;
}

std::optional<Args> FileArguments(const Args& args) {
  Args files;
  bool options_done = false;
  for (const std::string& arg : args) {
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      return std::nullopt;
    } else {
      files.push_back(arg);
    }
  }
  return files;
}

bool IsUnknownOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

}  // namespace tolvane::cli
