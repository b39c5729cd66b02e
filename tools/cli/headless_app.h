#pragma once

// The program's windows without a screen, for the command-line companion:
// controls keep their state and show nothing, services do nothing, and the
// message boxes and file dialogs answer from what the command tells them.

#include "app/plain_app.h"
#include "util/regional.h"

namespace tolvane::cli {

using KeptMessages = PlainMessageBox;

// The five windows on plain controls, dated today in local time.
class HeadlessApp {
 public:
  explicit HeadlessApp(const RegionalSettings& regional);
  HeadlessApp(const HeadlessApp&) = delete;
  HeadlessApp& operator=(const HeadlessApp&) = delete;

  TFrmPrice& FrmPrice() { return *windows_.FrmPrice; }
  TFrmAna& FrmAna() { return *windows_.FrmAna; }

 private:
  PlainApp windows_;

 public:
  PlainMessageBox& message_box = windows_.message_box;
  PlainFileDialog& file_dialog = windows_.file_dialog;
  PlainClock& clock = windows_.clock;
  PlainMemo& MResultsLeft = windows_.MResultsLeft;
  PlainMemo& Memo1 = windows_.Memo1;
};

}  // namespace tolvane::cli
