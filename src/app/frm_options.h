#pragma once

#include <string>

#include "app/application.h"
#include "app/site_choice.h"
#include "platform/controls.h"
#include "platform/plain_controls.h"
#include "platform/services.h"

namespace tolvane {

inline constexpr const char* kPrefsKey = "\\SOFTWARE\\Zelmor\\Tolvane\\prefs";
inline constexpr const char* kTimeoutValue = "timeout";
inline constexpr const char* kGet5MessageValue = "get5message";
inline constexpr const char* kDefaultTimeout = "90";

// The choices below the timeout: which search Get asks (RgSite: 0 today's
// sold listings, 1 the classic completed items) and on which marketplace
// (CmbMarketplace, in the order of kMarketplaces). A dialog built without
// them keeps them in memory.
struct SiteControls {
  Choice* RgSite = nullptr;
  Choice* CmbMarketplace = nullptr;
};

// The options dialog: the page timeout, edited in Edit1, and the site.
// Edit1's text is the timeout in force whether or not it was stored; the
// site in force is the stored one, read at every request.
class TFrmOptions {
 public:
  TFrmOptions(Application& app, Window& form, TextBox& edit1,
              PreferenceStore& store, SiteControls site = {})
      : app_(app),
        Form(form),
        Edit1(edit1),
        RgSite(site.RgSite != nullptr ? *site.RgSite : own_site_),
        CmbMarketplace(site.CmbMarketplace != nullptr ? *site.CmbMarketplace
                                                      : own_marketplace_),
        store_(store) {}

  void FormShow(const Sender& sender);
  void ReadTimeout();
  // Shows the stored site choice.
  void ReadSite();
  void BitBtnOKClick(const Sender& sender);
  void BitBtnCancelClick(const Sender& sender);

 private:
  PlainChoice own_site_;
  PlainChoice own_marketplace_;

 public:
  Application& app_;
  Window& Form;
  TextBox& Edit1;
  Choice& RgSite;
  Choice& CmbMarketplace;

 private:
  SiteChoice ChosenSite() const;

  PreferenceStore& store_;
};

}  // namespace tolvane
