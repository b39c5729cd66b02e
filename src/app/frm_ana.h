#pragma once

#include "app/application.h"
#include "platform/controls.h"

namespace tolvane {

// The generic OK/Cancel dialog, caption "Dialog"; the analysis window is
// built on it.
class TOKRightDlg {
 public:
  explicit TOKRightDlg(Window& form) : Form(form) {}
  virtual ~TOKRightDlg() = default;

  void OKBtnClick(const Sender& sender) {
    (void)sender;
    Form.Hide();
  }
  void CancelBtnClick(const Sender& sender) {
    (void)sender;
    Form.Hide();
  }

  Window& Form;
};

// The analysis text window.
class TFrmAna : public TOKRightDlg {
 public:
  TFrmAna(Window& form, Memo& memo1) : TOKRightDlg(form), Memo1(memo1) {}

  // The help button is hidden and there is no help system behind it.
  void HelpBtnClick(const Sender& sender) { (void)sender; }

  Memo& Memo1;
};

}  // namespace tolvane
