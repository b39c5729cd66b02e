#pragma once

#include <string>

#include "app/application.h"
#include "platform/controls.h"
#include "platform/services.h"

namespace tolvane {

inline constexpr const char* kPrefsKey = "\\SOFTWARE\\Zelmor\\Tolvane\\prefs";
inline constexpr const char* kTimeoutValue = "timeout";
inline constexpr const char* kGet5MessageValue = "get5message";
inline constexpr const char* kDefaultTimeout = "90";

// The options dialog: the page timeout, edited in Edit1. Edit1's text is the
// timeout in force whether or not it was stored.
class TFrmOptions {
 public:
  TFrmOptions(Application& app, Window& form, TextBox& edit1,
              PreferenceStore& store)
      : app_(app), Form(form), Edit1(edit1), store_(store) {}

  void FormShow(const Sender& sender);
  void ReadTimeout();
  void BitBtnOKClick(const Sender& sender);
  void BitBtnCancelClick(const Sender& sender);

  Application& app_;
  Window& Form;
  TextBox& Edit1;

 private:
  PreferenceStore& store_;
};

}  // namespace tolvane
