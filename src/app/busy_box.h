#pragma once

#include "app/application.h"
#include "platform/controls.h"

namespace tolvane {

inline constexpr const char* kBusyText =
    "Tolvane is now gathering your data.  The time required to gather and "
    "assimilate the results depends upon your system, internet connection "
    "speed, and internet traffic.  The program may not respond to your mouse "
    "etc during this process. ";
inline constexpr const char* kResumeHint =
    "Click if the data gathering process hass stalled or did not move data to "
    "grid.";

// The "data gathering" window shown while a Get command runs.
class TBusyBox {
 public:
  TBusyBox(Application& app, Window& form, Label& label1)
      : app_(app), Form(form), Label1(label1) {}

  // Resume: a plain Get with the busy window as sender.
  void SpdBtnResumeClick(const Sender& sender);

  Application& app_;
  Window& Form;
  Label& Label1;
};

}  // namespace tolvane
