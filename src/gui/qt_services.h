#pragma once

#include <string>

#include "platform/services.h"

namespace tolvane::gui {

// Modal message boxes over the active window. The stop icon is the critical
// icon; texts are plain, never markup.
class QtMessageBox : public MessageBox {
 public:
  MbResult Show(const std::string& text, const std::string& caption,
                MbButtons buttons, MbIcon icon) override;
};

// Opens addresses and documents with the desktop's default handler.
class DesktopShell : public Shell {
 public:
  bool Open(const std::string& target) override;
};

class SystemClock : public Clock {
 public:
  Date Today() const override;
};

}  // namespace tolvane::gui
