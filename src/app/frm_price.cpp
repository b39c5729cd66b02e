#include "app/frm_price.h"

#include "app/frm_options.h"

namespace tolvane {
namespace {

constexpr const char* kFileTypes =
    "Text (*.txt)|*.TXT|Comma Separated Value (*.csv)|*.CSV";
// Pages saved from a web browser, whichever name ending it gave them.
constexpr const char* kPageTypes =
    "Web pages (*.htm *.html)|*.htm;*.html|All files (*)|*";
constexpr const char* kOpenPagesTitle = "Open Saved Pages";
constexpr const char* kAboutText = "Tolvane Version 1.6 A";
constexpr const char* kAboutCaption = "About";
constexpr int kEnterKey = 13;

}  // namespace

TFrmPrice::TFrmPrice(Application& app, const TFrmPriceControls& controls,
                     const TFrmPriceServices& services)
    : app_(app),
      controls_(controls),
      Form(controls.form),
      EdtQuery(controls.EdtQuery),
      EdtHiFilter(controls.EdtHiFilter),
      EdtLowFilter(controls.EdtLowFilter),
      MResultsLeft(controls.MResultsLeft),
      SpdBtnGetNextData(controls.SpdBtnGetNextData),
      MiniBro(controls.MiniBro),
      TmrTimeout(controls.TmrTimeout),
      services_(services),
      glo_(services.shell, services.message_box),
      SvDlg_{"Tolvane", kFileTypes, 1, "", "txt"},
      OpnDlg_{"Import CSV FIle", kFileTypes, 2, "", "CSV"},
      OpnPagesDlg_{kOpenPagesTitle, kPageTypes, 1, "", "htm"} {
  // Events of the controls enter through the application's dispatcher like
  // every other event.
  EdtQuery.SetOnChange([this] {
    app_.Dispatch([this] { EdtQueryChange(Sender{"EdtQuery"}); });
  });
  // A Get's page and timer wait for a long command's end.
  MiniBro.SetOnDownloadComplete([this] {
    app_.RunWhenFree([this] {
      app_.Dispatch([this] { MiniBroDownloadComplete(Sender{"MiniBro"}); });
    });
  });
  TmrTimeout.SetOnTimer([this] {
    app_.RunWhenFree([this] {
      // Of the ticks kept while a command ran, those after the first that
      // ended the wait find the timer off.
      if (!TmrTimeout.Enabled()) return;
      app_.Dispatch([this] { TmrTimeoutTimer(Sender{"TmrTimeout"}); });
    });
  });
  TmrTimeout.SetEnabled(false);
  SpdBtnGetNextData.SetEnabled(false);
}

void TFrmPrice::FormShow(const Sender&) { EdtQuery.SetFocus(); }

bool TFrmPrice::FormCanResize(const Sender&, int, int) { return false; }

void TFrmPrice::FormDestroy(const Sender&) {
  grid_.SetObserver(nullptr);
  CurrentItem = ParsedItem{};
}

void TFrmPrice::EdtQueryKeyDown(const Sender&, int key, bool shift, bool alt,
                                bool ctrl) {
  if (key == kEnterKey && !shift && !alt && !ctrl) {
    Get1Click(Sender{"FrmPrice"});
  }
}

void TFrmPrice::EdtQueryChange(const Sender&) {
  page_offset_ = 0;
  SpdBtnGetNextData.SetEnabled(false);
  // A link of the last page belongs to the search as it was.
  next_link_.reset();
}

void TFrmPrice::Exit1Click(const Sender&) { Form.Close(); }

void TFrmPrice::About1Click(const Sender&) {
  services_.message_box.Show(kAboutText, kAboutCaption, MbButtons::kOk,
                             MbIcon::kNone);
}

void TFrmPrice::Options1Click(const Sender& sender) {
  TFrmOptions& options = *app_.FrmOptions;
  if (options.Form.Visible()) {
    options.Form.Show();
    return;
  }
  // Each show of a hidden dialog reloads the stored timeout. The dialog
  // opens first: a stored value it cannot read is reported over it, and OK
  // mends the value.
  options.Form.Show();
  options.FormShow(sender);
}

}  // namespace tolvane
