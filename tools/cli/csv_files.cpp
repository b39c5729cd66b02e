#include "csv_files.h"

#include <cstdio>

namespace tolvane::cli {

void MergeCsvFiles(HeadlessApp& app, const std::vector<std::string>& files) {
  TFrmPrice& frm_price = app.FrmPrice();
  for (const std::string& file : files) {
    app.file_dialog.answers.push_back(file);
    app.message_box.shown.clear();
    frm_price.MergeCSVFileWithCurrentGridResults1Click(Sender{"tolvane-cli"});
    for (const KeptMessages::Message& message : app.message_box.shown) {
      std::fprintf(stderr, "%s: %s\n", file.c_str(), message.text.c_str());
    }
  }
}

bool IsUnknownOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-';
}

}  // namespace tolvane::cli
