#include "fakes/plain_app.h"

namespace tolvane {

PlainApp::PlainApp(const RegionalSettings& regional) {
  FrmPrice = std::make_unique<TFrmPrice>(
      app,
      TFrmPriceControls{main_form, EdtQuery, EdtHiFilter, EdtLowFilter,
                        MResultsLeft, SpdBtnGetNextData, MiniBro, TmrTimeout,
                        grid_view},
      TFrmPriceServices{sound, shell, message_box, file_dialog, print_dialog,
                        printer, preferences, clock, progress, regional,
                        HostConfig{}});
  app.FrmPrice = FrmPrice.get();
  OKRightDlg = std::make_unique<TOKRightDlg>(ok_right_form);
  app.OKRightDlg = OKRightDlg.get();
  FrmAna = std::make_unique<TFrmAna>(ana_form, Memo1);
  app.FrmAna = FrmAna.get();
  BusyBox = std::make_unique<TBusyBox>(app, busy_form, busy_label);
  app.BusyBox = BusyBox.get();
  FrmOptions =
      std::make_unique<TFrmOptions>(app, options_form, Edit1, preferences,
                                    SiteControls{&RgSite, &CmbMarketplace});
  app.FrmOptions = FrmOptions.get();
}

PlainApp::~PlainApp() = default;

void PlainApp::Start() {
  FrmOptions->ReadTimeout();
  main_form.Show();
  FrmPrice->FormShow(Sender{"FrmPrice"});
}

}  // namespace tolvane
