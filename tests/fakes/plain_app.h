#pragma once

// The program's five windows on the plain in-memory controls, for the tests
// to drive.

#include <functional>
#include <memory>
#include <optional>

#include "app/application.h"
#include "app/busy_box.h"
#include "app/frm_ana.h"
#include "app/frm_options.h"
#include "app/frm_price.h"
#include "fakes/plain_controls.h"
#include "util/regional.h"

namespace tolvane {

// Knows no row under the pointer unless told one.
class PlainGridView : public GridView {
 public:
  std::optional<int> RowAtCursor() const override { return row; }
  std::optional<int> row;
};

// Created in start-up order; Start() ends start-up the way the program does.
struct PlainApp {
  explicit PlainApp(
      const RegionalSettings& regional = RegionalSettings::UnitedStates());
  ~PlainApp();
  PlainApp(const PlainApp&) = delete;
  PlainApp& operator=(const PlainApp&) = delete;

  // Loads the stored timeout and shows the main window.
  void Start();
  // Runs a handler the way an event does, through the dispatcher.
  void Dispatch(const std::function<void()>& handler) { app.Dispatch(handler); }

  PlainMessageBox message_box;
  Application app{message_box};

  PlainWindow main_form;
  PlainTextBox EdtQuery{"Search Expression"};
  PlainTextBox EdtHiFilter{"999,999.99"};
  PlainTextBox EdtLowFilter{"0.00"};
  PlainMemo MResultsLeft;
  PlainButton SpdBtnGetNextData;
  PlainBrowser MiniBro;
  PlainTimer TmrTimeout;
  PlainGridView grid_view;

  PlainSound sound;
  PlainShell shell;
  PlainFileDialog file_dialog;
  PlainPrintDialog print_dialog;
  PlainPrinter printer;
  PlainPreferenceStore preferences;
  PlainClock clock;
  PlainProgress progress;

  PlainWindow ok_right_form;
  PlainWindow ana_form;
  PlainMemo Memo1;
  PlainWindow busy_form;
  PlainLabel busy_label;
  PlainWindow options_form;
  PlainTextBox Edit1{kDefaultTimeout};
  PlainChoice RgSite;
  PlainChoice CmbMarketplace;

  std::unique_ptr<TFrmPrice> FrmPrice;
  std::unique_ptr<TOKRightDlg> OKRightDlg;
  std::unique_ptr<TFrmAna> FrmAna;
  std::unique_ptr<TBusyBox> BusyBox;
  std::unique_ptr<TFrmOptions> FrmOptions;
};

}  // namespace tolvane
